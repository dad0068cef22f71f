// CNotifySink: listens to the document's property changes for one thing, the ready state, and tells the
// control when a load has completed.
#pragma once

#include <windows.h>
#include <ocidl.h>

#include "hosting/SiteObject.h"

class CNotifySink final : public CSiteObject<IPropertyNotifySink> {
 public:
  explicit CNotifySink(ISiteOwner* owner) : CSiteObject(owner) {}

  // IPropertyNotifySink
  HRESULT STDMETHODCALLTYPE OnChanged(DISPID id) override;
  HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID id) override;

 private:
  // The document's ready state; false when it cannot be read.
  static bool ReadReadyState(IHTMLDocument2* document, LONG& state);
};
