// A real control in a recording parent (the protocol tests' host), with helpers for the document's text,
// insertion and loading.
#pragma once

#include <string>

#include "ProtocolFixture.h"
#include "comkit/ComRef.h"

namespace dt {

class Control : public pt::Protocol {
 protected:
  // The text VLM_GETCODE hands out (size first, then the copy); "<failed>" when either call fails.
  std::string Code();
  // The lines between the body's start and end tags of a saved text.
  static std::string BodyLines(const std::string& code);
  std::string Body() { return BodyLines(Code()); }

  bool Arm(DWORD kind, const CLSID* clsid = nullptr) {
    return Send(VLM_BEGININSERT, kind, reinterpret_cast<LPARAM>(clsid)) == 1;
  }
  // Arms kind and inserts it at rect as the surface does when the user finishes drawing.
  int Insert(DWORD kind, RECT rect = {10, 20, 75, 40});
  // VLM_LOADCODE and the load's completion.
  bool LoadAndWait(const char* text);
  bool WaitForPendingLoad() { return WaitForLoads(GetControl()->CompletedLoads() + 1); }
  // Until count undos and redos have completed in all (one that reads its snapshot back completes
  // through the message loop).
  bool WaitForHistorySteps(UINT count);
  // VLM_UNDO or VLM_REDO answered 1, and the step completed.
  bool StepAndWait(UINT message);

  // The element with the id, and its inner HTML ("<none>" when there is no such element).
  CComRef<IHTMLElement> ElementWithId(const wchar_t* id);
  std::wstring Inner(const wchar_t* id);

  const CUndoHistory& History() { return GetControl()->UndoHistory(); }
  std::string Snapshot(int i) { return History().At(i).GetString(); }
};

}  // namespace dt
