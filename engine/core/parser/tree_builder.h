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

const char* insertionModeName(InsertionMode mode);

class TreeBuilder final : public TokenSink {
 public:
  // Builds into `document`. For a fragment, `context` is the context element and the nodes end up
  // below fragmentRoot() instead of the document.
  TreeBuilder(Document& document, const ParseOptions& options, Element* context = nullptr);
  ~TreeBuilder();

  // Sets the tokenizer state the context element calls for (fragments) and links the two.
  void attach(Tokenizer& tokenizer);
  void processToken(Token& token) override;
  bool cdataSectionAllowed() const override;

  Element* fragmentRoot() const { return fragmentRoot_.get(); }
  bool budgetExhausted() const { return budgetExhausted_; }

 private:
  struct InsertionPlace {
    Node* parent;
    Node* before;
  };
  enum class FosterParenting : uint8_t { Off, On };

  // Dispatch.
  void dispatch(Token& token);
  void processInMode(InsertionMode mode, Token& token);
  void reprocess(InsertionMode mode, Token& token);
  bool isInForeignContext(const Token& token) const;
  Element* adjustedCurrentNode() const;

  // The insertion modes (one function each; characters are handled as runs).
  void initialMode(Token& t);
  void beforeHtmlMode(Token& t);
  void beforeHeadMode(Token& t);
  void inHeadMode(Token& t);
  void inHeadNoscriptMode(Token& t);
  void afterHeadMode(Token& t);
  void inBodyMode(Token& t);
  void inBodyStartTag(Token& t);
  void inBodyEndTag(Token& t);
  void textMode(Token& t);
  void inTableMode(Token& t);
  void inTableTextMode(Token& t);
  void inCaptionMode(Token& t);
  void inColumnGroupMode(Token& t);
  void inTableBodyMode(Token& t);
  void inRowMode(Token& t);
  void inCellMode(Token& t);
  void inTemplateMode(Token& t);
  void afterBodyMode(Token& t);
  void inFramesetMode(Token& t);
  void afterFramesetMode(Token& t);
  void afterAfterBodyMode(Token& t);
  void afterAfterFramesetMode(Token& t);
  void foreignContent(Token& t);
  void foreignEndTag(Token& t);

  // Shared steps of several modes.
  void inBodyCharacters(Token& t);
  void inTableAnythingElse(Token& t);
  void anyOtherEndTagInBody(Token& t);
  void adoptionAgency(Token& t);
  void closePElement();
  void closeCell();
  void startRawText(Token& t, TokenizerState state);
  void insertHeadElement(Token& t);
  void stopParsing();
  void closeSelectIfOpen();

  // Tree edits.
  InsertionPlace appropriatePlace(Element* overrideTarget = nullptr);
  RefPtr<Element> createElement(const Token& t, Namespace ns);
  Element* insertElement(const Token& t, Namespace ns = Namespace::Html);
  void insertVoidElement(Token& t);
  void insertCharacters(std::u16string_view text);
  void insertComment(const Token& t, Node* parent = nullptr);
  RefPtr<Comment> createComment(const Token& t);
  void insertAt(const InsertionPlace& place, Node& node);
  // At the nesting cap a new element first closes the deepest open one.
  void makeRoomForElement();
  void popCurrent();

  // Stack and list helpers from the algorithm.
  void generateImpliedEndTags(TagId except = TagId::Unknown);
  void generateImpliedEndTagsThoroughly();
  void reconstructActiveFormattingElements();
  void resetInsertionMode();
  void clearStackBackTo(std::initializer_list<TagId> tags);
  bool currentIs(TagId tag) const;
  bool chargeBudget();

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
