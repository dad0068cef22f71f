#pragma once
// Code pages are named by their Windows identifiers everywhere in the engine, because the converter that
// runs in production is MultiByteToWideChar.

#include <cstdint>
#include <string>
#include <string_view>

namespace vellum::engine::encoding {

using CodePage = std::uint32_t;

inline constexpr CodePage kCodePageUtf16LE = 1200;
inline constexpr CodePage kCodePageUtf16BE = 1201;
inline constexpr CodePage kCodePageWindows1252 = 1252;
inline constexpr CodePage kCodePageUsAscii = 20127;
inline constexpr CodePage kCodePageLatin1 = 28591;
inline constexpr CodePage kCodePageUtf8 = 65001;

// Turns bytes of a single-byte or multi-byte code page into UTF-16. The engine decodes UTF-8 and UTF-16
// itself and asks the converter only for the other code pages.
class CodePageConverter {
 public:
  virtual ~CodePageConverter() = default;

  // Appends the UTF-16 form of `bytes` to `out`. Answers false, leaving `out` as it was, when the code
  // page is not available.
  virtual bool Decode(CodePage codePage, std::string_view bytes, std::u16string& out) const = 0;

  // The code page of text that names no character set of its own.
  virtual CodePage AnsiCodePage() const = 0;
};

// A converter that needs no platform support: Windows-1252, ISO-8859-1 and US-ASCII. Native builds and
// tests use it; the Windows engine uses a MultiByteToWideChar converter instead.
class BuiltinCodePageConverter final : public CodePageConverter {
 public:
  explicit BuiltinCodePageConverter(CodePage ansiCodePage = kCodePageWindows1252);

  bool Decode(CodePage codePage, std::string_view bytes, std::u16string& out) const override;
  CodePage AnsiCodePage() const override { return ansiCodePage_; }

  static bool Supports(CodePage codePage);

 private:
  CodePage ansiCodePage_;
};

}  // namespace vellum::engine::encoding
