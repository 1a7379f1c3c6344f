#pragma once
// Small text helpers for fixed-size fields.
#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

namespace torvik {

// Copies text into a fixed field of `size` bytes, cutting it to size - 1 characters; the
// field always ends up NUL-terminated and nothing past it is touched.
void copyText(char* field, std::size_t size, const char* text);
template <std::size_t N>
void copyText(char (&field)[N], const char* text) { copyText(field, N, text); }

// The characters of a field of `size` bytes up to its NUL; all of them when a text fills it.
std::size_t boundedLength(const char* field, std::size_t size);

// A text whose format a language file may give: each "%s" in turn takes the next argument
// ("" when they run out), "%%" is one '%', and every other '%' stands for itself. The format
// is never handed to printf.
std::string fillTemplate(const char* format, const std::vector<std::string>& arguments);
std::string fillTemplate(const char* format, std::initializer_list<const char*> arguments);

}  // namespace torvik
