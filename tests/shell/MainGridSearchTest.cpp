// The image tool bar's search through the real main window: a sort or a new listing of the same
// folder keeps the search's hits, sorted, with the search box as the user left it; a new folder
// ends the search and empties the box.
#include "tests/shell/MainWindowFixture.h"

namespace {

class MainGridSearch : public MainWindowTest {
protected:
    // Bitmaps of different sizes, so that sorting by size differs from sorting by name.
    static void Write(const std::wstring& path, int w, uint32_t argb) {
        WriteSolidImage(path, w, w * 3 / 4, argb, kFormatBmp);
    }
    void StartColours() {
        folder = MakeTestFolder(L"maingridsearch");
        Write(folder + L"blue-a.bmp", 200, kBlue);
        Write(folder + L"blue-b.bmp", 20, kBlue);
        Write(folder + L"red.bmp", 80, kRed);
        Open(L"red.bmp");
    }
    HWND SearchBox() { return main->ImageToolbar.SearchTextWindow(); }
    // The text typed into the search box and Enter pressed there.
    void Search(const std::wstring& text) {
        ::SendMessageW(SearchBox(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        ::SendMessageW(SearchBox(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        ::SetWindowTextW(SearchBox(), text.c_str());
        ::SendMessageW(SearchBox(), WM_KEYDOWN, VK_RETURN, 0);
        ::SendMessageW(SearchBox(), WM_KEYUP, VK_RETURN, 0);
    }
    std::wstring BoxText() {
        wchar_t text[64] = L"";
        ::GetWindowTextW(SearchBox(), text, 64);
        return text;
    }
    // The names the grid shows, in grid order.
    std::vector<std::wstring> Shown() {
        const ThumViewer& grid = main->ThumyzViewer;
        std::vector<std::wstring> names;
        for (int32_t row : grid.ShownRows()) names.push_back(grid.ThumListview().Rows[static_cast<size_t>(row)].String);
        return names;
    }
};

} // namespace

TEST_F(MainGridSearch, ASortOrARelistKeepsTheHitsAndANewFolderEndsTheSearch) {
    using Names = std::vector<std::wstring>;
    const std::wstring other = MakeTestFolder(L"maingridsearch-other");
    Write(other + L"green.bmp", 40, kRed);
    Write(other + L"blue-z.bmp", 40, kBlue);
    struct Step {
        const char* what; // a menu row picked, or what else the user or the program does
        Names shown;
        const wchar_t* box;
    };
    const Step steps[] = {
        {"View_Sortsize", {L"blue-b.bmp", L"blue-a.bmp"}, L"blue"},
        {"View_Sortname", {L"blue-a.bmp", L"blue-b.bmp"}, L"blue"},
        {"View_Sorttype", {L"blue-a.bmp", L"blue-b.bmp"}, L"blue"},
        {"relist", {L"blue-a.bmp", L"blue-b.bmp", L"blue-c.bmp"}, L"blue"},
        {"View_Sortsize", {L"blue-b.bmp", L"blue-c.bmp", L"blue-a.bmp"}, L"blue"},
        {"the same folder again", {L"blue-b.bmp", L"blue-c.bmp", L"blue-a.bmp"}, L"blue"},
        {"another folder", {L"blue-z.bmp", L"green.bmp"}, L""},
        {"View_Sortname", {L"blue-z.bmp", L"green.bmp"}, L""},
        {"back", {L"blue-a.bmp", L"blue-b.bmp", L"blue-c.bmp", L"red-2.bmp", L"red.bmp"}, L""},
        {"search blue", {L"blue-a.bmp", L"blue-b.bmp", L"blue-c.bmp"}, L"blue"},
        {"the box emptied", {L"blue-a.bmp", L"blue-b.bmp", L"blue-c.bmp"}, L""},
        {"View_Sortname", {L"blue-a.bmp", L"blue-b.bmp", L"blue-c.bmp", L"red-2.bmp", L"red.bmp"}, L""},
        {"search blue", {L"blue-a.bmp", L"blue-b.bmp", L"blue-c.bmp"}, L"blue"},
        {"an empty search", {L"blue-a.bmp", L"blue-b.bmp", L"blue-c.bmp", L"red-2.bmp", L"red.bmp"}, L""},
        {"View_Sortname", {L"blue-a.bmp", L"blue-b.bmp", L"blue-c.bmp", L"red-2.bmp", L"red.bmp"}, L""},
    };
    StartColours();
    Search(L"blue");
    ASSERT_EQ(Shown(), (Names{L"blue-a.bmp", L"blue-b.bmp"}));
    for (const Step& step : steps) {
        const std::string what = step.what;
        if (what == "relist") {
            Write(folder + L"blue-c.bmp", 60, kBlue);
            Write(folder + L"red-2.bmp", 60, kRed);
            main->ThumyzViewer.RefreshThumbnail(); // as after a delete, a rename or a save
        } else if (what == "the box emptied") {
            ::SetWindowTextW(SearchBox(), L""); // without Enter: the hits stay until the grid lists again
        } else if (what == "search blue" || what == "an empty search") {
            Search(what == "search blue" ? L"blue" : L"");
        } else if (what.rfind("View_", 0) == 0) {
            ASSERT_TRUE(Pick(std::wstring(what.begin(), what.end()))) << what;
        } else {
            // A folder chosen in the folder pane; the same one as its path without the final
            // backslash, in capitals.
            const std::wstring chosen = what == "another folder" ? other
                                        : what == "back"         ? folder
                                                                 : UpperText(folder.substr(0, folder.size() - 1));
            main->GridPath(chosen);
            main->GridCreateThumbnail();
        }
        EXPECT_EQ(Shown(), step.shown) << what;
        EXPECT_EQ(main->ThumyzViewer.ListCount(), static_cast<int32_t>(step.shown.size())) << what;
        EXPECT_EQ(BoxText(), step.box) << what;
    }
}
