// The element property sheet opened on a real control, driven from inside its modal loop: what OK, Apply
// and Cancel leave in the page, the history and the host's notifications, and the locked form.
#include <windows.h>

#include <commctrl.h>

#include <string>

#include "ControlFixture.h"
#include "ImageCompare.h"
#include "SheetSteps.h"
#include "WindowCapture.h"
#include "comkit/ComText.h"
#include "propgrid/PropertyRows.h"

namespace dt {
namespace {

using vt::ModalDriver;

const char kEveryKind[] =
    "<html><head><title>Form</title></head><body width=\"420\" height=\"260\">"
    "<span id=\"label\" style=\"position: absolute; left: 10px; top: 10px; border-left: 2px solid red\">Label</span>"
    "<input id=\"text\" type=\"text\" value=\"typed\" style=\"position: absolute; left: 10px; top: 40px\">"
    "<input id=\"check\" type=\"checkbox\" checked><input id=\"button\" type=\"button\" value=\"Go\">"
    "<input id=\"radio\" type=\"radio\" name=\"group\"><input id=\"file\" type=\"file\">"
    "<textarea id=\"area\">first line</textarea>"
    "<fieldset id=\"frame\"><legend>The <b>legend</b></legend></fieldset>"
    "<fieldset id=\"empty\"><legend></legend></fieldset><fieldset id=\"bare\"></fieldset>"
    "<img id=\"image\" src=\"file:///C:/pictures/my%20picture.png\">"
    "<select id=\"list\" size=\"3\"><option value=\"1\" selected class=\"first\">One</option>"
    "<option value=\"2\" label=\"two\">Two</option></select>"
    "<select id=\"choice\"></select><object id=\"object\"></object><div id=\"div\">d</div></body></html>";

class ElementSheet : public Control {
 protected:
  void SetUp() override {
    Control::SetUp();
    ASSERT_NE(CreateControl(10, 10, 420, 260), nullptr);
    ASSERT_TRUE(LoadAndWait(kEveryKind));
    parent_->Clear();
  }

  // Opens the sheet on the element (the body for null) and runs the steps inside it; the sheet's result.
  int Open(const wchar_t* id, std::vector<ModalDriver::Step> steps, bool* finished = nullptr) {
    CComRef<IHTMLElement> element;
    if (id) element = ElementWithId(id);
    ModalDriver driver(std::move(steps));
    const int result = id ? GetControl()->ShowProperties(element.get()) : static_cast<int>(Send(VLM_PROPERTIES));
    if (finished) *finished = driver.Finished();
    EXPECT_TRUE(driver.Finished());
    return result;
  }
  std::wstring Attribute(const wchar_t* id, const wchar_t* name) {
    CBstr attribute(name);
    CVariant value, text;
    if (FAILED(ElementWithId(id)->getAttribute(attribute.get(), 0, &value.get())) || value.Type() == VT_NULL)
      return L"<none>";
    if (FAILED(VariantChangeType(&text.get(), &value.get(), 0, VT_BSTR))) return L"<not text>";
    return V_BSTR(&text.get()) ? V_BSTR(&text.get()) : L"";
  }
};

// A step that checks the sheet as it stands and is done.
ModalDriver::Step Check(std::function<void(HWND sheet)> f) { return vt::Do(std::move(f)); }

TEST_F(ElementSheet, OkOrCancelWithoutEditsLeavesEveryKindOfElementAsItWas) {
  const std::string before = Code();
  const LRESULT canUndo = Send(VLM_CANUNDO);
  for (const wchar_t* id :
       {L"label", L"text", L"check", L"button", L"radio", L"file", L"area", L"frame", L"empty", L"bare", L"image",
        L"list", L"choice", L"object", L"div", static_cast<const wchar_t*>(nullptr)}) {
    const std::string name = id ? std::string(id, id + wcslen(id)) : "body";
    EXPECT_EQ(Open(id, {pt::PressSheetButton(PSBTN_OK)}), 1) << name;
    EXPECT_EQ(Code(), before) << name;
    EXPECT_EQ(Open(id, {pt::PressSheetButton(PSBTN_CANCEL)}), 0) << name;
    EXPECT_EQ(Code(), before) << name;
  }
  EXPECT_EQ(parent_->Count(VLMN_CHANGED), 0);
  EXPECT_EQ(Send(VLM_CANUNDO), canUndo);
}

TEST_F(ElementSheet, AnEditThenOkIsOneStepOfTheHistoryAndOneNotice) {
  const std::string before = Code();
  EXPECT_EQ(Open(L"label", {pt::SetRowText(L"ID", L"renamed"), pt::SetRowText(L"ToolTip", L"a tip"),
                            pt::PressSheetButton(PSBTN_OK)}),
            1);
  EXPECT_EQ(parent_->Count(VLMN_CHANGED), 1);
  const std::string after = Code();
  EXPECT_NE(after.find("id=\"renamed\""), std::string::npos) << after;
  EXPECT_NE(after.find("title=\"a tip\""), std::string::npos) << after;
  ASSERT_TRUE(StepAndWait(VLM_UNDO));
  EXPECT_EQ(Code(), before);
  ASSERT_TRUE(StepAndWait(VLM_REDO));
  EXPECT_EQ(Code(), after);
}

TEST_F(ElementSheet, ApplyTellsTheControlAndCancelPutsThePageBack) {
  const std::string before = Code();
  int widthAfterApply = 0;
  EXPECT_EQ(
      Open(nullptr, {pt::SetRowText(L"Width", L"300"), pt::PressSheetButton(PSBTN_APPLYNOW),
                     Check([&](HWND) { widthAfterApply = ClientSize().cx; }), pt::PressSheetButton(PSBTN_CANCEL)}),
      0);
  // The posted command reached the control while the sheet was up: the form took the new width at once.
  EXPECT_EQ(widthAfterApply, 300);
  EXPECT_EQ(Code(), before);
  EXPECT_EQ(ClientSize().cx, 420);
  EXPECT_EQ(parent_->Count(VLMN_CHANGED), 0);
  bool posted = false;
  for (const vt::RecordedMessage& message : parent_->Messages()) posted |= message.msg == WM_COMMAND;
  EXPECT_FALSE(posted) << "the sheet's command goes to the control, not to its parent";
}

TEST_F(ElementSheet, ANewFormSizeThenOkResizesTheFormAndIsOneStep) {
  EXPECT_EQ(Open(nullptr,
                 {pt::SetRowText(L"Width", L"360"), pt::SetRowText(L"Height", L"0"), pt::PressSheetButton(PSBTN_OK)}),
            1);
  EXPECT_EQ(ClientSize().cx, 360);
  EXPECT_EQ(ClientSize().cy, 260);  // 0 is no size: refused
  EXPECT_EQ(parent_->Count(VLMN_CHANGED), 1);
  EXPECT_NE(Code().find("<BODY width=\"360\" height=\"260\">"), std::string::npos);
}

TEST_F(ElementSheet, TheSheetLetsGoOfEveryEngineObjectItTook) {
  const LONG before = pt::EngineLiveObjects();
  Open(L"list", {pt::SetRowText(L"ID", L"kept"), pt::OpenRowDialog(L"Items"), vt::ClickButton(IDCANCEL),
                 pt::PressSheetButton(PSBTN_OK)});
  Open(L"frame", {pt::PressSheetButton(PSBTN_CANCEL)});
  vt::PumpPending();
  EXPECT_EQ(pt::EngineLiveObjects(), before);
}

TEST_F(ElementSheet, ApplyThenOkIsRecordedOnce) {
  EXPECT_EQ(Open(L"text", {pt::SetRowText(L"Text", L"changed"), pt::PressSheetButton(PSBTN_APPLYNOW),
                           pt::PressSheetButton(PSBTN_OK)}),
            1);
  EXPECT_EQ(parent_->Count(VLMN_CHANGED), 1);
  EXPECT_NE(Code().find("value=\"changed\""), std::string::npos);
  ASSERT_TRUE(StepAndWait(VLM_UNDO));
  EXPECT_NE(Code().find("value=\"typed\""), std::string::npos);
}

TEST_F(ElementSheet, ACustomSetIsAnEditAndGetReadsAnyAttribute) {
  std::wstring got;
  EXPECT_EQ(Open(L"label", {Check([](HWND sheet) { SendMessageW(sheet, PSM_SETCURSEL, 1, 0); }), Check([&](HWND sheet) {
                              const HWND page = pt::CurrentPage(sheet);
                              SetDlgItemTextW(page, 1014, L"style");
                              SendMessageW(page, WM_COMMAND, MAKEWPARAM(1017, BN_CLICKED), 0);
                              got = vt::ItemText(page, 1015);
                              SetDlgItemTextW(page, 1015, L"unchanged");
                              SetDlgItemTextW(page, 1014, L"nosuch");
                              SendMessageW(page, WM_COMMAND, MAKEWPARAM(1017, BN_CLICKED), 0);
                              EXPECT_EQ(vt::ItemText(page, 1015), L"unchanged");  // a missing attribute leaves the box
                              SetDlgItemTextW(page, 1014, L"data-note");
                              SetDlgItemTextW(page, 1015, L"noted");
                              SendMessageW(page, WM_COMMAND, MAKEWPARAM(1016, BN_CLICKED), 0);
                            }),
                            pt::PressSheetButton(PSBTN_OK)}),
            1);
  EXPECT_NE(got.find(L"left"), std::wstring::npos) << got;
  EXPECT_EQ(Attribute(L"label", L"data-note"), L"noted");
  EXPECT_EQ(parent_->Count(VLMN_CHANGED), 1);
}

TEST_F(ElementSheet, ALockedSheetShowsEverythingAndWritesNothing) {
  Send(VLM_SETLOCK, 1);
  const std::string before = Code();
  bool allDisabled = true, setDisabled = false;
  int categories = 0;
  EXPECT_EQ(Open(L"text", {Check([&](HWND sheet) {
                             const HWND grid = pt::GridOf(sheet);
                             for (int i = 0, n = static_cast<int>(SendMessageW(grid, LB_GETCOUNT, 0, 0)); i < n; ++i) {
                               auto* row = reinterpret_cast<CProperty*>(SendMessageW(grid, LB_GETITEMDATA, i, 0));
                               if (row->GetKind() == PROP_KIND_CATEGORY) {
                                 ++categories;
                                 continue;
                               }
                               allDisabled &= !row->IsEnabled();
                             }
                             // Categories still fold and unfold.
                             CProperty* appearance = pt::RowNamed(grid, L"Appearance");
                             const int rows = static_cast<int>(SendMessageW(grid, LB_GETCOUNT, 0, 0));
                             SendMessageW(grid, WM_PROP_COLLAPSE, 0, reinterpret_cast<LPARAM>(appearance));
                             EXPECT_EQ(SendMessageW(grid, LB_GETCOUNT, 0, 0), rows - 7);
                             SendMessageW(grid, WM_PROP_EXPAND, 0, reinterpret_cast<LPARAM>(appearance));
                             EXPECT_EQ(SendMessageW(grid, LB_GETCOUNT, 0, 0), rows);
                           }),
                           pt::SetRowText(L"ID", L"locked"), pt::OpenRowDialog(L"ForeColor"),
                           Check([](HWND sheet) { SendMessageW(sheet, PSM_SETCURSEL, 1, 0); }), Check([&](HWND sheet) {
                             setDisabled = !IsWindowEnabled(GetDlgItem(pt::CurrentPage(sheet), 1016));
                           }),
                           pt::PressSheetButton(PSBTN_OK)}),
            1);
  EXPECT_TRUE(allDisabled);
  EXPECT_EQ(categories, 5);
  EXPECT_TRUE(setDisabled);
  EXPECT_EQ(Code(), before);
  EXPECT_EQ(parent_->Count(VLMN_CHANGED), 0);
}

TEST_F(ElementSheet, EditsInAFoldedCategoryAreAppliedAndPutBack) {
  const std::string before = Code();
  auto fold = [](const wchar_t* category) {
    return Check([category](HWND sheet) {
      const HWND grid = pt::GridOf(sheet);
      SendMessageW(grid, WM_PROP_COLLAPSE, 0, reinterpret_cast<LPARAM>(pt::RowNamed(grid, category)));
    });
  };
  EXPECT_EQ(Open(L"label", {pt::SetRowText(L"ID", L"folded"), fold(L"Misc"), pt::PressSheetButton(PSBTN_OK)}), 1);
  EXPECT_NE(Code().find("id=\"folded\""), std::string::npos);
  const std::string applied = Code();
  EXPECT_EQ(Open(L"folded", {pt::SetRowText(L"ID", L"again"), pt::PressSheetButton(PSBTN_APPLYNOW), fold(L"Misc"),
                             pt::PressSheetButton(PSBTN_CANCEL)}),
            0);
  EXPECT_EQ(Code(), applied);
  EXPECT_NE(before, applied);
}

TEST_F(ElementSheet, TheSelectionOrElseTheBodyIsWhatTheMessageOpens) {
  std::vector<std::wstring> rows;
  auto names = Check([&](HWND sheet) { rows = pt::RowNames(pt::GridOf(sheet)); });
  Open(nullptr, {names, pt::PressSheetButton(PSBTN_CANCEL)});
  ASSERT_GT(rows.size(), 9u);
  std::string all;
  for (const std::wstring& row : rows) all += std::string(row.begin(), row.end()) + ",";
  EXPECT_EQ(rows[9], L"Width") << all;  // the body has no Top or Left
  EXPECT_EQ(rows.back(), L"Cursor");
}

TEST_F(ElementSheet, ASheetOnATextBoxLooksAsTheReference) {
  vt::Image picture;
  std::string sheetCaption;
  Open(L"text", {Check([&](HWND sheet) {
                   wchar_t caption[64] = {};
                   GetWindowTextW(sheet, caption, 64);
                   sheetCaption.assign(caption, caption + wcslen(caption));
                   RedrawWindow(sheet, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                   picture = vt::CaptureWindow(sheet);
                 }),
                 pt::PressSheetButton(PSBTN_CANCEL)});
  EXPECT_EQ(sheetCaption, "Element properties");
  ASSERT_GT(picture.width, 0);
  std::wstring path = L"Z:";
  for (const char* c = PROPERTIES_TEST_DIR; *c; ++c) path += static_cast<wchar_t>(*c == '/' ? '\\' : *c);
  const std::string mismatch = vt::CheckAgainstReference(picture, path + L"\\reference\\sheet-text-box.png", 8, 0.002);
  EXPECT_TRUE(mismatch.empty()) << mismatch;
}

}  // namespace
}  // namespace dt
