#include "output/FrmPrinter.h"

#include "browser/ThumbnailMaker.h"
#include "controls/FrmMainmin.h"
#include "imaging/GdiDIB.h"
#include "imaging/GdipMakers.h"
#include "imaging/JpegHead.h"
#include "imaging/ModGDI.h"
#include "imaging/PaintPrimitives.h"
#include "imaging/TextRendering.h"
#include "platform/AppState.h"
#include "platform/DoEvents.h"
#include "platform/HitRect.h"
#include "platform/Hourglass.h"
#include "platform/MessageBoxService.h"
#include "platform/TextCase.h"

#include <cmath>
#include <cwctype>
#include <iomanip>
#include <sstream>
#include <utility>

namespace {

constexpr const wchar_t* kClassName = L"VellumoFrmPrinter";
constexpr const wchar_t* kTitle = L"Morv Vellumo 6.2 - Print...";
constexpr uint32_t kFormFill = ColorARGB(255, 240, 238, 233);
constexpr uint32_t kNormalA = ColorARGB(200, 255, 255, 255), kNormalB = ColorARGB(200, 0, 0, 0);
constexpr uint32_t kHoverA = ColorARGB(0, 255, 255, 255), kHoverB = ColorARGB(255, 0, 0, 0);
constexpr uint32_t kPressed = ColorARGB(255, 255, 255, 255);
constexpr size_t kMenuPrinters = 9;

const wchar_t* const kLabels[FrmPrinter::kButtonCount] = {L"Fit to Page...",
                                                          L"Full Page...",
                                                          L"Thumbnail...",
                                                          L"Choose Printer...",
                                                          L"Printer Setup...",
                                                          L"Copies Per Picture...",
                                                          L"Cancel...",
                                                          L"Print...",
                                                          L"Help",
                                                          L"",
                                                          L""};

float ScreenTwipsPerPixel() {
    HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) ::ReleaseDC(nullptr, screen);
    return 1440.0f / static_cast<float>(dpi > 0 ? dpi : 96);
}

void FillBox(GpGraphics* g, uint32_t colour, float x, float y, float w, float h) {
    GdipSolidFill brush = MakeSolidFill(colour);
    GdipFillRectangle(g, brush.get(), x, y, w, h);
}

// The copies box's number: digits only, 1 to 999.
bool ParseCopies(const std::wstring& text, int32_t& copies) {
    size_t first = text.find_first_not_of(L' '), last = text.find_last_not_of(L' ');
    if (first == std::wstring::npos || last - first + 1 > 3) return false;
    int32_t value = 0;
    for (size_t i = first; i <= last; ++i) {
        if (!std::iswdigit(text[i])) return false;
        value = value * 10 + (text[i] - L'0');
    }
    if (value < 1 || value > 999) return false;
    copies = value;
    return true;
}

// Marks the print window busy while pages render or print: window messages run meanwhile.
class BusyScope {
public:
    explicit BusyScope(int& depth) : depth_(depth) { ++depth_; }
    ~BusyScope() { --depth_; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    int& depth_;
};

} // namespace

std::wstring FrmPrinter::PageFile(int32_t n) {
    return App().DataPath + L"~TempPrints" + std::to_wstring(n) + L".tmp";
}

bool FrmPrinter::Load(HWND owner) {
    if (hwnd_) return true;
    if (!RegisterPlainClass(kClassName)) return false;
    RECT place{0, 0, 1000, 750};
    if (owner) ::GetWindowRect(owner, &place);
    const int sw = place.right - place.left, sh = place.bottom - place.top;
    if (!CreateBound(0, kClassName, kTitle, WS_POPUP | WS_CLIPCHILDREN, place.left, place.top, sw, sh, owner))
        return false;
    const PictureBoxArgs args{.parent = hwnd_, .width = sw, .height = sh, .backColor = kBackColor};
    PictureBoxArgs titleArgs = args;
    titleArgs.height = kTitleHeight;
    if (!surface_.Create(args) || !titleSkin_.Create(titleArgs)) {
        Unload();
        return false;
    }
    ::SetWindowLongPtrW(surface_.hWnd(), GWL_STYLE, ::GetWindowLongPtrW(surface_.hWnd(), GWL_STYLE) | WS_CLIPSIBLINGS);
    ::SetWindowPos(titleSkin_.hWnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    surface_.onMouseMove = [this](int, int, float x, float y) { OnMouseMove(x, y); };
    surface_.onMouseDown = [this](int, int, float, float) { OnMouseDown(); };
    surface_.onMouseUp = [this](int, int, float, float) { OnMouseUp(); };
    titleSkin_.onMouseUp = [this](int, int, float, float) {
        const int32_t index = titleSkin_.SelectIndex();
        if (index == ButtonControl::kClose || index == ButtonControl::kMinimise) ::PostMessageW(hwnd_, WM_CLOSE, 0, 0);
    };
    titleSkin_.Title(kTitle);
    titleSkin_.Background(ColorARGB(200, 100, 140, 255));
    printerBoxBrush_ = ::CreateSolidBrush(RGB(240, 238, 233));
    cuPrinter_ = CreateEditBox(WS_VISIBLE | ES_READONLY, 0, 123, 355, 130, 14);
    txtCopies_ = CreateEditBox(WS_VISIBLE | ES_NUMBER, 0, 125, 485, 22, 12);
    ::SetWindowTextW(txtCopies_, L"1");
    PrintLayout = kFitToPage;
    ShownPage = 0;
    titleSkin_.Painting();
    titleSkin_.Refresh();
    LoadPrintImages();
    DrawPrintPanel();
    if (companion_) {
        std::vector<std::wstring> names = printer_.DeviceNames();
        if (names.size() > kMenuPrinters) names.resize(kMenuPrinters);
        companion_->SetPrinterNames(names);
        companion_->onPrinterPicked = [this](const std::wstring& name) { cbPrintersSel(name); };
    }
    ::SetWindowTextW(cuPrinter_, printer_.DeviceName().c_str());
    ::ShowWindow(hwnd_, SW_SHOW);
    return true;
}

void FrmPrinter::Unload() {
    if (companion_) companion_->onPrinterPicked = nullptr;
    DestroyTopLevel();
    txtCopies_ = cuPrinter_ = nullptr;
    PrintPressed = false;
    hoverButton_ = PrintButtonHit = 0;
    if (busy_ > 0) {
        // Pages are being rendered further up the stack: they stop at their next step, and the
        // job lets go of the page files and the page bitmap once it has.
        cancel_ = true;
        return;
    }
    for (int32_t n = 0; n < pageFilesWritten_; ++n) ::DeleteFileW(PageFile(n).c_str());
    pageFilesWritten_ = 0;
    for (auto& image : PrintSkinImages) image.reset();
    PageImage.Destroy();
    pictureSizes_.clear();
    if (printerBoxBrush_) ::DeleteObject(std::exchange(printerBoxBrush_, nullptr));
}

bool FrmPrinter::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
    switch (msg) {
    case WM_CLOSE:
        Unload();
        *result = 0;
        return true;
    case WM_NCDESTROY:
        // Gone with its owner: a render under way stops.
        txtCopies_ = cuPrinter_ = nullptr;
        if (busy_ > 0) cancel_ = true;
        return false;
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lp) != cuPrinter_) return false;
        ::SetBkColor(reinterpret_cast<HDC>(wp), RGB(240, 238, 233));
        *result = reinterpret_cast<LRESULT>(printerBoxBrush_);
        return true;
    default:
        return false;
    }
}

void FrmPrinter::LoadPrintImages() {
    const float sw = static_cast<float>(surface_.Width()), sh = static_cast<float>(surface_.Height());
    auto& b = PrintButtonRects;
    b[0] = RectF(40, 120, 25, 25);
    b[1] = RectF(40, b[0].Y + b[0].Height + 30, 25, 25);
    b[2] = RectF(40, b[1].Y + b[1].Height + 30, 25, 25);
    b[3] = RectF(40, b[2].Y + b[2].Height + 70, 35, 25);
    b[4] = RectF(40, b[3].Y + b[3].Height + 30, 25, 25);
    b[5] = RectF(b[4].X + 80, b[4].Y + b[4].Height + 50, 30, 20);
    b[kCancel] = RectF(sw - 110, sh - 50, 70, 20);
    b[kPrint] = RectF(sw - 210, sh - 50, 70, 20);
    b[kHelp] = RectF(sw - 290, sh - 50, 50, 20);
    b[kNext] = RectF(static_cast<float>(static_cast<int32_t>(std::nearbyint(sw - 360)) / 2 + 360), sh - 110, 8, 15);
    b[kPrevious] = RectF(b[kNext].X - 100, b[kNext].Y, 8, 15);
    for (size_t i = 0; i < PrintSkinImages.size(); ++i)
        PrintSkinImages[i] =
            GdipImage(LoadImageFromFileCopy(App().DataPath + L"Print0" + std::to_wstring(i + 1) + L".png"));
    ::MoveWindow(txtCopies_, 125, 485, 22, 12, TRUE);
    ::MoveWindow(cuPrinter_, 123, 355, 130, 14, TRUE);
}

std::wstring FrmPrinter::PaperText() const {
    const PrintableArea area = printer_.Printable();
    if (area.dpiX <= 0 || area.dpiY <= 0) return {};
    const auto cm = [](int32_t pixels, int32_t dpi) {
        std::wostringstream text;
        text << std::fixed << std::setprecision(1) << static_cast<double>(pixels) * (1440.0 / dpi) / 567.0;
        return text.str();
    };
    return cm(area.width, area.dpiX) + L" x " + cm(area.height, area.dpiY) + L" Cm " + std::to_wstring(area.dpiX) +
           L" x " + std::to_wstring(area.dpiY) + L" DPI";
}

void FrmPrinter::DrawPrintPanel() {
    surface_.Cls();
    const float sw = static_cast<float>(surface_.Width()), sh = static_cast<float>(surface_.Height());
    {
        GdipGraphics graphics = surface_.CreateGraphics();
        const DrawTarget target = DrawTarget::Surface(graphics.get());
        DrawRoundGradientRect(target, 20, 60, 20, 60, 20, 60, 240, sh - 140, 10, 10, ColorARGB(10, 0, 0, 0),
                              ColorARGB(10, 0, 0, 0), false, 1, ColorARGB(50, 0, 0, 0));
        DrawRoundGradientRect(target, 21, 61, 21, 61, 21, 61, 238, sh - 142, 10, 10, 0, 0, false, 1,
                              ColorARGB(150, 255, 255, 255));
        DrawRoundGradientRect(target, 300, 60, 300, 60, 300, 60, sw - 340, sh - 140, 10, 10, ColorARGB(10, 0, 0, 0),
                              ColorARGB(10, 0, 0, 0), false, 1, ColorARGB(50, 0, 0, 0));
        DrawRoundGradientRect(target, 301, 61, 301, 61, 301, 61, sw - 342, sh - 143, 10, 10, ColorARGB(30, 0, 0, 0),
                              ColorARGB(30, 0, 0, 0), false, 2, ColorARGB(150, 255, 255, 255));
        for (int32_t i = 0; i < kButtonCount; ++i) {
            const RectF& r = PrintButtonRects[static_cast<size_t>(i)];
            if (i == kCopiesBox) {
                FillBox(graphics.get(), ColorARGB(255, 255, 255, 255), r.X, r.Y + 25, r.Width, 15);
                GdipPen outline = MakePen(ColorARGB(255, 255, 182, 0), 1);
                GdipDrawRectangle(graphics.get(), outline.get(), r.X, r.Y + 25, r.Width, 15);
            } else {
                DrawRoundGradientRect(target, static_cast<int32_t>(r.X), static_cast<int32_t>(r.Y),
                                      static_cast<int32_t>(r.X), static_cast<int32_t>(r.Y + r.Height), r.X, r.Y,
                                      r.Width, r.Height, 10, 10, kNormalA, kNormalB, false, 1, ColorARGB(30, 0, 0, 0));
            }
            if (i <= 4)
                DrawShadowText(target, kLabels[i], r.X + 80, r.Y + 10, L"Tahoma", 8, ColorARGB(255, 0, 0, 0), 0, false,
                               200);
            else if (i == kCopiesBox)
                DrawShadowText(target, kLabels[i], r.X, r.Y, L"Tahoma", 8, ColorARGB(255, 0, 0, 0), 0, false, 200);
            else if (i <= kHelp)
                DrawShadowText(target, kLabels[i], r.X + 20, r.Y + 10, L"Tahoma", 8, ColorARGB(255, 0, 0, 0), 0, false,
                               200);
            if (i <= kCopiesBox && PrintSkinImages[static_cast<size_t>(i)]) {
                UINT w = 0, h = 0;
                GdipGetImageWidth(PrintSkinImages[static_cast<size_t>(i)].get(), &w);
                GdipGetImageHeight(PrintSkinImages[static_cast<size_t>(i)].get(), &h);
                GdipDrawImageRect(graphics.get(), PrintSkinImages[static_cast<size_t>(i)].get(), 50, r.Y + 6,
                                  static_cast<float>(w), static_cast<float>(h));
            } else if ((i == kNext || i == kPrevious) && PrintSkinImages[static_cast<size_t>(i - 3)]) {
                GdipDrawImageRect(graphics.get(), PrintSkinImages[static_cast<size_t>(i - 3)].get(), r.X + 5, r.Y + 6,
                                  16, 16);
            }
        }
        const RectF& setup = PrintButtonRects[4];
        DrawShadowText(target, PaperText(), setup.X + 80, setup.Y + 30, L"Tahoma", 8, ColorARGB(200, 0, 0, 0), 0, false,
                       200);
        DrawEtchedLine(target, 0, PrintButtonRects[3].Y - 30, 260, PrintButtonRects[3].Y - 30, 1, 1, 0, 0);
        DrawShadowText(target, L"Print Settings:", 40, 80, L"Tahoma", 10, ColorARGB(255, 178, 0, 0), 0, false, 200);
        DrawShadowText(target, L"Print Preview:", 310, 80, L"Tahoma", 10, ColorARGB(255, 178, 0, 0), 0, false, 200);
        const RectF& copies = PrintButtonRects[kCopiesBox];
        DrawShadowText(target, L" Copies", copies.X + copies.Width + 30,
                       copies.Y + static_cast<float>(static_cast<int32_t>(copies.Height) / 2) + 20, L"Tahoma", 8,
                       ColorARGB(150, 0, 0, 0), 0, false, 200);
    }
    DrawPreview(0);
}

void FrmPrinter::DrawButtons(int32_t index, uint32_t colourA, uint32_t colourB, bool pressed) {
    const RectF r = PrintButtonRects[static_cast<size_t>(index)];
    GdipGraphics graphics = surface_.CreateGraphics();
    const DrawTarget target = DrawTarget::Surface(graphics.get());
    FillBox(graphics.get(), kFormFill, r.X - 5, r.Y - 5, r.Width + 30, r.Height + 20);
    DrawRoundGradientRect(target, static_cast<int32_t>(r.X), static_cast<int32_t>(r.Y), static_cast<int32_t>(r.X),
                          static_cast<int32_t>(r.Y + r.Height), r.X, r.Y, r.Width, r.Height, 10, 10, colourA, colourB,
                          pressed, 1, ColorARGB(30, 0, 0, 0));
    const float down = pressed ? 1.0f : 0.0f;
    if (index <= kCopiesBox && PrintSkinImages[static_cast<size_t>(index)]) {
        UINT w = 0, h = 0;
        GdipGetImageWidth(PrintSkinImages[static_cast<size_t>(index)].get(), &w);
        GdipGetImageHeight(PrintSkinImages[static_cast<size_t>(index)].get(), &h);
        GdipDrawImageRect(graphics.get(), PrintSkinImages[static_cast<size_t>(index)].get(), 50, r.Y + 6 + down,
                          static_cast<float>(w), static_cast<float>(h));
    } else if ((index == kNext || index == kPrevious) && PrintSkinImages[static_cast<size_t>(index - 3)]) {
        GdipDrawImageRect(graphics.get(), PrintSkinImages[static_cast<size_t>(index - 3)].get(), r.X + 5,
                          r.Y + 6 + down, 16, 16);
    }
    if (index >= kCancel && index <= kHelp)
        DrawShadowText(target, kLabels[index], r.X + 20, r.Y + 10, L"Tahoma", 8, ColorARGB(255, 0, 0, 0), 0, false,
                       200);
}

RectF FrmPrinter::PreviewRect() const {
    const PaperTwips paper = printer_.Paper();
    float x = 0, y = 0, w = 0, h = 0;
    GdiDIB::GetBestFitInfo(paper.width / 15, paper.height / 15, static_cast<float>(surface_.Width() - 350),
                           static_cast<float>(surface_.Height() - 200), x, y, w, h);
    return RectF(x + 315, y + 75, w, h);
}

void FrmPrinter::DrawPreview(int32_t page) {
    if (busy_ > 0) return;
    const RectF box = PreviewRect();
    RenderPrintPages(false, page);
    if (cancel_) {
        Unload();
        return;
    }
    if (!hwnd_) return;
    {
        GdipGraphics graphics = surface_.CreateGraphics();
        FillBox(graphics.get(), ColorARGB(255, 255, 255, 255), box.X, box.Y, box.Width, box.Height);
        if (PageImage.new_Img) {
            GdipSetInterpolationMode(graphics.get(), InterpolationModeHighQualityBicubic);
            GdipDrawImageRect(graphics.get(), PageImage.new_Img, box.X, box.Y, box.Width, box.Height);
        }
    }
    PageImage.ClearIMG();
    surface_.Refresh();
}

void FrmPrinter::DrawPageCounter() {
    if (!hwnd_) return;
    const RectF& next = PrintButtonRects[kNext];
    pageCounter_ = std::to_wstring(ShownPage + 1) + L" of " + std::to_wstring(LastPageIndex + 1);
    GdipGraphics graphics = surface_.CreateGraphics();
    // From under the text's first pixel, so that redrawn digits do not thicken.
    FillBox(graphics.get(), kFormFill, next.X - 56, next.Y + 6, 46, 20);
    DrawShadowText(DrawTarget::Surface(graphics.get()), pageCounter_, next.X - 55, next.Y + 8, L"Arial", 8,
                   ColorARGB(200, 0, 0, 0), 0, false, 200);
}

std::vector<std::wstring> FrmPrinter::Entries() const {
    std::vector<std::wstring> entries;
    for (const auto& file : App().SelectedFiles)
        if (!file.empty()) entries.push_back(file);
    return entries;
}

PageSize FrmPrinter::CurrentPageSize() const {
    return ComputePageSize(printer_.Paper(), ScreenTwipsPerPixel());
}

void FrmPrinter::NewPage(const PageSize& size) {
    const int32_t w = std::max(1, static_cast<int32_t>(std::nearbyint(size.W)));
    const int32_t h = std::max(1, static_cast<int32_t>(std::nearbyint(size.H)));
    if (!PageImage.CreateBlankMemory(h, w, nullptr, false, true)) return;
    PageImage.ClearScreen(ColorARGB(255, 255, 255, 255));
    // The page scales its pictures bicubic, finer than the bilinear a high-quality bitmap starts with.
    GdipSetInterpolationMode(PageImage.MemGraphics, InterpolationModeHighQualityBicubic);
}

void FrmPrinter::DrawFitOrFull(const std::wstring& file, const PageSize& size) {
    GdiDIB picture;
    // A picture that cannot be read leaves its page white, and the job says so.
    if (!picture.Import(file)) {
        NoteUnreadable(file);
        return;
    }
    if (!PageImage.MemGraphics) return;
    const RectF place = PrintLayout == kFullPage ? RectF(0, 0, size.W, size.H)
                                                 : FitToPagePlace(size, picture.Width(), picture.Height());
    GdipDrawImageRect(PageImage.MemGraphics, picture.DIB(), place.X, place.Y, place.Width, place.Height);
}

void FrmPrinter::DrawThumbnail(const std::wstring& file, const RectF& place) {
    // Decoded alone and reduced to its cell before the next one: the pictures of a long selection
    // never sit in memory together.
    const CellPicture cell =
        place.Width > 0 && place.Height > 0 ? MakeCellPicture(file, place.Width, place.Height) : CellPicture{};
    if (!cell.bitmap) {
        NoteUnreadable(file);
        return;
    }
    if (PageImage.MemGraphics)
        GdipDrawImageRect(PageImage.MemGraphics, cell.bitmap.get(), place.X, place.Y, place.Width, place.Height);
}

SizeF FrmPrinter::PictureSize(const std::wstring& file) {
    const std::wstring key = FoldCase(file);
    if (const auto known = pictureSizes_.find(key); known != pictureSizes_.end()) return known->second;
    // A JPEG tells its size in its first bytes; other pictures are decoded once and let go.
    SizeF size(0, 0);
    const JpegHead head = ReadJpegHead(ReadFileHead(file));
    if (head.width > 0 && head.height > 0) {
        size = SizeF(static_cast<float>(head.width), static_cast<float>(head.height));
    } else {
        GdiDIB picture;
        if (picture.Import(file)) size = SizeF(picture.Width(), picture.Height());
    }
    pictureSizes_.emplace(key, size);
    return size;
}

void FrmPrinter::NoteUnreadable(const std::wstring& file) {
    if (std::find(unreadable_.begin(), unreadable_.end(), file) == unreadable_.end()) unreadable_.push_back(file);
}

void FrmPrinter::RenderPrintPages(bool printMode, int32_t page) {
    if (busy_ == 0) cancel_ = false;
    BusyScope busy(busy_);
    Hourglass hourglass;
    unreadable_.clear();
    const std::vector<std::wstring> entries = Entries();
    const PageSize size = CurrentPageSize();
    const auto save = [this](int32_t n) {
        if (PageImage.Save(PageFile(n), 1, 90)) pageFilesWritten_ = std::max(pageFilesWritten_, n + 1);
    };
    if (PrintLayout != kThumbnail) {
        LastPageIndex = std::max(0, static_cast<int32_t>(entries.size()) - 1);
        PageFileIndex = std::clamp(page, 0, LastPageIndex);
        if (!printMode) ShownPage = PageFileIndex;
        DrawPageCounter();
        for (;;) {
            if (printMode) {
                // Cancel is heard between two pages.
                DoEvents();
                if (cancel_) return;
            }
            NewPage(size);
            if (static_cast<size_t>(PageFileIndex) < entries.size())
                DrawFitOrFull(entries[static_cast<size_t>(PageFileIndex)], size);
            if (!printMode) return;
            if (static_cast<size_t>(PageFileIndex) < entries.size()) save(PageFileIndex);
            if (PageFileIndex >= LastPageIndex) return;
            ++PageFileIndex;
        }
    }
    // The sizes first, so the counter knows how many pages there are.
    std::vector<SizeF> sizes;
    for (const std::wstring& entry : entries) {
        DoEvents();
        if (cancel_) return;
        sizes.push_back(PictureSize(entry));
    }
    const std::vector<ThumbnailPage> pages = LayoutThumbnails(sizes, size.W, size.H);
    LastPageIndex = std::max(0, static_cast<int32_t>(pages.size()) - 1);
    if (!printMode) ShownPage = std::clamp(page, 0, LastPageIndex);
    DrawPageCounter();
    const int32_t first = printMode ? 0 : ShownPage, last = printMode ? LastPageIndex : ShownPage;
    for (int32_t n = first; n <= last; ++n) {
        NewPage(size);
        if (static_cast<size_t>(n) < pages.size())
            for (const ThumbnailCell& cell : pages[static_cast<size_t>(n)]) {
                DoEvents();
                if (cancel_) return;
                DrawThumbnail(entries[cell.entry], cell.place);
            }
        PageFileIndex = n;
        if (printMode && !pages.empty()) save(n);
    }
}

void FrmPrinter::StartPrintJob() {
    // One job at a time: a Print pressed again while the pages render does nothing.
    if (busy_ > 0) return;
    wchar_t text[32] = {};
    ::GetWindowTextW(txtCopies_, text, 32);
    int32_t copies = 0;
    if (!ParseCopies(text, copies) || !printer_.SetCopies(copies)) return;
    if (!printer_.SetPrintQuality(300)) return;
    if (Entries().empty()) return;
    RenderPrintPages(true, 0);
    if (cancel_) {
        // Cancelled while the pages rendered: nothing is sent.
        Unload();
        return;
    }
    if (!unreadable_.empty()) {
        std::wstring list;
        for (const std::wstring& file : unreadable_) list += L"\n" + file;
        ShowMessageBox(hwnd_, L"These pictures could not be read and are left out of the pages:\n" + list,
                       FrmMainmin::kCaption, MB_OK | MB_ICONEXCLAMATION);
    }
    SendPagesToPrinter();
}

void FrmPrinter::SendPagesToPrinter() {
    Hourglass hourglass;
    if (printer_.BeginDocument(kTitle)) {
        BusyScope busy(busy_);
        for (PageFileIndex = 0; PageFileIndex <= LastPageIndex; ++PageFileIndex) {
            GdiDIB page;
            if (page.Import(PageFile(PageFileIndex)) && !printer_.PrintPage(page.DIB())) break;
        }
    }
    // The window closes (deleting the page files) before the document ends.
    Unload();
    printer_.EndDocument();
}

void FrmPrinter::cbPrintersSel(const std::wstring& deviceName) {
    if (!printer_.Select(deviceName) || !hwnd_) return;
    ::SetWindowTextW(cuPrinter_, deviceName.c_str());
    DrawPrintPanel();
}

int32_t FrmPrinter::HitButton(float x, float y) const {
    for (int32_t i = 0; i < kButtonCount; ++i) {
        const RectF& r = PrintButtonRects[static_cast<size_t>(i)];
        if (i != kCopiesBox && HitRect(RectF(r.X, r.Y, r.Width + 25, r.Height + 10), x, y)) return i;
    }
    return -1;
}

void FrmPrinter::OnMouseMove(float x, float y) {
    if (PrintPressed) return;
    const int32_t hit = HitButton(x, y);
    if (hit != hoverButton_ || hit < 0) DrawButtons(hoverButton_, kNormalA, kNormalB, false);
    if (hit >= 0) {
        if (!surface_.SetMouseIcon(L"MOUSED")) surface_.SetMousePointer(MousePointer::Default);
        DrawButtons(hit, kHoverA, kHoverB, false);
        hoverButton_ = hit;
        PrintButtonHit = 1;
    } else {
        surface_.SetMousePointer(MousePointer::Default);
        PrintButtonHit = 0;
    }
    surface_.Refresh();
}

void FrmPrinter::OnMouseDown() {
    PrintPressed = true;
    if (PrintButtonHit) DrawButtons(hoverButton_, kPressed, kPressed, true);
    surface_.Refresh();
}

void FrmPrinter::OnMouseUp() {
    PrintPressed = false;
    if (PrintButtonHit) {
        const int32_t index = hoverButton_;
        const RectF r = PrintButtonRects[static_cast<size_t>(index)];
        // While pages render only Cancel acts: it ends the job or the preview.
        const int32_t action = busy_ > 0 && index != kCancel ? -1 : index;
        switch (action) {
        case kFitToPage:
        case kFullPage:
        case kThumbnail:
            PrintLayout = index;
            ShownPage = 0;
            DrawPreview(0);
            break;
        case 3:
            if (companion_) {
                POINT at{static_cast<LONG>(r.X), static_cast<LONG>(r.Y + r.Height + 25)};
                ::ClientToScreen(surface_.hWnd(), &at);
                companion_->ShowPrinterMenu(at.x, at.y);
            }
            break;
        case 4:
            if (printer_.ShowDefaults(hwnd_)) DrawPrintPanel();
            break;
        case kCancel:
            Unload();
            return;
        case kPrint:
            StartPrintJob();
            return;
        case kNext:
        case kPrevious:
            DrawPreview(index == kNext ? ShownPage + 1 : ShownPage - 1);
            break;
        default:
            break;
        }
        if (!hwnd_) return;
        DrawButtons(index, kNormalA, kNormalB, false);
    }
    surface_.Refresh();
}

bool ShowPrintWindow(FrmPrinter& form, PrinterLayer& printer, HWND owner) {
    if (printer.DeviceNames().empty()) {
        ShowMessageBox(owner, L"Sorry, no printers installed.", FrmMainmin::kCaption, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return form.Load(owner);
}
