#include "base/control_table.h"

#include <cstdio>
#include <cstring>

namespace torvik {

const ControlBinding* ControlTable::find(int controlId, int* row) const {
  for (int i = 0; i < count; ++i) {
    const ControlBinding& b = bindings[i];
    const int rows = b.kind == ControlKind::Radio ? b.max : b.rows;
    if (controlId >= b.id && controlId < b.id + (rows > 0 ? rows : 1)) {
      if (row != nullptr) *row = controlId - b.id;
      return &b;
    }
  }
  return nullptr;
}

std::uint8_t* fieldBytes(void* record, const FieldRef& field, int line) {
  return static_cast<std::uint8_t*>(record) + field.offset + static_cast<std::size_t>(line) * field.stride;
}

const std::uint8_t* fieldBytes(const void* record, const FieldRef& field, int line) {
  return static_cast<const std::uint8_t*>(record) + field.offset + static_cast<std::size_t>(line) * field.stride;
}

int readField(const void* record, const FieldRef& field, int line) {
  if (field.size == 0) return 0;
  const unsigned byte = *fieldBytes(record, field, line);
  return static_cast<int>((byte >> field.shift) & ((1u << field.width) - 1u));
}

void writeField(void* record, const FieldRef& field, int line, int value) {
  if (field.size == 0) return;
  std::uint8_t& byte = *fieldBytes(record, field, line);
  const unsigned mask = ((1u << field.width) - 1u) << field.shift;
  byte = static_cast<std::uint8_t>((byte & ~mask) | ((static_cast<unsigned>(value) << field.shift) & mask));
}

void readFieldText(const void* record, const FieldRef& field, int line, char* out, std::size_t outSize) {
  if (outSize == 0) return;
  const std::uint8_t* bytes = fieldBytes(record, field, line);
  std::size_t n = 0;
  while (n < field.size && n + 1 < outSize && bytes[n] != 0) {
    out[n] = static_cast<char>(bytes[n]);
    ++n;
  }
  out[n] = '\0';
}

void writeFieldText(void* record, const FieldRef& field, int line, const char* text) {
  if (field.size == 0) return;
  std::uint8_t* bytes = fieldBytes(record, field, line);
  std::size_t n = 0;
  // A text field keeps room for its NUL.
  while (n + 1 < field.size && text[n] != '\0') {
    bytes[n] = static_cast<std::uint8_t>(text[n]);
    ++n;
  }
  bytes[n] = 0;
}

void writeFieldChars(void* record, const FieldRef& field, int line, const char* text) {
  std::uint8_t* bytes = fieldBytes(record, field, line);
  std::size_t n = 0;
  for (; n < field.size && text[n] != '\0'; ++n) bytes[n] = static_cast<std::uint8_t>(text[n]);
  if (n < field.size) bytes[n] = 0;
}

void storeEditText(void* record, const ControlBinding& binding, int line, const char* text) {
  if (binding.max >= binding.field.size)
    writeFieldChars(record, binding.field, line, text);
  else
    writeFieldText(record, binding.field, line, text);
}

NumberCorrection correctNumberText(char* text, std::size_t size, const NumberRule& rule) {
  if (size == 0) return {rule.emptyValue, false};
  long value = 0;
  bool isNumber = text[0] != '\0';
  // Saturates above the maximum, so a pasted run of digits cannot overflow.
  for (const char* c = text; isNumber && *c != '\0'; ++c) {
    if (*c < '0' || *c > '9') isNumber = false;
    else if (value <= rule.max) value = value * 10 + (*c - '0');
  }
  if (text[0] == '\0' && rule.emptyStays) return {rule.emptyValue, false};
  if (!isNumber || value < rule.min) value = rule.notNumber;
  if (value > rule.max) value = rule.max;
  char corrected[16];
  const int written = std::snprintf(corrected, sizeof corrected, "%ld", value);
  const bool changed = std::strcmp(corrected, text) != 0;
  if (changed && static_cast<std::size_t>(written) < size) std::memcpy(text, corrected, static_cast<std::size_t>(written) + 1);
  return {static_cast<int>(value), changed};
}

bool cutText(char* text, int limit) {
  if (limit < 0) limit = 0;
  if (std::strlen(text) <= static_cast<std::size_t>(limit)) return false;
  text[limit] = '\0';
  return true;
}

}  // namespace torvik
