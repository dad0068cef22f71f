// The dialog templates as compiled into the module, held to the rules every dialog keeps whatever it
// holds: its controls lie inside it and apart from each other, and Tab reaches every input in the order
// a reader takes (down each column, the columns from left to right). What each dialog holds is the
// resource script's business; the dialogs at work are tried in dialog_usage_test.cpp (the text-fit check
// included).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "dialog_template_reader.h"
#include "resource_module.h"

namespace vellum::test {
namespace {

// The one overlap by design: in the font dialog the face list starts under the descenders of its
// "Font:" label, as in the system's own font dialog template.
constexpr int kChooseFontDialog = 103;
constexpr int kFontFaceLabel = 1088;
constexpr int kFontFaceList = 1136;

struct NamedTemplate {
  int id;
  DialogTemplate dialog;
};

BOOL CALLBACK CollectDialogId(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR ids) {
  if (IS_INTRESOURCE(name))
    reinterpret_cast<std::vector<int>*>(ids)->push_back(static_cast<int>(reinterpret_cast<ULONG_PTR>(name)));
  return TRUE;
}

// Every dialog template of the module.
std::vector<NamedTemplate> AllDialogs() {
  std::vector<int> ids;
  EnumResourceNamesW(ResourceModule(), RT_DIALOG, CollectDialogId, reinterpret_cast<LONG_PTR>(&ids));
  std::vector<NamedTemplate> dialogs;
  for (int id : ids) {
    auto loaded = LoadDialogTemplate(ResourceModule(), id);
    EXPECT_TRUE(loaded.has_value()) << "dialog " << id << " is malformed";
    if (loaded) dialogs.push_back({id, std::move(*loaded)});
  }
  return dialogs;
}

std::string Describe(const DialogControlTemplate& control) {
  return "control " + std::to_string(control.id) + " " + testing::PrintToString(control.text);
}

bool IsGroupBox(const DialogControlTemplate& control) {
  return control.className == L"Button" && (control.style & BS_TYPEMASK) == BS_GROUPBOX;
}

bool IsPassive(const DialogControlTemplate& control) { return control.className == L"Static" || IsGroupBox(control); }

bool Overlap(const DialogUnitsRect& a, const DialogUnitsRect& b) {
  return a.x < b.x + b.cx && b.x < a.x + a.cx && a.y < b.y + b.cy && b.y < a.y + a.cy;
}

bool Contains(const DialogUnitsRect& outer, const DialogUnitsRect& inner) {
  return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.cx <= outer.x + outer.cx &&
         inner.y + inner.cy <= outer.y + outer.cy;
}

bool SameColumn(const DialogUnitsRect& a, const DialogUnitsRect& b) { return a.x < b.x + b.cx && b.x < a.x + a.cx; }

bool OverlapByDesign(int dialogId, const DialogControlTemplate& a, const DialogControlTemplate& b) {
  if (dialogId != kChooseFontDialog) return false;
  return (a.id == kFontFaceLabel && b.id == kFontFaceList) || (a.id == kFontFaceList && b.id == kFontFaceLabel);
}

class DialogTemplates : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(ResourceModule(), nullptr) << "module with the resources not found";
    dialogs_ = AllDialogs();
    ASSERT_FALSE(dialogs_.empty()) << "the module holds no dialog";
  }
  std::vector<NamedTemplate> dialogs_;
};

TEST_F(DialogTemplates, EveryControlLiesInsideItsDialog) {
  for (const NamedTemplate& named : dialogs_) {
    SCOPED_TRACE(testing::Message() << "dialog " << named.id);
    const DialogTemplate& dialog = named.dialog;
    for (const DialogControlTemplate& control : dialog.controls) {
      SCOPED_TRACE(Describe(control));
      EXPECT_GE(control.place.x, 0);
      EXPECT_GE(control.place.y, 0);
      EXPECT_GT(control.place.cx, 0);
      EXPECT_GT(control.place.cy, 0);
      EXPECT_LE(control.place.x + control.place.cx, dialog.place.cx);
      EXPECT_LE(control.place.y + control.place.cy, dialog.place.cy);
    }
  }
}

// A group box frames the controls inside it, which is no overlap; cutting across one is.
TEST_F(DialogTemplates, NoTwoControlsOverlap) {
  for (const NamedTemplate& named : dialogs_) {
    SCOPED_TRACE(testing::Message() << "dialog " << named.id);
    const auto& controls = named.dialog.controls;
    for (std::size_t i = 0; i < controls.size(); ++i) {
      for (std::size_t j = i + 1; j < controls.size(); ++j) {
        const DialogControlTemplate& a = controls[i];
        const DialogControlTemplate& b = controls[j];
        if (!Overlap(a.place, b.place) || OverlapByDesign(named.id, a, b)) continue;
        if (IsGroupBox(a) && Contains(a.place, b.place)) continue;
        if (IsGroupBox(b) && Contains(b.place, a.place)) continue;
        ADD_FAILURE() << Describe(a) << " overlaps " << Describe(b);
      }
    }
  }
}

// Every control a user works with is a visible, enabled tab stop.
TEST_F(DialogTemplates, TabReachesEveryInput) {
  for (const NamedTemplate& named : dialogs_) {
    SCOPED_TRACE(testing::Message() << "dialog " << named.id);
    for (const DialogControlTemplate& control : named.dialog.controls) {
      if (IsPassive(control)) continue;
      SCOPED_TRACE(Describe(control));
      EXPECT_TRUE(control.style & WS_TABSTOP);
      EXPECT_TRUE(control.style & WS_VISIBLE);
      EXPECT_FALSE(control.style & WS_DISABLED);
    }
  }
}

// The template's order is the tab order. Within a column a later stop lies lower (or, on the same line,
// further right); a stop in another column lies in a column further right.
TEST_F(DialogTemplates, TabStopsFollowTheReadingOrder) {
  for (const NamedTemplate& named : dialogs_) {
    SCOPED_TRACE(testing::Message() << "dialog " << named.id);
    std::vector<const DialogControlTemplate*> stops;
    for (const DialogControlTemplate& control : named.dialog.controls)
      if (control.style & WS_TABSTOP) stops.push_back(&control);
    for (std::size_t i = 0; i < stops.size(); ++i) {
      for (std::size_t j = i + 1; j < stops.size(); ++j) {
        const DialogUnitsRect& a = stops[i]->place;
        const DialogUnitsRect& b = stops[j]->place;
        const bool inOrder = SameColumn(a, b) ? b.y > a.y || (b.y == a.y && b.x > a.x) : b.x > a.x;
        EXPECT_TRUE(inOrder) << Describe(*stops[j]) << " comes after " << Describe(*stops[i]);
      }
    }
  }
}

}  // namespace
}  // namespace vellum::test
