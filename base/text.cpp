#include "base/text.h"

#include <cstring>

namespace torvik {

void copyText(char* field, std::size_t size, const char* text) {
  if (size == 0) return;
  std::size_t n = 0;
  if (text != nullptr) {
    while (n + 1 < size && text[n] != '\0') ++n;
    std::memcpy(field, text, n);
  }
  field[n] = '\0';
}

}  // namespace torvik
