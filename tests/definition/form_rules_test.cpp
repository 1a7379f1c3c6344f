// The form editor's rules at their edges: corrections, type changes, the editor's OK.
#include "definition/form_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace torvik {
namespace {

// Which edit: P prompt (arg = limit), L length and I initial value (arg = type), F fixed
// length, M partial max, S partial start, C leading code, K input mark.
EditCorrection correct(char edit, int arg, const char* text) {
  switch (edit) {
    case 'P': return correctPrompt(text, arg);
    case 'L': return correctLength(text, arg);
    case 'I': return correctInitialText(text, arg);
    case 'F': return correctFixedLength(text);
    case 'M': return correctPartialMax(text);
    case 'S': return correctPartialStart(text);
    case 'C': return correctLeadingCode(text);
    default: return correctInputMark(text);
  }
}

TEST(FormRules, EditsAreCorrectedInPlace) {
  const struct { char edit; int arg; const char* typed; const char* shown; bool changed; int value; } rows[] = {
      {'P', 20, "123456789012345678901", "12345678901234567890", true, 0}, {'P', 20, "12345678901234567890", "12345678901234567890", false, 0},
      {'P', 15, "1234567890123456", "123456789012345", true, 0},
      {'L', kDataText, "95", "80", true, 80},  {'L', kDataText, "80", "80", false, 80}, {'L', kDataText, "x", "0", true, 0},
      {'L', kDataText, "", "", false, 0},      {'L', kDataText, "12a", "0", true, 0}, {'L', kDataText, "007", "7", true, 7},
      {'L', kDataText, "99999999999999999999", "80", true, 80},  {'L', kDataBoolean, "5", "5", false, 1},
      {'L', kDataText, "1.5", "0", true, 0},   {'L', kDataText, "5 ", "0", true, 0},   {'L', kDataText, "300", "80", true, 80},
      {'F', 0, "256", "255", true, 255},       {'F', 0, "", "0", true, 0},             {'F', 0, "07", "7", true, 7},
      {'M', 0, "0", "0", false, 0},            {'M', 0, "", "0", true, 0},             {'M', 0, "12a", "0", true, 0},
      {'S', 0, "1.5", "1", true, 1},           {'S', 0, "127", "127", false, 127},
      {'S', 0, "200", "127", true, 127},       {'S', 0, "x", "1", true, 1},            {'S', 0, "", "", false, 0},
      {'I', kDataReal, "12a.5.6", "1256", true, 0}, {'I', kDataReal, "12.5", "12.5", false, 0},
      {'I', kDataAutoSign, "123456789.5", "123456789", true, 0}, {'I', kDataInteger, "1-2a3", "123", true, 0},
      {'I', kDataBoolean, "Yes", "Y", true, 0}, {'I', kDataBoolean, "x", "", true, 0}, {'I', kDataBoolean, "n", "n", false, 0},
      {'I', kDataAlphameric, "AB-12", "AB", true, 0}, {'I', kDataText, "a-b.c d", "a-b.c d", false, 0},
      {'C', 0, "ABCDEFG", "ABCDEF", true, 0},  {'K', 0, "*#", "*", true, '*'},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(1, row.edit) + " " + std::to_string(row.arg) + " \"" + row.typed + "\"");
    const EditCorrection r = correct(row.edit, row.arg, row.typed);
    EXPECT_STREQ(r.text, row.shown);
    EXPECT_EQ(r.changed, row.changed);
    EXPECT_EQ(r.value, row.value);
  }
}

// A line with every clearable property set, plus one (partialOn) that no rule touches.
void fillProperties(FormRecord& form, int j) {
  FormLine line = form.line(j);
  line.fixedLengthOn = line.initialOn = line.prefixOn = line.suffixOn = line.partialOn = 1;
  line.alignment = kAlignRightZero;
  line.fixedLength = 12;
  copyText(line.initialText, "42");
  line.prefix[0] = 'P';
  line.suffix[0] = 'S';
  line.inputMark = '_';
  line.checkDigit = 3;
  line.inputSource = kInputReader;
}
// 1 when every clearable property is kept, 0 when all are cleared, -1 for a mixture.
int propertiesState(const FormRecord& form, int j) {
  const ConstFormLine l = form.line(j);
  const int kept = (l.fixedLengthOn == 1) + (l.alignment == kAlignRightZero) + (l.fixedLength == 12) +
                   (l.initialText[0] == '4') + (l.prefixOn == 1) + (l.prefix[0] == 'P') + (l.suffixOn == 1) +
                   (l.suffix[0] == 'S') + (l.inputMark == '_');
  return kept == 9 ? 1 : kept == 0 ? 0 : -1;
}

TEST(FormRules, TypeChangeClearsWhatNoLongerApplies) {
  const struct { int from, to; bool changed, cleared, keypad; } rows[] = {
      {kDataText, kDataFixed, true, true, false},       {kDataInteger, kDataText, true, false, false},
      {kDataText, kDataNil, true, true, false},         {kDataLookup, kDataFixed, true, false, false},
      {kDataAlphameric, kDataPrompt, true, false, false}, {kDataText, kDataAlphameric, true, true, false},
      {kDataFixed, kDataText, true, true, false},       {kDataLookup, kDataText, true, true, false},
      {kDataCompare, kDataText, true, false, false},    {kDataText, kDataPause, true, true, true},
      {kDataLookup, kDataPause, true, false, true},     {kDataText, kDataText, false, false, false},
      {kDataText, kDataTypeCount, false, false, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.from) + " -> " + std::to_string(row.to));
    FormRecord form{};
    form.dataType[2] = static_cast<std::uint8_t>(row.from);
    fillProperties(form, 2);
    bool show = true;
    const TypeChange r = changeLineType(form, 2, row.to, show);
    EXPECT_EQ(r.changed, row.changed);
    EXPECT_EQ(r.propertiesCleared, row.cleared);
    EXPECT_EQ(r.inputSourceKeypad, row.keypad);
    EXPECT_EQ(form.dataType[2], row.changed ? row.to : row.from);
    EXPECT_EQ(propertiesState(form, 2), row.cleared ? 0 : 1);
    EXPECT_EQ(show, !row.cleared);
    EXPECT_EQ(form.initialOn[2] + form.checkDigit[2], row.cleared ? 0 : 4);
    EXPECT_EQ(form.inputSource[2], row.keypad ? kInputKeypad : kInputReader);
    EXPECT_EQ(form.partialOn[2], 1);
  }
}

TEST(FormRules, FieldReferenceFitsTheType) {
  const struct { int type, stored, expected, items; } rows[] = {
      {kDataText, 11, 3, 9},     {kDataText, 16, 8, 9},       {kDataText, 9, 1, 9},       {kDataText, 8, 8, 9},
      {kDataReal, 11, 11, 25},   {kDataInteger, 24, 24, 25},  {kDataVariable2, 20, 20, 25}, {kDataInteger, 25, 1, 25},
      {kDataLookup, 24, 8, 9},   {kDataAlphameric, 17, 1, 9},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.type) + ": " + std::to_string(row.stored));
    EXPECT_EQ(fieldRefForType(row.type, row.stored), row.expected);
    EXPECT_EQ(fieldRefItemCount(row.type), row.items);
  }
  FormRecord form{};
  form.dataType[0] = kDataReal;
  form.lookupField[0] = 11;
  bool show = false;
  EXPECT_EQ(changeLineType(form, 0, kDataText, show).fieldRefItems, 9);
  EXPECT_EQ(form.lookupField[0], 3);
}

// Showing a form stores what its combos can show; the other bytes of the lines stay.
TEST(FormRules, ShowingSettlesFieldReferencesTheTypeCannotShow) {
  const struct { int type, stored, settled; } rows[] = {
      {kDataText, 11, 3}, {kDataText, 16, 8}, {kDataLookup, 24, 8}, {kDataReal, 11, 11},
      {kDataVariable3, 24, 24}, {kDataText, 8, 8}, {kDataNil, 9, 1}, {kDataInteger, 0, 0},
  };
  FormRecord form{};
  for (int j = 0; j < kFormLines; ++j) {
    form.dataType[j] = static_cast<std::uint8_t>(rows[j].type);
    form.lookupField[j] = static_cast<std::uint8_t>(rows[j].stored);
    form.maxLength[j] = 40;
  }
  settleFormForShow(form);
  for (int j = 0; j < kFormLines; ++j) {
    SCOPED_TRACE(j);
    EXPECT_EQ(form.lookupField[j], rows[j].settled);
    EXPECT_EQ(form.maxLength[j], 40);
  }
}

TEST(FormRules, PropertiesDialogSettlesPartialReadAndMark) {
  const struct { std::uint8_t start, max, mark; const char* typedStart; bool show, full, shown; int startAfter, maxAfter, markAfter; } rows[] = {
      {5, 0, 0, nullptr, false, false, false, 5, 80, 0},        {0x80, 95, 0, nullptr, false, true, false, 0x81, 80, 0},
      {0x85, 20, 0, nullptr, false, false, false, 5, 20, 0},    {0x85, 20, 0, "200", false, true, false, 0xFF, 20, 0},
      {5, 20, 0, "200", false, false, false, 127, 20, 0},       {9, 20, 0, "", false, false, false, 1, 20, 0},
      {1, 20, '*', nullptr, false, false, true, 1, 20, 0},      {1, 20, '*', nullptr, true, false, true, 1, 20, '*'},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.start) + "/" + std::to_string(row.max) + "/" + (row.typedStart ? row.typedStart : "-"));
    FormRecord form{};
    form.partialStart[6] = row.start;
    form.partialMax[6] = row.max;
    form.inputMark[6] = row.mark;
    EXPECT_EQ(openLineProperties(form, 6), row.shown);
    if (row.typedStart != nullptr) form.line(6).setPartialStartPosition(correctPartialStart(row.typedStart).value);
    confirmLineProperties(form, 6, row.show, row.full);
    EXPECT_EQ(form.partialStart[6], row.startAfter);
    EXPECT_EQ(form.partialMax[6], row.maxAfter);
    EXPECT_EQ(form.inputMark[6], row.markAfter);
  }
  FormRecord form{};  // a 0 typed into the maximum while the dialog is open
  openLineProperties(form, 0);
  form.partialMax[0] = 0;
  confirmLineProperties(form, 0, false, false);
  EXPECT_EQ(form.partialMax[0], 80);
}

struct FormsFixture : ::testing::Test {
  struct Forms { FormRecord form[kFormCount]; };
  std::unique_ptr<Forms> all = std::make_unique<Forms>();
  FormRecord (&forms)[kFormCount] = all->form;
  bool show[kFormCount][kFormLines] = {};
};

TEST_F(FormsFixture, ExtensionLinesContinueTheirParent) {
  const struct { int font, parent, promptLength, maxLength, extensions; std::vector<int> maxima; } rows[] = {
      {0, 0, 12, 20, 2, {12, 0}},  {0, 0, 0, 80, 5, {60, 40, 20, 0, 33}},  {0, 6, 20, 50, 1, {50}},
      {1, 0, 10, 30, 3, {25, 10, 0}},  {1, 1, 18, 30, 2, {30, 15}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.font) + "/" + std::to_string(row.parent) + "/" + std::to_string(row.promptLength));
    FormRecord& form = forms[3] = FormRecord{};
    form.font = static_cast<std::uint8_t>(row.font);
    FormLine parent = form.line(row.parent);
    parent.dataType = kDataText;
    copyText(parent.prompt, std::string(static_cast<std::size_t>(row.promptLength), 'p').c_str());
    parent.maxLength = static_cast<std::uint8_t>(row.maxLength);
    parent.autoEnter = kAutoEnterKeyboard;
    parent.inputMark = '.';
    for (int e = row.parent + 1; e <= row.parent + row.extensions; ++e) {
      form.dataType[e] = kDataExtension;
      form.maxLength[e] = 33;  // kept only by an extension beyond the fourth
    }
    applyFormEdits(forms, show);
    EXPECT_EQ(std::strlen(form.prompt[row.parent]), std::min<std::size_t>(row.promptLength, promptLimit(row.font)));
    for (std::size_t e = 0; e < row.maxima.size(); ++e) {
      const int j = row.parent + 1 + static_cast<int>(e);
      EXPECT_EQ(form.maxLength[j], row.maxima[e]) << j;
      EXPECT_EQ(form.autoEnter[j] == kAutoEnterKeyboard && form.inputMark[j] == '.', e < 4) << j;
      EXPECT_EQ(form.inputSource[j], kInputBoth) << j;
    }
  }
}

TEST_F(FormsFixture, ApplyCleansPropertiesAndResetsUnusedLines) {
  const struct { int type; std::uint8_t saveFieldData; bool cleared; } rows[] = {
      {kDataText, 1, false}, {kDataPrompt, 1, true}, {kDataCompare, 1, true}, {kDataLookup, 1, false}, {kDataLookup, 0, true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.type) + "/" + std::to_string(row.saveFieldData));
    FormRecord& form = forms[9] = FormRecord{};
    form.dataType[0] = kDataText;
    form.dataType[1] = static_cast<std::uint8_t>(row.type);
    fillProperties(form, 1);
    form.initialOn[1] = row.saveFieldData;
    show[9][1] = true;
    applyFormEdits(forms, show);
    EXPECT_EQ(propertiesState(form, 1), row.cleared ? 0 : 1);
    EXPECT_EQ(show[9][1], !row.cleared);
    EXPECT_EQ(form.checkDigit[1], 3);
  }
  FormRecord& form = forms[0];  // large font; line 3 nil
  form.font = 1;
  form.dataType[0] = form.dataType[5] = kDataText;
  form.maxLength[0] = 95;
  form.minLength[0] = 90;
  fillProperties(form, 2);
  form.partialStart[2] = 0x83;
  applyFormEdits(forms, show);
  EXPECT_EQ(form.maxLength[0], 80);
  EXPECT_EQ(form.minLength[0], 80);
  EXPECT_EQ(form.dataType[5], kDataNil);
  EXPECT_EQ(propertiesState(form, 2), 0);
  const std::vector<int> reset = {form.maxLength[2], form.autoEnter[2], form.inputSource[2], form.partialStart[2], form.partialMax[2]};
  EXPECT_EQ(reset, (std::vector<int>{80, kAutoEnterScan, kInputBoth, 0, 20}));
}

}  // namespace
}  // namespace torvik
