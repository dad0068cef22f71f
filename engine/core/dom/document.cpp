#include "dom/document.h"

#include <algorithm>
#include <atomic>
#include <cstddef>

namespace vellum::engine {

Document::Document() : Node(NodeType::Document, this) {}

Document::~Document() = default;

uint64_t Document::NextStamp() {
  // Documents on different apartment threads change at once.
  static std::atomic<uint64_t> last{0};
  return last.fetch_add(1, std::memory_order_relaxed) + 1;
}

void Document::AttributesChanged(const Element& element) {
  ++version_;
  if (element.Is(TagId::Style)) sheetsStamp_ = NextStamp();
  // Full, the journal lets its older half go: readers from before then start from scratch.
  if (journal_.size() >= kJournalLimit) {
    const std::size_t dropped = journal_.size() / 2;
    journalStart_ = journal_[dropped - 1].first;
    journal_.erase(journal_.begin(), journal_.begin() + static_cast<std::ptrdiff_t>(dropped));
  }
  try {
    journal_.emplace_back(version_, &element);
  } catch (...) {
    ForgetJournal();  // without room the list is unknown: readers start from scratch
  }
}

bool Document::AttributeChangesSince(uint64_t version, std::vector<const Element*>& changed) const {
  changed.clear();
  if (version < journalStart_ || version > version_) return false;
  // Versions only grow along the journal.
  const auto first = std::upper_bound(journal_.begin(), journal_.end(), version,
                                      [](uint64_t v, const std::pair<uint64_t, const Element*>& entry) { return v < entry.first; });
  changed.reserve(static_cast<std::size_t>(journal_.end() - first));
  for (auto entry = first; entry != journal_.end(); ++entry) changed.push_back(entry->second);
  return true;
}

RefPtr<Document> Document::Create() { return RefPtr<Document>(new Document()); }

RefPtr<Element> Document::CreateElement(std::u16string_view name) {
  std::u16string lower = ToAsciiLower(name);
  return CreateElement(Namespace::Html, LookupTag(lower), lower);
}

RefPtr<Element> Document::CreateElement(Namespace ns, TagId tag, std::u16string_view localName) {
  return RefPtr<Element>(new Element(this, ns, tag, localName));
}

RefPtr<Text> Document::CreateText(std::u16string_view data) { return RefPtr<Text>(new Text(this, data)); }

RefPtr<Comment> Document::CreateComment(std::u16string_view data) {
  return RefPtr<Comment>(new Comment(this, data, {}, nullptr));
}

RefPtr<Comment> Document::CreateDeclaration(std::u16string_view data, std::u16string_view markup,
                                            std::unique_ptr<DoctypeInfo> doctype) {
  // An empty markup would read as an ordinary comment; a declaration always has at least "<!>".
  return RefPtr<Comment>(new Comment(this, data, markup.empty() ? u"<!>" : markup, std::move(doctype)));
}

RefPtr<DocumentFragment> Document::CreateDocumentFragment() {
  return RefPtr<DocumentFragment>(new DocumentFragment(this));
}

Element* Document::DocumentElement() const {
  for (Node* c = FirstChild(); c; c = c->NextSibling())
    if (Element* e = AsElement(c)) return e;
  return nullptr;
}

Element* Document::Head() const {
  Element* html = DocumentElement();
  if (!html || !html->Is(TagId::Html)) return nullptr;
  for (Node* c = html->FirstChild(); c; c = c->NextSibling())
    if (Element* e = AsElement(c); e && e->Is(TagId::Head)) return e;
  return nullptr;
}

Element* Document::Body() const {
  Element* html = DocumentElement();
  if (!html || !html->Is(TagId::Html)) return nullptr;
  for (Node* c = html->FirstChild(); c; c = c->NextSibling())
    if (Element* e = AsElement(c); e && (e->Is(TagId::Body) || e->Is(TagId::Frameset))) return e;
  return nullptr;
}

const std::vector<Node*>& Document::All() const {
  if (allDirty_) RebuildAll();
  return all_;
}

// Pre-order walk over the links alone: no stack, whatever the depth.
void Document::RebuildAll() const {
  all_.clear();
  ++allStamp_;
  const Node* n = FirstChild();
  while (n) {
    if (n->IsElement() || n->IsComment()) {
      n->allStamp_ = allStamp_;
      n->allIndex_ = static_cast<uint32_t>(all_.size());
      all_.push_back(const_cast<Node*>(n));
    }
    if (n->FirstChild()) {
      n = n->FirstChild();
      continue;
    }
    while (n && !n->NextSibling()) {
      n = n->Parent();
      if (n == this) n = nullptr;
    }
    if (n) n = n->NextSibling();
  }
  allDirty_ = false;
}

void Document::LastReferenceReleased() {
  released_ = true;
  ReleaseChildren();
  all_.clear();
  if (liveNodes_ == 0) delete this;
}

void Document::NodeDestroyed() {
  --liveNodes_;
  if (released_ && liveNodes_ == 0 && RefCount() == 0) delete this;
}

}  // namespace vellum::engine
