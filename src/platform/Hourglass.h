// The hourglass pointer for the length of a long operation, as a scoped object; nested ones keep
// it until the outermost ends, which puts the previous pointer back.
#pragma once

#include <windows.h>

class Hourglass {
public:
    Hourglass();
    ~Hourglass();
    Hourglass(const Hourglass&) = delete; // each one counts in and out once
    Hourglass& operator=(const Hourglass&) = delete;

    // True while any hourglass is alive; windows of ours show it over themselves meanwhile.
    [[nodiscard]] static bool Active();
    [[nodiscard]] static HCURSOR Cursor();

private:
    HCURSOR previous_ = nullptr;
};
