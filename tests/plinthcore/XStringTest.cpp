#include <gtest/gtest.h>
#include <plinthcore.h>
#include <windows.h>

#include <climits>
#include <string>

#include "test_ids.h"

namespace {

TEST(XString, BuildsCopiesAndAssigns) {
  CXString a("hello");
  CXString b(a);
  CXString c;
  c = b;
  EXPECT_STREQ(c, "hello");
  EXPECT_EQ(c.GetLength(), 5);
  EXPECT_EQ(c.GetSize(), 6u);
  CXString moved(static_cast<CXString&&>(c));
  EXPECT_STREQ(moved, "hello");
  EXPECT_TRUE(c.IsEmpty());
  EXPECT_STREQ(c.GetString(), "");
  CXString fromNull(static_cast<const char*>(nullptr));
  EXPECT_TRUE(fromNull.IsEmpty());
  CXStringW w(L"wide");
  EXPECT_EQ(w.GetSize(), 10u);
}

TEST(XString, ConvertsThroughTheAnsiCodePage) {
  ASSERT_EQ(GetACP(), 1252u);
  CXString narrow(L"caf\u00e9 \u20ac");
  EXPECT_STREQ(narrow, "caf\xe9 \x80");
  CXStringW wide("caf\xe9 \x80");
  EXPECT_STREQ(wide, L"caf\u00e9 \u20ac");
  CXString lossy(L"\u4e2d");  // not in Windows-1252
  EXPECT_EQ(lossy.GetLength(), 1);
  CXString utf8;
  ASSERT_TRUE(utf8.AssignConverted(L"\u00e9", -1, CP_UTF8));
  EXPECT_STREQ(utf8, "\xc3\xa9");
}

TEST(XString, AppendInsertDelete) {
  CXString s("ab");
  s += "cd";
  s += 'e';
  EXPECT_STREQ(s, "abcde");
  EXPECT_TRUE(s.Insert(2, "XY"));
  EXPECT_STREQ(s, "abXYcde");
  EXPECT_TRUE(s.Insert(100, "!"));  // clamped to the end
  EXPECT_STREQ(s, "abXYcde!");
  EXPECT_EQ(s.Delete(2, 2), 6);
  EXPECT_STREQ(s, "abcde!");
  EXPECT_EQ(s.Delete(4, 100), 4);
  EXPECT_EQ(s.Delete(-1, 2), 4);
  EXPECT_STREQ(s, "abcd");
  s.Append(s);  // appending itself
  EXPECT_STREQ(s, "abcdabcd");
  s.Insert(0, s.GetString() + 4);
  EXPECT_STREQ(s, "abcdabcdabcd");
}

TEST(XString, GrowsAcrossManyAppends) {
  CXStringW s;
  std::wstring expected;
  for (int i = 0; i < 10000; ++i) {
    ASSERT_TRUE(s.AppendChar(static_cast<wchar_t>(L'a' + i % 26)));
    expected += static_cast<wchar_t>(L'a' + i % 26);
  }
  EXPECT_EQ(std::wstring(s), expected);
}

TEST(XString, SearchAndExtract) {
  CXString s("one two three two");
  EXPECT_EQ(s.Find("two"), 4);
  EXPECT_EQ(s.Find("two", 5), 14);
  EXPECT_EQ(s.Find("four"), -1);
  EXPECT_EQ(s.Find('t'), 4);
  EXPECT_EQ(s.Find('t', 100), -1);
  EXPECT_EQ(s.ReverseFind('o'), 16);
  EXPECT_EQ(s.FindOneOf("wxyz"), 5);
  EXPECT_STREQ(s.Mid(4, 3), "two");
  EXPECT_STREQ(s.Mid(14), "two");
  EXPECT_STREQ(s.Mid(-5, 3), "one");
  EXPECT_STREQ(s.Mid(100, 3), "");
  EXPECT_STREQ(s.Left(3), "one");
  EXPECT_STREQ(s.Right(5), "e two");
  EXPECT_STREQ(s.Right(100), "one two three two");
}

TEST(XString, CompareTrimCase) {
  CXString s("  \tMixed Case\r\n ");
  s.Trim();
  EXPECT_STREQ(s, "Mixed Case");
  EXPECT_EQ(s.Compare("Mixed Case"), 0);
  EXPECT_LT(s.Compare("Mixed Casf"), 0);
  EXPECT_GT(s.Compare("Mixed"), 0);
  EXPECT_EQ(s.CompareNoCase("MIXED case"), 0);
  s.MakeLower();
  EXPECT_STREQ(s, "mixed case");
  CXString accented("\xc9T\xc9");  // ÉTÉ in Windows-1252
  accented.MakeLower();
  EXPECT_STREQ(accented, "\xe9t\xe9");
  CXStringW wide(L"\u00c9T\u00c9");
  wide.MakeLower();
  EXPECT_STREQ(wide, L"\u00e9t\u00e9");
  CXString blank("   ");
  blank.Trim();
  EXPECT_TRUE(blank.IsEmpty());
  EXPECT_TRUE(CXString("b") == "b");
  EXPECT_TRUE(CXString("a") < CXString("b"));
}

TEST(XString, CharacterAccessIsBounded) {
  CXString s("abc");
  EXPECT_EQ(s.GetAt(1), 'b');
  EXPECT_EQ(s[2], 'c');
  EXPECT_EQ(s.GetAt(3), 0);
  EXPECT_EQ(s.GetAt(-1), 0);
  s.SetAt(0, 'X');
  s.SetAt(10, 'Y');
  EXPECT_STREQ(s, "Xbc");
}

TEST(XString, WritableBufferThenRelease) {
  CXString s("keep");
  char* buffer = s.GetBuffer(64);
  ASSERT_NE(buffer, nullptr);
  EXPECT_STREQ(buffer, "keep");
  lstrcpyA(buffer, "written by the system");
  s.ReleaseBuffer();
  EXPECT_STREQ(s, "written by the system");
  buffer = s.GetBuffer(10);
  s.ReleaseBuffer(7);
  EXPECT_STREQ(s, "written");
}

TEST(XString, AllocationFailureLeavesTheStringWhole) {
  CXString s("intact");
  EXPECT_EQ(s.GetBuffer(INT_MAX), nullptr);
  EXPECT_STREQ(s, "intact");
  EXPECT_FALSE(s.Insert(0, "x", INT_MAX));
  EXPECT_STREQ(s, "intact");
  CXStringW w(L"intact");
  EXPECT_EQ(w.GetBuffer(INT_MAX), nullptr);
  EXPECT_STREQ(w, L"intact");
}

TEST(XString, LoadsFromTheModuleStringTable) {
  HINSTANCE self = GetModuleHandleW(nullptr);
  CXString s;
  ASSERT_TRUE(s.LoadFromStringTable(self, IDS_TEST_PLAIN));
  EXPECT_STREQ(s, "Element properties");
  ASSERT_TRUE(s.LoadFromStringTable(self, IDS_TEST_TABS));
  EXPECT_STREQ(s, "JPEG\t*.jpg\tAll\t*.*\t\t");
  ASSERT_TRUE(s.LoadFromStringTable(self, IDS_TEST_LINES));
  EXPECT_STREQ(s, "The property format is:\n [0-9]+");
  ASSERT_TRUE(s.LoadFromStringTable(self, IDS_TEST_ACCENT));
  EXPECT_STREQ(s, "caf\xe9");
  CXStringW w;
  ASSERT_TRUE(w.LoadFromStringTable(self, IDS_TEST_ACCENT));
  EXPECT_STREQ(w, L"caf\u00e9");
  EXPECT_FALSE(s.LoadFromStringTable(self, 9999));
  EXPECT_TRUE(s.IsEmpty());
}

}  // namespace
