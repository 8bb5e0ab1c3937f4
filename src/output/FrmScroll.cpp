#include "output/FrmScroll.h"

#include "controls/BuildSkinPicture.h"
#include "imaging/ModGDI.h"
#include "imaging/TextRendering.h"
#include "output/SlideshowRules.h"
#include "platform/AppState.h"
#include "platform/DoEvents.h"
#include "platform/FileList.h"
#include "platform/Hourglass.h"
#include "platform/MessageBoxService.h"
#include "platform/PathHelpers.h"
#include "platform/TextCase.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace {

constexpr wchar_t kClassName[] = L"VellumoScrMaker";

} // namespace

void SystemScreenSaverInstaller::Run(const std::wstring& commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION process{};
    std::wstring mutableLine = commandLine; // CreateProcessW may write into its command line
    if (::CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                         &process)) {
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
}

FrmScroll::~FrmScroll() {
    onUnload = nullptr;
    Unload();
}

std::wstring FrmScroll::DataFolder() {
    return App().AppFolder + L"ScrDatas";
}

std::wstring FrmScroll::DataFileName(size_t index) {
    return DataFolder() + L"\\Scrdata" + std::to_wstring(index) + L".dat";
}

std::wstring FrmScroll::InstallCommand() {
    return L"rundll32.exe desk.cpl, InstallScreenSaver " + App().AppFolder + L"VellumoScr.scr";
}

bool FrmScroll::Show(HWND owner) {
    if (hwnd_) return true;
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_PROGRESS_CLASS};
        ::InitCommonControlsEx(&controls);
        WNDCLASSEXW wc{};
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = kClassName;
        return RegisterWindowClass(wc);
    }();
    if (!registered) return false;
    // Placed with its right edge on the screen's and 1500 twips lower than it starts.
    const int left = ::GetSystemMetrics(SM_CXSCREEN) - kWidth, top = 0 + 100;
    if (!CreateBound(WS_EX_TOOLWINDOW, kClassName, L"Screen saver", WS_POPUP | WS_CLIPCHILDREN, left, top, kWidth,
                     kHeight, owner))
        return false;
    skinOle_ = std::make_unique<PictureBox>();
    if (!skinOle_->Create({.parent = hwnd_, .width = kWidth, .height = kHeight})) {
        Unload();
        return false;
    }
    progress_ = ::CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 15, 62, kWidth - 30, 12, hwnd_,
                                  nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SetWindowPos(progress_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    transparent_.SetContainer(hwnd_);
    ::ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    skinOle_->Refresh();
    return true;
}

void FrmScroll::Start() {
    LoadSkin();
}

void FrmScroll::LoadSkin() {
    if (!skinOle_) return;
    Hourglass hourglass;
    transparent_.MaskPicture(nullptr);
    skin_.reset();
    const UniqueHBitmap objectP = LoadSkinSheet(::GetModuleHandleW(nullptr));
    if (objectP) skin_ = BuildSkinPicture(*skinOle_, objectP.get());
    if (skin_) transparent_.MaskPicture(skin_.get());
}

void FrmScroll::ClearToSkin() {
    skinOle_->Cls();
    if (!skin_) return;
    GdipGraphics g;
    if (GdipCreateFromHDC(skinOle_->hDC(), g.put()) == Ok) {
        UINT w = 0, h = 0;
        GdipGetImageWidth(skin_.get(), &w);
        GdipGetImageHeight(skin_.get(), &h);
        GdipDrawImageRectI(g.get(), skin_.get(), 0, 0, static_cast<INT>(w), static_cast<INT>(h));
    }
}

void FrmScroll::ShowStatus(const std::wstring& text) {
    ClearToSkin();
    DrawShadowText(DrawTarget::Dc(skinOle_->hDC()), text, 15, 40, L"Tahoma", 8, ColorARGB(255, 0, 0, 0), 1, false, 200);
    ::GdiFlush();
    skinOle_->Refresh();
}

bool FrmScroll::Pump() {
    DoEvents();
    return hwnd_ != nullptr && skinOle_ && skinOle_->hWnd();
}

void FrmScroll::Fail(const std::wstring& message) {
    ShowMessageBox(hwnd_, message, L"Vellumo", MB_OK | MB_ICONEXCLAMATION);
    Unload();
}

void FrmScroll::CopyFiles() {
    if (!hwnd_ || !skinOle_) return;
    const std::vector<std::wstring> files = NonEmptyPaths(App().SelectedFiles);
    if (files.size() < 2) {
        Unload();
        return;
    }
    ShowStatus(L"Initialize...");

    // The folder beside the program, made when missing; only the data files of the last run go.
    const std::wstring folder = DataFolder();
    std::vector<FileListEntry> scrLists;
    if (!ListFolderFiles(AddBackslash(folder), FilePattern(L"*.dat"), scrLists) &&
        !::CreateDirectoryW(LongPathForm(folder).c_str(), nullptr)) {
        Fail(L"The screen saver's folder \"" + folder + L"\" could not be made.");
        return;
    }
    // The copies are written beside the old set under temporary names, and take the data names
    // only once every one is in: a failure midway leaves the screen saver's pictures as they were.
    std::vector<std::wstring> copies;
    const auto discard = [&copies](size_t from) {
        for (size_t k = from; k < copies.size(); ++k) ::DeleteFileW(LongPathForm(copies[k]).c_str());
    };
    const auto count = static_cast<int>(files.size());
    ::SendMessageW(progress_, PBM_SETRANGE32, 0, count);
    for (int i = 0; i < count; ++i) {
        if (!Pump()) {
            discard(0);
            return;
        }
        const std::wstring& source = files[static_cast<size_t>(i)];
        ShowStatus(GetFileName(source));
        const std::wstring copy = TemporaryNameBeside(DataFileName(static_cast<size_t>(i)), L"scr");
        if (!copy.empty()) copies.push_back(copy);
        if (copy.empty() || !::CopyFileW(LongPathForm(source).c_str(), LongPathForm(copy).c_str(), FALSE)) {
            discard(0);
            Fail(L"\"" + source + L"\" could not be copied for the screen saver.");
            return;
        }
        ::SendMessageW(progress_, PBM_SETPOS, static_cast<WPARAM>(i), 0);
    }
    std::vector<std::wstring> names;
    for (size_t i = 0; i < copies.size(); ++i) {
        const std::wstring target = DataFileName(i);
        names.push_back(FoldCase(GetFileName(target)));
        if (!::MoveFileExW(LongPathForm(copies[i]).c_str(), LongPathForm(target).c_str(), MOVEFILE_REPLACE_EXISTING)) {
            discard(i);
            Fail(L"The screen saver's pictures could not be replaced in \"" + folder + L"\".");
            return;
        }
    }
    // Data files of an earlier, longer run would show after the new ones.
    for (const FileListEntry& old : scrLists)
        if (std::find(names.begin(), names.end(), FoldCase(old.Name)) == names.end())
            ::DeleteFileW(LongPathForm(folder + L"\\" + old.Name).c_str());
    ::SendMessageW(progress_, PBM_SETPOS, static_cast<WPARAM>(count), 0);
    installer_.Run(InstallCommand());
    Unload();
}

void FrmScroll::Unload() {
    if (!hwnd_) return;
    DestroyTopLevel(); // the children go with it
    if (onUnload) onUnload();
}

bool FrmScroll::HandleMessage(UINT msg, WPARAM, LPARAM, LRESULT* result) {
    switch (msg) {
    case WM_NCDESTROY:
        progress_ = nullptr;
        skin_.reset();
        return false;
    case WM_ERASEBKGND:
        *result = 1;
        return true;
    default:
        return false;
    }
}
