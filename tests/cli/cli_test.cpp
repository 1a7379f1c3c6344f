// The command line every torvik-cli command shares: option parsing, help, exit codes, and the
// image command end to end through files.
#include "cli/cli.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "cli/console.h"
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
      {"image", {"a.tvx", "-oout.bin"}, nullptr},
      {"image", {"-", "-o", "-"}, nullptr},
      {"image", {"a.tvx", "-ox", "-oy"}, "-o given twice"},
      {"show", {"a.tvx", "-cx"}, "unknown option -cx"},
      {"image", {"-o", "out.bin", "a.tvx"}, nullptr},
      {"check", {"a.tvx", "--lookup", "1=x.txt", "--lookup=2=y.txt"}, nullptr},
      {"receive", {"--port=/dev/ttyS0", "--", "-odd name.txt"}, nullptr},
      {"image", {"a.tvx", "-o"}, "-o needs a value (IMAGE)"},
      {"image", {"a.tvx", "-o", "x", "-o", "y"}, "-o given twice"},
      {"show", {"a.tvx", "--changed=yes"}, "--changed takes no value"},
      {"show", {"a.tvx", "--bogus"}, "unknown option --bogus"},
      {"show", {}, "got too few operands"},
      {"diff", {"a", "b", "c"}, "got too many operands"},
      {"check", {"a.tvx", "b.tvx"}, "expects DESIGN, got too many operands"},
      {"image", {"a.tvx", "b.tvx", "-o", "x"}, "got too many operands"},
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

  ParsedArgs attached;
  ASSERT_TRUE(parseArgs(command("image"), {"-o-", "-"}, attached, help, error));
  EXPECT_EQ(attached.value("-o"), "-");
  EXPECT_EQ(attached.positionals, std::vector<std::string>{"-"});
}

TEST(CliRun, EveryUsageErrorEndsWithTheHintAtItsHelpAndHelpCommandIsCommandHelp) {
  const struct {
    const char* command;
    std::vector<std::string> args;
  } cases[] = {
      {"image", {"image", "a.tvx"}},
      {"receive", {"receive", "out.txt"}},
      {"lookup", {"lookup", "x.txt", "--port=p", "--rate=1"}},
      {"lookup", {"lookup", "x.txt", "--port=p", "--transport=usb"}},
      {"download", {"download", "a.tvx", "--port=p", "--retries=x"}},
      {"check", {"check", "a.tvx", "--lookup", "4=x"}},
      {"show", {"show", "--bogus", "a.tvx"}},
      {"diff", {"diff", "a.tvx"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const CliRun r = runCliCaptured(c.args);
    EXPECT_EQ(r.code, kExitUsage);
    const std::string hint = std::string("\nRun 'torvik-cli ") + c.command + " --help' for its usage.\n";
    ASSERT_GE(r.err.size(), hint.size());
    EXPECT_EQ(r.err.substr(r.err.size() - hint.size()), hint) << r.err;
  }
  for (const CliCommand& c : cliCommands()) {
    SCOPED_TRACE(c.name);
    const CliRun viaHelp = runCliCaptured({"help", c.name});
    EXPECT_EQ(viaHelp.code, kExitDone);
    EXPECT_EQ(viaHelp.out, runCliCaptured({c.name, "--help"}).out);
  }
  const CliRun unknown = runCliCaptured({"help", "upload"});
  EXPECT_EQ(unknown.code, kExitUsage);
  EXPECT_NE(unknown.err.find("unknown command 'upload'"), std::string::npos);
}

// Standard input read from a file for the length of one run, as a shell's < does.
class StandardInputFrom {
 public:
  explicit StandardInputFrom(const std::string& path) : saved_(dup(0)) {
    const int fd = open(path.c_str(), O_RDONLY);
    dup2(fd, 0);
    close(fd);
    std::clearerr(stdin);
  }
  ~StandardInputFrom() {
    dup2(saved_, 0);
    close(saved_);
    std::clearerr(stdin);
  }

 private:
  int saved_;
};

TEST(CliRun, AFileOfDashIsStandardInput) {
  ScratchFolder folder;
  auto def = std::make_unique<ApplicationDefinition>();
  makeNewDesign(*def);
  copyText(def->form[0].line(0).prompt, "Article");
  def->lookup[0].fieldCount = 1;
  def->lookup[0].memberLength = 3;
  def->lookup[0].fieldLength[0] = 3;
  def->lookup[0].fieldOffset[0] = 1;
  const std::string design = folder.putDesign("a.tvx", *def);
  const std::string lookup = folder.put("items.txt", "abc\r\nabcd\r\n");
  const struct {
    std::vector<std::string> fromFile, fromInput;
    const char* input;
  } cases[] = {
      {{"show", design}, {"show", "-"}, "a.tvx"},
      {{"check", design, "--lookup", "1=" + lookup}, {"check", design, "--lookup", "1=-"}, "items.txt"},
      {{"image", design, "-o", "-"}, {"image", "-", "-o-"}, "a.tvx"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.fromInput));
    const CliRun fromFile = runCliCaptured(c.fromFile);
    StandardInputFrom input(folder.path(c.input));
    const CliRun fromInput = runCliCaptured(c.fromInput);
    EXPECT_EQ(fromInput.code, fromFile.code);
    EXPECT_FALSE(fromInput.out.empty());
    std::string expected = fromFile.out;
    // A finding names standard input as other tools do.
    for (std::size_t at; (at = expected.find(lookup)) != std::string::npos;) expected.replace(at, lookup.size(), "(standard input)");
    EXPECT_EQ(fromInput.out, expected);
  }
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
  const std::string design = folder.putNewDesign("a.tvx");
  const struct {
    std::vector<std::string> args;
    bool writes;  // false: nothing written, the input's fault stands
  } kCases[] = {
      {{"show", design}, true},
      {{"--help"}, true},
      {{"check", design, "--quiet"}, true},
      {{"image", design, "-o", "-"}, true},
      {{"show", folder.path("none.tvx")}, false},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    RefusingOutput refusing;
    std::ostream out(&refusing);
    std::ostringstream err;
    const int reason = ENOSPC;
    CliIo io{out, err, false, false, &reason};
    // One exit code for an output that cannot be written, whichever command it is.
    EXPECT_EQ(runCli(c.args, io), kExitUsage);
    EXPECT_EQ(err.str().find("cannot write the output: No space left on device") != std::string::npos, c.writes)
        << err.str();
  }
}

// The program's own standard output on a full device: the system's reason reaches the message.
TEST(CliRun, StandardOutputOnAFullDiskSaysSo) {
  ScratchFolder folder;
  const std::string design = folder.putNewDesign("a.tvx");
  std::fflush(stdout);
  const int saved = dup(1);
  const int full = open("/dev/full", O_WRONLY);
  ASSERT_GE(full, 0);
  dup2(full, 1);
  close(full);
  int code = 0;
  std::ostringstream err;
  {
    StandardOutput output;
    std::ostream out(&output);
    CliIo io{out, err, false, false, output.error()};
    code = runCli({"show", design}, io);
  }
  dup2(saved, 1);
  close(saved);
  EXPECT_EQ(code, kExitUsage);
  EXPECT_EQ(err.str(), "torvik-cli: cannot write the output: No space left on device\n");
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
  EXPECT_EQ(unwritable.code, kExitUsage);
  EXPECT_NE(unwritable.err.find(folder.path("no/such/folder.bin") + ": No such file or directory"), std::string::npos)
      << unwritable.err;
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

TEST(CliDesignFiles, EachKindOfDesignGetsItsOwnNote) {
  // What the loader found out reaches the user: an upgrade, a conversion, a short file.
  auto fresh = std::make_unique<ApplicationDefinition>();
  makeNewDesign(*fresh);
  auto image = std::make_unique<std::uint8_t[]>(kProjectFileSize);
  writeProjectFile(*fresh, *reinterpret_cast<std::uint8_t(*)[kProjectFileSize]>(image.get()));
  const std::string current(reinterpret_cast<const char*>(image.get()), kProjectFileSize);
  const std::size_t revisionAt = offsetof(ApplicationDefinition, systemSettings);
  auto revision = [&](int r, const char* tag = "T900RU004") {
    std::string bytes = current;
    bytes.replace(0, 9, tag);
    bytes[revisionAt] = static_cast<char>(r);
    return bytes;
  };
  std::string legacy(kLegacyProjectSize, '\0');
  legacy.replace(0, 8, "Rxx-3.10");

  const struct {
    const char* name;
    std::string bytes;
    bool upgraded, family, incomplete;
  } rows[] = {
      {"current", current, false, false, false},
      {"revision 3", revision(3), true, false, false},
      {"revision 2", revision(2), true, false, false},
      {"revision 1", revision(1), true, false, false},
      {"first version's tag", revision(1, "T900-1.00"), true, false, false},
      {"legacy", legacy, false, true, false},
      {"short", current.substr(0, 5000), false, false, true},
      {"short revision 3", revision(3).substr(0, 18600), true, false, true},
  };
  ScratchFolder folder;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const std::string path = folder.put("design.tvx", row.bytes);
    auto def = std::make_unique<ApplicationDefinition>();
    std::ostringstream out, err;
    CliIo io{out, err};
    ASSERT_TRUE(loadDesign(path, *def, io));
    const std::string notes = err.str();
    EXPECT_EQ(notes.find("older revision of the format") != std::string::npos, row.upgraded) << notes;
    EXPECT_EQ(notes.find("older terminal family") != std::string::npos, row.family) << notes;
    EXPECT_EQ(notes.find("incomplete") != std::string::npos, row.incomplete) << notes;
    EXPECT_EQ(def->systemSettings.schemaRevision, kSchemaRevision);
    EXPECT_TRUE(out.str().empty());
  }
}

TEST(CliDesignFiles, AnIncompleteDesignIsShownButNotImagedOrDownloadedUnlessAllowed) {
  ScratchFolder folder;
  auto def = std::make_unique<ApplicationDefinition>();
  makeNewDesign(*def);
  copyText(def->form[0].line(0).prompt, "Article");
  auto file = std::make_unique<std::uint8_t[]>(kProjectFileSize);
  writeProjectFile(*def, *reinterpret_cast<std::uint8_t(*)[kProjectFileSize]>(file.get()));
  const std::string port = "--port=" + folder.path("no-port");
  // The blocks end at kDefinitionSize; the zero trailer after them is no setting.
  for (const std::size_t size : {std::size_t{6}, std::size_t{5000}, kDefinitionSize - 1, kDefinitionSize, kProjectFileSize}) {
    const bool whole = size >= kDefinitionSize;
    const std::string design = folder.put("d" + std::to_string(size) + ".tvx", file.get(), size);
    const std::string image = folder.path("d.bin");
    const std::string lacks = "the file is incomplete (" + std::to_string(size) + " bytes, a design takes " +
                              std::to_string(kDefinitionSize) + "): the settings it lacks are those of a new design";
    const struct {
      std::vector<std::string> args;
      int code;        // for an incomplete file
      bool refused;
    } cases[] = {
        {{"image", design, "-o", image}, kExitUsage, true},
        {{"download", design, port}, kExitUsage, true},
        {{"image", design, "-o", image, "--allow-incomplete"}, kExitDone, false},
        {{"download", "--allow-incomplete", design, port}, kExitFailed, false},  // on to the port
        {{"show", design}, kExitDone, false},
    };
    for (const auto& c : cases) {
      SCOPED_TRACE(::testing::PrintToString(c.args) + " of " + std::to_string(size) + " bytes");
      std::remove(image.c_str());
      const CliRun r = runCliCaptured(c.args);
      const bool portTried = r.err.find("Cannot open the COM port") != std::string::npos;
      if (whole) {
        EXPECT_EQ(r.err.find("incomplete"), std::string::npos) << r.err;
        EXPECT_EQ(r.code, c.args[0] == "download" ? kExitFailed : kExitDone);
        continue;
      }
      EXPECT_EQ(r.code, c.code) << r.err;
      EXPECT_NE(r.err.find(design + ": " + (c.refused ? "" : "warning: ") + lacks), std::string::npos) << r.err;
      if (c.refused) {
        EXPECT_NE(r.err.find("--allow-incomplete"), std::string::npos) << r.err;
        EXPECT_FALSE(portTried) << "refused before the terminal is asked";
        EXPECT_FALSE(folder.has("d.bin"));
      } else if (c.args[0] == "image") {
        EXPECT_TRUE(folder.has("d.bin"));
      }
    }
  }
}

}  // namespace
}  // namespace torvik
