// Eight UTF-16 units at a time over the ASCII runs that make up nearly all of a saved form: names,
// styles, ids and values are copied into the 8-bit output and lower-cased without a look at each unit.
#pragma once

#include <emmintrin.h>

namespace dom2html {

// The units that end a plain run besides non-ASCII ones (each may need escaping).
enum class RunStops { NonAsciiOnly, NonAsciiAndMarkup };

// Copies units as bytes from the start of text while they are ASCII and, with NonAsciiAndMarkup,
// none of '&', '<', '"' and a carriage return. Returns how many were copied.
inline int CopyPlainRun(const wchar_t* text, int length, char* out, RunStops stops) {
  const __m128i notAscii = _mm_set1_epi16(static_cast<short>(0xFF80));
  const __m128i amp = _mm_set1_epi16(L'&'), lt = _mm_set1_epi16(L'<'), quot = _mm_set1_epi16(L'"');
  const __m128i cr = _mm_set1_epi16(L'\r');
  const bool markupStops = stops == RunStops::NonAsciiAndMarkup;
  int i = 0;
  for (; i + 8 <= length; i += 8) {
    const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
    __m128i stop =
        _mm_andnot_si128(_mm_cmpeq_epi16(_mm_and_si128(units, notAscii), _mm_setzero_si128()), _mm_set1_epi16(-1));
    if (markupStops)
      stop = _mm_or_si128(stop, _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(units, amp), _mm_cmpeq_epi16(units, lt)),
                                             _mm_or_si128(_mm_cmpeq_epi16(units, quot), _mm_cmpeq_epi16(units, cr))));
    if (_mm_movemask_epi8(stop)) break;
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(units, units));
  }
  for (; i < length; ++i) {
    const wchar_t c = text[i];
    if (c >= 0x80 || (markupStops && (c == L'&' || c == L'<' || c == L'"' || c == L'\r'))) break;
    out[i] = static_cast<char>(c);
  }
  return i;
}

// Lower-cases the ASCII letters from the start of text, up to its first non-ASCII unit, whose index
// it returns (length when there is none).
inline int LowerAsciiRun(wchar_t* text, int length) {
  const __m128i notAscii = _mm_set1_epi16(static_cast<short>(0xFF80));
  const __m128i beforeA = _mm_set1_epi16(L'A' - 1), afterZ = _mm_set1_epi16(L'Z' + 1);
  const __m128i caseBit = _mm_set1_epi16(0x20);
  int i = 0;
  for (; i + 8 <= length; i += 8) {
    __m128i* at = reinterpret_cast<__m128i*>(text + i);
    const __m128i units = _mm_loadu_si128(at);
    if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(units, notAscii), _mm_setzero_si128())) != 0xFFFF) break;
    const __m128i upper = _mm_and_si128(_mm_cmpgt_epi16(units, beforeA), _mm_cmplt_epi16(units, afterZ));
    _mm_storeu_si128(at, _mm_or_si128(units, _mm_and_si128(upper, caseBit)));
  }
  for (; i < length && text[i] < 0x80; ++i)
    if (text[i] >= L'A' && text[i] <= L'Z') text[i] = static_cast<wchar_t>(text[i] + (L'a' - L'A'));
  return i;
}

}  // namespace dom2html
