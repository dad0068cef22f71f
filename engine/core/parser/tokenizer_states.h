#pragma once
// Tokenizer states, one list for the enum and the names shown when debugging. Character
// references are read by one routine in place of their own states.

#include <cstdint>

namespace vellum::engine {

#define VELLUM_TOKENIZER_STATES(X)            \
  X(Data)                                     \
  X(Rcdata)                                   \
  X(Rawtext)                                  \
  X(ScriptData)                               \
  X(Plaintext)                                \
  X(TagOpen)                                  \
  X(EndTagOpen)                               \
  X(TagName)                                  \
  X(RcdataLessThanSign)                       \
  X(RcdataEndTagOpen)                         \
  X(RcdataEndTagName)                         \
  X(RawtextLessThanSign)                      \
  X(RawtextEndTagOpen)                        \
  X(RawtextEndTagName)                        \
  X(ScriptDataLessThanSign)                   \
  X(ScriptDataEndTagOpen)                     \
  X(ScriptDataEndTagName)                     \
  X(ScriptDataEscapeStart)                    \
  X(ScriptDataEscapeStartDash)                \
  X(ScriptDataEscaped)                        \
  X(ScriptDataEscapedDash)                    \
  X(ScriptDataEscapedDashDash)                \
  X(ScriptDataEscapedLessThanSign)            \
  X(ScriptDataEscapedEndTagOpen)              \
  X(ScriptDataEscapedEndTagName)              \
  X(ScriptDataDoubleEscapeStart)              \
  X(ScriptDataDoubleEscaped)                  \
  X(ScriptDataDoubleEscapedDash)              \
  X(ScriptDataDoubleEscapedDashDash)          \
  X(ScriptDataDoubleEscapedLessThanSign)      \
  X(ScriptDataDoubleEscapeEnd)                \
  X(BeforeAttributeName)                      \
  X(AttributeName)                            \
  X(AfterAttributeName)                       \
  X(BeforeAttributeValue)                     \
  X(AttributeValueDoubleQuoted)               \
  X(AttributeValueSingleQuoted)               \
  X(AttributeValueUnquoted)                   \
  X(AfterAttributeValueQuoted)                \
  X(SelfClosingStartTag)                      \
  X(BogusComment)                             \
  X(MarkupDeclarationOpen)                    \
  X(CommentStart)                             \
  X(CommentStartDash)                         \
  X(Comment)                                  \
  X(CommentLessThanSign)                      \
  X(CommentLessThanSignBang)                  \
  X(CommentLessThanSignBangDash)              \
  X(CommentLessThanSignBangDashDash)          \
  X(CommentEndDash)                           \
  X(CommentEnd)                               \
  X(CommentEndBang)                           \
  X(Doctype)                                  \
  X(BeforeDoctypeName)                        \
  X(DoctypeName)                              \
  X(AfterDoctypeName)                         \
  X(AfterDoctypePublicKeyword)                \
  X(BeforeDoctypePublicIdentifier)            \
  X(DoctypePublicIdentifierDoubleQuoted)      \
  X(DoctypePublicIdentifierSingleQuoted)      \
  X(AfterDoctypePublicIdentifier)             \
  X(BetweenDoctypePublicAndSystemIdentifiers) \
  X(AfterDoctypeSystemKeyword)                \
  X(BeforeDoctypeSystemIdentifier)            \
  X(DoctypeSystemIdentifierDoubleQuoted)      \
  X(DoctypeSystemIdentifierSingleQuoted)      \
  X(AfterDoctypeSystemIdentifier)             \
  X(BogusDoctype)                             \
  X(CdataSection)                             \
  X(CdataSectionBracket)                      \
  X(CdataSectionEnd)

enum class TokenizerState : uint8_t {
#define VELLUM_STATE_ENUM(name) name,
  VELLUM_TOKENIZER_STATES(VELLUM_STATE_ENUM)
#undef VELLUM_STATE_ENUM
};

const char* TokenizerStateName(TokenizerState state);

}  // namespace vellum::engine
