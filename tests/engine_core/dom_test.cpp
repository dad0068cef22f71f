// The node tree: the `all` order and source indices, attributes, mutation and lifetime.

#include <gtest/gtest.h>

#include <vector>

#include "dom/character_data.h"
#include "dom/nesting_cap.h"
#include "support/test_util.h"

namespace vellum::engine::test {
namespace {

std::vector<std::string> AllNames(Document& document) {
  std::vector<std::string> names;
  for (Node* n : document.All()) names.push_back(U8(n->NodeName()));
  return names;
}

TEST(Document, AllListsElementsAndCommentsInDocumentOrder) {
  RefPtr<Document> document =
      Parse("<!DOCTYPE html><html><head><title>t</title></head><body><!--c--><div><span>x</span></div><p></p>");
  EXPECT_EQ(AllNames(*document),
            (std::vector<std::string>{"#comment", "HTML", "HEAD", "TITLE", "BODY", "#comment", "DIV", "SPAN", "P"}));
  const auto& all = document->All();
  for (size_t i = 0; i < all.size(); ++i) EXPECT_EQ(all[i]->SourceIndex(), static_cast<int32_t>(i));
}

TEST(Document, TextNodesHaveNoSourceIndex) {
  RefPtr<Document> document = Parse("<p>text</p>");
  EXPECT_EQ(FirstByTag(*document, TagId::P)->FirstChild()->SourceIndex(), -1);
}

TEST(Document, SourceIndicesFollowMutations) {
  RefPtr<Document> document = Parse("<body><div id=a></div><div id=b></div>");
  Element* body = document->Body();
  RefPtr<Node> a = body->FirstChild();
  RefPtr<Node> b = body->LastChild();
  int32_t aIndex = a->SourceIndex();
  EXPECT_EQ(b->SourceIndex(), aIndex + 1);

  RefPtr<Element> inserted = document->CreateElement(u"INPUT");
  ASSERT_EQ(body->InsertBefore(inserted, a.get()), MutationResult::Ok);
  EXPECT_EQ(inserted->SourceIndex(), aIndex);
  EXPECT_EQ(b->SourceIndex(), aIndex + 2);

  ASSERT_EQ(body->RemoveChild(a.get()), MutationResult::Ok);
  EXPECT_EQ(a->SourceIndex(), -1);
  EXPECT_EQ(b->SourceIndex(), aIndex + 1);
  EXPECT_EQ(document->All().size(), static_cast<size_t>(aIndex + 2));
}

// Readers at different versions (the layout, the written text) each get what changed since theirs.
TEST(Document, TheJournalListsAttributeChangesSinceEachReadersVersion) {
  RefPtr<Document> document = Parse("<body><div id=a></div><div id=b>text</div>");
  Element* a = AsElement(document->Body()->FirstChild());
  Element* b = AsElement(document->Body()->LastChild());
  std::vector<const Element*> changed;
  const uint64_t start = document->Version();
  a->SetAttribute(u"title", u"1");
  const uint64_t middle = document->Version();
  b->SetAttribute(u"title", u"2");
  a->RemoveAttribute(u"id");
  ASSERT_TRUE(document->AttributeChangesSince(start, changed));
  EXPECT_EQ(changed, (std::vector<const Element*>{a, b, a}));
  ASSERT_TRUE(document->AttributeChangesSince(middle, changed));
  EXPECT_EQ(changed, (std::vector<const Element*>{b, a}));
  ASSERT_TRUE(document->AttributeChangesSince(document->Version(), changed));
  EXPECT_TRUE(changed.empty());
  EXPECT_FALSE(document->AttributeChangesSince(document->Version() + 1, changed)) << "a version not reached";

  // A text or a tree change is nothing the journal lists: readers from before it start over.
  AsText(b->FirstChild())->SetData(u"other");
  EXPECT_FALSE(document->AttributeChangesSince(middle, changed));
  const uint64_t afterText = document->Version();
  b->SetAttribute(u"title", u"3");
  ASSERT_TRUE(document->AttributeChangesSince(afterText, changed));
  EXPECT_EQ(changed, (std::vector<const Element*>{b}));
  document->Body()->AppendChild(document->CreateElement(u"p"));
  EXPECT_FALSE(document->AttributeChangesSince(afterText, changed));

  // Full, it keeps the later changes: a reader from before them starts over, a recent one does not.
  const uint64_t beforeMany = document->Version();
  for (std::size_t i = 0; i < Document::kJournalLimit; ++i) a->SetAttribute(u"title", i % 2 ? u"x" : u"y");
  const uint64_t recent = document->Version();
  b->SetAttribute(u"title", u"last");
  EXPECT_FALSE(document->AttributeChangesSince(beforeMany, changed));
  ASSERT_TRUE(document->AttributeChangesSince(recent, changed));
  EXPECT_EQ(changed, (std::vector<const Element*>{b}));
}

TEST(Element, SettingAnExistingAttributeKeepsItsPlace) {
  RefPtr<Document> document = Document::Create();
  RefPtr<Element> e = document->CreateElement(u"div");
  e->SetAttribute(u"ID", u"x");
  e->SetAttribute(u"style", u"left: 1px");
  e->SetAttribute(u"title", u"t");
  e->SetAttribute(u"Style", u"top: 2px");
  ASSERT_EQ(e->Attributes().size(), 3u);
  EXPECT_EQ(U8(e->Attributes()[0].name), "id");
  EXPECT_EQ(U8(e->Attributes()[1].name), "style");
  EXPECT_EQ(U8(e->Attributes()[1].value), "top: 2px");
  EXPECT_EQ(U8(e->Attributes()[2].name), "title");
}

TEST(Element, RemovedAttributeIsGoneAndLookupIgnoresCase) {
  RefPtr<Document> document = Document::Create();
  RefPtr<Element> e = document->CreateElement(u"div");
  e->SetAttribute(u"a", u"1");
  e->SetAttribute(u"b", u"2");
  EXPECT_TRUE(e->HasAttribute(u"B"));
  EXPECT_TRUE(e->RemoveAttribute(u"A"));
  EXPECT_FALSE(e->RemoveAttribute(u"a"));
  ASSERT_EQ(e->Attributes().size(), 1u);
  EXPECT_EQ(U8(e->Attributes()[0].name), "b");
  EXPECT_EQ(e->FindAttribute(u"a"), nullptr);
}

TEST(Element, CreatedFromAnyCaseNameIsLowerCaseInsideUpperCaseOutside) {
  RefPtr<Document> document = Document::Create();
  RefPtr<Element> e = document->CreateElement(u"TextArea");
  EXPECT_TRUE(e->Is(TagId::Textarea));
  EXPECT_EQ(U8(e->LocalName()), "textarea");
  EXPECT_EQ(U8(e->TagName()), "TEXTAREA");
  RefPtr<Element> custom = document->CreateElement(u"My-Widget");
  EXPECT_EQ(custom->GetTagId(), TagId::Unknown);
  EXPECT_EQ(U8(custom->TagName()), "MY-WIDGET");
}

TEST(Element, EveryKnownTagHasItsUpperCaseNameReadyMade) {
  for (int id = 0; id <= static_cast<int>(TagId::Xmp); ++id) {
    const TagId tag = static_cast<TagId>(id);
    EXPECT_EQ(U8(std::u16string(UpperTagName(tag))), U8(ToAsciiUpper(TagName(tag)))) << id;
  }
  EXPECT_EQ(U8(std::u16string(UpperTagName(TagId::Blockquote))), "BLOCKQUOTE");
}

TEST(Node, InsertionThatWouldMakeACycleIsRefused) {
  RefPtr<Document> document = Parse("<div><span></span></div>");
  Element* div = FirstByTag(*document, TagId::Div);
  Element* span = FirstByTag(*document, TagId::Span);
  EXPECT_EQ(span->AppendChild(RefPtr<Node>(div)), MutationResult::HierarchyError);
  EXPECT_EQ(div->AppendChild(RefPtr<Node>(div)), MutationResult::HierarchyError);
  EXPECT_EQ(span->Parent(), div);
}

TEST(Node, TextPropertyElementsRefuseChildren) {
  RefPtr<Document> document = Document::Create();
  RefPtr<Element> script = document->CreateElement(u"script");
  EXPECT_EQ(script->AppendChild(document->CreateText(u"x")), MutationResult::HierarchyError);
  EXPECT_FALSE(script->HasChildren());
}

TEST(Node, InsertBeforeAForeignReferenceFails) {
  RefPtr<Document> document = Parse("<div></div><p></p>");
  Element* div = FirstByTag(*document, TagId::Div);
  Element* p = FirstByTag(*document, TagId::P);
  EXPECT_EQ(div->InsertBefore(document->CreateText(u"x"), p), MutationResult::NotFound);
  EXPECT_EQ(div->RemoveChild(p), MutationResult::NotFound);
}

TEST(Node, AppendingAnAttachedNodeMovesIt) {
  RefPtr<Document> document = Parse("<div id=a><span></span></div><div id=b></div>");
  Element* span = FirstByTag(*document, TagId::Span);
  Element* b = AsElement(document->Body()->LastChild());
  ASSERT_EQ(b->AppendChild(RefPtr<Node>(span)), MutationResult::Ok);
  EXPECT_EQ(span->Parent(), b);
  EXPECT_FALSE(document->Body()->FirstChild()->HasChildren());
}

TEST(Node, FragmentInsertionMovesItsChildrenInOrder) {
  RefPtr<Document> document = Parse("<body>");
  RefPtr<DocumentFragment> fragment = document->CreateDocumentFragment();
  fragment->AppendChild(document->CreateElement(u"b"));
  fragment->AppendChild(document->CreateElement(u"i"));
  ASSERT_EQ(document->Body()->AppendChild(fragment), MutationResult::Ok);
  EXPECT_FALSE(fragment->HasChildren());
  EXPECT_EQ(U8(document->Body()->FirstChild()->NodeName()), "B");
  EXPECT_EQ(U8(document->Body()->LastChild()->NodeName()), "I");
}

TEST(Node, RemovedNodeStaysUsableWhileHeld) {
  RefPtr<Node> held;
  {
    RefPtr<Document> document = Parse("<div><span>x</span></div>");
    held = FirstByTag(*document, TagId::Span);
    held->Remove();
    EXPECT_EQ(held->Parent(), nullptr);
  }
  // The document's last outside reference is gone; the held node still knows its document.
  EXPECT_EQ(U8(held->NodeName()), "SPAN");
  EXPECT_EQ(U8(AsText(held->FirstChild())->Data()), "x");
  EXPECT_EQ(held->GetDocument().LiveNodeCount(), 2u);
}

TEST(Node, NodeHeldInsideAReleasedDocumentIsDetachedFromIt) {
  RefPtr<Node> held;
  {
    RefPtr<Document> document = Parse("<div><span>x</span></div>");
    held = FirstByTag(*document, TagId::Div);
  }
  EXPECT_EQ(held->Parent(), nullptr);
  EXPECT_EQ(held->GetDocument().LiveNodeCount(), 3u);  // div, span, text
}

TEST(Node, AppendingDeepChainsRespectsTheNestingCap) {
  RefPtr<Document> document = Parse("<body>");
  Element* deepest = document->Body();
  for (int i = 0; i < 1000; ++i) {
    RefPtr<Element> div = document->CreateElement(u"div");
    ASSERT_EQ(deepest->AppendChild(div), MutationResult::Ok);
    deepest = div.get();
  }
  EXPECT_EQ(DeepestElementLevel(*document), kMaxElementNesting);
  EXPECT_EQ(document->All().size(), 1003u);
}

TEST(Document, BodyAndHeadAreFoundBelowHtml) {
  RefPtr<Document> document = Parse("<title>x</title><p>");
  ASSERT_TRUE(document->Head());
  ASSERT_TRUE(document->Body());
  EXPECT_TRUE(document->Body()->Is(TagId::Body));
  EXPECT_TRUE(document->DocumentElement()->Is(TagId::Html));
}

TEST(Document, ParsingIntoADocumentReplacesItsContent) {
  RefPtr<Document> document = Parse("<p>old</p>");
  ParseInto(*document, u"<div>new</div>");
  EXPECT_EQ(FirstByTag(*document, TagId::P), nullptr);
  EXPECT_NE(FirstByTag(*document, TagId::Div), nullptr);
}

}  // namespace
}  // namespace vellum::engine::test
