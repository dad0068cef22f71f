// Boxes that only moved are placed again in the kept layout instead of laying the page out afresh:
// after any sequence of edits the kept layout is a layout from scratch, box for box and run for run,
// with the same offsets; and moves of absolutely positioned elements take the short way.

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

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

// Positioned boxes with borders, padding, margins, text that wraps and is centred, a control, a box
// inside another positioned one (its offset parent) and one in the flow.
const char16_t kPage[] =
    u"<html><head><style>.big { font-size: 21px; padding: 3px } .framed { border: 3px solid; margin: 5px 2px }"
    u" .centred { text-align: center }</style></head><body>"
    u"<span id=a style='position: absolute; left: 10px; top: 10px; width: 61px'>one two three four</span>"
    u"<span id=b class='big framed' style='position: absolute; left: 100px; top: 40px'>some words</span>"
    u"<div id=c class=centred style='position: absolute; left: 200px; top: 80px; width: 90px; height: 40px'>centred text"
    u"</div>"
    u"<input id=d style='position: absolute; left: 20px; top: 200px' value=x>"
    u"<div id=e class=framed style='position: absolute; left: 300px; top: 300px; width: 200px; height: 100px'>"
    u"<span id=f style='position: absolute; left: 7px; top: 9px'>inside</span></div>"
    u"<p id=g>flow text that wraps around a few times over the page</p></body></html>";

Element* ById(Document& document, std::u16string_view id) {
  for (Node* node : document.All())
    if (Element* element = AsElement(node))
      if (const Attribute* attribute = element->FindAttribute(u"id"); attribute && attribute->value == id) return element;
  return nullptr;
}

// Offsets and client sizes, which the dump leaves out.
std::string Offsets(const LayoutTree& tree) {
  std::string out;
  for (const Box& box : tree.Boxes())
    out += std::to_string(box.offsetLeft) + "," + std::to_string(box.offsetTop) + " " +
           std::to_string(box.clientLeft) + "," + std::to_string(box.clientTop) + " " +
           std::to_string(box.clientWidth) + "x" + std::to_string(box.clientHeight) + "\n";
  return out;
}

// What the document's layout keeper does: the boxes moved when only they moved, else a layout.
struct KeptLayout {
  css::StyleCache styles;
  std::optional<LayoutTree> tree;
  std::uint64_t version = 0;
  int moved = 0;

  const LayoutTree& For(Document& document) {
    std::vector<const Element*> changed;
    if (tree && document.AttributeChangesSince(version, changed) &&
        MoveChangedBoxes(*tree, document, FixedMeasurer(), styles, changed)) {
      ++moved;
    } else {
      tree.emplace(Layout(document, kWidth, kHeight, FixedMeasurer(), styles));
    }
    version = document.Version();
    return *tree;
  }
};

std::u16string Wide(const std::string& text) { return std::u16string(text.begin(), text.end()); }

std::u16string Position(int left, int top) {
  return u"position: absolute; left: " + Wide(std::to_string(left)) + u"px; top: " + Wide(std::to_string(top)) + u"px";
}

TEST(MovedBoxes, RandomEditsLayOutAsFromScratch) {
  RefPtr<Document> document = ParseDocument(kPage);
  KeptLayout kept;
  kept.For(*document);
  std::mt19937 random(7122026);
  const char16_t* const ids[] = {u"a", u"b", u"c", u"d", u"e", u"f", u"g"};
  int moves = 0;
  for (int round = 0; round < 500; ++round) {
    Element* target = ById(*document, ids[random() % std::size(ids)]);
    ASSERT_TRUE(target);
    const Attribute* styleAttribute = target->FindAttribute(u"style");
    const std::u16string style = styleAttribute ? styleAttribute->value : std::u16string();
    const bool sized = style.find(u"width") != std::u16string::npos;
    switch (random() % 10) {
      case 0:
      case 1:
      case 2:
      case 3: {  // a move, as the surface writes it
        std::u16string moved = Position(static_cast<int>(random() % 600) - 50, static_cast<int>(random() % 500));
        if (sized) moved += u"; width: 90px; height: 40px";
        target->SetAttribute(u"style", moved);
        ++moves;
        break;
      }
      case 4: {  // many moves before one layout, one element more than once
        for (int n = 0; n < 5; ++n) {
          Element* other = ById(*document, ids[random() % 4]);
          other->SetAttribute(u"style", Position(static_cast<int>(random() % 500), static_cast<int>(random() % 400)));
        }
        ++moves;
        break;
      }
      case 5:  // more than a move: a size, a place from the right, a font, hidden
        target->SetAttribute(u"style", random() % 2 ? u"position: absolute; left: 30px; top: 20px; width: 33px"
                                                    : u"position: absolute; right: 30px; top: 20px; font-size: 30px");
        break;
      case 6:
        target->SetAttribute(u"class", random() % 2 ? u"big" : u"framed centred");
        break;
      case 7:
        target->SetAttribute(u"style", random() % 2 ? u"display: none" : u"position: relative; left: 4px; top: 3px");
        break;
      case 8:
        if (Text* text = AsText(target->FirstChild())) text->SetData(u"changed text of another length");
        break;
      default:
        target->SetAttribute(u"title", u"no style depends on it");
        break;
    }
    const LayoutTree& incremental = kept.For(*document);
    const LayoutTree scratch = Layout(*document, kWidth, kHeight, FixedMeasurer());
    ASSERT_EQ(incremental.Dump(LayoutTree::DumpText::Runs), scratch.Dump(LayoutTree::DumpText::Runs)) << "round " << round;
    ASSERT_EQ(Offsets(incremental), Offsets(scratch)) << "round " << round;
    ASSERT_EQ(incremental.HitTest(15, 15), scratch.HitTest(15, 15)) << "round " << round;
  }
  // Most moves took the short way (those of an element hidden, placed from the right or relative did not).
  EXPECT_GT(kept.moved, moves / 4);
}

TEST(MovedBoxes, OnlyAMoveOfALeafPlacedByLeftAndTopMovesInPlace) {
  RefPtr<Document> document = ParseDocument(kPage);
  KeptLayout kept;
  kept.For(*document);
  auto moves = [&](const char16_t* id, const std::u16string& style) {
    const int before = kept.moved;
    ById(*document, id)->SetAttribute(u"style", style);
    kept.For(*document);
    return kept.moved > before;
  };
  EXPECT_TRUE(moves(u"a", Position(12, 13) + u"; width: 61px"));
  EXPECT_TRUE(moves(u"d", Position(25, 210)));                                     // a control
  EXPECT_TRUE(moves(u"f", Position(1, 2)));                                        // inside a positioned box
  EXPECT_FALSE(moves(u"e", Position(310, 300) + u"; width: 200px; height: 100px"));  // has a box inside
  EXPECT_FALSE(moves(u"a", Position(12, 13) + u"; width: 62px"));                  // resized
  EXPECT_FALSE(moves(u"a", u"position: absolute; left: 10%; top: 13px"));          // percent of its block
  EXPECT_FALSE(moves(u"g", u"position: relative; left: 3px; top: 4px"));           // in the flow
  // A text or a node changed: the page is laid out.
  const int before = kept.moved;
  AsText(ById(*document, u"b")->FirstChild())->SetData(u"x");
  ById(*document, u"a")->SetAttribute(u"style", Position(40, 40));
  kept.For(*document);
  EXPECT_EQ(kept.moved, before);
}

}  // namespace
}  // namespace vellum::engine::layout
