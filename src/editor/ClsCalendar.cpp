#include "editor/ClsCalendar.h"

#include "imaging/TextRendering.h"

#include <windows.h>

namespace {

constexpr std::array<const wchar_t*, 12> kMonthNames = {L"Jan", L"Feb", L"March", L"Apr", L"May", L"Jun",
                                                        L"Jul", L"Aug", L"Sep",   L"Oct", L"Nov", L"Dec"};
constexpr std::array<const wchar_t*, 7> kWeekdayNames = {L"Sun", L"Mon", L"Tue", L"Wed", L"Thu", L"Fri", L"Sat"};
constexpr std::array<const wchar_t*, 7> kSimpleWeekdayNames = {L" S", L" M", L" T", L" W", L" T", L" F", L" S"};
constexpr int32_t kBold = 2;            // text-tool style number
constexpr float kPlainDayOpacity = 100; // days without pictures in simple mode
constexpr float kDayCellSize = 16;

bool IsLeapYear(int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Floor division: month -1 lies in the year before, like month 0.
int64_t FloorDiv(int64_t a, int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// The box of text in the given font on surface; false when nothing could be measured.
bool Measure(GpGraphics* surface, const std::wstring& text, const std::wstring& face, int32_t size, int32_t style,
             RectF& box) {
    GdipFont font = CreateFontWithFallback(face, static_cast<float>(size), TextToolFontStyle(style), UnitPixel);
    if (!font) return false;
    const RectF layout{0, 0, 0, 0};
    RectF measured{};
    if (GdipMeasureString(surface, text.c_str(), static_cast<INT>(text.size()), font.get(), &layout, nullptr, &measured,
                          nullptr, nullptr) != Ok)
        return false;
    box = measured;
    return true;
}

} // namespace

CalendarMonth CalendarMonthOf(int32_t year, int32_t month) {
    const int64_t monthIndex = int64_t{month} - 1;
    const int64_t y = int64_t{year} + FloorDiv(monthIndex, 12);
    const int32_t m = static_cast<int32_t>(monthIndex - FloorDiv(monthIndex, 12) * 12) + 1;
    // Sakamoto's weekday of the first of the month, 0 Sunday.
    static constexpr int kOffsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    const int64_t yy = m < 3 ? y - 1 : y;
    int64_t weekday = (yy + FloorDiv(yy, 4) - FloorDiv(yy, 100) + FloorDiv(yy, 400) + kOffsets[m - 1] + 1) % 7;
    if (weekday < 0) weekday += 7;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    CalendarMonth out;
    out.year = static_cast<int32_t>(y);
    out.month = m;
    out.firstWeekday = static_cast<int32_t>(weekday) + 1;
    out.days = kDays[m - 1] + (m == 2 && IsLeapYear(y) ? 1 : 0);
    return out;
}

ClsCalendar::ClsCalendar() : dayRects_(32) {
    SYSTEMTIME today{};
    ::GetLocalTime(&today);
    months_ = today.wMonth;
    years_ = today.wYear;
}

void ClsCalendar::Enabled(int32_t index, bool value) {
    if (index >= 0 && index < static_cast<int32_t>(dayFlags_.size())) dayFlags_[static_cast<size_t>(index)] = value;
}

void ClsCalendar::SetupMonth() {
    month_ = CalendarMonthOf(years_, months_);
}

void ClsCalendar::DrawCalendar(const DrawTarget& target, float x, float y, int32_t rowGap, int32_t columnGap) {
    // Only a draw on a device context measures; a ready surface keeps the boxes measured before.
    GdipGraphics measuring;
    if (!target.graphics && target.dc) GdipCreateFromHDC(target.dc, measuring.put());
    if (measuring) {
        // Measured in the style the text is drawn in, so the columns fit the drawn text.
        Measure(measuring.get(), L"Mod", font_, fontSize_, fontStyle_, cellBox_);
    }
    const float step = cellBox_.Width + static_cast<float>(columnGap);
    auto draw = [&](const std::wstring& text, float tx, float ty, int32_t size, int32_t style, float opacity) {
        DrawTextTool(target, text, tx, ty, font_, size, style, textRender_, fontColor_, opacity);
    };

    if (months_ >= 1 && months_ <= 12) {
        const std::wstring title =
            std::wstring(kMonthNames[static_cast<size_t>(months_ - 1)]) + L" " + std::to_wstring(years_);
        if (measuring) Measure(measuring.get(), title, font_, fontSize_ + 15, fontStyle_, titleBox_);
        if (simple_)
            draw(title, x, y + 10, fontSize_, kBold, opacity_);
        else
            draw(title, x, y, fontSize_ + 15, fontStyle_, opacity_);
    }

    const float weekdayY = y + cellBox_.Height + static_cast<float>(rowGap);
    for (size_t i = 0; i < 7; ++i) {
        draw(simple_ ? kSimpleWeekdayNames[i] : kWeekdayNames[i], x + 5 + static_cast<float>(i) * step, weekdayY,
             fontSize_, simple_ ? kBold : fontStyle_, opacity_);
    }

    width_ = 7 * step;
    height_ = 7 * cellBox_.Height + titleBox_.Height + static_cast<float>(rowGap);

    SetupMonth();
    const int32_t firstColumn = month_.firstWeekday - 1;
    float cellX = x + 8 + static_cast<float>(firstColumn) * step;
    float cellY = weekdayY + static_cast<float>(rowGap);
    int32_t day = 1;
    for (int32_t row = 0; row < 6; ++row) {
        for (int32_t column = row == 0 ? firstColumn : 0; column <= 6; ++column) {
            if (day <= month_.days) {
                const size_t k = static_cast<size_t>(day - 1);
                if (!simple_) {
                    draw(std::to_wstring(day), cellX, cellY, fontSize_, fontStyle_, opacity_);
                } else {
                    const bool marked = dayFlags_[k];
                    draw(std::to_wstring(day), cellX, cellY, fontSize_, marked ? kBold : fontStyle_,
                         marked ? opacity_ : kPlainDayOpacity);
                    dayRects_.resize(k + 1);
                    dayRects_[k] = RectF{cellX, cellY, kDayCellSize, kDayCellSize};
                }
            }
            cellX += step;
            ++day;
        }
        cellY += cellBox_.Height + static_cast<float>(rowInterval_);
        cellX = x + 8;
    }
}
