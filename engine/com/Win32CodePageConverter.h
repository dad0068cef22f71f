// Code pages other than UTF-8/16 are decoded by the system, as every other program on the machine does.
#pragma once

#include "encoding/code_page.h"

namespace vellum::engine::com {

class CWin32CodePageConverter final : public vellum::engine::encoding::CodePageConverter {
 public:
  bool Decode(vellum::engine::encoding::CodePage codePage, std::string_view bytes, std::u16string& out) const override;
  vellum::engine::encoding::CodePage AnsiCodePage() const override;
};

}  // namespace vellum::engine::com
