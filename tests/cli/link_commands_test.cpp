// download, lookup and receive before and around the line: their options and exit codes,
// the console's messages, progress and questions, and the received file that never loses
// what it held. The transfers themselves run against the terminal peer (peer_cli_test.sh).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "base/string_ids.h"
#include "cli/cli.h"
#include "cli/console_link_ui.h"
#include "cli/design_files.h"
#include "cli/received_file.h"
#include "tests/cli/cli_test_support.h"

namespace torvik {
namespace {

TEST(LinkCommands, BadOptionsAndUnreadableInputsAreUsageErrorsAPortThatWillNotOpenAFailure) {
  ScratchFolder s;
  s.put("lookup.txt", "A,1\r\nB,2\r\n");
  s.put("long.txt", "ok\r\n" + std::string(254, 'x') + "\r\n");
  s.put("unix.txt", "A,1\r\nB,2\nC,3\n");
  const std::string port = "--port=" + s.path("no-such-tty");
  struct Case {
    std::vector<std::string> args;
    int code;
    const char* says;
  } cases[] = {
      {{"receive", s.path("out.txt")}, kExitUsage, "--port NAME is required"},
      {{"lookup", s.path("lookup.txt"), port, "--rate", "4800"}, kExitUsage, "unsupported rate '4800'"},
      {{"lookup", s.path("lookup.txt"), port, "--rate", "0"}, kExitUsage, "unsupported rate '0'"},  // past the table
      {{"lookup", s.path("lookup.txt"), port, "--rate", "115200 "}, kExitUsage, "unsupported rate '115200 '"},
      {{"lookup", s.path("lookup.txt"), port, "--transport", "usb"}, kExitUsage, "unknown transport 'usb'"},
      {{"lookup", s.path("lookup.txt"), port, "--retries", "-1"}, kExitUsage, "--retries takes a count from 0 to 1000, not '-1'"},
      {{"download", s.path("none.tvx"), port, "--retries=1001"}, kExitUsage, "not '1001'"},
      {{"lookup", s.path("lookup.txt"), port, "--retries", "2x"}, kExitUsage, "not '2x'"},
      {{"lookup", s.path("lookup.txt"), port, "--retries", "1000"}, kExitFailed, "Cannot open the COM port"},
      {{"download", s.path("none.tvx"), port}, kExitUsage, "none.tvx"},
      {{"lookup", s.path("none.txt"), port}, kExitUsage, "Error: Cannot open the file!"},
      {{"lookup", s.path("long.txt"), port}, kExitUsage, "Error: Line 2 of the file is longer than 253 characters!"},
      {{"lookup", s.path("unix.txt"), port}, kExitUsage, "unix.txt:2: lines end in a line feed alone"},
      {{"receive", s.path("no/folder/out.txt"), port}, kExitUsage, "Error: File open/create failed!"},
      {{"lookup", s.path("lookup.txt"), port, "--transport=irda", "--rate=9600"}, kExitFailed, "Error: Cannot open the COM port!"},
      {{"receive", s.path("out.txt"), port, "--transport=cradle"}, kExitFailed, "No such file or directory"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const CliRun r = runCliCaptured(c.args);
    EXPECT_EQ(r.code, c.code);
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
  }
  // The receive that could not open its port leaves no file behind.
  EXPECT_FALSE(s.has("out.txt"));
}

TEST(LinkCommands, AFileTooLargeIsRefusedByItsSizeWithTheReasonFirst) {
  ScratchFolder s;
  const std::string design = s.putNewDesign("a.tvx");
  // Sparse: 2 GiB that take no disk and would take seconds to read.
  const std::string huge = s.put("huge.txt", "");
  ASSERT_EQ(truncate(huge.c_str(), off_t{2} << 30), 0);
  const std::string port = "--port=" + s.path("no-port");
  for (const std::vector<std::string>& args : {std::vector<std::string>{"lookup", huge, port},
                                               std::vector<std::string>{"check", design, "--lookup", "1=" + huge}}) {
    SCOPED_TRACE(args[0]);
    const CliRun r = runCliCaptured(args);
    EXPECT_EQ(r.code, kExitUsage);
    EXPECT_EQ(r.err, "torvik-cli " + args[0] + ": " + huge + ": larger than 1073741823 bytes\n");
  }
  // A file that cannot be opened: the reason, then the desktop's message.
  const CliRun missing = runCliCaptured({"lookup", s.path("none.txt"), port});
  EXPECT_EQ(missing.err, "torvik-cli lookup: " + s.path("none.txt") + ": No such file or directory\nError: Cannot open the file!\n");
}

TEST(ConsoleLinkUi, MessagesAreLinesProgressOnlyOnATerminalAndQuestionsAnswerNoWithoutOne) {
  std::ostringstream log;
  {
    ConsoleLinkUi ui(log, false, nullptr, nullptr);
    ui.progressOpen();
    ui.progressSet(5);
    ui.progressClose();
    ui.counterBegin();
    ui.counterUpdate(3);
    ui.counterEnd();
    ui.show(kStrDownload, kStrDownloadedCompletely, BoxIcon::Information);
    ui.showNumber(kStrUploadData, kStrReceiveIncomplete, BoxIcon::Exclamation, 7);
    EXPECT_FALSE(ui.ask(kStrError, kStrRetryQuestion, BoxIcon::Question));
    EXPECT_FALSE(ui.askViewReceived(12));
  }
  EXPECT_EQ(log.str(),
            "Download: Downloaded completely!\n"
            "Upload Data: Transfer not finished: 7 records received and kept in the file.\n"
            "Error: Failed to download, would you like to retry? No (no terminal to answer on)\n"
            "Upload Data: Done : 12 records received.\n");

  std::ostringstream screen;
  std::istringstream keys("yes\n\nn\n");
  bool interrupted = false;
  {
    ConsoleLinkUi ui(screen, true, &keys, [&] { return interrupted; });
    ui.progressOpen();
    ui.progressSet(5);
    ui.progressSet(5);
    ui.progressSet(100);
    EXPECT_TRUE(ui.ask(kStrError, kStrRetryQuestion, BoxIcon::Question));
    EXPECT_FALSE(ui.ask(kStrError, kStrRetryQuestion, BoxIcon::Question));
    ui.counterBegin();
    ui.counterUpdate(9);
    ui.counterUpdate(10);
    interrupted = true;
    EXPECT_FALSE(ui.ask(kStrError, kStrRetryQuestion, BoxIcon::Question));
  }
  EXPECT_EQ(screen.str(),
            "\rDownloading... 5%\rDownloading... 100%\n"
            "Error: Failed to download, would you like to retry? [y/N] "
            "Error: Failed to download, would you like to retry? [y/N] "
            "\rData received : 9\rData received : 10\n"
            "Error: Failed to download, would you like to retry? No (interrupted)\n");
  EXPECT_EQ(keys.tellg(), 5);  // the interrupted question read nothing
}

TEST(ConsoleLinkUi, RetriesAnswerTheQuestionWithoutReadingTheKeyboard) {
  std::ostringstream screen;
  std::istringstream keys("y\ny\ny\n");
  {
    ConsoleLinkUi ui(screen, true, &keys, nullptr);
    ui.answerYesTimes(2);
    EXPECT_TRUE(ui.ask(kStrError, kStrRetryQuestion, BoxIcon::Question));
    EXPECT_TRUE(ui.ask(kStrError, kStrRetryQuestion, BoxIcon::Question));
    EXPECT_FALSE(ui.ask(kStrError, kStrRetryQuestion, BoxIcon::Question));
    ui.answerYesTimes(0);
    EXPECT_FALSE(ui.ask(kStrError, kStrRetryQuestion, BoxIcon::Question));
  }
  EXPECT_EQ(screen.str(),
            "Error: Failed to download, would you like to retry? Yes (retry 1 of 2)\n"
            "Error: Failed to download, would you like to retry? Yes (retry 2 of 2)\n"
            "Error: Failed to download, would you like to retry? No (no retries left)\n"
            "Error: Failed to download, would you like to retry? No (--retries 0)\n");
  EXPECT_EQ(keys.tellg(), 0);
  EXPECT_NE(runCliCaptured({"download", "--help"}).out.find("--retries N"), std::string::npos);
}

TEST(ReceivedFile, AppendsAfterWhatWasThereAndRemovesOnlyAFileItMade) {
  ScratchFolder s;
  const std::string old = "old 1\r\nold 2 without its line end";
  s.put("out.txt", old);
  std::string error;
  const auto bytes = [](const std::string& t) { return reinterpret_cast<const std::uint8_t*>(t.data()); };

  ReceivedFile file;
  ASSERT_TRUE(file.open(s.path("out.txt"), ReceivedFile::Mode::Append, error)) << error;
  EXPECT_EQ(file.startSize(), old.size());
  ReceivedFile second;
  EXPECT_FALSE(second.open(s.path("out.txt"), ReceivedFile::Mode::Append, error));  // one receive at a time
  EXPECT_TRUE(file.finish(false, error));
  EXPECT_EQ(s.get("out.txt"), old);  // nothing arrived: not a byte changed, and still there

  ASSERT_TRUE(file.open(s.path("out.txt"), ReceivedFile::Mode::Append, error));
  {
    FileRecordSink sink(file, file.startSize());
    ASSERT_TRUE(sink.writeRecord(bytes("rec 1"), 5));
    ASSERT_TRUE(sink.writeRecord(bytes("rec 2"), 5));
    // A cut-back after a failed write goes to the last complete record and no further.
    ASSERT_TRUE(file.write(bytes("rec 3 in pa"), 11));
    ASSERT_TRUE(sink.dropUnfinishedRecord());
  }
  EXPECT_TRUE(file.finish(true, error));
  EXPECT_EQ(s.get("out.txt"), old + "\r\nrec 1\r\nrec 2\r\n");
  ASSERT_TRUE(file.open(s.path("out.txt"), ReceivedFile::Mode::Append, error));
  EXPECT_TRUE(file.finish(false, error));  // not kept, but it was there before
  EXPECT_EQ(s.get("out.txt"), old + "\r\nrec 1\r\nrec 2\r\n");

  ASSERT_TRUE(file.open(s.path("made.txt"), ReceivedFile::Mode::Append, error));
  EXPECT_EQ(file.startSize(), 0u);
  EXPECT_TRUE(file.finish(false, error));
  EXPECT_FALSE(s.has("made.txt"));
}

TEST(ReceivedFile, NewReplacesTheFileOnlyWhenRecordsCameAndLeavesWhatOthersPutBesideIt) {
  ScratchFolder s;
  s.put("out.txt", "old\r\n");
  // What an interrupted receive of an older version left beside the file may be all it
  // got, and a link planted there must not be followed: neither is written to.
  s.put("out.txt.part", "records\r\n");
  ASSERT_EQ(symlink(s.path("victim.txt").c_str(), s.path(".out.txt.part").c_str()), 0);
  std::string error;
  ReceivedFile file;
  ASSERT_TRUE(file.open(s.path("out.txt"), ReceivedFile::Mode::New, error)) << error;
  const std::string writing = file.writingPath();
  EXPECT_NE(writing, s.path("out.txt.part"));
  EXPECT_EQ(writing.rfind(s.path(""), 0), 0u) << "beside OUT: " << writing;
  EXPECT_TRUE(file.finish(false, error));
  EXPECT_EQ(s.get("out.txt"), "old\r\n");
  EXPECT_EQ(access(writing.c_str(), F_OK), -1);

  ASSERT_TRUE(file.open(s.path("out.txt"), ReceivedFile::Mode::New, error));
  ASSERT_TRUE(file.write(reinterpret_cast<const std::uint8_t*>("new\r\n"), 5));
  EXPECT_EQ(s.get("out.txt"), "old\r\n");  // replaced only at the end
  EXPECT_TRUE(file.finish(true, error));
  EXPECT_EQ(s.get("out.txt"), "new\r\n");
  EXPECT_EQ(access(file.writingPath().c_str(), F_OK), -1);
  EXPECT_EQ(s.get("out.txt.part"), "records\r\n");
  EXPECT_FALSE(s.has("victim.txt"));
}

}  // namespace
}  // namespace torvik
