// The stamp-library browser in a real window over a scratch "Librarians\" folder of generated
// stamps: the rows it draws (read back from the list surface), what presses, moves, releases and
// double clicks pick, how it follows the folder as stamps are added, deleted and written over, and
// the scroll bar's end.
#include "controls/ZpYLibMenu.h"
#include "imaging/TextRendering.h"
#include "platform/AppState.h"
#include "tests/browser/BarTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kW = 240, kH = 300;
constexpr COLORREF kGrey = RGB(238, 238, 238);

int RowTop(int i) {
    return 10 + 50 * i;
}

class StampLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        ClearLibrary();
        WriteSkin(L"Stampenter.png", 16, 16, ColorARGB(255, 0, 200, 0));
        WriteSkin(L"DelStamp.png", 16, 16, ColorARGB(255, 200, 0, 0));
    }
    void TearDown() override {
        lib.reset();
        ClearLibrary();
    }

    static std::wstring Folder() { return App().AppFolder + L"Librarians\\"; }
    static void ClearLibrary() {
        for (const std::wstring& name : FileNamesIn(Folder())) (void)RemoveStamp(Folder() + name);
    }
    // Deletes one file of the scratch library, never anything outside the run's scratch folder.
    [[nodiscard]] static bool RemoveStamp(const std::wstring& path) {
        return IsInsideScratchRoot(path) && ::DeleteFileW(path.c_str());
    }
    static void WriteStamp(const std::wstring& name, int w, int h, uint32_t argb) {
        WriteSolidImage(Folder() + name, w, h, argb);
    }

    ZpYLibMenu& Make() {
        lib = std::make_unique<ZpYLibMenu>();
        EXPECT_TRUE(lib->Create({.parent = window.hwnd(), .width = kW, .height = kH}));
        return *lib;
    }
    HWND Surface() { return lib->LibOLE().hWnd(); }
    // Lets the stamps decoded in the background be drawn in.
    void Settle() {
        for (int waited = 0; lib->RowsPending() > 0 && waited < 20000; waited += 10) TestWindow::Pump(10);
        ASSERT_EQ(lib->RowsPending(), 0);
    }
    void Press(int x, int y) {
        SendMouse(Surface(), WM_LBUTTONDOWN, MK_LBUTTON, x, y);
        SendMouse(Surface(), WM_LBUTTONUP, 0, x, y);
    }
    void DoubleClick(int x, int y) {
        Press(x, y);
        SendMouse(Surface(), WM_LBUTTONDBLCLK, MK_LBUTTON, x, y);
        SendMouse(Surface(), WM_LBUTTONUP, 0, x, y);
    }
    void MoveTo(const RectF& r, float dx = 8, float dy = 8) {
        SendMouse(Surface(), WM_MOUSEMOVE, 0, static_cast<int>(r.X + dx), static_cast<int>(r.Y + dy));
    }
    // The display names, top first.
    std::vector<std::wstring> Names() const {
        std::vector<std::wstring> names;
        for (const auto& row : lib->ThumListview()) names.push_back(row.Filename);
        return names;
    }
    // The middle of row i's thumbnail box.
    COLORREF Thumb(int i) { return lib->LibOLE().Point(35, RowTop(i) + 18); }
    // Pressing each row in turn picks the file the row shows, and that file is in the library.
    void ExpectEveryRowOnItsOwnFile() {
        for (int i = 0; i < lib->StampCount(); ++i) {
            Press(100, RowTop(i) + 10);
            const auto& row = lib->ThumListview()[static_cast<size_t>(i)];
            EXPECT_EQ(lib->Filename(), Folder() + row.Filename + L".lib") << i;
            EXPECT_TRUE(FileExistsForTest(lib->Filename())) << i;
        }
        EXPECT_EQ(lib->LibOLE().Height(), 50 * lib->StampCount() + 10);
    }

    TestWindow window{kW + 20, kH + 20};
    std::unique_ptr<ZpYLibMenu> lib;
};

} // namespace

TEST_F(StampLibrary, DrawsTheStampsInReverseOrderWithThumbnailNameAndSize) {
    WriteStamp(L"a.lib", 60, 30, ColorARGB(255, 255, 0, 0));
    WriteStamp(L"b.lib", 12, 12, ColorARGB(255, 0, 160, 0));
    WriteStamp(L"c.lib", 30, 80, ColorARGB(255, 0, 0, 255));
    WriteStamp(L"c.libx", 30, 80, ColorARGB(255, 0, 0, 255)); // no stamp
    ASSERT_TRUE(WriteTestFile(Folder() + L"0bad.lib", "not a picture"));
    Make().Painting();
    Settle();

    ASSERT_EQ(Names(), (std::vector<std::wstring>{L"c", L"b", L"a", L"0bad"}));
    EXPECT_EQ(lib->LibOLE().Height(), 4 * 50 + 10);
    const COLORREF colours[] = {RGB(0, 0, 255), RGB(0, 160, 0), RGB(255, 0, 0), kGrey};
    for (int i = 0; i < 4; ++i) EXPECT_LE(RgbDistance(Thumb(i), colours[i]), 2) << i;
    // b is 12 x 12, never enlarged: centred in the 40 x 40 box, grey just outside it.
    EXPECT_EQ(lib->LibOLE().Point(35 - 7, RowTop(1) + 18), kGrey);
    // Buttons at the right end, their images unscaled.
    const int w = lib->LibOLE().Width();
    EXPECT_LE(RgbDistance(lib->LibOLE().Point(w - 30 + 8, RowTop(2) + 15 + 8), RGB(0, 200, 0)), 2);
    EXPECT_LE(RgbDistance(lib->LibOLE().Point(w - 50 + 8, RowTop(2) + 15 + 8), RGB(200, 0, 0)), 2);

    // The labels: " name" and " w x h pixels" in 8-point Tahoma at x 70, as the caption painter
    // draws them on a grey ground of the same kind.
    PictureBox reference;
    ASSERT_TRUE(
        reference.Create({.parent = window.hwnd(), .width = 100, .height = 30, .backColor = kGrey, .visible = false}));
    const std::pair<std::wstring, std::wstring> labels[] = {{L" c", L" 30 x 80 pixels"},
                                                            {L" b", L" 12 x 12 pixels"},
                                                            {L" a", L" 60 x 30 pixels"},
                                                            {L" 0bad", L" 0 x 0 pixels"}};
    for (int i = 0; i < 4; ++i) {
        reference.Cls();
        {
            GdipGraphics g = reference.CreateGraphics();
            const DrawTarget t = DrawTarget::Surface(g.get());
            DrawShadowText(t, labels[i].first, 0, 5, L"Tahoma", 8, ColorARGB(255, 0, 0, 0), 0, false, 100);
            DrawShadowText(t, labels[i].second, 0, 20, L"Tahoma", 8, ColorARGB(255, 0, 0, 0), 0, false, 100);
        }
        ::GdiFlush();
        int ink = 0, worst = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 100; ++x) {
                const COLORREF want = reference.Point(x, y);
                ink += GetGValue(want) < 128;
                worst = std::max(worst, RgbDistance(want, lib->LibOLE().Point(70 + x, RowTop(i) + y)));
            }
        EXPECT_GT(ink, 20) << i;
        EXPECT_LE(worst, 24) << i;
    }
    TestWindow::Pump(30);
    EXPECT_LE(RgbDistance(TestWindow::ScreenPixel(lib->hWnd(), 1 + 35, 2 + RowTop(0) + 18), RGB(0, 0, 255)), 2);
}

TEST_F(StampLibrary, PressesMovesAndReleasesPickRowsAndButtons) {
    std::vector<BYTE> andMask(128, 0xFF), xorMask(128, 0);
    HCURSOR hand = ::CreateCursor(nullptr, 0, 0, 32, 32, andMask.data(), xorMask.data());
    PictureBox::SetCursorLoader([hand](const std::wstring& name) { return name == L"MOUSED" ? hand : nullptr; });
    for (const wchar_t* name : {L"a.lib", L"b.lib", L"c.lib"}) WriteStamp(name, 20, 20, ColorARGB(255, 90, 90, 90));
    Make().Painting();
    Settle();
    std::vector<std::pair<int32_t, std::wstring>> ups; // ButtonType and Filename in each MouseUp
    lib->onMouseUp = [&](int, int, float, float) { ups.emplace_back(lib->ButtonType(), lib->Filename()); };
    PictureBox& s = lib->LibOLE();

    // A press on row 1 picks b and frames it: white outline 4 above the row, shade inside.
    EXPECT_EQ(s.Point(100, RowTop(1) - 4), kGrey);
    Press(100, RowTop(1) + 10);
    EXPECT_EQ(lib->Filename(), Folder() + L"b.lib");
    EXPECT_EQ(s.Point(100, RowTop(1) - 4), RGB(255, 255, 255));
    EXPECT_LT(GetRValue(s.Point(100, RowTop(1) + 38)), 238);
    // The hit area reaches 40 down; one past it is the gap: the frame goes, the pick stays.
    Press(100, RowTop(0) + 39);
    EXPECT_EQ(lib->Filename(), Folder() + L"c.lib");
    Press(100, RowTop(1) + 40);
    EXPECT_EQ(lib->Filename(), Folder() + L"c.lib");
    EXPECT_EQ(s.Point(100, RowTop(0) - 4), kGrey);
    EXPECT_EQ(s.Point(100, RowTop(1) - 4), kGrey);
    EXPECT_EQ(ups, (std::vector<std::pair<int32_t, std::wstring>>{
                       {0, Folder() + L"b.lib"}, {0, Folder() + L"c.lib"}, {0, Folder() + L"c.lib"}}));

    // Onto row 2's delete button, down on row 0, up on the button: a.lib with ButtonType 1.
    ups.clear();
    const RectF del = lib->DeleteButtonRects()[2], use = lib->UseButtonRects()[2];
    MoveTo(del);
    EXPECT_EQ(lib->ButtonType(), 1);
    EXPECT_EQ(s.GetMousePointer(), MousePointer::Custom);
    SendMouse(Surface(), WM_LBUTTONDOWN, MK_LBUTTON, 100, RowTop(0) + 10);
    SendMouse(Surface(), WM_LBUTTONUP, 0, static_cast<int>(del.X) + 8, static_cast<int>(del.Y) + 8);
    EXPECT_EQ(ups, (std::vector<std::pair<int32_t, std::wstring>>{{1, Folder() + L"a.lib"}}));
    EXPECT_EQ(s.Point(100, RowTop(2) - 4), RGB(255, 255, 255));
    EXPECT_EQ(s.Point(100, RowTop(0) - 4), kGrey);

    // Each button's edges, and one jump from delete straight onto use.
    struct Case {
        float dx, dy;
        int32_t type;
        bool enter;
    };
    for (const Case& c : {Case{0, 0, 1, false}, Case{15, 15, 1, false}, Case{16, 8, 0, false}, Case{8, 16, 0, false},
                          Case{20, 8, 2, true}, Case{35, 15, 2, true}, Case{36, 8, 0, false}}) {
        MoveTo(del, c.dx, c.dy);
        EXPECT_EQ(lib->ButtonType(), c.type) << c.dx << "," << c.dy;
        EXPECT_EQ(lib->Enter(), c.enter) << c.dx << "," << c.dy;
        EXPECT_EQ(s.GetMousePointer() == MousePointer::Custom && s.MouseIcon() == hand, c.type != 0) << c.dx;
    }
    MoveTo(del);
    MoveTo(use);
    EXPECT_EQ(lib->ButtonType(), 2);
    PictureBox::SetCursorLoader({});
}

TEST_F(StampLibrary, RefreshPaintKeepsEveryRowOnItsOwnFile) {
    WriteStamp(L"a.lib", 20, 20, ColorARGB(255, 255, 0, 0));
    WriteStamp(L"b.lib", 20, 20, ColorARGB(255, 0, 160, 0));
    WriteStamp(L"c.lib", 20, 20, ColorARGB(255, 0, 0, 255));
    Make().Painting();
    Settle();

    // A new stamp written and announced comes first; the others move 50 down.
    WriteStamp(L"d.lib", 30, 30, ColorARGB(255, 230, 200, 0));
    lib->AddnewItem(Folder(), L"d.lib");
    lib->RefreshPaint();
    Settle();
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"d", L"c", L"b", L"a"}));
    EXPECT_LE(RgbDistance(Thumb(0), RGB(230, 200, 0)), 2);
    EXPECT_LE(RgbDistance(Thumb(1), RGB(0, 0, 255)), 2);
    ExpectEveryRowOnItsOwnFile();

    // The picked b deleted: a moves up into its place.
    Press(100, RowTop(2) + 10);
    ASSERT_EQ(lib->Filename(), Folder() + L"b.lib");
    ASSERT_TRUE(RemoveStamp(lib->Filename()));
    lib->RefreshPaint();
    Settle();
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"d", L"c", L"a"}));
    EXPECT_LE(RgbDistance(Thumb(2), RGB(255, 0, 0)), 2);
    ExpectEveryRowOnItsOwnFile();

    // c written over and announced again: still one row, with the new picture.
    WriteStamp(L"c.lib", 40, 10, ColorARGB(255, 0, 200, 200));
    lib->AddnewItem(Folder(), L"c.lib");
    lib->RefreshPaint();
    Settle();
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"d", L"c", L"a"}));
    EXPECT_LE(RgbDistance(Thumb(1), RGB(0, 200, 200)), 2);

    // a removed behind the program's back, a name announced but never written.
    ASSERT_TRUE(RemoveStamp(Folder() + L"a.lib"));
    lib->AddnewItem(Folder(), L"ghost.lib");
    lib->RefreshPaint();
    Settle();
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"d", L"c"}));
    ExpectEveryRowOnItsOwnFile();

    // Stamps nobody announced: the whole list in the reverse order of the names.
    WriteStamp(L"e.lib", 20, 20, ColorARGB(255, 120, 0, 120));
    WriteStamp(L"b2.lib", 20, 20, ColorARGB(255, 0, 90, 0));
    lib->RefreshPaint();
    Settle();
    EXPECT_EQ(Names(), (std::vector<std::wstring>{L"e", L"d", L"c", L"b2"}));
    EXPECT_LE(RgbDistance(Thumb(2), RGB(0, 200, 200)), 2);
    EXPECT_LE(RgbDistance(Thumb(3), RGB(0, 90, 0)), 2);
    ExpectEveryRowOnItsOwnFile();
}

TEST_F(StampLibrary, DoubleClicksActOnlyOnTheRowTheyLandOn) {
    int raised = 0;
    Make().Painting();
    Settle();
    lib->onDblClick = [&] { ++raised; };
    EXPECT_EQ(lib->LibOLE().Height(), 10);
    EXPECT_FALSE(lib->ThumScroll().Enabled());
    DoubleClick(100, 5);
    EXPECT_EQ(raised, 0);

    WriteStamp(L"a.lib", 20, 20, ColorARGB(255, 255, 0, 0));
    WriteStamp(L"b.lib", 20, 20, ColorARGB(255, 0, 160, 0));
    lib->RefreshPaint();
    Settle();
    DoubleClick(100, RowTop(0) + 10); // picks b
    EXPECT_EQ(raised, 1);
    for (const int y : {RowTop(0) + 40, RowTop(0) + 49, RowTop(1) + 49}) DoubleClick(100, y);
    EXPECT_EQ(raised, 1);
    EXPECT_EQ(lib->Filename(), Folder() + L"b.lib");
    DoubleClick(100, RowTop(1) + 39);
    EXPECT_EQ(raised, 2);
    EXPECT_EQ(lib->Filename(), Folder() + L"a.lib");
}

TEST_F(StampLibrary, TheScrollBarsEndShowsTheLastRowWhole) {
    for (int i = 0; i < 20; ++i)
        WriteStamp(L"s" + std::to_wstring(100 + i) + L".lib", 20, 20,
                   ColorARGB(255, static_cast<uint8_t>(10 * i), 0, static_cast<uint8_t>(250 - 10 * i)));
    Make().Painting();
    Settle();
    scrollVControl& bar = lib->ThumScroll();
    ASSERT_TRUE(bar.Enabled());
    const int viewport = kH - 2, surface = 50 * 20 + 10;
    EXPECT_EQ(bar.Max(), surface - viewport);
    LeftDrag(bar.hWnd(), {8, 30}, {8, kH + 100});
    EXPECT_EQ(bar.Value(), bar.Max());
    EXPECT_EQ(lib->LibOLE().Top(), viewport - surface);
    TestWindow::Pump(30);
    // The last row is s100 (the reverse order): its thumbnail and the separator under it on screen.
    const int lastTop = 2 + (viewport - surface) + RowTop(19);
    EXPECT_LE(RgbDistance(TestWindow::ScreenPixel(lib->hWnd(), 1 + 35, lastTop + 18), RGB(0, 0, 250)), 2);
    EXPECT_LE(lastTop + 45, kH - 1);
    EXPECT_EQ(TestWindow::ScreenPixel(lib->hWnd(), 100, lastTop + 44), RGB(255, 255, 255));
    // A refresh after an add scrolls back to the top.
    WriteStamp(L"z.lib", 20, 20, ColorARGB(255, 0, 0, 0));
    lib->AddnewItem(Folder(), L"z.lib");
    lib->RefreshPaint();
    Settle();
    EXPECT_EQ(bar.Value(), 0);
    EXPECT_EQ(lib->LibOLE().Top(), 0);
    EXPECT_EQ(bar.Max(), surface + 50 - viewport);
}

TEST_F(StampLibrary, AfterEveryResizeTheRowsStayDrawnAndAPressFramesOne) {
    // Eight rows: more than every viewport below shows.
    const auto colourOf = [](int i) { return ColorARGB(255, static_cast<uint8_t>(30 * i), 90, 200); };
    for (int i = 0; i < 8; ++i) WriteStamp(L"s" + std::to_wstring(100 + i) + L".lib", 20, 20, colourOf(i));
    Make().Painting();
    Settle();
    PictureBox& s = lib->LibOLE();
    Press(100, RowTop(1) + 10);
    int picked = 1;
    struct Size {
        const char* name;
        int width, height;
    };
    // Wider and narrower by 60 (the list's own width changes), then only the viewport's height.
    for (const Size c : {Size{"wider", kW + 60, kH}, Size{"narrower", kW - 60, kH}, Size{"shorter", kW - 60, kH - 101},
                         Size{"taller", kW - 60, kH + 50}, Size{"back", kW, kH}}) {
        SCOPED_TRACE(c.name);
        lib->Move(0, 0, c.width, c.height);
        Settle();
        const int w = s.Width();
        ASSERT_EQ(w, c.width - 17 - 2);
        // The pick made before keeps its frame.
        EXPECT_EQ(lib->Filename(), Folder() + L"s" + std::to_wstring(107 - picked) + L".lib");
        EXPECT_EQ(s.Point(100, RowTop(picked) - 4), RGB(255, 255, 255));
        // Every row with its stamp (the picked one under the frame's faint shade), and its buttons
        // at the list's right end, where they react.
        const auto expectStamps = [&] {
            for (int i = 0; i < 8; ++i)
                EXPECT_LE(RgbDistance(Thumb(i), Rgb(colourOf(7 - i))), i == picked ? 10 : 2) << i;
        };
        expectStamps();
        for (int i = 0; i < 8; ++i) {
            EXPECT_LE(RgbDistance(s.Point(w - 30 + 8, RowTop(i) + 15 + 8), RGB(0, 200, 0)), i == picked ? 10 : 2) << i;
            EXPECT_EQ(lib->UseButtonRects()[static_cast<size_t>(i)].X, static_cast<float>(w - 30)) << i;
        }
        // The scroll range is the rows' height less the viewport's, so the last row can be reached.
        EXPECT_EQ(lib->ThumScroll().Max(), 8 * 50 + 10 - (c.height - 2));
        // A press frames its row on the rows, which stay.
        picked = (picked + 3) % 8;
        Press(100, RowTop(picked) + 10);
        EXPECT_EQ(lib->Filename(), Folder() + L"s" + std::to_wstring(107 - picked) + L".lib");
        EXPECT_EQ(s.Point(100, RowTop(picked) - 4), RGB(255, 255, 255));
        expectStamps();
    }
}

TEST_F(StampLibrary, RowsInViewComeFirstAndTheRestFollowInOrder) {
    // 30 stamps of distinct colours and sizes: six rows fit the control.
    const auto colourOf = [](int i) {
        return ColorARGB(255, static_cast<uint8_t>(8 * i), static_cast<uint8_t>(200 - 6 * i),
                         static_cast<uint8_t>(i % 2 ? 40 : 220));
    };
    for (int i = 0; i < 30; ++i) WriteStamp(L"s" + std::to_wstring(100 + i) + L".lib", 20 + i, 30, colourOf(i));
    Make().Painting();
    ASSERT_EQ(lib->StampCount(), 30);
    EXPECT_EQ(Thumb(25), kGrey); // not in view, not drawn yet
    // The rows are completed top first (s129 first, the reverse order of the names): after every
    // message the completed rows are the top ones.
    const auto completedAreTheTop = [&] {
        int i = 0;
        while (i < 30 && lib->RowComplete(i)) ++i;
        for (int j = i; j < 30; ++j)
            if (lib->RowComplete(j)) return false;
        return true;
    };
    for (int waited = 0; !lib->RowComplete(5) && waited < 20000; ++waited) {
        MSG m;
        if (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&m);
        else
            ::Sleep(1);
        ASSERT_TRUE(completedAreTheTop());
    }
    ASSERT_TRUE(lib->RowComplete(5));
    for (int i = 0; i < 6; ++i) EXPECT_LE(RgbDistance(Thumb(i), Rgb(colourOf(29 - i))), 2) << i;
    EXPECT_EQ(lib->ThumListview()[0].pixelWidth, 49);

    // A scroll to the middle shows the rows there at once.
    scrollVControl& bar = lib->ThumScroll();
    bar.Value(RowTop(15) - 10);
    for (int i = 15; i < 20; ++i) {
        EXPECT_LE(RgbDistance(Thumb(i), Rgb(colourOf(29 - i))), 2) << i;
        EXPECT_EQ(lib->ThumListview()[static_cast<size_t>(i)].pixelWidth, 20 + 29 - i) << i;
    }

    // The rest follow in the background, each row on its own stamp.
    for (int waited = 0; lib->RowsPending() > 0 && waited < 20000; waited += 20) TestWindow::Pump(20);
    ASSERT_EQ(lib->RowsPending(), 0);
    for (int i = 0; i < 30; ++i) {
        const auto& row = lib->ThumListview()[static_cast<size_t>(i)];
        EXPECT_EQ(row.Filename, L"s" + std::to_wstring(129 - i)) << i;
        EXPECT_EQ(row.pixelWidth, 20 + 29 - i) << i;
        EXPECT_LE(RgbDistance(Thumb(i), Rgb(colourOf(29 - i))), 2) << i;
    }
    // A row picked while the rows fill keeps its frame: pressing and releasing picks the row shown.
    Press(100, RowTop(17) + 10);
    EXPECT_EQ(lib->Filename(), Folder() + L"s112.lib");
}

TEST_F(StampLibrary, IncAndDecPaintedingKeepOneRowPerStampAtTheEdges) {
    Make().Painting();
    const auto expectRows = [&](const std::vector<std::wstring>& names, const char* step) {
        EXPECT_EQ(Names(), names) << step;
        EXPECT_EQ(lib->StampCount(), static_cast<int32_t>(names.size())) << step;
        EXPECT_EQ(lib->LibOLE().Height(), 50 * static_cast<int>(names.size()) + 10) << step;
        EXPECT_EQ(lib->CellRects().size(), names.size()) << step;
    };
    const auto add = [&](const std::wstring& name, uint8_t shade) {
        WriteStamp(name + L".lib", 20, 20, ColorARGB(255, shade, 0, 255 - shade));
        lib->AddnewItem(Folder(), name + L".lib");
        lib->IncPainteding();
        Settle();
    };
    lib->IncPainteding(); // nothing announced
    expectRows({}, "empty");

    add(L"a", 0);
    expectRows({L"a"}, "the first");
    EXPECT_LE(RgbDistance(Thumb(0), RGB(0, 0, 255)), 2);
    lib->DecPainteding(); // no row picked
    Press(100, RowTop(0) + 10);
    lib->DecPainteding(); // picked, but its file is still there: a failed delete keeps the row
    expectRows({L"a"}, "failed delete");
    ASSERT_TRUE(RemoveStamp(lib->Filename()));
    lib->DecPainteding();
    expectRows({}, "the only one deleted");

    // Six rows overflow the 298-pixel viewport, five do not.
    for (const wchar_t* name : {L"b", L"c", L"d", L"e", L"f"}) add(name, 40);
    expectRows({L"f", L"e", L"d", L"c", L"b"}, "five");
    EXPECT_FALSE(lib->ThumScroll().Enabled());
    add(L"g", 200);
    expectRows({L"g", L"f", L"e", L"d", L"c", L"b"}, "six");
    ASSERT_TRUE(lib->ThumScroll().Enabled());
    EXPECT_EQ(lib->ThumScroll().Max(), 310 - (kH - 2));
    EXPECT_LE(RgbDistance(Thumb(0), RGB(200, 0, 55)), 2);
    EXPECT_LE(RgbDistance(Thumb(1), RGB(40, 0, 215)), 2);

    // The top row and the bottom row deleted; then the picked row and one nobody picked at once.
    Press(100, RowTop(0) + 10);
    ASSERT_TRUE(RemoveStamp(lib->Filename()));
    lib->DecPainteding();
    Settle();
    expectRows({L"f", L"e", L"d", L"c", L"b"}, "top deleted");
    EXPECT_LE(RgbDistance(Thumb(0), RGB(40, 0, 215)), 2);
    Press(100, RowTop(4) + 10);
    ASSERT_EQ(lib->Filename(), Folder() + L"b.lib");
    ASSERT_TRUE(RemoveStamp(lib->Filename()));
    lib->DecPainteding();
    expectRows({L"f", L"e", L"d", L"c"}, "bottom deleted");
    Press(100, RowTop(1) + 10);
    ASSERT_TRUE(RemoveStamp(lib->Filename()));
    ASSERT_TRUE(RemoveStamp(Folder() + L"c.lib"));
    lib->DecPainteding();
    expectRows({L"f", L"d"}, "two gone, one picked");
    ExpectEveryRowOnItsOwnFile();
}
