// The open and save dialogs: the filter helpers on crafted filters, the quality panel under real
// typing and slider keys, and the system's real dialogs under Wine driven from a second thread:
// the enlarged geometry against the plain dialog's, the preview of a selected file, a selected
// folder's name in the box, and a type change that cuts the typed extension.
#include "output/ModDialog.h"
#include "platform/AppState.h"
#include "platform/MessageBoxService.h"
#include "tests/output/OutputTestSupport.h"
#include "tests/output/OutputWindowSupport.h"
#include "tests/support/TestSupport.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <thread>

namespace {

const std::wstring kGifPng = DialogFilterOf(L"GIF|*.gif|PNG|*.png");
const std::wstring kSave = DialogFilterOf(L"BMP (Windows Bitmap)|*.bmp|GIF (CompuServe GIF)|*.gif|JPG (JPEG)|*.jpg"
                                          L"|PNG (Portable Network Graphics)|*.png|TIFF (Tag Image File Format)|*.tif");
const std::wstring kWithJpeg = DialogFilterOf(L"GIF|*.gif|JPEG Files|*.jpg;*.jpeg|PNG|*.png");

TEST(FileDialogFilter, EntryOfAFileName) {
    struct Case {
        const wchar_t* name;
        const std::wstring* filter;
        int32_t index;
    } cases[] = {
        {L"x.png", &kGifPng, 2},    {L"C:\\pictures\\X.GIF", &kGifPng, 1}, // letter case does not matter
        {L"x.bmp", &kGifPng, 3},                                           // nothing matches: past the last entry
        {L"x.jpg", &kWithJpeg, 4},                                         // a two-pattern entry never matches
        {L"x.png", &kWithJpeg, 3},  {L"photo.tif", &kSave, 5},
        {L"photo.tiff", &kSave, 6}, // "*.tiff" is no entry of its own
        {L"png", &kGifPng, 2},      // a name without a dot is its own type
        {L"", &kGifPng, 3},
    };
    for (const Case& c : cases) EXPECT_EQ(FilterIndexOfExt(c.name, *c.filter), c.index) << Narrow(c.name);
}

TEST(FileDialogFilter, PatternOfTheSelectedType) {
    EXPECT_EQ(FilterPatternAt(kSave, 0), L"*.bmp");
    EXPECT_EQ(FilterPatternAt(kSave, 4), L"*.tif");
    EXPECT_EQ(FilterPatternAt(kWithJpeg, 1), L""); // several patterns: no single type
    EXPECT_EQ(FilterPatternAt(kSave, 5), L"");     // one past the last entry
    EXPECT_EQ(FilterPatternAt(kSave, -1), L"");
    EXPECT_EQ(FilterPatternAt(DialogFilterOf(L"Empty||PNG|*.png"), 0), L"");
}

TEST(FileDialogFilter, TypedNameLosesItsExtensionOnly) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"photo.bmp", L"photo"},
        {L"x.tiff", L"x"},
        {L"a.b.c.jpeg", L"a.b.c"},
        {L"a.b", L"a.b"},
        {L"photo", L"photo"},
        {L"my.photo", L"my.photo"},
        {L"", L""},
    };
    for (const auto& [typed, cut] : cases) EXPECT_EQ(NameWithoutTypeExt(typed), cut) << Narrow(typed);
    EXPECT_EQ(TrimNull(std::wstring(L"a.png\0junk", 10)), L"a.png");
}

TEST(FileDialogArrange, ListGrowsAndWhatLiesBelowMovesDown) {
    const std::vector<DialogChildPlace> children = {
        {L"ComboBox", {60, 10, 300, 30}},           // above the list: stays
        {L"ListBox", {10, 40, 400, 200}},           // the placeholder: taller
        {L"SHELLDLL_DefView", {10, 40, 400, 200}},  // the view over it: taller
        {L"Static", {10, 40, 50, 60}},              // same top, other size: stays
        {L"Button", {320, 210, 400, 235}},          // below: lower
        {L"ScrollBar", {400, 250, 416, 266}, true}, // the size grip: new corner
    };
    const std::vector<RECT> r = ArrangedChildren(children, {609, 416});
    auto same = [](RECT a, RECT b) { return EqualRect(&a, &b) != FALSE; };
    EXPECT_TRUE(same(r[0], {60, 10, 300, 30}));
    EXPECT_TRUE(same(r[1], {10, 40, 400, 350}));
    EXPECT_TRUE(same(r[2], {10, 40, 400, 350}));
    EXPECT_TRUE(same(r[3], {10, 40, 50, 60}));
    EXPECT_TRUE(same(r[4], {320, 360, 400, 385}));
    EXPECT_TRUE(same(r[5], {593, 400, 609, 416}));
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

TEST_F(QualityPanel, StartsFromTheStoredQuality) {
    EXPECT_EQ(Box(), L"3");
    EXPECT_EQ(panel.SliderValue(), 3);
    EXPECT_EQ(panel.Word(), L"Low");
    EXPECT_TRUE(::IsWindowVisible(panel.Slider()));
}

TEST_F(QualityPanel, TypedNumbersMoveTheSliderAndTheWord) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"10", L"Maxdium"}, {L"7", L"High"}, {L"9", L"High"}, {L"6", L"Middle"},
        {L"5", L"Middle"},   {L"4", L"Low"},  {L"0", L"Low"},
    };
    for (const auto& [typed, word] : cases) {
        Type(typed);
        const int32_t value = std::stoi(typed);
        EXPECT_EQ(panel.SliderValue(), value) << Narrow(typed);
        EXPECT_EQ(App().JpegQuality, value);
        EXPECT_EQ(panel.Word(), word);
        EXPECT_EQ(Box(), typed);
    }
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

TEST_F(QualityPanel, SliderKeysWriteTheBox) {
    ::SetFocus(panel.Slider());
    for (int i = 0; i < 2; ++i) {
        ::SendMessageW(panel.Slider(), WM_KEYDOWN, VK_RIGHT, 0);
        ::SendMessageW(panel.Slider(), WM_KEYUP, VK_RIGHT, 0);
    }
    TestWindow::Pump(20);
    EXPECT_EQ(panel.SliderValue(), 5);
    EXPECT_EQ(Box(), L"5");
    EXPECT_EQ(App().JpegQuality, 5);
    EXPECT_EQ(panel.Word(), L"Middle");
    EXPECT_TRUE(warnings.empty());
}

// ---- The real dialogs

// Runs modal on this thread while actor drives it from a second thread.
template <typename Modal> void WithActor(const std::function<void()>& actor, Modal modal) {
    std::thread t(actor);
    modal();
    t.join();
    TestWindow::Pump(50);
}

HWND WaitForDialog(const wchar_t* title) {
    for (int i = 0; i < 200; ++i, ::Sleep(50))
        if (HWND d = ::FindWindowW(L"#32770", title); d && ::IsWindowVisible(d) && ::GetDlgItem(d, lst2)) {
            ::Sleep(400);
            return d;
        }
    return nullptr;
}

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

void Close(HWND dialog, int button) {
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, button)));
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
                Close(d, IDCANCEL);
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
                    sliderVisible = ::IsWindowVisible(panel.Slider()) != FALSE;
                }
                Close(d, IDCANCEL);
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

std::wstring NameBox(HWND dialog) {
    wchar_t text[MAX_PATH] = L"";
    ::GetDlgItemTextW(dialog, cmb13, text, MAX_PATH);
    return text;
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
    bool lines[7]{}, hint = false, gapClear = false;
    uint64_t afterFile = 0, afterFolder = 0;
    std::wstring folderName;
    WithActor(
        [&] {
            HWND d = WaitForDialog(L"Open Test");
            if (!d) return;
            open = panel.hWnd() != nullptr;
            sliderHidden = !::IsWindowVisible(panel.Slider());
            selectedFile = SelectItem(d, L"red");
            // The 60 x 40 picture is not enlarged: centred in the 163 x 150 box from (10, 45).
            red = NearRgb(panel.Point(91, 120), RGB(255, 0, 0), 30);
            for (int n = 0; n < 7; ++n) lines[n] = DarkIn(panel, 0, 230 + 17 * n, 150, 230 + 17 * n + 13);
            hint = DarkIn(panel, 0, 10, 150, 23);
            gapClear = !DarkIn(panel, 0, 230 + 17 * 7 + 2, 150, 230 + 17 * 7 + 10);
            afterFile = Digest(panel);
            selectedFolder = SelectItem(d, L"sub");
            folderName = NameBox(d);
            afterFolder = Digest(panel);
            Close(d, IDCANCEL);
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
    ASSERT_TRUE(selectedFolder);
    EXPECT_EQ(folderName, L"sub");
    EXPECT_EQ(afterFolder, afterFile) << "a folder drew a preview";
    ASSERT_NE(PreviewDIB().DIB(), nullptr);
    EXPECT_EQ(PreviewDIB().Width(), 60);
    ClearPreviewDIB();
    EXPECT_EQ(PreviewDIB().DIB(), nullptr);
}

TEST_F(RealFileDialog, TypeChangeCutsTheTypedExtension) {
    fDialogEx panel;
    std::wstring before, after;
    int startType = -1;
    WithActor(
        [&] {
            HWND d = WaitForDialog(L"Type Test");
            if (!d) return;
            startType = static_cast<int>(::SendDlgItemMessageW(d, cmb1, CB_GETCURSEL, 0, 0));
            before = NameBox(d);
            // A pick in the closed list, as the combo box reports it.
            const HWND types = ::GetDlgItem(d, cmb1);
            ::SendMessageW(types, CB_SETCURSEL, 2, 0);
            for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK})
                ::SendMessageW(d, WM_COMMAND, MAKEWPARAM(cmb1, code), reinterpret_cast<LPARAM>(types));
            ::Sleep(200);
            after = NameBox(d);
            Close(d, IDOK);
        },
        [&] {
            const FileDialogChoice c =
                ShowFileDialog({nullptr, folder + L"photo.bmp", L"BMP|*.bmp|GIF|*.gif|JPG|*.jpg|PNG|*.png", 0,
                                L"Type Test", false, &panel});
            EXPECT_EQ(CompareStringOrdinal(c.Path.c_str(), -1, (folder + L"photo.jpg").c_str(), -1, TRUE), CSTR_EQUAL)
                << Narrow(c.Path);
            EXPECT_EQ(c.FileExt, L"*.jpg");
        });
    EXPECT_EQ(startType, 0) << "the starting name's type";
    EXPECT_EQ(before, L"photo.bmp");
    EXPECT_EQ(after, L"photo");
}

} // namespace

namespace {

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
            Close(d, IDOK);
            ::Sleep(600);
            stayedOpen = ::IsWindowVisible(d) != FALSE;
            answer = IDYES;
            Close(d, IDOK);
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
