// The control's message map and the host's custom messages.
#include "window/Trace.h"
#include "control/Vellum.h"
#include "comkit/ComRef.h"
#include "comkit/ComText.h"
#include "document/DOMUtil.h"
#include "properties/PropertySheet.h"
#include "surface/VlmUIWin.h"
#include "vellum.h"
#include "window/ScopedAssign.h"

namespace {

const char* TextArg(LPARAM lParam) { return reinterpret_cast<const char*>(lParam); }

}  // namespace

// Tested in this order; each handler has the message marked handled before it runs, and only the key
// handler and the commands the control does not own hand a message on to the default procedure.
LRESULT CVellum::ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  switch (msg) {
    case WM_CREATE:
      return OnCreate();
    case WM_DESTROY:
      return OnDestroy();
    case WM_SIZE:
      return OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
    case WM_GETDLGCODE:
      return DLGC_WANTALLKEYS;
    case WM_SETFOCUS:
      return 0;
    case WM_NCCALCSIZE:
      return OnNcCalcSize(wParam == TRUE, lParam);
    case WM_NCHITTEST:
      return OnNcHitTest({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
    case WM_NCPAINT:
      return OnNcPaint(wParam, lParam, handled);
    case WM_WINDOWPOSCHANGING:
      return OnWindowPosChanging(*reinterpret_cast<const WINDOWPOS*>(lParam));
    case WM_SHOWWINDOW:
      return OnShowWindow(wParam == 1);
    case WM_COMMAND:
      return OnCommand(wParam, lParam, handled);
    default:
      break;
  }
  if (msg >= WM_KEYDOWN && msg <= WM_UNICHAR) return OnKey(msg, wParam, lParam, handled);
  if (msg >= VLM_FIRST_MESSAGE && msg <= VLM_LAST_MESSAGE) return OnCustomMessage(msg, wParam, lParam, handled);
  handled = false;
  return 0;
}

LRESULT CVellum::OnCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  const bool locked = lockMode_ == 1;
  switch (msg) {
    case VLM_ISDESIGNMODE:
      if (preview_ == 0) return 1;
      lastError = VLM_ERR_PREVIEW;
      return 0;
    case VLM_LOADFILE:
      return RunOperation(VLM_ERR_LOAD, 0, [&] { return OnLoadFile(TextArg(lParam)); });
    case VLM_LOADCODE:
      return RunOperation(VLM_ERR_LOAD, 0, [&] { return OnLoadCode(TextArg(lParam)); });
    case VLM_GETCODE:
      return RunOperation(VLM_ERR_SERIALIZE, 0, [&] { return OnGetCode(wParam, reinterpret_cast<char*>(lParam)); });
    case VLM_SETLOCK:
      lockMode_ = static_cast<DWORD>(wParam);
      return 0;
    case VLM_BEGININSERT:
      return OnBeginInsert(wParam, reinterpret_cast<const CLSID*>(lParam));
    case VLM_INSERTCENTERED:
      return OnInsertCentered(wParam, reinterpret_cast<const CLSID*>(lParam));
    case VLM_CANCELINSERT:
      return OnCancelInsert();
    case VLM_SETDESIGNMODE:
      return SetPreviewMode(wParam == 1 ? 0 : 1);
    case VLM_CANCOPY:
      return surface_ ? surface_->HasSelection() : 0;
    case VLM_CANCUT:
      return locked || !surface_ ? 0 : surface_->CanCut();
    case VLM_CANPASTE:
      return locked || !surface_ ? 0 : surface_->CanPaste();
    case VLM_CANUNDO:
      return locked ? 0 : CanUndo();
    case VLM_CANREDO:
      return locked ? 0 : CanRedo();
    case VLM_COPY:
      return surface_ ? RunOperation(VLM_ERR_ELEMENT, 0, [&] { return surface_->CopySelection(); }) : 0;
    case VLM_CUT:
      if (locked || !surface_) return 0;
      // The snapshot of the state before goes with the command's own: both stay, or neither.
      return RunSurfaceEdit([&]() -> LRESULT { return SaveToUndo() ? surface_->CutSelection() : 0; });
    case VLM_PASTE:
      if (locked || !surface_) return 0;
      return RunSurfaceEdit([&]() -> LRESULT {
        if (!SaveToUndo()) return 0;
        bool inserted = false;
        const int result = surface_->PasteFromClipboard(&inserted);
        // A paste that adds nothing leaves the history as it was, without the snapshot taken before it.
        if (!inserted) editChangedNothing_ = true;
        return result;
      });
    case VLM_UNDO:
      return locked ? 0 : Undo();
    case VLM_REDO:
      return locked ? 0 : Redo();
    case VLM_CANALIGN:
      if (locked) return 0;
      if (!surface_) {
        lastError = VLM_ERR_NO_SURFACE;
        return 0;
      }
      return surface_->HasMultipleSelection();
    case VLM_ALIGNTOPS:
    case VLM_ALIGNBOTTOMS:
    case VLM_ALIGNLEFTS:
    case VLM_ALIGNRIGHTS:
    case VLM_SAMEWIDTH:
    case VLM_SAMEHEIGHT:
    case VLM_SAMESIZE:
      return OnAlign(msg);
    case VLM_CLEARUNDO:
      ClearUndo();
      return 1;
    case VLM_DELETESELECTION:
      return OnDeleteSelection();
    case VLM_PROPERTIES:
      return RunOperation(VLM_ERR_ELEMENT, 0, [&] { return ShowProperties(nullptr); });
    case VLM_TRANSLATEACCEL:
      return OnTranslateAccel(reinterpret_cast<MSG*>(lParam));
    case VLM_SETTEMPDIR:
      return OnSetTempDir(TextArg(lParam));
    default:
      // The two reserved numbers have no handler of their own.
      handled = false;
      return 0;
  }
}

LRESULT CVellum::OnLoadFile(const char* path) {
  if (!path) return 0;
  return LoadFromFile(path);
}

LRESULT CVellum::OnLoadCode(const char* text) {
  if (!text) return 0;
  if (!tempDir_.IsEmpty() && LoadThroughTempFile(text)) return 1;
  return LoadCode(text);
}

// A non-zero wParam is the buffer's capacity in bytes: text that does not fit with its terminating zero
// is not written at all, rather than run past the host's buffer.
LRESULT CVellum::OnGetCode(WPARAM capacity, char* buffer) {
  if (!document_) {
    lastError = VLM_ERR_NO_DOCUMENT;
    return 0;
  }
  const CXString* text = WrittenDocument();
  if (!text) {
    lastError = VLM_ERR_SERIALIZE;
    return 0;
  }
  if (!buffer) return static_cast<LRESULT>(text->GetLength());
  if (capacity != 0 && capacity < text->GetSize()) {
    lastError = VLM_ERR_SERIALIZE;
    return 0;
  }
  CopyMemory(buffer, text->GetString(), text->GetSize());
  return 1;
}

bool CVellum::InsertionAllowed() {
  if (lockMode_ == 1) {
    lastError = VLM_ERR_LOCKED;
    return false;
  }
  if (preview_) {
    lastError = VLM_ERR_PREVIEW;
    return false;
  }
  return true;
}

bool CVellum::TakeInsertClsid(WPARAM kind, const CLSID* clsid) {
  // Kinds are the 32-bit values stored and armed: upper bits of a 64-bit wParam must not make an object
  // kind skip its CLSID.
  if (static_cast<DWORD>(kind) != VLM_KIND_OBJECT) return true;
  if (!clsid) {
    lastError = VLM_ERR_NO_CLSID;
    return false;
  }
  insertClsid_ = *clsid;
  return true;
}

LRESULT CVellum::OnBeginInsert(WPARAM kind, const CLSID* clsid) {
  if (!InsertionAllowed()) return 0;
  if (!surface_) {
    lastError = VLM_ERR_NO_SURFACE;
    return 0;
  }
  if (!TakeInsertClsid(kind, clsid)) return 0;
  insertKind_ = static_cast<DWORD>(kind);
  surface_->ArmInsertion();
  return 1;
}

LRESULT CVellum::OnInsertCentered(WPARAM kind, const CLSID* clsid) {
  if (!InsertionAllowed()) return 0;
  if (insertKind_ == 0) {
    lastError = VLM_ERR_NOT_ARMED;
    return 0;
  }
  if (!TakeInsertClsid(kind, clsid)) return 0;
  RECT client;
  GetClientRect(GetHwnd(), &client);
  RECT rect;
  rect.left = (client.right - 65) / 2;
  rect.top = (client.bottom - 20) / 2;
  rect.right = rect.left + 65;
  rect.bottom = rect.top + 20;
  // An armed kind that has no template inserts nothing, and has always been answered 1 for it.
  const bool insertable = insertKind_ >= VLM_KIND_LABEL && insertKind_ <= VLM_KIND_OBJECT;
  const LRESULT result = InsertElementAt(rect, 1) || !insertable ? 1 : 0;
  // The surface was armed with the control: the next click on it selects again instead of drawing.
  if (surface_) surface_->DisarmInsertion();
  return result;
}

LRESULT CVellum::OnCancelInsert() {
  if (preview_) {
    lastError = VLM_ERR_PREVIEW;
    return 0;
  }
  if (!surface_) {
    lastError = VLM_ERR_NO_SURFACE;
    return 0;
  }
  insertKind_ = 0;
  surface_->DisarmInsertion();
  return 1;
}

LRESULT CVellum::OnAlign(UINT msg) {
  if (!surface_) {
    lastError = VLM_ERR_NO_SURFACE;
    return 0;
  }
  if (lockMode_ == 1) return 0;
  if (!surface_->HasMultipleSelection()) {
    lastError = VLM_ERR_ALIGN_SELECTION;
    return 0;
  }
  return RunSurfaceEdit([&]() -> LRESULT {
    switch (msg) {
      case VLM_ALIGNTOPS:
        return surface_->AlignTops();
      case VLM_ALIGNBOTTOMS:
        return surface_->AlignBottoms();
      case VLM_ALIGNLEFTS:
        return surface_->AlignLefts();
      case VLM_ALIGNRIGHTS:
        return surface_->AlignRights();
      case VLM_SAMEWIDTH:
        return surface_->MakeSameWidth();
      case VLM_SAMEHEIGHT:
        return surface_->MakeSameHeight();
      default:
        return surface_->MakeSameSize();
    }
  });
}

LRESULT CVellum::OnDeleteSelection() {
  if (lockMode_ == 1) return 0;
  if (preview_) {
    lastError = VLM_ERR_PREVIEW;
    return 0;
  }
  if (!surface_) {
    lastError = VLM_ERR_NO_SURFACE;
    return 0;
  }
  lastError = VLM_ERR_NONE;
  return RunSurfaceEdit([&]() -> LRESULT { return surface_->DeleteSelection(); });
}

LRESULT CVellum::OnTranslateAccel(MSG* msg) {
  if (!document_ || !msg) {
    lastError = VLM_ERR_NO_DOCUMENT;
    return 0;
  }
  lastError = VLM_ERR_NONE;
  CComRef<IOleInPlaceActiveObject> active;
  if (FAILED(document_->QueryInterface(IID_IOleInPlaceActiveObject, active.OutVoid())) || !active) return 0;
  return active->TranslateAccelerator(msg) == S_OK ? 1 : 0;
}

LRESULT CVellum::OnSetTempDir(const char* dir) {
  if (!tempDir_.Assign(dir ? dir : "")) tempDir_.Empty();
  return 1;
}

LRESULT CVellum::OnCommand(WPARAM wParam, LPARAM, bool& handled) {
  if (wParam != VLM_CMD_DOCCHANGED) {
    handled = false;
    return 0;
  }
  return RunOperation(VLM_ERR_ELEMENT, 0, [&] { return OnDocChanged(); });
}

// The property sheet applied changes: follow the form size it may have written into the body.
LRESULT CVellum::OnDocChanged() {
  if (surface_) surface_->RefreshSelection();
  FollowBodySize();
  propsChanged_ = 1;
  return 0;
}

// The window takes the form size stored in the body. The resize follows a change already reported (or
// about to be): it takes no snapshot and sends no notification of its own. The flags come back
// afterwards, so that later resizes of the form are recorded again.
void CVellum::FollowBodySize() {
  int width = 0, height = 0;
  if (!document_ || !CDOMUtil(LentDocument()).GetBODYCustomWHAttrs(bodySize_, width, height)) return;
  RECT client;
  GetClientRect(GetHwnd(), &client);
  if (client.right == width && client.bottom == height) return;
  CScopedAssign<DWORD> noSnapshot(snapshotOnChange_, 0);
  CScopedAssign<DWORD> noNotification(notifyOnChange_, 0);
  ResizeClientTo(width, height);
}

int CVellum::ShowProperties(IHTMLElement* element) {
  if (!document_) return 0;
  CComRef<IHTMLElement> target;
  if (element) {
    target = CComRef<IHTMLElement>::Share(element);
  } else {
    if (!surface_) {
      lastError = VLM_ERR_NO_SURFACE;
      return 0;
    }
    target = surface_->SelectedElement();
    if (!target) {
      target = CDOMUtil(LentDocument()).GetBody();
    }
    if (!target) {
      lastError = VLM_ERR_ELEMENT;
      return 0;
    }
  }
  // The text before the sheet tells whether what it wrote changed the page (writing a value back that
  // was there, or Apply then Cancel, leaves it as it was).
  CXString opened;
  if (const CXString* text = WrittenDocument()) opened = *text;
  propsChanged_ = 0;
  int result = 0;
  {
    CHTMLPropDlg sheet(GetHwnd(), target.get(), lockMode_ == 1 ? 1 : 0);
    result = static_cast<int>(sheet.DoModal());
  }
  // The host may have closed the form while the sheet was up.
  if (!document_ || !IsWindow(GetHwnd())) return result;
  const CXString* closed = WrittenDocument();
  const bool changed =
      closed && (closed->GetLength() != opened.GetLength() ||
                 memcmp(closed->GetString(), opened.GetString(), static_cast<size_t>(opened.GetLength())) != 0);
  if (changed || propsChanged_) FollowBodySize();
  // Every change the sheet leaves in the page is one step of the history, told to the host once.
  if (changed && SaveToUndo()) NotifyParent(VLMN_CHANGED);
  if (surface_) surface_->RefreshSelection();
  return result;
}
