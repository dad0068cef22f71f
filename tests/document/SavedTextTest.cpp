// Text a page holds comes back from a save as it was: exact content, raw text, the style's case,
// characters outside the code page, and pages in the character set their meta declares.
#include <string>

#include "ControlFixture.h"
#include "comkit/ComRef.h"
#include "comkit/ComText.h"

namespace dt {
namespace {

using SavedText = Control;

TEST_F(SavedText, PreListingAndTextAreaKeepEveryBlankAndLineBreakThroughSaves) {
  ASSERT_NE(CreateControl(), nullptr);
  ASSERT_TRUE(
      LoadAndWait("<html><body><pre id=\"p\">\n\n  two blanks\n\tand a tab\n</pre>"
                  "<textarea id=\"t\">  lead and\n\nbreaks </textarea>"
                  "<pre id=\"q\">a <b>bold</b>  b\n c</pre><listing id=\"l\">\n\nx  </listing></body></html>"));
  const wchar_t* ids[] = {L"p", L"t", L"q", L"l"};
  std::wstring original[4];
  for (int i = 0; i < 4; ++i) original[i] = Inner(ids[i]);
  // The parser drops the break right after the start tag; innerHTML writes a leading break doubled.
  EXPECT_EQ(original[0], L"\n\n  two blanks\n\tand a tab\n");
  std::string saved = Code();
  for (int round = 0; round < 3; ++round) {
    ASSERT_TRUE(LoadAndWait(saved.c_str())) << round;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Inner(ids[i]), original[i]) << round << " " << i << "\n" << saved;
    saved = Code();
  }
}

TEST_F(SavedText, RawTextElementsAreWrittenAsTheParserReadsThemBack) {
  ASSERT_NE(CreateControl(), nullptr);
  ASSERT_TRUE(
      LoadAndWait("<html><body><iframe id=\"f\">&lt;/div> a &amp; b <i>x</i></iframe>"
                  "<xmp id=\"x\">if (a < b && c) {}</xmp><noembed id=\"n\">&lt;embed&gt;</noembed></body></html>"));
  const wchar_t* ids[] = {L"f", L"x", L"n"};
  std::wstring original[3];
  for (int i = 0; i < 3; ++i) original[i] = Inner(ids[i]);
  std::string saved = Code();
  for (int round = 0; round < 3; ++round) {
    ASSERT_TRUE(LoadAndWait(saved.c_str())) << round;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Inner(ids[i]), original[i]) << round << " " << i << "\n" << saved;
    saved = Code();
  }
  EXPECT_EQ(saved.find("&amp;lt;"), std::string::npos) << saved;
}

TEST_F(SavedText, StyleKeepsTheCaseOfQuotedTextUrlsAndFontFamilies) {
  ASSERT_NE(CreateControl(), nullptr);
  ASSERT_TRUE(
      LoadAndWait("<html><body><span id=\"s\" style=\"POSITION: ABSOLUTE; font-family: 'Times New Roman', Arial; "
                  "background-image: URL(Images/Logo.PNG); COLOR: RED\">S</span></body></html>"));
  const std::string saved = Code();
  EXPECT_NE(saved.find("'Times New Roman', Arial"), std::string::npos) << saved;
  EXPECT_NE(saved.find("url(Images/Logo.PNG)"), std::string::npos) << saved;
  EXPECT_NE(saved.find("position: absolute"), std::string::npos) << saved;
  EXPECT_NE(saved.find("color: red"), std::string::npos) << saved;
  ASSERT_TRUE(LoadAndWait(saved.c_str()));
  const std::string again = Code();
  ASSERT_TRUE(LoadAndWait(again.c_str()));
  EXPECT_EQ(Code(), again);
  EXPECT_NE(again.find("url(Images/Logo.PNG)"), std::string::npos) << again;
}

TEST_F(SavedText, CharactersOutsideTheCodePageAreWrittenAsReferences) {
  ASSERT_NE(CreateControl(), nullptr);
  // Windows-1252 holds the euro sign but neither the Cyrillic zhe nor a-macron (which it would best-fit).
  ASSERT_TRUE(LoadAndWait(
      "<html><body><span id=\"u\" title=\"&#x436;&#x101;\">&#x436;&#x20AC;&#x101;&#x1F600;</span></body></html>"));
  const std::string saved = Code();
  EXPECT_EQ(saved.find('?'), std::string::npos) << saved;
  EXPECT_NE(saved.find("title=\"&#1078;&#257;\""), std::string::npos) << saved;
  EXPECT_NE(saved.find("&#1078;\x80&#257;&#128512;"), std::string::npos) << saved;
  ASSERT_TRUE(LoadAndWait(saved.c_str()));
  EXPECT_NE(Inner(L"u").find(L"\x436\x20AC\x101\xD83D\xDE00"), std::wstring::npos);
}

// Pages whose saved text used to read back as a different page, or to grow on every save. The first
// save lays the page out in the editor's lines; from then on the text and the content stay as they are.
TEST_F(SavedText, ASavedPageReadsBackAsTheSamePageAndSavesTheSameText) {
  ASSERT_NE(CreateControl(), nullptr);
  const struct {
    const char* what;
    const char* source;
    const wchar_t* id;    // an element whose content must come back the same
    const wchar_t* kept;  // and must hold this
  } pages[] = {
      {"carriage returns", "<html><body><p id=\"e\" title=\"a&#13;b\">c&#13;d</p></body></html>", L"e", L"c\rd"},
      {"an unknown element named like a void one", "<html><body><links id=\"e\">x<b>y</b></links></body></html>", L"e",
       L"<B>"},
      {"a drawing's textarea and input",
       "<html><body><svg id=\"e\"><textarea>\nz</textarea><input value=\"v\">a</input></svg></body></html>", L"e",
       L"<INPUT value=\"v\">"},
      {"a pre inside a pre", "<html><body><pre id=\"e\">a<pre>\n\nq</pre></pre></body></html>", L"e", L"<PRE>\n\nq"},
      {"a style sheet cut short", "<html><head><style>p { color: red } </style", nullptr, nullptr},
      {"a script cut short", "<html><head><script><!--<script>var a = 1;", nullptr, nullptr},
      {"a declaration cut short", "<!doctype html", nullptr, nullptr},
      {"plaintext", "<html><body><b id=\"e\">x<plaintext>a <i>b</i> &amp; &lt;", L"e", L"a <i>b</i> &amp; &lt;"},
      {"the editor's own metas", "", nullptr, nullptr},
  };
  for (const auto& page : pages) {
    ASSERT_TRUE(LoadAndWait(page.source)) << page.what;
    const std::string first = Code();
    ASSERT_TRUE(LoadAndWait(first.c_str())) << page.what;
    const std::wstring content = page.id ? Inner(page.id) : L"";
    if (page.kept) EXPECT_NE(content.find(page.kept), std::wstring::npos) << page.what << "\n" << first;
    const std::string second = Code();
    EXPECT_EQ(second, first) << page.what;
    ASSERT_TRUE(LoadAndWait(second.c_str())) << page.what;
    if (page.id) EXPECT_EQ(Inner(page.id), content) << page.what;
  }
}

TEST_F(SavedText, AScriptCutShortStaysOneScriptAndTheFormAfterItStaysAForm) {
  ASSERT_NE(CreateControl(), nullptr);
  ASSERT_TRUE(LoadAndWait("<html><head><script><!--<script>var a = 1;"));
  ASSERT_EQ(Insert(VLM_KIND_BUTTON), 1);
  const std::string saved = Code();
  ASSERT_TRUE(LoadAndWait(saved.c_str()));
  EXPECT_NE(Body().find("<INPUT"), std::string::npos) << saved;
  EXPECT_EQ(Code(), saved);
}

std::string Encoded(const std::wstring& text, UINT codePage) {
  std::string bytes(text.size() * 4, '\0');
  const int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                                    static_cast<int>(bytes.size()), nullptr, nullptr);
  bytes.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return bytes;
}

TEST_F(SavedText, TextInTheCharacterSetItsMetaDeclaresReadsTheSameFromMemoryAsFromAFile) {
  ASSERT_NE(CreateControl(), nullptr);
  char directory[MAX_PATH];
  GetTempPathA(MAX_PATH, directory);
  const struct {
    const char* label;
    UINT codePage;
    const wchar_t* text;
  } pages[] = {{"koi8-r", 20866, L"\x41F\x440\x438\x432\x435\x442"},
               {"windows-1251", 1251, L"\x41F\x440\x438\x432\x435\x442"},
               {"shift_jis", 932, L"\x65E5\x672C\x8A9E"},
               {"utf-8", CP_UTF8, L"\x41F\x65E5\x20AC"}};
  for (const auto& page : pages) {
    const std::string source =
        std::string("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=") + page.label +
        "\"></head><body><span id=\"t\">" + Encoded(page.text, page.codePage) + "</span></body></html>";
    Send(VLM_SETTEMPDIR, 0, 0);
    ASSERT_TRUE(LoadAndWait(source.c_str())) << page.label;
    EXPECT_NE(Inner(L"t").find(page.text), std::wstring::npos) << page.label;
    const std::string fromMemory = Code();
    Send(VLM_SETTEMPDIR, 0, reinterpret_cast<LPARAM>(directory));
    ASSERT_TRUE(LoadAndWait(source.c_str())) << page.label;
    EXPECT_EQ(Code(), fromMemory) << page.label;
    // GETCODE then LOADCODE of its own output changes nothing, however often.
    Send(VLM_SETTEMPDIR, 0, 0);
    std::string saved = fromMemory;
    for (int round = 0; round < 2; ++round) {
      ASSERT_TRUE(LoadAndWait(saved.c_str())) << page.label;
      EXPECT_NE(Inner(L"t").find(page.text), std::wstring::npos) << page.label << " " << round;
      const std::string again = Code();
      if (round > 0) EXPECT_EQ(again, saved) << page.label;
      saved = again;
    }
  }
}

}  // namespace
}  // namespace dt
