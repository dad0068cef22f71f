#pragma once
// The parser's input: decoded UTF-16 text. The decoder (or a test) hands the whole text over;
// here CR LF and lone CR become LF, as the tokenizer expects. Text without CR is not copied.

#include <string>
#include <string_view>

namespace vellum::engine {

class InputText {
 public:
  explicit InputText(std::u16string_view decoded);
  InputText(const InputText&) = delete;
  InputText& operator=(const InputText&) = delete;

  std::u16string_view View() const { return view_; }

 private:
  std::u16string owned_;
  std::u16string_view view_;
};

}  // namespace vellum::engine
