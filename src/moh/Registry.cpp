#include "moh/Registry.h"

namespace {

Registry* gRegistryInUse = nullptr;

}  // namespace

Registry& TheRegistry() { return gRegistryInUse != nullptr ? *gRegistryInUse : SystemRegistry(); }

void UseRegistry(Registry* registry) { gRegistryInUse = registry; }
