// The small skinned batch dialog of five jobs, chosen by PublicShell before it is painted: copy
// or move the selected files to a browsed folder, rename them with a common name and a running
// number, ask for a canvas size and background colour, ask for a stamp's name. The file jobs are
// done by the dialog itself; the two questions leave their answers in the public results, which
// outlive the window.
#pragma once

#include "controls/Transparent.h"
#include "editor/CanvasSizeDialog.h"
#include "output/BatchMainWindow.h"
#include "output/Browsefolder.h"
#include "platform/DoEvents.h"
#include "platform/PictureBox.h"
#include "platform/TopLevelWindow.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Whether name can be typed as a new file or stamp name: a stamp name that does not begin with a
// blank nor end with a dot or a blank (which the file system would drop).
[[nodiscard]] bool IsValidBatchName(const std::wstring& name);

// The new paths of a rename of files to text: each in its own folder with its own extension in
// lower case, numbered from 1 when there is more than one file.
[[nodiscard]] std::vector<std::wstring> RenameTargets(const std::vector<std::wstring>& files, const std::wstring& text);

class FrmShells : public TopLevelWindow {
public:
    // Modes.
    static constexpr int32_t kCopy = 0, kMove = 1, kRename = 2, kSize = 3, kStamp = 4;
    // Buttons.
    static constexpr int32_t kCancel = 0, kOK = 1, kBrowse = 2, kColour = 3;
    static constexpr int kWidth = 395, kHeight = 200;
    // The child ids of TextControl, Text_Width and Text_Height.
    static constexpr int kTextControlId = 1, kTextWidthId = 2, kTextHeightId = 3;
    static constexpr COLORREF kBackColor = RGB(240, 238, 233);

    // main may be null for the two question modes; it must outlive the dialog.
    explicit FrmShells(BatchMainWindow* main = nullptr) : main_(main) {}
    ~FrmShells() override { Unload(); }
    FrmShells(const FrmShells&) = delete;
    FrmShells& operator=(const FrmShells&) = delete;

    int32_t PublicShell = kCopy;
    int32_t m_Rwidth = 0; // mode 3 results
    int32_t m_Rheight = 0;
    std::wstring m_String;                    // mode 4 result
    COLORREF ShellColor = RGB(255, 255, 255); // mode 3 background colour

    // The button last under the pointer.
    [[nodiscard]] int32_t ButtonState() const { return buttonState_; }
    // True when the last showing was closed with OK (and its job ran).
    [[nodiscard]] bool OkClosed() const { return okClosed_; }

    // Makes the window (hidden) with its skin and shape, owned by owner; false when it cannot.
    bool Load(HWND owner);
    [[nodiscard]] bool Loaded() const { return hwnd_ != nullptr; }
    // Lays out and paints the mode's texts, boxes and buttons (loads the form first if needed).
    void StartPaint();
    // Shows the form without waiting (copy, move, rename).
    void Show(HWND owner);
    // Shows the form and returns when it is closed; owner is disabled meanwhile.
    void ShowModal(HWND owner);
    // Closes the window; the results stay.
    void Unload();

    // Mode 3's starting size (the canvas image's); without one the boxes start at 800 x 600 and the
    // window tells no original size.
    void SetOriginalSize(int32_t width, int32_t height) { originalWidth_ = width, originalHeight_ = height; }

    // True while a copy, move or rename runs.
    [[nodiscard]] bool Working() const { return busy_.Busy(); }
    // One window serves every request: while it works, a request for it waits for the user to try
    // again, who is told so over the requesting window. True when the window is free.
    [[nodiscard]] bool FreeForRequest(HWND requester);

    // The dispatcher's rename, copy and move: the mode, the name box prefilled for a rename with
    // the first selected file's name (without its extension when only one is selected), shown
    // modeless. Nothing while the window works.
    void OpenFileJob(int32_t mode, HWND owner);
    // The dispatcher's send to the stamp library: the name to store the stamp under, or nothing
    // when the dialog was cancelled or is working.
    [[nodiscard]] std::optional<std::wstring> AskStampName(HWND owner);

    [[nodiscard]] std::wstring TextControl() const;
    void TextControl(const std::wstring& text);
    [[nodiscard]] HWND TextControlWindow() const { return textControl_; }
    [[nodiscard]] HWND TextWidthWindow() const { return textWidth_; }
    [[nodiscard]] HWND TextHeightWindow() const { return textHeight_; }
    // The form's face (its picture and its mouse).
    [[nodiscard]] PictureBox& Surface() { return surface_; }
    [[nodiscard]] Browsefolder& Browsefolder1() { return browsefolder_; }
    // The folder copy and move go to: the last browsed one.
    [[nodiscard]] const std::wstring& TargetFolder() const { return targetFolder_; }
    // A button's rectangle in the form's pixels, and the last button the mode hit-tests.
    [[nodiscard]] RectF ButtonRect(int32_t index) const { return buttons_[static_cast<size_t>(index)]; }
    [[nodiscard]] int32_t LastButton() const { return lastButton_; }
    // The title strip that drags the window: the form's width, 30 pixels high, at its top.
    [[nodiscard]] RectF TitleBG() const { return TitleBG_; }
    // Which shown button (x, y) is over, or -1.
    [[nodiscard]] int32_t HitButton(float x, float y) const;
    // The files the last batch could not copy, move or rename.
    [[nodiscard]] const std::vector<std::wstring>& Failures() const { return failures_; }

    // Where the skin sheet comes from: by default the executable's "MAINSKIN" bitmap. Tests that
    // carry no resources install their own.
    using SkinSheetLoader = std::function<UniqueHBitmap()>;
    static void SetSkinSheetLoader(SkinSheetLoader loader);

private:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;
    void LoadSkin();
    void PaintButtons(float x, float y, bool pressed);
    void DrawButton(int32_t index, int state); // 0 normal, 1 hovered, 2 pressed
    void DrawSwatch();
    void Form_Resize();
    void OnMouseDown(int button, float x, float y);
    void TitleBG_MouseDown(int button);
    void OnMouseUp();
    void OnOk();
    [[nodiscard]] bool CopyOrMove();
    [[nodiscard]] bool Rename();
    [[nodiscard]] bool ReadSizes();
    [[nodiscard]] bool ReadStampName();
    // The loop of both file jobs: messages run before each file so that Cancel can stop it; step(i)
    // says whether file i's job worked (a failure is listed for Report) or, with nullopt, that the
    // user skipped it. Gives the number that worked.
    size_t RunBatch(const std::vector<std::wstring>& files, const std::function<std::optional<bool>(size_t)>& step);
    // Whether the canvas shows the file at path, which it then lets go of and opens from its new place.
    [[nodiscard]] bool ShowsFile(const std::wstring& path) const;
    // Tells what a cancelled batch did (done of total files) and which files failed.
    void Report(const wchar_t* verb, size_t done, size_t total);

    BatchMainWindow* main_;
    HWND owner_ = nullptr;
    PictureBox surface_;
    HWND textControl_ = nullptr, textWidth_ = nullptr, textHeight_ = nullptr;
    Transparent transparent1_;
    GdipBitmap skin_;
    Browsefolder browsefolder_;
    std::wstring targetFolder_;
    std::array<RectF, 4> buttons_{};
    RectF TitleBG_{};
    int32_t lastButton_ = 1;
    bool overButton_ = false;
    int32_t buttonState_ = kCancel;
    bool okClosed_ = false;
    int32_t originalWidth_ = 0, originalHeight_ = 0;
    std::vector<std::wstring> failures_;
    ReentryGuard busy_;
    bool cancelRequested_ = false; // Cancel pressed while a batch runs
    bool filesLeft_ = false;       // the last batch stopped on a Cancel before its every file
};

// The canvas's size question, answered by a new batch dialog in its size mode.
class FrmShellsCanvasSize final : public CanvasSizeDialog {
public:
    [[nodiscard]] std::optional<CanvasSizeChoice> Ask(HWND owner, int32_t width, int32_t height) override;
};
