// Tree construction on our own cases: the shapes forms rely on and the engine's IE-compatible
// exceptions.

#include <gtest/gtest.h>

#include "dom/nesting_cap.h"
#include "parser/formatting_list.h"
#include "support/test_util.h"

namespace vellum::engine::test {
namespace {

TEST(TreeBuilder, EmptyInputStillGetsHtmlHeadAndBody) { EXPECT_EQ(DumpOf(""), Tree("<html>", "  <head>", "  <body>")); }

TEST(TreeBuilder, ImpliedElementsSurroundBareText) {
  EXPECT_EQ(DumpOf("Hello"), Tree("<html>", "  <head>", "  <body>", "    \"Hello\""));
}

TEST(TreeBuilder, HeadContentStaysInHeadAndBodyContentInBody) {
  EXPECT_EQ(DumpOf("<meta charset=utf-8><p>x"),
            Tree("<html>", "  <head>", "    <meta>", "      charset=\"utf-8\"", "  <body>", "    <p>", "      \"x\""));
}

TEST(TreeBuilder, FormControlsNestInTheForm) {
  EXPECT_EQ(DumpOf("<form action=go><input name=a value='1'><input type=checkbox checked><button>OK</button></form>"),
            Tree("<html>", "  <head>", "  <body>", "    <form>", "      action=\"go\"", "      <input>",
                 "        name=\"a\"", "        value=\"1\"", "      <input>", "        checked=\"\"",
                 "        type=\"checkbox\"", "      <button>", "        \"OK\""));
}

TEST(TreeBuilder, OptionsCloseEachOtherInsideSelect) {
  EXPECT_EQ(DumpOf("<select name=s><option value=1>One<option selected>Two</select>after"),
            Tree("<html>", "  <head>", "  <body>", "    <select>", "      name=\"s\"", "      <option>",
                 "        value=\"1\"", "        \"One\"", "      <option>", "        selected=\"\"", "        \"Two\"",
                 "    \"after\""));
}

TEST(TreeBuilder, FieldsetHoldsItsLegendAndControls) {
  EXPECT_EQ(DumpOf("<fieldset><legend>Caption</legend><input></fieldset>"),
            Tree("<html>", "  <head>", "  <body>", "    <fieldset>", "      <legend>", "        \"Caption\"",
                 "      <input>"));
}

TEST(TreeBuilder, TextareaKeepsItsTextAsChildWithoutTheFirstNewline) {
  RefPtr<Document> document = Parse("<textarea>\nline 1\n&amp; <b>not bold</b></textarea>");
  Element* textarea = FirstByTag(*document, TagId::Textarea);
  ASSERT_TRUE(textarea);
  const Text* text = AsText(textarea->FirstChild());
  ASSERT_TRUE(text);
  EXPECT_EQ(U8(text->Data()), "line 1\n& <b>not bold</b>");
  EXPECT_EQ(textarea->FirstChild(), textarea->LastChild());
}

TEST(TreeBuilder, TitleStyleAndScriptHoldTextAsPropertyWithoutChildren) {
  RefPtr<Document> document =
      Parse("<title>A &amp; B</title><style>p { color: red }</style><script>if (a<b) x();</script>");
  Element* title = FirstByTag(*document, TagId::Title);
  Element* style = FirstByTag(*document, TagId::Style);
  Element* script = FirstByTag(*document, TagId::Script);
  ASSERT_TRUE(title && style && script);
  EXPECT_EQ(U8(title->Text()), "A & B");
  EXPECT_EQ(U8(style->Text()), "p { color: red }");
  EXPECT_EQ(U8(script->Text()), "if (a<b) x();");
  EXPECT_FALSE(title->HasChildren());
  EXPECT_FALSE(style->HasChildren());
  EXPECT_FALSE(script->HasChildren());
}

TEST(TreeBuilder, SvgTitleKeepsChildNodes) {
  RefPtr<Document> document = Parse("<svg><title>t</title></svg>");
  const Element* svgTitle = nullptr;
  for (Node* n : document->All())
    if (Element* e = AsElement(n); e && e->Ns() == Namespace::Svg && e->GetTagId() == TagId::Title) svgTitle = e;
  ASSERT_TRUE(svgTitle);
  EXPECT_TRUE(svgTitle->HasChildren());
}

TEST(TreeBuilder, DoctypeAndCommentsAreKeptAsComments) {
  RefPtr<Document> document = Parse("<!DOCTYPE html><!-- note --><html><body><!--in body--></body></html>");
  const auto& all = document->All();
  ASSERT_GE(all.size(), 3u);
  const Comment* doctype = AsComment(all[0]);
  const Comment* note = AsComment(all[1]);
  ASSERT_TRUE(doctype && note);
  EXPECT_EQ(U8(doctype->Markup()), "<!DOCTYPE html>");
  EXPECT_EQ(U8(doctype->NodeName()), "#comment");
  EXPECT_EQ(U8(note->Markup()), "<!-- note -->");
  EXPECT_EQ(document->Mode(), DocumentMode::NoQuirks);
  Element* body = document->Body();
  ASSERT_TRUE(body);
  ASSERT_TRUE(AsComment(body->FirstChild()));
  EXPECT_EQ(U8(AsComment(body->FirstChild())->Markup()), "<!--in body-->");
}

TEST(TreeBuilder, OtherDeclarationsKeepTheirMarkupAsWritten) {
  RefPtr<Document> document = Parse("<!ELEMENT br EMPTY><p>");
  const Comment* declaration = AsComment(document->FirstChild());
  ASSERT_TRUE(declaration);
  EXPECT_TRUE(declaration->IsDeclaration());
  EXPECT_EQ(U8(declaration->Markup()), "<!ELEMENT br EMPTY>");
}

TEST(TreeBuilder, MissingDoctypeSelectsQuirksModeWhereTablesStayInParagraphs) {
  EXPECT_EQ(Parse("<p>")->Mode(), DocumentMode::Quirks);
  EXPECT_EQ(DumpOf("<p><table>"), Tree("<html>", "  <head>", "  <body>", "    <p>", "      <table>"));
  EXPECT_EQ(DumpOf("<!DOCTYPE html><p><table>"),
            Tree("<!DOCTYPE html>", "<html>", "  <head>", "  <body>", "    <p>", "    <table>"));
}

TEST(TreeBuilder, TagNamesAreReportedUpperCase) {
  RefPtr<Document> document = Parse("<span>x</span><Input>");
  EXPECT_EQ(U8(FirstByTag(*document, TagId::Span)->TagName()), "SPAN");
  EXPECT_EQ(U8(FirstByTag(*document, TagId::Input)->NodeName()), "INPUT");
}

TEST(TreeBuilder, AttributesKeepSourceOrderWithLowerCaseNames) {
  RefPtr<Document> document = Parse("<div ID=x STYLE=\"left: 1px\" title=t>");
  const auto& attributes = FirstByTag(*document, TagId::Div)->Attributes();
  ASSERT_EQ(attributes.size(), 3u);
  EXPECT_EQ(U8(attributes[0].name), "id");
  EXPECT_EQ(U8(attributes[1].name), "style");
  EXPECT_EQ(U8(attributes[2].name), "title");
  EXPECT_EQ(U8(attributes[1].value), "left: 1px");
}

TEST(TreeBuilder, WhitespaceOnlyTextNodesAreKept) {
  EXPECT_EQ(DumpOf("<body><div> </div>\n<span></span></body>"),
            Tree("<html>", "  <head>", "  <body>", "    <div>", "      \" \"", "    \"\n\"", "    <span>"));
}

TEST(TreeBuilder, MisnestedFormattingIsRepaired) {
  EXPECT_EQ(DumpOf("<b>1<p>2</b>3</p>"), Tree("<html>", "  <head>", "  <body>", "    <b>", "      \"1\"", "    <p>",
                                              "      <b>", "        \"2\"", "      \"3\""));
}

TEST(TreeBuilder, StrayContentInTablesIsFosterParented) {
  EXPECT_EQ(DumpOf("<table>x<tr><td>y</table>"),
            Tree("<html>", "  <head>", "  <body>", "    \"x\"", "    <table>", "      <tbody>", "        <tr>",
                 "          <td>", "            \"y\""));
}

TEST(TreeBuilder, NestingIsCappedAtTheDeepestAllowedLevel) {
  std::string markup;
  for (int i = 0; i < 600; ++i) markup += "<div id=d" + std::to_string(i) + ">";
  markup += "end";
  RefPtr<Document> document = Parse(markup);
  EXPECT_EQ(DeepestElementLevel(*document), kMaxElementNesting);
  // Every element is still there, in source order.
  int divs = 0;
  for (Node* n : document->All()) {
    if (Element* e = AsElement(n); e && e->Is(TagId::Div)) {
      EXPECT_EQ(U8(e->FindAttribute(u"id")->value), "d" + std::to_string(divs));
      ++divs;
    }
  }
  EXPECT_EQ(divs, 600);
}

TEST(TreeBuilder, DeeplyNestedInputNeitherOverflowsNorExceedsTheCap) {
  std::string markup;
  for (int i = 0; i < 30000; ++i) markup += (i % 3 == 0) ? "<b>" : (i % 3 == 1) ? "<div>" : "<table><tr><td>";
  RefPtr<Document> document = Parse(markup);
  EXPECT_LE(DeepestElementLevel(*document), kMaxElementNesting);
}

TEST(TreeBuilder, ManyOpenTemplatesAllCloseAtEndOfInput) {
  std::string markup;
  for (int i = 0; i < 700; ++i) markup += "<template>";
  RefPtr<Document> document = Parse(markup + "x");
  ASSERT_TRUE(document->Body());
  EXPECT_TRUE(document->Head()->FirstChild()->IsElement());
}

TEST(TreeBuilder, FloodOfFormattingTagsStaysWithinTheBudget) {
  std::string markup = "<div>";
  for (int i = 0; i < 500; ++i) markup += "<b id=" + std::to_string(i) + ">";
  for (int i = 0; i < 500; ++i) markup += "</div><div>x";
  RefPtr<Document> document = Parse(markup);
  // Each re-opening may recreate at most the budgeted number of formatting elements.
  EXPECT_LT(document->All().size(), 500u + 500u * (FormattingList::kMaxEntriesAfterMarker + 2));
}

TEST(TreeBuilder, FragmentUsesItsContextElement) {
  RefPtr<Document> document = Parse("<table><tbody></tbody></table>");
  Element* tbody = FirstByTag(*document, TagId::Tbody);
  RefPtr<DocumentFragment> rows = ParseFragment(*tbody, u"<tr><td>x");
  EXPECT_EQ(DumpTree(*rows), Tree("<tr>", "  <td>", "    \"x\""));

  RefPtr<Element> textarea = document->CreateElement(u"textarea");
  EXPECT_EQ(DumpTree(*ParseFragment(*textarea, u"<b>&amp;")), Tree("\"<b>&\""));
}

}  // namespace
}  // namespace vellum::engine::test
