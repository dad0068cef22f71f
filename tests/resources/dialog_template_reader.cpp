#include "dialog_template_reader.h"

#include <cstring>

namespace vellum::test {
namespace {

constexpr std::uint16_t kOrdinalMarker = 0xFFFF;
constexpr std::uint16_t kExtendedSignature = 0xFFFF;

// Sequential reader over the template bytes; once it runs past the end every read yields zero and
// ok() turns false, so the parser can finish its pass and report the failure once.
class TemplateCursor {
 public:
  TemplateCursor(const void* data, std::size_t size) : bytes_(static_cast<const unsigned char*>(data)), size_(size) {}

  bool Ok() const { return ok_; }

  template <typename T>
  T Read() {
    T value{};
    if (!Has(sizeof(T))) return value;
    std::memcpy(&value, bytes_ + offset_, sizeof(T));
    offset_ += sizeof(T);
    return value;
  }

  std::wstring ReadText() {
    std::wstring text;
    for (;;) {
      const auto unit = Read<std::uint16_t>();
      if (unit == 0 || !ok_) return text;
      text.push_back(static_cast<wchar_t>(unit));
    }
  }

  // A name field: empty (0), an ordinal (0xFFFF, number) or a zero-terminated text.
  std::wstring ReadNameOrOrdinal(const wchar_t* const* ordinalNames = nullptr) {
    const std::size_t start = offset_;
    if (Read<std::uint16_t>() == kOrdinalMarker) {
      const auto ordinal = Read<std::uint16_t>();
      if (ordinalNames) {
        for (int i = 0; ordinalNames[i]; ++i)
          if (0x80 + i == ordinal) return ordinalNames[i];
      }
      return L"#" + std::to_wstring(ordinal);
    }
    offset_ = start;
    return ReadText();
  }

  void AlignToDword() { offset_ = (offset_ + 3) & ~std::size_t{3}; }

  void Skip(std::size_t count) {
    if (Has(count)) offset_ += count;
  }

 private:
  bool Has(std::size_t count) {
    if (!ok_ || size_ - offset_ < count) {
      ok_ = false;
      return false;
    }
    return true;
  }

  const unsigned char* bytes_;
  std::size_t size_;
  std::size_t offset_ = 0;
  bool ok_ = true;
};

// Predefined control classes are stored as ordinals 0x80 to 0x85.
const wchar_t* const kPredefinedClasses[] = {L"Button",    L"Edit",     L"Static", L"ListBox",
                                             L"ScrollBar", L"ComboBox", nullptr};

// Class names compare without case; a predefined class written out by name reads like its ordinal.
std::wstring CanonicalClassName(std::wstring name) {
  for (int i = 0; kPredefinedClasses[i]; ++i)
    if (CompareStringOrdinal(name.c_str(), -1, kPredefinedClasses[i], -1, TRUE) == CSTR_EQUAL)
      return kPredefinedClasses[i];
  return name;
}

DialogUnitsRect ReadPlace(TemplateCursor& cursor) {
  DialogUnitsRect place;
  place.x = cursor.Read<std::int16_t>();
  place.y = cursor.Read<std::int16_t>();
  place.cx = cursor.Read<std::int16_t>();
  place.cy = cursor.Read<std::int16_t>();
  return place;
}

DialogControlTemplate ReadControl(TemplateCursor& cursor, bool extended) {
  DialogControlTemplate control;
  cursor.AlignToDword();
  if (extended) {
    cursor.Read<DWORD>();  // help id
    control.exStyle = cursor.Read<DWORD>();
    control.style = cursor.Read<DWORD>();
    control.place = ReadPlace(cursor);
    control.id = static_cast<std::int32_t>(cursor.Read<DWORD>());
  } else {
    control.style = cursor.Read<DWORD>();
    control.exStyle = cursor.Read<DWORD>();
    control.place = ReadPlace(cursor);
    control.id = cursor.Read<std::int16_t>();
  }
  control.className = CanonicalClassName(cursor.ReadNameOrOrdinal(kPredefinedClasses));
  control.text = cursor.ReadNameOrOrdinal();
  cursor.Skip(cursor.Read<std::uint16_t>());  // creation data
  return control;
}

}  // namespace

std::optional<DialogTemplate> ParseDialogTemplate(const void* data, std::size_t size) {
  if (!data) return std::nullopt;
  TemplateCursor cursor(data, size);
  DialogTemplate dialog;
  const auto version = cursor.Read<std::uint16_t>();
  const auto signature = cursor.Read<std::uint16_t>();
  dialog.extended = version == 1 && signature == kExtendedSignature;
  if (dialog.extended) {
    cursor.Read<DWORD>();  // help id
    dialog.exStyle = cursor.Read<DWORD>();
    dialog.style = cursor.Read<DWORD>();
  } else {
    dialog.style = static_cast<DWORD>(version) | (static_cast<DWORD>(signature) << 16);
    dialog.exStyle = cursor.Read<DWORD>();
  }
  const int controlCount = cursor.Read<std::uint16_t>();
  dialog.place = ReadPlace(cursor);
  dialog.menu = cursor.ReadNameOrOrdinal();
  dialog.windowClass = cursor.ReadNameOrOrdinal();
  dialog.caption = cursor.ReadText();
  if (dialog.style & DS_SETFONT) {
    dialog.pointSize = cursor.Read<std::uint16_t>();
    if (dialog.extended) {
      dialog.weight = cursor.Read<std::uint16_t>();
      dialog.italic = cursor.Read<std::uint8_t>() != 0;
      dialog.charset = cursor.Read<std::uint8_t>();
    }
    dialog.fontFace = cursor.ReadText();
  }
  for (int i = 0; i < controlCount && cursor.Ok(); ++i) dialog.controls.push_back(ReadControl(cursor, dialog.extended));
  if (!cursor.Ok()) return std::nullopt;
  return dialog;
}

std::vector<std::byte> LoadDialogTemplateBytes(HMODULE module, int dialogId) {
  HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(dialogId), RT_DIALOG);
  if (!info) return {};
  HGLOBAL loaded = LoadResource(module, info);
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) return {};
  const auto* first = static_cast<const std::byte*>(data);
  return std::vector<std::byte>(first, first + SizeofResource(module, info));
}

std::optional<DialogTemplate> LoadDialogTemplate(HMODULE module, int dialogId) {
  const auto bytes = LoadDialogTemplateBytes(module, dialogId);
  if (bytes.empty()) return std::nullopt;
  return ParseDialogTemplate(bytes.data(), bytes.size());
}

}  // namespace vellum::test
