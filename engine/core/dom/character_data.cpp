#include "dom/character_data.h"

#include "dom/document.h"

namespace vellum::engine {

std::u16string Comment::Markup() const {
  if (IsDeclaration()) return declarationMarkup_;
  std::u16string out;
  out.reserve(Data().size() + 7);
  out.append(u"<!--").append(Data()).append(u"-->");
  return out;
}

void CharacterData::SetData(std::u16string_view data) {
  data_.assign(data);
  GetDocument().ContentChanged();
}

void CharacterData::AppendData(std::u16string_view data) {
  data_.append(data);
  GetDocument().ContentChanged();
}

}  // namespace vellum::engine
