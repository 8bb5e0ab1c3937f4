// Print pages per second rendered from 24-megapixel JPEGs (Fit to Page, saved as the print job's
// page files), beside the platform's own decode, draw and JPEG save of the same pages.
#include "bench/Bench.h"

#include "imaging/DIBsave.h"
#include "imaging/ModGDI.h"
#include "output/FrmPrinter.h"
#include "platform/AppState.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kPages = 3, kWidth = 6000, kHeight = 4000;

// A printer that takes nothing: only the rendering is measured.
class NullPrinter final : public PrinterLayer {
public:
    std::vector<std::wstring> DeviceNames() const override { return {L"Null"}; }
    std::wstring DeviceName() const override { return L"Null"; }
    bool Select(const std::wstring&) override { return true; }
    PaperTwips Paper() const override { return {11906, 16838, false}; }
    PrintableArea Printable() const override { return {4760, 6779, 600, 600}; }
    bool SetCopies(int32_t) override { return true; }
    bool SetPrintQuality(int32_t) override { return true; }
    bool ShowDefaults(HWND) override { return false; }
    bool BeginDocument(const std::wstring&) override { return true; }
    bool PrintPage(GpImage*) override { return true; }
    void EndDocument() override {}
};

NullPrinter printer;
std::vector<std::wstring> files;

void MakeFiles() {
    if (!files.empty()) return;
    for (int i = 0; i < kPages; ++i) {
        DIBsave picture;
        if (!BenchCheck(picture.CreateBlankMemory(kHeight, kWidth), "a picture could not be made")) return;
        picture.ClearScreen(ColorARGB(255, 40, 90, 160));
        GdipSolidFill spot;
        GdipCreateSolidFill(ColorARGB(255, 230, 200, 40), spot.put());
        for (int k = 0; k < 200; ++k)
            GdipFillEllipse(picture.MemGraphics, spot.get(), static_cast<float>((k * 577 + i * 91) % kWidth),
                            static_cast<float>((k * 331) % kHeight), 150, 110);
        const std::wstring path = BenchFolder() + L"print" + std::to_wstring(i) + L".jpg";
        if (!BenchCheck(picture.Save(path, 1, 90), "a picture could not be written")) return;
        files.push_back(path);
    }
}

bool FileThere(const std::wstring& path) {
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void Setup() {
    MakeFiles();
    App().DataPath = BenchFolder();
    App().SelectedFiles = files;
    BenchCheck(static_cast<int>(files.size()) == kPages, "the pictures to print are missing");
}

const bool registered = [] {
    RegisterBench({"print: Fit to Page pages from 24 MP JPEGs (3 pages)", kPages * 24.0, Setup,
                   [] {
                       for (int i = 0; i < kPages; ++i) ::DeleteFileW(FrmPrinter::PageFile(i).c_str());
                       FrmPrinter form{printer, nullptr};
                       form.RenderPrintPages(true, 0);
                       for (int i = 0; i < kPages; ++i)
                           BenchCheck(FileThere(FrmPrinter::PageFile(i)), "a page file was not written");
                   },
                   3});
    RegisterBench(
        {"print: platform decode + draw + JPEG save (3 pages)", kPages * 24.0, Setup,
         [] {
             for (int i = 0; i < kPages; ++i) {
                 GdipImage image;
                 DIBsave page;
                 if (!BenchCheck(GdipLoadImageFromFile(files[static_cast<size_t>(i)].c_str(), image.put()) == Ok &&
                                     page.CreateBlankMemory(1176, 831, nullptr, false, true),
                                 "a picture could not be loaded"))
                     return;
                 BenchCheck(GdipDrawImageRect(page.MemGraphics, image.get(), 18, 290, 794, 529) == Ok &&
                                page.Save(BenchFolder() + L"platform" + std::to_wstring(i) + L".tmp", 1, 90),
                            "a page could not be drawn and written");
             }
         },
         3,
         [] {
             const double ours = MedianOf("print: Fit to Page pages from 24 MP JPEGs (3 pages)");
             const double platform = MedianOf("print: platform decode + draw + JPEG save (3 pages)");
             if (ours > 0 && platform > 0)
                 std::printf("print: %.2f pages/s (platform's own calls: %.2f pages/s)\n", kPages * 1000.0 / ours,
                             kPages * 1000.0 / platform);
         }});
    return true;
}();

} // namespace
