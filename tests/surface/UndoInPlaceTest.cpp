// Undo and redo of an edit that changed one element replace that element in the live page instead of
// reading the whole page back; whichever way a step goes, the page is then exactly its snapshot.
#include <random>

#include "ImageCompare.h"
#include "MessagePump.h"
#include "SurfaceFixture.h"
#include "comkit/ComRef.h"
#include "comkit/ComText.h"
#include "vellum.h"

namespace st {
namespace {

// Something of every kind the writer treats apart: nested positioned boxes, a form with controls whose
// state is written out, a text area and a pre (exact content), a list, a table, a fieldset with legend.
const char kRichForm[] =
    "<html><head><title>t</title><style>.k { color: red }</style></head>"
    "<body width=\"400\" height=\"300\">"
    "<span id=\"a\" style=\"position: absolute; left: 10px; top: 10px; width: 50px; height: 20px;\">A</span>"
    "<div id=\"box\" style=\"position: absolute; left: 100px; top: 10px; width: 120px; height: 60px;\">"
    "<span id=\"b\" class=\"k\" style=\"position: absolute; left: 5px; top: 5px; width: 40px; height: 20px;\">B</span>"
    "</div>"
    "<form id=\"f\">"
    "<input id=\"t\" style=\"position: absolute; left: 10px; top: 80px; width: 80px; height: 20px;\" value=\"v\" />"
    "<input id=\"cb\" type=\"checkbox\" checked style=\"position: absolute; left: 100px; top: 80px;\" />"
    "<textarea id=\"ta\" style=\"position: absolute; left: 150px; top: 80px; width: 80px; height: 40px;\">\n"
    "  two\n lines</textarea>"
    "<select id=\"sel\" style=\"position: absolute; left: 250px; top: 80px; width: 80px; height: 20px;\">"
    "<option>x</option><option selected>y</option></select>"
    "</form>"
    "<pre id=\"pre\" style=\"position: absolute; left: 10px; top: 140px;\">  kept  as is</pre>"
    "<table id=\"tab\" style=\"position: absolute; left: 150px; top: 140px;\"><tr><td id=\"cell\">1</td></tr></table>"
    "<fieldset id=\"fs\" style=\"position: absolute; left: 10px; top: 200px; width: 150px; height: 60px;\">"
    "<legend id=\"lg\">L</legend></fieldset>"
    "<ul id=\"list\" style=\"position: absolute; left: 250px; top: 200px;\"><li id=\"item\">i</li></ul>"
    "</body></html>";

const wchar_t* const kIds[] = {L"a", L"box", L"b", L"t", L"cb", L"ta", L"sel", L"pre", L"tab", L"cell", L"fs", L"list", L"item"};

class UndoInPlace : public Surface {
 protected:
  void SetUp() override {
    Surface::SetUp();
    ASSERT_TRUE(LoadAndWait(kRichForm));
  }
  vt::Image Shown() {
    vt::PumpPending();
    GdiFlush();
    return vt::CaptureWindow(hwnd_);
  }
  // An edit of one element through the object model, recorded as the property sheet records its own.
  void EditThroughObjectModel(IHTMLElement* element, std::mt19937& random) {
    CComRef<IHTMLStyle> style;
    switch (random() % 4) {
      case 0: {
        CBstr title(random() % 2 ? L"a \"quoted\" <title>" : L"plain");
        element->put_title(title.get());
        break;
      }
      case 1:
        if (SUCCEEDED(element->get_style(style.Out())) && style) {
          VARIANT width = {};
          V_VT(&width) = VT_I4;
          V_I4(&width) = 20 + static_cast<int>(random() % 80);
          style->put_width(width);
        }
        break;
      case 2: {
        CBstr name(L"k");
        element->put_className(random() % 2 ? name.get() : nullptr);
        break;
      }
      default: {
        // Text only where the parser reads it back in place (a table's would be moved out before it).
        CBstr tag;
        element->get_tagName(tag.Out());
        const std::wstring name = tag.get() ? tag.get() : L"";
        if (name != L"SPAN" && name != L"TD" && name != L"LI" && name != L"LEGEND") break;
        CBstr text(random() % 2 ? L"new & text" : L"x");
        element->put_innerText(text.get());
        break;
      }
    }
    GetControl()->SaveToUndo();
  }
};

TEST_F(UndoInPlace, RandomEditsUndoAndRedoToExactlyTheirSnapshots) {
  std::mt19937 random(20261207);
  const UINT arrows[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN};
  const UINT loadsBefore = GetControl()->CompletedLoads();
  int steps = 0;
  for (int round = 0; round < 160; ++round) {
    const wchar_t* id = kIds[random() % std::size(kIds)];
    IHTMLElement* element = Element(id);
    const unsigned action = random() % 10;
    if (action < 4 && History().CanUndo() + History().CanRedo() > 0) {
      // Back or forth, sometimes several steps in a row.
      for (int n = 1 + static_cast<int>(random() % 3); n > 0; --n) {
        const UINT message = random() % 3 && History().CanUndo() ? VLM_UNDO : VLM_REDO;
        if (!Send(message == VLM_UNDO ? VLM_CANUNDO : VLM_CANREDO)) continue;
        ASSERT_TRUE(StepAndWait(message)) << "round " << round;
        ++steps;
        ASSERT_EQ(Code(), Snapshot(History().Index())) << "round " << round;
      }
      continue;
    }
    if (!element) continue;
    const RECT box = Box(id);
    switch (action) {
      case 4:
        Click(box.left + 2, box.top + 2);
        Key(arrows[random() % 4], random() % 2 == 0);
        break;
      case 5:
        Click(box.left + 2, box.top + 2);
        Drag({box.left + 2, box.top + 2}, {box.left + 2 + static_cast<int>(random() % 20), box.top + 12});
        break;
      case 6:
        SelectIds({id, kIds[random() % std::size(kIds)]});
        Send(random() % 2 ? VLM_ALIGNLEFTS : VLM_ALIGNTOPS);
        break;
      case 7:
        if (random() % 4 == 0) {
          Click(box.left + 2, box.top + 2);
          Send(VLM_DELETESELECTION);
        } else {
          Insert(VLM_KIND_LABEL, {300, 10 + static_cast<LONG>(random() % 50), 360, 30 + static_cast<LONG>(random() % 50)});
        }
        break;
      default:
        EditThroughObjectModel(element, random);
        break;
    }
    ASSERT_EQ(Code(), Snapshot(History().Index())) << "round " << round;
  }
  ASSERT_GT(steps, 40);
  // Most steps undid or redid one element's change and took no load.
  const UINT inPlace = GetControl()->HistoryStepsInPlace();
  EXPECT_GT(inPlace, static_cast<UINT>(steps) / 2);
  EXPECT_EQ(GetControl()->CompletedLoads() - loadsBefore, static_cast<UINT>(steps) - inPlace);

  // The page the steps left shows as the same page read back whole.
  GetSurface()->ClearSelection();
  const std::string text = Code();
  const vt::Image stepped = Shown();
  ASSERT_TRUE(LoadAndWait(text.c_str()));
  EXPECT_EQ(Code(), text);
  const vt::ImageDifference difference = vt::CompareImages(stepped, Shown(), 0);
  ASSERT_TRUE(difference.sameSize);
  EXPECT_EQ(difference.differingPixels, 0) << "first at " << difference.first.x << "," << difference.first.y;
}

// A nudge undone in place leaves every element the object it was: the page is not read back, and the
// moved element only has its style set back.
TEST_F(UndoInPlace, UndoingANudgeKeepsTheElements) {
  CComRef<IUnknown> other, moved;
  ASSERT_TRUE(SUCCEEDED(Element(L"b")->QueryInterface(IID_IUnknown, other.OutVoid())));
  ASSERT_TRUE(SUCCEEDED(Element(L"a")->QueryInterface(IID_IUnknown, moved.OutVoid())));
  const std::string before = Code();
  const RECT box = Box(L"a");
  Click(box.left + 2, box.top + 2);
  Key(VK_RIGHT);
  const std::string after = Code();
  ASSERT_NE(after, before);
  const UINT loads = GetControl()->CompletedLoads(), inPlace = GetControl()->HistoryStepsInPlace();
  const int index = History().Index();

  ASSERT_TRUE(StepAndWait(VLM_UNDO));
  EXPECT_EQ(Code(), before);
  EXPECT_EQ(History().Index(), index - 1);
  EXPECT_EQ(GetControl()->HistoryStepsInPlace(), inPlace + 1);
  EXPECT_TRUE(SelectedIds().empty());
  EXPECT_EQ(InlineStyle(L"a", L"left"), L"10px");
  CComRef<IUnknown> same, sameMoved;
  ASSERT_TRUE(SUCCEEDED(Element(L"b")->QueryInterface(IID_IUnknown, same.OutVoid())));
  ASSERT_TRUE(SUCCEEDED(Element(L"a")->QueryInterface(IID_IUnknown, sameMoved.OutVoid())));
  EXPECT_EQ(same.get(), other.get());
  EXPECT_EQ(sameMoved.get(), moved.get());

  ASSERT_TRUE(StepAndWait(VLM_REDO));
  EXPECT_EQ(Code(), after);
  EXPECT_EQ(GetControl()->HistoryStepsInPlace(), inPlace + 2);
  vt::PumpFor(30);
  EXPECT_EQ(GetControl()->CompletedLoads(), loads);
  EXPECT_EQ(Send(VLM_CANREDO), 0);
}

// A step whose change is not inside one element (an insertion into the body, the form's size) reads its
// snapshot back whole.
TEST_F(UndoInPlace, AStepAcrossTheBodyReadsThePageBack) {
  const std::string before = Code();
  ASSERT_EQ(Insert(VLM_KIND_LABEL, {300, 10, 360, 30}), 1);
  const UINT loads = GetControl()->CompletedLoads(), inPlace = GetControl()->HistoryStepsInPlace();
  ASSERT_TRUE(StepAndWait(VLM_UNDO));
  EXPECT_EQ(Code(), before);
  EXPECT_EQ(GetControl()->CompletedLoads(), loads + 1);
  EXPECT_EQ(GetControl()->HistoryStepsInPlace(), inPlace);
}

}  // namespace
}  // namespace st
