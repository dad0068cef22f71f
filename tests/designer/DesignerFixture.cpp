#include "DesignerFixture.h"

#include <commctrl.h>

#include <fstream>
#include <sstream>

#include "MessagePump.h"
#include "vellum.h"

namespace dz {

HMODULE Designer::control_ = nullptr;

std::wstring HostPath(const char* path) {
  std::wstring wide = L"Z:";
  for (const char* c = path; *c; ++c) wide += static_cast<wchar_t>(*c == '/' ? '\\' : *c);
  return wide;
}

std::wstring TempFile(const wchar_t* name) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

std::string ReadAll(const std::wstring& path) {
  std::ifstream file(path.c_str(), std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void WriteAll(const std::wstring& path, const std::string& bytes) {
  std::ofstream file(path.c_str(), std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void Designer::SetUpTestSuite() {
  OleInitialize(nullptr);
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  control_ = LoadLibraryW(L"vellum.dll");
  ASSERT_NE(control_, nullptr);
}

void Designer::TearDownTestSuite() {
  if (control_) FreeLibrary(control_);
  control_ = nullptr;
  OleUninitialize();
}

void Designer::SetUp() {
  designer_ = std::make_unique<CDesignerWindow>();
  std::wstring error;
  ASSERT_TRUE(designer_->Create(true, error)) << std::string(error.begin(), error.end());
}

void Designer::TearDown() {
  if (designer_ && designer_->GetHwnd()) DestroyWindow(designer_->GetHwnd());
  vt::PumpPending();
  designer_.reset();
}

void Designer::Script(const std::string& text) {
  const ScriptResult result = RunScriptText(*designer_, text);
  ASSERT_TRUE(result.ok) << "line " << result.line << ": " << result.message;
}

bool Designer::Enabled(UINT command) {
  SendMessageW(designer_->GetHwnd(), WM_INITMENUPOPUP, 0, 0);
  return (GetMenuState(GetMenu(designer_->GetHwnd()), command, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
}

std::wstring Designer::Title() {
  wchar_t title[256] = {};
  GetWindowTextW(designer_->GetHwnd(), title, 256);
  return title;
}

std::string Designer::Code() {
  const HWND control = designer_->Control();
  const LRESULT size = SendMessageW(control, VLM_GETCODE, 0, 0);
  if (size <= 0) return "<failed>";
  std::string text(static_cast<size_t>(size) + 1, '\0');
  SendMessageW(control, VLM_GETCODE, 0, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(size));
  return text;
}

}  // namespace dz
