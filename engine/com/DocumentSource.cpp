#include "engine/com/DocumentSource.h"

#include <windows.h>
#include <shlwapi.h>

namespace vellum::engine::com {

HRESULT ReadWholeStream(IStream* stream, std::string& bytes) {
  bytes.clear();
  char chunk[64 * 1024];
  for (;;) {
    ULONG read = 0;
    HRESULT hr = stream->Read(chunk, sizeof chunk, &read);
    if (FAILED(hr)) return hr;
    if (read == 0) return S_OK;
    if (bytes.size() + read > kMaxInput) return E_OUTOFMEMORY;
    try {
      bytes.append(chunk, read);
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    }
    if (hr == S_FALSE) return S_OK;
  }
}

namespace {

HRESULT ReadFileBytes(const wchar_t* path, std::string& bytes) {
  HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return HRESULT_FROM_WIN32(GetLastError());
  HRESULT hr = S_OK;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file, &size))
    hr = HRESULT_FROM_WIN32(GetLastError());
  else if (static_cast<unsigned long long>(size.QuadPart) > kMaxInput)
    hr = E_OUTOFMEMORY;
  if (SUCCEEDED(hr)) {
    try {
      bytes.resize(static_cast<size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
      hr = E_OUTOFMEMORY;
    }
  }
  size_t done = 0;
  while (SUCCEEDED(hr) && done < bytes.size()) {
    DWORD read = 0;
    DWORD want = static_cast<DWORD>(bytes.size() - done > (1u << 30) ? (1u << 30) : bytes.size() - done);
    if (!ReadFile(file, &bytes[done], want, &read, nullptr))
      hr = HRESULT_FROM_WIN32(GetLastError());
    else if (read == 0)
      bytes.resize(done);
    done += read;
  }
  CloseHandle(file);
  return hr;
}

}  // namespace

HRESULT ReadMonikerFile(IMoniker* moniker, std::string& bytes) {
  LPOLESTR name = nullptr;
  IBindCtx* context = nullptr;
  HRESULT hr = CreateBindCtx(0, &context);
  if (SUCCEEDED(hr)) hr = moniker->GetDisplayName(context, nullptr, &name);
  if (context) context->Release();
  if (FAILED(hr)) return hr;
  wchar_t path[MAX_PATH * 4];
  DWORD length = ARRAYSIZE(path);
  if (UrlIsFileUrlW(name)) {
    hr = PathCreateFromUrlW(name, path, &length, 0);
  } else if (PathIsURLW(name)) {
    hr = INET_E_UNKNOWN_PROTOCOL;  // nothing is fetched from the network
  } else {
    hr = lstrlenW(name) < static_cast<int>(ARRAYSIZE(path)) ? S_OK : E_INVALIDARG;
    if (SUCCEEDED(hr)) lstrcpyW(path, name);
  }
  CoTaskMemFree(name);
  if (FAILED(hr)) return hr;
  return ReadFileBytes(path, bytes);
}

}  // namespace vellum::engine::com
