#pragma once
// Whole-file reads for the windows that load a file: a design, a template, the INI file.
#include <windows.h>

#include <cstdint>
#include <vector>

namespace torvik {

// Reads up to `limit` bytes of a file (a longer file gives its first `limit` bytes, so a caller
// that allows one byte more can tell a file that is too long); false when it cannot be opened.
bool readFileBytes(const char* path, DWORD limit, std::vector<std::uint8_t>& bytes);

}  // namespace torvik
