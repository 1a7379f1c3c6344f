#include "definition/record_text.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace torvik {

namespace {

bool inRecord(const SettingField& f, const RecordSpan& span, int index) {
  const std::size_t from = span.offset + span.size * static_cast<std::size_t>(index);
  return f.offset >= from && f.offset + f.size <= from + span.size;
}

// The record of `kind` that a setting belongs to, or -1.
int recordOf(const SettingField& f, const RecordSpan& span) {
  if (f.offset < span.offset) return -1;
  const std::size_t index = (f.offset - span.offset) / span.size;
  return index < static_cast<std::size_t>(span.count) && inRecord(f, span, static_cast<int>(index))
             ? static_cast<int>(index)
             : -1;
}

std::uint8_t* slot(ApplicationDefinition& def, const RecordSpan& span, int index) {
  return bytesOf(def) + span.offset + span.size * static_cast<std::size_t>(index);
}

}  // namespace

RecordSpan recordSpan(RecordKind kind) {
  switch (kind) {
    case RecordKind::Menu:
      return {"menu", offsetof(ApplicationDefinition, menu), sizeof(MenuRecord), kMenuCount};
    case RecordKind::Lookup:
      return {"lookup", offsetof(ApplicationDefinition, lookup), sizeof(LookupRecord), kLookupCount};
    case RecordKind::Form:
    default:
      return {"form", offsetof(ApplicationDefinition, form), sizeof(FormRecord), kFormCount};
  }
}

std::string recordText(RecordKind kind, int index, const void* record) {
  const RecordSpan span = recordSpan(kind);
  auto def = std::make_unique<ApplicationDefinition>();
  std::memcpy(slot(*def, span, index), record, span.size);
  std::string text;
  for (const SettingField& f : settingFields())
    if (inRecord(f, span, index)) text += f.name + " = " + settingValue(f, *def) + "\n";
  return text;
}

RecordTextResult readRecordText(RecordKind kind, const char* text, std::size_t size, void* record) {
  const RecordSpan span = recordSpan(kind);
  RecordTextResult result{RecordTextStatus::NoRecord, -1, {}};
  const std::vector<DesignTextLine> lines = splitDesignText(text, size);
  for (const DesignTextLine& l : lines) {
    if (l.field != nullptr && (result.index = recordOf(*l.field, span)) >= 0) break;
  }
  if (result.index < 0) return result;
  // Lines of other records would be lost without a word; they are refused instead.
  const std::string owner = span.word + std::to_string(result.index + 1);
  for (const DesignTextLine& l : lines)
    if (l.field != nullptr && !inRecord(*l.field, span, result.index))
      result.refusals.push_back({l.line, l.field->name + ": not a setting of " + owner});
  auto def = std::make_unique<ApplicationDefinition>();
  std::memcpy(slot(*def, span, result.index), record, span.size);
  for (TextRefusal& r : applyDesignText(text, size, *def)) result.refusals.push_back(std::move(r));
  if (!result.refusals.empty()) {
    std::stable_sort(result.refusals.begin(), result.refusals.end(),
                     [](const TextRefusal& a, const TextRefusal& b) { return a.line < b.line; });
    result.status = RecordTextStatus::Refused;
    return result;
  }
  std::memcpy(record, slot(*def, span, result.index), span.size);
  result.status = RecordTextStatus::Read;
  return result;
}

bool recordInUse(RecordKind kind, const void* record) {
  switch (kind) {
    case RecordKind::Menu: {
      const auto& m = *static_cast<const MenuRecord*>(record);
      bool named = m.caption[0] != '\0' || m.itemCount != 0;
      for (const auto& name : m.itemName) named = named || name[0] != '\0';
      return named;
    }
    case RecordKind::Lookup:
      return static_cast<const LookupRecord*>(record)->fieldCount != 0;
    case RecordKind::Form:
    default: {
      const auto& f = *static_cast<const FormRecord*>(record);
      return std::any_of(std::begin(f.dataType), std::end(f.dataType), [](std::uint8_t t) { return t != 0; });
    }
  }
}

}  // namespace torvik
