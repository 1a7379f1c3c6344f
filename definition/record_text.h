#pragma once
// One form, menu or lookup as design text, for copying it from one slot, design or running
// program to another: the writer's lines of that record alone, and their reading back into a
// record of the same kind under whatever number the text gives it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "definition/design_text.h"

namespace torvik {

enum class RecordKind : std::uint8_t { Form, Menu, Lookup };

// Where the records of a kind lie in the definition, and the word that names them.
struct RecordSpan {
  const char* word;  // "form"
  std::size_t offset;
  std::size_t size;  // of one record
  int count;
};
RecordSpan recordSpan(RecordKind kind);

// Every setting of `record` (the bytes of one record of `kind`) as record `index` (0-based)
// names them: "form3.font = small" lines, each ended by "\n".
std::string recordText(RecordKind kind, int index, const void* record);

enum class RecordTextStatus : std::uint8_t {
  Read,      // `record` holds what the text says
  NoRecord,  // no line names a setting of a record of this kind
  Refused,   // a line is refused; `record` is untouched
};
struct RecordTextResult {
  RecordTextStatus status;
  int index;  // the record the text names (0-based), when it names one
  std::vector<TextRefusal> refusals;
};

// Reads the text of one record of `kind` into `record`, whatever number the text gives it:
// the record it names is the one its first setting belongs to, and every other line must set
// the same record. Settings the text does not name keep what `record` held, so a text that
// `recordText` wrote replaces the record whole. All or nothing.
RecordTextResult readRecordText(RecordKind kind, const char* text, std::size_t size, void* record);

// Whether a slot holds something worth asking about before it is replaced: a form with an
// input line, a menu with a caption or an item, a lookup with a field.
bool recordInUse(RecordKind kind, const void* record);

}  // namespace torvik
