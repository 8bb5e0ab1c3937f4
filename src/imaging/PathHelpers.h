// Building and splitting file paths.
#pragma once

#include <string>

// Path with "\" appended unless it already ends in one (an empty path becomes "\").
std::wstring AddBackslash(const std::wstring& path);

// The text after the last "\" of path; the whole path when it holds none.
std::wstring GetFileName(const std::wstring& path);

// The name of a new empty file made in target's folder (prefix: up to three letters), for
// writing beside target and moving over it once written; empty when none can be made.
std::wstring TemporaryNameBeside(const std::wstring& target, const wchar_t* prefix);
