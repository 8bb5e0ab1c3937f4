// The real main window over a scratch folder of pictures, with commands run by id as the menu, the
// keys and the tool bar run them; the tests check what a user would see: files on disk, the shown
// picture, the panes and the registry.
#pragma once

#include "imaging/GdiDIB.h"
#include "platform/AppState.h"
#include "platform/TextCase.h"
#include "shell/FrmMain.h"
#include "shell/MainMenuHost.h"
#include "shell/MenuCommands.h"
#include "shell/MenuState.h"
#include "tests/imaging/ImagingTestSupport.h"
#include "tests/output/FileDialogSupport.h"
#include "tests/shell/ShellTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TestWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <atomic>
#include <initializer_list>
#include <memory>
#include <string>
#include <thread>
#include <vector>

// Cancels every dialog box this process shows while it lives, and counts them: a command that should
// need no dialog must not open one, and a test must not hang on one.
class DialogWatch {
public:
    DialogWatch()
        : thread_([this] {
              while (!stop_) {
                  ::EnumWindows(&DialogWatch::Cancel, reinterpret_cast<LPARAM>(this));
                  ::Sleep(100);
              }
          }) {}
    ~DialogWatch() {
        stop_ = true;
        thread_.join();
    }
    DialogWatch(const DialogWatch&) = delete;
    DialogWatch& operator=(const DialogWatch&) = delete;
    [[nodiscard]] int Seen() const { return seen_; }

private:
    static BOOL CALLBACK Cancel(HWND window, LPARAM self) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(window, &pid);
        wchar_t cls[16] = L"";
        ::GetClassNameW(window, cls, 16);
        if (pid == ::GetCurrentProcessId() && std::wstring(cls) == L"#32770" && ::IsWindowVisible(window)) {
            ++reinterpret_cast<DialogWatch*>(self)->seen_;
            ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
        }
        return TRUE;
    }
    std::atomic<bool> stop_{false};
    std::atomic<int> seen_{0};
    std::thread thread_;
};

inline SIZE ImageSizeOnDisk(const std::wstring& path) {
    GdipImage image(LoadImageFromFileCopy(path));
    UINT w = 0, h = 0;
    if (image) {
        GdipGetImageWidth(image.get(), &w);
        GdipGetImageHeight(image.get(), &h);
    }
    return {static_cast<LONG>(w), static_cast<LONG>(h)};
}

// The ARGB pixel (x, y) of the picture file; 0 when it cannot be read.
inline uint32_t PixelOnDisk(const std::wstring& path, int x, int y) {
    GdipImage image(LoadImageFromFileCopy(path));
    return image ? PixelAt(reinterpret_cast<GpBitmap*>(image.get()), x, y) : 0;
}

// The folder pane of a window whose panes a test shows: its first pick has come, so the window
// shows its panes as the program does once the folder tree has chosen a folder.
class PickedFolderPane final : public FolderPaneView {
public:
    bool FolderViewOpen() override { return true; }
    void FolderViewResize() override {}
    void FolderViewDestroy() override {}
    void FolderViewSelect(const std::wstring&) override {}
    [[nodiscard]] bool FolderSelected() const override { return true; }
};

class MainWindowTest : public ScratchKeyTest {
protected:
    std::wstring folder;
    std::unique_ptr<FrmMain> main;
    // Connected to each new window; null leaves the panes hidden, as tests drive them by message.
    FolderPaneView* folderPane = nullptr;

    // Settings under the scratch key, without the taskbar companion unless asked.
    FrmMain::Options Options(bool companion = false) const {
        return FrmMain::Options{HKEY_CURRENT_USER, key, companion};
    }

    // A folder of 40 x 30 pictures shown in the grid of a new main window, the first one opened.
    void Start(std::initializer_list<const wchar_t*> names) {
        folder = MakeTestFolder(L"mainwindow");
        for (const wchar_t* name : names) WriteSolidImage(folder + name, 40, 30, 0xFF2060A0u);
        Open(*names.begin());
    }
    // A new main window over the pictures already in folder, showing first.
    void Open(const std::wstring& first) {
        MakeWindow();
        main->ThumyzViewer.Path(folder);
        main->ThumyzViewer.CreateThumbnail();
        main->FileImport(folder + first);
        ASSERT_TRUE(main->SingleyzPreview.NoOpen());
    }
    // A new main window, showing no folder and no picture.
    void MakeWindow() {
        Close();
        // An earlier window's quit message would end any dialog of this test at once.
        MSG quit;
        while (::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        main = std::make_unique<FrmMain>(Options());
        main->SetFolderPane(folderPane);
        ASSERT_TRUE(main->Create());
    }
    // Shows the window and waits (up to 5 s) until it shows its panes, for a test that clicks them
    // with the real pointer. Needs folderPane.
    void ShowPanes() {
        main->Show();
        for (int i = 0; i < 100 && !main->PanesShown(); ++i) TestWindow::Pump(50);
        ASSERT_TRUE(main->PanesShown());
        TestWindow::Pump(100);
    }
    void Close() {
        if (main) main->Unload();
        main.reset();
    }
    void TearDown() override {
        Close();
        App().SelectedFiles.clear();
        ScratchKeyTest::TearDown();
    }
    // A command as a key or a tool-bar button runs it.
    bool Run(const wchar_t* id) { return RunMenuCommand(main->MenuHost(), id); }
    // The file dialog titled title, opened by run, answered as a user answers it: the type picked
    // from its list (none for -1), the path typed, OK pressed.
    static void AnswerFileDialog(const wchar_t* title, const std::wstring& path, int type,
                                 const std::function<void()>& run) {
        using namespace file_dialog_test;
        WithActor(
            [&] {
                HWND d = WaitForDialog(title);
                if (!d) return;
                if (type >= 0) PickType(d, type);
                ::SetDlgItemTextW(d, cmb13, path.c_str());
                Press(d, IDOK);
            },
            run);
    }
    // Save As through the real dialog: the type picked from its list (0 BMP, 1 GIF, 2 JPG, 3 PNG,
    // 4 TIFF), the path typed, OK pressed.
    void SaveAs(const std::wstring& path, int type = 3) {
        AnswerFileDialog(L"Save Image as...", path, type, [&] { ASSERT_TRUE(Run(L"File_SaveAs")); });
    }
    // The drop-down row of id as a user finds it: its title's menu opened over the window's state.
    // Null when no menu has the row.
    const MenuRow* OpenRowOf(const std::wstring& id, size_t& index) {
        const auto& rows = main->SkinMenu.MenuListView();
        const auto row = std::find_if(rows.begin(), rows.end(), [&](const MenuRow& r) { return r.KeyName == id; });
        if (row == rows.end()) return nullptr;
        index = static_cast<size_t>(
            std::count_if(rows.begin(), row, [&](const MenuRow& r) { return r.MainName == row->MainName; }));
        main->SkinMenu.SetVisible(false);
        MainMenuHost& host = main->MenuHost();
        ShowMenuBarMenu(row->MainName, 10, 40, false, host.ReadState(), host.Rows(), host.ToolRows);
        return &*row;
    }
    // Whether the opened menu offers the row (not greyed out).
    bool Offered(const std::wstring& id) {
        size_t index = 0;
        const MenuRow* row = OpenRowOf(id, index);
        const bool offered = row && !row->Visible;
        main->SkinMenu.SetVisible(false);
        return offered;
    }
    // Whether the opened menu shows the row's check mark.
    bool Checked(const std::wstring& id) {
        size_t index = 0;
        const MenuRow* row = OpenRowOf(id, index);
        const bool checked = row && row->Checked;
        main->SkinMenu.SetVisible(false);
        return checked;
    }
    // A user's pick of the row id: its title pressed, the pointer moved onto the row and released.
    // False, with nothing run, when the row is greyed out or missing.
    bool Pick(const std::wstring& id) {
        size_t index = 0;
        return OpenRowOf(id, index) && PickShownRow(index);
    }
    // The pointer moved onto row index of the shown menu and released there.
    bool PickShownRow(size_t index) {
        ZpYSkinMenu& menu = main->SkinMenu;
        if (index >= menu.RowRects().size()) return false;
        const RectF r = menu.RowRects()[index];
        const LPARAM at = MAKELPARAM(static_cast<int>(r.X + r.Width / 2), static_cast<int>(r.Y + r.Height / 2));
        ::SendMessageW(menu.hWnd(), WM_MOUSEMOVE, 0, at);
        if (menu.PressMenuEnabled() == 0) {
            menu.SetVisible(false);
            return false;
        }
        ::SendMessageW(menu.hWnd(), WM_LBUTTONUP, 0, at);
        return true;
    }
    // The rows of the shown menu, in order.
    [[nodiscard]] std::vector<MenuRow> ShownRows() const {
        std::vector<MenuRow> shown;
        for (const MenuRow& r : main->SkinMenu.MenuListView())
            if (r.MainName == main->SkinMenu.Initializemenu()) shown.push_back(r);
        return shown;
    }
    // A click on the image tool bar's button id; false when no spot of the strip presses it.
    bool ClickToolbarButton(int32_t id) {
        ToolbarImg& bar = main->ImageToolbar;
        const float y = static_cast<float>(bar.Height()) / 2;
        // A click in the strip's top corner, off every button, first: the last press's button
        // would otherwise still be PressID wherever the scan starts.
        const LPARAM corner = MAKELPARAM(bar.Width() - 1, 0);
        ::SendMessageW(bar.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, corner);
        ::SendMessageW(bar.hWnd(), WM_LBUTTONUP, 0, corner);
        for (int x = 0; x < bar.Width(); x += 2) {
            bar.ImagePaint(true, static_cast<float>(x), y);
            if (bar.PressID() != id) continue;
            const LPARAM at = MAKELPARAM(x, static_cast<int>(y));
            ::SendMessageW(bar.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
            ::SendMessageW(bar.hWnd(), WM_LBUTTONUP, 0, at);
            return true;
        }
        return false;
    }
    // A click on the thumbnail of name in the grid (on its box when it has no picture).
    void ClickThumbnail(const std::wstring& name) {
        ThumViewer& grid = main->ThumyzViewer;
        const auto& rows = grid.ThumListview().Rows;
        for (size_t i = 0; i < rows.size(); ++i) {
            if (CompareNoCase(rows[i].String, name) != 0) continue;
            const RectF r = grid.ImageRects()[i].Width > 0 ? grid.ImageRects()[i] : grid.HitRects()[i];
            ASSERT_GT(r.Width, 0) << Narrow(name) << " is not laid out in the grid";
            const LPARAM at = MAKELPARAM(static_cast<int>(r.X + r.Width / 2),
                                         static_cast<int>(r.Y + r.Height / 2) - grid.ScrollOffset());
            ::SendMessageW(grid.ThumOLE.hWnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
            ::SendMessageW(grid.ThumOLE.hWnd(), WM_LBUTTONUP, 0, at);
            return;
        }
        FAIL() << Narrow(name) << " is not in the grid";
    }
    // A rubber band drawn over the whole grid, from its empty bottom-right corner: every thumbnail
    // in view is selected.
    void BandOverTheGrid() {
        const HWND surface = main->ThumyzViewer.ThumOLE.hWnd();
        RECT r{};
        ::GetClientRect(surface, &r);
        const LPARAM from = MAKELPARAM(r.right - 3, r.bottom - 3), to = MAKELPARAM(2, 2);
        ::SendMessageW(surface, WM_LBUTTONDOWN, MK_LBUTTON, from);
        ::SendMessageW(surface, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(r.right / 2, r.bottom / 2));
        ::SendMessageW(surface, WM_MOUSEMOVE, MK_LBUTTON, to);
        ::SendMessageW(surface, WM_LBUTTONUP, 0, to);
    }
    [[nodiscard]] bool Shows(const std::wstring& name) const {
        return LowerText(main->SingleyzPreview.CurFilename) == LowerText(folder + name);
    }
    // An unsaved edit of the shown picture: a quarter turn, so the saved file is 30 x 40.
    void Turn() {
        ASSERT_TRUE(Run(L"Edit_Clockwise"));
        ASSERT_TRUE(main->UnsavedEdit());
    }
};
