// The command line every torvik-cli command shares: option parsing, help, exit codes, and the
// image command end to end through files.
#include "cli/cli.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "cli/design_files.h"
#include "tests/cli/cli_test_support.h"
#include "definition/legacy_project.h"
#include "definition/project_file.h"
#include "link/program_image.h"

namespace torvik {
namespace {

const CliCommand& command(const char* name) {
  for (const CliCommand& c : cliCommands())
    if (std::strcmp(c.name, name) == 0) return c;
  throw std::runtime_error(name);
}

TEST(CliArgs, ParsesOptionsAndOperandsOrRefusesWithAReason) {
  struct Case {
    const char* command;
    std::vector<std::string> args;
    const char* error;  // nullptr: accepted
  } cases[] = {
      {"image", {"a.tvx", "-o", "out.bin"}, nullptr},
      {"image", {"-o", "out.bin", "a.tvx"}, nullptr},
      {"check", {"a.tvx", "--lookup", "1=x.txt", "--lookup=2=y.txt"}, nullptr},
      {"receive", {"--port=/dev/ttyS0", "--", "-odd name.txt"}, nullptr},
      {"image", {"a.tvx", "-o"}, "-o needs a value (IMAGE)"},
      {"image", {"a.tvx", "-o", "x", "-o", "y"}, "-o given twice"},
      {"show", {"a.tvx", "--changed=yes"}, "--changed takes no value"},
      {"show", {"a.tvx", "--bogus"}, "unknown option --bogus"},
      {"show", {}, "got too few operands"},
      {"diff", {"a", "b", "c"}, "got too many operands"},
      {"apply", {"a.tvx", "-o", "out.tvx"}, nullptr},
      {"apply", {"a.tvx", "-", "-o", "out.tvx"}, nullptr},
      {"apply", {"a.tvx", "b.txt", "c.txt", "-o", "out.tvx"}, "got too many operands"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    ParsedArgs parsed;
    bool help = true;
    std::string error;
    const bool ok = parseArgs(command(c.command), c.args, parsed, help, error);
    EXPECT_FALSE(help);
    if (c.error == nullptr) {
      EXPECT_TRUE(ok) << error;
    } else {
      EXPECT_FALSE(ok);
      EXPECT_NE(error.find(c.error), std::string::npos) << error;
    }
  }
  ParsedArgs parsed;
  bool help = false;
  std::string error;
  ASSERT_TRUE(parseArgs(command("check"), {"--lookup", "1=x", "d.tvx", "--lookup=3=y", "--quiet"}, parsed, help, error));
  EXPECT_EQ(parsed.positionals, std::vector<std::string>{"d.tvx"});
  EXPECT_EQ(parsed.values("--lookup"), (std::vector<std::string>{"1=x", "3=y"}));
  EXPECT_TRUE(parsed.has("--quiet"));
  EXPECT_EQ(parsed.value("--port", "none"), "none");
}

TEST(CliRun, EveryCommandHasHelpAndTheExitCodesAreThoseAScriptExpects) {
  for (const CliCommand& c : cliCommands()) {
    SCOPED_TRACE(c.name);
    // Help wins over missing operands and is written to standard output.
    const CliRun help = runCliCaptured({c.name, "--help"});
    EXPECT_EQ(help.code, kExitDone);
    EXPECT_NE(help.out.find(std::string("torvik-cli ") + c.name), std::string::npos);
    for (const OptionSpec& o : c.options) EXPECT_NE(help.out.find(o.name), std::string::npos) << o.name;
    const CliRun bad = runCliCaptured({c.name, "--no-such-option"});
    EXPECT_EQ(bad.code, kExitUsage);
    EXPECT_TRUE(bad.out.empty());
  }
  EXPECT_EQ(runCliCaptured({}).code, kExitUsage);
  EXPECT_EQ(runCliCaptured({"--help"}).code, kExitDone);
  const CliRun unknown = runCliCaptured({"upload"});
  EXPECT_EQ(unknown.code, kExitUsage);
  EXPECT_NE(unknown.err.find("unknown command 'upload'"), std::string::npos);
  EXPECT_NE(runCliCaptured({"--version"}).out.find("torvik-cli "), std::string::npos);
}

// Standard output on a full disk or a closed pipe: every character is refused.
class RefusingOutput : public std::streambuf {
 protected:
  int_type overflow(int_type) override { return traits_type::eof(); }
};

TEST(CliRun, OutputThatCannotBeWrittenFailsTheRun) {
  ScratchFolder folder;
  auto def = std::make_unique<ApplicationDefinition>();
  makeNewDesign(*def);
  const std::string design = folder.putDesign("a.tvx", *def);
  const struct {
    std::vector<std::string> args;
    int code;
  } kCases[] = {
      {{"show", design}, kExitFailed},
      {{"--help"}, kExitFailed},
      {{"check", design, "--quiet"}, kExitFailed},
      {{"show", folder.path("none.tvx")}, kExitUsage},  // nothing written: the input's fault stands
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    RefusingOutput refusing;
    std::ostream out(&refusing);
    std::ostringstream err;
    CliIo io{out, err};
    EXPECT_EQ(runCli(c.args, io), c.code);
    if (c.code == kExitFailed) {
      EXPECT_NE(err.str().find("cannot write the output"), std::string::npos) << err.str();
    }
  }
}

TEST(CliImage, WritesTheBuildersImageOfTheDesignAndNothingOnAFault) {
  ScratchFolder folder;
  auto def = std::make_unique<ApplicationDefinition>();
  makeNewDesign(*def);
  copyText(def->form[0].line(0).prompt, "Article");
  auto file = std::make_unique<std::uint8_t[]>(kProjectFileSize);
  writeProjectFile(*def, *reinterpret_cast<std::uint8_t(*)[kProjectFileSize]>(file.get()));
  folder.put("a.tvx", file.get(), kProjectFileSize);

  const CliRun done = runCliCaptured({"image", folder.path("a.tvx"), "-o", folder.path("a.bin")});
  ASSERT_EQ(done.code, kExitDone) << done.err;
  auto expected = std::make_unique<ProgramImage>();
  buildProgramImage(*def, *expected);
  EXPECT_EQ(folder.get("a.bin"), std::string(reinterpret_cast<const char*>(expected->bytes), kImageSize));
  EXPECT_FALSE(folder.has("a.bin.part"));

  EXPECT_EQ(runCliCaptured({"image", folder.path("a.tvx")}).code, kExitUsage);  // no -o
  const CliRun missing = runCliCaptured({"image", folder.path("none.tvx"), "-o", folder.path("b.bin")});
  EXPECT_EQ(missing.code, kExitUsage);
  EXPECT_NE(missing.err.find("none.tvx"), std::string::npos);
  folder.put("text.tvx", "not a design at all", 19);
  const CliRun mismatch = runCliCaptured({"image", folder.path("text.tvx"), "-o", folder.path("b.bin")});
  EXPECT_EQ(mismatch.code, kExitUsage);
  EXPECT_NE(mismatch.err.find("Format mismatch"), std::string::npos);
  EXPECT_FALSE(folder.has("b.bin"));
  const CliRun unwritable = runCliCaptured({"image", folder.path("a.tvx"), "-o", folder.path("no/such/folder.bin")});
  EXPECT_EQ(unwritable.code, kExitFailed);
  EXPECT_FALSE(unwritable.err.empty());
}

TEST(CliDesignFiles, ReadsShortAndLegacyFilesWithANote) {
  ScratchFolder folder;
  std::vector<std::uint8_t> legacy(kLegacyProjectSize, 0);
  std::memcpy(legacy.data(), "Rxx-4.00", 8);
  folder.put("old.atx", legacy.data(), legacy.size());
  auto def = std::make_unique<ApplicationDefinition>();
  std::ostringstream out, err;
  CliIo io{out, err};
  ASSERT_TRUE(loadDesign(folder.path("old.atx"), *def, io));
  EXPECT_NE(err.str().find("older terminal family"), std::string::npos) << err.str();

  auto file = std::make_unique<std::uint8_t[]>(kProjectFileSize);
  makeNewDesign(*def);
  writeProjectFile(*def, *reinterpret_cast<std::uint8_t(*)[kProjectFileSize]>(file.get()));
  folder.put("short.tvx", file.get(), 5000);
  err.str("");
  ASSERT_TRUE(loadDesign(folder.path("short.tvx"), *def, io));
  EXPECT_NE(err.str().find("incomplete"), std::string::npos) << err.str();
}

}  // namespace
}  // namespace torvik
