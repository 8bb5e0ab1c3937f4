#include "controls/ToolGrid.h"

#include "controls/PanelShape.h"
#include "platform/HitRect.h"
#include "imaging/GdiDIB.h"
#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"
#include "imaging/PaintPrimitives.h"
#include "imaging/TextRendering.h"
#include "platform/AppState.h"
#include "platform/Rounding.h"

#include <cwchar>

namespace {

constexpr float kIconWidth = 44, kIconHeight = 34;
constexpr float kCaptionTop = 40;
constexpr float kCaptionLayoutWidth = 90;

} // namespace

ToolGrid::ToolGrid(const Captions& captions) : captions_(captions) {}

const std::array<RectF, ToolGrid::kToolCount> ToolGrid::ToolRects = [] {
    std::array<RectF, kToolCount> cells;
    for (int32_t i = 0; i < kToolCount; ++i)
        cells[static_cast<size_t>(i)] =
            RectF(15.0f + 80.0f * static_cast<float>(i % 3), 20.0f + 70.0f * static_cast<float>(i / 3), 50, 50);
    return cells;
}();

int32_t ToolGrid::ToolAt(float x, float y) {
    for (int32_t i = 0; i < kToolCount; ++i)
        if (HitRect(ToolRects[static_cast<size_t>(i)], x, y)) return i;
    return -1;
}

void ToolGrid::LoadIcons() {
    for (int32_t i = 0; i < kToolCount; ++i) {
        wchar_t name[16];
        std::swprintf(name, 16, L"Icon%03d.png", i);
        icons_[static_cast<size_t>(i)].reset(LoadImageFromFileCopy(App().DataPath + name));
    }
}

void ToolGrid::PaintTools(GpGraphics* g) const {
    for (int32_t i = 0; i < kToolCount; ++i) PaintTool(g, i);
}

void ToolGrid::PaintTool(GpGraphics* g, int32_t tool) const {
    if (!g || tool < 0 || tool >= kToolCount) return;
    const RectF& cell = ToolRects[static_cast<size_t>(tool)];
    if (GpImage* icon = icons_[static_cast<size_t>(tool)].get())
        GdipDrawImageRect(g, icon, cell.X, cell.Y, kIconWidth, kIconHeight);

    const GdipFont font = CreateFontWithFallback(L"Tahoma", 8, FontStyleRegular, UnitPoint);
    const GdipSolidFill brush = MakeSolidFill(ColorARGB(150, 0, 0, 0));
    GdipStringFormat format;
    if (!font || !brush || GdipCreateStringFormat(0, LANG_NEUTRAL, format.put()) != Ok) return;
    const std::wstring& caption = captions_[static_cast<size_t>(tool)];
    const RectF layout(cell.X, cell.Y + kCaptionTop, kCaptionLayoutWidth, 0);
    RectF measured{};
    GdipMeasureString(g, caption.c_str(), -1, font.get(), &layout, format.get(), &measured, nullptr, nullptr);
    // Centred under the 44-pixel icon.
    measured.X =
        cell.X + static_cast<float>((static_cast<int32_t>(kIconWidth) - RoundHalfEven(measured.Width)) / 2) - 1;
    measured.Y = cell.Y + kCaptionTop;
    TextRenderingHint hint = TextRenderingHintSystemDefault;
    GdipGetTextRenderingHint(g, &hint);
    GdipSetTextRenderingHint(g, TextRenderingHintClearTypeGridFit);
    GdipDrawString(g, caption.c_str(), -1, font.get(), &measured, format.get(), brush.get());
    GdipSetTextRenderingHint(g, hint);
}

void ToolGrid::PaintHighlight(GpGraphics* g, int32_t tool) {
    if (!g || tool < 0 || tool >= kToolCount) return;
    const RectF& cell = ToolRects[static_cast<size_t>(tool)];
    PaintPanelShape(g, 5, 5, 50, 60, cell.X - 8, cell.Y - 8, true, ColorARGB(150, 179, 179, 179), false, false, {});
}
