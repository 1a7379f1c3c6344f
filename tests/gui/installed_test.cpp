// Runs only from tests/installer/installer_test.sh, after the setup program has installed
// Torvik into a Wine prefix of its own: a design opened as Explorer's double click opens it
// (the association starts the installed program with the path in quotes) loads, and a Save
// As beside the program writes the same bytes; the script then uninstalls and checks that
// this saved design stays.
#include <gtest/gtest.h>

#include <string>

#include "resources/resource_ids.h"
#include "tests/gui/driver.h"
#include "tests/support/design_files.h"
#include "tests/support/win32_files.h"

namespace {

TEST(Installed, ADoubleClickedDesignOpensAndSavesTheSameBytesBesideTheProgram) {
  char installed[MAX_PATH] = {};
  if (GetEnvironmentVariableA("TORVIK_INSTALLED_FOLDER", installed, MAX_PATH) == 0)
    GTEST_SKIP() << "runs from installer_test.sh only";
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = std::string(temp) + "my designs";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string design = folder + "\\design one.TVX";
  testfiles::writeAll(design, testfiles::designFile(4, 9));

  gui::NoIniFile ini;
  gui::TorvikProcess torvik;
  ASSERT_TRUE(torvik.openWithShell(design));
  EXPECT_EQ(torvik.findWindow("#32770", nullptr), nullptr) << "no editor and no message";
  torvik.screenshot("installed_opened_by_association");
  EXPECT_EQ(torvik.saveAs(std::string(installed) + "\\saved beside.TVX"), testfiles::readAll(design));
  torvik.command(IDM_EXIT);
  EXPECT_TRUE(torvik.waitForExit());
  testfiles::removeTree(folder);
}

}  // namespace
