#include "Toolbox.h"

#include <commctrl.h>

#include "resource.h"

namespace {

constexpr int kIcon = 16;
constexpr int kKinds = 12;

const wchar_t* const kTips[kKinds] = {L"Label",        L"Text box",   L"Button",    L"Check box",
                                      L"Radio button", L"File input", L"Text area", L"Frame",
                                      L"Image",        L"List",       L"Drop-down", L"Object"};

// Each kind's glyph, drawn in a 16 x 16 cell at x.
void DrawGlyph(HDC dc, int kind, int x) {
  HPEN pen = CreatePen(PS_SOLID, 1, RGB(40, 40, 40));
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
  auto box = [&](int l, int t, int r, int b) { Rectangle(dc, x + l, t, x + r, b); };
  auto line = [&](int x0, int y0, int x1, int y1) {
    MoveToEx(dc, x + x0, y0, nullptr);
    LineTo(dc, x + x1, y1);
  };
  switch (kind) {
    case 1:  // label: an "A"
      line(3, 13, 8, 2), line(8, 2, 13, 13), line(5, 9, 11, 9);
      break;
    case 2:  // text box: a field with a caret
      box(1, 4, 15, 12), line(4, 6, 4, 10);
      break;
    case 3:  // button: a raised box
      box(1, 4, 15, 12), line(2, 11, 14, 11), line(14, 5, 14, 11);
      break;
    case 4:  // check box: a box with a tick
      box(3, 3, 13, 13), line(5, 8, 7, 10), line(7, 10, 11, 5);
      break;
    case 5:  // radio: a ring with its dot
      Ellipse(dc, x + 3, 3, x + 13, 13);
      SelectObject(dc, GetStockObject(BLACK_BRUSH));
      Ellipse(dc, x + 6, 6, x + 10, 10);
      break;
    case 6:  // file input: a field and its button
      box(1, 4, 10, 12), box(10, 4, 15, 12);
      break;
    case 7:  // text area: a tall field with lines
      box(1, 1, 15, 15), line(3, 4, 12, 4), line(3, 7, 12, 7), line(3, 10, 9, 10);
      break;
    case 8:  // frame: a box with a legend gap
      box(1, 4, 15, 15), line(3, 4, 8, 4);
      SelectObject(dc, GetStockObject(WHITE_PEN));
      line(3, 4, 8, 4);
      break;
    case 9:  // image: a mountain under a sun
      box(1, 2, 15, 14), line(2, 12, 6, 7), line(6, 7, 9, 10), line(9, 10, 11, 8), line(11, 8, 14, 12);
      break;
    case 10:  // list: a box of lines with a scroll bar
      box(1, 1, 15, 15), line(11, 1, 11, 15), line(3, 4, 9, 4), line(3, 7, 9, 7), line(3, 10, 9, 10);
      break;
    case 11:  // drop-down: a field with an arrow
      box(1, 4, 15, 12), line(10, 7, 13, 7), line(11, 8, 12, 8);
      break;
    default:  // object: a cube
      box(2, 5, 11, 14), line(2, 5, 5, 2), line(5, 2, 14, 2), line(14, 2, 14, 11), line(14, 11, 11, 14),
          line(11, 5, 14, 2);
      break;
  }
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

HIMAGELIST MakeIcons() {
  HIMAGELIST icons = ImageList_Create(kIcon, kIcon, ILC_COLOR24 | ILC_MASK, kKinds, 0);
  if (!icons) return nullptr;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP strip = CreateCompatibleBitmap(screen, kIcon * kKinds, kIcon);
  HGDIOBJ old = SelectObject(dc, strip);
  const RECT all = {0, 0, kIcon * kKinds, kIcon};
  HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));  // the mask colour
  FillRect(dc, &all, magenta);
  DeleteObject(magenta);
  for (int kind = 1; kind <= kKinds; ++kind) DrawGlyph(dc, kind, (kind - 1) * kIcon);
  SelectObject(dc, old);
  ImageList_AddMasked(icons, strip, RGB(255, 0, 255));
  DeleteObject(strip);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return icons;
}

}  // namespace

HWND CreateToolbox(HWND parent) {
  const HWND toolbar =
      CreateWindowExW(0, TOOLBARCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_TOP, 0,
                      0, 0, 0, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!toolbar) return nullptr;
  SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(MakeIcons()));
  SendMessageW(toolbar, TB_SETMAXTEXTROWS, 0, 0);  // the names show as tips, not under the icons
  TBBUTTON buttons[kKinds] = {};
  for (int i = 0; i < kKinds; ++i) {
    buttons[i].iBitmap = i;
    buttons[i].idCommand = ID_INSERT_BASE + 1 + i;
    buttons[i].fsState = TBSTATE_ENABLED;
    buttons[i].fsStyle = BTNS_BUTTON;
    buttons[i].iString = reinterpret_cast<INT_PTR>(kTips[i]);
  }
  SendMessageW(toolbar, TB_ADDBUTTONSW, kKinds, reinterpret_cast<LPARAM>(buttons));
  SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
  return toolbar;
}

void EnableToolbox(HWND toolbox, bool enabled) {
  for (int i = 1; i <= kKinds; ++i) SendMessageW(toolbox, TB_ENABLEBUTTON, ID_INSERT_BASE + i, MAKELPARAM(enabled, 0));
}

void DestroyToolboxIcons(HWND toolbox) {
  if (auto icons = reinterpret_cast<HIMAGELIST>(SendMessageW(toolbox, TB_GETIMAGELIST, 0, 0))) {
    SendMessageW(toolbox, TB_SETIMAGELIST, 0, 0);
    ImageList_Destroy(icons);
  }
}
