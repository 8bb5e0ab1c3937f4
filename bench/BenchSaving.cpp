// Saving in the real main window: Ctrl+S after a quarter turn of a 24-megapixel JPEG, beside the
// platform's own encode of the same picture, which is most of a save's cost.
#include "bench/Bench.h"
#include "bench/BenchSupport.h"

#include "imaging/ModGDI.h"
#include "platform/AppState.h"
#include "shell/FrmMain.h"
#include "shell/MainMenuHost.h"
#include "shell/MenuCommands.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kPhotoW = 6000, kPhotoH = 4000;

std::wstring Folder() {
    return BenchFolder() + L"saving24mp\\";
}
std::wstring PhotoPath() {
    return Folder() + L"photo.jpg";
}

// The times of the saves alone, one a run: each run turns the picture first, untimed.
std::vector<double>& SaveTimes() {
    static std::vector<double> times;
    return times;
}

// The main window with its grid on the folder, the photograph shown.
struct SavingHost {
    std::unique_ptr<FrmMain> main;
    SavingHost() {
        ::CreateDirectoryW(Folder().c_str(), nullptr);
        ::CreateDirectoryW(App().DataPath.c_str(), nullptr); // the undo files go there
        WriteNoisyPhoto(PhotoPath(), kPhotoW, kPhotoH, 11, {20, 180, 90});
        main = std::make_unique<FrmMain>(FrmMain::Options{HKEY_CURRENT_USER, L"Software\\VellumoBench\\Saving", false});
        if (!BenchCheck(main->Create(), "the main window could not be made")) {
            main.reset();
            return;
        }
        main->ThumyzViewer.Path(Folder());
        main->ThumyzViewer.CreateThumbnail();
        main->FileImport(PhotoPath());
        BenchCheck(main->SingleyzPreview.NoOpen(), "the photograph did not open");
    }
    // Before GDI+ shuts down, so not from a static destructor.
    void Close() {
        if (!main) return;
        main->Unload();
        main.reset();
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VellumoBench");
    }
};

BenchKept<SavingHost> keptHost;
bool hostMade = false;

SavingHost& Host() {
    hostMade = true;
    return keptHost.get();
}

void TurnAndSave() {
    SavingHost& host = Host();
    if (!host.main) return;
    FrmMain& main = *host.main;
    if (!BenchCheck(RunMenuCommand(main.MenuHost(), L"Edit_Clockwise") && main.UnsavedEdit(), "no turn was made"))
        return;
    // The turn's undo file is written in the background; a save waits for it first. Waited for
    // here, so that the time is the save's own.
    if (!BenchCheck(main.SingleyzPreview.SettleSteps(), "the turn's undo file was not written")) return;
    const auto t0 = std::chrono::steady_clock::now();
    main.HandleShortcutKey('S', 2);
    const auto t1 = std::chrono::steady_clock::now();
    BenchCheck(!main.UnsavedEdit(), "Ctrl+S did not save the turn");
    SaveTimes().push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
}

// The platform's encode of the turned picture at the quality Ctrl+S writes a JPEG with.
void EncodeOnce() {
    GdipImage image;
    BenchCheck(GdipLoadImageFromFile(PhotoPath().c_str(), image.put()) == Ok, "the photograph could not be loaded") &&
        BenchCheck(GdipImageRotateFlip(image.get(), Rotate90FlipNone) == Ok, "the photograph could not be turned");
    const auto t0 = std::chrono::steady_clock::now();
    BenchCheck(SaveImageSafely(image.get(), Folder() + L"encoded.jpg", kFormatJpeg, 100),
               "the platform could not encode the photograph");
    const auto t1 = std::chrono::steady_clock::now();
    SaveTimes().push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
}

double TakeMedian() {
    std::vector<double> v = SaveTimes();
    SaveTimes().clear();
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double encodeMs = 0;

const bool registered = [] {
    RegisterBench({"saving: platform encodes a turned 24 MP JPEG at quality 100 (untimed load and turn)", 24.0,
                   [] { (void)Host(); }, EncodeOnce, 5,
                   [] {
                       encodeMs = TakeMedian();
                       std::printf("  the encode alone: median %.0f ms\n", encodeMs);
                   }});
    RegisterBench({"saving: Ctrl+S after a quarter turn of a 24 MP JPEG (untimed turn and undo file)", 24.0,
                   [] {
                       (void)Host();
                       SaveTimes().clear();
                   },
                   TurnAndSave, 5,
                   [] {
                       const double save = TakeMedian();
                       std::printf("  Ctrl+S alone: median %.0f ms", save);
                       if (encodeMs > 0) std::printf("; / the platform's encode %.2f", save / encodeMs);
                       std::printf("\n");
                   }});
    return RegisterBenchCleanup([] {
        if (hostMade) Host().Close();
        keptHost.Release();
        hostMade = false;
    });
}();

} // namespace
