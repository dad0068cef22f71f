// A minimal host: loads the control, creates one "QX_VELLUM" window in a frame, loads a form into it
// and writes what the control hands back (the form's HTML and a picture of the window).
// Usage: vellumdemo [--headless] [--out DIR] [FORM.html]
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "WindowCapture.h"
#include "vellum.h"

namespace {

struct Options {
  bool headless = false;
  std::wstring outDir = L".";
  std::wstring form;
};

Options ParseOptions(int argc, wchar_t** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    if (!wcscmp(argv[i], L"--headless"))
      options.headless = true;
    else if (!wcscmp(argv[i], L"--out") && i + 1 < argc)
      options.outDir = argv[++i];
    else
      options.form = argv[i];
  }
  return options;
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

std::string Narrow(const std::wstring& text) {
  int n = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
  return out;
}

// The form as the control writes it: the size first, then the text.
std::string GetCode(HWND control) {
  LRESULT size = SendMessageW(control, VLM_GETCODE, 0, 0);
  if (size <= 0) return std::string();
  std::vector<char> buffer(static_cast<size_t>(size) + 1);
  if (SendMessageW(control, VLM_GETCODE, 0, reinterpret_cast<LPARAM>(buffer.data())) != 1) return std::string();
  return std::string(buffer.data());
}

bool WriteFileText(const std::wstring& path, const std::string& text) {
  FILE* f = _wfopen(path.c_str(), L"wb");
  if (!f) return false;
  bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  std::fclose(f);
  return ok;
}

void Pump(DWORD ms) {
  ULONGLONG end = GetTickCount64() + ms;
  MSG msg;
  while (GetTickCount64() < end) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    Sleep(10);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Options options = ParseOptions(argc, argv);
  OleInitialize(nullptr);
  HMODULE module = LoadLibraryW(L"vellum.dll");
  if (!module) {
    std::fprintf(stderr, "vellum.dll could not be loaded (error %lu)\n", GetLastError());
    return 1;
  }
  WNDCLASSEXW wc = {sizeof wc};
  wc.lpfnWndProc = FrameProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  wc.lpszClassName = L"VellumDemoFrame";
  RegisterClassExW(&wc);
  HWND frame = CreateWindowExW(0, wc.lpszClassName, L"Vellum demo", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                               CW_USEDEFAULT, CW_USEDEFAULT, 640, 480, nullptr, nullptr, wc.hInstance, nullptr);
  HWND control = CreateWindowExW(0, VELLUM_CLASS_NAME_W, L"", WS_CHILD | WS_VISIBLE, 20, 20, 400, 150, frame,
                                 reinterpret_cast<HMENU>(1), wc.hInstance, nullptr);
  if (!control) {
    std::fprintf(stderr, "the QX_VELLUM window could not be created (error %lu)\n", GetLastError());
    return 1;
  }
  ShowWindow(frame, SW_SHOW);
  Pump(300);
  RECT rc;
  GetClientRect(control, &rc);
  std::printf("created a QX_VELLUM window: client area %ld x %ld\n", rc.right, rc.bottom);
  if (!options.form.empty()) {
    std::string path = Narrow(options.form);
    if (SendMessageW(control, VLM_LOADFILE, 0, reinterpret_cast<LPARAM>(path.c_str())) != 1) {
      std::fprintf(stderr, "the form %s could not be loaded\n", path.c_str());
      return 1;
    }
    Pump(500);  // the load completes through the message loop
    GetClientRect(control, &rc);
    std::printf("loaded %s: form %ld x %ld\n", path.c_str(), rc.right, rc.bottom);
    // A user's click on the first text box selects it; the picture then shows its handles.
    POINT click = {150, 20};
    HWND target = ChildWindowFromPointEx(control, click, CWP_SKIPINVISIBLE);
    if (target && target != control) {
      MapWindowPoints(control, target, &click, 1);
      SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(click.x, click.y));
      SendMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(click.x, click.y));
      std::printf("clicked the text box on the design surface\n");
    }
  }
  std::string code = GetCode(control);
  std::wstring htmlPath = options.outDir + L"\\form.html";
  if (!code.empty() && WriteFileText(htmlPath, code))
    std::printf("wrote the form's HTML (%zu bytes) to form.html\n", code.size());
  else
    std::fprintf(stderr, "the form's HTML could not be written\n");
  RedrawWindow(frame, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump(100);
  if (vt::SavePng(vt::CaptureWindow(control), options.outDir + L"\\form.png"))
    std::printf("wrote a picture of the control to form.png\n");

  std::wstring report = options.outDir + L"\\demo.txt";
  if (FILE* f = _wfopen(report.c_str(), L"w")) {
    std::fprintf(f, "QX_VELLUM window created; client area %ld x %ld; HTML %zu bytes\n", rc.right, rc.bottom,
                 code.size());
    std::fclose(f);
  }
  if (!options.headless) {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  DestroyWindow(frame);
  FreeLibrary(module);
  OleUninitialize();
  return 0;
}
