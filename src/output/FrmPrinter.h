// The skinned print window: three page layouts for the selected files, the printer and its
// document defaults, copies per page, a paged preview and the print job. Pages are rendered at
// about screen resolution; a print job saves them as JPEG scratch files and sends those to the
// printer, which prints each one the chosen number of times.
#pragma once

#include "controls/ButtonControl.h"
#include "imaging/DIBsave.h"
#include "output/PrintPageLayout.h"
#include "output/PrinterLayer.h"
#include "platform/PictureBox.h"
#include "platform/TopLevelWindow.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

class FrmMainmin;

class FrmPrinter : public TopLevelWindow {
public:
    // Layouts.
    static constexpr int32_t kFitToPage = 0, kFullPage = 1, kThumbnail = 2;
    // Buttons.
    static constexpr int32_t kCopiesBox = 5, kCancel = 6, kPrint = 7, kHelp = 8, kNext = 9, kPrevious = 10;
    static constexpr int32_t kButtonCount = 11;
    static constexpr int kTitleHeight = 27;
    static constexpr COLORREF kBackColor = RGB(236, 236, 236);

    // printer and companion (which may be null: no printer menu) must outlive the window.
    FrmPrinter(PrinterLayer& printer, FrmMainmin* companion) : printer_(printer), companion_(companion) {}
    ~FrmPrinter() override { Unload(); }
    FrmPrinter(const FrmPrinter&) = delete;
    FrmPrinter& operator=(const FrmPrinter&) = delete;

    // Builds the window over owner's place (hidden meanwhile), previews page 0 and shows it,
    // modeless and owned by owner. False when the window cannot be made.
    bool Load(HWND owner);
    // Closes the window and deletes the page files of the last print job.
    void Unload();
    [[nodiscard]] bool Loaded() const { return hwnd_ != nullptr; }

    // The printer of exactly this device name becomes current and the window shows it.
    void cbPrintersSel(const std::wstring& deviceName);
    // The "Print..." button: copies from the copies box (1 to 999), quality 300 dpi, every page
    // rendered and saved, then sent; the window closes before the document ends. A copies text
    // that is not such a number ends the job before anything is rendered. One job at a time:
    // while one renders, Print does nothing and Cancel ends it before anything is sent.
    void StartPrintJob();
    // Renders page `page` into PageImage (preview), or every page from it on into page files.
    // Window messages run between pictures; a Cancel or an unload meanwhile stops it.
    void RenderPrintPages(bool printMode, int32_t page);
    // True while pages render or print.
    [[nodiscard]] bool Busy() const { return busy_ > 0; }
    // The pictures the last render could not read (their pages or cells are left blank).
    [[nodiscard]] const std::vector<std::wstring>& Unreadable() const { return unreadable_; }

    int32_t PrintLayout = kFitToPage;
    int32_t ShownPage = 0;
    int32_t LastPageIndex = 0;
    int32_t PageFileIndex = 0;
    DIBsave PageImage;

    [[nodiscard]] PictureBox& Surface() { return surface_; }
    [[nodiscard]] ButtonControl& TitleSkin() { return titleSkin_; }
    [[nodiscard]] HWND TxtCopies() const { return txtCopies_; }
    [[nodiscard]] HWND CuPrinter() const { return cuPrinter_; }
    [[nodiscard]] RectF ButtonRect(int32_t index) const { return PrintButtonRects[static_cast<size_t>(index)]; }
    // The paper's box in the preview, in window pixels: the paper fitted into the preview panel.
    [[nodiscard]] RectF PreviewRect() const;
    // The page counter as last drawn ("n of N").
    [[nodiscard]] const std::wstring& PageCounter() const { return pageCounter_; }
    [[nodiscard]] int32_t PrintHoverButton() const { return hoverButton_; }
    // Page file n of a print job.
    [[nodiscard]] static std::wstring PageFile(int32_t n);
    // The paper text under "Printer Setup...".
    [[nodiscard]] std::wstring PaperText() const;

private:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
    void LoadPrintImages();
    void DrawPrintPanel();
    void DrawButtons(int32_t index, uint32_t colourA, uint32_t colourB, bool pressed);
    void DrawPreview(int32_t page);
    void DrawPageCounter();
    void SendPagesToPrinter();
    void OnMouseMove(float x, float y);
    void OnMouseDown();
    void OnMouseUp();
    [[nodiscard]] int32_t HitButton(float x, float y) const;
    [[nodiscard]] std::vector<std::wstring> Entries() const;
    [[nodiscard]] PageSize CurrentPageSize() const;
    void NewPage(const PageSize& size);
    void DrawFitOrFull(const std::wstring& file, const PageSize& size);
    void DrawThumbnail(const std::wstring& file, const RectF& place);
    // A picture's pixel size (0 x 0 when it cannot be read), kept for the window's life.
    [[nodiscard]] SizeF PictureSize(const std::wstring& file);
    void NoteUnreadable(const std::wstring& file);

    PrinterLayer& printer_;
    FrmMainmin* companion_;
    PictureBox surface_;
    ButtonControl titleSkin_;
    HWND txtCopies_ = nullptr, cuPrinter_ = nullptr;
    HBRUSH printerBoxBrush_ = nullptr;
    std::array<RectF, kButtonCount> PrintButtonRects{}; // laid out once, for the client size at load
    std::array<GdipImage, 10> PrintSkinImages{};        // "Print01.png" to "Print010.png"; a missing one is left out
    int32_t hoverButton_ = 0;
    int32_t PrintButtonHit = 0; // non-zero when the pointer was last over a button
    bool PrintPressed = false;  // a mouse button is down on the window
    int32_t pageFilesWritten_ = 0;
    std::wstring pageCounter_;
    int busy_ = 0;        // renders and jobs under way (their messages run meanwhile)
    bool cancel_ = false; // the render under way is to stop
    std::map<std::wstring, SizeF> pictureSizes_;
    std::vector<std::wstring> unreadable_;
};

// File > Print and Ctrl+P (after the save question): the print window, or "Sorry, no printers
// installed." when the printer layer lists none. True when the window is shown.
bool ShowPrintWindow(FrmPrinter& form, PrinterLayer& printer, HWND owner);
