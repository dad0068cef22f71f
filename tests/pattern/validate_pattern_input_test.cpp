// The Windows-side validation wrapper: VARIANT conversion, ANSI text, trimming and the empty rule.
#include <gtest/gtest.h>

#include <windows.h>
#include <oleauto.h>

#include "validate_pattern_input.h"

namespace {

const char* const kAutoOrNumber = "(auto) | ( [0-9]+ )";

// A VT_BSTR variant that frees its string.
class BstrValue {
 public:
  explicit BstrValue(const wchar_t* text) : BstrValue(text, text != nullptr ? lstrlenW(text) : 0) {}
  BstrValue(const wchar_t* text, UINT length) {
    VariantInit(&value_);
    value_.vt = VT_BSTR;
    value_.bstrVal = text != nullptr ? SysAllocStringLen(text, length) : nullptr;
  }
  ~BstrValue() { VariantClear(&value_); }
  const VARIANT& Get() const { return value_; }

 private:
  VARIANT value_;
};

VARIANT IntegerValue(LONG number) {
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_I4;
  value.lVal = number;
  return value;
}

VARIANT TypedEmpty(VARTYPE type) {
  VARIANT value;
  VariantInit(&value);
  value.vt = type;
  return value;
}

}  // namespace

TEST(ValidatePatternInput, TrimsBlanksBeforeMatching) {
  EXPECT_EQ(ValidatePatternInput(BstrValue(L" 5 ").Get(), kAutoOrNumber, 0), 1);
  EXPECT_EQ(ValidatePatternInput(BstrValue(L"\t12\r\n").Get(), kAutoOrNumber, 0), 1);
  EXPECT_EQ(ValidatePatternInput(BstrValue(L"auto").Get(), kAutoOrNumber, 0), 1);
  EXPECT_EQ(ValidatePatternInput(BstrValue(L"au to").Get(), kAutoOrNumber, 0), 0);
  EXPECT_EQ(ValidatePatternInput(BstrValue(L"auto5").Get(), kAutoOrNumber, 0), 0);
  EXPECT_EQ(ValidatePatternInput(BstrValue(L"x").Get(), kAutoOrNumber, 0), 0);
}

TEST(ValidatePatternInput, EmptyValueIsValidOnlyWithAllowEmptyOneOrAPatternMatchingEmpty) {
  for (const wchar_t* empty : {L"", L"   "}) {
    EXPECT_EQ(ValidatePatternInput(BstrValue(empty).Get(), kAutoOrNumber, 1), 1);
    EXPECT_EQ(ValidatePatternInput(BstrValue(empty).Get(), kAutoOrNumber, 0), 0);
    EXPECT_EQ(ValidatePatternInput(BstrValue(empty).Get(), kAutoOrNumber, 2), 0);  // only 1 allows
    EXPECT_EQ(ValidatePatternInput(BstrValue(empty).Get(), "a?", 0), 1);
  }
}

TEST(ValidatePatternInput, ValuesWithoutTextCountAsEmpty) {
  EXPECT_EQ(ValidatePatternInput(BstrValue(nullptr).Get(), kAutoOrNumber, 1), 1);
  EXPECT_EQ(ValidatePatternInput(BstrValue(nullptr).Get(), kAutoOrNumber, 0), 0);
  EXPECT_EQ(ValidatePatternInput(TypedEmpty(VT_EMPTY), kAutoOrNumber, 1), 1);
  EXPECT_EQ(ValidatePatternInput(TypedEmpty(VT_NULL), kAutoOrNumber, 1), 1);  // has no text form
  EXPECT_EQ(ValidatePatternInput(TypedEmpty(VT_NULL), "[0-9]+", 0), 0);
}

TEST(ValidatePatternInput, NonTextValuesAreConvertedToText) {
  EXPECT_EQ(ValidatePatternInput(IntegerValue(42), "[0-9]+", 0), 1);
  EXPECT_EQ(ValidatePatternInput(IntegerValue(-42), "[0-9]+", 0), 0);
  EXPECT_EQ(ValidatePatternInput(IntegerValue(-42), "-[0-9]+", 0), 1);
}

TEST(ValidatePatternInput, TextIsMatchedInTheAnsiCodePage) {
  ASSERT_EQ(GetACP(), 1252u);
  EXPECT_EQ(ValidatePatternInput(BstrValue(L"caf\x00E9").Get(), "caf\\xE9", 0), 1);  // e acute is 0xE9
  EXPECT_EQ(ValidatePatternInput(BstrValue(L"\x20AC"
                                           L"5")
                                     .Get(),
                                 "\\x80[0-9]", 0),
            1);                                                              // the euro sign is 0x80
  EXPECT_EQ(ValidatePatternInput(BstrValue(L"\x0416").Get(), "\\?", 0), 1);  // not in the code page: "?"
}

TEST(ValidatePatternInput, ZeroInsideTheValueIsNeverMatchedWhole) {
  EXPECT_EQ(ValidatePatternInput(BstrValue(L"5\0"
                                           L"6",
                                           3)
                                     .Get(),
                                 "[0-9]+", 0),
            0);
  EXPECT_EQ(ValidatePatternInput(BstrValue(L"5\0"
                                           L"6",
                                           3)
                                     .Get(),
                                 ".*", 0),
            0);
}

TEST(ValidatePatternInput, PatternThatDoesNotCompileRejects) {
  EXPECT_EQ(ValidatePatternInput(BstrValue(L"a").Get(), "(a", 0), 0);
  EXPECT_EQ(ValidatePatternInput(BstrValue(L"a").Get(), "", 0), 0);
  EXPECT_EQ(ValidatePatternInput(BstrValue(L"").Get(), "(a", 1), 1);  // empty and allowed: not compiled
}

TEST(ValidatePatternInput, LeavesTheCallersValueUnchanged) {
  BstrValue value(L"  12  ");
  const BSTR before = value.Get().bstrVal;
  EXPECT_EQ(ValidatePatternInput(value.Get(), "[0-9]+", 0), 1);
  EXPECT_EQ(value.Get().vt, VT_BSTR);
  EXPECT_EQ(value.Get().bstrVal, before);
  EXPECT_STREQ(value.Get().bstrVal, L"  12  ");
  const VARIANT number = IntegerValue(7);
  EXPECT_EQ(ValidatePatternInput(number, "[0-9]", 0), 1);
  EXPECT_EQ(number.vt, VT_I4);
}

TEST(ValidatePatternInput, CataloguePatternsOnTypicalInput) {
  EXPECT_EQ(ValidatePatternInput(BstrValue(L" 100px ").Get(),
                                 "(auto) | ( ( ([0-9]+) | ( [0-9]+\\.[0-9]+ ) )  ( em|ex|px|%|in|cm|mm|pt|pc )?)", 0),
            1);
  EXPECT_EQ(ValidatePatternInput(
                BstrValue(L"5px 6px").Get(),
                "( (auto) | ( ( ([0-9]+) | ( [0-9]+\\.[0-9]+ ) )  ( em|ex|px|%|in|cm|mm|pt|pc )?)(\\ )*)+", 0),
            1);
  EXPECT_EQ(ValidatePatternInput(BstrValue(L"1button").Get(), "([A-Za-z_][A-Za-z_0-9]*)", 1), 0);
}
