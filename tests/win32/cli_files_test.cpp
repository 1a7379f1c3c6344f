// torvik-cli's outputs on Windows, where the C library's rename does not replace a file.
#include "cli/durable_files.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "tests/support/win32_files.h"

namespace torvik {
namespace {

using testfiles::readAll;
using testfiles::removeTree;
using testfiles::writeAll;

TEST(CliFiles, AnOutputIsReplacedAndNeverLostWhileAnotherProgramReadsIt) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "torvik_cli_files_" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string target = folder + "\\image.bin";
  const auto put = [](const std::string& path, const char* text) {
    std::string error;
    return writeOutput(path, reinterpret_cast<const std::uint8_t*>(text), std::strlen(text), error);
  };

  ASSERT_TRUE(put(target, "first"));
  ASSERT_TRUE(put(target, "second"));
  EXPECT_EQ(readAll(target), "second");

  // A viewer that lets others delete the file: a removal only marks it, and the old name
  // stays until the viewer lets go.
  writeAll(target, "old");
  HANDLE viewer = CreateFileA(target.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(viewer, INVALID_HANDLE_VALUE);
  const bool replaced = put(target, "new");
  CloseHandle(viewer);
  EXPECT_EQ(readAll(target), replaced ? "new" : "old");
  EXPECT_EQ(readAll(target + ".part"), "<missing>");
  removeTree(folder);
}

}  // namespace
}  // namespace torvik
