// The grid's date filter and the date picker through the real main window: the slideshow shows
// only what the filtered grid shows, and the picker's marks follow the month it shows as the user
// steps through the months and changes the thumbnail size.
#include "browser/FavoritesList.h"
#include "tests/browser/BarTestSupport.h"
#include "tests/shell/MainWindowFixture.h"

#include <tuple>

namespace {

// Gives the file the local date as its created and modified time (Wine keeps one for both).
bool SetFileDate(const std::wstring& path, int year, int month, int day) {
    SYSTEMTIME local{};
    local.wYear = static_cast<WORD>(year);
    local.wMonth = static_cast<WORD>(month);
    local.wDay = static_cast<WORD>(day);
    local.wHour = 12;
    SYSTEMTIME utc{};
    FILETIME time{};
    if (!::TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) || !::SystemTimeToFileTime(&utc, &time)) return false;
    HANDLE file = ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool ok = ::SetFileTime(file, &time, nullptr, &time);
    return ::CloseHandle(file) && ok;
}

constexpr uint32_t kGreen = ColorARGB(255, 0, 200, 0);

class MainGridFilters : public MainWindowTest {
protected:
    int32_t year = 0;

    // Pictures made on 3 November and 20 December of this year (the picker's own).
    void StartDated(std::initializer_list<std::tuple<const wchar_t*, uint32_t, int, int>> files) {
        SYSTEMTIME today{};
        ::GetLocalTime(&today);
        year = today.wYear;
        folder = MakeTestFolder(L"maingridfilters");
        for (const auto& [name, colour, month, day] : files) {
            WriteSolidImage(folder + name, 40, 30, colour);
            ASSERT_TRUE(SetFileDate(folder + name, year, month, day));
        }
        Open(std::get<0>(*files.begin()));
    }
    UserCalender& Picker() { return main->UseryzProcess1.CalenderSee(); }
    // The pointer over a point of the picker, pressed and released there.
    void ReleaseOnPicker(float x, float y) {
        const HWND h = Picker().hWnd();
        SendMouse(h, WM_MOUSEMOVE, 0, static_cast<int>(x), static_cast<int>(y));
        SendMouse(h, WM_LBUTTONDOWN, MK_LBUTTON, static_cast<int>(x), static_cast<int>(y));
        SendMouse(h, WM_LBUTTONUP, 0, static_cast<int>(x), static_cast<int>(y));
    }
    // The picker's month-forward or month-back button until it shows month.
    void GoToMonth(int32_t month) {
        for (int i = 0; i < 12 && Picker().SelectedMonth() != month; ++i) {
            const RectF r = Picker().ButtonRects()[Picker().SelectedMonth() < month ? 1 : 2];
            ReleaseOnPicker(r.X + 8, r.Y + 8);
        }
        ASSERT_EQ(Picker().SelectedMonth(), month);
    }
    void PickDay(int32_t day) {
        const auto& cells = Picker().Calendar().CalendarDayRects();
        ASSERT_GE(cells.size(), static_cast<size_t>(day));
        const RectF r = cells[static_cast<size_t>(day - 1)];
        ReleaseOnPicker(r.X + 8, r.Y + 8);
    }
    // Whether the day shows bold: its number drawn in full black, not at the plain days' opacity.
    bool Marked(int32_t day) {
        const auto& cells = Picker().Calendar().CalendarDayRects();
        if (cells.size() < static_cast<size_t>(day)) return false;
        const RectF r = cells[static_cast<size_t>(day - 1)];
        int darkest = 255;
        for (int y = static_cast<int>(r.Y); y < static_cast<int>(r.Y) + 14; ++y)
            for (int x = static_cast<int>(r.X); x < static_cast<int>(r.X) + 16; ++x)
                darkest = std::min(darkest, Brightness(Picker().Point(x, y)));
        return darkest < 60;
    }
};

// The picture in the middle of the show's view, as the colour it was written in (0 for none).
uint32_t ShownColour(const FrmSlideshow& show) {
    const PictureBox* view = show.View();
    if (!view) return 0;
    const COLORREF c = view->Point(view->Width() / 2, view->Height() / 2);
    for (const uint32_t colour : {kRed, kGreen, kBlue})
        if (RgbDistance(c, Rgb(colour)) <= 40) return colour;
    return 0;
}

} // namespace

TEST_F(MainGridFilters, TheSlideshowShowsOnlyWhatTheDateFilterLeavesInTheGrid) {
    StartDated({{L"a.png", kRed, 11, 3}, {L"b.png", kGreen, 12, 20}, {L"c.png", kBlue, 11, 3}});
    GoToMonth(11);
    PickDay(3);
    ASSERT_EQ(main->ThumyzViewer.ShownRows().size(), 2u);
    App().SelectedFiles.clear(); // the show goes through the grid, not a selection
    App().SlideSpeed = 1000;
    ASSERT_TRUE(Run(L"View_Slideshow"));
    FrmSlideshow& show = main->MenuHost().Slideshow;
    ASSERT_TRUE(show.Visible());
    // Each tick fades a picture in and waits a second: watch until the show has wrapped.
    std::vector<uint32_t> seen;
    for (int i = 0; i < 120 && seen.size() < 3; ++i) {
        TestWindow::Pump(50);
        const uint32_t colour = ShownColour(show);
        if (colour && (seen.empty() || seen.back() != colour)) seen.push_back(colour);
    }
    show.Unload();
    EXPECT_EQ(seen, (std::vector<uint32_t>{kRed, kBlue, kRed}));
}

TEST_F(MainGridFilters, TheCalendarMarksTheDaysOfTheMonthItShows) {
    StartDated({{L"nov.png", kRed, 11, 3}, {L"dec.png", kBlue, 12, 20}});
    GoToMonth(12);
    EXPECT_TRUE(Marked(20));
    EXPECT_FALSE(Marked(3));
    GoToMonth(11);
    EXPECT_TRUE(Marked(3));
    EXPECT_FALSE(Marked(20));
    // A new thumbnail size (as the size menu sets it) draws the grid again: the marks stay those
    // of November.
    main->ThumyzViewer.ThumWidth(60);
    main->ThumyzViewer.ThumHeight(60);
    main->ThumyzViewer.CreateThumbnail();
    EXPECT_TRUE(Marked(3));
    EXPECT_FALSE(Marked(20));
    // The marked day shows its picture.
    PickDay(3);
    ASSERT_EQ(main->ThumyzViewer.ShownRows().size(), 1u);
    EXPECT_EQ(main->ThumyzViewer.SlideFilename(main->ThumyzViewer.ShownRows()[0]), folder + L"nov.png");
}

namespace {

// The grid's selection and the format filter of the side panel's keyword tab, as a user works them.
class MainGridSelectionFilter : public MainWindowTest {
protected:
    ThumViewer& Grid() { return main->ThumyzViewer; }
    // The middle of the picture of the shown file name on the grid's surface; (-1, -1) when hidden.
    POINT Middle(const std::wstring& name) {
        for (int32_t row : Grid().ShownRows()) {
            const RectF& r = Grid().ImageRects()[static_cast<size_t>(row)];
            if (Grid().ThumListview().Rows[static_cast<size_t>(row)].String == name)
                return {static_cast<LONG>(r.X + r.Width / 2), static_cast<LONG>(r.Y + r.Height / 2)};
        }
        return {-1, -1};
    }
    // One step of a sequence: "a" a click on a.png, "^b" a Ctrl-click on b.bmp, "[ab]" a rubber band
    // from the empty top left corner to b.bmp (over a.png on its way), "+[c]" the same with Shift
    // held, "-bmp" and "+bmp" the Bmp row of the format filter unticked and ticked.
    void Do(const std::string& step) {
        const HWND surface = Grid().ThumOLE.hWnd();
        const auto cell = [&](char c) {
            return Middle(std::wstring(1, static_cast<wchar_t>(c)) + (c == 'b' ? L".bmp" : L".png"));
        };
        if (step == "-bmp" || step == "+bmp") {
            ZzVFiterControl& formats = main->UseryzProcess1.ZzVFiter();
            ASSERT_EQ(formats.FiterListView()[4].Text, L"*.Bmp");
            const int y = static_cast<int>(formats.ToolHeight() * 4.5f);
            SendMouse(formats.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, 10, y);
            SendMouse(formats.hWnd(), WM_LBUTTONUP, 0, 10, y);
            ASSERT_EQ(formats.FiterListView()[4].Selected, step == "+bmp");
        } else if (step.front() == '^') {
            TestWindow::HoldKeys({VK_CONTROL}, true);
            LeftClick(surface, cell(step[1]).x, cell(step[1]).y);
            TestWindow::HoldKeys({VK_CONTROL}, false);
        } else if (step.find('[') != std::string::npos) {
            const bool shift = step.front() == '+';
            const POINT to = cell(step[step.size() - 2]);
            TestWindow::HoldKeys({VK_SHIFT}, shift);
            LeftDrag(surface, {2, 2}, {to.x, to.y});
            TestWindow::HoldKeys({VK_SHIFT}, false);
        } else {
            LeftClick(surface, cell(step[0]).x, cell(step[0]).y);
        }
    }
    // The names of the rows shown selected, in grid order.
    std::vector<std::wstring> ShownSelected() {
        std::vector<std::wstring> names;
        for (int32_t row : Grid().ShownRows())
            if (Grid().ThumListview().Rows[static_cast<size_t>(row)].Selected)
                names.push_back(Grid().ThumListview().Rows[static_cast<size_t>(row)].String);
        return names;
    }
};

} // namespace

TEST_F(MainGridSelectionFilter, EveryCommandActsOnTheRowsShownSelectedAfterAFilterComesAndGoes) {
    struct Case {
        std::vector<std::string> steps;
        std::vector<std::wstring> selected; // what is shown selected, Delete takes and the stars star
    };
    const Case cases[] = {
        {{"a", "^b", "-bmp", "+bmp"}, {L"a.png"}},
        {{"[b]", "-bmp", "+bmp"}, {L"a.png"}},
        {{"[c]", "-bmp", "+bmp"}, {L"a.png", L"c.png"}},
        {{"[b]", "-bmp", "[a]", "+bmp"}, {L"a.png"}},
        {{"[b]", "-bmp", "+[c]", "+bmp"}, {L"a.png", L"c.png"}},
        {{"a", "^b", "-bmp", "+bmp", "^c"}, {L"a.png", L"c.png"}},
    };
    int n = 0;
    for (const Case& c : cases) {
        std::string what;
        for (const std::string& step : c.steps) what += step + " ";
        SCOPED_TRACE(what);
        folder = MakeTestFolder(L"maingridselection" + std::to_wstring(n++));
        for (const wchar_t* name : {L"a.png", L"b.bmp", L"c.png"}) WriteSolidImage(folder + name, 40, 30, kRed);
        PickedFolderPane pane;
        folderPane = &pane;
        Open(L"a.png");
        ShowPanes();                        // the side panel laid out and painted as the program shows it
        main->UseryzProcess1.Toolselect(2); // the keyword tab, with the format filter
        ASSERT_EQ(main->UseryzProcess1.ZzVFiter().FiterListView().size(), 9u);
        for (const std::string& step : c.steps) Do(step);
        EXPECT_EQ(ShownSelected(), c.selected);
        std::vector<std::wstring> paths;
        for (const std::wstring& name : c.selected) paths.push_back(folder + name);
        EXPECT_EQ(App().SelectedFiles, paths) << "what Delete, print, the slideshow and the batch take";
        ASSERT_TRUE(Run(L"View_Addstar"));
        std::string starred;
        for (const std::wstring& name : c.selected) starred += Narrow(name) + "\r\n";
        EXPECT_EQ(ReadTestFile(folder + kFavoritesFileName), starred);
        Close();
        folderPane = nullptr;
    }
}
