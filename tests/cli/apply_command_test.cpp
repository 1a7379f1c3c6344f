// torvik-cli apply end to end: show's text read back into a design file, from a file or from
// standard input, and a refused line that leaves OUT unwritten.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <sstream>

#include "cli/cli.h"
#include "cli/design_files.h"
#include "tests/cli/cli_test_support.h"

namespace torvik {
namespace {

class ApplyCommand : public ::testing::Test {
 protected:
  // Runs torvik-cli with `input` as its standard input.
  CliRun run(const std::vector<std::string>& args, const std::string& input = std::string()) {
    std::istringstream in(input);
    std::ostringstream out, err;
    CliIo io{out, err};
    io.in = &in;
    const int code = runCli(args, io);
    return {code, out.str(), err.str()};
  }
  static std::unique_ptr<ApplicationDefinition> fresh() {
    auto def = std::make_unique<ApplicationDefinition>();
    makeNewDesign(*def);
    return def;
  }
  // A design with every byte random but the format's own marks, which a file must keep.
  static std::unique_ptr<ApplicationDefinition> scrambled(std::uint32_t seed) {
    auto def = fresh();
    std::mt19937 random(seed);
    for (int f = 0; f < kFormCount; ++f)
      for (std::size_t i = 0; i < sizeof(FormRecord); ++i) reinterpret_cast<std::uint8_t*>(&def->form[f])[i] = random();
    for (int m = 0; m < kMenuCount; ++m)
      for (std::size_t i = 0; i < sizeof(MenuRecord); ++i) reinterpret_cast<std::uint8_t*>(&def->menu[m])[i] = random();
    return def;
  }
  ScratchFolder scratch_;
};

TEST_F(ApplyCommand, ShowOfAPipedIntoApplyOnBMakesAFileEqualToA) {
  for (std::uint32_t seed = 1; seed <= 3; ++seed) {
    SCOPED_TRACE(seed);
    const std::string a = scratch_.putDesign("a.tvx", *scrambled(seed));
    const std::string b = scratch_.putDesign("b.tvx", *fresh());
    const CliRun shown = run({"show", a});
    ASSERT_EQ(shown.code, kExitDone) << shown.err;
    const CliRun applied = run({"apply", b, "-o", scratch_.path("c.tvx")}, shown.out);
    ASSERT_EQ(applied.code, kExitDone) << applied.err;
    EXPECT_EQ(scratch_.get("c.tvx"), scratch_.get("a.tvx"));
    EXPECT_EQ(run({"diff", a, scratch_.path("c.tvx")}).code, kExitDone);
  }
}

TEST_F(ApplyCommand, ChangesFromAFileOrDashSetOnlyTheSettingsNamed) {
  const std::string b = scratch_.putDesign("b.tvx", *fresh());
  const std::string changes = scratch_.put("changes.txt", "# stock count\r\nform3.font = large\r\n\r\nmenu1.caption = \"Stock\"\r\n");
  for (const std::vector<std::string>& args : {std::vector<std::string>{"apply", b, changes, "-o", scratch_.path("c.tvx")},
                                               std::vector<std::string>{"apply", b, "-", "-o", scratch_.path("c.tvx")}}) {
    SCOPED_TRACE(args[2]);
    const CliRun r = run(args, scratch_.get("changes.txt"));
    ASSERT_EQ(r.code, kExitDone) << r.err;
    EXPECT_EQ(run({"show", "--changed", scratch_.path("c.tvx")}).out, "menu1.caption = \"Stock\"\nform3.font = large\n");
  }
}

TEST_F(ApplyCommand, ARefusedLineAppliesNothingAndLeavesOutAsItWas) {
  const std::string b = scratch_.putDesign("b.tvx", *fresh());
  const struct {
    const char* changes;
    const char* message;
  } kCases[] = {
      {"form3.font = large\nform4.font = huge\n", "changes.txt:2: form4.font: no choice named \"huge\"\n"},
      {"form3.font = large\nform99.font = small\nmenu1.font = 1\n", "changes.txt:2: no setting is named \"form99.font\"\n"},
      {"\n\nform1.line1.prompt = \"a text far longer than twenty-one\"\n", "changes.txt:3: form1.line1.prompt: the text has 33"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.changes);
    scratch_.put("out.tvx", "the old file");
    const CliRun r = run({"apply", b, scratch_.put("changes.txt", c.changes), "-o", scratch_.path("out.tvx")});
    EXPECT_EQ(r.code, kExitUsage);
    EXPECT_NE(r.err.find(scratch_.path(c.message)), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("nothing applied"), std::string::npos);
    EXPECT_EQ(scratch_.get("out.tvx"), "the old file");
    EXPECT_FALSE(scratch_.has("out.tvx.part"));
  }
  const CliRun none = run({"apply", b, "-o", scratch_.path("new.tvx")}, "bogus\n");
  EXPECT_EQ(none.code, kExitUsage);
  EXPECT_NE(none.err.find("standard input:1: not a NAME = VALUE line"), std::string::npos) << none.err;
  EXPECT_FALSE(scratch_.has("new.tvx"));
}

TEST_F(ApplyCommand, BadUsageAndUnreadableInputsExitTwoAndAnUnwritableOutOne) {
  const std::string b = scratch_.putDesign("b.tvx", *fresh());
  EXPECT_EQ(run({"apply", b}).code, kExitUsage);  // no -o
  EXPECT_EQ(run({"apply", scratch_.path("missing.tvx"), "-o", scratch_.path("c.tvx")}).code, kExitUsage);
  EXPECT_EQ(run({"apply", b, scratch_.path("missing.txt"), "-o", scratch_.path("c.tvx")}).code, kExitUsage);
  EXPECT_EQ(run({"apply", b, "-o", scratch_.path("no/such/folder/c.tvx")}, "form1.font = large\n").code, kExitUsage);
  EXPECT_FALSE(scratch_.has("c.tvx"));
}

}  // namespace
}  // namespace torvik
