#include "engine/com/style/StyleDispatch.h"

namespace vellum::engine::com::style {

namespace css = vellum::engine::css;

DISPID PropertyDispid(css::PropertyId id) { return kPropertyDispidBase + static_cast<DISPID>(id); }

std::optional<css::PropertyId> PropertyOfDispid(DISPID id) {
  if (id < kPropertyDispidBase || id >= kPropertyDispidBase + static_cast<DISPID>(css::kPropertyCount))
    return std::nullopt;
  return static_cast<css::PropertyId>(id - kPropertyDispidBase);
}

}  // namespace vellum::engine::com::style
