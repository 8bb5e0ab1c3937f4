#include "imaging/DIBsave.h"
#include "imaging/ModGDI.h"
#include "imaging/TextRendering.h"
#include "platform/AppState.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {
// Test executables run side by side on one screen; the imaging tests' windows keep to a corner of
// their own so that no other test's window covers them, nor they another's.
constexpr int kWindowX = 700;
constexpr int kWindowY = 560;
constexpr uint32_t kWhite = ColorARGB(255, 255, 255, 255);
constexpr uint32_t kBlack = ColorARGB(255, 0, 0, 0);
constexpr uint32_t kRed = ColorARGB(255, 255, 0, 0);

int Red(uint32_t argb) {
    return static_cast<int>((argb >> 16) & 0xFF);
}
int Green(uint32_t argb) {
    return static_cast<int>((argb >> 8) & 0xFF);
}
int Blue(uint32_t argb) {
    return static_cast<int>(argb & 0xFF);
}

// Where the pixels that match lie, and how many there are.
struct Ink {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1, count = 0;
    [[nodiscard]] bool empty() const { return count == 0; }
};

Ink FindInk(GpBitmap* bitmap, int w, int h, const std::function<bool(uint32_t)>& isInk) {
    Ink ink;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!isInk(PixelAt(bitmap, x, y)))
                continue;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
            ++ink.count;
        }
    }
    return ink;
}

bool Dark(uint32_t argb) {
    return Red(argb) < 160 && Green(argb) < 160 && Blue(argb) < 160;
}

// A white page with the text tool's text on it.
struct Page {
    DIBsave dib;
    int w, h;
    Page(int width, int height) : w(width), h(height) {
        EXPECT_TRUE(dib.CreateBlankMemory(height, width));
        dib.ClearScreen(kWhite);
    }
    [[nodiscard]] DrawTarget target() const { return DrawTarget::Surface(dib.MemGraphics); }
    [[nodiscard]] Ink ink(const std::function<bool(uint32_t)>& isInk = Dark) const {
        return FindInk(dib.new_Img, w, h, isInk);
    }
    RectF Tool(const std::wstring& text, int32_t style, float opacity = 255, int32_t hint = 2, float size = 40,
               const std::wstring& face = L"Tahoma") {
        DrawTextTool(target(), text, 10, 10, face, static_cast<int32_t>(size), style, hint, kBlack, opacity);
        return App().TextBounds;
    }
};

// The mean column of the ink in rows [top, bottom].
double MeanInkColumn(const Page& page, int top, int bottom) {
    double sum = 0;
    int n = 0;
    for (int y = top; y <= bottom; ++y) {
        for (int x = 0; x < page.w; ++x) {
            if (Dark(PixelAt(page.dib.new_Img, x, y))) {
                sum += x;
                ++n;
            }
        }
    }
    return n ? sum / n : 0;
}

// How much the ink leans: the shift of the upper third's mean column against the lower third's.
double Lean(const Page& page) {
    const Ink ink = page.ink();
    const int third = (ink.bottom - ink.top) / 3;
    return MeanInkColumn(page, ink.top, ink.top + third) - MeanInkColumn(page, ink.bottom - third, ink.bottom);
}
} // namespace

TEST(TextTool, EmptyTextGetsAGrabBoxAndDrawsNothing) {
    Page page(120, 60);
    App().TextBounds = RectF{1, 2, 3, 4};
    DrawTextTool(page.target(), L"", 15.5f, 22, L"Tahoma", 20, 0, 0, kBlack, 255);
    const RectF b = App().TextBounds;
    EXPECT_FLOAT_EQ(b.X, 15.5f);
    EXPECT_FLOAT_EQ(b.Y, 22);
    EXPECT_FLOAT_EQ(b.Width, 30);
    EXPECT_FLOAT_EQ(b.Height, 17);
    EXPECT_TRUE(page.ink([](uint32_t c) { return c != kWhite; }).empty());
}

TEST(TextTool, InkLiesInTheMeasuredBox) {
    Page page(400, 100);
    const RectF b = page.Tool(L"Vellumo Text", 0);
    EXPECT_FLOAT_EQ(b.X, 10);
    EXPECT_FLOAT_EQ(b.Y, 10);
    // A 40-pixel font: a line of about that height, wider than it is high.
    EXPECT_GT(b.Height, 40 * 0.9);
    EXPECT_LT(b.Height, 40 * 1.6);
    EXPECT_GT(b.Width, 3 * b.Height);
    const Ink ink = page.ink();
    ASSERT_FALSE(ink.empty());
    EXPECT_GE(ink.left, 10);
    EXPECT_GE(ink.top, 10);
    EXPECT_LE(ink.right, b.X + b.Width + 1);
    EXPECT_LE(ink.bottom, b.Y + b.Height + 1);
    // The ink fills most of the box's width: it is text of the asked size, not a tiny fallback.
    EXPECT_GT(ink.right - ink.left, b.Width * 0.7);
}

TEST(TextTool, StylesByNumber) {
    // "Arial" (a replaced face here) has real bold and italic faces; Wine draws Tahoma's bold with
    // its regular glyphs.
    const std::wstring face = L"Arial";
    struct Styled {
        Page strokes{500, 100}; // upright strokes show the lean
        Page words{500, 100};   // lower-case letters are wider in bold
        RectF box{};
        explicit Styled(int32_t style, const std::wstring& face) {
            strokes.Tool(L"IIIII HHH", style, 255, 2, 50, face);
            box = words.Tool(L"multitool", style, 255, 2, 50, face);
        }
    };
    const Styled regular(0, face), italic(1, face), bold(2, face), boldItalic(3, face), underline(4, face),
        other(7, face);

    // Bold measures wider and carries more ink; italic is not bold.
    EXPECT_GT(bold.box.Width, regular.box.Width + 5);
    EXPECT_GT(boldItalic.box.Width, italic.box.Width + 5);
    EXPECT_GT(bold.strokes.ink().count, regular.strokes.ink().count * 1.15);
    EXPECT_LT(italic.strokes.ink().count, regular.strokes.ink().count * 1.1);
    // Italic leans to the right; regular and bold stand upright.
    EXPECT_GT(Lean(italic.strokes), 3.0);
    EXPECT_GT(Lean(boldItalic.strokes), 3.0);
    EXPECT_LT(std::abs(Lean(regular.strokes)), 1.0);
    EXPECT_LT(std::abs(Lean(bold.strokes)), 1.0);
    // Underline keeps the regular letters and measure. (Wine's GdipDrawString draws no underline
    // line, so the line itself is not looked for.)
    EXPECT_NEAR(underline.box.Width, regular.box.Width, 1.0);
    EXPECT_LT(std::abs(Lean(underline.strokes)), 1.0);
    EXPECT_EQ(TextToolFontStyle(4), FontStyleUnderline);
    // Any other number is regular.
    EXPECT_FLOAT_EQ(other.box.Width, regular.box.Width);
    EXPECT_EQ(other.strokes.ink().count, regular.strokes.ink().count);
}

TEST(TextTool, OpacityReplacesTheColoursAlpha) {
    Page opaque(300, 80), half(300, 80), tooMuch(300, 80), negative(300, 80);
    opaque.Tool(L"HHHH", 0, 255);
    half.Tool(L"HHHH", 0, 128);
    auto darkest = [](const Page& p) {
        int d = 255;
        for (int y = 0; y < p.h; ++y)
            for (int x = 0; x < p.w; ++x)
                d = std::min(d, Red(PixelAt(p.dib.new_Img, x, y)));
        return d;
    };
    EXPECT_LT(darkest(opaque), 20);
    EXPECT_NEAR(darkest(half), 127, 8);

    // Outside 0 to 255 nothing is drawn and the box stays as it was.
    App().TextBounds = RectF{1, 2, 3, 4};
    tooMuch.Tool(L"HHHH", 0, 256);
    negative.Tool(L"HHHH", 0, -1);
    EXPECT_FLOAT_EQ(App().TextBounds.Width, 3);
    EXPECT_FLOAT_EQ(App().TextBounds.X, 1);
    EXPECT_EQ(darkest(tooMuch), 255);
    EXPECT_EQ(darkest(negative), 255);
}

TEST(TextTool, FaceNotInstalledFallsBackInsteadOfVanishing) {
    Page missing(400, 100);
    const RectF b = missing.Tool(L"Vellumo Text", 0, 255, 2, 40, L"No Such Face Anywhere");
    EXPECT_GT(b.Width, 100);
    const Ink ink = missing.ink();
    EXPECT_GT(ink.count, 200);
    EXPECT_GT(ink.right - ink.left, b.Width * 0.7);
}

// Sharp and smooth differ by the hint they set on the surface. (Wine renders every hint alike, so
// the pixels are not compared.)
TEST(TextTool, RenderingHintsSetOnTheSurface) {
    const std::pair<int32_t, TextRenderingHint> cases[] = {{0, TextRenderingHintSystemDefault},
                                                           {1, TextRenderingHintClearTypeGridFit},
                                                           {2, TextRenderingHintAntiAlias},
                                                           {9, TextRenderingHintSystemDefault}};
    for (auto [number, hint] : cases) {
        Page page(300, 80);
        page.Tool(L"Sharp or smooth", 0, 255, number, 20);
        TextRenderingHint set = TextRenderingHintSingleBitPerPixel;
        GdipGetTextRenderingHint(page.dib.MemGraphics, &set);
        EXPECT_EQ(set, hint) << "rendering " << number;
        EXPECT_FALSE(page.ink().empty());
    }
}

TEST(ShadowText, ShadowLiesOnePixelBelowTheText) {
    Page plain(300, 60), shadowOnly(300, 60), both(300, 60);
    DrawShadowText(plain.target(), L"Shadowed caption", 5, 5, L"Tahoma", 12, kRed, 0, false, 250);
    DrawShadowText(shadowOnly.target(), L"Shadowed caption", 5, 5, L"Tahoma", 12, 0, 0, true, 250);
    DrawShadowText(both.target(), L"Shadowed caption", 5, 5, L"Tahoma", 12, kRed, 0, true, 250);

    auto reddish = [](uint32_t c) { return Red(c) > 180 && Green(c) < 120 && Blue(c) < 120; };
    const Ink text = plain.ink(reddish);
    const Ink shadow = shadowOnly.ink(Dark);
    ASSERT_FALSE(text.empty());
    ASSERT_FALSE(shadow.empty());
    // Without a shadow the text stands at the measured box, where the shadow goes.
    EXPECT_EQ(shadow.top, text.top);
    EXPECT_EQ(shadow.bottom, text.bottom);
    EXPECT_NEAR(shadow.left, text.left, 1);
    // With one, the text moves 1 pixel up and the shadow shows under it.
    const Ink raised = both.ink(reddish);
    const Ink under = both.ink([](uint32_t c) { return Red(c) < 100 && Green(c) < 100 && Blue(c) < 100; });
    EXPECT_EQ(raised.top, text.top - 1);
    EXPECT_EQ(raised.bottom, text.bottom - 1);
    EXPECT_EQ(under.bottom, text.bottom);
}

TEST(ShadowText, LongCaptionIsCutWithAnEllipsis) {
    const std::wstring caption = L"HHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHHH";
    Page full(600, 40), cut(600, 40);
    DrawShadowText(full.target(), caption, 5, 5, L"Tahoma", 12, kBlack, 0, false, 590);
    DrawShadowText(cut.target(), caption, 5, 5, L"Tahoma", 12, kBlack, 0, false, 120);
    const Ink whole = full.ink();
    const Ink part = cut.ink();
    ASSERT_FALSE(whole.empty());
    ASSERT_FALSE(part.empty());
    EXPECT_GT(whole.right, 300);
    EXPECT_LE(part.right, 5 + 120);
    EXPECT_GT(part.right, 5 + 120 - 25);
    // The caption ends in dots on the baseline: the last few columns have ink only low down, where
    // a cut letter would reach up to the top of the capitals.
    const int capitalsTop = whole.top, baseline = whole.bottom;
    int highInkInTail = 0, lowInkInTail = 0;
    for (int x = part.right - 3; x <= part.right; ++x) {
        for (int y = capitalsTop; y <= baseline; ++y) {
            if (!Dark(PixelAt(cut.dib.new_Img, x, y)))
                continue;
            if (y < baseline - (baseline - capitalsTop) / 3)
                ++highInkInTail;
            else
                ++lowInkInTail;
        }
    }
    EXPECT_EQ(highInkInTail, 0);
    EXPECT_GT(lowInkInTail, 0);
}

TEST(TextOnAWindow, ToolTextAndCaptionOnTheDeviceContext) {
    TestWindow window(320, 120, kWindowX, kWindowY);
    RectF bounds{};
    window.onMessage = [&](UINT msg, WPARAM, LPARAM, LRESULT*) {
        if (msg != WM_PAINT)
            return false;
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(window.hwnd(), &ps);
        DrawTextTool(DrawTarget::Dc(dc), L"Window text", 20, 10, L"Tahoma", 30, 2, 1, kBlack, 255);
        bounds = App().TextBounds;
        DrawShadowText(DrawTarget::Dc(dc), L"A caption on the window", 20, 80, L"Microsoft Sans Serif", 10, kWhite, 0,
                       true, 280);
        ::EndPaint(window.hwnd(), &ps);
        return true;
    };
    ::InvalidateRect(window.hwnd(), nullptr, TRUE);
    TestWindow::Pump(150);
    EXPECT_FLOAT_EQ(bounds.X, 20);
    EXPECT_FLOAT_EQ(bounds.Y, 10);
    EXPECT_GT(bounds.Width, 100);
    int toolInk = 0, outside = 0, shadowInk = 0;
    for (int y = 0; y < 120; ++y) {
        for (int x = 0; x < 320; ++x) {
            const COLORREF c = TestWindow::ScreenPixel(window.hwnd(), x, y);
            const bool dark = GetRValue(c) < 100;
            if (y < 70) {
                if (dark && x >= bounds.X && x <= bounds.X + bounds.Width + 1 && y <= bounds.Y + bounds.Height + 1)
                    ++toolInk;
                else if (dark)
                    ++outside;
            } else if (dark) {
                ++shadowInk;
            }
        }
    }
    EXPECT_GT(toolInk, 100);
    EXPECT_EQ(outside, 0);
    // White text on white shows only through its shadow.
    EXPECT_GT(shadowInk, 30);
}
