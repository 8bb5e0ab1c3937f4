// Letter case of names and texts for comparisons: one folding and one order for every list the
// user sees, the same for every user (not the user's locale).
#pragma once

#include <string>

// The one case folding by which names and texts match and sort: upper case, independent of the
// user's locale (so "ab.gif" comes before "a_b.gif" in every list).
std::wstring FoldCase(const std::wstring& text);
// The one order of names the user sees: by their folded text, code unit by code unit (<0, 0, >0).
int CompareNoCase(const std::wstring& a, const std::wstring& b);

// Lower case of a text, independent of the user's locale; for showing, not for comparing.
std::wstring LowerText(const std::wstring& text);
// Upper case of a text, independent of the user's locale (what FoldCase does).
std::wstring UpperText(const std::wstring& text);
