// A design as text: every bit of the definition shows in some setting's value, values read as
// documented, and the text depends on the design alone.
#include "definition/design_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <set>

#include "base/ui_strings.h"
#include "definition/default_messages.h"
#include "definition/new_defaults.h"

namespace torvik {
namespace {

std::unique_ptr<ApplicationDefinition> newDesign() {
  auto def = std::make_unique<ApplicationDefinition>();
  UiStrings strings;
  auto messages = std::make_unique<DefaultMessages>();
  buildDefaultMessages(strings, *messages);
  applyNewApplicationDefaults(*def, *messages);
  return def;
}

// Every byte known and different from its neighbours: texts without NULs, odd flag values.
std::unique_ptr<ApplicationDefinition> patterned() {
  auto def = std::make_unique<ApplicationDefinition>();
  std::uint8_t* p = bytesOf(*def);
  for (std::size_t i = 0; i < sizeof *def; ++i) p[i] = static_cast<std::uint8_t>(i * 7 + 3);
  return def;
}

std::string valueOf(const ApplicationDefinition& def, const std::string& name) {
  for (const SettingField& f : settingFields())
    if (f.name == name) return settingValue(f, def);
  ADD_FAILURE() << "no setting " << name;
  return {};
}

TEST(DesignTextCoverage, FlippingAnyBitOfTheDefinitionChangesASettingThatHoldsIt) {
  std::vector<std::vector<const SettingField*>> holders(kDefinitionSize);
  for (const SettingField& f : settingFields()) {
    ASSERT_LE(f.offset + f.size, kDefinitionSize) << f.name;
    for (std::size_t i = f.offset; i < f.offset + f.size; ++i) holders[i].push_back(&f);
  }
  for (auto* base : {newDesign().release(), patterned().release()}) {
    std::unique_ptr<ApplicationDefinition> def(base);
    std::uint8_t* bytes = bytesOf(*def);
    for (std::size_t at = 0; at < kDefinitionSize; ++at) {
      std::vector<std::string> before;
      for (const SettingField* f : holders[at]) before.push_back(settingValue(*f, *def));
      for (int bit = 0; bit < 8; ++bit) {
        bytes[at] ^= static_cast<std::uint8_t>(1u << bit);
        bool seen = false;
        for (std::size_t h = 0; h < holders[at].size() && !seen; ++h) seen = settingValue(*holders[at][h], *def) != before[h];
        bytes[at] ^= static_cast<std::uint8_t>(1u << bit);
        if (!seen) ADD_FAILURE() << "bit " << bit << " of byte " << at << " shows in no setting";
      }
    }
  }
}

TEST(DesignTextCoverage, NamesAreUniqueAndTheSameForEveryDesign) {
  std::set<std::string> names;
  for (const SettingField& f : settingFields()) EXPECT_TRUE(names.insert(f.name).second) << f.name;
  const auto a = describeDesign(*newDesign());
  const auto b = describeDesign(*patterned());
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) EXPECT_EQ(a[i].name, b[i].name);
}

TEST(DesignText, TheSameDesignGivesTheSameTextAndEqualDesignsNoDiff) {
  auto a = patterned();
  auto b = std::make_unique<ApplicationDefinition>(*a);
  const auto first = describeDesign(*a);
  const auto again = describeDesign(*b);
  ASSERT_EQ(first.size(), again.size());
  for (std::size_t i = 0; i < first.size(); ++i) EXPECT_EQ(first[i].value, again[i].value) << first[i].name;
  EXPECT_TRUE(diffDesigns(*a, *b).empty());
  EXPECT_TRUE(changedSettings(*a, *b).empty());
}

// How each kind of value reads, at its edges.
TEST(DesignText, ValuesReadAsDocumented) {
  const struct {
    const char* name;
    std::function<void(ApplicationDefinition&)> change;
    const char* expected;
  } kCases[] = {
      {"form3.line2.prompt", [](ApplicationDefinition& d) { copyText(d.form[2].prompt[1], "Qty \"A\\B\"\t\xE9"); },
       "\"Qty \\\"A\\\\B\\\"\\t\\xE9\""},
      // A text that fills its field has no NUL; bytes after a NUL are shown when not zero.
      {"menu1.caption", [](ApplicationDefinition& d) { std::memset(d.menu[0].caption, 'x', 21); },
       "\"xxxxxxxxxxxxxxxxxxxxx\""},
      {"menu1.item2.name", [](ApplicationDefinition& d) { d.menu[0].itemName[1][5] = 'Z'; },
       "\"\" tail 4 zeros + 5A + 15 zeros"},
      {"form1.line1.prefix", [](ApplicationDefinition& d) { copyCode(d.form[0].prefix[0], "\x01\x02"); }, "\"\\x01\\x02\""},
      {"form1.stampSplit", [](ApplicationDefinition& d) { d.form[0].stampSplit = 0; }, "off"},
      {"form1.stampSplit", [](ApplicationDefinition& d) { d.form[0].stampSplit = 2; }, "on (2)"},
      {"form1.line8.saveFullBarcode", [](ApplicationDefinition& d) { d.form[0].line(7).setSaveFullBarcode(true); }, "on"},
      {"form1.line8.partialStart", [](ApplicationDefinition& d) { d.form[0].partialStart[7] = 0x85; }, "5"},
      {"form1.line1.dataType", [](ApplicationDefinition& d) { d.form[0].dataType[0] = kDataAutoSign; }, "auto(+/-)"},
      {"form1.line1.dataType", [](ApplicationDefinition& d) { d.form[0].dataType[0] = 19; }, "19"},
      {"form1.line1.lookupField", [](ApplicationDefinition& d) { d.form[0].lookupField[0] = 10; }, "-field 2"},
      {"form2.escTarget", [](ApplicationDefinition& d) { d.form[1].escTarget = menuTarget(10); }, "menu 10"},
      {"form2.nextTarget", [](ApplicationDefinition& d) { d.form[1].nextTarget = kNextTargetExtra; }, "21"},
      {"form2.errorAction", [](ApplicationDefinition& d) { d.form[1].errorAction = errorActionOf(kTargetMainMenu); },
       "main menu"},
      {"form2.errorAction", [](ApplicationDefinition& d) { d.form[1].errorAction = errorActionOf(menuTarget(1)); }, "menu 1"},
      {"form2.fnBranch.4", [](ApplicationDefinition& d) { d.form[1].fnBranch[3] = kBranchDeleteLast; },
       "Delete last from DataFile"},
      {"form2.fnSumMultiplier.1", [](ApplicationDefinition& d) { d.form[1].setSumMultiplier(0, 2); }, "field 3"},
      {"form2.fnRemainsUnusedBits.2", [](ApplicationDefinition& d) { d.form[1].fnRemainsField[1] = 0xFF; }, "0xE0"},
      {"lookup3.delimiter", [](ApplicationDefinition& d) { d.lookup[2].delimiter = ','; }, "\",\" (44)"},
      {"lookup3.delimiter", [](ApplicationDefinition& d) { d.lookup[2].delimiter = 0; }, "Fixed length"},
      {"lookup3.unused", [](ApplicationDefinition& d) { d.lookup[2].unused[1] = 0xAB; }, "00 AB + 94 zeros"},
      {"barcode.scanMode", [](ApplicationDefinition& d) { d.barcodeSettings.set(barcode::scanMode, 8); }, "Aiming"},
      {"barcode.byte8.unusedBits", [](ApplicationDefinition& d) { d.barcodeSettings.options[8] = 0x5A; }, "0x5A"},
      {"wedge.lockType", [](ApplicationDefinition& d) { d.wedgeSettings.set(wedge::lockType, 3); }, "3"},
      {"system.unused65", [](ApplicationDefinition& d) { d.systemSettings.unused65[2] = 1; }, "00 00 01"},
      {"system.codeId.plessey", [](ApplicationDefinition& d) { copyCode(d.systemSettings.codeId[14], "PL"); }, "\"PL\""},
      {"messages.miscContinuous.3",
       [](ApplicationDefinition& d) {
         std::memset(d.msgMiscContinuous.entry[2], 0, sizeof d.msgMiscContinuous.entry[2]);
         copyText(d.msgMiscContinuous.entry[2], "Bye");
       },
       "\"Bye\""},
      {"weightCode.flagsUnusedBits", [](ApplicationDefinition& d) { writeWord(d.weightCode.flagsWord, 0x8003); }, "0x8000"},
      {"weightCode.marker", [](ApplicationDefinition& d) { d.weightCode.setMarker(0x1234); }, "4660"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    auto def = newDesign();
    c.change(*def);
    EXPECT_EQ(valueOf(*def, c.name), c.expected);
  }
}

TEST(DesignText, DiffNamesEachChangedSettingWithBothValuesInFileOrder) {
  auto a = newDesign();
  auto b = std::make_unique<ApplicationDefinition>(*a);
  b->systemSettings.backlight = kBacklightOn;
  copyText(b->menu[1].caption, "Stock");
  const auto changes = diffDesigns(*a, *b);
  ASSERT_EQ(changes.size(), 2u);
  EXPECT_EQ(changes[0].name, "menu2.caption");
  EXPECT_EQ(changes[0].oldValue, "\"\"");
  EXPECT_EQ(changes[0].newValue, "\"Stock\"");
  EXPECT_EQ(changes[1].name, "system.backlight");
  EXPECT_EQ(changes[1].oldValue, "Turn off");
  EXPECT_EQ(changes[1].newValue, "Turn on");
  const auto changed = changedSettings(*b, *a);
  ASSERT_EQ(changed.size(), 2u);
  EXPECT_EQ(changed[1].value, "Turn on");
}

}  // namespace
}  // namespace torvik
