#include "editor/CanvasModel.h"

#include "imaging/ImageOrientation.h"
#include "imaging/JpegExif.h"
#include "platform/AppState.h"
#include "platform/FileList.h"
#include "platform/Rounding.h"
#include "platform/TextCase.h"

#include <algorithm>
#include <cwctype>

namespace {

// "STAMPUNDO12.SUDO": one numbered stamp step file, its number; -1 for other files that happen to
// match the wildcard, which are not the canvas's and stay.
int64_t StampStepOfKey(const std::wstring& key) {
    static const std::wstring prefix = L"STAMPUNDO", extension = L".SUDO";
    if (key.size() <= prefix.size() + extension.size() || key.compare(0, prefix.size(), prefix) != 0 ||
        key.compare(key.size() - extension.size(), extension.size(), extension) != 0)
        return -1;
    int64_t step = 0;
    for (size_t i = prefix.size(); i < key.size() - extension.size(); ++i) {
        if (!std::iswdigit(key[i])) return -1;
        step = std::min<int64_t>(step * 10 + (key[i] - L'0'), INT32_MAX);
    }
    return step;
}

} // namespace

bool UndoBuffer::Create(int32_t w, int32_t h) {
    Reset();
    if (w <= 0 || h <= 0 || GdipCreateBitmapFromScan0(w, h, 0, PixelFormat32bppARGB, nullptr, bitmap_.put()) != Ok) {
        bitmap_.reset();
        return false;
    }
    MakeSurface();
    if (!surface_) {
        Reset();
        return false;
    }
    blank_ = true;
    return true;
}

void UndoBuffer::MakeSurface() {
    surface_.reset();
    if (!bitmap_ || GdipGetImageGraphicsContext(bitmap_.get(), surface_.put()) != Ok) {
        surface_.reset();
        return;
    }
    GdipSetSmoothingMode(surface_.get(), SmoothingModeAntiAlias);
    GdipSetInterpolationMode(surface_.get(), InterpolationModeHighQualityBilinear);
}

void UndoBuffer::Hold(GdipBitmap step) {
    Reset();
    bitmap_ = std::move(step);
    // An indexed step takes no surface; it is handed on as it is.
    MakeSurface();
}

void UndoBuffer::DrawImage(GpImage* image, float w, float h) {
    if (!surface_ || !image) return;
    UINT bw = 0, bh = 0, iw = 0, ih = 0;
    GdipGetImageWidth(bitmap_.get(), &bw);
    GdipGetImageHeight(bitmap_.get(), &bh);
    GdipGetImageWidth(image, &iw);
    GdipGetImageHeight(image, &ih);
    const auto whole = [](float v) { return static_cast<UINT>(std::max(RoundHalfEven(v), 0)); };
    if (blank_ && iw == bw && ih == bh && whole(w) == bw && whole(h) == bh) {
        // Drawn at its own size over nothing, the picture is its own pixels: copied, not resampled.
        GdipBitmap copy = FullCopy(image);
        if (copy) {
            Hold(std::move(copy));
            return;
        }
    }
    GdipDrawImageRect(surface_.get(), image, 0, 0, w, h);
    blank_ = false;
}

void UndoBuffer::Reset() {
    surface_.reset();
    bitmap_.reset();
    blank_ = false;
}

GdipBitmap UndoBuffer::Take() {
    surface_.reset();
    blank_ = false;
    return std::move(bitmap_);
}

CanvasModel::~CanvasModel() {
    ImgDIB.Destroy();
    DeleteScratchFiles();
}

std::wstring CanvasModel::StampUndoFile(int32_t step) {
    return App().DataPath + L"StampUndo" + std::to_wstring(step) + L".sudo";
}

std::vector<CanvasModel::StampStepFile> CanvasModel::StampUndolists() {
    std::vector<StampStepFile> steps;
    std::vector<FileListEntry> files;
    if (!ListFolderFiles(App().DataPath, FilePattern(L"*.sudo"), files)) return steps;
    for (const FileListEntry& f : files)
        if (const int64_t step = StampStepOfKey(f.Key); step >= 0)
            steps.push_back({static_cast<int32_t>(step), App().DataPath + f.Name});
    return steps;
}

void CanvasModel::DeleteStampSteps(int32_t from) {
    for (const StampStepFile& f : StampUndolists())
        if (f.step >= from) ::DeleteFileW(f.path.c_str());
}

bool CanvasModel::LoadImageFile(const std::wstring& fileName, bool* lackedMemory) {
    // Loaded beside the picture shown, which stays if this one does not load.
    GdiDIB loaded;
    LoadReport report;
    const bool ok = loaded.Import(fileName, &report);
    if (lackedMemory) *lackedMemory = report.lackedMemory;
    if (!ok) return false;
    CurFilename = fileName;
    ImgDIB = std::move(loaded);
    openedUnturned_ = report.unturned;
    stepTurns_.fill(1);
    // Read now: by the time the picture is saved its file may be gone or written over.
    const std::string head = ReadFileHead(fileName);
    openedExif_ = ExifSegment(head);
    return true;
}

std::wstring CanvasModel::NewImageFile() {
    return App().AppFolder + L"Tempnewimage.png";
}

std::wstring CanvasModel::DeletedCopyFile() {
    return App().DataPath + L"Tempdelete.tmp";
}

bool CanvasModel::IsScratchFile(const std::wstring& path) {
    const std::wstring shown = LowerText(path);
    return shown == LowerText(NewImageFile()) || shown == LowerText(DeletedCopyFile());
}

uint32_t CanvasModel::PendingOrientation() const {
    if (openedUnturned_ < 2) return 1;
    // Shown are the stored pixels turned by hand; upright they are turned as the open could not.
    return CombinedOrientation(InverseOrientation(stepTurns_[static_cast<size_t>(history_.Index())]), openedUnturned_);
}

void CanvasModel::PushStep(GdipBitmap step, uint32_t turn) {
    stepTurns_[static_cast<size_t>(history_.NextIndex())] =
        CombinedOrientation(stepTurns_[static_cast<size_t>(history_.Index())], turn);
    history_.Push(std::move(step));
}

void CanvasModel::ClearHistory() {
    history_.Clear();
    UndoE = false;
    RedoE = false;
}

void CanvasModel::DeleteScratchFiles() {
    history_.Clear(); // waits for a step being written first
    DeleteStampSteps(0);
    for (const std::wstring& file : {App().DataPath + L"bgtemp.tmp", DeletedCopyFile()}) ::DeleteFileW(file.c_str());
}

void CanvasModel::LayOut(float controlW, float controlH, bool freshUnfitted) {
    fitRect_ = FitImage(ImgDIB.Width(), ImgDIB.Height(), controlW, controlH);
    if (freshUnfitted) {
        zoom_ = 1.0f;
        CentreAtFullSize(view_, ImgDIB.Width(), ImgDIB.Height(), controlW, controlH);
    }
}

void CanvasModel::LayOutForPaint(float controlW, float controlH) {
    if (!fitMode_)
        LayOutZoomed(view_, ImgDIB.Width(), ImgDIB.Height(), zoom_, controlW, controlH, !LeftDown || ResizeTouched);
}

bool CanvasModel::TakeFirstSnapshot() {
    if (!firstL_ || !ImgDIB.DIB()) return false;
    firstL_ = false;
    // Once a step has been made the picture shown is an edited one, and step 0 (the picture as
    // opened) was written before that step: a first-edit mark that comes late must not replace it.
    if (history_.Index() != 0) return false;
    (void)history_.Settle();
    GdipBitmap first = FullCopy(ImgDIB.DIB());
    if (!first) return false;
    history_.WriteFirst(std::move(first));
    return true;
}

bool CanvasModel::TakeMissingFirstStep() {
    if (history_.Index() != 0 || UndoHistory::StepExists(0)) return false;
    firstL_ = true;
    return TakeFirstSnapshot();
}
