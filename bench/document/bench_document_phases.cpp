// Timed harness (Windows, under Wine): where VLM_GETCODE spends its time. Each line repeats one kind of
// engine call the serializer makes, for every node of a 10,000-element form, so the costs can be
// compared with the whole serialisation. Prints the figures; it is not a test.
#include <windows.h>
#include <mshtml.h>
#include <ole2.h>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "FormSource.h"
#include "Clock.h"
#include "MessagePump.h"
#include "RecordingParent.h"
#include "control/Module.h"
#include "control/Vellum.h"
#include "comkit/ComRef.h"
#include "comkit/ComText.h"
#include "document/Dom2HTML.h"
#include "vellum.h"

namespace {

double Now() { return vt::NowSeconds(); }

VARIANT IntVariant(long value) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_I4;
  V_I4(&v) = value;
  return v;
}

// The best of several runs, in milliseconds.
double Best(int repetitions, const std::function<void()>& run) {
  double best = 1e30;
  for (int r = 0; r < repetitions; ++r) {
    double t0 = Now();
    run();
    double t = (Now() - t0) * 1000;
    if (t < best) best = t;
  }
  return best;
}

// Calls visit for every node of the tree, as the serializer reaches them (through childNodes).
void WalkChildren(IHTMLDOMNode* node, const std::function<void(IHTMLDOMNode*)>& visit) {
  visit(node);
  CComRef<IDispatch> dispatch;
  CComRef<IHTMLDOMChildrenCollection> children;
  if (FAILED(node->get_childNodes(dispatch.Out())) || !dispatch ||
      FAILED(dispatch->QueryInterface(IID_IHTMLDOMChildrenCollection, children.OutVoid())))
    return;
  long count = 0;
  children->get_length(&count);
  for (long i = 0; i < count; ++i) {
    CComRef<IDispatch> item;
    CComRef<IHTMLDOMNode> child;
    if (SUCCEEDED(children->item(i, item.Out())) && item &&
        SUCCEEDED(item->QueryInterface(IID_IHTMLDOMNode, child.OutVoid())))
      WalkChildren(child.get(), visit);
  }
}

// Visits the node's attributes as the writer does: the collection, each item, whether it was specified.
void ForEachAttribute(IHTMLDOMNode* node, const std::function<void(IHTMLDOMAttribute*)>& visit) {
  CComRef<IDispatch> dispatch;
  CComRef<IHTMLAttributeCollection> attributes;
  if (FAILED(node->get_attributes(dispatch.Out())) || !dispatch ||
      FAILED(dispatch->QueryInterface(IID_IHTMLAttributeCollection, attributes.OutVoid())))
    return;
  long count = 0;
  attributes->get_length(&count);
  for (long i = 0; i < count; ++i) {
    VARIANT index = IntVariant(i);
    CComRef<IDispatch> item;
    CComRef<IHTMLDOMAttribute> attribute;
    VARIANT_BOOL specified;
    if (FAILED(attributes->item(&index, item.Out())) || !item ||
        FAILED(item->QueryInterface(IID_IHTMLDOMAttribute, attribute.OutVoid())))
      continue;
    attribute->get_specified(&specified);
    visit(attribute.get());
  }
}

void Report(const char* what, double ms) { std::printf("  %-48s %9.3f ms\n", what, ms); }

double Serialise(IHTMLDocument2* document, int repetitions) {
  return Best(repetitions, [&] {
    CDom2HTML writer(CComRef<IHTMLDocument2>::Share(document));
    writer.Parse();
  });
}

void MeasurePhases(IHTMLDocument2* document, int repetitions) {
  CComRef<IHTMLElementCollection> all;
  document->get_all(all.Out());
  long length = 0;
  all->get_length(&length);
  CComRef<IHTMLDOMNode> root;
  {
    VARIANT name = IntVariant(0), index = IntVariant(0);
    CComRef<IDispatch> item;
    all->item(name, index, item.Out());
    item->QueryInterface(IID_IHTMLDOMNode, root.OutVoid());
  }
  std::printf("%ld nodes in all\n", length);

  Report("first serialisation after the load", Serialise(document, 1));
  Report("whole serialisation (CDom2HTML::Parse)", Serialise(document, repetitions));
  Report("all.item(i) for every i", Best(repetitions, [&] {
           for (long i = 0; i < length; ++i) {
             VARIANT name = IntVariant(i), index = IntVariant(0);
             CComRef<IDispatch> item;
             all->item(name, index, item.Out());
           }
         }));
  Report("childNodes walk", Best(repetitions, [&] { WalkChildren(root.get(), [](IHTMLDOMNode*) {}); }));
  Report("walk + sourceIndex, nodeType, nodeName", Best(repetitions, [&] {
           WalkChildren(root.get(), [](IHTMLDOMNode* node) {
             CComRef<IHTMLElement> element;
             long sourceIndex = 0, type = 0;
             if (SUCCEEDED(node->QueryInterface(IID_IHTMLElement, element.OutVoid())))
               element->get_sourceIndex(&sourceIndex);
             node->get_nodeType(&type);
             CBstr name;
             node->get_nodeName(name.Out());
           });
         }));
  Report("walk + attribute collections (no values)", Best(repetitions, [&] {
           WalkChildren(root.get(), [](IHTMLDOMNode* node) { ForEachAttribute(node, [](IHTMLDOMAttribute*) {}); });
         }));
  Report("walk + attribute names and values", Best(repetitions, [&] {
           WalkChildren(root.get(), [](IHTMLDOMNode* node) {
             ForEachAttribute(node, [](IHTMLDOMAttribute* attribute) {
               CBstr name;
               attribute->get_nodeName(name.Out());
               CVariant value;
               attribute->get_nodeValue(&value);
             });
           });
         }));
  Report("walk + style.cssText", Best(repetitions, [&] {
           WalkChildren(root.get(), [](IHTMLDOMNode* node) {
             CComRef<IHTMLElement> element;
             CComRef<IHTMLStyle> style;
             CBstr text;
             if (SUCCEEDED(node->QueryInterface(IID_IHTMLElement, element.OutVoid())) &&
                 SUCCEEDED(element->get_style(style.Out())) && style)
               style->get_cssText(text.Out());
           });
         }));
  Report("walk + input state", Best(repetitions, [&] {
           WalkChildren(root.get(), [](IHTMLDOMNode* node) {
             CComRef<IHTMLInputElement> input;
             if (FAILED(node->QueryInterface(IID_IHTMLInputElement, input.OutVoid()))) return;
             CBstr value;
             VARIANT_BOOL flag;
             input->get_value(value.Out());
             input->get_checked(&flag);
             input->get_disabled(&flag);
             input->get_readOnly(&flag);
           });
         }));
}

}  // namespace

// With an argument "serialise" [count [elements]], only the whole serialisation runs, many times over (for a profiler).
int main(int argc, char** argv) {
  const bool serialiseOnly = argc > 1 && std::string(argv[1]) == "serialise";
  OleInitialize(nullptr);
  Module_RegisterClass(GetModuleHandleW(nullptr));
  {
    vt::RecordingParent parent(800, 600);
    vt::PumpFor(50);
    HWND hwnd = CreateWindowExW(0, VELLUM_CLASS_NAME_W, L"", WS_CHILD | WS_VISIBLE, 0, 0, 400, 300, parent.Hwnd(),
                                reinterpret_cast<HMENU>(7), GetModuleHandleW(nullptr), nullptr);
    CVellum* control = Module_FindControl(hwnd);
    if (control) {
      vt::PumpUntil([&] { return control->CompletedLoads() >= 1; }, 10000);
      const int elements = argc > 3 ? std::atoi(argv[3]) : 10000;
      const std::string form = bench_document::GeneratedForm(elements);
      SendMessageW(hwnd, VLM_LOADCODE, 0, reinterpret_cast<LPARAM>(form.c_str()));
      vt::PumpUntil([&] { return control->CompletedLoads() >= 2; }, 60000);
      if (serialiseOnly) {
        const int count = argc > 2 ? std::atoi(argv[2]) : 200;
        std::printf("best serialisation of %d: %.3f ms\n", count, Serialise(control->Document(), count));
      } else {
        MeasurePhases(control->Document(), 7);
      }
    }
    DestroyWindow(hwnd);
    vt::PumpPending();
  }
  Module_Shutdown();
  OleUninitialize();
  return 0;
}
