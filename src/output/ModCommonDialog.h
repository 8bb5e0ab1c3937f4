// A printer's document defaults for this user: the dialog that changes them, and where they are
// kept between runs.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// What ShowPrinterDefaults did.
namespace PrinterDefaults {
constexpr int32_t Unchanged = 0; // cancelled, or the dialog could not be shown
constexpr int32_t Kept = 1;      // confirmed and kept as this user's defaults of the printer
constexpr int32_t ThisRun = 2;   // confirmed, but the spooler would not keep them
} // namespace PrinterDefaults

// Shows the named printer's document defaults, starting from devMode (the printer's own when
// empty), owned by owner. When the user confirms, devMode holds the new settings and they are
// kept as this user's defaults of the printer (ReadPrinterDefaults then gives them, in this run
// and later ones). Unchanged leaves devMode as it was.
[[nodiscard]] int32_t ShowPrinterDefaults(const std::wstring& printerName, HWND owner, std::vector<BYTE>& devMode);

// Keeps devMode as this user's document defaults of the named printer; false when the spooler
// refuses.
[[nodiscard]] bool StorePrinterDefaults(const std::wstring& printerName, const std::vector<BYTE>& devMode);

// The named printer's document defaults for this user: the kept ones, checked by the printer's
// driver, else the printer's own. Empty when the printer cannot be read.
[[nodiscard]] std::vector<BYTE> ReadPrinterDefaults(const std::wstring& printerName);
