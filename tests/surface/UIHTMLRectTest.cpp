// A selection rectangle bound to an element: which elements may move, following drags within bounds,
// and writing the box back into the element's style.
#include <gtest/gtest.h>

#include "DocumentFixture.h"
#include "SurfaceFixture.h"
#include "surface/UIHTMLRect.h"

namespace {

class ElementRect : public dt::Document {
 protected:
  void SetUp() override { ASSERT_TRUE(doc_.Load(st::kForm)); }
  // A rectangle for the element with the id (null element when there is none).
  CUIHTMLRect* Make(const wchar_t* id) {
    CComRef<IHTMLDocument3> document3;
    CComRef<IHTMLElement> element;
    if (SUCCEEDED(doc_.get()->QueryInterface(IID_IHTMLDocument3, document3.OutVoid()))) {
      CBstr name(id);
      document3->getElementById(name.get(), element.Out());
    }
    return new CUIHTMLRect(element);
  }
  std::wstring StyleText(CUIHTMLRect& r) {
    CComRef<IHTMLElement> element(r.GetElement());
    CComRef<IHTMLStyle> style;
    CBstr text;
    if (!element || FAILED(element->get_style(style.Out())) || FAILED(style->get_cssText(text.Out())) || !text.get())
      return L"<none>";
    return text.get();
  }
};

TEST_F(ElementRect, OnlyAbsoluteChildrenOfTheBodyAreMovable) {
  std::unique_ptr<CUIHTMLRect> a(Make(L"a"));
  EXPECT_EQ(a->state, kStateFresh);
  EXPECT_TRUE(st::SameRect(a->rect, RECT{10, 10, 60, 30}));
  for (const wchar_t* fixed : {L"rel", L"inner", L"lg", L"nothing"}) {
    std::unique_ptr<CUIHTMLRect> r(Make(fixed));
    EXPECT_EQ(r->state, kStateFixed) << st::Narrow(fixed);
    EXPECT_EQ(r->ApplyToElement(), 0) << st::Narrow(fixed);
  }
  std::unique_ptr<CUIHTMLRect> none(new CUIHTMLRect(CComRef<IHTMLElement>()));
  EXPECT_EQ(none->state, kStateFixed);
  EXPECT_FALSE(none->GetElement());
}

TEST_F(ElementRect, DragsDoNothingBeforeAnAnchorIsSet) {
  std::unique_ptr<CUIHTMLRect> a(Make(L"a"));
  RECT bounds = {0, 0, 400, 300};
  EXPECT_EQ(a->CanMoveTo(20, 20, bounds), 0);
  EXPECT_EQ(a->CanResizeTo(20, 20, kHitBottomRight, bounds), 0);
  a->MoveTo(50, 50);
  a->ResizeTo(50, 50, kHitBottomRight);
  EXPECT_TRUE(st::SameRect(a->rect, RECT{10, 10, 60, 30}));
}

TEST_F(ElementRect, MovesStayStrictlyInsideTheBounds) {
  std::unique_ptr<CUIHTMLRect> a(Make(L"a"));  // 10,10 - 60,30
  RECT bounds = {0, 0, 100, 100};
  a->SetAnchor(20, 20);
  EXPECT_EQ(a->CanMoveTo(59, 20, bounds), 1);  // right edge 99
  EXPECT_EQ(a->CanMoveTo(60, 20, bounds), 0);  // right edge exactly on the bound
  EXPECT_EQ(a->CanMoveTo(10, 10, bounds), 1);  // top-left at the origin
  EXPECT_EQ(a->CanMoveTo(9, 20, bounds), 0);
  a->MoveTo(30, 25);
  EXPECT_TRUE(st::SameRect(a->rect, RECT{20, 15, 70, 35}));
  EXPECT_EQ(a->anchor.x, 30);
  EXPECT_EQ(a->anchor.y, 25);
}

TEST_F(ElementRect, ResizesMoveOnlyTheEdgesOfTheHandleAndMayInvert) {
  std::unique_ptr<CUIHTMLRect> a(Make(L"a"));  // 10,10 - 60,30
  RECT bounds = {0, 0, 100, 100};
  a->SetAnchor(10, 10);
  EXPECT_EQ(a->CanResizeTo(80, 50, kHitTopLeft, bounds), 1);  // past the opposite corner: inverted
  a->ResizeTo(80, 50, kHitTopLeft);
  EXPECT_TRUE(st::SameRect(a->rect, RECT{80, 50, 60, 30}));
  a->SetAnchor(0, 0);
  a->ResizeTo(5, 7, kHitTop);
  EXPECT_TRUE(st::SameRect(a->rect, RECT{80, 57, 60, 30}));
  a->ResizeTo(6, 7, kHitInside);  // no handle: nothing changes, the anchor stays
  EXPECT_EQ(a->anchor.x, 5);
  EXPECT_EQ(a->CanResizeTo(30, 50, kHitOutside, bounds), 0);
  EXPECT_EQ(a->CanResizeTo(100, 7, kHitRight, bounds), 0);
}

TEST_F(ElementRect, ApplyWritesPixelsBackAndDrawKeepsTheState) {
  std::unique_ptr<CUIHTMLRect> a(Make(L"a"));
  a->rect = {15, 25, 135, 45};
  EXPECT_EQ(a->ApplyToElement(), 1);
  const std::wstring text = StyleText(*a);
  for (const wchar_t* part : {L"position: absolute", L"left: 15px", L"top: 25px", L"width: 120px", L"height: 20px"})
    EXPECT_NE(text.find(part), std::wstring::npos) << st::Narrow(part);
  EXPECT_EQ(a->UpdateFromElement(), 1);
  EXPECT_TRUE(st::SameRect(a->rect, RECT{15, 25, 135, 45}));
  HDC dc = CreateCompatibleDC(nullptr);
  a->Draw(dc, kStateSecondary);
  EXPECT_EQ(a->state, kStateSecondary);
  a->Draw(dc, 7);
  EXPECT_EQ(a->state, kStateSecondary);
  std::unique_ptr<CUIHTMLRect> fixed(Make(L"rel"));
  fixed->Draw(dc, kStatePrimary);
  EXPECT_EQ(fixed->state, kStateFixed);
  DeleteDC(dc);
}

}  // namespace
