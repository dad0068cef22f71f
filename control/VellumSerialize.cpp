// The document as the HTML text the host receives: the editor's own rendering of the tree, in the code
// page the page declares (or the ANSI code page). The last text written is kept with the document's
// content version, so that an unchanged document (the snapshot of an edit, then the host's VLM_GETCODE
// for the size and for the text) is written once; with it, where each element's text lies, so that an
// undo can replace the one element it changes.
#include "control/Vellum.h"
#include "comkit/ComRef.h"
#include "comkit/ComText.h"
#include "document/Dom2HTML.h"
#include "engine/DocumentVersion.h"

namespace {

// The content version of an engine that tells it; false for any other engine (its text is then
// written afresh every time).
bool ContentVersionOf(IHTMLDocument2* document, ULONGLONG& version) {
  CComRef<IDocumentVersion> versioned;
  return SUCCEEDED(document->QueryInterface(__uuidof(IDocumentVersion), versioned.OutVoid())) && versioned &&
         SUCCEEDED(versioned->GetContentVersion(&version));
}

}  // namespace

const CXString* CVellum::WrittenDocument(UINT* codePage) {
  if (!document_) return nullptr;
  ULONGLONG version = 0;
  const bool versioned = ContentVersionOf(document_.get(), version);
  if (!(versioned && written_.valid && written_.version == version)) {
    ForgetWrittenText();
    ++serialisations_;
    CDom2HTML writer(LentDocument());
    writer.RecordElementSpans();
    if (!writer.Parse()) return nullptr;
    written_.text = writer.TakeHTML();
    written_.spans = writer.TakeElementSpans();
    written_.codePage = writer.OutputCodePage();
    // The writer puts its own name into a foreign generator meta on the way: the text is the document as
    // it stands afterwards.
    written_.valid = versioned && ContentVersionOf(document_.get(), version);
    written_.version = version;
  }
  if (codePage) *codePage = written_.codePage;
  return &written_.text;
}

bool CVellum::WrittenTextIsCurrent() const {
  ULONGLONG version = 0;
  return document_ && written_.valid && ContentVersionOf(document_.get(), version) && version == written_.version;
}

bool CVellum::SerializeDocument(CXString& text, UINT* codePage) {
  text.Empty();
  const CXString* written = WrittenDocument(codePage);
  if (!written) return false;
  text = *written;
  // A copy that could not be made is a failure, not an empty page.
  return text.GetLength() == written->GetLength();
}

void CVellum::ForgetWrittenText() {
  written_.valid = false;
  written_.text.Empty();
  written_.spans = {};
}
