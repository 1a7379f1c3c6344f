#include "editor/barcode_rules.h"

#include <cstdio>
#include <cstring>

namespace torvik {

void settleLength(BarcodeLength& length) {
  if (length.maxLength() == 0) length.setMaxLength(1);
  if (length.minLength > length.maxLength()) length.minLength = static_cast<std::uint8_t>(length.maxLength());
  if (length.minLength == 0) length.minLength = 1;
}

int codabarChoice(const BarcodeSettings& s) {
  return s.on(barcode::codabarStartStop) ? s.get(barcode::codabarStyle) + 1 : 0;
}

void setCodabarChoice(BarcodeSettings& s, int choice) {
  s.set(barcode::codabarStartStop, choice > 0 ? 1 : 0);
  s.set(barcode::codabarStyle, choice > 0 ? choice - 1 : 0);
}

int telepenChoice(const BarcodeSettings& s) { return s.on(barcode::telepenNumeric) ? 0 : 1; }

void setTelepenChoice(BarcodeSettings& s, int choice) { s.set(barcode::telepenNumeric, choice == 0 ? 1 : 0); }

int ean128CodeIdChoice(const BarcodeSettings& s) { return s.on(barcode::ean128NoCodeId) ? 0 : 1; }

void setEan128CodeIdChoice(BarcodeSettings& s, int choice) { s.set(barcode::ean128NoCodeId, choice != 0 ? 0 : 1); }

ReplacementCode correctReplacementCode(const char* text) {
  if (text[0] == '\0') return {0, false};
  long value = 0;
  std::size_t digits = 0;
  for (; text[digits] >= '0' && text[digits] <= '9'; ++digits)
    if (value <= 255) value = value * 10 + (text[digits] - '0');
  if (digits == 0 || text[digits] != '\0' || value < 1 || value > 255) return {255, true};
  return {static_cast<int>(value), false};
}

namespace {

// The five code-ID sets, in the stored symbology order (Code 39 .. Plessey).
const char* const kCodeIdSetTexts[kCodeIdSets][kCodeIds] = {
    {"A", "A", "A", "C", "D", "E", "F", "I", "H", "S", "P", "M", "J", "V", "W"},
    {"C", "C", "C", "H", "I", "G", "N", "L", "K", "E", "B", "A", "A", "V", "W"},
    {"Y", "Y", "Y", "H", "Z", "G", "X", "L", "K", "C", "B", "A", "A", "D", "E"},
    {"M", "M", "M", "H", "I", "G", "N", "L", "K", "E", "FF", "F", "A", "P", "Q"},
    {"A", "A", "A", "S", "S", "S", "F", "G", "C", "E", "E", "E", "E", "M", "P"},
};

}  // namespace

void fillCodeIdSet(std::uint8_t (&codes)[kCodeIds][2], int set) {
  if (set < 1 || set > kCodeIdSets) return;
  for (int i = 0; i < kCodeIds; ++i) {
    codes[i][0] = codes[i][1] = 0;
    copyCode(codes[i], kCodeIdSetTexts[set - 1][i]);
  }
}

void clearCodeIds(std::uint8_t (&codes)[kCodeIds][2]) { std::memset(codes, 0, sizeof codes); }

namespace {

std::uint8_t itemOf(unsigned value, int first, int count) {
  return value >= static_cast<unsigned>(first) && value < static_cast<unsigned>(first + count)
             ? static_cast<std::uint8_t>(value - first)
             : kNoItem;
}

}  // namespace

WeightChoices weightChoices(const WeightCode& w) {
  WeightChoices c{};
  c.enabled = w.enabled() ? 1 : 0;
  c.oneCFormat = w.oneCFormat() ? 1 : 0;
  c.maskItem = itemOf(w.maskCode(), kMaskCodeFirst, kMaskCodeItems);
  c.keyItem = itemOf(w.keyField(), 1, kFieldItems);
  c.qtyItem = itemOf(w.qtyField(), 1, kFieldItems);
  // The stored prefix has no NUL; a NUL inside it ends the text.
  c.prefix[0] = w.prefix[0];
  c.prefix[1] = w.prefix[0] != '\0' ? w.prefix[1] : '\0';
  c.prefix[2] = '\0';
  return c;
}

void storeWeightChoices(const WeightChoices& c, WeightCode& w) {
  w.setEnabled(c.enabled != 0);
  w.setOneCFormat(c.oneCFormat != 0);
  if (c.maskItem < kMaskCodeItems) w.setMaskCode(c.maskItem + kMaskCodeFirst);
  if (c.keyItem < kFieldItems) w.setKeyField(c.keyItem + 1u);
  if (c.qtyItem < kFieldItems) w.setQtyField(c.qtyItem + 1u);
  char prefix[3] = {c.prefix[0], c.prefix[0] != '\0' ? c.prefix[1] : '\0', '\0'};
  settleWeightPrefix(prefix);
  w.prefix[0] = prefix[0];
  w.prefix[1] = prefix[1];
}

bool settleWeightPrefix(char (&prefix)[3]) {
  prefix[2] = '\0';
  if (prefix[0] == '\0') {
    prefix[0] = prefix[1] = ' ';
    return true;
  }
  if (prefix[1] == '\0') {
    prefix[1] = prefix[0];
    prefix[0] = ' ';
    return true;
  }
  return false;
}

}  // namespace torvik
