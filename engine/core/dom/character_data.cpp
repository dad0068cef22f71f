#include "dom/character_data.h"

#include "dom/document.h"

namespace vellum::engine {

std::u16string Comment::markup() const {
  if (isDeclaration()) return declarationMarkup_;
  std::u16string out;
  out.reserve(data().size() + 7);
  out.append(u"<!--").append(data()).append(u"-->");
  return out;
}

void CharacterData::setData(std::u16string_view data) {
  data_.assign(data);
  document().contentChanged();
}

void CharacterData::appendData(std::u16string_view data) {
  data_.append(data);
  document().contentChanged();
}

}  // namespace vellum::engine
