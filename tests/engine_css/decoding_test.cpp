#include <gtest/gtest.h>

#include <string>

#include "encoding/charset_labels.h"
#include "encoding/document_decoder.h"
#include "encoding/meta_prescan.h"
#include "encoding/utf.h"

namespace vellum::engine::encoding {
namespace {

using namespace std::string_literals;

std::string Utf16LE(std::u16string_view text) {
  std::string bytes;
  for (char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

std::string Utf16BE(std::u16string_view text) {
  std::string bytes;
  for (char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit >> 8));
    bytes.push_back(static_cast<char>(unit & 0xFF));
  }
  return bytes;
}

// Records which code pages it was asked for; knows only what the built-in converter knows.
class RecordingConverter final : public CodePageConverter {
 public:
  explicit RecordingConverter(CodePage ansi) : builtin_(ansi) {}
  bool Decode(CodePage codePage, std::string_view bytes, std::u16string& out) const override {
    asked.push_back(codePage);
    return builtin_.Decode(codePage, bytes, out);
  }
  CodePage AnsiCodePage() const override { return builtin_.AnsiCodePage(); }
  mutable std::vector<CodePage> asked;

 private:
  BuiltinCodePageConverter builtin_;
};

const BuiltinCodePageConverter kAnsi1252;

TEST(DocumentDecoding, Utf8ByteOrderMarkIsRemoved) {
  const DecodedDocument doc = DecodeDocument("\xEF\xBB\xBF<p>\xC3\xA9\xE2\x82\xAC</p>", kAnsi1252);
  EXPECT_EQ(doc.text, u"<p>\u00e9\u20ac</p>");
  EXPECT_EQ(doc.codePage, kCodePageUtf8);
  EXPECT_EQ(doc.source, EncodingSource::ByteOrderMark);
}

TEST(DocumentDecoding, Utf16ByteOrderMarksPickTheByteOrder) {
  const DecodedDocument le = DecodeDocument("\xFF\xFE"s + Utf16LE(u"\u00e9<b>"), kAnsi1252);
  EXPECT_EQ(le.text, u"\u00e9<b>");
  EXPECT_EQ(le.codePage, kCodePageUtf16LE);
  const DecodedDocument be = DecodeDocument("\xFE\xFF"s + Utf16BE(u"\u20ac<b>"), kAnsi1252);
  EXPECT_EQ(be.text, u"\u20ac<b>");
  EXPECT_EQ(be.codePage, kCodePageUtf16BE);
  EXPECT_EQ(be.source, EncodingSource::ByteOrderMark);
}

TEST(DocumentDecoding, ByteOrderMarkWinsOverAMetaCharset) {
  const DecodedDocument doc = DecodeDocument("\xEF\xBB\xBF<meta charset=windows-1252>\xC3\xA9", kAnsi1252);
  EXPECT_EQ(doc.text, u"<meta charset=windows-1252>\u00e9");
}

TEST(DocumentDecoding, AsciiCharacterFollowedByZeroByteIsUtf16LE) {
  const DecodedDocument doc = DecodeDocument(Utf16LE(u"<html>\u0416\U0001F600</html>"), kAnsi1252);
  EXPECT_EQ(doc.text, u"<html>\u0416\U0001F600</html>");
  EXPECT_EQ(doc.codePage, kCodePageUtf16LE);
  EXPECT_EQ(doc.source, EncodingSource::Utf16Sniffing);
}

TEST(DocumentDecoding, ZeroByteBeforeAnAsciiCharacterIsUtf16BE) {
  const DecodedDocument doc = DecodeDocument(Utf16BE(u"<p>\u0416"), kAnsi1252);
  EXPECT_EQ(doc.text, u"<p>\u0416");
  EXPECT_EQ(doc.codePage, kCodePageUtf16BE);
}

TEST(DocumentDecoding, MetaCharsetAttributeNamesTheCodePage) {
  const DecodedDocument doc = DecodeDocument("<html><head><meta charset=\"utf-8\"></head>\xC3\xA9", kAnsi1252);
  EXPECT_EQ(doc.text, u"<html><head><meta charset=\"utf-8\"></head>\u00e9");
  EXPECT_EQ(doc.codePage, kCodePageUtf8);
  EXPECT_EQ(doc.source, EncodingSource::MetaPrescan);
}

TEST(DocumentDecoding, HttpEquivContentTypeNamesTheCodePage) {
  RecordingConverter converter(1252);
  const DecodedDocument doc =
      DecodeDocument("<META HTTP-EQUIV='Content-Type' CONTENT='text/html; charset=ISO-8859-1'>\x80", converter);
  EXPECT_EQ(doc.codePage, kCodePageLatin1);
  EXPECT_EQ(doc.source, EncodingSource::MetaPrescan);
  EXPECT_EQ(doc.text.back(), u'\u0080');
  EXPECT_EQ(converter.asked, std::vector<CodePage>{kCodePageLatin1});
}

TEST(DocumentDecoding, TheEditorsOwnContentTypeMetaIsRead) {
  RecordingConverter converter(1252);
  const DecodedDocument doc = DecodeDocument(
      "<HTML>\n <HEAD>\n  <META NAME=\"Content-Type\" CONTENT=\"text/html; charset=windows-1251\">\n", converter);
  EXPECT_EQ(doc.source, EncodingSource::AnsiDefault);  // the built-in converter has no 1251
  EXPECT_EQ(converter.asked, (std::vector<CodePage>{1251, 1252}));
}

TEST(DocumentDecoding, WithoutAnyDeclarationTheAnsiCodePageIsUsed) {
  const DecodedDocument doc = DecodeDocument("<p>\x80\x93</p>", kAnsi1252);
  EXPECT_EQ(doc.text, u"<p>\u20ac\u201c</p>");
  EXPECT_EQ(doc.codePage, kCodePageWindows1252);
  EXPECT_EQ(doc.source, EncodingSource::AnsiDefault);
}

TEST(DocumentDecoding, UnavailableAnsiCodePageFallsBackToLatin1) {
  const BuiltinCodePageConverter cyrillic(1251);
  const DecodedDocument doc = DecodeDocument("<p>\xC0", cyrillic);
  EXPECT_EQ(doc.text, u"<p>\u00c0");
  EXPECT_EQ(doc.codePage, kCodePageLatin1);
}

TEST(DocumentDecoding, EmptyAndOneByteInputs) {
  EXPECT_EQ(DecodeDocument("", kAnsi1252).text, u"");
  EXPECT_EQ(DecodeDocument("<", kAnsi1252).text, u"<");
  EXPECT_EQ(DecodeDocument("\xFF", kAnsi1252).text, u"\u00ff");
  EXPECT_EQ(DecodeDocument("\xFF\xFE", kAnsi1252).text, u"");
}

TEST(Utf8Decoding, MalformedSequencesBecomeReplacementCharacters) {
  std::u16string out;
  DecodeUtf8(
      "a\x80"
      "b\xC3"
      "c\xE2\x82"
      "d\xF0\x9F\x98"
      "e\xC0\xAF"
      "f\xED\xA0\x80"
      "g\xF4\x90\x80\x80"
      "h\xE2\x82",
      out);
  EXPECT_EQ(out, u"a\ufffdb\ufffdc\ufffdd\ufffde\ufffd\ufffdf\ufffd\ufffd\ufffdg\ufffd\ufffd\ufffd\ufffdh\ufffd");
}

TEST(Utf8Decoding, DecodesEveryLengthOfSequence) {
  std::u16string out;
  DecodeUtf8("\x41\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80", out);
  EXPECT_EQ(out, u"A\u00e9\u20ac\U0001F600");
  EXPECT_EQ(EncodeUtf8(out), "\x41\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
}

TEST(Utf16Decoding, OddLengthAndUnpairedSurrogatesBecomeReplacementCharacters) {
  std::u16string out;
  DecodeUtf16(
      "A\0\x00\xD8"
      "B\0\x00\xDC"
      "C"s,
      ByteOrder::LittleEndian, out);
  EXPECT_EQ(out, u"A\ufffdB\ufffd\ufffd");
  out.clear();
  DecodeUtf16("\xD8\x3D\xDE\x00\xD8\x3D"s, ByteOrder::BigEndian, out);
  EXPECT_EQ(out, u"\U0001F600\ufffd");
}

TEST(MetaPrescan, FindsTheCharsetInBothForms) {
  EXPECT_EQ(PrescanMetaCodePage("<meta charset=koi8-r>"), 20866u);
  EXPECT_EQ(PrescanMetaCodePage("<meta http-equiv=content-type content=\"text/html;charset=shift_jis\">"), 932u);
  EXPECT_EQ(PrescanMetaCodePage("<meta content='text/html; charset = \"euc-kr\"' http-equiv=\"CONTENT-TYPE\">"), 949u);
  EXPECT_EQ(PrescanMetaCodePage("<meta/charset='windows-1250'/>"), 1250u);
}

TEST(MetaPrescan, ContentNeedsTheContentTypePragma) {
  EXPECT_FALSE(PrescanMetaCodePage("<meta content=\"text/html; charset=utf-8\">"));
  EXPECT_FALSE(PrescanMetaCodePage("<meta http-equiv=refresh content=\"text/html; charset=utf-8\">"));
}

TEST(MetaPrescan, SkipsCommentsOtherTagsAndUnknownLabels) {
  EXPECT_EQ(PrescanMetaCodePage("<!-- <meta charset=koi8-r> --><title a='<meta charset=big5>'></title>"
                                "<meta charset=nonsense><meta charset=gb2312>"),
            936u);
  EXPECT_EQ(PrescanMetaCodePage("<!--><meta charset=utf-8>"), kCodePageUtf8);
  EXPECT_EQ(PrescanMetaCodePage("<?xml version='1.0'?><!DOCTYPE html><meta charset=big5>"), 950u);
  EXPECT_FALSE(PrescanMetaCodePage("<!-- unterminated <meta charset=utf-8>"));
}

TEST(MetaPrescan, FirstAttributeOfANameCountsAndUtf16MeansUtf8) {
  EXPECT_EQ(PrescanMetaCodePage("<meta charset=utf-16le>"), kCodePageUtf8);
  EXPECT_EQ(PrescanMetaCodePage("<meta charset=big5 charset=koi8-r>"), 950u);
}

TEST(MetaPrescan, StopsAtItsBudget) {
  const std::string padding(kPrescanByteBudget, ' ');
  EXPECT_FALSE(PrescanMetaCodePage(padding + "<meta charset=utf-8>"));
  EXPECT_EQ(PrescanMetaCodePage(std::string(2000, ' ') + "<meta charset=utf-8>"), kCodePageUtf8);
}

TEST(MetaPrescan, ExtractsTheLabelFromAContentValue) {
  EXPECT_EQ(ExtractCharsetFromContent("text/html; charset=windows-1251"), "windows-1251");
  EXPECT_EQ(ExtractCharsetFromContent("text/html; CHARSET='koi8-r' x"), "koi8-r");
  EXPECT_EQ(ExtractCharsetFromContent("charsetcharset=a;b"), "a");
  EXPECT_FALSE(ExtractCharsetFromContent("text/html"));
  EXPECT_FALSE(ExtractCharsetFromContent("charset=\"open"));
  EXPECT_FALSE(ExtractCharsetFromContent("charset="));
}

TEST(CharsetLabels, KnowsTheCommonLabelsInAnyCase) {
  EXPECT_EQ(CodePageFromCharsetLabel(" Windows-1252 "), 1252u);
  EXPECT_EQ(CodePageFromCharsetLabel("windows-1258"), 1258u);
  EXPECT_EQ(CodePageFromCharsetLabel("ISO-8859-2"), 28592u);
  EXPECT_EQ(CodePageFromCharsetLabel("iso-8859-15"), 28605u);
  EXPECT_EQ(CodePageFromCharsetLabel("KOI8-R"), 20866u);
  EXPECT_EQ(CodePageFromCharsetLabel("Shift_JIS"), 932u);
  EXPECT_EQ(CodePageFromCharsetLabel("EUC-JP"), 20932u);
  EXPECT_EQ(CodePageFromCharsetLabel("gbk"), 936u);
  EXPECT_EQ(CodePageFromCharsetLabel("GB2312"), 936u);
  EXPECT_EQ(CodePageFromCharsetLabel("Big5"), 950u);
  EXPECT_EQ(CodePageFromCharsetLabel("euc-kr"), 949u);
  EXPECT_EQ(CodePageFromCharsetLabel("UTF8"), kCodePageUtf8);
  EXPECT_EQ(CodePageFromCharsetLabel("us-ascii"), kCodePageUsAscii);
  EXPECT_FALSE(CodePageFromCharsetLabel("klingon"));
  EXPECT_FALSE(CodePageFromCharsetLabel(""));
}

TEST(CharsetLabels, EveryLabelIsOneRowAndEveryAsciiBasedOneIsRead) {
  const auto rows = CharsetLabels();
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(FindCharsetLabel(rows[i].label), &rows[i]) << rows[i].label;
    std::string upper(rows[i].label);
    for (char& c : upper) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    EXPECT_EQ(FindCharsetLabel(upper), &rows[i]) << upper;
    if (rows[i].family == CharsetFamily::Ebcdic) {
      EXPECT_FALSE(CodePageFromCharsetLabel(rows[i].label)) << rows[i].label;
    } else {
      EXPECT_EQ(CodePageFromCharsetLabel(rows[i].label), rows[i].codePage) << rows[i].label;
    }
  }
}

TEST(CharsetLabels, MacDosAndIbmNamesSavedPagesDeclareAreRead) {
  EXPECT_EQ(CodePageFromCharsetLabel("x-mac-greek"), 10006u);
  EXPECT_EQ(CodePageFromCharsetLabel("x-mac-ce"), 10029u);
  EXPECT_EQ(CodePageFromCharsetLabel("DOS-720"), 720u);
  EXPECT_EQ(CodePageFromCharsetLabel("DOS-862"), 862u);
  EXPECT_EQ(CodePageFromCharsetLabel("ibm737"), 737u);
  EXPECT_EQ(CodePageFromCharsetLabel("IBM861"), 861u);
  EXPECT_EQ(CodePageFromCharsetLabel("x-IA5-German"), 20106u);
  EXPECT_EQ(PrescanMetaCodePage("<meta charset=x-mac-turkish>"), 10081u);
  // A label longer than any web label is still a label.
  EXPECT_EQ(FindCharsetLabel("x-EBCDIC-CyrillicSerbianBulgarian")->codePage, 21025u);
}

TEST(CharsetLabels, AnEbcdicDeclarationReadInAsciiBytesIsPassedOver) {
  EXPECT_EQ(FindCharsetLabel("ebcdic-cp-us")->family, CharsetFamily::Ebcdic);
  EXPECT_EQ(PrescanMetaCodePage("<meta charset=ebcdic-cp-us><meta charset=koi8-r>"), 20866u);
  EXPECT_FALSE(PrescanMetaCodePage("<meta charset=x-EBCDIC-Germany>"));
}

TEST(CharsetLabels, EachCodePageIsNamedAsSavedPagesSpellIt) {
  EXPECT_EQ(CharsetLabelOfCodePage(1252), "Windows-1252");
  EXPECT_EQ(CharsetLabelOfCodePage(1251), "windows-1251");
  EXPECT_EQ(CharsetLabelOfCodePage(932), "shift_jis");
  EXPECT_EQ(CharsetLabelOfCodePage(936), "gb2312");
  EXPECT_EQ(CharsetLabelOfCodePage(949), "ks_c_5601-1987");
  EXPECT_EQ(CharsetLabelOfCodePage(950), "big5");
  EXPECT_EQ(CharsetLabelOfCodePage(874), "windows-874");
  EXPECT_EQ(CharsetLabelOfCodePage(50220), "iso-2022-jp");
  EXPECT_FALSE(CharsetLabelOfCodePage(855));
}

TEST(BuiltinConverter, DecodesItsThreeCodePagesAndRefusesOthers) {
  const BuiltinCodePageConverter converter;
  std::u16string out;
  EXPECT_TRUE(converter.Decode(1252, "\x80\x81\x9F\xA0\xFF", out));
  EXPECT_EQ(out, u"\u20ac\u0081\u0178\u00a0\u00ff");
  out.clear();
  EXPECT_TRUE(converter.Decode(kCodePageLatin1, "\x80\xFF", out));
  EXPECT_EQ(out, u"\u0080\u00ff");
  out.clear();
  EXPECT_TRUE(converter.Decode(kCodePageUsAscii, "a\xC0", out));
  EXPECT_EQ(out, u"a\ufffd");
  out = u"kept";
  EXPECT_FALSE(converter.Decode(932, "\x82\xA0", out));
  EXPECT_EQ(out, u"kept");
}

TEST(DocumentDecoding, AnyBytesDecodeWithoutFailing) {
  std::string bytes;
  for (int i = 0; i < 4096; ++i) {
    bytes.push_back(static_cast<char>((i * 7919) & 0xFF));
  }
  for (std::size_t length : {0u, 1u, 2u, 3u, 17u, 4096u}) {
    const std::string_view slice(bytes.data(), length);
    for (const char* prefix : {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF", "<\0"}) {
      const std::string input =
          std::string(prefix, prefix[0] == '<' ? 2 : std::char_traits<char>::length(prefix)) + std::string(slice);
      const DecodedDocument doc = DecodeDocument(input, kAnsi1252);
      EXPECT_LE(doc.text.size(), input.size() + 1);
    }
  }
}

}  // namespace
}  // namespace vellum::engine::encoding
