// The element commands running out of memory: each is run with its 1st, 2nd, 3rd ... checked
// allocation failing, until a run no longer reaches the planned failure. A run that failed answers 0
// with VLM_ERR_ELEMENT and leaves the document, the history and the selection as they were.
#include <string>
#include <vector>

#include "ElementMenuDriver.h"
#include "SurfaceFixture.h"
#include "comkit/AllocationFaults.h"

namespace st {
namespace {

constexpr unsigned kMostAllocations = 1000;
constexpr int kDecreaseBy10 = 3, kDelete = 7;  // positions in the Element menu

enum class Command { AlignLefts, DeleteSelection, Cut, ArrowKey, Drag, MenuZIndex, MenuDelete };

struct ElementCommand {
  const char* name;
  Command command;
  std::vector<const wchar_t*> selected;  // selected before the command
  bool answers;                          // a message whose answer is checked
};

class ElementCommandFaults : public Surface {
 protected:
  LRESULT Run(Command command) {
    switch (command) {
      case Command::AlignLefts:
        return Send(VLM_ALIGNLEFTS);
      case Command::DeleteSelection:
        return Send(VLM_DELETESELECTION);
      case Command::Cut:
        return Send(VLM_CUT);
      case Command::ArrowKey:
        Key(VK_RIGHT);
        return 0;
      case Command::Drag:
        Drag({30, 20}, {60, 50});
        return 0;
      case Command::MenuZIndex: {
        ElementMenuDriver menu(ElementMenuDriver::Choose(kDecreaseBy10));
        SendMessageW(SurfaceWindow(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(130, 50));
        return 0;
      }
      case Command::MenuDelete: {
        ElementMenuDriver menu(ElementMenuDriver::Choose(kDelete));
        SendMessageW(SurfaceWindow(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(130, 50));
        return 0;
      }
    }
    return 0;
  }

  std::vector<std::string> HistoryTexts() {
    std::vector<std::string> texts;
    for (int i = 0; i < History().Count(); ++i) texts.push_back(Snapshot(i));
    texts.push_back("index " + std::to_string(History().Index()));
    return texts;
  }
};

TEST_F(ElementCommandFaults, AFailedCommandLeavesEverythingAsItWas) {
  const ElementCommand kCommands[] = {
      {"align lefts", Command::AlignLefts, {L"a", L"b", L"c"}, true},
      {"delete the selection", Command::DeleteSelection, {L"c", L"a"}, true},
      {"cut", Command::Cut, {L"b"}, true},
      {"arrow key", Command::ArrowKey, {L"a", L"b"}, false},
      {"drag", Command::Drag, {L"a"}, false},
      {"z-index from the menu", Command::MenuZIndex, {}, false},
      {"delete from the menu", Command::MenuDelete, {}, false},
  };
  for (const ElementCommand& command : kCommands) {
    SCOPED_TRACE(command.name);
    ASSERT_TRUE(LoadAndWait(kForm));
    // An edit undone: the history has a redo branch that a failed command must not cut off.
    ASSERT_EQ(Insert(VLM_KIND_LABEL, {300, 200, 350, 220}), 1);
    ASSERT_EQ(Send(VLM_CANCELINSERT), 1);  // the surface was armed as well: clicks select again
    ASSERT_TRUE(StepAndWait(VLM_UNDO));
    GetSurface()->ClearSelection();
    for (size_t i = 0; i < command.selected.size(); ++i) {
      const RECT box = Box(command.selected[i]);
      Click((box.left + box.right) / 2, (box.top + box.bottom) / 2, i == 0 ? 0 : MK_SHIFT);
    }
    const std::string before = Code();
    const std::vector<std::string> history = HistoryTexts();
    const std::vector<std::string> selected = SelectedIds();
    ASSERT_EQ(selected.size(), command.selected.size());
    unsigned failed = 0;
    for (unsigned n = 1; n <= kMostAllocations; ++n) {
      SCOPED_TRACE(testing::Message() << "allocation " << n << " fails");
      parent_->Clear();
      LRESULT result = 0;
      bool fired = false;
      {
        comkit::ScopedAllocationFault fault(n);
        result = Run(command.command);
        fired = fault.Fired();
      }
      if (!fired) {
        if (command.answers) {
          EXPECT_EQ(result, 1);
        }
        EXPECT_NE(Code(), before);
        break;
      }
      ++failed;
      if (command.answers) {
        EXPECT_EQ(result, 0);
      }
      EXPECT_EQ(LastError(), DWORD(VLM_ERR_ELEMENT));
      EXPECT_EQ(Code(), before);
      EXPECT_EQ(HistoryTexts(), history);
      EXPECT_EQ(SelectedIds(), selected);
      EXPECT_EQ(parent_->Count(VLMN_CHANGED), 0);
      if (HasFatalFailure() || n == kMostAllocations) {
        ADD_FAILURE() << "stopped after " << n << " runs";
        break;
      }
    }
    EXPECT_GE(failed, 1u);
  }
}

}  // namespace
}  // namespace st
