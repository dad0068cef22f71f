// Timed harness (Windows, under Wine): on forms of 100, 1,000 and 3,000 absolutely positioned
// elements, and on forms of as many labels sized by their text (every word measured in its font), the
// layout after a change, a full repaint after a change (layout, styles, painting and
// the copy to the screen), a full repaint of an unchanged page, and elementFromPoint. Prints the
// figures; it is not a test. A full repaint of 3,000 elements should stay under 16 ms (one frame)
// so that dragging stays smooth.
#include <initguid.h>  // the MSHTML GUIDs are defined in this one file

#include <windows.h>
#include <mshtml.h>
#include <ocidl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ContainerSite.h"
#include "Clock.h"
#include "MessagePump.h"

namespace {

constexpr int kViewWidth = 1024;
constexpr int kViewHeight = 768;

double Now() { return vt::NowSeconds(); }

template <class T>
void Release(T*& p) {
  if (p) p->Release();
  p = nullptr;
}

// A designer's form: labels, text boxes, buttons, check boxes, radio buttons, drop-down lists and
// text areas, each absolutely positioned, laid over the view in a grid (they overlap when many).
enum class FormKind { Mixed, TextSizedLabels };

// The id and place of element i: a grid over the view, shifted a little for every screenful (they
// overlap when many); sized elements are 118 x 22.
enum class Sized { No, Yes };
std::wstring Place(int i, Sized sized) {
  const int column = i % 8, row = (i / 8) % 30;
  wchar_t place[160];
  swprintf(place, 160, L" id=\"e%d\" style=\"position: absolute; left: %dpx; top: %dpx%ls\"", i,
           8 + column * 126 + (i / 240) % 5, 6 + row * 25 + (i / 240) % 4,
           sized == Sized::Yes ? L"; width: 118px; height: 22px" : L"");
  return place;
}

// Labels without a size, as a form loaded from elsewhere has them: each is as wide as its text.
std::wstring TextSizedLabels(int elements) {
  std::wstring html = L"<html><head><style>body { font-family: Arial; font-size: 13px }</style></head><body>";
  for (int i = 0; i < elements; ++i)
    html +=
        L"<span" + Place(i, Sized::No) + L">Label " + std::to_wstring(i) + (i % 3 ? L" of the form" : L"") + L"</span>";
  return html + L"</body></html>";
}

std::wstring GeneratedForm(int elements) {
  std::wstring html = L"<html><head><style>body { font-family: Arial; font-size: 13px }</style></head><body>";
  for (int i = 0; i < elements; ++i) {
    const std::wstring place = Place(i, Sized::Yes);
    switch (i % 20) {
      case 0:
      case 1:
      case 2:
      case 3:
      case 4:
      case 5:
      case 6:
      case 7:
        html += L"<span" + place + L">Label " + std::to_wstring(i) + L"</span>";
        break;
      case 8:
      case 9:
      case 10:
      case 11:
      case 12:
        html += L"<input type=\"text\" value=\"value " + std::to_wstring(i) + L"\"" + place + L">";
        break;
      case 13:
      case 14:
        html += L"<input type=\"button\" value=\"Button\"" + place + L">";
        break;
      case 15:
        html += L"<input type=\"checkbox\" checked" + place + L">";
        break;
      case 16:
        html += L"<input type=\"radio\" name=\"r\"" + place + L">";
        break;
      case 17:
      case 18:
        html += L"<select" + place + L"><option>One</option><option selected>Two</option></select>";
        break;
      default:
        html += L"<textarea" + place + L">Some text</textarea>";
        break;
    }
  }
  return html + L"</body></html>";
}

bool LoadAndWait(IHTMLDocument2* document, const std::wstring& html) {
  IPersistStreamInit* persist = nullptr;
  if (FAILED(document->QueryInterface(IID_IPersistStreamInit, reinterpret_cast<void**>(&persist)))) return false;
  persist->InitNew();
  const SIZE_T bytes = html.size() * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  IStream* stream = nullptr;
  if (memory) {
    memcpy(GlobalLock(memory), html.data(), bytes);
    GlobalUnlock(memory);
    CreateStreamOnHGlobal(memory, TRUE, &stream);
  }
  HRESULT hr = stream ? persist->Load(stream) : E_OUTOFMEMORY;
  Release(stream);
  Release(persist);
  if (FAILED(hr)) return false;
  return vt::PumpUntil(
      [&] {
        BSTR state = nullptr;
        bool complete = SUCCEEDED(document->get_readyState(&state)) && state && std::wstring(state) == L"complete";
        SysFreeString(state);
        return complete;
      },
      60000);
}

IHTMLStyle* StyleOf(IHTMLDocument2* document, int index) {
  IHTMLDocument3* document3 = nullptr;
  IHTMLElement* element = nullptr;
  IHTMLStyle* style = nullptr;
  document->QueryInterface(IID_IHTMLDocument3, reinterpret_cast<void**>(&document3));
  BSTR id = SysAllocString((L"e" + std::to_wstring(index)).c_str());
  if (document3) document3->getElementById(id, &element);
  if (element) element->get_style(&style);
  SysFreeString(id);
  Release(element);
  Release(document3);
  return style;
}

// Moves the element a pixel to the left or right: a change of the tree, as a drag makes.
void Nudge(IHTMLStyle* style, int step) {
  VARIANT left;
  VariantInit(&left);
  V_VT(&left) = VT_BSTR;
  V_BSTR(&left) = SysAllocString(step % 2 ? L"9px" : L"8px");
  style->put_left(left);
  VariantClear(&left);
}

struct Figures {
  int elements = 0;
  LONG loaded = 0;            // elements the document holds (the form's and html, head, style, body)
  double loadMs = 0;          // Load until complete and first shown
  double layoutMs = 0;        // layout after a change (asked for by offsetLeft)
  double changedPaintMs = 0;  // a change, then a full repaint: layout, styles, painting, copy
  double repaintMs = 0;       // full repaint of an unchanged page
  double hitTestUs = 0;       // elementFromPoint on an unchanged page
};

Figures Measure(int elements, int repetitions, FormKind kind) {
  Figures f;
  f.elements = elements;
  HWND frame = pt::CreateContainerFrame(kViewWidth, kViewHeight);
  pt::CContainerSite site(frame, DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO);
  IHTMLDocument2* document = nullptr;
  CoCreateInstance(CLSID_HTMLDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IHTMLDocument2,
                   reinterpret_cast<void**>(&document));
  HWND view = document ? pt::ActivateInFrame(document, site, frame) : nullptr;
  if (!view) {
    std::printf("the engine's document could not be activated\n");
    Release(document);
    if (frame) DestroyWindow(frame);
    return f;
  }
  vt::PumpPending();
  const std::wstring form = kind == FormKind::Mixed ? GeneratedForm(elements) : TextSizedLabels(elements);
  double t0 = Now();
  LoadAndWait(document, form);
  UpdateWindow(view);
  f.loadMs = (Now() - t0) * 1000;

  IHTMLElementCollection* all = nullptr;
  document->get_all(&all);
  if (all) all->get_length(&f.loaded);
  Release(all);
  IHTMLStyle* moved = StyleOf(document, 0);
  IHTMLElement* probe = nullptr;
  document->elementFromPoint(500, 300, &probe);
  const auto fullRepaint = [&] { RedrawWindow(view, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); };
  double layout = 0, changed = 0, repaint = 0;
  for (int r = 0; r < repetitions && moved && probe; ++r) {
    t0 = Now();
    Nudge(moved, r);
    LONG offset = 0;
    probe->get_offsetLeft(&offset);
    layout += Now() - t0;
    t0 = Now();
    Nudge(moved, r + 1);
    fullRepaint();
    changed += Now() - t0;
    t0 = Now();
    fullRepaint();
    repaint += Now() - t0;
  }
  f.layoutMs = layout * 1000 / repetitions;
  f.changedPaintMs = changed * 1000 / repetitions;
  f.repaintMs = repaint * 1000 / repetitions;

  constexpr int kHitTests = 2000;
  t0 = Now();
  unsigned seed = 12345;
  for (int i = 0; i < kHitTests; ++i) {
    seed = seed * 1103515245 + 12345;
    IHTMLElement* hit = nullptr;
    document->elementFromPoint(static_cast<LONG>((seed >> 8) % kViewWidth),
                               static_cast<LONG>((seed >> 20) % kViewHeight), &hit);
    Release(hit);
  }
  f.hitTestUs = (Now() - t0) * 1e6 / kHitTests;

  Release(probe);
  Release(moved);
  pt::Deactivate(document);
  Release(document);
  DestroyWindow(frame);
  vt::PumpPending();
  return f;
}

}  // namespace

int main() {
  OleInitialize(nullptr);
  std::printf("Engine layout and painting, %dx%d view, N absolutely positioned elements (Wine, %s)\n", kViewWidth,
              kViewHeight,
#ifdef NDEBUG
              "optimised"
#else
              "unoptimised"
#endif
  );
  for (FormKind kind : {FormKind::Mixed, FormKind::TextSizedLabels}) {
    std::printf("%s\n", kind == FormKind::Mixed ? "designer's forms (sized elements of every kind)"
                                                : "labels sized by their text");
    std::printf("%6s %8s %10s %11s %22s %18s %20s\n", "N", "in tree", "load ms", "layout ms", "change+full paint ms",
                "full repaint ms", "elementFromPoint us");
    for (int n : {100, 1000, 3000}) {
      Figures f = Measure(n, n >= 3000 ? 10 : 20, kind);
      std::printf("%6d %8ld %10.2f %11.2f %22.2f %18.2f %20.2f\n", f.elements, static_cast<long>(f.loaded), f.loadMs,
                  f.layoutMs, f.changedPaintMs, f.repaintMs, f.hitTestUs);
    }
  }
  std::printf("goal: a full repaint of 3,000 elements under 16 ms\n");
  OleUninitialize();
  return 0;
}
