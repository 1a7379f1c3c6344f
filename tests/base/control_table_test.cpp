// Controls as data: a binding reaches exactly the bytes and bits it names, and the number
// edits' correction.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/control_table.h"

namespace torvik {
namespace {

#pragma pack(push, 1)
struct Sample {
  std::uint8_t head;
  std::uint8_t perLine[4];
  char text[4][6];
  std::uint8_t flags;
  std::uint8_t tail;
};
#pragma pack(pop)

TEST(ControlTable, FieldsReachTheirLineAndBitsOnly) {
  struct Row {
    FieldRef field;
    int line, value;
    std::size_t byte;
    std::uint8_t expected;  // the byte afterwards, all others staying 0xFF... or 0
  };
  const Row rows[] = {
      {TORVIK_FIELD(Sample, head), 0, 7, 0, 7},
      {TORVIK_LINE_FIELD(Sample, perLine), 3, 9, 4, 9},
      {bitsOf(TORVIK_FIELD(Sample, flags), 4, 1), 0, 1, offsetof(Sample, flags), 0xFF},
      {bitsOf(TORVIK_FIELD(Sample, flags), 4, 1), 0, 0, offsetof(Sample, flags), 0xEF},
      {bitField(offsetof(Sample, flags), 2, 3), 0, 9, offsetof(Sample, flags), 0xE7},  // 9 keeps its low 3 bits
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.byte);
    Sample s;
    std::memset(&s, 0xFF, sizeof s);
    if (r.field.width == 8) std::memset(&s, 0, sizeof s);
    Sample before = s;
    writeField(&s, r.field, r.line, r.value);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&s);
    const auto* old = reinterpret_cast<const std::uint8_t*>(&before);
    for (std::size_t i = 0; i < sizeof s; ++i) EXPECT_EQ(bytes[i], i == r.byte ? r.expected : old[i]) << i;
    EXPECT_EQ(readField(&s, r.field, r.line), r.value & ((1 << r.field.width) - 1));
  }
}

TEST(ControlTable, TextFieldsKeepTheirNulAndLineStride) {
  Sample s;
  std::memset(&s, 'x', sizeof s);
  const FieldRef text = TORVIK_LINE_FIELD(Sample, text);
  writeFieldText(&s, text, 2, "ABCDEFGH");
  EXPECT_EQ(std::memcmp(s.text[2], "ABCDE\0", 6), 0);
  EXPECT_EQ(s.text[1][5], 'x');
  EXPECT_EQ(s.text[3][0], 'x');
  char out[16];
  readFieldText(&s, text, 2, out, sizeof out);
  EXPECT_STREQ(out, "ABCDE");
  readFieldText(&s, text, 2, out, 3);  // the caller's buffer bounds the copy too
  EXPECT_STREQ(out, "AB");
}

TEST(ControlTable, NumberEditsAreCorrectedInPlace) {
  // The rules of the editor's kinds of number edit: a length whose emptied edit stays empty, one
  // whose emptied edit shows 0, a start that takes 1 for no number, the time-out's positive
  // numbers and the barcode maximum whose empty box means 127.
  const NumberRule stays{80, 0, 0, true, 0};
  const NumberRule shows{255, 0, 0, false, 0};
  const NumberRule start{127, 1, 0, true, 0};
  const NumberRule positive{255, 1, 1, false, 1};
  const NumberRule barcodeMax{127, 127, 0, true, 127};
  struct Row {
    const NumberRule* rule;
    const char* typed;
    const char* shown;
    int value;
  };
  const Row rows[] = {
      {&stays, "", "", 0},          {&stays, "12", "12", 12},      {&stays, "95", "80", 80},
      {&stays, "80", "80", 80},     {&stays, "x", "0", 0},         {&stays, "12a", "0", 0},
      {&stays, "1.5", "0", 0},      {&stays, "5 ", "0", 0},        {&stays, " 5", "0", 0},
      {&stays, "-5", "0", 0},       {&stays, "07", "7", 7},        {&stays, "000", "0", 0},
      {&stays, "99999999999999999999", "80", 80},
      {&shows, "", "0", 0},         {&shows, "300", "255", 255},   {&shows, "12a", "0", 0},
      {&shows, "07", "7", 7},       {&start, "", "", 0},           {&start, "x", "1", 1},
      {&start, "1.5", "1", 1},      {&start, "0", "0", 0},         {&positive, "", "1", 1},
      {&positive, "0", "1", 1},     {&positive, "7s", "1", 1},     {&positive, "012", "12", 12},
      {&positive, "300", "255", 255}, {&barcodeMax, "", "", 127},  {&barcodeMax, "12a", "127", 127},
      {&barcodeMax, "0", "0", 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string("'") + r.typed + "' max " + std::to_string(r.rule->max));
    char text[32];
    std::strcpy(text, r.typed);
    const NumberCorrection c = correctNumberText(text, sizeof text, *r.rule);
    EXPECT_STREQ(text, r.shown);
    EXPECT_EQ(c.value, r.value);
    EXPECT_EQ(c.changed, std::string(r.typed) != r.shown);
  }
}

TEST(ControlTable, RepeatedRowsAndRadioRunsAreFoundById) {
  ControlBinding rows[2];
  rows[0].id = 401;
  rows[0].rows = 8;
  rows[1].id = 600;
  rows[1].kind = ControlKind::Radio;
  rows[1].max = 3;
  const ControlTable table = controlTable(rows);
  int row = -1;
  EXPECT_EQ(table.find(408, &row), &rows[0]);
  EXPECT_EQ(row, 7);
  EXPECT_EQ(table.find(409, &row), nullptr);
  EXPECT_EQ(table.find(602, &row), &rows[1]);
  EXPECT_EQ(row, 2);
  EXPECT_EQ(table.find(603, &row), nullptr);
}

}  // namespace
}  // namespace torvik
