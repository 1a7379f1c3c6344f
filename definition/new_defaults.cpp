#include "definition/new_defaults.h"

#include <cstring>

namespace torvik {

void applyNewApplicationDefaults(ApplicationDefinition& def) {
  std::memset(&def, 0, sizeof def);
  std::memcpy(def.versionTag, kVersionTagText, sizeof def.versionTag);
  def.systemSettings.schemaRevision = kSchemaRevision;
}

}  // namespace torvik

namespace torvik {

void applyWeightCodeDefaults(WeightCode&) {}

}  // namespace torvik
