// The side panel's date picker: a compact month calendar with four navigation buttons (year back,
// month back, month forward, year forward) and six translucent week bars. Hovering a day selects
// it; every release raises Click, after which the host reads DayUp to learn whether a day was
// picked. Days with pictures are marked from outside.
#pragma once

#include "editor/ClsCalendar.h"
#include "platform/PictureBox.h"

#include <array>
#include <cstdint>
#include <functional>

class UserCalender : private PictureBox {
public:
    // Today's date, and the calendar set up for the compact style.
    UserCalender();

    [[nodiscard]] bool Create(const PictureBoxArgs& args);

    [[nodiscard]] int32_t SelectedYear() const { return selectedYear_; }
    [[nodiscard]] int32_t SelectedMonth() const { return selectedMonth_; }
    [[nodiscard]] int32_t SelectedDay() const { return selectedDay_; }
    // True when the pointer was over a day cell at the last move.
    [[nodiscard]] bool DayUp() const { return dayHit_; }

    // Repaints the whole picker. Nothing happens while GDI+ is not running.
    void Painting();
    // Marks day index + 1 of the shown month as having pictures, or clears it; an index outside
    // 0 to 30 is ignored. Shown at the next Painting.
    void EnabledDays(int32_t dayIndex, bool value);

    // The navigation buttons: 0 year + 1, 1 month + 1, 2 month - 1, 3 year - 1, each 16 x 16.
    [[nodiscard]] const std::array<RectF, 4>& ButtonRects() const { return buttonRects_; }
    [[nodiscard]] const ClsCalendar& Calendar() const { return calendar_; }

    // Raised at every mouse release, after the navigation step it made; a step to another month
    // or year clears the marks, which belonged to the month shown before.
    std::function<void(int button, int shift, float x, float y)> onClick;

    // What the host may use of the picture box under it; the rest of the private base stays inside.
    using PictureBox::Bits;
    using PictureBox::Destroy;
    using PictureBox::GetMousePointer;
    using PictureBox::Height;
    using PictureBox::hWnd;
    using PictureBox::Left;
    using PictureBox::Move;
    using PictureBox::Point;
    using PictureBox::SetVisible;
    using PictureBox::shortcutKeys;
    using PictureBox::Top;
    using PictureBox::Visible;
    using PictureBox::Width;

    static constexpr int32_t kFirstYear = 1601, kLastYear = 9999; // the range of file dates

private:
    void Layout();
    void OnMove(float x, float y);
    void OnRelease(int button, int shift, float x, float y);

    ClsCalendar calendar_;
    std::array<RectF, 4> buttonRects_{};
    int32_t selectedYear_ = 0, selectedMonth_ = 0, selectedDay_ = 0;
    bool hot_ = false;
    int32_t hotIndex_ = 0;
    bool dayHit_ = false;
};
