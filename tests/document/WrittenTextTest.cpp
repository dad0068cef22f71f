// The control writes an unchanged document once: the snapshot of an edit and the host's VLM_GETCODE for
// the size and then the text share one writing, and any change of the page is written afresh.
#include <mshtml.h>

#include "ControlFixture.h"
#include "comkit/ComRef.h"
#include "comkit/ComText.h"

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

}  // namespace
}  // namespace dt
