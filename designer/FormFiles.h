// Form files on disk: their bytes read and written whole, and the list of recently used files.
#pragma once

#include <string>
#include <vector>

namespace form_files {

bool ReadBytes(const std::wstring& path, std::string& bytes);
// Writes through a temporary file beside the target that then replaces it, so that a failed save never
// leaves half a file where the old one was.
bool WriteBytes(const std::wstring& path, const std::string& bytes);
// The last part of a path ("form.html").
std::wstring FileNameOf(const std::wstring& path);
// The path in the ANSI code page the control takes; false when a character of it has no ANSI form.
bool AnsiPath(const std::wstring& path, std::string& ansi);
// A path made whole against the current directory.
std::wstring FullPath(const std::wstring& path);

// The files opened or saved last, newest first, kept in the user's registry.
class RecentFiles {
 public:
  static constexpr size_t kMaxFiles = 8;
  void Load();
  void Add(const std::wstring& path);
  const std::vector<std::wstring>& Paths() const { return paths_; }

 private:
  void Store() const;
  std::vector<std::wstring> paths_;
};

}  // namespace form_files
