// Element insertion: the templates of the twelve kinds and the bookkeeping around an insertion.
#include "control/Insertion.h"

#include <cwchar>

#include "control/Vellum.h"
#include "comkit/ComText.h"
#include "surface/VlmUIWin.h"
#include "vellum.h"

namespace {

// What an element carries besides its id and style.
enum class Extra { None, InputType, ListSize, ClassId };
enum class Content { None, Id, Legend };

struct InsertionTemplate {
  const wchar_t* idPrefix;
  const wchar_t* tagName;
  Extra extra;
  const wchar_t* inputType;  // Extra::InputType: the type word
  Content content;
  int hasEndTag;
};

// By ElementKind - 1. The list and the drop-down share the prefix "choise" (so spelled in saved forms).
constexpr InsertionTemplate kTemplates[] = {
    {L"label", L"span", Extra::None, nullptr, Content::Id, 1},
    {L"textbox", L"input", Extra::InputType, L"text", Content::None, 0},
    {L"button", L"input", Extra::InputType, L"button", Content::None, 0},
    {L"checkbox", L"input", Extra::InputType, L"checkbox", Content::None, 0},
    {L"radio", L"input", Extra::InputType, L"radio", Content::None, 0},
    {L"file", L"input", Extra::InputType, L"file", Content::None, 0},
    {L"textarea", L"textarea", Extra::None, nullptr, Content::Id, 1},
    {L"frame", L"fieldset", Extra::None, nullptr, Content::Legend, 1},
    {L"image", L"img", Extra::None, nullptr, Content::None, 0},
    {L"choise", L"select", Extra::ListSize, nullptr, Content::None, 1},
    {L"choise", L"select", Extra::None, nullptr, Content::None, 1},
    {L"obj", L"object", Extra::ClassId, nullptr, Content::None, 1},
};
static_assert(sizeof kTemplates / sizeof kTemplates[0] == VLM_KIND_OBJECT, "one template per insertable kind");

void Append(CXStringW& text, const wchar_t* piece) {
  if (comkit::AllocationFaultDue() || !text.Append(piece)) throw ComOutOfMemory{};
}

void Append(CXStringW& text, const CXStringW& piece) {
  if (comkit::AllocationFaultDue() || !text.Append(piece)) throw ComOutOfMemory{};
}

// type="text" value="textbox1"; every radio button joins the one group "main".
void InputAttributes(const InsertionTemplate& t, const CXStringW& id, CXStringW& out) {
  Append(out, L"type=\"");
  Append(out, t.inputType);
  Append(out, L"\" ");
  if (wcscmp(t.inputType, L"radio") == 0) Append(out, L"name=\"main\" ");
  Append(out, L"value=\"");
  Append(out, id);
  Append(out, L"\"");
}

// CLASSID="CLSID:" and the 8-4-4-4-12 digits of the CLSID without its braces.
void ClassIdAttribute(const CLSID& clsid, CXStringW& out) {
  LPOLESTR text = nullptr;
  if (comkit::AllocationFaultDue() || FAILED(StringFromCLSID(clsid, &text)) || !text) throw ComOutOfMemory{};
  int length = lstrlenW(text);
  bool ok = out.Append(L"CLASSID=\"CLSID:") && (length < 2 || out.Append(text + 1, length - 2)) && out.Append(L"\"");
  CoTaskMemFree(text);
  if (!ok) throw ComOutOfMemory{};
}

}  // namespace

RECT InsertionRect(const RECT& drawn) {
  RECT rect = drawn;
  const bool small = rect.right - rect.left < kInsertMinimumDrawn && rect.bottom - rect.top < kInsertMinimumDrawn;
  if (IsRectEmpty(&rect) || small) {
    rect.right = rect.left + kInsertDefaultWidth;
    rect.bottom = rect.top + kInsertDefaultHeight;
  }
  return rect;
}

bool BuildInsertionRecord(DWORD kind, DWORD counter, const RECT& rect, const CLSID& clsid, InsertionRecord& out) {
  if (kind < VLM_KIND_LABEL || kind > VLM_KIND_OBJECT) return false;
  const InsertionTemplate& t = kTemplates[kind - 1];
  out.id.Empty();
  out.style.Empty();
  out.attributes.Empty();
  out.innerHTML.Empty();
  Append(out.id, t.idPrefix);
  CDOMUtil::AppendNumber(out.id, static_cast<int>(counter));
  Append(out.style, L"position: absolute; ");
  CDOMUtil::FormatPositionStyle(rect, out.style);
  switch (t.extra) {
    case Extra::InputType:
      InputAttributes(t, out.id, out.attributes);
      break;
    case Extra::ListSize:
      Append(out.attributes, L"size=\"2\"");
      break;
    case Extra::ClassId:
      ClassIdAttribute(clsid, out.attributes);
      break;
    case Extra::None:
      break;
  }
  switch (t.content) {
    case Content::Id:
      Append(out.innerHTML, out.id);
      break;
    case Content::Legend:
      Append(out.innerHTML, L"<legend>");
      Append(out.innerHTML, out.id);
      Append(out.innerHTML, L"</legend>");
      break;
    case Content::None:
      break;
  }
  out.record = HTMLElementCreateData();
  out.record.tagName = t.tagName;
  out.record.id = out.id.GetString();
  out.record.style = out.style.GetString();
  out.record.attributes = out.attributes.IsEmpty() ? nullptr : out.attributes.GetString();
  out.record.innerHTML = out.innerHTML.IsEmpty() ? nullptr : out.innerHTML.GetString();
  out.record.hasEndTag = t.hasEndTag;
  return true;
}

// --- the control's side ----------------------------------------------------------------------------------

int CVellum::InsertElementAt(const RECT& rect, int flag) {
  if (insertKind_ == 0) {
    // Nothing armed: the drawn rectangle selects.
    RunOperation(VLM_ERR_ELEMENT, 0, [&]() -> LRESULT {
      if (surface_ && surface_->SelectInRect(rect, flag)) surface_->Redraw();
      return 0;
    });
    return 0;
  }
  const LRESULT result = RunOperation(VLM_ERR_ELEMENT, 0, [&] { return InsertArmedKind(InsertionRect(rect)); });
  // Insertion is disarmed after every attempt, successful or not.
  insertKind_ = 0;
  if (surface_) surface_->Redraw();
  return static_cast<int>(result);
}

int CVellum::InsertArmedKind(const RECT& rect) {
  if (insertKind_ < VLM_KIND_LABEL || insertKind_ > VLM_KIND_OBJECT) return 0;
  if (!document_) {
    lastError = VLM_ERR_NO_DOCUMENT;
    return 0;
  }
  // The element's markup and every string that carries it are made before the document is touched:
  // running out of memory there inserts nothing.
  InsertionRecord insertion;
  BuildInsertionRecord(insertKind_, idCounter_, rect, insertClsid_, insertion);
  CDOMUtil dom(LentDocument());
  CComRef<IHTMLDOMNode> mark(dom.BodyLastChild());
  if (!dom.InsertElement(insertion.record)) {
    // No snapshot was taken for a failed insertion, so the history stays exactly as it was.
    lastError = VLM_ERR_ELEMENT;
    return 0;
  }
  if (!SaveToUndo()) {
    // An element the history could not take back is not kept: it goes again, and the insertion fails.
    dom.RemoveBodyChildrenAfter(mark.get());
    lastError = VLM_ERR_ELEMENT;
    return 0;
  }
  ++idCounter_;
  NotifyParent(VLMN_ELEMENTINSERTED, insertKind_);
  NotifyParent(VLMN_CHANGED);
  lastError = VLM_ERR_NONE;
  return 1;
}

void CVellum::OperationFailed(DWORD error) {
  ++failedOperations_;
  lastError = error;
}
