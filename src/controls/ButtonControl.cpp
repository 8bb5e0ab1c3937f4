#include "controls/ButtonControl.h"

#include "platform/HitRect.h"
#include "imaging/DrawTarget.h"
#include "imaging/GdiDIB.h"
#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"
#include "imaging/ShapeFills.h"
#include "platform/AppState.h"

#include <windowsx.h>

void ButtonControl::Painting() {
    if (App().GdiplusToken == 0 || !hDC()) return;
    painted_ = true;
    PaintWhole([this](GpGraphics* g) {
        const float w = static_cast<float>(Width()), h = static_cast<float>(Height());

        GdipSolidFill fill = MakeSolidFill(background_);
        GdipFillRectangle(g, fill.get(), -1, -1, w + 1, h + 1);
        // A white gloss, clear at the top and growing towards the bottom edge.
        GdipLineGradient gloss;
        const RectF glossRect(0, 0, w + 1, h - 1);
        if (GdipCreateLineBrushFromRect(&glossRect, ColorARGB(0, 255, 255, 255), ColorARGB(50, 255, 255, 255),
                                        LinearGradientModeVertical, WrapModeTileFlipY, gloss.put()) == Ok)
            GdipFillRectangle(g, gloss.get(), -1, -1, w + 1, h + 1);
        (void)DrawShapeStroke(DrawTarget::Surface(g), 0, h - 1, w + 1, h - 1, background_, 255, 1, 1, 0);

        // A missing logo is left out; the rest is drawn.
        GdipImage logo(LoadImageFromFileCopy(App().DataPath + L"Logo16pixel.png"));
        if (logo) GdipDrawImageRect(g, logo.get(), 3, 3, 20, 20);

        GdipFontFamily family;
        GdipFont font;
        GdipSolidFill ink = MakeSolidFill(ColorARGB(255, 0, 0, 0));
        if (!caption_.empty() && GdipCreateFontFamilyFromName(fontName_.c_str(), nullptr, family.put()) == Ok &&
            GdipCreateFont(family.get(), 8, FontStyleBold, UnitPoint, font.put()) == Ok) {
            const RectF layout(26, 6, 200, 20);
            GdipDrawString(g, caption_.c_str(), -1, font.get(), &layout, nullptr, ink.get());
        }

        GdipPen glyph = MakePen(ColorARGB(255, 0, 0, 0), 1);
        const RectF c = ButtonRect(kClose), m = ButtonRect(kMinimise);
        GdipDrawLine(g, glyph.get(), c.X + 5, c.Y + 5, c.X + c.Width - 5, c.Y + c.Height - 5);
        GdipDrawLine(g, glyph.get(), c.X + 5, c.Y + c.Height - 5, c.X + c.Width - 5, c.Y + 5);
        GdipDrawLine(g, glyph.get(), m.X + 5, m.Y + m.Height - 5, m.X + m.Width - 5, m.Y + m.Height - 5);

        if (overButton_) {
            const RectF r = ButtonRect(selectIndex_);
            GdipSolidFill highlight = MakeSolidFill(ColorARGB(100, 255, 255, 255));
            GdipFillEllipse(g, highlight.get(), r.X, r.Y, r.Width, r.Height);
        }
    });
}

RectF ButtonControl::ButtonRect(int32_t index) const {
    const float w = static_cast<float>(Width());
    switch (index) {
    case kClose:
        return RectF(w - 20, 5, 16, 16);
    case kMinimise:
        return RectF(w - 40, 5, 16, 16);
    default:
        return RectF(0, 0, 0, 0);
    }
}

void ButtonControl::HitTest(float x, float y) {
    overButton_ = false;
    selectIndex_ = kNone;
    for (int32_t i : {kClose, kMinimise}) {
        if (HitRect(ButtonRect(i), x, y)) {
            overButton_ = true;
            selectIndex_ = i;
            return;
        }
    }
}

bool ButtonControl::HandleMessage(UINT msg, WPARAM, LPARAM lp, LRESULT*) {
    // A strip painted once is painted again at every new size, so the glyphs follow the right edge.
    if (msg == WM_SIZE && painted_) Painting();
    if (msg == WM_MOUSEMOVE) {
        // The highlight follows the pointer; the host's own onMouseMove still runs afterwards.
        HitTest(static_cast<float>(GET_X_LPARAM(lp)), static_cast<float>(GET_Y_LPARAM(lp)));
        Painting();
    }
    return false;
}
