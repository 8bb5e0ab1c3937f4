#include "browser/ZzVFiterControl.h"

#include "imaging/GdiDIB.h"
#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"
#include "platform/AppState.h"
#include "platform/MouseMessages.h"
#include "platform/TextCase.h"
#include "platform/HitRect.h"

#include <windowsx.h>

#include <array>

namespace {

constexpr wchar_t kFontName[] = L"Tahoma"; // the panel's font
constexpr float kCheckSize = 16;

// Odd rows, even rows (the first row is even), the marked row.
constexpr std::array<uint32_t, 3> kRowColours = {ColorARGB(255, 255, 255, 255), ColorARGB(100, 255, 255, 255),
                                                 ColorARGB(50, 0, 43, 168)};
constexpr int32_t kMarkedColour = 2;

// The formats style 0 lists, in row order.
constexpr const wchar_t* kFormats[] = {L"*.Png", L"*.Gif",  L"*.Wmf", L"*.Emf", L"*.Bmp",
                                       L"*.Tif", L"*.Tiff", L"*.Jpg", L"*.Jpeg"};

} // namespace

void ZzVFiterControl::IniaData() {
    std::vector<std::wstring> texts;
    if (style_ == 0) {
        imageFormats_.clear();
        for (const wchar_t* format : kFormats) {
            texts.emplace_back(format);
            imageFormats_ += (imageFormats_.empty() ? L"" : L";") + texts.back();
        }
    } else if (style_ == 1) {
        auto ask = [this](std::wstring (FileInfoSource::*member)() const) {
            return source_ ? (source_->*member)() : std::wstring();
        };
        texts = {L"Filename : " + ask(&FileInfoSource::ShowFilename),
                 L"Image Format : " + UpperText(ask(&FileInfoSource::ShowFormat)),
                 L"Image Size : " + ask(&FileInfoSource::ShowSize),
                 L"Date Created : " + ask(&FileInfoSource::ShowCreateData),
                 L"Date Modified : " + ask(&FileInfoSource::ShowModiData),
                 L"Image Width : " + ask(&FileInfoSource::ShowImgWidth) + L" Pixel",
                 L"Image Height : " + ask(&FileInfoSource::ShowImgHeight) + L" Pixel",
                 L"Resolution : " + ask(&FileInfoSource::ShowImgResolution) + L" Dpi",
                 L""};
    }
    rows_.clear();
    for (std::wstring& text : texts) rows_.push_back({std::move(text), true});
}

void ZzVFiterControl::StartPaint() {
    Cls();
    rowRects_.assign(rows_.size(), RectF());
    checkImage_.reset(LoadImageFromFileCopy(App().DataPath + L"Eye.png"));
    colourIndex_ = 0;
    const float width = static_cast<float>(Width());
    for (size_t i = 0; i < rows_.size(); ++i) {
        colourIndex_ = colourIndex_ == 1 ? 0 : 1;
        const int32_t alternating = colourIndex_;
        if (static_cast<int32_t>(i) == markedRow_) colourIndex_ = kMarkedColour;
        rowRects_[i] = RectF(2, toolHeight_ * static_cast<float>(i), width, toolHeight_);
        // Style 0 shows the format without its "*.".
        const std::wstring& text = rows_[i].Text;
        const std::wstring shown = style_ == 1 ? text : (text.size() > 2 ? text.substr(2) : std::wstring());
        const RectF& r = rowRects_[i];
        PaintZzVFilter(shown, r.X, r.Y, r.Width, r.Height, rows_[i].Selected);
        colourIndex_ = alternating;
    }
    Refresh();
}

void ZzVFiterControl::PaintZzVFilter(const std::wstring& text, float x, float y, float w, float h, bool ticked) {
    GdipGraphics graphics = CreateGraphics();
    GpGraphics* g = graphics.get();
    if (!g) return;
    const uint32_t colour = kRowColours[static_cast<size_t>(std::clamp(colourIndex_, 0, kMarkedColour))];
    GdipSolidFill back = MakeSolidFill(colour);
    GdipPen shadow = MakePen(ColorARGB(30, 0, 0, 0), 1);
    GdipPen light = MakePen(ColorARGB(255, 255, 255, 255), 1);
    GdipSolidFill ink = MakeSolidFill(ColorARGB(200, 0, 0, 0));
    GdipFontFamily family;
    GdipCreateFontFamilyFromName(kFontName, nullptr, family.put());
    GdipFont font;
    if (family) GdipCreateFont(family.get(), 8, FontStyleRegular, UnitPoint, font.put());
    GdipSetTextRenderingHint(g, TextRenderingHintClearTypeGridFit);

    if (style_ == 0 && shadow && light) {
        const float top = y + 1, side = h - 3;
        GdipDrawLine(g, shadow.get(), x, top + side, x, top);
        GdipDrawLine(g, shadow.get(), x, top, x + side, top);
        GdipDrawLine(g, light.get(), x + side, top, x + side, top + side);
        GdipDrawLine(g, light.get(), x, top + side, x + side, top + side);
    }
    const float bandX = style_ == 0 ? x + h + 2 : 0;
    const float bandWidth = style_ == 0 ? w - h + 2 : w;
    if (back) GdipFillRectangle(g, back.get(), bandX, y, bandWidth, h);
    if (font && ink) {
        RectF layout(bandX + 5, y + 2, static_cast<float>(Width()), h);
        GdipDrawString(g, text.c_str(), -1, font.get(), &layout, nullptr, ink.get());
    }
    if (style_ == 0 && ticked && checkImage_)
        GdipDrawImageRect(g, checkImage_.get(), x + 1, y + 3, kCheckSize, kCheckSize);
}

void ZzVFiterControl::OnPress(float x, float y) {
    imageFormats_.clear();
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (i < rowRects_.size() && HitRect(rowRects_[i], x, y)) {
            rows_[i].Selected = !rows_[i].Selected;
            markedRow_ = static_cast<int32_t>(i);
        }
        if (style_ == 0 && rows_[i].Selected) imageFormats_ += rows_[i].Text + L";";
    }
    if (style_ == 0 && !imageFormats_.empty()) imageFormats_.pop_back();
    StartPaint();
}

void ZzVFiterControl::OnMove(float x, float y) {
    bool overRow = false;
    for (const RectF& r : rowRects_) overRow = overRow || HitRect(r, x, y);
    if (overRow) {
        // Without the cursor resource the pointer stays as it is.
        if (GetMousePointer() != MousePointer::Custom) static_cast<void>(SetMouseIcon(L"MOUSED"));
    } else if (GetMousePointer() != MousePointer::Default) {
        SetMousePointer(MousePointer::Default);
    }
}

bool ZzVFiterControl::HandleMessage(UINT msg, WPARAM, LPARAM lp, LRESULT*) {
    const float x = static_cast<float>(GET_X_LPARAM(lp)), y = static_cast<float>(GET_Y_LPARAM(lp));
    // The pointer as the picture box reads it (MouseMessages.h), handled before the box raises its own
    // events: the skinned bars all take it so.
    switch (PointerEventOf(msg)) {
    case PointerEvent::Press:
        OnPress(x, y);
        break;
    case PointerEvent::Move:
        OnMove(x, y);
        break;
    default:
        break;
    }
    return false; // the picture box then raises MouseDown for the host
}
