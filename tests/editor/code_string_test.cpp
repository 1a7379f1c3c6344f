// The Grid control's model: labels, clicks building a code string, the owner's field, geometry.
#include "editor/code_string.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace torvik {
namespace {

VariableNames kNames = {"variable1", "variable2", "variable3"};

std::string textOf(const CodeString& code, VariableNames& names = kNames) {
  char out[kCodeTextBytes];
  code.displayText(out, names);
  return out;
}

TEST(CodeString, KeyLabelsAtTheRunBoundaries) {
  const struct { int value; const char* label; } rows[] = {
      {0x00, ""}, {0x0F, "F1"}, {0x1A, "F12"}, {0x20, "SP"}, {0x21, "!"}, {0x7E, "~"}, {0x7F, "DEL"}, {0x80, "128"},
      {0xFF, "255"}, {0x100, ""}, {-1, ""}};
  for (const auto& row : rows) EXPECT_STREQ(keyCodeLabel(row.value), row.label) << row.value;
}

TEST(CodeString, ClicksBuildTheString) {
  using R = AppendResult;
  const struct { int capacity; std::vector<int> clicks; std::vector<R> results; std::vector<int> field; const char* text; } rows[] = {
      {10, {0x0F, 0x41, 0x0D, 0x00, 0x0A}, {R::Added, R::Added, R::Ignored, R::Ignored, R::Ignored}, {0x0F, 0x41, 0}, " F1 A"},
      {10, std::vector<int>(11, 'A'), {R::Added, R::Added, R::Added, R::Added, R::Added, R::Added, R::Added, R::Added, R::Added,
                                       R::Added, R::TooMany}, std::vector<int>(10, 'A'), " A A A A A A A A A A"},
      {2, {'A', 0x80, 'C'}, {R::Added, R::Added, R::TooMany}, {'A', 0x80}, " A 128"},
      {10, {0x1E, 'A', 0x1D}, {R::Added, R::TooMany, R::TooMany}, {0x1E, 0}, " variable2"},
      {10, {'A', 0x1F}, {R::Added, R::TooMany}, {'A', 0}, " A"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    CodeString code(row.capacity);
    for (std::size_t i = 0; i < row.clicks.size(); ++i) EXPECT_EQ(code.append(row.clicks[i]), row.results[i]) << i;
    std::uint8_t field[kCodeCapacityAffix + 1];
    std::fill(field, field + sizeof field, 0xEE);
    code.store(field);
    for (int i = 0; i <= kCodeCapacityAffix; ++i)
      EXPECT_EQ(field[i], i < static_cast<int>(row.field.size()) ? row.field[i] : 0) << i;
    EXPECT_EQ(textOf(code), row.text);
  }
}

TEST(CodeString, LoadCountsUpToTheFirstZeroOrAVariable) {
  const struct { int capacity; std::vector<std::uint8_t> field; int count; const char* text; } rows[] = {
      {10, {0, 'A'}, 0, ""},
      {10, {0x1B, 0x20, 0, 'Z'}, 2, " ESC SP"},
      {10, {1, 2, 3, 4, 5, 6, 7, 8, 9, 11}, 10, " Ins Del Home End Up Down Left BS HT Right"},
      {2, {'A', 'B', 'C'}, 2, " A B"},
      {10, {'A', 0x1E, 'B'}, 10, " A variable2"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    std::uint8_t field[kCodeCapacityAffix] = {};
    std::copy(row.field.begin(), row.field.end(), field);
    CodeString code(row.capacity);
    code.load(field);
    EXPECT_EQ(code.count(), row.count);
    EXPECT_EQ(textOf(code), row.text);
    EXPECT_EQ(code.append('Q'), row.count < row.capacity ? AppendResult::Added : AppendResult::TooMany);
  }
}

TEST(CodeString, ClearAndTheDisplayBound) {
  const std::string longName(100, 'v');
  VariableNames names = {longName.c_str(), nullptr, "x"};
  CodeString code(kCodeCapacityAffix);
  code.append(0x1D);
  EXPECT_EQ(textOf(code, names), " " + std::string(kCodeTextChars - 1, 'v'));
  code.clear();
  EXPECT_EQ(textOf(code), "");
  std::uint8_t field[kCodeCapacityAffix] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  code.store(field);
  EXPECT_EQ(std::vector<std::uint8_t>(field, field + 10), std::vector<std::uint8_t>(10, 0));
  EXPECT_EQ(code.append(0x1E), AppendResult::Added);
  EXPECT_EQ(textOf(code, names), " ");
}

TEST(CodeString, GridHitsAndCellsAgree) {
  const struct { int x, y, size, column, row, value; } rows[] = {
      {19, 25, 340, 0, 1, -1},  {25, 19, 340, 1, 0, -1},   {20, 20, 340, 1, 1, 0x00},  {105, 45, 340, 5, 2, 0x41},
      {339, 339, 340, 16, 16, 0xFF}, {340, 10, 340, -1, -1, -1}, {10, -1, 340, -1, -1, -1}, {5, 5, 0, -1, -1, -1},
  };
  for (const auto& row : rows) {
    const GridHit hit = gridHitAt(row.x, row.y, row.size, row.size);
    EXPECT_EQ(std::vector<int>({hit.column, hit.row, hit.value}), std::vector<int>({row.column, row.row, row.value}))
        << row.x << "," << row.y << " in " << row.size;
  }
  // Sizes that 17 does not divide: the cells tile the area and each one's corners hit it.
  for (int size : {100, 257, 351}) {
    for (int c = 0; c < kGridCells; ++c) {
      const GridRect r = gridCellRect(c, c, size, size);
      EXPECT_EQ(r.left, c == 0 ? 0 : gridCellRect(c - 1, 0, size, size).right) << size << " " << c;
      EXPECT_EQ(gridHitAt(r.left, r.top, size, size).column, c) << size << " " << c;
      EXPECT_EQ(gridHitAt(r.right - 1, r.bottom - 1, size, size).row, c) << size << " " << c;
    }
    EXPECT_EQ(gridCellRect(16, 16, size, size).right, size);
  }
}

TEST(CodeString, KeyboardMovesStopAtTheEdges) {
  using M = GridMove;
  const struct { int from; M move; int to; } rows[] = {
      {0x20, M::Left, 0x10},  {0x20, M::Right, 0x30}, {0x20, M::Up, 0x20},   {0x20, M::Down, 0x21},
      {0x0F, M::Down, 0x0F},  {0x0F, M::Left, 0x0F},  {0xF0, M::Right, 0xF0}, {0xF0, M::Up, 0xF0},
      {0xFF, M::Down, 0xFF},  {0xFF, M::Right, 0xFF}, {0x00, M::Left, 0x00},  {0x00, M::Up, 0x00},
      {0x1F, M::Down, 0x1F},  {0x1F, M::Right, 0x2F}, {0x0E, M::Down, 0x0F},  {0x10, M::Up, 0x10},
      {0x01, M::Up, 0x00},    {0x1D, M::Left, 0x0D},  {0x4A, M::Home, 0x40},  {0x4A, M::End, 0x4F},
      {-1, M::Down, 0x20},    {0x100, M::Left, 0x20},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.from << " move " << static_cast<int>(row.move));
    EXPECT_EQ(moveGridSelection(row.from, row.move), row.to);
  }
}

TEST(CodeString, RawFieldsOfEveryCapacityRoundTripWithinTheirSize) {
  for (int capacity : {1, kCodeCapacityCodeId, kCodeCapacityAffix}) {
    SCOPED_TRACE(capacity);
    std::uint8_t in[kCodeCapacityAffix + 2];
    for (int i = 0; i < kCodeCapacityAffix + 2; ++i) in[i] = static_cast<std::uint8_t>('A' + i);
    CodeString code(capacity);
    code.loadFrom(in, static_cast<std::size_t>(capacity));
    EXPECT_EQ(code.count(), capacity);
    // The guard bytes beyond the field stay as they were.
    std::uint8_t out[kCodeCapacityAffix + 2];
    std::fill(out, out + sizeof out, 0xEE);
    code.storeTo(out, static_cast<std::size_t>(capacity));
    EXPECT_TRUE(std::equal(in, in + capacity, out));
    EXPECT_EQ(out[capacity], 0xEE);
    code.clear();
    code.storeTo(out, static_cast<std::size_t>(capacity));
    EXPECT_EQ(std::count(out, out + capacity, 0), capacity);
    EXPECT_EQ(out[capacity], 0xEE);
  }
}

}  // namespace
}  // namespace torvik
