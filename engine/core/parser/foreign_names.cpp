#include "parser/foreign_names.h"

namespace vellum::engine {

namespace {

constexpr std::u16string_view kSvgElementNames[] = {u"altGlyph",
                                                    u"altGlyphDef",
                                                    u"altGlyphItem",
                                                    u"animateColor",
                                                    u"animateMotion",
                                                    u"animateTransform",
                                                    u"clipPath",
                                                    u"feBlend",
                                                    u"feColorMatrix",
                                                    u"feComponentTransfer",
                                                    u"feComposite",
                                                    u"feConvolveMatrix",
                                                    u"feDiffuseLighting",
                                                    u"feDisplacementMap",
                                                    u"feDistantLight",
                                                    u"feDropShadow",
                                                    u"feFlood",
                                                    u"feFuncA",
                                                    u"feFuncB",
                                                    u"feFuncG",
                                                    u"feFuncR",
                                                    u"feGaussianBlur",
                                                    u"feImage",
                                                    u"feMerge",
                                                    u"feMergeNode",
                                                    u"feMorphology",
                                                    u"feOffset",
                                                    u"fePointLight",
                                                    u"feSpecularLighting",
                                                    u"feSpotLight",
                                                    u"feTile",
                                                    u"feTurbulence",
                                                    u"foreignObject",
                                                    u"glyphRef",
                                                    u"linearGradient",
                                                    u"radialGradient",
                                                    u"textPath"};

constexpr std::u16string_view kSvgAttributeNames[] = {u"attributeName",
                                                      u"attributeType",
                                                      u"baseFrequency",
                                                      u"baseProfile",
                                                      u"calcMode",
                                                      u"clipPathUnits",
                                                      u"diffuseConstant",
                                                      u"edgeMode",
                                                      u"filterUnits",
                                                      u"glyphRef",
                                                      u"gradientTransform",
                                                      u"gradientUnits",
                                                      u"kernelMatrix",
                                                      u"kernelUnitLength",
                                                      u"keyPoints",
                                                      u"keySplines",
                                                      u"keyTimes",
                                                      u"lengthAdjust",
                                                      u"limitingConeAngle",
                                                      u"markerHeight",
                                                      u"markerUnits",
                                                      u"markerWidth",
                                                      u"maskContentUnits",
                                                      u"maskUnits",
                                                      u"numOctaves",
                                                      u"pathLength",
                                                      u"patternContentUnits",
                                                      u"patternTransform",
                                                      u"patternUnits",
                                                      u"pointsAtX",
                                                      u"pointsAtY",
                                                      u"pointsAtZ",
                                                      u"preserveAlpha",
                                                      u"preserveAspectRatio",
                                                      u"primitiveUnits",
                                                      u"refX",
                                                      u"refY",
                                                      u"repeatCount",
                                                      u"repeatDur",
                                                      u"requiredExtensions",
                                                      u"requiredFeatures",
                                                      u"specularConstant",
                                                      u"specularExponent",
                                                      u"spreadMethod",
                                                      u"startOffset",
                                                      u"stdDeviation",
                                                      u"stitchTiles",
                                                      u"surfaceScale",
                                                      u"systemLanguage",
                                                      u"tableValues",
                                                      u"targetX",
                                                      u"targetY",
                                                      u"textLength",
                                                      u"viewBox",
                                                      u"viewTarget",
                                                      u"xChannelSelector",
                                                      u"yChannelSelector",
                                                      u"zoomAndPan"};

struct ForeignAttribute {
  std::u16string_view qualified;
  AttributeNamespace ns;
  std::u16string_view local;
};
constexpr ForeignAttribute kForeignAttributes[] = {
    {u"xlink:actuate", AttributeNamespace::XLink, u"actuate"},
    {u"xlink:arcrole", AttributeNamespace::XLink, u"arcrole"},
    {u"xlink:href", AttributeNamespace::XLink, u"href"},
    {u"xlink:role", AttributeNamespace::XLink, u"role"},
    {u"xlink:show", AttributeNamespace::XLink, u"show"},
    {u"xlink:title", AttributeNamespace::XLink, u"title"},
    {u"xlink:type", AttributeNamespace::XLink, u"type"},
    {u"xml:lang", AttributeNamespace::Xml, u"lang"},
    {u"xml:space", AttributeNamespace::Xml, u"space"},
    {u"xmlns", AttributeNamespace::Xmlns, u"xmlns"},
    {u"xmlns:xlink", AttributeNamespace::Xmlns, u"xlink"},
};

template <size_t N>
std::u16string_view FindIgnoringCase(const std::u16string_view (&table)[N], std::u16string_view lowerName) {
  for (std::u16string_view candidate : table)
    if (EqualsIgnoringAsciiCase(candidate, lowerName)) return candidate;
  return {};
}

}  // namespace

std::u16string_view AdjustSvgElementName(std::u16string_view lowerName) {
  std::u16string_view adjusted = FindIgnoringCase(kSvgElementNames, lowerName);
  return adjusted.empty() ? lowerName : adjusted;
}

void AdjustSvgAttributes(std::vector<Attribute>& attributes) {
  for (Attribute& a : attributes) {
    std::u16string_view adjusted = FindIgnoringCase(kSvgAttributeNames, a.name);
    if (!adjusted.empty()) a.name.assign(adjusted);
  }
}

void AdjustMathMlAttributes(std::vector<Attribute>& attributes) {
  for (Attribute& a : attributes)
    if (a.name == u"definitionurl") a.name = u"definitionURL";
}

void AdjustForeignAttributes(std::vector<Attribute>& attributes) {
  for (Attribute& a : attributes) {
    if (a.ns != AttributeNamespace::None) continue;
    for (const ForeignAttribute& f : kForeignAttributes) {
      if (a.name == f.qualified) {
        a.ns = f.ns;
        a.name.assign(f.local);
        break;
      }
    }
  }
}

}  // namespace vellum::engine
