// The main window while its grid decodes 16 PNGs of 6000 x 4000 at 16 bits a channel: the time from
// a click on a cell to the canvas holding the clicked picture, and the time from leaving the folder
// mid-pass to the new folder's first screen. Beside them, in the same run, the same click and the
// same first screen with the grid idle, and the platform's own decode of the clicked picture and of
// the new folder's pictures alone. The click and the folder change come at a set time after the pass
// starts, as a person's would, from another thread; bench/run.sh makes the large folder.
#include "bench/Bench.h"
#include "bench/BenchSupport.h"

#include "browser/ThumViewer.h"
#include "platform/DoEvents.h"
#include "platform/GdipHandles.h"
#include "shell/FrmMain.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kLarge = 16, kSmall = 24;
constexpr int kClickedRow = 1; // big02.png
constexpr int kMidPassMs = 1000;

const std::wstring& SmallFolder() {
    static const std::wstring folder = BenchFolder() + L"busy-small\\";
    return folder;
}

std::wstring SmallFile(int i) {
    return SmallFolder() + L"small" + (i < 9 ? L"0" : L"") + std::to_wstring(i + 1) + L".jpg";
}

double Ms(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Every file of the folder gets a new last-write time, so that no picture made earlier serves.
void Touch(const std::wstring& folder) {
    static uint64_t step = 0;
    ++step;
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER t{};
    t.LowPart = now.dwLowDateTime;
    t.HighPart = now.dwHighDateTime;
    t.QuadPart += step * 10'000'000ull;
    const FILETIME when{t.LowPart, t.HighPart};
    WIN32_FIND_DATAW data{};
    HANDLE find = ::FindFirstFileW((folder + L"*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        HANDLE file = ::CreateFileW((folder + data.cFileName).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) continue;
        ::SetFileTime(file, nullptr, nullptr, &when);
        ::CloseHandle(file);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
}

// The platform alone: the file loaded and decoded (a one-pixel draw makes it decode).
bool PlatformDecode(const std::wstring& path) {
    GdipImage image;
    GdipBitmap one;
    GdipGraphics g;
    return GdipLoadImageFromFile(path.c_str(), image.put()) == Ok &&
           GdipCreateBitmapFromScan0(1, 1, 0, PixelFormat32bppARGB, nullptr, one.put()) == Ok &&
           GdipGetImageGraphicsContext(one.get(), g.put()) == Ok &&
           GdipDrawImageRectI(g.get(), image.get(), 0, 0, 1, 1) == Ok;
}

// A window of the UI thread that runs what another thread asks of it, as a person's input would
// arrive: through the message queue.
class Mailbox {
public:
    Mailbox() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"VellumoBenchMailbox";
        ::RegisterClassW(&wc);
        window_ =
            ::CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
        ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Mailbox() { ::DestroyWindow(window_); }
    Mailbox(const Mailbox&) = delete;
    Mailbox& operator=(const Mailbox&) = delete;
    [[nodiscard]] HWND hWnd() const { return window_; }
    std::function<void()> onArrived;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        if (msg == WM_APP) {
            auto* self = reinterpret_cast<Mailbox*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
            if (self && self->onArrived) self->onArrived();
            return 0;
        }
        return ::DefWindowProcW(hwnd, msg, wp, lp);
    }
    HWND window_ = nullptr;
};

// Posts after a delay from a thread of its own, and notes when it posted.
class LatePost {
public:
    LatePost(int delayMs, std::function<void()> post)
        : thread_([this, delayMs, post = std::move(post)] {
              std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
              posted = Clock::now();
              post();
          }) {}
    ~LatePost() { thread_.join(); }
    LatePost(const LatePost&) = delete;
    LatePost& operator=(const LatePost&) = delete;
    Clock::time_point posted{};

private:
    std::thread thread_;
};

struct Figures {
    std::vector<double> busyClick, idleClick, busyScreen, idleScreen, busyReturn;
    int screenCells = 0;
};
Figures figures;

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct BusyHost {
    std::unique_ptr<FrmMain> main;
    Mailbox mailbox;
    POINT clickAt{};
    Clock::time_point clickDone{};
    bool clickMidPass = false;

    BusyHost() {
        ::CreateDirectoryW(SmallFolder().c_str(), nullptr);
        for (int i = 0; i < kSmall; ++i)
            WriteNoisyPhoto(SmallFile(i), 1024, 768, 70 + static_cast<uint32_t>(i), {10 * i, 150, 200 - 5 * i});
        main = std::make_unique<FrmMain>(FrmMain::Options{HKEY_CURRENT_USER, L"Software\\VellumoBench\\Busy", false});
        if (!BenchCheck(main->Create(), "the main window could not be made")) {
            main.reset();
            return;
        }
        ThumViewer& grid = Grid();
        // Where the clicked row's cell stands: every folder's rows take the same places.
        grid.Path(SmallFolder());
        grid.CreateThumbnail();
        const RectF& cell = grid.HitRects()[kClickedRow];
        clickAt = {static_cast<LONG>(cell.X + cell.Width / 2), static_cast<LONG>(cell.Y + cell.Height / 2)};
        BenchCheck(grid.ListCount() == kSmall && cell.Width > 0, "the small pictures' folder did not show");
        auto handled = grid.onMouseDown;
        grid.onMouseDown = [this, handled](int button, int shift, float x, float y) {
            if (handled) handled(button, shift, x, y);
            clickDone = Clock::now();
        };
    }
    // Let go by the file's cleanup, before GDI+ shuts down.
    ~BusyHost() {
        if (!main) return;
        main->Unload();
        main.reset();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VellumoBench");
    }
    BusyHost(const BusyHost&) = delete;
    BusyHost& operator=(const BusyHost&) = delete;
    ThumViewer& Grid() const { return main->ThumyzViewer; }
    // Lets the queued input run until the click has been handled.
    void AwaitClick() const {
        while (clickDone == Clock::time_point{}) {
            (void)DoEvents();
            ::Sleep(1);
        }
    }
    void PostClick() const {
        const HWND surface = Grid().ThumOLE.hWnd();
        ::PostMessageW(surface, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(clickAt.x, clickAt.y));
        ::PostMessageW(surface, WM_LBUTTONUP, 0, MAKELPARAM(clickAt.x, clickAt.y));
    }
    [[nodiscard]] bool ShowsClicked() const {
        return main->SingleyzPreview.CurFilename == LargePngFile(kClickedRow) && main->SingleyzPreview.ImgDIB.DIB();
    }
    // The large folder listed afresh, its pictures to be decoded again.
    void ListLarge() {
        Touch(LargePngFolder());
        Grid().Path(LargePngFolder());
        BenchCheck(Grid().ListCount() == kLarge, "the folder of large PNGs is missing: run bench/run.sh");
    }
    // How many cells of the shown folder have their pictures.
    [[nodiscard]] int CellsMade() const {
        int made = 0;
        for (int32_t row : Grid().ShownRows()) made += Grid().FitRects()[static_cast<size_t>(row)].Width > 0;
        return made;
    }
};

BenchKept<BusyHost> kept;

BusyHost& Host() {
    return kept.get();
}

const char* const kClick = "grid busy: click to canvas amid 16 large PNG decodes";
const char* const kLeave = "grid busy: new first screen, 16 large PNGs left mid-pass";

void RunClick() {
    BusyHost& host = Host();
    if (!host.main) return;
    host.ListLarge();
    // With the pass under way.
    host.clickDone = {};
    host.clickMidPass = false;
    {
        const auto previous = host.Grid().onMouseDown;
        host.Grid().onMouseDown = [&host, previous](int button, int shift, float x, float y) {
            host.clickMidPass = !host.Grid().DrawingComplete();
            if (previous) previous(button, shift, x, y);
        };
        LatePost click(kMidPassMs, [&host] { host.PostClick(); });
        host.Grid().CreateThumbnail();
        host.AwaitClick();
        figures.busyClick.push_back(Ms(click.posted, host.clickDone));
        host.Grid().onMouseDown = previous;
    }
    BenchCheck(host.clickMidPass, "the click came after the pass had ended");
    BenchCheck(host.ShowsClicked(), "the canvas does not show the clicked picture");
    BenchCheck(host.Grid().FitRects()[kClickedRow].Width > 0, "the clicked cell was left without its picture");
    // The same click with the grid idle.
    host.clickDone = {};
    const Clock::time_point posted = Clock::now();
    host.PostClick();
    host.AwaitClick();
    figures.idleClick.push_back(Ms(posted, host.clickDone));
    BenchCheck(host.ShowsClicked(), "the canvas does not show the clicked picture");
}

void RunLeave() {
    BusyHost& host = Host();
    if (!host.main) return;
    ThumViewer& grid = host.Grid();
    host.ListLarge();
    Touch(SmallFolder());
    Clock::time_point switched{}, firstScreen{};
    const auto smallShown = [&grid] { return grid.DrawingComplete() && grid.CurrentFolder() == SmallFolder(); };
    // As the folder pane shows a folder chosen in its tree.
    host.mailbox.onArrived = [&] {
        switched = Clock::now();
        grid.Path(SmallFolder());
        grid.CreateThumbnail();
        if (smallShown()) firstScreen = Clock::now();
    };
    {
        LatePost leave(kMidPassMs, [&host] { ::PostMessageW(host.mailbox.hWnd(), WM_APP, 0, 0); });
        grid.CreateThumbnail();
        const Clock::time_point returned = Clock::now();
        if (firstScreen == Clock::time_point{} && smallShown()) firstScreen = returned;
        BenchCheck(switched != Clock::time_point{} && Ms(leave.posted, switched) < 100,
                   "the folder was not left mid-pass");
        figures.busyScreen.push_back(Ms(switched, firstScreen));
        figures.busyReturn.push_back(Ms(switched, returned));
    }
    host.mailbox.onArrived = nullptr;
    BenchCheck(smallShown() && firstScreen != Clock::time_point{}, "the new folder's first screen was not drawn");
    figures.screenCells = host.CellsMade();
    // The same first screen with the grid idle: decodes of the left folder that were not waited
    // for end first.
    ::Sleep(3000);
    Touch(SmallFolder());
    const Clock::time_point start = Clock::now();
    grid.Path(SmallFolder());
    grid.CreateThumbnail();
    figures.idleScreen.push_back(Ms(start, Clock::now()));
    BenchCheck(host.CellsMade() == figures.screenCells, "the idle first screen differs");
}

void ReportClick() {
    const Clock::time_point start = Clock::now();
    const bool decoded = PlatformDecode(LargePngFile(kClickedRow));
    const double platform = Ms(start, Clock::now());
    BenchCheck(decoded, "the platform could not decode the clicked picture");
    std::printf("  click to canvas, median: %.0f ms while the grid decodes; %.0f ms with the grid idle; the "
                "platform decodes the picture alone in %.0f ms\n",
                Median(figures.busyClick), Median(figures.idleClick), platform);
}

void ReportLeave() {
    const Clock::time_point start = Clock::now();
    int decoded = 0;
    for (int i = 0; i < figures.screenCells; ++i) decoded += PlatformDecode(SmallFile(i));
    const double platform = Ms(start, Clock::now());
    BenchCheck(decoded == figures.screenCells, "the platform could not decode the small pictures");
    std::printf("  new folder's first screen (%d cells), median: %.0f ms after leaving mid-pass (the grid's call "
                "returned after %.0f ms); %.0f ms with the grid idle; the platform decodes those pictures in turn "
                "on one thread in %.0f ms\n",
                figures.screenCells, Median(figures.busyScreen), Median(figures.busyReturn), Median(figures.idleScreen),
                platform);
}

const bool registered = [] {
    RegisterBench({kClick, 0, [] { (void)Host(); }, RunClick, 3, ReportClick});
    RegisterBench({kLeave, 0, [] { (void)Host(); }, RunLeave, 3, ReportLeave});
    return RegisterBenchCleanup([] { kept.Release(); });
}();

} // namespace
