#include "FormFiles.h"

#include <windows.h>

namespace form_files {

namespace {

constexpr wchar_t kRecentKey[] = L"Software\\Vellum\\Designer\\Recent";

}  // namespace

bool ReadBytes(const std::wstring& path, std::string& bytes) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size = {};
  bool ok = GetFileSizeEx(file, &size) && size.QuadPart < 0x40000000;
  if (ok) {
    bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    ok = bytes.empty() ||
         (ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size());
  }
  CloseHandle(file);
  return ok;
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  const std::wstring temporary = path + L".saving";
  const HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok =
      bytes.empty() ||
      (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size());
  CloseHandle(file);
  if (!ok || !MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(temporary.c_str());
    return false;
  }
  return true;
}

std::wstring FileNameOf(const std::wstring& path) {
  const size_t cut = path.find_last_of(L"\\/");
  return cut == std::wstring::npos ? path : path.substr(cut + 1);
}

bool AnsiPath(const std::wstring& path, std::string& ansi) {
  BOOL lossy = FALSE;
  const int size = WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, nullptr, 0, nullptr, &lossy);
  if (size <= 0 || lossy) return false;
  ansi.assign(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, ansi.data(), size, nullptr, &lossy);
  ansi.resize(static_cast<size_t>(size - 1));
  return !lossy;
}

std::wstring FullPath(const std::wstring& path) {
  const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (size == 0) return path;
  std::wstring full(size, L'\0');
  const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
  full.resize(length);
  return full;
}

void RecentFiles::Load() {
  paths_.clear();
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kRecentKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  for (size_t i = 0; i < kMaxFiles; ++i) {
    wchar_t name[8];
    wsprintfW(name, L"%u", static_cast<unsigned>(i));
    DWORD bytes = 0, type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS || type != REG_SZ) break;
    std::wstring path(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(path.data()), &bytes) != ERROR_SUCCESS)
      break;
    path.resize(wcslen(path.c_str()));
    if (!path.empty()) paths_.push_back(path);
  }
  RegCloseKey(key);
}

void RecentFiles::Add(const std::wstring& path) {
  for (auto it = paths_.begin(); it != paths_.end(); ++it) {
    if (CompareStringOrdinal(it->c_str(), -1, path.c_str(), -1, TRUE) == CSTR_EQUAL) {
      paths_.erase(it);
      break;
    }
  }
  paths_.insert(paths_.begin(), path);
  if (paths_.size() > kMaxFiles) paths_.resize(kMaxFiles);
  Store();
}

void RecentFiles::Store() const {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kRecentKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  for (size_t i = 0; i < kMaxFiles; ++i) {
    wchar_t name[8];
    wsprintfW(name, L"%u", static_cast<unsigned>(i));
    if (i < paths_.size()) {
      RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(paths_[i].c_str()),
                     static_cast<DWORD>((paths_[i].size() + 1) * sizeof(wchar_t)));
    } else {
      RegDeleteValueW(key, name);
    }
  }
  RegCloseKey(key);
}

}  // namespace form_files
