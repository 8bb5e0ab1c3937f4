#include "shell/MenuCommands.h"

#include "editor/ModDialogCOlor.h"
#include "platform/MessageBoxService.h"
#include "platform/PathHelpers.h"
#include "platform/TextCase.h"
#include "shell/FileCommands.h"
#include "shell/MenuState.h"

#include <windows.h>

#include <functional>
#include <map>

namespace {

using Branch = std::function<void(MenuCommandHost&, const std::wstring& id, const HelpAddresses&)>;

void Save(MenuCommandHost& h) {
    // With nothing on the canvas there is nothing to save, as the tool bar's greyed Save says.
    if (!h.HasImage()) return;
    // Declined, nothing is written and the edit stays unsaved.
    if (!h.AgreeToSaveInPlace()) return;
    if (h.SaveOnly()) {
        h.RefreshThumSave();
        return;
    }
    // A new image, a scratch copy or a type without an encoder has no file to go back to.
    if (!h.CanSaveInPlace() && h.FileDialogAvailable()) {
        h.FileDialog(1);
        return;
    }
    // A file of a type no encoder writes (a metafile, a run-length or .dib bitmap) is said to be one.
    const std::wstring ext = GetFileExt(h.ShownFile());
    if (h.CanSaveInPlace() && !SaveCopyType(ext)) {
        ShowMessageBox(h.Owner(),
                       L"Pictures cannot be saved as " + FilesOfType(h.ShownFile()) +
                           L". Save As can save this one as another type (BMP, GIF, JPG, PNG or TIFF). It is still "
                           L"unsaved.",
                       L"Save...", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    ShowMessageBox(h.Owner(), L"The image could not be saved. It is still unsaved.", L"Save...",
                   MB_OK | MB_ICONEXCLAMATION);
}

// The grid held for a command that asks the save question before it acts on the selection.
class GridHeld {
public:
    explicit GridHeld(MenuCommandHost& h) : h_(h) { h_.HoldGridSelection(true); }
    ~GridHeld() { h_.HoldGridSelection(false); }
    GridHeld(const GridHeld&) = delete;
    GridHeld& operator=(const GridHeld&) = delete;

private:
    MenuCommandHost& h_;
};

void Print(MenuCommandHost& h) {
    const GridHeld held(h);
    // The print dialog opens whatever the answer.
    (void)h.AskSaveChanges();
    h.ShowPrintDialog();
}

// Tells, in one message over the main window, which of the files to delete were gone already
// (their cells have left the grid) and which could not be deleted.
void SayNotDeleted(HWND owner, const std::vector<std::wstring>& gone, const std::vector<std::wstring>& kept) {
    std::wstring text;
    if (gone.size() == 1) {
        text = L"\"" + GetFileName(gone[0]) + L"\" no longer exists. Its thumbnail is taken out of the list.";
    } else if (!gone.empty()) {
        text = L"These files no longer exist. Their thumbnails are taken out of the list:\n";
        for (const std::wstring& file : gone) text += L"\n" + GetFileName(file);
    }
    if (!kept.empty()) {
        if (!text.empty()) text += L"\n\n";
        text += L"These files could not be deleted and are where they were:\n";
        for (const std::wstring& file : kept) text += L"\n" + file;
    }
    if (!text.empty()) ShowMessageBox(owner, text, L"Delete", MB_OK | MB_ICONEXCLAMATION);
}

void Delete(MenuCommandHost& h) {
    // Exactly the selected files go. The shown file, when it is one of them, goes through the
    // canvas, which keeps showing a copy of it; the selection may have changed since it was opened.
    const std::vector<std::wstring> files = h.SelectedFiles();
    const std::wstring shown = h.ShownFile();
    std::vector<std::wstring> gone, kept;
    for (const std::wstring& file : files) {
        if (file.empty()) continue;
        h.PumpMessages();
        const RecycleResult result = !shown.empty() && CompareNoCase(file, shown) == 0 && FileExists(file)
                                         ? h.DeleteImage()
                                         : h.RecycleFile(file);
        if (result == RecycleResult::Missing) gone.push_back(file);
        if (result == RecycleResult::Kept) kept.push_back(file);
    }
    // A file the user chose to keep, or that could not go, stays selected: Delete asks again.
    h.RefreshThumbnail(files);
    SayNotDeleted(h.Owner(), gone, kept);
}

void FileJob(MenuCommandHost& h, int32_t mode) {
    // A move or rename opens the shown picture again from where it went, without its unsaved edit
    // and its undo steps: the save question comes first, and Cancel stops the command.
    if (!h.BatchDialogFree()) return;
    const GridHeld held(h);
    if (mode != 0 && h.UnsavedEdit() && h.AskSaveChanges() == IDCANCEL) return;
    h.FileJob(mode);
}

void Flip(MenuCommandHost& h, int32_t stampEffect, int32_t imageEffect) {
    if (h.Effect() == 38) {
        h.SetStampEffect(stampEffect);
        return;
    }
    h.SetEffect(imageEffect);
    h.GreyEffect();
}

void Rotate(MenuCommandHost& h, int32_t mode) {
    h.SetEffect(mode);
    h.SaveUndo();
}

void PanelTab(MenuCommandHost& h, int32_t tab) {
    h.SetToolselect(tab);
    ProperPanelSel(tab, h.Menu());
}

// The tool bar's Next and Previous buttons, and the View menu's rows of the same names.
void ImageToolbarNavigate(MenuCommandHost& h, bool next) {
    // Leaving the shown image asks about an unsaved edit first; Cancel keeps it. The step goes
    // from the thumbnail selected before the question.
    const GridHeld held(h);
    if (h.UnsavedEdit() && h.AskSaveChanges() == IDCANCEL) return;
    if (next)
        h.PreviewNext();
    else
        h.PreviewBack();
    h.ImportSelected();
}

void Arrange(MenuCommandHost& h, const std::wstring& id) {
    h.SetArrangeString(id);
    if (const auto mode = SettingArrange_Menu(id, h.Menu())) h.ThumbnaillSort(*mode);
}

void WallpaperBackground(MenuCommandHost& h) {
    const int32_t colour = h.ShowColorDialog(static_cast<int32_t>(RGB(100, 140, 200)));
    if (colour == -1) return;
    WallpaperColor& w = h.Wallpaper();
    SplitRGB(static_cast<uint32_t>(colour), w.Red, w.Green, w.Blue);
    w.Alpha = 255;
}

const std::map<std::wstring, Branch>& Branches() {
    using H = MenuCommandHost;
    static const std::map<std::wstring, Branch> branches = [] {
        std::map<std::wstring, Branch> b;
        auto on = [&b](std::initializer_list<const wchar_t*> ids, std::function<void(H&)> run) {
            for (const wchar_t* id : ids) b[id] = [run](H& h, const std::wstring&, const HelpAddresses&) { run(h); };
        };
        // File
        on({L"File_New"}, [](H& h) { h.StartNewImage(); });
        on({L"File_Open"}, [](H& h) { h.FileDialog(0); });
        on({L"File_Save"}, Save);
        on({L"File_SaveAs"}, [](H& h) { h.FileDialog(1); });
        on({L"File_Savecopy"}, [](H& h) { h.FileDialog(2); });
        on({L"File_Import"}, [](H& h) { h.FileDialog(3); });
        on({L"File_ImportLib"}, [](H& h) { h.FileDialog(4); });
        on({L"File_Fav", L"Stamp_Send"}, [](H& h) { h.SendToStampLibrary(); });
        on({L"File_Print"}, Print);
        on({L"File_Exit"}, [](H& h) { h.CloseProgram(); });
        // Edit
        on({L"Edit_Undo"}, [](H& h) { h.UndoAndRedo(true); });
        on({L"Edit_Redo"}, [](H& h) { h.UndoAndRedo(false); });
        on({L"Edit_All"}, [](H& h) { h.CleanCroprect(true); });
        on({L"Edit_Deselect"}, [](H& h) {
            h.CleanCroprect(false);
            h.Painting(true);
        });
        on({L"Edit_Clearselect"}, [](H& h) { h.DeleteSelectedPixels(); });
        on({L"Edit_Inverse"}, [](H& h) {
            int32_t& mode = h.SelectCombineMode();
            mode = mode == 4 ? 1 : 4;
            h.Painting(false);
        });
        on({L"Edit_Rasterize"}, [](H& h) { h.Rasterize(); });
        on({L"Edit_Copy"}, [](H& h) { h.CopyToClipboard(); });
        on({L"Edit_Paste"}, [](H& h) { h.PasteFromClipboard(); });
        on({L"Edit_Delete"}, Delete);
        on({L"Edit_Rename"}, [](H& h) { FileJob(h, 2); });
        on({L"Edit_Copyto"}, [](H& h) { FileJob(h, 0); });
        on({L"Edit_Moveto"}, [](H& h) { FileJob(h, 1); });
        on({L"Edit_Resizec"}, [](H& h) { h.ResizeCanvas(); });
        on({L"Edit_Resize"}, [](H& h) { h.StartResizeMode(); });
        on({L"Edit_Hflip"}, [](H& h) { Flip(h, 7, 23); });
        on({L"Edit_Vflip"}, [](H& h) { Flip(h, 6, 24); });
        on({L"Edit_Clockwise"}, [](H& h) { Rotate(h, 39); });
        on({L"Edit_Crcolockwise"}, [](H& h) { Rotate(h, 40); });
        on({L"Edit_Filter"}, [](H& h) { PanelTab(h, 0); });
        on({L"Edit_Fav"}, [](H& h) { PanelTab(h, 1); });
        on({L"Edit_Keyword"}, [](H& h) { PanelTab(h, 2); });
        on({L"Edit_Prop"}, [](H& h) { PanelTab(h, 3); });
        // View
        on({L"View_Fullmode"}, [](H& h) { h.ShowFullScreen(); });
        on({L"View_Fitmode"}, [](H& h) { h.SetFit(!h.FitPressed()); });
        on({L"View_Zoomin"}, [](H& h) { ImageToolbarNavigate(h, true); });
        on({L"View_Zoomout"}, [](H& h) { ImageToolbarNavigate(h, false); });
        for (const wchar_t* id : {L"View_Sortname", L"View_Sortsize", L"View_Sorttype", L"View_Sortcreate",
                                  L"View_Sortmodify", L"View_Sortstar"})
            b[id] = [](H& h, const std::wstring& picked, const HelpAddresses&) { Arrange(h, picked); };
        on({L"View_Addstar"}, [](H& h) { h.VrFileCreate(false); });
        on({L"View_Removestar"}, [](H& h) { h.VrFileCreate(true); });
        on({L"View_Slideshow"}, [](H& h) { h.ShowSlideshow(); });
        on({L"View_Properties"}, [](H& h) {
            if (h.HasImage()) h.ShowProperties();
        });
        // Create
        on({L"Create_Desktop"}, [](H& h) { h.SetDesktopWallpaper(); });
        on({L"Create_Desktopbg"}, WallpaperBackground);
        on({L"Create_Scr"}, [](H& h) { h.ShowScreenSaverMaker(); });
        // Help
        on({L"Help_Index"}, [](H& h) { h.ShowHelp(); });
        b[L"Help_Website"] = [](H& h, const std::wstring&, const HelpAddresses& p) { h.OpenAddress(p.website); };
        b[L"Help_User"] = [](H& h, const std::wstring&, const HelpAddresses& p) { h.OpenAddress(p.community); };
        b[L"Help_Update"] = [](H& h, const std::wstring&, const HelpAddresses& p) { h.OpenAddress(p.update); };
        return b;
    }();
    return branches;
}

} // namespace

std::wstring HelpPagePath(const std::wstring& programFolder) {
    return programFolder + L"Help\\Index.htm";
}

HelpAddresses HelpPages(const std::wstring& programFolder) {
    const std::wstring page = HelpPagePath(programFolder);
    return {page, page, page};
}

bool DoMenuCommand(MenuCommandHost& host, const HelpAddresses& pages) {
    if (!host.PressMenuEnabled()) return false;
    return RunMenuCommand(host, host.PressMenuID(), pages);
}

bool RunMenuCommand(MenuCommandHost& host, const std::wstring& id, const HelpAddresses& pages) {
    const auto& branches = Branches();
    const auto branch = branches.find(id);
    if (branch == branches.end()) return false;
    branch->second(host, id, pages);
    return true;
}

void OpenHistoryFolder(MenuCommandHost& host) {
    if (!host.PressMenuEnabled()) return;
    host.LeftSkinstyle();
    host.FolderViewSelect(host.PressMenuCaption());
}
