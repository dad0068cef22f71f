// Form controls and head elements: input state, textarea, select with its options and the option
// factory, meta.
#include <gtest/gtest.h>

#include "EngineTestSupport.h"

namespace {

using namespace et;

class FormControls : public DocumentTest {
 protected:
  template <class Interface>
  Ptr<Interface> Load(const std::wstring& html, const wchar_t* id) {
    EXPECT_TRUE(LoadAndWait(document_, html));
    return ElementById(document_, id).As<Interface>();
  }
  Ptr<IHTMLOptionElement> NewOption(const wchar_t* text, const wchar_t* value) {
    Ptr<IHTMLWindow2> window;
    Ptr<IHTMLOptionElementFactory> factory;
    Ptr<IHTMLOptionElement> option;
    if (SUCCEEDED(document_->get_parentWindow(window.Out())) && SUCCEEDED(window->get_Option(factory.Out())))
      factory->create(Variant::Text(text), Variant::Text(value), Variant::Short(0), Variant::Short(0), option.Out());
    return option;
  }
};

Variant Attribute(IUnknown* element, const wchar_t* name) {
  Variant value;
  QueryAs<IHTMLElement>(element)->getAttribute(Bstr(name), 0, value.Out());
  return value;
}

struct OptionView {
  std::wstring text;
  std::wstring value;
  bool operator==(const OptionView&) const = default;
};
std::ostream& operator<<(std::ostream& out, const OptionView& o) {
  return out << std::string(o.text.begin(), o.text.end()) << "=" << std::string(o.value.begin(), o.value.end());
}

// The options as the property sheet reads them: item(i, i) for each index below length.
std::vector<OptionView> OptionsOf(IHTMLSelectElement* select) {
  std::vector<OptionView> views;
  LONG length = 0;
  select->get_length(&length);
  for (LONG i = 0; i < length; ++i) {
    Ptr<IDispatch> item;
    if (FAILED(select->item(Variant::Long(i), Variant::Long(i), item.Out()))) continue;
    Ptr<IHTMLOptionElement> option = item.As<IHTMLOptionElement>();
    views.push_back(
        {TextOf(option.get(), &IHTMLOptionElement::get_text), TextOf(option.get(), &IHTMLOptionElement::get_value)});
  }
  return views;
}

// --- input -------------------------------------------------------------------------------------------

TEST_F(FormControls, AnInputsValueStartsFromItsAttributeAndChangesWithoutIt) {
  Ptr<IHTMLInputElement> input = Load<IHTMLInputElement>(L"<input id=i type=text value=first>", L"i");
  ASSERT_TRUE(input);
  EXPECT_EQ(TextOf(input.get(), &IHTMLInputElement::get_value), L"first");
  ASSERT_HRESULT_SUCCEEDED(input->put_value(Bstr(L"second")));
  EXPECT_EQ(TextOf(input.get(), &IHTMLInputElement::get_value), L"second");
  EXPECT_EQ(Attribute(input.get(), L"value").Text(), L"first");
  EXPECT_EQ(TextOf(input.get(), &IHTMLInputElement::get_defaultValue), L"first");
}

TEST_F(FormControls, AFileInputReportsItsValueAttribute) {
  Ptr<IHTMLInputElement> input = Load<IHTMLInputElement>(L"<input id=i type=FILE value='C:\\x.txt'>", L"i");
  EXPECT_EQ(TextOf(input.get(), &IHTMLInputElement::get_value), L"C:\\x.txt");
  EXPECT_EQ(TextOf(input.get(), &IHTMLInputElement::get_type), L"file");
}

TEST_F(FormControls, AnInputWithoutKnownTypeIsText) {
  Ptr<IHTMLInputElement> input = Load<IHTMLInputElement>(L"<input id=i type=fancy>", L"i");
  EXPECT_EQ(TextOf(input.get(), &IHTMLInputElement::get_type), L"text");
}

TEST_F(FormControls, CheckedStartsFromTheAttributeAndChangesWithoutIt) {
  Ptr<IHTMLInputElement> box = Load<IHTMLInputElement>(L"<input id=c type=checkbox checked>", L"c");
  VARIANT_BOOL checked = VARIANT_FALSE;
  ASSERT_HRESULT_SUCCEEDED(box->get_checked(&checked));
  EXPECT_EQ(checked, VARIANT_TRUE);
  ASSERT_HRESULT_SUCCEEDED(box->put_checked(VARIANT_FALSE));
  ASSERT_HRESULT_SUCCEEDED(box->get_checked(&checked));
  EXPECT_EQ(checked, VARIANT_FALSE);
  EXPECT_EQ(Attribute(box.get(), L"checked").Type(), VT_BSTR);
}

TEST_F(FormControls, CheckingARadioButtonUnchecksItsGroup) {
  Ptr<IHTMLInputElement> a = Load<IHTMLInputElement>(
      L"<input id=a type=radio name=g checked><input id=b type=radio name=g>"
      L"<input id=c type=radio name=other checked>",
      L"a");
  Ptr<IHTMLInputElement> b = ElementById(document_, L"b").As<IHTMLInputElement>();
  Ptr<IHTMLInputElement> c = ElementById(document_, L"c").As<IHTMLInputElement>();
  ASSERT_HRESULT_SUCCEEDED(b->put_checked(VARIANT_TRUE));
  VARIANT_BOOL checked = VARIANT_TRUE;
  ASSERT_HRESULT_SUCCEEDED(a->get_checked(&checked));
  EXPECT_EQ(checked, VARIANT_FALSE);
  ASSERT_HRESULT_SUCCEEDED(c->get_checked(&checked));
  EXPECT_EQ(checked, VARIANT_TRUE);
}

TEST_F(FormControls, DisabledAndReadOnlyAreAttributes) {
  Ptr<IHTMLInputElement> input = Load<IHTMLInputElement>(L"<input id=i readonly>", L"i");
  VARIANT_BOOL flag = VARIANT_FALSE;
  ASSERT_HRESULT_SUCCEEDED(input->get_readOnly(&flag));
  EXPECT_EQ(flag, VARIANT_TRUE);
  ASSERT_HRESULT_SUCCEEDED(input->put_readOnly(VARIANT_FALSE));
  EXPECT_EQ(Attribute(input.get(), L"readonly").Type(), VT_NULL);
  ASSERT_HRESULT_SUCCEEDED(input->put_disabled(VARIANT_TRUE));
  ASSERT_HRESULT_SUCCEEDED(input->get_disabled(&flag));
  EXPECT_EQ(flag, VARIANT_TRUE);
}

TEST_F(FormControls, TheStateOfAControlOutlivesItsObject) {
  EXPECT_TRUE(LoadAndWait(document_, L"<input id=i value=a>"));
  ElementById(document_, L"i").As<IHTMLInputElement>()->put_value(Bstr(L"typed"));
  EXPECT_EQ(TextOf(ElementById(document_, L"i").As<IHTMLInputElement>().get(), &IHTMLInputElement::get_value),
            L"typed");
}

// --- textarea ----------------------------------------------------------------------------------------

TEST_F(FormControls, ATextareasValueIsItsText) {
  Ptr<IHTMLTextAreaElement> area = Load<IHTMLTextAreaElement>(L"<textarea id=t>line &amp; more</textarea>", L"t");
  ASSERT_TRUE(area);
  EXPECT_EQ(TextOf(area.get(), &IHTMLTextAreaElement::get_value), L"line & more");
  ASSERT_HRESULT_SUCCEEDED(area->put_value(Bstr(L"new")));
  EXPECT_EQ(TextOf(area.As<IHTMLElement>().get(), &IHTMLElement::get_innerHTML), L"new");
  EXPECT_EQ(TextOf(area.get(), &IHTMLTextAreaElement::get_type), L"textarea");
}

// --- select and options --------------------------------------------------------------------------------

TEST_F(FormControls, SelectListsItsOptionsByIndex) {
  Ptr<IHTMLSelectElement> select = Load<IHTMLSelectElement>(
      L"<select id=s><option value=1>One</option><option>  Two \n words </option>"
      L"<optgroup><option value=3>Three</option></optgroup></select>",
      L"s");
  ASSERT_TRUE(select);
  EXPECT_EQ(OptionsOf(select.get()),
            (std::vector<OptionView>{{L"One", L"1"}, {L"Two words", L"Two words"}, {L"Three", L"3"}}));
  IDispatch* beyond = Unwritten<IDispatch>();
  EXPECT_HRESULT_SUCCEEDED(select->item(Variant::Long(3), Variant::Long(3), &beyond));
  EXPECT_EQ(beyond, nullptr);
}

TEST_F(FormControls, RemovingTheFirstOptionLengthTimesEmptiesTheSelect) {
  Ptr<IHTMLSelectElement> select =
      Load<IHTMLSelectElement>(L"<select id=s><option>a</option><option>b</option><option>c</option></select>", L"s");
  LONG length = 0;
  ASSERT_HRESULT_SUCCEEDED(select->get_length(&length));
  ASSERT_EQ(length, 3);
  for (LONG i = 0; i < length; ++i) ASSERT_HRESULT_SUCCEEDED(select->remove(0));
  ASSERT_HRESULT_SUCCEEDED(select->get_length(&length));
  EXPECT_EQ(length, 0);
  EXPECT_HRESULT_SUCCEEDED(select->remove(5));  // nothing there: nothing happens
}

TEST_F(FormControls, OptionsFromTheFactoryAreAddedAtTheEndOrBeforeAnIndex) {
  Ptr<IHTMLSelectElement> select = Load<IHTMLSelectElement>(L"<select id=s><option>old</option></select>", L"s");
  Ptr<IHTMLOptionElement> first = NewOption(L"First", L"1"), last = NewOption(L"Last", L"9");
  ASSERT_TRUE(first);
  ASSERT_TRUE(last);
  ASSERT_HRESULT_SUCCEEDED(select->add(last.As<IHTMLElement>().get(), Variant::Long(-1)));
  ASSERT_HRESULT_SUCCEEDED(select->add(first.As<IHTMLElement>().get(), Variant::Long(0)));
  EXPECT_EQ(OptionsOf(select.get()), (std::vector<OptionView>{{L"First", L"1"}, {L"old", L"old"}, {L"Last", L"9"}}));
  EXPECT_EQ(TextOf(select.As<IHTMLElement>().get(), &IHTMLElement::get_innerHTML),
            L"<OPTION value=\"1\">First</OPTION><OPTION>old</OPTION><OPTION value=\"9\">Last</OPTION>");
  EXPECT_EQ(select->add(select.As<IHTMLElement>().get(), Variant::Long(-1)), E_INVALIDARG);  // not an option
}

TEST_F(FormControls, AFactoryOptionIsDetachedUntilAdded) {
  ASSERT_TRUE(LoadAndWait(document_, L"<p>x</p>"));
  Ptr<IHTMLOptionElement> option = NewOption(L"Name", L"");
  ASSERT_TRUE(option);
  LONG index = 0;
  ASSERT_HRESULT_SUCCEEDED(option.As<IHTMLElement>()->get_sourceIndex(&index));
  EXPECT_EQ(index, -1);
  EXPECT_EQ(TextOf(option.get(), &IHTMLOptionElement::get_value), L"");  // an empty value is a value
  VARIANT_BOOL selected = VARIANT_TRUE;
  ASSERT_HRESULT_SUCCEEDED(option->get_defaultSelected(&selected));
  EXPECT_EQ(selected, VARIANT_FALSE);
}

TEST_F(FormControls, TheSelectedOptionFollowsMarkupThenChoices) {
  Ptr<IHTMLSelectElement> select = Load<IHTMLSelectElement>(
      L"<select id=s><option value=a>A</option><option value=b selected>B</option><option value=c>C</option></select>",
      L"s");
  LONG index = -1;
  ASSERT_HRESULT_SUCCEEDED(select->get_selectedIndex(&index));
  EXPECT_EQ(index, 1);
  EXPECT_EQ(TextOf(select.get(), &IHTMLSelectElement::get_value), L"b");
  ASSERT_HRESULT_SUCCEEDED(select->put_selectedIndex(2));
  EXPECT_EQ(TextOf(select.get(), &IHTMLSelectElement::get_value), L"c");
  EXPECT_EQ(TextOf(select.get(), &IHTMLSelectElement::get_type), L"select-one");
  Ptr<IDispatch> item;
  ASSERT_HRESULT_SUCCEEDED(select->item(Variant::Long(1), Variant::Long(1), item.Out()));
  VARIANT_BOOL selected = VARIANT_TRUE;
  ASSERT_HRESULT_SUCCEEDED(item.As<IHTMLOptionElement>()->get_selected(&selected));
  EXPECT_EQ(selected, VARIANT_FALSE);
  ASSERT_HRESULT_SUCCEEDED(item.As<IHTMLOptionElement>()->get_defaultSelected(&selected));
  EXPECT_EQ(selected, VARIANT_TRUE);
}

TEST_F(FormControls, SettingASelectsValueChoosesTheMatchingOption) {
  Ptr<IHTMLSelectElement> select =
      Load<IHTMLSelectElement>(L"<select id=s><option value=a>A</option><option value=b>B</option></select>", L"s");
  ASSERT_HRESULT_SUCCEEDED(select->put_value(Bstr(L"b")));
  LONG index = -1;
  ASSERT_HRESULT_SUCCEEDED(select->get_selectedIndex(&index));
  EXPECT_EQ(index, 1);
  ASSERT_HRESULT_SUCCEEDED(select->put_selectedIndex(7));  // no such option: nothing chosen
  ASSERT_HRESULT_SUCCEEDED(select->get_selectedIndex(&index));
  EXPECT_EQ(index, 0);  // a drop-down still shows its first option
  Ptr<IDispatch> item;
  ASSERT_HRESULT_SUCCEEDED(select->item(Variant::Long(1), Variant::Long(1), item.Out()));
  ASSERT_HRESULT_SUCCEEDED(item.As<IHTMLOptionElement>()->put_selected(VARIANT_TRUE));
  EXPECT_EQ(TextOf(select.get(), &IHTMLSelectElement::get_value), L"b");
}

TEST_F(FormControls, ADropDownWithoutChoiceShowsItsFirstOption) {
  Ptr<IHTMLSelectElement> select =
      Load<IHTMLSelectElement>(L"<select id=s><option>A</option><option>B</option></select>", L"s");
  LONG index = -1;
  ASSERT_HRESULT_SUCCEEDED(select->get_selectedIndex(&index));
  EXPECT_EQ(index, 0);
}

// --- head elements -----------------------------------------------------------------------------------

TEST_F(FormControls, MetaElementsReportNameContentAndHttpEquiv) {
  Ptr<IHTMLMetaElement> meta = Load<IHTMLMetaElement>(
      L"<html><head><meta id=m name=\"Content-Type\" content=\"text/html; charset=koi8-r\" http-equiv=refresh>"
      L"</head></html>",
      L"m");
  ASSERT_TRUE(meta);
  EXPECT_EQ(TextOf(meta.get(), &IHTMLMetaElement::get_name), L"Content-Type");
  EXPECT_EQ(TextOf(meta.get(), &IHTMLMetaElement::get_content), L"text/html; charset=koi8-r");
  EXPECT_EQ(TextOf(meta.get(), &IHTMLMetaElement::get_httpEquiv), L"refresh");
  ASSERT_HRESULT_SUCCEEDED(meta.As<IHTMLElement>()->setAttribute(Bstr(L"content"), Variant::Text(L"generator"), 0));
  EXPECT_EQ(TextOf(meta.get(), &IHTMLMetaElement::get_content), L"generator");
}

TEST_F(FormControls, AMetaWithoutNameReportsAnEmptyName) {
  Ptr<IHTMLMetaElement> meta = Load<IHTMLMetaElement>(L"<html><head><meta id=m charset=utf-8></head></html>", L"m");
  Bstr name;
  ASSERT_HRESULT_SUCCEEDED(meta->get_name(name.Out()));
  EXPECT_FALSE(name.IsUnwritten());
  EXPECT_EQ(name.Str(), L"");
  EXPECT_EQ(TextOf(meta.get(), &IHTMLMetaElement::get_charset), L"utf-8");
}

}  // namespace
