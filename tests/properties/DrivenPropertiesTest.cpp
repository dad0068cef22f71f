// Rows bound to elements of a page in a real control: what they read, what they write and when, how
// they validate, and what the sheet's Apply and Cancel leave in the document.
#include <evbus.h>

#include <memory>
#include <string>
#include <vector>

#include "ControlFixture.h"
#include "GridPage.h"
#include "MessagePump.h"
#include "comkit/ComRef.h"
#include "Variants.h"
#include "comkit/ComText.h"
#include "engine/DocumentVersion.h"
#include "properties/DrivenProperties.h"
#include "propgrid/PropertyGrid.h"

namespace dt {
namespace {

const char kPage[] =
    "<html><head><title>Form</title></head><body>"
    "<span id=\"label\" title=\"hello\" style=\"position: absolute; left: 10px; color: red\">Label</span>"
    "<input id=\"box\" type=\"text\" value=\"typed\" style=\"position: absolute; top: 40px\">"
    "<div id=\"plain\" style=\"position: absolute\">x<b>y</b></div></body></html>";

const char kLengthPattern[] = "(auto) | ( [0-9]+ (px)? )";
const char kLengthHelp[] = "A length: auto, or a number of pixels.";

struct EventLog {
  int count = 0;
  int code = 0;
  std::string text;
  int param = -1;
  int flags = -1;
};

void RecordEvent(int code, const char* text, int param, int flags, void* context) {
  auto* log = static_cast<EventLog*>(context);
  ++log->count;
  log->code = code;
  log->text = text ? text : "";
  log->param = param;
  log->flags = flags;
}

std::wstring TextOf(const VARIANT& value) {
  CVariant text;
  if (FAILED(VariantChangeType(&text.get(), const_cast<VARIANT*>(&value), 0, VT_BSTR))) return L"<no text>";
  return V_BSTR(&text.get()) ? V_BSTR(&text.get()) : L"";
}

class DrivenProperties : public Control {
 protected:
  void SetUp() override {
    Control::SetUp();
    ASSERT_NE(CreateControl(10, 10, 400, 300), nullptr);
    ASSERT_TRUE(LoadAndWait(kPage));
    Get_IEvents()->SetHandler(RecordEvent, &events_);
    grid_ = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWVARIABLE, 0, 0, 100, 100,
                            parent_->Hwnd(), nullptr, nullptr, nullptr);
  }
  void TearDown() override {
    Get_IEvents()->SetHandler(nullptr, nullptr);
    DestroyWindow(grid_);
    Control::TearDown();
  }

  ULONGLONG Version() {
    CComRef<IDocumentVersion> versioned;
    ULONGLONG version = 0;
    if (SUCCEEDED(GetControl()->Document()->QueryInterface(__uuidof(IDocumentVersion), versioned.OutVoid())))
      versioned->GetContentVersion(&version);
    return version;
  }
  std::wstring InlineStyle(const wchar_t* id) {
    CComRef<IHTMLStyle> style;
    CBstr text;
    if (FAILED(ElementWithId(id)->get_style(style.Out())) || FAILED(style->get_cssText(text.Out())) || !text.get())
      return L"";
    return text.get();
  }
  std::wstring Attribute(const wchar_t* id, const wchar_t* name) {
    CBstr attribute(name);
    CVariant value;
    if (FAILED(ElementWithId(id)->getAttribute(attribute.get(), 0, &value.get()))) return L"<failed>";
    return TextOf(value.get());
  }
  // Commits text as the grid commits an edit: through an editor window and UpdateFromEditor.
  int Commit(CProperty& row, const wchar_t* text) {
    HWND editor = CreateWindowExW(0, L"EDIT", text, WS_CHILD, 0, 0, 60, 20, grid_, nullptr, nullptr, nullptr);
    const int result = row.UpdateFromEditor(editor);
    DestroyWindow(editor);
    return result;
  }

  EventLog events_;
  HWND grid_ = nullptr;
};

using ElementText = CHTMLSimpleProperty<CHTMLElementPropDriver>;
using DocumentText = CHTMLSimpleProperty<CHTMLDocumentPropDriver>;
using StyleText = CHTMLSimpleProperty<CHTMLElementStylePropDriver>;
using InputValue = CHTMLSimpleProperty<CHTMLValuePropertyDriver>;
using InnerHtml = CHTMLSimpleProperty<CHTMLInnerHTMLPropertyDriver>;
using StyleList = CHTMLListProperty<CHTMLElementStylePropDriver>;

TEST_F(DrivenProperties, EachDriverReadsItsPlaceAndWritesOnlyADifferentValue) {
  const CComRef<IHTMLElement> label = ElementWithId(L"label"), box = ElementWithId(L"box"),
                              plain = ElementWithId(L"plain");
  ElementText title(L"Title", "title", ".*", "", 1, label.get());
  DocumentText documentTitle(L"Page title", "title", ".*", "", 1, label.get());
  StyleText left(L"Left", "left", kLengthPattern, kLengthHelp, 0, label.get());
  InputValue value(L"Value", nullptr, ".*", "", 1, box.get());
  InnerHtml inner(L"HTML", nullptr, ".*", "", 1, plain.get());
  EXPECT_EQ(title.ValueText(), L"hello");
  EXPECT_EQ(documentTitle.ValueText(), L"Form");
  EXPECT_EQ(left.ValueText(), L"10px");
  EXPECT_EQ(value.ValueText(), L"typed");
  EXPECT_EQ(inner.ValueText(), L"x<B>y</B>");

  // Apply with nothing edited writes nothing, and neither does writing what is there already.
  const ULONGLONG before = Version();
  for (CApplyableProperty* row :
       std::initializer_list<CApplyableProperty*>{&title, &documentTitle, &left, &value, &inner})
    EXPECT_EQ(row->Apply(), 1);
  EXPECT_EQ(title.PutValue(title.Value()), 1);
  EXPECT_EQ(inner.PutValue(inner.Value()), 1);
  EXPECT_EQ(Version(), before);
  // The version does see a write of the value already there: the rows above wrote nothing.
  CBstr same(L"hello");
  ASSERT_HRESULT_SUCCEEDED(label->put_title(same.get()));
  EXPECT_NE(Version(), before);

  ASSERT_EQ(Commit(title, L"greeting"), 1);
  ASSERT_EQ(Commit(documentTitle, L"Order form"), 1);
  ASSERT_EQ(Commit(left, L"25px"), 1);
  ASSERT_EQ(Commit(value, L"new text"), 1);
  ASSERT_EQ(Commit(inner, L"<i>z</i>"), 1);
  for (CApplyableProperty* row :
       std::initializer_list<CApplyableProperty*>{&title, &documentTitle, &left, &value, &inner})
    EXPECT_EQ(row->Apply(), 1);
  EXPECT_NE(Version(), before);
  EXPECT_EQ(Attribute(L"label", L"title"), L"greeting");
  EXPECT_NE(InlineStyle(L"label").find(L"left: 25px"), std::wstring::npos) << InlineStyle(L"label");
  CComRef<IHTMLInputElement> input;
  ASSERT_HRESULT_SUCCEEDED(box->QueryInterface(IID_IHTMLInputElement, input.OutVoid()));
  CBstr typed;
  input->get_value(typed.Out());
  EXPECT_STREQ(typed.get(), L"new text");
  CBstr html;
  plain->get_innerHTML(html.Out());
  EXPECT_STREQ(html.get(), L"<I>z</I>");
  // A second Apply has nothing new to write.
  const ULONGLONG applied = Version();
  EXPECT_EQ(left.Apply(), 1);
  EXPECT_EQ(Version(), applied);
}

TEST_F(DrivenProperties, RefusedInputKeepsTheValueReportsTheHelpTextAndFocusesTheGrid) {
  StyleText left(L"Left", "left", kLengthPattern, kLengthHelp, 0, ElementWithId(L"label").get());
  left.SetOwner(grid_);
  SetFocus(parent_->Hwnd());
  EXPECT_EQ(Commit(left, L"ten pixels"), 0);
  EXPECT_EQ(left.ValueText(), L"10px");
  EXPECT_EQ(events_.count, 1);
  EXPECT_EQ(events_.code, 12);
  EXPECT_EQ(events_.text, kLengthHelp);
  EXPECT_EQ(events_.param, 0);
  EXPECT_EQ(events_.flags, 7);
  EXPECT_EQ(GetFocus(), grid_);
  // Committing the text the row shows changes nothing and checks nothing.
  EXPECT_EQ(Commit(left, L"10px"), 1);
  EXPECT_EQ(events_.count, 1);
  // An accepted length is stored without the blanks around it; a free text keeps them.
  EXPECT_EQ(Commit(left, L"  30px "), 1);
  EXPECT_EQ(left.ValueText(), L"30px");
  ElementText title(L"Title", "title", ".*", "", 1, ElementWithId(L"label").get());
  EXPECT_EQ(Commit(title, L"  spaced  "), 1);
  EXPECT_EQ(title.ValueText(), L"  spaced  ");
  // Empty text: accepted where the row allows it, refused where its pattern does not match it.
  EXPECT_EQ(Commit(title, L""), 1);
  EXPECT_EQ(Commit(left, L"   "), 0);
}

TEST_F(DrivenProperties, AValueThatCannotBeReadIsShownAndNeverWritten) {
  ElementText missing(L"Missing", "noSuchProperty", ".*", "", 1, ElementWithId(L"label").get());
  EXPECT_EQ(missing.ValueText(), L"Can't get property");
  EXPECT_EQ(TextOf(missing.InitialValue()), L"Can't get property");
  const ULONGLONG before = Version();
  EXPECT_EQ(missing.Apply(), 1);
  EXPECT_EQ(missing.Restore(), 1);
  EXPECT_EQ(Version(), before);
}

TEST_F(DrivenProperties, CancelPutsBackOnlyWhatTheSheetWroteAndAStyleAsItWasInline) {
  const CComRef<IHTMLElement> label = ElementWithId(L"label");
  StyleText left(L"Left", "left", kLengthPattern, kLengthHelp, 0, label.get());
  StyleText top(L"Top", "top", kLengthPattern, kLengthHelp, 0, label.get());
  ElementText title(L"Title", "title", ".*", "", 1, label.get());
  const std::wstring inlineBefore = InlineStyle(L"label");
  EXPECT_EQ(inlineBefore.find(L"top"), std::wstring::npos);
  // Restore with nothing written writes nothing.
  const ULONGLONG before = Version();
  EXPECT_EQ(left.Restore(), 1);
  EXPECT_EQ(top.Restore(), 1);
  EXPECT_EQ(title.Restore(), 1);
  EXPECT_EQ(Version(), before);

  ASSERT_EQ(Commit(left, L"50px"), 1);
  ASSERT_EQ(Commit(top, L"60px"), 1);
  EXPECT_EQ(left.Apply(), 1);
  EXPECT_EQ(top.Apply(), 1);
  EXPECT_NE(InlineStyle(L"label").find(L"top: 60px"), std::wstring::npos);
  EXPECT_EQ(left.Restore(), 1);
  EXPECT_EQ(top.Restore(), 1);
  // The declaration that was there is back; the one that was not is gone (not the computed value).
  EXPECT_NE(InlineStyle(L"label").find(L"left: 10px"), std::wstring::npos) << InlineStyle(L"label");
  EXPECT_EQ(InlineStyle(L"label").find(L"top"), std::wstring::npos) << InlineStyle(L"label");
  const ULONGLONG restored = Version();
  EXPECT_EQ(left.Restore(), 1);  // once put back, there is nothing more to restore
  EXPECT_EQ(Version(), restored);
}

TEST_F(DrivenProperties, AStyleValueTheElementAlreadyShowsIsNotWrittenInline) {
  StyleText colour(L"Colour", "color", ".*", "", 1, ElementWithId(L"plain").get());
  const std::wstring shown = colour.ValueText();
  const ULONGLONG before = Version();
  CVariant same;
  same.get() = vt::TextValue(shown.c_str());
  EXPECT_EQ(colour.PutValue(same.get()), 1);
  EXPECT_EQ(Version(), before);
  EXPECT_EQ(InlineStyle(L"plain").find(L"color"), std::wstring::npos);
}

TEST_F(DrivenProperties, AListRowWithAForeignTextWritesNothingUntilATextIsChosen) {
  static const wchar_t* const kAlign[] = {L"left", L"center", L"right", nullptr};
  StyleList align(L"Align", "textAlign", kAlign, ElementWithId(L"plain").get());
  CComRef<IHTMLStyle> style;
  ASSERT_HRESULT_SUCCEEDED(ElementWithId(L"label")->get_style(style.Out()));
  CBstr justify(L"justify");
  ASSERT_HRESULT_SUCCEEDED(style->put_textAlign(justify.get()));
  StyleList labelAlign(L"Align", "textAlign", kAlign, ElementWithId(L"label").get());
  EXPECT_TRUE(labelAlign.HasForeignText());
  EXPECT_EQ(labelAlign.ValueText(), L"justify");
  const ULONGLONG before = Version();
  EXPECT_EQ(labelAlign.Apply(), 1);
  EXPECT_EQ(align.Apply(), 1);
  EXPECT_EQ(Version(), before);
  CVariant right;
  right.get() = vt::TextValue(L"right");
  ASSERT_EQ(labelAlign.SetValue(right.get()), 1);
  EXPECT_EQ(labelAlign.Apply(), 1);
  EXPECT_NE(InlineStyle(L"label").find(L"text-align: right"), std::wstring::npos) << InlineStyle(L"label");
}

TEST_F(DrivenProperties, ALockedSheetsRowsTakeNoValueAndWriteNothing) {
  ElementText title(L"Title", "title", ".*", "", 1, ElementWithId(L"label").get());
  ASSERT_EQ(Commit(title, L"changed"), 1);
  title.SetEnabled(false);
  EXPECT_EQ(Commit(title, L"again"), 0);
  const ULONGLONG before = Version();
  EXPECT_EQ(title.Apply(), 1);
  EXPECT_EQ(title.Restore(), 1);
  EXPECT_EQ(Version(), before);
  EXPECT_EQ(Attribute(L"label", L"title"), L"hello");
}

// Driven rows in the grid: an edit refused by its pattern keeps the row's value, tells the host and puts
// the focus back on the grid, and the page hears of no change; an accepted one changes the row and the
// page, and Apply then writes it.
TEST_F(DrivenProperties, EditsThroughTheGridAreValidatedAndAppliedOnlyWhenAccepted) {
  gt::GridPage gridPage(parent_->Hwnd(), RECT{0, 0, 320, 260});
  HWND page = gridPage.Hwnd();
  HWND list = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | LBS_NOTIFY | LBS_OWNERDRAWVARIABLE, 5, 5, 300,
                              240, page, reinterpret_cast<HMENU>(1000), nullptr, nullptr);
  CPropertyGrid grid;
  ASSERT_TRUE(grid.SubclassGrid(list));
  auto* left = static_cast<StyleText*>(grid.AddItem(
      std::make_unique<StyleText>(L"Left", "left", kLengthPattern, kLengthHelp, 0, ElementWithId(L"label").get())));
  SendMessageW(list, LB_SETCURSEL, 0, 0);
  SetFocus(list);

  auto edit = [&](const wchar_t* text) {
    SendMessageW(list, WM_KEYDOWN, VK_RETURN, 0);
    HWND editor = grid.Editor();
    if (!editor) return false;
    SetWindowTextW(editor, text);
    SendMessageW(editor, WM_KEYDOWN, VK_RETURN, 0);
    vt::PumpPending();
    return grid.Editor() == nullptr;
  };
  ASSERT_TRUE(edit(L"wide"));
  EXPECT_EQ(left->ValueText(), L"10px");
  EXPECT_EQ(events_.count, 1);
  EXPECT_EQ(events_.text, kLengthHelp);
  EXPECT_EQ(GetFocus(), list);
  EXPECT_TRUE(gridPage.Notices().empty());

  ASSERT_TRUE(edit(L" 42px "));
  EXPECT_EQ(left->ValueText(), L"42px");
  EXPECT_EQ(gridPage.Notices(), std::vector<int>{PGN_VALUECHANGED});
  EXPECT_EQ(left->Apply(), 1);
  EXPECT_NE(InlineStyle(L"label").find(L"left: 42px"), std::wstring::npos) << InlineStyle(L"label");
  DestroyWindow(page);  // the grid's window goes before the grid object does
}

TEST_F(DrivenProperties, RowsReleaseEveryEngineObjectTheyHold) {
  {
    const CComRef<IHTMLElement> label = ElementWithId(L"label");
    StyleText left(L"Left", "left", kLengthPattern, kLengthHelp, 0, label.get());
    DocumentText documentTitle(L"Page title", "title", ".*", "", 1, label.get());
    InputValue value(L"Value", nullptr, ".*", "", 1, ElementWithId(L"box").get());
  }
  DestroyWindow(grid_);
  grid_ = nullptr;
  DestroyControl();
  EXPECT_EQ(pt::EngineLiveObjects(), 0);
}

}  // namespace
}  // namespace dt
