#pragma once
// Design files for the tests that drive the real program: bytes it loads and saves again as
// they are.
#include <cstddef>
#include <cstring>
#include <string>

namespace testfiles {

constexpr std::size_t kDesignSize = 18954;
constexpr std::size_t kSystemSettingsAt = 18574;
constexpr std::size_t kWeightCodeAt = 18842;

// A design file as this program writes it: the tag, blocks of zeros but for the schema
// revision and a marker byte in the weight code, and the trailer.
inline std::string designFile(int revision = 4, unsigned char marker = 0) {
  std::string bytes(kDesignSize, '\0');
  std::memcpy(&bytes[0], "T900RU004", 10);
  bytes[kSystemSettingsAt] = static_cast<char>(revision);
  bytes[kWeightCodeAt + 6] = static_cast<char>(marker);
  return bytes;
}

}  // namespace testfiles
