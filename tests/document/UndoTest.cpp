// The undo history around insertions, loads and resizes of the form.
#include "ControlFixture.h"

namespace dt {
namespace {

const char kForm[] = "<html><head></head><body><span id=\"loaded\">form</span></body></html>";

bool Has(const std::string& text, const char* piece) { return text.find(piece) != std::string::npos; }

TEST_F(Control, UndoingAnInsertionReturnsToTheLoadedForm) {
  ASSERT_NE(CreateControl(), nullptr);
  ASSERT_TRUE(LoadAndWait(kForm));
  ASSERT_EQ(History().Count(), 1);
  const std::string loaded = Body();
  ASSERT_EQ(Insert(VLM_KIND_LABEL), 1);
  EXPECT_EQ(History().Count(), 2);
  EXPECT_EQ(History().Index(), 1);
  EXPECT_EQ(Send(VLM_CANUNDO), 1);
  ASSERT_TRUE(StepAndWait(VLM_UNDO));
  EXPECT_EQ(Body(), loaded);
  EXPECT_EQ(Send(VLM_CANUNDO), 0);
  EXPECT_EQ(Send(VLM_CANREDO), 1);
  ASSERT_TRUE(StepAndWait(VLM_REDO));
  EXPECT_TRUE(Has(Body(), "id=\"label1\""));
}

TEST_F(Control, AChangeAfterAnUndoDropsTheRedoBranch) {
  ASSERT_NE(CreateControl(), nullptr);
  ASSERT_TRUE(LoadAndWait(kForm));
  ASSERT_EQ(Insert(VLM_KIND_LABEL), 1);    // A: label1
  ASSERT_EQ(Insert(VLM_KIND_TEXTBOX), 1);  // B: textbox2
  ASSERT_TRUE(StepAndWait(VLM_UNDO));
  ASSERT_EQ(Insert(VLM_KIND_BUTTON), 1);  // C: button3
  ASSERT_EQ(History().Count(), 3);
  EXPECT_EQ(History().Index(), 2);
  EXPECT_FALSE(Has(Snapshot(0), "label1"));
  EXPECT_TRUE(Has(Snapshot(1), "label1"));
  EXPECT_FALSE(Has(Snapshot(1), "textbox2"));
  EXPECT_TRUE(Has(Snapshot(2), "label1") && Has(Snapshot(2), "button3"));
  EXPECT_FALSE(Has(Snapshot(2), "textbox2"));
  EXPECT_EQ(Send(VLM_CANREDO), 0);
  ASSERT_TRUE(StepAndWait(VLM_UNDO));
  const std::string body = Body();
  EXPECT_TRUE(Has(body, "label1"));
  EXPECT_FALSE(Has(body, "button3"));
}

TEST_F(Control, ClearingTheHistoryLeavesNothingToUndoOrRedo) {
  ASSERT_NE(CreateControl(), nullptr);
  ASSERT_TRUE(LoadAndWait(kForm));
  ASSERT_EQ(Insert(VLM_KIND_LABEL), 1);
  ASSERT_TRUE(StepAndWait(VLM_UNDO));
  EXPECT_EQ(Send(VLM_CLEARUNDO), 1);
  EXPECT_EQ(Send(VLM_CANUNDO), 0);
  EXPECT_EQ(Send(VLM_CANREDO), 0);
  EXPECT_EQ(History().Count(), 0);
  EXPECT_EQ(History().Index(), -1);
}

TEST_F(Control, AFailedInsertionLeavesTheHistoryExactlyAsItWas) {
  ASSERT_NE(CreateControl(), nullptr);
  ASSERT_TRUE(LoadAndWait(kForm));
  ASSERT_EQ(Insert(VLM_KIND_LABEL), 1);
  ASSERT_EQ(Insert(VLM_KIND_TEXTBOX), 1);
  // The undo's load is still running when the insertion comes: there is no body to insert into.
  ASSERT_EQ(Send(VLM_UNDO), 1);
  const std::string redo = Snapshot(2);
  EXPECT_EQ(Insert(VLM_KIND_BUTTON), 0);
  EXPECT_EQ(LastError(), DWORD(VLM_ERR_ELEMENT));
  EXPECT_EQ(History().Count(), 3);
  EXPECT_EQ(History().Index(), 1);
  EXPECT_EQ(Snapshot(2), redo);
  ASSERT_TRUE(WaitForPendingLoad());
  EXPECT_EQ(Send(VLM_CANREDO), 1);
  EXPECT_EQ(Send(VLM_CANUNDO), 1);
}

TEST_F(Control, AnInsertionSnapshotHoldsTheNewElement) {
  ASSERT_NE(CreateControl(), nullptr);
  ASSERT_TRUE(LoadAndWait(kForm));
  ASSERT_EQ(Insert(VLM_KIND_TEXTAREA), 1);
  EXPECT_EQ(Snapshot(History().Index()), Code());
}

TEST_F(Control, EveryResizeOfTheFormTakesASnapshot) {
  ASSERT_NE(CreateControl(), nullptr);
  ASSERT_TRUE(LoadAndWait(kForm));
  const int before = History().Count();
  for (int step = 1; step <= 3; ++step)
    SetWindowPos(hwnd_, nullptr, 0, 0, 300 + 10 * step + 14, 120 + 14, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(History().Count(), before + 3);
  EXPECT_TRUE(Has(Snapshot(History().Index()), "<BODY width=\"330\" height=\"120\">"));
}

}  // namespace
}  // namespace dt

namespace dt {
namespace {

// A page in another code page than the ANSI one: its snapshots are written in that code page and must
// read back as written.
TEST_F(Control, UndoKeepsTheTextOfAPageInItsOwnCodePage) {
  ASSERT_NE(CreateControl(), nullptr);
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string path = std::string(dir) + "vellum-koi8.html";
  const char page[] =
      "<html><head><meta name=\"Content-Type\" content=\"text/html; charset=koi8-r\"></head>"
      "<body><span id=\"ru\">\xf0\xd2\xc9\xd7\xc5\xd4</span></body></html>";
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, page, sizeof page - 1, &written, nullptr);
  CloseHandle(file);
  ASSERT_EQ(Send(VLM_LOADFILE, 0, reinterpret_cast<LPARAM>(path.c_str())), 1);
  ASSERT_TRUE(WaitForPendingLoad());
  const std::string loaded = Code();
  ASSERT_NE(loaded.find("\xf0\xd2\xc9\xd7\xc5\xd4"), std::string::npos) << loaded;  // saved as koi8-r bytes
  ASSERT_EQ(Insert(VLM_KIND_LABEL), 1);
  ASSERT_TRUE(StepAndWait(VLM_UNDO));
  EXPECT_EQ(Code(), loaded);
  DeleteFileA(path.c_str());
}

}  // namespace
}  // namespace dt
