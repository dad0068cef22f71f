#include "parser/tree_builder.h"

#include "dom/nesting_cap.h"
#include "parser/foreign_names.h"
#include "parser/tree_builder_internal.h"

namespace vellum::engine {

using namespace tb;

const char* InsertionModeName(InsertionMode mode) {
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
  fragmentRoot_ = document_.CreateElement(Namespace::Html, TagId::Html, u"html");
  open_.Push(fragmentRoot_.get());
  if (context->Is(TagId::Template)) templateModes_.push_back(InsertionMode::InTemplate);
  ResetInsertionMode();
  for (Node* n = context; n; n = n->Parent()) {
    if (Element* e = AsElement(n); e && e->Is(TagId::Form)) {
      form_ = e;
      break;
    }
  }
}

TreeBuilder::~TreeBuilder() = default;

void TreeBuilder::Attach(Tokenizer& tokenizer) {
  tokenizer_ = &tokenizer;
  if (!context_ || !context_->IsHtml()) return;
  switch (context_->GetTagId()) {
    case TagId::Title:
    case TagId::Textarea:
      tokenizer.SetState(TokenizerState::Rcdata);
      break;
    case TagId::Style:
    case TagId::Xmp:
    case TagId::Iframe:
    case TagId::Noembed:
    case TagId::Noframes:
      tokenizer.SetState(TokenizerState::Rawtext);
      break;
    case TagId::Script:
      tokenizer.SetState(TokenizerState::ScriptData);
      break;
    case TagId::Noscript:
      if (options_.scripting == Scripting::On) tokenizer.SetState(TokenizerState::Rawtext);
      break;
    case TagId::Plaintext:
      tokenizer.SetState(TokenizerState::Plaintext);
      break;
    default:
      break;
  }
}

bool TreeBuilder::ChargeBudget() {
  if (elementsLeft_ == 0) {
    budgetExhausted_ = true;
    return false;
  }
  --elementsLeft_;
  return true;
}

// ---- dispatch ---------------------------------------------------------------------------------

void TreeBuilder::ProcessToken(Token& token) {
  if (skipNextNewline_) {
    skipNextNewline_ = false;
    if (token.type == TokenType::Characters && !token.data.empty() && token.data[0] == u'\n') {
      token.data.erase(0, 1);
      if (token.data.empty()) return;
    }
  }
  reprocessDepth_ = 0;
  Dispatch(token);
}

void TreeBuilder::Dispatch(Token& token) {
  if (IsInForeignContext(token))
    ForeignContent(token);
  else
    ProcessInMode(mode_, token);
}

void TreeBuilder::Reprocess(InsertionMode mode, Token& token) {
  mode_ = mode;
  if (++reprocessDepth_ > kMaxReprocessDepth) return;
  Dispatch(token);
}

Element* TreeBuilder::AdjustedCurrentNode() const {
  if (context_ && open_.size() == 1) return context_.get();
  return open_.Current();
}

namespace {
bool IsMathMlTextIntegrationPoint(const Element& e) {
  return e.Ns() == Namespace::MathMl && TagIn(e.GetTagId(), {TagId::Mi, TagId::Mo, TagId::Mn, TagId::Ms, TagId::Mtext});
}
}  // namespace

bool IsHtmlIntegrationPoint(const Element& e) {
  if (e.Ns() == Namespace::MathMl && e.GetTagId() == TagId::AnnotationXml) {
    const Attribute* encoding = e.FindAttribute(u"encoding");
    return encoding && (EqualsIgnoringAsciiCase(encoding->value, u"text/html") ||
                        EqualsIgnoringAsciiCase(encoding->value, u"application/xhtml+xml"));
  }
  return e.Ns() == Namespace::Svg && TagIn(e.GetTagId(), {TagId::ForeignObject, TagId::Desc, TagId::Title});
}

bool TreeBuilder::IsInForeignContext(const Token& token) const {
  const Element* node = AdjustedCurrentNode();
  if (!node || node->IsHtml() || token.type == TokenType::EndOfFile) return false;
  bool start = token.type == TokenType::StartTag;
  bool chars = token.type == TokenType::Characters;
  if (IsMathMlTextIntegrationPoint(*node)) {
    if (chars || (start && token.tag != TagId::Mglyph && token.tag != TagId::Malignmark)) return false;
  }
  if (node->Ns() == Namespace::MathMl && node->GetTagId() == TagId::AnnotationXml && start && token.tag == TagId::Svg)
    return false;
  if (IsHtmlIntegrationPoint(*node) && (start || chars)) return false;
  return true;
}

bool TreeBuilder::CdataSectionAllowed() const {
  const Element* node = AdjustedCurrentNode();
  return node && !node->IsHtml();
}

void TreeBuilder::ProcessInMode(InsertionMode mode, Token& t) {
  switch (mode) {
    case InsertionMode::Initial:
      return InitialMode(t);
    case InsertionMode::BeforeHtml:
      return BeforeHtmlMode(t);
    case InsertionMode::BeforeHead:
      return BeforeHeadMode(t);
    case InsertionMode::InHead:
      return InHeadMode(t);
    case InsertionMode::InHeadNoscript:
      return InHeadNoscriptMode(t);
    case InsertionMode::AfterHead:
      return AfterHeadMode(t);
    case InsertionMode::InBody:
      return InBodyMode(t);
    case InsertionMode::Text:
      return TextMode(t);
    case InsertionMode::InTable:
      return InTableMode(t);
    case InsertionMode::InTableText:
      return InTableTextMode(t);
    case InsertionMode::InCaption:
      return InCaptionMode(t);
    case InsertionMode::InColumnGroup:
      return InColumnGroupMode(t);
    case InsertionMode::InTableBody:
      return InTableBodyMode(t);
    case InsertionMode::InRow:
      return InRowMode(t);
    case InsertionMode::InCell:
      return InCellMode(t);
    case InsertionMode::InTemplate:
      return InTemplateMode(t);
    case InsertionMode::AfterBody:
      return AfterBodyMode(t);
    case InsertionMode::InFrameset:
      return InFramesetMode(t);
    case InsertionMode::AfterFrameset:
      return AfterFramesetMode(t);
    case InsertionMode::AfterAfterBody:
      return AfterAfterBodyMode(t);
    case InsertionMode::AfterAfterFrameset:
      return AfterAfterFramesetMode(t);
  }
}

// ---- tree edits -------------------------------------------------------------------------------

TreeBuilder::InsertionPlace TreeBuilder::AppropriatePlace(Element* overrideTarget) {
  Element* target = overrideTarget ? overrideTarget : open_.Current();
  InsertionPlace place{target, nullptr};
  if (fosterParenting_ && IsHtmlOneOf(target, {TagId::Table, TagId::Tbody, TagId::Tfoot, TagId::Thead, TagId::Tr})) {
    long lastTemplate = -1;
    long lastTable = -1;
    for (size_t i = open_.size(); i-- > 0 && (lastTemplate < 0 || lastTable < 0);) {
      Element* e = open_.at(i);
      if (lastTemplate < 0 && e->Is(TagId::Template)) lastTemplate = static_cast<long>(i);
      if (lastTable < 0 && e->Is(TagId::Table)) lastTable = static_cast<long>(i);
    }
    if (lastTemplate >= 0 && (lastTable < 0 || lastTemplate > lastTable)) {
      place = {open_.at(lastTemplate), nullptr};
    } else if (lastTable < 0) {
      place = {open_.Top(), nullptr};
    } else if (Node* parent = open_.at(lastTable)->Parent()) {
      place = {parent, open_.at(lastTable)};
    } else {
      place = {open_.at(lastTable - 1), nullptr};
    }
  }
  if (Element* e = AsElement(place.parent); e && e->TemplateContent()) place = {e->TemplateContent(), nullptr};
  return place;
}

void TreeBuilder::InsertAt(const InsertionPlace& place, Node& node) {
  if (place.parent) NodeTreeAccess::Insert(*place.parent, node, place.before);
}

RefPtr<Element> TreeBuilder::CreateElement(const Token& t, Namespace ns) {
  std::u16string_view localName = t.name;
  if (ns == Namespace::Svg) localName = AdjustSvgElementName(localName);
  RefPtr<Element> e = document_.CreateElement(ns, t.tag, localName);
  e->attributes_.reserve(t.attributes.size());
  for (const TokenAttribute& a : t.attributes) e->attributes_.push_back(Attribute{a.name, a.value});
  if (ns == Namespace::Svg) AdjustSvgAttributes(e->attributes_);
  if (ns == Namespace::MathMl) AdjustMathMlAttributes(e->attributes_);
  if (ns != Namespace::Html) AdjustForeignAttributes(e->attributes_);
  return e;
}

void TreeBuilder::MakeRoomForElement() {
  if (open_.size() >= static_cast<size_t>(kMaxElementNesting)) PopCurrent();
}

// Closes the current element outside of any end tag (the nesting cap): the bookkeeping its end tag
// would have done is done here, and the insertion mode follows the new stack. A formatting element
// closed this way is also forgotten, or every later text would open it again at the cap.
void TreeBuilder::PopCurrent() {
  Element* current = open_.Current();
  if (!current || open_.size() <= 1) return;
  formatting_.Remove(current);
  if (current->Is(TagId::Template)) {
    if (!templateModes_.empty()) templateModes_.pop_back();
    formatting_.ClearUpToLastMarker();
  } else if (IsHtmlOneOf(current,
                         {TagId::Td, TagId::Th, TagId::Caption, TagId::Applet, TagId::Object, TagId::Marquee})) {
    formatting_.ClearUpToLastMarker();
  }
  // Only the elements that select an insertion mode can change it by going away.
  bool selectsMode = IsHtmlOneOf(current, {TagId::Td, TagId::Th, TagId::Tr, TagId::Tbody, TagId::Thead, TagId::Tfoot,
                                           TagId::Caption, TagId::Colgroup, TagId::Table, TagId::Template, TagId::Head,
                                           TagId::Body, TagId::Frameset, TagId::Html});
  open_.Pop();
  if (selectsMode) ResetInsertionMode();
}

Element* TreeBuilder::InsertElement(const Token& t, Namespace ns) {
  MakeRoomForElement();
  InsertionPlace place = AppropriatePlace();
  RefPtr<Element> e = CreateElement(t, ns);
  InsertAt(place, *e);
  open_.Push(e.get());
  return e.get();
}

void TreeBuilder::InsertVoidElement(Token& t) {
  InsertElement(t);
  open_.Pop();
}

void TreeBuilder::InsertCharacters(std::u16string_view text) {
  if (text.empty()) return;
  InsertionPlace place = AppropriatePlace();
  if (!place.parent || place.parent->IsDocument()) return;
  if (Element* e = AsElement(place.parent); e && e->HoldsTextAsProperty()) {
    e->AppendText(text);
    return;
  }
  Node* previous = place.before ? place.before->PreviousSibling() : place.parent->LastChild();
  if (Text* existing = AsText(previous)) {
    existing->AppendData(text);
    return;
  }
  RefPtr<Text> node = document_.CreateText(text);
  InsertAt(place, *node);
}

RefPtr<Comment> TreeBuilder::CreateComment(const Token& t) {
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
    return document_.CreateDeclaration(inner, t.markup, std::move(info));
  }
  if (t.isDeclaration) return document_.CreateDeclaration(t.data, t.markup);
  return document_.CreateComment(t.data);
}

void TreeBuilder::InsertComment(const Token& t, Node* parent) {
  RefPtr<Comment> c = CreateComment(t);
  if (parent)
    NodeTreeAccess::Insert(*parent, *c, nullptr);
  else
    InsertAt(AppropriatePlace(), *c);
}

// ---- stack and list helpers -------------------------------------------------------------------

bool TreeBuilder::CurrentIs(TagId tag) const {
  Element* c = open_.Current();
  return c && c->Is(tag);
}

void TreeBuilder::GenerateImpliedEndTags(TagId except) {
  open_.PopWhile([except](const Element& e) {
    return e.IsHtml() && (TagFlags(e.GetTagId()) & kImpliedEnd) && e.GetTagId() != except;
  });
}

void TreeBuilder::GenerateImpliedEndTagsThoroughly() {
  open_.PopWhile(
      [](const Element& e) { return e.IsHtml() && (TagFlags(e.GetTagId()) & (kImpliedEnd | kImpliedEndThorough)); });
}

void TreeBuilder::ClearStackBackTo(std::initializer_list<TagId> tags) {
  open_.PopWhile(
      [tags](const Element& e) { return !(e.IsHtml() && (TagIn(e.GetTagId(), tags) || e.GetTagId() == TagId::Html)); });
}

void TreeBuilder::ReconstructActiveFormattingElements() {
  if (formatting_.empty()) return;
  const FormattingList::Entry& last = formatting_.back();
  if (last.IsMarker() || open_.Contains(last.element.get())) return;
  size_t i = formatting_.size() - 1;
  while (i > 0) {
    const FormattingList::Entry& before = formatting_.at(i - 1);
    if (before.IsMarker() || open_.Contains(before.element.get())) break;
    --i;
  }
  for (; i < formatting_.size(); ++i) {
    if (!ChargeBudget()) return;
    const Element& source = *formatting_.at(i).element;
    MakeRoomForElement();
    InsertionPlace place = AppropriatePlace();
    RefPtr<Element> clone = document_.CreateElement(source.Ns(), source.GetTagId(), source.LocalName());
    clone->attributes_ = source.Attributes();
    InsertAt(place, *clone);
    open_.Push(clone.get());
    formatting_.at(i).element = clone;
  }
}

void TreeBuilder::ResetInsertionMode() {
  for (size_t i = open_.size(); i-- > 0;) {
    bool last = i == 0;
    Element* node = open_.at(i);
    if (last && context_) node = context_.get();
    if (node->IsHtml()) {
      switch (node->GetTagId()) {
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

void TreeBuilder::ClosePElement() {
  GenerateImpliedEndTags(TagId::P);
  open_.PopUntilPopped(TagId::P);
}

void TreeBuilder::CloseCell() {
  GenerateImpliedEndTags();
  open_.PopWhile([](const Element& e) { return !e.Is(TagId::Td) && !e.Is(TagId::Th); });
  open_.Pop();
  formatting_.ClearUpToLastMarker();
  mode_ = InsertionMode::InRow;
}

void TreeBuilder::StartRawText(Token& t, TokenizerState state) {
  InsertElement(t);
  if (tokenizer_) tokenizer_->SetState(state);
  originalMode_ = mode_;
  mode_ = InsertionMode::Text;
}

void TreeBuilder::StopParsing() {}

}  // namespace vellum::engine
