#pragma once
// Text and comment nodes. A comment also stands for a doctype or any other "<!...>" declaration:
// the object model reports those as comments whose text is the declaration as written.

#include <memory>
#include <string>
#include <string_view>

#include "dom/node.h"

namespace vellum::engine {

class CharacterData : public Node {
 public:
  const std::u16string& Data() const { return data_; }
  void SetData(std::u16string_view data);
  void AppendData(std::u16string_view data);

 protected:
  CharacterData(NodeType type, Document* document, std::u16string_view data) : Node(type, document), data_(data) {}

 private:
  std::u16string data_;
};

class Text final : public CharacterData {
 private:
  friend class Document;
  Text(Document* document, std::u16string_view data) : CharacterData(NodeType::Text, document, data) {}
};

// What the tokenizer read from a doctype, kept for the tree dump and the document's mode.
struct DoctypeInfo {
  std::u16string name;
  std::u16string publicId;
  std::u16string systemId;
  bool hasName = false;
  bool hasPublicId = false;
  bool hasSystemId = false;
};

class Comment final : public CharacterData {
 public:
  // The whole markup: "<!--" data "-->" for a comment, the source text for a declaration.
  std::u16string Markup() const;
  // Set for comments that came from a declaration (doctype, "<!x>", "<?x>").
  bool IsDeclaration() const { return !declarationMarkup_.empty(); }
  const DoctypeInfo* Doctype() const { return doctype_.get(); }

 private:
  friend class Document;
  Comment(Document* document, std::u16string_view data, std::u16string_view declarationMarkup,
          std::unique_ptr<DoctypeInfo> doctype)
      : CharacterData(NodeType::Comment, document, data),
        declarationMarkup_(declarationMarkup),
        doctype_(std::move(doctype)) {}

  std::u16string declarationMarkup_;
  std::unique_ptr<DoctypeInfo> doctype_;
};

inline CharacterData* AsCharacterData(Node* node) {
  return node && (node->IsText() || node->IsComment()) ? static_cast<CharacterData*>(node) : nullptr;
}
inline Text* AsText(Node* node) { return node && node->IsText() ? static_cast<Text*>(node) : nullptr; }
inline Comment* AsComment(Node* node) { return node && node->IsComment() ? static_cast<Comment*>(node) : nullptr; }
inline const Text* AsText(const Node* node) {
  return node && node->IsText() ? static_cast<const Text*>(node) : nullptr;
}
inline const Comment* AsComment(const Node* node) {
  return node && node->IsComment() ? static_cast<const Comment*>(node) : nullptr;
}

}  // namespace vellum::engine
