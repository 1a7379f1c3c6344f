#include "definition/legacy_project.h"

#include <cstring>

namespace torvik {

bool hasLegacySignature(const std::uint8_t* bytes, std::size_t size) {
  return size >= 8 && (std::memcmp(bytes, "Rxx-4.00", 8) == 0 || std::memcmp(bytes, "Rxx-3.10", 8) == 0);
}

// The conversion itself is not written yet: nothing is taken from the file.
bool convertLegacyProject(const std::uint8_t*, std::size_t size, ApplicationDefinition&) {
  return size >= kLegacyProjectSize;
}

}  // namespace torvik
