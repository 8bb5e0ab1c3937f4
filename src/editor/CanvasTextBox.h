// The canvas's in-place text entry: a framed box (TextBackground) holding an edit box (Text1)
// in which the text tool's text is typed. It is hidden by moving it above the canvas's top edge.
#pragma once

#include "platform/PictureBox.h"

#include <functional>
#include <string>

class CanvasTextBox : public PictureBox {
public:
    CanvasTextBox() = default;
    ~CanvasTextBox() override;

    // Makes both boxes on the canvas window, hidden, in the canvas's back colour.
    [[nodiscard]] bool Create(HWND canvas, COLORREF backColor);

    // Shows the box at (x, y) with that size, or hides it when it was shown (a second press of the
    // text bar's text button closes it).
    void ShowHidetext(float x, float y, float width, float height);
    // Hides the box.
    void HideText1();
    [[nodiscard]] bool TextBoxShown() const { return shown_; }

    [[nodiscard]] HWND Text1() const { return text1_; }
    // Puts the edit box at (x, y) in the frame, its size kept.
    void MoveText1(int x, int y);
    [[nodiscard]] std::wstring Text() const;
    void SetText(const std::wstring& text);
    // The typed text takes the text tool's face.
    void SetFontName(const std::wstring& face);

    // Raised on every change of the text.
    std::function<void()> onChange;
    // Raised when the pointer moves over the edit box.
    std::function<void()> onText1MouseMove;

protected:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

private:
    static LRESULT CALLBACK Text1Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data);

    HWND text1_ = nullptr;
    UniqueGdiObject font_;
    bool shown_ = false;
};
