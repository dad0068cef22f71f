// CVellum: the object behind each "QX_VELLUM" window.
#pragma once

#include <windows.h>
#include <mshtml.h>

#include <plinthcore.h>

#include "control/MessageWindow.h"

class CAxHoster;
class CDocHost;
class CNotifySink;
class CVlmUIWin;

class CVellum : public CMessageWindow, public CHeapObject {
 public:
  CVellum();
  ~CVellum() override;

  // The module's list of live controls (intrusive, so that listing needs no memory).
  CVellum* nextLive = nullptr;
  CVellum* prevLive = nullptr;

  DWORD lastError = 0;  // code of the last failure (VLM_ERR_*)

 protected:
  LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
  void OnFinalMessage() override;

 private:
  IUnknown* identity_ = nullptr;          // the object's COM identity towards the engine
  ULONG identityRefs_ = 0;                // its reference count; the window, not the count, rules lifetime
  IDispatch* ambientDispatch_ = nullptr;  // ambient properties offered to the engine
  CAxHoster* axHoster_ = nullptr;         // client site, made when the engine first asks
  CDocHost* docHost_ = nullptr;           // UI handler, made when the engine first asks
  CNotifySink* notifySink_ = nullptr;     // ready-state sink, made when first asked
  CVlmUIWin* surface_ = nullptr;          // design surface; null in preview mode
  IHTMLDocument2* document_ = nullptr;    // the hosted page; null when there is none
  DWORD lockMode_ = 0;                    // 1: structure locked
  DWORD idCounter_ = 1;                   // appended to every inserted element's id; never reset
  DWORD insertKind_ = 0;                  // ElementKind armed for insertion, 0 none
  CLSID insertClsid_ = {};                // CLSID of the next object element
  DWORD preview_ = 1;                     // 0: design mode (surface present)
  HWND docWindow_ = nullptr;              // the document's own window
  DWORD adviseCookie_ = 0;                // ready-state connection, 0 when not connected
  DWORD propsChanged_ = 0;                // the property sheet applied a change
  DWORD snapshotOnChange_ = 0;            // take undo snapshots on changes
  DWORD notifyOnChange_ = 0;              // tell the parent about changes
  RECT lastWindowRect_ = {-1, -1, -1, -1};  // last rectangle reported to the parent
  CXString tempDir_;                      // directory for loading through a temporary file
  CXString tempFile_;                     // temporary file of the load in progress
};
