#include "encoding/code_page.h"

#include <array>

namespace vellum::engine::encoding {
namespace {

// Windows-1252 differs from ISO-8859-1 only in 0x80..0x9F. The five bytes Windows leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 code points of the same value, as MultiByteToWideChar does.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t DecodeByte(CodePage codePage, unsigned char byte) {
  if (byte < 0x80) {
    return byte;
  }
  switch (codePage) {
    case kCodePageWindows1252:
      return byte < 0xA0 ? kWindows1252High[byte - 0x80] : char16_t(byte);
    case kCodePageLatin1:
      return byte;
    default:  // US-ASCII has no characters above 0x7F.
      return 0xFFFD;
  }
}

}  // namespace

BuiltinCodePageConverter::BuiltinCodePageConverter(CodePage ansiCodePage) : ansiCodePage_(ansiCodePage) {}

bool BuiltinCodePageConverter::Supports(CodePage codePage) {
  return codePage == kCodePageWindows1252 || codePage == kCodePageLatin1 || codePage == kCodePageUsAscii;
}

bool BuiltinCodePageConverter::Decode(CodePage codePage, std::string_view bytes, std::u16string& out) const {
  if (!Supports(codePage)) {
    return false;
  }
  out.reserve(out.size() + bytes.size());
  for (char c : bytes) {
    out.push_back(DecodeByte(codePage, static_cast<unsigned char>(c)));
  }
  return true;
}

}  // namespace vellum::engine::encoding
