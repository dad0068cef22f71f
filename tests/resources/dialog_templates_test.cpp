// The dialog templates as compiled into the module: captions, sizes, font, and every control's id,
// class, text, place and the styles its dialog code depends on.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <ostream>
#include <span>
#include <string>

#include "dialog_template_reader.h"
#include "resource_module.h"

namespace vellum::test {
namespace {

// Bits that must be set and bits that must be clear; together they pin down a control's type.
struct StyleRule {
    DWORD required = 0;
    DWORD forbidden = 0;
    DWORD exRequired = 0;
};

constexpr int kNoId = -1;
constexpr int kFree = -1;  // a coordinate or extent the layout leaves to the template's author
constexpr DialogUnitsRect kFreePlace{kFree, kFree, kFree, kFree};

constexpr StyleRule kPushButton{0, BS_TYPEMASK};
constexpr StyleRule kDefaultButton{BS_DEFPUSHBUTTON, BS_TYPEMASK & ~BS_DEFPUSHBUTTON};
constexpr StyleRule kGroupBox{BS_GROUPBOX, BS_TYPEMASK & ~BS_GROUPBOX};
constexpr StyleRule kLabel{SS_LEFT, SS_TYPEMASK};
constexpr StyleRule kLineEdit{0, ES_MULTILINE | ES_READONLY | ES_PASSWORD};
constexpr StyleRule kScrollingLineEdit{ES_AUTOHSCROLL, ES_MULTILINE | ES_READONLY | ES_PASSWORD};

struct ExpectedControl {
    int id;
    const wchar_t* className;
    const wchar_t* text;
    DialogUnitsRect place;
    StyleRule styles;
};

enum class DialogKind { Modal, PropertyPage };

struct ExpectedDialog {
    int id;
    DialogKind kind;
    const wchar_t* caption;
    int cx;
    int cy;
    std::span<const ExpectedControl> controls;
};

constexpr ExpectedControl kChooseFontControls[] = {
    {1, L"Button", L"OK", {176, 17, 50, 14}, kDefaultButton},
    {2, L"Button", L"Cancel", {176, 36, 50, 14}, kPushButton},
    {1088, L"Static", L"Font:", {7, 7, 168, 11}, kLabel},
    {1136, L"ComboBox", L"", {7, 16, 167, 147},
     {CBS_SIMPLE | CBS_OWNERDRAWFIXED | CBS_SORT | CBS_HASSTRINGS, CBS_DROPDOWN}},
};

constexpr ExpectedControl kBasicPageControls[] = {
    {1000, L"ListBox", L"", {7, 7, 199, 239},
     {LBS_NOTIFY | LBS_OWNERDRAWVARIABLE | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
      LBS_SORT | LBS_OWNERDRAWFIXED, WS_EX_STATICEDGE}},
};

constexpr ExpectedControl kSelectOptionsControls[] = {
    {1, L"Button", L"OK", {176, 178, 50, 14}, kDefaultButton},
    {2, L"Button", L"Cancel", {176, 194, 50, 14}, kPushButton},
    {kNoId, L"Button", L"Current option", {7, 7, 167, 60}, kGroupBox},
    {kNoId, L"Static", L"Name:", {13, 16, kFree, kFree}, kLabel},
    {1007, L"Edit", L"", {13, 24, 158, 12}, kLineEdit},
    {kNoId, L"Static", L"Value:", {13, 40, kFree, kFree}, kLabel},
    {1008, L"Edit", L"", {13, 48, 158, 12}, kLineEdit},
    {1006, L"ListBox", L"", {7, 68, 167, 140},
     {LBS_NOTIFY | LBS_WANTKEYBOARDINPUT | LBS_NOINTEGRALHEIGHT | WS_BORDER | WS_VSCROLL,
      LBS_SORT | LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE | LBS_MULTIPLESEL | LBS_EXTENDEDSEL}},
    {1010, L"Button", L"New option", {176, 11, 50, 14}, kPushButton},
    {1011, L"Button", L"Update", {176, 27, 50, 14}, kPushButton},
    {1012, L"Button", L"Remove", {176, 43, 50, 14}, kPushButton},
};

constexpr ExpectedControl kCodeTextControls[] = {
    {1013, L"Edit", L"", {7, 7, 247, 158},
     {ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_BORDER, ES_WANTRETURN | ES_READONLY}},
    {2, L"Button", L"Cancel", {148, 168, 50, 14}, kPushButton},
    {1, L"Button", L"OK", {204, 168, 50, 14}, kDefaultButton},
};

constexpr ExpectedControl kCustomPageControls[] = {
    {kNoId, L"Static", L"Attribute:  ", kFreePlace, kLabel},
    {1014, L"Edit", L"", kFreePlace, kScrollingLineEdit},
    {kNoId, L"Static", L"Value:  ", kFreePlace, kLabel},
    {1015, L"Edit", L"", kFreePlace, kScrollingLineEdit},
    {1017, L"Button", L"Get", kFreePlace, kPushButton},
    {1016, L"Button", L"Set", kFreePlace, kPushButton},
};

const ExpectedDialog kExpectedDialogs[] = {
    {103, DialogKind::Modal, L"Choose font", 234, 170, kChooseFontControls},
    {106, DialogKind::PropertyPage, L"Basic", 213, 253, kBasicPageControls},
    {107, DialogKind::Modal, L"Choise\\List options", 233, 215, kSelectOptionsControls},
    {108, DialogKind::Modal, L"Value", 261, 189, kCodeTextControls},
    {109, DialogKind::PropertyPage, L"Custom", 213, 63, kCustomPageControls},
};

void PrintTo(const ExpectedDialog& dialog, std::ostream* out) { *out << "dialog " << dialog.id; }

bool HasFreeField(const DialogUnitsRect& place) {
    return place.x == kFree || place.y == kFree || place.cx == kFree || place.cy == kFree;
}

bool Overlap(const DialogUnitsRect& a, const DialogUnitsRect& b) {
    return a.x < b.x + b.cx && b.x < a.x + a.cx && a.y < b.y + b.cy && b.y < a.y + a.cy;
}

bool IsGroupBox(const DialogControlTemplate& control) {
    return control.className == L"Button" && (control.style & BS_TYPEMASK) == BS_GROUPBOX;
}

// Controls with an id are found by it; those without one (labels, the group box) by class and text.
const DialogControlTemplate* FindControl(const DialogTemplate& dialog, const ExpectedControl& expected) {
    auto matches = [&](const DialogControlTemplate& control) {
        if (expected.id != kNoId) return control.id == expected.id;
        return control.id == kNoId && control.className == expected.className && control.text == expected.text;
    };
    auto found = std::find_if(dialog.controls.begin(), dialog.controls.end(), matches);
    return found == dialog.controls.end() ? nullptr : &*found;
}

void ExpectPlace(const DialogUnitsRect& actual, const DialogUnitsRect& expected) {
    if (expected.x != kFree) {
        EXPECT_EQ(actual.x, expected.x);
    }
    if (expected.y != kFree) {
        EXPECT_EQ(actual.y, expected.y);
    }
    if (expected.cx != kFree) {
        EXPECT_EQ(actual.cx, expected.cx);
    }
    if (expected.cy != kFree) {
        EXPECT_EQ(actual.cy, expected.cy);
    }
}

class DialogTemplates : public ::testing::TestWithParam<ExpectedDialog> {
protected:
    void SetUp() override {
        ASSERT_NE(ResourceModule(), nullptr) << "module with the resources not found";
        auto loaded = LoadDialogTemplate(ResourceModule(), GetParam().id);
        ASSERT_TRUE(loaded.has_value()) << "dialog " << GetParam().id << " missing or malformed";
        dialog_ = std::move(*loaded);
    }
    DialogTemplate dialog_;
};

TEST_P(DialogTemplates, FrameHasCaptionSizeAndDialogFont) {
    const ExpectedDialog& expected = GetParam();
    EXPECT_EQ(dialog_.caption, expected.caption);
    EXPECT_EQ(dialog_.place.cx, expected.cx);
    EXPECT_EQ(dialog_.place.cy, expected.cy);
    EXPECT_TRUE(dialog_.style & DS_SETFONT);
    EXPECT_EQ(dialog_.pointSize, 8);
    EXPECT_EQ(dialog_.fontFace, L"MS Sans Serif");
    EXPECT_FALSE(dialog_.italic);
    EXPECT_TRUE(dialog_.menu.empty());
    EXPECT_TRUE(dialog_.windowClass.empty());
}

TEST_P(DialogTemplates, StyleSuitsHowTheDialogIsShown) {
    if (GetParam().kind == DialogKind::PropertyPage) {
        EXPECT_TRUE(dialog_.style & WS_CHILD);
        EXPECT_FALSE(dialog_.style & WS_POPUP);
    } else {
        EXPECT_EQ(dialog_.style & (WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME),
                  static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME));
        EXPECT_FALSE(dialog_.style & WS_CHILD);
    }
}

TEST_P(DialogTemplates, HoldsExactlyTheDocumentedControls) {
    const auto expectedControls = GetParam().controls;
    EXPECT_EQ(dialog_.controls.size(), expectedControls.size());
    for (const ExpectedControl& expected : expectedControls) {
        SCOPED_TRACE(testing::Message() << "control " << expected.id << " "
                                        << testing::PrintToString(std::wstring(expected.text)));
        const DialogControlTemplate* control = FindControl(dialog_, expected);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->className, expected.className);
        EXPECT_EQ(control->text, expected.text);
        ExpectPlace(control->place, expected.place);
        EXPECT_EQ(control->style & expected.styles.required, expected.styles.required);
        EXPECT_EQ(control->style & expected.styles.forbidden, 0u);
        EXPECT_EQ(control->exStyle & expected.styles.exRequired, expected.styles.exRequired);
    }
}

TEST_P(DialogTemplates, ControlsAreVisibleChildrenInsideTheDialog) {
    for (const DialogControlTemplate& control : dialog_.controls) {
        SCOPED_TRACE(testing::Message() << "control " << control.id << " " << testing::PrintToString(control.text));
        EXPECT_EQ(control.style & (WS_CHILD | WS_VISIBLE), static_cast<DWORD>(WS_CHILD | WS_VISIBLE));
        EXPECT_GE(control.place.x, 0);
        EXPECT_GE(control.place.y, 0);
        EXPECT_GT(control.place.cx, 0);
        EXPECT_GT(control.place.cy, 0);
        EXPECT_LE(control.place.x + control.place.cx, dialog_.place.cx);
        EXPECT_LE(control.place.y + control.place.cy, dialog_.place.cy);
    }
}

TEST_P(DialogTemplates, ControlIdsAreUniqueAndEveryInputIsATabStop) {
    for (std::size_t i = 0; i < dialog_.controls.size(); ++i) {
        const DialogControlTemplate& control = dialog_.controls[i];
        const bool passive = control.className == L"Static" || IsGroupBox(control);
        if (!passive) {
            EXPECT_TRUE(control.style & WS_TABSTOP) << "control " << control.id;
        }
        if (control.id == kNoId) continue;
        for (std::size_t j = i + 1; j < dialog_.controls.size(); ++j)
            EXPECT_NE(dialog_.controls[j].id, control.id) << "id used twice";
    }
}

// Where the layout fixes no place, the chosen one must not cover another control (group boxes frame
// others on purpose).
TEST_P(DialogTemplates, FreelyPlacedControlsDoNotCoverOthers) {
    for (const ExpectedControl& expected : GetParam().controls) {
        if (!HasFreeField(expected.place)) continue;
        const DialogControlTemplate* control = FindControl(dialog_, expected);
        ASSERT_NE(control, nullptr);
        for (const DialogControlTemplate& other : dialog_.controls) {
            if (&other == control || IsGroupBox(other)) continue;
            EXPECT_FALSE(Overlap(control->place, other.place))
                << testing::PrintToString(control->text) << " covers control " << other.id << " "
                << testing::PrintToString(other.text);
        }
    }
}

std::string DialogName(const testing::TestParamInfo<ExpectedDialog>& info) {
    return "Dialog" + std::to_string(info.param.id);
}

INSTANTIATE_TEST_SUITE_P(EveryTemplate, DialogTemplates, testing::ValuesIn(kExpectedDialogs), DialogName);

}  // namespace
}  // namespace vellum::test
