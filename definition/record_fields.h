#pragma once
// Small helpers shared by the record layouts: bit fields inside one byte, code fields that may
// fill their whole width without a NUL, and the screen-target numbering.
#include <cstddef>
#include <cstdint>

namespace torvik {

// A group of `width` bits starting at bit `shift` (bit 0 the lowest) of one byte.
constexpr std::uint8_t bitMask(int shift, int width) {
  return static_cast<std::uint8_t>(((1u << width) - 1u) << shift);
}
constexpr int getBits(std::uint8_t byte, int shift, int width) {
  return (byte & bitMask(shift, width)) >> shift;
}
// Stores the low `width` bits of value; the other bits of the byte stay as they are.
inline void setBits(std::uint8_t& byte, int shift, int width, int value) {
  const std::uint8_t mask = bitMask(shift, width);
  byte = static_cast<std::uint8_t>((byte & ~mask) | ((static_cast<unsigned>(value) << shift) & mask));
}

// A named bit field of a bit-packed block: which byte of the block, which bits. The block type
// is part of the name's type, so a wedge bit cannot be handed to the barcode settings.
template <typename Block>
struct BitsOf {
  std::uint8_t byte;
  std::uint8_t shift;
  std::uint8_t width;
};
template <typename Block>
int readBits(const Block& block, BitsOf<Block> f) {
  return getBits(reinterpret_cast<const std::uint8_t*>(&block)[f.byte], f.shift, f.width);
}
template <typename Block>
void writeBits(Block& block, BitsOf<Block> f, int value) {
  setBits(reinterpret_cast<std::uint8_t*>(&block)[f.byte], f.shift, f.width, value);
}

// Code fields (prefix, suffix, leading code, code IDs) hold up to their full size and are
// NUL-terminated only when shorter, so they must never be read with strlen.
template <typename T, std::size_t N>
std::size_t codeLength(const T (&field)[N]) {
  std::size_t n = 0;
  while (n < N && field[n] != 0) ++n;
  return n;
}
// Stores up to N bytes of a NUL-terminated code; a NUL follows when it is shorter than the field.
template <typename T, std::size_t N, typename S>
void copyCode(T (&field)[N], const S* code) {
  std::size_t n = 0;
  if (code != nullptr) {
    for (; n < N && code[n] != 0; ++n) field[n] = static_cast<T>(code[n]);
  }
  if (n < N) field[n] = 0;
}

// Screen target: one byte naming a screen of the terminal application.
constexpr std::uint8_t kTargetMainMenu = 0;
constexpr std::uint8_t kTargetFirstForm = 1;   // form 1; form n is n
constexpr std::uint8_t kTargetLastForm = 10;
constexpr std::uint8_t kTargetFirstMenu = 11;  // menu 1; menu n is 10 + n
constexpr std::uint8_t kTargetLastMenu = 20;
constexpr std::uint8_t kTargetCount = 21;
constexpr std::uint8_t formTarget(int form) { return static_cast<std::uint8_t>(form); }  // form 1 to 10
constexpr std::uint8_t menuTarget(int menu) { return static_cast<std::uint8_t>(10 + menu); }  // menu 1 to 10
constexpr bool isFormTarget(int target) { return target >= kTargetFirstForm && target <= kTargetLastForm; }
constexpr bool isMenuTarget(int target) { return target >= kTargetFirstMenu && target <= kTargetLastMenu; }
constexpr int targetForm(int target) { return target; }        // 1-based form of a form target
constexpr int targetMenu(int target) { return target - 10; }   // 1-based menu of a menu target

}  // namespace torvik
