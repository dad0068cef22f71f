#pragma once
// Tree construction: takes the tokenizer's tokens and builds the node tree, insertion mode by
// insertion mode. Departures kept on purpose: title, style and script collect their text as a
// property; declarations become comments; the stack of open elements never grows past the
// element nesting cap (a new element at the cap closes the deepest one first).

#include <string>
#include <vector>

#include "dom/document.h"
#include "parser/formatting_list.h"
#include "parser/open_elements.h"
#include "parser/parse_options.h"
#include "parser/token.h"
#include "parser/tokenizer.h"

namespace vellum::engine {

#define VELLUM_INSERTION_MODES(X) \
  X(Initial)                      \
  X(BeforeHtml)                   \
  X(BeforeHead)                   \
  X(InHead)                       \
  X(InHeadNoscript)               \
  X(AfterHead)                    \
  X(InBody)                       \
  X(Text)                         \
  X(InTable)                      \
  X(InTableText)                  \
  X(InCaption)                    \
  X(InColumnGroup)                \
  X(InTableBody)                  \
  X(InRow)                        \
  X(InCell)                       \
  X(InTemplate)                   \
  X(AfterBody)                    \
  X(InFrameset)                   \
  X(AfterFrameset)                \
  X(AfterAfterBody)               \
  X(AfterAfterFrameset)

enum class InsertionMode : uint8_t {
#define VELLUM_MODE_ENUM(name) name,
  VELLUM_INSERTION_MODES(VELLUM_MODE_ENUM)
#undef VELLUM_MODE_ENUM
};

const char* InsertionModeName(InsertionMode mode);

class TreeBuilder final : public TokenSink {
 public:
  // Builds into `document`. For a fragment, `context` is the context element and the nodes end up
  // below fragmentRoot() instead of the document.
  TreeBuilder(Document& document, const ParseOptions& options, Element* context = nullptr);
  ~TreeBuilder();

  // Sets the tokenizer state the context element calls for (fragments) and links the two.
  void Attach(Tokenizer& tokenizer);
  void ProcessToken(Token& token) override;
  bool CdataSectionAllowed() const override;

  Element* FragmentRoot() const { return fragmentRoot_.get(); }
  bool BudgetExhausted() const { return budgetExhausted_; }

 private:
  struct InsertionPlace {
    Node* parent;
    Node* before;
  };
  enum class FosterParenting : uint8_t { Off, On };

  // Dispatch.
  void Dispatch(Token& token);
  void ProcessInMode(InsertionMode mode, Token& token);
  void Reprocess(InsertionMode mode, Token& token);
  bool IsInForeignContext(const Token& token) const;
  Element* AdjustedCurrentNode() const;

  // The insertion modes (one function each; characters are handled as runs).
  void InitialMode(Token& t);
  void BeforeHtmlMode(Token& t);
  void BeforeHeadMode(Token& t);
  void InHeadMode(Token& t);
  void InHeadNoscriptMode(Token& t);
  void AfterHeadMode(Token& t);
  void InBodyMode(Token& t);
  void InBodyStartTag(Token& t);
  void InBodyEndTag(Token& t);
  void TextMode(Token& t);
  void InTableMode(Token& t);
  void InTableTextMode(Token& t);
  void InCaptionMode(Token& t);
  void InColumnGroupMode(Token& t);
  void InTableBodyMode(Token& t);
  void InRowMode(Token& t);
  void InCellMode(Token& t);
  void InTemplateMode(Token& t);
  void AfterBodyMode(Token& t);
  void InFramesetMode(Token& t);
  void AfterFramesetMode(Token& t);
  void AfterAfterBodyMode(Token& t);
  void AfterAfterFramesetMode(Token& t);
  void ForeignContent(Token& t);
  void ForeignEndTag(Token& t);

  // Shared steps of several modes.
  void InBodyCharacters(Token& t);
  void InTableAnythingElse(Token& t);
  void AnyOtherEndTagInBody(Token& t);
  void AdoptionAgency(Token& t);
  void ClosePElement();
  void CloseCell();
  void StartRawText(Token& t, TokenizerState state);
  void InsertHeadElement(Token& t);
  void StopParsing();
  void CloseSelectIfOpen();

  // Tree edits.
  InsertionPlace AppropriatePlace(Element* overrideTarget = nullptr);
  RefPtr<Element> CreateElement(const Token& t, Namespace ns);
  Element* InsertElement(const Token& t, Namespace ns = Namespace::Html);
  void InsertVoidElement(Token& t);
  void InsertCharacters(std::u16string_view text);
  void InsertComment(const Token& t, Node* parent = nullptr);
  RefPtr<Comment> CreateComment(const Token& t);
  void InsertAt(const InsertionPlace& place, Node& node);
  // At the nesting cap a new element first closes the deepest open one.
  void MakeRoomForElement();
  void PopCurrent();

  // Stack and list helpers from the algorithm.
  void GenerateImpliedEndTags(TagId except = TagId::Unknown);
  void GenerateImpliedEndTagsThoroughly();
  void ReconstructActiveFormattingElements();
  void ResetInsertionMode();
  void ClearStackBackTo(std::initializer_list<TagId> tags);
  bool CurrentIs(TagId tag) const;
  bool ChargeBudget();

  Document& document_;
  ParseOptions options_;
  Tokenizer* tokenizer_ = nullptr;
  InsertionMode mode_ = InsertionMode::Initial;
  InsertionMode originalMode_ = InsertionMode::InBody;
  OpenElements open_;
  FormattingList formatting_;
  std::vector<InsertionMode> templateModes_;
  RefPtr<Element> head_;
  RefPtr<Element> form_;
  RefPtr<Element> context_;
  RefPtr<Element> fragmentRoot_;
  bool framesetOk_ = true;
  bool fosterParenting_ = false;
  bool skipNextNewline_ = false;
  std::u16string pendingTableText_;
  bool pendingTableTextHasContent_ = false;
  int reprocessDepth_ = 0;
  size_t elementsLeft_;  // budget for elements the source did not ask for (clones)
  bool budgetExhausted_ = false;
};

}  // namespace vellum::engine
