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
#include "definition/legacy_project.h"
#include "definition/project_file.h"
#include "link/program_image.h"

namespace torvik {
namespace {

struct Outcome {
  int code;
  std::string out;
  std::string err;
};

Outcome run(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  CliIo io{out, err};
  const int code = runCli(args, io);
  return {code, out.str(), err.str()};
}

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
    const Outcome help = run({c.name, "--help"});
    EXPECT_EQ(help.code, kExitDone);
    EXPECT_NE(help.out.find(std::string("torvik-cli ") + c.name), std::string::npos);
    for (const OptionSpec& o : c.options) EXPECT_NE(help.out.find(o.name), std::string::npos) << o.name;
    const Outcome bad = run({c.name, "--no-such-option"});
    EXPECT_EQ(bad.code, kExitUsage);
    EXPECT_TRUE(bad.out.empty());
  }
  EXPECT_EQ(run({}).code, kExitUsage);
  EXPECT_EQ(run({"--help"}).code, kExitDone);
  const Outcome unknown = run({"upload"});
  EXPECT_EQ(unknown.code, kExitUsage);
  EXPECT_NE(unknown.err.find("unknown command 'upload'"), std::string::npos);
  EXPECT_NE(run({"--version"}).out.find("torvik-cli "), std::string::npos);
}

// A folder of its own under the system's temporary folder, removed with its files.
class TempFolder {
 public:
  TempFolder() {
    char pattern[] = "/tmp/torvik-cli-XXXXXX";
    path_ = mkdtemp(pattern);
  }
  ~TempFolder() { std::system(("rm -rf '" + path_ + "'").c_str()); }
  std::string file(const char* name) const { return path_ + "/" + name; }
  void write(const char* name, const void* data, std::size_t size) const {
    std::ofstream(file(name), std::ios::binary).write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  std::string read(const char* name) const {
    std::ifstream in(file(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool exists(const char* name) const { return access(file(name).c_str(), F_OK) == 0; }

 private:
  std::string path_;
};

TEST(CliImage, WritesTheBuildersImageOfTheDesignAndNothingOnAFault) {
  TempFolder folder;
  auto def = std::make_unique<ApplicationDefinition>();
  makeNewDesign(*def);
  copyText(def->form[0].line(0).prompt, "Article");
  auto file = std::make_unique<std::uint8_t[]>(kProjectFileSize);
  writeProjectFile(*def, *reinterpret_cast<std::uint8_t(*)[kProjectFileSize]>(file.get()));
  folder.write("a.tvx", file.get(), kProjectFileSize);

  const Outcome done = run({"image", folder.file("a.tvx"), "-o", folder.file("a.bin")});
  ASSERT_EQ(done.code, kExitDone) << done.err;
  auto expected = std::make_unique<ProgramImage>();
  buildProgramImage(*def, *expected);
  EXPECT_EQ(folder.read("a.bin"), std::string(reinterpret_cast<const char*>(expected->bytes), kImageSize));
  EXPECT_FALSE(folder.exists("a.bin.part"));

  EXPECT_EQ(run({"image", folder.file("a.tvx")}).code, kExitUsage);  // no -o
  const Outcome missing = run({"image", folder.file("none.tvx"), "-o", folder.file("b.bin")});
  EXPECT_EQ(missing.code, kExitUsage);
  EXPECT_NE(missing.err.find("none.tvx"), std::string::npos);
  folder.write("text.tvx", "not a design at all", 19);
  const Outcome mismatch = run({"image", folder.file("text.tvx"), "-o", folder.file("b.bin")});
  EXPECT_EQ(mismatch.code, kExitUsage);
  EXPECT_NE(mismatch.err.find("Format mismatch"), std::string::npos);
  EXPECT_FALSE(folder.exists("b.bin"));
  const Outcome unwritable = run({"image", folder.file("a.tvx"), "-o", folder.file("no/such/folder.bin")});
  EXPECT_EQ(unwritable.code, kExitFailed);
  EXPECT_FALSE(unwritable.err.empty());
}

TEST(CliDesignFiles, ReadsShortAndLegacyFilesWithANote) {
  TempFolder folder;
  std::vector<std::uint8_t> legacy(kLegacyProjectSize, 0);
  std::memcpy(legacy.data(), "Rxx-4.00", 8);
  folder.write("old.atx", legacy.data(), legacy.size());
  auto def = std::make_unique<ApplicationDefinition>();
  std::ostringstream out, err;
  CliIo io{out, err};
  ASSERT_TRUE(loadDesign(folder.file("old.atx"), *def, io));
  EXPECT_NE(err.str().find("older terminal family"), std::string::npos) << err.str();

  auto file = std::make_unique<std::uint8_t[]>(kProjectFileSize);
  makeNewDesign(*def);
  writeProjectFile(*def, *reinterpret_cast<std::uint8_t(*)[kProjectFileSize]>(file.get()));
  folder.write("short.tvx", file.get(), 5000);
  err.str("");
  ASSERT_TRUE(loadDesign(folder.file("short.tvx"), *def, io));
  EXPECT_NE(err.str().find("incomplete"), std::string::npos) << err.str();
}

}  // namespace
}  // namespace torvik
