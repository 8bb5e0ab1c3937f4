// Files with chosen sizes and times for the grid's tests, and a side panel that records the marks.
#pragma once

#include "browser/GridSidePanel.h"

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

SYSTEMTIME LocalTime(int year, int month, int day, int hour = 12, int minute = 0, int second = 0);

// Creates folder + name with size bytes (a sparse tail for large sizes); false when it could not.
bool MakeSizedFile(const std::wstring& path, uint64_t size);
// Sets the created and modified times, given as local times.
bool SetLocalFileTimes(const std::wstring& path, const SYSTEMTIME& created, const SYSTEMTIME& modified);
// The locale's decimal separator, as the size texts use it.
std::wstring DecimalSeparator();

class FakeGridSidePanel : public GridSidePanel {
public:
    int32_t month = 3;
    int32_t year = 2005;
    std::vector<std::pair<int32_t, bool>> calls; // every EnabledDays, in order
    std::array<bool, 31> marks{};                // the days as marked now
    int refreshes = 0;
    int outOfRange = 0;

    void EnabledDays(int32_t dayIndex, bool enabled) override {
        calls.emplace_back(dayIndex, enabled);
        if (dayIndex >= 0 && dayIndex < 31)
            marks[static_cast<size_t>(dayIndex)] = enabled;
        else
            ++outOfRange;
    }
    void RefreshCalender() override { ++refreshes; }
    int32_t ShownMonth() const override { return month; }
    int32_t ShownYear() const override { return year; }

    std::vector<int32_t> MarkedDays() const {
        std::vector<int32_t> days;
        for (size_t i = 0; i < marks.size(); ++i)
            if (marks[i]) days.push_back(static_cast<int32_t>(i) + 1);
        return days;
    }
};
