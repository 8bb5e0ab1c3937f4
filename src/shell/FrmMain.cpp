#include "shell/FrmMain.h"

#include "shell/MainFileCommands.h"
#include "shell/MainMenuHost.h"
#include "shell/MainToolHost.h"

#include "editor/ModFont.h"
#include "imaging/EffectBuffers.h"
#include "imaging/ModGDI.h"
#include "imaging/PaintPrimitives.h"
#include "imaging/TextRendering.h"
#include "platform/AppState.h"
#include "platform/Rounding.h"
#include "platform/TextCase.h"

#include <windowsx.h>

#include <algorithm>

namespace {

constexpr COLORREF kWindowBack = RGB(240, 238, 233);
constexpr UINT kTimer2Interval = 500;

template <typename Pane> PaneRect ReadPane(const Pane& pane) {
    return {pane.Left(), pane.Top(), pane.Width(), pane.Height(), pane.Visible()};
}

template <typename Pane> void PlacePane(Pane& pane, const PaneRect& r) {
    if (pane.Left() != r.left || pane.Top() != r.top || pane.Width() != r.width || pane.Height() != r.height)
        pane.Move(r.left, r.top, r.width, r.height);
}

// Each pane beside its place in the layout model: reading the panes in and placing them walk this one list.
template <typename Main, typename Panes, typename Visit> void EachPane(Main& main, Panes& p, Visit visit) {
    visit(main.TitleSkin, p.TitleSkin);
    visit(main.yzToolbarUser, p.yzToolbarUser);
    visit(main.ImageToolbar, p.ImageToolbar);
    visit(main.ResizeBorder, p.ResizeBorder);
    visit(main.UseryzSplitH, p.UseryzSplitH);
    visit(main.FolderView, p.FolderView);
    visit(main.UseryzSplitLV, p.UseryzSplitLV);
    visit(main.UseryzProcess1, p.UseryzProcess1);
    visit(main.YDSTextControl1, p.YDSTextControl1);
    visit(main.SingleyzPreview, p.SingleyzPreview);
    visit(main.UseryzSplitV, p.UseryzSplitV);
    visit(main.ThumyzViewer, p.ThumyzViewer);
}

} // namespace

FrmMain::FrmMain(Options options)
    : ImageToolbar(*this), YDSTextControl1(*this, *this), UseryzSplitV(this), ThumyzViewer(&UseryzProcess1),
      UseryzProcess1(this), options_(std::move(options)), companion_(*this, this),
      menuHost_(std::make_unique<MainMenuHost>(*this)), toolHost_(std::make_unique<MainToolHost>(*this)),
      events_(std::make_unique<MainEvents>(*this)) {
    menuHost_->ToolRows = &toolHost_->Rows();
    menuHost_->Seams.StartNewImage = [this] { StartNewImage(); };
    menuHost_->Seams.SetStampEffect = [this](int32_t effect) { (void)SingleyzPreview.Stampeffect(effect); };
    menuHost_->Seams.Rasterize = [this] { (void)SingleyzPreview.Rasterize(); };
    menuHost_->Seams.CopyToClipboard = [this] { (void)SingleyzPreview.DrawtoClipboard(); };
    menuHost_->Seams.PasteFromClipboard = [this] { (void)SingleyzPreview.CreateStampfromClipboard(); };
    menuHost_->Seams.DeleteSelectedPixels = [this] { (void)SingleyzPreview.CallDrawDeleteSelect(); };
    menuHost_->Seams.VrFileCreate = [this](bool remove) { (void)ThumyzViewer.VrFileCreate(remove); };
    menuHost_->Seams.FolderViewSelect = [this](const std::wstring& path) {
        if (folderPane_) folderPane_->FolderViewSelect(path);
    };
    fileCommands_ = std::make_unique<MainFileCommands>(*this);
    menuHost_->Seams.ShowPrintDialog = [this] { (void)ShowPrintWindow(printWindow_, printer_, hwnd_); };
}

FrmMain::~FrmMain() {
    Timer2.SetEnabled(false);
    if (hwnd_) ::DestroyWindow(hwnd_);
}

bool FrmMain::RegisterOnce() {
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hIcon = ::LoadIconW(::GetModuleHandleW(nullptr), L"VELLUMO");
        wc.lpszClassName = kClassName;
        return RegisterWindowClass(wc);
    }();
    return registered;
}

bool FrmMain::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
    *result = 0;
    switch (msg) {
    case WM_SIZE:
        if (loaded_) Form_Resize();
        return true;
    case WM_ERASEBKGND:
        *result = 1;
        return true;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd_, &ps);
        PaintWindow(dc);
        ::EndPaint(hwnd_, &ps);
        return true;
    }
    case WM_CLOSE:
        (void)Close();
        return true;
    case WM_KEYDOWN:
        events_->Form_KeyDown(static_cast<int>(wp), CurrentShiftCode());
        return true;
    case WM_LBUTTONUP:
        events_->Form_MouseUp(static_cast<float>(GET_X_LPARAM(lp)), static_cast<float>(GET_Y_LPARAM(lp)));
        return true;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return true;
    default:
        return false;
    }
}

bool FrmMain::Create() {
    if (hwnd_ || !RegisterOnce()) return false;
    const int sw = ::GetSystemMetrics(SM_CXSCREEN);
    const int sh = ::GetSystemMetrics(SM_CYSCREEN);
    // Borderless: the title strip is the program's own. A tool window keeps it off the taskbar,
    // where the companion stands for it.
    if (!CreateBound(WS_EX_TOOLWINDOW, kClassName, kCaption, WS_POPUP | WS_CLIPCHILDREN, 0, 0, sw, sh, nullptr))
        return false;
    if (!CreatePanes()) return false;
    Form_Load();
    loaded_ = true;
    Form_Resize();
    return true;
}

void FrmMain::Show() {
    ::ShowWindow(hwnd_, SW_SHOW);
    ::UpdateWindow(hwnd_);
}

bool FrmMain::CreatePanes() {
    namespace D = DesignSize;
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    const int W = client.right;
    auto args = [&](int x, int y, int w, int h, COLORREF back, bool visible) {
        return PictureBoxArgs{hwnd_, x, y, w, h, back, visible, true};
    };
    bool ok = TitleSkin.Create(args(0, 0, W, D::TitleSkinHeight, kWindowBack, true));
    ok = yzToolbarUser.Create(args(0, D::TitleSkinHeight + 1, W, D::ToolbarUserHeight, kWindowBack, true)) && ok;
    ok = ImageToolbar.Create(
             args(0, D::TitleSkinHeight + D::ToolbarUserHeight + 2, W, D::ImageToolbarHeight, kWindowBack, true)) &&
         ok;
    ok = ResizeBorder.Create(args(0, 0, D::ResizeBorder, D::ResizeBorder, kWindowBack, true)) && ok;
    ok = UseryzSplitH.Create(
             args(SettingsDefaults::SplitHLeft, D::SplitHTop, D::SplitHWidth, 100, kWindowBack, false)) &&
         ok;
    ok = UseryzSplitLV.Create(args(8, SettingsDefaults::SplitlvTop, 100, D::SplitLVHeight, kWindowBack, false)) && ok;
    ok = FolderView.Create(args(8, D::SplitHTop + 35, 100, 100, RGB(255, 255, 255), false)) && ok;
    UseryzProcess1.ZzVFiter().Source(&FileInfo);
    ok = UseryzProcess1.Create(args(3, 0, 100, 100, kWindowBack, false)) && ok;
    ok = YDSTextControl1.Create(args(0, D::SplitHTop, 100, D::TextBarHeight, kWindowBack, false)) && ok;
    ok = SingleyzPreview.Create(
             args(0, D::SplitHTop, 100, 100, Imageyzviewer::kBackColor, false),
             CanvasNeighbours{this, &ImageToolbar, this, &menuHost_->FileShell, &menuHost_->CanvasSize, &SkinMenu}) &&
         ok;
    ok = UseryzSplitV.Create(args(0, SettingsDefaults::SplitVTop, 100, D::SplitVHeight, kWindowBack, false)) && ok;
    // Light grey 235: the pen that clears a cell's frame is that grey, so a cleared frame leaves no trace.
    ok = ThumyzViewer.Create(args(0, 0, 100, 100, RGB(235, 235, 235), false)) && ok;
    ok = SkinMenu.Create(args(0, 0, 100, 100, RGB(255, 255, 255), false)) && ok;
    // The panes carry their names, as a person's accessibility tools read them.
    const std::pair<HWND, const wchar_t*> names[] = {{TitleSkin.hWnd(), L"TitleSkin"},
                                                     {yzToolbarUser.hWnd(), L"yzToolbarUser"},
                                                     {ImageToolbar.hWnd(), L"ImageToolbar"},
                                                     {ResizeBorder.hWnd(), L"ResizeBorder"},
                                                     {UseryzSplitH.hWnd(), L"UseryzSplitH"},
                                                     {UseryzSplitLV.hWnd(), L"UseryzSplitLV"},
                                                     {FolderView.hWnd(), L"FolderView"},
                                                     {UseryzProcess1.hWnd(), L"UseryzProcess1"},
                                                     {YDSTextControl1.hWnd(), L"YDSTextControl1"},
                                                     {SingleyzPreview.hWnd(), L"SingleyzPreview"},
                                                     {UseryzSplitV.hWnd(), L"UseryzSplitV"},
                                                     {ThumyzViewer.hWnd(), L"ThumyzViewer"},
                                                     {SkinMenu.hWnd(), L"SkinMenu"}};
    for (const auto& [window, name] : names)
        if (window) ::SetWindowTextW(window, name);
    ImageToolbar.GetIconHandle();
    TitleSkin.onMouseUp = [this](int, int, float, float) { OnTitleClick(); };
    yzToolbarUser.onMouseDown = [this](int, int, float x, float) { menuHost_->TitleMouseDown(x); };
    yzToolbarUser.onMouseMove = [this](int, int, float x, float) { menuHost_->TitleMouseMove(x); };
    SkinMenu.onMouseUp = [this](int, int, float, float) { MenuPick(*menuHost_); };
    Timer2.onTimer = [this] { OnTimer2(); };
    events_->Connect();
    PaintResizeBorder();
    return ok;
}

void FrmMain::Form_Load() {
    Timer2.SetInterval(kTimer2Interval);
    Timer2.SetEnabled(true);
    LoadSettings();
    App().CurrentDirectory = L"...";
    TitleSkin.Title(kCaption);
    TitleSkin.Background(ColorARGB(200, 100, 140, 255));
    (void)events_->Wheel.HookWheel(hwnd_);
    if (options_.companion && companion_.Create()) companion_.ShowOffScreen();
    UseryzSplitLV.MousePoin(MousePointer::SizeNS);
    UseryzSplitH.MousePoin(MousePointer::SizeWE);
    UseryzSplitV.HandleHDC(false);
    AddTrueTypeFaces(*this);
    YDSTextControl1.AddFontMode();
    SingleyzPreview.CreateBrush();
    ZoomFactor = 1.0f;
    App().LineMenu = L"Line_1";
    App().StampBrushMenu = L"Stamp_Brush3";
    App().ToolMenu = L"Filter_Browse";
    App().SelectCombineMode = 1;
    SkinMenu.SetPressMenuID(L"Filter_Browse");
    isMax = isMax == 0 ? 1 : 0;
}

void FrmMain::Form_Resize() {
    if (inFirstLayout_) return;
    if (!FirstLayoutDone) {
        inFirstLayout_ = true;
        // The window is fitted beside the taskbar before the first layout, so that the panes
        // fill the window it ends at.
        CPressButton();
        ArrangeMainWindow();
        ShowPanes(false);
        yzToolbarUser.Create();
        FirstLayoutDone = true;
        SettingsLoaded = true;
        inFirstLayout_ = false;
    }
    HistoryHitRect = HistoryStripRect(ReadPane(UseryzSplitH));
}

void FrmMain::OnTimer2() {
    if (!FirstLayoutDone || !folderPane_ || !folderPane_->FolderSelected()) return;
    Timer2.SetEnabled(false);
    RepaintSkinnedControls();
    RefreshSidePanel();
    ShowPanes(true);
}

void FrmMain::ShowPanes(bool visible) {
    panesShown_ = visible;
    // Shown, the panes take the visibility the layout gives them.
    ArrangeMainWindow();
    ::InvalidateRect(hwnd_, nullptr, FALSE);
}

void FrmMain::OnTitleClick() {
    SkinMenu.SetVisible(false);
    switch (TitleSkin.SelectIndex()) {
    case ButtonControl::kClose:
        (void)Close();
        break;
    case ButtonControl::kMinimise:
        SetVisible(false);
        companion_.WindowState(FrmMainmin::kMinimized);
        break;
    default:
        break;
    }
}

void FrmMain::SetVisible(bool visible) {
    if (hwnd_) ::ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
}

bool FrmMain::UnsavedEdit() const {
    return SingleyzPreview.AppliedEffect && !SingleyzPreview.SaveState;
}

void FrmMain::MarkSaved() {
    SingleyzPreview.AppliedEffect = false;
    SingleyzPreview.SaveState = true;
}

void FrmMain::Unload() {
    if (unloading_ || !hwnd_) return;
    unloading_ = true;
    Form_QueryUnload();
    Form_Unload();
    ::DestroyWindow(hwnd_);
}

void FrmMain::Form_QueryUnload() {
    // Scratch files of the stamp tool and the library browser; a missing one is no matter.
    ::DeleteFileW((App().AppFolder + L"Librarians\\Stamptemp.tmp").c_str());
    ::DeleteFileW((App().AppFolder + L"Datas\\libtempvellmo.dat").c_str());
}

void FrmMain::Form_Unload() {
    Timer2.SetEnabled(false);
    events_->Wheel.UnhookWheel(hwnd_);
    companion_.Destroy();
    printWindow_.Unload();
    menuHost_->UnloadForms();
    DeleteSharedGdipObjects();
    FreeEffectBuffers();
    ClearPreviewDIB();
    if (folderPane_) folderPane_->FolderViewDestroy();
    SaveSettings();
}

// ---- Settings

void FrmMain::LoadSettings() {
    if (SettingsLoaded) return;
    const StoredSettings s = ReadSettings(options_.settingsRoot, options_.settingsKey);
    isMax = s.isMax;
    UseryzSplitLV.Move(UseryzSplitLV.Left(), s.SplitlvTop, UseryzSplitLV.Width(), UseryzSplitLV.Height());
    UseryzSplitV.Move(UseryzSplitV.Left(), s.SplitVTop, UseryzSplitV.Width(), UseryzSplitV.Height());
    UseryzSplitH.Move(s.SplitHLeft, UseryzSplitH.Top(), UseryzSplitH.Width(), UseryzSplitH.Height());
    App().SlideSpeed = s.SlideSpeed;
    UseryzProcess1.SelEffect = 0;
    FormOption(false, true);
    SingleyzPreview.SetFitMode(s.Fitmode);
    ImageToolbar.PressDownID(5, s.Fitmode);
    SkinMenu.MemFirst = true;
    SkinMenu.CurrentlyMenu = 2;
    SkinMenu.MenuVisible(L"View_Fitmode", s.Fitmode);
    App().ArrangeString = s.ArrangeString;
    if (const auto mode = ::SettingArrange_Menu(s.ArrangeString, menuHost_->Rows())) ThumyzViewer.ThumbnaillSort(*mode);
    oldThumTop = s.oldThumTop;
    App().JpegQuality = s.Quilaty;
    SingleyzPreview.SetTextColor(static_cast<COLORREF>(s.Textcolor));
    YDSTextControl1.textFontColor(s.Textcolor);
    App().ThumSizeMenu = s.ThumSizeMenu;
    ThumyzViewer.ThumWidth(static_cast<float>(s.ThumWidth));
    ThumyzViewer.ThumHeight(static_cast<float>(s.ThumHeight));
    App().LineMenu = s.LineMenu;
    App().SelectCombineMode = 4;
}

void FrmMain::SaveSettings() {
    StoredSettings s;
    s.CurrentDirectory = App().CurrentDirectory;
    s.SplitlvTop = UseryzSplitLV.Top();
    s.SplitVTop = UseryzSplitV.Top();
    s.SplitHLeft = UseryzSplitH.Left();
    s.isMax = isMax;
    RECT r{};
    ::GetWindowRect(hwnd_, &r);
    // The outer rectangle is kept in twips, 15 to the pixel.
    s.OldX = r.left * 15;
    s.OldY = r.top * 15;
    s.OldW = (r.right - r.left) * 15;
    s.OldH = (r.bottom - r.top) * 15;
    s.SlideSpeed = App().SlideSpeed;
    s.Fitmode = SingleyzPreview.FitMode();
    s.ArrangeString = App().ArrangeString;
    s.oldThumTop = oldThumTop;
    s.Quilaty = App().JpegQuality;
    s.Textcolor = static_cast<int32_t>(SingleyzPreview.TextColor());
    s.ThumSizeMenu = App().ThumSizeMenu;
    s.ThumWidth = RoundHalfEven(ThumyzViewer.ThumWidth());
    s.ThumHeight = RoundHalfEven(ThumyzViewer.ThumHeight());
    s.LineMenu = App().LineMenu;
    (void)WriteSettings(options_.settingsRoot, options_.settingsKey, s);
}

// ---- Layout

MainLayoutPanes FrmMain::CollectPanes() const {
    MainLayoutPanes p;
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    p.clientWidth = client.right;
    p.clientHeight = client.bottom;
    p.effect = SingleyzPreview.Effect();
    EachPane(*this, p, [](const auto& pane, PaneRect& r) { r = ReadPane(pane); });
    return p;
}

void FrmMain::ApplyPanes(const MainLayoutPanes& p) {
    EachPane(*this, p, [](auto& pane, const PaneRect& r) { PlacePane(pane, r); });
}

void FrmMain::ArrangeMainWindow(bool) {
    if (!hwnd_) return;
    MainLayoutPanes p = CollectPanes();
    ClampSplitters(p);
    ::ArrangeMainWindow(p);
    ApplyPanes(p);
    // A dropped column splitter moves the history field: the click goes where it is drawn.
    HistoryHitRect = HistoryStripRect(p.UseryzSplitH);
    if (p.thumPaneClosed)
        UseryzSplitV.ThumOpen();
    else
        UseryzSplitV.ThumClose();
    // Hidden until the folder pane's first pick; then as the layout says.
    const bool shown = panesShown_;
    UseryzSplitH.SetVisible(shown);
    UseryzSplitV.SetVisible(shown);
    ThumyzViewer.SetVisible(shown && p.ThumyzViewer.visible);
    SingleyzPreview.SetVisible(shown && p.SingleyzPreview.visible);
    if (p.leftColumnShown && folderPane_) folderPane_->FolderViewResize();
    UseryzProcess1.SetVisible(shown && p.leftColumnShown);
    UseryzSplitLV.SetVisible(shown && p.leftColumnShown);
    FolderView.SetVisible(shown && p.leftColumnShown);
}

void FrmMain::ArrangeChrome() {
    if (!hwnd_) return;
    MainLayoutPanes p = CollectPanes();
    ::ArrangeChrome(p);
    PlacePane(TitleSkin, p.TitleSkin);
    PlacePane(yzToolbarUser, p.yzToolbarUser);
    PlacePane(ImageToolbar, p.ImageToolbar);
    PlacePane(ResizeBorder, p.ResizeBorder);
}

void FrmMain::FollowCanvasZoom() {
    if (UseryzSplitV.yzisDrag || events_->Drags().ZoomDragging) return;
    // The track is centred for the bar's present width first: a layout may have changed it.
    UseryzSplitV.HandleHDC(true);
    UseryzSplitV.OutControlScroll(SingleyzPreview.ShownZoom());
}

void FrmMain::ArrangeEditArea() {
    UpdateViewButtons();
    MainLayoutPanes p = CollectPanes();
    ::ArrangeEditArea(p);
    PlacePane(YDSTextControl1, p.YDSTextControl1);
    PlacePane(SingleyzPreview, p.SingleyzPreview);
    PlacePane(ThumyzViewer, p.ThumyzViewer);
}

void FrmMain::UpdateViewButtons() {
    ::UpdateViewButtons(*toolHost_);
}

void FrmMain::RepaintSkinnedControls() {
    UseryzSplitV.HandleHDC(true);
    UseryzSplitV.StartPaint(static_cast<float>(UseryzSplitV.ThumSizeBarX), 0, true);
    YDSTextControl1.StartPaint();
    ImageToolbar.StartPaint();
    UseryzSplitLV.PaintStyle();
    UseryzSplitH.PaintStyle();
    UseryzProcess1.StartPaint();
}

void FrmMain::RefreshSidePanel() {
    UseryzProcess1.ResizePaint();
    UseryzProcess1.ResetPaint();
    LeftSkinstyle();
}

void FrmMain::CPressButton() {
    ResizeScr();
    LoadSkin();
}

void FrmMain::LoadSkin() {
    TitleSkin.Painting();
}

void FrmMain::ResizeScr() {
    const std::optional<RECT> bar = options_.taskbar ? options_.taskbar() : std::nullopt;
    if (!bar) return; // no taskbar: the window keeps its size
    const int sw = ::GetSystemMetrics(SM_CXSCREEN);
    const int sh = ::GetSystemMetrics(SM_CYSCREEN);
    RECT r{};
    if (!WindowBesideTaskbar(GetTaskbarEdge(*bar, sw, sh), sw, sh, r)) return;
    ::SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

CanvasMainWindow::Placement FrmMain::CanvasPlacement() const {
    return {SingleyzPreview.Left(), SingleyzPreview.Top(), SingleyzPreview.Height()};
}

// ---- Tools and files

void FrmMain::FormOption(bool force, bool toggle) {
    ::FormOption(*toolHost_, force, toggle);
}

void FrmMain::ResetToBrowse() {
    App().ToolMenu = L"Filter_Browse";
    SingleyzPreview.SetEffect(0);
    SingleyzPreview.SetFitMode(false);
    ImageToolbar.PressDownID(5, false);
    SkinMenu.MemFirst = true;
    SkinMenu.SetPressMenuID(L"Filter_Browse");
    SkinMenu.MenuVisible(L"View_Fitmode", false);
}

void FrmMain::FileImport(const std::wstring& path) {
    SkinMenu.SetVisible(false);
    const bool opened =
        SingleyzPreview.Import(path, false, true) && CompareNoCase(SingleyzPreview.CurFilename, path) == 0;
    if (opened) {
        EditLoaded = false;
    } else {
        // Refused or failed, the open changed nothing: the grid frames the picture still shown (none
        // when none is, the file alone when the grid does not show it), and steps go on past the file.
        const std::wstring shown = menuHost_->ShownFile();
        if (!ThumyzViewer.FrameShownPicture(shown, path) && !shown.empty()) App().SelectedFiles = {shown, L""};
    }
    // The new picture's zoom: 1, or its fitted zoom while fitting.
    FollowCanvasZoom();
    for (int id : {2, 4, 5, 7, 6}) ImageToolbar.EnabledID(id, true);
    ImageToolbar.StartPaint();
}

void FrmMain::UseStamp(bool flag, bool resetPosition) {
    ::UseStamp(*toolHost_, flag, resetPosition);
}

void FrmMain::StartNewImage() {
    ::StartNewImage(*toolHost_);
}

void FrmMain::ShowFullScreen() {
    ::ShowFullScreen(*toolHost_);
}

void FrmMain::PublicZoomout() {
    ::PublicZoomout(*toolHost_, ZoomFactor);
}

void FrmMain::PublicZoomin() {
    ::PublicZoomin(*toolHost_, ZoomFactor);
}

std::wstring FrmMain::FileDialog(int32_t mode) {
    return fileCommands_->Commands.FileDialog(mode);
}

bool FrmMain::AgreeToSaveInPlace() {
    return !SingleyzPreview.SaveOnlyWrites() || AgreeToKeepOnlyShownFrame(hwnd_, SingleyzPreview.CurFilename);
}

bool FrmMain::SaveAsChosen() {
    return fileCommands_->Commands.SaveAs();
}

FileCommands& FrmMain::Files() {
    return fileCommands_->Commands;
}

// ---- Fonts and captions

void FrmMain::AddFont(const std::wstring& faceName) {
    const auto at =
        std::lower_bound(cbFont_.begin(), cbFont_.end(), faceName,
                         [](const std::wstring& a, const std::wstring& b) { return CompareNoCase(a, b) < 0; });
    cbFont_.insert(at, faceName);
}

std::wstring FrmMain::FontAt(int32_t index) const {
    if (index < 0 || index >= FontCount()) return {};
    return cbFont_[static_cast<size_t>(index)];
}

void FrmMain::SetPathCaption(const std::wstring& caption) {
    label1_ = caption.substr(0, caption.find(L'\0'));
}

void FrmMain::LeftSkinstyle() {
    if (!hwnd_) return;
    RECT left{0, UseryzSplitH.Top(), UseryzSplitH.Left(), UseryzSplitH.Top() + UseryzSplitH.Height()};
    ::InvalidateRect(hwnd_, &left, FALSE);
}

// ---- Painting

void FrmMain::PaintResizeBorder() {
    // The size grip's diagonal ridges: a light and a dark line per ridge, corner to corner.
    ResizeBorder.Cls();
    GdipGraphics g = ResizeBorder.CreateGraphics();
    if (!g) return;
    GdipPen light, dark;
    GdipCreatePen1(0xFFFFFFFFu, 1, UnitPixel, light.put());
    GdipCreatePen1(0xFFA0A0A0u, 1, UnitPixel, dark.put());
    const int n = DesignSize::ResizeBorder;
    for (int k = 4; k < n; k += 4) {
        GdipDrawLineI(g.get(), dark.get(), n - k, n - 1, n - 1, n - k);
        GdipDrawLineI(g.get(), light.get(), n - k + 1, n - 1, n - 1, n - k + 1);
    }
    g.reset();
    ResizeBorder.Refresh();
}

void FrmMain::PaintWindow(HDC dc) {
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    const HBRUSH back = ::CreateSolidBrush(kWindowBack);
    ::FillRect(dc, &client, back);
    ::DeleteObject(back);
    if (!panesShown_ || UseryzSplitH.Left() <= 0) return;
    GdipGraphics g;
    if (GdipCreateFromHDC(dc, g.put()) != Ok) return;
    GdipSetSmoothingMode(g.get(), SmoothingModeAntiAlias);
    const auto surface = DrawTarget::Surface(g.get());
    const float top = static_cast<float>(UseryzSplitH.Top());
    const float width = static_cast<float>(UseryzSplitH.Left() - 16);
    const auto ty = static_cast<int32_t>(top);
    DrawRoundGradientRect(surface, 0, ty + 2, 0, ty + 22, 5, top + 2, width, 20, 5, 5, ColorARGB(150, 255, 255, 255),
                          ColorARGB(50, 255, 255, 255), false, 1, ColorARGB(255, 255, 255, 255));
    // From the splitter where it stands now, as the header box above is.
    const RectF hit = HistoryStripRect(ReadPane(UseryzSplitH));
    GdipSolidFill white;
    GdipPen frame;
    if (GdipCreateSolidFill(0xFFFFFFFFu, white.put()) == Ok)
        GdipFillRectangle(g.get(), reinterpret_cast<GpBrush*>(white.get()), hit.X, hit.Y, hit.Width, hit.Height);
    if (GdipCreatePen1(ColorARGB(50, 0, 0, 0), 1, UnitPixel, frame.put()) == Ok)
        GdipDrawRectangle(g.get(), frame.get(), hit.X, hit.Y, hit.Width, hit.Height);
    const uint32_t black = ColorARGB(255, 0, 0, 0);
    DrawShadowText(surface, label1_.empty() ? L"..." : label1_, hit.X + 2, hit.Y + 2, L"Tahoma", 8, black, 0, false,
                   200);
    DrawShadowText(surface, L"History:", 8, top + 10, L"Tahoma", 8, black, 0, false, 200);
    const auto fy = static_cast<int32_t>(top + 30);
    const float frameHeight = static_cast<float>(FolderView.Height() + 5);
    DrawRoundGradientRect(surface, 0, fy, 0, fy + static_cast<int32_t>(frameHeight), 5, top + 30, width, frameHeight, 5,
                          5, ColorARGB(150, 255, 255, 255), ColorARGB(150, 255, 255, 255), false, 1,
                          ColorARGB(255, 255, 255, 255));
}
