#pragma once
// The element names the tree builder and serialiser know by identity. Other names are
// TagId::Unknown and keep their text on the element.

#include <cstdint>
#include <string_view>

namespace vellum::engine {

enum class Namespace : uint8_t { Html, Svg, MathMl };

// Properties of an HTML element name (HTML namespace only).
enum TagFlag : uint8_t {
  kSpecial = 1,              // the tree builder's "special" category
  kVoid = 2,                 // has no end tag and no content
  kFormatting = 4,           // kept in the list of active formatting elements
  kImpliedEnd = 8,           // closed by "generate implied end tags"
  kImpliedEndThorough = 16,  // closed by the thorough variant only
};

// X(identifier, "name", flags)
#define VELLUM_HTML_TAGS(X)                               \
  X(A, "a", kFormatting)                                  \
  X(Abbr, "abbr", 0)                                      \
  X(Address, "address", kSpecial)                         \
  X(AnnotationXml, "annotation-xml", 0)                   \
  X(Applet, "applet", kSpecial)                           \
  X(Area, "area", kSpecial | kVoid)                       \
  X(Article, "article", kSpecial)                         \
  X(Aside, "aside", kSpecial)                             \
  X(B, "b", kFormatting)                                  \
  X(Base, "base", kSpecial | kVoid)                       \
  X(Basefont, "basefont", kSpecial | kVoid)               \
  X(Bgsound, "bgsound", kSpecial | kVoid)                 \
  X(Big, "big", kFormatting)                              \
  X(Blockquote, "blockquote", kSpecial)                   \
  X(Body, "body", kSpecial)                               \
  X(Br, "br", kSpecial | kVoid)                           \
  X(Button, "button", kSpecial)                           \
  X(Caption, "caption", kSpecial | kImpliedEndThorough)   \
  X(Center, "center", kSpecial)                           \
  X(Code, "code", kFormatting)                            \
  X(Col, "col", kSpecial | kVoid)                         \
  X(Colgroup, "colgroup", kSpecial | kImpliedEndThorough) \
  X(Datalist, "datalist", 0)                              \
  X(Dd, "dd", kSpecial | kImpliedEnd)                     \
  X(Desc, "desc", 0)                                      \
  X(Details, "details", kSpecial)                         \
  X(Dialog, "dialog", 0)                                  \
  X(Dir, "dir", kSpecial)                                 \
  X(Div, "div", kSpecial)                                 \
  X(Dl, "dl", kSpecial)                                   \
  X(Dt, "dt", kSpecial | kImpliedEnd)                     \
  X(Em, "em", kFormatting)                                \
  X(Embed, "embed", kSpecial | kVoid)                     \
  X(Fieldset, "fieldset", kSpecial)                       \
  X(Figcaption, "figcaption", kSpecial)                   \
  X(Figure, "figure", kSpecial)                           \
  X(Font, "font", kFormatting)                            \
  X(Footer, "footer", kSpecial)                           \
  X(ForeignObject, "foreignobject", 0)                    \
  X(Form, "form", kSpecial)                               \
  X(Frame, "frame", kSpecial | kVoid)                     \
  X(Frameset, "frameset", kSpecial)                       \
  X(H1, "h1", kSpecial)                                   \
  X(H2, "h2", kSpecial)                                   \
  X(H3, "h3", kSpecial)                                   \
  X(H4, "h4", kSpecial)                                   \
  X(H5, "h5", kSpecial)                                   \
  X(H6, "h6", kSpecial)                                   \
  X(Head, "head", kSpecial)                               \
  X(Header, "header", kSpecial)                           \
  X(Hgroup, "hgroup", kSpecial)                           \
  X(Hr, "hr", kSpecial | kVoid)                           \
  X(Html, "html", kSpecial)                               \
  X(I, "i", kFormatting)                                  \
  X(Iframe, "iframe", kSpecial)                           \
  X(Image, "image", 0)                                    \
  X(Img, "img", kSpecial | kVoid)                         \
  X(Input, "input", kSpecial | kVoid)                     \
  X(Keygen, "keygen", kSpecial | kVoid)                   \
  X(Label, "label", 0)                                    \
  X(Legend, "legend", 0)                                  \
  X(Li, "li", kSpecial | kImpliedEnd)                     \
  X(Link, "link", kSpecial | kVoid)                       \
  X(Listing, "listing", kSpecial)                         \
  X(Main, "main", kSpecial)                               \
  X(Malignmark, "malignmark", 0)                          \
  X(Marquee, "marquee", kSpecial)                         \
  X(Math, "math", 0)                                      \
  X(Menu, "menu", kSpecial)                               \
  X(Meta, "meta", kSpecial | kVoid)                       \
  X(Mglyph, "mglyph", 0)                                  \
  X(Mi, "mi", 0)                                          \
  X(Mn, "mn", 0)                                          \
  X(Mo, "mo", 0)                                          \
  X(Ms, "ms", 0)                                          \
  X(Mtext, "mtext", 0)                                    \
  X(Nav, "nav", kSpecial)                                 \
  X(Nobr, "nobr", kFormatting)                            \
  X(Noembed, "noembed", kSpecial)                         \
  X(Noframes, "noframes", kSpecial)                       \
  X(Noscript, "noscript", kSpecial)                       \
  X(Object, "object", kSpecial)                           \
  X(Ol, "ol", kSpecial)                                   \
  X(Optgroup, "optgroup", kImpliedEnd)                    \
  X(Option, "option", kImpliedEnd)                        \
  X(P, "p", kSpecial | kImpliedEnd)                       \
  X(Param, "param", kSpecial | kVoid)                     \
  X(Plaintext, "plaintext", kSpecial)                     \
  X(Pre, "pre", kSpecial)                                 \
  X(Rb, "rb", kImpliedEnd)                                \
  X(Rp, "rp", kImpliedEnd)                                \
  X(Rt, "rt", kImpliedEnd)                                \
  X(Rtc, "rtc", kImpliedEnd)                              \
  X(Ruby, "ruby", 0)                                      \
  X(S, "s", kFormatting)                                  \
  X(Script, "script", kSpecial)                           \
  X(Search, "search", kSpecial)                           \
  X(Section, "section", kSpecial)                         \
  X(Select, "select", 0)                                  \
  X(Selectedcontent, "selectedcontent", 0)                \
  X(Small, "small", kFormatting)                          \
  X(Source, "source", kSpecial | kVoid)                   \
  X(Span, "span", 0)                                      \
  X(Strike, "strike", kFormatting)                        \
  X(Strong, "strong", kFormatting)                        \
  X(Style, "style", kSpecial)                             \
  X(Sub, "sub", 0)                                        \
  X(Summary, "summary", kSpecial)                         \
  X(Sup, "sup", 0)                                        \
  X(Svg, "svg", 0)                                        \
  X(Table, "table", kSpecial)                             \
  X(Tbody, "tbody", kSpecial | kImpliedEndThorough)       \
  X(Td, "td", kSpecial | kImpliedEndThorough)             \
  X(Template, "template", kSpecial)                       \
  X(Textarea, "textarea", kSpecial)                       \
  X(Tfoot, "tfoot", kSpecial | kImpliedEndThorough)       \
  X(Th, "th", kSpecial | kImpliedEndThorough)             \
  X(Thead, "thead", kSpecial | kImpliedEndThorough)       \
  X(Title, "title", kSpecial)                             \
  X(Tr, "tr", kSpecial | kImpliedEndThorough)             \
  X(Track, "track", kSpecial | kVoid)                     \
  X(Tt, "tt", kFormatting)                                \
  X(U, "u", kFormatting)                                  \
  X(Ul, "ul", kSpecial)                                   \
  X(Var, "var", 0)                                        \
  X(Wbr, "wbr", kSpecial | kVoid)                         \
  X(Xmp, "xmp", kSpecial)

enum class TagId : uint8_t {
  Unknown,
#define VELLUM_TAG_ENUM(id, name, flags) id,
  VELLUM_HTML_TAGS(VELLUM_TAG_ENUM)
#undef VELLUM_TAG_ENUM
};

// The lower-case name of a known tag ("" for Unknown).
std::u16string_view TagName(TagId id);
// The same name in ASCII upper case, as the object model reports it.
std::u16string_view UpperTagName(TagId id);
// Identity of a lower-case name; Unknown when the name is not in the table.
TagId LookupTag(std::u16string_view lowerCaseName);
uint8_t TagFlags(TagId id);

inline bool IsVoidTag(TagId id) { return TagFlags(id) & kVoid; }

}  // namespace vellum::engine
