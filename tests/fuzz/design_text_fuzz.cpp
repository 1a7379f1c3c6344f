// Design text comes from people, files and the clipboard: whatever bytes it holds, reading it
// stays inside the design, and it is applied whole or not at all. The same bytes are also read
// as the text of one form, menu and lookup, as Paste reads them.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "definition/design_text.h"
#include "definition/new_defaults.h"
#include "definition/record_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace torvik;
  static const auto fresh = [] {
    auto def = std::make_unique<ApplicationDefinition>();
    applyNewApplicationDefaults(*def);
    return def;
  }();
  const char* text = reinterpret_cast<const char*>(data);
  auto def = std::make_unique<ApplicationDefinition>(*fresh);
  const std::vector<TextRefusal> refusals = applyDesignText(text, size, *def);
  if (!refusals.empty()) {
    if (std::memcmp(def.get(), fresh.get(), sizeof *def) != 0) __builtin_trap();
    for (const TextRefusal& r : refusals)
      if (r.line < 1 || r.reason.empty() || r.reason.find('\n') != std::string::npos) __builtin_trap();
  }
  for (RecordKind kind : {RecordKind::Form, RecordKind::Menu, RecordKind::Lookup}) {
    const RecordSpan span = recordSpan(kind);
    const std::uint8_t* before = bytesOf(*fresh) + span.offset;
    std::unique_ptr<std::uint8_t[]> record(new std::uint8_t[span.size]);
    std::memcpy(record.get(), before, span.size);
    const RecordTextResult r = readRecordText(kind, text, size, record.get());
    if (r.status != RecordTextStatus::Read && std::memcmp(record.get(), before, span.size) != 0) __builtin_trap();
  }
  return 0;
}
