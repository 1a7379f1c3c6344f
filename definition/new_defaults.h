#pragma once
#include "definition/application_definition.h"

namespace torvik {

// Fills the whole definition with the values a new application starts from.
void applyNewApplicationDefaults(ApplicationDefinition& def);

}  // namespace torvik

namespace torvik {

// The weighed-article barcode rule of a new application (also used by upgrades and the
// legacy conversion).
void applyWeightCodeDefaults(WeightCode& weightCode);

}  // namespace torvik
