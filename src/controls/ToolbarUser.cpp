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

void ToolbarUser::PaintTitles(float px, float py, bool pressed) {
    if (!App().GdiplusToken || !hWnd()) return;
    Cls();
    {
        GdipGraphics g = CreateGraphics();
        GdipFont font = CreateFontWithFallback(L"Tahoma", 8, FontStyleRegular, UnitPoint);
        GdipStringFormat format;
        GdipCreateStringFormat(0, LANG_NEUTRAL, format.put());
        GdipSolidFill text = MakeSolidFill(ColorARGB(255, 0, 0, 0));
        GdipSolidFill wash = MakeSolidFill(ColorARGB(70, 255, 255, 255));
        GdipSolidFill shade = MakeSolidFill(ColorARGB(100, 0, 0, 0));
        if (!g || !font || !text || !wash || !shade) return;
        GdipSetTextRenderingHint(g.get(), TextRenderingHintClearTypeGridFit);
        const float stripHeight = static_cast<float>(Height());
        for (int32_t i = 0; i < kTitleCount; ++i) {
            const float left = titleLeft_[static_cast<size_t>(i)];
            const RectF layout(left, kTitleTop + 1, 90, 0);
            RectF box{};
            GdipMeasureString(g.get(), kTitles[i], -1, font.get(), &layout, format.get(), &box, nullptr, nullptr);
            // The title's band: the caption's measured width, the strip's height less 2.
            const RectF title(box.X, 0, box.Width + 2, stripHeight - 2);
            if (HitRect(title, px, py)) {
                if (pressed) {
                    GdipFillRectangle(g.get(), wash.get(), title.X, title.Y, title.Width, title.Height);
                    pressID_ = i;
                }
                GdipFillRectangle(g.get(), shade.get(), title.X, title.Y, title.Width, title.Height);
            }
            const RectF where(title.X, kTitleTop, title.Width, title.Height);
            GdipDrawString(g.get(), kTitles[i], -1, font.get(), &where, format.get(), text.get());
        }
    }
    Refresh();
}
