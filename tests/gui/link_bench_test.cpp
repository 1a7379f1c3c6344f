// The transfers of bench/link_bench.sh, timed from the driver: wall time from the command
// to the closing message, and the processor time Torvik used meanwhile. They measure and
// print; run on their own (no peer) they are skipped.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "resources/resource_ids.h"
#include "tests/gui/link_helpers.h"

namespace {

using gui::LinkPreferences;
using gui::TorvikProcess;

double processSeconds(DWORD pid) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (process == nullptr) return -1;
  FILETIME created, exited, kernel, user;
  double seconds = -1;
  if (GetProcessTimes(process, &created, &exited, &kernel, &user)) {
    auto toSeconds = [](const FILETIME& t) {
      return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    seconds = toSeconds(kernel) + toSeconds(user);
  }
  CloseHandle(process);
  return seconds;
}

struct Timing {
  DWORD start;
  double cpu;
};

Timing begin(const TorvikProcess& torvik) { return {GetTickCount(), processSeconds(torvik.pid())}; }

void report(const TorvikProcess& torvik, const Timing& t) {
  const DWORD wall = GetTickCount() - t.start;
  const double cpu = processSeconds(torvik.pid()) - t.cpu;
  const std::string path = gui::peerFolder() + "\\bench.txt";
  if (std::FILE* f = std::fopen(path.c_str(), "w")) {
    std::fprintf(f, "wall_ms=%lu\ncpu_s=%.3f\n", static_cast<unsigned long>(wall), cpu);
    std::fclose(f);
  }
}

LinkPreferences benchPreferences() {
  LinkPreferences p;
  const char* row = std::getenv("TORVIK_BENCH_BAUD_ROW");
  p.baudRow = row != nullptr ? std::atoi(row) : 0;
  return p;
}

const char* benchProject() {
  const char* project = std::getenv("TORVIK_BENCH_PROJECT");
  return project != nullptr && project[0] != '\0' ? project : nullptr;
}

// With TORVIK_BENCH_PROJECT the design is preloaded from that project file through the INI
// file; otherwise the program starts with a new design and the link is set in its dialog.
#define REQUIRE_BENCH_PEER()                                                                     \
  if (gui::peerFolder().empty()) GTEST_SKIP() << "runs from bench/link_bench.sh only";             \
  gui::NoIniFile noIniFile;                                                                      \
  const char* project = benchProject();                                                          \
  if (project != nullptr) {                                                                      \
    ASSERT_TRUE(noIniFile.write(gui::preloadingIni(project, 7, benchPreferences().baudRow))); \
  }                                                                                              \
  TorvikProcess torvik;                                                                          \
  ASSERT_TRUE(torvik.start());                                                                   \
  if (project == nullptr) {                                                                      \
    ASSERT_TRUE(gui::setLinkPreferences(torvik, benchPreferences()));                            \
  }                                                                                              \
  static_cast<void>(0)

TEST(PeerBench, download) {
  REQUIRE_BENCH_PEER();
  const Timing t = begin(torvik);
  torvik.command(IDM_DOWNLOAD_APPLICATION);
  HWND box = nullptr;
  EXPECT_EQ(gui::waitForMessageBox(torvik, "Download", &box, 600000), "Downloaded completely!");
  report(torvik, t);
  gui::clickButton(box, IDOK);
}

TEST(PeerBench, lookup) {
  REQUIRE_BENCH_PEER();
  torvik.command(IDM_DOWNLOAD_LOOKUP);
  ASSERT_TRUE(gui::answerFileDialog(torvik, gui::peerFolder() + "\\lookup.txt"));
  const Timing t = begin(torvik);
  HWND box = nullptr;
  EXPECT_EQ(gui::waitForMessageBox(torvik, "Download", &box, 600000), "Downloaded completely!");
  report(torvik, t);
  gui::clickButton(box, IDOK);
}

TEST(PeerBench, receive) {
  REQUIRE_BENCH_PEER();
  torvik.command(IDM_RECEIVE_DATA);
  ASSERT_TRUE(gui::answerFileDialog(torvik, gui::peerFolder() + "\\received.txt"));
  const Timing t = begin(torvik);
  HWND box = nullptr;
  EXPECT_EQ(gui::waitForMessageBox(torvik, "Upload Data", &box, 600000).compare(0, 11, "Done : 1000"), 0);
  report(torvik, t);
  gui::clickButton(box, IDNO);
}

}  // namespace
