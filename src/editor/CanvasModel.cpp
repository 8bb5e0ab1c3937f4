#include "editor/CanvasModel.h"

#include "imaging/ModGDI.h"
#include "platform/AppState.h"
#include "platform/FileList.h"
#include "platform/Rounding.h"

#include <cwctype>

namespace {

// "Undo12.udo" for prefix "UNDO" and extension ".UDO": the name of one numbered step file. Other
// files that happen to match the wildcard are not the canvas's and stay.
bool IsStepFileName(const std::wstring& key, const std::wstring& prefix, const std::wstring& extension) {
    if (key.size() <= prefix.size() + extension.size() || key.compare(0, prefix.size(), prefix) != 0 ||
        key.compare(key.size() - extension.size(), extension.size(), extension) != 0)
        return false;
    for (size_t i = prefix.size(); i < key.size() - extension.size(); ++i)
        if (!std::iswdigit(key[i])) return false;
    return true;
}

void DeleteStepFiles(const std::wstring& wildcard, const std::wstring& prefix, const std::wstring& extension) {
    std::vector<FileListEntry> files;
    if (!ListFolderFiles(App().DataPath, FilePattern(wildcard), files)) return;
    for (const FileListEntry& f : files)
        if (IsStepFileName(f.Key, prefix, extension)) ::DeleteFileW((App().DataPath + f.Name).c_str());
}

} // namespace

CanvasModel::~CanvasModel() {
    for (DIBsave& step : UndoBuffers) step.Destroy();
    ImgDIB.Destroy();
    DeleteScratchFiles();
}

std::wstring CanvasModel::UndoFile(int32_t step) {
    return App().DataPath + L"Undo" + std::to_wstring(step) + L".udo";
}

std::wstring CanvasModel::StampUndoFile(int32_t step) {
    return App().DataPath + L"StampUndo" + std::to_wstring(step) + L".sudo";
}

bool CanvasModel::LoadImageFile(const std::wstring& fileName) {
    CurFilename = fileName;
    if (ImgDIB.Import(fileName)) return true;
    // Nothing is shown, so no step can belong to it.
    ClearHistory();
    return false;
}

void CanvasModel::ClearHistory() {
    undoIndex_ = 0;
    for (DIBsave& step : UndoBuffers) step.Destroy();
    DeleteStepFiles(L"*.udo", L"UNDO", L".UDO");
    UndoE = false;
    RedoE = false;
}

void CanvasModel::DeleteScratchFiles() {
    DeleteStepFiles(L"*.udo", L"UNDO", L".UDO");
    DeleteStepFiles(L"*.sudo", L"STAMPUNDO", L".SUDO");
    for (const wchar_t* name : {L"bgtemp.tmp", L"Tempdelete.tmp"}) ::DeleteFileW((App().DataPath + name).c_str());
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
    for (DIBsave& step : UndoBuffers) step.Destroy();
    DIBsave& first = UndoBuffers[0];
    const int32_t w = RoundHalfEven(ImgDIB.Width()), h = RoundHalfEven(ImgDIB.Height());
    bool written = first.CreateBlankMemory(h, w) && first.MemGraphics &&
                   GdipDrawImageRectI(first.MemGraphics, ImgDIB.DIB(), 0, 0, w, h) == Ok;
    written = written && first.Save(UndoFile(0), kFormatPng, 90);
    first.Destroy();
    firstL_ = false;
    return written;
}
