#include "css/shorthand.h"

#include <array>

#include "css/css_text.h"
#include "css/length.h"
#include "css/property_value.h"

namespace vellum::engine::css {
namespace {

using P = PropertyId;
using Parts = std::span<const PropertyId>;
using Expansion = std::vector<LonghandValue>;

std::u16string InitialSpecified(PropertyId id) { return std::u16string(Info(id).initial); }

// margin, padding, border-width/-style/-color: one to four values for top, right, bottom, left.
std::optional<Expansion> ExpandSides(Parts sides, std::u16string_view value) {
  const std::vector<std::u16string_view> parts = SplitComponents(value);
  if (parts.empty() || parts.size() > 4) {
    return std::nullopt;
  }
  for (std::u16string_view part : parts) {
    if (!IsValidValue(sides[0], part) || IsInherit(part) || IsInitial(part)) {
      return std::nullopt;
    }
  }
  // Which given value each side takes, by the number of values given.
  static constexpr std::array<std::array<int, 4>, 4> kPick = {{{0, 0, 0, 0}, {0, 1, 0, 1}, {0, 1, 2, 1}, {0, 1, 2, 3}}};
  Expansion out;
  for (int side = 0; side < 4; ++side) {
    out.push_back({sides[side], std::u16string(parts[kPick[parts.size() - 1][side]])});
  }
  return out;
}

// Fills slots of `parts` from components in any order; each slot takes the first component valid for
// its longhand. Unfilled slots get their initial value.
std::optional<Expansion> ExpandAnyOrder(Parts parts, std::u16string_view value) {
  std::vector<std::optional<std::u16string>> slots(parts.size());
  const std::vector<std::u16string_view> components = SplitComponents(value);
  if (components.empty()) {
    return std::nullopt;
  }
  for (std::u16string_view component : components) {
    if (IsInherit(component) || IsInitial(component)) {
      return std::nullopt;
    }
    bool placed = false;
    for (std::size_t slot = 0; slot < parts.size() && !placed; ++slot) {
      if (!slots[slot] && IsValidValue(parts[slot], component)) {
        slots[slot] = std::u16string(component);
        placed = true;
      }
    }
    if (!placed) {
      return std::nullopt;
    }
  }
  Expansion out;
  for (std::size_t slot = 0; slot < parts.size(); ++slot) {
    out.push_back({parts[slot], slots[slot] ? *slots[slot] : InitialSpecified(parts[slot])});
  }
  return out;
}

std::optional<Expansion> ExpandBorder(PropertyId shorthand, std::u16string_view value) {
  // One side's width, style and colour, then copied to every side the shorthand covers.
  constexpr P kTop[] = {P::BorderTopWidth, P::BorderTopStyle, P::BorderTopColor};
  std::optional<Expansion> top = ExpandAnyOrder(kTop, value);
  if (!top) {
    return std::nullopt;
  }
  const Parts parts = Info(shorthand).longhands;
  Expansion out;
  for (PropertyId part : parts) {
    // Longhands come grouped by width, style, colour in the table; each takes its kind's value.
    const ValueKind kind = Info(part).kind;
    const std::size_t which = kind == ValueKind::BorderWidth ? 0 : kind == ValueKind::Keyword ? 1 : 2;
    out.push_back({part, (*top)[which].value});
  }
  return out;
}

bool IsPositionComponent(std::u16string_view component) {
  for (std::string_view keyword : {"left", "center", "right", "top", "bottom"}) {
    if (EqualsIgnoringAsciiCase(component, keyword)) {
      return true;
    }
  }
  return ParseLength(component).has_value();
}

bool IsImage(std::u16string_view component) {
  return EqualsIgnoringAsciiCase(component, "none") ||
         (component.size() > 4 && EqualsIgnoringAsciiCase(component.substr(0, 4), "url(") && component.back() == u')');
}

std::optional<Expansion> ExpandBackground(std::u16string_view value) {
  std::optional<std::u16string> color, image, repeat, attachment;
  std::u16string position;
  int positionParts = 0;
  const std::vector<std::u16string_view> components = SplitComponents(value);
  if (components.empty()) {
    return std::nullopt;
  }
  for (std::u16string_view component : components) {
    if (!color && IsValidValue(P::BackgroundColor, component) && !IsInherit(component) && !IsInitial(component)) {
      color = std::u16string(component);
    } else if (!image && IsImage(component)) {
      image = std::u16string(component);
    } else if (!repeat && IsValidValue(P::BackgroundRepeat, component) && !IsInherit(component) &&
               !IsInitial(component)) {
      repeat = std::u16string(component);
    } else if (!attachment && IsValidValue(P::BackgroundAttachment, component) && !IsInherit(component) &&
               !IsInitial(component)) {
      attachment = std::u16string(component);
    } else if (positionParts < 2 && IsPositionComponent(component)) {
      if (positionParts++ > 0) {
        position.push_back(u' ');
      }
      position += component;
    } else {
      return std::nullopt;
    }
  }
  return Expansion{
      {P::BackgroundColor, color.value_or(InitialSpecified(P::BackgroundColor))},
      {P::BackgroundImage, image.value_or(InitialSpecified(P::BackgroundImage))},
      {P::BackgroundRepeat, repeat.value_or(InitialSpecified(P::BackgroundRepeat))},
      {P::BackgroundAttachment, attachment.value_or(InitialSpecified(P::BackgroundAttachment))},
      {P::BackgroundPosition, positionParts > 0 ? position : InitialSpecified(P::BackgroundPosition)},
  };
}

bool IsSystemFont(std::u16string_view value) {
  for (std::string_view name : {"caption", "icon", "menu", "message-box", "small-caption", "status-bar"}) {
    if (EqualsIgnoringAsciiCase(value, name)) {
      return true;
    }
  }
  return false;
}

// [style || variant || weight]? size[/line-height]? family
std::optional<Expansion> ExpandFont(std::u16string_view value) {
  if (IsSystemFont(value)) {
    // The platform's dialog font stands for every system font.
    return Expansion{{P::FontStyle, u"normal"}, {P::FontVariant, u"normal"}, {P::FontWeight, u"400"},
                     {P::FontSize, u"8pt"},     {P::LineHeight, u"normal"},  {P::FontFamily, u"MS Sans Serif"}};
  }
  const std::vector<std::u16string_view> components = SplitComponents(value);
  std::optional<std::u16string> style, variant, weight;
  std::size_t i = 0;
  for (; i < components.size() && i < 3; ++i) {
    const std::u16string_view c = components[i];
    if (EqualsIgnoringAsciiCase(c, "normal")) {
      continue;
    }
    if (!style && IsValidValue(P::FontStyle, c) && !IsInherit(c) && !IsInitial(c)) {
      style = std::u16string(c);
    } else if (!variant && IsValidValue(P::FontVariant, c) && !IsInherit(c) && !IsInitial(c)) {
      variant = std::u16string(c);
    } else if (!weight && IsValidValue(P::FontWeight, c) && !IsInherit(c) && !IsInitial(c)) {
      weight = std::u16string(c);
    } else {
      break;
    }
  }
  if (i >= components.size()) {
    return std::nullopt;
  }
  std::u16string_view size = components[i++];
  std::optional<std::u16string_view> lineHeight;
  if (const std::size_t slash = size.find(u'/'); slash != std::u16string_view::npos) {
    if (slash + 1 < size.size()) {
      lineHeight = size.substr(slash + 1);
    } else if (i < components.size()) {
      lineHeight = components[i++];
    }
    size = size.substr(0, slash);
  } else if (i < components.size() && components[i].front() == u'/') {
    lineHeight =
        components[i].size() > 1 ? components[i].substr(1) : (i + 1 < components.size() ? components[i + 1] : u"");
    i += components[i].size() > 1 ? 1 : 2;
  }
  if (IsInherit(size) || IsInitial(size) || !IsValidValue(P::FontSize, size)) {
    return std::nullopt;
  }
  if (lineHeight && (IsInherit(*lineHeight) || IsInitial(*lineHeight) || !IsValidValue(P::LineHeight, *lineHeight))) {
    return std::nullopt;
  }
  if (i >= components.size()) {
    return std::nullopt;
  }
  // The family is the rest of the text as written, commas and quotes included.
  const std::size_t familyStart = static_cast<std::size_t>(components[i].data() - value.data());
  const std::u16string_view family = TrimCssWhitespace(value.substr(familyStart));
  return Expansion{
      {P::FontStyle, style.value_or(u"normal")},
      {P::FontVariant, variant.value_or(u"normal")},
      {P::FontWeight, weight.value_or(u"normal")},
      {P::FontSize, std::u16string(size)},
      {P::LineHeight, lineHeight ? std::u16string(*lineHeight) : u"normal"},
      {P::FontFamily, std::u16string(family)},
  };
}

std::optional<Expansion> ExpandListStyle(std::u16string_view value) {
  std::optional<std::u16string> type, position, image;
  int nones = 0;
  const std::vector<std::u16string_view> components = SplitComponents(value);
  if (components.empty()) {
    return std::nullopt;
  }
  for (std::u16string_view c : components) {
    if (EqualsIgnoringAsciiCase(c, "none")) {
      ++nones;  // "none" may stand for the type, the image or both
    } else if (!type && IsValidValue(P::ListStyleType, c) && !IsInherit(c) && !IsInitial(c)) {
      type = std::u16string(c);
    } else if (!position && IsValidValue(P::ListStylePosition, c) && !IsInherit(c) && !IsInitial(c)) {
      position = std::u16string(c);
    } else if (!image && IsImage(c)) {
      image = std::u16string(c);
    } else {
      return std::nullopt;
    }
  }
  for (; nones > 0; --nones) {
    if (!type) {
      type = u"none";
    } else if (!image) {
      image = u"none";
    } else {
      return std::nullopt;
    }
  }
  return Expansion{
      {P::ListStyleType, type.value_or(InitialSpecified(P::ListStyleType))},
      {P::ListStylePosition, position.value_or(InitialSpecified(P::ListStylePosition))},
      {P::ListStyleImage, image.value_or(InitialSpecified(P::ListStyleImage))},
  };
}

std::optional<Expansion> ExpandOverflow(std::u16string_view value) {
  const std::vector<std::u16string_view> parts = SplitComponents(value);
  if (parts.empty() || parts.size() > 2) {
    return std::nullopt;
  }
  for (std::u16string_view part : parts) {
    if (IsInherit(part) || IsInitial(part) || !IsValidValue(P::OverflowX, part)) {
      return std::nullopt;
    }
  }
  return Expansion{{P::OverflowX, std::u16string(parts[0])}, {P::OverflowY, std::u16string(parts.back())}};
}

std::u16string CondenseSides(const std::u16string& top, const std::u16string& right, const std::u16string& bottom,
                             const std::u16string& left) {
  if (right == left) {
    if (top == bottom) {
      return top == right ? top : top + u" " + right;
    }
    return top + u" " + right + u" " + bottom;
  }
  return top + u" " + right + u" " + bottom + u" " + left;
}

}  // namespace

std::optional<std::vector<LonghandValue>> ExpandShorthand(PropertyId shorthand, std::u16string_view value) {
  value = TrimCssWhitespace(value);
  const Parts parts = Info(shorthand).longhands;
  if (parts.empty() || value.empty()) {
    return std::nullopt;
  }
  if (IsInherit(value) || IsInitial(value)) {
    Expansion out;
    for (PropertyId part : parts) {
      out.push_back({part, std::u16string(value)});
    }
    return out;
  }
  switch (shorthand) {
    case P::Margin:
    case P::Padding:
    case P::BorderWidth:
    case P::BorderStyle:
    case P::BorderColor:
      return ExpandSides(parts, value);
    case P::Border:
    case P::BorderTop:
    case P::BorderRight:
    case P::BorderBottom:
    case P::BorderLeft:
      return ExpandBorder(shorthand, value);
    case P::Background:
      return ExpandBackground(value);
    case P::Font:
      return ExpandFont(value);
    case P::ListStyle:
      return ExpandListStyle(value);
    case P::Outline:
      return ExpandAnyOrder(parts, value);
    case P::Overflow:
      return ExpandOverflow(value);
    default:
      return std::nullopt;
  }
}

std::u16string ComposeShorthand(PropertyId shorthand, const std::function<std::u16string(PropertyId)>& valueOf) {
  const Parts parts = Info(shorthand).longhands;
  std::vector<std::u16string> values;
  for (PropertyId part : parts) {
    values.push_back(valueOf(part));
    if (values.back().empty()) {
      return {};
    }
  }
  switch (shorthand) {
    case P::Margin:
    case P::Padding:
    case P::BorderWidth:
    case P::BorderStyle:
    case P::BorderColor:
      return CondenseSides(values[0], values[1], values[2], values[3]);
    case P::Border:
      // width, style and colour of the four sides: one text only when every side is alike
      for (int side = 1; side < 4; ++side) {
        if (values[side] != values[0] || values[4 + side] != values[4] || values[8 + side] != values[8]) {
          return {};
        }
      }
      return values[0] + u" " + values[4] + u" " + values[8];
    case P::Font:
      return values[0] + u" " + values[1] + u" " + values[2] + u" " + values[3] +
             (values[4] == u"normal" ? u"" : u"/" + values[4]) + u" " + values[5];
    case P::Overflow:
      return values[0] == values[1] ? values[0] : values[0] + u" " + values[1];
    default: {
      std::u16string out;
      for (const std::u16string& value : values) {
        if (!out.empty()) {
          out.push_back(u' ');
        }
        out += value;
      }
      return out;
    }
  }
}

}  // namespace vellum::engine::css
