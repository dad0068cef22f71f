// The document as the HTML text the host receives: the editor's own rendering of the tree, in the code
// page the page declares (or the ANSI code page). The last text written is kept with the document's
// content version, so that an unchanged document (the snapshot of an edit, then the host's VLM_GETCODE
// for the size and for the text) is written once; with it, where each element's text lies, so that an
// undo can replace the one element it changes.
#include "control/Vellum.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include <string_view>
#include <vector>

#include "comkit/AllocationFaults.h"
#include "comkit/ComRef.h"
#include "comkit/ComText.h"
#include "document/DOMUtil.h"
#include "document/Dom2HTML.h"
#include "engine/DocumentVersion.h"
#include "window/FullRelayoutBaseline.h"

namespace {

// The content version of an engine that tells it; false for any other engine (its text is then
// written afresh every time).
bool ContentVersionOf(IHTMLDocument2* document, ULONGLONG& version) {
  CComRef<IDocumentVersion> versioned;
  return SUCCEEDED(document->QueryInterface(__uuidof(IDocumentVersion), versioned.OutVoid())) && versioned &&
         SUCCEEDED(versioned->GetContentVersion(&version));
}

// The document's versions as the engine makes them up, where it tells them.
bool VersionsOf(IHTMLDocument2* document, ULONGLONG& content, ULONGLONG& tree, ULONGLONG& form) {
  CComRef<IDocumentChanges> changes;
  return SUCCEEDED(document->QueryInterface(__uuidof(IDocumentChanges), changes.OutVoid())) && changes &&
         SUCCEEDED(changes->GetVersions(&content, &tree, &form));
}

}  // namespace

const CXString* CVellum::WrittenDocument(UINT* codePage) {
  if (!document_) return nullptr;
  ULONGLONG version = 0;
  const bool versioned = ContentVersionOf(document_.get(), version);
  if (!(versioned && written_.valid && (written_.version == version || RewriteChangedTags()))) {
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
    ULONGLONG content = 0;
    written_.partsKnown = written_.valid && VersionsOf(document_.get(), content, written_.treeVersion, written_.formVersion) &&
                          content == version;
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

bool CVellum::RewriteChangedTags() {
  // The scale benchmark's baseline writes every change whole, as before.
  if (FullRelayoutBaseline() || !written_.valid || !written_.partsKnown || written_.spans.empty()) return false;
  CComRef<IDocumentChanges> changes;
  if (FAILED(document_->QueryInterface(__uuidof(IDocumentChanges), changes.OutVoid())) || !changes) return false;
  // Past a few hundred changed elements writing the whole page costs about as much.
  constexpr UINT kMostTags = 512;
  LONG changed[kMostTags];
  UINT count = 0;
  if (changes->GetElementsChangedSince(written_.version, written_.treeVersion, written_.formVersion, kMostTags, changed,
                                       &count) != S_OK)
    return false;
  // Running out of memory fails the request, as it fails a whole writing: the text stays as it was.
  if (comkit::AllocationFaultDue()) throw ComOutOfMemory{};
  const std::string_view text(written_.text.GetString(), static_cast<size_t>(written_.text.GetLength()));
  CComRef<IHTMLElementCollection> all;
  if (count > 0 && (FAILED(document_->get_all(all.Out())) || !all)) return false;
  // Each changed element's span (the spans are in document order, as the indexes) and its tag again.
  std::vector<CXString> tags(count);
  std::vector<TagRewrite> rewrites(count);
  CDom2HTML writer(LentDocument());
  auto span = written_.spans.begin();
  for (UINT i = 0; i < count; ++i) {
    span = std::lower_bound(span, written_.spans.end(), changed[i],
                            [](const ElementSpan& s, LONG index) { return s.sourceIndex < index; });
    if (span == written_.spans.end() || span->sourceIndex != changed[i] ||
        !StartTagOf(text, *span, rewrites[i].from, rewrites[i].to))
      return false;
    const CComRef<IHTMLElement> element = CDOMUtil::ItemOfAll(all.get(), changed[i]);
    CComRef<IHTMLDOMNode> node;
    if (!element || FAILED(element->QueryInterface(IID_IHTMLDOMNode, node.OutVoid())) || !node ||
        !writer.WriteStartTag(node.get(), written_.codePage, tags[i]))
      return false;
    rewrites[i].text = std::string_view(tags[i].GetString(), static_cast<size_t>(tags[i].GetLength()));
  }
  // The new text: what lies between the tags stays as it was.
  long long length = static_cast<long long>(text.size());
  for (const TagRewrite& rewrite : rewrites) length += static_cast<long long>(rewrite.text.size()) - (rewrite.to - rewrite.from);
  if (length <= 0 || length >= INT_MAX) return false;
  CXString updated;
  char* out = updated.GetBuffer(static_cast<int>(length));
  if (!out) throw ComOutOfMemory{};
  size_t from = 0;
  for (const TagRewrite& rewrite : rewrites) {
    const size_t kept = static_cast<size_t>(rewrite.from) - from;
    std::memcpy(out, text.data() + from, kept);
    std::memcpy(out + kept, rewrite.text.data(), rewrite.text.size());
    out += kept + rewrite.text.size();
    from = static_cast<size_t>(rewrite.to);
  }
  std::memcpy(out, text.data() + from, text.size() - from);
  updated.ReleaseBuffer(static_cast<int>(length));
  std::vector<ElementSpan> spans = written_.spans;
  MoveSpans(spans, rewrites);
  ULONGLONG content = 0, tree = 0, form = 0;
  if (!VersionsOf(document_.get(), content, tree, form)) return false;
  written_.text = static_cast<CXString&&>(updated);
  written_.spans = std::move(spans);
  written_.version = content;
  written_.treeVersion = tree;
  written_.formVersion = form;
  ++tagRewrites_;
  return true;
}

void CVellum::ForgetWrittenText() {
  written_.valid = false;
  written_.text.Empty();
  written_.spans = {};
}
