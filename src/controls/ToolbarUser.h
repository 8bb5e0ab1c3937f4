// The strip of menu titles at the top of the main window. It highlights the title under the
// pointer, remembers the title last hit and tells its host where that title starts, so that the
// host can hang the drop-down menu under it. It opens nothing itself.
#pragma once

#include "platform/PictureBox.h"

#include <array>
#include <cstdint>
#include <functional>

class ToolbarUser : private PictureBox {
public:
    static constexpr int32_t kTitleCount = 7;
    static constexpr int32_t kNoTitle = 7; // PressID when no title was hit

    ToolbarUser();

    // Makes the strip's window; its back colour is white whatever args says.
    [[nodiscard]] bool Create(const PictureBoxArgs& args);
    // Paints the titles with none highlighted.
    void Create();

    // The title last hit by a press or a move (0 "File" to 6 "Help"); kNoTitle after a press off
    // every title. A move off the titles keeps it.
    [[nodiscard]] int32_t PressID() const { return pressID_; }
    // The left edge of title index; 0 for any other index.
    [[nodiscard]] float TitleLeft(int32_t index) const;

    // Mouse events: x is the left edge of title PressID (0 when none was hit), y the pointer's.
    // Down and move come after the strip has been hit-tested and painted; up paints nothing.
    std::function<void(int button, int shift, float x, float y)> onMouseDown;
    std::function<void(int button, int shift, float x, float y)> onMouseMove;
    std::function<void(int button, int shift, float x, float y)> onMouseUp;

    // What the host may use of the picture box under it; the rest of the private base stays inside.
    using PictureBox::BackColor;
    using PictureBox::Bits;
    using PictureBox::Destroy;
    using PictureBox::Height;
    using PictureBox::hWnd;
    using PictureBox::Left;
    using PictureBox::Move;
    using PictureBox::Point;
    using PictureBox::SetBackColor;
    using PictureBox::SetVisible;
    using PictureBox::shortcutKeys; // key presses go here unchanged
    using PictureBox::Top;
    using PictureBox::Visible;
    using PictureBox::Width;

private:
    struct TitlePainter;
    void PaintTitles(float px, float py, bool pressed);
    // One title at (left, top): shaded when (px, py) lies in its band, which a press also washes
    // white and makes PressID.
    void DrawMenuTitle(const TitlePainter& p, const wchar_t* caption, float top, float left, float px, float py,
                       int32_t index, bool pressed);
    [[nodiscard]] float EventX() const { return TitleLeft(pressID_); }

    int32_t pressID_ = kNoTitle;
    // Elements 7 and 8 are never set: they answer the event x of "no title".
    std::array<float, 9> titleLeft_{5, 40, 80, 135, 215, 270, 330, 0, 0};
};
