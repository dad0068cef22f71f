// Inserting elements into a real control: the markup that lands in the document, ids, sizes,
// notifications and disarming.
#include "ControlFixture.h"

namespace dt {
namespace {

const CLSID kEngineClsid = {0x25336920, 0x03F9, 0x11CF, {0x8F, 0xD0, 0x00, 0xAA, 0x00, 0x68, 0x6F, 0x13}};

std::string Style(int left, int top, int width, int height) {
  return "style=\"left: " + std::to_string(left) + "px; top: " + std::to_string(top) +
         "px; width: " + std::to_string(width) + "px; height: " + std::to_string(height) + "px; position: absolute\"";
}

TEST_F(Control, EveryKindIsInsertedWithItsTemplate) {
  ASSERT_NE(CreateControl(), nullptr);
  for (DWORD kind = 1; kind <= 12; ++kind) {
    ASSERT_TRUE(Arm(kind, &kEngineClsid)) << kind;
    const int top = static_cast<int>(kind) * 25;
    EXPECT_EQ(GetControl()->InsertElementAt({10, top, 75, top + 20}, 0), 1) << kind;
    EXPECT_EQ(LastError(), 0u) << kind;
  }
  EXPECT_EQ(Body(), "  <SPAN id=\"label1\" " + Style(10, 25, 65, 20) +
                        ">\n   label1\n  </SPAN>\n"
                        "  <INPUT id=\"textbox2\" type=\"text\" " +
                        Style(10, 50, 65, 20) +
                        " value=\"textbox2\">\n"
                        "  <INPUT id=\"button3\" type=\"button\" " +
                        Style(10, 75, 65, 20) +
                        " value=\"button3\">\n"
                        "  <INPUT id=\"checkbox4\" type=\"checkbox\" " +
                        Style(10, 100, 65, 20) +
                        " value=\"checkbox4\">\n"
                        "  <INPUT id=\"radio5\" type=\"radio\" name=\"main\" " +
                        Style(10, 125, 65, 20) +
                        " value=\"radio5\">\n"
                        "  <INPUT id=\"file6\" type=\"file\" " +
                        Style(10, 150, 65, 20) +
                        " value=\"file6\">\n"
                        "  <TEXTAREA id=\"textarea7\" " +
                        Style(10, 175, 65, 20) +
                        ">\ntextarea7</TEXTAREA>\n"
                        "  <FIELDSET id=\"frame8\" " +
                        Style(10, 200, 65, 20) +
                        ">\n"
                        "   <LEGEND>\n    frame8\n   </LEGEND>\n  </FIELDSET>\n"
                        "  <IMG id=\"image9\" " +
                        Style(10, 225, 65, 20) +
                        ">\n"
                        "  <SELECT id=\"choise10\" size=\"2\" " +
                        Style(10, 250, 65, 20) +
                        ">\n  </SELECT>\n"
                        "  <SELECT id=\"choise11\" " +
                        Style(10, 275, 65, 20) +
                        ">\n  </SELECT>\n"
                        "  <OBJECT id=\"obj12\" classid=\"CLSID:25336920-03F9-11CF-8FD0-00AA00686F13\" " +
                        Style(10, 300, 65, 20) + ">\n  </OBJECT>\n");
}

TEST_F(Control, OneCounterNumbersEveryKind) {
  ASSERT_NE(CreateControl(), nullptr);
  EXPECT_EQ(Insert(VLM_KIND_LABEL, {10, 20, 75, 40}), 1);
  EXPECT_EQ(Insert(VLM_KIND_TEXTBOX, {10, 50, 75, 70}), 1);
  EXPECT_EQ(Body(), "  <SPAN id=\"label1\" " + Style(10, 20, 65, 20) +
                        ">\n   label1\n  </SPAN>\n"
                        "  <INPUT id=\"textbox2\" type=\"text\" " +
                        Style(10, 50, 65, 20) + " value=\"textbox2\">\n");
}

TEST_F(Control, AFailedInsertionConsumesNoNumberAndDisarms) {
  ASSERT_NE(CreateControl(), nullptr);
  // While a load runs the document has no body to insert into.
  ASSERT_EQ(Send(VLM_LOADCODE, 0, reinterpret_cast<LPARAM>("<html><body></body></html>")), 1);
  EXPECT_EQ(Insert(VLM_KIND_LABEL), 0);
  EXPECT_EQ(LastError(), DWORD(VLM_ERR_ELEMENT));
  EXPECT_EQ(GetControl()->InsertKind(), 0u);
  ASSERT_TRUE(WaitForPendingLoad());
  EXPECT_EQ(Insert(VLM_KIND_BUTTON), 1);
  EXPECT_NE(Body().find("id=\"button1\""), std::string::npos);
}

TEST_F(Control, ASuccessfulInsertionDisarms) {
  ASSERT_NE(CreateControl(), nullptr);
  EXPECT_EQ(Insert(VLM_KIND_LABEL), 1);
  EXPECT_EQ(GetControl()->InsertKind(), 0u);
  // Nothing armed: a drawn rectangle inserts nothing.
  EXPECT_EQ(GetControl()->InsertElementAt({10, 20, 75, 40}, 0), 0);
  EXPECT_EQ(Body(), "  <SPAN id=\"label1\" " + Style(10, 20, 65, 20) + ">\n   label1\n  </SPAN>\n");
}

TEST_F(Control, AnInsertionReportsTheKindAndThenTheChange) {
  ASSERT_NE(CreateControl(), nullptr);
  ASSERT_TRUE(Arm(VLM_KIND_CHOICE));
  parent_->Clear();
  ASSERT_EQ(GetControl()->InsertElementAt({10, 20, 75, 40}, 0), 1);
  ASSERT_EQ(parent_->NotifyCodes(), (std::vector<UINT>{VLMN_ELEMENTINSERTED, VLMN_CHANGED}));
  const auto& inserted = parent_->Messages()[0];
  EXPECT_EQ(inserted.notify.kind, UINT(VLM_KIND_CHOICE));
  EXPECT_EQ(inserted.notify.hdr.hwndFrom, hwnd_);
  const auto& changed = parent_->Messages()[1];
  EXPECT_EQ(changed.notify.kind, UINT(VLM_KIND_OTHER));
}

TEST_F(Control, AFailedInsertionReportsNothing) {
  ASSERT_NE(CreateControl(), nullptr);
  ASSERT_EQ(Send(VLM_LOADCODE, 0, reinterpret_cast<LPARAM>("<html><body></body></html>")), 1);
  ASSERT_TRUE(Arm(VLM_KIND_LABEL));
  parent_->Clear();
  EXPECT_EQ(GetControl()->InsertElementAt({10, 20, 75, 40}, 0), 0);
  EXPECT_TRUE(parent_->NotifyCodes().empty());
  ASSERT_TRUE(WaitForPendingLoad());
}

TEST_F(Control, SmallOrEmptyRectanglesGetTheDefaultSize) {
  ASSERT_NE(CreateControl(), nullptr);
  EXPECT_EQ(Insert(VLM_KIND_LABEL, {30, 40, 30, 40}), 1);
  EXPECT_EQ(Insert(VLM_KIND_LABEL, {30, 80, 34, 84}), 1);
  EXPECT_EQ(Insert(VLM_KIND_LABEL, {30, 100, 34, 130}), 1);
  EXPECT_EQ(Body(), "  <SPAN id=\"label1\" " + Style(30, 40, 65, 20) +
                        ">\n   label1\n  </SPAN>\n"
                        "  <SPAN id=\"label2\" " +
                        Style(30, 80, 65, 20) +
                        ">\n   label2\n  </SPAN>\n"
                        "  <SPAN id=\"label3\" " +
                        Style(30, 100, 4, 30) + ">\n   label3\n  </SPAN>\n");
}

TEST_F(Control, InsertCenteredPlacesTheDefaultSizeInTheMiddleOfTheClientArea) {
  ASSERT_NE(CreateControl(), nullptr);
  ASSERT_TRUE(Arm(VLM_KIND_BUTTON));
  EXPECT_EQ(Send(VLM_INSERTCENTERED, VLM_KIND_BUTTON), 1);
  EXPECT_EQ(Body(), "  <INPUT id=\"button1\" type=\"button\" " + Style((400 - 65) / 2, (150 - 20) / 2, 65, 20) +
                        " value=\"button1\">\n");
  EXPECT_EQ(GetControl()->InsertKind(), 0u);
}

TEST_F(Control, AnObjectCarriesTheClsidOfItsInsertCenteredMessage) {
  ASSERT_NE(CreateControl(), nullptr);
  const CLSID zero = {};
  ASSERT_TRUE(Arm(VLM_KIND_OBJECT, &kEngineClsid));
  EXPECT_EQ(Send(VLM_INSERTCENTERED, VLM_KIND_OBJECT, reinterpret_cast<LPARAM>(&zero)), 1);
  EXPECT_NE(Body().find("classid=\"CLSID:00000000-0000-0000-0000-000000000000\""), std::string::npos);
}

// --- VLM_GETCODE -----------------------------------------------------------------------------------------

TEST_F(Control, GetCodeGivesTheSizeAndThenTheTextWithItsZero) {
  ASSERT_NE(CreateControl(), nullptr);
  ASSERT_EQ(Insert(VLM_KIND_LABEL), 1);
  LRESULT size = Send(VLM_GETCODE);
  ASSERT_GT(size, 0);
  std::string buffer(static_cast<size_t>(size) + 8, '\x7f');
  EXPECT_EQ(Send(VLM_GETCODE, 0, reinterpret_cast<LPARAM>(buffer.data())), 1);
  EXPECT_EQ(buffer[static_cast<size_t>(size)], '\0');
  EXPECT_EQ(buffer[static_cast<size_t>(size) + 1], '\x7f');
  EXPECT_EQ(strlen(buffer.c_str()), static_cast<size_t>(size));
  EXPECT_EQ(buffer.substr(0, 7), "<HTML>\n");
}

TEST_F(Control, GetCodeWritesNothingIntoABufferTooSmallForTheTextAndItsZero) {
  ASSERT_NE(CreateControl(), nullptr);
  LRESULT size = Send(VLM_GETCODE);
  ASSERT_GT(size, 0);
  std::string buffer(static_cast<size_t>(size) + 8, '\x7f');
  GetControl()->lastError = 0;
  EXPECT_EQ(Send(VLM_GETCODE, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer.data())), 0);
  EXPECT_EQ(LastError(), DWORD(VLM_ERR_SERIALIZE));
  EXPECT_EQ(buffer, std::string(static_cast<size_t>(size) + 8, '\x7f'));
  EXPECT_EQ(Send(VLM_GETCODE, 1, reinterpret_cast<LPARAM>(buffer.data())), 0);
  EXPECT_EQ(buffer, std::string(static_cast<size_t>(size) + 8, '\x7f'));
  EXPECT_EQ(Send(VLM_GETCODE, static_cast<WPARAM>(size) + 1, reinterpret_cast<LPARAM>(buffer.data())), 1);
  EXPECT_EQ(strlen(buffer.c_str()), static_cast<size_t>(size));
}

TEST_F(Control, GetCodeCountsBytesOfTheDocumentsCodePage) {
  ASSERT_NE(CreateControl(), nullptr);
  ASSERT_TRUE(
      LoadAndWait("<html><head><meta name=\"Content-Type\" content=\"text/html; charset=utf-8\"></head>"
                  "<body>caf\xC3\xA9</body></html>"));
  const std::string code = Code();
  EXPECT_NE(code.find("  caf\xC3\xA9\n"), std::string::npos);
  EXPECT_EQ(Send(VLM_GETCODE), static_cast<LRESULT>(code.size()));
}

}  // namespace
}  // namespace dt
