#include "imaging/TextRendering.h"

#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace {
GdipFont FontOfFamily(GpFontFamily* family, float size, int32_t gdipStyle, Unit unit) {
    GdipFont font;
    if (family) GdipCreateFont(family, size, gdipStyle, unit, font.put());
    return font;
}

GdipStringFormat MakeFormat() {
    GdipStringFormat format;
    GdipCreateStringFormat(0, LANG_NEUTRAL, format.put());
    return format;
}

INT TextLength(const std::wstring& text) {
    return static_cast<INT>(std::min<size_t>(text.size(), 0x7FFFFFFF));
}

float MeasuredWidth(GpGraphics* surface, const std::wstring& text, GpFont* font, GpStringFormat* format) {
    const RectF layout{0, 0, 0, 0};
    RectF box{};
    if (GdipMeasureString(surface, text.c_str(), TextLength(text), font, &layout, format, &box, nullptr, nullptr) != Ok)
        return 0;
    return box.Width;
}

// The longest start of text that fits width with an ellipsis after it.
std::wstring CutWithEllipsis(GpGraphics* surface, const std::wstring& text, GpFont* font, GpStringFormat* format,
                             float width) {
    const std::wstring ellipsis = L"\u2026";
    auto candidate = [&](size_t length) {
        std::wstring start = text.substr(0, length);
        while (!start.empty() && (start.back() == L' ' || (start.back() >= 0xD800 && start.back() <= 0xDBFF)))
            start.pop_back();
        return start + ellipsis;
    };
    size_t low = 0, high = text.size(); // candidate(low) is taken when nothing longer fits
    while (low < high) {
        const size_t mid = low + (high - low + 1) / 2;
        if (MeasuredWidth(surface, candidate(mid), font, format) <= width)
            low = mid;
        else
            high = mid - 1;
    }
    return candidate(low);
}
} // namespace

std::wstring FitWithEllipsis(GpGraphics* surface, const std::wstring& text, GpFont* font, GpStringFormat* format,
                             float width) {
    // A width of 0 or less sets no limit, as a layout rectangle of width 0 does in GDI+.
    if (width <= 0 || MeasuredWidth(surface, text, font, format) <= width) return text;
    return CutWithEllipsis(surface, text, font, format, width);
}

int32_t TextToolFontStyle(int32_t style) {
    static constexpr int32_t kStyles[] = {FontStyleRegular, FontStyleItalic, FontStyleBold, FontStyleBoldItalic,
                                          FontStyleUnderline};
    return style >= 0 && style < static_cast<int32_t>(std::size(kStyles)) ? kStyles[style] : FontStyleRegular;
}

TextRenderingHint TextToolRenderHint(int32_t renderHint) {
    static constexpr TextRenderingHint kHints[] = {TextRenderingHintSystemDefault, TextRenderingHintClearTypeGridFit,
                                                   TextRenderingHintAntiAlias};
    return renderHint >= 0 && renderHint < static_cast<int32_t>(std::size(kHints)) ? kHints[renderHint]
                                                                                   : TextRenderingHintSystemDefault;
}

GdipFont CreateFontWithFallback(const std::wstring& faceName, float size, int32_t gdipStyle, Unit unit) {
    // GdipCreateFontFamilyFromName refuses a face that is not installed (GDI would substitute one).
    GdipFontFamily named;
    GdipCreateFontFamilyFromName(faceName.c_str(), nullptr, named.put());
    if (GdipFont font = FontOfFamily(named.get(), size, gdipStyle, unit)) return font;

    // Some GDI+ builds make a new family here, others hand out a shared one that tolerates the delete.
    GdipFontFamily generic;
    GdipGetGenericFontFamilySansSerif(generic.put());
    if (GdipFont font = FontOfFamily(generic.get(), size, gdipStyle, unit)) return font;

    // The installed collection is the system's own: it is read here, never deleted.
    GpFontCollection* installed = nullptr;
    INT count = 0;
    if (GdipNewInstalledFontCollection(&installed) != Ok || !installed ||
        GdipGetFontCollectionFamilyCount(installed, &count) != Ok || count <= 0) {
        return {};
    }
    std::vector<GpFontFamily*> families(static_cast<size_t>(count));
    INT found = 0;
    if (GdipGetFontCollectionFamilyList(installed, count, families.data(), &found) != Ok) return {};
    for (INT i = 0; i < found; ++i) {
        GdipFontFamily family;
        if (GdipCloneFontFamily(families[static_cast<size_t>(i)], family.put()) != Ok) continue;
        if (GdipFont font = FontOfFamily(family.get(), size, gdipStyle, unit)) return font;
    }
    return {};
}

void DrawShadowText(const DrawTarget& target, const std::wstring& text, float x, float y, const std::wstring& fontName,
                    int32_t fontSize, uint32_t colour, int32_t style, bool shadow, int32_t layoutWidth) {
    TargetSurface surface(target);
    if (!surface) return;
    GdipSolidFill textBrush = MakeSolidFill(colour);
    GdipSolidFill shadowBrush = MakeSolidFill(ColorARGB(200, 0, 0, 0));
    GdipFont font = CreateFontWithFallback(fontName, static_cast<float>(fontSize), style, UnitPoint);
    GdipStringFormat format = MakeFormat();
    if (!font || !format) return;
    GdipSetStringFormatTrimming(format.get(), StringTrimmingEllipsisCharacter);
    GdipSetTextRenderingHint(surface.get(), TextRenderingHintClearTypeGridFit);

    const RectF layout{x, y, 0, 0};
    RectF box{};
    if (GdipMeasureString(surface.get(), text.c_str(), TextLength(text), font.get(), &layout, format.get(), &box,
                          nullptr, nullptr) != Ok) {
        return;
    }
    // A caption is one line: what does not fit the layout width is cut, never wrapped below.
    // A width of 0 or less sets no limit, as a layout rectangle of width 0 does in GDI+.
    GdipSetStringFormatFlags(format.get(), StringFormatFlagsNoWrap);
    const std::wstring shown =
        FitWithEllipsis(surface.get(), text, font.get(), format.get(), static_cast<float>(layoutWidth));
    box.Width = static_cast<float>(layoutWidth);
    if (shadow) {
        if (shadowBrush) {
            GdipDrawString(surface.get(), shown.c_str(), TextLength(shown), font.get(), &box, format.get(),
                           shadowBrush.get());
        }
        box.Y -= 1;
    }
    if (textBrush) {
        GdipDrawString(surface.get(), shown.c_str(), TextLength(shown), font.get(), &box, format.get(),
                       textBrush.get());
    }
}

std::optional<RectF> DrawTextTool(const DrawTarget& target, const std::wstring& text, float x, float y,
                                  const std::wstring& fontName, int32_t fontSize, int32_t style, int32_t renderHint,
                                  uint32_t colour, float opacity) {
    const auto alpha = TryRoundHalfEven(opacity);
    if (!alpha || *alpha < 0 || *alpha > 255) return std::nullopt;
    TargetSurface surface(target);
    if (!surface) return std::nullopt;
    GdipSolidFill brush = MakeSolidFill(SetColorAlpha(colour, static_cast<uint8_t>(*alpha)));
    GdipFont font = CreateFontWithFallback(fontName, static_cast<float>(fontSize), TextToolFontStyle(style), UnitPixel);
    GdipStringFormat format = MakeFormat();
    GdipSetTextRenderingHint(surface.get(), TextToolRenderHint(renderHint));

    const RectF layout{x, y, 0, 0};
    RectF bounds{};
    const bool measuredOk = !text.empty() && font && format &&
                            GdipMeasureString(surface.get(), text.c_str(), TextLength(text), font.get(), &layout,
                                              format.get(), &bounds, nullptr, nullptr) == Ok;
    // An empty text still gets a box to grab.
    if (!measuredOk || bounds.Width == 0) bounds = RectF{x, y, 30, 17};
    if (measuredOk && brush)
        GdipDrawString(surface.get(), text.c_str(), TextLength(text), font.get(), &bounds, format.get(), brush.get());
    return bounds;
}
