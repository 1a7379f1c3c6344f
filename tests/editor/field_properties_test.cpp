// The field properties dialogs' control tables against the form record, and their rules.
#include "editor/field_properties.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "definition/form_record.h"
#include "definition/form_rules.h"
#include "resources/resource_ids.h"

namespace torvik {
namespace {


struct Expected {
  bool lookup;  // which dialog
  int id;
  void (*set)(FormRecord&, int j, int v);  // what the control's value must change, by name
};

#define SETS(expr) [](FormRecord& f, int j, int v) { expr; }
#define U8(v) static_cast<std::uint8_t>(v)

// Every control that edits a byte-sized field, named by the record's own members.
const Expected kValueRows[] = {
    {false, IDC_ADV_FIXED_LENGTH, SETS(f.fixedLengthOn[j] = U8(v))},
    {false, IDC_ADV_FIXED_LENGTH_VALUE, SETS(f.fixedLength[j] = U8(v))},
    {false, IDC_ADV_ALIGNMENT, SETS(f.alignment[j] = U8(v))},
    {false, IDC_ADV_INITIAL, SETS(f.initialOn[j] = U8(v))},
    {false, IDC_ADV_PREFIX, SETS(f.prefixOn[j] = U8(v))},
    {false, IDC_ADV_SUFFIX, SETS(f.suffixOn[j] = U8(v))},
    {false, IDC_ADV_DECIMALS, SETS(f.decimals[j] = U8(v))},
    {false, IDC_ADV_PARTIAL, SETS(f.partialOn[j] = U8(v))},
    {false, IDC_ADV_PARTIAL_START, SETS(f.line(j).setPartialStartPosition(v))},
    {false, IDC_ADV_PARTIAL_MAX, SETS(f.partialMax[j] = U8(v))},
    {false, IDC_ADV_SAVE_FULL_BARCODE, SETS(f.line(j).setSaveFullBarcode(v != 0))},
    {false, IDC_ADV_LEADING, SETS(f.leadingOn[j] = U8(v))},
    {false, IDC_ADV_CHECK_DIGIT, SETS(f.checkDigit[j] = U8(v))},
    {false, IDC_ADV_AUTO_ENTER, SETS(f.autoEnter[j] = U8(v))},
    {true, IDC_LADV_SAVE_FIELD, SETS(f.initialOn[j] = U8(v))},
    {true, IDC_LADV_FIXED_LENGTH, SETS(f.fixedLengthOn[j] = U8(v))},
    {true, IDC_LADV_FIXED_LENGTH_VALUE, SETS(f.fixedLength[j] = U8(v))},
    {true, IDC_LADV_ALIGNMENT, SETS(f.alignment[j] = U8(v))},
    {true, IDC_LADV_PREFIX, SETS(f.prefixOn[j] = U8(v))},
    {true, IDC_LADV_SUFFIX, SETS(f.suffixOn[j] = U8(v))},
};

const ControlTable& tableOf(bool lookup) { return lookup ? lookupFieldPropertiesTable() : fieldPropertiesTable(); }
std::string nameOf(bool lookup, int id) { return std::string(lookup ? "LOOKUPADVANCEDLG " : "ADVANCEDLG ") + std::to_string(id); }

bool editsAValue(const ControlBinding& b) {
  return b.field.size != 0 && (b.kind == ControlKind::Check || b.kind == ControlKind::Combo ||
                               b.kind == ControlKind::Number);
}

TEST(FieldPropertiesTables, EachValueControlWritesItsNamedFieldAndNothingElse) {
  for (const Expected& row : kValueRows) {
    const ControlBinding* b = tableOf(row.lookup).find(row.id, nullptr);
    ASSERT_NE(b, nullptr) << nameOf(row.lookup, row.id);
    ASSERT_TRUE(editsAValue(*b)) << nameOf(row.lookup, row.id);
    // The largest value the control can give: a whole check byte or bit group of 1, the last
    // combo item, the largest number.
    const int value = b->kind == ControlKind::Check ? 1 : b->kind == ControlKind::Combo ? b->max - 1 : b->max;
    for (int j : {0, 3, kFormLines - 1}) {
      SCOPED_TRACE(nameOf(row.lookup, row.id) + " line " + std::to_string(j));
      FormRecord written{}, expected{};
      writeField(&written, b->field, j, value);
      row.set(expected, j, value);
      EXPECT_EQ(std::memcmp(&written, &expected, sizeof written), 0);
      EXPECT_EQ(readField(&expected, b->field, j), value);
    }
  }
  // No table row edits a value that the list above does not name.
  for (bool lookup : {false, true}) {
    const ControlTable& table = tableOf(lookup);
    for (int i = 0; i < table.count; ++i) {
      if (!editsAValue(table.bindings[i])) continue;
      bool named = false;
      for (const Expected& row : kValueRows) named |= row.lookup == lookup && row.id == table.bindings[i].id;
      EXPECT_TRUE(named) << nameOf(lookup, table.bindings[i].id);
    }
  }
}

TEST(FieldPropertiesTables, TextAndCodeControlsSpanTheirWholeField) {
  FormRecord f{};
  const struct { bool lookup; int id; const void* first; std::size_t size; } rows[] = {
      {false, IDC_ADV_INITIAL_TEXT, f.initialText[0], sizeof f.initialText[0]},
      {false, IDC_ADV_PREFIX_CODE, f.prefix[0], sizeof f.prefix[0]},
      {false, IDC_ADV_SUFFIX_CODE, f.suffix[0], sizeof f.suffix[0]},
      {false, IDC_ADV_INPUT_MARK_CHAR, &f.inputMark[0], sizeof f.inputMark[0]},
      {false, IDC_ADV_LEADING_CODE, f.leadingCode[0], sizeof f.leadingCode[0]},
      {true, IDC_LADV_PREFIX_CODE, f.prefix[0], sizeof f.prefix[0]},
      {true, IDC_LADV_SUFFIX_CODE, f.suffix[0], sizeof f.suffix[0]},
  };
  for (const auto& row : rows) {
    const ControlBinding* b = tableOf(row.lookup).find(row.id, nullptr);
    ASSERT_NE(b, nullptr) << nameOf(row.lookup, row.id);
    SCOPED_TRACE(nameOf(row.lookup, row.id));
    EXPECT_EQ(b->field.size, row.size);
    EXPECT_EQ(fieldBytes(&f, b->field, 0), row.first);
    EXPECT_EQ(fieldBytes(&f, b->field, kFormLines - 1), static_cast<const std::uint8_t*>(row.first) + 7 * row.size);
  }
}

TEST(FieldPropertiesTables, TypedTextsAreStoredWhole) {
  const ControlBinding* leading = fieldPropertiesTable().find(IDC_ADV_LEADING_CODE, nullptr);
  const ControlBinding* mark = fieldPropertiesTable().find(IDC_ADV_INPUT_MARK_CHAR, nullptr);
  const ControlBinding* initial = fieldPropertiesTable().find(IDC_ADV_INITIAL_TEXT, nullptr);
  ASSERT_TRUE(leading && mark && initial);
  FormRecord f{};
  std::memset(&f, 0x55, sizeof f);
  const int last = kFormLines - 1;
  // A 6-character leading code fills its field without a terminator, up to the next field.
  storeEditText(&f, *leading, last, "ABCDEF");
  EXPECT_EQ(std::string(f.leadingCode[last], 6), "ABCDEF");
  EXPECT_EQ(f.autoEnter[0], 0x55);
  storeEditText(&f, *leading, last, "AB");
  EXPECT_EQ(std::string(f.leadingCode[last], 3), std::string("AB\0", 3));
  storeEditText(&f, *mark, 2, "*");
  EXPECT_EQ(f.inputMark[2], '*');
  EXPECT_EQ(f.inputMark[3], 0x55);
  storeEditText(&f, *mark, 2, "");
  EXPECT_EQ(f.inputMark[2], 0);
  storeEditText(&f, *initial, 0, "123456789");
  EXPECT_STREQ(f.initialText[0], "123456789");
}

// The enabling runs once down the table, reading each box's own enabled state: a box whose row
// came after the row of a box it enables would act on that box's old state.
TEST(FieldPropertiesTables, ABoxComesBeforeTheBoxesItEnables) {
  for (bool lookup : {false, true}) {
    const ControlTable& table = tableOf(lookup);
    for (int i = 0; i < table.count; ++i)
      for (int id : table.bindings[i].enables)
        for (int k = 0; id != 0 && k < i; ++k)
          EXPECT_NE(table.bindings[k].id, id) << nameOf(lookup, table.bindings[i].id) << " enables " << id;
  }
}

TEST(FieldPropertiesTables, EveryLanguageEntryRelabelsOneControl) {
  const struct { bool lookup; int caption; int first, last; std::set<int> labels; } rows[] = {
      {false, 81, 82, 98, {901, 902, 903, 101, 102, 103, 104, 105, 904, 106, 905, 906, 107, 108, 907, 908, 1011}},
      {true, 111, 112, 118, {901, 902, 903, 101, 102, 103, 104}},
  };
  for (const auto& row : rows) {
    const ControlTable& table = tableOf(row.lookup);
    EXPECT_EQ(table.languageCaption, row.caption);
    std::set<int> entries, labels;
    for (int i = 0; i < table.count; ++i) {
      const ControlBinding& b = table.bindings[i];
      if (b.languageEntry == 0) continue;
      EXPECT_TRUE(entries.insert(b.languageEntry).second) << b.languageEntry;
      labels.insert(b.id);
    }
    EXPECT_EQ(static_cast<int>(entries.size()), row.last - row.first + 1);
    EXPECT_EQ(*entries.begin(), row.first);
    EXPECT_EQ(*entries.rbegin(), row.last);
    EXPECT_EQ(labels, row.labels);
  }
}

TEST(FieldPropertiesRules, TypesSwitchOffWhatTheyCannotUse) {
  for (int type = 0; type < kDataTypeCount; ++type) {
    SCOPED_TRACE(type);
    const TypeControls c = typeControlsFor(type);
    EXPECT_EQ(c.initialValue, type != kDataFixed);
    EXPECT_EQ(c.inputMark, type != kDataFixed);
    EXPECT_EQ(c.decimals, type == kDataReal);
  }
}

TEST(FieldPropertiesRules, CheckDigitMethodsAreItemsPlusOne) {
  const struct { int stored, item; } rows[] = {{0, 0}, {1, 0}, {2, 1}, {8, 7}, {9, 0}, {255, 0}, {-1, 0}};
  for (const auto& row : rows) EXPECT_EQ(checkDigitItem(row.stored), row.item) << row.stored;
  for (int item = 0; item < kCheckDigitMethods; ++item) EXPECT_EQ(checkDigitItem(checkDigitOfItem(item)), item);
}

// The generic number edits of the tables follow the same corrections as the form rules.
TEST(FieldPropertiesRules, TableNumberEditsCorrectAsTheFormRules) {
  const char* typed[] = {"", "0", "7", "007", "12a", "1.5", "5 ", "x", " 5", "-5", "80", "81", "255", "256", "99999999999999"};
  const ControlBinding* fixed = fieldPropertiesTable().find(IDC_ADV_FIXED_LENGTH_VALUE, nullptr);
  const ControlBinding* partialMax = fieldPropertiesTable().find(IDC_ADV_PARTIAL_MAX, nullptr);
  const ControlBinding* lookupFixed = lookupFieldPropertiesTable().find(IDC_LADV_FIXED_LENGTH_VALUE, nullptr);
  ASSERT_TRUE(fixed && partialMax && lookupFixed);
  const struct { const ControlBinding* binding; EditCorrection (*rule)(const char*); } edits[] = {
      {fixed, correctFixedLength}, {lookupFixed, correctFixedLength}, {partialMax, correctPartialMax}};
  for (const auto& edit : edits) {
    for (const char* text : typed) {
      SCOPED_TRACE(std::to_string(edit.binding->id) + " \"" + text + "\"");
      char buffer[32];
      std::strcpy(buffer, text);
      const NumberCorrection generic = correctNumberText(buffer, sizeof buffer, numberRuleOf(*edit.binding));
      const EditCorrection rule = edit.rule(text);
      EXPECT_EQ(generic.value, rule.value);
      EXPECT_EQ(generic.changed, rule.changed);
      EXPECT_STREQ(buffer, rule.text);
    }
  }
}

}  // namespace
}  // namespace torvik
