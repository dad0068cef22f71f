// Loading text or a file into the document, text through a temporary file where the host asks for it.
#include "control/Vellum.h"

#include <cstring>
#include <string_view>

#include "document/DOMUtil.h"
#include "encoding/meta_prescan.h"
#include "vellum.h"

namespace {

// The code page the text's own meta declares, found as the engine finds it in a file, so that text
// given in memory reads as the same page; the ANSI code page when it declares none this system converts.
UINT DeclaredCodePage(const char* text) {
  namespace encoding = vellum::engine::encoding;
  const size_t length = strnlen(text, encoding::kPrescanByteBudget);
  const auto codePage = encoding::PrescanMetaCodePage(std::string_view(text, length));
  return codePage && IsValidCodePage(*codePage) ? static_cast<UINT>(*codePage) : CP_ACP;
}

}  // namespace

int CVellum::LoadCode(const char* text) {
  if (!document_ || !text) {
    lastError = VLM_ERR_NO_DOCUMENT;
    return 0;
  }
  snapshotOnChange_ = 1;
  if (!CDOMUtil(LentDocument()).LoadCode(text, DeclaredCodePage(text))) {
    lastError = VLM_ERR_LOAD;
    return 0;
  }
  ClearUndo();
  lastError = VLM_ERR_NONE;
  return 1;
}

int CVellum::LoadFromFile(const char* path) {
  if (!document_ || !path) {
    lastError = VLM_ERR_NO_DOCUMENT;
    return 0;
  }
  snapshotOnChange_ = 1;
  if (!CDOMUtil(LentDocument()).LoadFromFile(path)) {
    snapshotOnChange_ = 0;
    lastError = VLM_ERR_LOAD;
    return 0;
  }
  ClearUndo();
  lastError = VLM_ERR_NONE;
  return 1;
}

int CVellum::LoadThroughTempFile(const char* text) {
  // A load still on its way is replaced by this one: its file goes now, as its completion never comes.
  DeleteTempFile();
  char* name = tempFile_.GetBuffer(MAX_PATH);
  if (!name) {
    lastError = VLM_ERR_TEMP_NAME_MEMORY;
    return 0;
  }
  if (!GetTempFileNameA(tempDir_.GetString(), "qxv", 0, name)) {
    tempFile_.Empty();
    lastError = VLM_ERR_TEMP_FILE;
    return 0;
  }
  tempFile_.ReleaseBuffer();
  CXStringW widePath(tempFile_.GetString());
  HANDLE file =
      CreateFileW(widePath.GetString(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    // GetTempFileName made the file; it must not stay behind.
    DeleteTempFile();
    lastError = VLM_ERR_TEMP_FILE;
    return 0;
  }
  DWORD length = static_cast<DWORD>(lstrlenA(text));
  DWORD written = 0;
  BOOL wrote = length == 0 || WriteFile(file, text, length, &written, nullptr);
  CloseHandle(file);
  if (!wrote || (length && written != length)) {
    DeleteTempFile();
    lastError = VLM_ERR_TEMP_WRITE;
    return 0;
  }
  if (!LoadFromFile(tempFile_.GetString())) {
    DeleteTempFile();
    lastError = VLM_ERR_LOAD;
    return 0;
  }
  return 1;
}

void CVellum::DeleteTempFile() {
  if (tempFile_.IsEmpty()) return;
  CXStringW widePath(tempFile_.GetString());
  DeleteFileW(widePath.GetString());
  tempFile_.Empty();
}
