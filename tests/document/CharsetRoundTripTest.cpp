// Every label of the character-set table, declared by a generated page: VLM_GETCODE then VLM_LOADCODE of
// its own output gives the same text again, and no character of the page is lost on the way.
#include <windows.h>

#include <string>
#include <vector>

#include "ControlFixture.h"
#include "comkit/ComRef.h"
#include "comkit/ComText.h"
#include "encoding/charset_labels.h"

namespace dt {
namespace {

namespace encoding = vellum::engine::encoding;

// Characters most code pages lack, some of which each page holds: Latin, Cyrillic, Hebrew, Greek, CJK,
// the euro sign and one outside the basic plane.
const wchar_t kEverywhere[] = L"\x00E9\x00FC\x0416\x044F\x05D0\x03A9\x4E2D\x65E5\xAC00\x20AC\xD83D\xDE00";

// Up to eight characters the code page holds beyond ASCII: single bytes from 0xA0 up, or, for a page
// with lead bytes, a few two-byte sequences.
std::wstring CharactersOf(UINT codePage) {
  std::wstring found;
  if (!IsValidCodePage(codePage) || codePage == CP_UTF8) return found;
  auto take = [&](const char* bytes, int length) {
    wchar_t wide[4];
    const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, length, wide, 4);
    if (n != 1 || wide[0] < 0xA0 || wide[0] == 0xFFFD || wide[0] == 0x30FB) return;
    char back[8];
    BOOL defaulted = FALSE;
    const int m = WideCharToMultiByte(codePage, 0, wide, 1, back, sizeof back, nullptr, &defaulted);
    if (!defaulted && m == length && memcmp(back, bytes, static_cast<size_t>(length)) == 0) found += wide[0];
  };
  for (int b = 0xA1; b <= 0xFE && found.size() < 4; b += 7) {
    const char one[] = {static_cast<char>(b)};
    take(one, 1);
  }
  for (int lead = 0xB0; lead <= 0xE0 && found.size() < 8; lead += 9) {
    const char two[] = {static_cast<char>(lead), static_cast<char>(0xA3)};
    take(two, 2);
  }
  return found;
}

// The text as character references: the generated source is ASCII whatever its page declares.
std::string References(const std::wstring& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned long c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size()) c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    char reference[16];
    wsprintfA(reference, "&#x%lX;", c);
    out += reference;
  }
  return out;
}

class CharsetRoundTrip : public Control {
 protected:
  std::wstring Title() {
    IHTMLDocument2* document = GetControl()->Document();
    CBstr title;
    if (!document || FAILED(document->get_title(title.Out())) || !title.get()) return L"<none>";
    return title.get();
  }

  // Each place the text was put still holds it whole.
  void ExpectTextEverywhere(const std::wstring& text, const std::string& where) {
    EXPECT_NE(Title().find(text), std::wstring::npos) << where;
    for (const wchar_t* id : {L"t", L"a", L"p", L"s", L"m"})
      EXPECT_NE(Inner(id).find(text), std::wstring::npos) << where << " #" << std::string(id, id + 1);
  }
};

TEST_F(CharsetRoundTrip, EveryLabelSavesAndReloadsToTheSameTextWithEveryCharacter) {
  ASSERT_NE(CreateControl(), nullptr);
  int pages = 0;
  for (const encoding::CharsetLabel& row : encoding::CharsetLabels()) {
    const std::string label(row.label);
    const std::wstring text = CharactersOf(row.codePage) + kEverywhere;
    const std::string refs = References(text);
    const std::string source =
        "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=" + label + "\"><title>T " + refs +
        "</title></head><body><p id=\"t\" title=\"" + refs + "\">a " + refs + " b</p><pre id=\"p\">\n\n  " + refs +
        "\n</pre><textarea id=\"a\">  " + refs + "</textarea><xmp id=\"x\">if (a < b && c) {}</xmp>" +
        "<iframe id=\"f\">&lt;/div> x</iframe><svg><title id=\"s\">" + refs + "</title><style>x{}</style></svg>" +
        "<math><mi id=\"m\">" + refs + "</mi></math></body></html>";
    ASSERT_TRUE(LoadAndWait(source.c_str())) << label;
    ExpectTextEverywhere(text, label + " as generated");
    const std::wstring raw[] = {Inner(L"x"), Inner(L"f")};
    const std::string saved = Code();
    ASSERT_NE(saved, "<failed>") << label;
    ASSERT_TRUE(LoadAndWait(saved.c_str())) << label;
    ExpectTextEverywhere(text, label + " saved once");
    EXPECT_EQ(Inner(L"x"), raw[0]) << label;
    EXPECT_EQ(Inner(L"f"), raw[1]) << label;
    EXPECT_EQ(Code(), saved) << label;
    ++pages;
    if (HasFatalFailure()) return;
  }
  EXPECT_EQ(pages, static_cast<int>(encoding::CharsetLabels().size()));
}

}  // namespace
}  // namespace dt
