// The open and save dialogs: the system's Explorer-style dialog run with a hook that enlarges it and
// places our side panel in it (a preview with file information when opening, the JPEG quality
// when saving), and the filter helpers the hook and the file commands share. The file-type helper
// the save paths share lives with the other path helpers.
#pragma once

#include "imaging/GdiDIB.h"
#include "output/FrmSlideshow.h"
#include "platform/PathHelpers.h"
#include "platform/PictureBox.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// ---- Filters

// The part of s before its first NUL character; s when it has none.
[[nodiscard]] std::wstring TrimNull(const std::wstring& s);

// A filter of descriptions and patterns separated by "|" as the dialog takes it: the fields
// separated by NUL characters and ended by two.
[[nodiscard]] std::wstring DialogFilterOf(const std::wstring& filter);

// The 1-based entry of dialogFilter (as DialogFilterOf makes it) whose pattern is exactly "*." and
// the extension of fileName (its last three letters after a dot); an entry listing several
// patterns never matches. When nothing matches, the result lies past the last entry.
[[nodiscard]] int32_t FilterIndexOfExt(const std::wstring& fileName, const std::wstring& dialogFilter);

// The pattern of the 0-based entry of dialogFilter when it is a single pattern ("*.png"); empty for
// an entry listing several patterns, an empty one or an index past the end.
[[nodiscard]] std::wstring FilterPatternAt(const std::wstring& dialogFilter, int32_t index);

// A typed name without the extension it had: cut before the first "." among its last five
// characters when it is longer than four. Other names come back as they are.
[[nodiscard]] std::wstring NameWithoutTypeExt(const std::wstring& name);

// ---- Enlarging the dialog

// One child window of the dialog, in the dialog's client coordinates.
struct DialogChildPlace {
    std::wstring className;
    RECT rect{};
    bool sizeGrip = false;
};

// How much taller the dialog and its file list become.
constexpr int kDialogExtraHeight = 150;

// Where the children go when the dialog grows by extraWidth (the panel) and kDialogExtraHeight:
// the first "ListBox" (the list's placeholder) and the shell view over it grow by the extra
// height, every child whose top lies below the list's moves down by it, the size grip goes to the
// new bottom-right corner, the rest stay. newClient is the client size after growing.
[[nodiscard]] std::vector<RECT> ArrangedChildren(const std::vector<DialogChildPlace>& children, SIZE newClient);

// ---- The side panel

// The preview picture of the open dialog, kept until ClearPreviewDIB.
[[nodiscard]] GdiDIB& PreviewDIB();
void ClearPreviewDIB();

// The quality word of a slider value 0 to 10.
[[nodiscard]] const wchar_t* QualityWord(int32_t value);
// The quality typed into the box: a whole number from 0 to 10, or nothing.
[[nodiscard]] std::optional<int32_t> ParseQuality(const std::wstring& text);

// The side panel placed in the dialog (193 x 384 pixels): in save mode the JPEG quality slider,
// its number box and its word; in open mode the preview of the selected file with seven lines of
// file information. The quality is App().JpegQuality, changed as soon as the slider moves.
class fDialogEx : public PictureBox {
public:
    static constexpr int kWidth = 193;
    static constexpr int kHeight = 384;
    // Child ids of the box and the slider.
    static constexpr int kQuilatyTextId = 101;
    static constexpr int kSliderId = 102;
    // How far the slider moves for an arrow key and for a page key.
    static constexpr int SmallChange = 1;
    static constexpr int LargeChange = 5;

    fDialogEx() = default;
    ~fDialogEx() override;

    // Form_Load: makes the panel at (x, y) in parent with its controls and draws it.
    [[nodiscard]] bool Create(HWND parent, int x, int y, bool saveMode);

    // Draws the preview of path with its file information (open mode); false when the path is
    // empty, missing or a folder, and the panel is then left as it was.
    bool ShowFilePreview(const std::wstring& path);
    // Form_DblClick: the preview picture full screen.
    void ShowFullView();

    [[nodiscard]] HWND QuilatyText() const { return quilatyText_; }
    // The quality slider, 0 to 10.
    [[nodiscard]] HWND fraJPEGOptions() const { return fraJPEGOptions_; }
    [[nodiscard]] const PictureBox& ComboQuilaty() const { return comboQuilaty_; }
    [[nodiscard]] int32_t SliderValue() const;
    // The word drawn last in ComboQuilaty.
    [[nodiscard]] const std::wstring& Word() const { return word_; }
    [[nodiscard]] FrmSlideshow& FullView() { return fullView_; }

protected:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

private:
    void DrawSaveTexts();
    void SliderUpdate();
    void QuilatyText_Change();
    void SetSlider(int32_t value);
    void DrawQualityWord(const std::wstring& word);

    bool saveMode_ = false;
    bool updating_ = false; // the slider and the box set each other: one pass only
    HWND quilatyText_ = nullptr;
    HWND fraJPEGOptions_ = nullptr;
    PictureBox comboQuilaty_;
    std::wstring word_;
    FrmSlideshow fullView_;
};

// ---- The dialog

struct FileDialogArgs {
    HWND owner = nullptr;
    std::wstring FileName;   // the name or path to start with
    std::wstring Filter;     // descriptions and patterns separated by "|"
    int32_t FilterIndex = 0; // 1-based; 0 chooses the entry of FileName's extension
    std::wstring Title;
    bool OpenMode = true;       // open with the preview, or save with the quality
    fDialogEx* Panel = nullptr; // placed into the dialog; null: the dialog is enlarged only
};

struct FileDialogChoice {
    std::wstring Path;    // empty when cancelled
    std::wstring FileExt; // the pattern of the type selected when the dialog closed, or empty
};

// Runs the open or save dialog (modal) and returns the chosen path and type.
[[nodiscard]] FileDialogChoice ShowFileDialog(const FileDialogArgs& args);
