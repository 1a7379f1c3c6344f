#include "link/link_texts.h"

#include <cstdio>
#include <cstring>

namespace torvik {

void substituteNumber(const char* text, long number, char* out, std::size_t size) {
  if (size == 0) return;
  char digits[24];
  std::snprintf(digits, sizeof digits, "%ld", number);
  const char* at = std::strstr(text, "%d");
  if (at == nullptr) {
    std::snprintf(out, size, "%s %s", text, digits);
    return;
  }
  std::snprintf(out, size, "%.*s%s%s", static_cast<int>(at - text), text, digits, at + 2);
}

void counterText(const UiStrings& strings, int count, char* out, std::size_t size) {
  const char* label = strings.languageActive() ? strings.directEntry(kEntryDataReceived) : "";
  if (label[0] != '\0')
    std::snprintf(out, size, "%s %d", label, count);
  else
    std::snprintf(out, size, "Data received : %d", count);
}

void receivedQuestionText(const UiStrings& strings, int count, char* out, std::size_t size) {
  if (strings.languageActive() && strings.directEntry(kEntryDoneBeforeCount)[0] != '\0') {
    std::snprintf(out, size, "%s%d%s", strings.directEntry(kEntryDoneBeforeCount), count,
                  strings.directEntry(kEntryDoneAfterCount));
    return;
  }
  std::snprintf(out, size, "Done : %d records received.\nView the received data?", count);
}

}  // namespace torvik
