// The document as the HTML text the host receives: the editor's own rendering of the tree, in the code
// page the page declares (or the ANSI code page). The last text written is kept with the document's
// content version, so that an unchanged document (the size and then the text of VLM_GETCODE, the
// snapshot of an edit and the host's save that follows) is written once.
#include "control/Vellum.h"
#include "document/ComText.h"
#include "document/Dom2HTML.h"
#include "engine/DocumentVersion.h"

namespace {

// The content version of an engine that tells it; false for any other engine (its text is always
// written afresh).
bool ContentVersionOf(IHTMLDocument2* document, ULONGLONG& version) {
  CComRef<IDocumentVersion> versioned;
  return SUCCEEDED(document->QueryInterface(__uuidof(IDocumentVersion), versioned.outVoid())) && versioned &&
         SUCCEEDED(versioned->GetContentVersion(&version));
}

}  // namespace

bool CVellum::SerializeDocument(CXString& text, UINT* codePage) {
  text.Empty();
  if (!document_) return false;
  ULONGLONG version = 0;
  const bool versioned = ContentVersionOf(document_, version);
  if (versioned && written_.valid && written_.document == document_ && written_.version == version) {
    text = written_.text;
    // A copy that could not be made is no answer: the text is written afresh below.
    if (text.GetLength() == written_.text.GetLength()) {
      if (codePage) *codePage = written_.codePage;
      return true;
    }
  }
  written_.valid = false;
  ++serialisations_;
  CDom2HTML writer(LentDocument());
  if (!writer.Parse()) return false;
  text = writer.TakeHTML();
  if (codePage) *codePage = writer.OutputCodePage();
  if (versioned) {
    written_.text = text;
    written_.valid = written_.text.GetLength() == text.GetLength();
    written_.document = document_;
    written_.version = version;
    written_.codePage = writer.OutputCodePage();
  }
  return true;
}

void CVellum::ForgetWrittenText() {
  written_.valid = false;
  written_.document = nullptr;
  written_.text.Empty();
}
