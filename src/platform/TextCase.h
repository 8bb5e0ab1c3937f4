// Letter case of names and texts for comparisons, the same for every user (not the user's locale).
#pragma once

#include <string>

// Lower case of a text, independent of the user's locale.
std::wstring LowerText(const std::wstring& text);
// Upper case of a text, independent of the user's locale; names sort by it.
std::wstring UpperText(const std::wstring& text);
