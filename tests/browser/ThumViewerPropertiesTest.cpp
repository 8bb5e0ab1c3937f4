// The grid's stored properties: what each setter keeps and the change name it tells the host, and
// the background colour the control is made with.
#include "browser/ThumViewer.h"
#include "tests/browser/BarTestSupport.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <functional>

TEST(ThumViewerProperties, EverySetterTellsItsChangeNameOnceAndDateWatchNone) {
    ThumViewer grid;
    std::vector<std::wstring> told;
    grid.onPropertyChanged = [&](const std::wstring& name) { told.push_back(name); };
    struct Case {
        const wchar_t* name;
        std::function<void()> set;
        std::function<bool()> kept;
    };
    const Case cases[] = {
        {L"ThumStyle", [&] { grid.ThumStyle(3); }, [&] { return grid.ThumStyle() == 3; }},
        {L"HideCaption", [&] { grid.HideCaption(true); }, [&] { return grid.HideCaption(); }},
        {L"CustomWidth", [&] { grid.CustomWidth(40.5f); }, [&] { return grid.CustomWidth() == 40.5f; }},
        {L"CustomHeight", [&] { grid.CustomHeight(41.5f); }, [&] { return grid.CustomHeight() == 41.5f; }},
        {L"AutoZoomsize", [&] { grid.AutoZoomsize(true); }, [&] { return grid.AutoZoomsize(); }},
        {L"ShowSingleSplit", [&] { grid.ShowSingleSplit(true); }, [&] { return grid.ShowSingleSplit(); }},
        {L"ThumWidth", [&] { grid.ThumWidth(120); }, [&] { return grid.ThumWidth() == 120; }},
        {L"Thumheight", [&] { grid.ThumHeight(90); }, [&] { return grid.ThumHeight() == 90; }},
        {L"BackColor", [&] { grid.BackColor(RGB(1, 2, 3)); }, [&] { return grid.BackColor() == RGB(1, 2, 3); }},
        // Reading gives the listing pattern, not the filter just set.
        {L"ImageFormats", [&] { grid.ImageFormats(L"*.png"); }, [&] { return grid.ImageFormats() != L"*.png"; }},
        {L"ThumbnaillSort", [&] { grid.ThumbnaillSort(2); }, [&] { return grid.ThumbnaillSort() == 2; }},
        {L"isFavorties", [&] { grid.isFavorties(true); }, [&] { return grid.isFavorties(); }},
        {nullptr, [&] { grid.DateWatch(L"1-2-2024"); }, [&] { return grid.FilterMode() == ThumViewer::kDateFilter; }},
    };
    for (const Case& c : cases) {
        told.clear();
        c.set();
        EXPECT_TRUE(c.kept()) << (c.name ? Narrow(c.name) : "DateWatch");
        EXPECT_EQ(told, c.name ? std::vector<std::wstring>{c.name} : std::vector<std::wstring>{})
            << (c.name ? Narrow(c.name) : "DateWatch");
    }
}

TEST(ThumViewerProperties, TheControlTakesTheBackgroundItIsMadeWith) {
    TestWindow window{300, 200};
    ThumViewer grid;
    ASSERT_TRUE(grid.Create({.parent = window.hwnd(), .width = 300, .height = 200, .backColor = RGB(235, 235, 235)}));
    EXPECT_EQ(grid.BackColor(), RGB(235, 235, 235));
    grid.ThumOLE.Cls();
    EXPECT_EQ(grid.ThumOLE.Point(10, 10), RGB(235, 235, 235));
    EXPECT_EQ(grid.ThumScroll.BackColor(), RGB(235, 235, 235));
}
