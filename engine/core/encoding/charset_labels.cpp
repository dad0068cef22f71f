#include "encoding/charset_labels.h"

#include <string>

namespace vellum::engine::encoding {
namespace {

constexpr CharsetFamily kAscii = CharsetFamily::Ascii;
constexpr CharsetFamily kUtf16 = CharsetFamily::Utf16;
constexpr CharsetFamily kUtf7 = CharsetFamily::Utf7;
constexpr CharsetFamily kEbcdic = CharsetFamily::Ebcdic;

// The names pages saved by the editor declare come first, in the order that picks each code page's
// spelling; the web's other labels for the same code pages follow. Where a web label and a Windows name
// disagree, the code page is the one MultiByteToWideChar accepts (EUC-JP 20932, EUC-KR 949, EUC-CN 936).
constexpr CharsetLabel kLabels[] = {
    {"ASMO-708", 708, kAscii},
    {"DOS-720", 720, kAscii},
    {"iso-8859-6", 28596, kAscii},
    {"x-mac-arabic", 10004, kAscii},
    {"windows-1256", 1256, kAscii},
    {"ibm775", 775, kAscii},
    {"iso-8859-4", 28594, kAscii},
    {"windows-1257", 1257, kAscii},
    {"ibm852", 852, kAscii},
    {"iso-8859-2", 28592, kAscii},
    {"x-mac-ce", 10029, kAscii},
    {"windows-1250", 1250, kAscii},
    {"gb2312", 936, kAscii},
    {"EUC-CN", 936, kAscii},
    {"hz-gb-2312", 52936, kAscii},
    {"x-mac-chinesesimp", 10008, kAscii},
    {"big5", 950, kAscii},
    {"x-Chinese-CNS", 20000, kAscii},
    {"x-Chinese-Eten", 20002, kAscii},
    {"x-mac-chinesetrad", 10002, kAscii},
    {"cp866", 866, kAscii},
    {"iso-8859-5", 28595, kAscii},
    {"koi8-r", 20866, kAscii},
    {"koi8-u", 21866, kAscii},
    {"x-mac-cyrillic", 10007, kAscii},
    {"windows-1251", 1251, kAscii},
    {"x-Europa", 29001, kAscii},
    {"x-IA5-German", 20106, kAscii},
    {"ibm737", 737, kAscii},
    {"iso-8859-7", 28597, kAscii},
    {"x-mac-greek", 10006, kAscii},
    {"windows-1253", 1253, kAscii},
    {"ibm869", 869, kAscii},
    {"DOS-862", 862, kAscii},
    {"iso-8859-8-i", 38598, kAscii},
    {"iso-8859-8", 28598, kAscii},
    {"x-mac-hebrew", 10005, kAscii},
    {"windows-1255", 1255, kAscii},
    {"x-EBCDIC-Arabic", 20420, kEbcdic},
    {"x-EBCDIC-CyrillicRussian", 20880, kEbcdic},
    {"x-EBCDIC-CyrillicSerbianBulgarian", 21025, kEbcdic},
    {"x-EBCDIC-DenmarkNorway", 20277, kEbcdic},
    {"x-ebcdic-denmarknorway-euro", 1142, kEbcdic},
    {"x-EBCDIC-FinlandSweden", 20278, kEbcdic},
    {"x-ebcdic-finlandsweden-euro", 1143, kEbcdic},
    {"x-ebcdic-france-euro", 1147, kEbcdic},
    {"x-EBCDIC-Germany", 20273, kEbcdic},
    {"x-ebcdic-germany-euro", 1141, kEbcdic},
    {"x-EBCDIC-GreekModern", 875, kEbcdic},
    {"x-EBCDIC-Greek", 20423, kEbcdic},
    {"x-EBCDIC-Hebrew", 20424, kEbcdic},
    {"x-EBCDIC-Icelandic", 20871, kEbcdic},
    {"x-ebcdic-icelandic-euro", 1149, kEbcdic},
    {"x-ebcdic-international-euro", 1148, kEbcdic},
    {"x-EBCDIC-Italy", 20280, kEbcdic},
    {"x-ebcdic-italy-euro", 1144, kEbcdic},
    {"x-EBCDIC-JapaneseAndKana", 50930, kEbcdic},
    {"x-EBCDIC-JapaneseAndJapaneseLatin", 50939, kEbcdic},
    {"x-EBCDIC-JapaneseAndUSCanada", 50931, kEbcdic},
    {"x-EBCDIC-JapaneseKatakana", 20290, kEbcdic},
    {"x-EBCDIC-KoreanAndKoreanExtended", 50933, kEbcdic},
    {"x-EBCDIC-KoreanExtended", 20833, kEbcdic},
    {"CP870", 870, kEbcdic},
    {"x-EBCDIC-SimplifiedChinese", 50935, kEbcdic},
    {"X-EBCDIC-Spain", 20284, kEbcdic},
    {"x-ebcdic-spain-euro", 1145, kEbcdic},
    {"x-EBCDIC-Thai", 20838, kEbcdic},
    {"x-EBCDIC-TraditionalChinese", 50937, kEbcdic},
    {"CP1026", 1026, kEbcdic},
    {"x-EBCDIC-Turkish", 20905, kEbcdic},
    {"x-EBCDIC-UK", 20285, kEbcdic},
    {"x-ebcdic-uk-euro", 1146, kEbcdic},
    {"ebcdic-cp-us", 37, kEbcdic},
    {"x-ebcdic-cp-us-euro", 1140, kEbcdic},
    {"ibm861", 861, kAscii},
    {"x-mac-icelandic", 10079, kAscii},
    {"x-iscii-as", 57006, kAscii},
    {"x-iscii-be", 57003, kAscii},
    {"x-iscii-de", 57002, kAscii},
    {"x-iscii-gu", 57010, kAscii},
    {"x-iscii-ka", 57008, kAscii},
    {"x-iscii-ma", 57009, kAscii},
    {"x-iscii-or", 57007, kAscii},
    {"x-iscii-pa", 57011, kAscii},
    {"x-iscii-ta", 57004, kAscii},
    {"x-iscii-te", 57005, kAscii},
    {"euc-jp", 20932, kAscii},
    {"iso-2022-jp", 50220, kAscii},
    {"csISO2022JP", 50221, kAscii},
    {"x-mac-japanese", 10001, kAscii},
    {"shift_jis", 932, kAscii},
    {"ks_c_5601-1987", 949, kAscii},
    {"euc-kr", 949, kAscii},
    {"iso-2022-kr", 50225, kAscii},
    {"Johab", 1361, kAscii},
    {"x-mac-korean", 10003, kAscii},
    {"iso-8859-3", 28593, kAscii},
    {"iso-8859-15", 28605, kAscii},
    {"x-IA5-Norwegian", 20108, kAscii},
    {"IBM437", 437, kAscii},
    {"x-IA5-Swedish", 20107, kAscii},
    {"windows-874", 874, kAscii},
    {"ibm857", 857, kAscii},
    {"iso-8859-9", 28599, kAscii},
    {"x-mac-turkish", 10081, kAscii},
    {"windows-1254", 1254, kAscii},
    {"unicode", 1200, kUtf16},
    {"unicodeFFFE", 1201, kUtf16},
    {"utf-7", 65000, kUtf7},
    {"utf-8", 65001, kAscii},
    {"us-ascii", 20127, kAscii},
    {"windows-1258", 1258, kAscii},
    {"ibm850", 850, kAscii},
    {"x-IA5", 20105, kAscii},
    {"iso-8859-1", 28591, kAscii},
    {"macintosh", 10000, kAscii},
    {"Windows-1252", 1252, kAscii},
    // Other names of the same code pages, as pages from elsewhere spell them.
    {"utf8", 65001, kAscii},
    {"unicode-1-1-utf-8", 65001, kAscii},
    {"unicode11utf8", 65001, kAscii},
    {"unicode20utf8", 65001, kAscii},
    {"x-unicode20utf8", 65001, kAscii},
    {"utf-16le", 1200, kUtf16},
    {"utf-16", 1200, kUtf16},
    {"ucs-2", 1200, kUtf16},
    {"csunicode", 1200, kUtf16},
    {"iso-10646-ucs-2", 1200, kUtf16},
    {"unicodefeff", 1200, kUtf16},
    {"utf-16be", 1201, kUtf16},
    {"ascii", 20127, kAscii},
    {"ansi_x3.4-1968", 20127, kAscii},
    {"iso-ir-6", 20127, kAscii},
    {"iso646-us", 20127, kAscii},
    {"us", 20127, kAscii},
    {"ibm367", 20127, kAscii},
    {"cp367", 20127, kAscii},
    {"csascii", 20127, kAscii},
    {"cp1250", 1250, kAscii},
    {"x-cp1250", 1250, kAscii},
    {"cp1251", 1251, kAscii},
    {"x-cp1251", 1251, kAscii},
    {"cp1252", 1252, kAscii},
    {"x-cp1252", 1252, kAscii},
    {"cp1253", 1253, kAscii},
    {"x-cp1253", 1253, kAscii},
    {"cp1254", 1254, kAscii},
    {"x-cp1254", 1254, kAscii},
    {"cp1255", 1255, kAscii},
    {"x-cp1255", 1255, kAscii},
    {"cp1256", 1256, kAscii},
    {"x-cp1256", 1256, kAscii},
    {"cp1257", 1257, kAscii},
    {"x-cp1257", 1257, kAscii},
    {"cp1258", 1258, kAscii},
    {"x-cp1258", 1258, kAscii},
    {"iso8859-1", 28591, kAscii},
    {"iso88591", 28591, kAscii},
    {"iso_8859-1", 28591, kAscii},
    {"iso_8859-1:1987", 28591, kAscii},
    {"latin1", 28591, kAscii},
    {"l1", 28591, kAscii},
    {"iso-ir-100", 28591, kAscii},
    {"ibm819", 28591, kAscii},
    {"cp819", 28591, kAscii},
    {"csisolatin1", 28591, kAscii},
    {"iso8859-2", 28592, kAscii},
    {"iso88592", 28592, kAscii},
    {"iso_8859-2", 28592, kAscii},
    {"latin2", 28592, kAscii},
    {"l2", 28592, kAscii},
    {"csisolatin2", 28592, kAscii},
    {"iso8859-3", 28593, kAscii},
    {"iso_8859-3", 28593, kAscii},
    {"latin3", 28593, kAscii},
    {"l3", 28593, kAscii},
    {"iso8859-4", 28594, kAscii},
    {"iso_8859-4", 28594, kAscii},
    {"latin4", 28594, kAscii},
    {"l4", 28594, kAscii},
    {"iso8859-5", 28595, kAscii},
    {"iso_8859-5", 28595, kAscii},
    {"cyrillic", 28595, kAscii},
    {"csisolatincyrillic", 28595, kAscii},
    {"iso8859-6", 28596, kAscii},
    {"iso_8859-6", 28596, kAscii},
    {"arabic", 28596, kAscii},
    {"iso8859-7", 28597, kAscii},
    {"iso_8859-7", 28597, kAscii},
    {"greek", 28597, kAscii},
    {"greek8", 28597, kAscii},
    {"elot_928", 28597, kAscii},
    {"ecma-118", 28597, kAscii},
    {"iso8859-8", 28598, kAscii},
    {"iso_8859-8", 28598, kAscii},
    {"hebrew", 28598, kAscii},
    {"visual", 28598, kAscii},
    {"logical", 38598, kAscii},
    {"iso8859-9", 28599, kAscii},
    {"iso_8859-9", 28599, kAscii},
    {"latin5", 28599, kAscii},
    {"l5", 28599, kAscii},
    {"iso-8859-13", 28603, kAscii},
    {"iso8859-13", 28603, kAscii},
    {"iso8859-15", 28605, kAscii},
    {"iso_8859-15", 28605, kAscii},
    {"latin9", 28605, kAscii},
    {"latin-9", 28605, kAscii},
    {"l9", 28605, kAscii},
    {"koi8_r", 20866, kAscii},
    {"koi8", 20866, kAscii},
    {"koi", 20866, kAscii},
    {"cskoi8r", 20866, kAscii},
    {"koi8-ru", 21866, kAscii},
    {"ibm866", 866, kAscii},
    {"866", 866, kAscii},
    {"csibm866", 866, kAscii},
    {"cp850", 850, kAscii},
    {"cp437", 437, kAscii},
    {"cp852", 852, kAscii},
    {"dos-874", 874, kAscii},
    {"tis-620", 874, kAscii},
    {"iso-8859-11", 874, kAscii},
    {"shift-jis", 932, kAscii},
    {"sjis", 932, kAscii},
    {"x-sjis", 932, kAscii},
    {"ms_kanji", 932, kAscii},
    {"csshiftjis", 932, kAscii},
    {"ms932", 932, kAscii},
    {"windows-31j", 932, kAscii},
    {"x-euc-jp", 20932, kAscii},
    {"cseucpkdfmtjapanese", 20932, kAscii},
    {"gbk", 936, kAscii},
    {"chinese", 936, kAscii},
    {"csgb2312", 936, kAscii},
    {"csiso58gb231280", 936, kAscii},
    {"gb_2312", 936, kAscii},
    {"gb_2312-80", 936, kAscii},
    {"iso-ir-58", 936, kAscii},
    {"x-gbk", 936, kAscii},
    {"cp936", 936, kAscii},
    {"windows-936", 936, kAscii},
    {"gb18030", 54936, kAscii},
    {"big5-hkscs", 950, kAscii},
    {"cn-big5", 950, kAscii},
    {"csbig5", 950, kAscii},
    {"x-x-big5", 950, kAscii},
    {"cp950", 950, kAscii},
    {"cseuckr", 949, kAscii},
    {"csksc56011987", 949, kAscii},
    {"iso-ir-149", 949, kAscii},
    {"korean", 949, kAscii},
    {"ks_c_5601-1989", 949, kAscii},
    {"ksc5601", 949, kAscii},
    {"ksc_5601", 949, kAscii},
    {"windows-949", 949, kAscii},
    {"cp949", 949, kAscii},
    {"mac", 10000, kAscii},
    {"x-mac-roman", 10000, kAscii},
    {"csmacintosh", 10000, kAscii},
    {"x-mac-ukrainian", 10007, kAscii},
};

bool IsLabelSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r'; }

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::span<const CharsetLabel> CharsetLabels() { return kLabels; }

const CharsetLabel* FindCharsetLabel(std::string_view label) {
  while (!label.empty() && IsLabelSpace(label.front())) {
    label.remove_prefix(1);
  }
  while (!label.empty() && IsLabelSpace(label.back())) {
    label.remove_suffix(1);
  }
  if (label.empty()) {
    return nullptr;
  }
  for (const CharsetLabel& row : kLabels) {
    if (EqualIgnoringCase(row.label, label)) {
      return &row;
    }
  }
  return nullptr;
}

std::optional<CodePage> CodePageFromCharsetLabel(std::string_view label) {
  const CharsetLabel* row = FindCharsetLabel(label);
  if (!row || row->family == CharsetFamily::Ebcdic) {
    return std::nullopt;
  }
  return row->codePage;
}

std::optional<std::string_view> CharsetLabelOfCodePage(CodePage codePage) {
  for (const CharsetLabel& row : kLabels) {
    if (row.codePage == codePage) {
      return row.label;
    }
  }
  return std::nullopt;
}

}  // namespace vellum::engine::encoding
