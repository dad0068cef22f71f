// What the object model reports for text-sized elements, through COM as the control reads it: an
// auto-width label is as wide as GDI measures its text in its font, and the hit test finds it
// under its last glyph.
#include <windows.h>
#include <mshtml.h>

#include <gtest/gtest.h>

#include <string>

#include "EngineTestSupport.h"
#include "GdiExtent.h"

namespace {

using et::Ptr;

// The font of the page's family on this machine: Arial, or the project's metric twin standing in.
HFONT ArialOrItsTwin(int pixelSize, int weight) {
  auto create = [&](const wchar_t* face) {
    LOGFONTW wanted = {};
    wanted.lfHeight = -pixelSize;
    wanted.lfWeight = weight;
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectW(&wanted);
  };
  HFONT font = create(L"Arial");
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font);
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, face);
  SelectObject(dc, previous);
  DeleteDC(dc);
  if (lstrcmpiW(face, L"Arial") == 0) return font;
  DeleteObject(font);
  return create(L"Liberation Sans");
}

class TextGeometry : public et::DocumentTest {};

TEST_F(TextGeometry, AnAutoWidthLabelIsAsWideAsItsTextAndItsLastGlyphHitsIt) {
  Ptr<IHTMLElement> label = Load(
      L"<html><body style='font-family: Arial; font-size: 13px'><span id=l style='position: absolute; "
      L"left: 20px; top: 30px; font-weight: bold'>Width of a label</span></body></html>",
      L"l");
  ASSERT_TRUE(label);
  LONG left = 0, top = 0, width = 0, height = 0;
  ASSERT_HRESULT_SUCCEEDED(label->get_offsetLeft(&left));
  ASSERT_HRESULT_SUCCEEDED(label->get_offsetTop(&top));
  ASSERT_HRESULT_SUCCEEDED(label->get_offsetWidth(&width));
  ASSERT_HRESULT_SUCCEEDED(label->get_offsetHeight(&height));
  HFONT font = ArialOrItsTwin(13, FW_BOLD);
  EXPECT_EQ(width, tt::ExtentIn(font, L"Width of a label"));
  DeleteObject(font);
  EXPECT_GT(height, 0);
  Ptr<IHTMLElement> hit;
  ASSERT_HRESULT_SUCCEEDED(document_->elementFromPoint(left + width - 1, top + height / 2, hit.Out()));
  EXPECT_EQ(et::TagName(hit.get()), L"SPAN");
  ASSERT_HRESULT_SUCCEEDED(document_->elementFromPoint(left + width, top + height / 2, hit.Out()));
  EXPECT_EQ(et::TagName(hit.get()), L"BODY");
}

TEST_F(TextGeometry, AButtonIsAsWideAsItsLabelInTheControlFontWithItsMargins) {
  Ptr<IHTMLElement> narrow = Load(
      L"<html><body><input id=n type=button value='ii'>"
      L"<input id=w type=button value='WW'></body></html>",
      L"n");
  Ptr<IHTMLElement> wide = et::ElementById(document_, L"w");
  LONG narrowWidth = 0, wideWidth = 0;
  ASSERT_HRESULT_SUCCEEDED(narrow->get_offsetWidth(&narrowWidth));
  ASSERT_HRESULT_SUCCEEDED(wide->get_offsetWidth(&wideWidth));
  const auto guiFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  EXPECT_EQ(wideWidth - narrowWidth, tt::ExtentIn(guiFont, L"WW") - tt::ExtentIn(guiFont, L"ii"));
  EXPECT_GT(wideWidth, narrowWidth);
}

}  // namespace
