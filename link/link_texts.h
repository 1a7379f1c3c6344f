#pragma once
// The link's texts that carry a number. Language files can change these texts, so a number
// goes in by plain substitution, never through printf with a format from outside.
#include <cstddef>

#include "base/ui_strings.h"

namespace torvik {

// Language-file entries of the link's texts that have no resource string.
constexpr int kEntryPreferencesCaption = 3;
constexpr int kEntryProgressCaption = 4;
constexpr int kEntryProgressText = 5;
constexpr int kEntryDataReceived = 6;       // "Data received :"
constexpr int kEntryDoneBeforeCount = 7;    // "Done : "
constexpr int kEntryDoneAfterCount = 8;     // " records received.\nView the received data?"

// `text` with its first "%d" replaced by `number` (appended when there is none).
void substituteNumber(const char* text, long number, char* out, std::size_t size);
// "Data received : N", from the language file while one is active.
void counterText(const UiStrings& strings, int count, char* out, std::size_t size);
// The text of the closing question of a receive.
void receivedQuestionText(const UiStrings& strings, int count, char* out, std::size_t size);

}  // namespace torvik
