#include "editor/lookup_rules.h"

#include <cstdio>
#include <cstring>

namespace torvik {

NumberCorrection correctMemberLengthText(char* text, std::size_t size) {
  return correctNumberText(text, size, NumberRule{255, 0, 0, false, 0});
}

DelimiterEdit editDelimiterText(char* text, std::size_t size, std::uint8_t previous) {
  // Emptied on the way to another number: nothing changes until a number is typed.
  if (size == 0 || text[0] == '\0') return {previous, false, false};
  const NumberCorrection c = correctNumberText(text, size, NumberRule{255, 0, 0, false, 0});
  // A carriage return would end the line, and no delimiter at all would turn the records into
  // fixed-length ones while the page says "Delimiter".
  if (c.value == kRefusedDelimiter || c.value == kFixedLengthRecords) {
    std::snprintf(text, size, "%d", previous);
    return {previous, true, true};
  }
  return {c.value, c.changed, false};
}

std::uint8_t delimiterForLayout(int edited) {
  if (edited <= 0 || edited == kRefusedDelimiter) return kTabDelimiter;
  return static_cast<std::uint8_t>(edited > 255 ? 255 : edited);
}

int noMatchChoices(bool readOnce, std::uint8_t (&codes)[6]) {
  if (readOnce) {
    codes[0] = kNoMatchInsert;
    codes[1] = kNoMatchWarnAndInsert;
    return 2;
  }
  for (int i = 0; i < 6; ++i) codes[i] = static_cast<std::uint8_t>(i);
  return 6;
}

int noMatchItem(bool readOnce, int code) {
  std::uint8_t codes[6];
  const int n = noMatchChoices(readOnce, codes);
  for (int i = 0; i < n; ++i)
    if (codes[i] == code) return i;
  return 0;
}

void settleReadOnce(LookupRecord& lookup) {
  if (lookup.readOnce != 0 && lookup.noMatchAction != kNoMatchInsert && lookup.noMatchAction != kNoMatchWarnAndInsert)
    lookup.noMatchAction = kNoMatchInsert;
}

void resetLookups(LookupRecord (&lookups)[kLookupCount]) {
  for (LookupRecord& l : lookups) {
    l.memberLength = 0;
    l.fieldCount = 0;
    l.keyField = 0;
    for (int i = 0; i < kLookupFields; ++i) {
      l.fieldOffset[i] = 1;
      l.fieldLength[i] = 0;
    }
    l.delimiter = kFixedLengthRecords;
    l.readOnce = 0;
    l.uploadable = 1;
    l.noMatchAction = kNoMatchContinue;
    l.badFormatAction = kBadFormatStop;
    l.negativeRemains = 0;
  }
}

namespace {
int usedFields(const LookupRecord& lookup) {
  return lookup.fieldCount > kLookupFields ? kLookupFields : lookup.fieldCount;
}
}  // namespace

int delimitedLineLength(const LookupRecord& lookup) {
  const int count = usedFields(lookup);
  // No fields, no record: not "0 - 1", which a byte would hold as 255.
  if (count == 0) return 0;
  int total = count - 1;
  for (int i = 0; i < count; ++i) total += lookup.fieldLength[i];
  return total;
}

int delimitedMemberLength(const LookupRecord& lookup) {
  const int total = delimitedLineLength(lookup);
  return total > kMaxLookupLine ? -1 : total;
}

int firstOverlongLookup(const LookupRecord (&lookups)[kLookupCount]) {
  for (int n = 0; n < kLookupCount; ++n)
    if (lookups[n].delimiter != kFixedLengthRecords && delimitedMemberLength(lookups[n]) < 0) return n;
  return -1;
}

bool applyLookupLayout(LookupRecord& lookup) {
  if (lookup.delimiter == kFixedLengthRecords) return true;
  const int length = delimitedMemberLength(lookup);
  if (length < 0) return false;
  lookup.memberLength = static_cast<std::uint8_t>(length);
  // Within the line's bound every offset fits in its byte.
  int offset = 1;
  for (int i = 0; i < usedFields(lookup); ++i) {
    lookup.fieldOffset[i] = static_cast<std::uint8_t>(offset);
    offset += lookup.fieldLength[i] + 1;
  }
  return true;
}

void overlongLookupText(const char* format, const char* name, int length, char* out, std::size_t size) {
  if (size == 0) return;
  std::size_t n = 0;
  auto put = [&](const char* text) {
    for (; *text != '\0' && n + 1 < size; ++text) out[n++] = *text;
  };
  char number[16];
  std::snprintf(number, sizeof number, "%d", length);
  bool nameDone = false;
  bool numberDone = false;
  for (const char* c = format; *c != '\0' && n + 1 < size; ++c) {
    if (c[0] == '%' && c[1] == 's' && !nameDone) {
      put(name);
      nameDone = true;
      ++c;
    } else if (c[0] == '%' && c[1] == 'd' && !numberDone) {
      put(number);
      numberDone = true;
      ++c;
    } else {
      if (c[0] == '%' && c[1] == '%') ++c;
      out[n++] = *c;
    }
  }
  out[n] = '\0';
}

namespace {
char calculatorDigit(const ApplicationDefinition& def) {
  for (const LookupRecord& l : def.lookup)
    if (l.isDefined()) return '9';
  return '8';
}
void numberText(char* text, char digit) {
  if (text[0] != '\0') text[0] = digit;
}
}  // namespace

void renumberCalculatorDefaults(const ApplicationDefinition& def, DefaultMessages& defaults) {
  const char digit = calculatorDigit(def);
  numberText(defaults.settingsSmall[0], digit);
  numberText(defaults.settingsLarge[0], digit);
}

void renumberCalculatorEntry(ApplicationDefinition& def, DefaultMessages* defaults) {
  numberText(def.systemSettings.settingsText[0], calculatorDigit(def));
  if (defaults != nullptr) renumberCalculatorDefaults(def, *defaults);
}

}  // namespace torvik
