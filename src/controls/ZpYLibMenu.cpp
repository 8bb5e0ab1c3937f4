#include "controls/ZpYLibMenu.h"

#include "imaging/BoxReduce.h"
#include "imaging/GdiDIB.h"
#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"
#include "imaging/PaintPrimitives.h"
#include "imaging/TextRendering.h"
#include "platform/AppState.h"
#include "platform/HitRect.h"
#include "platform/Hourglass.h"
#include "platform/PathHelpers.h"
#include "platform/Rounding.h"
#include "platform/TextCase.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace {

constexpr COLORREF kBackColor = RGB(238, 238, 238);
constexpr uint32_t kBackARGB = ColorARGB(255, 238, 238, 238);
constexpr const wchar_t* kPattern = L"*.lib";
constexpr const wchar_t* kFont = L"Tahoma";
constexpr int32_t kScrollWidth = 17;

// Row geometry: row i's top is 10 + 50 i.
constexpr float kFirstTop = 10;
constexpr float kPitch = 50;
constexpr float kCellHeight = 30;
constexpr float kHitHeight = 40; // a press counts down to the row's separator
constexpr float kThumbBox = 40;
constexpr float kButtonSize = 16;

float RowTop(size_t i) {
    return kFirstTop + kPitch * static_cast<float>(i);
}

// A row's pixels on the surface: from its selection frame's top, 4 above the row, one pitch down,
// taking in its separator. Rows never draw outside their band.
constexpr int32_t kBandAbove = 4;

// What a row's band of the picture holds.
constexpr char kNotDrawn = 0, kNameOnly = 1, kDrawn = 2;

// The background's pace: how often it looks for stamps made, and how many rows it draws at most
// then, so that input is never kept waiting long.
constexpr int32_t kBackgroundInterval = 15;
constexpr size_t kRowsPerTick = 8;

ZpYLibMenu::StampPicture DecodeStamp(const std::wstring& path) {
    ZpYLibMenu::StampPicture picture;
    GdiDIB image;
    // A file that cannot be decoded keeps its row, drawn as 0 x 0 pixels without a thumbnail.
    if (!image.Import(path) || image.Width() <= 0 || image.Height() <= 0) return picture;
    picture.pixelWidth = RoundHalfEven(image.Width());
    picture.pixelHeight = RoundHalfEven(image.Height());
    float w = 0, h = 0;
    GdiDIB::GetBestFitInfo(image.Width(), image.Height(), kThumbBox, kThumbBox, picture.fitX, picture.fitY, w, h);
    const int32_t tw = std::max(RoundHalfEven(w), 1), th = std::max(RoundHalfEven(h), 1);
    GdipBitmap thumbnail;
    if (GdipCreateBitmapFromScan0(tw, th, 0, PixelFormat32bppPARGB, nullptr, thumbnail.put()) != Ok) return picture;
    if (ReduceInto(image.DIB(), thumbnail.get())) picture.thumbnail = std::move(thumbnail);
    return picture;
}

void TakePicture(ZpYLibMenu::StampRow& row, ZpYLibMenu::StampPicture picture) {
    row.thumbnail = std::move(picture.thumbnail);
    row.fitX = picture.fitX;
    row.fitY = picture.fitY;
    row.pixelWidth = picture.pixelWidth;
    row.pixelHeight = picture.pixelHeight;
    row.decoded = true;
}

} // namespace

// The list surface; it also reports where a double click landed, which the picture box's own
// double-click event does not carry.
class ZpYLibMenu::Surface : public PictureBox {
public:
    std::function<void(float x, float y)> onDoubleClickAt;

protected:
    bool HandleMessage(UINT msg, WPARAM, LPARAM lp, LRESULT*) override {
        if (msg == WM_LBUTTONDBLCLK && onDoubleClickAt)
            onDoubleClickAt(static_cast<float>(GET_X_LPARAM(lp)), static_cast<float>(GET_Y_LPARAM(lp)));
        return false;
    }
};

ZpYLibMenu::ZpYLibMenu() : libOLE_(std::make_unique<Surface>()) {}

ZpYLibMenu::~ZpYLibMenu() {
    StopBackground();
    // The children go with the control's window; their objects must not outlive it unbound.
    Destroy();
}

PictureBox& ZpYLibMenu::LibOLE() {
    return *libOLE_;
}

std::wstring ZpYLibMenu::LibraryFolder() const {
    return AddBackslash(App().AppFolder + L"Librarians");
}

bool ZpYLibMenu::Create(const PictureBoxArgs& args) {
    PictureBoxArgs own = args;
    own.backColor = kBackColor;
    if (!PictureBox::Create(own)) return false;
    (void)SetMouseIcon(L"MOUSED");
    SetMousePointer(MousePointer::Default);

    PictureBoxArgs child;
    child.parent = hWnd();
    child.backColor = kBackColor;
    child.width = kScrollWidth;
    child.height = std::max(Height(), 1);
    if (!thumScroll_.Create(child)) return false;
    child.width = child.height = 1;
    if (!oleBg_.Create(child)) return false;
    child.parent = oleBg_.hWnd();
    if (!libOLE_->Create(child)) return false;
    (void)libOLE_->SetMouseIcon(L"MOUSED");
    libOLE_->SetMousePointer(MousePointer::Default);
    libOLE_->Move(0, 0, 1, static_cast<int>(kFirstTop));
    // The children by their names in the window tree, as outside tools read it.
    ::SetWindowTextW(thumScroll_.hWnd(), L"ThumScroll");
    ::SetWindowTextW(oleBg_.hWnd(), L"OleBg");
    ::SetWindowTextW(libOLE_->hWnd(), L"LibOLE");

    libOLE_->onMouseDown = [this](int, int, float x, float y) { OnMouseDown(x, y); };
    libOLE_->onMouseMove = [this](int, int, float x, float y) { OnMouseMove(x, y); };
    libOLE_->onMouseUp = [this](int button, int shift, float x, float y) { OnMouseUp(button, shift, x, y); };
    libOLE_->onDoubleClickAt = [this](float x, float y) { OnDoubleClick(x, y); };
    thumScroll_.shortcutKeys = oleBg_.shortcutKeys = libOLE_->shortcutKeys = &childKeys_;
    thumScroll_.onValueChanged = [this] {
        libOLE_->Move(0, -thumScroll_.Value(), libOLE_->Width(), libOLE_->Height());
        DrawRowsInView();
        libOLE_->Refresh();
    };
    backgroundTimer_.onTimer = [this] { BackgroundTick(); };
    Layout();
    thumScroll_.Enabled(false);
    thumScroll_.ResetValue();
    return true;
}

bool ZpYLibMenu::HandleMessage(UINT msg, WPARAM, LPARAM, LRESULT*) {
    if (msg == WM_SIZE) Layout();
    // Nothing is drawn for a gone window, and no worker outlives it.
    if (msg == WM_DESTROY) StopBackground();
    return false;
}

void ZpYLibMenu::Layout() {
    if (!thumScroll_.hWnd() || !oleBg_.hWnd()) return;
    const int32_t viewport = oleBg_.Height();
    thumScroll_.Move(Width() - kScrollWidth, 0, kScrollWidth, Height());
    oleBg_.Move(1, 2, std::max(thumScroll_.Left() - 2, 1), std::max(Height() - 2, 1));
    libOLE_->Move(0, libOLE_->Top(), oleBg_.Width(), libOLE_->Height());
    if (pictureWidth_ == 0) return; // nothing laid out yet: Painting does it
    if (libOLE_->Width() != pictureWidth_) {
        // The buttons stand at the right end: a picture of another width would hide them or leave
        // them short of it. The stamps are kept decoded, so this only draws.
        Render(true);
    } else if (oleBg_.Height() != viewport) {
        UpdateScrollBar();
        libOLE_->Move(0, 0, libOLE_->Width(), libOLE_->Height());
        DrawRowsInView();
        libOLE_->Refresh();
    }
}

int32_t ZpYLibMenu::ButtonType() const {
    if (overDeleteButton_) return 1;
    if (overUseButton_) return 2;
    return 0;
}

std::vector<FileListEntry> ZpYLibMenu::LibFiles() const {
    std::vector<FileListEntry> files;
    // A library that cannot be read lists as empty.
    (void)ListFolderFiles(LibraryFolder(), FilePattern(kPattern), files);
    std::sort(files.begin(), files.end(),
              [](const FileListEntry& a, const FileListEntry& b) { return CompareNoCase(a.Name, b.Name) < 0; });
    return files;
}

ZpYLibMenu::StampRow ZpYLibMenu::MakeRow(const FileListEntry& file) const {
    StampRow row;
    row.Path = LibraryFolder();
    row.String = file.Name;
    const size_t dot = file.Name.rfind(L'.');
    row.Filename = dot == std::wstring::npos ? file.Name : file.Name.substr(0, dot);
    row.fileSize = file.Size;
    row.modified = file.Modified;
    return row;
}

void ZpYLibMenu::Painting() {
    if (App().GdiplusToken == 0) return;
    Hourglass hourglass;
    announced_.clear();
    const std::vector<FileListEntry> files = LibFiles();
    StopBackground();
    FillStampList(files);
    Render();
}

void ZpYLibMenu::FillStampList(const std::vector<FileListEntry>& files,
                               std::unordered_map<std::wstring, StampRow> kept) {
    rows_.clear();
    rows_.reserve(files.size());
    for (auto file = files.rbegin(); file != files.rend(); ++file) {
        if (const auto k = kept.find(file->Key); k != kept.end())
            rows_.push_back(std::move(k->second));
        else
            rows_.push_back(MakeRow(*file));
    }
}

void ZpYLibMenu::AddnewItem(const std::wstring&, const std::wstring& fileName) {
    const std::wstring name = GetFileName(fileName);
    if (!name.empty()) announced_.push_back(name);
}

ZpYLibMenu::OnDisk ZpYLibMenu::ByName(const std::vector<FileListEntry>& files) {
    OnDisk onDisk;
    for (const FileListEntry& file : files) onDisk.emplace(file.Key, &file);
    return onDisk;
}

bool ZpYLibMenu::TakeAnnounced(const OnDisk& onDisk) {
    std::vector<std::wstring> announced = std::move(announced_);
    announced_.clear();
    bool changed = false;
    for (const std::wstring& name : announced) {
        const auto file = onDisk.find(FoldCase(name));
        if (file == onDisk.end()) continue;
        auto row = std::find_if(rows_.begin(), rows_.end(),
                                [&](const StampRow& r) { return FoldCase(r.String) == file->first; });
        if (row == rows_.end())
            rows_.insert(rows_.begin(), MakeRow(*file->second));
        else
            *row = MakeRow(*file->second);
        changed = true;
    }
    return changed;
}

bool ZpYLibMenu::DropVanished(const OnDisk& onDisk) {
    const auto gone = std::remove_if(rows_.begin(), rows_.end(),
                                     [&](const StampRow& r) { return !onDisk.contains(FoldCase(r.String)); });
    const bool changed = gone != rows_.end();
    rows_.erase(gone, rows_.end());
    return changed;
}

void ZpYLibMenu::IncPainteding() {
    if (App().GdiplusToken == 0) return;
    const std::vector<FileListEntry> files = LibFiles();
    if (TakeAnnounced(ByName(files))) Render();
}

void ZpYLibMenu::DecPainteding() {
    if (App().GdiplusToken == 0 || selectedIndex_ < 0 || static_cast<size_t>(selectedIndex_) >= rows_.size()) return;
    const std::vector<FileListEntry> files = LibFiles();
    if (DropVanished(ByName(files))) Render();
}

void ZpYLibMenu::RefreshPaint() {
    if (App().GdiplusToken == 0) return;
    const std::vector<FileListEntry> files = LibFiles();
    const OnDisk onDisk = ByName(files);
    bool changed = DropVanished(onDisk);
    changed |= TakeAnnounced(onDisk);

    // Files written over since they were decoded.
    for (StampRow& row : rows_) {
        const FileListEntry& file = *onDisk.at(FoldCase(row.String));
        if (file.Size != row.fileSize || file.Modified != row.modified) {
            row = MakeRow(file);
            changed = true;
        }
    }

    // Files nobody announced: the whole list in the full repaint's order, keeping what is decoded.
    if (rows_.size() < files.size()) {
        std::unordered_map<std::wstring, StampRow> kept;
        for (StampRow& row : rows_) kept.emplace(FoldCase(row.String), std::move(row));
        FillStampList(files, std::move(kept));
        changed = true;
    }
    if (changed)
        Render();
    else
        StartBackground(); // the rows not drawn yet go on where they stopped
}

void ZpYLibMenu::UpdateScrollBar() {
    if (oleBg_.Height() >= libOLE_->Height()) {
        thumScroll_.Enabled(false);
    } else {
        thumScroll_.Enabled(true);
        thumScroll_.Max(libOLE_->Height() - oleBg_.Height());
    }
    thumScroll_.ResetValue();
}

void ZpYLibMenu::Render(bool keepPick) {
    StopBackground();
    // The pointer belongs to the rows as they were drawn; the pick to the rows as they were.
    overUseButton_ = overDeleteButton_ = false;
    hoverIndex_ = 0;
    if (!keepPick) selectedIndex_ = -1;

    const size_t n = rows_.size();
    const int32_t width = oleBg_.Width();
    const int32_t height = RoundHalfEven(kPitch * static_cast<float>(n) + kFirstTop);
    libOLE_->Move(0, 0, width, height);
    UpdateScrollBar();
    libOLE_->Cls();

    const float w = static_cast<float>(width);
    cellRects_.assign(n, {});
    useButtonRects_.assign(n, {});
    deleteButtonRects_.assign(n, {});
    for (size_t i = 0; i < n; ++i) {
        const float top = RowTop(i);
        cellRects_[i] = RectF(2, top, w, kCellHeight);
        useButtonRects_[i] = RectF(w - 30, top + 15, kButtonSize, kButtonSize);
        deleteButtonRects_[i] = RectF(w - 50, top + 15, kButtonSize, kButtonSize);
    }
    {
        GdipGraphics graphics = libOLE_->CreateGraphics();
        if (graphics) GdipGraphicsClear(graphics.get(), kBackARGB);
    }
    // A missing button image leaves its buttons undrawn; they still react.
    useImage_.reset(LoadImageFromFileCopy(App().DataPath + L"Stampenter.png"));
    deleteImage_.reset(LoadImageFromFileCopy(App().DataPath + L"DelStamp.png"));
    ::GdiFlush();
    pictureWidth_ = libOLE_->Width();
    pictureHeight_ = libOLE_->Height();
    picture_.assign(libOLE_->Bits(), libOLE_->Bits() + static_cast<size_t>(pictureWidth_) * pictureHeight_);
    backPixel_ = picture_.empty() ? 0 : picture_.front();
    drawn_.assign(n, kNotDrawn);
    // The rows in view show at once with their names and buttons; their stamps, decoded first by
    // the workers, are drawn in as they come.
    DrawRows(RowsInView());
    libOLE_->Refresh();
    StartBackground();
}

std::vector<size_t> ZpYLibMenu::RowsInView() const {
    std::vector<size_t> inView;
    const int32_t viewTop = -libOLE_->Top(), viewBottom = viewTop + oleBg_.Height();
    for (size_t i = 0; i < rows_.size() && i < drawn_.size(); ++i) {
        const int32_t bandTop = RoundHalfEven(RowTop(i)) - kBandAbove;
        if (bandTop >= viewBottom) break;
        if (bandTop + static_cast<int32_t>(kPitch) > viewTop && drawn_[i] != kDrawn) inView.push_back(i);
    }
    return inView;
}

int32_t ZpYLibMenu::RowsPending() const {
    return static_cast<int32_t>(std::count_if(drawn_.begin(), drawn_.end(), [](char d) { return d != kDrawn; }));
}

bool ZpYLibMenu::RowComplete(int32_t row) const {
    return row >= 0 && static_cast<size_t>(row) < drawn_.size() && drawn_[static_cast<size_t>(row)] == kDrawn;
}

void ZpYLibMenu::DrawRowsInView() {
    if (rows_.empty() || drawn_.size() != rows_.size()) return;
    const std::vector<size_t> inView = RowsInView();
    std::vector<size_t> undecoded;
    for (size_t i : inView)
        if (!rows_[i].decoded) undecoded.push_back(i);
    if (inView.empty()) return;
    if (!undecoded.empty()) {
        std::vector<std::wstring> paths;
        for (size_t i : undecoded) paths.push_back(rows_[i].Path + rows_[i].String);
        WorkerBatch<StampPicture> batch(paths.size(), DecodeThreadsForMachine(),
                                        [paths](size_t k) { return DecodeStamp(paths[k]); });
        for (size_t k = 0; k < undecoded.size(); ++k) {
            while (!batch.WaitFor(k, 1000)) {
            }
            TakePicture(rows_[undecoded[k]], batch.Take(k));
        }
    }
    DrawRows(inView);
}

void ZpYLibMenu::DrawRows(const std::vector<size_t>& which) {
    if (which.empty()) return;
    const int32_t width = libOLE_->Width(), height = libOLE_->Height();
    if (width != pictureWidth_ || height != pictureHeight_ || picture_.empty()) return;
    const auto band = [&](size_t i) {
        const int32_t top = std::clamp(RoundHalfEven(RowTop(i)) - kBandAbove, 0, height);
        return std::pair{top, std::min(top + static_cast<int32_t>(kPitch), height)};
    };
    const auto bandPixels = [&](size_t i) {
        const auto [top, bottom] = band(i);
        return std::pair{static_cast<size_t>(top) * static_cast<size_t>(width),
                         static_cast<size_t>(bottom - top) * static_cast<size_t>(width)};
    };
    ::GdiFlush();
    // A row is drawn on a clear band: no selection frame and no earlier drawing of it underneath.
    for (size_t i : which) {
        const auto [from, count] = bandPixels(i);
        std::fill_n(libOLE_->Bits() + from, count, backPixel_);
    }
    {
        GdipGraphics graphics = libOLE_->CreateGraphics();
        if (GpGraphics* g = graphics.get()) {
            GdipSetSmoothingMode(g, SmoothingModeAntiAlias);
            for (size_t i : which) DrawRow(g, i);
        }
    }
    ::GdiFlush();
    for (size_t i : which) {
        const auto [from, count] = bandPixels(i);
        std::memcpy(picture_.data() + from, libOLE_->Bits() + from, count * sizeof(uint32_t));
        drawn_[i] = rows_[i].decoded ? kDrawn : kNameOnly;
        if (static_cast<int32_t>(i) == selectedIndex_) DrawSelectionFrame(selectedIndex_);
    }
}

void ZpYLibMenu::DrawRow(GpGraphics* g, size_t i) {
    const StampRow& row = rows_[i];
    const float top = RowTop(i);
    const float w = static_cast<float>(libOLE_->Width());
    const DrawTarget target = DrawTarget::Surface(g);
    DrawShadowText(target, L" " + row.Filename, 70, top + 5, kFont, 8, ColorARGB(255, 0, 0, 0), 0, false, 100);
    // Until its file has been read a row shows no size rather than a wrong one.
    if (row.decoded)
        DrawShadowText(target,
                       L" " + std::to_wstring(row.pixelWidth) + L" x " + std::to_wstring(row.pixelHeight) + L" pixels",
                       70, top + 20, kFont, 8, ColorARGB(255, 0, 0, 0), 0, false, 100);
    if (row.thumbnail) {
        // Drawn at its own size: the reduction already made the thumbnail.
        UINT tw = 0, th = 0;
        GdipGetImageWidth(row.thumbnail.get(), &tw);
        GdipGetImageHeight(row.thumbnail.get(), &th);
        GdipSetInterpolationMode(g, InterpolationModeNearestNeighbor);
        GdipSetPixelOffsetMode(g, PixelOffsetModeHalf);
        GdipDrawImageRectI(g, row.thumbnail.get(), RoundHalfEven(15 + row.fitX), RoundHalfEven(top - 2 + row.fitY),
                           static_cast<INT>(tw), static_cast<INT>(th));
        GdipSetPixelOffsetMode(g, PixelOffsetModeDefault);
        GdipSetInterpolationMode(g, InterpolationModeDefault);
    }
    for (const auto& [image, rect] :
         {std::pair{useImage_.get(), useButtonRects_[i]}, std::pair{deleteImage_.get(), deleteButtonRects_[i]}})
        if (image) GdipDrawImageRect(g, image, rect.X, rect.Y, rect.Width, rect.Height);
    const float separator = top + kPitch - 5;
    DrawEtchedLine(target, 3, separator, w - 5, separator, 1, 1, 0, 0);
}

void ZpYLibMenu::StartBackground() {
    if (background_ || !libOLE_->hWnd() || drawn_.size() != rows_.size()) return;
    backgroundRows_.clear();
    std::vector<std::wstring> paths;
    for (size_t i = 0; i < rows_.size(); ++i)
        if (!rows_[i].decoded) {
            backgroundRows_.push_back(i);
            paths.push_back(rows_[i].Path + rows_[i].String);
        }
    backgroundNext_ = 0;
    if (!paths.empty()) {
        try {
            // One core is left to the user's work while the library fills.
            background_ =
                std::make_shared<WorkerBatch<StampPicture>>(paths.size(), std::max(DecodeThreadsForMachine() - 1, 1),
                                                            [paths](size_t k) { return DecodeStamp(paths[k]); });
        } catch (...) {
            backgroundRows_.clear(); // no threads: the rows are drawn as they come into view
        }
    }
    if (RowsPending() > 0) {
        backgroundTimer_.SetInterval(kBackgroundInterval);
        backgroundTimer_.SetEnabled(true);
    }
}

void ZpYLibMenu::StopBackground() {
    backgroundTimer_.SetEnabled(false);
    background_.reset();
    backgroundRows_.clear();
    backgroundNext_ = 0;
}

void ZpYLibMenu::BackgroundTick() {
    if (!libOLE_->hWnd() || drawn_.size() != rows_.size()) {
        StopBackground();
        return;
    }
    // The stamps made since the last tick, in the rows' order.
    if (background_) {
        while (backgroundNext_ < backgroundRows_.size() && background_->Ready(backgroundNext_)) {
            StampRow& row = rows_[backgroundRows_[backgroundNext_]];
            StampPicture picture = background_->Take(backgroundNext_++);
            // A scroll may have decoded it already.
            if (!row.decoded) TakePicture(row, std::move(picture));
        }
        if (backgroundNext_ >= backgroundRows_.size()) background_.reset();
    }
    std::vector<size_t> ready;
    for (size_t i = 0; i < rows_.size() && ready.size() < kRowsPerTick; ++i)
        if (drawn_[i] != kDrawn && rows_[i].decoded) ready.push_back(i);
    if (!ready.empty()) {
        DrawRows(ready);
        libOLE_->Refresh();
    }
    // Without workers, the rows still undecoded wait for a scroll to bring them into view.
    if (!background_ && ready.size() < kRowsPerTick) StopBackground();
}

void ZpYLibMenu::WipeFrame() {
    ::GdiFlush();
    if (pictureWidth_ == libOLE_->Width() && pictureHeight_ == libOLE_->Height() && !picture_.empty())
        std::memcpy(libOLE_->Bits(), picture_.data(), picture_.size() * sizeof(uint32_t));
    else
        libOLE_->Cls();
}

void ZpYLibMenu::DrawSelectionFrame(int32_t row) {
    // Rounded 5 x 5 corners round the row's hit area, with a faint shadow darkening downwards.
    const float x = 2, y = RowTop(static_cast<size_t>(row)) - 4;
    const float w = static_cast<float>(libOLE_->Width()) - 15, h = 40;
    GdipGraphics graphics = libOLE_->CreateGraphics();
    GdipPath path = CreateRoundRectPath(x, y, w, h, 5, 5);
    if (!graphics || !path) return;
    GdipSetSmoothingMode(graphics.get(), SmoothingModeAntiAlias);
    const PointF from(0, y), to(0, y + 50);
    GdipLineGradient shade;
    if (GdipCreateLineBrush(&from, &to, ColorARGB(0, 0, 0, 0), ColorARGB(20, 0, 0, 0), WrapModeTileFlipXY,
                            shade.put()) == Ok)
        GdipFillPath(graphics.get(), shade.get(), path.get());
    if (GdipPen pen = MakePen(ColorARGB(255, 255, 255, 255), 1)) GdipDrawPath(graphics.get(), pen.get(), path.get());
}

int32_t ZpYLibMenu::RowAt(float x, float y) const {
    for (size_t i = 0; i < cellRects_.size(); ++i) {
        const RectF& cell = cellRects_[i];
        if (HitRect(RectF(cell.X, cell.Y, cell.Width, kHitHeight), x, y)) return static_cast<int32_t>(i);
    }
    return -1;
}

void ZpYLibMenu::Pick(int32_t row) {
    DrawSelectionFrame(row);
    selectedIndex_ = row;
    const StampRow& r = rows_[static_cast<size_t>(row)];
    filename_ = r.Path + r.String;
}

void ZpYLibMenu::OnMouseDown(float x, float y) {
    WipeFrame();
    if (const int32_t row = RowAt(x, y); row >= 0) Pick(row);
    libOLE_->Refresh();
}

void ZpYLibMenu::OnMouseMove(float x, float y) {
    overUseButton_ = overDeleteButton_ = false;
    hoverIndex_ = 0;
    libOLE_->SetMousePointer(MousePointer::Default);
    for (size_t i = 0; i < cellRects_.size(); ++i) {
        overUseButton_ = HitRect(useButtonRects_[i], x, y);
        overDeleteButton_ = !overUseButton_ && HitRect(deleteButtonRects_[i], x, y);
        if (overUseButton_ || overDeleteButton_) {
            libOLE_->SetMousePointer(MousePointer::Custom);
            hoverIndex_ = static_cast<int32_t>(i);
            return;
        }
    }
}

void ZpYLibMenu::OnMouseUp(int button, int shift, float x, float y) {
    if ((overUseButton_ || overDeleteButton_) && static_cast<size_t>(hoverIndex_) < rows_.size()) {
        WipeFrame();
        Pick(hoverIndex_);
    }
    libOLE_->Refresh();
    if (onMouseUp) onMouseUp(button, shift, x, y);
}

void ZpYLibMenu::OnDoubleClick(float x, float y) {
    const int32_t row = RowAt(x, y);
    if (row < 0) return;
    const StampRow& r = rows_[static_cast<size_t>(row)];
    filename_ = r.Path + r.String;
    selectedIndex_ = row;
    if (onDblClick) onDblClick();
}
