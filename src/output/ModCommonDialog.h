// The printer's document defaults dialog.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Shows the named printer's document defaults, starting from devMode (the printer's own when
// empty), owned by owner. Non-zero when the user confirmed; devMode then holds the new settings.
// Any failure gives 0 and leaves devMode as it was.
[[nodiscard]] int32_t ShowPrinterDefaults(const std::wstring& printerName, HWND owner, std::vector<BYTE>& devMode);
