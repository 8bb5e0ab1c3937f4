#include "output/WinspoolPrinter.h"

#include "output/ModCommonDialog.h"

#include <winspool.h>

#include <climits>

namespace {

std::vector<std::wstring> ListPrinters() {
    std::vector<std::wstring> names;
    DWORD needed = 0, count = 0;
    ::EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
    if (needed == 0) return names;
    std::vector<BYTE> buffer(needed);
    if (!::EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, buffer.data(), needed, &needed,
                         &count))
        return names;
    const auto* info = reinterpret_cast<const PRINTER_INFO_4W*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
        if (info[i].pPrinterName) names.emplace_back(info[i].pPrinterName);
    return names;
}

} // namespace

WinspoolPrinter::WinspoolPrinter() {
    DWORD size = 0;
    ::GetDefaultPrinterW(nullptr, &size);
    std::wstring name(size, L'\0');
    if (size > 0 && ::GetDefaultPrinterW(name.data(), &size)) {
        name.resize(wcslen(name.c_str()));
    } else {
        const auto names = ListPrinters();
        name = names.empty() ? std::wstring() : names.front();
    }
    if (!name.empty()) (void)Select(name);
}

std::vector<std::wstring> WinspoolPrinter::DeviceNames() const {
    return ListPrinters();
}

bool WinspoolPrinter::Select(const std::wstring& deviceName) {
    for (const auto& name : ListPrinters())
        if (name == deviceName) {
            name_ = name;
            devMode_ = ReadPrinterDefaults(name);
            return true;
        }
    return false;
}

const DEVMODEW* WinspoolPrinter::DevMode() const {
    return devMode_.empty() ? nullptr : reinterpret_cast<const DEVMODEW*>(devMode_.data());
}

UniqueDc WinspoolPrinter::MakeDc() const {
    if (name_.empty()) return {};
    // The job's quality goes on a copy: the user's defaults, which Printer Setup starts from and
    // keeps, stay the user's.
    std::vector<BYTE> job = devMode_;
    DEVMODEW* mode = job.empty() ? nullptr : reinterpret_cast<DEVMODEW*>(job.data());
    if (mode && printQuality_ > 0) {
        mode->dmPrintQuality = static_cast<short>(printQuality_);
        mode->dmFields |= DM_PRINTQUALITY;
    }
    return UniqueDc(::CreateDCW(L"WINSPOOL", name_.c_str(), nullptr, mode));
}

PaperTwips WinspoolPrinter::Paper() const {
    PaperTwips paper;
    UniqueDc dc = MakeDc();
    if (!dc) return paper;
    const int dpiX = ::GetDeviceCaps(dc.get(), LOGPIXELSX), dpiY = ::GetDeviceCaps(dc.get(), LOGPIXELSY);
    if (dpiX <= 0 || dpiY <= 0) return paper;
    paper.width = static_cast<float>(::GetDeviceCaps(dc.get(), PHYSICALWIDTH)) * 1440.0f / static_cast<float>(dpiX);
    paper.height = static_cast<float>(::GetDeviceCaps(dc.get(), PHYSICALHEIGHT)) * 1440.0f / static_cast<float>(dpiY);
    const DEVMODEW* mode = DevMode();
    paper.landscape = mode && (mode->dmFields & DM_ORIENTATION) && mode->dmOrientation == DMORIENT_LANDSCAPE;
    return paper;
}

PrintableArea WinspoolPrinter::Printable() const {
    PrintableArea area;
    UniqueDc dc = MakeDc();
    if (!dc) return area;
    area.width = ::GetDeviceCaps(dc.get(), HORZRES);
    area.height = ::GetDeviceCaps(dc.get(), VERTRES);
    area.dpiX = ::GetDeviceCaps(dc.get(), LOGPIXELSX);
    area.dpiY = ::GetDeviceCaps(dc.get(), LOGPIXELSY);
    return area;
}

bool WinspoolPrinter::SetCopies(int32_t copies) {
    if (copies < 1 || copies > 999) return false;
    copies_ = copies;
    return true;
}

bool WinspoolPrinter::SetPrintQuality(int32_t dpi) {
    if (devMode_.empty() || dpi <= 0 || dpi > SHRT_MAX) return false;
    printQuality_ = dpi;
    return true;
}

bool WinspoolPrinter::ShowDefaults(HWND owner) {
    // Where the spooler will not keep them, the choices still hold in this object for this run.
    return ShowPrinterDefaults(name_, owner, devMode_) != PrinterDefaults::Unchanged;
}

bool WinspoolPrinter::BeginDocument(const std::wstring& title) {
    EndDocument();
    docDc_ = MakeDc();
    if (!docDc_) return false;
    DOCINFOW info{};
    info.cbSize = sizeof(info);
    info.lpszDocName = title.c_str();
    if (::StartDocW(docDc_.get(), &info) <= 0) {
        docDc_.reset();
        return false;
    }
    return true;
}

bool WinspoolPrinter::PrintPage(GpImage* page) {
    if (!docDc_ || !page) return false;
    UINT w = 0, h = 0;
    GdipGetImageWidth(page, &w);
    GdipGetImageHeight(page, &h);
    for (int32_t copy = 0; copy < copies_; ++copy) {
        if (::StartPage(docDc_.get()) <= 0) return false;
        {
            GdipGraphics g;
            if (GdipCreateFromHDC(docDc_.get(), g.put()) != Ok) return false;
            // One page pixel per 1/100 inch: the page bitmap's size was made for that.
            GdipSetPageUnit(g.get(), UnitInch);
            GdipSetPageScale(g.get(), 0.01f);
            GdipSetInterpolationMode(g.get(), InterpolationModeHighQualityBicubic);
            GdipDrawImageRectI(g.get(), page, 0, 0, static_cast<INT>(w), static_cast<INT>(h));
        }
        if (::EndPage(docDc_.get()) <= 0) return false;
    }
    return true;
}

void WinspoolPrinter::EndDocument() {
    if (!docDc_) return;
    ::EndDoc(docDc_.get());
    docDc_.reset();
}
