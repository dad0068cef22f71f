#include "dom/character_data.h"

#include "dom/document.h"

namespace vellum::engine {

std::u16string Comment::Markup() const {
  if (IsDeclaration()) {
    // A declaration the end of the text cut short gets the ">" that closes it, or the markup after it
    // would be read as part of it. No declaration holds a ">" before its end.
    if (!declarationMarkup_.empty() && declarationMarkup_.back() == u'>') return declarationMarkup_;
    return declarationMarkup_ + u">";
  }
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
