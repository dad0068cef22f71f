#include "properties/ColourNames.h"

#include <cwchar>

namespace colour_names {

namespace {

struct SystemColour {
  const wchar_t* name;
  int index;  // for GetSysColor
};

// In the order of the list, after "<<custom>>".
constexpr SystemColour kSystemColours[] = {
    {L"activeborder", COLOR_ACTIVEBORDER},
    {L"activecaption", COLOR_ACTIVECAPTION},
    {L"appworkspace", COLOR_APPWORKSPACE},
    {L"background", COLOR_BACKGROUND},
    {L"buttonface", COLOR_BTNFACE},
    {L"buttonhighlight", COLOR_BTNHIGHLIGHT},
    {L"buttonshadow", COLOR_BTNSHADOW},
    {L"buttontext", COLOR_BTNTEXT},
    {L"captiontext", COLOR_CAPTIONTEXT},
    {L"graytext", COLOR_GRAYTEXT},
    {L"highlight", COLOR_HIGHLIGHT},
    {L"highlighttext", COLOR_HIGHLIGHTTEXT},
    {L"inactiveborder", COLOR_INACTIVEBORDER},
    {L"inactivecaption", COLOR_INACTIVECAPTION},
    {L"inactivecaptiontext", COLOR_INACTIVECAPTIONTEXT},
    {L"infobackground", COLOR_INFOBK},
    {L"infotext", COLOR_INFOTEXT},
    {L"menu", COLOR_MENU},
    {L"menutext", COLOR_MENUTEXT},
    {L"scrollbar", COLOR_SCROLLBAR},
    {L"threeddarkshadow", COLOR_3DDKSHADOW},
    {L"threedface", COLOR_BTNFACE},
    {L"threedhighlight", COLOR_BTNHIGHLIGHT},
    {L"threedlightshadow", COLOR_3DLIGHT},
    {L"threedshadow", COLOR_BTNSHADOW},
    {L"window", COLOR_WINDOW},
    {L"windowframe", COLOR_WINDOWFRAME},
    {L"windowtext", COLOR_WINDOWTEXT},
};
static_assert(sizeof kSystemColours / sizeof kSystemColours[0] == 28);

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

}  // namespace

const wchar_t* const kColourList[] = {kCustom,
                                      L"activeborder",
                                      L"activecaption",
                                      L"appworkspace",
                                      L"background",
                                      L"buttonface",
                                      L"buttonhighlight",
                                      L"buttonshadow",
                                      L"buttontext",
                                      L"captiontext",
                                      L"graytext",
                                      L"highlight",
                                      L"highlighttext",
                                      L"inactiveborder",
                                      L"inactivecaption",
                                      L"inactivecaptiontext",
                                      L"infobackground",
                                      L"infotext",
                                      L"menu",
                                      L"menutext",
                                      L"scrollbar",
                                      L"threeddarkshadow",
                                      L"threedface",
                                      L"threedhighlight",
                                      L"threedlightshadow",
                                      L"threedshadow",
                                      L"window",
                                      L"windowframe",
                                      L"windowtext",
                                      nullptr};

bool ColourOfText(const std::wstring& text, COLORREF& colour) {
  for (const SystemColour& system : kSystemColours) {
    if (text == system.name) {
      colour = GetSysColor(system.index);
      return true;
    }
  }
  if (text.size() != 7 && text.size() != 4) return false;
  if (text[0] != L'#') return false;
  int digits[6];
  for (size_t i = 1; i < text.size(); ++i)
    if ((digits[i - 1] = HexDigit(text[i])) < 0) return false;
  if (text.size() == 4) {  // "#rgb" doubles each digit
    colour = RGB(digits[0] * 17, digits[1] * 17, digits[2] * 17);
  } else {
    colour = RGB(digits[0] * 16 + digits[1], digits[2] * 16 + digits[3], digits[4] * 16 + digits[5]);
  }
  return true;
}

std::wstring TextOfColour(COLORREF colour) {
  wchar_t text[8];
  swprintf(text, 8, L"#%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
  return text;
}

}  // namespace colour_names
