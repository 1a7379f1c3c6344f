#pragma once
#include "definition/application_definition.h"

namespace torvik {

// Fills the whole definition with the values a new application starts from.
void applyNewApplicationDefaults(ApplicationDefinition& def);

}  // namespace torvik
