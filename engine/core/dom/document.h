#pragma once
// The document node: creates every node of its tree and keeps the `all` list (elements and comments
// in document order) that the object model indexes in O(1).

#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "dom/character_data.h"
#include "dom/element.h"
#include "dom/node.h"

namespace vellum::engine {

enum class DocumentMode : uint8_t { NoQuirks, LimitedQuirks, Quirks };

class DocumentFragment final : public Node {
 public:
  // The template element whose contents this fragment holds, if any.
  Element* TemplateHost() const { return templateHost_; }

 private:
  friend class Document;
  friend class Element;
  explicit DocumentFragment(Document* document) : Node(NodeType::DocumentFragment, document) {}

  Element* templateHost_ = nullptr;
};

class Document final : public Node {
 public:
  static RefPtr<Document> Create();

  // HTML element from a name in any case; the name is stored lower-case.
  RefPtr<Element> CreateElement(std::u16string_view name);
  // Element with a name already in its final form (lower-case HTML, adjusted SVG case).
  RefPtr<Element> CreateElement(Namespace ns, TagId tag, std::u16string_view localName);
  RefPtr<Text> CreateText(std::u16string_view data);
  RefPtr<Comment> CreateComment(std::u16string_view data);
  // A declaration kept as a comment: `markup` is its source text, `data` what a tree dump shows.
  RefPtr<Comment> CreateDeclaration(std::u16string_view data, std::u16string_view markup,
                                    std::unique_ptr<DoctypeInfo> doctype = nullptr);
  RefPtr<DocumentFragment> CreateDocumentFragment();

  Element* DocumentElement() const;
  Element* Head() const;
  // The body element, or the frameset that stands in its place.
  Element* Body() const;

  DocumentMode Mode() const { return mode_; }
  void SetMode(DocumentMode mode) { mode_ = mode; }

  // Elements and comments in pre-order; item i has sourceIndex i. Rebuilt on the first call after
  // a change, so a reference to it is good only until the tree changes.
  const std::vector<Node*>& All() const;
  // Bumped by every change of the tree, an attribute or a text: whoever caches something computed
  // from the document (the layout) compares it to know when to compute again.
  uint64_t Version() const { return version_; }
  // Changes whenever the document's style elements may have: with any text or tree change, and with an
  // attribute of a style element. Unique across documents, so that a reader holding another
  // document's stamp never takes it for this one's.
  uint64_t SheetsStamp() const { return sheetsStamp_; }
  // A number no stamp of any document or element has had before (elements stamp their attributes).
  static uint64_t NextStamp();
  // A text changed (or anything else the journal below cannot list).
  void ContentChanged() {
    ++version_;
    ForgetJournal();
    sheetsStamp_ = NextStamp();
  }
  // The element's attributes changed: counted, and listed in the journal.
  void AttributesChanged(const Element& element);

  // The journal of attribute changes: while nothing but attributes changed since `version`, fills
  // `changed` with the elements whose attributes did since then, in order (an element may come more
  // than once) and answers true. False once a text or the tree changed since, or when the journal no
  // longer reaches back that far (it keeps the last kJournalLimit changes). Whoever keeps something
  // computed from a version of the document (a layout, a written text) need only look at those
  // elements again; any number of such readers share the journal.
  bool AttributeChangesSince(uint64_t version, std::vector<const Element*>& changed) const;
  static constexpr size_t kJournalLimit = 4096;

  // Number of nodes of this document still alive (attached or not), the document excluded.
  size_t LiveNodeCount() const { return liveNodes_; }

 private:
  friend class Node;
  Document();
  ~Document() override;
  void TreeChanged() {
    allDirty_ = true;
    ++version_;
    ForgetJournal();
    sheetsStamp_ = NextStamp();
  }
  // The journal starts afresh: complete from the current version on.
  void ForgetJournal() {
    journal_.clear();
    journalStart_ = version_;
  }
  void NodeCreated() { ++liveNodes_; }
  void NodeDestroyed();
  void RebuildAll() const;
  // Called when the last outside reference goes: frees the tree, and the document once no node
  // of it is held elsewhere.
  void LastReferenceReleased();

  DocumentMode mode_ = DocumentMode::NoQuirks;
  size_t liveNodes_ = 0;
  uint64_t version_ = 0;
  bool released_ = false;
  mutable bool allDirty_ = true;
  mutable uint32_t allStamp_ = 0;
  mutable std::vector<Node*> all_;
  // Each attribute change with the version it made; every change after journalStart_ is listed.
  std::vector<std::pair<uint64_t, const Element*>> journal_;
  uint64_t journalStart_ = 0;
  uint64_t sheetsStamp_ = NextStamp();
};

}  // namespace vellum::engine
