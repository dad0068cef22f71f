#include "parser/quirks.h"

namespace vellum::engine {

namespace {

constexpr std::u16string_view kQuirkyPublicPrefixes[] = {
    u"+//silmaril//dtd html pro v0r11 19970101//",
    u"-//as//dtd html 3.0 aswedit + extensions//",
    u"-//advasoft ltd//dtd html 3.0 aswedit + extensions//",
    u"-//ietf//dtd html 2.0 level 1//",
    u"-//ietf//dtd html 2.0 level 2//",
    u"-//ietf//dtd html 2.0 strict level 1//",
    u"-//ietf//dtd html 2.0 strict level 2//",
    u"-//ietf//dtd html 2.0 strict//",
    u"-//ietf//dtd html 2.0//",
    u"-//ietf//dtd html 2.1e//",
    u"-//ietf//dtd html 3.0//",
    u"-//ietf//dtd html 3.2 final//",
    u"-//ietf//dtd html 3.2//",
    u"-//ietf//dtd html 3//",
    u"-//ietf//dtd html level 0//",
    u"-//ietf//dtd html level 1//",
    u"-//ietf//dtd html level 2//",
    u"-//ietf//dtd html level 3//",
    u"-//ietf//dtd html strict level 0//",
    u"-//ietf//dtd html strict level 1//",
    u"-//ietf//dtd html strict level 2//",
    u"-//ietf//dtd html strict level 3//",
    u"-//ietf//dtd html strict//",
    u"-//ietf//dtd html//",
    u"-//metrius//dtd metrius presentational//",
    u"-//microsoft//dtd internet explorer 2.0 html strict//",
    u"-//microsoft//dtd internet explorer 2.0 html//",
    u"-//microsoft//dtd internet explorer 2.0 tables//",
    u"-//microsoft//dtd internet explorer 3.0 html strict//",
    u"-//microsoft//dtd internet explorer 3.0 html//",
    u"-//microsoft//dtd internet explorer 3.0 tables//",
    u"-//netscape comm. corp.//dtd html//",
    u"-//netscape comm. corp.//dtd strict html//",
    u"-//o'reilly and associates//dtd html 2.0//",
    u"-//o'reilly and associates//dtd html extended 1.0//",
    u"-//o'reilly and associates//dtd html extended relaxed 1.0//",
    u"-//sq//dtd html 2.0 hotmetal + extensions//",
    u"-//softquad software//dtd hotmetal pro 6.0::19990601::extensions to html 4.0//",
    u"-//softquad//dtd hotmetal pro 4.0::19971010::extensions to html 4.0//",
    u"-//spyglass//dtd html 2.0 extended//",
    u"-//sun microsystems corp.//dtd hotjava html//",
    u"-//sun microsystems corp.//dtd hotjava strict html//",
    u"-//w3c//dtd html 3 1995-03-24//",
    u"-//w3c//dtd html 3.2 draft//",
    u"-//w3c//dtd html 3.2 final//",
    u"-//w3c//dtd html 3.2//",
    u"-//w3c//dtd html 3.2s draft//",
    u"-//w3c//dtd html 4.0 frameset//",
    u"-//w3c//dtd html 4.0 transitional//",
    u"-//w3c//dtd html experimental 19960712//",
    u"-//w3c//dtd html experimental 970421//",
    u"-//w3c//dtd w3 html//",
    u"-//w3o//dtd w3 html 3.0//",
    u"-//webtechs//dtd mozilla html 2.0//",
    u"-//webtechs//dtd mozilla html//",
};

bool StartsWith(std::u16string_view text, std::u16string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

DocumentMode DocumentModeForDoctype(const Token& doctype) {
  if (doctype.forceQuirks || doctype.name != u"html") return DocumentMode::Quirks;
  std::u16string pub = ToAsciiLower(doctype.publicId);
  std::u16string sys = ToAsciiLower(doctype.systemId);
  if (doctype.hasPublicId) {
    if (pub == u"-//w3o//dtd w3 html strict 3.0//en//" || pub == u"-/w3c/dtd html 4.0 transitional/en" ||
        pub == u"html")
      return DocumentMode::Quirks;
    for (std::u16string_view prefix : kQuirkyPublicPrefixes)
      if (StartsWith(pub, prefix)) return DocumentMode::Quirks;
  }
  if (doctype.hasSystemId && sys == u"http://www.ibm.com/data/dtd/v11/ibmxhtml1-transitional.dtd")
    return DocumentMode::Quirks;
  bool html401Loose =
      StartsWith(pub, u"-//w3c//dtd html 4.01 frameset//") || StartsWith(pub, u"-//w3c//dtd html 4.01 transitional//");
  if (doctype.hasPublicId && !doctype.hasSystemId && html401Loose) return DocumentMode::Quirks;
  if (doctype.hasPublicId && (StartsWith(pub, u"-//w3c//dtd xhtml 1.0 frameset//") ||
                              StartsWith(pub, u"-//w3c//dtd xhtml 1.0 transitional//")))
    return DocumentMode::LimitedQuirks;
  if (doctype.hasPublicId && doctype.hasSystemId && html401Loose) return DocumentMode::LimitedQuirks;
  return DocumentMode::NoQuirks;
}

}  // namespace vellum::engine
