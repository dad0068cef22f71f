// The document's connection point for IPropertyNotifySink: the ready-state changes reach every sink
// advised here, in the order they were advised.
#pragma once

#include <ocidl.h>

#include <vector>

#include "engine/com/ComObject.h"
#include "notimpl.h"

namespace vellum::engine::com {

class CPropertyNotifyPoint final : public IConnectionPointNotImpl, private CLiveObject {
 public:
  // container: the document (not referenced; the document owns this object and outlives its use).
  explicit CPropertyNotifyPoint(IConnectionPointContainer* container) : container_(container) {}
  ENGINE_IUNKNOWN_METHODS

  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override;
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override;

  // Calls OnChanged(dispid) on every sink advised now.
  void FireChanged(DISPID dispid);
  // The document is going: sinks are released, the container pointer is forgotten.
  void Disconnect();

 private:
  ~CPropertyNotifyPoint();
  HRESULT QueryInterfaceImpl(REFIID riid, void** out) { return QueryInterfaceOf<IConnectionPoint>(this, riid, out); }
  struct Connection {
    DWORD cookie;
    IPropertyNotifySink* sink;
  };
  LONG refs_ = 1;
  IConnectionPointContainer* container_;  // null once the document has gone
  std::vector<Connection> connections_;
  DWORD nextCookie_ = 1;
};

}  // namespace vellum::engine::com
