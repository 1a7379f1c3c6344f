// torvik-cli check: every kind of finding from a crafted edit of a small working design or a
// crafted lookup file, and the command's output and exit codes.
#include "check/design_check.h"

#include <gtest/gtest.h>

#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/design_files.h"
#include "tests/cli/cli_test_support.h"
#include "definition/design_text.h"
#include "definition/project_file.h"
#include "editor/lookup_rules.h"

namespace torvik {
namespace {

// A new design with something to run: form 1 takes an item looked up in lookup 1 (tab
// delimited, fields of 5, 10 and 3), menu 1 offers form 1 twice, lookup 2 is one field of a
// whole line.
std::unique_ptr<ApplicationDefinition> workingDesign() {
  auto def = std::make_unique<ApplicationDefinition>();
  makeNewDesign(*def);
  FormLine line = def->form[0].line(0);
  line.dataType = kDataText;
  copyText(line.prompt, "Item");
  line.maxLength = 10;
  line.lookupField = 1;
  def->form[0].lookupIndex = 1;
  MenuRecord& menu = def->menu[0];
  copyText(menu.itemName[0], "1.Count");
  copyText(menu.itemName[1], "2.Count again");
  menu.itemNext[0] = menu.itemNext[1] = formTarget(1);
  LookupRecord& items = def->lookup[0];
  items.fieldCount = 3;
  items.fieldLength[0] = 5;
  items.fieldLength[1] = 10;
  items.fieldLength[2] = 3;
  items.delimiter = kTabDelimiter;
  applyLookupLayout(items);
  LookupRecord& lines = def->lookup[1];
  lines.fieldCount = 1;
  lines.memberLength = kMaxLookupLine;
  lines.fieldLength[0] = kMaxLookupLine;
  lines.delimiter = kFixedLengthRecords;
  return def;
}

// The large font for all prompts, with the wide groups' texts blank.
void largeFontBlank(ApplicationDefinition& def) {
  def.systemSettings.largeFont = 1;
  for (int g = 0; g < kMessageGroupCount; ++g) {
    const MessageGroupView group = messageGroup(def, g);
    if (group.width == 21) std::memset(group.text, 0, static_cast<std::size_t>(group.entries * group.width));
  }
  std::memset(def.systemSettings.settingsText, 0, sizeof def.systemSettings.settingsText);
}

std::vector<std::string> lines(const std::vector<CheckFinding>& findings) {
  std::vector<std::string> out;
  for (const CheckFinding& f : findings)
    out.push_back((f.severity == Severity::Error ? "error: " : "warning: ") + f.where + ": " + f.text);
  return out;
}

std::vector<std::string> expected(const char* line) {
  return line == nullptr ? std::vector<std::string>() : std::vector<std::string>{line};
}

TEST(DesignCheck, NewAndWorkingDesignsHaveNoFindings) {
  auto def = std::make_unique<ApplicationDefinition>();
  makeNewDesign(*def);
  EXPECT_EQ(lines(checkDesign(*def)), std::vector<std::string>());
  EXPECT_EQ(lines(checkDesign(*workingDesign())), std::vector<std::string>());
}

TEST(DesignCheck, EachKindOfFindingNamesItsSetting) {
  using Edit = std::function<void(ApplicationDefinition&)>;
  struct Row {
    const char* name;
    Edit edit;
    const char* finding;  // nullptr: none
  } rows[] = {
      // Targets of screens that run.
      {"esc to an empty form", [](ApplicationDefinition& d) { d.form[0].escTarget = formTarget(2); },
       "error: form1.escTarget: leads to form 2, which has no input lines"},
      {"next to an empty menu", [](ApplicationDefinition& d) { d.form[0].nextTarget = menuTarget(3); },
       "error: form1.nextTarget: leads to menu 3, which has no items"},
      {"error target", [](ApplicationDefinition& d) { d.form[0].errorAction = errorActionOf(formTarget(4)); },
       "error: form1.errorAction: leads to form 4, which has no input lines"},
      {"function-key branch", [](ApplicationDefinition& d) { d.form[0].fnBranch[1] = 5; },
       "error: form1.fnBranch.2: leads to form 5, which has no input lines"},
      {"menu item", [](ApplicationDefinition& d) { d.menu[0].itemNext[1] = menuTarget(2); },
       "error: menu1.item2.next: leads to menu 2, which has no items"},
      {"a target past the screens", [](ApplicationDefinition& d) { d.menu[0].escTarget = 30; },
       "error: menu1.escTarget: is 30, which names no screen (0 main menu, 1-10 forms, 11-20 menus)"},
      {"an empty form's own targets do not matter", [](ApplicationDefinition& d) { d.form[5].escTarget = formTarget(7); },
       nullptr},
      {"the start", [](ApplicationDefinition& d) {
         d.systemSettings.startFrom = kStartMenu1;
         for (auto& name : d.menu[0].itemName) name[0] = '\0';
       },
       "error: system.startFrom: the program starts at menu 1, which has no items"},
      {"a blank item pushes a later one off the list", [](ApplicationDefinition& d) {
         copyText(d.menu[0].itemName[1], "   ");
         copyText(d.menu[0].itemName[2], "3.Last");
       },
       "warning: menu1.item3.name: item 3 is never listed: items 1 to 2 are listed, and item 2 is blank"},
      // Texts and their display.
      {"large-font item", [](ApplicationDefinition& d) {
         d.menu[0].font = 1;
         copyText(d.menu[0].itemName[0], "1.Count the shelf");
       },
       "warning: menu1.item1.name: name has 17 characters, the display shows 15"},
      {"caption", [](ApplicationDefinition& d) {
         d.menu[0].captionOn = 1;
         std::memset(d.menu[0].caption, 'C', sizeof d.menu[0].caption);
       },
       "warning: menu1.caption: caption has 21 characters, the display shows 20"},
      {"trailing blanks lose nothing", [](ApplicationDefinition& d) {
         d.menu[0].font = 1;
         copyText(d.menu[0].itemName[0], "1.Count              ");
       },
       nullptr},
      {"large-font prompt", [](ApplicationDefinition& d) {
         d.form[0].font = 1;
         copyText(d.form[0].prompt[0], "Item on the shelf");
       },
       "warning: form1.line1.prompt: prompt has 17 characters, the display shows 15"},
      {"a prompt of the display's width leaves no room", [](ApplicationDefinition& d) {
         copyText(d.form[0].prompt[0], "Item on the shelf ..");
       },
       "warning: form1.line1.prompt: prompt takes all 20 columns of the display, leaving none for the input"},
      {"one column less leaves one", [](ApplicationDefinition& d) { copyText(d.form[0].prompt[0], "Item on the shelf ."); },
       nullptr},
      {"an extension line takes the input", [](ApplicationDefinition& d) {
         copyText(d.form[0].prompt[0], "Item on the shelf ..");
         d.form[0].dataType[1] = kDataExtension;
       },
       nullptr},
      {"a line the large font drops", [](ApplicationDefinition& d) {
         d.form[0].font = 1;
         d.form[0].dataType[5] = kDataInteger;
       },
       "warning: form1.line6.dataType: the large font shows lines 1 to 4, so line 6 is dropped at download"},
      {"message entry", [](ApplicationDefinition& d) { std::memset(d.msgMainMenu.entry[0], 'M', 16); },
       "warning: messages.mainMenu.1: text has 16 characters, the display shows 15"},
      {"large font: a wide group shows 15", [](ApplicationDefinition& d) {
         largeFontBlank(d);
         copyText(d.msgDownloadPort.entry[4], "1234567890123456");
       },
       "warning: messages.downloadPort.5: text has 16 characters, the display shows 15"},
      {"large font: a line it does not show", [](ApplicationDefinition& d) {
         largeFontBlank(d);
         copyText(d.msgDownloadPort.entry[5], "12345678901234567890");
       },
       nullptr},
      {"settings text", [](ApplicationDefinition& d) { std::memset(d.systemSettings.settingsText[0], 'S', 21); },
       "warning: system.settingsText.1: text has 21 characters, the display shows 20"},
      // Lengths.
      {"min above max", [](ApplicationDefinition& d) { d.form[0].minLength[0] = 12; },
       "error: form1.line1.minLength: minLength is 12, above maxLength 10"},
      {"max above a field", [](ApplicationDefinition& d) { d.form[0].maxLength[0] = 95; },
       "error: form1.line1.maxLength: maxLength is 95, at most 80"},
      {"max 0", [](ApplicationDefinition& d) { d.form[0].maxLength[0] = 0; },
       "error: form1.line1.maxLength: maxLength is 0, so the field holds nothing"},
      {"initial value", [](ApplicationDefinition& d) {
         d.form[0].initialOn[0] = 1;
         copyText(d.form[0].initialText[0], "123456789");
         d.form[0].maxLength[0] = 8;
       },
       "error: form1.line1.initialText: initialText has 9 characters, above maxLength 8"},
      {"fixed length below min", [](ApplicationDefinition& d) {
         d.form[0].minLength[0] = 5;
         d.form[0].fixedLengthOn[0] = 1;
         d.form[0].fixedLength[0] = 4;
       },
       "error: form1.line1.fixedLength: fixedLength is 4, below minLength 5"},
      {"partial read above max", [](ApplicationDefinition& d) {
         d.form[0].partialOn[0] = 1;
         d.form[0].partialMax[0] = 11;
       },
       "error: form1.line1.partialMax: partialMax is 11, above maxLength 10"},
      {"barcode lengths", [](ApplicationDefinition& d) {
         d.barcodeSettings.set(barcode::industrial25, 1);
         d.barcodeSettings.industrial25Length.setRangeMode(true);
         d.barcodeSettings.industrial25Length.setMaxLength(10);
         d.barcodeSettings.industrial25Length.minLength = 12;
       },
       "error: barcode.industrial25.minLength: minLength is 12, above maxLength 10"},
      {"a data type that does not exist", [](ApplicationDefinition& d) { d.form[0].dataType[2] = 25; },
       "error: form1.line3.dataType: is 25, which names no data type (0 to 18)"},
      {"the last data type", [](ApplicationDefinition& d) { d.form[0].dataType[2] = kDataTypeCount - 1; }, nullptr},
      {"decimals of a real", [](ApplicationDefinition& d) {
         d.form[0].dataType[0] = kDataReal;
         d.form[0].decimals[0] = 7;
       },
       "error: form1.line1.decimals: decimals is 7, at most 6"},
      {"six decimals", [](ApplicationDefinition& d) {
         d.form[0].dataType[0] = kDataReal;
         d.form[0].decimals[0] = 6;
       },
       nullptr},
      // Summation by a function key.
      {"a summed field the lookup lacks", [](ApplicationDefinition& d) {
         d.form[0].fnBranch[1] = kBranchSummation;
         d.form[0].setSumField(1, 3);
       },
       "error: form1.fnSumField.2: refers to field 4 of lookup 1, which has fields 1 to 3"},
      {"its last field", [](ApplicationDefinition& d) {
         d.form[0].fnBranch[1] = kBranchSummation;
         d.form[0].setSumField(1, 2);
         d.form[0].setSumMultiplier(1, 1);
       },
       nullptr},
      {"a multiplier the lookup lacks", [](ApplicationDefinition& d) {
         d.form[0].fnBranch[3] = kBranchSummation;
         d.form[0].setSumMultiplier(3, 5);
       },
       "error: form1.fnSumMultiplier.4: refers to field 6 of lookup 1, which has fields 1 to 3"},
      {"a summed lookup not defined", [](ApplicationDefinition& d) {
         d.form[0].fnBranch[0] = kBranchSummation;
         d.form[0].fnSumSource[0] = 2;
       },
       "error: form1.fnSumSource.1: uses lookup 3, which is not defined (memberLength 0, fieldCount 0)"},
      {"a source past the data file", [](ApplicationDefinition& d) {
         d.form[0].fnBranch[0] = kBranchSummation;
         d.form[0].fnSumSource[0] = 4;
       },
       "error: form1.fnSumSource.1: is 4, which names no source (0-2 the lookup files, 3 the data file)"},
      {"the data file has any field", [](ApplicationDefinition& d) {
         d.form[0].fnBranch[0] = kBranchSummation;
         d.form[0].fnSumSource[0] = kSumSourceDataFile;
         d.form[0].setSumField(0, 7);
       },
       nullptr},
      {"a summation that is not chosen", [](ApplicationDefinition& d) { d.form[0].setSumField(0, 7); }, nullptr},
      // Lookup definitions and the lines that use them.
      {"a field the lookup lacks", [](ApplicationDefinition& d) { d.form[0].lookupField[0] = 5; },
       "error: form1.line1.lookupField: refers to field 5 of lookup 1, which has fields 1 to 3"},
      {"an undefined lookup", [](ApplicationDefinition& d) { d.form[0].lookupIndex = 3; },
       "error: form1.lookupIndex: uses lookup 3, which is not defined (memberLength 0, fieldCount 0)"},
      {"fixed field past the record", [](ApplicationDefinition& d) {
         LookupRecord& l = d.lookup[0];
         l.delimiter = kFixedLengthRecords;
         l.fieldLength[2] = 4;  // 18 to 21 of 20
       },
       "error: lookup1.fieldLength.3: field 3 takes positions 18 to 21, the record has positions 1 to 20"},
      {"delimited line too long", [](ApplicationDefinition& d) { d.lookup[0].fieldLength[0] = 241; },
       "error: lookup1.fieldLength.3: line length is 256, at most 253"},
      {"member length not what the fields take", [](ApplicationDefinition& d) { d.lookup[0].memberLength = 25; },
       "error: lookup1.memberLength: memberLength is 25, the fields and their delimiters take 20"},
      {"key field", [](ApplicationDefinition& d) { d.lookup[0].keyField = 3; },
       "error: lookup1.keyField: refers to field 4 of lookup 1, which has fields 1 to 3"},
      {"CR as the delimiter", [](ApplicationDefinition& d) { d.lookup[0].delimiter = '\r'; },
       "error: lookup1.delimiter: delimiter is 13, a line end, which the lookup download cannot carry"},
  };
  // A finding names the setting as show prints it.
  std::set<std::string> names;
  for (const SettingField& field : settingFields()) names.insert(field.name);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    auto def = workingDesign();
    row.edit(*def);
    const std::vector<CheckFinding> findings = checkDesign(*def);
    EXPECT_EQ(lines(findings), expected(row.finding));
    for (const CheckFinding& f : findings) EXPECT_EQ(names.count(f.where), 1u) << f.where;
  }
}

// The large font shows fewer lines of the wide startup groups; a text on a line it does not
// show cannot be too wide, the line before it can.
TEST(DesignCheck, TheLargeFontDropsTheLastLinesOfEachWideStartupGroup) {
  const struct {
    int group;
    int hidden;
    int shown;
  } rows[] = {{9, 5, 4}, {13, 4, 3}, {13, 5, 3}, {14, 6, 5}, {14, 7, 5}, {17, 2, 1}, {17, 3, 1}};
  for (const auto& row : rows) {
    SCOPED_TRACE(messageSettingName(row.group, row.hidden));
    auto def = workingDesign();
    largeFontBlank(*def);
    const MessageGroupView group = messageGroup(*def, row.group);
    ASSERT_EQ(group.width, 21);
    copyText(group.entry(row.hidden), 21, "1234567890123456789");
    copyText(group.entry(row.shown), 21, "1234567890123456");
    EXPECT_EQ(lines(checkDesign(*def)),
              std::vector<std::string>{"warning: " + messageSettingName(row.group, row.shown) + ": text has 16 characters, the display shows 15"});
  }
}

TEST(DesignCheck, LookupLinesAsTheDownloadSendsThem) {
  const auto def = workingDesign();
  const std::string longest(kMaxLookupLine, 'x');
  struct Row {
    const char* name;
    int lookup;
    std::string text;
    const char* finding;
  } rows[] = {
      {"CR LF lines that fit", 1, "ab\tcdefghijkl\txyz\r\nabcde\t\tx\r\n", nullptr},
      {"a bare CR and a last line without one", 1, "a\tb\tc\rd\te\tffff",
       "error: items.txt:2: field 3 has 4 characters, its length is 3 (lookup1)"},
      {"fields for the delimiter", 1, "a\tb\tc\r\na\tb\r\n",
       "error: items.txt:2: line has 2 fields, records have 3 separated by tab (lookup1)"},
      {"a field longer than its length", 1, "abcdef\tb\tc\r\n",
       "error: items.txt:1: field 1 has 6 characters, its length is 5 (lookup1)"},
      {"an empty line", 1, "a\tb\tc\r\n\r\nd\tb\tc\r\n",
       "warning: items.txt:2: line is empty, but the download sends it as a record (lookup1)"},
      {"line feeds alone end no line", 1, "a\tb\tc\nd\te\tf\n",
       "error: items.txt:1: 2 lines end in a line feed alone: the terminal gets one line of 10 characters (lookup1)"},
      {"a whole line", 2, longest + "\r\n", nullptr},
      {"one past a line", 2, longest + "x\r\n", "error: items.txt:1: line has 254 characters, a line carries at most 253 (lookup2)"},
      {"fixed-length record", 2, "short\r\n", "error: items.txt:1: line has 5 characters, records have 253 (lookup2)"},
      {"a key an earlier line has", 1, "a\tb\tc\r\nb\tb\tc\r\nab\tx\ty\r\na\tz\tz\r\n",
       "warning: items.txt:4: key 'a' (field 1) is on line 1 already: the terminal finds the first (lookup1)"},
      {"a NUL byte", 1, std::string("a\tb\tc\r\nd\te\0f\tg\r\n", 16),
       "error: items.txt:2: character 4 is a NUL byte, which ends a text on the terminal (lookup1)"},
      {"a byte-order mark", 1, "\xEF\xBB\xBF" "a\tb\tc\r\n",
       "error: items.txt:1: line starts with a UTF-8 byte-order mark, 3 characters of the record (lookup1)"},
      {"the same bytes past the first line", 1, "a\tb\tc\r\n\xEF\xBB\xBF\tb\tc\r\n", nullptr},
      {"an undefined lookup", 3, "x\r\n",
       "error: items.txt: the design does not define this lookup (memberLength 0, fieldCount 0) (lookup3)"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(row.text.data());
    EXPECT_EQ(lines(checkLookupFile(*def, row.lookup, "items.txt", bytes, row.text.size())), expected(row.finding));
  }
}

TEST(DesignCheck, KeysOfFixedLengthRecordsAndLinesLongerThanMemory) {
  auto def = workingDesign();
  LookupRecord& codes = def->lookup[2];  // records of 8: a number of 1, the key of 3, a text of 4
  codes.fieldCount = 3;
  codes.memberLength = 8;
  codes.keyField = 1;
  codes.delimiter = kFixedLengthRecords;
  const int offsets[] = {1, 2, 5}, lengths[] = {1, 3, 4};
  for (int i = 0; i < 3; ++i) {
    codes.field(i).offset = static_cast<std::uint8_t>(offsets[i]);
    codes.field(i).length = static_cast<std::uint8_t>(lengths[i]);
  }
  const std::string text = "1234abcd\r\n1235abcd\r\n9234abce\r\n1235\r\n";
  EXPECT_EQ(lines(checkLookupFile(*def, 3, "codes.txt", reinterpret_cast<const std::uint8_t*>(text.data()), text.size())),
            (std::vector<std::string>{
                "warning: codes.txt:3: key '234' (field 2) is on line 1 already: the terminal finds the first (lookup3)",
                "error: codes.txt:4: line has 4 characters, records have 8 (lookup3)"}));

  // Enough keys for the table to grow: each repeat is still found.
  std::string many;
  for (int i = 0; i < 1000; ++i) {
    char record[16];
    std::snprintf(record, sizeof record, "1%03dabcd\r\n", i);
    many += record;
  }
  many += "9100abcd\r\n9999abcd\r\n";
  EXPECT_EQ(lines(checkLookupFile(*def, 3, "many.txt", reinterpret_cast<const std::uint8_t*>(many.data()), many.size())),
            (std::vector<std::string>{
                "warning: many.txt:1001: key '100' (field 2) is on line 101 already: the terminal finds the first (lookup3)",
                "warning: many.txt:1002: key '999' (field 2) is on line 1000 already: the terminal finds the first (lookup3)"}));

  // A line of 64 MiB taken piece by piece, as check reads a file: it is counted, not kept.
  LookupFileCheck check(*def, 2, "huge.txt");
  const std::vector<std::uint8_t> piece(1 << 20, 'x');
  const std::size_t before = mallinfo2().uordblks;
  for (int i = 0; i < 64; ++i) check.take(piece.data(), piece.size());
  EXPECT_LT(mallinfo2().uordblks, before + (1u << 20)) << "the line was kept";
  check.take(reinterpret_cast<const std::uint8_t*>("\r\nok\r"), 5);
  EXPECT_EQ(lines(check.finish()), (std::vector<std::string>{
                                       "error: huge.txt:1: line has 67108864 characters, a line carries at most 253 (lookup2)",
                                       "error: huge.txt:2: line has 2 characters, records have 253 (lookup2)"}));
}

// The command end to end, on files in the test's temporary folder.
struct CheckCommand : ::testing::Test {
  ScratchFolder scratch;
  std::string write(const std::string& name, const void* data, std::size_t size) { return scratch.put(name, data, size); }
  std::string writeDesign(const std::string& name, const ApplicationDefinition& def) { return scratch.putDesign(name, def); }
  CliRun run(const std::vector<std::string>& args) { return runCliCaptured(args); }
};

TEST_F(CheckCommand, ExitCodesOutputAndQuiet) {
  auto def = workingDesign();
  const std::string clean = writeDesign("clean.tvx", *def);
  def->form[0].minLength[0] = 12;
  const std::string faulty = writeDesign("faulty.tvx", *def);
  const std::string lookup = write("items.txt", "a\tb\r\n", 5);

  CliRun r = run({"check", clean});
  EXPECT_EQ(r.code, kExitDone);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "");
  // No findings, with a clean lookup file too: nothing, or the count 0, and exit 0.
  const std::string fits = write("fits.txt", "a\tb\tc\r\nd\te\tf\r\n", 14);
  for (const bool quiet : {false, true}) {
    SCOPED_TRACE(quiet ? "--quiet" : "findings");
    std::vector<std::string> args = {"check", clean, "--lookup", "1=" + fits};
    if (quiet) args.push_back("--quiet");
    r = run(args);
    EXPECT_EQ(r.code, kExitDone);
    EXPECT_EQ(r.out, quiet ? "0\n" : "");
    EXPECT_EQ(r.err, "");
  }
  r = run({"check", clean, faulty});  // two designs: the second is no lookup file
  EXPECT_EQ(r.code, kExitUsage);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("got too many operands"), std::string::npos);

  r = run({"check", faulty, "--lookup", "1=" + lookup});
  EXPECT_EQ(r.code, kExitFailed);
  EXPECT_EQ(r.out, "error: form1.line1.minLength: minLength is 12, above maxLength 10\nerror: " + lookup +
                       ":1: line has 2 fields, records have 3 separated by tab (lookup1)\n");
  r = run({"check", "--quiet", faulty, "--lookup=1=" + lookup});
  EXPECT_EQ(r.code, kExitFailed);
  EXPECT_EQ(r.out, "2\n");

  // Warnings alone pass unless --strict makes them count; an error fails either way.
  def = workingDesign();
  std::memset(def->menu[0].caption, 'C', sizeof def->menu[0].caption);
  def->menu[0].captionOn = 1;
  const std::string wide = writeDesign("wide.tvx", *def);
  const std::string repeated = write("repeated.txt", "a\tb\tc\r\na\tb\tc\r\n", 14);
  const struct {
    std::vector<std::string> args;
    int code;
  } exits[] = {
      {{"check", wide}, kExitDone},
      {{"check", wide, "--strict"}, kExitFailed},
      {{"check", clean, "--lookup", "1=" + repeated}, kExitDone},
      {{"check", clean, "--lookup", "1=" + repeated, "--strict"}, kExitFailed},
      {{"check", clean, "--strict"}, kExitDone},
      {{"check", faulty}, kExitFailed},
      {{"check", faulty, "--strict", "--quiet"}, kExitFailed},
  };
  for (const auto& e : exits) {
    SCOPED_TRACE(e.args.back());
    r = run(e.args);
    EXPECT_EQ(r.code, e.code);
  }
  r = run({"check", wide});
  EXPECT_EQ(r.out, "warning: menu1.caption: caption has 21 characters, the display shows 20\n");

  for (const std::string& bad : {std::string("4=") + lookup, std::string("1"), std::string("x=") + lookup,
                                 std::string("1="), std::string("1=") + scratch.path("missing.txt")}) {
    SCOPED_TRACE(bad);
    r = run({"check", clean, "--lookup", bad});
    EXPECT_EQ(r.code, kExitUsage);
    EXPECT_EQ(r.out, "") << "bad input prints no findings";
    EXPECT_NE(r.err, "");
  }
  r = run({"check", scratch.path("missing.tvx")});
  EXPECT_EQ(r.code, kExitUsage);
  EXPECT_NE(r.err.find("missing.tvx"), std::string::npos);
}

}  // namespace
}  // namespace torvik
