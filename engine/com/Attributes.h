// An element's attributes as the object model shows them: IHTMLAttributeCollection in the order the
// attributes were first set, each item an IHTMLDOMAttribute that reports specified = true while the
// element has it.
#pragma once

#include <windows.h>
#include <mshtml.h>

#include <string>

#include "dom/element.h"
#include "engine/com/ComObject.h"
#include "engine/com/NamedProperties.h"
#include "engine/com/Recycled.h"
#include "notimpl.h"

namespace engine {

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
  explicit CAttributeCollection(vellum::engine::Element& element) : element_(&element) {}
  ~CAttributeCollection() = default;
  HRESULT QueryInterfaceImpl(REFIID riid, void** out) {
    return QueryInterfaceOf<IHTMLAttributeCollection, IDispatch>(this, riid, out);
  }

  LONG refs_ = 1;
  vellum::engine::RefPtr<vellum::engine::Element> element_;
};

// One attribute of an element, found by its name at each call (so it follows later changes); the
// place where it was found last is looked at first.
class CDomAttribute final : public IHTMLDOMAttributeNotImpl, public CRecycled<CDomAttribute>, private CLiveObject {
 public:
  // place: where the element holds the attribute now.
  static HRESULT Create(vellum::engine::Element& element, std::u16string_view name, size_t place, REFIID riid,
                        void** out);
  ENGINE_IUNKNOWN_METHODS
  ENGINE_IDISPATCH_FROM_TABLE(Properties())
  static const NamedPropertyTable<CDomAttribute>& Properties();

  HRESULT STDMETHODCALLTYPE get_nodeName(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE get_nodeValue(VARIANT* p) override;
  HRESULT STDMETHODCALLTYPE put_nodeValue(VARIANT v) override;
  HRESULT STDMETHODCALLTYPE get_specified(VARIANT_BOOL* p) override;

 private:
  CDomAttribute(vellum::engine::Element& element, std::u16string_view name, size_t place)
      : element_(&element), name_(name), place_(place) {}
  ~CDomAttribute() = default;
  // The attribute while the element has it.
  const vellum::engine::Attribute* Find() const;
  HRESULT QueryInterfaceImpl(REFIID riid, void** out) {
    return QueryInterfaceOf<IHTMLDOMAttribute, IDispatch>(this, riid, out);
  }

  LONG refs_ = 1;
  vellum::engine::RefPtr<vellum::engine::Element> element_;
  std::u16string name_;    // as the element reports it (lower-case)
  mutable size_t place_;   // where the element held it when last found
};

}  // namespace engine
