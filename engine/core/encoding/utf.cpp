#include "encoding/utf.h"

#include <cstdint>

namespace vellum::engine::encoding {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

void AppendCodePoint(std::u16string& out, char32_t cp) {
  if (cp >= 0xD800 && cp <= 0xDFFF) {
    out.push_back(kReplacement);
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char16_t>(cp));
  } else if (cp <= 0x10FFFF) {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  } else {
    out.push_back(kReplacement);
  }
}

void DecodeUtf8(std::string_view bytes, std::u16string& out) {
  out.reserve(out.size() + bytes.size());
  char32_t codePoint = 0;
  int needed = 0;
  int seen = 0;
  unsigned lower = 0x80;
  unsigned upper = 0xBF;
  std::size_t i = 0;
  while (i < bytes.size()) {
    const unsigned byte = static_cast<unsigned char>(bytes[i]);
    if (needed == 0) {
      ++i;
      if (byte < 0x80) {
        out.push_back(static_cast<char16_t>(byte));
      } else if (byte >= 0xC2 && byte <= 0xDF) {
        needed = 1;
        codePoint = byte & 0x1F;
      } else if (byte >= 0xE0 && byte <= 0xEF) {
        lower = byte == 0xE0 ? 0xA0 : 0x80;
        upper = byte == 0xED ? 0x9F : 0xBF;
        needed = 2;
        codePoint = byte & 0x0F;
      } else if (byte >= 0xF0 && byte <= 0xF4) {
        lower = byte == 0xF0 ? 0x90 : 0x80;
        upper = byte == 0xF4 ? 0x8F : 0xBF;
        needed = 3;
        codePoint = byte & 0x07;
      } else {
        out.push_back(kReplacement);
      }
      continue;
    }
    if (byte < lower || byte > upper) {
      // The sequence ends here; the byte is looked at again as the start of the next one.
      out.push_back(kReplacement);
      needed = seen = 0;
      codePoint = 0;
      lower = 0x80;
      upper = 0xBF;
      continue;
    }
    ++i;
    lower = 0x80;
    upper = 0xBF;
    codePoint = (codePoint << 6) | (byte & 0x3F);
    if (++seen == needed) {
      AppendCodePoint(out, codePoint);
      needed = seen = 0;
      codePoint = 0;
    }
  }
  if (needed != 0) {
    out.push_back(kReplacement);
  }
}

void DecodeUtf16(std::string_view bytes, ByteOrder order, std::u16string& out) {
  out.reserve(out.size() + bytes.size() / 2 + 1);
  const std::size_t units = bytes.size() / 2;
  const int highByte = order == ByteOrder::LittleEndian ? 1 : 0;
  char16_t pendingHigh = 0;
  for (std::size_t u = 0; u < units; ++u) {
    const auto hi = static_cast<unsigned char>(bytes[2 * u + highByte]);
    const auto lo = static_cast<unsigned char>(bytes[2 * u + 1 - highByte]);
    const auto unit = static_cast<char16_t>((hi << 8) | lo);
    if (pendingHigh != 0) {
      if (IsLowSurrogate(unit)) {
        out.push_back(pendingHigh);
        out.push_back(unit);
        pendingHigh = 0;
        continue;
      }
      out.push_back(kReplacement);
      pendingHigh = 0;
    }
    if (IsHighSurrogate(unit)) {
      pendingHigh = unit;
    } else if (IsLowSurrogate(unit)) {
      out.push_back(kReplacement);
    } else {
      out.push_back(unit);
    }
  }
  if (pendingHigh != 0) {
    out.push_back(kReplacement);
  }
  if (bytes.size() % 2 != 0) {
    out.push_back(kReplacement);
  }
}

std::string EncodeUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t cp = text[i];
    if (IsHighSurrogate(cp) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (IsHighSurrogate(cp) || IsLowSurrogate(cp)) {
      cp = kReplacement;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

}  // namespace vellum::engine::encoding
