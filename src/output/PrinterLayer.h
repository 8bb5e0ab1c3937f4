// The printer the print window prints on: the installed printers, the current one with its paper,
// and a document of page pictures. The winspool printer is the real one; tests record instead.
#pragma once

#include "output/PrintPageLayout.h"
#include "platform/Gdip.h"

#include <string>
#include <vector>

// What the print window's paper text shows: the printable area in device pixels and the device's
// resolution.
struct PrintableArea {
    int32_t width = 0, height = 0;
    int32_t dpiX = 0, dpiY = 0;
};

class PrinterLayer {
public:
    virtual ~PrinterLayer() = default;

    [[nodiscard]] virtual std::vector<std::wstring> DeviceNames() const = 0;
    // The current printer's device name; empty when there is none.
    [[nodiscard]] virtual std::wstring DeviceName() const = 0;
    // Makes the printer of exactly this name (case counts) current; false when none has it.
    [[nodiscard]] virtual bool Select(const std::wstring& deviceName) = 0;
    [[nodiscard]] virtual PaperTwips Paper() const = 0;
    [[nodiscard]] virtual PrintableArea Printable() const = 0;
    // How many times each page is printed; false for a number the printer cannot take.
    [[nodiscard]] virtual bool SetCopies(int32_t copies) = 0;
    [[nodiscard]] virtual bool SetPrintQuality(int32_t dpi) = 0;
    // The current printer's document defaults, asked of the user; true when they were changed,
    // and the new paper and orientation then apply at once.
    [[nodiscard]] virtual bool ShowDefaults(HWND owner) = 0;

    // A document: each page picture fills the paper (1/100 inch per pixel) and is printed the
    // set number of copies in a row.
    [[nodiscard]] virtual bool BeginDocument(const std::wstring& title) = 0;
    [[nodiscard]] virtual bool PrintPage(GpImage* page) = 0;
    virtual void EndDocument() = 0;
};
