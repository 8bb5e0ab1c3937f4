#include "editor/CanvasStamp.h"

#include "editor/CanvasModel.h"
#include "imaging/BoxReduce.h"
#include "imaging/BrushTools.h"
#include "imaging/DrawTarget.h"
#include "imaging/GdiDIB.h"
#include "imaging/ImageTransforms.h"
#include "imaging/LayerFilters.h"
#include "imaging/ModGDI.h"
#include "imaging/ShapeFills.h"
#include "platform/PathHelpers.h"
#include "platform/Rounding.h"

#include <algorithm>
#include <cmath>

namespace {

// A new stamp bitmap of w x h holding image drawn at drawW x drawH; false when it cannot be made.
bool MakeLayer(DIBsave& layer, GpImage* image, int32_t w, int32_t h, float drawW, float drawH) {
    if (!image || w <= 0 || h <= 0) return false;
    if (!layer.CreateBlankMemory(h, w, nullptr, false, true) || !layer.MemGraphics) return false;
    // The stamp's pixels as they are, transparency included.
    GdipSetCompositingMode(layer.MemGraphics, CompositingModeSourceCopy);
    const GpStatus drawn = GdipDrawImageRect(layer.MemGraphics, image, 0, 0, drawW, drawH);
    GdipSetCompositingMode(layer.MemGraphics, CompositingModeSourceOver);
    return drawn == Ok;
}

bool LoadLayer(DIBsave& layer, const std::wstring& fileName) {
    GdiDIB loaded;
    if (!loaded.Import(fileName)) return false;
    return MakeLayer(layer, loaded.DIB(), RoundHalfEven(loaded.Width()), RoundHalfEven(loaded.Height()),
                     static_cast<float>(RoundHalfEven(loaded.Width())),
                     static_cast<float>(RoundHalfEven(loaded.Height())));
}

} // namespace

float StampOpacity(float sliderValue) {
    return static_cast<float>(RoundHalfEven((1.0 - sliderValue / 100.0) * 10.0)) / 10.0f;
}

void CanvasStamp::RefreshStampUndoState() {
    stepsOnDisk_ = 0;
    for (const CanvasModel::StampStepFile& f : CanvasModel::StampUndolists())
        stepsOnDisk_ = std::max(stepsOnDisk_, f.step + 1);
}

bool CanvasStamp::Load(const std::wstring& fileName, bool newStamp) {
    DIBsave loaded;
    // A file that cannot be read is no new stamp: the one there was keeps its pixels and steps.
    if (!LoadLayer(loaded, fileName)) return false;
    Changed();
    // DIBsave cannot be moved: the stamp takes the loaded pixels by drawing them once more.
    if (!MakeLayer(StampLayer, loaded.new_Img, loaded.NewWidth, loaded.NewHeight, static_cast<float>(loaded.NewWidth),
                   static_cast<float>(loaded.NewHeight)))
        return false;
    if (!newStamp) return true;
    undoIndex_ = 0;
    CanvasModel::DeleteStampSteps(0);
    // Step 0 is the file itself, copied whole before it can be read back.
    (void)WriteThroughTemporaryFile(CanvasModel::StampUndoFile(0), [&](const std::wstring& temporary) {
        return ::CopyFileW(fileName.c_str(), temporary.c_str(), FALSE) != FALSE;
    });
    RefreshStampUndoState();
    return true;
}

void CanvasStamp::Options(int32_t kind) {
    StampBrushKind = kind;
    if (kind == kStampMove) return;
    DIBsave step;
    if (LoadLayer(step, CanvasModel::StampUndoFile(undoIndex_)) &&
        MakeLayer(StampLayer, step.new_Img, step.NewWidth, step.NewHeight, static_cast<float>(step.NewWidth),
                  static_cast<float>(step.NewHeight)))
        Changed();
}

bool CanvasStamp::WriteStep() {
    if (!Exists()) return false;
    const int32_t next = undoIndex_ + 1;
    if (!StampLayer.Save(CanvasModel::StampUndoFile(next), kFormatPng, 90)) return false;
    CanvasModel::DeleteStampSteps(next + 1);
    undoIndex_ = next;
    RefreshStampUndoState();
    return true;
}

bool CanvasStamp::UndoRedo(bool undo) {
    int32_t step = undoIndex_ + (undo ? -1 : 1);
    if (!undo && step >= stepsOnDisk_) return false; // past the newest step
    step = std::max(step, 0);
    // Read into a bitmap of its own first: a step that cannot be read changes nothing.
    DIBsave loaded;
    if (!LoadLayer(loaded, CanvasModel::StampUndoFile(step))) return false;
    if (!MakeLayer(StampLayer, loaded.new_Img, loaded.NewWidth, loaded.NewHeight, static_cast<float>(loaded.NewWidth),
                   static_cast<float>(loaded.NewHeight)))
        return false;
    Changed();
    undoIndex_ = step;
    RefreshStampUndoState();
    return true;
}

bool CanvasStamp::ApplyEffect(int32_t id, float shownW, float shownH, float scaleX, float scaleY) {
    if (!Exists() || id < 1 || id > 7) return false;
    Changed();
    StampEffectId = id;
    const float w = static_cast<float>(Width()), h = static_cast<float>(Height());
    bool changed = false;
    if (id == 6 || id == 7) {
        changed = GdipImageRotateFlip(StampLayer.new_Img, id == 6 ? RotateNoneFlipY : RotateNoneFlipX) == Ok;
    } else {
        GdipBitmap result;
        if (id == 1)
            result = KernelFilter(StampLayer, w, h, 100, kFilterBlur);
        else if (id == 2)
            result = KernelFilter(StampLayer, w, h, 90, kFilterSharpen);
        else if (id == 3)
            result = KernelFilter(StampLayer, w, h, 100, kFilterSoften);
        else if (id == 4)
            result = ContourFilter(StampLayer, w, h);
        else
            result = MaxNeighbourFilter(StampLayer, w, h);
        // The stamp takes the size it is shown at, counted in image pixels.
        const float drawW = scaleX * static_cast<float>(RoundHalfEven(shownW));
        const float drawH = scaleY * static_cast<float>(RoundHalfEven(shownH));
        DIBsave resized;
        changed = result &&
                  MakeLayer(resized, result.get(), RoundHalfEven(drawW), RoundHalfEven(drawH), drawW, drawH) &&
                  MakeLayer(StampLayer, resized.new_Img, resized.NewWidth, resized.NewHeight,
                            static_cast<float>(resized.NewWidth), static_cast<float>(resized.NewHeight));
    }
    const bool written = changed && WriteStep();
    StampEffectId = 0;
    return written;
}

bool CanvasStamp::PrepareLayer() {
    if (prepared_) return true;
    prepared_ = pixelCopy_.Create(Width(), Height(), 32) && GdipImageToDIB(pixelCopy_, StampLayer.new_Img);
    return prepared_;
}

bool CanvasStamp::Dab(const StampDab& dab) {
    const RectF& f = dab.frame;
    if (!Exists() || StampBrushKind == kStampMove || f.Width <= 0 || f.Height <= 0) return false;
    const float sw = static_cast<float>(Width()), sh = static_cast<float>(Height());
    // The brush keeps its size on the stamp's own pixels however small the stamp is shown.
    const int32_t k = RoundHalfEven(std::max(sw / f.Width, sh / f.Height));
    const int32_t size = dab.brushSize + dab.brushSize * k;
    const float xd = (dab.pointer.X - f.X) * sw / f.Width, yd = (dab.pointer.Y - f.Y) * sh / f.Height;
    if (StampBrushKind == kStampAirbrush) {
        const uint32_t colour = RGBToARGB(dab.textColor, 10), clear = RGBToARGB(dab.textColor, 0);
        const float r = static_cast<float>(size) / 2;
        FillGlowEllipse(DrawTarget::Surface(StampLayer.MemGraphics), xd, yd, r, r, xd, yd, 0, colour, clear, true);
        Changed(); // the working copy no longer matches the bitmap
        return true;
    }
    if (!PrepareLayer()) return false;
    // The working copy's rows run bottom-up.
    const auto x = static_cast<int32_t>(std::floor(xd));
    const int32_t y = Height() - 1 - static_cast<int32_t>(std::floor(yd));
    const int32_t kind = StampBrushKind;
    if (kind == kStampEraser) {
        EraserBrush(StampLayer, pixelCopy_, Height(), x, y, size, 50, EraserShape);
    } else if (kind >= kToneDodge && kind <= kToneSharpen) {
        ToneBrush(StampLayer, pixelCopy_, Height(), x, y, size, dab.firstDab ? 3 : 10, kind);
    } else if (kind == kToneSoften) {
        ToneBrush(StampLayer, pixelCopy_, Height(), x, y, size, dab.firstDab ? 5 : 30, kind);
    } else if (kind == kToneSaturation) {
        ToneBrush(StampLayer, pixelCopy_, Height(), x, y, size, dab.firstDab ? -3 : -10, kind);
    } else if (kind == kStampSmudge) {
        // Pixel centres lie half a pixel in from the pixel's corner.
        SmudgeBrush(StampLayer, pixelCopy_, Height(), xd - 0.5f, sh - 0.5f - yd, size);
    } else {
        return false;
    }
    if (previewValid_) {
        // The dab's square with a margin for the smudge's neighbours, in the bitmap's rows.
        const int32_t reach = size / 2 + 3;
        const GpRect area{x - reach, static_cast<INT>(std::floor(yd)) - reach, 2 * reach + 1, 2 * reach + 1};
        previewValid_ = ReduceAreaInto(StampLayer.new_Img, preview_.get(), area);
    }
    return true;
}

void CanvasStamp::Draw(GpGraphics* g, const RectF& frame, float sliderValue) const {
    if (!g || !Exists()) return;
    DrawImageAlpha(DrawTarget::Surface(g), StampLayer.new_Img, frame.X, frame.Y, frame.Width, frame.Height,
                   static_cast<float>(Width()), static_cast<float>(Height()), StampOpacity(sliderValue));
}

void CanvasStamp::DrawOnScreen(GpGraphics* g, const RectF& frame, float sliderValue) {
    if (!g || !Exists()) return;
    const int32_t w = RoundHalfEven(frame.Width), h = RoundHalfEven(frame.Height);
    // Shown at its own size or larger, the stamp is drawn as it is.
    if (w <= 0 || h <= 0 || w >= Width() || h >= Height()) {
        Draw(g, frame, sliderValue);
        return;
    }
    UINT pw = 0, ph = 0;
    if (preview_) {
        GdipGetImageWidth(preview_.get(), &pw);
        GdipGetImageHeight(preview_.get(), &ph);
    }
    if (!previewValid_ || pw != static_cast<UINT>(w) || ph != static_cast<UINT>(h)) {
        preview_.reset();
        if (GdipCreateBitmapFromScan0(w, h, 0, PixelFormat32bppPARGB, nullptr, preview_.put()) != Ok ||
            !ReduceInto(StampLayer.new_Img, preview_.get())) {
            preview_.reset();
            previewValid_ = false;
            Draw(g, frame, sliderValue);
            return;
        }
        previewValid_ = true;
    }
    const float opacity = StampOpacity(sliderValue);
    if (opacity >= 1.0f)
        GdipDrawImageRectRectI(g, preview_.get(), RoundHalfEven(frame.X), RoundHalfEven(frame.Y), w, h, 0, 0, w, h,
                               UnitPixel, nullptr, nullptr, nullptr);
    else
        DrawImageAlpha(DrawTarget::Surface(g), preview_.get(), frame.X, frame.Y, frame.Width, frame.Height,
                       static_cast<float>(w), static_cast<float>(h), opacity);
}

void CanvasStamp::Release() {
    StampLayer.Destroy();
    pixelCopy_.Destroy();
    preview_.reset();
    Changed();
}
