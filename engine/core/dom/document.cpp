#include "dom/document.h"

namespace vellum::engine {

Document::Document() : Node(NodeType::Document, this) {}

Document::~Document() = default;

RefPtr<Document> Document::create() { return RefPtr<Document>(new Document()); }

RefPtr<Element> Document::createElement(std::u16string_view name) {
  std::u16string lower = toAsciiLower(name);
  return createElement(Namespace::Html, lookupTag(lower), lower);
}

RefPtr<Element> Document::createElement(Namespace ns, TagId tag, std::u16string_view localName) {
  return RefPtr<Element>(new Element(this, ns, tag, localName));
}

RefPtr<Text> Document::createText(std::u16string_view data) { return RefPtr<Text>(new Text(this, data)); }

RefPtr<Comment> Document::createComment(std::u16string_view data) {
  return RefPtr<Comment>(new Comment(this, data, {}, nullptr));
}

RefPtr<Comment> Document::createDeclaration(std::u16string_view data, std::u16string_view markup,
                                            std::unique_ptr<DoctypeInfo> doctype) {
  // An empty markup would read as an ordinary comment; a declaration always has at least "<!>".
  return RefPtr<Comment>(new Comment(this, data, markup.empty() ? u"<!>" : markup, std::move(doctype)));
}

RefPtr<DocumentFragment> Document::createDocumentFragment() {
  return RefPtr<DocumentFragment>(new DocumentFragment(this));
}

Element* Document::documentElement() const {
  for (Node* c = firstChild(); c; c = c->nextSibling())
    if (Element* e = asElement(c)) return e;
  return nullptr;
}

Element* Document::head() const {
  Element* html = documentElement();
  if (!html || !html->is(TagId::Html)) return nullptr;
  for (Node* c = html->firstChild(); c; c = c->nextSibling())
    if (Element* e = asElement(c); e && e->is(TagId::Head)) return e;
  return nullptr;
}

Element* Document::body() const {
  Element* html = documentElement();
  if (!html || !html->is(TagId::Html)) return nullptr;
  for (Node* c = html->firstChild(); c; c = c->nextSibling())
    if (Element* e = asElement(c); e && (e->is(TagId::Body) || e->is(TagId::Frameset))) return e;
  return nullptr;
}

const std::vector<Node*>& Document::all() const {
  if (allDirty_) rebuildAll();
  return all_;
}

// Pre-order walk over the links alone: no stack, whatever the depth.
void Document::rebuildAll() const {
  all_.clear();
  ++allStamp_;
  const Node* n = firstChild();
  while (n) {
    if (n->isElement() || n->isComment()) {
      n->allStamp_ = allStamp_;
      n->allIndex_ = static_cast<uint32_t>(all_.size());
      all_.push_back(const_cast<Node*>(n));
    }
    if (n->firstChild()) {
      n = n->firstChild();
      continue;
    }
    while (n && !n->nextSibling()) {
      n = n->parent();
      if (n == this) n = nullptr;
    }
    if (n) n = n->nextSibling();
  }
  allDirty_ = false;
}

void Document::lastReferenceReleased() {
  released_ = true;
  releaseChildren();
  all_.clear();
  if (liveNodes_ == 0) delete this;
}

void Document::nodeDestroyed() {
  --liveNodes_;
  if (released_ && liveNodes_ == 0 && refCount() == 0) delete this;
}

}  // namespace vellum::engine
