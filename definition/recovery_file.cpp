#include "definition/recovery_file.h"

#include <cstring>

namespace torvik {

namespace {

// Layout: tag, version, flags, path, time, design, CRC-32 of everything before it.
constexpr char kTag[16] = "TorvikRecovery";
constexpr std::uint32_t kVersion = 1;
constexpr std::uint32_t kModifiedFlag = 1;
constexpr std::size_t kVersionAt = sizeof kTag;
constexpr std::size_t kFlagsAt = kVersionAt + 4;
constexpr std::size_t kPathAt = kFlagsAt + 4;
constexpr std::size_t kTimeAt = kPathAt + kRecoveryPathSize;
constexpr std::size_t kDesignAt = kTimeAt + kRecoveryTimeSize;
constexpr std::size_t kCrcAt = kDesignAt + sizeof(ApplicationDefinition);
constexpr std::size_t kFileSize = kCrcAt + 4;

void putWord(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t word(const std::uint8_t* at) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(at[i]) << (8 * i);
  return value;
}

// CRC-32 (the polynomial of zip and PNG), bit by bit: 19 KB now and then needs no table.
std::uint32_t crc32(const std::uint8_t* bytes, std::size_t size) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= bytes[i];
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

// A text field must end within its bytes, and nothing may follow its NUL.
bool cleanText(const std::uint8_t* field, std::size_t size) {
  const void* nul = std::memchr(field, 0, size);
  if (nul == nullptr) return false;
  for (auto* p = static_cast<const std::uint8_t*>(nul); p < field + size; ++p)
    if (*p != 0) return false;
  return true;
}

void putText(std::uint8_t* at, std::size_t size, const char* text) {
  std::size_t n = 0;
  while (n + 1 < size && text[n] != '\0') ++n;
  std::memcpy(at, text, n);
}

}  // namespace

std::size_t recoveryFileSize() { return kFileSize; }

std::vector<std::uint8_t> encodeRecovery(const RecoveryState& state) {
  std::vector<std::uint8_t> bytes(kFileSize, 0);
  std::memcpy(bytes.data(), kTag, sizeof kTag);
  putWord(&bytes[kVersionAt], kVersion);
  putWord(&bytes[kFlagsAt], state.modified ? kModifiedFlag : 0);
  putText(&bytes[kPathAt], kRecoveryPathSize, state.path);
  putText(&bytes[kTimeAt], kRecoveryTimeSize, state.written);
  std::memcpy(&bytes[kDesignAt], &state.design, sizeof state.design);
  putWord(&bytes[kCrcAt], crc32(bytes.data(), kCrcAt));
  return bytes;
}

RecoveryRead decodeRecovery(const std::uint8_t* bytes, std::size_t size, RecoveryState& state) {
  // The tag and version first, so that a file of another kind or version is named as such
  // whatever its size.
  if (bytes == nullptr || size < sizeof kTag || std::memcmp(bytes, kTag, sizeof kTag) != 0) return RecoveryRead::WrongTag;
  if (size >= kFlagsAt && word(bytes + kVersionAt) != kVersion) return RecoveryRead::OtherVersion;
  if (size != kFileSize) return RecoveryRead::WrongSize;
  if (word(bytes + kCrcAt) != crc32(bytes, kCrcAt)) return RecoveryRead::Damaged;
  const std::uint32_t flags = word(bytes + kFlagsAt);
  if ((flags & ~kModifiedFlag) != 0 || !cleanText(bytes + kPathAt, kRecoveryPathSize) ||
      !cleanText(bytes + kTimeAt, kRecoveryTimeSize))
    return RecoveryRead::Damaged;
  state.modified = (flags & kModifiedFlag) != 0;
  std::memcpy(state.path, bytes + kPathAt, kRecoveryPathSize);
  std::memcpy(state.written, bytes + kTimeAt, kRecoveryTimeSize);
  std::memcpy(&state.design, bytes + kDesignAt, sizeof state.design);
  return RecoveryRead::Read;
}

}  // namespace torvik
