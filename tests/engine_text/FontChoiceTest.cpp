// The faces a page's font families come out as. The project installs the Liberation fonts (the
// metrics of the Windows core faces) and Wine's own fonts; whatever else the machine has, the same
// family list must give the same face, or pictures and layouts differ from machine to machine.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "engine/com/view/PaintGdi.h"
#include "engine/com/view/PaintStyles.h"

namespace {

using vellum::engine::com::FontDescription;
using vellum::engine::layout::FontQuery;

// A face name the machine has: the family itself, or failing that its stand-in.
bool Installed(const wchar_t* face) {
  HDC dc = CreateCompatibleDC(nullptr);
  LOGFONTW wanted = {};
  wanted.lfCharSet = DEFAULT_CHARSET;
  wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
  bool found = false;
  EnumFontFamiliesExW(
      dc, &wanted,
      [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) -> int {
        *reinterpret_cast<bool*>(found) = true;
        return 0;
      },
      reinterpret_cast<LPARAM>(&found), 0);
  DeleteDC(dc);
  return found;
}

std::wstring FaceOf(const std::u16string& families, int weight = 400) {
  HDC dc = CreateCompatibleDC(nullptr);
  FontDescription described = vellum::engine::com::DescribeFont(FontQuery{families, 13, weight});
  HFONT font = vellum::engine::com::CreatePageFont(dc, described);
  wchar_t face[LF_FACESIZE] = {};
  HGDIOBJ previous = SelectObject(dc, font);
  GetTextFaceW(dc, LF_FACESIZE, face);
  SelectObject(dc, previous);
  DeleteObject(font);
  DeleteDC(dc);
  return face;
}

// The core faces, or the metric-compatible faces that stand in for them.
std::wstring Expected(const wchar_t* core, const wchar_t* standIn) { return Installed(core) ? core : standIn; }

TEST(FontChoice, TheProjectsFontsAreInstalled) {
  for (const wchar_t* face : {L"Liberation Sans", L"Liberation Serif", L"Liberation Mono", L"Tahoma", L"MS Sans Serif"})
    EXPECT_TRUE(Installed(face)) << "the set-up installs " << std::string(face, face + wcslen(face));
}

TEST(FontChoice, CoreFacesAndGenericFamiliesComeOutAsTheirMetricTwins) {
  EXPECT_EQ(FaceOf(u"Arial"), Expected(L"Arial", L"Liberation Sans"));
  EXPECT_EQ(FaceOf(u"'Times New Roman'"), Expected(L"Times New Roman", L"Liberation Serif"));
  EXPECT_EQ(FaceOf(u"\"Courier New\""), Expected(L"Courier New", L"Liberation Mono"));
  EXPECT_EQ(FaceOf(u"sans-serif"), Expected(L"Arial", L"Liberation Sans"));
  EXPECT_EQ(FaceOf(u"serif", 700), Expected(L"Times New Roman", L"Liberation Serif"));
  EXPECT_EQ(FaceOf(u"monospace"), Expected(L"Courier New", L"Liberation Mono"));
}

TEST(FontChoice, TheFirstFamilyTheMachineHasIsTaken) {
  EXPECT_EQ(FaceOf(u"No Such Face, 'Another Missing One', Courier New, Arial"),
            Expected(L"Courier New", L"Liberation Mono"));
  EXPECT_EQ(FaceOf(u"Tahoma, Arial"), L"Tahoma");
  EXPECT_EQ(FaceOf(u"MS Sans Serif"), L"MS Sans Serif");
}

TEST(FontChoice, APageNamingNoFamilyTheMachineHasGetsTheDefaultSerif) {
  EXPECT_EQ(FaceOf(u"No Such Face"), Expected(L"Times New Roman", L"Liberation Serif"));
  EXPECT_EQ(FaceOf(u""), Expected(L"Times New Roman", L"Liberation Serif"));
  EXPECT_EQ(FaceOf(u" , ,"), Expected(L"Times New Roman", L"Liberation Serif"));
}

TEST(FontChoice, ListsAreReadAsCssWritesThem) {
  EXPECT_EQ(vellum::engine::com::DescribeFont(FontQuery{u" 'Times New Roman' ,Arial,  serif ", 13}).families,
            L"Times New Roman,Arial,Times New Roman,");
  const std::u16string longName(40, u'x');
  EXPECT_EQ(vellum::engine::com::DescribeFont(FontQuery{longName, 13}).families, std::wstring(31, L'x') + L",");
  // Past eight families the rest are not looked at.
  EXPECT_EQ(vellum::engine::com::DescribeFont(FontQuery{u"a,b,c,d,e,f,g,h,i,j", 13}).families, L"a,b,c,d,e,f,g,h,");
  EXPECT_EQ(vellum::engine::com::DescribeFont(FontQuery{u"Arial", 1e9}).pixelSize, 1000);
  EXPECT_EQ(vellum::engine::com::DescribeFont(FontQuery{u"Arial", -3}).pixelSize, 1);
}

}  // namespace
