// What the document site objects need of the control they serve. The control implements it; the site
// objects know nothing else of it.
#pragma once

#include <windows.h>
#include <mshtml.h>

class ISiteOwner {
 public:
  // The control's COM identity: every site interface's IUnknown calls go to it.
  virtual IUnknown* Identity() const = 0;
  // The control's window (null before it exists).
  virtual HWND ControlWindow() const = 0;
  // The hosted page; null when there is none.
  virtual IHTMLDocument2* Document() const = 0;
  // The document's ready state became complete (a load finished).
  virtual void OnDocumentComplete() = 0;

 protected:
  ~ISiteOwner() = default;
};
