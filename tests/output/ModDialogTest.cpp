// The open and save dialogs: the filter helpers on crafted filters, the quality panel under real
// typing and slider keys, and the system's real dialogs under Wine driven from a second thread:
// the enlarged geometry against the plain dialog's, the preview of a selected file, a selected
// folder's name in the box, and a type change that cuts the typed extension.
#include "output/ModDialog.h"
#include "platform/AppState.h"
#include "platform/MessageBoxService.h"
#include "tests/output/OutputTestSupport.h"
#include "tests/output/FileDialogSupport.h"
#include "tests/support/TestSupport.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <atomic>
#include <map>

using namespace file_dialog_test;

namespace {

const std::wstring kGifPng = DialogFilterOf(L"GIF|*.gif|PNG|*.png");
const std::wstring kSave = DialogFilterOf(L"BMP (Windows Bitmap)|*.bmp|GIF (CompuServe GIF)|*.gif|JPG (JPEG)|*.jpg"
                                          L"|PNG (Portable Network Graphics)|*.png|TIFF (Tag Image File Format)|*.tif");
const std::wstring kWithJpeg = DialogFilterOf(L"GIF|*.gif|JPEG Files|*.jpg;*.jpeg|PNG|*.png");

TEST(FileDialogFilter, EntryOfANameAndPatternOfAType) {
    const struct {
        const wchar_t* name;
        const std::wstring* filter;
        int32_t index;
    } cases[] = {
        {L"x.png", &kGifPng, 2},    {L"C:\\pictures\\X.GIF", &kGifPng, 1},
        {L"x.bmp", &kGifPng, 3},                           // nothing matches: past the last entry
        {L"x.jpg", &kWithJpeg, 4},                         // a two-pattern entry never matches
        {L"photo.tiff", &kSave, 6}, {L"png", &kGifPng, 2}, // a name without a dot is its own type
    };
    for (const auto& c : cases) EXPECT_EQ(FilterIndexOfExt(c.name, *c.filter), c.index) << Narrow(c.name);
    EXPECT_EQ(FilterPatternAt(kSave, 4), L"*.tif");
    EXPECT_EQ(FilterPatternAt(kWithJpeg, 1), L""); // several patterns: no single type
    EXPECT_EQ(FilterPatternAt(kSave, 5), L"");     // one past the last entry
}

// ---- The quality panel in a real window

class QualityPanel : public ::testing::Test {
protected:
    TestWindow host{fDialogEx::kWidth, fDialogEx::kHeight};
    fDialogEx panel;
    std::vector<std::wstring> warnings;
    ScopedMessageBoxAnswerer boxes{[this](const MessageBoxRequest& r) {
        warnings.push_back(r.text);
        return IDOK;
    }};
    void SetUp() override {
        ResetAppState(TestProgramFolder());
        App().JpegQuality = 3;
        ASSERT_TRUE(panel.Create(host.hwnd(), 0, 0, true));
        TestWindow::Pump(30);
    }
    std::wstring Box() const {
        wchar_t text[32] = L"";
        ::GetWindowTextW(panel.QuilatyText(), text, 32);
        return text;
    }
    void Type(const wchar_t* text) {
        ::SetWindowTextW(panel.QuilatyText(), text); // EN_CHANGE, as typing sends
        TestWindow::Pump(20);
    }
};

TEST_F(QualityPanel, TypedNumbersAndSliderKeysAgree) {
    EXPECT_EQ(Box(), L"3"); // the stored quality
    EXPECT_EQ(panel.SliderValue(), 3);
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"10", L"Maxdium"}, {L"7", L"High"}, {L"9", L"High"}, {L"6", L"Middle"},
        {L"5", L"Middle"},   {L"4", L"Low"},  {L"0", L"Low"},
    };
    for (const auto& [typed, word] : cases) {
        Type(typed);
        EXPECT_EQ(panel.SliderValue(), std::stoi(typed)) << Narrow(typed);
        EXPECT_EQ(App().JpegQuality, std::stoi(typed));
        EXPECT_EQ(panel.Word(), word);
        EXPECT_EQ(Box(), typed);
    }
    ::SetFocus(panel.fraJPEGOptions());
    for (int i = 0; i < 5; ++i) ::SendMessageW(panel.fraJPEGOptions(), WM_KEYDOWN, VK_RIGHT, 0);
    TestWindow::Pump(20);
    EXPECT_EQ(Box(), L"5");
    EXPECT_EQ(App().JpegQuality, 5);
    EXPECT_EQ(panel.Word(), L"Middle");
    // A page key moves five steps.
    Type(L"2");
    ::SendMessageW(panel.fraJPEGOptions(), WM_KEYDOWN, VK_NEXT, 0);
    TestWindow::Pump(20);
    EXPECT_EQ(Box(), L"7");
    EXPECT_EQ(App().JpegQuality, 7);
    EXPECT_TRUE(warnings.empty());
}

TEST_F(QualityPanel, BadTextWarnsAndGoesBackToTen) {
    for (const wchar_t* typed : {L"11", L"-1", L"ab", L"", L"7.5"}) {
        Type(L"4");
        warnings.clear();
        Type(typed);
        ASSERT_EQ(warnings.size(), 1u) << Narrow(typed);
        EXPECT_EQ(warnings[0], L"Please enter a whole number from 0 to 10.");
        EXPECT_EQ(Box(), L"10");
        EXPECT_EQ(panel.SliderValue(), 10);
        EXPECT_EQ(App().JpegQuality, 10);
        EXPECT_EQ(panel.Word(), L"Maxdium");
    }
}

// ---- The real dialogs

RECT ChildRect(HWND dialog, int id) {
    RECT r{};
    HWND child = ::GetDlgItem(dialog, id);
    if (!child) return r;
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

struct Geometry {
    RECT window{};
    RECT client{};
    std::map<int, RECT> children;
};

Geometry Measure(HWND dialog) {
    Geometry g;
    ::GetWindowRect(dialog, &g.window);
    ::GetClientRect(dialog, &g.client);
    for (int id : {lst1, lst2, cmb1, cmb2, cmb13, stc2, stc3, stc4, IDOK, IDCANCEL})
        g.children[id] = ChildRect(dialog, id);
    return g;
}

UINT_PTR CALLBACK PlainHook(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

class RealFileDialog : public ::testing::Test {
protected:
    std::wstring folder;
    void SetUp() override {
        ResetAppState(TestProgramFolder());
        folder = MakeTestFolder(L"FileDialog");
        ASSERT_TRUE(WriteSolidPng(folder + L"red.png", 60, 40, 0xFFFF0000u));
        ASSERT_TRUE(::CreateDirectoryW((folder + L"sub").c_str(), nullptr));
    }
};

TEST_F(RealFileDialog, SaveDialogIsTallerWiderAndCentred) {
    // The plain dialog of the same kind, as the system lays it out.
    Geometry plain;
    WithActor(
        [&] {
            if (HWND d = WaitForDialog(L"Plain")) {
                plain = Measure(d);
                Press(d, IDCANCEL);
            }
        },
        [&] {
            std::wstring file(MAX_PATH, L'\0');
            const std::wstring filter = DialogFilterOf(L"PNG|*.png");
            OPENFILENAMEW ofn{};
            ofn.lStructSize = sizeof(ofn);
            ofn.lpstrFilter = filter.c_str();
            ofn.lpstrFile = file.data();
            ofn.nMaxFile = MAX_PATH;
            ofn.lpstrTitle = L"Plain";
            ofn.lpfnHook = &PlainHook;
            ofn.lpstrInitialDir = folder.c_str();
            ofn.Flags = OFN_ENABLESIZING | OFN_EXPLORER | OFN_ENABLEHOOK | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
            (void)::GetSaveFileNameW(&ofn);
        });
    ASSERT_GT(plain.window.right, 0) << "the plain dialog did not come";

    fDialogEx panel;
    Geometry grown;
    RECT panelRect{};
    bool panelVisible = false, sliderVisible = false;
    FileDialogChoice choice{L"not cancelled", L""};
    WithActor(
        [&] {
            if (HWND d = WaitForDialog(L"Save Test")) {
                grown = Measure(d);
                if (HWND p = panel.hWnd()) {
                    ::GetWindowRect(p, &panelRect);
                    ::MapWindowPoints(HWND_DESKTOP, d, reinterpret_cast<POINT*>(&panelRect), 2);
                    panelVisible = ::IsWindowVisible(p) != FALSE;
                    sliderVisible = ::IsWindowVisible(panel.fraJPEGOptions()) != FALSE;
                }
                Press(d, IDCANCEL);
            }
        },
        [&] {
            choice = ShowFileDialog({nullptr, folder + L"x.png", L"PNG|*.png", 0, L"Save Test", false, &panel});
        });
    EXPECT_TRUE(choice.Path.empty()) << "a cancelled dialog chooses nothing";

    const int plainW = plain.window.right - plain.window.left, plainH = plain.window.bottom - plain.window.top;
    const int w = grown.window.right - grown.window.left, h = grown.window.bottom - grown.window.top;
    EXPECT_EQ(w, plainW + fDialogEx::kWidth);
    EXPECT_EQ(h, plainH + kDialogExtraHeight);
    EXPECT_EQ(grown.window.left, (::GetSystemMetrics(SM_CXSCREEN) - w) / 2);
    EXPECT_EQ(grown.window.top, (::GetSystemMetrics(SM_CYSCREEN) - h) / 2);
    // The list (the shell view on the placeholder's place) is taller by as much; what lies below
    // it keeps its distance, what lies above stays.
    for (int id : {lst1, lst2}) {
        EXPECT_EQ(grown.children[id].top, plain.children[id].top) << id;
        EXPECT_EQ(grown.children[id].bottom, plain.children[id].bottom + kDialogExtraHeight) << id;
        EXPECT_EQ(grown.children[id].right, plain.children[id].right) << id;
    }
    for (int id : {cmb1, cmb13, stc2, stc3, IDOK, IDCANCEL}) {
        EXPECT_EQ(grown.children[id].top, plain.children[id].top + kDialogExtraHeight) << id;
        EXPECT_EQ(grown.children[id].left, plain.children[id].left) << id;
    }
    EXPECT_EQ(grown.children[cmb2].top, plain.children[cmb2].top);
    // The panel stands on the old client area's right edge, at the top, in save mode with the slider.
    EXPECT_EQ(panelRect.left, plain.client.right);
    EXPECT_EQ(panelRect.top, 0);
    EXPECT_EQ(panelRect.right - panelRect.left, fDialogEx::kWidth);
    EXPECT_EQ(panelRect.bottom - panelRect.top, fDialogEx::kHeight);
    EXPECT_TRUE(panelVisible);
    EXPECT_TRUE(sliderVisible);
}

// Selects the list item whose text begins with name (the shell may hide extensions).
bool SelectItem(HWND dialog, const std::wstring& name) {
    const HWND view = ::GetDlgItem(dialog, lst2);
    const HWND list = view ? ::FindWindowExW(view, nullptr, WC_LISTVIEWW, nullptr) : nullptr;
    if (!list) return false;
    const int count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[MAX_PATH] = L"";
        LVITEMW item{};
        item.pszText = text;
        item.cchTextMax = MAX_PATH;
        ::SendMessageW(list, LVM_GETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
        if (_wcsnicmp(text, name.c_str(), name.size()) != 0) continue;
        LVITEMW none{}, state{};
        none.stateMask = state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::SendMessageW(list, LVM_SETITEMSTATE, i, reinterpret_cast<LPARAM>(&state));
        ::Sleep(500);
        return true;
    }
    return false;
}

bool DarkIn(const PictureBox& box, int x0, int y0, int x1, int y1) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (const COLORREF c = box.Point(x, y); GetRValue(c) + GetGValue(c) + GetBValue(c) < 200) return true;
    return false;
}

uint64_t Digest(const PictureBox& box) {
    uint64_t h = 1469598103934665603ull;
    for (int i = 0; i < box.Width() * box.Height(); ++i) h = (h ^ box.Bits()[i]) * 1099511628211ull;
    return h;
}

TEST_F(RealFileDialog, FileSelectionDrawsThePreviewAndAFolderItsName) {
    fDialogEx panel;
    bool selectedFile = false, selectedFolder = false, red = false, open = false, sliderHidden = false;
    bool lines[7]{}, hint = false, gapClear = false, fullView = false;
    uint64_t afterFile = 0, afterFolder = 0;
    std::wstring folderName;
    WithActor(
        [&] {
            HWND d = WaitForDialog(L"Open Test");
            if (!d) return;
            open = panel.hWnd() != nullptr;
            sliderHidden = !::IsWindowVisible(panel.fraJPEGOptions());
            selectedFile = SelectItem(d, L"red");
            // The 60 x 40 picture is not enlarged: centred in the 163 x 150 box from (10, 45).
            red = NearRgb(panel.Point(91, 120), RGB(255, 0, 0), 30);
            for (int n = 0; n < 7; ++n) lines[n] = DarkIn(panel, 0, 230 + 17 * n, 150, 230 + 17 * n + 13);
            hint = DarkIn(panel, 0, 10, 150, 23);
            gapClear = !DarkIn(panel, 0, 230 + 17 * 7 + 2, 150, 230 + 17 * 7 + 10);
            afterFile = Digest(panel);
            // A double click shows the preview full screen.
            ::SendMessageW(panel.hWnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(90, 120));
            fullView = panel.FullView().hWnd() && ::IsWindowVisible(panel.FullView().hWnd());
            ::PostMessageW(panel.FullView().hWnd(), WM_CLOSE, 0, 0);
            ::Sleep(300);
            selectedFolder = SelectItem(d, L"sub");
            folderName = NameBox(d);
            afterFolder = Digest(panel);
            Press(d, IDCANCEL);
        },
        [&] {
            (void)ShowFileDialog({nullptr, folder + L"none.png", L"PNG|*.png|All|*.*", 1, L"Open Test", true, &panel});
        });
    ASSERT_TRUE(open);
    EXPECT_TRUE(sliderHidden);
    ASSERT_TRUE(selectedFile);
    EXPECT_TRUE(red) << "no preview of the selected picture";
    for (int n = 0; n < 7; ++n) EXPECT_TRUE(lines[n]) << "information line " << n;
    EXPECT_TRUE(hint);
    EXPECT_TRUE(gapClear) << "an eighth line";
    EXPECT_TRUE(fullView);
    ASSERT_TRUE(selectedFolder);
    EXPECT_EQ(folderName, L"sub");
    EXPECT_EQ(afterFolder, afterFile) << "a folder drew a preview";
    ASSERT_NE(PreviewDIB().DIB(), nullptr);
    EXPECT_EQ(PreviewDIB().Width(), 60);
    ClearPreviewDIB();
    EXPECT_EQ(PreviewDIB().DIB(), nullptr);
}

TEST_F(RealFileDialog, ReplacingAFileIsAskedAboutByItsFinalName) {
    ASSERT_TRUE(WriteSolidPng(folder + L"x.png", 4, 4, 0xFF00FF00u));
    std::vector<std::wstring> questions;
    std::atomic<int> answer = IDNO;
    ScopedMessageBoxAnswerer boxes{[&](const MessageBoxRequest& r) {
        questions.push_back(r.text);
        return answer.load();
    }};
    bool stayedOpen = false;
    FileDialogChoice choice;
    WithActor(
        [&] {
            HWND d = WaitForDialog(L"Replace Test");
            if (!d) return;
            ::SetDlgItemTextW(d, cmb13, L"x"); // the type adds ".png"
            Press(d, IDOK);
            ::Sleep(600);
            stayedOpen = ::IsWindowVisible(d) != FALSE;
            answer = IDYES;
            Press(d, IDOK);
        },
        [&] {
            choice = ShowFileDialog({nullptr, folder + L"start", L"PNG|*.png", 1, L"Replace Test", false, nullptr});
        });
    EXPECT_TRUE(stayedOpen) << "No closed the dialog";
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_NE(questions[0].find(L"x.png already exists"), std::wstring::npos) << Narrow(questions[0]);
    EXPECT_EQ(CompareStringOrdinal(choice.Path.c_str(), -1, (folder + L"x.png").c_str(), -1, TRUE), CSTR_EQUAL)
        << Narrow(choice.Path);
}

} // namespace
