// The open and save dialogs' module: for now the file-type helper that the save paths share.
#pragma once

#include <string>

// The lower-case text after the last "." of the file-name part of path (after the last "\");
// a name without a "." gives the whole name in lower case.
std::wstring GetFileExt(const std::wstring& path);
