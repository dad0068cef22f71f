#include "ControlFixture.h"

#include "comkit/ComText.h"

namespace dt {

std::string Control::Code() {
  LRESULT size = Send(VLM_GETCODE);
  if (size <= 0) return "<failed>";
  std::string text(static_cast<size_t>(size) + 1, '\x7f');
  if (Send(VLM_GETCODE, 0, reinterpret_cast<LPARAM>(text.data())) != 1) return "<failed>";
  EXPECT_EQ(text[static_cast<size_t>(size)], '\0');
  text.resize(static_cast<size_t>(size));
  return text;
}

std::string Control::BodyLines(const std::string& code) {
  size_t start = code.find(" <BODY");
  size_t end = code.find(" </BODY>\n");
  if (start == std::string::npos || end == std::string::npos) return "<no body>";
  start = code.find('\n', start) + 1;
  return code.substr(start, end - start);
}

int Control::Insert(DWORD kind, RECT rect) {
  if (!Arm(kind)) return -1;
  return GetControl()->InsertElementAt(rect, 0);
}

CComRef<IHTMLElement> Control::ElementWithId(const wchar_t* id) {
  CComRef<IHTMLDocument3> document;
  CComRef<IHTMLElement> element;
  CBstr name(id);
  if (SUCCEEDED(GetControl()->Document()->QueryInterface(IID_IHTMLDocument3, document.OutVoid())))
    document->getElementById(name.get(), element.Out());
  return element;
}

std::wstring Control::Inner(const wchar_t* id) {
  const CComRef<IHTMLElement> element = ElementWithId(id);
  CBstr inner;
  if (!element || FAILED(element->get_innerHTML(inner.Out()))) return L"<none>";
  return inner.get() ? inner.get() : L"";
}

bool Control::WaitForHistorySteps(UINT count) {
  return vt::PumpUntil([&] { return GetControl() && GetControl()->CompletedHistorySteps() >= count; }, 10000);
}

bool Control::StepAndWait(UINT message) {
  const UINT steps = GetControl()->CompletedHistorySteps();
  return Send(message) == 1 && WaitForHistorySteps(steps + 1);
}

bool Control::LoadAndWait(const char* text) {
  UINT loads = GetControl()->CompletedLoads();
  return Send(VLM_LOADCODE, 0, reinterpret_cast<LPARAM>(text)) == 1 && WaitForLoads(loads + 1);
}

}  // namespace dt
