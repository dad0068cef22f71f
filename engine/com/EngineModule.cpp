#include "engine/com/EngineModule.h"

#include <initguid.h>  // defines CLSID_HTMLDocument and the other GUIDs of the headers, once

#include <mshtml.h>
#include <olectl.h>

#include <atomic>
#include <string>

#include "engine/com/ComObject.h"
#include "engine/com/DocumentFactory.h"

namespace vellum::engine::com {

namespace {
HINSTANCE moduleInstance = nullptr;
std::atomic<LONG> liveObjects{0};
std::atomic<LONG> serverLocks{0};

const wchar_t kClsidKey[] = L"CLSID\\{25336920-03F9-11CF-8FD0-00AA00686F13}";
}  // namespace

void ObjectCreated() { ++liveObjects; }
void ObjectDestroyed() { --liveObjects; }
LONG LiveObjects() { return liveObjects.load(); }
HINSTANCE ModuleInstance() { return moduleInstance; }
void LockModule(bool lock) { lock ? ++serverLocks : --serverLocks; }
bool ModuleLocked() { return serverLocks.load() > 0; }

namespace {

HRESULT WriteRegistryText(HKEY root, const std::wstring& key, const wchar_t* name, const std::wstring& value) {
  HKEY handle = nullptr;
  LONG rc = RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle, nullptr);
  if (rc != ERROR_SUCCESS) return SELFREG_E_CLASS;
  rc = RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                      static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(handle);
  return rc == ERROR_SUCCESS ? S_OK : SELFREG_E_CLASS;
}

}  // namespace
}  // namespace vellum::engine::com

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    vellum::engine::com::moduleInstance = module;
    DisableThreadLibraryCalls(module);
  }
  return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!IsEqualCLSID(clsid, CLSID_HTMLDocument)) return CLASS_E_CLASSNOTAVAILABLE;
  return vellum::engine::com::GetDocumentFactory(riid, out);
}

extern "C" HRESULT WINAPI DllCanUnloadNow(void) {
  return vellum::engine::com::LiveObjects() == 0 && !vellum::engine::com::ModuleLocked() ? S_OK : S_FALSE;
}

extern "C" HRESULT WINAPI DllRegisterServer(void) {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(vellum::engine::com::moduleInstance, path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return SELFREG_E_CLASS;
  std::wstring key = vellum::engine::com::kClsidKey;
  HRESULT hr = vellum::engine::com::WriteRegistryText(HKEY_CLASSES_ROOT, key, nullptr, L"HTML Document");
  if (SUCCEEDED(hr))
    hr = vellum::engine::com::WriteRegistryText(HKEY_CLASSES_ROOT, key + L"\\InprocServer32", nullptr, path);
  if (SUCCEEDED(hr))
    hr = vellum::engine::com::WriteRegistryText(HKEY_CLASSES_ROOT, key + L"\\InprocServer32", L"ThreadingModel",
                                                L"Apartment");
  return hr;
}

extern "C" HRESULT WINAPI DllUnregisterServer(void) {
  LONG rc = RegDeleteTreeW(HKEY_CLASSES_ROOT, vellum::engine::com::kClsidKey);
  return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND ? S_OK : SELFREG_E_CLASS;
}

// Test support: the number of live engine objects, for leak checks.
extern "C" LONG WINAPI VellumEngine_LiveObjects(void) { return vellum::engine::com::LiveObjects(); }
