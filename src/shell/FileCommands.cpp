#include "shell/FileCommands.h"

#include "editor/CanvasModel.h"
#include "imaging/ClipboardStamp.h"
#include "imaging/GdiDIB.h"
#include "imaging/ModGDI.h"
#include "output/ModMisc.h"
#include "platform/AppState.h"
#include "platform/Hourglass.h"
#include "platform/MessageBoxService.h"
#include "platform/TextCase.h"

const wchar_t* const kOpenImageFilter = L"All Supported files|*.bmp;*.gif;*.jpg;*.jpeg;*.png;*.tif;*.tiff;*.wmf;*.emf"
                                        L"|BMP Windows Bitmap (*.BMP;*.DIB;*.RLE)|*.bmp;*.dib;*.rle"
                                        L"|EMF Windows Enhanced Metafile (*.EMF)|*.emf"
                                        L"|GIF CompuServe GIF (*.GIF)|*.gif"
                                        L"|JPEG Files (*.JPG;*.JPEG)|*.jpg;*.jpeg"
                                        L"|PNG Portable Network Graphics (*.PNG)|*.png"
                                        L"|TIFF Tag Image File Format (*.TIF;*.TIFF)|*.tif;*.tiff"
                                        L"|WMF Windows Metafile (*.WMF)|*.wmf";
const wchar_t* const kSaveImageFilter = L"BMP (Windows Bitmap)|*.bmp"
                                        L"|GIF (CompuServe GIF)|*.gif"
                                        L"|JPG (JPEG)|*.jpg"
                                        L"|PNG (Portable Network Graphics)|*.png"
                                        L"|TIFF (Tag Image File Format)|*.tif";

namespace {

constexpr const wchar_t* kImportTitle = L"Import Image...";
constexpr const wchar_t* kSaveTitle = L"Save Image as...";
constexpr const wchar_t* kSaveCopyTitle = L"Save a Copy...";

std::optional<SaveType> TypeOfExtension(const std::wstring& ext, int32_t jpegQuality) {
    if (ext == L"bmp") return SaveType{kFormatBmp, 0};
    if (ext == L"gif") return SaveType{kFormatGif, 0};
    if (ext == L"jpg") return SaveType{kFormatJpeg, jpegQuality};
    if (ext == L"png") return SaveType{kFormatPng, 0};
    if (ext == L"tif") return SaveType{kFormatTiff, 0};
    return std::nullopt;
}

std::wstring LastChars(const std::wstring& text, size_t count) {
    return text.size() > count ? text.substr(text.size() - count) : text;
}

// Copies from over to through a temporary file beside it, so a failed copy leaves to as it was.
bool CopyOver(const std::wstring& from, const std::wstring& to) {
    const size_t slash = to.rfind(L'\\');
    if (slash != std::wstring::npos) ::CreateDirectoryW(to.substr(0, slash).c_str(), nullptr);
    return WriteThroughTemporaryFile(to, [&](const std::wstring& temporary) {
        return ::CopyFileW(from.c_str(), temporary.c_str(), FALSE) != FALSE;
    });
}

} // namespace

std::optional<SaveType> SaveAsType(const std::wstring& fileExt, int32_t jpegQuality) {
    if (fileExt.size() < 3 || fileExt.compare(0, 2, L"*.") != 0) return std::nullopt;
    return TypeOfExtension(fileExt.substr(2), jpegQuality * 10);
}

std::optional<SaveType> SaveCopyType(const std::wstring& ext) {
    if (ext == L"jpeg") return SaveType{kFormatJpeg, 90};
    if (ext == L"tiff") return SaveType{kFormatTiff, 0};
    return TypeOfExtension(ext, 90);
}

std::wstring EnsureExtension(const std::wstring& path, const std::wstring& fileExt) {
    if (fileExt.empty()) return path;
    const std::wstring tail = LastChars(fileExt, 4);
    return LastChars(path, 4) == tail ? path : path + tail;
}

std::wstring SaveCopyPath(const std::wstring& path) {
    const std::wstring name = GetFileName(path);
    const size_t dot = name.rfind(L'.');
    if (dot == std::wstring::npos) return {};
    const std::wstring folder = path.substr(0, path.size() - name.size());
    return folder + name.substr(0, dot) + L"_Copy." + GetFileExt(path);
}

std::wstring FilesOfType(const std::wstring& path) {
    // GetFileExt gives a name without a dot whole: that is no type.
    const std::wstring ext = FileExtension(path);
    return ext.empty() ? std::wstring(L"files without a type") : UpperText(ext) + L" files";
}

bool AgreeToKeepOnlyShownFrame(HWND owner, const std::wstring& path) {
    const ImageFrames frames = ImageFileFrames(path);
    if (frames.count <= 1 && !frames.uncounted) return true;
    const std::wstring unit = frames.timed ? L"frame" : L"page";
    std::wstring what, lost;
    if (frames.uncounted) {
        // A count that failed says nothing of how many there are: asked as for several.
        what = std::wstring(frames.timed ? L" may be an animation of several frames" : L" may hold several pages") +
               L", which could not be counted";
        lost = L"any other " + unit + L"s are lost";
    } else {
        what = frames.timed ? L" is an animation of " + std::to_wstring(frames.count) + L" frames"
                            : L" holds " + std::to_wstring(frames.count) + L" pages";
        const uint32_t others = frames.count - 1;
        lost = others == 1 ? L"the other " + unit + L" is lost"
                           : L"the other " + std::to_wstring(others) + L" " + unit + L"s are lost";
    }
    return ShowMessageBox(owner,
                          GetFileName(path) + what + L". Saving over it keeps only the " + unit + L" shown; " + lost +
                              L".\nDo you want to save over it?",
                          L"Save...", MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDYES;
}

std::wstring FileCommands::FileDialog(int32_t mode) {
    switch (mode) {
    case 0:
    case 3:
    case 4:
        return OpenImage(mode);
    case 1:
        (void)SaveAs();
        return {};
    case 2:
        (void)SaveCopy();
        return {};
    default:
        return {};
    }
}

std::wstring FileCommands::OpenImage(int32_t mode) {
    // Leaving an unsaved edit asks first; Cancel keeps it and opens nothing.
    if (mode == 0 && host_.UnsavedEdit() && host_.AskSaveChanges() == IDCANCEL) return {};
    const FileDialogChoice choice = AskForFile(LastOpenFilename, kOpenImageFilter, kImportTitle, true);
    if (choice.Path.empty()) return {};
    const std::wstring path = choice.Path;
    LastOpenFilename = path;
    Hourglass wait;
    if (mode == 0) {
        // The file opened is the one the user chose to see: the commands on the selection act on
        // it, and the grid frames it alone (or nothing, when it does not show it). An import only
        // borrows its file, and leaves the selection to the grid.
        App().SelectedFiles = {path, L""};
        host_.FileImport(path);
        host_.SelectInGrid(path);
    } else if (mode == 3) {
        if (!CopyOver(path, StampTempPath())) {
            ShowMessageBox(host_.Owner(), L"The image could not be made the stamp: " + path, kImportTitle,
                           MB_OK | MB_ICONEXCLAMATION);
            return path;
        }
        host_.UseStamp(false, true);
    } else {
        const std::optional<std::wstring> name = host_.AskStampName();
        if (!name) return path;
        if (!CopyOver(path, StampLibPath(*name))) {
            ShowMessageBox(host_.Owner(), L"The stamp could not be written to " + StampLibPath(*name) + L".",
                           kImportTitle, MB_OK | MB_ICONEXCLAMATION);
            return path;
        }
        host_.AddLibraryStamp(App().AppFolder + L"Librarians\\", *name + L".lib");
    }
    return path;
}

FileDialogChoice FileCommands::AskForFile(const std::wstring& fileName, const wchar_t* filter, const wchar_t* title,
                                          bool open) {
    FileDialogArgs args;
    args.owner = host_.Owner();
    args.FileName = fileName;
    args.Filter = filter;
    args.Title = title;
    args.OpenMode = open;
    const FileDialogChoice choice = host_.RunFileDialog(args);
    FileExt = choice.FileExt;
    return choice;
}

bool FileCommands::SaveAs() {
    const FileDialogChoice choice = AskForFile(LastFilename, kSaveImageFilter, kSaveTitle, false);
    bool written = false;
    if (!choice.Path.empty()) {
        const std::wstring path = EnsureExtension(choice.Path, FileExt);
        // The dialog asked about the name it returned; a name that grew since is asked about here.
        const bool replaceAgreed = CompareNoCase(path, choice.Path) == 0 || !FileExists(path) ||
                                   ShowMessageBox(host_.Owner(), path + L" already exists.\nDo you want to replace it?",
                                                  kSaveTitle, MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
        const std::optional<SaveType> type = SaveAsType(FileExt, App().JpegQuality);
        // The shown file chosen again is a save over it, and asks as Save does.
        const bool framesAgreed = !replaceAgreed || !type || CompareNoCase(path, host_.CurFilename()) != 0 ||
                                  AgreeToKeepOnlyShownFrame(host_.Owner(), path);
        if (replaceAgreed && framesAgreed && type) {
            host_.PumpMessages();
            written = Write(path, *type);
            if (written) {
                host_.SavedAs(path);
                host_.MarkSaved();
            }
            if (written && FileExt == L"*.bmp") LastFilename = path;
        }
    }
    ClearPreviewDIB();
    host_.RefreshThumSave();
    return written;
}

bool FileCommands::SaveCopy() {
    const std::wstring shown = host_.CurFilename();
    // A new picture and the copy shown after a delete are scratch files: no copy goes beside them.
    if (CanvasModel::IsScratchFile(shown)) {
        ShowMessageBox(host_.Owner(),
                       L"This picture has no saved file to copy. Save As can save it under a name you choose.",
                       kSaveCopyTitle, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    const std::wstring copy = SaveCopyPath(shown);
    const std::wstring ext = GetFileExt(shown);
    const std::optional<SaveType> type = SaveCopyType(ext);
    bool written = false;
    if (!shown.empty() && (!type || copy.empty())) {
        // No encoder writes the shown file's type (a metafile, a run-length bitmap): said, not skipped.
        ShowMessageBox(host_.Owner(),
                       L"No copy of " + GetFileName(shown) + L" could be made: pictures cannot be saved as " +
                           FilesOfType(shown) + L".",
                       kSaveCopyTitle, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    // The copy's name is always the same, so an earlier copy is asked about before it is replaced.
    if (!shown.empty() && !copy.empty() && type &&
        (!FileExists(copy) || ShowMessageBox(host_.Owner(), copy + L" already exists.\nDo you want to replace it?",
                                             kSaveCopyTitle, MB_YESNO | MB_ICONEXCLAMATION) == IDYES))
        written = Write(copy, *type);
    host_.RefreshThumbnail();
    return written;
}

bool FileCommands::Write(const std::wstring& path, const SaveType& type) {
    if (host_.SaveImage(path, type.encoder, type.quality)) return true;
    ShowMessageBox(host_.Owner(), L"The image could not be saved to " + path + L". It is still unsaved.", L"Save...",
                   MB_OK | MB_ICONEXCLAMATION);
    return false;
}
