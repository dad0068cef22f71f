#include "document/Charsets.h"

#include <cstring>

namespace {

constexpr CharsetRow kRows[] = {
    {"ASMO-708", 708},
    {"DOS-720", 720},
    {"iso-8859-6", 28596},
    {"x-mac-arabic", 10004},
    {"windows-1256", 1256},
    {"ibm775", 775},
    {"iso-8859-4", 28594},
    {"windows-1257", 1257},
    {"ibm852", 852},
    {"iso-8859-2", 28592},
    {"x-mac-ce", 10029},
    {"windows-1250", 1250},
    {"EUC-CN", 51936},
    {"gb2312", 936},
    {"hz-gb-2312", 52936},
    {"x-mac-chinesesimp", 10008},
    {"big5", 950},
    {"x-Chinese-CNS", 20000},
    {"x-Chinese-Eten", 20002},
    {"x-mac-chinesetrad", 10002},
    {"cp866", 866},
    {"iso-8859-5", 28595},
    {"koi8-r", 20866},
    {"koi8-u", 21866},
    {"x-mac-cyrillic", 10007},
    {"windows-1251", 1251},
    {"x-Europa", 29001},
    {"x-IA5-German", 20106},
    {"ibm737", 737},
    {"iso-8859-7", 28597},
    {"x-mac-greek", 10006},
    {"windows-1253", 1253},
    {"ibm869", 869},
    {"DOS-862", 862},
    {"iso-8859-8-i", 38598},
    {"iso-8859-8", 28598},
    {"x-mac-hebrew", 10005},
    {"windows-1255", 1255},
    {"x-EBCDIC-Arabic", 20420},
    {"x-EBCDIC-CyrillicRussian", 20880},
    {"x-EBCDIC-CyrillicSerbianBulgarian", 21025},
    {"x-EBCDIC-DenmarkNorway", 20277},
    {"x-ebcdic-denmarknorway-euro", 1142},
    {"x-EBCDIC-FinlandSweden", 20278},
    {"x-ebcdic-finlandsweden-euro", 1143},
    {"x-ebcdic-france-euro", 1147},
    {"x-EBCDIC-Germany", 20273},
    {"x-ebcdic-germany-euro", 1141},
    {"x-EBCDIC-GreekModern", 875},
    {"x-EBCDIC-Greek", 20423},
    {"x-EBCDIC-Hebrew", 20424},
    {"x-EBCDIC-Icelandic", 20871},
    {"x-ebcdic-icelandic-euro", 1149},
    {"x-ebcdic-international-euro", 1148},
    {"x-EBCDIC-Italy", 20280},
    {"x-ebcdic-italy-euro", 1144},
    {"x-EBCDIC-JapaneseAndKana", 50930},
    {"x-EBCDIC-JapaneseAndJapaneseLatin", 50939},
    {"x-EBCDIC-JapaneseAndUSCanada", 50931},
    {"x-EBCDIC-JapaneseKatakana", 20290},
    {"x-EBCDIC-KoreanAndKoreanExtended", 50933},
    {"x-EBCDIC-KoreanExtended", 20833},
    {"CP870", 870},
    {"x-EBCDIC-SimplifiedChinese", 50935},
    {"X-EBCDIC-Spain", 20284},
    {"x-ebcdic-spain-euro", 1145},
    {"x-EBCDIC-Thai", 20838},
    {"x-EBCDIC-TraditionalChinese", 50937},
    {"CP1026", 1026},
    {"x-EBCDIC-Turkish", 20905},
    {"x-EBCDIC-UK", 20285},
    {"x-ebcdic-uk-euro", 1146},
    {"ebcdic-cp-us", 37},
    {"x-ebcdic-cp-us-euro", 1140},
    {"ibm861", 861},
    {"x-mac-icelandic", 10079},
    {"x-iscii-as", 57006},
    {"x-iscii-be", 57003},
    {"x-iscii-de", 57002},
    {"x-iscii-gu", 57010},
    {"x-iscii-ka", 57008},
    {"x-iscii-ma", 57009},
    {"x-iscii-or", 57007},
    {"x-iscii-pa", 57011},
    {"x-iscii-ta", 57004},
    {"x-iscii-te", 57005},
    {"euc-jp", 51932},
    {"iso-2022-jp", 50220},
    {"iso-2022-jp", 50222},
    {"csISO2022JP", 50221},
    {"x-mac-japanese", 10001},
    {"shift_jis", 932},
    {"ks_c_5601-1987", 949},
    {"euc-kr", 51949},
    {"iso-2022-kr", 50225},
    {"Johab", 1361},
    {"x-mac-korean", 10003},
    {"iso-8859-3", 28593},
    {"iso-8859-15", 28605},
    {"x-IA5-Norwegian", 20108},
    {"IBM437", 437},
    {"x-IA5-Swedish", 20107},
    {"windows-874", 874},
    {"ibm857", 857},
    {"iso-8859-9", 28599},
    {"x-mac-turkish", 10081},
    {"windows-1254", 1254},
    {"unicode", 1200},
    {"unicodeFFFE", 1201},
    {"utf-7", 65000},
    {"utf-8", 65001},
    {"us-ascii", 20127},
    {"windows-1258", 1258},
    {"ibm850", 850},
    {"x-IA5", 20105},
    {"iso-8859-1", 28591},
    {"macintosh", 10000},
    {"Windows-1252", 1252},
};
static_assert(sizeof kRows / sizeof kRows[0] == 118, "the charset table has 118 rows");

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

bool EqualNoCase(const char* row, const char* name, size_t length) {
  for (size_t i = 0; i < length; ++i)
    if (row[i] == 0 || LowerAscii(row[i]) != LowerAscii(name[i])) return false;
  return row[length] == 0;
}

// Position of the first "charset" in text, ASCII case ignored; null when absent.
const char* FindCharsetWord(const char* text) {
  static constexpr char kWord[] = "charset";
  constexpr size_t kLength = sizeof kWord - 1;
  for (const char* p = text; *p; ++p) {
    size_t i = 0;
    while (i < kLength && p[i] && LowerAscii(p[i]) == kWord[i]) ++i;
    if (i == kLength) return p;
  }
  return nullptr;
}

}  // namespace

const CharsetRow* Charset_Rows(size_t& count) {
  count = sizeof kRows / sizeof kRows[0];
  return kRows;
}

uint32_t Charset_CodePageOfName(const char* name, size_t length) {
  if (!name || length == 0) return 0;
  for (const CharsetRow& row : kRows)
    if (EqualNoCase(row.name, name, length)) return row.codePage;
  return 0;
}

const char* Charset_NameOfCodePage(uint32_t codePage) {
  for (const CharsetRow& row : kRows)
    if (row.codePage == codePage) return row.name;
  return nullptr;
}

uint32_t Charset_CodePageOfContent(const char* content) {
  if (!content) return 0;
  const char* word = FindCharsetWord(content);
  if (!word) return 0;
  // "charset" and the one character behind it, which is usually the equals sign.
  const char* p = word + 7;
  if (*p) ++p;
  while (*p == ' ' || *p == '\t' || *p == '=') ++p;
  const char* name = p;
  while (IsNameChar(*p)) ++p;
  return Charset_CodePageOfName(name, static_cast<size_t>(p - name));
}
