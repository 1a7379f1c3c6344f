// The INI file may hold anything: reading it stays inside the preferences' fields, and once
// written back (where an out-of-range byte field settles to its first digit) the text reads
// the same.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "shell/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace torvik;
  Preferences p;
  parseIni(reinterpret_cast<const char*>(data), size, p);
  if (std::strlen(p.lastProject) > 255 || std::strlen(p.languageName) > 40) __builtin_trap();
  for (const auto& recent : p.recentFiles)
    if (std::strlen(recent) > 255) __builtin_trap();
  if (p.baudRateIndex < 0 || p.baudRateIndex > 4) __builtin_trap();
  Preferences settled;
  const std::string first = formatIni(p);
  parseIni(first.data(), first.size(), settled);
  const std::string text = formatIni(settled);
  Preferences back;
  parseIni(text.data(), text.size(), back);
  if (formatIni(back) != text) __builtin_trap();
  return 0;
}
