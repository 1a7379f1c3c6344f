// Where torvik-cli's outputs go: each kind of OUT (a file, a link, a FIFO, a device, a
// folder) through both writers, image's whole file and receive --new's growing one.
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <functional>
#include <set>
#include <thread>

#include "cli/design_files.h"
#include "cli/durable_files.h"
#include "cli/received_file.h"
#include "tests/cli/cli_test_support.h"

namespace torvik {
namespace {

std::set<std::string> namesIn(const std::string& folder) {
  std::set<std::string> names;
  if (DIR* dir = opendir(folder.c_str())) {
    while (const dirent* e = readdir(dir))
      if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0) names.insert(e->d_name);
    closedir(dir);
  }
  return names;
}

mode_t kindOf(const std::string& path) {
  struct stat st{};
  return lstat(path.c_str(), &st) == 0 ? st.st_mode & S_IFMT : 0;
}

// Writes `text` as the whole of OUT; false with the message in `error`.
using Writer = std::function<bool(const std::string& out, const std::string& text, std::string& error)>;

bool writeWhole(const std::string& out, const std::string& text, std::string& error) {
  return writeOutput(out, reinterpret_cast<const std::uint8_t*>(text.data()), text.size(), error);
}

bool receiveNew(const std::string& out, const std::string& text, std::string& error) {
  ReceivedFile file;
  if (!file.open(out, ReceivedFile::Mode::New, error)) return false;
  if (!file.write(reinterpret_cast<const std::uint8_t*>(text.data()), text.size())) return false;
  return file.finish(true, error);
}

TEST(CliOutput, EachKindOfOutIsWrittenWhereAUserExpectsAndNoTemporaryFileStays) {
  struct Row {
    const char* name;
    std::function<std::string(ScratchFolder&)> make;  // returns OUT
    const char* refusal;                               // nullptr: written
    std::function<void(ScratchFolder&, const std::string& text)> check;
  } rows[] = {
      {"a new file", [](ScratchFolder& s) { return s.path("new.bin"); }, nullptr,
       [](ScratchFolder& s, const std::string& text) { EXPECT_EQ(s.get("new.bin"), text); }},
      {"a file keeps its permissions",
       [](ScratchFolder& s) {
         chmod(s.put("old.bin", "old").c_str(), 0640);
         return s.path("old.bin");
       },
       nullptr,
       [](ScratchFolder& s, const std::string& text) {
         EXPECT_EQ(s.get("old.bin"), text);
         struct stat st{};
         stat(s.path("old.bin").c_str(), &st);
         EXPECT_EQ(st.st_mode & 0777, 0640u);
       }},
      {"a link: its target is replaced and it stays a link",
       [](ScratchFolder& s) {
         s.put("target.bin", "old");
         mkdir(s.path("sub").c_str(), 0777);
         symlink("../target.bin", s.path("sub/link.bin").c_str());
         return s.path("sub/link.bin");
       },
       nullptr,
       [](ScratchFolder& s, const std::string& text) {
         EXPECT_EQ(s.get("target.bin"), text);
         EXPECT_EQ(kindOf(s.path("sub/link.bin")), static_cast<mode_t>(S_IFLNK));
       }},
      {"a link to a file not there yet",
       [](ScratchFolder& s) {
         symlink("made.bin", s.path("link.bin").c_str());
         return s.path("link.bin");
       },
       nullptr,
       [](ScratchFolder& s, const std::string& text) {
         EXPECT_EQ(s.get("made.bin"), text);
         EXPECT_EQ(kindOf(s.path("link.bin")), static_cast<mode_t>(S_IFLNK));
       }},
      {"the device /dev/null stays a device", [](ScratchFolder&) { return std::string("/dev/null"); }, nullptr,
       [](ScratchFolder&, const std::string&) { EXPECT_EQ(kindOf("/dev/null"), static_cast<mode_t>(S_IFCHR)); }},
      {"a folder", [](ScratchFolder& s) {
         mkdir(s.path("folder").c_str(), 0777);
         return s.path("folder");
       },
       ": Is a directory", nullptr},
      {"a folder that is not there", [](ScratchFolder& s) { return s.path("none/out.bin"); },
       ": No such file or directory", nullptr},
  };
  const struct {
    const char* name;
    Writer write;
  } writers[] = {{"image", writeWhole}, {"receive --new", receiveNew}};
  for (const auto& writer : writers) {
    for (const Row& row : rows) {
      SCOPED_TRACE(std::string(writer.name) + ": " + row.name);
      ScratchFolder s;
      const std::string out = row.make(s);
      const std::set<std::string> before = namesIn(s.path(""));
      const std::string text = std::string("records of ") + row.name + "\r\n";
      std::string error;
      const bool written = writer.write(out, text, error);
      if (row.refusal != nullptr) {
        EXPECT_FALSE(written);
        EXPECT_EQ(error, out + row.refusal);  // OUT by its name, no temporary name
      } else {
        ASSERT_TRUE(written) << error;
        row.check(s, text);
      }
      std::set<std::string> after = namesIn(s.path(""));
      for (const char* made : {"new.bin", "made.bin"}) after.erase(made);
      EXPECT_EQ(after, before) << "a temporary file stayed";
    }
  }
}

TEST(CliOutput, AFifoAndStandardOutputAreWrittenInPlace) {
  ScratchFolder s;
  const std::string fifo = s.path("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  for (const Writer& write : {Writer(writeWhole), Writer(receiveNew)}) {
    std::string got;
    std::thread reader([&] {
      const int fd = ::open(fifo.c_str(), O_RDONLY);
      char buffer[256];
      ssize_t n;
      while ((n = ::read(fd, buffer, sizeof buffer)) > 0) got.append(buffer, static_cast<std::size_t>(n));
      ::close(fd);
    });
    std::string error;
    EXPECT_TRUE(write(fifo, "through the pipe\r\n", error)) << error;
    reader.join();
    EXPECT_EQ(got, "through the pipe\r\n");
    EXPECT_EQ(kindOf(fifo), static_cast<mode_t>(S_IFIFO));
  }
  EXPECT_EQ(namesIn(s.path("")), std::set<std::string>{"fifo"});

  const std::string design = s.putNewDesign("a.tvx");
  const CliRun toFile = runCliCaptured({"image", design, "-o", s.path("a.bin")});
  const CliRun toOut = runCliCaptured({"image", design, "-o", "-"});
  ASSERT_EQ(toOut.code, kExitDone) << toOut.err;
  EXPECT_EQ(toOut.out.size(), 20000u);
  EXPECT_EQ(toOut.out, s.get("a.bin"));
  EXPECT_FALSE(s.has("-"));
}

TEST(CliOutput, WritersToOneOutLeaveOneWholeFileNeverAMixture) {
  ScratchFolder s;
  const std::string out = s.path("image.bin");
  const std::string a(200000, 'a'), b(100000, 'b');
  auto writeMany = [&](const std::string& text) {
    for (int i = 0; i < 30; ++i) {
      std::string error;
      EXPECT_TRUE(writeWhole(out, text, error)) << error;
    }
  };
  std::thread first(writeMany, a), second(writeMany, b);
  first.join();
  second.join();
  const std::string got = s.get("image.bin");
  EXPECT_TRUE(got == a || got == b) << got.size() << " bytes";
  EXPECT_EQ(namesIn(s.path("")), std::set<std::string>{"image.bin"});
}

TEST(CliOutput, AReceiveTheDiskRefusesSaysWhyAndKeepsTheRecords) {
  ScratchFolder s;
  ReceivedFile file;
  std::string error;
  ASSERT_TRUE(file.open(s.path("out.txt"), ReceivedFile::Mode::Append, error)) << error;
  // A file size limit stands in for a full disk: the write fails with the system's reason.
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 16;
  setrlimit(RLIMIT_FSIZE, &small);
  FileRecordSink sink(file, file.startSize());
  const bool first = sink.writeRecord(reinterpret_cast<const std::uint8_t*>("record 1"), 8);
  const bool second = sink.writeRecord(reinterpret_cast<const std::uint8_t*>("record 2"), 8);
  const bool cut = sink.dropUnfinishedRecord();
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);
  EXPECT_TRUE(first);
  EXPECT_FALSE(second);
  EXPECT_TRUE(cut);
  EXPECT_EQ(file.failure(), std::strerror(EFBIG));
  EXPECT_TRUE(file.finish(true, error));
  EXPECT_EQ(s.get("out.txt"), "record 1\r\n");

  // Refused before the terminal is asked for anything: no port message follows.
  mkdir(s.path("folder").c_str(), 0777);
  const CliRun r = runCliCaptured({"receive", "--new", s.path("folder"), "--port", s.path("no-port")});
  EXPECT_EQ(r.code, kExitUsage);
  EXPECT_NE(r.err.find(s.path("folder") + ": Is a directory"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("COM port"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace torvik
