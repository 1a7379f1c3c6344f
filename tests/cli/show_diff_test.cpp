// torvik-cli show and diff end to end, on design files written into a temporary folder.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/design_files.h"
#include "tests/cli/cli_test_support.h"
#include "definition/legacy_project.h"
#include "definition/project_file.h"

namespace torvik {
namespace {

// `show` of a new design, reviewed by eye: tests/cli/data/new_design_show.inc. It holds form 1,
// menu 1 and lookup 1 only; the others of a new design are the same under their own number.
const char kNewDesignText[] =
#include "data/new_design_show.inc"
    ;

// The kept text with forms 2 to 10, menus 2 to 10 and lookups 2 and 3 made from the first
// (a new form's Next leads to the form itself).
std::string expandedNewDesignText() {
  std::istringstream kept(kNewDesignText + 1);  // the file's text starts on its second line
  std::string text, line;
  std::vector<std::string> block;
  std::string blockKind;  // "form", "menu", "lookup" while one is gathered
  const auto flush = [&] {
    const int copies = blockKind == "lookup" ? 3 : 10;
    for (int n = 2; n <= copies && !block.empty(); ++n) {
      for (std::string l : block) {
        l.replace(0, blockKind.size() + 1, blockKind + std::to_string(n));
        if (l.find(".nextTarget = form 1") != std::string::npos) l.replace(l.size() - 1, 1, std::to_string(n));
        text += l + "\n";
      }
    }
    block.clear();
    blockKind.clear();
  };
  while (std::getline(kept, line)) {
    std::string kind;
    for (const char* k : {"form", "menu", "lookup"})
      if (line.compare(0, std::strlen(k) + 2, std::string(k) + "1.") == 0) kind = k;
    if (kind != blockKind) flush();
    if (!kind.empty()) {
      blockKind = kind;
      block.push_back(line);
    }
    text += line + "\n";
  }
  flush();
  return text;
}

class ShowDiff : public ::testing::Test {
 protected:
  std::string path(const std::string& name) const { return scratch_.path(name); }
  std::string writeBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    return scratch_.put(name, bytes.data(), bytes.size());
  }
  std::string writeDesign(const std::string& name, const ApplicationDefinition& def) const {
    return scratch_.putDesign(name, def);
  }
  static std::unique_ptr<ApplicationDefinition> fresh() {
    auto def = std::make_unique<ApplicationDefinition>();
    makeNewDesign(*def);
    return def;
  }

 private:
  ScratchFolder scratch_;
};

// A text set as the editor would leave it after the user typed it into an empty field.
template <std::size_t N>
void setText(char (&field)[N], const char* text) {
  std::memset(field, 0, N);
  copyText(field, text);
}

TEST_F(ShowDiff, ShowOfANewDesignIsTheKeptText) {
  const CliRun r = runCliCaptured({"show", writeDesign("new.tvx", *fresh())});
  EXPECT_EQ(r.code, kExitDone);
  EXPECT_EQ(r.err, "");
  const std::string expected = expandedNewDesignText();
  if (r.out != expected) {
    const std::string actual = ::testing::TempDir() + "new_design_show.actual.txt";
    std::FILE* f = std::fopen(actual.c_str(), "wb");
    if (f != nullptr) {
      std::fwrite(r.out.data(), 1, r.out.size(), f);
      std::fclose(f);
    }
    std::size_t at = 0;
    while (at < r.out.size() && at < expected.size() && r.out[at] == expected[at]) ++at;
    const std::size_t line = expected.rfind('\n', at) == std::string::npos ? 0 : expected.rfind('\n', at) + 1;
    ADD_FAILURE() << "show differs from the kept text at: " << expected.substr(line, expected.find('\n', line) - line)
                  << "\nthe whole text is in " << actual;
  }
}

TEST_F(ShowDiff, ShowChangedPrintsOnlyWhatDiffersFromANewDesign) {
  const CliRun none = runCliCaptured({"show", "--changed", writeDesign("new.tvx", *fresh())});
  EXPECT_EQ(none.code, kExitDone);
  EXPECT_EQ(none.out, "");

  auto def = fresh();
  FormLine line = def->form[2].line(1);
  line.dataType = kDataInteger;
  setText(line.prompt, "Quantity");
  line.maxLength = 6;
  def->form[2].escTarget = menuTarget(2);
  def->menu[1].item(4).next = formTarget(3);
  def->lookup[0].field(0).length = 12;
  setText(def->msgMainMenu.entry[0], "1.Count stock");
  def->systemSettings.backlight = kBacklightOn;
  def->barcodeSettings.set(barcode::code93, false);
  const CliRun r = runCliCaptured({"show", "--changed", writeDesign("edited.tvx", *def)});
  EXPECT_EQ(r.code, kExitDone);
  EXPECT_EQ(r.out,
            "barcode.code93.enabled = off\n"
            "menu2.item5.next = form 3\n"
            "form3.escTarget = menu 2\n"
            "form3.line2.dataType = integer\n"
            "form3.line2.prompt = \"Quantity\"\n"
            "form3.line2.maxLength = 6\n"
            "lookup1.fieldLength.1 = 12\n"
            "messages.mainMenu.1 = \"1.Count stock\"\n"
            "system.backlight = Turn on\n");
}

TEST_F(ShowDiff, DiffNamesExactlyTheChangeMade) {
  const struct {
    const char* what;
    std::function<void(ApplicationDefinition&)> change;
    const char* expected;
  } kCases[] = {
      {"a prompt", [](ApplicationDefinition& d) { setText(d.form[2].prompt[1], "Qty"); },
       "form3.line2.prompt: \"\" -> \"Qty\"\n"},
      {"a bit", [](ApplicationDefinition& d) { d.barcodeSettings.set(barcode::code39FullAscii, true); },
       "barcode.code39.fullAscii: off -> on\n"},
      {"a target", [](ApplicationDefinition& d) { d.menu[1].item(4).next = menuTarget(7); },
       "menu2.item5.next: main menu -> menu 7\n"},
      {"a message entry", [](ApplicationDefinition& d) { d.msgErrors.entry[5][0] = '!'; },
       "messages.errors.6: \"Wrong leading code!\" -> \"!rong leading code!\"\n"},
      {"a lookup field", [](ApplicationDefinition& d) { d.lookup[1].field(2).offset = 7; },
       "lookup2.fieldOffset.3: 1 -> 7\n"},
      {"a byte nothing uses", [](ApplicationDefinition& d) { d.form[9].unused[162] = 0xFF; },
       "form10.unused: 163 zeros -> 162 zeros + FF\n"},
  };
  const std::string before = writeDesign("before.tvx", *fresh());
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    auto def = fresh();
    c.change(*def);
    const CliRun r = runCliCaptured({"diff", before, writeDesign("after.tvx", *def)});
    EXPECT_EQ(r.code, kExitFailed);
    EXPECT_EQ(r.out, c.expected);
  }
  const CliRun same = runCliCaptured({"diff", before, before});
  EXPECT_EQ(same.code, kExitDone);
  EXPECT_EQ(same.out, "");
}

TEST_F(ShowDiff, ALegacyDesignShowsAndEqualsItsConvertedSave) {
  std::vector<std::uint8_t> legacy(kLegacyProjectSize, 0);
  std::memcpy(legacy.data(), "Rxx-4.00", 8);
  legacy[8] = 0x12;  // the header word, kept only for such files
  legacy[9] = 0x34;
  legacy[35 + 1] = 1;  // menu 1: caption on, caption "Shop"
  std::memcpy(&legacy[35 + 2], "Shop", 4);
  const std::string old = writeBytes("old.dat", legacy);

  const CliRun shown = runCliCaptured({"show", old});
  EXPECT_EQ(shown.code, kExitDone);
  EXPECT_NE(shown.out.find("\nheaderWord = 12 34\n"), std::string::npos);
  EXPECT_NE(shown.out.find("\nmenu1.caption = \"Shop\"\n"), std::string::npos);
  EXPECT_NE(shown.err.find("converted"), std::string::npos);

  auto converted = std::make_unique<ApplicationDefinition>();
  std::ostringstream out, err;
  CliIo io{out, err};
  ASSERT_TRUE(loadDesign(old, *converted, io));
  const CliRun diff = runCliCaptured({"diff", old, writeDesign("converted.tvx", *converted)});
  EXPECT_EQ(diff.code, kExitDone);
  EXPECT_EQ(diff.out, "");
}

TEST_F(ShowDiff, UnreadableInputIsExitTwoWithAMessageAndNoText) {
  const std::string good = writeDesign("good.tvx", *fresh());
  const std::string missing = path("missing.tvx");
  const std::string notADesign = writeBytes("notes.txt", {'h', 'e', 'l', 'l', 'o'});
  const std::vector<std::vector<std::string>> kRuns = {
      {"show", missing},       {"show", notADesign},      {"diff", good, missing},
      {"diff", notADesign, good}, {"show", good, good},   {"diff", good},
      {"show", "--changes", good},
  };
  for (const auto& args : kRuns) {
    SCOPED_TRACE(args.back());
    const CliRun r = runCliCaptured(args);
    EXPECT_EQ(r.code, kExitUsage);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err, "");
  }
}

}  // namespace
}  // namespace torvik
