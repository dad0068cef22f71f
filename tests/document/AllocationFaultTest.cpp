// Running out of memory in the middle of an operation: each operation is run again and again with its
// 1st, 2nd, 3rd ... checked allocation failing, until a run no longer reaches the planned failure. Every
// run that failed must answer as the header documents, leave the document (and the history) as it was,
// and leave a control that goes on working.
#include <functional>
#include <string>
#include <vector>

#include "ControlFixture.h"
#include "comkit/AllocationFaults.h"
#include "comkit/ComText.h"

namespace dt {
namespace {

// Far more than any of these operations allocates: a loop that reaches it has stopped failing.
constexpr unsigned kMostAllocations = 1000;

// The writer reads its metas with strings of its own: they make it allocate.
const char kForm[] =
    "<html><head><title>Form</title><meta name=\"Generator\" content=\"someone else\">"
    "<meta name=\"Content-Type\" content=\"text/html; charset=windows-1252\"></head>"
    "<body width=\"320\" height=\"140\">"
    "<span id=\"a\" style=\"position: absolute; left: 10px; top: 10px; width: 50px; height: 20px\">a</span>"
    "<input id=\"b\" type=\"text\" value=\"x\" "
    "style=\"position: absolute; left: 10px; top: 40px; width: 80px; height: 20px\"></body></html>";

// Another page, without a size of its own: its load sets the default one up.
const char kOtherForm[] =
    "<html><head><meta name=\"Generator\" content=\"someone else\"></head><body>"
    "<textarea id=\"t\" style=\"position: absolute; left: 5px; top: 5px; width: 90px; height: 40px\">text"
    "</textarea></body></html>";

const char kPastedMarkup[] =
    "<span id=\"pasted\" style=\"position: absolute; left: 200px; top: 10px; width: 40px; height: 20px\">p</span>";

bool Has(const std::string& text, const char* piece) { return text.find(piece) != std::string::npos; }

bool PutOnClipboard(const std::string& text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  const bool put = SetClipboardData(CF_TEXT, memory) != nullptr;
  CloseClipboard();
  return put;
}

class AllocationFaults : public Control {
 protected:
  // Runs attempt(n) for n = 1, 2, ... while the nth allocation's failure is reached; attempt answers
  // whether it was. Answers how many runs failed; a loop that never stops is a failure of its own.
  template <class Attempt>
  unsigned ForEachFailure(Attempt attempt) {
    for (unsigned n = 1; n <= kMostAllocations; ++n) {
      SCOPED_TRACE(testing::Message() << "allocation " << n << " fails");
      if (!attempt(n)) return n - 1;
      if (HasFatalFailure()) return n;
    }
    ADD_FAILURE() << "the operation still reached its planned failure after " << kMostAllocations << " runs";
    return kMostAllocations;
  }

  // What the history holds, to compare before and after.
  std::vector<std::string> HistoryTexts() {
    std::vector<std::string> texts;
    for (int i = 0; i < History().Count(); ++i) texts.push_back(Snapshot(i));
    texts.push_back("index " + std::to_string(History().Index()));
    return texts;
  }

  // The step under each planned failure in turn, each run after prepare(), which sets the history up and
  // answers the text the step leads to. A run the failure reached either answers 0 with VLM_ERR_LOAD and
  // leaves the document and the history as they were, or ends at that text: with VLM_ERR_LOAD where the
  // failure came after the page was in (`reported`); a step that got round it may end without an error.
  unsigned StepUnderEachFailure(UINT message, const std::function<std::string()>& prepare, bool reported) {
    return ForEachFailure([&](unsigned n) {
      const std::string after = prepare();
      const std::string before = Code();
      const std::vector<std::string> history = HistoryTexts();
      const UINT steps = GetControl()->CompletedHistorySteps();
      LRESULT result = 0;
      bool fired = false;
      {
        comkit::ScopedAllocationFault fault(n);
        result = Send(message);
        if (result == 1) {
          EXPECT_TRUE(WaitForHistorySteps(steps + 1));
        }
        fired = fault.Fired();
      }
      if (!fired) {
        EXPECT_EQ(result, 1);
        EXPECT_EQ(LastError(), DWORD(VLM_ERR_NONE));
        EXPECT_EQ(Code(), after);
        return false;
      }
      if (result == 0) {
        EXPECT_EQ(LastError(), DWORD(VLM_ERR_LOAD));
        EXPECT_EQ(Code(), before);
        EXPECT_EQ(HistoryTexts(), history);
      } else {
        if (reported) {
          EXPECT_EQ(LastError(), DWORD(VLM_ERR_LOAD));
        }
        EXPECT_EQ(Code(), after);
        EXPECT_EQ(Code(), Snapshot(History().Index()));
      }
      EXPECT_EQ(Insert(VLM_KIND_TEXTBOX), 1);
      return true;
    });
  }
};

TEST_F(AllocationFaults, GetCodeAnswersZeroWithTheSerialisationError) {
  ASSERT_NE(CreateControl(), nullptr);
  ASSERT_TRUE(LoadAndWait(kForm));
  const std::string before = Code();
  const unsigned failed = ForEachFailure([&](unsigned n) {
    // Written afresh each time, not answered from the text kept since the last one.
    GetControl()->ForgetWrittenText();
    LRESULT size = 0;
    bool fired = false;
    {
      comkit::ScopedAllocationFault fault(n);
      size = Send(VLM_GETCODE);
      fired = fault.Fired();
    }
    if (!fired) {
      EXPECT_EQ(size, static_cast<LRESULT>(before.size()));
      return false;
    }
    EXPECT_EQ(size, 0);
    EXPECT_EQ(LastError(), DWORD(VLM_ERR_SERIALIZE));
    EXPECT_EQ(Code(), before);
    return true;
  });
  EXPECT_GE(failed, 3u);
}

// The three ways an element comes in: drawn on the surface, centred by the host, pasted.
enum class Insertion { Drawn, Centred, Pasted };

struct InsertionPath {
  const char* name;
  Insertion how;
  const char* inserted;  // in the text once it succeeded
};

TEST_F(AllocationFaults, AFailedInsertionLeavesNothingBehind) {
  static const InsertionPath kPaths[] = {
      {"drawn", Insertion::Drawn, "id=\"button2\""},
      {"centred", Insertion::Centred, "id=\"button2\""},
      {"pasted", Insertion::Pasted, "id=\"pasted\""},
  };
  ASSERT_TRUE(PutOnClipboard(kPastedMarkup));
  for (const InsertionPath& path : kPaths) {
    SCOPED_TRACE(path.name);
    // A control of its own, whose id numbers start afresh.
    DestroyControl();
    ASSERT_NE(CreateControl(), nullptr);
    const bool armed = path.how != Insertion::Pasted;
    auto insert = [&]() -> LRESULT {
      switch (path.how) {
        case Insertion::Drawn:
          return GetControl()->InsertElementAt({10, 70, 75, 90}, 0);
        case Insertion::Centred:
          return Send(VLM_INSERTCENTERED, VLM_KIND_BUTTON);
        default:
          return Send(VLM_PASTE);
      }
    };
    // One insertion undone: the history has a redo branch that a failed insertion must not cut off.
    ASSERT_TRUE(LoadAndWait(kForm));
    ASSERT_EQ(Insert(VLM_KIND_LABEL), 1);
    ASSERT_TRUE(StepAndWait(VLM_UNDO));
    const std::string before = Code();
    const std::vector<std::string> history = HistoryTexts();
    const unsigned failed = ForEachFailure([&](unsigned n) {
      if (armed) {
        EXPECT_TRUE(Arm(VLM_KIND_BUTTON));
      }
      parent_->Clear();
      LRESULT result = 0;
      bool fired = false;
      {
        comkit::ScopedAllocationFault fault(n);
        result = insert();
        fired = fault.Fired();
      }
      if (!fired) {
        EXPECT_EQ(result, 1);
        EXPECT_TRUE(Has(Code(), path.inserted)) << Body();
        return false;
      }
      EXPECT_EQ(result, 0);
      EXPECT_EQ(LastError(), DWORD(VLM_ERR_ELEMENT));
      EXPECT_EQ(Code(), before);
      EXPECT_EQ(HistoryTexts(), history);
      EXPECT_TRUE(parent_->NotifyCodes().empty());
      if (armed) {
        EXPECT_EQ(GetControl()->InsertKind(), 0u);  // disarmed, as after any attempt
      }
      return true;
    });
    EXPECT_GE(failed, 3u);
  }
}

// Text loaded through VLM_LOADCODE, or a file through VLM_LOADFILE.
struct LoadPath {
  const char* name;
  bool fromFile;
};

TEST_F(AllocationFaults, AFailedLoadKeepsTheOldPageOrSetsTheNewOneUpWhole) {
  char directory[MAX_PATH];
  GetTempPathA(MAX_PATH, directory);
  const std::string path = std::string(directory) + "vellum-allocation-faults.html";
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, kOtherForm, sizeof kOtherForm - 1, &written, nullptr);
  CloseHandle(file);

  static const LoadPath kPaths[] = {{"text", false}, {"file", true}};
  ASSERT_NE(CreateControl(), nullptr);
  for (const LoadPath& load : kPaths) {
    SCOPED_TRACE(load.name);
    auto send = [&] {
      return load.fromFile ? Send(VLM_LOADFILE, 0, reinterpret_cast<LPARAM>(path.c_str()))
                           : Send(VLM_LOADCODE, 0, reinterpret_cast<LPARAM>(kOtherForm));
    };
    // What the new page is once loaded without a failure.
    ASSERT_EQ(send(), 1);
    ASSERT_TRUE(WaitForPendingLoad());
    const std::string after = Code();
    ASSERT_TRUE(Has(after, "<BODY width=\"400\" height=\"150\">")) << after;

    const unsigned failed = ForEachFailure([&](unsigned n) {
      EXPECT_TRUE(LoadAndWait(kForm));
      const std::string before = Code();
      const UINT loads = GetControl()->CompletedLoads();
      LRESULT result = 0;
      bool fired = false;
      {
        comkit::ScopedAllocationFault fault(n);
        result = send();
        // A load that started completes later: its completion is part of the operation.
        if (result == 1) {
          EXPECT_TRUE(WaitForLoads(loads + 1));
        }
        fired = fault.Fired();
      }
      if (!fired) {
        EXPECT_EQ(result, 1);
        EXPECT_EQ(LastError(), DWORD(VLM_ERR_NONE));
        EXPECT_EQ(Code(), after);
        return false;
      }
      EXPECT_EQ(LastError(), DWORD(VLM_ERR_LOAD));
      if (result == 0) {
        EXPECT_EQ(Code(), before);
        vt::PumpFor(30);
        EXPECT_EQ(GetControl()->CompletedLoads(), loads);  // no load was started
      } else {
        const std::string now = Code();
        EXPECT_TRUE(now == before || now == after) << now;
      }
      // The control goes on working.
      EXPECT_EQ(Insert(VLM_KIND_LABEL), 1);
      return true;
    });
    EXPECT_GE(failed, 2u);
  }
  DeleteFileA(path.c_str());
}

// Stepping back (or forth) reads a snapshot back in, or changes the one element that differs.
struct HistoryStep {
  const char* name;
  UINT message;
};
const HistoryStep kSteps[] = {{"undo", VLM_UNDO}, {"redo", VLM_REDO}};

TEST_F(AllocationFaults, AFailedUndoOrRedoKeepsTheDocumentAndThePlaceInTheHistory) {
  ASSERT_NE(CreateControl(), nullptr);
  for (const HistoryStep& step : kSteps) {
    SCOPED_TRACE(step.name);
    // The form with a label inserted and then a new size: stepping between those two changes the
    // window's size, which the step's completion follows. For a redo, the resize is undone first.
    auto prepare = [&] {
      EXPECT_TRUE(LoadAndWait(kForm));
      EXPECT_EQ(Insert(VLM_KIND_LABEL), 1);
      std::string target = Code();
      SetWindowPos(hwnd_, nullptr, 0, 0, 360 + 14, 160 + 14, SWP_NOMOVE | SWP_NOZORDER);
      if (step.message == VLM_REDO) {
        target = Code();
        EXPECT_TRUE(StepAndWait(VLM_UNDO));
      }
      return target;
    };
    EXPECT_GE(StepUnderEachFailure(step.message, prepare, true), 1u);
  }
}

// A step that changes one element replaces it in place (or, for a move, sets its style) and checks the
// page against the snapshot; a failure on the way either leaves everything as it was or reads the
// snapshot back whole.
TEST_F(AllocationFaults, AStepOfOneElementEndsAsItWasOrAsTheSnapshot) {
  ASSERT_NE(CreateControl(), nullptr);
  for (const bool renamed : {true, false}) {
    for (const HistoryStep& step : kSteps) {
      SCOPED_TRACE(step.name);
      SCOPED_TRACE(renamed ? "moved and renamed" : "moved");
      // The label moved (and its text changed); for a redo, that is undone first.
      auto prepare = [&] {
        EXPECT_TRUE(LoadAndWait(kForm));
        std::string target = Code();
        CComRef<IHTMLElement> label = ElementWithId(L"a");
        CComRef<IHTMLStyle> style;
        CBstr text(L"moved & renamed");
        EXPECT_TRUE(label && SUCCEEDED(label->get_style(style.Out())) && style);
        CVariant value;
        V_VT(&value) = VT_BSTR;
        V_BSTR(&value) = SysAllocString(L"30px");
        style->put_left(value.get());
        if (renamed) label->put_innerText(text.get());
        EXPECT_EQ(GetControl()->SaveToUndo(), 1);
        if (step.message == VLM_REDO) {
          target = Code();
          EXPECT_TRUE(StepAndWait(VLM_UNDO));
        }
        return target;
      };
      EXPECT_GE(StepUnderEachFailure(step.message, prepare, false), 1u);
    }
  }
}

}  // namespace
}  // namespace dt
