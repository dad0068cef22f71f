#include "LiveFormFixture.h"

#include <cstring>

#include "MessagePump.h"
#include "RecordingParent.h"

namespace lt {

using namespace et;

HWND HostWindow::Hwnd() const {
  static vt::RecordingParent shared;
  return shared.Hwnd();
}

HeldKey::HeldKey(BYTE key) {
  GetKeyboardState(saved_);
  BYTE state[256];
  std::memcpy(state, saved_, sizeof state);
  state[key] |= 0x80;
  SetKeyboardState(state);
}

HeldKey::~HeldKey() { SetKeyboardState(saved_); }

void LiveFormTest::Show(const std::wstring& html) {
  ASSERT_TRUE(LoadAndWait(document_, html));
  const RECT place = {0, 0, 400, 300};
  site_ = std::make_unique<RecordingSite>(parent_.Hwnd(), place);
  Ptr<IOleObject> object = QueryAs<IOleObject>(document_);
  ASSERT_HRESULT_SUCCEEDED(object->SetClientSite(site_.get()));
  ASSERT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.get(), 0, parent_.Hwnd(), &place), S_OK);
  ASSERT_HRESULT_SUCCEEDED(QueryAs<IOleWindow>(document_)->GetWindow(&view_));
  vt::PumpPending();
}

void LiveFormTest::TearDown() {
  if (document_) {
    Ptr<IOleObject> object = QueryAs<IOleObject>(document_);
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
  }
  vt::PumpPending();
  DocumentTest::TearDown();
  if (site_) EXPECT_EQ(site_->Refs(), 1) << "the site is still referenced";
}

void LiveFormTest::ButtonDown(int x, int y, WPARAM keys) {
  SendMessageW(view_, WM_LBUTTONDOWN, keys | MK_LBUTTON, MAKELPARAM(x, y));
}

void LiveFormTest::ButtonUp(int x, int y) { SendMessageW(view_, WM_LBUTTONUP, 0, MAKELPARAM(x, y)); }

void LiveFormTest::Click(int x, int y, WPARAM keys) {
  ButtonDown(x, y, keys);
  ButtonUp(x, y);
  vt::PumpPending();
}

void LiveFormTest::Press(UINT key) {
  SendMessageW(view_, WM_KEYDOWN, key, 1);
  SendMessageW(view_, WM_KEYUP, key, 0xC0000001);
}

void LiveFormTest::Type(const std::wstring& text) {
  for (wchar_t c : text) SendMessageW(view_, WM_CHAR, c, 1);
}

HRESULT LiveFormTest::Translate(UINT key, UINT message, HWND target) {
  MSG msg = {};
  msg.hwnd = target ? target : view_;
  msg.message = message;
  msg.wParam = key;
  msg.lParam = message == WM_KEYUP ? 0xC0000001 : 1;
  msg.time = GetTickCount();
  return QueryAs<IOleInPlaceActiveObject>(document_)->TranslateAccelerator(&msg);
}

std::wstring LiveFormTest::Value(const wchar_t* id) {
  Ptr<IHTMLElement> element = ElementById(document_, id);
  if (Ptr<IHTMLInputElement> input = element.As<IHTMLInputElement>())
    return TextOf(input.get(), &IHTMLInputElement::get_value);
  if (Ptr<IHTMLTextAreaElement> area = element.As<IHTMLTextAreaElement>())
    return TextOf(area.get(), &IHTMLTextAreaElement::get_value);
  return L"<no such control>";
}

bool LiveFormTest::Checked(const wchar_t* id) {
  Ptr<IHTMLInputElement> input = ElementById(document_, id).As<IHTMLInputElement>();
  VARIANT_BOOL checked = 0x5a5a;
  EXPECT_TRUE(input && SUCCEEDED(input->get_checked(&checked))) << "no check box " << id;
  return checked == VARIANT_TRUE;
}

LONG LiveFormTest::SelectedIndex(const wchar_t* id) {
  Ptr<IHTMLSelectElement> select = ElementById(document_, id).As<IHTMLSelectElement>();
  LONG index = -99;
  EXPECT_TRUE(select && SUCCEEDED(select->get_selectedIndex(&index))) << "no select " << id;
  return index;
}

bool LiveFormTest::OptionSelected(const wchar_t* selectId, LONG index) {
  Ptr<IHTMLSelectElement> select = ElementById(document_, selectId).As<IHTMLSelectElement>();
  Ptr<IDispatch> item;
  if (select) select->item(Variant::Long(index), Variant::Long(0), item.Out());
  Ptr<IHTMLOptionElement> option = item.As<IHTMLOptionElement>();
  VARIANT_BOOL selected = 0x5a5a;
  EXPECT_TRUE(option && SUCCEEDED(option->get_selected(&selected))) << "no option " << index;
  return selected == VARIANT_TRUE;
}

namespace {

BOOL CALLBACK FindVisibleList(HWND hwnd, LPARAM found) {
  wchar_t name[32] = {};
  GetClassNameW(hwnd, name, 32);
  if (IsWindowVisible(hwnd) && lstrcmpiW(name, L"ListBox") == 0) {
    *reinterpret_cast<HWND*>(found) = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND OpenDropDownList() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindVisibleList, reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace lt
