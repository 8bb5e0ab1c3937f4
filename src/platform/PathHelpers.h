// Building and splitting file paths, and writing a file so that a failed write never damages the
// file it was meant to replace.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <span>
#include <string>

// Path with "\" appended unless it already ends in one (an empty path becomes "\").
std::wstring AddBackslash(const std::wstring& path);

// The text after the last "\" of path; the whole path when it holds none.
std::wstring GetFileName(const std::wstring& path);

// The text after the last "." of the file-name part of path, in the name's own letter case; empty
// when the name has no ".".
std::wstring FileExtension(const std::wstring& path);

// The file type: the lower-case text after the last "." of the file-name part of path; a name
// without a "." gives the whole name in lower case.
std::wstring GetFileExt(const std::wstring& path);

// path in the form the file calls accept past MAX_PATH characters ("\\?\" before a full path);
// shorter paths come back as they are.
std::wstring LongPathForm(const std::wstring& path);

// The name of a new empty file made in target's folder (prefix: up to three letters), for
// writing beside target and moving over it once written; empty when none can be made. Works in
// folders whose path is longer than MAX_PATH.
std::wstring TemporaryNameBeside(const std::wstring& target, const wchar_t* prefix);

// Writes target through a temporary file beside it: write fills the file named by its argument and
// says whether it succeeded; only then, and only when the file is not empty, does it replace
// target. Otherwise, or when target cannot be replaced, the temporary file is removed (whatever
// failed, an exception of write's too) and target is left as it was. A target, or temporary file,
// that another program has open is waited for up to two seconds. A read-only target is refused
// (Windows would refuse to replace it; Wine's MoveFileEx would not).
[[nodiscard]] bool WriteThroughTemporaryFile(const std::wstring& target,
                                             const std::function<bool(const std::wstring& temporary)>& write);

// The same for bytes in memory, written part after part.
[[nodiscard]] bool WriteFileReplacing(const std::wstring& target,
                                      std::initializer_list<std::span<const uint8_t>> parts);
