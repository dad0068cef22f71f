#include "parser/tree_builder.h"

#include "dom/nesting_cap.h"
#include "parser/foreign_names.h"
#include "parser/tree_builder_internal.h"

namespace vellum::engine {

using namespace tb;

const char* insertionModeName(InsertionMode mode) {
  static const char* const kNames[] = {
#define VELLUM_MODE_NAME(name) #name,
      VELLUM_INSERTION_MODES(VELLUM_MODE_NAME)
#undef VELLUM_MODE_NAME
  };
  return kNames[static_cast<size_t>(mode)];
}

namespace {
// Guards against a reprocessing cycle on input the algorithm never meant to see (the nesting cap
// can leave the stack in shapes the rules do not expect); a token that bounces this often is dropped.
constexpr int kMaxReprocessDepth = 48;
}  // namespace

TreeBuilder::TreeBuilder(Document& document, const ParseOptions& options, Element* context)
    : document_(document), options_(options), context_(context), elementsLeft_(options.extraElementBudget) {
  if (!context) return;
  fragmentRoot_ = document_.createElement(Namespace::Html, TagId::Html, u"html");
  open_.push(fragmentRoot_.get());
  if (context->is(TagId::Template)) templateModes_.push_back(InsertionMode::InTemplate);
  resetInsertionMode();
  for (Node* n = context; n; n = n->parent()) {
    if (Element* e = asElement(n); e && e->is(TagId::Form)) {
      form_ = e;
      break;
    }
  }
}

TreeBuilder::~TreeBuilder() = default;

void TreeBuilder::attach(Tokenizer& tokenizer) {
  tokenizer_ = &tokenizer;
  if (!context_ || !context_->isHtml()) return;
  switch (context_->tagId()) {
    case TagId::Title:
    case TagId::Textarea:
      tokenizer.setState(TokenizerState::Rcdata);
      break;
    case TagId::Style:
    case TagId::Xmp:
    case TagId::Iframe:
    case TagId::Noembed:
    case TagId::Noframes:
      tokenizer.setState(TokenizerState::Rawtext);
      break;
    case TagId::Script:
      tokenizer.setState(TokenizerState::ScriptData);
      break;
    case TagId::Noscript:
      if (options_.scripting == Scripting::On) tokenizer.setState(TokenizerState::Rawtext);
      break;
    case TagId::Plaintext:
      tokenizer.setState(TokenizerState::Plaintext);
      break;
    default:
      break;
  }
}

bool TreeBuilder::chargeBudget() {
  if (elementsLeft_ == 0) {
    budgetExhausted_ = true;
    return false;
  }
  --elementsLeft_;
  return true;
}

// ---- dispatch ---------------------------------------------------------------------------------

void TreeBuilder::processToken(Token& token) {
  if (skipNextNewline_) {
    skipNextNewline_ = false;
    if (token.type == TokenType::Characters && !token.data.empty() && token.data[0] == u'\n') {
      token.data.erase(0, 1);
      if (token.data.empty()) return;
    }
  }
  reprocessDepth_ = 0;
  dispatch(token);
}

void TreeBuilder::dispatch(Token& token) {
  if (isInForeignContext(token))
    foreignContent(token);
  else
    processInMode(mode_, token);
}

void TreeBuilder::reprocess(InsertionMode mode, Token& token) {
  mode_ = mode;
  if (++reprocessDepth_ > kMaxReprocessDepth) return;
  dispatch(token);
}

Element* TreeBuilder::adjustedCurrentNode() const {
  if (context_ && open_.size() == 1) return context_.get();
  return open_.current();
}

namespace {
bool isMathMlTextIntegrationPoint(const Element& e) {
  return e.ns() == Namespace::MathMl && tagIn(e.tagId(), {TagId::Mi, TagId::Mo, TagId::Mn, TagId::Ms, TagId::Mtext});
}
}  // namespace

bool isHtmlIntegrationPoint(const Element& e) {
  if (e.ns() == Namespace::MathMl && e.tagId() == TagId::AnnotationXml) {
    const Attribute* encoding = e.findAttribute(u"encoding");
    return encoding && (equalsIgnoringAsciiCase(encoding->value, u"text/html") ||
                        equalsIgnoringAsciiCase(encoding->value, u"application/xhtml+xml"));
  }
  return e.ns() == Namespace::Svg && tagIn(e.tagId(), {TagId::ForeignObject, TagId::Desc, TagId::Title});
}

bool TreeBuilder::isInForeignContext(const Token& token) const {
  const Element* node = adjustedCurrentNode();
  if (!node || node->isHtml() || token.type == TokenType::EndOfFile) return false;
  bool start = token.type == TokenType::StartTag;
  bool chars = token.type == TokenType::Characters;
  if (isMathMlTextIntegrationPoint(*node)) {
    if (chars || (start && token.tag != TagId::Mglyph && token.tag != TagId::Malignmark)) return false;
  }
  if (node->ns() == Namespace::MathMl && node->tagId() == TagId::AnnotationXml && start && token.tag == TagId::Svg)
    return false;
  if (isHtmlIntegrationPoint(*node) && (start || chars)) return false;
  return true;
}

bool TreeBuilder::cdataSectionAllowed() const {
  const Element* node = adjustedCurrentNode();
  return node && !node->isHtml();
}

void TreeBuilder::processInMode(InsertionMode mode, Token& t) {
  switch (mode) {
    case InsertionMode::Initial:
      return initialMode(t);
    case InsertionMode::BeforeHtml:
      return beforeHtmlMode(t);
    case InsertionMode::BeforeHead:
      return beforeHeadMode(t);
    case InsertionMode::InHead:
      return inHeadMode(t);
    case InsertionMode::InHeadNoscript:
      return inHeadNoscriptMode(t);
    case InsertionMode::AfterHead:
      return afterHeadMode(t);
    case InsertionMode::InBody:
      return inBodyMode(t);
    case InsertionMode::Text:
      return textMode(t);
    case InsertionMode::InTable:
      return inTableMode(t);
    case InsertionMode::InTableText:
      return inTableTextMode(t);
    case InsertionMode::InCaption:
      return inCaptionMode(t);
    case InsertionMode::InColumnGroup:
      return inColumnGroupMode(t);
    case InsertionMode::InTableBody:
      return inTableBodyMode(t);
    case InsertionMode::InRow:
      return inRowMode(t);
    case InsertionMode::InCell:
      return inCellMode(t);
    case InsertionMode::InTemplate:
      return inTemplateMode(t);
    case InsertionMode::AfterBody:
      return afterBodyMode(t);
    case InsertionMode::InFrameset:
      return inFramesetMode(t);
    case InsertionMode::AfterFrameset:
      return afterFramesetMode(t);
    case InsertionMode::AfterAfterBody:
      return afterAfterBodyMode(t);
    case InsertionMode::AfterAfterFrameset:
      return afterAfterFramesetMode(t);
  }
}

// ---- tree edits -------------------------------------------------------------------------------

TreeBuilder::InsertionPlace TreeBuilder::appropriatePlace(Element* overrideTarget) {
  Element* target = overrideTarget ? overrideTarget : open_.current();
  InsertionPlace place{target, nullptr};
  if (fosterParenting_ && isHtmlOneOf(target, {TagId::Table, TagId::Tbody, TagId::Tfoot, TagId::Thead, TagId::Tr})) {
    long lastTemplate = -1;
    long lastTable = -1;
    for (size_t i = open_.size(); i-- > 0 && (lastTemplate < 0 || lastTable < 0);) {
      Element* e = open_.at(i);
      if (lastTemplate < 0 && e->is(TagId::Template)) lastTemplate = static_cast<long>(i);
      if (lastTable < 0 && e->is(TagId::Table)) lastTable = static_cast<long>(i);
    }
    if (lastTemplate >= 0 && (lastTable < 0 || lastTemplate > lastTable)) {
      place = {open_.at(lastTemplate), nullptr};
    } else if (lastTable < 0) {
      place = {open_.top(), nullptr};
    } else if (Node* parent = open_.at(lastTable)->parent()) {
      place = {parent, open_.at(lastTable)};
    } else {
      place = {open_.at(lastTable - 1), nullptr};
    }
  }
  if (Element* e = asElement(place.parent); e && e->templateContent()) place = {e->templateContent(), nullptr};
  return place;
}

void TreeBuilder::insertAt(const InsertionPlace& place, Node& node) {
  if (place.parent) NodeTreeAccess::insert(*place.parent, node, place.before);
}

RefPtr<Element> TreeBuilder::createElement(const Token& t, Namespace ns) {
  std::u16string_view localName = t.name;
  if (ns == Namespace::Svg) localName = adjustSvgElementName(localName);
  RefPtr<Element> e = document_.createElement(ns, t.tag, localName);
  e->attributes_.reserve(t.attributes.size());
  for (const TokenAttribute& a : t.attributes) e->attributes_.push_back(Attribute{a.name, a.value});
  if (ns == Namespace::Svg) adjustSvgAttributes(e->attributes_);
  if (ns == Namespace::MathMl) adjustMathMlAttributes(e->attributes_);
  if (ns != Namespace::Html) adjustForeignAttributes(e->attributes_);
  return e;
}

void TreeBuilder::makeRoomForElement() {
  if (open_.size() >= static_cast<size_t>(kMaxElementNesting)) popCurrent();
}

// Closes the current element outside of any end tag (the nesting cap): the bookkeeping its end tag
// would have done is done here, and the insertion mode follows the new stack. A formatting element
// closed this way is also forgotten, or every later text would open it again at the cap.
void TreeBuilder::popCurrent() {
  Element* current = open_.current();
  if (!current || open_.size() <= 1) return;
  formatting_.remove(current);
  if (current->is(TagId::Template)) {
    if (!templateModes_.empty()) templateModes_.pop_back();
    formatting_.clearUpToLastMarker();
  } else if (isHtmlOneOf(current,
                         {TagId::Td, TagId::Th, TagId::Caption, TagId::Applet, TagId::Object, TagId::Marquee})) {
    formatting_.clearUpToLastMarker();
  }
  // Only the elements that select an insertion mode can change it by going away.
  bool selectsMode = isHtmlOneOf(current, {TagId::Td, TagId::Th, TagId::Tr, TagId::Tbody, TagId::Thead, TagId::Tfoot,
                                           TagId::Caption, TagId::Colgroup, TagId::Table, TagId::Template, TagId::Head,
                                           TagId::Body, TagId::Frameset, TagId::Html});
  open_.pop();
  if (selectsMode) resetInsertionMode();
}

Element* TreeBuilder::insertElement(const Token& t, Namespace ns) {
  makeRoomForElement();
  InsertionPlace place = appropriatePlace();
  RefPtr<Element> e = createElement(t, ns);
  insertAt(place, *e);
  open_.push(e.get());
  return e.get();
}

void TreeBuilder::insertVoidElement(Token& t) {
  insertElement(t);
  open_.pop();
}

void TreeBuilder::insertCharacters(std::u16string_view text) {
  if (text.empty()) return;
  InsertionPlace place = appropriatePlace();
  if (!place.parent || place.parent->isDocument()) return;
  if (Element* e = asElement(place.parent); e && e->holdsTextAsProperty()) {
    e->appendText(text);
    return;
  }
  Node* previous = place.before ? place.before->previousSibling() : place.parent->lastChild();
  if (Text* existing = asText(previous)) {
    existing->appendData(text);
    return;
  }
  RefPtr<Text> node = document_.createText(text);
  insertAt(place, *node);
}

RefPtr<Comment> TreeBuilder::createComment(const Token& t) {
  if (t.type == TokenType::Doctype) {
    auto info = std::make_unique<DoctypeInfo>();
    info->name = t.name;
    info->publicId = t.publicId;
    info->systemId = t.systemId;
    info->hasName = t.hasName;
    info->hasPublicId = t.hasPublicId;
    info->hasSystemId = t.hasSystemId;
    std::u16string_view inner = t.markup;
    if (inner.size() >= 2) inner.remove_prefix(2);
    if (!inner.empty() && inner.back() == u'>') inner.remove_suffix(1);
    return document_.createDeclaration(inner, t.markup, std::move(info));
  }
  if (t.isDeclaration) return document_.createDeclaration(t.data, t.markup);
  return document_.createComment(t.data);
}

void TreeBuilder::insertComment(const Token& t, Node* parent) {
  RefPtr<Comment> c = createComment(t);
  if (parent)
    NodeTreeAccess::insert(*parent, *c, nullptr);
  else
    insertAt(appropriatePlace(), *c);
}

// ---- stack and list helpers -------------------------------------------------------------------

bool TreeBuilder::currentIs(TagId tag) const {
  Element* c = open_.current();
  return c && c->is(tag);
}

void TreeBuilder::generateImpliedEndTags(TagId except) {
  open_.popWhile(
      [except](const Element& e) { return e.isHtml() && (tagFlags(e.tagId()) & kImpliedEnd) && e.tagId() != except; });
}

void TreeBuilder::generateImpliedEndTagsThoroughly() {
  open_.popWhile(
      [](const Element& e) { return e.isHtml() && (tagFlags(e.tagId()) & (kImpliedEnd | kImpliedEndThorough)); });
}

void TreeBuilder::clearStackBackTo(std::initializer_list<TagId> tags) {
  open_.popWhile(
      [tags](const Element& e) { return !(e.isHtml() && (tagIn(e.tagId(), tags) || e.tagId() == TagId::Html)); });
}

void TreeBuilder::reconstructActiveFormattingElements() {
  if (formatting_.empty()) return;
  const FormattingList::Entry& last = formatting_.back();
  if (last.isMarker() || open_.contains(last.element.get())) return;
  size_t i = formatting_.size() - 1;
  while (i > 0) {
    const FormattingList::Entry& before = formatting_.at(i - 1);
    if (before.isMarker() || open_.contains(before.element.get())) break;
    --i;
  }
  for (; i < formatting_.size(); ++i) {
    if (!chargeBudget()) return;
    const Element& source = *formatting_.at(i).element;
    makeRoomForElement();
    InsertionPlace place = appropriatePlace();
    RefPtr<Element> clone = document_.createElement(source.ns(), source.tagId(), source.localName());
    clone->attributes_ = source.attributes();
    insertAt(place, *clone);
    open_.push(clone.get());
    formatting_.at(i).element = clone;
  }
}

void TreeBuilder::resetInsertionMode() {
  for (size_t i = open_.size(); i-- > 0;) {
    bool last = i == 0;
    Element* node = open_.at(i);
    if (last && context_) node = context_.get();
    if (node->isHtml()) {
      switch (node->tagId()) {
        case TagId::Td:
        case TagId::Th:
          if (!last) {
            mode_ = InsertionMode::InCell;
            return;
          }
          break;
        case TagId::Tr:
          mode_ = InsertionMode::InRow;
          return;
        case TagId::Tbody:
        case TagId::Thead:
        case TagId::Tfoot:
          mode_ = InsertionMode::InTableBody;
          return;
        case TagId::Caption:
          mode_ = InsertionMode::InCaption;
          return;
        case TagId::Colgroup:
          mode_ = InsertionMode::InColumnGroup;
          return;
        case TagId::Table:
          mode_ = InsertionMode::InTable;
          return;
        case TagId::Template:
          mode_ = templateModes_.empty() ? InsertionMode::InBody : templateModes_.back();
          return;
        case TagId::Head:
          if (!last) {
            mode_ = InsertionMode::InHead;
            return;
          }
          break;
        case TagId::Body:
          mode_ = InsertionMode::InBody;
          return;
        case TagId::Frameset:
          mode_ = InsertionMode::InFrameset;
          return;
        case TagId::Html:
          mode_ = head_ ? InsertionMode::AfterHead : InsertionMode::BeforeHead;
          return;
        default:
          break;
      }
    }
    if (last) {
      mode_ = InsertionMode::InBody;
      return;
    }
  }
  mode_ = InsertionMode::InBody;
}

void TreeBuilder::closePElement() {
  generateImpliedEndTags(TagId::P);
  open_.popUntilPopped(TagId::P);
}

void TreeBuilder::closeCell() {
  generateImpliedEndTags();
  open_.popWhile([](const Element& e) { return !e.is(TagId::Td) && !e.is(TagId::Th); });
  open_.pop();
  formatting_.clearUpToLastMarker();
  mode_ = InsertionMode::InRow;
}

void TreeBuilder::startRawText(Token& t, TokenizerState state) {
  insertElement(t);
  if (tokenizer_) tokenizer_->setState(state);
  originalMode_ = mode_;
  mode_ = InsertionMode::Text;
}

void TreeBuilder::stopParsing() {}

}  // namespace vellum::engine
