// The catalogue: which rows each kind of element gets, in which order, and how kinds are told apart.
#include <memory>
#include <string>
#include <vector>

#include "ControlFixture.h"
#include "GridPage.h"
#include "properties/PropertyCatalogue.h"
#include "propgrid/PropertyGrid.h"

namespace dt {
namespace {

const char kEveryKind[] =
    "<html><head><title>Form</title></head><body style=\"width: 300px\">"
    "<span id=\"label\">Label</span>"
    "<input id=\"text\" type=\"text\"><INPUT id=\"shouting\" TYPE=\"CheckBox\">"
    "<input id=\"button\" type=\"button\" value=\"Go\"><input id=\"radio\" type=\"radio\" name=\"g\">"
    "<input id=\"file\" type=\"file\"><input id=\"password\" type=\"password\"><input id=\"hidden\" type=\"hidden\">"
    "<input id=\"submit\" type=\"submit\"><input id=\"bare\">"
    "<textarea id=\"area\">t</textarea><fieldset id=\"frame\"><legend>L</legend></fieldset>"
    "<img id=\"image\" src=\"a.png\"><select id=\"list\" size=\"3\"><option>a</option></select>"
    "<select id=\"choice\"></select><object id=\"object\"></object><div id=\"div\">d</div></body></html>";

class Catalogue : public Control {
 protected:
  void SetUp() override {
    Control::SetUp();
    ASSERT_NE(CreateControl(10, 10, 400, 300), nullptr);
    ASSERT_TRUE(LoadAndWait(kEveryKind));
    page_ = std::make_unique<gt::GridPage>(parent_->Hwnd(), RECT{0, 0, 300, 400});
    list_ = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | LBS_OWNERDRAWVARIABLE | LBS_NOINTEGRALHEIGHT, 0, 0, 300, 400,
                            page_->Hwnd(), reinterpret_cast<HMENU>(1000), nullptr, nullptr);
    grid_ = std::make_unique<CPropertyGrid>();
    ASSERT_TRUE(grid_->SubclassGrid(list_));
  }
  void TearDown() override {
    DestroyWindow(list_);
    grid_.reset();
    page_.reset();
    Control::TearDown();
  }

  CComRef<IHTMLElement> Body() {
    CComRef<IHTMLElement> body;
    GetControl()->Document()->get_body(body.Out());
    return body;
  }
  std::vector<std::wstring> Rows(IHTMLElement* element, bool locked = false) {
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    BuildPropertyCatalogue(*grid_, element, locked);
    std::vector<std::wstring> names;
    for (int i = 0; i < grid_->GetCount(); ++i) names.push_back(grid_->GetItem(i)->Name());
    return names;
  }
  // A value row of that name (the Text category shares its name with the Text row).
  bool HasRow(const wchar_t* id, const wchar_t* name) {
    Rows(ElementWithId(id).get());
    for (int i = 0; i < grid_->GetCount(); ++i)
      if (grid_->GetItem(i)->Name() == name && grid_->GetItem(i)->GetKind() != PROP_KIND_CATEGORY) return true;
    return false;
  }

  std::unique_ptr<gt::GridPage> page_;
  HWND list_ = nullptr;
  std::unique_ptr<CPropertyGrid> grid_;
};

TEST_F(Catalogue, KindsComeFromTheTagAndAnInputsTypeWhateverTheirCase) {
  struct Case {
    const wchar_t* id;
    DWORD kind;
  };
  const Case cases[] = {{L"label", VLM_KIND_LABEL},    {L"text", VLM_KIND_TEXTBOX},  {L"shouting", VLM_KIND_CHECKBOX},
                        {L"button", VLM_KIND_BUTTON},  {L"radio", VLM_KIND_RADIO},   {L"file", VLM_KIND_FILE},
                        {L"password", VLM_KIND_OTHER}, {L"hidden", VLM_KIND_OTHER},  {L"submit", VLM_KIND_OTHER},
                        {L"bare", VLM_KIND_TEXTBOX},   {L"area", VLM_KIND_TEXTAREA}, {L"frame", VLM_KIND_FRAME},
                        {L"image", VLM_KIND_IMAGE},    {L"list", VLM_KIND_LIST},     {L"choice", VLM_KIND_LIST},
                        {L"object", VLM_KIND_OBJECT},  {L"div", VLM_KIND_OTHER}};
  for (const Case& c : cases) EXPECT_EQ(GetElementType(ElementWithId(c.id).get()), c.kind) << c.id;
  EXPECT_EQ(GetElementType(Body().get()), static_cast<DWORD>(VLM_KIND_BODY));
  EXPECT_EQ(GetElementType(nullptr), 0u);
}

TEST_F(Catalogue, ATextBoxAndTheBodyGetTheirRowsInOrder) {
  const std::vector<std::wstring> textBox = {
      L"Appearance", L"ForeColor", L"BackColor", L"Border color", L"Border style", L"Border width", L"Margin",
      L"Padding",    L"Position",  L"Top",       L"Left",         L"Width",        L"Height",       L"Overflow-X",
      L"Overflow-Y", L"Z-Index",   L"Font",      L"Font face",    L"Size",         L"Style",        L"Variant",
      L"Weight",     L"Text",      L"Align",     L"Decoration",   L"Transform",    L"Misc",         L"ID",
      L"ToolTip",    L"Text",      L"Readonly",  L"Disabled",     L"Cursor"};
  EXPECT_EQ(Rows(ElementWithId(L"text").get()), textBox);
  const std::vector<std::wstring> body = {
      L"Appearance", L"ForeColor", L"BackColor", L"Border color", L"Border style", L"Border width", L"Margin",
      L"Padding",    L"Position",  L"Width",     L"Height",       L"Overflow-X",   L"Overflow-Y",   L"Font",
      L"Font face",  L"Size",      L"Style",     L"Variant",      L"Weight",       L"Text",         L"Decoration",
      L"Transform",  L"Misc",      L"Title",     L"ID",           L"ToolTip",      L"Cursor"};
  EXPECT_EQ(Rows(Body().get()), body);
  EXPECT_TRUE(Rows(nullptr).empty());
}

TEST_F(Catalogue, EachKindGetsItsOwnRows) {
  // No Z-Index for lists, choices, objects and the body; every other kind has one.
  for (const wchar_t* id : {L"list", L"choice", L"object"}) EXPECT_FALSE(HasRow(id, L"Z-Index")) << id;
  for (const wchar_t* id : {L"label", L"password", L"image", L"frame", L"div"})
    EXPECT_TRUE(HasRow(id, L"Z-Index")) << id;
  EXPECT_TRUE(HasRow(L"list", L"Items"));
  EXPECT_TRUE(HasRow(L"choice", L"Items"));
  EXPECT_TRUE(HasRow(L"image", L"Source"));
  EXPECT_TRUE(HasRow(L"shouting", L"Checked"));
  EXPECT_TRUE(HasRow(L"radio", L"Group"));
  EXPECT_TRUE(HasRow(L"area", L"Text"));
  EXPECT_TRUE(HasRow(L"frame", L"Text"));
  // An input of another type gets the generic rows only.
  for (const wchar_t* name : {L"Text", L"Readonly", L"Disabled", L"Align"})
    EXPECT_FALSE(HasRow(L"password", name)) << name;
  EXPECT_FALSE(HasRow(L"image", L"Align"));
}

TEST_F(Catalogue, ALockedSheetShowsEveryRowDisabledButItsCategories) {
  Rows(ElementWithId(L"text").get(), true);
  for (int i = 0; i < grid_->GetCount(); ++i) {
    CProperty* row = grid_->GetItem(i);
    EXPECT_EQ(row->IsEnabled(), row->GetKind() == PROP_KIND_CATEGORY)
        << std::string(row->Name().begin(), row->Name().end());
  }
}

TEST_F(Catalogue, TheBodysSizeIsAWholeNumberOfPixelsAndFontSizesAcceptSmaller) {
  Rows(Body().get());
  int widthRow = -1;
  for (int i = 0; i < grid_->GetCount(); ++i)
    if (grid_->GetItem(i)->Name() == L"Width") widthRow = i;
  ASSERT_GE(widthRow, 0);
  CProperty* width = grid_->GetItem(widthRow);
  auto set = [&](CProperty* row, const wchar_t* text) {
    CVariant value;
    V_VT(&value.get()) = VT_BSTR;
    V_BSTR(&value.get()) = SysAllocString(text);
    return row->SetValue(value.get());
  };
  EXPECT_EQ(set(width, L"0"), 0);
  EXPECT_EQ(set(width, L"32768"), 0);
  EXPECT_EQ(set(width, L"12px"), 0);
  EXPECT_EQ(set(width, L"640"), 1);
  EXPECT_EQ(set(width, L"32767"), 1);
  EXPECT_EQ(set(width, L" 1 "), 1);
  EXPECT_EQ(width->ValueText(), L"1");

  Rows(ElementWithId(L"label").get());
  CProperty* size = nullptr;
  for (int i = 0; i < grid_->GetCount(); ++i)
    if (grid_->GetItem(i)->Name() == L"Size") size = grid_->GetItem(i);
  ASSERT_NE(size, nullptr);
  EXPECT_EQ(set(size, L"smaller"), 1);
  EXPECT_EQ(set(size, L"smaler"), 1);
  EXPECT_EQ(set(size, L"14pt"), 1);
  EXPECT_EQ(set(size, L"tiny"), 0);
}

}  // namespace
}  // namespace dt
