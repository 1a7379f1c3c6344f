#pragma once
// Rules over a whole design that more than one subsystem applies.
#include "definition/application_definition.h"

namespace torvik {

// A line the terminal asks the user to fill in when it runs a form: text to boolean.
constexpr bool isRunInputType(int type) { return type >= kDataText && type <= kDataBoolean; }

// Rewrites the bytes a run on the terminal depends on: menu item counts, form last input
// lines, and clears the prompts and lookup references of lines that cannot use them.
void prepareDesign(ApplicationDefinition& def);

}  // namespace torvik
