#include "encoding/charset_labels.h"

#include <string>

namespace vellum::engine::encoding {
namespace {

struct CharsetLabel {
  std::string_view label;  // lower case
  CodePage codePage;
};

// The labels of the web's encodings and the Windows names of the same code pages. Where the two
// disagree, the code page is the one MultiByteToWideChar accepts (EUC-JP 20932, EUC-KR 949).
constexpr CharsetLabel kLabels[] = {
    {"utf-8", 65001},
    {"utf8", 65001},
    {"unicode-1-1-utf-8", 65001},
    {"unicode11utf8", 65001},
    {"unicode20utf8", 65001},
    {"x-unicode20utf8", 65001},
    {"utf-16le", 1200},
    {"utf-16", 1200},
    {"unicode", 1200},
    {"ucs-2", 1200},
    {"csunicode", 1200},
    {"iso-10646-ucs-2", 1200},
    {"unicodefeff", 1200},
    {"utf-16be", 1201},
    {"unicodefffe", 1201},
    {"utf-7", 65000},
    {"us-ascii", 20127},
    {"ascii", 20127},
    {"ansi_x3.4-1968", 20127},
    {"iso-ir-6", 20127},
    {"iso646-us", 20127},
    {"us", 20127},
    {"ibm367", 20127},
    {"cp367", 20127},
    {"csascii", 20127},
    {"windows-1250", 1250},
    {"cp1250", 1250},
    {"x-cp1250", 1250},
    {"windows-1251", 1251},
    {"cp1251", 1251},
    {"x-cp1251", 1251},
    {"windows-1252", 1252},
    {"cp1252", 1252},
    {"x-cp1252", 1252},
    {"windows-1253", 1253},
    {"cp1253", 1253},
    {"x-cp1253", 1253},
    {"windows-1254", 1254},
    {"cp1254", 1254},
    {"x-cp1254", 1254},
    {"windows-1255", 1255},
    {"cp1255", 1255},
    {"x-cp1255", 1255},
    {"windows-1256", 1256},
    {"cp1256", 1256},
    {"x-cp1256", 1256},
    {"windows-1257", 1257},
    {"cp1257", 1257},
    {"x-cp1257", 1257},
    {"windows-1258", 1258},
    {"cp1258", 1258},
    {"x-cp1258", 1258},
    {"iso-8859-1", 28591},
    {"iso8859-1", 28591},
    {"iso88591", 28591},
    {"iso_8859-1", 28591},
    {"iso_8859-1:1987", 28591},
    {"latin1", 28591},
    {"l1", 28591},
    {"iso-ir-100", 28591},
    {"ibm819", 28591},
    {"cp819", 28591},
    {"csisolatin1", 28591},
    {"iso-8859-2", 28592},
    {"iso8859-2", 28592},
    {"iso88592", 28592},
    {"iso_8859-2", 28592},
    {"latin2", 28592},
    {"l2", 28592},
    {"csisolatin2", 28592},
    {"iso-8859-3", 28593},
    {"iso8859-3", 28593},
    {"iso_8859-3", 28593},
    {"latin3", 28593},
    {"l3", 28593},
    {"iso-8859-4", 28594},
    {"iso8859-4", 28594},
    {"iso_8859-4", 28594},
    {"latin4", 28594},
    {"l4", 28594},
    {"iso-8859-5", 28595},
    {"iso8859-5", 28595},
    {"iso_8859-5", 28595},
    {"cyrillic", 28595},
    {"csisolatincyrillic", 28595},
    {"iso-8859-6", 28596},
    {"iso8859-6", 28596},
    {"iso_8859-6", 28596},
    {"arabic", 28596},
    {"asmo-708", 708},
    {"iso-8859-7", 28597},
    {"iso8859-7", 28597},
    {"iso_8859-7", 28597},
    {"greek", 28597},
    {"greek8", 28597},
    {"elot_928", 28597},
    {"ecma-118", 28597},
    {"iso-8859-8", 28598},
    {"iso8859-8", 28598},
    {"iso_8859-8", 28598},
    {"hebrew", 28598},
    {"visual", 28598},
    {"iso-8859-8-i", 38598},
    {"logical", 38598},
    {"iso-8859-9", 28599},
    {"iso8859-9", 28599},
    {"iso_8859-9", 28599},
    {"latin5", 28599},
    {"l5", 28599},
    {"iso-8859-13", 28603},
    {"iso8859-13", 28603},
    {"iso-8859-15", 28605},
    {"iso8859-15", 28605},
    {"iso_8859-15", 28605},
    {"latin9", 28605},
    {"latin-9", 28605},
    {"l9", 28605},
    {"koi8-r", 20866},
    {"koi8_r", 20866},
    {"koi8", 20866},
    {"koi", 20866},
    {"cskoi8r", 20866},
    {"koi8-u", 21866},
    {"koi8-ru", 21866},
    {"ibm866", 866},
    {"cp866", 866},
    {"866", 866},
    {"csibm866", 866},
    {"ibm850", 850},
    {"cp850", 850},
    {"ibm437", 437},
    {"cp437", 437},
    {"ibm852", 852},
    {"cp852", 852},
    {"windows-874", 874},
    {"dos-874", 874},
    {"tis-620", 874},
    {"iso-8859-11", 874},
    {"shift_jis", 932},
    {"shift-jis", 932},
    {"sjis", 932},
    {"x-sjis", 932},
    {"ms_kanji", 932},
    {"csshiftjis", 932},
    {"ms932", 932},
    {"windows-31j", 932},
    {"euc-jp", 20932},
    {"x-euc-jp", 20932},
    {"cseucpkdfmtjapanese", 20932},
    {"iso-2022-jp", 50220},
    {"csiso2022jp", 50221},
    {"gbk", 936},
    {"gb2312", 936},
    {"chinese", 936},
    {"csgb2312", 936},
    {"csiso58gb231280", 936},
    {"gb_2312", 936},
    {"gb_2312-80", 936},
    {"iso-ir-58", 936},
    {"x-gbk", 936},
    {"cp936", 936},
    {"windows-936", 936},
    {"euc-cn", 936},
    {"gb18030", 54936},
    {"hz-gb-2312", 52936},
    {"big5", 950},
    {"big5-hkscs", 950},
    {"cn-big5", 950},
    {"csbig5", 950},
    {"x-x-big5", 950},
    {"cp950", 950},
    {"euc-kr", 949},
    {"cseuckr", 949},
    {"csksc56011987", 949},
    {"iso-ir-149", 949},
    {"korean", 949},
    {"ks_c_5601-1987", 949},
    {"ks_c_5601-1989", 949},
    {"ksc5601", 949},
    {"ksc_5601", 949},
    {"windows-949", 949},
    {"cp949", 949},
    {"iso-2022-kr", 50225},
    {"johab", 1361},
    {"macintosh", 10000},
    {"mac", 10000},
    {"x-mac-roman", 10000},
    {"csmacintosh", 10000},
    {"x-mac-cyrillic", 10007},
    {"x-mac-ukrainian", 10007},
};

bool IsLabelSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r'; }

}  // namespace

std::optional<CodePage> CodePageFromCharsetLabel(std::string_view label) {
  while (!label.empty() && IsLabelSpace(label.front())) {
    label.remove_prefix(1);
  }
  while (!label.empty() && IsLabelSpace(label.back())) {
    label.remove_suffix(1);
  }
  constexpr std::size_t kLongestLabel = 32;
  if (label.empty() || label.size() > kLongestLabel) {
    return std::nullopt;
  }
  std::string lower(label);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  for (const CharsetLabel& entry : kLabels) {
    if (entry.label == lower) {
      return entry.codePage;
    }
  }
  return std::nullopt;
}

}  // namespace vellum::engine::encoding
