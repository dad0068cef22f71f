// CVellum: the object behind each "QX_VELLUM" window.
#pragma once

#include <windows.h>
#include <mshtml.h>

#include <plinthcore.h>

#include <new>

#include "comkit/ComRef.h"
#include "comkit/ComText.h"
#include "control/UndoHistory.h"
#include "document/DOMUtil.h"
#include "document/ElementSpans.h"
#include "hosting/SiteOwner.h"
#include "surface/SurfaceOwner.h"
#include "vellum.h"
#include "window/MessageWindow.h"

class CAxHoster;
class CDocHost;
class CNotifySink;
class CVlmUIWin;

// The object is also the control's COM identity towards the engine: an IServiceProvider whose
// QueryInterface hands out the site objects and whose count only counts (the window decides when the
// object dies). It is the owner of its site objects and of its design surface.
class CVellum : public CMessageWindow,
                public CHeapObject,
                public IServiceProvider,
                public ISiteOwner,
                public ISurfaceOwner {
 public:
  CVellum();
  ~CVellum() override;

  // IUnknown and IServiceProvider: the identity every site interface forwards to.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID riid, void** out) override;

  IUnknown* Identity() const override { return identity_; }
  HWND ControlWindow() const override { return GetHwnd(); }
  IHTMLDocument2* Document() const override { return document_.get(); }
  DWORD LockMode() const override { return lockMode_; }
  DWORD InsertKind() const { return insertKind_; }
  CVlmUIWin* Surface() const { return surface_; }

  // The document's ready state became complete (a load finished).
  void OnDocumentComplete() override;
  // Loads that have reached OnDocumentComplete (tests read it).
  UINT CompletedLoads() const { return completedLoads_; }
  // Undos and redos that have completed: at once, when only one element had to change, or once their
  // snapshot has loaded. Those of them that changed the element in place (tests read both).
  UINT CompletedHistorySteps() const { return historySteps_; }
  UINT HistoryStepsInPlace() const { return stepsInPlace_; }

  // Document lifecycle.
  int CreateDocument();
  int CloseDocument();
  int SetPreviewMode(DWORD flag);
  void FitOverlayToBody();
  // The surface's window object (null without a surface), for holding it across a call.
  CMessageWindow* SurfaceWindow() const;
  // Lets the surface go: it stops any operation of its own still running and goes once that returns.
  void DismissSurface();
  int LoadCode(const char* text);
  int LoadFromFile(const char* path);

  // Notifications to the parent window (VLMN_*); rcTrack and rcWindow only for the codes that carry them.
  void NotifyParent(UINT code, UINT kind = 14, const RECT* track = nullptr, const RECT* window = nullptr) override;

  // The element property sheet for element, or for the selection's primary element (or the body) when
  // element is null; 1 when it was closed with OK.
  int ShowProperties(IHTMLElement* element);

  // The Element menu for the point (x, y) of the surface's client area, and the commands it offers.
  void ShowElementMenu(int x, int y) override;
  // Removes the top-level element that holds the point; 0 (lastError set) when nothing was removed.
  int RemoveElementAt(int x, int y);

  // Undo history. A snapshot that cannot be taken (0: VLM_ERR_UNDO_MEMORY when memory runs out) leaves
  // the history as it was.
  int SaveToUndo() override;
  int CanUndo() const { return undo_.CanUndo(); }
  int CanRedo() const { return undo_.CanRedo(); }
  int Undo();
  int Redo();
  void ClearUndo() { undo_.Clear(); }
  const CUndoHistory& UndoHistory() const { return undo_; }

  // Element insertion at a rectangle in surface client coordinates (the surface calls it when the user
  // finishes drawing; flag: the drawn band adds to the selection). Disarms insertion. A failed insertion
  // (0, VLM_ERR_ELEMENT) leaves the document, the history and the id counter as they were.
  int InsertElementAt(const RECT& rect, int flag) override;
  void OperationFailed(DWORD error) override;
  CMessageWindow& LifetimeWindow() override { return *this; }
  void SurfaceDestroyed() override { surface_ = nullptr; }

  // The serialised document in the ANSI text the host receives; false when it cannot be written.
  // codePage, when given, receives the code page the text is written in (0: the ANSI code page).
  bool SerializeDocument(CXString& text, UINT* codePage = nullptr);
  // The same text, kept by the control until the document changes or the next text is written; null
  // when it cannot be written.
  const CXString* WrittenDocument(UINT* codePage = nullptr);
  // Times the document was actually written out (an unchanged document answers with its last text).
  UINT Serialisations() const { return serialisations_; }
  // Times the text was brought up to date by writing only the tags of elements whose attributes changed.
  UINT TagRewrites() const { return tagRewrites_; }
  // Where each element's text lies in the text written last (tests compare them with a whole writing's).
  const std::vector<ElementSpan>& WrittenSpans() const { return written_.spans; }
  // Operations that ran out of memory and were ended with their failure result (tests read it).
  UINT FailedOperations() const { return failedOperations_; }
  // Drops the last text written, so that the next request writes the document again (the document goes
  // or is replaced; benchmarks time the writer).
  void ForgetWrittenText();

  // Test support: hosts document in place of the current one (counted references on both).
  void ReplaceDocumentForTest(IHTMLDocument2* document);

  // The module's list of live controls (intrusive, so that listing needs no memory).
  CVellum* nextLive = nullptr;
  CVellum* prevLive = nullptr;

  DWORD lastError = 0;  // code of the last failure (VLM_ERR_*)

 protected:
  LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
  void OnFinalMessage() override;

 private:
  IUnknown* identity_ = nullptr;            // the object's COM identity towards the engine
  ULONG identityRefs_ = 0;                  // its reference count; the window, not the count, rules lifetime
  CComRef<IDispatch> ambientDispatch_;      // ambient properties offered to the engine
  CAxHoster* axHoster_ = nullptr;           // client site, made when the engine first asks
  CDocHost* docHost_ = nullptr;             // UI handler, made when the engine first asks
  CNotifySink* notifySink_ = nullptr;       // ready-state sink, made when first asked
  CVlmUIWin* surface_ = nullptr;            // design surface; null in preview mode
  CComRef<IHTMLDocument2> document_;        // the hosted page; empty when there is none
  DWORD lockMode_ = 0;                      // 1: structure locked
  DWORD idCounter_ = 1;                     // appended to every inserted element's id; never reset
  DWORD insertKind_ = 0;                    // ElementKind armed for insertion, 0 none
  CLSID insertClsid_ = {};                  // CLSID of the next object element
  DWORD preview_ = 1;                       // 0: design mode (surface present)
  HWND docWindow_ = nullptr;                // the document's own window
  DWORD adviseCookie_ = 0;                  // ready-state connection, 0 when not connected
  DWORD propsChanged_ = 0;                  // the property sheet applied a change
  DWORD snapshotOnChange_ = 0;              // take undo snapshots on changes
  DWORD notifyOnChange_ = 0;                // tell the parent about changes
  RECT lastWindowRect_ = {-1, -1, -1, -1};  // last rectangle reported to the parent
  CXString tempDir_;                        // directory for loading through a temporary file
  CXString tempFile_;                       // temporary file of the load in progress
  UINT completedLoads_ = 0;                 // loads that reached ready state complete
  UINT historySteps_ = 0;                   // undos and redos completed, in place or by their load
  UINT stepsInPlace_ = 0;                   // those taken without reading the page back
  bool historyLoadRunning_ = false;         // the load in progress reads a snapshot back
  struct WrittenText {
    bool valid = false;
    ULONGLONG version = 0;  // the document's content version when it was written
    ULONGLONG treeVersion = 0;  // and the two it is made of, where the engine tells them
    ULONGLONG formVersion = 0;
    bool partsKnown = false;
    UINT codePage = 0;
    CXString text;
    std::vector<ElementSpan> spans;  // where each element's text lies in it
  };
  WrittenText written_;  // the last text written, for an unchanged document (forgotten
                         // whenever the document is made, replaced or closed)
  UINT serialisations_ = 0;
  UINT tagRewrites_ = 0;  // texts brought up to date by writing changed elements' tags again
  static constexpr int kDefaultFormWidth = 400;  // the form size a page without one gets
  static constexpr int kDefaultFormHeight = 150;
  UINT failedOperations_ = 0;        // operations ended by running out of memory
  UINT failedSnapshots_ = 0;         // undo snapshots that could not be taken
  bool editChangedNothing_ = false;  // the surface edit running changed nothing: its snapshots go
  BodySizeStrings bodySize_;         // made with the window: a completed load allocates nothing
                                     // before its snapshot

  // Message handlers (the map in ProcessMessage unpacks the arguments).
  LRESULT OnCreate();
  LRESULT OnDestroy();
  LRESULT OnSize(UINT type, int width, int height);
  LRESULT OnNcCalcSize(bool calcValidRects, LPARAM lParam);
  LRESULT OnNcHitTest(POINT screen);
  LRESULT OnNcPaint(WPARAM wParam, LPARAM lParam, bool& handled);
  LRESULT OnWindowPosChanging(const WINDOWPOS& pos);
  LRESULT OnShowWindow(bool shown);
  LRESULT OnKey(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  LRESULT OnCustomMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  LRESULT OnCommand(WPARAM wParam, LPARAM lParam, bool& handled);
  void OnArrowKey(UINT vk);

  // The custom messages, one handler each.
  LRESULT OnLoadFile(const char* path);
  LRESULT OnLoadCode(const char* text);
  LRESULT OnGetCode(WPARAM capacity, char* buffer);
  LRESULT OnBeginInsert(WPARAM kind, const CLSID* clsid);
  LRESULT OnInsertCentered(WPARAM kind, const CLSID* clsid);
  LRESULT OnCancelInsert();
  LRESULT OnAlign(UINT msg);
  LRESULT OnDeleteSelection();
  LRESULT OnTranslateAccel(MSG* msg);
  LRESULT OnSetTempDir(const char* dir);
  LRESULT OnDocChanged();
  void FollowBodySize();

  // Undo (step -1) or redo (+1): moves through the history and loads the snapshot there.
  int StepThroughHistory(int step);
  // Makes the document the snapshot text by changing the one element that holds every difference (its
  // style, when that is all that differs; else the element, replaced by its markup), when one does:
  // true once the document is written out as exactly that text. False leaves the page to be loaded;
  // the document may then be half-way.
  bool StepInPlace(const CXString& snapshot, UINT codePage);
  // The last text written is the document as it is now.
  bool WrittenTextIsCurrent() const;
  // Brings the text written last up to date where only elements' attributes changed since: their
  // start tags are written again and the rest stays. False (and the text as it was) otherwise.
  bool RewriteChangedTags();
  // The page's load has completed (its ready state is "complete").
  bool PageIsComplete() const;
  // The guards every insertion message shares: not locked, in design mode.
  bool InsertionAllowed();
  // For kind 12 the CLSID is required and copied; false (err 22) when it is missing.
  bool TakeInsertClsid(WPARAM kind, const CLSID* clsid);

  // A reference to the document for a CDOMUtil or writer to hold; empty when there is none.
  CComRef<IHTMLDocument2> LentDocument() const;

  int LoadThroughTempFile(const char* text);
  void DeleteTempFile();
  bool ConnectReadyStateSink();
  void DisconnectReadyStateSink();
  // Resizes the window so that its client area is width x height, keeping the frame's size.
  void ResizeClientTo(int width, int height);
  // The Element menu itself, and the command chosen in it.
  void RunElementMenu(int x, int y);
  // The Element menu's z-order items: step is added to the target's z-index.
  void StepZIndexFromMenu(IHTMLElement* target, int step);
  // Inserts the armed kind of element at rect (drawn on the surface, or centred by the host).
  int InsertArmedKind(const RECT& rect);

  CUndoHistory undo_;  // whole-document snapshots

  // Answers riid from site (made on first need); E_FAIL when it cannot be made.
  template <class Site>
  HRESULT QuerySite(Site*& site, REFIID riid, void** out);

  // Runs one operation of the control. Running out of memory inside it (ComOutOfMemory, std::bad_alloc)
  // ends it with failureResult and error as the last error, instead of unwinding into the window manager
  // or the engine; the code it ran has left the document and the history consistent on the way out.
  // Anything else is left to the message window's last line of defence.
  template <class Operation>
  LRESULT RunOperation(DWORD error, LRESULT failureResult, Operation&& operation);
  // An element command of the surface as one edit: 0 with VLM_ERR_ELEMENT when it runs out of memory or
  // one of its undo snapshots cannot be taken. The surface has then put the document back, and the
  // history keeps none of the command's snapshots.
  template <class Command>
  LRESULT RunSurfaceEdit(Command&& command);
  // The set-up of a page whose load completed: the form's size, the window and the overlay.
  void SetUpLoadedPage();
};

template <class Operation>
LRESULT CVellum::RunOperation(DWORD error, LRESULT failureResult, Operation&& operation) {
  try {
    return operation();
  } catch (const ComOutOfMemory&) {
  } catch (const std::bad_alloc&) {
  }
  ++failedOperations_;
  lastError = error;
  return failureResult;
}

template <class Command>
LRESULT CVellum::RunSurfaceEdit(Command&& command) {
  // The command notifies the host, which may switch to preview or destroy the control meanwhile: the
  // surface stays until the command has returned.
  CWindowHold surfaceHold(SurfaceWindow());
  return RunOperation(VLM_ERR_ELEMENT, 0, [&]() -> LRESULT {
    CUndoHistory::Transaction transaction(undo_);
    const UINT snapshotsFailed = failedSnapshots_;
    editChangedNothing_ = false;
    const LRESULT result = command();
    if (failedSnapshots_ != snapshotsFailed) {
      lastError = VLM_ERR_ELEMENT;
      return 0;
    }
    if (!editChangedNothing_) transaction.Commit();
    return result;
  });
}
