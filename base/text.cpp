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

std::size_t boundedLength(const char* field, std::size_t size) {
  const void* nul = std::memchr(field, '\0', size);
  return nul != nullptr ? static_cast<std::size_t>(static_cast<const char*>(nul) - field) : size;
}

std::string fillTemplate(const char* format, std::initializer_list<const char*> arguments) {
  return fillTemplate(format, std::vector<std::string>(arguments.begin(), arguments.end()));
}

std::string fillTemplate(const char* format, const std::vector<std::string>& arguments) {
  std::string out;
  auto next = arguments.begin();
  for (const char* c = format; *c != '\0'; ++c) {
    if (c[0] == '%' && c[1] == 's') {
      if (next != arguments.end()) out += *next++;
      ++c;
    } else {
      if (c[0] == '%' && c[1] == '%') ++c;
      out += *c;
    }
  }
  return out;
}

}  // namespace torvik
