// The main window's file commands: open an image into the canvas, import one as the painting stamp
// or into the stamp library, save the canvas under a new name and type, and save a copy beside the
// shown file. Plain code over the main window, reached through FileCommandHost.
#pragma once

#include "output/ModDialog.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

// The filters of the open dialogs (modes 0, 3, 4) and of the save dialog (mode 1).
extern const wchar_t* const kOpenImageFilter;
extern const wchar_t* const kSaveImageFilter;

// What the commands use of the main window, its canvas, grid, side panel and forms.
class FileCommandHost {
public:
    virtual ~FileCommandHost() = default;
    [[nodiscard]] virtual HWND Owner() const = 0;
    [[nodiscard]] virtual bool UnsavedEdit() const = 0;
    virtual int AskSaveChanges() = 0;
    // Runs the dialog with a new side panel of its own (args.Panel is filled in by the host).
    [[nodiscard]] virtual FileDialogChoice RunFileDialog(FileDialogArgs args) = 0;
    virtual void FileImport(const std::wstring& path) = 0;
    // After path was opened: the grid frames its thumbnail alone, as a click would, or, when it shows
    // none, no thumbnail.
    virtual void SelectInGrid(const std::wstring& path) = 0;
    virtual void UseStamp(bool copyFromLibrary, bool stampOption) = 0;
    // The batch dialog's stamp-name question (it checks the name and asks before replacing an
    // existing stamp); nothing when cancelled.
    [[nodiscard]] virtual std::optional<std::wstring> AskStampName() = 0;
    // The side panel shows a new library stamp and re-reads the library.
    virtual void AddLibraryStamp(const std::wstring& folder, const std::wstring& fileName) = 0;
    [[nodiscard]] virtual std::wstring CurFilename() const = 0;
    // The canvas's save: true only when the file was written. It leaves the edit unsaved.
    [[nodiscard]] virtual bool SaveImage(const std::wstring& path, int32_t encoder, int32_t quality) = 0;
    // The canvas's edit counts as saved (no question when leaving it).
    virtual void MarkSaved() = 0;
    // The picture was saved as path: from now on it is the file shown (the canvas's file, the
    // target of Save, the grid's selection when the grid lists its folder).
    virtual void SavedAs(const std::wstring& path) = 0;
    virtual void PumpMessages() = 0;
    virtual void RefreshThumSave() = 0;
    virtual void RefreshThumbnail() = 0;
};

// The encoder (the image encoder index) and quality a save uses.
struct SaveType {
    int32_t encoder = 0;
    int32_t quality = 0;
    bool operator==(const SaveType&) const = default;
};

// Save as: by the chosen type's pattern ("*.jpg"); JPEG with jpegQuality x 10. Nothing for a type
// without an encoder.
[[nodiscard]] std::optional<SaveType> SaveAsType(const std::wstring& fileExt, int32_t jpegQuality);
// Save a copy: by the shown file's lower-case extension; JPEG with 90.
[[nodiscard]] std::optional<SaveType> SaveCopyType(const std::wstring& ext);
// path with the last four characters of fileExt (a dot and three letters) appended unless it
// already ends in them; an empty fileExt appends nothing.
[[nodiscard]] std::wstring EnsureExtension(const std::wstring& path, const std::wstring& fileExt);
// The copy's path beside path: "b.c.tif" gives "b.c_Copy.tif"; empty for a name without a dot.
[[nodiscard]] std::wstring SaveCopyPath(const std::wstring& path);
// The files of path's type as a message names them: "DIB files", or "files without a type" for a
// name without an extension.
[[nodiscard]] std::wstring FilesOfType(const std::wstring& path);

// Before a save writes the shown picture over path: when the file holds more than one frame (an
// animation, the pages of a TIFF), asks whether to keep only the one shown. True when it holds one
// at most or the answer was Yes; No (or the box closed) writes nothing.
[[nodiscard]] bool AgreeToKeepOnlyShownFrame(HWND owner, const std::wstring& path);

class FileCommands {
public:
    explicit FileCommands(FileCommandHost& host) : host_(host) {}

    // The main window's properties: get and set, nothing else.
    std::wstring LastFilename;     // the name the save-as dialog starts with
    std::wstring LastOpenFilename; // the name the open dialogs start with
    std::wstring FileExt;          // the type chosen in the last dialog ("*.jpg")
    int32_t OldPressID = 0;

    // Runs the command of a mode: 0 open, 1 save as, 2 save a copy, 3 import as the stamp, 4 import
    // into the stamp library. Returns the chosen path in modes 0, 3 and 4, otherwise empty.
    std::wstring FileDialog(int32_t mode);
    // Save as; true only when the image was written, and then the picture shown is the file saved
    // and counts as saved. A copy beside the shown file leaves it unsaved.
    [[nodiscard]] bool SaveAs();

private:
    // Runs the open (open) or save dialog starting at fileName, and keeps the type chosen in FileExt.
    FileDialogChoice AskForFile(const std::wstring& fileName, const wchar_t* filter, const wchar_t* title, bool open);
    std::wstring OpenImage(int32_t mode);
    [[nodiscard]] bool SaveCopy();
    [[nodiscard]] bool Write(const std::wstring& path, const SaveType& type);

    FileCommandHost& host_;
};
