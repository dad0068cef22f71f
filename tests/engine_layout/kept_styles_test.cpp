// Styles kept from one layout to the next: after any sequence of edits the boxes and every computed
// value are those of a layout from scratch, and an edit recomputes only the styles it can change.

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "css/element_style.h"
#include "css/style_cache.h"
#include "dom/character_data.h"
#include "dom/document.h"
#include "dom/element.h"
#include "layout/layout_tree.h"
#include "parser/html_parser.h"

namespace vellum::engine::layout {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

const char16_t kPage[] =
    u"<html><head><style>.big { font-size: 20px; padding: 3px } #f1 span { color: red; border: 1px solid }"
    u" div > span { width: 70px } .gone { display: none } form .big { margin-left: 4px }</style></head>"
    u"<body><form id=f1><div style='position: absolute; left: 10px; top: 10px; width: 300px'>"
    u"<span class=big>one two</span><span>three</span></div>"
    u"<input style='position: absolute; left: 20px; top: 200px' value=x></form>"
    u"<div id=d2 class=big style='position: absolute; left: 400px; top: 20px'>words <b>bold</b> here</div>"
    u"<p>flow text that wraps around a few times over the page</p></body></html>";

std::vector<Element*> BodyElements(Document& document) {
  std::vector<Element*> elements;
  for (Node* node : document.All())
    if (Element* element = AsElement(node); element && document.Body()->IsInclusiveAncestorOf(element))
      elements.push_back(element);
  return elements;
}

// Every element's kept style, walked as layout walks them, against one computed from scratch.
void ExpectKeptStylesFresh(Document& document, css::StyleCache& kept) {
  kept.BeginPass(document);
  struct Open {
    const Element* element;
    const css::StyleCache::Entry* entry;
    std::unique_ptr<css::StyleCache::Entry> scratch;
  };
  std::vector<std::unique_ptr<Open>> chain;
  for (Node* node : document.All()) {
    Element* element = AsElement(node);
    if (!element) continue;
    while (!chain.empty() && !chain.back()->element->IsInclusiveAncestorOf(element)) chain.pop_back();
    auto open = std::make_unique<Open>();
    open->element = element;
    open->entry = &kept.StyleOf(*element, chain.empty() ? nullptr : chain.back()->entry, open->scratch);
    const css::ComputedStyle fresh = css::ComputeElementStyle(*element);
    for (std::size_t id = 0; id < css::kPropertyCount; ++id) {
      const auto property = static_cast<css::PropertyId>(id);
      ASSERT_EQ(open->entry->Style().Longhand(property), fresh.Longhand(property))
          << "property " << id << " of " << std::string(element->LocalName().begin(), element->LocalName().end());
    }
    chain.push_back(std::move(open));
  }
}

TEST(KeptStyles, RandomEditsLayOutAsFromScratch) {
  RefPtr<Document> document = ParseDocument(kPage);
  css::StyleCache kept;
  std::mt19937 random(20261207);
  const std::u16string styles[] = {u"position: absolute; left: 5px; top: 9px",
                                   u"position: absolute; left: 50px; top: 90px; width: 120px",
                                   u"font-size: 30px; color: blue",
                                   u"display: none",
                                   u"",
                                   u"padding: 7px; border: 2px solid green"};
  const std::u16string classes[] = {u"big", u"gone", u"", u"other big"};
  const std::u16string sheets[] = {u".big { font-size: 20px } span { color: green }", u"div { padding: 9px }"};
  for (int round = 0; round < 600; ++round) {
    std::vector<Element*> elements = BodyElements(*document);
    Element* target = elements[random() % elements.size()];
    switch (random() % 9) {
      case 0:
      case 1:
        target->SetAttribute(u"style", styles[random() % std::size(styles)]);
        break;
      case 2:
        target->SetAttribute(u"class", classes[random() % std::size(classes)]);
        break;
      case 3:
        target->SetAttribute(u"id", random() % 2 ? u"f1" : u"d2");
        break;
      case 4: {  // a new element, perhaps where a removed one was
        RefPtr<Element> made = document->CreateElement(random() % 2 ? u"span" : u"div");
        made->SetAttribute(u"class", classes[random() % std::size(classes)]);
        made->AppendChild(document->CreateText(u"new words"));
        if (!target->IsInclusiveAncestorOf(document->Body())) target->AppendChild(made);
        break;
      }
      case 5:
        if (target != document->Body()) target->Remove();
        break;
      case 6:  // moved under another parent
        if (target != document->Body()) {
          Element* other = elements[random() % elements.size()];
          if (!target->IsInclusiveAncestorOf(other)) other->AppendChild(RefPtr<Node>(target));
        }
        break;
      case 7:
        if (Text* text = AsText(target->FirstChild())) text->SetData(u"changed text of another length");
        break;
      default:
        if (random() % 4 == 0) {
          for (Node* node : document->All())
            if (Element* element = AsElement(node); element && element->Is(TagId::Style))
              element->SetText(sheets[random() % std::size(sheets)]);
        } else {
          target->RemoveAttribute(u"style");
        }
        break;
    }
    const LayoutTree incremental = Layout(*document, kWidth, kHeight, FixedMeasurer(), kept);
    const LayoutTree scratch = Layout(*document, kWidth, kHeight, FixedMeasurer());
    ASSERT_EQ(incremental.Dump(LayoutTree::DumpText::Runs), scratch.Dump(LayoutTree::DumpText::Runs))
        << "round " << round;
    if (round % 10 == 0) {
      // What the layout hands painting is what it laid out with.
      ASSERT_EQ(incremental.KeptStyles().size(), incremental.Boxes().size());
      for (std::size_t i = 0; i < incremental.Boxes().size(); ++i)
        if (const css::StyleCache::Entry* entry = incremental.KeptStyles()[i])
          ASSERT_EQ(entry->Style(), css::ComputeElementStyle(*incremental.Boxes()[i].element)) << "box " << i;
      ExpectKeptStylesFresh(*document, kept);
    }
  }
  ExpectKeptStylesFresh(*document, kept);
}

TEST(KeptStyles, AnEditRecomputesOnlyTheStylesItCanChange) {
  std::u16string html = u"<html><body>";
  for (int i = 0; i < 200; ++i) html += u"<span style='position: absolute; left: 1px'><b>x</b></span>";
  RefPtr<Document> document = ParseDocument(html + u"</body></html>");
  css::StyleCache kept;
  Layout(*document, kWidth, kHeight, FixedMeasurer(), kept);
  Element* span = AsElement(document->Body()->ChildAt(7));
  ASSERT_TRUE(span);

  std::uint64_t before = kept.ComputedCount();
  span->SetAttribute(u"style", u"position: absolute; left: 2px");
  Layout(*document, kWidth, kHeight, FixedMeasurer(), kept);
  EXPECT_EQ(kept.ComputedCount() - before, 2u) << "the span and its <b>";

  before = kept.ComputedCount();
  AsText(span->FirstChild()->FirstChild())->SetData(u"y");
  Layout(*document, kWidth, kHeight, FixedMeasurer(), kept);
  EXPECT_EQ(kept.ComputedCount(), before) << "a text is not styled";

  // Any attribute has the element's style computed again; when it comes out the same, its children
  // keep theirs.
  before = kept.ComputedCount();
  span->SetAttribute(u"title", u"no style depends on it");
  Layout(*document, kWidth, kHeight, FixedMeasurer(), kept);
  EXPECT_EQ(kept.ComputedCount() - before, 1u);

  // A sheet reaches every element.
  before = kept.ComputedCount();
  RefPtr<Element> sheet = document->CreateElement(u"style");
  sheet->SetText(u"b { color: red }");
  document->Head()->AppendChild(sheet);
  Layout(*document, kWidth, kHeight, FixedMeasurer(), kept);
  EXPECT_EQ(kept.ComputedCount() - before, kept.KeptCount());

  // Removed elements' styles go once they are as many as the page's own.
  while (document->Body()->ChildCount() > 10) document->Body()->LastChild()->Remove();
  Layout(*document, kWidth, kHeight, FixedMeasurer(), kept);
  EXPECT_LE(kept.KeptCount(), 30u);
}

// Between passes where only elements' attributes changed the sheets are not read again; an attribute
// of a style element (its type turns it off) is a change of the sheets all the same.
TEST(KeptStyles, AStyleElementsTypeTurnsItsSheetOnAndOff) {
  RefPtr<Document> document = ParseDocument(
      u"<html><head><style>span { padding: 9px }</style></head><body><span style='left: 1px'>x</span></body></html>");
  css::StyleCache kept;
  Element* sheet = nullptr;
  for (Node* node : document->All())
    if (Element* element = AsElement(node); element && element->Is(TagId::Style)) sheet = element;
  ASSERT_TRUE(sheet);
  Element* span = AsElement(document->Body()->FirstChild());
  auto same = [&] {
    return Layout(*document, kWidth, kHeight, FixedMeasurer(), kept).Dump() ==
           Layout(*document, kWidth, kHeight, FixedMeasurer()).Dump();
  };
  ASSERT_TRUE(same());
  for (const char16_t* type : {u"text/plain", u"TEXT/CSS", u"x", u""}) {
    span->SetAttribute(u"style", type[0] ? u"left: 2px" : u"left: 3px");
    EXPECT_TRUE(same());
    sheet->SetAttribute(u"type", type);
    EXPECT_TRUE(same()) << std::string(type, type + std::char_traits<char16_t>::length(type));
    ExpectKeptStylesFresh(*document, kept);
  }
}

// The ancestor's own style does not change, but what its descendants' selectors match does.
TEST(KeptStyles, AnAncestorsIdAndClassReachItsDescendants) {
  RefPtr<Document> document = ParseDocument(
      u"<html><head><style>#on span { padding: 9px } .wide span { width: 77px }</style></head><body>"
      u"<div id=off><p><span>x</span></p></div></body></html>");
  css::StyleCache kept;
  auto same = [&] {
    return Layout(*document, kWidth, kHeight, FixedMeasurer(), kept).Dump() ==
           Layout(*document, kWidth, kHeight, FixedMeasurer()).Dump();
  };
  Element* div = AsElement(document->Body()->FirstChild());
  ASSERT_TRUE(same());
  div->SetAttribute(u"id", u"on");
  EXPECT_TRUE(same());
  div->SetAttribute(u"class", u"wide");
  EXPECT_TRUE(same());
  div->RemoveAttribute(u"id");
  EXPECT_TRUE(same());
  ExpectKeptStylesFresh(*document, kept);
}

TEST(KeptStyles, PastItsBudgetTheCacheStillGivesEveryStyle) {
  std::u16string html = u"<html><head><style>i { font-size: 21px }</style></head><body>";
  for (int i = 0; i < 40; ++i) html += u"<span style='position: absolute; left: 3px'><i>x</i></span>";
  RefPtr<Document> document = ParseDocument(html + u"</body></html>");
  css::StyleCache kept(10);
  const std::string scratch = Layout(*document, kWidth, kHeight, FixedMeasurer()).Dump(LayoutTree::DumpText::Runs);
  for (int pass = 0; pass < 3; ++pass)
    EXPECT_EQ(Layout(*document, kWidth, kHeight, FixedMeasurer(), kept).Dump(LayoutTree::DumpText::Runs), scratch);
  EXPECT_EQ(kept.KeptCount(), 10u);
}

}  // namespace
}  // namespace vellum::engine::layout
