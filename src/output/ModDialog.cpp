#include "output/ModDialog.h"

#include "browser/ModFileinfo.h"
#include "imaging/ModGDI.h"
#include "imaging/PaintPrimitives.h"
#include "imaging/TextRendering.h"
#include "output/ModMisc.h"
#include "platform/AppState.h"
#include "platform/MessageBoxService.h"
#include "platform/TextCase.h"
#include "platform/WindowText.h"

#include <commctrl.h>
#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <cwctype>

namespace {

// The long-path limit: the dialog never needs to cut a path the file calls accept.
constexpr DWORD kMaxDialogPath = 32768;
constexpr uint32_t kBlack = ColorARGB(255, 0, 0, 0);
// The preview box inside the panel.
constexpr float kPreviewHeight = 150;

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = L"";
    ::GetClassNameW(window, name, 64);
    return name;
}

void DrawPanelText(PictureBox& box, const std::wstring& text, float x, float y) {
    GdipGraphics g = box.CreateGraphics();
    if (g) DrawShadowText(DrawTarget::Surface(g.get()), text, x, y, L"Tahoma", 8, kBlack, 0, false, 200);
}

// One dialog at a time: the state its hook works on.
struct DialogSession {
    bool DialogOpenMode = true;
    std::wstring DialogFilter;    // the fields separated by NUL characters, as the dialog takes it
    std::wstring DialogFilterExt; // the save type's pattern
    std::wstring LastDialogPath;  // the path ReadDialogFileName read last
    std::wstring chosenExt;       // what the caller's FileExt becomes
    HWND DialogHwnd = nullptr;    // the dialog's own window, once it has finished initialising
    fDialogEx* DialogPanel = nullptr;
    int folderChanges = 0;
    bool confirmed = false; // the user's OK went through
};
DialogSession* g_session = nullptr;

// A text the dialog reports through a CDM_ message, with a buffer of the size it asks for.
std::wstring DialogText(HWND dialog, UINT message) {
    std::wstring buffer(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 3; ++attempt) {
        const LRESULT needed = ::SendMessageW(dialog, message, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
        if (needed <= 0) return {};
        if (static_cast<size_t>(needed) <= buffer.size()) return TrimNull(buffer);
        buffer.assign(static_cast<size_t>(needed), L'\0');
    }
    return {};
}

std::wstring ReadDialogFilterExt(const DialogSession& s) {
    const LRESULT index = ::SendDlgItemMessageW(s.DialogHwnd, cmb1, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return {};
    return FilterPatternAt(s.DialogFilter, static_cast<int32_t>(index));
}

// The selected item's text of the dialog's file list; empty when none is selected.
std::wstring SelectedItemText(HWND dialog) {
    const HWND view = ::GetDlgItem(dialog, lst2);
    const HWND list = view ? ::FindWindowExW(view, nullptr, WC_LISTVIEWW, nullptr) : nullptr;
    if (!list) return {};
    const LRESULT item = ::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (item < 0) return {};
    std::wstring text(MAX_PATH, L'\0');
    for (;;) {
        LVITEMW lv{};
        lv.pszText = text.data();
        lv.cchTextMax = static_cast<int>(text.size());
        const LRESULT length =
            ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lv));
        // A text that filled the buffer may have been cut: ask again with more room.
        if (length < static_cast<LRESULT>(text.size()) - 1 || text.size() >= kMaxDialogPath) return TrimNull(text);
        text.assign(text.size() * 2, L'\0');
    }
}

// A folder selected in the list keeps the dialog's path as it was: its name is then put into the
// name box, as a selected file's would be.
std::wstring ReadDialogFileName(DialogSession& s) {
    const std::wstring path = DialogText(s.DialogHwnd, CDM_GETFILEPATH);
    if (CompareNoCase(path, s.LastDialogPath) != 0) {
        s.LastDialogPath = path;
        return {};
    }
    std::wstring name = SelectedItemText(s.DialogHwnd);
    if (name.size() <= 1) return {};
    s.LastDialogPath = name;
    return name;
}

void SetNameBox(HWND dialog, const std::wstring& text) {
    // The name box is an edit box in older templates and a combo box with one in newer ones (Wine's).
    const int id = ::GetDlgItem(dialog, cmb13) ? cmb13 : edt1;
    ::SendMessageW(dialog, CDM_SETCONTROLTEXT, id, reinterpret_cast<LPARAM>(text.c_str()));
}

// The save dialog adds the type's extension itself, and so asks before replacing a file.
void TakeSaveType(DialogSession& s) {
    s.DialogFilterExt = ReadDialogFilterExt(s);
    if (s.DialogFilterExt.size() > 2)
        ::SendMessageW(s.DialogHwnd, CDM_SETDEFEXT, 0, reinterpret_cast<LPARAM>(s.DialogFilterExt.c_str() + 2));
}

void ArrangeFileDialog(DialogSession& s, HWND hook) {
    RECT window{}, client{};
    ::GetWindowRect(s.DialogHwnd, &window);
    ::GetClientRect(s.DialogHwnd, &client);
    // The panel goes in whenever the caller gave one; without it the dialog is only enlarged.
    const bool addPanel = s.DialogPanel != nullptr;
    const int extraWidth = addPanel ? fDialogEx::kWidth : 0;
    const int width = window.right - window.left + extraWidth;
    const int height = window.bottom - window.top + kDialogExtraHeight;
    const int x = (::GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (::GetSystemMetrics(SM_CYSCREEN) - height) / 2;

    std::vector<HWND> children;
    std::vector<DialogChildPlace> places;
    for (HWND child = ::GetWindow(s.DialogHwnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (child == hook) continue;
        DialogChildPlace place;
        place.className = ClassOf(child);
        ::GetWindowRect(child, &place.rect);
        ::MapWindowPoints(HWND_DESKTOP, s.DialogHwnd, reinterpret_cast<POINT*>(&place.rect), 2);
        place.sizeGrip = CompareNoCase(place.className, L"ScrollBar") == 0 &&
                         (::GetWindowLongW(child, GWL_STYLE) & SBS_SIZEGRIP) != 0;
        children.push_back(child);
        places.push_back(place);
    }
    // The dialog's own sizing moves its controls when it grows; the places are set afterwards.
    ::SetWindowPos(s.DialogHwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT grown{};
    ::GetClientRect(s.DialogHwnd, &grown);
    const std::vector<RECT> arranged = ArrangedChildren(places, {grown.right, grown.bottom});
    for (size_t i = 0; i < children.size(); ++i) {
        const RECT& r = arranged[i];
        ::SetWindowPos(children[i], nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (addPanel && s.DialogPanel->Create(s.DialogHwnd, client.right, 0, !s.DialogOpenMode))
        ::SetWindowPos(s.DialogPanel->hWnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::InvalidateRect(s.DialogHwnd, nullptr, TRUE);
}

// The question before a save replaces a file. Wine's dialog checks the name as typed, before it
// adds the type's extension, and so would replace "name.png" without asking: the hook asks about
// the final name itself (and the dialog does not).
bool ReplaceAgreed(const DialogSession& s, const wchar_t* path) {
    // Wine reports the name before it adds the extension; Windows after.
    std::wstring file = path;
    if (FileExtension(file).empty() && s.DialogFilterExt.size() > 2) file += s.DialogFilterExt.substr(1);
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    if (file.empty() || attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
    return ShowMessageBox(s.DialogHwnd, file + L" already exists.\nDo you want to replace it?", L"Save Image as...",
                          MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

// True when the notification is refused (the result is set in the hook's window).
bool OnNotify(DialogSession& s, HWND hook, const OFNOTIFYW& note) {
    switch (note.hdr.code) {
    case CDN_INITDONE:
        s.DialogHwnd = ::GetParent(hook);
        ArrangeFileDialog(s, hook);
        if (!s.DialogOpenMode) TakeSaveType(s);
        s.chosenExt = ReadDialogFilterExt(s);
        break;
    case CDN_FOLDERCHANGE:
        // The folder the dialog opens in keeps the starting name; a folder the user goes to
        // starts with an empty one.
        if (s.DialogHwnd && ++s.folderChanges > 1) SetNameBox(s.DialogHwnd, L"");
        break;
    case CDN_SELCHANGE: {
        if (!s.DialogHwnd) break;
        const std::wstring name = ReadDialogFileName(s);
        if (!name.empty()) SetNameBox(s.DialogHwnd, name);
        if (s.DialogOpenMode) {
            if (s.DialogPanel) (void)s.DialogPanel->ShowFilePreview(DialogText(s.DialogHwnd, CDM_GETFILEPATH));
        } else {
            ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
        }
        break;
    }
    case CDN_TYPECHANGE:
        if (!s.DialogHwnd) break;
        s.chosenExt = ReadDialogFilterExt(s);
        if (!s.DialogOpenMode) {
            const std::wstring name = NameWithoutTypeExt(DialogText(s.DialogHwnd, CDM_GETSPEC));
            TakeSaveType(s);
            SetNameBox(s.DialogHwnd, name);
        }
        break;
    case CDN_FILEOK:
        if (s.DialogHwnd) s.chosenExt = ReadDialogFilterExt(s);
        if (!s.DialogOpenMode && note.lpOFN && note.lpOFN->lpstrFile && !ReplaceAgreed(s, note.lpOFN->lpstrFile)) {
            // Refused: the dialog stays open for another name.
            ::SetWindowLongPtrW(hook, DWLP_MSGRESULT, 1);
            return true;
        }
        s.confirmed = true;
        break;
    default:
        break;
    }
    return false;
}

UINT_PTR CALLBACK FileDialogHook(HWND hook, UINT message, WPARAM, LPARAM lp) {
    DialogSession* s = g_session;
    if (!s) return 0;
    if (message == WM_NOTIFY && lp && OnNotify(*s, hook, *reinterpret_cast<const OFNOTIFYW*>(lp))) return 1;
    return 0;
}

} // namespace

// ---- Filters

std::wstring TrimNull(const std::wstring& s) {
    return s.substr(0, s.find(L'\0'));
}

std::wstring DialogFilterOf(const std::wstring& filter) {
    std::wstring result = filter;
    std::replace(result.begin(), result.end(), L'|', L'\0');
    result.append(2, L'\0');
    return result;
}

int32_t FilterIndexOfExt(const std::wstring& fileName, const std::wstring& dialogFilter) {
    std::wstring ext = fileName.size() > 4 ? fileName.substr(fileName.size() - 4) : fileName;
    if (!ext.empty() && ext[0] == L'.') ext.erase(0, 1);
    const std::wstring key = LowerText(L"*." + ext) + L'\0';
    int32_t nulls = 0;
    for (size_t at = dialogFilter.find(L'\0'); at != std::wstring::npos; at = dialogFilter.find(L'\0', at + 1)) {
        if (LowerText(dialogFilter.substr(at + 1, key.size())) == key) return nulls / 2 + 1;
        ++nulls;
    }
    // Past the last entry: every entry has two fields, and the filter ends in two NULs.
    return std::max<int32_t>(nulls - 1, 0) / 2 + 1;
}

std::wstring FilterPatternAt(const std::wstring& dialogFilter, int32_t index) {
    if (index < 0) return {};
    size_t at = 0;
    for (int32_t skip = 0; skip < 2 * index + 1; ++skip) {
        const size_t nul = dialogFilter.find(L'\0', at);
        if (nul == std::wstring::npos) return {};
        at = nul + 1;
    }
    const std::wstring pattern = TrimNull(dialogFilter.substr(std::min(at, dialogFilter.size())));
    if (pattern.empty() || pattern.find(L';') != std::wstring::npos) return {};
    return pattern;
}

std::wstring NameWithoutTypeExt(const std::wstring& name) {
    if (name.size() <= 4) return name;
    const size_t dot = name.find(L'.', name.size() - 5);
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

std::vector<RECT> ArrangedChildren(const std::vector<DialogChildPlace>& children, SIZE newClient) {
    std::vector<RECT> result;
    result.reserve(children.size());
    const auto list = std::find_if(children.begin(), children.end(), [](const DialogChildPlace& c) {
        return CompareNoCase(c.className, L"ListBox") == 0;
    });
    for (const DialogChildPlace& c : children) {
        RECT r = c.rect;
        if (c.sizeGrip) {
            const LONG w = r.right - r.left, h = r.bottom - r.top;
            r = {newClient.cx - w, newClient.cy - h, newClient.cx, newClient.cy};
        } else if (list != children.end()) {
            const RECT& l = list->rect;
            const bool isList = &c == &*list || (c.rect.top == l.top && c.rect.left == l.left &&
                                                 c.rect.right == l.right && c.rect.bottom == l.bottom);
            if (isList)
                r.bottom += kDialogExtraHeight;
            else if (r.top > l.top)
                OffsetRect(&r, 0, kDialogExtraHeight);
        }
        result.push_back(r);
    }
    return result;
}

// ---- The side panel

GdiDIB& PreviewDIB() {
    // Never destroyed with the other statics: GDI+ has shut down by then. The main window releases
    // the picture at shut-down (ClearPreviewDIB).
    static GdiDIB* const preview = new GdiDIB;
    return *preview;
}

void ClearPreviewDIB() {
    PreviewDIB().Destroy();
}

const wchar_t* QualityWord(int32_t value) {
    if (value >= 10) return L"Maxdium";
    if (value > 6) return L"High";
    if (value > 4) return L"Middle";
    return L"Low";
}

std::optional<int32_t> ParseQuality(const std::wstring& text) {
    size_t at = 0;
    while (at < text.size() && std::iswspace(text[at])) ++at;
    size_t end = text.size();
    while (end > at && std::iswspace(text[end - 1])) --end;
    bool negative = false;
    if (at < end && (text[at] == L'+' || text[at] == L'-')) negative = text[at++] == L'-';
    if (at == end) return std::nullopt;
    int32_t value = 0;
    for (; at < end; ++at) {
        if (text[at] < L'0' || text[at] > L'9') return std::nullopt;
        value = value * 10 + (text[at] - L'0');
        if (value > 10) return std::nullopt;
    }
    if (negative && value != 0) return std::nullopt;
    return value;
}

fDialogEx::~fDialogEx() {
    fullView_.Unload();
}

bool fDialogEx::Create(HWND parent, int x, int y, bool saveMode) {
    saveMode_ = saveMode;
    if (!PictureBox::Create({parent, x, y, kWidth, kHeight, ::GetSysColor(COLOR_BTNFACE), true, true})) return false;
    static const bool initialised = [] {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
        return ::InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)initialised;
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    const DWORD shown = saveMode ? WS_VISIBLE : 0;
    quilatyText_ =
        ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_TABSTOP | ES_AUTOHSCROLL | shown, 8, 40, 25, 18,
                          hWnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kQuilatyTextId)), instance, nullptr);
    if (quilatyText_)
        ::SendMessageW(quilatyText_, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    (void)comboQuilaty_.Create({hWnd(), 48, 40, 121, 17, BackColor(), saveMode, true});
    fraJPEGOptions_ =
        ::CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_CHILD | WS_TABSTOP | TBS_HORZ | TBS_AUTOTICKS | shown, 0, 64, 185,
                          20, hWnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSliderId)), instance, nullptr);
    if (fraJPEGOptions_) {
        ::SendMessageW(fraJPEGOptions_, TBM_SETRANGE, FALSE, MAKELPARAM(0, 10));
        ::SendMessageW(fraJPEGOptions_, TBM_SETLINESIZE, 0, SmallChange);
        ::SendMessageW(fraJPEGOptions_, TBM_SETPAGESIZE, 0, LargeChange);
    }
    onDblClick = [this] { ShowFullView(); };
    // Form_Load: the stored quality; one out of range (an edited registry) starts at the top.
    const int32_t stored = App().JpegQuality;
    SetSlider(stored >= 0 && stored <= 10 ? stored : 10);
    SliderUpdate();
    Cls();
    if (saveMode_) DrawSaveTexts();
    Refresh();
    return true;
}

void fDialogEx::DrawSaveTexts() {
    DrawPanelText(*this, L"JPEG Quality:", 0, 10);
    DrawPanelText(*this, L"Note: This change is only is valid\nto the picture of JPEG format.", 3, 100);
}

int32_t fDialogEx::SliderValue() const {
    return fraJPEGOptions_ ? static_cast<int32_t>(::SendMessageW(fraJPEGOptions_, TBM_GETPOS, 0, 0)) : 0;
}

void fDialogEx::SetSlider(int32_t value) {
    if (fraJPEGOptions_) ::SendMessageW(fraJPEGOptions_, TBM_SETPOS, TRUE, value);
}

void fDialogEx::SliderUpdate() {
    if (updating_) return;
    updating_ = true;
    const int32_t value = SliderValue();
    const std::wstring text = std::to_wstring(value);
    if (WindowText(quilatyText_) != text) ::SetWindowTextW(quilatyText_, text.c_str());
    App().JpegQuality = value;
    DrawQualityWord(QualityWord(value));
    updating_ = false;
}

void fDialogEx::QuilatyText_Change() {
    if (updating_) return;
    if (const auto value = ParseQuality(WindowText(quilatyText_))) {
        SetSlider(*value);
    } else {
        ShowMessageBox(hWnd(), L"Please enter a whole number from 0 to 10.", L"JPEG Quality",
                       MB_OK | MB_ICONEXCLAMATION);
        SetSlider(10);
    }
    SliderUpdate();
}

void fDialogEx::DrawQualityWord(const std::wstring& word) {
    word_ = word;
    comboQuilaty_.Cls();
    DrawPanelText(comboQuilaty_, word, 0, 0);
    comboQuilaty_.Refresh();
}

bool fDialogEx::HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
    if (msg == WM_HSCROLL && reinterpret_cast<HWND>(lp) == fraJPEGOptions_ && fraJPEGOptions_) {
        SliderUpdate();
        *result = 0;
        return true;
    }
    if (msg == WM_COMMAND && LOWORD(wp) == kQuilatyTextId && HIWORD(wp) == EN_CHANGE) {
        QuilatyText_Change();
        *result = 0;
        return true;
    }
    return PictureBox::HandleMessage(msg, wp, lp, result);
}

bool fDialogEx::ShowFilePreview(const std::wstring& path) {
    if (!hWnd() || path.empty() || !FileExists(path)) return false;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    GdiDIB& preview = PreviewDIB();
    preview.Destroy();
    (void)preview.Import(path); // an undecodable file shows no picture, only its information
    float fx = 0, fy = 0, fw = 0, fh = 0;
    if (preview.DIB() && preview.Width() > 0 && preview.Height() > 0)
        GdiDIB::GetBestFitInfo(preview.Width(), preview.Height(), static_cast<float>(kWidth - 30), kPreviewHeight, fx,
                               fy, fw, fh);
    Cls();
    {
        GdipGraphics g = CreateGraphics();
        if (g) {
            GdipSetSmoothingMode(g.get(), SmoothingModeAntiAlias);
            const auto surface = DrawTarget::Surface(g.get());
            const uint32_t top = ColorARGB(255, 252, 252, 252), bottom = ColorARGB(255, 220, 220, 220);
            const uint32_t outline = ColorARGB(150, 170, 170, 170);
            DrawRoundGradientRect(surface, 0, 38, 0, 203, 3, 38, kWidth - 14, 165, 10, 10, top, bottom, false, 1,
                                  outline);
            DrawRoundGradientRect(surface, 0, 224, 0, 350, 3, 224, kWidth - 14, 126, 10, 10, top, bottom, false, 1,
                                  outline);
            if (fw > 0 && fh > 0) {
                GdipSetInterpolationMode(g.get(), InterpolationModeHighQualityBicubic);
                GdipDrawImageRect(g.get(), preview.DIB(), 10 + fx, 45 + fy, fw, fh);
            }
        }
    }
    const std::wstring lines[7] = {L"Filename : " + GetFileName(path),
                                   L"Format : " + UpperText(GetFileExt(path)),
                                   L"Size : " + GetFileInfoText(path, 0),
                                   L"Date Created : " + GetFileInfoText(path, 2),
                                   L"Date Modified : " + GetFileInfoText(path, 1),
                                   L"Width : " + std::to_wstring(static_cast<int64_t>(preview.Width())) + L" Pixel",
                                   L"Height : " + std::to_wstring(static_cast<int64_t>(preview.Height())) + L" Pixel"};
    for (int n = 0; n < 7; ++n) DrawPanelText(*this, lines[n], 0, static_cast<float>(230 + 17 * n));
    DrawPanelText(*this, L"Double Click Preview to Full View...", 0, 10);
    Refresh();
    ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    return true;
}

void fDialogEx::ShowFullView() {
    GdiDIB& preview = PreviewDIB();
    if (!preview.DIB()) return;
    fullView_.isFullView = true;
    if (fullView_.Show(::GetAncestor(hWnd(), GA_ROOT), nullptr))
        (void)fullView_.StartSlideshow(L"", preview.DIB(), static_cast<int32_t>(preview.Width()),
                                       static_cast<int32_t>(preview.Height()));
}

// ---- The dialog

FileDialogChoice ShowFileDialog(const FileDialogArgs& args) {
    if (g_session) return {}; // one dialog at a time
    DialogSession session;
    session.DialogOpenMode = args.OpenMode;
    session.DialogFilter = DialogFilterOf(args.Filter);
    session.DialogPanel = args.Panel;
    int32_t filterIndex = args.FilterIndex;
    if (!args.FileName.empty() && filterIndex == 0) filterIndex = FilterIndexOfExt(args.FileName, session.DialogFilter);

    std::wstring file(kMaxDialogPath, L'\0');
    std::copy_n(args.FileName.begin(), std::min<size_t>(args.FileName.size(), kMaxDialogPath - 1), file.begin());
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = args.owner;
    ofn.hInstance = ::GetModuleHandleW(nullptr);
    ofn.lpstrFilter = session.DialogFilter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(std::max<int32_t>(filterIndex, 0));
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = kMaxDialogPath;
    ofn.lpstrTitle = args.Title.c_str();
    ofn.lpfnHook = &FileDialogHook;
    ofn.Flags = OFN_ENABLESIZING | OFN_EXPLORER | OFN_ENABLEHOOK | OFN_HIDEREADONLY;
    // The save dialog's question before replacing a file is the hook's (see ReplaceAgreed).
    if (args.OpenMode) ofn.Flags |= OFN_FILEMUSTEXIST;

    g_session = &session;
    const BOOL chosen = args.OpenMode ? ::GetOpenFileNameW(&ofn) : ::GetSaveFileNameW(&ofn);
    g_session = nullptr;

    FileDialogChoice choice;
    choice.FileExt = session.chosenExt;
    // A dialog ended by anything but the user's OK (a quit message in its loop) chooses nothing.
    if (!chosen || !session.confirmed || TrimNull(file).empty()) return choice;
    choice.Path = TrimNull(file);
    if (!args.OpenMode && session.DialogFilterExt.size() > 2 && ofn.nFileExtension == 0)
        choice.Path += session.DialogFilterExt.substr(1);
    return choice;
}
