#include "properties/PropertyCatalogue.h"

#include <memory>
#include <string>

#include "comkit/ComRef.h"
#include "comkit/ComText.h"
#include "properties/CompoundProperties.h"
#include "properties/LegendProperty.h"
#include "properties/ResourceText.h"
#include "properties/SelectItemsProperty.h"
#include "propgrid/PropertyGrid.h"
#include "resource_ids.h"
#include "vellum.h"
#include "window/Trace.h"

namespace {

// --- value lists --------------------------------------------------------------------------------------------

const wchar_t* const kBorderStyles[] = {L"none",   L"dotted", L"dashed", L"solid",  L"double",
                                        L"groove", L"ridge",  L"inset",  L"outset", nullptr};
const wchar_t* const kFontStyles[] = {L"normal", L"italic", L"oblique", nullptr};
const wchar_t* const kFontVariants[] = {L"normal", L"small-caps", nullptr};
const wchar_t* const kFontWeights[] = {L"normal", L"bold", L"bolder", L"lighter", L"100", L"200", L"300",
                                       L"400",    L"500",  L"600",    L"700",     L"800", L"900", nullptr};
const wchar_t* const kTextAlignments[] = {L"left", L"right", L"center", L"justify", nullptr};
const wchar_t* const kTextDecorations[] = {L"none", L"underline", L"overline", L"line-through", nullptr};
const wchar_t* const kTextTransforms[] = {L"none", L"capitalize", L"uppercase", L"lowercase", nullptr};
const wchar_t* const kCursors[] = {L"auto",      L"crosshair", L"default",  L"hand",      L"help",      L"move",
                                   L"text",      L"wait",      L"N-resize", L"NE-resize", L"NW-resize", L"S-resize",
                                   L"SE-resize", L"SW-resize", L"E-resize", L"W-resize",  nullptr};
const wchar_t* const kOverflowValues[] = {L"visible", L"scroll", L"hidden", L"auto", nullptr};

// --- the table ------------------------------------------------------------------------------------------------

using KindSet = unsigned;
constexpr KindSet Kind(DWORD kind) { return 1u << kind; }
constexpr KindSet kAll = 0x7FFEu;  // kinds 1 to 14
constexpr KindSet kListKinds = Kind(VLM_KIND_LIST) | Kind(VLM_KIND_CHOICE);

enum class RowClass { Simple, List, Colour, Font, Code, File, Check, Items, Legend, BodySize };
enum class Driver { Style, Element, Document, Value, InnerHTML, None };

struct CatalogueRow {
  UINT category;  // the category's display name: rows of one category follow each other
  UINT name;      // display name
  KindSet kinds;
  RowClass rowClass;
  Driver driver;
  const char* property;  // looked up by name through the driver; null where the row has its own way
  UINT pattern;          // 0: no pattern
  UINT help;
  int allowEmpty;
  const wchar_t* const* list;  // the texts of a list row
};

constexpr CatalogueRow kCatalogue[] = {
    {IDS_CATEGORY_APPEARANCE, IDS_PROP_FORECOLOR, kAll, RowClass::Colour, Driver::Style, "color", 0, 0, 0, nullptr},
    {IDS_CATEGORY_APPEARANCE, IDS_PROP_BACKCOLOR, kAll, RowClass::Colour, Driver::Style, "backgroundColor", 0, 0, 0,
     nullptr},
    {IDS_CATEGORY_APPEARANCE, IDS_PROP_BORDER_COLOR, kAll, RowClass::Colour, Driver::Style, "borderColor", 0, 0, 0,
     nullptr},
    {IDS_CATEGORY_APPEARANCE, IDS_PROP_BORDER_STYLE, kAll, RowClass::List, Driver::Style, "borderStyle", 0, 0, 0,
     kBorderStyles},
    {IDS_CATEGORY_APPEARANCE, IDS_PROP_BORDER_WIDTH, kAll, RowClass::Simple, Driver::Style, "borderWidth",
     IDS_PATTERN_BORDER_WIDTH, IDS_HELP_BORDER_WIDTH, 0, nullptr},
    {IDS_CATEGORY_APPEARANCE, IDS_PROP_MARGIN, kAll, RowClass::Simple, Driver::Style, "margin", IDS_PATTERN_MARGIN,
     IDS_HELP_MARGIN, 0, nullptr},
    {IDS_CATEGORY_APPEARANCE, IDS_PROP_PADDING, kAll, RowClass::Simple, Driver::Style, "padding", IDS_PATTERN_PADDING,
     IDS_HELP_PADDING, 0, nullptr},

    {IDS_CATEGORY_POSITION, IDS_PROP_TOP, kAll & ~Kind(VLM_KIND_BODY), RowClass::Simple, Driver::Style, "top",
     IDS_PATTERN_LENGTH, IDS_HELP_LENGTH, 0, nullptr},
    {IDS_CATEGORY_POSITION, IDS_PROP_LEFT, kAll & ~Kind(VLM_KIND_BODY), RowClass::Simple, Driver::Style, "left",
     IDS_PATTERN_LENGTH, IDS_HELP_LENGTH, 0, nullptr},
    {IDS_CATEGORY_POSITION, IDS_PROP_WIDTH, kAll & ~Kind(VLM_KIND_BODY), RowClass::Simple, Driver::Style, "width",
     IDS_PATTERN_LENGTH, IDS_HELP_LENGTH, 0, nullptr},
    {IDS_CATEGORY_POSITION, IDS_PROP_WIDTH, Kind(VLM_KIND_BODY), RowClass::BodySize, Driver::Element, "width",
     IDS_PATTERN_BODY_SIZE, IDS_HELP_BODY_SIZE, 0, nullptr},
    {IDS_CATEGORY_POSITION, IDS_PROP_HEIGHT, kAll & ~Kind(VLM_KIND_BODY), RowClass::Simple, Driver::Style, "height",
     IDS_PATTERN_LENGTH, IDS_HELP_LENGTH, 0, nullptr},
    {IDS_CATEGORY_POSITION, IDS_PROP_HEIGHT, Kind(VLM_KIND_BODY), RowClass::BodySize, Driver::Element, "height",
     IDS_PATTERN_BODY_SIZE, IDS_HELP_BODY_SIZE, 0, nullptr},
    {IDS_CATEGORY_POSITION, IDS_PROP_OVERFLOW_X, kAll, RowClass::List, Driver::Style, "overflowX", 0, 0, 0,
     kOverflowValues},
    {IDS_CATEGORY_POSITION, IDS_PROP_OVERFLOW_Y, kAll, RowClass::List, Driver::Style, "overflowY", 0, 0, 0,
     kOverflowValues},
    {IDS_CATEGORY_POSITION, IDS_PROP_ZINDEX, kAll & ~(kListKinds | Kind(VLM_KIND_OBJECT) | Kind(VLM_KIND_BODY)),
     RowClass::Simple, Driver::Style, "zIndex", IDS_PATTERN_ZINDEX, IDS_HELP_ZINDEX, 0, nullptr},

    {IDS_CATEGORY_FONT, IDS_PROP_FONT_FACE, kAll, RowClass::Font, Driver::Style, "fontFamily", 0, 0, 0, nullptr},
    {IDS_CATEGORY_FONT, IDS_PROP_FONT_SIZE, kAll, RowClass::Simple, Driver::Style, "fontSize", IDS_PATTERN_FONT_SIZE,
     IDS_HELP_FONT_SIZE, 0, nullptr},
    {IDS_CATEGORY_FONT, IDS_PROP_FONT_STYLE, kAll, RowClass::List, Driver::Style, "fontStyle", 0, 0, 0, kFontStyles},
    {IDS_CATEGORY_FONT, IDS_PROP_FONT_VARIANT, kAll, RowClass::List, Driver::Style, "fontVariant", 0, 0, 0,
     kFontVariants},
    {IDS_CATEGORY_FONT, IDS_PROP_FONT_WEIGHT, kAll, RowClass::List, Driver::Style, "fontWeight", 0, 0, 0, kFontWeights},

    {IDS_CATEGORY_TEXT, IDS_PROP_TEXT_ALIGN,
     Kind(VLM_KIND_LABEL) | Kind(VLM_KIND_TEXTBOX) | Kind(VLM_KIND_BUTTON) | Kind(VLM_KIND_TEXTAREA), RowClass::List,
     Driver::Style, "textAlign", 0, 0, 0, kTextAlignments},
    {IDS_CATEGORY_TEXT, IDS_PROP_TEXT_DECORATION, kAll, RowClass::List, Driver::Style, "textDecoration", 0, 0, 0,
     kTextDecorations},
    {IDS_CATEGORY_TEXT, IDS_PROP_TEXT_TRANSFORM, kAll, RowClass::List, Driver::Style, "textTransform", 0, 0, 0,
     kTextTransforms},

    {IDS_CATEGORY_MISC, IDS_PROP_TITLE, Kind(VLM_KIND_BODY), RowClass::Simple, Driver::Document, "title",
     IDS_PATTERN_TITLE, IDS_HELP_TITLE, 1, nullptr},
    {IDS_CATEGORY_MISC, IDS_PROP_ID, kAll, RowClass::Simple, Driver::Element, "id", IDS_PATTERN_IDENTIFIER,
     IDS_HELP_IDENTIFIER, 1, nullptr},
    {IDS_CATEGORY_MISC, IDS_PROP_TOOLTIP, kAll, RowClass::Simple, Driver::Element, "title", IDS_PATTERN_TITLE,
     IDS_HELP_TITLE, 1, nullptr},
    {IDS_CATEGORY_MISC, IDS_PROP_TEXT, Kind(VLM_KIND_LABEL), RowClass::Simple, Driver::InnerHTML, nullptr,
     IDS_PATTERN_TEXT, IDS_HELP_TEXT, 1, nullptr},
    {IDS_CATEGORY_MISC, IDS_PROP_TEXT, Kind(VLM_KIND_TEXTBOX) | Kind(VLM_KIND_BUTTON), RowClass::Simple, Driver::Value,
     nullptr, IDS_PATTERN_TEXT, IDS_HELP_TEXT, 1, nullptr},
    {IDS_CATEGORY_MISC, IDS_PROP_TEXT, Kind(VLM_KIND_TEXTAREA), RowClass::Code, Driver::Element, "innerHTML", 0, 0, 0,
     nullptr},
    {IDS_CATEGORY_MISC, IDS_PROP_TEXT, Kind(VLM_KIND_FRAME), RowClass::Legend, Driver::None, nullptr, 0, 0, 0, nullptr},
    {IDS_CATEGORY_MISC, IDS_PROP_ITEMS, kListKinds, RowClass::Items, Driver::None, nullptr, 0, 0, 0, nullptr},
    {IDS_CATEGORY_MISC, IDS_PROP_SOURCE, Kind(VLM_KIND_IMAGE), RowClass::File, Driver::Element, "src", 0, 0, 0,
     nullptr},
    {IDS_CATEGORY_MISC, IDS_PROP_CHECKED, Kind(VLM_KIND_CHECKBOX) | Kind(VLM_KIND_RADIO), RowClass::Check,
     Driver::Element, "checked", 0, 0, 0, nullptr},
    {IDS_CATEGORY_MISC, IDS_PROP_READONLY, Kind(VLM_KIND_TEXTBOX), RowClass::Check, Driver::Element, "readOnly", 0, 0,
     0, nullptr},
    {IDS_CATEGORY_MISC, IDS_PROP_DISABLED,
     Kind(VLM_KIND_TEXTBOX) | Kind(VLM_KIND_BUTTON) | Kind(VLM_KIND_CHECKBOX) | Kind(VLM_KIND_RADIO) |
         Kind(VLM_KIND_FILE),
     RowClass::Check, Driver::Element, "disabled", 0, 0, 0, nullptr},
    {IDS_CATEGORY_MISC, IDS_PROP_GROUP, Kind(VLM_KIND_RADIO), RowClass::Simple, Driver::Element, "name",
     IDS_PATTERN_GROUP, IDS_HELP_GROUP, 1, nullptr},
    {IDS_CATEGORY_MISC, IDS_PROP_CURSOR, kAll, RowClass::List, Driver::Style, "cursor", 0, 0, 0, kCursors},
};

// The categories in the order they are built.
constexpr UINT kCategories[] = {IDS_CATEGORY_APPEARANCE, IDS_CATEGORY_POSITION, IDS_CATEGORY_FONT, IDS_CATEGORY_TEXT,
                                IDS_CATEGORY_MISC};

// The body's Width and Height are the form's size in pixels: whole numbers the window can take.
class CBodySizeProperty : public CHTMLSimpleProperty<CHTMLElementPropDriver> {
 public:
  CBodySizeProperty(const wchar_t* displayName, const char* propertyName, const char* pattern, const char* helpText,
                    IHTMLElement* element)
      : CHTMLSimpleProperty(displayName, propertyName, pattern, helpText, 0, element), helpText_(helpText) {}

  int SetValue(const VARIANT& value) override {
    CVariant trimmed;
    const CVariant* typed = driven_property::Trimmed(value, trimmed);
    const std::wstring text = typed ? TextOfVariant(typed->get()) : std::wstring();
    long number = 0;
    bool whole = !text.empty() && text.size() <= 5;
    for (wchar_t c : text) {
      whole = whole && c >= L'0' && c <= L'9';
      number = number * 10 + (c - L'0');
    }
    if (!whole || number < 1 || number > 32767) {
      driven_property::ReportRejected(helpText_.c_str(), Owner());
      return 0;
    }
    return CHTMLSimpleProperty::SetValue(value);
  }

 private:
  std::string helpText_;
};

template <class D>
std::unique_ptr<CProperty> Simple(const CatalogueRow& row, const wchar_t* name, IHTMLElement* element) {
  const std::string pattern = ResourceStringA(row.pattern), help = ResourceStringA(row.help);
  return std::make_unique<CHTMLSimpleProperty<D>>(name, row.property, pattern.c_str(), help.c_str(), row.allowEmpty,
                                                  element);
}

std::unique_ptr<CProperty> MakeRow(const CatalogueRow& row, IHTMLElement* element) {
  const std::wstring name = ResourceString(row.name);
  switch (row.rowClass) {
    case RowClass::Simple:
      switch (row.driver) {
        case Driver::Style:
          return Simple<CHTMLElementStylePropDriver>(row, name.c_str(), element);
        case Driver::Element:
          return Simple<CHTMLElementPropDriver>(row, name.c_str(), element);
        case Driver::Document:
          return Simple<CHTMLDocumentPropDriver>(row, name.c_str(), element);
        case Driver::Value:
          return Simple<CHTMLValuePropertyDriver>(row, name.c_str(), element);
        case Driver::InnerHTML:
          return Simple<CHTMLInnerHTMLPropertyDriver>(row, name.c_str(), element);
        case Driver::None:
          return nullptr;
      }
      return nullptr;
    case RowClass::BodySize:
      return std::make_unique<CBodySizeProperty>(name.c_str(), row.property, ResourceStringA(row.pattern).c_str(),
                                                 ResourceStringA(row.help).c_str(), element);
    case RowClass::List:
      return std::make_unique<CHTMLListProperty<CHTMLElementStylePropDriver>>(name.c_str(), row.property, row.list,
                                                                              element);
    case RowClass::Colour:
      return std::make_unique<CHTMLColorProperty<CHTMLElementStylePropDriver>>(name.c_str(), row.property, element);
    case RowClass::Font:
      return std::make_unique<CHTMLFontProperty<CHTMLElementStylePropDriver>>(name.c_str(), row.property, element);
    case RowClass::Code:
      return std::make_unique<CHTMLCodeProperty<CHTMLElementPropDriver>>(name.c_str(), row.property, element);
    case RowClass::File:
      return std::make_unique<CHTMLFileProperty<CHTMLElementPropDriver>>(
          name.c_str(), row.property, ResourceString(IDS_IMAGE_FILE_FILTER), element);
    case RowClass::Check:
      return std::make_unique<CHTMLCheckProperty<CHTMLElementPropDriver>>(name.c_str(), row.property, element);
    case RowClass::Items:
      return std::make_unique<CHTMLSelectItemsProperty>(name.c_str(), element);
    case RowClass::Legend:
      return std::make_unique<CHTMLLegendProperty>(name.c_str(), element);
  }
  return nullptr;
}

// The name lower-cased in place, compared whole with expected as the user's locale compares strings.
bool Lowered(BSTR text, const wchar_t* expected) {
  if (!text) return false;
  CharLowerBuffW(text, static_cast<DWORD>(BstrLength(text)));
  CBstr wanted(expected);
  return VarBstrCmp(text, wanted.get(), LOCALE_USER_DEFAULT, 0) == static_cast<HRESULT>(VARCMP_EQ);
}

}  // namespace

DWORD GetElementType(IHTMLElement* element) {
  if (!element) return VLM_KIND_NONE;
  CBstr tag;
  if (FAILED(element->get_tagName(tag.Out())) || !tag.get()) {
    TRACE("CHTMLBasicPropertiesPage::GetElementType(): Can't get element tagName\n");
    return VLM_KIND_OTHER;
  }
  struct Named {
    const wchar_t* tag;
    DWORD kind;
  };
  static const Named kTags[] = {{L"span", VLM_KIND_LABEL},        {L"input", VLM_KIND_NONE},
                                {L"textarea", VLM_KIND_TEXTAREA}, {L"img", VLM_KIND_IMAGE},
                                {L"select", VLM_KIND_LIST},       {L"fieldset", VLM_KIND_FRAME},
                                {L"object", VLM_KIND_OBJECT},     {L"body", VLM_KIND_BODY}};
  for (const Named& named : kTags) {
    if (!Lowered(tag.get(), named.tag)) continue;
    if (named.kind != VLM_KIND_NONE) return named.kind;
    // An input's kind is its type.
    CComRef<IHTMLInputElement> input;
    CBstr type;
    if (FAILED(element->QueryInterface(IID_IHTMLInputElement, input.OutVoid())) || !input ||
        FAILED(input->get_type(type.Out())))
      return VLM_KIND_OTHER;
    static const Named kTypes[] = {{L"text", VLM_KIND_TEXTBOX},
                                   {L"button", VLM_KIND_BUTTON},
                                   {L"checkbox", VLM_KIND_CHECKBOX},
                                   {L"radio", VLM_KIND_RADIO},
                                   {L"file", VLM_KIND_FILE}};
    for (const Named& typed : kTypes)
      if (Lowered(type.get(), typed.tag)) return typed.kind;
    return VLM_KIND_OTHER;
  }
  return VLM_KIND_OTHER;
}

void BuildPropertyCatalogue(CPropertyGrid& grid, IHTMLElement* element, bool locked) {
  if (!element) return;
  const DWORD kind = GetElementType(element);
  for (UINT category : kCategories) {
    grid.AddItem(std::make_unique<CHTMLPropCategory>(ResourceString(category).c_str()));
    for (const CatalogueRow& row : kCatalogue) {
      if (row.category != category || (row.kinds & Kind(kind)) == 0) continue;
      std::unique_ptr<CProperty> property = MakeRow(row, element);
      if (!property) continue;
      property->SetEnabled(!locked);
      grid.AddItem(std::move(property));
    }
  }
}
