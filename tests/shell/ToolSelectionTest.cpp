#include "tests/shell/MenuFakes.h"

#include "imaging/ClipboardStamp.h"
#include "platform/AppState.h"
#include "platform/MessageBoxService.h"
#include "shell/ToolSelection.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

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

} // namespace

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

TEST_F(ToolSelection, ZoomStepsStayWithinTheirBounds) {
    struct Case {
        float start;
        bool out;
        float expected;
    };
    const Case cases[] = {
        {1.99f, true, 2.0f},   {2.0f, true, 2.0f},   {0.13f, false, 0.12f},
        {0.12f, false, 0.12f}, {1.0f, false, 0.98f}, {1.49f, true, 1.51f},
    };
    for (const Case& c : cases) {
        float zoom = c.start;
        host.fit = true;
        (c.out ? PublicZoomout : PublicZoomin)(host, zoom);
        EXPECT_NEAR(zoom, c.expected, 1e-5f) << c.start;
        EXPECT_FALSE(host.fit) << "a zoom step leaves the fit mode";
    }
}

TEST_F(ToolSelection, StampToolFromTheLibraryOrTheWorkingFile) {
    const std::wstring folder = MakeTestFolder(L"stamps");
    const std::wstring working = StampTempPath();
    ASSERT_TRUE(WriteTestFile(working, "previous stamp"));
    ASSERT_TRUE(WriteTestFile(folder + L"Leaf.lib", "library stamp"));

    auto started = [this] {
        return std::find(host.calls.begin(), host.calls.end(), L"StartStampTool 1") != host.calls.end();
    };
    // A library stamp that cannot be copied stops with a message; the old stamp is not used.
    host.libraryStamp = folder + L"Missing.lib";
    UseStamp(host, true, true);
    EXPECT_FALSE(started());
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
    EXPECT_TRUE(started());
    EXPECT_TRUE(host.editLoaded);
    EXPECT_FALSE(host.textBar);

    // A canvas that cannot take the stamp leaves the mode alone, and the next edit is still the first.
    host.calls.clear();
    host.effect = 4;
    host.stampOk = false;
    host.editLoaded = false;
    UseStamp(host, false, true);
    EXPECT_EQ(host.effect, 4);
    EXPECT_FALSE(host.editLoaded);
}
