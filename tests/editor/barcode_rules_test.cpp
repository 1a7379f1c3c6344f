// The Barcode page and its dialogs without windows: each table's controls against the bytes and
// bits they set, the corrections of the edits, the computed choices, the code-ID sets, the
// weighed-article code and the page's apply step.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "editor/barcode_forms.h"
#include "editor/barcode_rules.h"
#include "resources/resource_ids.h"

namespace torvik {
namespace {

using Bytes = std::vector<int>;

Bytes bytesOf(const void* record, std::size_t size) {
  const auto* p = static_cast<const std::uint8_t*>(record);
  return Bytes(p, p + size);
}

// A zeroed record with one byte set.
Bytes only(std::size_t size, int byte, int value) {
  Bytes b(size, 0);
  b[static_cast<std::size_t>(byte)] = value;
  return b;
}

const ControlBinding* rowOf(const ControlTable& table, int id, ControlKind kind) {
  for (int i = 0; i < table.count; ++i)
    if (table.bindings[i].id == id && table.bindings[i].kind == kind) return &table.bindings[i];
  return nullptr;
}

struct BitRow {
  int button;  // the page's button of the dialog; 0 the page itself
  int control;
  int byte;
  int bit;
};

const BitRow kCheckBits[] = {
    // the page's symbology switches
    {0, 101, 0, 7}, {0, 102, 0, 6}, {0, 103, 0, 5}, {0, 104, 0, 4}, {0, 105, 0, 3}, {0, 106, 0, 2},
    {0, 107, 0, 1}, {0, 108, 2, 5}, {0, 109, 2, 4}, {0, 110, 1, 6}, {0, 111, 1, 5}, {0, 112, 1, 4},
    {0, 113, 1, 3}, {0, 114, 1, 2}, {0, 115, 1, 1}, {0, 116, 1, 0}, {0, 117, 2, 7}, {0, 118, 2, 6},
    {0, 119, 2, 2}, {0, 120, 3, 6}, {0, 121, 2, 0}, {0, 122, 3, 7}, {0, 123, 0, 0}, {0, 124, 22, 7},
    {0, 125, 22, 6}, {0, 126, 11, 4},
    // Code 39
    {201, 101, 5, 7}, {201, 102, 5, 6}, {201, 103, 5, 5}, {201, 104, 5, 4},
    // pharmacodes
    {202, 101, 5, 3}, {203, 101, 5, 2},
    // 2 of 5 checksums
    {204, 101, 6, 7}, {204, 102, 6, 6}, {205, 101, 5, 1}, {205, 102, 5, 0}, {206, 101, 6, 5}, {206, 102, 6, 4},
    // Plessey, UPCE, EAN8, EAN13
    {209, 101, 9, 2}, {209, 102, 9, 3}, {210, 101, 9, 1}, {210, 102, 10, 1}, {210, 103, 10, 5},
    {211, 101, 11, 7}, {211, 102, 10, 3}, {212, 101, 10, 7}, {212, 102, 10, 6}, {212, 103, 10, 2},
    {212, 104, 10, 0}, {212, 105, 10, 4}, {212, 106, 9, 0},
    // RSS14
    {214, 101, 3, 5}, {214, 102, 3, 4}, {214, 103, 3, 3}, {215, 101, 3, 2}, {215, 102, 3, 1}, {215, 103, 3, 0},
    {216, 101, 4, 7},
};

const ControlTable& tableFor(int button) {
  return button == 0 ? barcodePageTable() : symbologyForm(button)->table;
}

TEST(BarcodeTables, EachCheckBoxSetsItsByteAndBit) {
  for (const BitRow& row : kCheckBits) {
    SCOPED_TRACE("dialog " + std::to_string(row.button) + " control " + std::to_string(row.control));
    const ControlBinding* b = rowOf(tableFor(row.button), row.control, ControlKind::Check);
    ASSERT_NE(b, nullptr);
    BarcodeSettings s{};
    writeField(&s, b->field, 0, 1);
    EXPECT_EQ(bytesOf(&s, sizeof s), only(sizeof s, row.byte, 1 << row.bit));
    writeField(&s, b->field, 0, 0);
    EXPECT_EQ(bytesOf(&s, sizeof s), Bytes(sizeof s, 0));
  }
}

TEST(BarcodeTables, EveryBarcodeCheckBoxIsListedAndNoTwoShareABit) {
  std::set<std::pair<int, int>> listed;
  for (const BitRow& row : kCheckBits) listed.insert({row.button, row.control});
  std::set<std::pair<int, int>> bits;
  int count = 0;
  const SymbologyForm* forms = symbologyForms(&count);
  std::vector<std::pair<int, const ControlTable*>> tables{{0, &barcodePageTable()}};
  for (int i = 0; i < count; ++i)
    if (forms[i].record == BoundTo::Barcode) tables.push_back({forms[i].buttonId, &forms[i].table});
  for (const auto& t : tables) {
    for (int i = 0; i < t.second->count; ++i) {
      const ControlBinding& b = t.second->bindings[i];
      if (b.kind != ControlKind::Check) continue;
      EXPECT_TRUE(listed.count({t.first, b.id})) << t.first << " " << b.id;
      EXPECT_TRUE(bits.insert({b.field.offset, b.field.shift}).second) << t.first << " " << b.id;
    }
  }
}

struct GroupRow {
  int button;
  int control;
  ControlKind kind;
  int value;
  int byte;
  int expected;
};

TEST(BarcodeTables, RadioGroupsCombosAndEditsFillTheirBits) {
  using K = ControlKind;
  const GroupRow rows[] = {
      {0, 401, K::Combo, 8, 20, 0x80},   {0, 401, K::Combo, 1, 20, 0x10},  {0, 402, K::Combo, 3, 11, 0x0C},
      {0, 301, K::Number, 255, 21, 255},
      {204, 151, K::Radio, 2, 6, 0x02},  {205, 151, K::Radio, 2, 6, 0x08}, {206, 151, K::Radio, 2, 7, 0x80},
      {204, 154, K::Radio, 1, 12, 0x80}, {205, 154, K::Radio, 1, 14, 0x80}, {206, 154, K::Radio, 1, 16, 0x80},
      {208, 157, K::Radio, 1, 18, 0x80}, {208, 151, K::Radio, 2, 9, 0x80}, {208, 154, K::Radio, 2, 9, 0x20},
      {204, 301, K::Number, 127, 12, 0x7F}, {204, 302, K::Number, 200, 13, 200},
      {205, 301, K::Number, 127, 14, 0x7F}, {205, 302, K::Number, 9, 15, 9},
      {206, 301, K::Number, 127, 16, 0x7F}, {206, 302, K::Number, 9, 17, 9},
      {208, 301, K::Number, 127, 18, 0x7F}, {208, 302, K::Number, 9, 19, 9},
  };
  for (const GroupRow& row : rows) {
    SCOPED_TRACE("dialog " + std::to_string(row.button) + " control " + std::to_string(row.control));
    const ControlBinding* b = rowOf(tableFor(row.button), row.control, row.kind);
    ASSERT_NE(b, nullptr);
    BarcodeSettings s{};
    writeField(&s, b->field, 0, row.value);
    EXPECT_EQ(bytesOf(&s, sizeof s), only(sizeof s, row.byte, row.expected));
    EXPECT_EQ(readField(&s, b->field, 0), row.value);
  }
}

TEST(BarcodeTables, TheMaximumLengthLeavesTheModeBit) {
  const ControlBinding* max = rowOf(tableFor(IDC_BARCODE_MORE_FIRST + 3), IDC_SYM_MAX_LENGTH, ControlKind::Number);
  ASSERT_NE(max, nullptr);
  BarcodeSettings s{};
  s.industrial25Length.modeAndMax = 0x80;
  writeField(&s, max->field, 0, 127);
  EXPECT_EQ(s.industrial25Length.modeAndMax, 0xFF);
  writeField(&s, max->field, 0, 0);
  EXPECT_EQ(s.industrial25Length.modeAndMax, 0x80);
}

TEST(BarcodeTables, EveryButtonOpensItsOwnTemplate) {
  int count = 0;
  const SymbologyForm* forms = symbologyForms(&count);
  ASSERT_EQ(count, 19);
  std::set<std::string> names;
  for (int i = 0; i < count; ++i) {
    EXPECT_EQ(forms[i].buttonId, IDC_BARCODE_MORE_FIRST + i);
    EXPECT_EQ(symbologyForm(IDC_BARCODE_MORE_FIRST + i), &forms[i]);
    EXPECT_TRUE(names.insert(forms[i].templateName).second) << forms[i].templateName;
    EXPECT_EQ(forms[i].table.languageCaption, 361 + i);
  }
  EXPECT_EQ(symbologyForm(200), nullptr);
  EXPECT_EQ(symbologyForm(220), nullptr);
}

TEST(BarcodeTables, LanguageEntriesAreOwnedOnce) {
  // A text shared between dialogs shares its entry; within one table no entry relabels two
  // different texts, and none leaves the page's range.
  int count = 0;
  const SymbologyForm* forms = symbologyForms(&count);
  std::vector<const ControlTable*> tables{&barcodePageTable()};
  for (int i = 0; i < count; ++i) tables.push_back(&forms[i].table);
  for (const ControlTable* t : tables) {
    std::set<int> entries;
    for (int i = 0; i < t->count; ++i) {
      const int e = t->bindings[i].languageEntry;
      if (e == 0) continue;
      EXPECT_GE(e, 302);
      EXPECT_LE(e, 600);
      EXPECT_TRUE(entries.insert(e).second) << e;
    }
  }
}

// The language entries that would relabel a control: every row of the table that covers it.
std::vector<int> entriesRelabelling(const ControlTable& table, int control) {
  std::vector<int> entries;
  for (int i = 0; i < table.count; ++i) {
    const ControlBinding& b = table.bindings[i];
    const int rows = b.rows > 0 ? b.rows : 1;
    if (b.languageEntry != 0 && control >= b.id && control < b.id + rows) entries.push_back(b.languageEntry);
  }
  return entries;
}

TEST(BarcodeTables, EachCodeIdLabelRelabelsItsOwnControl) {
  // The fifteen symbology names in their stored order, then the set buttons and Clear.
  std::vector<std::pair<int, int>> rows{{IDC_CODEID_ENABLE, 411}};
  for (int i = 0; i < kCodeIds; ++i) rows.push_back({IDC_CODEID_NAME_FIRST + i, 412 + i});
  for (int k = 0; k < kCodeIdSets; ++k) rows.push_back({IDC_CODEID_SET_FIRST + k, 427 + k});
  rows.push_back({IDC_CODEID_CLEAR, 432});
  const ControlTable& table = symbologyForm(IDC_BARCODE_CODE_ID)->table;
  for (const auto& row : rows) {
    SCOPED_TRACE("control " + std::to_string(row.first));
    EXPECT_EQ(entriesRelabelling(table, row.first), std::vector<int>{row.second});
  }
  // The edits show codes, not texts: nothing relabels them.
  for (int i = 0; i < kCodeIds; ++i) EXPECT_TRUE(entriesRelabelling(table, IDC_CODEID_EDIT_FIRST + i).empty()) << i;
}

TEST(BarcodeTables, TheStoreLoopPassesOverLabelsAndRowsWithoutBytes) {
  // A label that names a field by mistake, and an edit bound to no bytes, store nothing.
  const ControlBinding rows[] = {
      bindCheck(101, bitField(0, 7), 0),
      bindControl(102, ControlKind::Label, bitField(1, 0, 8), 0, 500),
      bindNumber(103, FieldRef{}, 255),
      bindCombo(104, bitField(2, 4, 3), 8, 0),
      bindNumber(105, bitField(3, 0, 8), 255),
  };
  const ControlTable table = controlTable(rows);
  std::uint8_t from[5] = {0xFF, 0xFF, 0xFF, 0x5A, 0xFF};
  std::uint8_t to[5] = {0x01, 0x22, 0x03, 0x04, 0x05};
  copyTableValues(table, from, to);
  EXPECT_EQ(bytesOf(to, sizeof to), (Bytes{0x81, 0x22, 0x73, 0x5A, 0x05}));
}

TEST(BarcodeRules, CodabarChoices) {
  const struct { int choice; int byte7; } rows[] = {{0, 0x00}, {1, 0x08}, {2, 0x18}, {3, 0x28}, {4, 0x38}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.choice);
    BarcodeSettings s{};
    s.options[7] = 0xC7;  // the Matrix 25 start/stop and the unused bits stay
    setCodabarChoice(s, row.choice);
    EXPECT_EQ(s.options[7], 0xC7 | row.byte7);
    EXPECT_EQ(codabarChoice(s), row.choice);
  }
  BarcodeSettings s{};
  setCodabarChoice(s, 4);  // "ABCD / TN*E"
  setCodabarChoice(s, 0);  // then "None"
  EXPECT_EQ(getBits(s.options[7], 3, 3), 0);
}

TEST(BarcodeRules, TelepenAndTheInvertedEan128CodeId) {
  BarcodeSettings s{};
  s.options[2] = 0x04;
  setTelepenChoice(s, 0);
  EXPECT_EQ(s.options[2], 0x06) << "numeric sets bit 1";
  EXPECT_EQ(telepenChoice(s), 0);
  setTelepenChoice(s, 1);
  EXPECT_EQ(s.options[2], 0x04) << "AIM clears it";
  EXPECT_EQ(telepenChoice(s), 1);

  s.code128Options = 0xC0;
  setEan128CodeIdChoice(s, 0);
  EXPECT_EQ(s.code128Options, 0xE0) << "not transmitted sets bit 5";
  EXPECT_EQ(ean128CodeIdChoice(s), 0);
  setEan128CodeIdChoice(s, 1);
  EXPECT_EQ(s.code128Options, 0xC0);
  EXPECT_EQ(ean128CodeIdChoice(s), 1);
}

TEST(BarcodeRules, NumberEditsCorrectAsTheUserTypes) {
  const struct { const char* name; NumberRule rule; const char* typed; int value; const char* shown; } rows[] = {
      {"max", kMaxLengthRule, "200", 127, "127"},  {"max", kMaxLengthRule, "128", 127, "127"},
      {"max", kMaxLengthRule, "127", 127, "127"},  {"max", kMaxLengthRule, "abc", 127, "127"},
      {"max", kMaxLengthRule, "", 127, ""},        {"max", kMaxLengthRule, "0", 0, "0"},
      {"max", kMaxLengthRule, "040", 40, "40"},    {"max", kMaxLengthRule, "99999999999", 127, "127"},
      {"min", kMinLengthRule, "x", 1, "1"},        {"min", kMinLengthRule, "", 1, ""},
      {"min", kMinLengthRule, "90", 90, "90"},     {"min", kMinLengthRule, "300", 255, "255"},
      {"timeout", kTimeoutRule, "300", 255, "255"}, {"timeout", kTimeoutRule, "255", 255, "255"},
      {"timeout", kTimeoutRule, "012", 12, "12"},  {"timeout", kTimeoutRule, "0", 1, "1"},
      {"timeout", kTimeoutRule, "-5", 1, "1"},     {"timeout", kTimeoutRule, "", 1, "1"},
      {"timeout", kTimeoutRule, "7s", 1, "1"},     {"max", kMaxLengthRule, "12a", 127, "127"},
      {"min", kMinLengthRule, "1.5", 1, "1"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.name) + " '" + row.typed + "'");
    char text[32];
    std::strcpy(text, row.typed);
    const NumberCorrection c = correctNumberText(text, sizeof text, row.rule);
    EXPECT_EQ(c.value, row.value);
    EXPECT_STREQ(text, row.shown);
    EXPECT_EQ(c.changed, std::string(row.typed) != row.shown);
  }
}

TEST(BarcodeRules, LengthsSettleOnOk) {
  const struct { int modeAndMax; int min; int settledMax; int settledMin; } rows[] = {
      {40, 90, 40, 40},    {0x80 | 40, 90, 0x80 | 40, 40}, {0, 0, 1, 1},     {0, 5, 1, 1},
      {127, 0, 127, 1},    {127, 127, 127, 127},           {20, 19, 20, 19}, {0x80, 255, 0x81, 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.modeAndMax) + "/" + std::to_string(row.min));
    BarcodeLength l{static_cast<std::uint8_t>(row.modeAndMax), static_cast<std::uint8_t>(row.min)};
    settleLength(l);
    EXPECT_EQ(l.modeAndMax, row.settledMax);
    EXPECT_EQ(l.minLength, row.settledMin);
  }
}

TEST(BarcodeRules, ReplacementCodes) {
  const struct { const char* typed; int value; bool replace; } rows[] = {
      {"", 0, false}, {"1", 1, false}, {"65", 65, false}, {"255", 255, false}, {"256", 255, true},
      {"300", 255, true}, {"0", 255, true}, {"abc", 255, true}, {"6a", 255, true}, {"99999999", 255, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.typed);
    const ReplacementCode c = correctReplacementCode(row.typed);
    EXPECT_EQ(c.value, row.value);
    EXPECT_EQ(c.replace, row.replace);
  }
}

std::vector<std::string> codeTexts(const std::uint8_t (&codes)[kCodeIds][2]) {
  std::vector<std::string> out;
  for (const auto& c : codes) out.push_back(std::string(reinterpret_cast<const char*>(c), codeLength(c)));
  return out;
}

TEST(BarcodeRules, TheFiveCodeIdSets) {
  using V = std::vector<std::string>;
  const V sets[] = {
      {"A", "A", "A", "C", "D", "E", "F", "I", "H", "S", "P", "M", "J", "V", "W"},
      {"C", "C", "C", "H", "I", "G", "N", "L", "K", "E", "B", "A", "A", "V", "W"},
      {"Y", "Y", "Y", "H", "Z", "G", "X", "L", "K", "C", "B", "A", "A", "D", "E"},
      {"M", "M", "M", "H", "I", "G", "N", "L", "K", "E", "FF", "F", "A", "P", "Q"},
      {"A", "A", "A", "S", "S", "S", "F", "G", "C", "E", "E", "E", "E", "M", "P"},
  };
  std::uint8_t codes[kCodeIds][2];
  std::memset(codes, 0x7F, sizeof codes);
  for (int set = 1; set <= kCodeIdSets; ++set) {
    SCOPED_TRACE(set);
    fillCodeIdSet(codes, set);
    EXPECT_EQ(codeTexts(codes), sets[set - 1]);
    // A one-character ID ends in 0, whatever the set before left there.
    for (const auto& c : codes) {
      if (c[0] == 'F' && c[1] == 'F') continue;
      EXPECT_EQ(c[1], 0);
    }
  }
  fillCodeIdSet(codes, 6);  // no such set: unchanged
  EXPECT_EQ(codeTexts(codes), sets[4]);
  clearCodeIds(codes);
  EXPECT_EQ(bytesOf(codes, sizeof codes), Bytes(sizeof codes, 0));
}

TEST(BarcodeRules, WeightPrefixAsItLeavesItsEdit) {
  const struct { const char* typed; const char* settled; } rows[] = {
      {"", "  "}, {"2", " 2"}, {"23", "23"}, {" 2", " 2"}, {"  ", "  "}, {"x", " x"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.typed);
    char prefix[3] = {};
    std::strncpy(prefix, row.typed, 2);
    EXPECT_EQ(settleWeightPrefix(prefix), std::string(row.typed) != row.settled);
    EXPECT_STREQ(prefix, row.settled);
  }
}

TEST(BarcodeRules, WeightCodeChoicesRoundTrip) {
  WeightCode w{};
  w.setMarker(kWeightCodeMarker);
  w.setEnabled(true);
  w.setMaskCode(7);
  w.setKeyField(1);
  w.setQtyField(8);
  w.prefix[0] = '2';
  w.prefix[1] = '3';
  WeightChoices c = weightChoices(w);
  EXPECT_EQ(c.enabled, 1);
  EXPECT_EQ(c.oneCFormat, 0);
  EXPECT_EQ(c.maskItem, 2);
  EXPECT_EQ(c.keyItem, 0);
  EXPECT_EQ(c.qtyItem, 7);
  EXPECT_STREQ(c.prefix, "23");

  c.enabled = 0;
  c.oneCFormat = 1;
  c.maskItem = 4;
  c.keyItem = 3;
  c.qtyItem = kNoItem;  // nothing chosen: the stored value stays
  std::strcpy(c.prefix, "5");
  WeightCode stored = w;
  storeWeightChoices(c, stored);
  EXPECT_EQ(stored.marker(), kWeightCodeMarker);
  EXPECT_EQ(readWord(stored.flagsWord), 2);
  EXPECT_EQ(stored.maskCode(), 9);
  EXPECT_EQ(stored.keyField(), 4);
  EXPECT_EQ(stored.qtyField(), 8);
  EXPECT_EQ(std::string(stored.prefix, 2), " 5");

  // Values outside the lists select nothing; a NUL first in the prefix ends it.
  WeightCode odd{};
  odd.setMaskCode(4);
  odd.setKeyField(9);
  odd.setQtyField(0x105);
  odd.prefix[1] = '7';
  const WeightChoices none = weightChoices(odd);
  EXPECT_EQ(none.maskItem, kNoItem);
  EXPECT_EQ(none.keyItem, kNoItem);
  EXPECT_EQ(none.qtyItem, kNoItem);
  EXPECT_STREQ(none.prefix, "");
}

TEST(BarcodeRules, WeightPrefixWithAnEmptyFirstCharacterIsEmpty) {
  // The stored prefix has no terminator: a NUL first makes the whole prefix empty, so that
  // the character behind it is neither shown nor stored again.
  const struct { char stored[2]; char shown[3]; char storedAgain[2]; } rows[] = {
      {{'\0', '7'}, {'\0', '\0', '\0'}, {' ', ' '}},
      {{'\0', '\0'}, {'\0', '\0', '\0'}, {' ', ' '}},
      {{'5', '\0'}, {'5', '\0', '\0'}, {' ', '5'}},
      {{'2', '3'}, {'2', '3', '\0'}, {'2', '3'}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.stored, 2));
    WeightCode w{};
    std::memcpy(w.prefix, row.stored, 2);
    WeightChoices c = weightChoices(w);
    EXPECT_EQ(bytesOf(c.prefix, 3), bytesOf(row.shown, 3));
    WeightCode again{};
    storeWeightChoices(c, again);
    EXPECT_EQ(bytesOf(again.prefix, 2), bytesOf(row.storedAgain, 2));
  }
  // A choice whose first character is empty stores the empty prefix, whatever follows it.
  WeightChoices c{};
  c.prefix[1] = '9';
  WeightCode w{};
  storeWeightChoices(c, w);
  EXPECT_EQ(std::string(w.prefix, 2), "  ");
}

TEST(BarcodePage, ApplyStoresThePageBitsAndTheCode128Rule) {
  const struct { const char* name; bool code128; bool ean128; int byte22Before; int byte1; int byte22; } rows[] = {
      {"only EAN128", false, true, 0x00, 0x80, 0x40},
      {"only Code 128", true, false, 0x00, 0x80, 0x90},
      {"both", true, true, 0x00, 0x80, 0xD0},
      // The copy in bit 4 follows Code 128 off as well; bit 5 (the EAN128 dialog's) stays.
      {"neither, from both on", false, false, 0xF0, 0x00, 0x20},
      {"neither, from nothing", false, false, 0x0F, 0x00, 0x0F},
      {"only EAN128, from Code 128 on", false, true, 0x90, 0x80, 0x40},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    BarcodeSettings page{};
    page.set(barcode::code128, row.code128);
    page.set(barcode::ean128, row.ean128);
    BarcodeSettings design{};
    design.code128Options = static_cast<std::uint8_t>(row.byte22Before);
    design.options[1] = 0x80;
    applyBarcodePage(page, design);
    EXPECT_EQ(design.options[1], row.byte1);
    EXPECT_EQ(design.code128Options, row.byte22);
  }
}

TEST(BarcodePage, ApplyLeavesTheDialogsBits) {
  BarcodeSettings page{};
  std::memset(&page, 0, sizeof page);
  page.set(barcode::code39, 1);
  page.set(barcode::scanMode, barcode::kScanAiming);
  page.set(barcode::readRedundancy, 2);
  page.timeout = 9;
  BarcodeSettings design{};
  std::memset(&design, 0xFF, sizeof design);
  applyBarcodePage(page, design);
  BarcodeSettings expected{};
  std::memset(&expected, 0xFF, sizeof expected);
  // Every page switch off but Code 39; the reader options from the page; the dialogs' bits stay.
  expected.options[0] = 0x80;
  expected.options[1] = 0x00;
  expected.options[2] = 0x0A;  // bits 3 and 1 are no page switches (1 is Telepen's variant)
  expected.options[3] = 0x3F;
  expected.options[11] = 0xEB;  // negative barcode off, redundancy 2
  expected.scanModeByte = 0x8F;
  expected.timeout = 9;
  expected.code128Options = 0x2F;
  EXPECT_EQ(bytesOf(&design, sizeof design), bytesOf(&expected, sizeof expected));
}

}  // namespace
}  // namespace torvik
