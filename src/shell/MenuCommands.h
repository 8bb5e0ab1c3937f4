// The command dispatcher of the File, Edit, View ("Browse"), Create and Help menus, and the pick of
// a recent folder. Plain code over the main window's routines, reached through MenuCommandHost.
#pragma once

#include "output/ModMisc.h"
#include "shell/Wallpaper.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class DropDownMenu;

// The main window's routines, panes and forms as the commands use them.
class MenuCommandHost {
public:
    virtual ~MenuCommandHost() = default;
    // The window that owns the commands' messages.
    [[nodiscard]] virtual HWND Owner() const = 0;
    // The menu.
    [[nodiscard]] virtual bool PressMenuEnabled() const = 0;
    [[nodiscard]] virtual std::wstring PressMenuID() const = 0;
    [[nodiscard]] virtual std::wstring PressMenuCaption() const = 0;
    [[nodiscard]] virtual DropDownMenu& Menu() = 0;

    // File.
    virtual void StartNewImage() = 0;
    virtual void FileDialog(int32_t kind) = 0; // 0 open, 1 save as, 2 save a copy, 3 import, 4 import to library
    [[nodiscard]] virtual bool FileDialogAvailable() const = 0;
    // Saves over the shown file; false when it cannot be saved there or the write failed.
    [[nodiscard]] virtual bool SaveOnly() = 0;
    // Before SaveOnly: asks when the save would keep only the shown frame of the file's several;
    // false when the user declined (nothing is to be written).
    [[nodiscard]] virtual bool AgreeToSaveInPlace() = 0;
    // The shown image can be written over its own file (not a scratch copy, an encoder exists).
    [[nodiscard]] virtual bool CanSaveInPlace() const = 0;
    virtual void RefreshThumSave() = 0;
    virtual void SendToStampLibrary() = 0;
    [[nodiscard]] virtual bool UnsavedEdit() const = 0;
    virtual int AskSaveChanges() = 0;
    virtual void ShowPrintDialog() = 0;
    virtual void CloseProgram() = 0;

    // Edit.
    virtual void UndoAndRedo(bool undo) = 0;
    virtual void CleanCroprect(bool wholeImage) = 0;
    virtual void Painting(bool rebuildThumbnail) = 0;
    virtual void DeleteSelectedPixels() = 0;
    virtual int32_t& SelectCombineMode() = 0;
    virtual void Rasterize() = 0;
    virtual void CopyToClipboard() = 0;
    virtual void PasteFromClipboard() = 0;
    // The file the canvas shows; empty when it shows none of its own.
    [[nodiscard]] virtual std::wstring ShownFile() const = 0;
    // The canvas recycles the file it shows and keeps showing a copy of it.
    [[nodiscard]] virtual RecycleResult DeleteImage() = 0;
    [[nodiscard]] virtual const std::vector<std::wstring>& SelectedFiles() const = 0;
    // While held, a save made by the save question changes neither the grid's listing nor the
    // selection: a command that asks before it acts on the selected files holds it from before
    // the question until it has acted.
    virtual void HoldGridSelection(bool hold) = 0;
    virtual void PumpMessages() = 0;
    [[nodiscard]] virtual RecycleResult RecycleFile(const std::wstring& path) = 0;
    // The grid lists its folder again; those of files still there stay the selection.
    virtual void RefreshThumbnail(const std::vector<std::wstring>& files) = 0;
    virtual void FileJob(int32_t mode) = 0; // the batch dialog: 0 copy, 1 move, 2 rename
    // False, the user told, while the batch dialog copies, moves or renames.
    [[nodiscard]] virtual bool BatchDialogFree() = 0;
    virtual void ResizeCanvas() = 0;
    virtual void StartResizeMode() = 0;
    // The canvas's mode, as ToolHost has it too: each caller's interface lists what it uses.
    [[nodiscard]] virtual int32_t Effect() const = 0;
    virtual void SetEffect(int32_t mode) = 0;
    virtual void SetStampEffect(int32_t effect) = 0;
    virtual void GreyEffect() = 0;
    virtual void SaveUndo() = 0;
    virtual void SetToolselect(int32_t tab) = 0;

    // View.
    virtual void ShowFullScreen() = 0;
    [[nodiscard]] virtual bool FitPressed() const = 0;
    virtual void SetFit(bool fit) = 0; // the canvas's fit mode, the fit button and a repaint
    virtual void PreviewNext() = 0;
    virtual void PreviewBack() = 0;
    virtual void ImportSelected() = 0;
    virtual void SetArrangeString(const std::wstring& id) = 0;
    virtual void ThumbnaillSort(int32_t mode) = 0;
    virtual void VrFileCreate(bool remove) = 0;
    virtual void ShowSlideshow() = 0;
    [[nodiscard]] virtual bool HasImage() const = 0;
    virtual void ShowProperties() = 0;

    // Create.
    virtual void SetDesktopWallpaper() = 0;
    // The colour dialog on an RGB colour; -1 when cancelled.
    virtual int32_t ShowColorDialog(int32_t initial) = 0;
    virtual WallpaperColor& Wallpaper() = 0;
    virtual void ShowScreenSaverMaker() = 0;

    // Help.
    virtual void ShowHelp() = 0;
    virtual void OpenAddress(const std::wstring& address) = 0;

    // The recent-folder pick.
    virtual void LeftSkinstyle() = 0;
    virtual void FolderViewSelect(const std::wstring& path) = 0;
};

// The pages the Help menu's web rows open; until the project has pages of its own they are all
// the help page beside the program.
struct HelpAddresses {
    std::wstring website;
    std::wstring community;
    std::wstring update;
};
[[nodiscard]] HelpAddresses HelpPages(const std::wstring& programFolder);
[[nodiscard]] std::wstring HelpPagePath(const std::wstring& programFolder);

// Runs the branch of the picked id; an id no branch names does nothing. Returns whether a branch ran.
bool DoMenuCommand(MenuCommandHost& host, const HelpAddresses& pages);
// Runs the branch of a command id as its menu row would, enabled or not (keys and tool-bar buttons
// run commands this way). Returns whether a branch ran.
bool RunMenuCommand(MenuCommandHost& host, const std::wstring& id, const HelpAddresses& pages = {});
// Shows the picked recent folder in the folder pane.
void OpenHistoryFolder(MenuCommandHost& host);
