// The colour rows' list: "<<custom>>" and the 28 system colour names, and the colour a text stands for.
#pragma once

#include <windows.h>

#include <string>

namespace colour_names {

inline constexpr wchar_t kCustom[] = L"<<custom>>";

// The 29 texts of a colour row's list, ending in a null entry.
extern const wchar_t* const kColourList[];

// The colour of a system colour name (exact), "#rrggbb" or "#rgb" (hexadecimal digits of either case);
// false for any other text.
bool ColourOfText(const std::wstring& text, COLORREF& colour);
// "#RRGGBB" with upper-case digits.
std::wstring TextOfColour(COLORREF colour);

}  // namespace colour_names
