#include "tests/shell/MenuFakes.h"

#include <gtest/gtest.h>

namespace {

struct RowCase {
    const wchar_t* name;
    MenuStateInputs state;
    int32_t title;
    const wchar_t* id;
    bool enabled;
};

MenuStateInputs Open(int32_t effect = 0) {
    MenuStateInputs s;
    s.imageOpen = true;
    s.effect = effect;
    return s;
}

class ToolRowsLog final : public ToolMenuRows {
public:
    std::vector<std::wstring> calls;
    void EnabledVMenu(bool open) override { calls.push_back(open ? L"EnabledVMenu 1" : L"EnabledVMenu 0"); }
    void CancelMenuChecked(bool browse) override { calls.push_back(browse ? L"Cancel 1" : L"Cancel 0"); }
};

TEST(MenuState, RowsFollowTheProgramState) {
    MenuStateInputs noImageStampTab;
    noImageStampTab.toolselect = 1;
    MenuStateInputs clipboardOnly;
    clipboardOnly.clipboardBitmap = true;
    MenuStateInputs undoNoImage;
    undoNoImage.undoE = true;
    MenuStateInputs undoWithImage = Open();
    undoWithImage.undoE = true;
    MenuStateInputs emptyFolder = Open();
    MenuStateInputs folderWithImages;
    folderWithImages.folderHasImages = true;
    MenuStateInputs selectionNoImage;
    selectionNoImage.effect = 41;
    const RowCase cases[] = {
        {L"save greyed without an image", {}, MenuTitle::File, L"File_Save", false},
        {L"print greyed without an image", {}, MenuTitle::File, L"File_Print", false},
        {L"delete stamp only on the stamp tab", noImageStampTab, MenuTitle::File, L"File_Favdec", true},
        {L"delete stamp off the stamp tab", Open(), MenuTitle::File, L"File_Favdec", false},
        {L"send to stamp in stamp mode", Open(38), MenuTitle::File, L"File_Fav", true},
        {L"send to stamp in another tool", Open(5), MenuTitle::File, L"File_Fav", false},
        {L"rotate greyed in stamp mode", Open(38), MenuTitle::Edit, L"Edit_Clockwise", false},
        {L"resize canvas in stamp mode", Open(38), MenuTitle::Edit, L"Edit_Resizec", false},
        {L"rotate while browsing", Open(0), MenuTitle::Edit, L"Edit_Crcolockwise", true},
        {L"paste with a bitmap and no image", clipboardOnly, MenuTitle::Edit, L"Edit_Paste", true},
        {L"paste without a bitmap", Open(), MenuTitle::Edit, L"Edit_Paste", false},
        {L"undo step but no image", undoNoImage, MenuTitle::Edit, L"Edit_Undo", false},
        {L"undo step with an image", undoWithImage, MenuTitle::Edit, L"Edit_Undo", true},
        {L"redo without a later step", undoWithImage, MenuTitle::Edit, L"Edit_Redo", false},
        {L"selection rows need no image", selectionNoImage, MenuTitle::Edit, L"Edit_Inverse", true},
        {L"selection rows while browsing", Open(0), MenuTitle::Edit, L"Edit_Deselect", false},
        {L"rasterize with text pending", Open(19), MenuTitle::Edit, L"Edit_Rasterize", true},
        {L"rasterize while browsing", Open(0), MenuTitle::Edit, L"Edit_Rasterize", false},
        {L"sort greyed for a folder without images", emptyFolder, MenuTitle::View, L"View_Sortsize", false},
        {L"slideshow for a folder with images", folderWithImages, MenuTitle::View, L"View_Slideshow", true},
        {L"next needs browse mode", Open(5), MenuTitle::View, L"View_Zoomin", false},
        {L"wallpaper while browsing", Open(0), MenuTitle::Create, L"Create_Desktop", true},
        {L"wallpaper in a tool", Open(1), MenuTitle::Create, L"Create_Scr", false},
    };
    for (const auto& c : cases) {
        FakeDropDown menu;
        ShowMenuBarMenu(c.title, 5, 40, false, c.state, menu, nullptr);
        EXPECT_EQ(menu.Enabled(c.title, c.id), c.enabled) << c.name;
    }
}

TEST(MenuState, OpeningSizesPlacesAndToggles) {
    FakeDropDown menu;
    menu.height = 300;
    const int adjust[] = {-10, -20, -20, -25, -15, 10, 0};
    for (int32_t t = 0; t < 7; ++t) {
        ShowMenuBarMenu(t, 80, 41, false, {}, menu, nullptr);
        EXPECT_EQ(menu.current, t);
        EXPECT_EQ(menu.h, 300 + adjust[t]) << t;
        EXPECT_EQ(menu.width, kDropDownWidth);
        EXPECT_EQ(menu.left, 80);
        EXPECT_EQ(menu.top, 41);
        EXPECT_EQ(menu.visible, t % 2 == 0) << "a click opens a hidden menu and closes a shown one";
    }
    // A glide lays out another title's menu but keeps it shown.
    menu.visible = true;
    ShowMenuBarMenu(MenuTitle::Edit, 40, 41, true, {}, menu, nullptr);
    EXPECT_TRUE(menu.visible);
    EXPECT_EQ(menu.current, MenuTitle::Edit);
    EXPECT_EQ(menu.left, 40);
    // A press between titles hides it and sets no height.
    menu.h = -1;
    ShowMenuBarMenu(MenuTitle::None, 0, 41, false, {}, menu, nullptr);
    EXPECT_FALSE(menu.visible);
    EXPECT_EQ(menu.h, -1);
}

TEST(MenuState, ChecksAndToolRows) {
    FakeDropDown menu;
    ToolRowsLog tools;
    MenuStateInputs s = Open();
    s.fitPressed = true;
    s.toolselect = 2;
    s.toolMenu = L"Filter_Crop";
    ShowMenuBarMenu(MenuTitle::View, 0, 0, false, s, menu, &tools);
    EXPECT_TRUE(menu.Checked(MenuTitle::View, L"View_Fitmode"));
    ShowMenuBarMenu(MenuTitle::Edit, 0, 0, false, s, menu, &tools);
    EXPECT_TRUE(menu.Checked(MenuTitle::Edit, L"Edit_Keyword"));
    EXPECT_FALSE(menu.Checked(MenuTitle::Edit, L"Edit_Filter"));
    EXPECT_TRUE(tools.calls.empty());
    ShowMenuBarMenu(MenuTitle::Filter, 0, 0, false, s, menu, &tools);
    EXPECT_EQ(tools.calls, (std::vector<std::wstring>{L"EnabledVMenu 1", L"Cancel 0"}));
    EXPECT_TRUE(menu.Checked(MenuTitle::Filter, L"Filter_Crop"));
    // A tab past the fourth checks none.
    ProperPanelSel(4, menu);
    for (const wchar_t* id : {L"Edit_Filter", L"Edit_Fav", L"Edit_Keyword", L"Edit_Prop"})
        EXPECT_FALSE(menu.Checked(MenuTitle::Edit, id)) << id;
}

TEST(MenuState, SortCheckMoves) {
    FakeDropDown menu;
    EXPECT_EQ(SettingArrange_Menu(L"View_Sortsize", menu), 2);
    EXPECT_EQ(SettingArrange_Menu(L"View_Sortstar", menu), 5);
    EXPECT_FALSE(menu.Checked(MenuTitle::View, L"View_Sortsize"));
    EXPECT_TRUE(menu.Checked(MenuTitle::View, L"View_Sortstar"));
    EXPECT_EQ(SettingArrange_Menu(L"View_Sortnothing", menu), std::nullopt);
    EXPECT_FALSE(menu.Checked(MenuTitle::View, L"View_Sortstar"));
    EXPECT_FALSE(menu.Checked(MenuTitle::View, L"View_Sortnothing"));
}

class PickLog final : public MenuPickHost {
public:
    bool enabled = true, editLoaded = false;
    int32_t menu = MenuTitle::File;
    std::vector<std::wstring> calls;
    [[nodiscard]] bool PressMenuEnabled() const override { return enabled; }
    [[nodiscard]] int32_t CurrentMenu() const override { return menu; }
    void SetBusy(bool b) override { calls.push_back(b ? L"busy" : L"idle"); }
    void HideMenu() override { calls.push_back(L"hide"); }
    void Wait(int32_t ms) override { calls.push_back(L"wait " + std::to_wstring(ms)); }
    [[nodiscard]] bool EditLoaded() const override { return editLoaded; }
    void SetEditLoaded(bool v) override { editLoaded = v; }
    void SetFirstL(bool v) override { calls.push_back(v ? L"FirstL 1" : L"FirstL 0"); }
    void ImportForEdit() override { calls.push_back(L"import"); }
    void OpenHistoryFolder() override { calls.push_back(L"history"); }
    void DoMenuCommand() override { calls.push_back(L"command"); }
};

TEST(MenuState, PickRunsTheFirstEditImportOnce) {
    PickLog off;
    off.enabled = false;
    MenuPick(off);
    EXPECT_TRUE(off.calls.empty()) << "no enabled row under the pointer: the menu stays";

    PickLog pick;
    MenuPick(pick);
    MenuPick(pick);
    pick.menu = MenuTitle::History;
    MenuPick(pick);
    const std::vector<std::wstring> expected{L"busy",     L"hide",     L"wait 200", L"FirstL 1", L"import",
                                             L"command",  L"idle",     L"busy",     L"hide",     L"wait 200",
                                             L"FirstL 0", L"command",  L"idle",     L"busy",     L"hide",
                                             L"wait 200", L"FirstL 0", L"history",  L"idle"};
    EXPECT_EQ(pick.calls, expected);
}

} // namespace
