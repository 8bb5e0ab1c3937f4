#include "editor/UndoHistory.h"

#include "imaging/DIBsave.h"
#include "imaging/ModGDI.h"
#include "platform/AppState.h"
#include "platform/FileList.h"

#include <objbase.h>

#include <cwctype>
#include <vector>

namespace {

// "UNDO12.UDO": one numbered step file. Other files matching "*.udo" are not the canvas's.
bool IsStepFileKey(const std::wstring& key) {
    static const std::wstring prefix = L"UNDO", extension = L".UDO";
    if (key.size() <= prefix.size() + extension.size() || key.compare(0, prefix.size(), prefix) != 0 ||
        key.compare(key.size() - extension.size(), extension.size(), extension) != 0)
        return false;
    for (size_t i = prefix.size(); i < key.size() - extension.size(); ++i)
        if (!std::iswdigit(key[i])) return false;
    return true;
}

} // namespace

std::wstring UndoHistory::StepFile(int32_t step) {
    return App().DataPath + L"Undo" + std::to_wstring(step) + L".udo";
}

bool UndoHistory::StepExists(int32_t step) {
    return step >= 0 && ::GetFileAttributesW(StepFile(step).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool UndoHistory::HasStep(int32_t step) const {
    if (pending_ && dropFrom_ > 0 && step >= dropFrom_) return false;
    return StepExists(step);
}

bool UndoHistory::Settle() {
    if (writer_.joinable()) writer_.join();
    if (!pending_) return true;
    pending_ = false;
    dropFrom_ = 0;
    if (written_) return true;
    failedStep_ = writingStep_;
    index_ = indexBefore_;
    // The later step files stay when the new one is not written, the saved one among them.
    savedStep_ = savedBefore_;
    return false;
}

void UndoHistory::StartWrite(GdipBitmap bitmap, int32_t step, int32_t dropFrom) {
    pending_ = true;
    written_ = false;
    ended_ = false;
    writingStep_ = step;
    dropFrom_ = dropFrom;
    GpBitmap* image = bitmap.release();
    const std::wstring path = StepFile(step);
    std::vector<std::wstring> dropped;
    for (int32_t later = dropFrom; dropFrom > 0 && later <= kLastStep; ++later) dropped.push_back(StepFile(later));
    const HWND window = notifyWindow_;
    const UINT message = notifyMessage_;
    auto write = [this, image, path, dropped = std::move(dropped)] {
        written_ = SaveImageSafely(image, path, kFormatPng, 90);
        GdipDisposeImage(image);
        // The redo branch goes only once the step that replaces it is safe on disk.
        if (written_)
            for (const std::wstring& file : dropped) ::DeleteFileW(file.c_str());
    };
    try {
        writer_ = std::thread([this, write, window, message] {
            // The encoders are COM objects: this thread needs its own apartment.
            const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            write();
            if (SUCCEEDED(com)) ::CoUninitialize();
            ended_ = true;
            if (window) ::PostMessageW(window, message, 0, 0);
        });
    } catch (...) {
        // No thread to be had: write here.
        write();
        ended_ = true;
        if (window) ::PostMessageW(window, message, 0, 0);
    }
}

void UndoHistory::Push(GdipBitmap bitmap) {
    const int32_t step = NextIndex();
    indexBefore_ = index_;
    index_ = step;
    // The new step's file replaces the saved step's, or drops it with the redo branch.
    savedBefore_ = savedStep_;
    if (savedStep_ >= step) savedStep_ = -1;
    StartWrite(std::move(bitmap), step, step + 1);
}

void UndoHistory::WriteFirst(GdipBitmap bitmap) {
    indexBefore_ = index_;
    savedBefore_ = savedStep_;
    StartWrite(std::move(bitmap), 0, 0);
}

std::vector<std::wstring> UndoHistory::UndoLists() {
    std::vector<std::wstring> steps;
    std::vector<FileListEntry> files;
    if (!ListFolderFiles(App().DataPath, FilePattern(L"*.udo"), files)) return steps;
    for (const FileListEntry& f : files)
        if (IsStepFileKey(f.Key)) steps.push_back(App().DataPath + f.Name);
    return steps;
}

void UndoHistory::Clear() {
    (void)Settle();
    index_ = 0;
    savedStep_ = 0;
    for (const std::wstring& file : UndoLists()) ::DeleteFileW(file.c_str());
}

GdipBitmap FullCopy(GpImage* image) {
    GdipBitmap copy;
    if (!image) return copy;
    UINT w = 0, h = 0;
    GdipGetImageWidth(image, &w);
    GdipGetImageHeight(image, &h);
    if (w == 0 || h == 0) return copy;
    ImageType type = ImageTypeUnknown;
    GdipGetImageType(image, &type);
    // A bitmap is converted pixel by pixel; drawing it would resample every pixel.
    if (type == ImageTypeBitmap &&
        GdipCloneBitmapAreaI(0, 0, static_cast<INT>(w), static_cast<INT>(h), PixelFormat32bppARGB,
                             static_cast<GpBitmap*>(image), copy.put()) == Ok)
        return copy;
    copy.reset();
    if (GdipCreateBitmapFromScan0(static_cast<INT>(w), static_cast<INT>(h), 0, PixelFormat32bppARGB, nullptr,
                                  copy.put()) != Ok)
        return {};
    GdipGraphics g;
    if (GdipGetImageGraphicsContext(copy.get(), g.put()) != Ok ||
        GdipDrawImageRectI(g.get(), image, 0, 0, static_cast<INT>(w), static_cast<INT>(h)) != Ok)
        return {};
    return copy;
}
