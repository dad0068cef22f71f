// The rows that open dialogs, each dialog run for real inside the sheet: a select's options, a text
// area's text, a font face, an image file, colours, and the check and legend rows.
#include <windows.h>

#include <commctrl.h>

#include <fstream>
#include <string>

#include "ControlFixture.h"
#include "SheetSteps.h"
#include "comkit/ComText.h"
#include "properties/ColourNames.h"
#include "properties/PropertyDialogs.h"
#include "propgrid/PropertyRows.h"

namespace dt {
namespace {

using vt::ModalDriver;

const char kPage[] =
    "<html><head><title>Form</title></head><body>"
    "<span id=\"label\" style=\"color: red\">Label</span>"
    "<input id=\"check\" type=\"checkbox\"><input id=\"button\" type=\"button\" value=\"Go\">"
    "<textarea id=\"area\">first line</textarea>"
    "<fieldset id=\"frame\"><legend>Old</legend></fieldset><fieldset id=\"bare\"></fieldset>"
    "<fieldset id=\"empty\"><legend></legend></fieldset>"
    "<img id=\"image\" src=\"file:///C:/pictures/my%20picture.png\">"
    "<select id=\"list\" size=\"3\"><option value=\"1\">One</option><option value=\"\">Two</option></select>"
    "<select id=\"choice\"></select></body></html>";

class CompoundDialogs : public Control {
 protected:
  void SetUp() override {
    Control::SetUp();
    ASSERT_NE(CreateControl(10, 10, 420, 260), nullptr);
    ASSERT_TRUE(LoadAndWait(kPage));
    parent_->Clear();
  }
  int Open(const wchar_t* id, std::vector<ModalDriver::Step> steps) {
    CComRef<IHTMLElement> element = ElementWithId(id);
    ModalDriver driver(std::move(steps));
    const int result = GetControl()->ShowProperties(element.get());
    EXPECT_TRUE(driver.Finished());
    return result;
  }
  std::wstring StyleOf(const wchar_t* id, const wchar_t* property) {
    CComRef<IHTMLStyle> style;
    CBstr name(property);
    CComRef<IDispatch> dispatch;
    if (FAILED(ElementWithId(id)->get_style(style.Out())) ||
        FAILED(style->QueryInterface(IID_IDispatch, dispatch.OutVoid())))
      return L"<none>";
    DISPID dispid = 0;
    LPOLESTR names[] = {name.get()};
    if (FAILED(dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &dispid))) return L"<none>";
    DISPPARAMS none = {};
    CVariant value;
    if (FAILED(dispatch->Invoke(dispid, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &value.get(), nullptr, nullptr)))
      return L"<none>";
    return value.Type() == VT_BSTR && V_BSTR(&value.get()) ? V_BSTR(&value.get()) : L"";
  }
  std::wstring Text(const wchar_t* id, bool inner = true) {
    CBstr text;
    if (inner) ElementWithId(id)->get_innerText(text.Out());
    return text.get() ? text.get() : L"";
  }
  // The line of the saved page that holds text.
  std::string LineWith(const char* text) {
    const std::string code = Code();
    const size_t at = code.find(text);
    if (at == std::string::npos) return "<none>";
    const size_t start = code.rfind('\n', at) + 1;
    return code.substr(start, code.find('\n', at) - start);
  }
  std::vector<std::wstring> Lines(HWND list) {
    std::vector<std::wstring> lines;
    for (int i = 0, n = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0)); i < n; ++i) {
      wchar_t line[256] = {};
      SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(line));
      lines.push_back(line);
    }
    return lines;
  }
};

// Selects a line of the options list as a click does.
void SelectLine(HWND dialog, int line) {
  const HWND list = GetDlgItem(dialog, 1006);
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(1006, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

TEST_F(CompoundDialogs, TheOptionsDialogEditsTheListAndOnlyAChangedListIsWritten) {
  std::vector<std::wstring> shown, afterEdits;
  std::wstring nameBox, valueBox;
  EXPECT_EQ(Open(L"list", {pt::OpenRowDialog(L"Items"), vt::Do([&](HWND dialog) {
                             const HWND list = GetDlgItem(dialog, 1006);
                             shown = Lines(list);
                             EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), LB_ERR);  // nothing selected at first
                             SelectLine(dialog, 0);
                             nameBox = vt::ItemText(dialog, 1007);
                             valueBox = vt::ItemText(dialog, 1008);
                             SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(1010, BN_CLICKED), 0);  // New option
                             SelectLine(dialog, 1);
                             SetDlgItemTextW(dialog, 1007, L"Zwei");
                             SetDlgItemTextW(dialog, 1008, L"");
                             SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(1011, BN_CLICKED), 0);  // Update
                             SelectLine(dialog, 0);
                             SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(1012, BN_CLICKED), 0);  // Remove
                             afterEdits = Lines(list);
                           }),
                           vt::ClickButton(IDOK), pt::PressSheetButton(PSBTN_OK)}),
            1);
  EXPECT_EQ(shown, (std::vector<std::wstring>{L"One = 1", L"Two"}));
  EXPECT_EQ(nameBox, L"One");
  EXPECT_EQ(valueBox, L"1");
  EXPECT_EQ(afterEdits, (std::vector<std::wstring>{L"Zwei", L"New option = value"}));
  const std::string code = Code();
  const size_t zwei = code.find("Zwei"), added = code.find("<OPTION value=\"value\">\n    New option");
  EXPECT_NE(zwei, std::string::npos) << code;
  EXPECT_NE(added, std::string::npos) << code;
  EXPECT_LT(zwei, added);
  EXPECT_EQ(code.find("One"), std::string::npos) << code;
  EXPECT_EQ(parent_->Count(VLMN_CHANGED), 1);

  // The Delete key removes the selected line; Cancel puts the list back, and an unchanged list is not
  // rebuilt.
  const std::string before = Code();
  std::vector<std::wstring> afterDelete;
  EXPECT_EQ(Open(L"list", {pt::OpenRowDialog(L"Items"), vt::Do([&](HWND dialog) {
                             const HWND list = GetDlgItem(dialog, 1006);
                             SelectLine(dialog, 0);
                             SendMessageW(list, WM_KEYDOWN, VK_DELETE, 0);
                             afterDelete = Lines(list);
                           }),
                           vt::ClickButton(IDCANCEL), pt::PressSheetButton(PSBTN_OK)}),
            1);
  EXPECT_EQ(afterDelete, (std::vector<std::wstring>{L"New option = value"}));
  EXPECT_EQ(Code(), before);
  EXPECT_EQ(parent_->Count(VLMN_CHANGED), 1);
}

TEST_F(CompoundDialogs, OkInTheOptionsDialogWithoutChangesRebuildsNothing) {
  ASSERT_TRUE(
      LoadAndWait("<html><body><select id=\"list\"><option value=\"1\" class=\"x\">One</option>"
                  "<option selected>Two</option></select></body></html>"));
  const std::string before = Code();
  EXPECT_EQ(Open(L"list", {pt::OpenRowDialog(L"Items"), vt::ClickButton(IDOK), pt::PressSheetButton(PSBTN_OK)}), 1);
  EXPECT_EQ(Code(), before);
}

TEST_F(CompoundDialogs, AnEmptySelectShowsClickAndOkKeepsItEmpty) {
  std::wstring shown;
  std::vector<std::wstring> lines{L"sentinel"};
  const std::string before = Code();
  Open(L"choice", {vt::Do([&](HWND sheet) { shown = pt::RowNamed(pt::GridOf(sheet), L"Items")->ValueText(); }),
                   pt::OpenRowDialog(L"Items"), vt::Do([&](HWND dialog) { lines = Lines(GetDlgItem(dialog, 1006)); }),
                   vt::ClickButton(IDOK), pt::PressSheetButton(PSBTN_OK)});
  EXPECT_EQ(shown, L"Click ->");
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(Code(), before);
}

TEST_F(CompoundDialogs, ATextAreasTextKeepsEveryCharacterAndItsLength) {
  std::wstring text = L"\x041F\x0440\x0438\x0432\x0435\x0442 \x4F60\x597D: ";
  text.append(40000, L'x');
  std::wstring started;
  EXPECT_EQ(Open(L"area", {pt::OpenRowDialog(L"Text"), vt::Do([&](HWND dialog) {
                             started = vt::ItemText(dialog, 1013);
                             SetDlgItemTextW(dialog, 1013, text.c_str());
                           }),
                           vt::ClickButton(IDOK), pt::PressSheetButton(PSBTN_OK)}),
            1);
  EXPECT_EQ(started, L"first line");
  CComRef<IHTMLTextAreaElement> area;
  ASSERT_HRESULT_SUCCEEDED(ElementWithId(L"area")->QueryInterface(IID_IHTMLTextAreaElement, area.OutVoid()));
  CBstr value;
  area->get_value(value.Out());
  EXPECT_EQ(std::wstring(value.get() ? value.get() : L""), text);
}

TEST_F(CompoundDialogs, AFontFaceIsChosenInTheFontDialog) {
  std::wstring shownFace;
  EXPECT_EQ(Open(L"label", {pt::SetRowText(L"Font face", L"'Liberation Mono', monospace"),
                            pt::OpenRowDialog(L"Font face"), vt::Do([&](HWND dialog) {
                              const HWND faces = GetDlgItem(dialog, 1136);
                              shownFace = vt::ItemText(dialog, 1136);
                              SendMessageW(faces, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                           reinterpret_cast<LPARAM>(L"Liberation Serif"));
                              SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(1136, CBN_SELCHANGE),
                                           reinterpret_cast<LPARAM>(faces));
                            }),
                            vt::ClickButton(IDOK), pt::PressSheetButton(PSBTN_OK)}),
            1);
  EXPECT_EQ(shownFace, L"Liberation Mono");
  EXPECT_EQ(StyleOf(L"label", L"fontFamily"), L"Liberation Serif");
  EXPECT_EQ(FirstFace(L"\"Times New Roman\", serif"), L"Times New Roman");
  EXPECT_EQ(FirstFace(std::wstring(40, L'a') + L", serif"), L"");
}

TEST_F(CompoundDialogs, AnImageShowsItsFileNameAndAChosenFileIsWrittenAsItsPath) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + L"vellum chosen.png";
  { std::ofstream(path.c_str()) << "not really a picture"; }
  std::wstring shown, chosenShown;
  EXPECT_EQ(Open(L"image",
                 {vt::Do([&](HWND sheet) { shown = pt::RowNamed(pt::GridOf(sheet), L"Source")->ValueText(); }),
                  pt::OpenRowDialog(L"Source"), vt::Do([&](HWND dialog) {
                    SetDlgItemTextW(dialog, 1148, path.c_str());  // the file name box
                    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
                  }),
                  vt::Do([&](HWND sheet) { chosenShown = pt::RowNamed(pt::GridOf(sheet), L"Source")->ValueText(); }),
                  pt::PressSheetButton(PSBTN_OK)}),
            1);
  DeleteFileW(path.c_str());
  EXPECT_EQ(shown, L"my picture.png");
  EXPECT_EQ(chosenShown, L"vellum chosen.png");
  CBstr src(L"src");
  CVariant value;
  ElementWithId(L"image")->getAttribute(src.get(), 2, &value.get());
  ASSERT_EQ(value.Type(), VT_BSTR);
  EXPECT_NE(std::wstring(V_BSTR(&value.get())).find(L"vellum chosen.png"), std::wstring::npos) << V_BSTR(&value.get());
}

TEST_F(CompoundDialogs, ColoursAreNamedFromTheListOrMadeInTheColourDialog) {
  std::wstring dialogClass;
  EXPECT_EQ(Open(L"label", {pt::SetRowText(L"ForeColor", L"buttonface"), pt::SetRowText(L"BackColor", L"<<custom>>"),
                            vt::Do([&](HWND dialog) {
                              dialogClass = vt::ClassOf(dialog);
                              SetDlgItemTextW(dialog, 706, L"18");   // red
                              SetDlgItemTextW(dialog, 707, L"171");  // green
                              SetDlgItemTextW(dialog, 708, L"205");  // blue
                            }),
                            vt::ClickButton(IDOK), pt::PressSheetButton(PSBTN_OK)}),
            1);
  EXPECT_EQ(StyleOf(L"label", L"color"), L"buttonface");
  EXPECT_EQ(StyleOf(L"label", L"backgroundColor"), L"#12ABCD");
  // Cancel in the colour dialog changes nothing.
  const std::string before = Code();
  Open(L"label",
       {pt::SetRowText(L"Border color", L"<<custom>>"), vt::ClickButton(IDCANCEL), pt::PressSheetButton(PSBTN_OK)});
  EXPECT_EQ(Code(), before);
}

TEST_F(CompoundDialogs, SteppingThroughTheColoursShowsTheirNamesAndCustomWaitsForTheEditorToGo) {
  std::wstring stepped;
  bool editorGone = false;
  std::wstring dialogClass;
  EXPECT_EQ(Open(L"label", {vt::Do([&](HWND sheet) {
                              const HWND grid = pt::GridOf(sheet);
                              CProperty* colour = pt::RowNamed(grid, L"ForeColor");
                              colour->OnAction(PROP_ACTION_ACTIVATE, 0);  // as a double-click does
                              stepped = colour->ValueText();
                              // "<<custom>>" chosen in the row's drop-down list: the dialog comes once the list is
                              // gone.
                              int index = -1;
                              pt::RowNamed(grid, L"ForeColor", &index);
                              SendMessageW(grid, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
                              SendMessageW(grid, WM_KEYDOWN, VK_F4, 0);
                              const HWND editor = GetWindow(grid, GW_CHILD);
                              ASSERT_NE(editor, nullptr);
                              SetWindowTextW(editor, L"<<custom>>");
                              SendMessageW(grid, WM_PROP_UPDATE, 0, reinterpret_cast<LPARAM>(editor));
                            }),
                            vt::Do([&](HWND dialog) {
                              dialogClass = vt::ClassOf(dialog);
                              editorGone = GetWindow(pt::GridOf(GetWindow(dialog, GW_OWNER)), GW_CHILD) == nullptr;
                            }),
                            vt::ClickButton(IDCANCEL), pt::PressSheetButton(PSBTN_OK)}),
            1);
  EXPECT_EQ(stepped, L"activeborder");
  EXPECT_TRUE(editorGone);
  EXPECT_EQ(StyleOf(L"label", L"color"), L"activeborder");
}

TEST_F(CompoundDialogs, ColourTextsStartTheDialogAtTheirColour) {
  COLORREF colour = 1;
  EXPECT_TRUE(colour_names::ColourOfText(L"#12abCD", colour));
  EXPECT_EQ(colour, RGB(0x12, 0xAB, 0xCD));
  EXPECT_TRUE(colour_names::ColourOfText(L"#fa0", colour));
  EXPECT_EQ(colour, RGB(0xFF, 0xAA, 0x00));
  EXPECT_TRUE(colour_names::ColourOfText(L"buttonface", colour));
  EXPECT_EQ(colour, GetSysColor(COLOR_BTNFACE));
  for (const wchar_t* text : {L"red", L"", L"#12345", L"#GGGGGG", L"ButtonFace"})
    EXPECT_FALSE(colour_names::ColourOfText(text, colour)) << text;
  EXPECT_EQ(colour_names::TextOfColour(RGB(0x0a, 0xb0, 0xff)), L"#0AB0FF");
}

TEST_F(CompoundDialogs, CheckRowsWriteBooleans) {
  auto toggle = [](const wchar_t* name) {
    return vt::Do([name](HWND sheet) {
      const HWND grid = pt::GridOf(sheet);
      pt::RowNamed(grid, name)->OnAction(PROP_ACTION_TOGGLE_CHECK, 0);
    });
  };
  EXPECT_EQ(Open(L"check", {toggle(L"Checked"), pt::PressSheetButton(PSBTN_OK)}), 1);
  EXPECT_NE(LineWith("id=\"check\"").find("checked"), std::string::npos) << LineWith("id=\"check\"");
  EXPECT_EQ(Open(L"button", {toggle(L"Disabled"), pt::PressSheetButton(PSBTN_OK)}), 1);
  CComRef<IHTMLInputElement> button;
  ElementWithId(L"button")->QueryInterface(IID_IHTMLInputElement, button.OutVoid());
  VARIANT_BOOL disabled = VARIANT_FALSE;
  button->get_disabled(&disabled);
  EXPECT_EQ(disabled, VARIANT_TRUE);
  EXPECT_EQ(Open(L"button", {toggle(L"Disabled"), pt::PressSheetButton(PSBTN_OK)}), 1);
  button->get_disabled(&disabled);
  EXPECT_EQ(disabled, VARIANT_FALSE);
  EXPECT_EQ(parent_->Count(VLMN_CHANGED), 3);
}

TEST_F(CompoundDialogs, ALegendIsEditedAndOneTheRowInsertedIsTakenBackOnCancel) {
  EXPECT_EQ(Open(L"frame", {pt::SetRowText(L"Text", L"New title"), pt::PressSheetButton(PSBTN_OK)}), 1);
  EXPECT_EQ(Text(L"frame"), L"New title");
  const std::string before = Code();
  EXPECT_EQ(
      Open(L"bare", {pt::SetRowText(L"Text", L"Made"), pt::PressSheetButton(PSBTN_APPLYNOW),
                     vt::Do([&](HWND) { EXPECT_EQ(Text(L"bare"), L"Made"); }), pt::PressSheetButton(PSBTN_CANCEL)}),
      0);
  EXPECT_EQ(Code(), before);
  // A legend that was there stays, even when its text was empty and the sheet wrote one.
  EXPECT_EQ(Open(L"empty", {pt::SetRowText(L"Text", L"Filled"), pt::PressSheetButton(PSBTN_APPLYNOW),
                            pt::PressSheetButton(PSBTN_CANCEL)}),
            0);
  EXPECT_EQ(Code(), before);
}

}  // namespace
}  // namespace dt
