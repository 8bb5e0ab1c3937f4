// The printer layer on the spooler: printers listed by the spooler, the current one's settings in
// its own DEVMODE (this user's defaults of the printer, read when it is picked), and documents
// drawn with GDI+ on a printer device context this object owns.
#pragma once

#include "output/PrinterLayer.h"
#include "platform/GdipHandles.h"

#include <cstdint>
#include <vector>

class WinspoolPrinter final : public PrinterLayer {
public:
    // Starts on the system's default printer, or the first one installed.
    WinspoolPrinter();
    ~WinspoolPrinter() override { EndDocument(); }

    [[nodiscard]] std::vector<std::wstring> DeviceNames() const override;
    [[nodiscard]] std::wstring DeviceName() const override { return name_; }
    [[nodiscard]] bool Select(const std::wstring& deviceName) override;
    [[nodiscard]] PaperTwips Paper() const override;
    [[nodiscard]] PrintableArea Printable() const override;
    [[nodiscard]] bool SetCopies(int32_t copies) override;
    [[nodiscard]] bool SetPrintQuality(int32_t dpi) override;
    [[nodiscard]] bool ShowDefaults(HWND owner) override;
    [[nodiscard]] bool BeginDocument(const std::wstring& title) override;
    [[nodiscard]] bool PrintPage(GpImage* page) override;
    void EndDocument() override;

private:
    [[nodiscard]] const DEVMODEW* DevMode() const;
    [[nodiscard]] UniqueDc MakeDc() const;

    std::wstring name_;
    std::vector<BYTE> devMode_;
    int32_t printQuality_ = 0; // the job's, when set
    int32_t copies_ = 1;
    UniqueDc docDc_;
};
