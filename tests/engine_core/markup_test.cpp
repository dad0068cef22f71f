// Markup out (outerHTML, innerHTML) and in (innerHTML set, insertAdjacentHTML), and innerText.

#include <gtest/gtest.h>

#include "markup/fragment_ops.h"
#include "markup/inner_text.h"
#include "markup/serializer.h"
#include "support/test_util.h"

namespace vellum::engine::test {
namespace {

std::string Outer(const Node* node) { return U8(OuterHtml(*node)); }

TEST(Serializer, WritesUpperCaseTagsAndQuotedEscapedValues) {
  RefPtr<Document> document = Parse(R"(<div ID=a Title='say "hi" <now> & then'>x &lt; y &amp; z</div>)");
  EXPECT_EQ(Outer(FirstByTag(*document, TagId::Div)),
            R"(<DIV id="a" title="say &quot;hi&quot; &lt;now> &amp; then">x &lt; y &amp; z</DIV>)");
}

TEST(Serializer, VoidElementsHaveNoEndTag) {
  RefPtr<Document> document = Parse("<p><input value=1><br><img src=a.png></p>");
  EXPECT_EQ(Outer(FirstByTag(*document, TagId::P)), R"(<P><INPUT value="1"><BR><IMG src="a.png"></P>)");
}

TEST(Serializer, CommentGivesItsWholeMarkup) {
  RefPtr<Document> document = Parse("<body><!-- note --></body>");
  EXPECT_EQ(Outer(document->Body()->FirstChild()), "<!-- note -->");
  EXPECT_EQ(U8(InnerHtml(*document->Body())), "<!-- note -->");
}

TEST(Serializer, ScriptAndStyleTextIsWrittenRaw) {
  RefPtr<Document> document = Parse("<script>if (a < b && c) {}</script><title>A &amp; B</title>");
  EXPECT_EQ(Outer(FirstByTag(*document, TagId::Script)), "<SCRIPT>if (a < b && c) {}</SCRIPT>");
  EXPECT_EQ(U8(InnerHtml(*FirstByTag(*document, TagId::Script))), "if (a < b && c) {}");
  EXPECT_EQ(Outer(FirstByTag(*document, TagId::Title)), "<TITLE>A &amp; B</TITLE>");
}

TEST(Serializer, WholeDocumentIncludesTheDoctype) {
  RefPtr<Document> document = Parse("<!DOCTYPE html><html><head></head><body><p>x</p></body></html>");
  EXPECT_EQ(U8(OuterHtml(*document)), "<!DOCTYPE html><HTML><HEAD></HEAD><BODY><P>x</P></BODY></HTML>");
}

// Markup given back through insertAdjacentHTML must rebuild the same elements.
void ExpectReadsBackIdentically(const std::string& bodyMarkup) {
  RefPtr<Document> original = Parse("<body>" + bodyMarkup);
  std::u16string markup;
  for (Node* c = original->Body()->FirstChild(); c; c = c->NextSibling()) markup += OuterHtml(*c);

  RefPtr<Document> copy = Parse("<body>");
  ASSERT_EQ(InsertAdjacentHtml(*copy->Body(), AdjacentPosition::BeforeEnd, markup), MutationResult::Ok);
  EXPECT_EQ(DumpTree(*copy->Body()), DumpTree(*original->Body())) << bodyMarkup;
  EXPECT_EQ(U8(InnerHtml(*copy->Body())), U8(markup));
}

TEST(Serializer, OuterHtmlReadsBackIdentically) {
  ExpectReadsBackIdentically(R"(<input id="textbox1" style="left: 10px; top: 20px; position: absolute" value='a"b'>)");
  ExpectReadsBackIdentically("<span title='&amp;&lt;'>A &amp; B &lt;tag&gt; \u00A0 x</span>");
  ExpectReadsBackIdentically("<textarea>\nfirst line kept\n&lt;b&gt;</textarea><pre>\n\nx</pre>");
  ExpectReadsBackIdentically("<select name=s><option value=1 selected>One</option><option>Two</option></select>");
  ExpectReadsBackIdentically("<fieldset><legend>Frame</legend><button>Go</button></fieldset>");
  ExpectReadsBackIdentically("<!-- a comment --><table><tbody><tr><td>cell</td></tr></tbody></table>");
  ExpectReadsBackIdentically("<object classid='clsid:1234'><param name=a value=b></object><br><hr>");
  ExpectReadsBackIdentically("<svg viewBox='0 0 1 1'><foreignObject><p>x</p></foreignObject></svg>");
  ExpectReadsBackIdentically("<script>var a = '</p>' < 1;</script><style>p > b {}</style>");
}

TEST(FragmentOps, InsertAdjacentHtmlAtTheFourPositions) {
  RefPtr<Document> document = Parse("<body><div id=t><b>old</b></div>");
  Element* target = FirstByTag(*document, TagId::Div);
  ASSERT_EQ(InsertAdjacentHtml(*target, AdjacentPosition::BeforeBegin, u"<i>1</i>"), MutationResult::Ok);
  ASSERT_EQ(InsertAdjacentHtml(*target, AdjacentPosition::AfterBegin, u"<i>2</i>"), MutationResult::Ok);
  ASSERT_EQ(InsertAdjacentHtml(*target, AdjacentPosition::BeforeEnd, u"<i>3</i>"), MutationResult::Ok);
  ASSERT_EQ(InsertAdjacentHtml(*target, AdjacentPosition::AfterEnd, u"<i>4</i>"), MutationResult::Ok);
  EXPECT_EQ(U8(InnerHtml(*document->Body())), R"(<I>1</I><DIV id="t"><I>2</I><B>old</B><I>3</I></DIV><I>4</I>)");
}

TEST(FragmentOps, PositionNamesAreReadInAnyCase) {
  AdjacentPosition p{};
  EXPECT_TRUE(ParseAdjacentPosition(u"beforeEnd", p));
  EXPECT_EQ(p, AdjacentPosition::BeforeEnd);
  EXPECT_TRUE(ParseAdjacentPosition(u"AFTERBEGIN", p));
  EXPECT_EQ(p, AdjacentPosition::AfterBegin);
  EXPECT_FALSE(ParseAdjacentPosition(u"inside", p));
}

TEST(FragmentOps, OuterPositionsNeedAParentElement) {
  RefPtr<Document> document = Parse("");
  Element* html = document->DocumentElement();
  EXPECT_EQ(InsertAdjacentHtml(*html, AdjacentPosition::BeforeBegin, u"<p>"), MutationResult::HierarchyError);
}

TEST(FragmentOps, MarkupInsertedIntoABodyBecomesItsLastChildren) {
  RefPtr<Document> document = Parse("<body><p>first</p>");
  ASSERT_EQ(InsertAdjacentHtml(*document->Body(), AdjacentPosition::BeforeEnd,
                               u"<INPUT id=textbox1 style=\"position: absolute; left: 5px\" />"),
            MutationResult::Ok);
  Element* input = AsElement(document->Body()->LastChild());
  ASSERT_TRUE(input);
  EXPECT_TRUE(input->Is(TagId::Input));
  EXPECT_EQ(input->SourceIndex(), static_cast<int32_t>(document->All().size()) - 1);
}

TEST(FragmentOps, SetInnerHtmlReplacesTheChildren) {
  RefPtr<Document> document = Parse("<div><b>old</b></div>");
  Element* div = FirstByTag(*document, TagId::Div);
  ASSERT_EQ(SetInnerHtml(*div, u"<i>new</i> text"), MutationResult::Ok);
  EXPECT_EQ(U8(InnerHtml(*div)), "<I>new</I> text");
}

TEST(FragmentOps, SetInnerHtmlOnTextPropertyElementsSetsTheirText) {
  RefPtr<Document> document = Parse("<title>a</title><script></script>");
  ASSERT_EQ(SetInnerHtml(*FirstByTag(*document, TagId::Title), u"x &amp; <b>y</b>"), MutationResult::Ok);
  EXPECT_EQ(U8(FirstByTag(*document, TagId::Title)->Text()), "x & <b>y</b>");
  ASSERT_EQ(SetInnerHtml(*FirstByTag(*document, TagId::Script), u"a &amp; b"), MutationResult::Ok);
  EXPECT_EQ(U8(FirstByTag(*document, TagId::Script)->Text()), "a &amp; b");
}

TEST(FragmentOps, SetOuterHtmlReplacesTheElement) {
  RefPtr<Document> document = Parse("<body><div>a</div><p>b</p>");
  ASSERT_EQ(SetOuterHtml(*FirstByTag(*document, TagId::Div), u"<span>1</span><span>2</span>"), MutationResult::Ok);
  EXPECT_EQ(U8(InnerHtml(*document->Body())), "<SPAN>1</SPAN><SPAN>2</SPAN><P>b</P>");
}

TEST(InnerText, GivesTextWithLineBreaks) {
  RefPtr<Document> document = Parse("<div>a<b>b</b><br>c<p>d</p>e</div>");
  EXPECT_EQ(U8(InnerText(*FirstByTag(*document, TagId::Div))), "ab\r\nc\r\nde");
}

TEST(InnerText, SetReplacesContentAndTurnsLineBreaksIntoBr) {
  RefPtr<Document> document = Parse("<fieldset><legend><b>old</b></legend></fieldset>");
  Element* legend = FirstByTag(*document, TagId::Legend);
  SetInnerText(*legend, u"new <caption>\r\nline 2");
  EXPECT_EQ(U8(InnerHtml(*legend)), "new &lt;caption&gt;<BR>line 2");
  EXPECT_EQ(U8(InnerText(*legend)), "new <caption>\r\nline 2");
}

TEST(InnerText, TextareaKeepsOneTextNode) {
  RefPtr<Document> document = Parse("<textarea>x</textarea>");
  Element* textarea = FirstByTag(*document, TagId::Textarea);
  SetInnerText(*textarea, u"a\r\nb");
  ASSERT_TRUE(AsText(textarea->FirstChild()));
  EXPECT_EQ(textarea->FirstChild(), textarea->LastChild());
  EXPECT_EQ(U8(InnerText(*textarea)), "a\r\nb");
}

}  // namespace
}  // namespace vellum::engine::test
