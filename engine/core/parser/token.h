#pragma once
// What the tokenizer hands the tree builder. One token object is reused for every token; the
// receiver copies what it keeps.

#include <string>
#include <string_view>
#include <vector>

#include "dom/tag_names.h"

namespace vellum::engine {

enum class TokenType : uint8_t { Doctype, StartTag, EndTag, Comment, Characters, EndOfFile };

struct TokenAttribute {
  std::u16string name;
  std::u16string value;
};

struct Token {
  TokenType type = TokenType::EndOfFile;

  // Tags: lower-case name, its identity, attributes in source order (duplicates already dropped).
  std::u16string name;
  TagId tag = TagId::Unknown;
  std::vector<TokenAttribute> attributes;
  bool selfClosing = false;

  // Characters: the run of text; comments: the comment's data.
  std::u16string data;
  // Comments that came from a declaration ("<!x>", "<?x>", "</ x>") and doctypes: the source text.
  bool isDeclaration = false;
  std::u16string_view markup;

  // Doctypes (name is in `name`).
  std::u16string publicId;
  std::u16string systemId;
  bool hasName = false;
  bool hasPublicId = false;
  bool hasSystemId = false;
  bool forceQuirks = false;

  const TokenAttribute* FindAttribute(std::u16string_view attributeName) const {
    for (const TokenAttribute& a : attributes)
      if (a.name == attributeName) return &a;
    return nullptr;
  }
};

// The tree builder's side of the tokenizer.
class TokenSink {
 public:
  virtual void ProcessToken(Token& token) = 0;
  // Whether "<![CDATA[" opens a CDATA section here (inside foreign content) or a bogus comment.
  virtual bool CdataSectionAllowed() const = 0;

 protected:
  ~TokenSink() = default;
};

}  // namespace vellum::engine
