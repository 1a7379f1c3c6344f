// Reading design text: what the writer prints reads back to the same bytes, for whole designs
// and for every value of every setting, and a text with any refused line changes nothing.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "definition/design_text.h"
#include "definition/new_defaults.h"

namespace torvik {
namespace {

std::string showText(const ApplicationDefinition& def) {
  std::string text;
  for (const DesignSetting& s : describeDesign(def)) text += s.name + " = " + s.value + "\n";
  return text;
}

std::vector<TextRefusal> applyText(const std::string& text, ApplicationDefinition& def) {
  return applyDesignText(text.data(), text.size(), def);
}

class DesignTextReader : public ::testing::Test {
 protected:
  static std::unique_ptr<ApplicationDefinition> filled(std::uint32_t seed, int pattern) {
    auto def = std::make_unique<ApplicationDefinition>();
    std::uint8_t* p = bytesOf(*def);
    std::mt19937 random(seed);
    for (std::size_t i = 0; i < kDefinitionSize; ++i) {
      switch (pattern) {
        case 0: p[i] = 0; break;
        case 1: p[i] = static_cast<std::uint8_t>(i * 7 + 3); break;
        case 2: p[i] = 0xFF; break;
        default: p[i] = static_cast<std::uint8_t>(random()); break;
      }
    }
    return def;
  }
  static std::unique_ptr<ApplicationDefinition> newDesign() {
    auto def = std::make_unique<ApplicationDefinition>();
    applyNewApplicationDefaults(*def);
    return def;
  }
  static void expectSameBytes(const ApplicationDefinition& a, const ApplicationDefinition& b) {
    for (std::size_t i = 0; i < kDefinitionSize; ++i)
      if (bytesOf(a)[i] != bytesOf(b)[i]) {
        ADD_FAILURE() << "byte " << i << " differs: " << int(bytesOf(a)[i]) << " vs " << int(bytesOf(b)[i]);
        return;
      }
  }
};

TEST_F(DesignTextReader, ShowThenReadGivesBackEveryByteOfNewPatternedAndRandomDesigns) {
  std::vector<std::unique_ptr<ApplicationDefinition>> designs;
  designs.push_back(newDesign());
  for (int pattern = 0; pattern < 3; ++pattern) designs.push_back(filled(0, pattern));
  for (std::uint32_t seed = 1; seed <= 8; ++seed) designs.push_back(filled(seed, 3));
  for (std::size_t d = 0; d < designs.size(); ++d) {
    SCOPED_TRACE("design " + std::to_string(d));
    const std::string text = showText(*designs[d]);
    // Over a design that differs in every byte, so that no byte can be right by chance.
    auto target = filled(0, 1);
    for (std::size_t i = 0; i < kDefinitionSize; ++i) bytesOf(*target)[i] = static_cast<std::uint8_t>(~bytesOf(*designs[d])[i]);
    const auto refusals = applyText(text, *target);
    ASSERT_TRUE(refusals.empty()) << "line " << refusals[0].line << ": " << refusals[0].reason;
    expectSameBytes(*target, *designs[d]);
    EXPECT_EQ(showText(*target), text);
  }
}

// Each scalar setting through every value it can hold, with its neighbour bits the opposite.
TEST_F(DesignTextReader, ReadingIsTheInverseOfTheWriterForEveryValueOfEverySetting) {
  auto def = filled(0, 0);
  auto back = filled(0, 0);
  for (const SettingField& f : settingFields()) {
    if (f.kind == SettingKind::Text || f.kind == SettingKind::Bytes) continue;
    const unsigned mask = f.mask != 0 ? f.mask : (f.size == 2 ? 0xFFFFu : 0xFFu);
    const unsigned limit = f.size == 2 ? 0x10000u : 0x100u;
    const unsigned step = f.size == 2 ? 251u : 1u;  // two-byte words: a spread of values
    for (unsigned raw = 0; raw < limit; raw += step) {
      std::uint8_t* p = bytesOf(*def) + f.offset;
      p[0] = static_cast<std::uint8_t>(raw);
      if (f.size == 2) p[1] = static_cast<std::uint8_t>(raw >> 8);
      std::memcpy(bytesOf(*back) + f.offset, p, f.size);
      const unsigned flipped = raw ^ mask;
      bytesOf(*back)[f.offset] = static_cast<std::uint8_t>(flipped);
      if (f.size == 2) bytesOf(*back)[f.offset + 1] = static_cast<std::uint8_t>(flipped >> 8);
      const std::string value = settingValue(f, *def);
      std::string reason;
      ASSERT_TRUE(readSettingValue(f, value, *back, reason)) << f.name << " = " << value << ": " << reason;
      ASSERT_EQ(0, std::memcmp(bytesOf(*back) + f.offset, p, f.size)) << f.name << " = " << value;
    }
  }
}

// Texts at the edges of their fields: empty, one short, full (no NUL), with and without tails.
TEST_F(DesignTextReader, TextsOfEveryLengthWithTheirTailsReadBack) {
  auto def = filled(0, 0);
  auto back = filled(0, 2);
  std::mt19937 random(7);
  for (const SettingField& f : settingFields()) {
    if (f.kind != SettingKind::Text && f.kind != SettingKind::Bytes) continue;
    const std::size_t size = f.size;
    for (std::size_t length : {std::size_t{0}, std::size_t{1}, size - 1, size}) {
      std::uint8_t* p = bytesOf(*def) + f.offset;
      for (std::size_t i = 0; i < f.size; ++i) p[i] = static_cast<std::uint8_t>(1 + random() % 255);
      if (length < f.size) p[length] = 0;
      if (length + 2 < f.size && length % 2 == 0) std::memset(p + length + 1, 0, f.size - length - 1);
      const std::string value = settingValue(f, *def);
      std::string reason;
      ASSERT_TRUE(readSettingValue(f, value, *back, reason)) << f.name << " = " << value << ": " << reason;
      ASSERT_EQ(0, std::memcmp(bytesOf(*back) + f.offset, p, f.size)) << f.name << " = " << value;
    }
  }
}

TEST_F(DesignTextReader, AByteOrderMarkBlankLinesCommentsCarriageReturnsAndSpacesAroundTheEqualsSignAreAccepted) {
  auto def = newDesign();
  const std::string text =
      "\xEF\xBB\xBF\n# a comment\r\n   \t\r\n  form3.font   =  large  \r\nmenu2.caption=\"Stock\"\r\n"
      "lookup1.delimiter = \";\" (59)\nlookup2.delimiter = 44\nform1.line2.decimals = 3\nform2.lookupIndex = 2";
  ASSERT_TRUE(applyText(text, *def).empty());
  EXPECT_EQ(def->form[2].font, 1);
  EXPECT_STREQ(def->menu[1].caption, "Stock");
  EXPECT_EQ(def->lookup[0].delimiter, ';');
  EXPECT_EQ(def->lookup[1].delimiter, ',');
  EXPECT_EQ(def->form[0].decimals[1], 3);
  EXPECT_EQ(def->form[1].lookupIndex, 2);
}

TEST_F(DesignTextReader, RefusedLinesAreNamedWithTheirNumberAndReasonAndNothingIsApplied) {
  const struct {
    const char* line;  // follows a good first line, so it is line 2
    const char* reason;
  } kCases[] = {
      {"form3.colour = red", "no setting is named \"form3.colour\""},
      {"form11.font = small", "no setting is named"},
      {"form3.font", "not a NAME = VALUE line"},
      {"form3.font = huge", "form3.font: no choice named \"huge\""},
      {"form3.font = 256", "out of range (0 to 255)"},
      {"form3.fnSumField.1 = 16", "form3.fnSumField.1: 16 is out of range (0 to 15)"},
      {"form3.fnSumField.1 = field 17", "no choice named \"field 17\""},
      {"form3.line1.minLength = 256", "out of range (0 to 255)"},
      {"form3.line1.minLength = -1", "is not a number"},
      {"form3.line1.minLength = 1e3", "is not a number"},
      {"form3.line1.partialStart = 128", "out of range (0 to 127)"},
      {"form3.line1.saveFullBarcode = on (2)", "out of range (0 to 1)"},
      {"form3.line1.fixedLengthOn = yes", "is not off, on or on (N)"},
      {"form3.line1.fixedLengthOn = on (0)", "is not off, on or on (N)"},
      {"form3.line1.prompt = \"1234567890123456789012\"", "has 22 characters, the field holds 21"},
      {"form3.line1.prompt = Quantity", "starts with a double quote"},
      {"form3.line1.prompt = \"Qty", "no closing double quote"},
      {"form3.line1.prompt = \"Q\\qty\"", "unknown escape \\q"},
      {"form3.line1.prompt = \"Q\\x4\"", "two hex digits"},
      {"form3.line1.prompt = \"Q\\x00ty\"", "cannot hold a NUL"},
      {"form3.line1.prompt = \"Qty\" trail 00", "only \"tail\""},
      {"form3.line1.prompt = \"Qty\" tail 01", "1 bytes where the setting has 17"},
      {"form3.line1.prompt = \"Qty\" tail 18 zeros", "does not fit"},
      {"form3.line1.prompt = \"123456789012345678901\" tail 01", "no room for a tail"},
      {"form3.unused = 00", "1 bytes where the setting has 163"},
      {"form3.unused = 164 zeros", "does not fit"},
      {"form3.unused = 0G + 162 zeros", "is not hex bytes"},
      {"form3.unused = 00  01 + 161 zeros", "is not hex bytes"},
      {"lookup1.delimiter = \"ab\"", "holds one character"},
      {"lookup1.delimiter = \";\" (60)", "not its own (59)"},
      {"lookup1.delimiter = semicolon", "is not a quoted character"},
      {"barcode.byte2.unusedBits = 0x10", "bits outside the unused ones (0x08)"},
      {"barcode.byte2.unusedBits = 8", "is not 0x and 2 hex digits"},
      {"weightCode.marker = 65536", "out of range (0 to 65535)"},
      {"form1.font = small", "form1.font: given twice (first on line 1)"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.line);
    auto def = newDesign();
    const auto before = std::make_unique<ApplicationDefinition>(*def);
    const auto refusals = applyText(std::string("form1.font = large\n") + c.line + "\nmenu1.font = large\n", *def);
    ASSERT_EQ(refusals.size(), 1u);
    EXPECT_EQ(refusals[0].line, 2);
    EXPECT_NE(refusals[0].reason.find(c.reason), std::string::npos) << refusals[0].reason;
    expectSameBytes(*def, *before);
  }
}

TEST_F(DesignTextReader, EveryRefusedLineIsReportedNotOnlyTheFirst) {
  auto def = newDesign();
  const auto refusals = applyText("x = 1\n\n# c\nform1.font = large\nform1.font = huge\ny\n", *def);
  ASSERT_EQ(refusals.size(), 3u);
  EXPECT_EQ(refusals[0].line, 1);
  EXPECT_EQ(refusals[1].line, 5);
  EXPECT_EQ(refusals[2].line, 6);
  EXPECT_EQ(def->form[0].font, 0);
}

}  // namespace
}  // namespace torvik
