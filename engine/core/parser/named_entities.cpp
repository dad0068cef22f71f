#include "parser/named_entities.h"

namespace vellum::engine {

const NamedEntity kNamedEntities[] = {
#include "parser/named_entities.inc"
};
const size_t kNamedEntityCount = sizeof(kNamedEntities) / sizeof(kNamedEntities[0]);

}  // namespace vellum::engine
