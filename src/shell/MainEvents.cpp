#include "shell/MainEvents.h"

#include "platform/AppState.h"
#include "platform/HitRect.h"
#include "platform/Rounding.h"
#include "shell/ChildEvents.h"
#include "shell/FrmMain.h"
#include "shell/MainMenuHost.h"
#include "shell/MenuState.h"

#include <cwchar>

namespace {

constexpr COLORREF kGhostColour = RGB(64, 64, 64);
constexpr int kTextTool = 4;

// A pointer position inside a box, on the screen.
POINT OnScreen(const PictureBox& box, float x, float y) {
    POINT p{RoundHalfEven(x), RoundHalfEven(y)};
    ::ClientToScreen(box.hWnd(), &p);
    return p;
}

SIZE WindowSize(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

} // namespace

MainEvents::MainEvents(FrmMain& main) : main_(main) {}

bool MainEvents::GridPress::UnsavedEdit() const {
    return main_.UnsavedEdit();
}

int MainEvents::GridPress::AskSaveChanges() {
    if (!held_) {
        main_.MenuHost().GridHold.Hold();
        held_ = true;
    }
    return main_.AskSaveChanges();
}

void MainEvents::GridPress::FileImport(const std::wstring& path) {
    main_.FileImport(path);
}

void MainEvents::GridPress::SearchEnded() {
    main_.SearchEnded();
}

std::wstring MainEvents::GridPress::SearchText() const {
    return main_.SearchText();
}

void MainEvents::GridPress::PressHandled() {
    if (!held_) return;
    held_ = false;
    main_.MenuHost().GridHold.Release();
}

MenuCommandHost& MainEvents::Commands() {
    return main_.MenuHost();
}

void MainEvents::FirstEditStep() {
    ::FirstEditStep(main_.MenuHost());
}

void MainEvents::CloseMenu() {
    main_.SkinMenu.SetVisible(false);
}

void MainEvents::Form_KeyDown(int keyCode, int shift) {
    // The text tool's typing is not a shortcut.
    if (main_.SingleyzPreview.Effect() != kTextTool) HandleShortcutKey(keyCode, shift);
}

void MainEvents::Form_MouseUp(float x, float y) {
    const RectF& hit = main_.HistoryHitRect;
    if (HitRect(hit, x, y)) OpenHistoryMenu(main_.MenuHost().Rows(), hit);
}

void MainEvents::Connect() {
    auto& m = main_;
    MainMenuHost& host = m.MenuHost();
    ShortcutKeyHandler* keys = &m;

    // Every pane that takes the focus on a click hands its keys to the one handler, and a pane's
    // children go its way (the canvas has it from its making and holds keys back while the text
    // tool types). Only the system's own boxes keep their keys, where keys type or move: the search
    // box, the text bar's lists, the text tool's edit box and the folder tree. The grid and its
    // bar, the menus, the tool bar and the side panel pass every key; the window's own strips,
    // grip, splitters, folder box and text bar hold keys back while the text tool types, as the
    // window and the canvas do.
    for (ShortcutKeyHandler** route :
         {&m.yzToolbarUser.shortcutKeys, &m.ImageToolbar.shortcutKeys, &m.UseryzProcess1.shortcutKeys,
          &m.UseryzSplitV.shortcutKeys, &m.ThumyzViewer.shortcutKeys, &m.SkinMenu.shortcutKeys})
        *route = keys;
    for (ShortcutKeyHandler** route :
         {&m.TitleSkin.shortcutKeys, &m.ResizeBorder.shortcutKeys, &m.UseryzSplitH.shortcutKeys,
          &m.UseryzSplitLV.shortcutKeys, &m.FolderView.shortcutKeys, &m.YDSTextControl1.shortcutKeys})
        *route = &windowKeys_;

    // The wheel steps through the grid as the View menu's Next and Previous do.
    Wheel.onWheel = [this](int delta) {
        (void)RunMenuCommand(Commands(), delta < 0 ? L"View_Zoomin" : L"View_Zoomout");
    };
    host.Seams.PreviewStep = [&m](bool next) {
        if (next)
            m.ThumyzViewer.PreviewNext();
        else
            m.ThumyzViewer.PreviewBack();
    };

    m.ImageToolbar.onMouseDown = [this](int, int, float, float) { CloseMenu(); };
    m.ImageToolbar.onMouseUp = [this](int, int, float, float) { ImageToolbarCommand(); };

    // A picked thumbnail opens in the canvas.
    m.ThumyzViewer.SetMainWindow(&gridPress_);
    m.ThumyzViewer.onMouseDown = [this](int, int, float, float) { gridPress_.PressHandled(); };
    m.ThumyzViewer.onMouseUp = [this, &m](int, int, float, float) {
        CloseMenu();
        m.FollowCanvasZoom();
        m.EditLoaded = false;
        m.UseryzProcess1.RefreshProperties();
        for (int id : {2, 4, 5, 7, 6}) m.ImageToolbar.EnabledID(id, true);
        m.ImageToolbar.StartPaint();
    };
    m.ThumyzViewer.onMouseDbclick = [&m, &host] {
        const auto& files = App().SelectedFiles;
        if (files.empty() || files.front().empty()) return;
        host.SlideshowView.isFullView = true;
        if (host.SlideshowView.Show(m.hWnd(), nullptr))
            (void)host.SlideshowView.StartSlideshow(files.front(), nullptr, 0, 0);
    };

    m.SingleyzPreview.MouseDown = [this](int, int, float, float) { CloseMenu(); };
    m.SingleyzPreview.MouseUp = [&m](int, int, float, float) {
        if (m.SingleyzPreview.ScreenButtonEnabled()) m.FollowCanvasZoom();
    };
    // Whatever changed the canvas's zoom (the fit button, menu and key, a new picture, a layout
    // while fitted, an edit ending), the grip under the views follows.
    m.SingleyzPreview.onPropertyChanged = [&m](const std::wstring& name) {
        if (name == L"Zoom") m.FollowCanvasZoom();
    };
    m.SingleyzPreview.DblClick = [&host] { host.ShowFullScreen(); };

    m.UseryzProcess1.onCalenderSelect = [&m](int, int, float, float, bool dayPicked) {
        if (!dayPicked) {
            // A release that picked no day may have moved the picker to another month.
            m.ThumyzViewer.MarkCalendarMonth();
            return;
        }
        const auto& panel = m.UseryzProcess1;
        m.ThumyzViewer.DateWatch(DateFilterText(panel.CalenderDay(), panel.CalenderMonth(), panel.CalenderYear()));
        m.ThumyzViewer.RefreshThumbnail(false);
    };
    m.UseryzProcess1.onPanelMouseDown = [this, &m, &host](int, int, float, float) {
        CloseMenu();
        ProperPanelSel(m.UseryzProcess1.Toolselect(), host.Rows());
        m.FormOption(false, false);
    };
    m.UseryzProcess1.onStampMouseUp = [&m, &host](int, int, float, float) {
        switch (m.UseryzProcess1.StampEnter()) {
        case 1:
            (void)host.RecycleFile(m.UseryzProcess1.StampFilename());
            m.UseryzProcess1.RefreshFav();
            break;
        case 2:
            if (m.SingleyzPreview.NoOpen()) m.UseStamp(true, true);
            break;
        default:
            break;
        }
    };
    m.UseryzProcess1.onStampDblClick = [&m] {
        if (m.SingleyzPreview.NoOpen()) m.UseStamp(true, true);
    };

    m.YDSTextControl1.onFontClick = [&m] { m.SingleyzPreview.SetFontA(m.YDSTextControl1.textFont()); };
    m.YDSTextControl1.onFontSizeClick = [&m] {
        const std::wstring size = m.YDSTextControl1.textFontSize();
        m.SingleyzPreview.SetFontSizeA(static_cast<int32_t>(std::wcstol(size.c_str(), nullptr, 10)));
    };
    m.YDSTextControl1.onFontStyleClick = [&m] { m.SingleyzPreview.SetFontStyleA(m.YDSTextControl1.textFontStyle()); };
    m.YDSTextControl1.onFontRenderClick = [&m] {
        m.SingleyzPreview.SetFontRenderA(m.YDSTextControl1.textFontRender());
    };
    m.YDSTextControl1.onTextClick = [&m] { m.SingleyzPreview.ShowHidetext(0, 0, 300, 200); };

    m.UseryzSplitV.onOcMouseup = [this](int, int, float, float) { ToggleThumbnailPane(); };
    m.UseryzSplitV.onTsMouseup = [this, &m, &host](int, int, float, float) {
        OpenThumbSizeMenu(host.Rows(), BarRect(SplitBar::ThumbPane), m.ThumyzViewer.NoOpen(), App().ThumSizeMenu);
    };
    ConnectSplitter(m.UseryzSplitV, SplitBar::ThumbPane);
    ConnectSplitter(m.UseryzSplitLV, SplitBar::SidePanel);
    ConnectSplitter(m.UseryzSplitH, SplitBar::Column);

    m.ResizeBorder.onMouseDown = [this, &m](int, int, float x, float y) {
        drags_.GripDown(m.isMax, OnScreen(m.ResizeBorder, x, y), WindowSize(m.hWnd()));
    };
    m.ResizeBorder.onMouseMove = [this, &m](int, int, float x, float y) {
        const auto size = drags_.GripMove(OnScreen(m.ResizeBorder, x, y));
        if (!size) return;
        ::SetWindowPos(m.hWnd(), nullptr, 0, 0, size->cx, size->cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        // The strips across the top stretch with the window and paint themselves at their new
        // width, and the grip keeps to the corner under the pointer; the panes below are laid out
        // at the release, as laying them out at every move would redraw the picture each time.
        m.ArrangeChrome();
        m.LoadSkin();
    };
    m.ResizeBorder.onMouseUp = [this, &m](int, int, float, float) {
        if (!drags_.GripUp()) return;
        m.ArrangeMainWindow();
        m.RefreshSidePanel();
    };

    (void)DragingImg.Create(PictureBoxArgs{m.hWnd(), 0, 0, SplitRules::kGhostThickness, SplitRules::kGhostThickness,
                                           kGhostColour, false, false});
    ::SetWindowTextW(DragingImg.hWnd(), L"DragingImg");
}

void MainEvents::ConnectSplitter(PictureBox& bar, SplitBar which) {
    bar.onMouseDown = [this, which](int, int, float x, float y) { BarDown(which, x, y); };
    bar.onMouseMove = [this, which](int, int, float, float) { BarMove(which); };
    bar.onMouseUp = [this, which](int, int, float x, float y) { BarUp(which, x, y); };
}

PaneRect MainEvents::BarRect(SplitBar which) const {
    const PictureBox* bar = nullptr;
    switch (which) {
    case SplitBar::SidePanel:
        bar = &main_.UseryzSplitLV;
        break;
    case SplitBar::Column:
        bar = &main_.UseryzSplitH;
        break;
    case SplitBar::ThumbPane:
        bar = &main_.UseryzSplitV;
        break;
    }
    return {bar->Left(), bar->Top(), bar->Width(), bar->Height(), bar->Visible()};
}

SplitLimits MainEvents::Limits() const {
    RECT client{};
    ::GetClientRect(main_.hWnd(), &client);
    return {static_cast<int>(client.bottom), main_.FolderView.Left(), main_.FolderView.Top(), main_.UseryzSplitH.Top()};
}

void MainEvents::BarDown(SplitBar which, float x, float y) {
    CloseMenu();
    auto& m = main_;
    const bool sliderHeld = which == SplitBar::ThumbPane && m.UseryzSplitV.yzisDrag;
    if (sliderHeld && m.SingleyzPreview.FitMode()) {
        m.SingleyzPreview.SetFitMode(false);
        m.ImageToolbar.PressDownID(5, false);
    }
    drags_.BarDown(which, BarRect(which), x, y, sliderHeld);
}

void MainEvents::BarMove(SplitBar which) {
    auto& m = main_;
    if (which == SplitBar::ThumbPane && drags_.ZoomDragging) {
        const int32_t value = m.UseryzSplitV.Value();
        m.ZoomFactor = static_cast<float>(value) / 100.0f;
        m.SingleyzPreview.SetZoom(static_cast<float>(value));
        return;
    }
    if (!drags_.IsDragging) return;
    // The pointer in the window's own pixels, so that the limits and the snap hold wherever the
    // window stands (beside a taskbar at the left or the top).
    POINT pointer{};
    ::GetCursorPos(&pointer);
    ::ScreenToClient(m.hWnd(), &pointer);
    drags_.BarMove(which, BarRect(which), pointer, Limits());
    ShowGhost();
}

void MainEvents::BarUp(SplitBar which, float x, float y) {
    auto& m = main_;
    const PaneRect bar = BarRect(which);
    const auto drop = drags_.BarUp(which, bar, x, y, Limits());
    if (which == SplitBar::ThumbPane) m.SingleyzPreview.Painting(false, false, false, false);
    ShowGhost();
    if (!drop) return;
    switch (which) {
    case SplitBar::SidePanel:
        m.UseryzSplitLV.Move(drop->left, drop->top, bar.width, bar.height);
        m.ArrangeMainWindow();
        m.RefreshSidePanel();
        break;
    case SplitBar::Column:
        m.UseryzSplitH.Move(drop->left, bar.top, bar.width, bar.height);
        m.ArrangeMainWindow();
        m.RefreshSidePanel();
        m.ThumyzViewer.CreateThumbnail();
        if (drop->leftColumnCollapsed && m.SingleyzPreview.Visible()) m.SingleyzPreview.SetFocus();
        break;
    case SplitBar::ThumbPane:
        m.UseryzSplitV.Move(bar.left, drop->top, bar.width, bar.height);
        m.ArrangeMainWindow();
        if (drop->gridCollapsed) m.RefreshSidePanel();
        break;
    }
}

void MainEvents::ShowGhost() {
    const GhostBar& g = drags_.DragingImg();
    if (!g.visible) {
        DragingImg.SetVisible(false);
        return;
    }
    DragingImg.Move(g.left, g.top, g.width, g.height);
    DragingImg.Cls();
    ::SetWindowPos(DragingImg.hWnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    DragingImg.SetVisible(true);
    DragingImg.Refresh();
}

void MainEvents::ToggleThumbnailPane() {
    auto& m = main_;
    RECT client{};
    ::GetClientRect(m.hWnd(), &client);
    auto& bar = m.UseryzSplitV;
    const ThumbPaneToggle t = ToggleThumbPane(static_cast<int>(client.bottom), bar.Top(), bar.Height(), m.oldThumTop);
    bar.Move(bar.Left(), t.barTop, bar.Width(), bar.Height());
    m.ArrangeMainWindow();
    // The pane just shown takes the keys.
    if (t.opened && m.ThumyzViewer.Visible())
        m.ThumyzViewer.SetFocus();
    else if (!t.opened && m.SingleyzPreview.Visible())
        m.SingleyzPreview.SetFocus();
}

void MainEvents::ImageToolbarCommand() {
    main_.ImageToolbar.StartPaint();
    (void)::ImageToolbarCommand(Commands(), main_.ImageToolbar.PressID());
}
