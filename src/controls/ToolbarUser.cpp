#include "controls/ToolbarUser.h"

#include "platform/HitRect.h"
#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"
#include "imaging/TextRendering.h"
#include "platform/AppState.h"

namespace {
constexpr const wchar_t* kTitles[ToolbarUser::kTitleCount] = {L"File",   L"Edit",   L"Browse", L"Image Tool",
                                                              L"Effect", L"Create", L"Help"};
constexpr float kTitleTop = 4;
} // namespace

ToolbarUser::ToolbarUser() {
    PictureBox::onMouseDown = [this](int button, int shift, float x, float y) {
        pressID_ = kNoTitle;
        PaintTitles(x, y, true);
        if (onMouseDown) onMouseDown(button, shift, EventX(), y);
    };
    PictureBox::onMouseMove = [this](int button, int shift, float x, float y) {
        PaintTitles(x, y, true);
        if (onMouseMove) onMouseMove(button, shift, EventX(), y);
    };
    PictureBox::onMouseUp = [this](int button, int shift, float, float y) {
        if (onMouseUp) onMouseUp(button, shift, EventX(), y);
    };
}

bool ToolbarUser::Create(const PictureBoxArgs& args) {
    PictureBoxArgs white = args;
    white.backColor = RGB(255, 255, 255);
    return PictureBox::Create(white);
}

// The pointer is taken at (0, 0), left of the first title.
void ToolbarUser::Create() {
    PaintTitles(0, 0, false);
}

float ToolbarUser::TitleLeft(int32_t index) const {
    return index >= 0 && index < static_cast<int32_t>(titleLeft_.size()) ? titleLeft_[static_cast<size_t>(index)] : 0;
}

// The GDI+ objects of one painting pass on the strip's back buffer.
struct ToolbarUser::TitlePainter {
    GdipGraphics g;
    GdipFont font = CreateFontWithFallback(L"Tahoma", 8, FontStyleRegular, UnitPoint);
    GdipStringFormat format;
    GdipSolidFill text = MakeSolidFill(ColorARGB(255, 0, 0, 0));
    GdipSolidFill wash = MakeSolidFill(ColorARGB(70, 255, 255, 255));
    GdipSolidFill shade = MakeSolidFill(ColorARGB(100, 0, 0, 0));
    float stripHeight;

    explicit TitlePainter(const ToolbarUser& strip)
        : g(strip.CreateGraphics()), stripHeight(static_cast<float>(strip.Height())) {
        GdipCreateStringFormat(0, LANG_NEUTRAL, format.put());
        if (g) GdipSetTextRenderingHint(g.get(), TextRenderingHintClearTypeGridFit);
    }
    explicit operator bool() const { return g && font && text && wash && shade; }
};

void ToolbarUser::PaintTitles(float px, float py, bool pressed) {
    if (!App().GdiplusToken || !hWnd()) return;
    Cls();
    {
        const TitlePainter p(*this);
        if (!p) return;
        for (int32_t i = 0; i < kTitleCount; ++i)
            DrawMenuTitle(p, kTitles[i], kTitleTop, titleLeft_[static_cast<size_t>(i)], px, py, i, pressed);
    }
    Refresh();
}

void ToolbarUser::DrawMenuTitle(const TitlePainter& p, const wchar_t* caption, float top, float left, float px,
                                float py, int32_t index, bool pressed) {
    const RectF layout(left, top + 1, 90, 0);
    RectF box{};
    GdipMeasureString(p.g.get(), caption, -1, p.font.get(), &layout, p.format.get(), &box, nullptr, nullptr);
    // The title's band: the caption's measured width, the strip's height less 2.
    const RectF title(box.X, 0, box.Width + 2, p.stripHeight - 2);
    if (HitRect(title, px, py)) {
        if (pressed) {
            GdipFillRectangle(p.g.get(), p.wash.get(), title.X, title.Y, title.Width, title.Height);
            pressID_ = index;
        }
        GdipFillRectangle(p.g.get(), p.shade.get(), title.X, title.Y, title.Width, title.Height);
    }
    const RectF where(title.X, top, title.Width, title.Height);
    GdipDrawString(p.g.get(), caption, -1, p.font.get(), &where, p.format.get(), p.text.get());
}
