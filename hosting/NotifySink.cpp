#include "hosting/NotifySink.h"

#include <olectl.h>

#include "comkit/ComRef.h"

HRESULT CNotifySink::OnChanged(DISPID id) {
  if (id != DISPID_READYSTATE) return S_OK;
  IHTMLDocument2* document = owner_ ? owner_->Document() : nullptr;
  if (!document) return S_OK;
  LONG state = 0;
  // A state that cannot be read is not a completed load; the notification is simply dropped.
  if (!ReadReadyState(document, state) || state != READYSTATE_COMPLETE) return S_OK;
  // The engine called: nothing may unwind into it. A completion that ran out of memory half-way says so.
  try {
    owner_->OnDocumentComplete();
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

HRESULT CNotifySink::OnRequestEdit(DISPID) { return S_OK; }

bool CNotifySink::ReadReadyState(IHTMLDocument2* document, LONG& state) {
  DISPPARAMS noArguments = {};
  VARIANT value;
  VariantInit(&value);
  // The document may drop its last other reference from inside its own Invoke; keep it alive meanwhile.
  const CComRef<IHTMLDocument2> kept = CComRef<IHTMLDocument2>::Share(document);
  HRESULT hr = kept->Invoke(DISPID_READYSTATE, IID_NULL, LOCALE_SYSTEM_DEFAULT, DISPATCH_PROPERTYGET, &noArguments,
                            &value, nullptr, nullptr);
  if (SUCCEEDED(hr)) hr = VariantChangeType(&value, &value, 0, VT_I4);
  if (SUCCEEDED(hr)) state = V_I4(&value);
  VariantClear(&value);
  return SUCCEEDED(hr);
}
