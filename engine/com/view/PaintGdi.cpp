#include "engine/com/view/PaintGdi.h"

#include <algorithm>
#include <cwchar>

namespace engine {

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  // The background colour of ExtTextOut fills without creating a brush, the cheapest fill GDI has.
  COLORREF previous = SetBkColor(dc, color);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  SetBkColor(dc, previous);
}

void FillSystem(HDC dc, const RECT& rect, int systemColor) { FillSolid(dc, rect, GetSysColor(systemColor)); }

RECT ToRect(int x, int y, int width, int height) {
  return RECT{x, y, x + std::max(0, width), y + std::max(0, height)};
}

bool Intersects(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

namespace {

int CellHeight(HDC dc, HFONT font) {
  HGDIOBJ previous = SelectObject(dc, font);
  TEXTMETRICW metrics = {};
  const int height = GetTextMetricsW(dc, &metrics) && metrics.tmHeight > 0 ? metrics.tmHeight : 16;
  SelectObject(dc, previous);
  return height;
}

// Fonts that stand in for the common families where the platform lacks them (as on a system
// without the usual font set); the first one present is taken.
struct FamilyFallback {
  const wchar_t* family;
  const wchar_t* standIns[3];
};
constexpr FamilyFallback kFallbacks[] = {
    {L"Courier New", {L"Liberation Mono", L"DejaVu Sans Mono", L"Courier"}},
    {L"Times New Roman", {L"Liberation Serif", L"DejaVu Serif", L"Times"}},
    {L"Arial", {L"Liberation Sans", L"DejaVu Sans", L"Helvetica"}},
};

// Whether the font made is of the family asked for (and not the platform's substitute for anything).
bool IsOfFamily(HDC dc, HFONT font, const wchar_t* family) {
  HGDIOBJ previous = SelectObject(dc, font);
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, face);
  SelectObject(dc, previous);
  return lstrcmpiW(face, family) == 0;
}

HFONT CreateWithFallback(HDC dc, LOGFONTW& logFont) {
  HFONT font = CreateFontIndirectW(&logFont);
  for (const FamilyFallback& fallback : kFallbacks) {
    if (!font || lstrcmpiW(logFont.lfFaceName, fallback.family) != 0 || IsOfFamily(dc, font, fallback.family)) continue;
    for (const wchar_t* standIn : fallback.standIns) {
      LOGFONTW other = logFont;
      wcsncpy(other.lfFaceName, standIn, LF_FACESIZE - 1);
      HFONT candidate = CreateFontIndirectW(&other);
      if (candidate && IsOfFamily(dc, candidate, standIn)) {
        DeleteObject(font);
        return candidate;
      }
      if (candidate) DeleteObject(candidate);
    }
  }
  return font;
}

}  // namespace

PageFont CFontCache::Get(HDC dc, const FontSpec& wanted) {
  for (const Entry& entry : fonts_)
    if (entry.wanted == wanted) return {static_cast<HFONT>(entry.font.get()), entry.height};
  if (fonts_.size() >= kBudget) fonts_.clear();
  LOGFONTW logFont = {};
  logFont.lfHeight = -wanted.pixelSize;
  logFont.lfWeight = wanted.weight;
  logFont.lfItalic = wanted.slant == FontSlant::Italic;
  logFont.lfUnderline = Has(wanted.lines, TextLine::Underline);
  logFont.lfStrikeOut = Has(wanted.lines, TextLine::LineThrough);
  logFont.lfCharSet = DEFAULT_CHARSET;
  logFont.lfQuality = DEFAULT_QUALITY;
  wcsncpy(logFont.lfFaceName, wanted.family.c_str(), LF_FACESIZE - 1);
  HFONT font = CreateWithFallback(dc, logFont);
  if (!font) return Control(dc);
  const int height = CellHeight(dc, font);
  fonts_.push_back({wanted, GdiObject(font), height});
  return {font, height};
}

PageFont CFontCache::Control(HDC dc) {
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (controlHeight_ == 0) controlHeight_ = CellHeight(dc, font);
  return {font, controlHeight_};
}

CDrawingState::CDrawingState(HDC dc)
    : dc_(dc), original_(GetCurrentObject(dc, OBJ_FONT)), color_(GetTextColor(dc)) {
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_TOP | TA_LEFT | TA_NOUPDATECP);
}

CDrawingState::~CDrawingState() {
  if (font_) SelectObject(dc_, original_);
}

void CDrawingState::Font(HFONT font) {
  if (font == font_ || !font) return;
  SelectObject(dc_, font);
  font_ = font;
}

void CDrawingState::TextColor(COLORREF color) {
  if (color == color_) return;
  SetTextColor(dc_, color);
  color_ = color;
}

HBRUSH CTrackBrush::Get() {
  if (!brush_) {
    static const WORD kChecker[8] = {0x55, 0xaa, 0x55, 0xaa, 0x55, 0xaa, 0x55, 0xaa};
    pattern_ = GdiObject(CreateBitmap(8, 8, 1, 1, kChecker));
    if (pattern_) brush_ = GdiObject(CreatePatternBrush(static_cast<HBITMAP>(pattern_.get())));
  }
  return static_cast<HBRUSH>(brush_.get());
}

}  // namespace engine
