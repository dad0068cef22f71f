// The character set the writer writes a page in: the one its first declaring meta names where the system
// can write it with markup in ASCII, UTF-8 (and declarations saying so) otherwise.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "DocumentFixture.h"
#include "document/Dom2HTML.h"
#include "encoding/charset_labels.h"

namespace dt {
namespace {

namespace encoding = vellum::engine::encoding;

TEST(ContentTypeValue, NamesTheAnsiCodePage) {
  CXString value;
  EXPECT_EQ(CDom2HTML::BuildContentType(value), 1);
  const auto name = encoding::CharsetLabelOfCodePage(GetACP());
  const std::string expected = name ? "text/html; charset=" + std::string(*name) : "text/html;";
  EXPECT_EQ(std::string(value.GetString()), expected);
  if (GetACP() == 1252) EXPECT_STREQ(value.GetString(), "text/html; charset=Windows-1252");
}

TEST(WritableCharsets, OnlyPagesThatWriteMarkupInAsciiBytes) {
  for (UINT codePage : {1252u, 1251u, 20866u, 932u, 936u, 949u, 950u, 28591u, 28605u, 65001u, 20127u})
    EXPECT_TRUE(CDom2HTML::CanWriteIn(codePage)) << codePage;
  // UTF-16, UTF-7, EBCDIC, a 7-bit national variant, and a code page no row names.
  for (UINT codePage : {1200u, 1201u, 65000u, 37u, 20273u, 1140u, 20106u, 855u})
    EXPECT_FALSE(CDom2HTML::CanWriteIn(codePage)) << codePage;
  int writable = 0;
  for (const encoding::CharsetLabel& row : encoding::CharsetLabels()) {
    if (row.family != encoding::CharsetFamily::Ascii) EXPECT_FALSE(CDom2HTML::CanWriteIn(row.codePage)) << row.label;
    writable += CDom2HTML::CanWriteIn(row.codePage);
  }
  EXPECT_GT(writable, 150);
}

TEST_F(Document, TheFirstMetaNamingAKnownLabelInEitherFormDeclaresThePage) {
  ASSERT_TRUE(
      doc_.Load("<html><head><meta charset=\"klingon\"><meta name=\"description\" content=\"charset=utf-8\">"
                "<meta charset=\"KOI8-R\"><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
                "</head></html>"));
  EXPECT_EQ(CDom2HTML(doc_.Shared()).GetDocumentCodePage(), 20866u);
  ASSERT_TRUE(
      doc_.Load("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset='x-mac-greek'\">"
                "<meta charset=\"utf-8\"></head></html>"));
  EXPECT_EQ(CDom2HTML(doc_.Shared()).GetDocumentCodePage(), 10006u);
  // The prescan's rule for a content value: "charset" must be followed by an equals sign.
  ASSERT_TRUE(doc_.Load("<html><head><meta http-equiv=\"Content-Type\" content=\"charset:koi8-r\"></head></html>"));
  EXPECT_EQ(CDom2HTML(doc_.Shared()).GetDocumentCodePage(), 0u);
}

TEST_F(Document, AMetaCharsetIsTheOnlyDeclarationTheSavedPageCarries) {
  ASSERT_TRUE(doc_.LoadWide(L"<html><head><meta charset=\"koi8-r\"></head><body>\x41F\x440\x438</body></html>"));
  const std::string saved = doc_.Serialize();
  EXPECT_NE(saved.find("<META charset=\"koi8-r\">"), std::string::npos) << saved;
  EXPECT_EQ(saved.find("Content-Type"), std::string::npos) << saved;
  EXPECT_NE(saved.find("\xF0\xD2\xC9"), std::string::npos) << saved;
}

TEST_F(Document, PagesDeclaredInACharsetThatCannotBeWrittenAreWrittenInUtf8AndSaySo) {
  struct {
    const char* label;
    bool charsetAttribute;
  } const pages[] = {{"x-EBCDIC-Germany", false}, {"ebcdic-cp-us", true}, {"utf-7", false},
                     {"unicode", false},          {"unicodeFFFE", true},  {"x-IA5-German", false}};
  for (const auto& page : pages) {
    const std::string declaration =
        page.charsetAttribute
            ? std::string("<meta charset=\"") + page.label + "\">"
            : std::string("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=") + page.label + "\">";
    ASSERT_TRUE(doc_.LoadWide(L"<html><head>" + std::wstring(declaration.begin(), declaration.end()) +
                              L"<title>Gr\x00FC\x00DF"
                              L"e</title></head><body><p title=\"\x4E2D\">"
                              L"[a+b] ~ \\ \x0416 \x20AC</p></body></html>"))
        << page.label;
    const std::string saved = doc_.Serialize();
    EXPECT_NE(saved.find(page.charsetAttribute ? "charset=\"utf-8\"" : "content=\"text/html; charset=utf-8\""),
              std::string::npos)
        << page.label << "\n"
        << saved;
    EXPECT_EQ(saved.find(page.label), std::string::npos) << page.label << "\n" << saved;
    EXPECT_NE(saved.find("Gr\xC3\xBC\xC3\x9F"
                         "e"),
              std::string::npos)
        << page.label << "\n"
        << saved;
    EXPECT_NE(saved.find("title=\"\xE4\xB8\xAD\""), std::string::npos) << page.label << "\n" << saved;
    EXPECT_NE(saved.find("[a+b] ~ \\ \xD0\x96 \xE2\x82\xAC"), std::string::npos) << page.label << "\n" << saved;
  }
}

}  // namespace
}  // namespace dt
