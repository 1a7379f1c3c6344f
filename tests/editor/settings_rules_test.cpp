// The Settings page's rules: field corrections, enabling, Reset, apply and the wedge's case choice.
#include "editor/settings_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace torvik {
namespace {

TEST(SettingsRules, BacklightKeepsOneDigitOneToNine) {
  const struct { const char* typed; int stored; const char* shown; int value; } rows[] = {
      {"27", 2, "7", 7}, {"72", 2, "7", 7}, {"22", 2, "2", 2}, {"5", 2, "5", 5},
      {"9", 9, "9", 9},  {"", 3, "1", 1},   {"0", 3, "1", 1},  {"00", 3, "1", 1},
      {"07", 3, "3", 3}, {"x", 3, "1", 1},  {"20", 2, "1", 1},  // a typed 0 is no idle time
      {"4a", 2, "1", 1}, {"2a", 2, "1", 1}, {"1.5", 2, "1", 1}, {"345", 3, "5", 5},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.typed);
    char text[8];
    std::strcpy(text, r.typed);
    const FieldCorrection c = correctBacklightText(text, sizeof text, r.stored);
    EXPECT_EQ(r.value, c.value);
    EXPECT_STREQ(r.shown, text);
    EXPECT_EQ(std::strcmp(r.typed, r.shown) != 0, c.changed);
  }
}

TEST(SettingsRules, StayTimeIsZeroToNinetyNine) {
  const struct { const char* typed; const char* shown; int value; } rows[] = {
      {"6", "6", 6},   {"99", "99", 99}, {"100", "10", 10}, {"987", "98", 98}, {"05", "5", 5},
      {"0", "0", 0},   {"", "0", 0},     {"abc", "0", 0},   {"007", "7", 7},   {"4x", "0", 0},
      {"5 ", "0", 0},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.typed);
    char text[8];
    std::strcpy(text, r.typed);
    const FieldCorrection c = correctStayText(text, sizeof text);
    EXPECT_EQ(r.value, c.value);
    EXPECT_STREQ(r.shown, text);
    EXPECT_EQ(std::strcmp(r.typed, r.shown) != 0, c.changed);
  }
}

TEST(SettingsRules, PasswordKeepsTenDigitsAndLetters) {
  const struct { const char* typed; const char* kept; bool tooLong, invalid; } rows[] = {
      {"12-34", "1234", false, true},
      {"abcXYZ0189", "abcXYZ0189", false, false},
      {"abcdefghijk", "abcdefghij", true, false},
      {"abc def-ghi", "abcdefgh", true, true},  // cut to ten first, then filtered
      {"", "", false, false},
      {"\xe9t\xe9", "t", false, true},
      {"!!!", "", false, true},
      // the ends of the three ranges, and the characters just outside them
      {"09AZaz", "09AZaz", false, false},
      {"/", "", false, true},
      {":", "", false, true},
      {"@", "", false, true},
      {"[", "", false, true},
      {"`", "", false, true},
      {"{", "", false, true},
      {"0/9:A@Z[a`", "09AZa", false, true},
      {"z{Z", "zZ", false, true},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.typed);
    char text[16];
    std::strcpy(text, r.typed);
    const PasswordCorrection c = correctPassword(text);
    EXPECT_STREQ(r.kept, text);
    EXPECT_EQ(r.tooLong, c.tooLong);
    EXPECT_EQ(r.invalid, c.invalidCharacter);
  }
}

TEST(SettingsRules, PortsAndPromptEnableTheirControls) {
  const struct { int up, down, entry; bool stay; SettingsEnables e; } rows[] = {
      {kPortUploadModem, kPortDownloadModem, 1, true, {true, true, true, false, true, true}},
      {kPortUploadModem, kPortCradleIr, 1, true, {true, false, true, true, true, true}},
      {kPortCradleIr, kPortDownloadModem, 2, false, {false, true, true, true, true, false}},
      {kPortKeyboardWedge, kPortIrda, 0, true, {false, false, false, true, false, false}},
      {kPortDownloadModem, kPortUploadModem, 1, true, {false, false, false, true, true, true}},  // 3 and 4 swapped: no modem
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.up * 100 + r.down * 10 + r.entry);
    SystemSettings s{};
    s.uploadPort = static_cast<std::uint8_t>(r.up);
    s.downloadPort = static_cast<std::uint8_t>(r.down);
    s.entryOption = static_cast<std::uint8_t>(r.entry);
    const SettingsEnables e = settingsEnables(s, r.stay);
    EXPECT_EQ(r.e.uploadPhone, e.uploadPhone);
    EXPECT_EQ(r.e.downloadPhone, e.downloadPhone);
    EXPECT_EQ(r.e.modemSpeed, e.modemSpeed);
    EXPECT_EQ(r.e.baudRate, e.baudRate);
    EXPECT_EQ(r.e.stayRadios, e.stayRadios);
    EXPECT_EQ(r.e.stayTime, e.stayTime);
  }
}

TEST(SettingsRules, StayRadiosStoreZeroThenTheDefault) {
  SystemSettings s{};
  s.promptDuration = 25;
  chooseStayOnLcd(s);
  EXPECT_EQ(25, s.promptDuration) << "a time already set stays";
  choosePressAnyKey(s);
  EXPECT_EQ(0, s.promptDuration);
  chooseStayOnLcd(s);
  EXPECT_EQ(6, s.promptDuration);
}

TEST(SettingsRules, ResetSetsThePageAndKeepsTheFunctionKeyFlag) {
  SystemSettings s;
  std::memset(&s, 0xAB, sizeof s);
  s.functionKeysOn = 1;
  WedgeSettings w;
  std::memset(&w, 0xCD, sizeof w);
  resetSettingsPage(s, w);
  const auto* b = reinterpret_cast<const std::uint8_t*>(&s);
  const struct { int offset, value; } bytes[] = {
      {5, 1}, {6, 0}, {26, 0}, {27, 1}, {28, 0}, {29, 0}, {30, 2}, {31, 0}, {32, 1}, {33, 6},
      {34, 0}, {45, 0}, {46, 0}, {57, 0}, {58, 0}, {64, 0}, {67, 0}, {82, 1}, {115, 0}, {116, 0},
      {136, 0}, {137, 2}, {138, 1}, {139, 2}, {140, 0}, {149, 0}, {257, 0},
      // bytes of other pages stay
      {0, 0xAB}, {1, 0xAB}, {4, 0xAB}, {68, 0xAB}, {81, 0xAB}, {83, 0xAB}, {84, 0xAB}, {114, 0xAB},
      {150, 0xAB}, {254, 0xAB}, {256, 0xAB}, {258, 0xAB}, {267, 0xAB},
  };
  for (const auto& r : bytes) {
    SCOPED_TRACE(r.offset);
    EXPECT_EQ(r.value, b[r.offset]);
  }
  EXPECT_EQ(0, w.keyboardType);
  EXPECT_EQ(0, w.options);
  EXPECT_EQ(0, w.interCharDelay);
  EXPECT_EQ(0, w.timeout);
  EXPECT_EQ(1, w.addReturnLineFeed);
  EXPECT_EQ(0xCD, w.unused[0]);
  EXPECT_EQ(0xCD, w.unused[49]);
}

TEST(SettingsRules, ApplyWritesOnlyThePagesBytes) {
  SystemSettings design;
  std::memset(&design, 0x11, sizeof design);
  SystemSettings copy;
  std::memset(&copy, 0x22, sizeof copy);
  applySettingsPage(design, copy);
  const auto* b = reinterpret_cast<const std::uint8_t*>(&design);
  for (int i = 0; i < static_cast<int>(sizeof design); ++i) {
    const bool own = (i >= 5 && i <= 67) || i == 82 || (i >= 115 && i <= 149) || i == 257;
    SCOPED_TRACE(i);
    EXPECT_EQ(own ? 0x22 : 0x11, b[i]);
  }
  EXPECT_EQ(0x11, design.separateDataFiles) << "the Menu page's flag";
}

TEST(SettingsRules, CapsChoiceMapsToOneBit) {
  const struct { std::uint8_t options; int shown; } reads[] = {
      {0x00, kCapsAutoDetection}, {0x80, kCapsAutoDetection}, {0x20, kCapsIgnoreCase},
      {0x40, kCapsAlwaysLocked},  {0x60, kCapsAlwaysLocked},  {0xFF, kCapsAlwaysLocked}, {0x1F, kCapsAutoDetection},
  };
  for (const auto& r : reads) {
    SCOPED_TRACE(static_cast<int>(r.options));
    WedgeSettings w{};
    w.options = r.options;
    EXPECT_EQ(r.shown, capsChoiceOf(w));
  }
  const struct { int choice; std::uint8_t options; } writes[] = {
      {kCapsAutoDetection, 0x9F}, {kCapsAlwaysLocked, 0x5F}, {kCapsIgnoreCase, 0x3F},
  };
  for (const auto& r : writes) {
    SCOPED_TRACE(r.choice);
    WedgeSettings w{};
    w.options = 0xFF;  // the low bits are the other options and stay
    storeCapsChoice(w, r.choice);
    EXPECT_EQ(r.options, w.options);
    EXPECT_EQ(r.choice, capsChoiceOf(w));
  }
}

// The wedge dialog's OK reaches the design at once, so a later Cancel of the sheet leaves the
// design changed: the session must report that, or the change could be lost unsaved.
TEST(SettingsRules, WedgeDialogOkStoresIntoDesignAndReportsIt) {
  auto def = std::make_unique<ApplicationDefinition>();
  std::memset(def.get(), 0, sizeof *def);
  UiStrings strings;
  EditorSession session(*def, strings);
  WedgeSettings copy{};
  copy.keyboardType = 31;
  copy.options = 0xFF;
  copy.interCharDelay = 255;
  copy.unused[49] = 0x5A;
  confirmWedgeDialog(session, copy, kCapsIgnoreCase);
  EXPECT_TRUE(session.dialogsStored);
  EXPECT_EQ(0x3F, def->wedgeSettings.options) << "only the chosen case bit of bits 5 to 7";
  EXPECT_EQ(31, def->wedgeSettings.keyboardType);
  EXPECT_EQ(255, def->wedgeSettings.interCharDelay);
  EXPECT_EQ(0x5A, def->wedgeSettings.unused[49]) << "the whole block goes back";
  EXPECT_EQ(0, std::memcmp(&session.wedge, &def->wedgeSettings, sizeof session.wedge)) << "page copy too";
}

}  // namespace
}  // namespace torvik
