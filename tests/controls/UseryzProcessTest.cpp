// The side panel in a real 300 x 600 host, with the date picker, the stamp browser and the format
// filter inside it: presses on tools and tabs, moves and releases on the calendar, what each
// leaves on the back buffers and the screen, and what reaches the grid.
#include "browser/ThumViewer.h"
#include "controls/UseryzProcess.h"
#include "platform/AppState.h"
#include "tests/browser/BarTestSupport.h"
#include "tests/support/FakeNeighbours.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <memory>

namespace {

constexpr int kW = 300, kH = 600;
constexpr COLORREF kGrey = RGB(238, 238, 238);
constexpr COLORREF kIcon = RGB(20, 90, 200);
// The highlight's translucent grey (alpha 150 of 179) over the list's 238.
constexpr int kHighlight = 238 - (238 - 179) * 150 / 255;

// The darkest pixel of a box of a picture box's back buffer.
int Darkest(const UserCalender& picker, const RectF& r) {
    int darkest = 255;
    for (int y = static_cast<int>(r.Y); y < static_cast<int>(r.Y + r.Height); ++y)
        for (int x = static_cast<int>(r.X); x < static_cast<int>(r.X + r.Width); ++x)
            darkest = std::min(darkest, Brightness(picker.Point(x, y)));
    return darkest;
}

struct SidePanel : ::testing::Test {
    TestWindow window{kW, kH};
    FakeSidePanelGrid grid;
    std::unique_ptr<UseryzProcess> panel;
    int downs = 0;
    std::vector<std::pair<bool, int32_t>> picks; // DayUp and CalenderDay of each CalenderSelect

    void SetUp() override {
        for (int i = 0; i < 12; ++i) {
            wchar_t name[16];
            std::swprintf(name, 16, L"Icon%03d.png", i);
            WriteSkin(name, 44, 34, ColorARGB(255, 20, 90, 200));
        }
        panel = std::make_unique<UseryzProcess>(&grid);
        ASSERT_TRUE(panel->Create({.parent = window.hwnd(), .width = kW, .height = kH}));
        panel->StartPaint();
        panel->onPanelMouseDown = [this](int, int, float, float) { ++downs; };
        panel->onCalenderSelect = [this](int, int, float, float, bool dayUp) {
            picks.emplace_back(dayUp, panel->CalenderDay());
        };
    }
    void ClickTab(int x) { LeftClick(panel->hWnd(), x, 20); }
    void ClickTool(int x, int y) { LeftClick(panel->ToolOLE().hWnd(), x, y); }
    // Which children show, in the order tools, scroll bar, stamps, keywords, calendar.
    std::vector<bool> Shown() {
        return {panel->ToolPanel().Visible(), panel->ToolVscroll().Visible(), panel->StampMenu().Visible(),
                panel->ZzVFiter().Visible(), panel->CalenderSee().Visible()};
    }
    // Over a point of the date picker, then released there.
    void MoveAndRelease(float x, float y) {
        HWND h = panel->CalenderSee().hWnd();
        SendMouse(h, WM_MOUSEMOVE, 0, static_cast<int>(x), static_cast<int>(y));
        SendMouse(h, WM_LBUTTONDOWN, MK_LBUTTON, static_cast<int>(x), static_cast<int>(y));
        SendMouse(h, WM_LBUTTONUP, 0, static_cast<int>(x), static_cast<int>(y));
    }
    void Navigate(int button) {
        const RectF r = panel->CalenderSee().ButtonRects()[static_cast<size_t>(button)];
        MoveAndRelease(r.X + 8, r.Y + 8);
    }
};

} // namespace

TEST_F(SidePanel, APressOnAToolPicksItAndMovesTheHighlight) {
    PictureBox& list = panel->ToolOLE();
    EXPECT_NEAR(Brightness(list.Point(11, 30)), kHighlight, 3); // Browse is picked at the start
    EXPECT_EQ(list.Point(91, 100), kGrey);
    ClickTool(120, 115);
    EXPECT_EQ(panel->SelEffect, 4);
    EXPECT_NE(panel->lngVisible, 0);
    EXPECT_EQ(downs, 1);
    EXPECT_NEAR(Brightness(list.Point(91, 100)), kHighlight, 3);
    EXPECT_EQ(list.Point(11, 30), kGrey);
    EXPECT_LE(RgbDistance(list.Point(120, 100), kIcon), 2); // the icon drawn again over the highlight
    // Between the cells: nothing changes, but the host still hears of the press.
    ClickTool(85, 75);
    EXPECT_EQ(panel->SelEffect, 4);
    EXPECT_EQ(panel->lngVisible, 0);
    EXPECT_EQ(downs, 2);
    EXPECT_NEAR(Brightness(list.Point(91, 100)), kHighlight, 3);
    // The picked tool keeps its highlight when the picture is built again.
    panel->StartPaint();
    EXPECT_NEAR(Brightness(list.Point(91, 100)), kHighlight, 3);
}

TEST_F(SidePanel, TheToolListScrollsOnlyWhenThePanelIsShorterThanIt) {
    EXPECT_FALSE(panel->ToolVscroll().Enabled());
    panel->Move(0, 0, kW, 300);
    panel->ResizePaint();
    scrollVControl& bar = panel->ToolVscroll();
    ASSERT_TRUE(bar.Enabled());
    EXPECT_EQ(bar.Max(), 50);
    EXPECT_EQ(bar.Left() + bar.Width(), kW - 4);
    LeftDrag(bar.hWnd(), {8, 30}, {8, 400});
    EXPECT_EQ(bar.Value(), 50);
    EXPECT_EQ(panel->ToolOLE().Top(), -50);
    TestWindow::Pump(30);
    // The last row's icons (y 230 to 263 of the list) show in the frame at 31 + 230 - 50.
    EXPECT_LE(RgbDistance(TestWindow::ScreenPixel(panel->hWnd(), 6 + 30, 31 + 250 - 50), kIcon), 2);
    // 260 wide or less: nothing is laid out again.
    const int toolWidth = panel->ToolPanel().Width();
    panel->Move(0, 0, 260, kH);
    EXPECT_EQ(panel->ToolPanel().Width(), toolWidth);
    EXPECT_EQ(panel->ToolPanel().Height(), 300 - 46);
    panel->Move(0, 0, 261, kH);
    EXPECT_EQ(panel->ToolPanel().Width(), 261 - 17 - 4);
    panel->ResizePaint();
    EXPECT_FALSE(panel->ToolVscroll().Enabled());
}

TEST_F(SidePanel, EachTabShowsOnlyItsChild) {
    std::vector<std::wstring> changed;
    panel->onPropertyChanged = [&](const std::wstring& name) { changed.push_back(name); };
    struct Case {
        int x;
        int32_t tab;
        std::vector<bool> shown;
    };
    const Case cases[] = {
        {5 + 25, 0, {true, true, false, false, false}},    // " Tools"
        {57 + 30, 1, {false, false, true, false, false}},  // "  Stamp"
        {119 + 30, 2, {false, false, false, true, false}}, // "Keyword"
        {181 + 30, 3, {false, false, false, false, true}}, // " Calender"
        {54, 0, {true, true, false, false, false}},        // the drawn right end of " Tools"
        {56, 0, {true, true, false, false, false}},        // the gap: no tab, nothing changes
        {57, 1, {false, false, true, false, false}},       // the stamp tab's first pixel
    };
    for (const Case& c : cases) {
        const int before = downs;
        ClickTab(c.x);
        EXPECT_EQ(panel->Toolselect(), c.tab) << c.x;
        EXPECT_EQ(Shown(), c.shown) << c.x;
        EXPECT_EQ(downs, before + 1) << c.x;
    }
    EXPECT_EQ(changed.size(), 6u);
    // 4: the stamp tab drawn selected (the content grey), the children left as they were.
    ClickTab(50);
    EXPECT_NE(panel->Point(110, 25), kGrey);
    EXPECT_EQ(panel->Point(48, 25), kGrey);
    panel->Toolselect(UseryzProcess::kStampSelected);
    EXPECT_EQ(panel->Point(110, 25), kGrey);
    EXPECT_NE(panel->Point(48, 25), kGrey);
    EXPECT_EQ(Shown(), (std::vector<bool>{true, true, false, false, false}));
    // The stamp tab lists the library again.
    const std::wstring file = App().AppFolder + L"Librarians\\tabstamp.lib";
    WriteSolidImage(file, 20, 20, kRed);
    ClickTab(57 + 30);
    EXPECT_EQ(panel->StampMenu().StampCount(), 1);
    EXPECT_TRUE(::DeleteFileW(file.c_str()));
}

TEST_F(SidePanel, AKeywordClickHandsTheGridTheTickedFormats) {
    ClickTab(119 + 30);
    LeftClick(panel->ZzVFiter().hWnd(), 50, 30); // the second row, "Gif"
    EXPECT_EQ(grid.log.calls,
              (std::vector<std::wstring>{L"ImageFormats=\"*.Png;*.Wmf;*.Emf;*.Bmp;*.Tif;*.Tiff;*.Jpg;*.Jpeg\"",
                                         L"RefreshThumbnail(false)"}));
}

TEST_F(SidePanel, TheCalendarRaisesItsPicksAndKeepsTheMonthInRange) {
    ClickTab(181 + 30);
    UserCalender& picker = panel->CalenderSee();
    const int32_t year = picker.SelectedYear();
    ASSERT_GE(picker.Calendar().CalendarDayRects().size(), 28u);
    const RectF day15 = picker.Calendar().CalendarDayRects()[14];
    MoveAndRelease(day15.X + 8, day15.Y + 8);
    MoveAndRelease(2, 2);
    EXPECT_EQ(picks, (std::vector<std::pair<bool, int32_t>>{{true, 15}, {false, 15}}));
    // Back to January and one more, forward to December and one more: the month stops at each end.
    for (int i = 0; i < 13; ++i) Navigate(2);
    EXPECT_EQ(picker.SelectedMonth(), 1);
    for (int i = 0; i < 12; ++i) Navigate(1);
    EXPECT_EQ(picker.SelectedMonth(), 12);
    EXPECT_EQ(picker.SelectedYear(), year);
    EXPECT_FALSE(picks.back().first); // a navigation step picks no day
    // The year stops at the first year of file dates.
    Navigate(3);
    for (int32_t y = year - 1; y > UserCalender::kFirstYear - 3; --y)
        SendMouse(picker.hWnd(), WM_LBUTTONUP, 0, 0, 0); // the hot button still steps
    EXPECT_EQ(picker.SelectedYear(), UserCalender::kFirstYear);
    Navigate(0);
    EXPECT_EQ(picker.SelectedYear(), UserCalender::kFirstYear + 1);
}

TEST_F(SidePanel, TheRealGridMarksTheDaysOfItsFilesBold) {
    const std::wstring folder = MakeTestFolder(L"sidepanel-days");
    for (const wchar_t* name : {L"a.png", L"b.png"}) WriteSolidImage(folder + name, 8, 8, kBlack);
    ThumViewer viewer(panel.get());
    viewer.Path(folder);
    viewer.CreateThumbnail();
    ClickTab(181 + 30);
    SYSTEMTIME today{};
    ::GetLocalTime(&today);
    const UserCalender& picker = panel->CalenderSee();
    ASSERT_EQ(panel->ShownMonth(), today.wMonth);
    const auto& cells = picker.Calendar().CalendarDayRects();
    ASSERT_GE(cells.size(), static_cast<size_t>(today.wDay));
    const RectF marked = cells[today.wDay - 1u];
    const RectF other = cells[today.wDay == 1 ? 1u : 0u];
    EXPECT_LT(Darkest(picker, RectF(marked.X, marked.Y, 16, 14)), 60);
    const int plain = Darkest(picker, RectF(other.X, other.Y, 16, 14));
    EXPECT_GT(plain, 110); // black at opacity 100 over the grey
    EXPECT_LT(plain, 200);
}

TEST_F(SidePanel, AStepToAnotherMonthTakesTheMarksOfTheMonthShownBefore) {
    ClickTab(181 + 30);
    UserCalender& picker = panel->CalenderSee();
    // From December a step forward stays in December: step back instead, then forward again.
    const int away = picker.SelectedMonth() == 12 ? 2 : 1, stay = picker.SelectedMonth() == 12 ? 1 : 2;
    panel->EnabledDays(4, true);
    panel->RefreshCalender();
    const auto day5 = [&] {
        const RectF r = picker.Calendar().CalendarDayRects()[4];
        return Darkest(picker, RectF(r.X, r.Y, 16, 14));
    };
    ASSERT_LT(day5(), 60);
    Navigate(away);
    EXPECT_GT(day5(), 110); // the 5th of the new month has no pictures until the host says so
    panel->EnabledDays(4, true);
    panel->RefreshCalender();
    // At the end of the year's months the step changes nothing, and the marks stay.
    const int32_t month = picker.SelectedMonth();
    for (int i = 0; i < 12 && picker.SelectedMonth() != (stay == 1 ? 12 : 1); ++i) {
        Navigate(stay);
        panel->EnabledDays(4, true);
        panel->RefreshCalender();
    }
    ASSERT_NE(picker.SelectedMonth(), month);
    Navigate(stay);
    EXPECT_LT(day5(), 60);
}
