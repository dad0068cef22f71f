// Tree construction on our own cases: the shapes forms rely on and the engine's IE-compatible
// exceptions.

#include <gtest/gtest.h>

#include "dom/nesting_cap.h"
#include "parser/formatting_list.h"
#include "support/test_util.h"

namespace vellum::engine::test {
namespace {

TEST(TreeBuilder, EmptyInputStillGetsHtmlHeadAndBody) { EXPECT_EQ(dumpOf(""), tree("<html>", "  <head>", "  <body>")); }

TEST(TreeBuilder, ImpliedElementsSurroundBareText) {
  EXPECT_EQ(dumpOf("Hello"), tree("<html>", "  <head>", "  <body>", "    \"Hello\""));
}

TEST(TreeBuilder, HeadContentStaysInHeadAndBodyContentInBody) {
  EXPECT_EQ(dumpOf("<meta charset=utf-8><p>x"),
            tree("<html>", "  <head>", "    <meta>", "      charset=\"utf-8\"", "  <body>", "    <p>", "      \"x\""));
}

TEST(TreeBuilder, FormControlsNestInTheForm) {
  EXPECT_EQ(dumpOf("<form action=go><input name=a value='1'><input type=checkbox checked><button>OK</button></form>"),
            tree("<html>", "  <head>", "  <body>", "    <form>", "      action=\"go\"", "      <input>",
                 "        name=\"a\"", "        value=\"1\"", "      <input>", "        checked=\"\"",
                 "        type=\"checkbox\"", "      <button>", "        \"OK\""));
}

TEST(TreeBuilder, OptionsCloseEachOtherInsideSelect) {
  EXPECT_EQ(dumpOf("<select name=s><option value=1>One<option selected>Two</select>after"),
            tree("<html>", "  <head>", "  <body>", "    <select>", "      name=\"s\"", "      <option>",
                 "        value=\"1\"", "        \"One\"", "      <option>", "        selected=\"\"", "        \"Two\"",
                 "    \"after\""));
}

TEST(TreeBuilder, FieldsetHoldsItsLegendAndControls) {
  EXPECT_EQ(dumpOf("<fieldset><legend>Caption</legend><input></fieldset>"),
            tree("<html>", "  <head>", "  <body>", "    <fieldset>", "      <legend>", "        \"Caption\"",
                 "      <input>"));
}

TEST(TreeBuilder, TextareaKeepsItsTextAsChildWithoutTheFirstNewline) {
  RefPtr<Document> document = parse("<textarea>\nline 1\n&amp; <b>not bold</b></textarea>");
  Element* textarea = firstByTag(*document, TagId::Textarea);
  ASSERT_TRUE(textarea);
  const Text* text = asText(textarea->firstChild());
  ASSERT_TRUE(text);
  EXPECT_EQ(u8(text->data()), "line 1\n& <b>not bold</b>");
  EXPECT_EQ(textarea->firstChild(), textarea->lastChild());
}

TEST(TreeBuilder, TitleStyleAndScriptHoldTextAsPropertyWithoutChildren) {
  RefPtr<Document> document =
      parse("<title>A &amp; B</title><style>p { color: red }</style><script>if (a<b) x();</script>");
  Element* title = firstByTag(*document, TagId::Title);
  Element* style = firstByTag(*document, TagId::Style);
  Element* script = firstByTag(*document, TagId::Script);
  ASSERT_TRUE(title && style && script);
  EXPECT_EQ(u8(title->text()), "A & B");
  EXPECT_EQ(u8(style->text()), "p { color: red }");
  EXPECT_EQ(u8(script->text()), "if (a<b) x();");
  EXPECT_FALSE(title->hasChildren());
  EXPECT_FALSE(style->hasChildren());
  EXPECT_FALSE(script->hasChildren());
}

TEST(TreeBuilder, SvgTitleKeepsChildNodes) {
  RefPtr<Document> document = parse("<svg><title>t</title></svg>");
  const Element* svgTitle = nullptr;
  for (Node* n : document->all())
    if (Element* e = asElement(n); e && e->ns() == Namespace::Svg && e->tagId() == TagId::Title) svgTitle = e;
  ASSERT_TRUE(svgTitle);
  EXPECT_TRUE(svgTitle->hasChildren());
}

TEST(TreeBuilder, DoctypeAndCommentsAreKeptAsComments) {
  RefPtr<Document> document = parse("<!DOCTYPE html><!-- note --><html><body><!--in body--></body></html>");
  const auto& all = document->all();
  ASSERT_GE(all.size(), 3u);
  const Comment* doctype = asComment(all[0]);
  const Comment* note = asComment(all[1]);
  ASSERT_TRUE(doctype && note);
  EXPECT_EQ(u8(doctype->markup()), "<!DOCTYPE html>");
  EXPECT_EQ(u8(doctype->nodeName()), "#comment");
  EXPECT_EQ(u8(note->markup()), "<!-- note -->");
  EXPECT_EQ(document->mode(), DocumentMode::NoQuirks);
  Element* body = document->body();
  ASSERT_TRUE(body);
  ASSERT_TRUE(asComment(body->firstChild()));
  EXPECT_EQ(u8(asComment(body->firstChild())->markup()), "<!--in body-->");
}

TEST(TreeBuilder, OtherDeclarationsKeepTheirMarkupAsWritten) {
  RefPtr<Document> document = parse("<!ELEMENT br EMPTY><p>");
  const Comment* declaration = asComment(document->firstChild());
  ASSERT_TRUE(declaration);
  EXPECT_TRUE(declaration->isDeclaration());
  EXPECT_EQ(u8(declaration->markup()), "<!ELEMENT br EMPTY>");
}

TEST(TreeBuilder, MissingDoctypeSelectsQuirksModeWhereTablesStayInParagraphs) {
  EXPECT_EQ(parse("<p>")->mode(), DocumentMode::Quirks);
  EXPECT_EQ(dumpOf("<p><table>"), tree("<html>", "  <head>", "  <body>", "    <p>", "      <table>"));
  EXPECT_EQ(dumpOf("<!DOCTYPE html><p><table>"),
            tree("<!DOCTYPE html>", "<html>", "  <head>", "  <body>", "    <p>", "    <table>"));
}

TEST(TreeBuilder, TagNamesAreReportedUpperCase) {
  RefPtr<Document> document = parse("<span>x</span><Input>");
  EXPECT_EQ(u8(firstByTag(*document, TagId::Span)->tagName()), "SPAN");
  EXPECT_EQ(u8(firstByTag(*document, TagId::Input)->nodeName()), "INPUT");
}

TEST(TreeBuilder, AttributesKeepSourceOrderWithLowerCaseNames) {
  RefPtr<Document> document = parse("<div ID=x STYLE=\"left: 1px\" title=t>");
  const auto& attributes = firstByTag(*document, TagId::Div)->attributes();
  ASSERT_EQ(attributes.size(), 3u);
  EXPECT_EQ(u8(attributes[0].name), "id");
  EXPECT_EQ(u8(attributes[1].name), "style");
  EXPECT_EQ(u8(attributes[2].name), "title");
  EXPECT_EQ(u8(attributes[1].value), "left: 1px");
}

TEST(TreeBuilder, WhitespaceOnlyTextNodesAreKept) {
  EXPECT_EQ(dumpOf("<body><div> </div>\n<span></span></body>"),
            tree("<html>", "  <head>", "  <body>", "    <div>", "      \" \"", "    \"\n\"", "    <span>"));
}

TEST(TreeBuilder, MisnestedFormattingIsRepaired) {
  EXPECT_EQ(dumpOf("<b>1<p>2</b>3</p>"), tree("<html>", "  <head>", "  <body>", "    <b>", "      \"1\"", "    <p>",
                                              "      <b>", "        \"2\"", "      \"3\""));
}

TEST(TreeBuilder, StrayContentInTablesIsFosterParented) {
  EXPECT_EQ(dumpOf("<table>x<tr><td>y</table>"),
            tree("<html>", "  <head>", "  <body>", "    \"x\"", "    <table>", "      <tbody>", "        <tr>",
                 "          <td>", "            \"y\""));
}

TEST(TreeBuilder, NestingIsCappedAtTheDeepestAllowedLevel) {
  std::string markup;
  for (int i = 0; i < 600; ++i) markup += "<div id=d" + std::to_string(i) + ">";
  markup += "end";
  RefPtr<Document> document = parse(markup);
  EXPECT_EQ(deepestElementLevel(*document), kMaxElementNesting);
  // Every element is still there, in source order.
  int divs = 0;
  for (Node* n : document->all()) {
    if (Element* e = asElement(n); e && e->is(TagId::Div)) {
      EXPECT_EQ(u8(e->findAttribute(u"id")->value), "d" + std::to_string(divs));
      ++divs;
    }
  }
  EXPECT_EQ(divs, 600);
}

TEST(TreeBuilder, DeeplyNestedInputNeitherOverflowsNorExceedsTheCap) {
  std::string markup;
  for (int i = 0; i < 30000; ++i) markup += (i % 3 == 0) ? "<b>" : (i % 3 == 1) ? "<div>" : "<table><tr><td>";
  RefPtr<Document> document = parse(markup);
  EXPECT_LE(deepestElementLevel(*document), kMaxElementNesting);
}

TEST(TreeBuilder, ManyOpenTemplatesAllCloseAtEndOfInput) {
  std::string markup;
  for (int i = 0; i < 700; ++i) markup += "<template>";
  RefPtr<Document> document = parse(markup + "x");
  ASSERT_TRUE(document->body());
  EXPECT_TRUE(document->head()->firstChild()->isElement());
}

TEST(TreeBuilder, FloodOfFormattingTagsStaysWithinTheBudget) {
  std::string markup = "<div>";
  for (int i = 0; i < 500; ++i) markup += "<b id=" + std::to_string(i) + ">";
  for (int i = 0; i < 500; ++i) markup += "</div><div>x";
  RefPtr<Document> document = parse(markup);
  // Each re-opening may recreate at most the budgeted number of formatting elements.
  EXPECT_LT(document->all().size(), 500u + 500u * (FormattingList::kMaxEntriesAfterMarker + 2));
}

TEST(TreeBuilder, FragmentUsesItsContextElement) {
  RefPtr<Document> document = parse("<table><tbody></tbody></table>");
  Element* tbody = firstByTag(*document, TagId::Tbody);
  RefPtr<DocumentFragment> rows = parseFragment(*tbody, u"<tr><td>x");
  EXPECT_EQ(dumpTree(*rows), tree("<tr>", "  <td>", "    \"x\""));

  RefPtr<Element> textarea = document->createElement(u"textarea");
  EXPECT_EQ(dumpTree(*parseFragment(*textarea, u"<b>&amp;")), tree("\"<b>&\""));
}

}  // namespace
}  // namespace vellum::engine::test
