// Conformance of the tokenizer alone over the html5lib tokenizer cases (JSON). Prints the pass rate
// and fails when it drops below the rate last recorded here.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

#include "parser/input_text.h"
#include "parser/tokenizer.h"
#include "support/json.h"
#include "support/utf_text.h"

namespace vellum::engine::test {
namespace {

constexpr double kMinimumPassRate = 1.00;

// Tokens written as comparable texts: kind, name or data, then sorted attributes.
class SerializingSink final : public TokenSink {
 public:
  std::vector<std::u16string> tokens;

  void ProcessToken(Token& t) override {
    switch (t.type) {
      case TokenType::Characters:
        if (!tokens.empty() && tokens.back().rfind(u"C|", 0) == 0)
          tokens.back() += t.data;
        else
          tokens.push_back(u"C|" + t.data);
        break;
      case TokenType::StartTag: {
        std::vector<std::u16string> attributes;
        for (const TokenAttribute& a : t.attributes) attributes.push_back(a.name + u"=" + a.value);
        std::sort(attributes.begin(), attributes.end());
        std::u16string s = u"S|" + t.name;
        for (const std::u16string& a : attributes) s += u"|" + a;
        tokens.push_back(s + (t.selfClosing ? u"|/" : u""));
        break;
      }
      case TokenType::EndTag:
        tokens.push_back(u"E|" + t.name);
        break;
      case TokenType::Comment:
        tokens.push_back(u"M|" + t.data);
        break;
      case TokenType::Doctype:
        tokens.push_back(u"D|" + (t.hasName ? t.name : u"<null>") + u"|" + (t.hasPublicId ? t.publicId : u"<null>") +
                         u"|" + (t.hasSystemId ? t.systemId : u"<null>") + u"|" + (t.forceQuirks ? u"0" : u"1"));
        break;
      case TokenType::EndOfFile:
        break;
    }
  }
  bool CdataSectionAllowed() const override { return false; }
};

std::u16string UnescapeDouble(const std::u16string& s) {
  std::u16string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == u'\\' && i + 5 < s.size() && s[i + 1] == u'u') {
      std::string hex = Utf16ToUtf8(s.substr(i + 2, 4));
      out.push_back(static_cast<char16_t>(std::stoul(hex, nullptr, 16)));
      i += 5;
    } else {
      out.push_back(s[i]);
    }
  }
  return out;
}

std::vector<std::u16string> ExpectedTokens(const JsonValue& output, bool doubleEscaped) {
  auto raw = [&](const std::u16string& s) { return doubleEscaped ? UnescapeDouble(s) : s; };
  auto text = [&](const JsonValue& v) {
    if (v.kind != JsonValue::Kind::String) return std::u16string(u"<null>");
    return raw(v.string);
  };
  std::vector<std::u16string> tokens;
  for (const JsonValue& token : output.array) {
    const auto& a = token.array;
    const std::u16string& kind = a[0].string;
    if (kind == u"Character") {
      if (!tokens.empty() && tokens.back().rfind(u"C|", 0) == 0)
        tokens.back() += text(a[1]);
      else
        tokens.push_back(u"C|" + text(a[1]));
    } else if (kind == u"StartTag") {
      std::vector<std::u16string> attributes;
      if (a.size() > 2)
        for (size_t i = 0; i < a[2].keys.size(); ++i)
          attributes.push_back(raw(a[2].keys[i]) + u"=" + text(a[2].members[i]));
      std::sort(attributes.begin(), attributes.end());
      std::u16string s = u"S|" + text(a[1]);
      for (const std::u16string& attr : attributes) s += u"|" + attr;
      bool selfClosing = a.size() > 3 && a[3].kind == JsonValue::Kind::Bool && a[3].boolean;
      tokens.push_back(s + (selfClosing ? u"|/" : u""));
    } else if (kind == u"EndTag") {
      tokens.push_back(u"E|" + text(a[1]));
    } else if (kind == u"Comment") {
      tokens.push_back(u"M|" + text(a[1]));
    } else if (kind == u"DOCTYPE") {
      tokens.push_back(u"D|" + text(a[1]) + u"|" + text(a[2]) + u"|" + text(a[3]) + u"|" +
                       (a[4].boolean ? u"1" : u"0"));
    }
  }
  return tokens;
}

bool StateFromName(const std::u16string& name, TokenizerState& state) {
  static const std::pair<std::u16string_view, TokenizerState> kStates[] = {
      {u"Data state", TokenizerState::Data},
      {u"PLAINTEXT state", TokenizerState::Plaintext},
      {u"RCDATA state", TokenizerState::Rcdata},
      {u"RAWTEXT state", TokenizerState::Rawtext},
      {u"Script data state", TokenizerState::ScriptData},
      {u"CDATA section state", TokenizerState::CdataSection}};
  for (const auto& [n, s] : kStates) {
    if (n == name) {
      state = s;
      return true;
    }
  }
  return false;
}

TEST(Html5libTokenizer, PassRateStaysAtRecordedLevel) {
  namespace fs = std::filesystem;
  fs::path dir = fs::path(VELLUM_HTML5LIB_DIR) / "tokenizer";
  if (!fs::is_directory(dir)) GTEST_SKIP() << "html5lib data not found at " << dir << "; conformance not measured";
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(dir))
    if (entry.path().extension() == ".test") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  bool verbose = std::getenv("VELLUM_HTML5LIB_VERBOSE") != nullptr;

  int passed = 0, failed = 0;
  for (const fs::path& file : files) {
    std::ifstream in(file, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    JsonValue root;
    ASSERT_TRUE(ParseJson(bytes, root)) << file;
    const JsonValue* tests = root.Find(u"tests");
    if (!tests) continue;  // the XML-coercion cases do not apply to an HTML parser
    int fileFailures = 0;
    for (const JsonValue& test : tests->array) {
      bool doubleEscaped = test.Find(u"doubleEscaped") && test.Find(u"doubleEscaped")->boolean;
      std::u16string input = test.Find(u"input")->string;
      if (doubleEscaped) input = UnescapeDouble(input);
      std::vector<std::u16string> expected = ExpectedTokens(*test.Find(u"output"), doubleEscaped);
      std::vector<std::u16string> states{u"Data state"};
      if (const JsonValue* initial = test.Find(u"initialStates")) {
        states.clear();
        for (const JsonValue& s : initial->array) states.push_back(s.string);
      }
      for (const std::u16string& stateName : states) {
        TokenizerState state;
        if (!StateFromName(stateName, state)) continue;
        InputText text(input);
        SerializingSink sink;
        Tokenizer tokenizer(text.View(), sink);
        tokenizer.SetState(state);
        if (const JsonValue* last = test.Find(u"lastStartTag")) tokenizer.SetLastStartTagName(last->string);
        tokenizer.Run();
        if (sink.tokens == expected) {
          ++passed;
          continue;
        }
        ++failed;
        ++fileFailures;
        if (verbose) {
          std::cout << "---- " << file.filename() << ": " << Utf16ToUtf8(test.Find(u"description")->string) << " ["
                    << Utf16ToUtf8(stateName) << "]\n-- expected\n";
          for (const auto& t : expected) std::cout << Utf16ToUtf8(t) << "\n";
          std::cout << "-- actual\n";
          for (const auto& t : sink.tokens) std::cout << Utf16ToUtf8(t) << "\n";
        }
      }
    }
    if (fileFailures) std::cout << "  " << fileFailures << " failing in " << file.filename().string() << "\n";
  }
  int counted = passed + failed;
  double rate = counted ? static_cast<double>(passed) / counted : 0.0;
  std::cout << "html5lib tokenizer: " << passed << " of " << counted << " runs passed ("
            << static_cast<int>(rate * 1000) / 10.0 << "%)\n";
  EXPECT_GE(rate, kMinimumPassRate);
}

}  // namespace
}  // namespace vellum::engine::test
