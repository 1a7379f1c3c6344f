#include "shell/ini_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

namespace torvik {
namespace {

Preferences parsed(const std::string& text, const char* language = "Keep") {
  Preferences p;
  std::strcpy(p.languageName, language);
  p.comNumber = 77;  // to see that every field is set
  parseIni(text.data(), text.size(), p);
  return p;
}

TEST(IniFile, MissingOrEmptyFileGivesTheDefaultsAndKeepsTheLanguage) {
  for (const std::string& text : {std::string(), std::string("\r\r\r")}) {
    const Preferences p = parsed(text);
    EXPECT_STREQ(p.lastProject, "Unknow");
    EXPECT_EQ(p.downloadTransport, 1);
    EXPECT_EQ(p.receiveTransport, 1);
    EXPECT_EQ(p.comNumber, 1);
    EXPECT_EQ(p.baudRateIndex, 0);
    EXPECT_EQ(p.autoPreload, 0);
    EXPECT_EQ(p.alwaysOnTop, 0);
    EXPECT_STREQ(p.languageName, "Keep");
    EXPECT_EQ(p.portIndex, 1);
    EXPECT_STREQ(p.recentFiles[0], "");
  }
}

TEST(IniFile, ReadsEveryFieldInOrder) {
  const Preferences p = parsed("C:\\w\\a.TVX\r0\r2\r12\r3\r1\r1\rDeutsch\r-1\rC:\\w\\a.TVX\rC:\\b.TVX\r");
  EXPECT_STREQ(p.lastProject, "C:\\w\\a.TVX");
  EXPECT_EQ(p.downloadTransport, 0);
  EXPECT_EQ(p.receiveTransport, 2);
  EXPECT_EQ(p.comNumber, 12);
  EXPECT_EQ(p.baudRateIndex, 3);
  EXPECT_EQ(p.autoPreload, 1);
  EXPECT_EQ(p.alwaysOnTop, 1);
  EXPECT_STREQ(p.languageName, "Deutsch");
  EXPECT_EQ(p.portIndex, -1);
  EXPECT_STREQ(p.recentFiles[0], "C:\\w\\a.TVX");
  EXPECT_STREQ(p.recentFiles[1], "C:\\b.TVX");
  EXPECT_STREQ(p.recentFiles[2], "");
}

TEST(IniFile, OnlyTheFirstCharacterOfAByteFieldCounts) {
  EXPECT_EQ(parsed("x\r2\r").downloadTransport, 2);
  EXPECT_EQ(parsed("x\r12\r").downloadTransport, 1);
  // Not a digit: stored as the byte it gives, which the link commands refuse to use.
  EXPECT_EQ(parsed("x\rA\r").downloadTransport, 'A' - '0');
  EXPECT_EQ(parsed("x\r/\r").downloadTransport, 255);
  EXPECT_EQ(parsed("x\r1\r1\r1\r9\r").baudRateIndex, 0) << "no sixth rate: the default";
  EXPECT_EQ(parsed("x\r1\r1\r1\r4\r").baudRateIndex, 4);
}

TEST(IniFile, FewerFieldsKeepTheDefaultsOfTheRest) {
  const Preferences p = parsed("C:\\x.TVX\r2\r0\r");
  EXPECT_EQ(p.downloadTransport, 2);
  EXPECT_EQ(p.receiveTransport, 0);
  EXPECT_EQ(p.comNumber, 1);
  EXPECT_EQ(p.portIndex, 1);
  EXPECT_STREQ(p.languageName, "Keep");
}

TEST(IniFile, EachFieldIsTakenOnlyWhenTheFileReachesIt) {
  // Every value differs from its default, so a field read from a piece that is not there
  // (or from the piece before) shows.
  const std::string pieces[] = {"C:\\x.TVX", "0", "2", "12", "3", "1", "1", "Deutsch", "-1", "C:\\r.TVX"};
  const Preferences none = parsed("");
  for (int n = 10; n >= 1; --n) {
    SCOPED_TRACE(n);
    std::string text;
    for (int i = 0; i < n; ++i) text += pieces[i] + "\r";
    const Preferences p = parsed(text);
    EXPECT_STREQ(p.lastProject, "C:\\x.TVX");
    EXPECT_EQ(p.downloadTransport, n > 1 ? 0 : none.downloadTransport);
    EXPECT_EQ(p.receiveTransport, n > 2 ? 2 : none.receiveTransport);
    EXPECT_EQ(p.comNumber, n > 3 ? 12 : none.comNumber);
    EXPECT_EQ(p.baudRateIndex, n > 4 ? 3 : none.baudRateIndex);
    EXPECT_EQ(p.autoPreload, n > 5 ? 1 : none.autoPreload);
    EXPECT_EQ(p.alwaysOnTop, n > 6 ? 1 : none.alwaysOnTop);
    EXPECT_STREQ(p.languageName, n > 7 ? "Deutsch" : "Keep");
    EXPECT_EQ(p.portIndex, n > 8 ? -1 : none.portIndex);
    EXPECT_STREQ(p.recentFiles[0], n > 9 ? "C:\\r.TVX" : "");
  }
}

TEST(IniFile, RepeatedCarriageReturnsCountAsOneAndLineFeedsAreText) {
  const Preferences p = parsed("\r\rA.TVX\r\r\r0\r0\r5\r\n1\r");
  EXPECT_STREQ(p.lastProject, "A.TVX");
  EXPECT_EQ(p.comNumber, 5);
  EXPECT_EQ(p.baudRateIndex, 0) << "a line feed is not a digit";
}

TEST(IniFile, OverlongAndHostileContentStaysInsideTheFields) {
  const std::string path(1000, 'p');
  const std::string name(100, 'n');
  std::string text = path + "\r1\r1\r99999999999999999999\r0\r0\r0\r" + name + "\r-99999999999999\r";
  for (int i = 0; i < 10; ++i) text += std::string(300, static_cast<char>('a' + i)) + "\r";
  text += std::string(5, '\0');
  const Preferences p = parsed(text);
  EXPECT_EQ(std::string(p.lastProject), std::string(255, 'p'));
  EXPECT_EQ(p.comNumber, INT_MAX);
  EXPECT_EQ(p.portIndex, INT_MIN);
  EXPECT_EQ(std::string(p.languageName), std::string(40, 'n'));
  EXPECT_EQ(std::string(p.recentFiles[0]), std::string(255, 'a'));
  EXPECT_EQ(std::string(p.recentFiles[3]), std::string(255, 'd'));
}

TEST(IniFile, WritesTheFieldsWithCarriageReturnsOnly) {
  Preferences p;
  std::strcpy(p.lastProject, "C:\\w\\a.TVX");
  p.downloadTransport = 0;
  p.receiveTransport = 2;
  p.comNumber = 3;
  p.baudRateIndex = 4;
  p.autoPreload = 1;
  p.alwaysOnTop = 0;
  std::strcpy(p.languageName, "Norsk");
  p.portIndex = -1;
  std::strcpy(p.recentFiles[0], "C:\\w\\a.TVX");
  std::strcpy(p.recentFiles[1], "D:\\b.TVX");
  EXPECT_EQ(formatIni(p), "C:\\w\\a.TVX\r0\r2\r3\r4\r1\r0\rNorsk\r-1\rC:\\w\\a.TVX\rD:\\b.TVX\r");
  Preferences back;
  const std::string text = formatIni(p);
  parseIni(text.data(), text.size(), back);
  EXPECT_EQ(formatIni(back), text);
  EXPECT_EQ(std::memcmp(&back, &p, sizeof p), 0);
}

TEST(IniFile, EmptyTextsAreWrittenAsTheirNoneValueSoNoFieldShifts) {
  Preferences p;
  p.lastProject[0] = '\0';
  p.languageName[0] = '\0';
  p.portIndex = 2;
  const std::string text = formatIni(p);
  EXPECT_EQ(text, "Unknow\r1\r1\r1\r0\r0\r0\r0\r2\r");
  EXPECT_EQ(parsed(text).portIndex, 2);
  EXPECT_STREQ(parsed(text).languageName, "0");
}

}  // namespace
}  // namespace torvik
