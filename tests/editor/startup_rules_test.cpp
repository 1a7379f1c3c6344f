#include "editor/startup_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/ui_strings.h"
#include "definition/new_defaults.h"

namespace torvik {
namespace {

// File offsets of a project (and template) file, written out here so that the test does not
// lean on the struct it checks.
constexpr std::size_t kGroupsStart = 10 + 2 + 23 + 3500 + 12150 + 366 + 64;  // 16115
constexpr std::size_t kSettingsStart = 18574;
constexpr std::size_t kSettingsTextsStart = kSettingsStart + 150;
constexpr std::size_t kWeightStart = 18842;
constexpr std::size_t kTemplateSize = 18854;
// Message groups 1 to 26 in file order: entries and bytes per entry.
constexpr int kEntries[26] = {4, 8, 4, 4, 4, 7, 8, 6, 6, 5, 4, 4, 6, 8, 3, 5, 4, 5, 5, 3, 2, 4, 3, 6, 8, 3};
constexpr int kWidths[26] = {16, 21, 16, 16, 16, 16, 21, 21, 21, 21, 21, 21, 21, 21,
                             16, 16, 21, 16, 16, 16, 16, 16, 16, 21, 16, 21};

std::size_t entryOffset(int group1, int entry) {
  std::size_t offset = kGroupsStart;
  for (int g = 0; g < group1 - 1; ++g) offset += static_cast<std::size_t>(kEntries[g] * kWidths[g]);
  return offset + static_cast<std::size_t>(entry * kWidths[group1 - 1]);
}

struct Fixture {
  std::unique_ptr<UiStrings> strings = std::make_unique<UiStrings>();
  std::unique_ptr<DefaultMessages> defaults = std::make_unique<DefaultMessages>();
  std::unique_ptr<ApplicationDefinition> def = std::make_unique<ApplicationDefinition>();
  std::unique_ptr<StartupState> state = std::make_unique<StartupState>();
  Fixture() {
    buildDefaultMessages(*strings, *defaults);
    applyNewApplicationDefaults(*def, *defaults);
    openStartup(*state, *def);
  }
};

// A template file built byte by byte: its tag, the texts "G<group>L<line>" in every entry,
// the system settings' revision, font and five settings texts, and the weight code.
std::vector<std::uint8_t> makeTemplate(int revision, int largeFont, const char* tag = "T900RU004") {
  std::vector<std::uint8_t> bytes(kTemplateSize, 0);
  std::memcpy(bytes.data(), tag, std::strlen(tag));
  for (int g = 1; g <= 26; ++g) {
    for (int e = 0; e < kEntries[g - 1]; ++e) {
      const std::string text = "G" + std::to_string(g) + "E" + std::to_string(e);
      std::memcpy(&bytes[entryOffset(g, e)], text.data(), text.size());
    }
  }
  bytes[kSettingsStart] = static_cast<std::uint8_t>(revision);
  bytes[kSettingsStart + 68] = static_cast<std::uint8_t>(largeFont);
  for (int i = 0; i < 5; ++i) {
    const std::string text = "Slot" + std::to_string(i + 1);
    std::memcpy(&bytes[kSettingsTextsStart + 21u * i], text.data(), text.size());
  }
  bytes[kWeightStart] = 0x11;
  return bytes;
}

TEST(StartupRules, GroupsHaveTheirSizesInBothFonts) {
  const char* small[26] = {"(3x15)", "(8x20)", "(4x15)", "(4x15)", "(4x15)", "(7x15)", "(8x20)", "(6x20)", "(6x20)",
                           "(5x20)", "(4x20)", "(4x20)", "(6x20)", "(8x20)", "(3x15)", "(5x15)", "(4x20)", "(5x15)",
                           "(5x15)", "(3x15)", "(2x15)", "(4x15)", "(3x15)", "(6x20)", "(8x15)", "(7x20)"};
  for (int g = 0; g < kStartupGroups; ++g) {
    SCOPED_TRACE(g + 1);
    char label[16];
    groupSizeLabel(g, false, label, sizeof label);
    EXPECT_STREQ(label, small[g]);
    std::string large = small[g];
    if (large.find("x20)") != std::string::npos) large.replace(large.find("x20)"), 4, "x15)");
    if (g + 1 == 9) large = "(5x15)";
    if (g + 1 == 13) large = "(4x15)";
    if (g + 1 == 14) large = "(6x15)";
    if (g + 1 == 17) large = "(2x15)";
    groupSizeLabel(g, true, label, sizeof label);
    EXPECT_EQ(label, large);
    EXPECT_EQ(groupWidthLimit(g, true), 15);
  }
}

TEST(StartupRules, DefaultTextsFollowTheFontAndTheSettingsSlots) {
  Fixture f;
  struct Row {
    int group, line;  // 1-based, as the page numbers them
    const char* small;
    const char* large;
  } rows[] = {
      {1, 1, "1.Collect data ", "1.Collect data "},
      {1, 4, "            ", "            "},  // stored, not shown
      {2, 7, "7.Memory & Power    ", "7.Memory/Power "},
      {7, 1, "1.Upload Port       ", "1.Upload Port  "},  // the title line is not in the group
      {7, 7, "7.Buzzer            ", "7.Buzzer       "},  // settings text slot 2
      {7, 8, "8.View Settings     ", "8.View Settings"},
      {9, 6, "ESC: no change", ""},  // the large-font set has one line fewer
      {26, 4, "8. Calculator       ", "8. Calculator  "},  // slot 1
      {26, 5, "1.Key Click         ", "1.Key Click    "},  // slot 3
      {26, 7, "3.Warning Beep      ", "3.Warning Beep "},  // slot 5
      {26, 8, "", ""},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::to_string(r.group) + "/" + std::to_string(r.line));
    EXPECT_STREQ(defaultLineText(*f.defaults, r.group - 1, r.line - 1, false), r.small);
    EXPECT_STREQ(defaultLineText(*f.defaults, r.group - 1, r.line - 1, true), r.large);
  }
}

TEST(StartupRules, AmpersandsShowAsThemselves) {
  struct Row {
    const char* text;
    std::size_t size;
    const char* shown;
  } rows[] = {
      {"7.Memory & Power    ", 64, "7.Memory && Power    "},
      {"", 64, ""},
      {"&&", 64, "&&&&"},
      {"no ampersand", 64, "no ampersand"},
      {"ab&", 4, "ab"},  // never half a pair
      {"ab&", 5, "ab&&"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.text);
    char out[64];
    literalStaticText(r.text, out, r.size);
    EXPECT_STREQ(out, r.shown);
  }
}

TEST(StartupRules, DelimiterFieldsMirrorEachOther) {
  struct Row {
    bool codeField;
    const char* typed;
    int code;
    bool refused, rewrite;
    const char* fieldText;
    const char* otherText;
  } rows[] = {
      {true, "44", 44, false, false, "", ","},
      {true, "abc", 0, false, true, "0", ""},
      {true, "300", 255, false, true, "255", "\xff"},
      {true, "256", 255, false, true, "255", "\xff"},
      {true, "255", 255, false, false, "", "\xff"},
      {true, "13", 9, true, true, "9", "\t"},  // refused: the previous code comes back
      {true, "", 0, false, false, "", ""},
      {true, "59x", 0, false, true, "0", ""},
      {false, ";", 59, false, false, "", "59"},
      {false, "ab", 97, false, true, "a", "97"},
      {false, "", 0, false, false, "", "0"},
      {false, "\r", 9, true, true, "\t", "9"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(r.codeField ? "code " : "char ") + r.typed);
    StartupState state;
    state.delimiter[1] = 9;
    const DelimiterUpdate u =
        r.codeField ? delimiterCodeTyped(state, 1, r.typed) : delimiterCharTyped(state, 1, r.typed);
    EXPECT_FALSE(u.ignored);
    EXPECT_EQ(state.delimiter[1], r.code);
    EXPECT_EQ(state.delimiter[0], 0) << "the other delimiter stays";
    EXPECT_EQ(u.refused, r.refused);
    EXPECT_EQ(u.rewriteField, r.rewrite);
    if (r.rewrite) {
      EXPECT_STREQ(u.fieldText, r.fieldText);
    }
    EXPECT_STREQ(u.otherText, r.otherText);
  }
  // The echo of a mirrored write changes nothing.
  StartupState state;
  state.delimiter[0] = 44;
  state.mirroring = true;
  EXPECT_TRUE(delimiterCodeTyped(state, 0, "7").ignored);
  EXPECT_TRUE(delimiterCharTyped(state, 0, "x").ignored);
  EXPECT_EQ(state.delimiter[0], 44);
}

TEST(StartupRules, LinesAreCutToTheWidthOfTheirGroup) {
  struct Row {
    int group;  // 1-based
    bool large;
    int line;
    std::string typed;
    std::string kept;
    bool cut;
  } rows[] = {
      {2, false, 0, std::string(21, 'a'), std::string(20, 'a'), true},
      {2, false, 0, std::string(20, 'a'), std::string(20, 'a'), false},
      {2, true, 0, std::string(16, 'b'), std::string(15, 'b'), true},
      {3, false, 3, std::string(16, 'c'), std::string(15, 'c'), true},
      {3, false, 3, std::string(15, 'c'), std::string(15, 'c'), false},
      {26, false, 6, std::string(21, 'd'), std::string(20, 'd'), true},  // slot 5
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::to_string(r.group) + " " + r.typed);
    Fixture f;
    f.state->group = r.group - 1;
    f.state->largeFont = r.large ? 1 : 0;
    char text[64];
    std::snprintf(text, sizeof text, "%s", r.typed.c_str());
    EXPECT_EQ(editLine(*f.state, r.line, text), r.cut);
    EXPECT_EQ(text, r.kept);
    EXPECT_EQ(f.state->text[r.group - 1][r.line], r.kept);
    EXPECT_TRUE(f.state->textsChanged);
  }
  // A line the group does not show takes nothing.
  Fixture f;
  char text[] = "x";
  f.state->group = 0;
  EXPECT_FALSE(editLine(*f.state, 3, text));
  EXPECT_STREQ(f.state->text[0][3], "            ");
  EXPECT_FALSE(f.state->textsChanged);
}

TEST(StartupRules, ShowingAndOkChangeNothingButTheApplyRules) {
  Fixture f;
  // Texts of a design that is not what New gives: a full 15-character text with no NUL
  // room to spare, bytes after a NUL, a text in a settings slot.
  std::memcpy(f.def->msgDeleteData.entry[0], "ABCDEFGHIJKLMNO", 16);
  std::memcpy(f.def->msgDeleteData.entry[1], "ab\0xyz", 6);
  copyText(f.def->systemSettings.settingsText[0], "8. Calculator X");
  f.def->systemSettings.startFrom = 1;
  f.def->systemSettings.dataDelimiter1 = ';';
  f.def->systemSettings.dataDelimiter2 = '|';
  const ApplicationDefinition before = *f.def;
  openStartup(*f.state, *f.def);
  applyStartup(*f.state, *f.def);
  EXPECT_EQ(std::memcmp(&before, f.def.get(), sizeof before), 0);

  struct Row {
    int byte2, byte3, count, applied2, applied3;
  } rows[] = {{0, 0, 0, 0, 0}, {0, 5, 0, 0, 0}, {44, 0, 1, 44, 0}, {44, 59, 2, 44, 59}};
  for (const Row& r : rows) {
    SCOPED_TRACE(std::to_string(r.byte2) + "," + std::to_string(r.byte3));
    f.def->systemSettings.dataDelimiter1 = static_cast<std::uint8_t>(r.byte2);
    f.def->systemSettings.dataDelimiter2 = static_cast<std::uint8_t>(r.byte3);
    openStartup(*f.state, *f.def);
    EXPECT_EQ(f.state->delimiterCount, r.count);
    applyStartup(*f.state, *f.def);
    EXPECT_EQ(f.def->systemSettings.dataDelimiter1, r.applied2);
    EXPECT_EQ(f.def->systemSettings.dataDelimiter2, r.applied3);
  }
  // "nil" clears both whatever the fields hold.
  f.state->delimiter[0] = 44;
  f.state->delimiter[1] = 59;
  setDelimiterCount(*f.state, 0);
  applyStartup(*f.state, *f.def);
  EXPECT_EQ(f.def->systemSettings.dataDelimiter1, 0);
  EXPECT_EQ(f.def->systemSettings.dataDelimiter2, 0);
}

TEST(StartupRules, EditedTextsReachTheirSlots) {
  Fixture f;
  char text[32];
  struct Row {
    int group, line;  // 1-based
    std::size_t offset;  // of the slot in the design
    std::size_t width;
  } rows[] = {
      {7, 1, entryOffset(7, 1), 21},
      {7, 7, kSettingsTextsStart + 21, 21},  // slot 2
      {7, 8, entryOffset(7, 7), 21},
      {26, 3, entryOffset(26, 2), 21},
      {26, 4, kSettingsTextsStart, 21},  // slot 1
      {26, 7, kSettingsTextsStart + 84, 21},  // slot 5
      {25, 8, entryOffset(25, 7), 16},
  };
  for (const Row& r : rows) {
    f.state->group = r.group - 1;
    std::snprintf(text, sizeof text, "Edit %d.%d", r.group, r.line);
    editLine(*f.state, r.line - 1, text);
  }
  const std::string title(f.def->msgSettingsMenu.entry[0]);
  applyStartup(*f.state, *f.def);
  const std::uint8_t* bytes = bytesOf(*f.def);
  for (const Row& r : rows) {
    SCOPED_TRACE(std::to_string(r.group) + "/" + std::to_string(r.line));
    std::string slot(reinterpret_cast<const char*>(bytes + r.offset), r.width);
    std::string expected = "Edit " + std::to_string(r.group) + "." + std::to_string(r.line);
    expected.resize(r.width, '\0');
    EXPECT_EQ(slot, expected);
  }
  EXPECT_EQ(f.def->msgSettingsMenu.entry[0], title) << "the title line is not the page's";
}

// Once one line is edited every slot is looked at, but only those whose text changed are
// written: an entry left alone keeps the bytes after its NUL, and one without a NUL keeps its
// last byte.
TEST(StartupRules, EntriesLeftAloneKeepTheirBytes) {
  Fixture f;
  std::uint8_t* bytes = bytesOf(*f.def);
  const std::size_t tail = entryOffset(3, 0) + 10;         // behind the NUL of "A"
  const std::size_t untermed = kSettingsTextsStart + 42;   // settings slot 3, full to its end
  bytes[entryOffset(3, 0)] = 'A';
  bytes[entryOffset(3, 0) + 1] = 0;
  bytes[tail] = 0x77;
  std::memset(bytes + untermed, 'Z', 21);
  openStartup(*f.state, *f.def);
  std::vector<std::uint8_t> before(bytes, bytes + sizeof(ApplicationDefinition));
  f.state->group = 0;
  char text[] = "Edited";
  editLine(*f.state, 1, text);
  applyStartup(*f.state, *f.def);
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (i >= entryOffset(1, 1) && i < entryOffset(1, 2)) continue;  // the edited entry
    if (bytes[i] != before[i]) ADD_FAILURE() << "byte " << i << " changed";
  }
  EXPECT_STREQ(f.def->msgMainMenu.entry[1], "Edited");
  EXPECT_EQ(bytes[tail], 0x77);
  EXPECT_EQ(bytes[untermed + 20], 'Z');
}

TEST(StartupRules, ResetAndTheLargeFontReloadTheDefaults) {
  Fixture f;
  char typed[] = "typed";
  f.state->group = 1;
  editLine(*f.state, 0, typed);
  f.state->group = 2;
  editLine(*f.state, 0, typed);
  f.state->startFrom = 1;
  f.state->delimiterCount = 2;
  f.state->delimiter[1] = 59;
  f.state->textsChanged = false;

  // Toggling twice restores the defaults of the wide groups, not what was typed; the narrow
  // groups keep their texts.
  setLargeFont(*f.state, *f.defaults, true);
  EXPECT_STREQ(f.state->text[1][6], "7.Memory/Power ");
  EXPECT_STREQ(f.state->text[25][3], "8. Calculator  ");
  EXPECT_STREQ(f.state->text[8][5], "") << "group 9 has five large lines";
  setLargeFont(*f.state, *f.defaults, false);
  EXPECT_STREQ(f.state->text[1][0], "1.Settings          ");
  EXPECT_STREQ(f.state->text[2][0], "typed");
  EXPECT_TRUE(f.state->textsChanged);

  f.state->largeFont = 1;
  f.state->group = 5;
  resetStartup(*f.state, *f.defaults);
  EXPECT_EQ(f.state->startFrom, 0);
  EXPECT_EQ(f.state->delimiterCount, 1);
  EXPECT_EQ(f.state->delimiter[0], ',');
  EXPECT_EQ(f.state->delimiter[1], 0);
  EXPECT_EQ(f.state->group, 0);
  EXPECT_EQ(f.state->largeFont, 1) << "Reset keeps the font";
  for (int g = 0; g < kStartupGroups; ++g)
    for (int line = 0; line < kStartupLines; ++line)
      EXPECT_STREQ(f.state->text[g][line], defaultLineText(*f.defaults, g, line, true)) << g << "/" << line;

  // Without a later edit, Reset reaches the design on OK.
  std::memset(&f.def->msgDeleteData, 'x', sizeof f.def->msgDeleteData);
  applyStartup(*f.state, *f.def);
  EXPECT_STREQ(f.def->msgDeleteData.entry[0], f.defaults->small[3][0]);
  EXPECT_STREQ(f.def->msgUtilitiesMenu.entry[0], "1.Settings     ");
  EXPECT_EQ(f.def->systemSettings.dataDelimiter1, ',');
  EXPECT_EQ(f.def->systemSettings.largeFont, 1);
}

TEST(StartupRules, TemplatesOfEachRevisionImport) {
  struct Row {
    int revision, font;
    const char* tag;
    std::size_t size;
    TemplateImport result;
    const char* slot2;   // group 7 line 7
    const char* slot1;   // group 26 line 4
    bool weightReset;
  } rows[] = {
      {4, 0, "T900RU004", kTemplateSize, TemplateImport::Imported, "Slot2", "Slot1", false},
      {3, 1, "T900RU004", kTemplateSize, TemplateImport::Imported, "Slot2", "Slot1", false},
      {3, 0, "T900-1.00", kTemplateSize - 1, TemplateImport::Incomplete, "Slot2", "Slot1", false},
      {2, 0, "T900RU004", kWeightStart, TemplateImport::Imported, "Slot2", "Slot1", true},
      {1, 1, "T900RU004", kWeightStart, TemplateImport::Imported, "7.Buzzer       ", "kept", true},
      {1, 0, "T900RU004", kWeightStart, TemplateImport::Imported, "7.Buzzer            ", "kept", true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::to_string(r.revision) + " " + r.tag);
    Fixture f;
    copyText(f.state->text[25][3], "kept");
    f.state->text[25][4][0] = '\0';  // an empty line takes the default
    f.state->group = 4;
    const std::vector<std::uint8_t> bytes = makeTemplate(r.revision, r.font, r.tag);
    EXPECT_EQ(importTemplate(bytes.data(), r.size, f.def->versionTag, *f.defaults, *f.def, *f.state), r.result);
    EXPECT_STREQ(f.state->text[0][0], "G1E0");
    EXPECT_STREQ(f.state->text[0][3], "G1E3");
    EXPECT_STREQ(f.state->text[6][0], "G7E1") << "the settings menu's title is skipped";
    EXPECT_STREQ(f.state->text[6][7], "G7E7");
    EXPECT_STREQ(f.state->text[25][2], "G26E2");
    EXPECT_STREQ(f.state->text[6][6], r.slot2);
    EXPECT_STREQ(f.state->text[25][3], r.slot1);
    if (r.revision == 1) {
      EXPECT_STREQ(f.state->text[25][4], r.font ? "1.Key Click    " : "1.Key Click         ");
    }
    EXPECT_EQ(f.state->largeFont, r.font);
    EXPECT_EQ(f.state->group, 0);
    EXPECT_TRUE(f.state->textsChanged);
    EXPECT_EQ(f.state->resetWeightCode, r.weightReset);

    // The import reaches the design on OK; an old template's weight code reset with it.
    f.def->weightCode.setMarker(7);
    f.state->weightCodeAtImport = f.def->weightCode;
    applyStartup(*f.state, *f.def);
    EXPECT_STREQ(f.def->msgMainMenu.entry[0], "G1E0");
    EXPECT_EQ(f.def->weightCode.marker(), r.weightReset ? kWeightCodeMarker : 7);
  }
}

TEST(StartupRules, AShortOrForeignTemplateTakesOnlyWholeTexts) {
  // Cut inside group 2's third entry: its first two are taken, the rest keeps its text.
  Fixture f;
  const std::vector<std::uint8_t> bytes = makeTemplate(4, 1);
  const std::size_t cut = entryOffset(2, 2) + 10;
  EXPECT_EQ(importTemplate(bytes.data(), cut, f.def->versionTag, *f.defaults, *f.def, *f.state),
            TemplateImport::Incomplete);
  EXPECT_STREQ(f.state->text[1][1], "G2E1");
  EXPECT_STREQ(f.state->text[1][2], "3.Delete Data       ");
  EXPECT_STREQ(f.state->text[25][3], "8. Calculator       ");
  EXPECT_EQ(f.state->largeFont, 0) << "the font byte was never read";
  EXPECT_FALSE(f.state->resetWeightCode);

  // A file that ends with the tag takes nothing and changes nothing that reaches the design.
  Fixture g;
  EXPECT_EQ(importTemplate(bytes.data(), 9, g.def->versionTag, *g.defaults, *g.def, *g.state),
            TemplateImport::Incomplete);
  EXPECT_FALSE(g.state->textsChanged);

  // Texts with no NUL are cut to their slot.
  Fixture h;
  std::vector<std::uint8_t> full = makeTemplate(4, 0);
  std::memset(&full[entryOffset(3, 0)], 'Q', 16);
  std::memset(&full[entryOffset(2, 0)], 'W', 21);
  std::memset(&full[kSettingsTextsStart], 'S', 21);
  EXPECT_EQ(importTemplate(full.data(), full.size(), h.def->versionTag, *h.defaults, *h.def, *h.state),
            TemplateImport::Imported);
  EXPECT_EQ(std::string(h.state->text[2][0]), std::string(15, 'Q'));
  EXPECT_EQ(std::string(h.state->text[1][0]), std::string(20, 'W'));
  EXPECT_EQ(std::string(h.state->text[25][3]), std::string(20, 'S'));

  // Not a template: nothing changes.
  for (const char* tag : {"R900RU004", "T900RU005", "T900-1.01", "T900RU"}) {
    SCOPED_TRACE(tag);
    Fixture m;
    const StartupState before = *m.state;
    const std::vector<std::uint8_t> foreign = makeTemplate(4, 1, tag);
    const std::size_t size = std::strlen(tag) == 6 ? 6 : foreign.size();
    EXPECT_EQ(importTemplate(foreign.data(), size, m.def->versionTag, *m.defaults, *m.def, *m.state),
              TemplateImport::Mismatch);
    EXPECT_EQ(std::memcmp(&before, m.state.get(), sizeof before), 0);
  }
}

TEST(StartupRules, AWeightCodeStoredAfterTheImportIsKept) {
  Fixture f;
  const std::vector<std::uint8_t> bytes = makeTemplate(2, 0);
  importTemplate(bytes.data(), bytes.size(), f.def->versionTag, *f.defaults, *f.def, *f.state);
  f.def->weightCode.setMarker(1234);  // the Weight Code dialog stores on its own OK
  applyStartup(*f.state, *f.def);
  EXPECT_EQ(f.def->weightCode.marker(), 1234);
}

}  // namespace
}  // namespace torvik
