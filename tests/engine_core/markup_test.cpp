// Markup out (outerHTML, innerHTML) and in (innerHTML set, insertAdjacentHTML), and innerText.

#include <gtest/gtest.h>

#include "markup/fragment_ops.h"
#include "markup/inner_text.h"
#include "markup/serializer.h"
#include "support/test_util.h"

namespace vellum::engine::test {
namespace {

std::string outer(const Node* node) { return u8(outerHtml(*node)); }

TEST(Serializer, WritesUpperCaseTagsAndQuotedEscapedValues) {
  RefPtr<Document> document = parse(R"(<div ID=a Title='say "hi" <now> & then'>x &lt; y &amp; z</div>)");
  EXPECT_EQ(outer(firstByTag(*document, TagId::Div)),
            R"(<DIV id="a" title="say &quot;hi&quot; &lt;now> &amp; then">x &lt; y &amp; z</DIV>)");
}

TEST(Serializer, VoidElementsHaveNoEndTag) {
  RefPtr<Document> document = parse("<p><input value=1><br><img src=a.png></p>");
  EXPECT_EQ(outer(firstByTag(*document, TagId::P)), R"(<P><INPUT value="1"><BR><IMG src="a.png"></P>)");
}

TEST(Serializer, CommentGivesItsWholeMarkup) {
  RefPtr<Document> document = parse("<body><!-- note --></body>");
  EXPECT_EQ(outer(document->body()->firstChild()), "<!-- note -->");
  EXPECT_EQ(u8(innerHtml(*document->body())), "<!-- note -->");
}

TEST(Serializer, ScriptAndStyleTextIsWrittenRaw) {
  RefPtr<Document> document = parse("<script>if (a < b && c) {}</script><title>A &amp; B</title>");
  EXPECT_EQ(outer(firstByTag(*document, TagId::Script)), "<SCRIPT>if (a < b && c) {}</SCRIPT>");
  EXPECT_EQ(u8(innerHtml(*firstByTag(*document, TagId::Script))), "if (a < b && c) {}");
  EXPECT_EQ(outer(firstByTag(*document, TagId::Title)), "<TITLE>A &amp; B</TITLE>");
}

TEST(Serializer, WholeDocumentIncludesTheDoctype) {
  RefPtr<Document> document = parse("<!DOCTYPE html><html><head></head><body><p>x</p></body></html>");
  EXPECT_EQ(u8(outerHtml(*document)), "<!DOCTYPE html><HTML><HEAD></HEAD><BODY><P>x</P></BODY></HTML>");
}

// Markup given back through insertAdjacentHTML must rebuild the same elements.
void expectReadsBackIdentically(const std::string& bodyMarkup) {
  RefPtr<Document> original = parse("<body>" + bodyMarkup);
  std::u16string markup;
  for (Node* c = original->body()->firstChild(); c; c = c->nextSibling()) markup += outerHtml(*c);

  RefPtr<Document> copy = parse("<body>");
  ASSERT_EQ(insertAdjacentHtml(*copy->body(), AdjacentPosition::BeforeEnd, markup), MutationResult::Ok);
  EXPECT_EQ(dumpTree(*copy->body()), dumpTree(*original->body())) << bodyMarkup;
  EXPECT_EQ(u8(innerHtml(*copy->body())), u8(markup));
}

TEST(Serializer, OuterHtmlReadsBackIdentically) {
  expectReadsBackIdentically(R"(<input id="textbox1" style="left: 10px; top: 20px; position: absolute" value='a"b'>)");
  expectReadsBackIdentically("<span title='&amp;&lt;'>A &amp; B &lt;tag&gt; \u00A0 x</span>");
  expectReadsBackIdentically("<textarea>\nfirst line kept\n&lt;b&gt;</textarea><pre>\n\nx</pre>");
  expectReadsBackIdentically("<select name=s><option value=1 selected>One</option><option>Two</option></select>");
  expectReadsBackIdentically("<fieldset><legend>Frame</legend><button>Go</button></fieldset>");
  expectReadsBackIdentically("<!-- a comment --><table><tbody><tr><td>cell</td></tr></tbody></table>");
  expectReadsBackIdentically("<object classid='clsid:1234'><param name=a value=b></object><br><hr>");
  expectReadsBackIdentically("<svg viewBox='0 0 1 1'><foreignObject><p>x</p></foreignObject></svg>");
  expectReadsBackIdentically("<script>var a = '</p>' < 1;</script><style>p > b {}</style>");
}

TEST(FragmentOps, InsertAdjacentHtmlAtTheFourPositions) {
  RefPtr<Document> document = parse("<body><div id=t><b>old</b></div>");
  Element* target = firstByTag(*document, TagId::Div);
  ASSERT_EQ(insertAdjacentHtml(*target, AdjacentPosition::BeforeBegin, u"<i>1</i>"), MutationResult::Ok);
  ASSERT_EQ(insertAdjacentHtml(*target, AdjacentPosition::AfterBegin, u"<i>2</i>"), MutationResult::Ok);
  ASSERT_EQ(insertAdjacentHtml(*target, AdjacentPosition::BeforeEnd, u"<i>3</i>"), MutationResult::Ok);
  ASSERT_EQ(insertAdjacentHtml(*target, AdjacentPosition::AfterEnd, u"<i>4</i>"), MutationResult::Ok);
  EXPECT_EQ(u8(innerHtml(*document->body())), R"(<I>1</I><DIV id="t"><I>2</I><B>old</B><I>3</I></DIV><I>4</I>)");
}

TEST(FragmentOps, PositionNamesAreReadInAnyCase) {
  AdjacentPosition p{};
  EXPECT_TRUE(parseAdjacentPosition(u"beforeEnd", p));
  EXPECT_EQ(p, AdjacentPosition::BeforeEnd);
  EXPECT_TRUE(parseAdjacentPosition(u"AFTERBEGIN", p));
  EXPECT_EQ(p, AdjacentPosition::AfterBegin);
  EXPECT_FALSE(parseAdjacentPosition(u"inside", p));
}

TEST(FragmentOps, OuterPositionsNeedAParentElement) {
  RefPtr<Document> document = parse("");
  Element* html = document->documentElement();
  EXPECT_EQ(insertAdjacentHtml(*html, AdjacentPosition::BeforeBegin, u"<p>"), MutationResult::HierarchyError);
}

TEST(FragmentOps, MarkupInsertedIntoABodyBecomesItsLastChildren) {
  RefPtr<Document> document = parse("<body><p>first</p>");
  ASSERT_EQ(insertAdjacentHtml(*document->body(), AdjacentPosition::BeforeEnd,
                               u"<INPUT id=textbox1 style=\"position: absolute; left: 5px\" />"),
            MutationResult::Ok);
  Element* input = asElement(document->body()->lastChild());
  ASSERT_TRUE(input);
  EXPECT_TRUE(input->is(TagId::Input));
  EXPECT_EQ(input->sourceIndex(), static_cast<int32_t>(document->all().size()) - 1);
}

TEST(FragmentOps, SetInnerHtmlReplacesTheChildren) {
  RefPtr<Document> document = parse("<div><b>old</b></div>");
  Element* div = firstByTag(*document, TagId::Div);
  ASSERT_EQ(setInnerHtml(*div, u"<i>new</i> text"), MutationResult::Ok);
  EXPECT_EQ(u8(innerHtml(*div)), "<I>new</I> text");
}

TEST(FragmentOps, SetInnerHtmlOnTextPropertyElementsSetsTheirText) {
  RefPtr<Document> document = parse("<title>a</title><script></script>");
  ASSERT_EQ(setInnerHtml(*firstByTag(*document, TagId::Title), u"x &amp; <b>y</b>"), MutationResult::Ok);
  EXPECT_EQ(u8(firstByTag(*document, TagId::Title)->text()), "x & <b>y</b>");
  ASSERT_EQ(setInnerHtml(*firstByTag(*document, TagId::Script), u"a &amp; b"), MutationResult::Ok);
  EXPECT_EQ(u8(firstByTag(*document, TagId::Script)->text()), "a &amp; b");
}

TEST(FragmentOps, SetOuterHtmlReplacesTheElement) {
  RefPtr<Document> document = parse("<body><div>a</div><p>b</p>");
  ASSERT_EQ(setOuterHtml(*firstByTag(*document, TagId::Div), u"<span>1</span><span>2</span>"), MutationResult::Ok);
  EXPECT_EQ(u8(innerHtml(*document->body())), "<SPAN>1</SPAN><SPAN>2</SPAN><P>b</P>");
}

TEST(InnerText, GivesTextWithLineBreaks) {
  RefPtr<Document> document = parse("<div>a<b>b</b><br>c<p>d</p>e</div>");
  EXPECT_EQ(u8(innerText(*firstByTag(*document, TagId::Div))), "ab\r\nc\r\nde");
}

TEST(InnerText, SetReplacesContentAndTurnsLineBreaksIntoBr) {
  RefPtr<Document> document = parse("<fieldset><legend><b>old</b></legend></fieldset>");
  Element* legend = firstByTag(*document, TagId::Legend);
  setInnerText(*legend, u"new <caption>\r\nline 2");
  EXPECT_EQ(u8(innerHtml(*legend)), "new &lt;caption&gt;<BR>line 2");
  EXPECT_EQ(u8(innerText(*legend)), "new <caption>\r\nline 2");
}

TEST(InnerText, TextareaKeepsOneTextNode) {
  RefPtr<Document> document = parse("<textarea>x</textarea>");
  Element* textarea = firstByTag(*document, TagId::Textarea);
  setInnerText(*textarea, u"a\r\nb");
  ASSERT_TRUE(asText(textarea->firstChild()));
  EXPECT_EQ(textarea->firstChild(), textarea->lastChild());
  EXPECT_EQ(u8(innerText(*textarea)), "a\r\nb");
}

}  // namespace
}  // namespace vellum::engine::test
