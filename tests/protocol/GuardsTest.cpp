// The guards of the host's messages: results and lastError in design, preview and locked mode.
#include "ProtocolFixture.h"

namespace pt {
namespace {

TEST_F(Protocol, ReservedMessagesAnswerZero) {
  ASSERT_NE(CreateControl(), nullptr);
  EXPECT_EQ(Send(WM_USER + 2005, 1, 1), 0);
  EXPECT_EQ(Send(WM_USER + 2029, 1, 1), 0);
}

TEST_F(Protocol, GetCodeWithoutADocumentFailsWithError4) {
  ASSERT_NE(CreateControl(), nullptr);
  GetControl()->ReplaceDocumentForTest(nullptr);
  EXPECT_EQ(Send(VLM_GETCODE, 0, 0), 0);
  EXPECT_EQ(LastError(), DWORD(VLM_ERR_NO_DOCUMENT));
  MSG msg = {};
  EXPECT_EQ(Send(VLM_TRANSLATEACCEL, 0, reinterpret_cast<LPARAM>(&msg)), 0);
  EXPECT_EQ(LastError(), DWORD(VLM_ERR_NO_DOCUMENT));
}

TEST_F(Protocol, NullTextsAndPathsAreRefused) {
  ASSERT_NE(CreateControl(), nullptr);
  EXPECT_EQ(Send(VLM_LOADCODE, 0, 0), 0);
  EXPECT_EQ(Send(VLM_LOADFILE, 0, 0), 0);
  EXPECT_EQ(Send(VLM_TRANSLATEACCEL, 0, 0), 0);
  EXPECT_EQ(LastError(), DWORD(VLM_ERR_NO_DOCUMENT));
}

TEST_F(Protocol, ObjectInsertionWithoutAClsidLeavesTheArmedKind) {
  ASSERT_NE(CreateControl(), nullptr);
  EXPECT_EQ(Send(VLM_BEGININSERT, VLM_KIND_TEXTBOX), 1);
  EXPECT_EQ(GetControl()->InsertKind(), DWORD(VLM_KIND_TEXTBOX));
  EXPECT_EQ(Send(VLM_BEGININSERT, VLM_KIND_OBJECT, 0), 0);
  EXPECT_EQ(LastError(), DWORD(VLM_ERR_NO_CLSID));
  EXPECT_EQ(GetControl()->InsertKind(), DWORD(VLM_KIND_TEXTBOX));
  // The kind is the 32-bit value it is stored as, whatever a 64-bit wParam carries above it.
  EXPECT_EQ(Send(VLM_BEGININSERT, (WPARAM(1) << 32) | VLM_KIND_OBJECT, 0), 0);
  EXPECT_EQ(LastError(), DWORD(VLM_ERR_NO_CLSID));
  EXPECT_EQ(GetControl()->InsertKind(), DWORD(VLM_KIND_TEXTBOX));
  CLSID clsid = {0x12345678, 1, 2, {3, 4, 5, 6, 7, 8, 9, 10}};
  EXPECT_EQ(Send(VLM_BEGININSERT, VLM_KIND_OBJECT, reinterpret_cast<LPARAM>(&clsid)), 1);
  EXPECT_EQ(GetControl()->InsertKind(), DWORD(VLM_KIND_OBJECT));
  EXPECT_EQ(Send(VLM_CANCELINSERT), 1);
  EXPECT_EQ(GetControl()->InsertKind(), 0u);
}

TEST_F(Protocol, InsertCenteredNeedsAnArmedKind) {
  ASSERT_NE(CreateControl(), nullptr);
  EXPECT_EQ(Send(VLM_INSERTCENTERED, VLM_KIND_LABEL), 0);
  EXPECT_EQ(LastError(), DWORD(VLM_ERR_NOT_ARMED));
}

TEST_F(Protocol, PreviewModeAnswersForEverySurfaceQuery) {
  ASSERT_NE(CreateControl(), nullptr);
  ASSERT_EQ(Send(VLM_SETDESIGNMODE, 0), 1);
  EXPECT_EQ(Send(VLM_CANCOPY), 0);
  EXPECT_EQ(Send(VLM_CANCUT), 0);
  EXPECT_EQ(Send(VLM_CANPASTE), 0);
  EXPECT_EQ(Send(VLM_CANALIGN), 0);
  EXPECT_EQ(LastError(), DWORD(VLM_ERR_NO_SURFACE));
  EXPECT_EQ(Send(VLM_BEGININSERT, VLM_KIND_LABEL), 0);
  EXPECT_EQ(LastError(), DWORD(VLM_ERR_PREVIEW));
  EXPECT_EQ(Send(VLM_CANCELINSERT), 0);
  EXPECT_EQ(LastError(), DWORD(VLM_ERR_PREVIEW));
  EXPECT_EQ(Send(VLM_DELETESELECTION), 0);
  EXPECT_EQ(LastError(), DWORD(VLM_ERR_PREVIEW));
  EXPECT_EQ(Send(VLM_ALIGNTOPS), 0);
  EXPECT_EQ(LastError(), DWORD(VLM_ERR_NO_SURFACE));
  EXPECT_EQ(Send(VLM_COPY), 0);
}

TEST_F(Protocol, LockModeRefusesStructuralChanges) {
  ASSERT_NE(CreateControl(), nullptr);
  EXPECT_EQ(Send(VLM_SETLOCK, 1), 0);
  EXPECT_EQ(Send(VLM_CANCUT), 0);
  EXPECT_EQ(Send(VLM_CANPASTE), 0);
  EXPECT_EQ(Send(VLM_CANUNDO), 0);
  EXPECT_EQ(Send(VLM_CANREDO), 0);
  EXPECT_EQ(Send(VLM_CANALIGN), 0);
  EXPECT_EQ(Send(VLM_CUT), 0);
  EXPECT_EQ(Send(VLM_PASTE), 0);
  EXPECT_EQ(Send(VLM_UNDO), 0);
  EXPECT_EQ(Send(VLM_REDO), 0);
  EXPECT_EQ(Send(VLM_DELETESELECTION), 0);
  EXPECT_EQ(Send(VLM_BEGININSERT, VLM_KIND_LABEL), 0);
  EXPECT_EQ(LastError(), DWORD(VLM_ERR_LOCKED));
  EXPECT_EQ(Send(VLM_INSERTCENTERED, VLM_KIND_LABEL), 0);
  EXPECT_EQ(LastError(), DWORD(VLM_ERR_LOCKED));
  EXPECT_EQ(Send(VLM_CLEARUNDO), 1);  // allowed while locked
  EXPECT_EQ(Send(VLM_SETLOCK, 0), 0);
  EXPECT_EQ(Send(VLM_BEGININSERT, VLM_KIND_LABEL), 1);
}

TEST_F(Protocol, AlignmentNeedsTwoSelectedElements) {
  ASSERT_NE(CreateControl(), nullptr);
  for (UINT msg = VLM_ALIGNTOPS; msg <= VLM_SAMESIZE; ++msg) {
    EXPECT_EQ(Send(msg), 0);
    EXPECT_EQ(LastError(), DWORD(VLM_ERR_ALIGN_SELECTION));
  }
}

TEST_F(Protocol, NothingToUndoOrRedoAfterClearing) {
  ASSERT_NE(CreateControl(), nullptr);
  EXPECT_EQ(Send(VLM_CLEARUNDO), 1);
  EXPECT_EQ(Send(VLM_CANUNDO), 0);
  EXPECT_EQ(Send(VLM_CANREDO), 0);
  EXPECT_EQ(Send(VLM_UNDO), 0);
  EXPECT_EQ(LastError(), DWORD(VLM_ERR_NOTHING_TO_UNDO));
  EXPECT_EQ(Send(VLM_REDO), 0);
  EXPECT_EQ(LastError(), DWORD(VLM_ERR_NOTHING_TO_UNDO));
}

TEST_F(Protocol, AskingForKeysAndFocusIsAnsweredByTheControl) {
  ASSERT_NE(CreateControl(), nullptr);
  EXPECT_EQ(Send(WM_GETDLGCODE), DLGC_WANTALLKEYS);
}

}  // namespace
}  // namespace pt

namespace pt {
namespace {

TEST_F(Protocol, PropertiesNeedADocumentAndInDesignModeTheSurface) {
  ASSERT_NE(CreateControl(), nullptr);
  ASSERT_EQ(Send(VLM_SETDESIGNMODE, 0), 1);
  GetControl()->lastError = 0;
  EXPECT_EQ(Send(VLM_PROPERTIES), 0);
  EXPECT_EQ(LastError(), DWORD(VLM_ERR_NO_SURFACE));
  GetControl()->ReplaceDocumentForTest(nullptr);
  GetControl()->lastError = 0;
  EXPECT_EQ(Send(VLM_PROPERTIES), 0);
  EXPECT_EQ(LastError(), 0u);
}

}  // namespace
}  // namespace pt
