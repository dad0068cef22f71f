// The HTML writer on small documents, compared as whole texts.
#include "DocumentFixture.h"
#include "document/Dom2HTML.h"

namespace dt {
namespace {

const char kGeneratorLine[] = "  <META NAME=\"Generator\" CONTENT=\"Quorvex HTML form editor control\">\n";

std::string ContentTypeLine() {
  CXString content;
  CDom2HTML::BuildContentType(content);
  return std::string("  <META NAME=\"Content-Type\" CONTENT=\"") + content.GetString() + "\">\n";
}

// A whole page with the given head lines (the metas the writer adds by default) and body lines.
std::string Page(const std::string& body, const std::string& head = "") {
  return "<HTML>\n <HEAD>\n" + (head.empty() ? kGeneratorLine + ContentTypeLine() : head) + " </HEAD>\n <BODY>\n" +
         body + " </BODY>\n</HTML>\n";
}

std::string Body(const char* markup) { return std::string("<html><head></head><body>") + markup + "</body></html>"; }

TEST_F(Document, ExamplePageComesOutInTheEditorsOwnRendering) {
  ASSERT_EQ(GetACP(), 1252u) << "the example is written for code page 1252";
  ASSERT_TRUE(
      doc_.Load("<html><head><title></title></head><body width=\"640\" height=\"480\">"
                "<span id=\"label1\" style=\"position: absolute; left: 10px; top: 20px; width: 65px; "
                "height: 20px;\">label1</span></body></html>"));
  EXPECT_EQ(doc_.Serialize(),
            "<HTML>\n"
            " <HEAD>\n"
            "  <TITLE>\n"
            "  </TITLE>\n"
            "  <META NAME=\"Generator\" CONTENT=\"Quorvex HTML form editor control\">\n"
            "  <META NAME=\"Content-Type\" CONTENT=\"text/html; charset=Windows-1252\">\n"
            " </HEAD>\n"
            " <BODY width=\"640\" height=\"480\">\n"
            "  <SPAN id=\"label1\" style=\"left: 10px; top: 20px; width: 65px; height: 20px; position: absolute\">\n"
            "   label1\n"
            "  </SPAN>\n"
            " </BODY>\n"
            "</HTML>\n");
}

TEST_F(Document, WhitespaceOnlyTextProducesNoLine) {
  ASSERT_TRUE(doc_.Load(Body("<span id=\"s\">  \r\n\t  </span>\n\n").c_str()));
  EXPECT_EQ(doc_.Serialize(), Page("  <SPAN id=\"s\">\n  </SPAN>\n"));
}

TEST_F(Document, ALessThanSignBetweenBlanksStaysAsItIs) {
  ASSERT_TRUE(doc_.Load(Body("a &lt; b").c_str()));
  EXPECT_EQ(doc_.Serialize(), Page("  a < b\n"));
}

TEST_F(Document, TextThatWouldBecomeMarkupIsEscapedAndReadsBack) {
  ASSERT_TRUE(doc_.Load(Body("x &lt;b&gt; y &amp;amp; &lt;/body&gt;").c_str()));
  const std::string saved = doc_.Serialize();
  EXPECT_EQ(saved, Page("  x &lt;b> y &amp;amp; &lt;/body>\n"));
  ASSERT_TRUE(doc_.Load(saved.c_str()));
  CComRef<IHTMLElement> body(doc_.FirstElement(L"BODY"));
  ASSERT_TRUE(body);
  CBstr text;
  ASSERT_HRESULT_SUCCEEDED(body->get_innerText(text.Out()));
  ASSERT_NE(text.get(), nullptr);
  EXPECT_NE(std::wstring(text.get()).find(L"x <b> y &amp; </body>"), std::wstring::npos);
}

TEST_F(Document, ALineBreakHasNoEndTagAndAnEmptyDivHasOne) {
  ASSERT_TRUE(doc_.Load(Body("<span>a<br>b</span><div></div>").c_str()));
  EXPECT_EQ(doc_.Serialize(), Page("  <SPAN>\n   a\n   <BR>\n   b\n  </SPAN>\n  <DIV>\n  </DIV>\n"));
}

TEST_F(Document, AnExistingGeneratorMetaIsRewrittenAndNotRepeated) {
  ASSERT_TRUE(doc_.Load("<html><head><meta name=\"generator\" content=\"Other tool\"></head><body></body></html>"));
  EXPECT_EQ(doc_.Serialize(),
            Page("", "  <META NAME=\"generator\" CONTENT=\"Quorvex HTML form editor control\">\n" + ContentTypeLine()));
  // The live document keeps the rewritten content.
  CComRef<IHTMLElement> meta(doc_.FirstElement(L"META"));
  ASSERT_TRUE(meta);
  CBstr name(L"content");
  CVariant content;
  ASSERT_HRESULT_SUCCEEDED(meta->getAttribute(name.get(), 0, &content));
  ASSERT_EQ(content.Type(), VT_BSTR);
  EXPECT_STREQ(V_BSTR(&content.get()), L"Quorvex HTML form editor control");
}

TEST_F(Document, AnHttpEquivContentTypeSuppressesBothAddedLines) {
  // Pages from elsewhere declare their character set this way: a second, different declaration after it
  // would have the page read back in the wrong one.
  ASSERT_TRUE(
      doc_.Load("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
                "</head><body></body></html>"));
  EXPECT_EQ(doc_.Serialize(), Page("", "  <META http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n"));
}

TEST_F(Document, AContentTypeMetaSuppressesTheAddedOne) {
  ASSERT_TRUE(
      doc_.Load("<html><head><meta name=\"Content-Type\" content=\"text/html; charset=klingon\">"
                "</head><body>caf&eacute;</body></html>"));
  EXPECT_EQ(doc_.Serialize(),
            Page("  caf\xE9\n", "  <META NAME=\"Content-Type\" CONTENT=\"text/html; charset=klingon\">\n"));
}

TEST_F(Document, APageWithoutHeadGetsNeitherMetaLine) {
  ASSERT_TRUE(doc_.Load(Body("<span>x</span>").c_str()));
  CComRef<IHTMLElement> head(doc_.FirstElement(L"HEAD"));
  CComRef<IHTMLElement> html(doc_.FirstElement(L"HTML"));
  ASSERT_TRUE(head && html);
  CComRef<IHTMLDOMNode> htmlNode, headNode, removed;
  ASSERT_HRESULT_SUCCEEDED(html->QueryInterface(IID_IHTMLDOMNode, htmlNode.OutVoid()));
  ASSERT_HRESULT_SUCCEEDED(head->QueryInterface(IID_IHTMLDOMNode, headNode.OutVoid()));
  ASSERT_HRESULT_SUCCEEDED(htmlNode->removeChild(headNode.get(), removed.Out()));
  EXPECT_EQ(doc_.Serialize(), "<HTML>\n <BODY>\n  <SPAN>\n   x\n  </SPAN>\n </BODY>\n</HTML>\n");
}

TEST_F(Document, AnElementAtDepthThreeIsIndentedByThreeBlanks) {
  ASSERT_TRUE(doc_.Load(Body("<fieldset><legend>x</legend></fieldset>").c_str()));
  EXPECT_EQ(doc_.Serialize(), Page("  <FIELDSET>\n   <LEGEND>\n    x\n   </LEGEND>\n  </FIELDSET>\n"));
}

TEST_F(Document, CommentsAndTheDoctypeAreKept) {
  ASSERT_TRUE(doc_.Load("<!DOCTYPE html><!-- top --><html><head></head><body><!-- in\nside --></body></html>"));
  EXPECT_EQ(doc_.Serialize(), "<!DOCTYPE html>\n<!-- top -->\n" + Page("  <!-- in\nside -->\n"));
}

// Unknown tags and namespaced attribute names exist only as copies in the engine; the writer reads them
// through the standard properties (Serialize holds both readings against each other).
TEST_F(Document, UnknownTagsForeignNamesAndNamespacedAttributesAreWrittenAsReported) {
  ASSERT_TRUE(doc_.Load(Body("<x-card data-Mode=\"a&amp;b\">c</x-card><svg viewBox=\"0 0 1 1\">"
                             "<a xlink:href=\"#t\" id=\"l\">t</a><foreignObject></foreignObject></svg>")
                            .c_str()));
  EXPECT_EQ(doc_.Serialize(), Page("  <X-CARD data-mode=\"a&amp;b\">\n   c\n  </X-CARD>\n"
                                   "  <SVG viewbox=\"0 0 1 1\">\n   <A xlink:href=\"#t\" id=\"l\">\n    t\n   </A>\n"
                                   "   <FOREIGNOBJECT>\n   </FOREIGNOBJECT>\n  </SVG>\n"));
}

TEST_F(Document, AnInputsStateComesAfterItsStyle) {
  ASSERT_TRUE(doc_.Load(Body("<input checked style=\"left: 1px\" type=\"checkbox\" value=\"yes\" id=\"c\">").c_str()));
  EXPECT_EQ(doc_.Serialize(), Page("  <INPUT type=\"checkbox\" id=\"c\" style=\"left: 1px\" value=\"yes\" checked>\n"));
}

TEST_F(Document, AnInputsDisabledAndReadOnlyFollowItsValue) {
  ASSERT_TRUE(doc_.Load(Body("<input readonly disabled type=\"text\" value=\"v\">").c_str()));
  EXPECT_EQ(doc_.Serialize(), Page("  <INPUT type=\"text\" value=\"v\" disabled readonly>\n"));
}

TEST_F(Document, AnInputsCurrentValueIsWrittenOnceInsteadOfItsStaleAttribute) {
  ASSERT_TRUE(doc_.Load(Body("<input type=\"text\" value=\"old\" id=\"t\">").c_str()));
  CComRef<IHTMLElement> element(doc_.FirstElement(L"INPUT"));
  CComRef<IHTMLInputElement> input;
  ASSERT_TRUE(element);
  ASSERT_HRESULT_SUCCEEDED(element->QueryInterface(IID_IHTMLInputElement, input.OutVoid()));
  CBstr value(L"new");
  ASSERT_HRESULT_SUCCEEDED(input->put_value(value.get()));
  const std::string saved = doc_.Serialize();
  EXPECT_EQ(saved, Page("  <INPUT type=\"text\" id=\"t\" value=\"new\">\n"));
  // Read back, the page shows the user's value.
  ASSERT_TRUE(doc_.Load(saved.c_str()));
  CComRef<IHTMLElement> reloaded(doc_.FirstElement(L"INPUT"));
  CComRef<IHTMLInputElement> reloadedInput;
  ASSERT_TRUE(reloaded);
  ASSERT_HRESULT_SUCCEEDED(reloaded->QueryInterface(IID_IHTMLInputElement, reloadedInput.OutVoid()));
  CBstr current;
  ASSERT_HRESULT_SUCCEEDED(reloadedInput->get_value(current.Out()));
  EXPECT_STREQ(current.get(), L"new");
}

TEST_F(Document, AnInputWithoutValueGetsNoValueAttribute) {
  ASSERT_TRUE(doc_.Load(Body("<input type=\"text\" value=\"\">").c_str()));
  EXPECT_EQ(doc_.Serialize(), Page("  <INPUT type=\"text\">\n"));
}

TEST_F(Document, AttributeValuesEscapeQuotesAndReferenceLikeAmpersands) {
  ASSERT_TRUE(doc_.Load(Body("<span title='say \"hi\" &amp; R&amp;D'>x</span>").c_str()));
  const std::string saved = doc_.Serialize();
  EXPECT_EQ(saved, Page("  <SPAN title=\"say &quot;hi&quot; & R&amp;D\">\n   x\n  </SPAN>\n"));
  ASSERT_TRUE(doc_.Load(saved.c_str()));
  CComRef<IHTMLElement> span(doc_.FirstElement(L"SPAN"));
  ASSERT_TRUE(span);
  CBstr title;
  ASSERT_HRESULT_SUCCEEDED(span->get_title(title.Out()));
  EXPECT_STREQ(title.get(), L"say \"hi\" & R&D");
}

TEST_F(Document, TheInlineStyleIsTheEnginesFormWithNamesAndKeywordsLowerCased) {
  ASSERT_TRUE(doc_.Load(Body("<span style=\"COLOR: RED; font-family: Arial; top: 5px\">x</span>").c_str()));
  EXPECT_EQ(doc_.Serialize(), Page("  <SPAN style=\"top: 5px; color: red; font-family: Arial\">\n   x\n  </SPAN>\n"));
}

TEST_F(Document, AnEmptyStyleWritesNoStyleAttribute) {
  ASSERT_TRUE(doc_.Load(Body("<span style=\"\" id=\"a\">x</span>").c_str()));
  EXPECT_EQ(doc_.Serialize(), Page("  <SPAN id=\"a\">\n   x\n  </SPAN>\n"));
}

TEST_F(Document, StyleScriptAndTitleContentStandsUnindentedOnItsOwnLine) {
  ASSERT_TRUE(
      doc_.Load("<html><head><title> R&amp;D &lt;draft&gt; </title><style>\n p { color: red }\n</style>"
                "<script>\nvar a = 1 < 2 && 3 > 2;\n</script></head><body></body></html>"));
  EXPECT_EQ(doc_.Serialize(), Page("",
                                   "  <TITLE>\nR&amp;D &lt;draft>\n  </TITLE>\n"
                                   "  <STYLE>\np { color: red }\n  </STYLE>\n"
                                   "  <SCRIPT>\nvar a = 1 < 2 && 3 > 2;\n  </SCRIPT>\n" +
                                       std::string(kGeneratorLine) + ContentTypeLine()));
}

TEST_F(Document, AKoi8RPageComesOutInKoi8R) {
  ASSERT_TRUE(
      doc_.LoadWide(L"<html><head><meta name=\"Content-Type\" content=\"text/html; charset = koi8-r\">"
                    L"</head><body>\x41F\x440\x438\x432\x435\x442</body></html>"));
  EXPECT_EQ(doc_.Serialize(), Page("  \xF0\xD2\xC9\xD7\xC5\xD4\n",
                                   "  <META NAME=\"Content-Type\" CONTENT=\"text/html; charset = koi8-r\">\n"));
}

TEST_F(Document, AUtf8PageKeepsItsThreeByteCharactersWhole) {
  const std::wstring text(300, L'\x8A9E');  // 語
  ASSERT_TRUE(
      doc_.LoadWide(L"<html><head><meta name=\"Content-Type\" content=\"text/html; charset=utf-8\">"
                    L"</head><body><span title=\"" +
                    text + L"\">" + text + L"</span></body></html>"));
  const std::string utf8 = Encode(text, CP_UTF8);
  ASSERT_EQ(utf8.size(), 900u);
  EXPECT_EQ(doc_.Serialize(), Page("  <SPAN title=\"" + utf8 + "\">\n   " + utf8 + "\n  </SPAN>\n",
                                   "  <META NAME=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">\n"));
}

TEST_F(Document, AShiftJisPageComesOutInShiftJis) {
  ASSERT_TRUE(
      doc_.LoadWide(L"<html><head><meta name=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">"
                    L"</head><body>\x65E5\x672C\x8A9E</body></html>"));
  EXPECT_EQ(doc_.Serialize(), Page("  \x93\xFA\x96\x7B\x8C\xEA\n",
                                   "  <META NAME=\"Content-Type\" CONTENT=\"text/html; charset=Shift_JIS\">\n"));
}

TEST_F(Document, ASecondParseOfAnUnchangedDocumentGivesTheSameText) {
  ASSERT_TRUE(doc_.Load(Body("<span id=\"a\">x</span>").c_str()));
  CDom2HTML writer(doc_.Shared());
  ASSERT_EQ(writer.Parse(), 1);
  std::string first(writer.GetHTML().GetString());
  ASSERT_EQ(writer.Parse(), 1);
  EXPECT_EQ(std::string(writer.GetHTML().GetString()), first);
  EXPECT_EQ(first, Page("  <SPAN id=\"a\">\n   x\n  </SPAN>\n"));
}

TEST_F(Document, AWriterWithoutDocumentFails) {
  CDom2HTML writer{CComRef<IHTMLDocument2>()};
  EXPECT_EQ(writer.Parse(), 0);
  EXPECT_EQ(writer.GetHTML().GetLength(), 0);
  EXPECT_EQ(writer.GetDocumentCodePage(), 0u);
}

TEST_F(Document, TheDocumentCodePageComesFromTheFirstContentTypeMeta) {
  ASSERT_TRUE(
      doc_.Load("<html><head><meta name=\"description\" content=\"charset=utf-8\">"
                "<meta name=\"CONTENT-TYPE\" content=\"TEXT/HTML; CHARSET=ISO-8859-1\">"
                "<meta name=\"content-type\" content=\"text/html; charset=utf-8\"></head></html>"));
  EXPECT_EQ(CDom2HTML(doc_.Shared()).GetDocumentCodePage(), 28591u);
}

TEST_F(Document, AContentTypeInHttpEquivIsRead) {
  ASSERT_TRUE(
      doc_.Load("<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
                "</head></html>"));
  EXPECT_EQ(CDom2HTML(doc_.Shared()).GetDocumentCodePage(), 65001u);
}

TEST(EndTags, VoidTagsAndCommentsHaveNone) {
  for (const wchar_t* tag : {L"META", L"link", L"INPUT", L"img", L"BR", L"frame", L"area", L"param", L"col", L"HR",
                             L"basefont", L"base", L"#comment"})
    EXPECT_EQ(CDom2HTML::NeedsEndTag(tag), 0) << tag;
}

TEST(EndTags, EveryOtherNameHasOne) {
  // "links" is no element of HTML: the parser gives it content like any unknown tag.
  for (const wchar_t* tag : {L"DIV", L"span", L"TEXTAREA", L"select", L"custom", L"", L"metal", L"brr", L"links"})
    EXPECT_EQ(CDom2HTML::NeedsEndTag(tag), 1) << tag;
  EXPECT_EQ(CDom2HTML::NeedsEndTag(nullptr), 1);
}

}  // namespace
}  // namespace dt
