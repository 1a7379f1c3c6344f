#pragma once
// The text of the INI file: fields ending in a carriage return each, no line feeds.
#include <cstddef>
#include <string>

#include "shell/preferences.h"

namespace torvik {

// Sets every field from the file's text. Pieces are split at carriage returns, empty ones
// skipped; a missing piece takes its default, except the language name, which then stays
// as it was. Any text is read safely: over-long pieces are cut to their fields, numbers
// that do not fit are clamped.
void parseIni(const char* text, std::size_t size, Preferences& preferences);

// The file's text for `preferences`.
std::string formatIni(const Preferences& preferences);

// The defaults of every field but the language name, which stays.
void resetPreferences(Preferences& preferences);

}  // namespace torvik
