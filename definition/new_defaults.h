#pragma once
// The values a new application starts from: the barcode reset, then the application reset,
// which writes every other block but HeaderWord.
#include "definition/application_definition.h"
#include "definition/default_messages.h"

namespace torvik {

// Barcode reset: the reader's switches of a new application; bits it does not name keep
// their values.
void resetBarcodeSettings(BarcodeSettings& settings);

// Application reset: every block but BarcodeSettings and HeaderWord; the texts of the
// message groups and the settings text slots come from `messages`.
void applyApplicationReset(ApplicationDefinition& def, const DefaultMessages& messages);

// New: the barcode reset, then the application reset.
void applyNewApplicationDefaults(ApplicationDefinition& def, const DefaultMessages& messages);

// The same with the built-in English texts, for code with no language at hand.
void applyNewApplicationDefaults(ApplicationDefinition& def);

// The weighed-article barcode rule of a new application (also used by upgrades and the
// legacy conversion).
void applyWeightCodeDefaults(WeightCode& weightCode);

}  // namespace torvik
