// An element's attributes as the object model shows them: IHTMLAttributeCollection in the order the
// attributes were first set, each item an IHTMLDOMAttribute that reports specified = true while the
// element has it.
#pragma once

#include <windows.h>
#include <mshtml.h>

#include <string>
#include <vector>

#include "dom/element.h"
#include "engine/com/ComObject.h"
#include "engine/com/NamedProperties.h"
#include "engine/com/Recycled.h"
#include "notimpl.h"

namespace vellum::engine::com {

class CDomAttribute;

class CAttributeCollection final : public IHTMLAttributeCollectionNotImpl,
                                   public CRecycled<CAttributeCollection>,
                                   private CLiveObject {
 public:
  static HRESULT Create(vellum::engine::Element& element, REFIID riid, void** out);
  ENGINE_IUNKNOWN_METHODS
  ENGINE_IDISPATCH_FROM_TABLE(Properties())
  static const NamedPropertyTable<CAttributeCollection>& Properties();

  HRESULT STDMETHODCALLTYPE get_length(LONG* p) override;
  // name: an index, or an attribute name (any case).
  HRESULT STDMETHODCALLTYPE item(VARIANT* name, IDispatch** p) override;

 private:
  friend class CDomAttribute;
  explicit CAttributeCollection(vellum::engine::Element& element) : element_(&element) {}
  ~CAttributeCollection();
  HRESULT QueryInterfaceImpl(REFIID riid, void** out) {
    return QueryInterfaceOf<IHTMLAttributeCollection, IDispatch>(this, riid, out);
  }
  // The object of the attribute of this name (made on its first request, then the same one).
  CDomAttribute& AttributeNamed(std::u16string_view name, size_t place);

  LONG refs_ = 1;
  vellum::engine::RefPtr<vellum::engine::Element> element_;
  // The attribute objects made so far; they live as long as the collection.
  static constexpr size_t kInPlace = 6;
  CDomAttribute* inPlace_[kInPlace] = {};
  std::vector<CDomAttribute*> more_;
  size_t made_ = 0;
};

// One attribute of an element, found by its name at each call (so it follows later changes); the
// place where it was found last is looked at first. It belongs to the collection that gave it out:
// its references are the collection's, so a walk over thousands of attributes makes no object that
// must be counted, referenced and ended one by one.
class CDomAttribute final : public IHTMLDOMAttributeNotImpl, public CRecycled<CDomAttribute> {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    return QueryInterfaceOf<IHTMLDOMAttribute, IDispatch>(this, riid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return owner_->AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return owner_->Release(); }
  ENGINE_IDISPATCH_FROM_TABLE(Properties())
  static const NamedPropertyTable<CDomAttribute>& Properties();

  HRESULT STDMETHODCALLTYPE get_nodeName(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE get_nodeValue(VARIANT* p) override;
  HRESULT STDMETHODCALLTYPE put_nodeValue(VARIANT v) override;
  HRESULT STDMETHODCALLTYPE get_specified(VARIANT_BOOL* p) override;

 private:
  friend class CAttributeCollection;
  // place: where the element holds the attribute now.
  CDomAttribute(CAttributeCollection& owner, std::u16string_view name, size_t place)
      : owner_(&owner), name_(name), place_(place) {}
  ~CDomAttribute() = default;
  vellum::engine::Element& GetElement() const { return *owner_->element_; }
  // The attribute while the element has it.
  const vellum::engine::Attribute* Find() const;

  CAttributeCollection* owner_;  // not referenced: it owns this object
  std::u16string name_;          // as the element reports it (lower-case)
  mutable size_t place_;         // where the element held it when last found
};

}  // namespace vellum::engine::com
