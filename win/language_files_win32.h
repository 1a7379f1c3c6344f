#pragma once
#include "base/ui_strings.h"

namespace torvik {

// Scans `folder` (ending in a backslash) for *.lng files and fills the language list.
// Returns the number of languages found.
int findLanguages(UiStrings& strings, const char* folder);

// Loads the listed language named `name` into the override table; returns whether one was
// loaded. The caller sets the language-active flag from the result.
bool loadLanguage(UiStrings& strings, const char* name);

// Reads at most `capacity` bytes of a file; returns the count, or -1 when it cannot be opened.
long readFileHead(const char* path, char* buffer, long capacity);

}  // namespace torvik
