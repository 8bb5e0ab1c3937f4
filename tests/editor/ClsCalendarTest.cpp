// The month calendar drawn on a white page: each month's first weekday, length and rows, the
// title, the day cells the date picker hit-tests, and the calendar's size.
#include "editor/ClsCalendar.h"
#include "imaging/CDIB.h"
#include "platform/GdipHandles.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr float kX = 10, kY = 5;

// A white page with its own device context, as the date picker's picture box has.
struct Page {
    CDIB dib;
    Page() {
        EXPECT_TRUE(dib.Create(520, 420, 32));
        dib.Cls(RGB(255, 255, 255));
    }
    [[nodiscard]] DrawTarget target() const { return DrawTarget::Dc(dib.hDC()); }
    // The darkest red in [x0, x1) x [y0, y1): 255 where nothing was drawn.
    [[nodiscard]] int Darkest(float x0, float y0, float x1, float y1) const {
        ::GdiFlush();
        int darkest = 255;
        for (int y = std::max(0, static_cast<int>(y0)); y < std::min(dib.Height(), static_cast<int>(y1)); ++y)
            for (int x = std::max(0, static_cast<int>(x0)); x < std::min(dib.Width(), static_cast<int>(x1)); ++x)
                darkest =
                    std::min<int>(darkest, dib.lpBits()[(dib.Height() - 1 - y) * dib.BytesPerScanline() + x * 4 + 2]);
        return darkest;
    }
};

// The date picker's settings and gaps.
void DatePickerDraw(ClsCalendar& calendar, Page& page, int32_t year, int32_t month) {
    calendar.Simple(true);
    calendar.Years(year);
    calendar.Months(month);
    calendar.FontSize(12);
    calendar.RowInterval(6);
    calendar.TextRender(1);
    calendar.DrawCalendar(page.target(), kX, kY, 25, 2);
}

float TahomaWidth(const wchar_t* text, float size) {
    WindowDc screen(nullptr);
    GdipGraphics g;
    GdipCreateFromHDC(screen.get(), g.put());
    GdipFontFamily family;
    GdipCreateFontFamilyFromName(L"Tahoma", nullptr, family.put());
    GdipFont font;
    GdipCreateFont(family.get(), size, FontStyleRegular, UnitPixel, font.put());
    RectF layout{0, 0, 0, 0}, box{};
    GdipMeasureString(g.get(), text, -1, font.get(), &layout, nullptr, &box, nullptr, nullptr);
    return box.Width;
}

} // namespace

TEST(ClsCalendar, DatePickerMonthsStartOnTheirWeekdayAndFillTheirRows) {
    struct Case {
        int32_t year, month, shownYear, shownMonth, firstColumn, days;
        bool title;
    };
    const Case cases[] = {
        {2026, 8, 2026, 8, 6, 31, true},   // a Saturday: day 1 alone in the first row, 31 in the sixth
        {2015, 2, 2015, 2, 0, 28, true},   // a Sunday: exactly four rows, cells to index 27
        {2100, 2, 2100, 2, 1, 28, true},   // a century that is no leap year
        {2000, 2, 2000, 2, 2, 29, true},   // one that is
        {2024, 2, 2024, 2, 4, 29, true},   // an ordinary leap year
        {2026, 0, 2025, 12, 1, 31, false}, // month 0: December of the year before, no title
        {2026, 13, 2027, 1, 5, 31, false}, // month 13: January of the year after, no title
    };
    const float mod = TahomaWidth(L"Mod", 12);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.year << "-" << c.month);
        Page page;
        ClsCalendar calendar;
        DatePickerDraw(calendar, page, c.year, c.month);
        EXPECT_EQ(calendar.Month().year, c.shownYear);
        EXPECT_EQ(calendar.Month().month, c.shownMonth);
        // A column is "Mod" at 12 pixels plus the gap; the height leaves out the row interval.
        const RectF cell = calendar.CellBox();
        EXPECT_NEAR(calendar.Width(), 7 * (mod + 2), 3.5);
        EXPECT_FLOAT_EQ(calendar.Height(), 7 * cell.Height + calendar.TitleBox().Height + 25);

        const float step = cell.Width + 2, firstRowY = kY + cell.Height + 25 + 25;
        const std::vector<RectF>& days = calendar.CalendarDayRects();
        ASSERT_EQ(days.size(), static_cast<size_t>(c.days));
        for (size_t k = 0; k < days.size(); ++k) {
            const int slot = c.firstColumn + static_cast<int>(k);
            EXPECT_NEAR(days[k].X, kX + 8 + static_cast<float>(slot % 7) * step, 0.01) << "day " << k + 1;
            EXPECT_NEAR(days[k].Y, firstRowY + static_cast<float>(slot / 7) * (cell.Height + 6), 0.01)
                << "day " << k + 1;
            EXPECT_EQ(days[k].Width, 16);
        }
        // The title, when there is one, is the only ink above the weekday row.
        EXPECT_EQ(page.Darkest(0, 0, 520, kY + cell.Height + 25) < 100, c.title);
    }
}

TEST(ClsCalendar, SimpleModeShowsDaysWithPicturesAndKeepsItsOwnCells) {
    Page page;
    ClsCalendar picker;
    picker.Enabled(0, true);  // day 1
    picker.Enabled(32, true); // past the flags: ignored
    picker.Enabled(-1, true);
    DatePickerDraw(picker, page, 2015, 2);
    const std::vector<RectF> days = picker.CalendarDayRects();
    ASSERT_EQ(days.size(), 28u);
    auto darkest = [&](size_t k) { return page.Darkest(days[k].X, days[k].Y, days[k].X + 16, days[k].Y + 16); };
    EXPECT_LT(darkest(0), 60);  // black at opacity 255, bold
    EXPECT_GT(darkest(1), 120); // black at opacity 100 over white
    EXPECT_LT(darkest(1), 200);
    EXPECT_GT(darkest(27), 120);

    // Another calendar, made and drawn in the normal mode, records no cells and leaves these alone.
    Page other;
    ClsCalendar canvasCalendar;
    canvasCalendar.DrawCalendar(other.target(), 20, 20, 30, 10);
    EXPECT_EQ(canvasCalendar.CalendarDayRects().size(), 32u);
    ASSERT_EQ(picker.CalendarDayRects().size(), 28u);
    EXPECT_EQ(picker.CalendarDayRects()[27].Y, days[27].Y);
}

TEST(ClsCalendar, NormalModeDrawsDayNumbersInTheirColumns) {
    Page page;
    ClsCalendar calendar;
    calendar.Years(2026);
    calendar.Months(8);
    calendar.DrawCalendar(page.target(), kX, kY, 30, 10);
    const RectF cell = calendar.CellBox();
    const float step = cell.Width + 10, firstRowY = kY + cell.Height + 30 + 30;
    auto rowInk = [&](int row, int fromColumn, int toColumn) {
        const float top = firstRowY + static_cast<float>(row) * cell.Height;
        return page.Darkest(kX + 8 + static_cast<float>(fromColumn) * step, top,
                            kX + 8 + static_cast<float>(toColumn) * step, top + cell.Height);
    };
    EXPECT_EQ(rowInk(0, 0, 6), 255); // August 2026 begins on a Saturday
    EXPECT_LT(rowInk(0, 6, 7), 100);
    EXPECT_LT(rowInk(5, 0, 2), 100); // days 30 and 31
    EXPECT_EQ(rowInk(5, 2, 7), 255);
}
