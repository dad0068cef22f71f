#include "dom/element.h"

#include "dom/document.h"

namespace vellum::engine {

namespace {
char16_t lowerAscii(char16_t c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }
char16_t upperAscii(char16_t c) { return c >= 'a' && c <= 'z' ? c - 32 : c; }
}  // namespace

std::u16string toAsciiLower(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out) c = lowerAscii(c);
  return out;
}

std::u16string toAsciiUpper(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out) c = upperAscii(c);
  return out;
}

std::u16string Attribute::qualifiedName() const {
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
    : Node(NodeType::Element, document), ns_(ns), tag_(tag) {
  if (tag == TagId::Unknown || vellum::engine::tagName(tag) != localName)
    localName_ = std::make_unique<std::u16string>(localName);
  if (is(TagId::Template)) {
    templateContent_ = document->createDocumentFragment();
    templateContent_->templateHost_ = this;
  }
}

Element::~Element() = default;

void Element::releaseTemplateContent() {
  if (templateContent_) templateContent_->templateHost_ = nullptr;
  templateContent_ = nullptr;
}

std::u16string_view Element::localName() const {
  return localName_ ? std::u16string_view(*localName_) : vellum::engine::tagName(tag_);
}

std::u16string Element::tagName() const { return toAsciiUpper(localName()); }

const Attribute* Element::findAttribute(std::u16string_view name) const {
  for (const Attribute& a : attributes_) {
    if (a.ns == AttributeNamespace::None ? equalsIgnoringAsciiCase(a.name, name)
                                         : equalsIgnoringAsciiCase(a.qualifiedName(), name))
      return &a;
  }
  return nullptr;
}

void Element::attributesChanged() {
  styleCache_.reset();
  document().contentChanged();
}

void Element::setAttribute(std::u16string_view name, std::u16string_view value) {
  attributesChanged();
  if (const Attribute* existing = findAttribute(name)) {
    const_cast<Attribute*>(existing)->value.assign(value);
    return;
  }
  attributes_.push_back(Attribute{toAsciiLower(name), std::u16string(value), AttributeNamespace::None});
}

bool Element::removeAttribute(std::u16string_view name) {
  attributesChanged();
  const Attribute* a = findAttribute(name);
  if (!a) return false;
  attributes_.erase(attributes_.begin() + (a - attributes_.data()));
  return true;
}

const std::u16string& Element::text() const {
  static const std::u16string kNone;
  return text_ ? *text_ : kNone;
}

void Element::setText(std::u16string_view text) {
  if (!text_) text_ = std::make_unique<std::u16string>();
  text_->assign(text);
  document().contentChanged();
}

void Element::appendText(std::u16string_view text) {
  if (!text_) text_ = std::make_unique<std::u16string>();
  text_->append(text);
  document().contentChanged();
}

bool Element::holdsTextAsProperty() const {
  return ns_ == Namespace::Html && (tag_ == TagId::Title || tag_ == TagId::Style || tag_ == TagId::Script);
}

}  // namespace vellum::engine
