// Reads a dialog template resource (classic or extended layout) into plain values, so that tests can
// compare what the resource compiler produced with what the dialogs must look like.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vellum::test {

struct DialogUnitsRect {
  int x = 0;
  int y = 0;
  int cx = 0;
  int cy = 0;
  bool operator==(const DialogUnitsRect&) const = default;
};

struct DialogControlTemplate {
  int id = 0;              // -1 for controls without an id, in either layout
  std::wstring className;  // predefined classes by their registered name ("Button", "Edit", ...)
  std::wstring text;       // "#n" when the template names a resource ordinal instead of a text
  DWORD style = 0;
  DWORD exStyle = 0;
  DialogUnitsRect place;
};

struct DialogTemplate {
  bool extended = false;
  DWORD style = 0;
  DWORD exStyle = 0;
  DialogUnitsRect place;
  std::wstring menu;
  std::wstring windowClass;
  std::wstring caption;
  int pointSize = 0;  // font fields are present only with DS_SETFONT
  int weight = 0;
  bool italic = false;
  int charset = 0;
  std::wstring fontFace;
  std::vector<DialogControlTemplate> controls;
};

// Null when the bytes end before the template does.
std::optional<DialogTemplate> ParseDialogTemplate(const void* data, std::size_t size);

// Null when the module has no such dialog or it cannot be parsed.
std::optional<DialogTemplate> LoadDialogTemplate(HMODULE module, int dialogId);

// The raw bytes of a dialog resource, for creating the dialog from memory. Empty when absent.
std::vector<std::byte> LoadDialogTemplateBytes(HMODULE module, int dialogId);

}  // namespace vellum::test
