// What the object model reports for text-sized elements, through COM as the control reads it: an
// auto-width label is as wide as GDI measures its text in its font, and the hit test finds it
// under its last glyph.
#include <windows.h>
#include <mshtml.h>

#include <gtest/gtest.h>

#include <string>

#include "EngineTestSupport.h"

namespace {

using et::Ptr;

// GDI's width of the text in the face the page's family comes out as on this machine.
int ExtentInFace(const wchar_t* text, int pixelSize, int weight) {
  HDC dc = CreateCompatibleDC(nullptr);
  auto create = [&](const wchar_t* face) {
    LOGFONTW wanted = {};
    wanted.lfHeight = -pixelSize;
    wanted.lfWeight = weight;
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectW(&wanted);
  };
  HFONT font = create(L"Arial");
  wchar_t face[LF_FACESIZE] = {};
  HGDIOBJ previous = SelectObject(dc, font);
  GetTextFaceW(dc, LF_FACESIZE, face);
  if (lstrcmpiW(face, L"Arial") != 0) {
    // The machine has no Arial: the project's metric twin stands in for it.
    SelectObject(dc, previous);
    DeleteObject(font);
    font = create(L"Liberation Sans");
    previous = SelectObject(dc, font);
  }
  SIZE extent = {};
  GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &extent);
  SelectObject(dc, previous);
  DeleteObject(font);
  DeleteDC(dc);
  return extent.cx;
}

class TextGeometry : public et::DocumentTest {};

TEST_F(TextGeometry, AnAutoWidthLabelIsAsWideAsItsTextAndItsLastGlyphHitsIt) {
  Ptr<IHTMLElement> label =
      Load(L"<html><body style='font-family: Arial; font-size: 13px'><span id=l style='position: absolute; "
           L"left: 20px; top: 30px; font-weight: bold'>Width of a label</span></body></html>",
           L"l");
  ASSERT_TRUE(label);
  LONG left = 0, top = 0, width = 0, height = 0;
  ASSERT_HRESULT_SUCCEEDED(label->get_offsetLeft(&left));
  ASSERT_HRESULT_SUCCEEDED(label->get_offsetTop(&top));
  ASSERT_HRESULT_SUCCEEDED(label->get_offsetWidth(&width));
  ASSERT_HRESULT_SUCCEEDED(label->get_offsetHeight(&height));
  EXPECT_EQ(width, ExtentInFace(L"Width of a label", 13, FW_BOLD));
  EXPECT_GT(height, 0);
  Ptr<IHTMLElement> hit;
  ASSERT_HRESULT_SUCCEEDED(document_->elementFromPoint(left + width - 1, top + height / 2, hit.out()));
  EXPECT_EQ(et::TagName(hit.get()), L"SPAN");
  ASSERT_HRESULT_SUCCEEDED(document_->elementFromPoint(left + width, top + height / 2, hit.out()));
  EXPECT_EQ(et::TagName(hit.get()), L"BODY");
}

TEST_F(TextGeometry, AButtonIsAsWideAsItsLabelInTheControlFontWithItsMargins) {
  Ptr<IHTMLElement> narrow = Load(L"<html><body><input id=n type=button value='ii'>"
                                  L"<input id=w type=button value='WW'></body></html>",
                                  L"n");
  Ptr<IHTMLElement> wide = et::ElementById(document_, L"w");
  LONG narrowWidth = 0, wideWidth = 0;
  ASSERT_HRESULT_SUCCEEDED(narrow->get_offsetWidth(&narrowWidth));
  ASSERT_HRESULT_SUCCEEDED(wide->get_offsetWidth(&wideWidth));
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SIZE ii = {}, ww = {};
  GetTextExtentPoint32W(dc, L"ii", 2, &ii);
  GetTextExtentPoint32W(dc, L"WW", 2, &ww);
  SelectObject(dc, previous);
  DeleteDC(dc);
  EXPECT_EQ(wideWidth - narrowWidth, ww.cx - ii.cx);
  EXPECT_GT(wideWidth, narrowWidth);
}

}  // namespace
