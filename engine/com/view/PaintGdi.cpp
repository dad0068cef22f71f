#include "engine/com/view/PaintGdi.h"

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <string_view>

namespace vellum::engine::com {

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  // The background colour of ExtTextOut fills without creating a brush, the cheapest fill GDI has.
  COLORREF previous = SetBkColor(dc, color);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
  SetBkColor(dc, previous);
}

void FillSystem(HDC dc, const RECT& rect, int systemColor) { FillSolid(dc, rect, GetSysColor(systemColor)); }

RECT ToRect(int x, int y, int width, int height) { return RECT{x, y, x + std::max(0, width), y + std::max(0, height)}; }

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
// without the usual font set); the first one present is taken. The project installs the Liberation
// fonts, which have the metrics of the core faces, so that every machine lays out and paints alike.
struct FamilyFallback {
  const wchar_t* family;
  const wchar_t* standIns[3];
};
constexpr FamilyFallback kFallbacks[] = {
    {L"Courier New", {L"Liberation Mono", L"DejaVu Sans Mono", L"Courier"}},
    {L"Times New Roman", {L"Liberation Serif", L"DejaVu Serif", L"Times"}},
    {L"Arial", {L"Liberation Sans", L"DejaVu Sans", L"Helvetica"}},
    {L"Helvetica", {L"Liberation Sans", L"DejaVu Sans", nullptr}},
    {L"Times", {L"Liberation Serif", L"DejaVu Serif", nullptr}},
    {L"MS Sans Serif", {L"Microsoft Sans Serif", L"Tahoma", L"Liberation Sans"}},
};
// The family of a page that names none the machine has, as in a browser: its default, serif.
constexpr const wchar_t* kDefaultFamily = L"Times New Roman";

// Whether the font made is of the family asked for (and not the platform's substitute for anything).
bool IsOfFamily(HDC dc, HFONT font, std::wstring_view family) {
  HGDIOBJ previous = SelectObject(dc, font);
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, face);
  SelectObject(dc, previous);
  return family.size() < LF_FACESIZE &&
         CompareStringOrdinal(face, -1, family.data(), static_cast<int>(family.size()), TRUE) == CSTR_EQUAL;
}

// The font of exactly that family (or of a stand-in for it); null when the machine has neither.
HFONT CreateOfFamily(HDC dc, LOGFONTW logFont, std::wstring_view family) {
  auto tryFace = [&](std::wstring_view face) -> HFONT {
    if (face.empty() || face.size() >= LF_FACESIZE) return nullptr;
    std::fill(std::begin(logFont.lfFaceName), std::end(logFont.lfFaceName), L'\0');
    std::copy(face.begin(), face.end(), logFont.lfFaceName);
    HFONT font = CreateFontIndirectW(&logFont);
    if (font && IsOfFamily(dc, font, face)) return font;
    if (font) DeleteObject(font);
    return nullptr;
  };
  if (HFONT font = tryFace(family)) return font;
  for (const FamilyFallback& fallback : kFallbacks) {
    if (CompareStringOrdinal(fallback.family, -1, family.data(), static_cast<int>(family.size()), TRUE) != CSTR_EQUAL)
      continue;
    for (const wchar_t* standIn : fallback.standIns)
      if (HFONT font = standIn ? tryFace(standIn) : nullptr) return font;
  }
  return nullptr;
}

}  // namespace

HFONT CreatePageFont(HDC dc, const FontDescription& wanted) {
  LOGFONTW logFont = {};
  logFont.lfHeight = -wanted.pixelSize;
  logFont.lfWeight = wanted.weight;
  logFont.lfItalic = wanted.slant == FontSlant::Italic;
  logFont.lfUnderline = Has(wanted.lines, TextLine::Underline);
  logFont.lfStrikeOut = Has(wanted.lines, TextLine::LineThrough);
  logFont.lfCharSet = DEFAULT_CHARSET;
  logFont.lfQuality = DEFAULT_QUALITY;
  std::wstring_view families = wanted.families;
  std::wstring_view first;
  while (!families.empty()) {
    const std::size_t comma = std::min(families.find(L','), families.size());
    const std::wstring_view family = families.substr(0, comma);
    if (first.empty()) first = family;
    if (HFONT font = CreateOfFamily(dc, logFont, family)) return font;
    families.remove_prefix(std::min(comma + 1, families.size()));
  }
  if (HFONT font = CreateOfFamily(dc, logFont, kDefaultFamily)) return font;
  // Not even the default: whatever the platform makes of the first name.
  const std::size_t length = std::min<std::size_t>(first.size(), LF_FACESIZE - 1);
  std::copy_n(first.begin(), length, logFont.lfFaceName);
  logFont.lfFaceName[length] = L'\0';
  return CreateFontIndirectW(&logFont);
}

PageFont CFontCache::Get(HDC dc, const FontDescription& wanted) {
  for (const Entry& entry : fonts_)
    if (entry.wanted == wanted) return {static_cast<HFONT>(entry.font.get()), entry.height};
  if (fonts_.size() >= kBudget) fonts_.clear();
  HFONT font = CreatePageFont(dc, wanted);
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

CDrawingState::CDrawingState(HDC dc) : dc_(dc), original_(GetCurrentObject(dc, OBJ_FONT)), color_(GetTextColor(dc)) {
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

}  // namespace vellum::engine::com
