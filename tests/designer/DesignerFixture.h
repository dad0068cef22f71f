// The designer's main window made in the test process, with the real vellum.dll loaded as the designer
// loads it, and helpers to reach its menus, files and form.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>

#include "DesignerWindow.h"
#include "Script.h"

namespace dz {

// A Windows path for a path of this machine's file system (Wine's Z: drive).
std::wstring HostPath(const char* path);
std::wstring TempFile(const wchar_t* name);
std::string ReadAll(const std::wstring& path);
void WriteAll(const std::wstring& path, const std::string& bytes);

class Designer : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;
  void TearDown() override;

  // Runs script lines; fails the test with the script's message when a line fails.
  void Script(const std::string& text);
  bool Enabled(UINT command);
  std::wstring Title();
  std::string Code();

  static HMODULE control_;
  std::unique_ptr<CDesignerWindow> designer_;
};

}  // namespace dz
