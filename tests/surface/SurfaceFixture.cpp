#include "SurfaceFixture.h"

#include "MessagePump.h"
#include "comkit/ComRef.h"
#include "comkit/ComText.h"

namespace st {

const char kForm[] =
    "<html><head><title>t</title></head><body width=\"400\" height=\"300\">"
    "<span id=\"a\" style=\"position: absolute; left: 10px; top: 10px; width: 50px; height: 20px;\">A</span>"
    "<span id=\"b\" style=\"position: absolute; left: 100px; top: 40px; width: 80px; height: 20px;\">B</span>"
    "<span id=\"c\" style=\"position: absolute; left: 200px; top: 70px; width: 100px; height: 20px;\">C</span>"
    "<span id=\"rel\" style=\"position: relative; left: 0px; top: 250px; width: 40px; height: 20px;\">R</span>"
    "<fieldset id=\"fs\" style=\"position: absolute; left: 10px; top: 120px; width: 150px; height: 80px;\">"
    "<legend id=\"lg\">L</legend>"
    "<input id=\"inner\" style=\"position: absolute; left: 20px; top: 40px; width: 60px; height: 20px;\" />"
    "</fieldset>"
    "<select id=\"sel\" style=\"position: absolute; left: 200px; top: 130px; width: 80px; height: 20px;\">"
    "<option>x</option></select>"
    "</body></html>";

std::string Narrow(const wchar_t* text) {
  std::string out;
  for (; text && *text; ++text) out += static_cast<char>(*text);
  return out;
}

void Surface::SetUp() {
  dt::Control::SetUp();
  ASSERT_TRUE(CreateControl(10, 10, 420, 320));
  ASSERT_EQ(Send(VLM_SETDESIGNMODE, 1), 1);
  ASSERT_TRUE(LoadAndWait(kForm));
  ASSERT_NE(GetSurface(), nullptr);
  vt::PumpPending();
}

void Surface::TearDown() {
  if (GetCapture()) ReleaseCapture();
  DestroyControl();
  dt::Control::TearDown();
}

void Surface::Down(int x, int y, WPARAM keys) {
  SendMessageW(SurfaceWindow(), WM_LBUTTONDOWN, MK_LBUTTON | keys, MAKELPARAM(x, y));
}

void Surface::MoveTo(int x, int y, WPARAM keys) { SendMessageW(SurfaceWindow(), WM_MOUSEMOVE, keys, MAKELPARAM(x, y)); }

void Surface::Up(int x, int y, WPARAM keys) { SendMessageW(SurfaceWindow(), WM_LBUTTONUP, keys, MAKELPARAM(x, y)); }

void Surface::Drag(POINT from, POINT to, WPARAM keys) {
  Down(from.x, from.y, keys);
  for (int step = 1; step <= 4; ++step)
    MoveTo(from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4, MK_LBUTTON | keys);
  Up(to.x, to.y, keys);
}

void Surface::Key(UINT vk, bool shift) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  BYTE saved = keys[VK_SHIFT];
  keys[VK_SHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(keys);
  Send(WM_KEYDOWN, vk, 1);
  Send(WM_KEYUP, vk, 0xC0000001);
  keys[VK_SHIFT] = saved;
  SetKeyboardState(keys);
}

std::vector<std::string> Surface::SelectedIds() const {
  std::vector<std::string> ids;
  for (CUIHTMLRect* r : GetSurface()->Selection()) {
    CComRef<IHTMLElement> element(r->GetElement());
    CBstr id;
    if (element && SUCCEEDED(element->get_id(id.Out()))) ids.push_back(Narrow(id.get()));
  }
  return ids;
}

IHTMLElement* Surface::Element(const wchar_t* id) const {
  CComRef<IHTMLDocument3> document3;
  if (FAILED(GetControl()->Document()->QueryInterface(IID_IHTMLDocument3, document3.OutVoid()))) return nullptr;
  CBstr name(id);
  IHTMLElement* element = nullptr;
  document3->getElementById(name.get(), &element);
  return element;
}

RECT Surface::Box(const wchar_t* id) const {
  CComRef<IHTMLElement> element(Element(id));
  long left = -1, top = -1, width = -1, height = -1;
  if (element) {
    element->get_offsetLeft(&left);
    element->get_offsetTop(&top);
    element->get_offsetWidth(&width);
    element->get_offsetHeight(&height);
  }
  return {left, top, left + width, top + height};
}

std::wstring Surface::InlineStyle(const wchar_t* id, const wchar_t* property) const {
  CComRef<IHTMLElement> element(Element(id));
  CComRef<IHTMLStyle> style;
  if (!element || FAILED(element->get_style(style.Out())) || !style) return L"<no style>";
  CBstr name(property);
  CVariant value;
  if (FAILED(style->getAttribute(name.get(), 0, &value))) return L"<failed>";
  if (value.Type() == VT_BSTR && V_BSTR(&value)) return V_BSTR(&value);
  return L"";
}

void Surface::SelectIds(std::initializer_list<const wchar_t*> ids) {
  bool first = true;
  for (const wchar_t* id : ids) {
    RECT box = Box(id);
    Click((box.left + box.right) / 2, (box.top + box.bottom) / 2, first ? 0 : MK_SHIFT);
    first = false;
  }
}

}  // namespace st
