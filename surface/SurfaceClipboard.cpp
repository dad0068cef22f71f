// Copying, cutting and pasting elements as HTML markup through the clipboard. The markup goes out both
// as 8-bit text in the ANSI code page (what other programs read) and as UTF-16 text, and comes back
// as UTF-16 when that is offered, so that text outside the ANSI code page survives a copy and paste.
#include <cstring>

#include "surface/SurfaceOwner.h"
#include "comkit/ComRef.h"
#include "comkit/ComText.h"
#include "document/DOMUtil.h"
#include "surface/VlmUIWin.h"
#include "vellum.h"

namespace {

// Holds the clipboard open for one operation; it is closed again on every path.
class ClipboardSession {
 public:
  explicit ClipboardSession(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ~ClipboardSession() {
    if (open_) CloseClipboard();
  }
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  bool IsOpen() const { return open_; }

 private:
  bool open_;
};

// Hands bytes (terminator included) to the open clipboard as format; the memory is freed on failure.
bool PutOnClipboard(UINT format, const void* bytes, size_t size) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
  if (!memory) return false;
  void* target = GlobalLock(memory);
  if (!target) {
    GlobalFree(memory);
    return false;
  }
  std::memcpy(target, bytes, size);
  GlobalUnlock(memory);
  if (!SetClipboardData(format, memory)) {
    GlobalFree(memory);
    return false;
  }
  return true;
}

// The clipboard's text as UTF-16; false when it offers none. Data of any size or content is read only
// within its block, whether or not a terminator is there.
bool ReadClipboardText(CXStringW& text) {
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    const auto* chars = static_cast<const wchar_t*>(GlobalLock(data));
    if (!chars) return false;
    const size_t capacity = GlobalSize(data) / sizeof(wchar_t);
    size_t length = 0;
    while (length < capacity && chars[length]) ++length;
    const bool copied = !comkit::AllocationFaultDue() && text.Assign(chars, static_cast<int>(length));
    GlobalUnlock(data);
    // A paste of part of the text would be a paste of something else.
    if (!copied) throw ComOutOfMemory{};
    return true;
  }
  HANDLE data = GetClipboardData(CF_TEXT);
  if (!data) return false;
  const auto* bytes = static_cast<const char*>(GlobalLock(data));
  if (!bytes) return false;
  const size_t length = strnlen(bytes, GlobalSize(data));
  const bool converted = !comkit::AllocationFaultDue() && text.AssignConverted(bytes, static_cast<int>(length), CP_ACP);
  GlobalUnlock(data);
  if (!converted) throw ComOutOfMemory{};
  return true;
}

}  // namespace

int CVlmUIWin::CanCut() const {
  if (Locked()) return 0;
  return HasSelection();
}

int CVlmUIWin::CanPaste() const {
  if (Locked()) return 0;
  return IsClipboardFormatAvailable(CF_TEXT) ? 1 : 0;
}

int CVlmUIWin::CopySelection() {
  if (selection_.empty()) return 0;
  // The text is made before the clipboard is emptied: a copy that runs out of memory leaves the
  // clipboard as it was.
  CXStringW markup;
  auto append = [&](const wchar_t* text, int length) {
    if (comkit::AllocationFaultDue() || !markup.Append(text, length)) throw ComOutOfMemory{};
  };
  for (CUIHTMLRect* r : selection_) {
    CComRef<IHTMLElement> element(r->GetElement());
    CBstr outer;
    if (!element || FAILED(element->get_outerHTML(outer.Out())) || !outer.get()) continue;
    append(outer.get(), outer.Length());
    append(L"\n", 1);
  }
  CXString ansi;
  if (comkit::AllocationFaultDue() || !ansi.AssignConverted(markup.GetString(), markup.GetLength(), CP_ACP))
    throw ComOutOfMemory{};
  ClipboardSession clipboard(GetHwnd());
  if (!clipboard.IsOpen() || !EmptyClipboard()) return 0;
  if (!PutOnClipboard(CF_TEXT, ansi.GetString(), static_cast<size_t>(ansi.GetLength()) + 1)) return 0;
  if (!PutOnClipboard(CF_UNICODETEXT, markup.GetString(),
                      (static_cast<size_t>(markup.GetLength()) + 1) * sizeof(wchar_t)))
    return 0;
  return 1;
}

int CVlmUIWin::CutSelection() {
  if (Locked() || !CopySelection()) return 0;
  DeleteSelection();
  return 1;
}

int CVlmUIWin::PasteFromClipboard(bool* inserted) {
  if (inserted) *inserted = false;
  if (Locked() || !owner_ || !CanPaste()) return 0;
  CXStringW markup;
  {
    ClipboardSession clipboard(GetHwnd());
    if (!clipboard.IsOpen() || !ReadClipboardText(markup)) return 0;
  }
  CComRef<IHTMLDocument2> document = OwnerDocument();
  if (!document) return 1;
  CDOMUtil dom(document);
  // What the paste appends comes after the body's last child: a paste whose snapshot fails is taken back.
  CComRef<IHTMLDOMNode> mark(dom.BodyLastChild());
  if (!dom.InsertHTML(markup.GetString())) return 1;
  // Text that parses to nothing is no edit: no snapshot, no notification.
  CComRef<IHTMLDOMNode> last(dom.BodyLastChild());
  if (last.get() == mark.get()) return 1;
  if (inserted) *inserted = true;
  // The paste is an edit like any other: it can be undone and redone, and the host hears of it.
  if (!owner_->SaveToUndo()) {
    dom.RemoveBodyChildrenAfter(mark.get());
    Redraw();
    return 0;
  }
  owner_->NotifyParent(VLMN_CHANGED, VLM_KIND_OTHER, nullptr, nullptr);
  Redraw();
  return 1;
}
