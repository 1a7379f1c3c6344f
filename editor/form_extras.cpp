#include "editor/form_extras.h"

#include <cstring>

namespace torvik {

namespace {

// Appends to a bounded buffer; what does not fit is dropped, the text stays terminated.
struct Appender {
  char* out;
  std::size_t size;
  std::size_t used = 0;
  void add(const char* text) {
    for (; *text != '\0' && used + 1 < size; ++text) out[used++] = *text;
    out[used] = '\0';
  }
  void add(char c) {
    const char text[2] = {c, '\0'};
    add(text);
  }
};

int clampChoice(int value, int count) { return value >= 0 && value < count ? value : 0; }

}  // namespace

void stampDatePattern(const FormRecord& form, char* out, std::size_t size) {
  if (size == 0) return;
  out[0] = '\0';
  Appender text{out, size};
  enum Part { kYear, kMonth, kDay };
  static const Part kOrders[3][3] = {{kYear, kMonth, kDay}, {kMonth, kDay, kYear}, {kDay, kMonth, kYear}};
  const Part* order = kOrders[clampChoice(form.stampDateStyle, 3)];
  const char separator = form.stampDateSepOn != 0 ? form.stampDateSep[0] : '\0';
  bool earlierOn = false;
  for (int i = 0; i < 3; ++i) {
    const Part part = order[i];
    const bool on = part == kYear ? form.stampYear != 0 : part == kMonth ? form.stampMonth != 0 : form.stampDay != 0;
    if (!on) continue;
    if (earlierOn && separator != '\0') text.add(separator);
    text.add(part == kYear ? (form.stampYearDigits == kYear2Digits ? "YY" : "YYYY") : part == kMonth ? "MM" : "DD");
    earlierOn = true;
  }
}

void stampTimePattern(const FormRecord& form, char* out, std::size_t size) {
  if (size == 0) return;
  out[0] = '\0';
  Appender text{out, size};
  const char separator = form.stampTimeSepOn != 0 ? form.stampTimeSep[0] : '\0';
  const bool parts[3] = {form.stampHour != 0, form.stampMinute != 0, form.stampSecond != 0};
  static const char* const kNames[3] = {"HH", "MM", "SS"};
  bool earlierOn = false;
  for (int i = 0; i < 3; ++i) {
    if (!parts[i]) continue;
    if (earlierOn && separator != '\0') text.add(separator);
    text.add(kNames[i]);
    earlierOn = true;
  }
}

int shownBranchAction(int stored) { return stored >= 0 && stored < kBranchActions ? stored : kBranchDisabled; }

bool branchHasSettings(int action) { return action == kBranchRemains || action == kBranchSummation; }

RemainsChoice remainsChoiceOf(const FormRecord& form, int key) {
  RemainsChoice c{};
  c.enabled = form.remainsEnabled(key) ? 1 : 0;
  c.field = static_cast<std::uint8_t>(clampChoice(form.remainsField(key), kSumFields));
  c.suffix = form.filterIsSuffix(key) ? 1 : 0;
  c.variable = static_cast<std::uint8_t>(clampChoice(form.filterVariable(key), kFilterVariables));
  return c;
}

void storeRemainsChoice(FormRecord& form, int key, const RemainsChoice& choice) {
  form.fnRemainsField[key] = static_cast<std::uint8_t>((choice.enabled != 0 ? 16 : 0) + (choice.field & 0x0F));
  form.fnRemainsFilter[key] = static_cast<std::uint8_t>((choice.suffix != 0 ? 1 : 0) + 16 * (choice.variable & 0x0F));
}

SummationChoice summationChoiceOf(const FormRecord& form, int key) {
  SummationChoice c{};
  c.source = static_cast<std::uint8_t>(clampChoice(form.fnSumSource[key], kSumSources));
  c.field = static_cast<std::uint8_t>(clampChoice(form.sumField(key), kSumFields));
  const int multiplier = form.sumMultiplier(key);
  c.multiply = multiplier >= 0 ? 1 : 0;
  c.multiplier = static_cast<std::uint8_t>(clampChoice(multiplier, kSumFields));
  return c;
}

void storeSummationChoice(FormRecord& form, int key, const SummationChoice& choice) {
  int byte = choice.field & 0x0F;
  if (choice.multiply != 0) byte += 16 * ((choice.multiplier & 0x07) + 1);
  form.fnSumField[key] = static_cast<std::uint8_t>(byte);
  form.fnSumSource[key] = choice.source;
}

void settleStampSeparators(FormRecord& form) {
  form.stampDateSep[1] = 0;
  form.stampTimeSep[1] = 0;
}

}  // namespace torvik
