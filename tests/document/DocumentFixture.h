// An engine document driven the way the control drives it, without a control window: loaded from text,
// its load run by pumping messages, and written back by the HTML writer.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <mshtml.h>

#include <string>

#include "comkit/ComRef.h"
#include "comkit/ComText.h"

namespace dt {

class EngineDocument {
 public:
  EngineDocument();
  ~EngineDocument();
  IHTMLDocument2* get() const { return document_.get(); }
  // A reference for an object that holds one (CDOMUtil, CDom2HTML).
  CComRef<IHTMLDocument2> Shared() const { return document_; }

  // Loads 8-bit ANSI text as the control does, or wide text, and waits until the document is complete.
  bool Load(const char* text);
  bool LoadWide(const std::wstring& text);
  bool WaitUntilComplete(DWORD timeoutMs = 5000);

  // The HTML writer's text; "<failed>" when it fails. Written twice: once with the texts the engine lends,
  // once through the standard properties only; the two must agree.
  std::string Serialize();
  // The first element with tag (upper or lower case), or null.
  IHTMLElement* FirstElement(const wchar_t* tag);

 private:
  CComRef<IHTMLDocument2> document_;
};

// OLE is initialised once per test program.
class Document : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  EngineDocument doc_;
};

// The bytes of wide text in codePage.
std::string Encode(const std::wstring& text, UINT codePage);

}  // namespace dt
