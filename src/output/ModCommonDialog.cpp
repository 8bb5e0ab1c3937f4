#include "output/ModCommonDialog.h"

#include "platform/GdipHandles.h"

#include <winspool.h>

#include <cstddef>

namespace {

using PrinterHandle = UniqueHandle<HANDLE, ::ClosePrinter>;

// The named printer opened through the spooler; empty when it cannot be.
PrinterHandle OpenNamedPrinter(const std::wstring& name) {
    PrinterHandle printer;
    std::wstring writable = name;
    if (!name.empty() && !::OpenPrinterW(writable.data(), printer.put(), nullptr))
        (void)printer.release(); // a failed open leaves nothing to close
    return printer;
}

// The driver's DEVMODE for the printer, starting from in (the driver's defaults when null), with
// the driver's dialog first when prompt is set. Empty when the driver fails or the user cancels.
std::vector<BYTE> DriverDevMode(const PrinterHandle& printer, const std::wstring& name, HWND owner, const DEVMODEW* in,
                                bool prompt) {
    std::wstring device = name;
    const LONG size = ::DocumentPropertiesW(owner, printer.get(), device.data(), nullptr, nullptr, 0);
    if (size <= 0) return {};
    std::vector<BYTE> out(static_cast<size_t>(size));
    DWORD mode = DM_OUT_BUFFER;
    if (prompt) mode |= DM_IN_PROMPT;
    if (in) mode |= DM_IN_BUFFER;
    if (::DocumentPropertiesW(owner, printer.get(), device.data(), reinterpret_cast<DEVMODEW*>(out.data()),
                              const_cast<DEVMODEW*>(in), mode) != IDOK)
        return {};
    return out;
}

bool WholeDevMode(const std::vector<BYTE>& devMode) {
    if (devMode.size() < offsetof(DEVMODEW, dmFields)) return false;
    const auto* mode = reinterpret_cast<const DEVMODEW*>(devMode.data());
    return mode->dmSize >= offsetof(DEVMODEW, dmFields) &&
           static_cast<size_t>(mode->dmSize) + mode->dmDriverExtra <= devMode.size();
}

} // namespace

int32_t ShowPrinterDefaults(const std::wstring& printerName, HWND owner, std::vector<BYTE>& devMode) {
    // The spooler's document properties with a prompt, kept through the spooler: the shell's
    // printer command is not dependable on every system.
    const PrinterHandle printer = OpenNamedPrinter(printerName);
    if (!printer) return PrinterDefaults::Unchanged;
    const DEVMODEW* in = WholeDevMode(devMode) ? reinterpret_cast<const DEVMODEW*>(devMode.data()) : nullptr;
    std::vector<BYTE> out = DriverDevMode(printer, printerName, owner, in, true);
    if (out.empty()) return PrinterDefaults::Unchanged;
    devMode = std::move(out);
    return StorePrinterDefaults(printerName, devMode) ? PrinterDefaults::Kept : PrinterDefaults::ThisRun;
}

bool StorePrinterDefaults(const std::wstring& printerName, const std::vector<BYTE>& devMode) {
    if (!WholeDevMode(devMode)) return false;
    const PrinterHandle printer = OpenNamedPrinter(printerName);
    if (!printer) return false;
    // Level 9 is this user's defaults, which any user of the printer may set. (Wine keeps them
    // for the whole prefix, as its level 8: one prefix is one user's.)
    std::vector<BYTE> copy = devMode;
    PRINTER_INFO_9W info{reinterpret_cast<DEVMODEW*>(copy.data())};
    return ::SetPrinterW(printer.get(), 9, reinterpret_cast<BYTE*>(&info), 0) != 0;
}

std::vector<BYTE> ReadPrinterDefaults(const std::wstring& printerName) {
    const PrinterHandle printer = OpenNamedPrinter(printerName);
    if (!printer) return {};
    // Read through the spooler each time: the driver's own answer is made once per process and
    // misses defaults kept since (Wine).
    DWORD needed = 0;
    ::GetPrinterW(printer.get(), 9, nullptr, 0, &needed);
    if (needed >= sizeof(PRINTER_INFO_9W)) {
        std::vector<BYTE> buffer(needed);
        if (::GetPrinterW(printer.get(), 9, buffer.data(), needed, &needed)) {
            const DEVMODEW* kept = reinterpret_cast<const PRINTER_INFO_9W*>(buffer.data())->pDevMode;
            if (kept) {
                std::vector<BYTE> checked = DriverDevMode(printer, printerName, nullptr, kept, false);
                if (!checked.empty()) return checked;
            }
        }
    }
    return DriverDevMode(printer, printerName, nullptr, nullptr, false);
}
