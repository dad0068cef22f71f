// The node collections: IHTMLElementCollection (document.all, element.all, children, tags) and
// IHTMLDOMChildrenCollection (childNodes).
#pragma once

#include <windows.h>
#include <mshtml.h>

#include <string_view>
#include <vector>

#include "dom/node.h"
#include "engine/com/ComObject.h"
#include "engine/com/NamedProperties.h"
#include "engine/com/Recycled.h"
#include "notimpl.h"

namespace vellum::engine::com {

class CHtmlDocument;

using NodeList = std::vector<vellum::engine::RefPtr<vellum::engine::Node>>;

// Elements and comments below `root` in tree order (the root itself excluded).
NodeList DescendantsOf(const vellum::engine::Node& root);
// The nodes of the list whose tag name is `tagName` (any case; "!" names the comments).
NodeList WithTagName(const NodeList& nodes, std::u16string_view tagName);
NodeList WithTagName(const std::vector<vellum::engine::Node*>& nodes, std::u16string_view tagName);

class CElementCollection final : public IHTMLElementCollectionNotImpl, private CLiveObject {
 public:
  // The document's `all`: every element and comment of the current tree, O(1) by index, following
  // the tree as it changes.
  static HRESULT CreateDocumentAll(CHtmlDocument& document, REFIID riid, void** out);
  // A fixed list of nodes, taken when the collection was asked for.
  static HRESULT CreateList(CHtmlDocument& document, NodeList nodes, REFIID riid, void** out);
  ENGINE_IUNKNOWN_METHODS
  ENGINE_IDISPATCH_FROM_TABLE(Properties())
  static const NamedPropertyTable<CElementCollection>& Properties();

  HRESULT STDMETHODCALLTYPE get_length(LONG* p) override;
  // name: a number (the index), or an id or name (with a numeric index: the index-th match; without:
  // the element, or a collection when several match).
  HRESULT STDMETHODCALLTYPE item(VARIANT name, VARIANT index, IDispatch** p) override;
  HRESULT STDMETHODCALLTYPE tags(VARIANT tagName, IDispatch** p) override;
  HRESULT STDMETHODCALLTYPE toString(BSTR* text) override;

 private:
  CElementCollection(CHtmlDocument& document, bool followsTree, NodeList nodes);
  ~CElementCollection();
  HRESULT QueryInterfaceImpl(REFIID riid, void** out) {
    return QueryInterfaceOf<IHTMLElementCollection, IDispatch>(this, riid, out);
  }
  size_t Count() const;
  vellum::engine::Node* At(size_t index) const;

  LONG refs_ = 1;
  CComRef<CHtmlDocument> document_;
  bool followsTree_;  // the document's all; else nodes_
  NodeList nodes_;
};

// The children of one node, in order. Most nodes of a form have one or two, so a few are held in
// place and only longer lists take memory of their own.
class CChildList {
 public:
  explicit CChildList(const vellum::engine::Node& parent);
  size_t size() const { return size_; }
  vellum::engine::Node* at(size_t index) const {
    return index < kInPlace ? inPlace_[index].get() : more_[index - kInPlace].get();
  }

 private:
  static constexpr size_t kInPlace = 3;
  vellum::engine::RefPtr<vellum::engine::Node> inPlace_[kInPlace];
  NodeList more_;  // the children after the first kInPlace
  size_t size_ = 0;
};

// childNodes: the children of the node at the time it was asked for.
class CChildNodes final : public IHTMLDOMChildrenCollectionNotImpl, public CRecycled<CChildNodes>, private CLiveObject {
 public:
  static HRESULT Create(CHtmlDocument& document, const vellum::engine::Node& parent, REFIID riid, void** out);
  ENGINE_IUNKNOWN_METHODS
  ENGINE_IDISPATCH_FROM_TABLE(Properties())
  static const NamedPropertyTable<CChildNodes>& Properties();

  HRESULT STDMETHODCALLTYPE get_length(LONG* p) override;
  HRESULT STDMETHODCALLTYPE item(LONG index, IDispatch** p) override;

 private:
  CChildNodes(CHtmlDocument& document, const vellum::engine::Node& parent);
  ~CChildNodes();
  HRESULT QueryInterfaceImpl(REFIID riid, void** out) {
    return QueryInterfaceOf<IHTMLDOMChildrenCollection, IDispatch>(this, riid, out);
  }

  LONG refs_ = 1;
  CComRef<CHtmlDocument> document_;
  CChildList children_;
};

}  // namespace vellum::engine::com
