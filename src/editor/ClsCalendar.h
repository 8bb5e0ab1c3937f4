// The month calendar drawn as text: a title, a row of weekday names and up to six rows of day
// numbers, Sunday first. The canvas's calendar tool draws a large one with the text tool's font;
// the side panel's date picker draws a compact one ("simple" mode) in which days with pictures are
// bold and every day cell is kept for hit-testing.
#pragma once

#include "imaging/DrawTarget.h"
#include "platform/Gdip.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// One month of the calendar: the month a (year, month) pair names once months outside 1 to 12
// have rolled into the neighbouring years, its first weekday and its length.
struct CalendarMonth {
    int32_t year = 0;
    int32_t month = 0;        // 1 to 12
    int32_t firstWeekday = 0; // 1 Sunday to 7 Saturday
    int32_t days = 0;
};
// Gregorian calendar; month 0 is December of the year before, 13 January of the year after.
[[nodiscard]] CalendarMonth CalendarMonthOf(int32_t year, int32_t month);

class ClsCalendar {
public:
    // Today's month and year; no day cells drawn yet (32 empty ones).
    ClsCalendar();

    // Draws with the top-left corner at (x, y). rowGap goes below the title and below the weekday
    // row, columnGap is added to the column width. A draw on a device context measures the cell
    // and title boxes; a draw on a ready surface uses those of the last device-context draw.
    void DrawCalendar(const DrawTarget& target, float x, float y, int32_t rowGap, int32_t columnGap);

    // Marks day index + 1 as having pictures (bold in simple mode); indexes outside 0 to 31 are
    // ignored.
    void Enabled(int32_t index, bool value);

    void RowInterval(int32_t pixels) { rowInterval_ = pixels; }
    [[nodiscard]] float Width() const { return width_; }
    [[nodiscard]] float Height() const { return height_; }
    void Months(int32_t month) { months_ = month; }
    void Years(int32_t year) { years_ = year; }
    void TextRender(int32_t renderHint) { textRender_ = renderHint; }
    [[nodiscard]] int32_t FontSize() const { return fontSize_; }
    void FontSize(int32_t pixels) { fontSize_ = pixels; }
    void Font(const std::wstring& face) { font_ = face; }
    void FontStyle(int32_t style) { fontStyle_ = style; }
    // ARGB; its alpha is replaced by the opacity when drawing.
    void FontColor(uint32_t argb) { fontColor_ = argb; }
    void Opacity(int32_t opacity) { opacity_ = static_cast<float>(opacity); }
    [[nodiscard]] bool Simple() const { return simple_; }
    void Simple(bool value) { simple_ = value; }

    // The cells of the days as last drawn in simple mode: element k is day k + 1, at the point
    // where its number was drawn, 16 x 16. This calendar's own; another calendar never changes it.
    [[nodiscard]] const std::vector<RectF>& CalendarDayRects() const { return dayRects_; }
    // The box of "Mod" in the day font (column width, row height) and of the title, as measured
    // at the last draw on a device context.
    [[nodiscard]] RectF CellBox() const { return cellBox_; }
    [[nodiscard]] RectF TitleBox() const { return titleBox_; }
    // The month last drawn.
    [[nodiscard]] const CalendarMonth& Month() const { return month_; }

private:
    void SetupMonth();

    int32_t fontSize_ = 15;
    std::wstring font_ = L"Tahoma";
    int32_t fontStyle_ = 0;
    int32_t textRender_ = 0;
    uint32_t fontColor_ = 0;
    float opacity_ = 255;
    int32_t months_ = 0;
    int32_t years_ = 0;
    int32_t rowInterval_ = 0;
    bool simple_ = false;
    std::array<bool, 32> dayFlags_{};

    float width_ = 0;
    float height_ = 0;
    RectF cellBox_{};
    RectF titleBox_{};
    CalendarMonth month_{};
    std::vector<RectF> dayRects_;
};
