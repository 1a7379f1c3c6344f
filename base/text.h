#pragma once
// Small text helpers for fixed-size fields.
#include <cstddef>

namespace torvik {

// Copies text into a fixed field of `size` bytes, cutting it to size - 1 characters; the
// field always ends up NUL-terminated and nothing past it is touched.
void copyText(char* field, std::size_t size, const char* text);
template <std::size_t N>
void copyText(char (&field)[N], const char* text) { copyText(field, N, text); }

// The characters of a field of `size` bytes up to its NUL; all of them when a text fills it.
std::size_t boundedLength(const char* field, std::size_t size);

}  // namespace torvik
