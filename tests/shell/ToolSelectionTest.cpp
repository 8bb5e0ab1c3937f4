#include "tests/shell/MenuFakes.h"

#include "imaging/ClipboardStamp.h"
#include "platform/AppState.h"
#include "platform/MessageBoxService.h"
#include "shell/ToolSelection.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

using Calls = std::vector<std::wstring>;

std::wstring B(bool v) {
    return v ? L"1" : L"0";
}
std::wstring N(int32_t v) {
    return std::to_wstring(v);
}

// Records every call in one ordered list and keeps the state the routines read back, as the main
// window would: the canvas mode, the fit mode, the text bar and the browse reset.
class ToolLog final : public ToolHost {
public:
    Calls calls;
    FakeDropDown menu;
    int32_t effect = 0, selEffect = 0, lngVisible = 1, month = 3;
    bool fit = false, textBar = false, firstLayout = true, editLoaded = true, unsaved = false, stampOk = true;
    int askAnswer = IDNO;
    std::optional<CanvasSizeChoice> size;
    std::wstring pressId;

    void Log(std::wstring call) { calls.push_back(std::move(call)); }

    [[nodiscard]] int32_t Effect() const override { return effect; }
    void SetEffect(int32_t m) override { effect = m, Log(L"Effect " + N(m)); }
    void SetMax(int32_t v) override { Log(L"Max " + N(v)); }
    void SetMin(int32_t v) override { Log(L"Min " + N(v)); }
    void SetValue(int32_t v) override { Log(L"Value " + N(v)); }
    [[nodiscard]] bool FitMode() const override { return fit; }
    void SetFitMode(bool f) override { fit = f, Log(L"Fit " + B(f)); }
    void SetFirstL(bool f) override { Log(L"FirstL " + B(f)); }
    void ImportRelayout() override { Log(L"Import"); }
    void CleanCroprect() override { Log(L"Clean"); }
    void Painting(bool hq) override { Log(hq ? L"Painting hq" : L"Painting"); }
    void GreyEffect() override { Log(L"Grey " + N(effect)); }
    void SaveUndo() override { Log(L"SaveUndo " + N(effect)); }
    void ThirdEffect(int32_t id) override { Log(L"Third " + N(id)); }
    void SetZoom(float p) override { Log(L"Zoom " + N(static_cast<int32_t>(p + 0.5f))); }
    [[nodiscard]] bool UnsavedEdit() const override { return unsaved; }
    bool NewImage(int32_t w, int32_t h, COLORREF c) override {
        return Log(L"NewImage " + N(w) + L"x" + N(h) + L" " + N(static_cast<int32_t>(c))), true;
    }
    void Stampeffect(int32_t e) override { Log(L"Stampeffect " + N(e)); }
    void StampOptions(int32_t k) override { Log(L"StampOptions " + N(k)); }
    // The stamp brush row in force when the size arrives.
    void BrushSize(int32_t s) override { Log(L"BrushSize " + N(s) + L" " + App().StampBrushMenu); }
    void EraserOptions(int32_t s) override { Log(L"Eraser " + N(s)); }
    void ResetStampsize() override { Log(L"ResetStampsize"); }
    void UndoStampRedo(bool u) override { Log(L"UndoStamp " + B(u)); }
    void LineWidthValue(int32_t w) override { Log(L"LineWidth " + N(w)); }
    [[nodiscard]] bool StartStampTool(bool r) override { return Log(L"StartStampTool " + B(r)), stampOk; }
    void HideText1() override { Log(L"HideText1"); }
    void ShowFullView() override { Log(L"ShowFullView"); }
    [[nodiscard]] bool TextBarVisible() const override { return textBar; }
    void SetTextBarVisible(bool v) override { textBar = v, Log(L"TextBar " + B(v)); }
    void HideText(bool h) override { Log(L"HideText " + B(h)); }
    [[nodiscard]] int32_t SelEffect() const override { return selEffect; }
    void SetSelEffect(int32_t t) override { selEffect = t, Log(L"SelEffect " + N(t)); }
    [[nodiscard]] int32_t LngVisible() const override { return lngVisible; }
    void PanelStartPaint() override { Log(L"PanelStartPaint"); }
    void PanelResetPaint() override { Log(L"PanelResetPaint"); }
    void SetToolselect(int32_t t) override { Log(L"Toolselect " + N(t)); }
    [[nodiscard]] std::wstring StampFilename() const override { return libraryStamp; }
    void SplitVStartPaint() override { Log(L"SplitV"); }
    void SplitVValue(int32_t v) override { Log(L"SplitVValue " + N(v)); }
    void EnabledID(int id, bool e) override { Log(L"EnabledID " + N(id) + L" " + B(e)); }
    void PressDownID(int id, bool p) override { Log(L"PressDownID " + N(id) + L" " + B(p)); }
    void ToolbarStartPaint() override { Log(L"ToolbarPaint"); }
    void ThumSize(float s) override { Log(L"Thum " + N(static_cast<int32_t>(s))); }
    void CreateThumbnail() override { Log(L"CreateThumbnail"); }
    [[nodiscard]] DropDownMenu& Menu() override { return menu; }
    [[nodiscard]] bool PressMenuEnabled() const override { return true; }
    [[nodiscard]] std::wstring PressMenuID() const override { return pressId; }
    void HideMenu() override { Log(L"HideMenu"); }
    [[nodiscard]] bool FirstLayoutDone() const override { return firstLayout; }
    [[nodiscard]] bool EditLoaded() const override { return editLoaded; }
    void SetEditLoaded(bool l) override { editLoaded = l, Log(L"EditLoaded " + B(l)); }
    void ArrangeMainWindow() override { Log(L"ArrangeMain"); }
    void RefreshSidePanel() override { Log(L"RefreshSide"); }
    void ArrangeEditArea() override { Log(L"ArrangeEdit"); }
    void ResetToBrowse() override {
        App().ToolMenu = L"Filter_Browse";
        effect = 0, fit = false, pressId = L"Filter_Browse";
        Log(L"ResetToBrowse");
    }
    int AskSaveChanges() override { return Log(L"Ask"), askAnswer; }
    [[nodiscard]] std::optional<CanvasSizeChoice> AskNewImageSize() override { return Log(L"AskSize"), size; }
    void SetBusy(bool b) override { Log(L"Busy " + B(b)); }
    [[nodiscard]] int32_t CurrentMonth() const override { return month; }

    std::wstring libraryStamp;

    // A menu pick of id through the dispatcher.
    Calls Pick(const std::wstring& id) {
        pressId = id;
        calls.clear();
        EXPECT_TRUE(DoToolCommand(*this)) << Narrow(id);
        return calls;
    }
};

class ToolSelection : public ::testing::Test {
protected:
    void SetUp() override {
        App().ToolMenu = L"Filter_Browse";
        App().StampBrushMenu = L"Stamp_Brush3";
        App().SelectCombineMode = 4;
    }
    // Message boxes are answered and kept.
    std::vector<std::wstring> messages;
    ScopedMessageBoxAnswerer answerer{[this](const MessageBoxRequest& r) { return messages.push_back(r.text), IDOK; }};
    ToolLog host;
};

Calls Join(Calls a, const Calls& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

TEST_F(ToolSelection, EachSidePanelToolSetsItsRowThenTheCommonSteps) {
    const Calls common{L"FirstL 0", L"SplitV", L"PanelResetPaint", L"Import", L"ArrangeEdit"};
    struct Case {
        int32_t tool;
        Calls steps;
        const wchar_t* toolMenu;
    };
    const Case cases[] = {
        {0, {L"ResetToBrowse"}, L"Filter_Browse"},
        {1, {L"Clean", L"Effect 1", L"Fit 1"}, L"Filter_Crop"},
        {2, {L"Max 10", L"Min -10", L"Value 0", L"Effect 2", L"Fit 1"}, L"Filter_Straight"},
        // Fit before the mode.
        {3, {L"Max 255", L"Min 10", L"Value 10", L"Fit 1", L"Effect 37"}, L"Filter_Irradiation"},
        // The text bar is shown and laid out first.
        {4,
         {L"TextBar 1", L"ArrangeMain", L"RefreshSide", L"HideText 0", L"Max 255", L"Min 10", L"Value 10", L"Effect 4",
          L"Fit 0"},
         L"Filter_Text"},
        {5, {L"Max 255", L"Min 50", L"Value 50", L"Clean", L"Effect 5", L"Fit 1"}, L"Effect_Card"},
        {6, {L"Max 100", L"Min 20", L"Value 20", L"Effect 6", L"Fit 1"}, L"Effect_Color"},
        {7, {L"Max 3", L"Min 0", L"Value 1", L"Effect 7", L"Fit 1"}, L"Effect_Gamma"},
        // Grey once, ending in browse.
        {8, {L"Effect 0", L"Import", L"Effect 8", L"Grey 8", L"ResetToBrowse"}, L"Filter_Browse"},
        {9, {L"Max 300", L"Min 50", L"Value 100", L"Clean", L"Effect 9", L"Fit 1"}, L"Filter_Redeye"},
        // March: the calendar starts on month 3; the bar without its text box.
        {10,
         {L"TextBar 1", L"ArrangeMain", L"RefreshSide", L"HideText 1", L"Max 12", L"Min 1", L"Value 3", L"Effect 10",
          L"Fit 0"},
         L"Filter_Cal"},
        {11, {L"Max 5", L"Min 0", L"Value 0", L"Effect 11", L"Fit 1"}, L"Effect_Contrast"},
        // No tool of the list: the tool stays.
        {38, {}, L"Effect_Mist"},
    };
    for (const Case& c : cases) {
        App().ToolMenu = L"Effect_Mist";
        host.selEffect = c.tool;
        host.textBar = false;
        host.calls.clear();
        FormOption(host, false, false);
        EXPECT_EQ(host.calls, Join(c.steps, common)) << "tool " << c.tool;
        EXPECT_EQ(App().ToolMenu, c.toolMenu) << "tool " << c.tool;
    }
}

TEST_F(ToolSelection, FormOptionGuardsTogglesAndTheFirstEdit) {
    // A press beside the tools repaints the panel only, after hiding the text bar.
    host.lngVisible = 0;
    host.textBar = true;
    FormOption(host, false, false);
    EXPECT_EQ(host.calls, (Calls{L"TextBar 0", L"PanelStartPaint"}));

    // Forced, the second pick of the active tool returns to browse.
    host.calls.clear();
    host.selEffect = 7;
    App().ToolMenu = host.pressId = L"Effect_Gamma";
    host.editLoaded = false;
    host.firstLayout = false;
    FormOption(host, true, true);
    EXPECT_EQ(host.calls,
              (Calls{L"SelEffect 0", L"ResetToBrowse", L"FirstL 1", L"EditLoaded 1", L"Import", L"ArrangeEdit"}));
    EXPECT_EQ(host.effect, 0);

    // Without toggle the same pick starts the tool again.
    host.selEffect = 7;
    App().ToolMenu = L"Effect_Gamma";
    FormOption(host, true, false);
    EXPECT_EQ(host.effect, 7);
}

TEST_F(ToolSelection, MenuRowsFollowTheStampMode) {
    struct Case {
        int32_t effect;
        bool enable, flagAfter, imageTools, stampTools, imageEffects;
    };
    const Case cases[] = {
        {38, true, false, false, true, false},
        {38, false, false, false, true, false},
        {0, true, true, true, true, true},
        {4, false, false, false, false, false},
    };
    const wchar_t* groupA[] = {L"Filter_Browse", L"Filter_Text", L"Effect_Grey", L"Filter_Ellipse"};
    const wchar_t* groupB[] = {L"Filter_EraserTool", L"Filter_SaturationTool", L"Effect_Blur", L"Effect_Contour"};
    const wchar_t* groupC[] = {L"Effect_Antialias", L"Effect_Snow", L"Effect_Cloud", L"Effect_Flower"};
    for (const Case& c : cases) {
        FakeDropDown menu;
        menu.current = 3;
        bool flag = c.enable;
        EnabledVMenu(menu, c.effect, flag);
        EXPECT_EQ(flag, c.flagAfter) << "mode " << c.effect;
        for (auto id : groupA) EXPECT_EQ(menu.Enabled(3, id), c.imageTools) << Narrow(id) << " mode " << c.effect;
        for (auto id : groupB) EXPECT_EQ(menu.Enabled(3, id), c.stampTools) << Narrow(id) << " mode " << c.effect;
        for (auto id : groupC) EXPECT_EQ(menu.Enabled(3, id), c.imageEffects) << Narrow(id) << " mode " << c.effect;
    }

    for (bool checkBrowse : {false, true}) {
        FakeDropDown menu;
        for (auto id : {L"Filter_Browse", L"Effect_Snow", L"Filter_SaturationTool", L"Effect_Cloud", L"Effect_Ripple"})
            menu.MenuChecked(id, true);
        CancelMenuChecked(menu, checkBrowse);
        EXPECT_EQ(menu.Checked(-1, L"Filter_Browse"), checkBrowse);
        EXPECT_FALSE(menu.Checked(-1, L"Effect_Snow"));
        EXPECT_FALSE(menu.Checked(-1, L"Filter_SaturationTool"));
        EXPECT_TRUE(menu.Checked(-1, L"Effect_Cloud")) << "not one of the tool rows";
        EXPECT_TRUE(menu.Checked(-1, L"Effect_Ripple"));
    }
}

TEST_F(ToolSelection, ToolCommandsSetTheModeAndASecondPickReturnsToBrowse) {
    EXPECT_EQ(host.Pick(L"Filter_Line"), (Calls{L"Max 255", L"Min 0", L"Effect 25", L"Fit 1", L"Import", L"SelEffect 0",
                                                L"PanelStartPaint", L"ArrangeEdit", L"SplitV", L"PanelStartPaint"}));
    EXPECT_EQ(App().ToolMenu, L"Filter_Line");
    // Off again: browse, and the toolbar's browse buttons come back.
    EXPECT_EQ(host.Pick(L"Filter_Line"), (Calls{L"ResetToBrowse", L"Painting", L"EnabledID 5 1", L"EnabledID 7 1",
                                                L"EnabledID 6 1", L"ToolbarPaint"}));

    EXPECT_EQ(host.Pick(L"Effect_Snow"), (Calls{L"Fit 1", L"Max 300", L"Min 50", L"Value 50", L"Effect 31", L"SplitV",
                                                L"PanelStartPaint", L"ArrangeEdit", L"Import"}));
    const Calls off = host.Pick(L"Effect_Snow");
    EXPECT_EQ(off.front(), L"ResetToBrowse");
    EXPECT_EQ(Calls(off.end() - 4, off.end()), (Calls{L"SplitV", L"PanelStartPaint", L"ArrangeEdit", L"Import"}))
        << "the decorations still lay out after the toggle";
    EXPECT_EQ(host.effect, 0);

    // Instant decorations apply at once and never toggle.
    for (int i = 0; i < 2; ++i) EXPECT_EQ(host.Pick(L"Effect_Cloud").at(1), L"SaveUndo 33");

    // The side-panel tools go through FormOption with force and toggle.
    host.Pick(L"Effect_Gamma");
    EXPECT_EQ(host.effect, 7);
    host.Pick(L"Effect_Gamma");
    EXPECT_EQ(host.effect, 0);
    EXPECT_EQ(App().ToolMenu, L"Filter_Browse");

    // Selections leave combine mode 1, also when the pick switches them off.
    for (int i = 0; i < 2; ++i) {
        App().SelectCombineMode = 4;
        host.Pick(L"Filter_FreeSelect");
        EXPECT_EQ(App().SelectCombineMode, 1);
        EXPECT_EQ(host.effect, i == 0 ? 41 : 0);
    }
    host.pressId = L"Star_Add";
    EXPECT_FALSE(DoToolCommand(host)) << "the star rows have no branch";
}

TEST_F(ToolSelection, EffectsAndBrushesOnTheFloatingStamp) {
    struct Case {
        int32_t effect;
        const wchar_t* id;
        Calls calls;
    };
    const Case cases[] = {
        {38, L"Effect_Blur", {L"Stampeffect 1"}},
        {0, L"Effect_Blur", {L"Third 12"}},
        {38, L"Effect_Antialias", {L"Third 15"}},
        {38, L"Effect_Contour", {L"Stampeffect 4"}},
        {38, L"Filter_SmudgeTool", {L"BrushSize 10 Stamp_Brush1", L"StampOptions 7"}},
        {38, L"Filter_SmudgeTool", {L"StampOptions 0"}}, // the same brush again: none
        {38, L"Filter_Airbrush", {L"StampOptions 8", L"Painting"}},
    };
    for (const Case& c : cases) {
        host.effect = c.effect;
        EXPECT_EQ(host.Pick(c.id), c.calls) << Narrow(c.id) << " in mode " << c.effect;
    }
    EXPECT_EQ(App().ToolMenu, L"Filter_Airbrush");
    EXPECT_TRUE(messages.empty());

    // A brush without a stamp only says how to make one.
    host.effect = 17;
    App().ToolMenu = L"Filter_Select";
    EXPECT_EQ(host.Pick(L"Filter_DodgeTool"), Calls{});
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], L"Please select a image region with <Rectanglular Marquee>, <Elliptical Marquee>\n"
                           L"or <Polygonal Lasso> tool.");
    EXPECT_EQ(App().ToolMenu, L"Filter_Select");
}

TEST_F(ToolSelection, OptionMenusSetSizesWidthsAndCheckMarks) {
    const std::pair<const wchar_t*, int32_t> sizes[] = {{L"Stamp_Brush1", 10},
                                                        {L"Stamp_Brush8", 80},
                                                        {L"Stamp_Brush9", 110},
                                                        {L"Stamp_Brush10", 120},
                                                        {L"Stamp_Brush11", 130}};
    for (const auto& [id, size] : sizes) {
        host.menu.checked.clear();
        host.menu.MenuChecked(id, true);
        host.menu.MenuChecked(L"Stamp_Brush3", true);
        EXPECT_EQ(host.Pick(id), Calls{L"BrushSize " + N(size) + L" " + id});
        EXPECT_EQ(App().StampBrushMenu, id);
        EXPECT_FALSE(host.menu.Checked(-1, L"Stamp_Brush3"));
        EXPECT_TRUE(host.menu.Checked(-1, id)) << "the picked row's mark is left alone";
    }

    host.menu.MenuChecked(L"Zoom_Small", true);
    EXPECT_EQ(host.Pick(L"Zoom_Large"), (Calls{L"Thum 140", L"CreateThumbnail"}));
    for (auto id : {L"Zoom_Small", L"Zoom_Normal", L"Zoom_Middle", L"Zoom_Maximal"})
        EXPECT_FALSE(host.menu.Checked(-1, id)) << Narrow(id);
    EXPECT_TRUE(host.menu.Checked(-1, L"Zoom_Large"));
    EXPECT_EQ(App().ThumSizeMenu, L"Zoom_Large");

    EXPECT_EQ(host.Pick(L"Line_7"), (Calls{L"LineWidth 7", L"Painting"}));
    EXPECT_EQ(App().LineMenu, L"Line_7");

    host.menu.MenuChecked(L"Stamp_Blockeraser", true);
    EXPECT_EQ(host.Pick(L"Stamp_Pencileraser"), Calls{L"Eraser 1"});
    EXPECT_FALSE(host.menu.Checked(-1, L"Stamp_Blockeraser"));
    EXPECT_FALSE(host.menu.Checked(-1, L"Stamp_Pencileraser"));
    EXPECT_EQ(App().EraserMenu, L"Stamp_Pencileraser");

    host.menu.MenuChecked(L"Vector_Single", true);
    host.Pick(L"Vector_Radial");
    EXPECT_FALSE(host.menu.Checked(-1, L"Vector_Single"));
    EXPECT_TRUE(host.menu.Checked(-1, L"Vector_Radial"));
    EXPECT_EQ(host.Pick(L"Stamp_Size"), (Calls{L"ResetStampsize", L"Painting"}));
}

TEST_F(ToolSelection, ZoomStepsStayWithinTheirBounds) {
    struct Case {
        float start;
        bool out;
        float expected;
        int32_t split;
    };
    const Case cases[] = {
        {1.99f, true, 2.0f, 2},   {2.0f, true, 2.0f, 2},   {0.13f, false, 0.12f, 0},
        {0.12f, false, 0.12f, 0}, {1.0f, false, 0.98f, 1}, {1.49f, true, 1.51f, 2},
    };
    for (const Case& c : cases) {
        float zoom = c.start;
        host.calls.clear();
        host.fit = true;
        (c.out ? PublicZoomout : PublicZoomin)(host, zoom);
        EXPECT_NEAR(zoom, c.expected, 1e-5f) << c.start;
        EXPECT_EQ(host.calls, (Calls{L"Fit 0", L"PressDownID 5 0", L"Painting hq", L"SplitVValue " + N(c.split),
                                     L"Zoom " + N(static_cast<int32_t>(c.expected * 55 + 0.5f))}))
            << c.start;
    }
}

TEST_F(ToolSelection, NewImageAndFullScreen) {
    struct Case {
        bool unsaved;
        int answer;
        std::optional<CanvasSizeChoice> size;
        Calls calls;
    };
    const Calls buttons{L"EnabledID 2 1", L"EnabledID 4 1", L"EnabledID 5 1",
                        L"EnabledID 7 1", L"EnabledID 6 1", L"ToolbarPaint"};
    const CanvasSizeChoice size{300, 200, RGB(0, 0, 255)};
    const Case cases[] = {
        {false, IDYES, size, Join({L"AskSize", L"NewImage 300x200 16711680"}, buttons)},
        {true, IDNO, size, Join({L"Ask", L"AskSize", L"NewImage 300x200 16711680"}, buttons)},
        {true, IDCANCEL, size, {L"Ask"}},
        {false, IDYES, CanvasSizeChoice{0, 200, 0}, Join({L"AskSize"}, buttons)},
        {false, IDYES, CanvasSizeChoice{300, 0, 0}, Join({L"AskSize"}, buttons)},
        {false, IDYES, std::nullopt, Join({L"AskSize"}, buttons)},
    };
    for (const Case& c : cases) {
        host.calls.clear();
        host.unsaved = c.unsaved;
        host.askAnswer = c.answer;
        host.size = c.size;
        StartNewImage(host);
        EXPECT_EQ(host.calls, c.calls);
    }

    for (int32_t mode : {4, 38, 0}) {
        host.calls.clear();
        host.effect = mode;
        ShowFullScreen(host);
        EXPECT_EQ(host.calls, mode == 0 ? Calls{L"ShowFullView"} : Calls{}) << "mode " << mode;
    }
}

TEST_F(ToolSelection, StampToolFromTheLibraryOrTheWorkingFile) {
    const std::wstring folder = MakeTestFolder(L"stamps");
    const std::wstring working = StampTempPath();
    ASSERT_TRUE(WriteTestFile(working, "previous stamp"));
    ASSERT_TRUE(WriteTestFile(folder + L"Leaf.lib", "library stamp"));

    // A library stamp that cannot be copied stops with a message; the old stamp is not used.
    host.libraryStamp = folder + L"Missing.lib";
    UseStamp(host, true, true);
    EXPECT_EQ(host.calls, (Calls{L"Busy 1", L"HideMenu", L"Busy 0"}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(L"Stamptemp.tmp"), std::wstring::npos);
    EXPECT_EQ(ReadTestFile(working), "previous stamp");

    // Copied over the working file, the stamp starts; the text bar goes away.
    host.calls.clear();
    host.libraryStamp = folder + L"Leaf.lib";
    host.textBar = true;
    host.editLoaded = false;
    UseStamp(host, true, true);
    EXPECT_EQ(ReadTestFile(working), "library stamp");
    EXPECT_EQ(host.calls,
              (Calls{L"Busy 1", L"HideMenu", L"FirstL 1", L"EditLoaded 1", L"StartStampTool 1", L"Toolselect 1",
                     L"ResetStampsize", L"SplitV", L"EnabledID 5 0", L"EnabledID 7 0", L"EnabledID 6 0",
                     L"ToolbarPaint", L"TextBar 0", L"HideText1", L"ArrangeMain", L"Busy 0"}));

    // The canvas's own call: the stamp where it was; not the first edit any more.
    host.calls.clear();
    UseStamp(host, false, false);
    EXPECT_EQ(host.calls.at(2), L"FirstL 0");
    EXPECT_EQ(host.calls.at(3), L"StartStampTool 0");

    // A canvas that cannot take the stamp leaves the mode alone, and the next edit is still the first.
    host.calls.clear();
    host.effect = 4;
    host.stampOk = false;
    host.editLoaded = false;
    UseStamp(host, false, true);
    EXPECT_EQ(host.calls, (Calls{L"Busy 1", L"HideMenu", L"FirstL 1", L"EditLoaded 1", L"StartStampTool 1", L"FirstL 0",
                                 L"EditLoaded 0", L"Busy 0"}));
    EXPECT_EQ(host.effect, 4);
    EXPECT_FALSE(host.editLoaded);
}
