#include "controls/UserCalender.h"

#include "platform/HitRect.h"
#include "imaging/GdiDIB.h"
#include "imaging/ModGDI.h"
#include "imaging/PaintPrimitives.h"
#include "platform/AppState.h"
#include "platform/Rounding.h"

#include <algorithm>

namespace {

constexpr COLORREF kBackColor = RGB(238, 238, 238);
constexpr float kButtonSize = 16;
constexpr float kButtonTop = 30;

// The left margin that centres the 210-pixel calendar.
int32_t Margin(int width) {
    return RoundHalfEven(static_cast<double>(width) - 210) / 2;
}

} // namespace

UserCalender::UserCalender() {
    SYSTEMTIME today{};
    ::GetLocalTime(&today);
    selectedYear_ = today.wYear;
    selectedMonth_ = today.wMonth;
    selectedDay_ = today.wDay;
    calendar_.Simple(true);
    calendar_.Years(selectedYear_);
    calendar_.Months(selectedMonth_);
    calendar_.FontSize(12);
    calendar_.RowInterval(6);
    calendar_.TextRender(1);
}

bool UserCalender::Create(const PictureBoxArgs& args) {
    PictureBoxArgs own = args;
    own.backColor = kBackColor;
    if (!PictureBox::Create(own)) return false;
    onResize = [this] { Layout(); };
    onMouseMove = [this](int, int, float x, float y) { OnMove(x, y); };
    onMouseUp = [this](int button, int shift, float x, float y) { OnRelease(button, shift, x, y); };
    Layout();
    return true;
}

void UserCalender::Layout() {
    const float x0 = static_cast<float>(Margin(Width()) + 180);
    const float offsets[] = {0, 21, 42, 64};
    for (size_t i = 0; i < buttonRects_.size(); ++i)
        buttonRects_[i] = RectF(x0 - offsets[i], kButtonTop, kButtonSize, kButtonSize);
}

void UserCalender::Painting() {
    if (App().GdiplusToken == 0) return;
    const int32_t margin = Margin(Width());
    const float barWidth = static_cast<float>(RoundHalfEven(static_cast<double>(Width()) - 2.0 * margin - 20));
    Cls();
    {
        GdipGraphics graphics = CreateGraphics();
        GpGraphics* g = graphics.get();
        if (!g) return;
        GdipSetSmoothingMode(g, SmoothingModeAntiAlias);
        // A missing button image leaves its button blank.
        for (size_t i = 0; i < buttonRects_.size(); ++i) {
            const GdipImage image(LoadImageFromFileCopy(App().DataPath + L"Calbutton" + std::to_wstring(i) + L".png"));
            const RectF& r = buttonRects_[i];
            if (image) GdipDrawImageRect(g, image.get(), r.X, r.Y, r.Width, r.Height);
        }
        const uint32_t shade = ColorARGB(20, 0, 0, 0);
        for (int k = 0; k < 6; ++k) {
            const int32_t y = 83 + 22 * k;
            DrawRoundGradientRect(DrawTarget::Surface(g), 0, y, 0, y + 10, static_cast<float>(margin),
                                  static_cast<float>(y), barWidth, 10, 10, 10, shade, shade, false, 1,
                                  ColorARGB(150, 255, 255, 255));
        }
    }
    calendar_.DrawCalendar(DrawTarget::Dc(hDC()), static_cast<float>(margin), 20, 25, 2);
    Refresh();
}

void UserCalender::EnabledDays(int32_t dayIndex, bool value) {
    if (dayIndex >= 0 && dayIndex <= 30) calendar_.Enabled(dayIndex, value);
}

void UserCalender::OnMove(float x, float y) {
    if (App().GdiplusToken == 0) return;
    SetMousePointer(MousePointer::Default);
    for (size_t i = 0; i < buttonRects_.size(); ++i) {
        if (HitRect(buttonRects_[i], x, y)) {
            (void)SetMouseIcon(L"MOUSED");
            hot_ = true;
            hotIndex_ = static_cast<int32_t>(i);
            // A release here steps the calendar; it picks no day.
            dayHit_ = false;
            return;
        }
    }
    hot_ = false;
    const std::vector<RectF>& cells = calendar_.CalendarDayRects();
    for (size_t k = 0; k < cells.size(); ++k) {
        if (HitRect(cells[k], x, y)) {
            (void)SetMouseIcon(L"MOUSED");
            selectedDay_ = static_cast<int32_t>(k) + 1;
            dayHit_ = true;
            return;
        }
    }
    dayHit_ = false;
}

void UserCalender::OnRelease(int button, int shift, float x, float y) {
    if (hot_) {
        const int32_t oldMonth = selectedMonth_, oldYear = selectedYear_;
        switch (hotIndex_) {
        case 0:
            ++selectedYear_;
            break;
        case 1:
            ++selectedMonth_;
            break;
        case 2:
            --selectedMonth_;
            break;
        default:
            --selectedYear_;
            break;
        }
        selectedMonth_ = std::clamp(selectedMonth_, 1, 12);
        selectedYear_ = std::clamp(selectedYear_, kFirstYear, kLastYear);
        // The marks belong to the month they were counted for; the host counts the new one's.
        if (selectedMonth_ != oldMonth || selectedYear_ != oldYear)
            for (int32_t day = 0; day <= 30; ++day) EnabledDays(day, false);
        calendar_.Months(selectedMonth_);
        calendar_.Years(selectedYear_);
        Painting();
    }
    if (onClick) onClick(button, shift, x, y);
}
