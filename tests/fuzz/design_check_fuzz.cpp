// The check reads designs and lookup files that may hold any byte: whatever they hold, it
// stays inside the records and every finding is one line. The input's first bytes overlay
// the design from its barcode settings on; what is left is a lookup file for each of the
// three lookup definitions.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "check/design_check.h"
#include "cli/design_files.h"

namespace {

bool oneLine(const torvik::CheckFinding& f) {
  return !f.where.empty() && !f.text.empty() && f.where.find_first_of("\r\n") == std::string::npos &&
         f.text.find_first_of("\r\n") == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace torvik;
  static auto fresh = [] {
    auto def = std::make_unique<ApplicationDefinition>();
    makeNewDesign(*def);
    return def;
  }();
  auto def = std::make_unique<ApplicationDefinition>(*fresh);
  constexpr std::size_t kFirst = offsetof(ApplicationDefinition, barcodeSettings);
  const std::size_t overlay = size < kDefinitionSize - kFirst ? size : kDefinitionSize - kFirst;
  std::memcpy(bytesOf(*def) + kFirst, data, overlay);
  const auto before = std::make_unique<ApplicationDefinition>(*def);

  for (const CheckFinding& f : checkDesign(*def))
    if (!oneLine(f)) __builtin_trap();
  for (int lookup = 1; lookup <= kLookupCount; ++lookup)
    for (const CheckFinding& f : checkLookupFile(*def, lookup, "lookup.txt", data + overlay, size - overlay))
      if (!oneLine(f)) __builtin_trap();
  // The check looks at a copy: the design itself is left as it was.
  if (std::memcmp(def.get(), before.get(), sizeof *def) != 0) __builtin_trap();
  return 0;
}
