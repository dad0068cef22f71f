#include "encoding/document_decoder.h"

#include <optional>

#include "encoding/meta_prescan.h"
#include "encoding/utf.h"

namespace vellum::engine::encoding {
namespace {

struct BomMatch {
  CodePage codePage;
  std::size_t length;
};

std::optional<BomMatch> MatchByteOrderMark(std::string_view bytes) {
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    return BomMatch{kCodePageUtf8, 3};
  }
  if (bytes.starts_with("\xFF\xFE")) {
    return BomMatch{kCodePageUtf16LE, 2};
  }
  if (bytes.starts_with("\xFE\xFF")) {
    return BomMatch{kCodePageUtf16BE, 2};
  }
  return std::nullopt;
}

// The editor hands the engine its text as UTF-16LE without a mark. Markup starts with an ASCII
// character, so a zero byte beside it shows which half of the code unit is the high one.
std::optional<CodePage> SniffUtf16(std::string_view bytes) {
  if (bytes.size() < 2) {
    return std::nullopt;
  }
  const auto first = static_cast<unsigned char>(bytes[0]);
  const auto second = static_cast<unsigned char>(bytes[1]);
  if (first < 0x80 && second == 0) {
    return kCodePageUtf16LE;
  }
  if (first == 0 && second != 0 && second < 0x80) {
    return kCodePageUtf16BE;
  }
  return std::nullopt;
}

void DecodeAsLatin1(std::string_view bytes, std::u16string& out) {
  out.reserve(out.size() + bytes.size());
  for (char c : bytes) {
    out.push_back(static_cast<unsigned char>(c));
  }
}

}  // namespace

bool DecodeWithCodePage(CodePage codePage, std::string_view bytes, const CodePageConverter& converter,
                        std::u16string& out) {
  switch (codePage) {
    case kCodePageUtf8:
      DecodeUtf8(bytes, out);
      return true;
    case kCodePageUtf16LE:
      DecodeUtf16(bytes, ByteOrder::LittleEndian, out);
      return true;
    case kCodePageUtf16BE:
      DecodeUtf16(bytes, ByteOrder::BigEndian, out);
      return true;
    default:
      return converter.Decode(codePage, bytes, out);
  }
}

DecodedDocument DecodeDocument(std::string_view bytes, const CodePageConverter& converter) {
  DecodedDocument result;
  if (std::optional<BomMatch> bom = MatchByteOrderMark(bytes)) {
    result.source = EncodingSource::ByteOrderMark;
    result.codePage = bom->codePage;
    DecodeWithCodePage(bom->codePage, bytes.substr(bom->length), converter, result.text);
    return result;
  }
  if (std::optional<CodePage> utf16 = SniffUtf16(bytes)) {
    result.source = EncodingSource::Utf16Sniffing;
    result.codePage = *utf16;
    DecodeWithCodePage(*utf16, bytes, converter, result.text);
    return result;
  }
  if (std::optional<CodePage> declared = PrescanMetaCodePage(bytes)) {
    if (DecodeWithCodePage(*declared, bytes, converter, result.text)) {
      result.source = EncodingSource::MetaPrescan;
      result.codePage = *declared;
      return result;
    }
  }
  result.source = EncodingSource::AnsiDefault;
  result.codePage = converter.AnsiCodePage();
  if (!DecodeWithCodePage(result.codePage, bytes, converter, result.text)) {
    result.codePage = kCodePageLatin1;
    DecodeAsLatin1(bytes, result.text);
  }
  return result;
}

}  // namespace vellum::engine::encoding
