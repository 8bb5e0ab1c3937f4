#include "tests/shell/MenuFakes.h"

#include "platform/MessageBoxService.h"

#include <gtest/gtest.h>

namespace {

#define LOG(name) calls.push_back(name)

// Records every routine the dispatcher calls, with the arguments that matter.
class HostLog final : public MenuCommandHost {
public:
    std::wstring id;
    bool enabled = true, saveOk = true, inPlace = true, dialogs = false, unsaved = false, fit = false;
    int askAnswer = IDNO, effect = 0, colour = -1;
    int32_t combine = 4;
    std::vector<std::wstring> files, calls;
    FakeDropDown menu;
    WallpaperColor wallpaper;

    [[nodiscard]] bool PressMenuEnabled() const override { return enabled; }
    [[nodiscard]] std::wstring PressMenuID() const override { return id; }
    [[nodiscard]] std::wstring PressMenuCaption() const override { return L"C:\\Pictures"; }
    [[nodiscard]] DropDownMenu& Menu() override { return menu; }
    void StartNewImage() override { LOG(L"StartNewImage"); }
    void FileDialog(int32_t k) override { LOG(L"FileDialog " + std::to_wstring(k)); }
    [[nodiscard]] bool FileDialogAvailable() const override { return dialogs; }
    [[nodiscard]] bool SaveOnly() override { return LOG(L"SaveOnly"), saveOk; }
    [[nodiscard]] bool CanSaveInPlace() const override { return inPlace; }
    void RefreshThumSave() override { LOG(L"RefreshThumSave"); }
    void SendToStampLibrary() override { LOG(L"SendToStampLibrary"); }
    [[nodiscard]] bool UnsavedEdit() const override { return unsaved; }
    int AskSaveChanges() override { return LOG(L"AskSaveChanges"), askAnswer; }
    void ShowPrintDialog() override { LOG(L"ShowPrintDialog"); }
    void CloseProgram() override { LOG(L"CloseProgram"); }
    void UndoAndRedo(bool undo) override { LOG(undo ? L"Undo" : L"Redo"); }
    void CleanCroprect(bool whole) override { LOG(whole ? L"CleanCroprect all" : L"CleanCroprect"); }
    void Painting(bool rebuild) override { LOG(rebuild ? L"Painting 1" : L"Painting 0"); }
    void DeleteSelectedPixels() override { LOG(L"DeleteSelectedPixels"); }
    int32_t& SelectCombineMode() override { return combine; }
    void Rasterize() override { LOG(L"Rasterize"); }
    void CopyToClipboard() override { LOG(L"Copy"); }
    void PasteFromClipboard() override { LOG(L"Paste"); }
    [[nodiscard]] std::wstring ShownFile() const override { return {}; }
    [[nodiscard]] bool DeleteImage() override { return LOG(L"DeleteImage"), true; }
    [[nodiscard]] const std::vector<std::wstring>& SelectedFiles() const override { return files; }
    void PumpMessages() override { LOG(L"Pump"); }
    [[nodiscard]] bool RecycleFile(const std::wstring& p) override { return LOG(L"Recycle " + p), true; }
    void RefreshThumbnail() override { LOG(L"RefreshThumbnail"); }
    void FileJob(int32_t mode) override { LOG(L"FileJob " + std::to_wstring(mode)); }
    void ResizeCanvas() override { LOG(L"ResizeCanvas"); }
    void StartResizeMode() override { LOG(L"StartResizeMode"); }
    [[nodiscard]] int32_t Effect() const override { return effect; }
    void SetEffect(int32_t m) override { LOG(L"SetEffect " + std::to_wstring(m)); }
    void SetStampEffect(int32_t e) override { LOG(L"SetStampEffect " + std::to_wstring(e)); }
    void GreyEffect() override { LOG(L"GreyEffect"); }
    void SaveUndo() override { LOG(L"SaveUndo"); }
    void SetToolselect(int32_t t) override { LOG(L"Toolselect " + std::to_wstring(t)); }
    void ShowFullScreen() override { LOG(L"ShowFullScreen"); }
    [[nodiscard]] bool FitPressed() const override { return fit; }
    void SetFit(bool f) override { LOG(f ? L"SetFit 1" : L"SetFit 0"); }
    void PreviewNext() override { LOG(L"PreviewNext"); }
    void PreviewBack() override { LOG(L"PreviewBack"); }
    void ImportSelected() override { LOG(L"ImportSelected"); }
    void SetArrangeString(const std::wstring& s) override { LOG(L"Arrange " + s); }
    void ThumbnaillSort(int32_t m) override { LOG(L"Sort " + std::to_wstring(m)); }
    void VrFileCreate(bool remove) override { LOG(remove ? L"RemoveStar" : L"AddStar"); }
    void ShowSlideshow() override { LOG(L"ShowSlideshow"); }
    [[nodiscard]] bool HasImage() const override { return effect >= 0; }
    void ShowProperties() override { LOG(L"ShowProperties"); }
    void SetDesktopWallpaper() override { LOG(L"SetDesktopWallpaper"); }
    int32_t ShowColorDialog(int32_t initial) override { return LOG(L"Colour " + std::to_wstring(initial)), colour; }
    WallpaperColor& Wallpaper() override { return wallpaper; }
    void ShowScreenSaverMaker() override { LOG(L"ShowScreenSaverMaker"); }
    void ShowHelp() override { LOG(L"ShowHelp"); }
    void OpenAddress(const std::wstring& a) override { LOG(L"Open " + a); }
    void LeftSkinstyle() override { LOG(L"LeftSkinstyle"); }
    void FolderViewSelect(const std::wstring& p) override { LOG(L"FolderViewSelect " + p); }

    std::vector<std::wstring> Run(const std::wstring& pick) {
        id = pick;
        calls.clear();
        (void)DoMenuCommand(*this, {L"site", L"forum", L"update"});
        return calls;
    }
};

using Calls = std::vector<std::wstring>;

TEST(MenuCommands, EachIdRunsItsCallsInOrder) {
    const std::pair<const wchar_t*, Calls> cases[] = {
        {L"File_New", {L"StartNewImage"}},
        {L"File_Open", {L"FileDialog 0"}},
        {L"File_Save", {L"SaveOnly", L"RefreshThumSave"}},
        {L"File_Savecopy", {L"FileDialog 2"}},
        {L"File_ImportLib", {L"FileDialog 4"}},
        {L"File_Fav", {L"SendToStampLibrary"}},
        {L"Stamp_Send", {L"SendToStampLibrary"}},
        {L"File_Print", {L"AskSaveChanges", L"ShowPrintDialog"}},
        {L"File_Exit", {L"CloseProgram"}},
        {L"Edit_Undo", {L"Undo"}},
        {L"Edit_Redo", {L"Redo"}},
        {L"Edit_Deselect", {L"CleanCroprect", L"Painting 1"}},
        {L"Edit_Rename", {L"FileJob 2"}},
        {L"Edit_Copyto", {L"FileJob 0"}},
        {L"Edit_Moveto", {L"FileJob 1"}},
        {L"Edit_Hflip", {L"SetEffect 23", L"GreyEffect"}},
        {L"Edit_Vflip", {L"SetEffect 24", L"GreyEffect"}},
        {L"Edit_Clockwise", {L"SetEffect 39", L"SaveUndo"}},
        {L"Edit_Crcolockwise", {L"SetEffect 40", L"SaveUndo"}},
        {L"Edit_Prop", {L"Toolselect 3"}},
        {L"View_Fitmode", {L"SetFit 1"}},
        {L"View_Zoomin", {L"PreviewNext", L"ImportSelected"}},
        {L"View_Zoomout", {L"PreviewBack", L"ImportSelected"}},
        {L"View_Sortsize", {L"Arrange View_Sortsize", L"Sort 2"}},
        {L"View_Removestar", {L"RemoveStar"}},
        {L"View_Properties", {L"ShowProperties"}},
        {L"Create_Desktop", {L"SetDesktopWallpaper"}},
        {L"Create_Scr", {L"ShowScreenSaverMaker"}},
        {L"Help_Index", {L"ShowHelp"}},
        {L"Help_User", {L"Open forum"}},
        {L"Help_Update", {L"Open update"}},
        // Ids that no branch names, a separator, and one in the wrong case.
        {L"File_Favdec", {}},
        {L"File_Email", {}},
        {L"Star_Add", {}},
        {L"-", {}},
        {L"file_new", {}},
    };
    HostLog host;
    for (const auto& [id, expected] : cases) EXPECT_EQ(host.Run(id), expected) << std::wstring(id);
    host.enabled = false;
    EXPECT_EQ(host.Run(L"File_New"), Calls{}) << "a release off the enabled rows runs nothing";
}

TEST(MenuCommands, BranchesThatDependOnState) {
    HostLog host;
    host.effect = 38;
    EXPECT_EQ(host.Run(L"Edit_Hflip"), Calls{L"SetStampEffect 7"}) << "stamp mode flips only the stamp";
    host.Run(L"Edit_Inverse");
    host.Run(L"Edit_Inverse");
    EXPECT_EQ(host.combine, 4);
    host.Run(L"Edit_Inverse");
    EXPECT_EQ(host.combine, 1);
    host.unsaved = true;
    host.askAnswer = IDCANCEL;
    EXPECT_EQ(host.Run(L"View_Zoomin"), Calls{L"AskSaveChanges"}) << "Cancel keeps the image";
    host.askAnswer = IDNO;
    EXPECT_EQ(host.Run(L"View_Zoomout"), (Calls{L"AskSaveChanges", L"PreviewBack", L"ImportSelected"}));
    host.askAnswer = IDCANCEL;
    EXPECT_EQ(host.Run(L"File_Print"), (Calls{L"AskSaveChanges", L"ShowPrintDialog"}));
    host.effect = -1;
    EXPECT_EQ(host.Run(L"View_Properties"), Calls{});
    EXPECT_EQ(host.Run(L"Edit_Fav"), Calls{L"Toolselect 1"});
    EXPECT_TRUE(host.menu.Checked(MenuTitle::Edit, L"Edit_Fav"));
}

TEST(MenuCommands, SaveMarksOnlyWhatWasWritten) {
    HostLog host;
    host.saveOk = false;
    host.inPlace = false;
    host.dialogs = true;
    EXPECT_EQ(host.Run(L"File_Save"), (Calls{L"SaveOnly", L"FileDialog 1"})) << "no file of its own: Save As";
    std::vector<std::wstring> shown;
    ScopedMessageBoxAnswerer answer([&](const MessageBoxRequest& r) { return shown.push_back(r.text), IDOK; });
    host.inPlace = true;
    EXPECT_EQ(host.Run(L"File_Save"), Calls{L"SaveOnly"});
    ASSERT_EQ(shown.size(), 1u) << "a failed write says so";
    EXPECT_NE(shown[0].find(L"could not be saved"), std::wstring::npos);
}

TEST(MenuCommands, WallpaperBackgroundColour) {
    HostLog host;
    host.colour = static_cast<int>(RGB(10, 20, 30));
    host.wallpaper.Alpha = 7;
    EXPECT_EQ(host.Run(L"Create_Desktopbg"), Calls{L"Colour " + std::to_wstring(RGB(100, 140, 200))});
    EXPECT_EQ(host.wallpaper.Blue, 30);
    EXPECT_EQ(host.wallpaper.Green, 20);
    EXPECT_EQ(host.wallpaper.Red, 10);
    EXPECT_EQ(host.wallpaper.Alpha, 255);
    host.colour = -1;
    host.Run(L"Create_Desktopbg");
    EXPECT_EQ(host.wallpaper.Argb(), 0xFF0A141Eu) << "Cancel keeps the colour";
}

TEST(MenuCommands, HistoryPickSelectsTheFolder) {
    HostLog host;
    OpenHistoryFolder(host);
    EXPECT_EQ(host.calls, (Calls{L"LeftSkinstyle", L"FolderViewSelect C:\\Pictures"}));
    host.calls.clear();
    host.enabled = false;
    OpenHistoryFolder(host);
    EXPECT_TRUE(host.calls.empty());
}

} // namespace
