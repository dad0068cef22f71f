// Saved text reads back as the same document: for generated forms with every kind of element and random
// properties, saving the page loaded from a save gives that save again.
#include <random>
#include <string>
#include <vector>

#include "DocumentFixture.h"

namespace dt {
namespace {

class FormGenerator {
 public:
  explicit FormGenerator(unsigned seed) : random_(seed) {}

  // The page's source. withMetas: the head already has the metas a save adds.
  std::string Page(bool withMetas) {
    std::string head;
    if (Chance(2)) head += "<title>" + Text() + "</title>";
    if (Chance(4)) head += "<style>\n#" + Word() + " { color: " + Color() + " }\n</style>";
    if (Chance(4)) head += "<script>var n = 1 < 2 && \"" + Word() + "\";</script>";
    if (withMetas)
      head +=
          "<meta name=\"Generator\" content=\"x\"><meta name=\"Content-Type\" "
          "content=\"text/html; charset=Windows-1252\">";
    std::string body;
    const int count = Between(1, 14);
    for (int i = 0; i < count; ++i) body += Element(0);
    std::string page = "<html><head>" + head + "</head><body width=\"" + std::to_string(Between(100, 900)) +
                       "\" height=\"" + std::to_string(Between(100, 700)) + "\">" + body + "</body></html>";
    return Chance(3) ? "<!DOCTYPE html>" + page : page;
  }

  bool Chance(int oneIn) { return Between(0, oneIn - 1) == 0; }
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

 private:
  std::string Element(int depth) {
    switch (Between(1, depth < 2 ? 16 : 13)) {
      case 1:
        return "<span" + Common() + ">" + Text() + "</span>";
      case 2:
        return Input("text");
      case 3:
        return Input("button");
      case 4:
        return Input("checkbox");
      case 5:
        return Input("radio");
      case 6:
        return Input("file");
      case 7:
        return "<textarea" + Common() + Flag(" readonly") + ">" + Text() + "</textarea>";
      case 8:
        return "<img" + Common() + " src=\"" + Word() + ".png\" alt=\"" + Attribute() + "\">";
      case 9:
        return "<select" + Common() + (Chance(2) ? " size=\"2\"" : "") + ">" + Options() + "</select>";
      case 10:
        return "<object" + Common() + " classid=\"CLSID:25336920-03F9-11CF-8FD0-00AA00686F13\"></object>";
      case 11:
        return "<!-- " + Word() + " " + Word() + " -->";
      case 12:
        return "<br>";
      case 13:
        return "<b>" + Text() + "</b> " + Text();
      case 14:
        return "<fieldset" + Common() + "><legend>" + Text() + "</legend>" + Element(depth + 1) + "</fieldset>";
      case 15:
        return "<div" + Common() + ">" + Element(depth + 1) + Element(depth + 1) + "</div>";
      default:
        return "<p>" + Text() + Element(depth + 1) + "</p>";
    }
  }

  std::string Input(const char* type) {
    std::string input = std::string("<input type=\"") + type + "\"" + Common();
    if (Chance(2)) input += " value=\"" + Attribute() + "\"";
    if (std::string(type) == "radio") input += " name=\"main\"";
    return input + Flag(" checked") + Flag(" disabled") + Flag(" readonly") + ">";
  }

  std::string Options() {
    std::string options;
    for (int n = Between(0, 3); n > 0; --n)
      options += "<option value=\"" + Attribute() + "\"" + Flag(" selected") + ">" + Word() + "</option>";
    return options;
  }

  std::string Common() {
    std::string attributes = " id=\"" + Word() + std::to_string(++ids_) + "\"";
    if (Chance(3)) attributes += " title=\"" + Attribute() + "\"";
    if (Chance(4)) attributes += " class=\"" + Word() + "\"";
    if (Chance(5)) attributes += " data-note=\"" + Attribute() + "\"";
    if (!Chance(4)) attributes += " style=\"" + Style() + "\"";
    return attributes;
  }

  std::string Flag(const char* text) { return Chance(3) ? text : ""; }

  std::string Style() {
    std::string style = "position: absolute; left: " + std::to_string(Between(-20, 500)) +
                        "px; top: " + std::to_string(Between(0, 400)) +
                        "px; width: " + std::to_string(Between(1, 200)) +
                        "px; height: " + std::to_string(Between(1, 90)) + "px;";
    if (Chance(3)) style += " z-index: " + std::to_string(Between(-5, 20)) + ";";
    if (Chance(3)) style += " color: " + Color() + ";";
    if (Chance(4)) style += " font-family: \"Times New Roman\", Arial;";
    if (Chance(4)) style += " font-weight: bold;";
    if (Chance(5)) style += " background-color: " + Color() + ";";
    if (Chance(6)) style += " border-style: solid; border-width: 2px;";
    return style;
  }

  std::string Color() {
    static const char* const kColors[] = {"red", "#00ff80", "Blue", "#123456", "transparent"};
    return kColors[Between(0, 4)];
  }

  std::string Word() {
    static const char* const kWords[] = {"alpha", "Beta", "gamma", "delta", "x", "form", "Name", "caf\xE9"};
    return kWords[Between(0, 7)];
  }

  // A text of pieces that a naive writer would get wrong, escaped as source text.
  std::string Text() {
    static const char* const kPieces[] = {"a &lt; b",   "x&lt;y",      "&lt;b&gt;bold?&lt;/b&gt;",
                                          "&amp;amp;",  "R&amp;D",     "&amp;#38;",
                                          "\"quoted\"", "it's",        "&lt;!-- no --&gt;",
                                          "&lt;?pi",    "line\nbreak", "tab\there",
                                          "&nbsp;",     "\xE9t\xE9",   "&euro; 5",
                                          "&lt;/",      "a & b",       "1 &lt; 2 &gt; 0",
                                          "&lt;",       "&amp;"};
    std::string text = Word();
    for (int n = Between(0, 4); n > 0; --n) text += std::string(" ") + kPieces[Between(0, 19)];
    return text;
  }

  std::string Attribute() {
    static const char* const kPieces[] = {"&quot;hi&quot;", "R&amp;D", "a &amp; b", "&amp;amp;", "&lt;b&gt;", "it's",
                                          "&amp;#38;",      "\xE9",    "x=y",       "&amp;",     "2 &gt; 1"};
    std::string text = Word();
    for (int n = Between(0, 3); n > 0; --n) text += std::string(" ") + kPieces[Between(0, 10)];
    return text;
  }

  std::mt19937 random_;
  int ids_ = 0;
};

// Changes the current state of some inputs, as a user of the live form would.
void ChangeInputs(EngineDocument& doc, FormGenerator& random) {
  CComRef<IHTMLElementCollection> all;
  if (FAILED(doc.get()->get_all(all.Out())) || !all) return;
  long length = 0;
  all->get_length(&length);
  for (long i = 0; i < length; ++i) {
    VARIANT name, index;
    V_VT(&name) = VT_I4;
    V_I4(&name) = i;
    V_VT(&index) = VT_I4;
    V_I4(&index) = 0;
    CComRef<IDispatch> item;
    CComRef<IHTMLInputElement> input;
    if (FAILED(all->item(name, index, item.Out())) || !item ||
        FAILED(item->QueryInterface(IID_IHTMLInputElement, input.OutVoid())) || !input)
      continue;
    if (random.Chance(2)) {
      CBstr value(random.Chance(4) ? L"" : L"typed \"by\" R&D <user>");
      input->put_value(value.get());
    }
    if (random.Chance(3)) input->put_checked(random.Chance(2) ? VARIANT_TRUE : VARIANT_FALSE);
  }
}

TEST_F(Document, SavedFormsReadBackAsTheSameDocument) {
  constexpr unsigned kCases = 300;
  for (unsigned seed = 1; seed <= kCases; ++seed) {
    FormGenerator generator(seed);
    const bool withMetas = generator.Chance(2);
    const std::string source = generator.Page(withMetas);
    ASSERT_TRUE(doc_.Load(source.c_str())) << "seed " << seed;
    if (generator.Chance(2)) ChangeInputs(doc_, generator);
    const std::string first = doc_.Serialize();
    ASSERT_NE(first, "<failed>") << "seed " << seed << "\n" << source;
    ASSERT_TRUE(doc_.Load(first.c_str())) << "seed " << seed;
    const std::string second = doc_.Serialize();
    if (withMetas) {
      ASSERT_EQ(second, first) << "seed " << seed << "\nsource:\n" << source;
      continue;
    }
    // The first save of a page without metas adds them; from then on the text stays the same.
    ASSERT_TRUE(doc_.Load(second.c_str())) << "seed " << seed;
    ASSERT_EQ(doc_.Serialize(), second) << "seed " << seed << "\nsource:\n" << source;
  }
}

}  // namespace
}  // namespace dt
