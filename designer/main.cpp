// designer.exe: the form designer built on the control.
//   designer.exe [FILE]                 opens FILE (an .html form) or a new form
//   designer.exe --script FILE          runs a designer script (see Script.h), then ends
//   designer.exe --headless ...         the window stays on its display but is not shown to the user
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>

#include <cstdio>
#include <string>

#include "DesignerWindow.h"
#include "Script.h"

namespace {

struct Options {
  std::wstring file;
  std::wstring script;
  bool headless = false;
  std::wstring error;
};

Options ParseOptions(int argc, wchar_t** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::wstring word = argv[i];
    if (word == L"--headless") {
      options.headless = true;
    } else if (word == L"--script") {
      if (i + 1 >= argc)
        options.error = L"--script needs a file";
      else
        options.script = argv[++i];
    } else if (word.rfind(L"--", 0) == 0) {
      options.error = L"unknown option " + word;
    } else {
      options.file = word;
    }
  }
  return options;
}

void Complain(const std::wstring& text, bool toConsole) {
  if (toConsole) {
    std::fwprintf(stderr, L"designer: %ls\n", text.c_str());
  } else {
    MessageBoxW(nullptr, text.c_str(), L"Vellum Designer", MB_OK | MB_ICONERROR);
  }
}

int MessageLoop(CDesignerWindow& designer) {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (designer.GetHwnd() && designer.TranslateKeys(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const Options options = ParseOptions(argc, argv);
  const bool console = options.headless || !options.script.empty();
  // A windows program started from a console writes its messages there when it runs unattended.
  if (console && !GetStdHandle(STD_ERROR_HANDLE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
  }
  if (!options.error.empty()) {
    Complain(options.error + L"\nusage: designer.exe [--headless] [--script FILE] [FILE]", console);
    return 2;
  }
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  // The control registers its window class when its module loads.
  const HMODULE control = LoadLibraryW(L"vellum.dll");
  if (!control) {
    Complain(L"vellum.dll could not be loaded: it belongs beside designer.exe", console);
    return 1;
  }
  int exitCode = 0;
  {
    CDesignerWindow designer;
    std::wstring error;
    // Headless, the window is still a real window on the display (pictures need it drawn), moved out of
    // the way of the user's.
    if (!designer.Create(!options.headless || !options.script.empty(), error)) {
      Complain(error, console);
      return 1;
    }
    designer.SetQuitOnDestroy(true);
    if (!options.file.empty() && !designer.Open(options.file)) {
      Complain(L"the form " + options.file + L" could not be opened", console);
      exitCode = 1;
    }
    if (!options.script.empty()) {
      const ScriptResult result = RunScriptFile(designer, options.script);
      if (!result.ok) {
        std::fprintf(stderr, "designer: %ls, line %d: %s\n", options.script.c_str(), result.line,
                     result.message.c_str());
        exitCode = 2;
      } else {
        std::printf("designer: %ls ran to its end\n", options.script.c_str());
      }
      DestroyWindow(designer.GetHwnd());
    } else if (!options.headless) {
      exitCode = MessageLoop(designer);
    } else {
      DestroyWindow(designer.GetHwnd());
    }
  }
  FreeLibrary(control);
  OleUninitialize();
  return exitCode;
}
