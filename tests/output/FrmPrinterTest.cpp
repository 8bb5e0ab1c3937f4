// The print window in a real window with real pointer input on a recording printer, and print
// jobs through a real CUPS queue that writes PDF ("PDF", started by scripts/test), read back as
// PNG pages.
#include "imaging/DIBsave.h"
#include "imaging/ModGDI.h"
#include "output/FrmPrinter.h"
#include "output/ModCommonDialog.h"
#include "output/WinspoolPrinter.h"
#include "platform/AppState.h"
#include "platform/MessageBoxService.h"
#include "tests/output/OutputWindowSupport.h"
#include "tests/output/PdfQueueSupport.h"
#include "tests/support/FakeNeighbours.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <psapi.h>

#include <algorithm>

using namespace output_test;

namespace {

constexpr uint32_t kColours[] = {ColorARGB(255, 220, 0, 0), ColorARGB(255, 0, 200, 0), ColorARGB(255, 0, 0, 220)};

int Luma(COLORREF c) {
    return GetRValue(c) + GetGValue(c) + GetBValue(c);
}

class PrintWindow : public ::testing::Test {
protected:
    RecordingPrinter printer;
    FrmPrinter form{printer, nullptr};
    TestWindow owner{1000, 750, 10, 10};
    std::vector<std::wstring> messages;
    ScopedMessageBoxAnswerer boxes{[this](const MessageBoxRequest& request) {
        messages.push_back(request.text + (request.type & MB_ICONEXCLAMATION ? L" (!)" : L""));
        return IDOK;
    }};

    void SetUp() override {
        ResetAppState(TestProgramFolder()); // page files go to its "Datas\"
        PictureBox::SetCursorLoader([](const std::wstring&) { return ::LoadCursorW(nullptr, IDC_HAND); });
        for (int i = 1; i <= 10; ++i) {
            const std::wstring name = L"Print0" + std::to_wstring(i) + L".png";
            ::CopyFileW((ExecutableFolder() + L"..\\program\\Datas\\" + name).c_str(), (App().DataPath + name).c_str(),
                        FALSE);
        }
        // Three 300 x 200 pictures in red, green and blue, and an empty entry that makes no page.
        const std::wstring folder = MakeTestFolder(L"print");
        App().SelectedFiles.clear();
        for (int i = 0; i < 3; ++i) {
            DIBsave picture;
            ASSERT_TRUE(picture.CreateBlankMemory(200, 300));
            picture.ClearScreen(kColours[i]);
            const std::wstring path = folder + std::to_wstring(i) + L".png";
            ASSERT_TRUE(picture.Save(path, 6, 0));
            App().SelectedFiles.push_back(path);
            if (i == 1) App().SelectedFiles.emplace_back();
        }
    }
    void TearDown() override {
        form.Unload();
        PictureBox::SetCursorLoader({});
        App().SelectedFiles.clear();
    }
    void Copies(const wchar_t* text) { ::SetWindowTextW(form.TxtCopies(), text); }
    POINT Centre(int32_t button) const {
        const RectF r = const_cast<FrmPrinter&>(form).ButtonRect(button);
        return OnScreen(const_cast<FrmPrinter&>(form).Surface().hWnd(), static_cast<int>(r.X + r.Width / 2),
                        static_cast<int>(r.Y + r.Height / 2));
    }
    COLORREF ButtonPixel(int32_t button) {
        const RectF r = form.ButtonRect(button);
        return form.Surface().Point(static_cast<int>(r.X + r.Width / 2), static_cast<int>(r.Y + r.Height - 4));
    }
    COLORREF PreviewCentre() {
        const RectF box = form.PreviewRect();
        return form.Surface().Point(static_cast<int>(box.X + box.Width / 2), static_cast<int>(box.Y + box.Height / 2));
    }
};

TEST_F(PrintWindow, HoverPressAndPagingWithThePointer) {
    ASSERT_TRUE(ShowPrintWindow(form, printer, owner.hwnd()));
    TestWindow::Pump(100);
    EXPECT_EQ(form.PageCounter(), L"1 of 3");
    EXPECT_EQ(PreviewCentre(), RGB(220, 0, 0));
    const COLORREF normal = ButtonPixel(FrmPrinter::kNext);
    Act([&] { PointerTo(Centre(FrmPrinter::kNext)); });
    EXPECT_EQ(form.PrintHoverButton(), FrmPrinter::kNext);
    EXPECT_EQ(form.Surface().GetMousePointer(), MousePointer::Custom);
    EXPECT_LT(Luma(ButtonPixel(FrmPrinter::kNext)), Luma(normal) - 30); // hover is darker
    Act([] { LeftButton(true); });
    EXPECT_GT(Luma(ButtonPixel(FrmPrinter::kNext)), Luma(normal) + 30); // pressed is light
    Act([] { LeftButton(false); });
    EXPECT_EQ(form.PageCounter(), L"2 of 3");
    EXPECT_EQ(PreviewCentre(), RGB(0, 200, 0));
    // The arrows stay within the pages.
    Act([&] {
        for (int i = 0; i < 3; ++i) ClickAt(Centre(FrmPrinter::kPrevious));
    });
    EXPECT_EQ(form.PageCounter(), L"1 of 3");
    // A layout button previews page 0 of its own pages: the thumbnails fit on one.
    Act([&] { ClickAt(Centre(FrmPrinter::kThumbnail)); });
    EXPECT_EQ(form.PrintLayout, FrmPrinter::kThumbnail);
    EXPECT_EQ(form.PageCounter(), L"1 of 1");
    Act([&] { ClickAt(Centre(FrmPrinter::kCancel)); });
    EXPECT_FALSE(form.Loaded());
}

TEST_F(PrintWindow, TheSeparatorRunsTheSettingsSide260PixelsAndPagesScaleBicubic) {
    ASSERT_TRUE(form.Load(owner.hwnd()));
    // The etched line: a white line over a translucent dark one, from the window's left edge to
    // x 260.
    const int y = static_cast<int>(form.ButtonRect(3).Y) - 30;
    PictureBox& s = form.Surface();
    for (const int x : {0, 10, 19, 150, 259}) {
        EXPECT_EQ(s.Point(x, y - 1), RGB(255, 255, 255)) << x;
        EXPECT_LT(Luma(s.Point(x, y - 2)), Luma(s.Point(x, y + 3)) - 20) << x;
    }
    for (const int x : {261, 280}) EXPECT_NE(s.Point(x, y - 1), RGB(255, 255, 255)) << x;

    // Every layout's page bitmap scales its pictures bicubic. Wine's GDI+ scales bicubic as
    // bilinear, so its pixels cannot tell the two apart: the page's surface says which it uses.
    for (const int32_t layout : {FrmPrinter::kFitToPage, FrmPrinter::kFullPage, FrmPrinter::kThumbnail}) {
        form.PrintLayout = layout;
        form.RenderPrintPages(false, 0);
        InterpolationMode mode = InterpolationModeInvalid;
        ASSERT_TRUE(form.PageImage.MemGraphics) << layout;
        GdipGetInterpolationMode(form.PageImage.MemGraphics, &mode);
        EXPECT_EQ(mode, InterpolationModeHighQualityBicubic) << layout;
    }
}

TEST_F(PrintWindow, PagesAndCopiesPerLayoutAndRefusedCopies) {
    struct Case {
        int32_t layout;
        const wchar_t* copies;
        size_t pages;
    };
    const Case cases[] = {{FrmPrinter::kFitToPage, L"2", 6},    {FrmPrinter::kFullPage, L"1", 3},
                          {FrmPrinter::kThumbnail, L"2", 2},    {FrmPrinter::kFitToPage, L"0", 0},
                          {FrmPrinter::kFitToPage, L"1000", 0}, {FrmPrinter::kFitToPage, L" ", 0}};
    for (const Case& c : cases) {
        printer.log.calls.clear();
        ASSERT_TRUE(form.Load(owner.hwnd()));
        form.PrintLayout = c.layout;
        Copies(c.copies);
        bool closedFirst = false;
        printer.onEndDocument = [&] { closedFirst = !form.Loaded() && !FileExistsForTest(FrmPrinter::PageFile(0)); };
        form.StartPrintJob();
        EXPECT_EQ(printer.log.Count(L"Page 831x1176"), c.pages) << c.layout << " " << Narrow(c.copies);
        EXPECT_EQ(printer.log.Count(L"End"), c.pages ? 1u : 0u);
        EXPECT_EQ(closedFirst, c.pages > 0);
        EXPECT_EQ(form.Loaded(), c.pages == 0);
        form.Unload();
    }
}

// Clicks as the system queues them for the window's face: they run when the window's messages
// next run, which is inside a job once the first one has started it.
void QueueClicks(FrmPrinter& form, std::initializer_list<int32_t> buttons) {
    HWND face = form.Surface().hWnd();
    for (const int32_t button : buttons) {
        const RectF r = form.ButtonRect(button);
        const LPARAM at = MAKELPARAM(static_cast<int>(r.X + r.Width / 2), static_cast<int>(r.Y + r.Height / 2));
        ::PostMessageW(face, WM_MOUSEMOVE, 0, at);
        ::PostMessageW(face, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageW(face, WM_LBUTTONUP, 0, at);
    }
}

TEST_F(PrintWindow, OneJobAtATimeAndCancelDuringAJobPrintsNothing) {
    struct Case {
        int32_t layout;
        int32_t secondClick;
        size_t documents, pages;
    };
    const Case cases[] = {{FrmPrinter::kThumbnail, FrmPrinter::kCancel, 0, 0},
                          {FrmPrinter::kFitToPage, FrmPrinter::kCancel, 0, 0},
                          {FrmPrinter::kThumbnail, FrmPrinter::kPrint, 1, 1},
                          {FrmPrinter::kFitToPage, FrmPrinter::kPrint, 1, 3}};
    for (const Case& c : cases) {
        printer.log.calls.clear();
        ASSERT_TRUE(form.Load(owner.hwnd()));
        form.PrintLayout = c.layout;
        QueueClicks(form, {FrmPrinter::kPrint, c.secondClick});
        TestWindow::Pump(300);
        EXPECT_EQ(printer.log.Count(L"Begin"), c.documents) << c.layout << " " << c.secondClick;
        EXPECT_EQ(printer.log.Count(L"End"), c.documents) << c.layout << " " << c.secondClick;
        EXPECT_EQ(printer.log.Count(L"Page 831x1176"), c.pages) << c.layout << " " << c.secondClick;
        EXPECT_FALSE(form.Loaded());
        EXPECT_FALSE(form.Busy());
        EXPECT_FALSE(FileExistsForTest(FrmPrinter::PageFile(0)));
        form.Unload();
    }
}

// The largest working set seen while the window's messages run (sampled by a timer).
size_t g_peakWorkingSet = 0;
size_t WorkingSet() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    return ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof(counters)) ? counters.WorkingSetSize : 0;
}
void CALLBACK SampleWorkingSet(HWND, UINT, UINT_PTR, DWORD) {
    g_peakWorkingSet = std::max(g_peakWorkingSet, WorkingSet());
}

TEST_F(PrintWindow, ThumbnailsDecodeOnePictureAtATimeAndNameAnUnreadableOne) {
    // Eight 2400 x 1800 pictures, 17 MB each once decoded, and a file that is no picture.
    const std::wstring folder = MakeTestFolder(L"printlarge");
    App().SelectedFiles.clear();
    for (int i = 0; i < 8; ++i) {
        DIBsave picture;
        ASSERT_TRUE(picture.CreateBlankMemory(1800, 2400));
        picture.ClearScreen(kColours[i % 3]);
        const std::wstring path = folder + std::to_wstring(i) + L".bmp";
        ASSERT_TRUE(picture.Save(path, 0, 0));
        App().SelectedFiles.push_back(path);
        if (i == 4) {
            ASSERT_TRUE(WriteTestFile(folder + L"broken.png", "not a picture"));
            App().SelectedFiles.push_back(folder + L"broken.png");
        }
    }
    ASSERT_TRUE(form.Load(owner.hwnd()));
    form.PrintLayout = FrmPrinter::kThumbnail;
    const size_t before = WorkingSet();
    g_peakWorkingSet = before;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 5, &SampleWorkingSet);
    form.StartPrintJob();
    ::KillTimer(nullptr, timer);
    // Every page of cells printed; at most about one picture in memory at any time.
    std::vector<SizeF> sizes(9, SizeF(2400, 1800));
    sizes[5] = SizeF(0, 0);
    const PageSize page = ComputePageSize(printer.paper, 15);
    EXPECT_EQ(printer.log.Count(L"Page 831x1176"), LayoutThumbnails(sizes, page.W, page.H).size());
    EXPECT_LT(g_peakWorkingSet - before, 60u << 20) << (g_peakWorkingSet - before) / (1 << 20) << " MB";
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(folder + L"broken.png"), std::wstring::npos) << Narrow(messages[0]);
}

TEST_F(PrintWindow, NoPrinterMeansAMessageAndNoWindow) {
    printer.names.clear();
    EXPECT_FALSE(ShowPrintWindow(form, printer, owner.hwnd()));
    EXPECT_FALSE(form.Loaded());
    EXPECT_EQ(messages, std::vector<std::wstring>{L"Sorry, no printers installed. (!)"});
}

// The box of the pixels of one colour channel's picture on a page, and the page size.
struct Found {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1, width = 0, height = 0;
};
Found FindColour(GpBitmap* page, int channel) {
    Found f;
    UINT w = 0, h = 0;
    GdipGetImageWidth(page, &w);
    GdipGetImageHeight(page, &h);
    f.width = static_cast<int>(w), f.height = static_cast<int>(h);
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x) {
            const uint32_t p = PixelAt(page, x, y);
            const int c[3] = {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
                              static_cast<int>(p & 0xFF)};
            if (c[channel] > 150 && c[(channel + 1) % 3] < 80 && c[(channel + 2) % 3] < 80)
                f.left = std::min(f.left, x), f.top = std::min(f.top, y), f.right = std::max(f.right, x),
                f.bottom = std::max(f.bottom, y);
        }
    return f;
}

// The shown child of a window (at any depth) whose text is text; null when none has it.
struct ChildSearch {
    const std::wstring& text;
    HWND found = nullptr;
};
BOOL CALLBACK MatchChild(HWND child, LPARAM lp) {
    auto* search = reinterpret_cast<ChildSearch*>(lp);
    wchar_t buffer[64] = L"";
    ::GetWindowTextW(child, buffer, 64);
    if (search->text != buffer || !::IsWindowVisible(child)) return TRUE;
    search->found = child;
    return FALSE;
}
HWND ChildWithText(HWND top, const std::wstring& text) {
    ChildSearch search{text};
    ::EnumChildWindows(top, &MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void ClickChild(HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ClickAt({r.left + 8, (r.top + r.bottom) / 2});
}

TEST_F(PrintWindow, PrinterSetupKeepsTheChosenDefaultsForTheNextPrinterObject) {
    if (const char* out = std::getenv("VELLUMO_PRINT_OUT"); !out || !*out) {
        if (RunningUnderCi()) FAIL() << "scripts/test starts the PDF queue under CI";
        GTEST_SKIP() << "no PDF queue (run through scripts/test)";
    }
    // The queue's defaults are put back whatever happens: the other print tests want portrait.
    struct KeepDefaults {
        std::vector<BYTE> saved = ReadPrinterDefaults(L"PDF");
        ~KeepDefaults() { (void)StorePrinterDefaults(L"PDF", saved); }
    } keep;
    ASSERT_FALSE(keep.saved.empty()) << "the queue PDF is not installed";
    struct Case {
        const wchar_t* button; // in the printer's own dialog
        bool landscape;
    };
    for (const Case c : {Case{L"Cancel", false}, Case{L"OK", true}}) {
        std::vector<BYTE> portrait = keep.saved;
        reinterpret_cast<DEVMODEW*>(portrait.data())->dmOrientation = DMORIENT_PORTRAIT;
        ASSERT_TRUE(StorePrinterDefaults(L"PDF", portrait));
        WinspoolPrinter queue;
        ASSERT_TRUE(queue.Select(L"PDF"));
        FrmPrinter real{queue, nullptr};
        ASSERT_TRUE(real.Load(owner.hwnd()));
        TestWindow::Pump(100);
        const RectF before = real.PreviewRect();
        ASSERT_LT(before.Width, before.Height);
        bool clicked = false;
        Act([&] {
            ClickAt(OnScreen(real.Surface().hWnd(), static_cast<int>(real.ButtonRect(4).X + 12),
                             static_cast<int>(real.ButtonRect(4).Y + 12)));
            const HWND dialog = WaitForWindow(L"#32770");
            const HWND landscape = dialog ? ChildWithText(dialog, L"&Landscape") : nullptr;
            const HWND close = dialog ? ChildWithText(dialog, c.button) : nullptr;
            if (!landscape || !close) return;
            ClickChild(landscape);
            ClickChild(close);
            clicked = true;
        });
        ASSERT_TRUE(clicked) << "the printer's dialog did not come";
        // The window shows the paper at once; a new printer object, as after a restart, and the
        // printer picked again have it too.
        const RectF after = real.PreviewRect();
        EXPECT_EQ(after.Width > after.Height, c.landscape) << Narrow(c.button);
        WinspoolPrinter next;
        ASSERT_TRUE(next.Select(L"PDF"));
        EXPECT_EQ(next.Paper().landscape, c.landscape) << Narrow(c.button);
        EXPECT_EQ(next.Paper().width > next.Paper().height, c.landscape) << Narrow(c.button);
        ASSERT_TRUE(queue.Select(L"PDF"));
        EXPECT_EQ(queue.Paper().landscape, c.landscape) << Narrow(c.button);
        real.Unload();
    }
}

TEST_F(PrintWindow, RealQueuePrintsCentredCopiesAndOneThumbnailPage) {
    PdfQueue spooler;
    if (!spooler.Started()) {
        if (RunningUnderCi()) FAIL() << "scripts/test starts the PDF queue under CI";
        GTEST_SKIP() << "no PDF queue (run through scripts/test)";
    }
    WinspoolPrinter queue;
    ASSERT_TRUE(queue.Select(L"PDF")) << "the queue PDF is not installed";
    FrmPrinter real{queue, nullptr};

    ASSERT_TRUE(real.Load(owner.hwnd()));
    ::SetWindowTextW(real.TxtCopies(), L"2");
    real.StartPrintJob();
    const EndedJob fit = spooler.NextJob();
    ASSERT_TRUE(EndedWithoutError(fit, spooler));
    ASSERT_EQ(fit.pages.size(), 6u);
    for (size_t n = 0; n < fit.pages.size(); ++n) {
        const Found f = FindColour(fit.pages[n].get(), static_cast<int>(n / 2));
        // 300 x 200 page pixels at 1/100 inch: 3 x 2 inches, 90 x 60 at 30 dpi, in the middle.
        EXPECT_NEAR(f.right - f.left + 1, 90, 4) << n;
        EXPECT_NEAR(f.bottom - f.top + 1, 60, 4) << n;
        EXPECT_NEAR((f.left + f.right) / 2.0, f.width / 2.0, 4) << n;
        EXPECT_NEAR((f.top + f.bottom) / 2.0, f.height / 2.0, 4) << n;
    }

    ASSERT_TRUE(real.Load(owner.hwnd()));
    real.PrintLayout = FrmPrinter::kThumbnail;
    real.StartPrintJob();
    const EndedJob thumbs = spooler.NextJob();
    ASSERT_TRUE(EndedWithoutError(thumbs, spooler));
    ASSERT_EQ(thumbs.pages.size(), 1u);
    for (int channel = 0; channel < 3; ++channel)
        EXPECT_NEAR(FindColour(thumbs.pages[0].get(), channel).right - FindColour(thumbs.pages[0].get(), channel).left +
                        1,
                    90, 4);
}

} // namespace
