#include "dom/character_data.h"

namespace vellum::engine {

std::u16string Comment::markup() const {
  if (isDeclaration()) return declarationMarkup_;
  std::u16string out;
  out.reserve(data().size() + 7);
  out.append(u"<!--").append(data()).append(u"-->");
  return out;
}

} // namespace vellum::engine
