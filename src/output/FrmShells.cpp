#include "output/FrmShells.h"

#include "controls/BuildSkinPicture.h"
#include "platform/HitRect.h"
#include "editor/ModDialogCOlor.h"
#include "imaging/ClipboardStamp.h"
#include "imaging/GdipMakers.h"
#include "imaging/ModGDI.h"
#include "imaging/PaintPrimitives.h"
#include "imaging/TextRendering.h"
#include "output/ModMisc.h"
#include "output/SlideshowRules.h"
#include "platform/AppState.h"
#include "platform/Hourglass.h"
#include "platform/MessageBoxService.h"
#include "platform/PathHelpers.h"
#include "platform/TextCase.h"
#include "platform/WindowText.h"

#include <cwchar>
#include <utility>

namespace {

constexpr wchar_t kClassName[] = L"VellumoShells";
constexpr wchar_t kCaption[] = L"Vellumo";
constexpr float kTitleHeight = 30; // TitleBG's height

FrmShells::SkinSheetLoader& SheetLoader() {
    static FrmShells::SkinSheetLoader loader;
    return loader;
}

const wchar_t* const kCaptions[] = {L"Cancel", L"OK", L"...", L"Background Color"};

// A whole number from 1 to 10000, or nothing.
std::optional<int32_t> ParseSize(const std::wstring& text) {
    size_t first = text.find_first_not_of(L' '), last = text.find_last_not_of(L' ');
    if (first == std::wstring::npos) return std::nullopt;
    const std::wstring digits = text.substr(first, last - first + 1);
    if (digits.size() > 5 || digits.find_first_not_of(L"0123456789") != std::wstring::npos) return std::nullopt;
    const int32_t value = std::stoi(digits);
    if (value < 1 || value > 10000) return std::nullopt;
    return value;
}

std::wstring NameWithoutExtension(const std::wstring& path) {
    const std::wstring name = GetFileName(path);
    const size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

} // namespace

bool IsValidBatchName(const std::wstring& name) {
    if (!IsValidStampName(name)) return false;
    return name.front() != L' ' && name.back() != L' ' && name.back() != L'.';
}

std::vector<std::wstring> RenameTargets(const std::vector<std::wstring>& files, const std::wstring& text) {
    std::vector<std::wstring> targets;
    for (size_t i = 0; i < files.size(); ++i) {
        const std::wstring& file = files[i];
        const std::wstring folder = file.substr(0, file.rfind(L'\\') + 1);
        // The file type as GetFileExt gives it; a name without a "." gets none (GetFileExt would
        // make its whole name the extension).
        const std::wstring extension = FileExtension(file).empty() ? std::wstring() : GetFileExt(file);
        std::wstring target = folder + text;
        if (files.size() > 1) target += std::to_wstring(i + 1);
        if (!extension.empty()) target += L"." + extension;
        targets.push_back(std::move(target));
    }
    return targets;
}

void FrmShells::SetSkinSheetLoader(SkinSheetLoader loader) {
    SheetLoader() = std::move(loader);
}

bool FrmShells::Load(HWND owner) {
    if (hwnd_) return true;
    if (!RegisterPlainClass(kClassName)) return false;
    owner_ = owner;
    // Each window starts afresh: no OK yet, no cancel pending, and no folder chosen (a folder
    // lives as long as the window that shows it; an empty box asks).
    okClosed_ = false;
    cancelRequested_ = false;
    targetFolder_.clear();
    const POINT at = CentreOver(owner, kWidth, kHeight);
    if (!CreateBound(0, kClassName, kCaption, WS_POPUP | WS_CLIPCHILDREN, at.x, at.y, kWidth, kHeight, owner))
        return false;
    if (!surface_.Create({.parent = hwnd_, .width = kWidth, .height = kHeight, .backColor = kBackColor})) {
        Unload();
        return false;
    }
    ::SetWindowLongPtrW(surface_.hWnd(), GWL_STYLE, ::GetWindowLongPtrW(surface_.hWnd(), GWL_STYLE) | WS_CLIPSIBLINGS);
    surface_.onMouseMove = [this](int, int, float x, float y) { PaintButtons(x, y, false); };
    surface_.onMouseDown = [this](int button, int, float x, float y) { OnMouseDown(button, x, y); };
    surface_.onMouseUp = [this](int, int, float, float) { OnMouseUp(); };
    textControl_ = CreateEditBox(0, kTextControlId, 18, 72, 265, 15);
    textWidth_ = CreateEditBox(0, kTextWidthId, 120, 88, 49, 18);
    textHeight_ = CreateEditBox(0, kTextHeightId, 192, 88, 49, 18);
    browsefolder_.SetOwner(hwnd_);
    ShellColor = RGB(255, 255, 255);
    LoadSkin();
    return true;
}

void FrmShells::LoadSkin() {
    Hourglass wait;
    transparent1_.MaskPicture(nullptr);
    transparent1_.SetContainer(hwnd_);
    UniqueHBitmap sheet = SheetLoader() ? SheetLoader()() : LoadSkinSheet(::GetModuleHandleW(nullptr));
    skin_ = sheet ? BuildSkinPicture(surface_, sheet.get()) : GdipBitmap();
    // Without a skin the window stays a plain rectangle in the background colour.
    if (skin_) transparent1_.MaskPicture(skin_.get());
}

void FrmShells::Unload() {
    if (!hwnd_) return;
    // Closed from outside while a batch runs: the batch stops after the file in hand.
    if (busy_.Busy()) cancelRequested_ = true;
    DestroyTopLevel();
}

bool FrmShells::HandleMessage(UINT msg, WPARAM, LPARAM, LRESULT* result) {
    switch (msg) {
    case WM_SIZE:
        Form_Resize();
        return false;
    case WM_CLOSE:
        if (busy_.Busy())
            cancelRequested_ = true;
        else
            Unload();
        *result = 0;
        return true;
    case WM_NCDESTROY:
        textControl_ = textWidth_ = textHeight_ = nullptr;
        return false;
    default:
        return false;
    }
}

void FrmShells::StartPaint() {
    if (!hwnd_ && !Load(owner_)) return;
    const float w = kWidth, h = kHeight;
    buttons_[kCancel] = RectF(w - 90, h - 40, 60, 15);
    buttons_[kOK] = RectF(w - 180, h - 40, 60, 15);
    buttons_[kBrowse] = RectF(18 + 265 + 10, 72 - 5, 10, 12);
    buttons_[kColour] = RectF(16, 88 + 18 + 5, 85, 7);
    lastButton_ = PublicShell == kSize ? kColour : PublicShell == kCopy || PublicShell == kMove ? kBrowse : kOK;

    const bool sizeMode = PublicShell == kSize;
    ::ShowWindow(textControl_, sizeMode ? SW_HIDE : SW_SHOWNA);
    ::ShowWindow(textWidth_, sizeMode ? SW_SHOWNA : SW_HIDE);
    ::ShowWindow(textHeight_, sizeMode ? SW_SHOWNA : SW_HIDE);
    // The folder is chosen with "...", never typed.
    ::SendMessageW(textControl_, EM_SETREADONLY, PublicShell == kCopy || PublicShell == kMove, 0);
    if (sizeMode) {
        const bool known = originalWidth_ > 0 && originalHeight_ > 0;
        ::SetWindowTextW(textWidth_, std::to_wstring(known ? originalWidth_ : 800).c_str());
        ::SetWindowTextW(textHeight_, std::to_wstring(known ? originalHeight_ : 600).c_str());
    }

    surface_.Cls();
    {
        GdipGraphics graphics = surface_.CreateGraphics();
        if (graphics && skin_) GdipDrawImageRectI(graphics.get(), skin_.get(), 0, 0, kWidth, kHeight);
        const DrawTarget target = DrawTarget::Surface(graphics.get());
        const auto line = [&](const std::wstring& text, float x, float y, int32_t style, int32_t width) {
            DrawShadowText(target, text, x, y, L"Tahoma", 8, 0xFF000000, style, false, width);
        };
        static const wchar_t* const titles[] = {L" - Copy Images", L" - Move Images", L" - Rename Images",
                                                L" - Canvas Resize", L" - Send to Stamp"};
        if (PublicShell >= kCopy && PublicShell <= kStamp) line(titles[PublicShell], 83, 10, 1, 200);
        const auto body = [&](const std::wstring& text, float y) { line(text, 16, y, 0, 400); };
        if (PublicShell == kSize) {
            // A new picture with none shown has no original size to tell.
            if (originalWidth_ > 0 && originalHeight_ > 0)
                body(L"Original Dimension: " + std::to_wstring(originalWidth_) + L" x " +
                         std::to_wstring(originalHeight_) + L" Pixels",
                     45);
            body(L"New Dimension:                         x                        Pixels", 75);
            // Below the colour button, which lies just under the size boxes.
            body(L"Input the new image size, this operation does not zoom the image.", 134);
        } else if (PublicShell >= kCopy && PublicShell <= kStamp) {
            // The other modes: a prompt above the text box and a note under it, by mode as the titles.
            static const wchar_t* const notes[] = {
                L"Image will be copy to new directory.", L"Image will be move to new directory.",
                L"Image names will be automatically indexed. ", nullptr, L"Image will be import to stamp library."};
            const bool folder = PublicShell == kCopy || PublicShell == kMove;
            body(folder ? L"Please choose a New Directory for the selected images:"
                        : L"Please enter a New Name for the selected images:",
                 45);
            body(notes[PublicShell], 100);
            if (PublicShell == kRename)
                body(L"For example, 'Image' will produce: 'Image1', 'Image2', ... 'ImageN'.", 114);
        }
    }
    for (int32_t i = 0; i <= lastButton_; ++i)
        if (!(sizeMode && i == kBrowse)) DrawButton(i, 0);
    if (sizeMode) DrawSwatch();
    surface_.Refresh();
    for (HWND box : {textControl_, textWidth_, textHeight_}) ::InvalidateRect(box, nullptr, TRUE);
}

int32_t FrmShells::HitButton(float x, float y) const {
    for (int32_t i = 0; i <= lastButton_; ++i) {
        if (PublicShell == kSize && i == kBrowse) continue;
        const RectF& r = buttons_[static_cast<size_t>(i)];
        if (HitRect(RectF(r.X, r.Y, r.Width + 25, r.Height + 10), x, y)) return i;
    }
    return -1;
}

void FrmShells::DrawButton(int32_t index, int state) {
    const RectF r = buttons_[static_cast<size_t>(index)];
    GdipGraphics graphics = surface_.CreateGraphics();
    GpGraphics* g = graphics.get();
    if (!g) return;
    // The area is given back its skin (or the background without one), so that a button near the
    // edge never paints over the frame.
    const RectF area(r.X - 5, r.Y - 5, r.Width + 30, r.Height + 20);
    if (skin_) {
        GdipDrawImageRectRect(g, skin_.get(), area.X, area.Y, area.Width, area.Height, area.X, area.Y, area.Width,
                              area.Height, UnitPixel, nullptr, nullptr, nullptr);
    } else {
        GdipSolidFill back = MakeSolidFill(ColorARGB(255, 240, 238, 233));
        GdipFillRectangle(g, back.get(), area.X, area.Y, area.Width, area.Height);
    }
    const uint32_t top = state == 2 ? 0x32FFFFFFu : 0xC8FFFFFFu;
    const uint32_t bottom = state == 2 ? 0x32FFFFFFu : state == 1 ? 0x96000000u : 0x64000000u;
    DrawRoundGradientRect(DrawTarget::Surface(g), static_cast<int32_t>(r.X), static_cast<int32_t>(r.Y),
                          static_cast<int32_t>(r.X), static_cast<int32_t>(r.Y + r.Height + 10), r.X, r.Y, r.Width,
                          r.Height, 10, 10, top, bottom, false, 1, 0x1E000000u);
    GdipFont font = CreateFontWithFallback(L"Tahoma", 8, FontStyleRegular, UnitPoint);
    GdipStringFormat format;
    GdipSolidFill ink = MakeSolidFill(0xFF000000u);
    if (font && GdipCreateStringFormat(0, LANG_NEUTRAL, format.put()) == Ok) {
        GdipSetStringFormatAlign(format.get(), StringAlignmentCenter);
        GdipSetStringFormatLineAlign(format.get(), StringAlignmentCenter);
        const RectF layout(r.X, r.Y, r.Width + 20, r.Height + 10);
        GdipDrawString(g, kCaptions[index], -1, font.get(), &layout, format.get(), ink.get());
    }
}

void FrmShells::DrawSwatch() {
    const RectF r = buttons_[kColour];
    const int x = static_cast<int>(r.X + r.Width + 35), y = static_cast<int>(r.Y) + 1;
    const auto fill = [&](int left, int top, int size, COLORREF colour) {
        const RECT box{left, top, left + size, top + size};
        const HBRUSH brush = ::CreateSolidBrush(colour);
        ::FillRect(surface_.hDC(), &box, brush);
        ::DeleteObject(brush);
    };
    fill(x - 1, y - 1, 17, kBackColor);
    fill(x, y, 15, ShellColor);
}

void FrmShells::PaintButtons(float x, float y, bool pressed) {
    if (!hwnd_) return;
    const int32_t hit = HitButton(x, y);
    for (int32_t i = 0; i <= lastButton_; ++i) {
        if (PublicShell == kSize && i == kBrowse) continue;
        if (i != hit) DrawButton(i, 0);
    }
    overButton_ = hit >= 0;
    if (overButton_) {
        DrawButton(hit, pressed ? 2 : 1);
        buttonState_ = hit;
        if (!surface_.SetMouseIcon(L"MOUSED")) surface_.SetMousePointer(MousePointer::Default);
    } else {
        surface_.SetMousePointer(MousePointer::Default);
    }
    surface_.Refresh();
}

void FrmShells::Form_Resize() {
    RECT client{};
    ::GetClientRect(hwnd_, &client);
    TitleBG_ = RectF(0, 0, static_cast<float>(client.right), kTitleHeight);
}

void FrmShells::OnMouseDown(int button, float x, float y) {
    // TitleBG lies over the form's face: a press in it is the strip's own.
    if (HitRect(TitleBG_, x, y)) {
        TitleBG_MouseDown(button);
        return;
    }
    if (button == MouseButton::Left) PaintButtons(x, y, true);
}

void FrmShells::TitleBG_MouseDown(int button) {
    if (button != MouseButton::Left) return;
    // The title strip drags the window as a caption would.
    ::ReleaseCapture();
    ::SendMessageW(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void FrmShells::OnMouseUp() {
    if (!overButton_ || !hwnd_) return;
    if (busy_.Busy()) {
        // While a batch runs only Cancel answers: the batch stops after the file in hand.
        if (buttonState_ == kCancel) cancelRequested_ = true;
        return;
    }
    switch (buttonState_) {
    case kCancel:
        Unload();
        break;
    case kBrowse:
        if (PublicShell != kCopy && PublicShell != kMove) break;
        browsefolder_.Caption = L"Choose a folder or hard drive:";
        browsefolder_.UseNewUI = true;
        browsefolder_.Browse();
        targetFolder_ = browsefolder_.FullName();
        TextControl(targetFolder_);
        break;
    case kColour: {
        if (PublicShell != kSize) break;
        const int32_t colour = ShowColorDialog(hwnd_, static_cast<int32_t>(ShellColor), true);
        // A cancel keeps the colour.
        if (colour == -1) break;
        ShellColor = static_cast<COLORREF>(colour);
        DrawSwatch();
        surface_.Refresh();
        break;
    }
    case kOK:
        OnOk();
        break;
    default:
        break;
    }
}

void FrmShells::OnOk() {
    bool done = false;
    {
        // The guard is let go before the window closes: a window closed while it is held counts
        // as a batch cancelled from outside.
        const auto scope = busy_.TryEnter();
        if (!scope) return;
        cancelRequested_ = false;
        Hourglass wait;
        switch (PublicShell) {
        case kCopy:
        case kMove:
            done = CopyOrMove();
            break;
        case kRename:
            done = Rename();
            break;
        case kSize:
            done = ReadSizes();
            break;
        case kStamp:
            done = ReadStampName();
            break;
        default:
            break;
        }
    }
    if (!done) return;
    okClosed_ = !cancelRequested_;
    Unload();
}

bool FrmShells::CopyOrMove() {
    if (targetFolder_.empty()) {
        // Nothing to copy to yet: the folder is asked for first.
        browsefolder_.Caption = L"Choose a folder or hard drive:";
        browsefolder_.UseNewUI = true;
        browsefolder_.Browse();
        targetFolder_ = browsefolder_.FullName();
        TextControl(targetFolder_);
        if (targetFolder_.empty()) return false;
    }
    const bool move = PublicShell == kMove;
    const std::wstring folder = targetFolder_;
    const std::vector<std::wstring> files = NonEmptyPaths(App().SelectedFiles);
    if (move && !files.empty() && main_ && !main_->SaveShownImageFirst()) return false;
    bool replaceAll = false;
    const size_t done = RunBatch(files, [&](size_t i) -> std::optional<bool> {
        const std::wstring target = AddBackslash(folder) + GetFileName(files[i]);
        bool replace = false;
        if (FoldCase(target) != FoldCase(files[i]) && ::GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES) {
            if (!replaceAll) {
                const int answer = ShowMessageBox(hwnd_,
                                                  L"The folder already holds a file named \"" + GetFileName(target) +
                                                      L"\".\nDo you want to replace it?",
                                                  kCaption, kMbYesYesToAllNoCancel | MB_ICONQUESTION);
                // Cancel stops the batch before this file: the files done stay, none is half written.
                if (answer == IDCANCEL) cancelRequested_ = true;
                if (answer != IDYES && answer != kIdYesToAll) return std::nullopt;
                replaceAll = answer == kIdYesToAll;
            }
            replace = true;
        }
        const bool shown = move && ShowsFile(files[i]);
        if (shown) main_->DisposeImgDIB();
        const bool ok = move ? ShellMoveFile(files[i], folder, replace) : ShellCopyFile(files[i], folder, replace);
        if (shown) main_->ImportCanvas(ok ? target : files[i]);
        return ok;
    });
    if (main_) {
        main_->FolderViewSelect(folder);
        main_->ThumPath(folder);
        main_->RefreshThumbnail();
    }
    Report(move ? L"moved" : L"copied", done, files.size());
    return true;
}

bool FrmShells::Rename() {
    std::wstring text = TextControl();
    if (text.empty()) {
        text = L"Untitled";
        TextControl(text);
    }
    if (!IsValidBatchName(text)) {
        ShowMessageBox(hwnd_, L"\"" + text + L"\" cannot be a file name. Please enter another name.", kCaption,
                       MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    // The selection may change while messages run between two files: the list is followed as it
    // was, and an entry is brought up to date only while it still names the file renamed.
    const std::vector<std::wstring> files = NonEmptyPaths(App().SelectedFiles);
    if (!files.empty() && main_ && !main_->SaveShownImageFirst()) return false;
    const std::vector<std::wstring> targets = RenameTargets(files, text);
    const size_t done = RunBatch(files, [&](size_t i) -> std::optional<bool> {
        const bool shown = ShowsFile(files[i]);
        if (shown) main_->DisposeImgDIB();
        const bool renamed = RenameFileNoReplace(files[i], targets[i]);
        if (renamed)
            for (std::wstring& selected : App().SelectedFiles)
                if (selected == files[i]) selected = targets[i];
        if (shown) main_->ImportCanvas(renamed ? targets[i] : files[i]);
        return renamed;
    });
    if (main_) main_->RefreshThumbnail();
    Report(L"renamed", done, files.size());
    return true;
}

bool FrmShells::ReadSizes() {
    const std::optional<int32_t> width = ParseSize(WindowText(textWidth_));
    const std::optional<int32_t> height = ParseSize(WindowText(textHeight_));
    if (!width || !height) {
        ShowMessageBox(hwnd_, L"Please enter a width and a height from 1 to 10000 pixels.", kCaption,
                       MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    m_Rwidth = *width;
    m_Rheight = *height;
    return true;
}

bool FrmShells::ReadStampName() {
    std::wstring text = TextControl();
    if (text.empty()) text = L"Untitled";
    if (!IsValidBatchName(text)) {
        ShowMessageBox(hwnd_, L"\"" + text + L"\" cannot be a stamp name. Please enter another name.", kCaption,
                       MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    if (FileExists(StampLibPath(text)) &&
        ShowMessageBox(hwnd_,
                       L"The stamp library already holds a stamp named \"" + text + L"\".\nDo you want to replace it?",
                       kCaption, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    m_String = text;
    return true;
}

bool FrmShells::ShowsFile(const std::wstring& path) const {
    // Only the picture on the canvas follows its file; a new picture or another file stays shown.
    if (!main_) return false;
    const std::wstring shown = main_->ShownFile();
    return !shown.empty() && CompareNoCase(shown, path) == 0;
}

size_t FrmShells::RunBatch(const std::vector<std::wstring>& files,
                           const std::function<std::optional<bool>(size_t)>& step) {
    failures_.clear();
    cancelRequested_ = false;
    filesLeft_ = false;
    size_t done = 0;
    for (size_t i = 0; i < files.size(); ++i) {
        DoEvents();
        if (cancelRequested_) {
            filesLeft_ = true;
            break;
        }
        const std::optional<bool> ok = step(i);
        if (!ok) {
            // A Cancel answered for this file leaves it, even as the last one.
            filesLeft_ = cancelRequested_;
            continue;
        }
        if (*ok)
            ++done;
        else
            failures_.push_back(files[i]);
    }
    return done;
}

void FrmShells::Report(const wchar_t* verb, size_t done, size_t total) {
    // A window closed from outside (the program ending) takes its questions and reports with it.
    if (!hwnd_) return;
    std::wstring text;
    // A Cancel that came once the last file was done left nothing: the batch reports as finished.
    if (filesLeft_) {
        text = L"Cancelled: " + std::to_wstring(done) + L" of " + std::to_wstring(total) + L" files were " + verb +
               L". The other files are where they were.";
    }
    if (!failures_.empty()) {
        if (!text.empty()) text += L"\n\n";
        text += L"These files could not be " + std::wstring(verb) + L" and are where they were:\n";
        for (const std::wstring& file : failures_) text += L"\n" + file;
    }
    if (!text.empty()) ShowMessageBox(hwnd_, text, kCaption, MB_OK | MB_ICONEXCLAMATION);
}

std::wstring FrmShells::TextControl() const {
    return WindowText(textControl_);
}

void FrmShells::TextControl(const std::wstring& text) {
    if (textControl_) ::SetWindowTextW(textControl_, text.c_str());
}

void FrmShells::Show(HWND owner) {
    if (!hwnd_) {
        if (!Load(owner)) return;
        StartPaint();
    }
    ::ShowWindow(hwnd_, SW_SHOW);
    ::SetForegroundWindow(hwnd_);
}

void FrmShells::ShowModal(HWND owner) {
    Show(owner);
    RunModal(owner);
}

bool FrmShells::FreeForRequest(HWND requester) {
    if (!Working()) return true;
    // The batch goes on under the message: messages run between two of its files, and this one
    // came in meanwhile. Showing the new request in this window would end the batch's. The
    // message is the requester's: this window may be held by a question of its own, which the
    // message's end must not release.
    static const wchar_t* const verbs[] = {L"copied", L"moved", L"renamed"};
    const std::wstring verb = PublicShell >= kCopy && PublicShell <= kRename ? verbs[PublicShell] : L"processed";
    ShowMessageBox(requester,
                   L"The selected pictures are still being " + verb +
                       L".\nPlease try again when the batch window has finished.",
                   kCaption, MB_OK | MB_ICONINFORMATION);
    // Then the batch window comes to the front with the question it may wait on, which the click
    // on the requesting window may have put behind it.
    if (hwnd_) {
        ::SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ::SetForegroundWindow(::GetLastActivePopup(hwnd_));
    }
    return false;
}

void FrmShells::OpenFileJob(int32_t mode, HWND owner) {
    if (mode != kCopy && mode != kMove && mode != kRename) return;
    if (!FreeForRequest(owner)) return;
    PublicShell = mode;
    if (!Load(owner)) return;
    // The rename adds each file's own extension again, so the box holds the name without it.
    if (mode == kRename) {
        const std::vector<std::wstring> files = NonEmptyPaths(App().SelectedFiles);
        TextControl(files.empty() ? std::wstring() : NameWithoutExtension(files[0]));
    }
    StartPaint();
    Show(owner);
}

std::optional<std::wstring> FrmShells::AskStampName(HWND owner) {
    if (!FreeForRequest(owner)) return std::nullopt;
    Load(owner);
    PublicShell = kStamp;
    TextControl(L"");
    StartPaint();
    ShowModal(owner);
    if (!okClosed_) return std::nullopt;
    return m_String;
}

std::optional<CanvasSizeChoice> FrmShellsCanvasSize::Ask(HWND owner, int32_t width, int32_t height) {
    FrmShells form;
    form.PublicShell = FrmShells::kSize;
    form.SetOriginalSize(width, height);
    if (!form.Load(owner)) return std::nullopt;
    form.StartPaint();
    form.ShowModal(owner);
    if (!form.OkClosed()) return std::nullopt;
    return CanvasSizeChoice{form.m_Rwidth, form.m_Rheight, form.ShellColor};
}
