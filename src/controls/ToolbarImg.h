// The image toolbar above the image area: ten icon buttons in groups and a search box at its right
// end. It runs no command itself: it tracks the button under the pointer, draws the hot, pressed,
// held and disabled looks, records the pressed button in PressID and raises its events; the host
// runs the command. The search box hands its text to the grid's name search.
#pragma once

#include "controls/ToolbarSearchGrid.h"
#include "editor/ImageToolbarView.h"
#include "platform/PictureBox.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

class ToolbarImg : private PictureBox, public ImageToolbarView {
public:
    // Button ids: 0 New, 1 Open, 2 Save As, 3 Import, 4 Slideshow, 5 Fit (a held toggle),
    // 6 previous image, 7 next image, 8 Undo, 9 Redo; 10 and 11 never show.
    static constexpr int32_t kButtonCount = 10;
    static constexpr int32_t kIdCount = 12;
    static constexpr int32_t kNoButton = 10; // PressID when no button was pressed

    // grid: the grid that the search box searches; not owned, it outlives the strip's window.
    explicit ToolbarImg(ToolbarSearchGrid& grid);
    ~ToolbarImg() override;

    // Makes the strip's window (in its own back colour, whatever args says) with its search text
    // box, and lays it out. Nothing is drawn until StartPaint.
    [[nodiscard]] bool Create(const PictureBoxArgs& args);

    // Loads the icons again and repaints with the stored states; from then on every new size of
    // the strip repaints it too.
    void StartPaint() override;
    // Stores whether button id is enabled; shown at the next repaint. Other ids change nothing.
    void EnabledID(int id, bool enabled) override;
    // Stores whether button id is held down and repaints. Other ids change nothing.
    void PressDownID(int id, bool pressed) override;
    // Whether button id is held down; false for other ids.
    [[nodiscard]] bool Rpressdown(int id) const;

    // Makes the caption font and brush, loads the ten icons from the data folder (a missing or
    // unreadable file leaves its button without an icon) and repaints with no button hot.
    void GetIconHandle();
    // Repaints the whole strip for a pointer at (x, y); with pressed, the enabled button under
    // the pointer is drawn pressed and becomes PressID.
    void ImagePaint(bool pressed, float x, float y);
    // Draws one etched separator at x into the strip's picture (shown at the next refresh).
    void PaintSplit(float x);

    // The button the last press pressed; kNoButton when none.
    [[nodiscard]] int32_t PressID() const { return pressID_; }

    [[nodiscard]] std::wstring SearchText() const;
    [[nodiscard]] HWND SearchTextWindow() const { return searchText_; }

    // Mouse events: x is the left edge of the last button found hot (0 before any), not the
    // pointer's; button, shift and y are the event's. Down comes after the press or the search
    // was handled; up comes on every release, and the toolbar does nothing else on it.
    std::function<void(int button, int shift, float x, float y)> onMouseDown;
    std::function<void(int button, int shift, float x, float y)> onMouseUp;

    // What the host may use of the picture box under it; the rest of the private base stays inside.
    using PictureBox::BackColor;
    using PictureBox::Bits;
    using PictureBox::Destroy;
    using PictureBox::GetMousePointer;
    using PictureBox::Height;
    using PictureBox::hWnd;
    using PictureBox::Left;
    using PictureBox::MouseIcon;
    using PictureBox::Move;
    using PictureBox::Point;
    using PictureBox::SetVisible;
    using PictureBox::shortcutKeys; // key presses on the strip go here unchanged
    using PictureBox::Top;
    using PictureBox::Visible;
    using PictureBox::Width;

protected:
    bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) override;

private:
    void Layout();
    void Search(const std::wstring& text, bool run);
    void OnPointerMove(float x, float y);
    // The search box at (x, y): a white rounded field with "Search:" to its left at the buttons'
    // caption height (captionTop) and "GO" at its right end.
    void DrawSearchBox(GpGraphics* g, float x, float y, float captionTop) const;
    static LRESULT CALLBACK SearchTextProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);

    std::array<bool, kIdCount> buttonEnabled_{};
    std::array<bool, kIdCount> buttonLatched_{};
    std::array<GdipImage, kIdCount> buttonIcons_;
    GdipFont font_;
    GdipStringFormat format_;
    GdipSolidFill textBrush_;

    int32_t pressID_ = kNoButton;
    float hotButtonLeft_ = 0;
    bool goHot_ = false;
    float searchX_ = 0, searchY_ = 0, searchW_ = 120, searchH_ = 10;

    ToolbarSearchGrid& grid_;
    HWND searchText_ = nullptr;
    UniqueGdiObject searchFont_;
    bool searchPressed_ = false;
};
