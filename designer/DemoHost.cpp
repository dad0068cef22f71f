// A minimal host: loads the control, creates one "QX_VELLUM" window in a frame, and reports what it did.
// Usage: vellumdemo [--headless] [--out DIR] [FORM.html]
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

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
    if (!wcscmp(argv[i], L"--headless")) options.headless = true;
    else if (!wcscmp(argv[i], L"--out") && i + 1 < argc) options.outDir = argv[++i];
    else options.form = argv[i];
  }
  return options;
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(hwnd, msg, wParam, lParam);
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

  std::wstring report = options.outDir + L"\\demo.txt";
  if (FILE* f = _wfopen(report.c_str(), L"w")) {
    std::fprintf(f, "QX_VELLUM window created; client area %ld x %ld\n", rc.right, rc.bottom);
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
  return 0;
}
