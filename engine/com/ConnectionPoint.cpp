#include "engine/com/ConnectionPoint.h"

namespace vellum::engine::com {

CPropertyNotifyPoint::~CPropertyNotifyPoint() { Disconnect(); }

HRESULT CPropertyNotifyPoint::GetConnectionInterface(IID* iid) {
  if (!iid) return E_POINTER;
  *iid = IID_IPropertyNotifySink;
  return S_OK;
}

HRESULT CPropertyNotifyPoint::GetConnectionPointContainer(IConnectionPointContainer** out) {
  if (!out) return E_POINTER;
  *out = container_;
  if (!container_) return E_UNEXPECTED;
  container_->AddRef();
  return S_OK;
}

HRESULT CPropertyNotifyPoint::Advise(IUnknown* sink, DWORD* cookie) {
  if (!cookie) return E_POINTER;
  *cookie = 0;
  if (!sink) return E_POINTER;
  IPropertyNotifySink* notify = nullptr;
  if (FAILED(sink->QueryInterface(IID_IPropertyNotifySink, reinterpret_cast<void**>(&notify))))
    return CONNECT_E_CANNOTCONNECT;
  connections_.push_back({nextCookie_, notify});
  *cookie = nextCookie_++;
  return S_OK;
}

HRESULT CPropertyNotifyPoint::Unadvise(DWORD cookie) {
  for (auto it = connections_.begin(); it != connections_.end(); ++it) {
    if (it->cookie == cookie) {
      IPropertyNotifySink* sink = it->sink;
      connections_.erase(it);
      sink->Release();
      return S_OK;
    }
  }
  return CONNECT_E_NOCONNECTION;
}

void CPropertyNotifyPoint::FireChanged(DISPID dispid) {
  // A sink may unadvise (or advise) from inside its callback: call a snapshot, each held meanwhile.
  std::vector<IPropertyNotifySink*> sinks;
  sinks.reserve(connections_.size());
  for (const auto& c : connections_) {
    c.sink->AddRef();
    sinks.push_back(c.sink);
  }
  for (IPropertyNotifySink* sink : sinks) {
    sink->OnChanged(dispid);
    sink->Release();
  }
}

void CPropertyNotifyPoint::Disconnect() {
  container_ = nullptr;
  std::vector<Connection> connections;
  connections.swap(connections_);
  for (const auto& c : connections) c.sink->Release();
}

}  // namespace vellum::engine::com
