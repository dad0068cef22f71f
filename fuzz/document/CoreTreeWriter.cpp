#include "fuzz/document/CoreTreeWriter.h"

#include "document/WriterRules.h"

namespace vellum::fuzzing {
namespace {

using engine::Element;
using engine::Node;
namespace rules = writer_rules;

// Counts one more element of a kind (exact content, raw text) around the writer, for a scope.
class Within {
 public:
  Within(int& depth, bool enter) : depth_(depth), entered_(enter) {
    if (entered_) ++depth_;
  }
  Within(const Within&) = delete;
  Within& operator=(const Within&) = delete;
  ~Within() {
    if (entered_) --depth_;
  }

 private:
  int& depth_;
  bool entered_;
};

bool IsInputStateAttribute(std::u16string_view lowerName) {
  return lowerName == u"checked" || lowerName == u"disabled" || lowerName == u"readonly" || lowerName == u"value";
}

const engine::Attribute* FindLower(const Element& element, std::u16string_view lowerName) {
  for (const auto& attribute : element.Attributes())
    if (engine::ToAsciiLower(attribute.QualifiedName()) == lowerName) return &attribute;
  return nullptr;
}

}  // namespace

bool CoreTreeWriter::Write(const engine::Document& document, std::u16string& out) {
  out.clear();
  out_ = &out;
  exact_ = rawText_ = 0;
  markupEnded_ = false;
  endTagAtOnce_ = false;
  generatorPresent_ = contentTypePresent_ = false;
  for (const Node* child = document.FirstChild(); child; child = child->NextSibling()) {
    if (!WriteNode(*child, 0)) {
      out.clear();
      return false;
    }
  }
  return true;
}

bool CoreTreeWriter::WriteNode(const Node& node, int level) {
  if (level > kMaxDepth) return false;
  if (const auto* text = engine::AsText(&node)) {
    WriteText(text->Data(), level);
    return true;
  }
  if (const auto* comment = engine::AsComment(&node)) {
    if (!exact_) Indent(level);
    out_->append(comment->Markup());
    if (!exact_) out_->push_back(u'\n');
    return true;
  }
  const Element* element = engine::AsElement(&node);
  return element ? WriteElement(*element, level) : true;
}

bool CoreTreeWriter::WriteElement(const Element& element, int level) {
  // The object model reports every element's name in upper case, foreign ones included.
  const std::u16string name = engine::ToAsciiUpper(element.LocalName());
  const std::u16string lower = engine::ToAsciiLower(name);
  const char16_t* tag = lower.c_str();
  const bool exact = exact_ > 0;
  if (!exact) Indent(level);
  out_->push_back(u'<');
  out_->append(name);
  const bool html = element.IsHtml();
  const bool keepsContent = !exact && html && rules::KeepsContentExactly(tag);
  const rules::Special special = html ? rules::SpecialOf(tag) : rules::Special::None;
  bool ownMeta = false;
  if (special == rules::Special::Meta) {
    generatorPresent_ = true;  // as the control's writer counts any meta it could read
    const auto* httpEquiv = FindLower(element, u"http-equiv");
    const auto* metaName = FindLower(element, u"name");
    ownMeta = metaName && rules::IsOwnMetaName(engine::ToAsciiLower(metaName->value).c_str());
    if ((httpEquiv && engine::EqualsIgnoringAsciiCase(httpEquiv->value, u"content-type")) ||
        (metaName && engine::EqualsIgnoringAsciiCase(metaName->value, u"content-type")) ||
        FindLower(element, u"charset"))
      contentTypePresent_ = true;
  }
  WriteAttributes(element, special == rules::Special::Input, ownMeta);
  if (html && rules::DropsLeadingLineBreak(tag))
    out_->append(u">\n");
  else if (exact || keepsContent)
    out_->push_back(u'>');
  else
    out_->append(u">\n");
  Within exactContent(exact_, keepsContent);
  Within rawText(rawText_, html && rules::HoldsRawText(tag));
  if (html && rules::EndsMarkup(tag)) markupEnded_ = true;
  if (special == rules::Special::Style) {
    WritePropertyContent(element.Text(), false, "style");
  } else if (special == rules::Special::Script) {
    WritePropertyContent(element.Text(), false, "script");
    const char16_t* text = element.Text().data();
    int length = static_cast<int>(element.Text().size());
    rules::TrimBlanks(text, length);
    if (!endTagAtOnce_ && !rules::ScriptTextCloses(text, length)) out_->append(u"-->\n");
  } else if (special == rules::Special::Title) {
    const char16_t* text = element.Text().data();
    int length = static_cast<int>(element.Text().size());
    rules::TrimBlanks(text, length);
    if (length > 0) WritePropertyContent(std::u16string_view(text, static_cast<size_t>(length)), true, nullptr);
  }
  for (const Node* child = element.FirstChild(); child; child = child->NextSibling())
    if (!WriteNode(*child, level + 1)) return false;
  if (special == rules::Special::Head) {
    if (!generatorPresent_) {
      Indent(level + 1);
      out_->append(u"<META NAME=\"Generator\" CONTENT=\"generator\">\n");
    }
    generatorPresent_ = true;
    if (!contentTypePresent_) {
      Indent(level + 1);
      out_->append(u"<META NAME=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">\n");
    }
    contentTypePresent_ = true;
  }
  if (!markupEnded_ && (!html || rules::NeedsEndTagLower(tag))) {
    // The end tag of exact content follows it directly: an indent would be read as more content.
    if (!exact && !keepsContent && !endTagAtOnce_) Indent(level);
    endTagAtOnce_ = false;
    out_->append(u"</");
    out_->append(name);
    out_->append(exact ? u">" : u">\n");
  }
  return true;
}

// The attributes in the engine's order with lower-cased names, the style attribute last, and an input's
// state from its attributes (the control writes the live state in their place).
void CoreTreeWriter::WriteAttributes(const Element& element, bool isInput, bool ownMeta) {
  const engine::Attribute* style = nullptr;
  for (const auto& attribute : element.Attributes()) {
    const std::u16string name = engine::ToAsciiLower(attribute.QualifiedName());
    if (name == u"style") {
      if (!style) style = &attribute;
      continue;
    }
    if (isInput && IsInputStateAttribute(name)) continue;
    out_->push_back(u' ');
    out_->append(ownMeta && (name == u"name" || name == u"content") ? engine::ToAsciiUpper(name) : name);
    out_->append(u"=\"");
    WriteEscaped(attribute.value, true);
    out_->push_back(u'"');
  }
  if (style && !style->value.empty()) {
    out_->append(u" style=\"");
    WriteEscaped(style->value, true);
    out_->push_back(u'"');
  }
  if (!isInput) return;
  if (const auto* value = FindLower(element, u"value"); value && !value->value.empty()) {
    out_->append(u" value=\"");
    WriteEscaped(value->value, true);
    out_->push_back(u'"');
  }
  if (FindLower(element, u"checked")) out_->append(u" checked");
  if (FindLower(element, u"disabled")) out_->append(u" disabled");
  if (FindLower(element, u"readonly")) out_->append(u" readonly");
}

void CoreTreeWriter::WriteText(std::u16string_view text, int level) {
  if (exact_) {
    if (rawText_)
      out_->append(text);
    else
      WriteEscaped(text, false);
    return;
  }
  const char16_t* start = text.data();
  int length = static_cast<int>(text.size());
  rules::TrimBlanks(start, length);
  if (length == 0) return;
  Indent(level);
  if (rawText_)
    out_->append(start, static_cast<size_t>(length));
  else
    WriteEscaped(std::u16string_view(start, static_cast<size_t>(length)), false);
  out_->push_back(u'\n');
}

void CoreTreeWriter::WriteEscaped(std::u16string_view text, bool attribute) {
  const rules::HtmlEscape escape = attribute ? rules::HtmlEscape::Attribute : rules::HtmlEscape::Text;
  const int length = static_cast<int>(text.size());
  for (int i = 0; i < length; ++i) {
    switch (rules::ReplacementAt(text.data(), length, i, escape)) {
      case rules::Replacement::Ampersand:
        out_->append(u"&amp;");
        break;
      case rules::Replacement::LessThan:
        out_->append(u"&lt;");
        break;
      case rules::Replacement::Quote:
        out_->append(u"&quot;");
        break;
      case rules::Replacement::CarriageReturn:
        out_->append(u"&#13;");
        break;
      default:
        out_->push_back(text[static_cast<size_t>(i)]);
    }
  }
}

// Content held as a property goes on lines of its own, its blanks at both ends left out.
void CoreTreeWriter::WritePropertyContent(std::u16string_view text, bool escaped, const char* rawTag) {
  const char16_t* start = text.data();
  int length = static_cast<int>(text.size());
  rules::TrimBlanks(start, length);
  const std::u16string_view trimmed(start, static_cast<size_t>(length));
  if (escaped)
    WriteEscaped(trimmed, false);
  else
    out_->append(trimmed);
  if (rawTag && rules::EndsWithEndTagOpen(start, length, rawTag)) {
    endTagAtOnce_ = true;
    return;
  }
  out_->push_back(u'\n');
}

}  // namespace vellum::fuzzing
