// What the recording fakes share: every call written as one line, e.g. L"EnabledID(8, true)",
// in the order the calls came.
#pragma once

#include <string>
#include <vector>

struct CallLog {
    std::vector<std::wstring> calls;

    void Add(std::wstring call) { calls.push_back(std::move(call)); }
    [[nodiscard]] size_t Count(const std::wstring& call) const {
        size_t n = 0;
        for (const auto& c : calls) n += c == call;
        return n;
    }
    [[nodiscard]] bool Has(const std::wstring& call) const { return Count(call) > 0; }
};

inline std::wstring Arg(bool value) {
    return value ? L"true" : L"false";
}
inline std::wstring Arg(int value) {
    return std::to_wstring(value);
}
inline std::wstring Arg(long value) {
    return std::to_wstring(value);
}
inline std::wstring Arg(float value) {
    return std::to_wstring(value);
}
inline std::wstring Arg(const std::wstring& value) {
    return L"\"" + value + L"\"";
}
