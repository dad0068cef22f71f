#include "resource_module.h"

#include <string>

#ifndef VELLUM_RESOURCE_MODULE
#error "VELLUM_RESOURCE_MODULE must name the module file that carries the resources"
#endif

namespace vellum::test {
namespace {

// The module lies beside the test program; a full path keeps other copies on the search path out.
std::wstring ModulePathBesideProgram() {
  wchar_t program[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring path(program, length);
  path.erase(path.find_last_of(L"\\/") + 1);
  for (const char* name = VELLUM_RESOURCE_MODULE; *name; ++name) path.push_back(static_cast<wchar_t>(*name));
  return path;
}

}  // namespace

HMODULE ResourceModule() {
  static const HMODULE kModule = LoadLibraryExW(ModulePathBesideProgram().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  return kModule;
}

}  // namespace vellum::test
