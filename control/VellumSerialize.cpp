// The document as the HTML text the host receives: the editor's own rendering of the tree, in the code
// page the page declares (or the ANSI code page).
#include "control/Vellum.h"
#include "document/Dom2HTML.h"

bool CVellum::SerializeDocument(CXString& text, UINT* codePage) {
  text.Empty();
  if (!document_) return false;
  CDom2HTML writer(LentDocument());
  if (!writer.Parse()) return false;
  text = writer.TakeHTML();
  if (codePage) *codePage = writer.OutputCodePage();
  return true;
}
