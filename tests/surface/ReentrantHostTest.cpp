// A host that acts from inside the control's notifications: for every notification the control sends,
// each thing a host may do there (destroy the control, switch to preview, switch back to design, load
// a page, undo) during each operation that sends it, the property sheet's among them. The control must survive, usable,
// or be cleanly gone.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "ModalDriver.h"
#include "SurfaceFixture.h"

namespace st {
namespace {

enum class HostAction { Destroy, Preview, PreviewAndDesign, Load, Undo };
enum class Operation { MouseInsertion, DragMove, DragResize, DeleteSelection, Align, Paste, MoveWindow, PropertySheet };

const char* Name(HostAction action) {
  switch (action) {
    case HostAction::Destroy:
      return "destroy";
    case HostAction::Preview:
      return "preview";
    case HostAction::PreviewAndDesign:
      return "preview and design";
    case HostAction::Load:
      return "load";
    default:
      return "undo";
  }
}

const char* Name(Operation operation) {
  switch (operation) {
    case Operation::MouseInsertion:
      return "mouse insertion";
    case Operation::DragMove:
      return "drag-move";
    case Operation::DragResize:
      return "drag-resize";
    case Operation::DeleteSelection:
      return "delete";
    case Operation::Align:
      return "align";
    case Operation::Paste:
      return "paste";
    case Operation::PropertySheet:
      return "property sheet";
    default:
      return "window move";
  }
}

const char kOtherPage[] = "<html><body><span id=\"z\">Z</span></body></html>";

class ReentrantHost : public Surface {
 protected:
  void TearDown() override {
    parent_->onNotify = nullptr;
    Surface::TearDown();
  }

  // Acts once, at the first notification with the code.
  void ActOn(UINT code, HostAction action) {
    acted_ = false;
    parent_->onNotify = [this, code, action](UINT arrived) {
      if (acted_ || arrived != code || !IsWindow(hwnd_)) return;
      acted_ = true;
      switch (action) {
        case HostAction::Destroy:
          DestroyWindow(hwnd_);
          break;
        case HostAction::Preview:
          Send(VLM_SETDESIGNMODE, 0);
          break;
        case HostAction::PreviewAndDesign:
          Send(VLM_SETDESIGNMODE, 0);
          Send(VLM_SETDESIGNMODE, 1);
          break;
        case HostAction::Load:
          Send(VLM_LOADCODE, 0, reinterpret_cast<LPARAM>(kOtherPage));
          break;
        case HostAction::Undo:
          Send(VLM_UNDO);
          break;
      }
    };
  }

  void Run(Operation operation) {
    switch (operation) {
      case Operation::MouseInsertion:
        Arm(VLM_KIND_LABEL);
        Drag({300, 200}, {360, 230});
        break;
      case Operation::DragMove:
        SelectIds({L"a"});
        Drag({35, 20}, {55, 40});
        break;
      case Operation::DragResize: {
        SelectIds({L"a"});
        const RECT box = Box(L"a");
        Drag({box.right, box.bottom}, {box.right + 20, box.bottom + 15});
        break;
      }
      case Operation::DeleteSelection:
        SelectIds({L"a"});
        Send(VLM_DELETESELECTION);
        break;
      case Operation::Align:
        SelectIds({L"a", L"b"});
        Send(VLM_ALIGNLEFTS);
        break;
      case Operation::Paste:
        SelectIds({L"a"});
        Send(VLM_COPY);
        Send(VLM_PASTE);
        break;
      case Operation::MoveWindow:
        SetWindowPos(hwnd_, nullptr, 20, 20, 440, 330, SWP_NOZORDER);
        break;
      case Operation::PropertySheet:
        RunPropertySheet();
        break;
    }
    vt::PumpPending();
  }

  // The body's sheet: a new form width set on the Custom page and applied (the form follows it while the
  // sheet is up), then OK (the change is reported once the sheet is gone).
  void RunPropertySheet() {
    vt::ModalDriver sheet(
        {vt::Do([](HWND window) { SendMessageW(window, PSM_SETCURSEL, 1, 0); }), vt::Do([](HWND window) {
           const HWND page = reinterpret_cast<HWND>(SendMessageW(window, PSM_GETCURRENTPAGEHWND, 0, 0));
           SetDlgItemTextW(page, 1014, L"width");
           SetDlgItemTextW(page, 1015, L"360");
           SendMessageW(page, WM_COMMAND, MAKEWPARAM(1016, BN_CLICKED), 0);
           PostMessageW(window, WM_COMMAND, MAKEWPARAM(0x3021, BN_CLICKED), 0);  // Apply
         }),
         vt::ClickButton(IDOK)});
    Send(VLM_PROPERTIES);
  }

  // A control that is still there answers, saves, and takes an insertion in design mode.
  void ExpectUsableOrGone(const std::string& where) {
    if (!IsWindow(hwnd_)) {
      EXPECT_EQ(Module_FindControl(hwnd_), nullptr) << where;
      return;
    }
    ASSERT_NE(GetControl(), nullptr) << where;
    WaitForLoads(GetControl()->CompletedLoads() + 1, 200);  // a load started by the host
    EXPECT_NE(Code(), "<failed>") << where;
    EXPECT_EQ(Send(VLM_SETDESIGNMODE, 1), 1) << where;
    ASSERT_NE(GetSurface(), nullptr) << where;
    EXPECT_TRUE(Arm(VLM_KIND_BUTTON)) << where;
    EXPECT_EQ(Send(VLM_INSERTCENTERED, VLM_KIND_BUTTON), 1) << where << ", last error " << LastError();
  }

  bool acted_ = false;
};

TEST_F(ReentrantHost, EveryHostActionInsideEveryNotificationOfEveryOperationLeavesAUsableOrGoneControl) {
  const UINT codes[] = {VLMN_ELEMENTINSERTED, VLMN_CHANGED, VLMN_MOVED, VLMN_RESIZED, VLMN_TRACKRECT};
  const HostAction actions[] = {HostAction::Destroy, HostAction::Preview, HostAction::PreviewAndDesign,
                                HostAction::Load, HostAction::Undo};
  const Operation operations[] = {Operation::MouseInsertion,  Operation::DragMove,     Operation::DragResize,
                                  Operation::DeleteSelection, Operation::Align,        Operation::Paste,
                                  Operation::MoveWindow,      Operation::PropertySheet};
  int acted = 0, actedAroundSheet = 0;
  for (UINT code : codes) {
    for (HostAction action : actions) {
      for (Operation operation : operations) {
        const std::string where =
            std::string(Name(action)) + " at notification " + std::to_string(code) + " during " + Name(operation);
        // A fresh control each time: the last run may have destroyed or emptied it.
        DestroyControl();
        ASSERT_TRUE(CreateControl(10, 10, 420, 320)) << where;
        ASSERT_EQ(Send(VLM_SETDESIGNMODE, 1), 1) << where;
        ASSERT_TRUE(LoadAndWait(kForm)) << where;
        vt::PumpPending();
        ActOn(code, action);
        Run(operation);
        parent_->onNotify = nullptr;
        if (acted_) ++acted;
        if (acted_ && operation == Operation::PropertySheet) ++actedAroundSheet;
        ExpectUsableOrGone(where);
      }
    }
  }
  // Each notification was reached by some operation, so every action ran inside each of them.
  EXPECT_GE(acted, 5 * 5);
  // The sheet's Apply resizes the form while the sheet is up (a notification of the window's new place),
  // and its OK reports the change after it: every action ran inside both.
  EXPECT_GE(actedAroundSheet, 2 * 5);
}

}  // namespace
}  // namespace st
