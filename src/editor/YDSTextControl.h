// The option bar of the text and calendar tools: a box that opens the canvas's in-place text
// box, lists of font faces, styles, sizes and rendering qualities, and a colour box. It keeps the
// chosen values and reports each choice by an event; the colour box sets the canvas's text colour
// itself through the main window.
#pragma once

#include "editor/FontListHost.h"
#include "editor/TextBarMainWindow.h"
#include "platform/GdipHandles.h"
#include "platform/PictureBox.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

class YDSTextControl : public PictureBox {
public:
    // fonts is the main window's font list that AddFontMode copies; both must outlive the bar.
    YDSTextControl(FontListHost& fonts, TextBarMainWindow& mainWindow);
    ~YDSTextControl() override;

    // Makes the bar, its lists and boxes, and loads the three icons of "Toolbar.dll" from the
    // program folder (none when the library is missing: the bar then paints without them).
    [[nodiscard]] bool Create(const PictureBoxArgs& args);

    // The properties; each set but textFontColor's reports the property's name to
    // onPropertyChanged, for the host to persist.
    [[nodiscard]] const std::wstring& textFont() const { return textFont_; }
    void textFont(const std::wstring& face);
    // True hides the "Import Text" box (the calendar tool), false shows it (the text tool).
    void HideText(bool hide);
    // The size as decimal text; a set takes a whole number (a fraction is rounded, halves to
    // even) and leaves the size as it was for a text that is no number.
    [[nodiscard]] std::wstring textFontSize() const { return std::to_wstring(textFontSize_); }
    void textFontSize(const std::wstring& text);
    [[nodiscard]] int32_t textFontStyle() const { return textFontStyle_; }
    void textFontStyle(int32_t style);
    [[nodiscard]] int32_t textFontRender() const { return textFontRender_; }
    void textFontRender(int32_t render);
    // RGB; a set also paints the colour box with it.
    [[nodiscard]] int32_t textFontColor() const { return textFontColor_; }
    void textFontColor(int32_t rgb);

    // Fills the four lists and selects Tahoma (when installed), 8, Regular and Smooth, raising
    // the click event of each list it selects in. Once, after the main window's font list is full.
    void AddFontMode();
    // Paints the gradient background and the icons; nothing while GDI+ is not running.
    void StartPaint();

    std::function<void()> onFontClick;
    std::function<void()> onFontSizeClick;
    std::function<void()> onFontStyleClick;
    std::function<void()> onFontRenderClick;
    std::function<void()> onColorClick;
    std::function<void()> onTextClick;
    std::function<void(const std::wstring& property)> onPropertyChanged;

    // The child windows, for the host's layout and for tests.
    struct Children {
        HWND text1 = nullptr;
        HWND cbFont = nullptr;
        HWND cbTextStyle = nullptr;
        HWND cbFontSize = nullptr;
        HWND cbTextRender = nullptr;
    };
    [[nodiscard]] const Children& Controls() const { return children_; }
    [[nodiscard]] PictureBox& PickColor() { return pickColor_; }

protected:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

private:
    void LoadIcons();
    void Layout(int width);
    void OnListChanged(HWND list);
    void OnPickColorClick();
    void PaintColorBox(int32_t rgb);
    void Notify(const wchar_t* property);

    FontListHost& fonts_;
    TextBarMainWindow& mainWindow_;
    std::wstring textFont_ = L"Tahoma";
    int32_t textFontSize_ = 8;
    int32_t textFontStyle_ = 0;
    int32_t textFontRender_ = 2;
    int32_t textFontColor_ = 0;
    bool textHidden_ = false;

    Children children_;
    // The colour box's keys go the bar's way; made before the box, gone after it.
    ChildKeys childKeys_{shortcutKeys, ForwardKeys};
    PictureBox pickColor_;
    UniqueGdiObject listFont_;
    UniqueGdiObject textBackBrush_;
    std::array<UniqueIcon, 4> icons_; // 0, 1 and 2 from the library; 3 stays empty
    // Left edges from the last layout.
    int text1Left_ = 0, fontLeft_ = 0, styleLeft_ = 0, sizeLeft_ = 0, renderLeft_ = 0, pickLeft_ = 0;
};
