#include "engine/com/Collections.h"

#include <new>

#include "dom/document.h"
#include "engine/com/ComValues.h"
#include "engine/com/FormState.h"
#include "engine/com/HtmlDocument.h"
#include "engine/com/WrapperCache.h"

namespace vellum::engine::com {

using vellum::engine::Element;
using vellum::engine::Node;
using vellum::engine::RefPtr;

namespace {

bool MatchesName(const Node& node, std::u16string_view name) {
  const Element* element = vellum::engine::AsElement(&node);
  return element && (AttributeText(*element, u"id") == name || AttributeText(*element, u"name") == name);
}

HRESULT GetLength(LONG count, LONG* p) {
  if (!p) return E_POINTER;
  *p = count;
  return S_OK;
}

}  // namespace

NodeList DescendantsOf(const Node& root) {
  NodeList nodes;
  const Node* node = root.FirstChild();
  while (node) {
    if (node->IsElement() || node->IsComment()) nodes.emplace_back(const_cast<Node*>(node));
    if (node->FirstChild()) {
      node = node->FirstChild();
      continue;
    }
    while (node != &root && !node->NextSibling()) node = node->Parent();
    node = node == &root ? nullptr : node->NextSibling();
  }
  return nodes;
}

namespace {

bool HasTagName(const Node& node, std::u16string_view tagName) {
  if (tagName == u"*") return true;
  if (node.IsComment()) return tagName == u"!";
  return vellum::engine::EqualsIgnoringAsciiCase(static_cast<const Element&>(node).LocalName(), tagName);
}

}  // namespace

NodeList WithTagName(const NodeList& nodes, std::u16string_view tagName) {
  NodeList matching;
  for (const RefPtr<Node>& node : nodes)
    if (HasTagName(*node, tagName)) matching.push_back(node);
  return matching;
}

NodeList WithTagName(const std::vector<Node*>& nodes, std::u16string_view tagName) {
  NodeList matching;
  for (Node* node : nodes)
    if (HasTagName(*node, tagName)) matching.emplace_back(node);
  return matching;
}

// --- element collection ------------------------------------------------------------------------------

HRESULT CElementCollection::CreateDocumentAll(CHtmlDocument& document, REFIID riid, void** out) {
  return HandOut(new CElementCollection(document, true, NodeList()), riid, out);
}

HRESULT CElementCollection::CreateList(CHtmlDocument& document, NodeList nodes, REFIID riid, void** out) {
  return HandOut(new CElementCollection(document, false, std::move(nodes)), riid, out);
}

CElementCollection::CElementCollection(CHtmlDocument& document, bool followsTree, NodeList nodes)
    : document_(CComRef<CHtmlDocument>::Share(&document)), followsTree_(followsTree), nodes_(std::move(nodes)) {}

CElementCollection::~CElementCollection() = default;

size_t CElementCollection::Count() const { return followsTree_ ? document_->Tree().All().size() : nodes_.size(); }

Node* CElementCollection::At(size_t index) const {
  if (followsTree_) {
    const std::vector<Node*>& all = document_->Tree().All();
    return index < all.size() ? all[index] : nullptr;
  }
  return index < nodes_.size() ? nodes_[index].get() : nullptr;
}

HRESULT CElementCollection::get_length(LONG* p) {
  return GuardedRead([&] { return GetLength(static_cast<LONG>(Count()), p); });
}

HRESULT CElementCollection::item(VARIANT name, VARIANT index, IDispatch** p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return GuardedRead([&]() -> HRESULT {
    if (IsNumber(name)) {
      LONG position = -1;
      HRESULT hr = LongOfVariant(name, position);
      if (FAILED(hr)) return hr;
      if (position < 0 || static_cast<size_t>(position) >= Count()) return S_OK;  // nothing there
      return WrapNodeAs(*document_, At(static_cast<size_t>(position)), p);
    }
    if (V_VT(&name) != VT_BSTR) return E_INVALIDARG;
    NodeList matches;
    for (size_t i = 0, n = Count(); i < n; ++i)
      if (Node* node = At(i); MatchesName(*node, TextOf(V_BSTR(&name)))) matches.emplace_back(node);
    if (IsNumber(index)) {
      LONG position = -1;
      HRESULT hr = LongOfVariant(index, position);
      if (FAILED(hr)) return hr;
      if (position < 0 || static_cast<size_t>(position) >= matches.size()) return S_OK;
      return WrapNodeAs(*document_, matches[static_cast<size_t>(position)].get(), p);
    }
    if (matches.empty()) return S_OK;
    if (matches.size() == 1) return WrapNodeAs(*document_, matches.front().get(), p);
    return CreateList(*document_, std::move(matches), IID_IDispatch, reinterpret_cast<void**>(p));
  });
}

HRESULT CElementCollection::tags(VARIANT tagName, IDispatch** p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return GuardedRead([&] {
    std::u16string name;
    HRESULT hr = TextOfVariant(tagName, name);
    if (FAILED(hr)) return hr;
    NodeList matching = followsTree_ ? WithTagName(document_->Tree().All(), name) : WithTagName(nodes_, name);
    return CreateList(*document_, std::move(matching), IID_IDispatch, reinterpret_cast<void**>(p));
  });
}

HRESULT CElementCollection::toString(BSTR* text) {
  if (!text) return E_POINTER;
  return ReturnString(u"[object]", text);
}

const NamedPropertyTable<CElementCollection>& CElementCollection::Properties() {
  static const NamedProperty<CElementCollection> kEntries[] = {
      {L"length", 1,
       [](CElementCollection& c, VARIANT* r) {
         V_VT(r) = VT_I4;
         return c.get_length(&V_I4(r));
       },
       nullptr},
  };
  static const NamedPropertyTable<CElementCollection> kTable(kEntries);
  return kTable;
}

// --- child nodes -------------------------------------------------------------------------------------

// One pass over the siblings: counting them first would chase every pointer twice.
CChildList::CChildList(const Node& parent) {
  for (Node* child = parent.FirstChild(); child; child = child->NextSibling(), ++size_) {
    if (size_ < kInPlace) {
      inPlace_[size_] = child;
    } else {
      more_.emplace_back(child);
    }
  }
}

HRESULT CChildNodes::Create(CHtmlDocument& document, const Node& parent, REFIID riid, void** out) {
  return HandOut(new CChildNodes(document, parent), riid, out);
}

CChildNodes::CChildNodes(CHtmlDocument& document, const Node& parent)
    : document_(CComRef<CHtmlDocument>::Share(&document)), children_(parent) {}

CChildNodes::~CChildNodes() = default;

HRESULT CChildNodes::get_length(LONG* p) { return GetLength(static_cast<LONG>(children_.size()), p); }

HRESULT CChildNodes::item(LONG index, IDispatch** p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  if (index < 0 || static_cast<size_t>(index) >= children_.size()) return E_INVALIDARG;
  return GuardedRead([&] { return WrapNodeAs(*document_, children_.at(static_cast<size_t>(index)), p); });
}

const NamedPropertyTable<CChildNodes>& CChildNodes::Properties() {
  static const NamedProperty<CChildNodes> kEntries[] = {
      {L"length", 1,
       [](CChildNodes& c, VARIANT* r) {
         V_VT(r) = VT_I4;
         return c.get_length(&V_I4(r));
       },
       nullptr},
  };
  static const NamedPropertyTable<CChildNodes> kTable(kEntries);
  return kTable;
}

}  // namespace vellum::engine::com
