#include "imaging/DIBsave.h"
#include "imaging/TextRendering.h"
#include "tests/imaging/ImagingTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

namespace {

bool Dark(uint32_t argb) {
    return RedOf(argb) < 160 && GreenOf(argb) < 160 && BlueOf(argb) < 160;
}

// A white page of the program's own off-screen kind with text on it.
struct Page : DibSheet {
    int w, h;
    Page(int width, int height) : DibSheet(width, height, kWhite), w(width), h(height) {}
    [[nodiscard]] DrawnBox ink(const std::function<bool(uint32_t)>& isInk = Dark) const {
        return FindDrawn(dib.new_Img, isInk);
    }
    // The box the text tool measured; none when it drew nothing.
    std::optional<RectF> Tool(const std::wstring& text, int32_t style, float opacity = 255, int32_t hint = 2,
                              float size = 40, const std::wstring& face = L"Tahoma") {
        return DrawTextTool(target(), text, 10, 10, face, static_cast<int32_t>(size), style, hint, kBlack, opacity);
    }
    // The darkest red of the page.
    [[nodiscard]] int Darkest() const {
        int d = 255;
        for (uint32_t c : AllPixels(dib.new_Img)) d = std::min(d, RedOf(c));
        return d;
    }
    // How much the ink leans: the shift of the upper third's mean column against the lower third's.
    [[nodiscard]] double Lean() const {
        const std::vector<uint32_t> pixels = AllPixels(dib.new_Img);
        const DrawnBox box = ink();
        const int third = (box.bottom - box.top) / 3;
        auto meanColumn = [&](int top, int bottom) {
            double sum = 0;
            int n = 0;
            for (int y = top; y <= bottom; ++y)
                for (int x = 0; x < w; ++x)
                    if (Dark(pixels[static_cast<size_t>(y * w + x)])) sum += x, ++n;
            return n ? sum / n : 0;
        };
        return meanColumn(box.top, box.top + third) - meanColumn(box.bottom - third, box.bottom);
    }
};

} // namespace

TEST(TextTool, EmptyTextGetsAGrabBoxAndDrawsNothing) {
    Page page(120, 60);
    const std::optional<RectF> box = DrawTextTool(page.target(), L"", 15.5f, 22, L"Tahoma", 20, 0, 0, kBlack, 255);
    ASSERT_TRUE(box);
    const RectF b = *box;
    EXPECT_FLOAT_EQ(b.X, 15.5f);
    EXPECT_FLOAT_EQ(b.Y, 22);
    EXPECT_FLOAT_EQ(b.Width, 30);
    EXPECT_FLOAT_EQ(b.Height, 17);
    EXPECT_EQ(page.ink([](uint32_t c) { return c != kWhite; }).count, 0);
}

TEST(TextTool, InkLiesInTheMeasuredBoxAlsoForAFaceNotInstalled) {
    for (const wchar_t* face : {L"Tahoma", L"No Such Face Anywhere"}) {
        Page page(400, 100);
        const RectF b = page.Tool(L"Vellumo Text", 0, 255, 2, 40, face).value_or(RectF());
        SCOPED_TRACE(Narrow(face));
        EXPECT_FLOAT_EQ(b.X, 10);
        EXPECT_FLOAT_EQ(b.Y, 10);
        // A 40-pixel font: a line of about that height, wider than it is high.
        EXPECT_GT(b.Height, 40 * 0.9);
        EXPECT_LT(b.Height, 40 * 1.6);
        EXPECT_GT(b.Width, 3 * b.Height);
        const DrawnBox ink = page.ink();
        ASSERT_GT(ink.count, 200);
        EXPECT_GE(ink.left, 10);
        EXPECT_GE(ink.top, 10);
        EXPECT_LE(ink.right, b.X + b.Width + 1);
        EXPECT_LE(ink.bottom, b.Y + b.Height + 1);
        // The ink fills most of the box's width: it is text of the asked size, not a tiny fallback.
        EXPECT_GT(ink.right - ink.left, b.Width * 0.7);
    }
}

TEST(TextTool, StylesByNumber) {
    // "Arial" (a replaced face here) has real bold and italic faces; Wine draws Tahoma's bold with
    // its regular glyphs.
    struct Styled {
        Page strokes{500, 100}; // upright strokes show the lean
        Page words{500, 100};   // lower-case letters are wider in bold
        RectF box{};
        explicit Styled(int32_t style) {
            strokes.Tool(L"IIIII HHH", style, 255, 2, 50, L"Arial");
            box = words.Tool(L"multitool", style, 255, 2, 50, L"Arial").value_or(RectF());
        }
    };
    const Styled regular(0), italic(1), bold(2), boldItalic(3), underline(4), other(7);

    // Bold measures wider and carries more ink; italic is not bold.
    EXPECT_GT(bold.box.Width, regular.box.Width + 5);
    EXPECT_GT(boldItalic.box.Width, italic.box.Width + 5);
    EXPECT_GT(bold.strokes.ink().count, regular.strokes.ink().count * 1.15);
    EXPECT_LT(italic.strokes.ink().count, regular.strokes.ink().count * 1.1);
    // Italic leans to the right; regular and bold stand upright.
    EXPECT_GT(italic.strokes.Lean(), 3.0);
    EXPECT_GT(boldItalic.strokes.Lean(), 3.0);
    EXPECT_LT(std::abs(regular.strokes.Lean()), 1.0);
    EXPECT_LT(std::abs(bold.strokes.Lean()), 1.0);
    // Underline keeps the regular letters and measure. (Wine's GdipDrawString draws no underline
    // line, so the line itself is not looked for.)
    EXPECT_NEAR(underline.box.Width, regular.box.Width, 1.0);
    EXPECT_LT(std::abs(underline.strokes.Lean()), 1.0);
    EXPECT_EQ(TextToolFontStyle(4), FontStyleUnderline);
    // Any other number is regular.
    EXPECT_FLOAT_EQ(other.box.Width, regular.box.Width);
    EXPECT_EQ(other.strokes.ink().count, regular.strokes.ink().count);
}

TEST(TextTool, OpacityReplacesTheColoursAlpha) {
    Page opaque(300, 80), half(300, 80), tooMuch(300, 80), negative(300, 80);
    opaque.Tool(L"HHHH", 0, 255);
    half.Tool(L"HHHH", 0, 128);
    EXPECT_LT(opaque.Darkest(), 20);
    EXPECT_NEAR(half.Darkest(), 127, 8);

    // Outside 0 to 255 nothing is drawn or measured.
    EXPECT_FALSE(tooMuch.Tool(L"HHHH", 0, 256));
    EXPECT_FALSE(negative.Tool(L"HHHH", 0, -1));
    EXPECT_EQ(tooMuch.Darkest(), 255);
    EXPECT_EQ(negative.Darkest(), 255);
}

TEST(ShadowText, ShadowLiesOnePixelBelowTheText) {
    Page plain(300, 60), shadowOnly(300, 60), both(300, 60);
    DrawShadowText(plain.target(), L"Shadowed caption", 5, 5, L"Tahoma", 12, kRed, 0, false, 250);
    DrawShadowText(shadowOnly.target(), L"Shadowed caption", 5, 5, L"Tahoma", 12, 0, 0, true, 250);
    DrawShadowText(both.target(), L"Shadowed caption", 5, 5, L"Tahoma", 12, kRed, 0, true, 250);

    auto reddish = [](uint32_t c) { return RedOf(c) > 180 && GreenOf(c) < 120 && BlueOf(c) < 120; };
    const DrawnBox text = plain.ink(reddish);
    const DrawnBox shadow = shadowOnly.ink(Dark);
    ASSERT_GT(text.count, 0);
    ASSERT_GT(shadow.count, 0);
    // Without a shadow the text stands at the measured box, where the shadow goes.
    EXPECT_EQ(shadow.top, text.top);
    EXPECT_EQ(shadow.bottom, text.bottom);
    EXPECT_NEAR(shadow.left, text.left, 1);
    // With one, the text moves 1 pixel up and the shadow shows under it.
    const DrawnBox raised = both.ink(reddish);
    const DrawnBox under = both.ink([](uint32_t c) { return RedOf(c) < 100 && GreenOf(c) < 100 && BlueOf(c) < 100; });
    EXPECT_EQ(raised.top, text.top - 1);
    EXPECT_EQ(raised.bottom, text.bottom - 1);
    EXPECT_EQ(under.bottom, text.bottom);
}

TEST(ShadowText, LongCaptionIsCutWithAnEllipsis) {
    const std::wstring caption = L"HHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHH";
    Page full(600, 40), cut(600, 40);
    DrawShadowText(full.target(), caption, 5, 5, L"Tahoma", 12, kBlack, 0, false, 590);
    DrawShadowText(cut.target(), caption, 5, 5, L"Tahoma", 12, kBlack, 0, false, 120);
    const DrawnBox whole = full.ink();
    const DrawnBox part = cut.ink();
    ASSERT_GT(whole.count, 0);
    ASSERT_GT(part.count, 0);
    EXPECT_GT(whole.right, 300);
    EXPECT_LE(part.right, 5 + 120);
    EXPECT_GT(part.right, 5 + 120 - 25);
    // The caption ends in dots on the baseline: the last few columns have ink only low down, where
    // a cut letter would reach up to the top of the capitals.
    const int capitalsTop = whole.top, baseline = whole.bottom;
    int highInkInTail = 0, lowInkInTail = 0;
    for (int x = part.right - 3; x <= part.right; ++x) {
        for (int y = capitalsTop; y <= baseline; ++y) {
            if (!Dark(PixelAt(cut.dib.new_Img, x, y))) continue;
            if (y < baseline - (baseline - capitalsTop) / 3)
                ++highInkInTail;
            else
                ++lowInkInTail;
        }
    }
    EXPECT_EQ(highInkInTail, 0);
    EXPECT_GT(lowInkInTail, 0);
}
