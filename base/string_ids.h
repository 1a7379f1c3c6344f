#pragma once
// The names of the UI strings the code refers to, made from the string table itself so that
// an id is named once, beside its text. Ranges are named by their first entry; code that
// walks one adds the index to that name.

namespace torvik {

enum StringId : int {
#define UI_STRING(id, text)
#define UI_STRING_NAMED(name, id, text) name = id,
#include "resources/ui_strings.inc"
#undef UI_STRING_NAMED
#undef UI_STRING
};

}  // namespace torvik
