// The node tree: the `all` order and source indices, attributes, mutation and lifetime.

#include <gtest/gtest.h>

#include "dom/nesting_cap.h"
#include "support/test_util.h"

namespace vellum::engine::test {
namespace {

std::vector<std::string> allNames(Document& document) {
  std::vector<std::string> names;
  for (Node* n : document.all()) names.push_back(u8(n->nodeName()));
  return names;
}

TEST(Document, AllListsElementsAndCommentsInDocumentOrder) {
  RefPtr<Document> document =
      parse("<!DOCTYPE html><html><head><title>t</title></head><body><!--c--><div><span>x</span></div><p></p>");
  EXPECT_EQ(allNames(*document),
            (std::vector<std::string>{"#comment", "HTML", "HEAD", "TITLE", "BODY", "#comment", "DIV", "SPAN", "P"}));
  const auto& all = document->all();
  for (size_t i = 0; i < all.size(); ++i) EXPECT_EQ(all[i]->sourceIndex(), static_cast<int32_t>(i));
}

TEST(Document, TextNodesHaveNoSourceIndex) {
  RefPtr<Document> document = parse("<p>text</p>");
  EXPECT_EQ(firstByTag(*document, TagId::P)->firstChild()->sourceIndex(), -1);
}

TEST(Document, SourceIndicesFollowMutations) {
  RefPtr<Document> document = parse("<body><div id=a></div><div id=b></div>");
  Element* body = document->body();
  RefPtr<Node> a = body->firstChild();
  RefPtr<Node> b = body->lastChild();
  int32_t aIndex = a->sourceIndex();
  EXPECT_EQ(b->sourceIndex(), aIndex + 1);

  RefPtr<Element> inserted = document->createElement(u"INPUT");
  ASSERT_EQ(body->insertBefore(inserted, a.get()), MutationResult::Ok);
  EXPECT_EQ(inserted->sourceIndex(), aIndex);
  EXPECT_EQ(b->sourceIndex(), aIndex + 2);

  ASSERT_EQ(body->removeChild(a.get()), MutationResult::Ok);
  EXPECT_EQ(a->sourceIndex(), -1);
  EXPECT_EQ(b->sourceIndex(), aIndex + 1);
  EXPECT_EQ(document->all().size(), static_cast<size_t>(aIndex + 2));
}

TEST(Element, SettingAnExistingAttributeKeepsItsPlace) {
  RefPtr<Document> document = Document::create();
  RefPtr<Element> e = document->createElement(u"div");
  e->setAttribute(u"ID", u"x");
  e->setAttribute(u"style", u"left: 1px");
  e->setAttribute(u"title", u"t");
  e->setAttribute(u"Style", u"top: 2px");
  ASSERT_EQ(e->attributes().size(), 3u);
  EXPECT_EQ(u8(e->attributes()[0].name), "id");
  EXPECT_EQ(u8(e->attributes()[1].name), "style");
  EXPECT_EQ(u8(e->attributes()[1].value), "top: 2px");
  EXPECT_EQ(u8(e->attributes()[2].name), "title");
}

TEST(Element, RemovedAttributeIsGoneAndLookupIgnoresCase) {
  RefPtr<Document> document = Document::create();
  RefPtr<Element> e = document->createElement(u"div");
  e->setAttribute(u"a", u"1");
  e->setAttribute(u"b", u"2");
  EXPECT_TRUE(e->hasAttribute(u"B"));
  EXPECT_TRUE(e->removeAttribute(u"A"));
  EXPECT_FALSE(e->removeAttribute(u"a"));
  ASSERT_EQ(e->attributes().size(), 1u);
  EXPECT_EQ(u8(e->attributes()[0].name), "b");
  EXPECT_EQ(e->findAttribute(u"a"), nullptr);
}

TEST(Element, CreatedFromAnyCaseNameIsLowerCaseInsideUpperCaseOutside) {
  RefPtr<Document> document = Document::create();
  RefPtr<Element> e = document->createElement(u"TextArea");
  EXPECT_TRUE(e->is(TagId::Textarea));
  EXPECT_EQ(u8(e->localName()), "textarea");
  EXPECT_EQ(u8(e->tagName()), "TEXTAREA");
  RefPtr<Element> custom = document->createElement(u"My-Widget");
  EXPECT_EQ(custom->tagId(), TagId::Unknown);
  EXPECT_EQ(u8(custom->tagName()), "MY-WIDGET");
}

TEST(Element, EveryKnownTagHasItsUpperCaseNameReadyMade) {
  for (int id = 0; id <= static_cast<int>(TagId::Xmp); ++id) {
    const TagId tag = static_cast<TagId>(id);
    EXPECT_EQ(u8(std::u16string(upperTagName(tag))), u8(toAsciiUpper(tagName(tag)))) << id;
  }
  EXPECT_EQ(u8(std::u16string(upperTagName(TagId::Blockquote))), "BLOCKQUOTE");
}

TEST(Node, InsertionThatWouldMakeACycleIsRefused) {
  RefPtr<Document> document = parse("<div><span></span></div>");
  Element* div = firstByTag(*document, TagId::Div);
  Element* span = firstByTag(*document, TagId::Span);
  EXPECT_EQ(span->appendChild(RefPtr<Node>(div)), MutationResult::HierarchyError);
  EXPECT_EQ(div->appendChild(RefPtr<Node>(div)), MutationResult::HierarchyError);
  EXPECT_EQ(span->parent(), div);
}

TEST(Node, TextPropertyElementsRefuseChildren) {
  RefPtr<Document> document = Document::create();
  RefPtr<Element> script = document->createElement(u"script");
  EXPECT_EQ(script->appendChild(document->createText(u"x")), MutationResult::HierarchyError);
  EXPECT_FALSE(script->hasChildren());
}

TEST(Node, InsertBeforeAForeignReferenceFails) {
  RefPtr<Document> document = parse("<div></div><p></p>");
  Element* div = firstByTag(*document, TagId::Div);
  Element* p = firstByTag(*document, TagId::P);
  EXPECT_EQ(div->insertBefore(document->createText(u"x"), p), MutationResult::NotFound);
  EXPECT_EQ(div->removeChild(p), MutationResult::NotFound);
}

TEST(Node, AppendingAnAttachedNodeMovesIt) {
  RefPtr<Document> document = parse("<div id=a><span></span></div><div id=b></div>");
  Element* span = firstByTag(*document, TagId::Span);
  Element* b = asElement(document->body()->lastChild());
  ASSERT_EQ(b->appendChild(RefPtr<Node>(span)), MutationResult::Ok);
  EXPECT_EQ(span->parent(), b);
  EXPECT_FALSE(document->body()->firstChild()->hasChildren());
}

TEST(Node, FragmentInsertionMovesItsChildrenInOrder) {
  RefPtr<Document> document = parse("<body>");
  RefPtr<DocumentFragment> fragment = document->createDocumentFragment();
  fragment->appendChild(document->createElement(u"b"));
  fragment->appendChild(document->createElement(u"i"));
  ASSERT_EQ(document->body()->appendChild(fragment), MutationResult::Ok);
  EXPECT_FALSE(fragment->hasChildren());
  EXPECT_EQ(u8(document->body()->firstChild()->nodeName()), "B");
  EXPECT_EQ(u8(document->body()->lastChild()->nodeName()), "I");
}

TEST(Node, RemovedNodeStaysUsableWhileHeld) {
  RefPtr<Node> held;
  {
    RefPtr<Document> document = parse("<div><span>x</span></div>");
    held = firstByTag(*document, TagId::Span);
    held->remove();
    EXPECT_EQ(held->parent(), nullptr);
  }
  // The document's last outside reference is gone; the held node still knows its document.
  EXPECT_EQ(u8(held->nodeName()), "SPAN");
  EXPECT_EQ(u8(asText(held->firstChild())->data()), "x");
  EXPECT_EQ(held->document().liveNodeCount(), 2u);
}

TEST(Node, NodeHeldInsideAReleasedDocumentIsDetachedFromIt) {
  RefPtr<Node> held;
  {
    RefPtr<Document> document = parse("<div><span>x</span></div>");
    held = firstByTag(*document, TagId::Div);
  }
  EXPECT_EQ(held->parent(), nullptr);
  EXPECT_EQ(held->document().liveNodeCount(), 3u);  // div, span, text
}

TEST(Node, AppendingDeepChainsRespectsTheNestingCap) {
  RefPtr<Document> document = parse("<body>");
  Element* deepest = document->body();
  for (int i = 0; i < 1000; ++i) {
    RefPtr<Element> div = document->createElement(u"div");
    ASSERT_EQ(deepest->appendChild(div), MutationResult::Ok);
    deepest = div.get();
  }
  EXPECT_EQ(deepestElementLevel(*document), kMaxElementNesting);
  EXPECT_EQ(document->all().size(), 1003u);
}

TEST(Document, BodyAndHeadAreFoundBelowHtml) {
  RefPtr<Document> document = parse("<title>x</title><p>");
  ASSERT_TRUE(document->head());
  ASSERT_TRUE(document->body());
  EXPECT_TRUE(document->body()->is(TagId::Body));
  EXPECT_TRUE(document->documentElement()->is(TagId::Html));
}

TEST(Document, ParsingIntoADocumentReplacesItsContent) {
  RefPtr<Document> document = parse("<p>old</p>");
  parseInto(*document, u"<div>new</div>");
  EXPECT_EQ(firstByTag(*document, TagId::P), nullptr);
  EXPECT_NE(firstByTag(*document, TagId::Div), nullptr);
}

}  // namespace
}  // namespace vellum::engine::test
