#include "output/ModCommonDialog.h"

#include <winspool.h>

namespace {

struct PrinterHandle {
    HANDLE h = nullptr;
    ~PrinterHandle() {
        if (h) ::ClosePrinter(h);
    }
};

} // namespace

int32_t ShowPrinterDefaults(const std::wstring& printerName, HWND owner, std::vector<BYTE>& devMode) {
    // The spooler's document properties with a prompt: the shell's printer command is not
    // dependable on every system.
    PrinterHandle printer;
    std::wstring name = printerName;
    if (name.empty() || !::OpenPrinterW(name.data(), &printer.h, nullptr)) return 0;
    const LONG size = ::DocumentPropertiesW(owner, printer.h, name.data(), nullptr, nullptr, 0);
    if (size <= 0) return 0;
    std::vector<BYTE> out(static_cast<size_t>(size));
    DWORD mode = DM_IN_PROMPT | DM_OUT_BUFFER;
    DEVMODEW* in = nullptr;
    if (!devMode.empty()) {
        in = reinterpret_cast<DEVMODEW*>(devMode.data());
        mode |= DM_IN_BUFFER;
    }
    const LONG answer =
        ::DocumentPropertiesW(owner, printer.h, name.data(), reinterpret_cast<DEVMODEW*>(out.data()), in, mode);
    if (answer != IDOK) return 0;
    devMode = std::move(out);
    return 1;
}
