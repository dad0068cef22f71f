// The control writes an unchanged document once: the snapshot of an edit and the host's VLM_GETCODE for
// the size and then the text share one writing, and any change of the page is written afresh.
#include <mshtml.h>

#include <random>
#include <string>
#include <vector>

#include "ControlFixture.h"
#include "comkit/ComRef.h"
#include "comkit/ComText.h"
#include "document/Dom2HTML.h"

namespace dt {
namespace {

// The element with that id (with a reference for the caller), through the object model as a host or the
// property sheet reaches it.
IHTMLElement* ElementById(IHTMLDocument2* document, const wchar_t* id) {
  CComRef<IHTMLDocument3> document3;
  CComRef<IHTMLElement> element;
  CBstr name(id);
  if (SUCCEEDED(document->QueryInterface(IID_IHTMLDocument3, document3.OutVoid())) && document3)
    document3->getElementById(name.get(), element.Out());
  return element.Detach();
}

TEST_F(Control, AnInsertionThenTheSizeAndTheTextWriteTheDocumentOnce) {
  ASSERT_NE(CreateControl(), nullptr);
  const UINT before = GetControl()->Serialisations();
  ASSERT_EQ(Insert(VLM_KIND_TEXTBOX), 1);  // its undo snapshot writes the document
  const std::string code = Code();         // the size, then the text
  EXPECT_EQ(GetControl()->Serialisations(), before + 1);
  EXPECT_EQ(code, Snapshot(History().Index()));
  EXPECT_EQ(Code(), code);
  EXPECT_EQ(GetControl()->Serialisations(), before + 1);
}

TEST_F(Control, EveryChangeOfThePageIsWrittenAfresh) {
  ASSERT_NE(CreateControl(), nullptr);
  ASSERT_EQ(Insert(VLM_KIND_TEXTBOX), 1);
  const std::string inserted = Code();
  IHTMLDocument2* document = GetControl()->Document();
  CComRef<IHTMLElement> box(ElementById(document, L"textbox1"));
  ASSERT_TRUE(box);

  // An attribute.
  CBstr name(L"title");
  VARIANT value;
  VariantInit(&value);
  V_VT(&value) = VT_BSTR;
  V_BSTR(&value) = SysAllocString(L"Your name");
  ASSERT_HRESULT_SUCCEEDED(box->setAttribute(name.get(), value, 0));
  VariantClear(&value);
  const std::string titled = Code();
  EXPECT_NE(titled.find("title=\"Your name\""), std::string::npos);

  // The state of a form control, which the markup does not hold.
  CComRef<IHTMLInputElement> input;
  ASSERT_HRESULT_SUCCEEDED(box->QueryInterface(IID_IHTMLInputElement, input.OutVoid()));
  CBstr typed(L"Jane");
  ASSERT_HRESULT_SUCCEEDED(input->put_value(typed.get()));
  EXPECT_NE(Code().find("value=\"Jane\""), std::string::npos);

  // Another page loaded in its place.
  ASSERT_TRUE(LoadAndWait("<html><body><p>other</p></body></html>"));
  EXPECT_EQ(Code().find("textbox1"), std::string::npos);
  EXPECT_EQ(BodyLines(Code()), "  <P>\n   other\n  </P>\n");
  EXPECT_NE(inserted, titled);
}

// A page with every kind of place an element's tag can stand: nested, in a table, a form control with
// its state, inside exact content (where no tag is written on its own), in a foreign vocabulary.
constexpr char kVariedPage[] =
    "<html><head><title>t</title><style>p { color: red }</style></head><body>"
    "<div id=d1 style=\"position: absolute; left: 10px; top: 10px\"><span id=s1 title='a \"quoted\" title'>x</span>"
    "<b>bold <i id=i1>italic</i></b></div>"
    "<table id=t1><tr><td id=c1>cell</td><td>two</td></tr></table>"
    "<form id=f1><input id=in1 value=typed><input id=in2 type=checkbox checked><select id=sel1><option>One"
    "<option id=o2 selected>Two</select><textarea id=ta1>text\nlines</textarea></form>"
    "<pre id=pre1>exact <span id=s2>inside</span> text</pre>"
    "<svg id=g1><title id=gt>icon</title><circle id=ci r=2></circle></svg>"
    "<p id=p1 class=one>para &amp; more</p><!-- comment --><img id=im1 src=a.png alt='&lt;a&gt;'>"
    "</body></html>";

// Where only elements' attributes changed since the text was written, their tags alone are written
// again: after every edit of a random sequence the text must be the page written whole.
TEST_F(Control, TagsWrittenAgainGiveThePageAsWrittenWhole) {
  ASSERT_NE(CreateControl(), nullptr);
  ASSERT_TRUE(LoadAndWait(kVariedPage));
  IHTMLDocument2* document = GetControl()->Document();
  CComRef<IHTMLElementCollection> all;
  ASSERT_HRESULT_SUCCEEDED(document->get_all(all.Out()));
  std::mt19937 random(7122026);
  const wchar_t* values[] = {L"plain", L"with \"quotes\" & <angles>", L"caf\u00e9 \u20ac \u0416", L"", L"a\nb"};
  const wchar_t* attributes[] = {L"title", L"class", L"data-x", L"value", L"alt", L"width"};
  const UINT rewritesBefore = GetControl()->TagRewrites();
  auto written = [&] {
    const CXString* text = GetControl()->WrittenDocument();
    return text ? std::string(text->GetString(), static_cast<size_t>(text->GetLength())) : std::string("<failed>");
  };
  for (int step = 0; step < 300; ++step) {
    long length = 0;
    ASSERT_HRESULT_SUCCEEDED(all->get_length(&length));
    VARIANT name = {}, index = {};
    V_VT(&name) = VT_I4;
    V_I4(&name) = static_cast<LONG>(random() % static_cast<unsigned>(length));
    V_VT(&index) = VT_I4;
    CComRef<IDispatch> item;
    CComRef<IHTMLElement> element;
    ASSERT_HRESULT_SUCCEEDED(all->item(name, index, item.Out()));
    if (!item || FAILED(item->QueryInterface(IID_IHTMLElement, element.OutVoid())) || !element) continue;
    const unsigned action = random() % 11;
    if (action == 10) {
      // The form's size, as a frame drag sets it.
      CComRef<IHTMLElement> body;
      CBstr width(L"width");
      VARIANT value;
      VariantInit(&value);
      V_VT(&value) = VT_I4;
      V_I4(&value) = static_cast<LONG>(300 + random() % 400);
      if (SUCCEEDED(document->get_body(body.Out())) && body) body->setAttribute(width.get(), value, 0);
    } else if (action < 4) {
      CBstr attribute(attributes[random() % std::size(attributes)]);
      VARIANT value;
      VariantInit(&value);
      V_VT(&value) = VT_BSTR;
      V_BSTR(&value) = SysAllocString(values[random() % std::size(values)]);
      element->setAttribute(attribute.get(), value, 0);
      VariantClear(&value);
    } else if (action < 7) {
      CComRef<IHTMLStyle> style;
      VARIANT left;
      VariantInit(&left);
      V_VT(&left) = VT_I4;
      V_I4(&left) = static_cast<LONG>(random() % 500);
      if (SUCCEEDED(element->get_style(style.Out())) && style) style->put_left(left);
    } else if (action == 7) {
      CBstr attribute(attributes[random() % std::size(attributes)]);
      VARIANT_BOOL removed = VARIANT_FALSE;
      element->removeAttribute(attribute.get(), 0, &removed);
    } else if (action == 8) {
      // The state of a form control, or a text: no attribute, so the page is written whole.
      CComRef<IHTMLInputElement> input;
      CBstr typed(values[random() % std::size(values)]);
      if (SUCCEEDED(element->QueryInterface(IID_IHTMLInputElement, input.OutVoid())) && input)
        input->put_value(typed.get());
      else if (random() % 4 == 0)
        element->put_innerText(typed.get());
    }
    const std::string text = written();
    CDom2HTML whole(CComRef<IHTMLDocument2>::Share(document));
    whole.RecordElementSpans();
    ASSERT_TRUE(whole.Parse());
    ASSERT_EQ(text, std::string(whole.GetHTML().GetString(), static_cast<size_t>(whole.GetHTML().GetLength())))
        << "step " << step;
    // Where each element lies too: an undo replaces elements by them.
    const std::vector<ElementSpan> spans = whole.TakeElementSpans();
    const std::vector<ElementSpan>& kept = GetControl()->WrittenSpans();
    ASSERT_EQ(kept.size(), spans.size()) << "step " << step;
    for (size_t i = 0; i < spans.size(); ++i)
      ASSERT_TRUE(kept[i].start == spans[i].start && kept[i].end == spans[i].end &&
                  kept[i].sourceIndex == spans[i].sourceIndex && kept[i].standsAlone == spans[i].standsAlone)
          << "step " << step << ", span " << i;
  }
  EXPECT_GT(GetControl()->TagRewrites() - rewritesBefore, 120u);
}

}  // namespace
}  // namespace dt
