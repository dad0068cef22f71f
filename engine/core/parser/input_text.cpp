#include "parser/input_text.h"

namespace vellum::engine {

InputText::InputText(std::u16string_view decoded) {
  size_t cr = decoded.find(u'\r');
  if (cr == std::u16string_view::npos) {
    view_ = decoded;
    return;
  }
  owned_.reserve(decoded.size());
  owned_.append(decoded.substr(0, cr));
  for (size_t i = cr; i < decoded.size(); ++i) {
    char16_t c = decoded[i];
    if (c == u'\r') {
      owned_.push_back(u'\n');
      if (i + 1 < decoded.size() && decoded[i + 1] == u'\n') ++i;
    } else {
      owned_.push_back(c);
    }
  }
  view_ = owned_;
}

}  // namespace vellum::engine
