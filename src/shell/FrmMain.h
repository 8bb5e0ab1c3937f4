// The main window: a borderless, skinned top-level window tiled by the program's panes. It loads
// the settings, lays the panes out, shows them once the folder pane has made its first selection,
// and on the way out asks to save, writes the settings and ends the folder pane's loop. It is the
// neighbour every pane reaches through its small interface.
#pragma once

#include "browser/FolderPaneHost.h"
#include "browser/GridMainWindow.h"
#include "browser/ScrollControl.h"
#include "browser/ThumViewer.h"
#include "shell/MainFileInfo.h"
#include "browser/ViewsBarCanvas.h"
#include "controls/ButtonControl.h"
#include "controls/CompanionMainWindow.h"
#include "controls/FrmMainmin.h"
#include "controls/ToolbarImg.h"
#include "controls/ToolbarUser.h"
#include "controls/SidePanelGrid.h"
#include "controls/UseryzProcess.h"
#include "controls/UseryzSplit.h"
#include "controls/ZpYSkinMenu.h"
#include "editor/CanvasMainWindow.h"
#include "editor/FontListHost.h"
#include "editor/Imageyzviewer.h"
#include "editor/TextBarMainWindow.h"
#include "editor/YDSTextControl.h"
#include "output/FrmPrinter.h"
#include "output/WinspoolPrinter.h"
#include "platform/ShortcutKeyHandler.h"
#include "platform/Timer.h"
#include "platform/TopLevelWindow.h"
#include "shell/MainEvents.h"
#include "shell/MainLayout.h"
#include "shell/ModPublic.h"
#include "shell/Settings.h"
#include "shell/ShellSeams.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class MainMenuHost;
class MainToolHost;
class MainFileCommands;
class FileCommands;

struct FrmMainOptions {
    HKEY settingsRoot = HKEY_CURRENT_USER;
    std::wstring settingsKey = kSettingsKey;
    // The taskbar companion carries the program's taskbar button; tests may go without it.
    bool companion = true;
    // Where the taskbar stands, which the window is fitted beside at start; tests stand one at an
    // edge of their choosing.
    std::function<std::optional<RECT>()> taskbar = ShellTaskbarRect;
};

class FrmMain : public TopLevelWindow,
                public CanvasMainWindow,
                public TextBarMainWindow,
                public FontListHost,
                public GridMainWindow,
                public FolderPaneHost,
                public CompanionMainWindow,
                public SaveQuestionTarget,
                public ViewsBarCanvas,
                public SidePanelGrid,
                public ToolbarSearchGrid,
                public ShortcutKeyHandler {
public:
    static constexpr const wchar_t* kClassName = L"VellumoMain";
    static constexpr const wchar_t* kCaption = L"Morv Vellumo 6";

    using Options = FrmMainOptions;

    FrmMain() : FrmMain(Options{}) {}
    explicit FrmMain(Options options);
    ~FrmMain() override;
    FrmMain(const FrmMain&) = delete;
    FrmMain& operator=(const FrmMain&) = delete;

    // Makes the window full screen and hidden with its panes, loads (settings, fonts, brushes) and
    // lays it out for the first time; the panes stay hidden until the folder pane's first pick.
    [[nodiscard]] bool Create();
    void Show();

    // Not owned; connected before Create. Null: no folder pane (the panes are never shown).
    void SetFolderPane(FolderPaneView* pane) { folderPane_ = pane; }
    // The menu road: the title bar's drop-downs, the pick and the commands.
    [[nodiscard]] MainMenuHost& MenuHost() { return *menuHost_; }
    // The tool selection: the picked tools, the tool and option commands, the stamp tool.
    [[nodiscard]] MainToolHost& Tools() { return *toolHost_; }
    // The keys, the wheel, the children's events and the splitter drags.
    [[nodiscard]] MainEvents& Events() { return *events_; }
    // ShortcutKeyHandler: every focusable pane's keys.
    void HandleShortcutKey(int keyCode, int shift) override { events_->HandleShortcutKey(keyCode, shift); }

    // The close of every way out: asks to save an unsaved edit; Cancel keeps the program running.
    bool Close() { return CloseAskingToSave(*this); }

    // Program state of the window.
    bool FirstLayoutDone = false;
    bool SettingsLoaded = false;
    bool EditLoaded = false;
    int32_t isMax = 0;
    int32_t oldThumTop = 0;
    float ZoomFactor = 1.0f;
    RectF HistoryHitRect{};
    [[nodiscard]] bool PanesShown() const { return panesShown_; }

    // The panes.
    ButtonControl TitleSkin;
    ToolbarUser yzToolbarUser;
    ToolbarImg ImageToolbar;
    PictureBox ResizeBorder;
    UseryzSplit UseryzSplitH;
    UseryzSplit UseryzSplitLV;
    PictureBox FolderView;
    YDSTextControl YDSTextControl1;
    Imageyzviewer SingleyzPreview;
    ScrollControl UseryzSplitV;
    ThumViewer ThumyzViewer;
    ZpYSkinMenu SkinMenu;
    UseryzProcess UseryzProcess1;
    MainFileInfo FileInfo{SingleyzPreview};

    // Layout (see MainLayout.h for the rules) and the repaints around it.
    void ArrangeMainWindow(bool flag = false) override;
    // The strips across the top and the size grip, for a new client size (a grip drag).
    void ArrangeChrome();
    void ArrangeEditArea();
    // Places the zoom grip under the views for the zoom the canvas shows; the canvas reports every
    // change of it. A held grip is left where the pointer holds it.
    void FollowCanvasZoom();
    void UpdateViewButtons();
    void RepaintSkinnedControls();
    void RefreshSidePanel();
    void CPressButton();
    void LoadSkin();
    void ResizeScr();

    void LoadSettings();
    void SaveSettings();

    // Tool state: the picked side-panel tool, the browse reset, and opening a file in the canvas.
    void FormOption(bool force, bool toggle) override;
    void ResetToBrowse();
    // The view modes: a new blank image, the image full screen (browse only), the zoom steps.
    void StartNewImage();
    void ShowFullScreen();
    void PublicZoomout();
    void PublicZoomin();
    void FileImport(const std::wstring& path) override;
    // The file commands by mode (0 open, 1 save as, 2 save a copy, 3 import as the stamp, 4 import
    // into the stamp library) and their properties (LastFilename, FileExt, OldPressID).
    std::wstring FileDialog(int32_t mode);
    [[nodiscard]] FileCommands& Files();

    // CanvasMainWindow
    void SetSelEffect(int32_t tool) override { UseryzProcess1.SelEffect = tool; }
    void UseStamp(bool flag, bool resetPosition) override;
    void SetTextBarVisible(bool visible) override { YDSTextControl1.SetVisible(visible); }
    void DrawToolHint(HDC dc, int32_t toolId, float width) override { ::DrawToolHint(dc, toolId, width); }
    [[nodiscard]] Placement CanvasPlacement() const override;
    // TextBarMainWindow
    void SetCanvasTextColor(int32_t rgb) override { SingleyzPreview.SetTextColor(static_cast<COLORREF>(rgb)); }
    // FontListHost: the hidden sorted font list cbFont.
    void AddFont(const std::wstring& faceName) override;
    [[nodiscard]] int32_t FontCount() const override { return static_cast<int32_t>(cbFont_.size()); }
    [[nodiscard]] std::wstring FontAt(int32_t index) const override;
    // GridMainWindow and CompanionMainWindow
    int AskSaveChanges() override { return ::AskSaveChanges(*this, hwnd_); }
    // GridMainWindow
    void SearchEnded() override { ::SetWindowTextW(ImageToolbar.SearchTextWindow(), L""); }
    [[nodiscard]] std::wstring SearchText() const override { return ImageToolbar.SearchText(); }
    // FolderPaneHost
    [[nodiscard]] HWND FolderViewWindow() const override { return FolderView.hWnd(); }
    [[nodiscard]] SIZE FolderViewSize() const override { return {FolderView.Width(), FolderView.Height()}; }
    [[nodiscard]] std::wstring PathCaption() const override { return label1_; }
    void SetPathCaption(const std::wstring& caption) override;
    void LeftSkinstyle() override;
    void SetMenuVisible(bool visible) override { SkinMenu.SetVisible(visible); }
    void HistoryCreate(const std::wstring& path) override { SkinMenu.HistoryCreate(path); }
    void GridPath(const std::wstring& folder) override { ThumyzViewer.Path(folder); }
    void GridCreateThumbnail() override { ThumyzViewer.CreateThumbnail(); }
    // CompanionMainWindow
    void SetVisible(bool visible) override;
    [[nodiscard]] int32_t CanvasEffect() const override { return SingleyzPreview.Effect(); }
    [[nodiscard]] bool UnsavedEdit() const override;
    void Unload() override;
    // SaveQuestionTarget
    void MarkSaved() override;
    [[nodiscard]] bool SaveInPlace() override { return SingleyzPreview.SaveOnly(); }
    [[nodiscard]] bool AgreeToSaveInPlace() override;
    [[nodiscard]] bool SaveAsChosen() override;
    void RefreshThumSave() override { ThumyzViewer.RefreshThumSave(); }
    // SidePanelGrid: the keyword tab's formats go to the grid.
    void ImageFormats(const std::wstring& formats) override { ThumyzViewer.ImageFormats(formats); }
    void RefreshThumbnail(bool relist) override { ThumyzViewer.RefreshThumbnail(relist); }
    // ToolbarSearchGrid: the search box searches the grid.
    void SearchThumbnaillGO(const std::wstring& text, bool run) override { ThumyzViewer.SearchThumbnaillGO(text, run); }
    // ViewsBarCanvas
    [[nodiscard]] int32_t Effect() const override { return SingleyzPreview.Effect(); }

private:
    static bool RegisterOnce();
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
    [[nodiscard]] bool CreatePanes();
    void Form_Load();
    void Form_Resize();
    void Form_QueryUnload();
    void Form_Unload();
    void OnTimer2();
    void OnTitleClick();
    void ShowPanes(bool visible);
    [[nodiscard]] MainLayoutPanes CollectPanes() const;
    void ApplyPanes(const MainLayoutPanes& p);
    void PaintResizeBorder();
    void PaintWindow(HDC dc);

    Options options_;
    FolderPaneView* folderPane_ = nullptr;
    FrmMainmin companion_;
    // File > Print: the spooler's printers and the print window, which lists them in the companion.
    WinspoolPrinter printer_;
    FrmPrinter printWindow_{printer_, &companion_};
    Timer Timer2;
    std::vector<std::wstring> cbFont_;
    std::wstring label1_;
    bool panesShown_ = false;
    bool unloading_ = false;
    bool loaded_ = false;
    bool inFirstLayout_ = false;
    std::unique_ptr<MainMenuHost> menuHost_;
    std::unique_ptr<MainToolHost> toolHost_;
    std::unique_ptr<MainFileCommands> fileCommands_;
    std::unique_ptr<MainEvents> events_;
};
