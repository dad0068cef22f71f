#include "dom/element.h"

#include "dom/document.h"

namespace vellum::engine {

namespace {
char16_t LowerAscii(char16_t c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }
char16_t UpperAscii(char16_t c) { return c >= 'a' && c <= 'z' ? c - 32 : c; }
}  // namespace

std::u16string ToAsciiLower(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out) c = LowerAscii(c);
  return out;
}

std::u16string ToAsciiUpper(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out) c = UpperAscii(c);
  return out;
}

std::u16string Attribute::QualifiedName() const {
  switch (ns) {
    case AttributeNamespace::None:
      return name;
    case AttributeNamespace::XLink:
      return u"xlink:" + name;
    case AttributeNamespace::Xml:
      return u"xml:" + name;
    case AttributeNamespace::Xmlns:
      return name == u"xmlns" ? name : u"xmlns:" + name;
  }
  return name;
}

Element::Element(Document* document, Namespace ns, TagId tag, std::u16string_view localName)
    : Node(NodeType::Element, document), ns_(ns), tag_(tag), attributesStamp_(Document::NextStamp()) {
  if (tag == TagId::Unknown || vellum::engine::TagName(tag) != localName)
    localName_ = std::make_unique<std::u16string>(localName);
  if (Is(TagId::Template)) {
    templateContent_ = document->CreateDocumentFragment();
    templateContent_->templateHost_ = this;
  }
}

Element::~Element() = default;

void Element::ReleaseTemplateContent() {
  if (templateContent_) templateContent_->templateHost_ = nullptr;
  templateContent_ = nullptr;
}

std::u16string_view Element::LocalName() const {
  return localName_ ? std::u16string_view(*localName_) : vellum::engine::TagName(tag_);
}

std::u16string Element::TagName() const { return ToAsciiUpper(LocalName()); }

const Attribute* Element::FindAttribute(std::u16string_view name) const {
  for (const Attribute& a : attributes_) {
    if (a.ns == AttributeNamespace::None ? EqualsIgnoringAsciiCase(a.name, name)
                                         : EqualsIgnoringAsciiCase(a.QualifiedName(), name))
      return &a;
  }
  return nullptr;
}

void Element::AttributesChanged() {
  attributesStamp_ = Document::NextStamp();
  styleCache_.reset();
  GetDocument().AttributesChanged(*this);
}

void Element::SetAttribute(std::u16string_view name, std::u16string_view value) {
  AttributesChanged();
  if (const Attribute* existing = FindAttribute(name)) {
    const_cast<Attribute*>(existing)->value.assign(value);
    return;
  }
  attributes_.push_back(Attribute{ToAsciiLower(name), std::u16string(value), AttributeNamespace::None});
}

bool Element::RemoveAttribute(std::u16string_view name) {
  AttributesChanged();
  const Attribute* a = FindAttribute(name);
  if (!a) return false;
  attributes_.erase(attributes_.begin() + (a - attributes_.data()));
  return true;
}

const std::u16string& Element::Text() const {
  static const std::u16string kNone;
  return text_ ? *text_ : kNone;
}

void Element::SetText(std::u16string_view text) {
  if (!text_) text_ = std::make_unique<std::u16string>();
  text_->assign(text);
  GetDocument().ContentChanged();
}

void Element::AppendText(std::u16string_view text) {
  if (!text_) text_ = std::make_unique<std::u16string>();
  text_->append(text);
  GetDocument().ContentChanged();
}

bool Element::HoldsTextAsProperty() const {
  return ns_ == Namespace::Html && (tag_ == TagId::Title || tag_ == TagId::Style || tag_ == TagId::Script);
}

}  // namespace vellum::engine
