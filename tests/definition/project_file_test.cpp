#include "definition/project_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "definition/legacy_project.h"
#include "definition/new_defaults.h"
#include "base/ui_strings.h"

namespace torvik {
namespace {

using Bytes = std::vector<std::uint8_t>;

class ProjectFile : public ::testing::Test {
 protected:
  void SetUp() override {
    applyNewApplicationDefaults(*def_);
    applyNewApplicationDefaults(*saved_);
  }
  // The file image of saved_.
  Bytes image() {
    auto out = std::make_unique<std::uint8_t[]>(kProjectFileSize);
    writeProjectFile(*saved_, *reinterpret_cast<std::uint8_t(*)[kProjectFileSize]>(out.get()));
    return Bytes(out.get(), out.get() + kProjectFileSize);
  }
  LoadResult load(const Bytes& bytes) { return loadProjectFile(bytes.data(), bytes.size(), *def_, *strings_); }
  static std::uint8_t& at(Bytes& b, std::size_t blockOffset, std::size_t field) { return b[blockOffset + field]; }

  std::unique_ptr<ApplicationDefinition> def_ = std::make_unique<ApplicationDefinition>();
  std::unique_ptr<ApplicationDefinition> saved_ = std::make_unique<ApplicationDefinition>();
  std::unique_ptr<UiStrings> strings_ = std::make_unique<UiStrings>();
  static constexpr std::size_t kSystem = 18574;
  static constexpr std::size_t kWeight = 18842;
};

TEST_F(ProjectFile, TheWriterPutsTheBlocksInOrderThen100Zeros) {
  for (std::size_t i = 0; i < kDefinitionSize; ++i) bytesOf(*saved_)[i] = static_cast<std::uint8_t>(i * 31 + 7);
  const Bytes b = image();
  ASSERT_EQ(b.size(), 18954u);
  EXPECT_EQ(std::memcmp(b.data(), bytesOf(*saved_), kDefinitionSize), 0);
  for (std::size_t i = kDefinitionSize; i < b.size(); ++i) ASSERT_EQ(b[i], 0) << i;
}

TEST_F(ProjectFile, ANewDesignSavesWithItsTagAndLoadsBackUnchanged) {
  saved_->form[4].line(2).maxLength = 33;
  copyText(saved_->msgErrors.entry[0], "Kaputt");
  Bytes b = image();
  EXPECT_EQ(std::memcmp(b.data(), "T900RU004\0", 10), 0);
  const LoadResult r = load(b);
  EXPECT_EQ(r.status, LoadStatus::Loaded);
  EXPECT_FALSE(r.upgraded);
  EXPECT_FALSE(r.incomplete);
  EXPECT_TRUE(r.updatesRecentFiles());
  EXPECT_EQ(std::memcmp(def_.get(), saved_.get(), kDefinitionSize), 0);
}

TEST_F(ProjectFile, TagRules) {
  struct Case {
    const char* tag;
    bool accepted;
  };
  const Case cases[] = {
      {"T900RU004", true},  {"T900RUxyz", true},   // only the first six count
      {"T900-1.00", true},  {"T900-1.01", false},  {"T901-1.00", false}, {"t900RU004", false},
      {"T900Ru004", false}, {"X900RU004", false},  {"\0\0\0\0\0\0\0\0\0", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tag);
    Bytes b = image();
    std::memcpy(b.data(), c.tag, 9);
    b[kSystem + 1] = 1;  // startFrom, as a marker that the blocks were read
    applyNewApplicationDefaults(*def_);
    const LoadResult r = load(b);
    EXPECT_EQ(r.loaded(), c.accepted);
    EXPECT_EQ(def_->systemSettings.startFrom, c.accepted ? 1 : 0);
    EXPECT_EQ(std::memcmp(def_->versionTag, "T900RU004\0", 10), 0) << "the in-memory tag stays";
  }
}

TEST_F(ProjectFile, ARefusedFileChangesNothing) {
  auto before = std::make_unique<ApplicationDefinition>();
  std::memset(def_.get(), 0x5C, sizeof *def_);
  std::memcpy(def_->versionTag, "T900RU004", 10);
  std::memcpy(before.get(), def_.get(), sizeof *before);
  for (const Bytes& b : {Bytes{}, Bytes{'T'}, Bytes{'T', '9', '0', '0', 'R'}, Bytes{'Q', 'x'},
                          Bytes{'R', 'x', 'x', '-', '4', '.', '0', '1'}, Bytes{'R', 'x', 'x', '-', '4'}}) {
    EXPECT_EQ(load(b).status, LoadStatus::Mismatch);
    EXPECT_EQ(std::memcmp(def_.get(), before.get(), sizeof *before), 0);
  }
  EXPECT_EQ(loadProjectFile(nullptr, 10, *def_, *strings_).status, LoadStatus::Mismatch);
}

TEST_F(ProjectFile, LegacySignaturesGoToTheConversion) {
  for (const char* tag : {"Rxx-4.00", "Rxx-3.10"}) {
    Bytes b(kLegacyProjectSize, 0);
    std::memcpy(b.data(), tag, 8);
    const LoadResult r = load(b);
    EXPECT_EQ(r.status, LoadStatus::Legacy) << tag;
    EXPECT_FALSE(r.updatesRecentFiles());
    EXPECT_FALSE(r.upgraded);
  }
  Bytes shortLegacy = {'R', 'x', 'x', '-', '3', '.', '1', '0', 1, 2};
  const LoadResult r = load(shortLegacy);
  EXPECT_EQ(r.status, LoadStatus::Legacy);
  EXPECT_TRUE(r.incomplete);
}

TEST_F(ProjectFile, VibratorByteMovesOnlyWhenItsNewPlaceIsEmpty) {
  Bytes b = image();
  at(b, kSystem, 256) = 3;
  at(b, kSystem, 257) = 0;
  load(b);
  EXPECT_EQ(def_->systemSettings.vibratorDurationOld, 0);
  EXPECT_EQ(def_->systemSettings.vibratorDuration, 3);
  at(b, kSystem, 256) = 4;
  at(b, kSystem, 257) = 2;
  load(b);
  EXPECT_EQ(def_->systemSettings.vibratorDurationOld, 4);
  EXPECT_EQ(def_->systemSettings.vibratorDuration, 2);
}

TEST_F(ProjectFile, Revision4LoadsAsItIs) {
  Bytes b = image();
  at(b, kWeight, 6) = 9;
  b[3535 + 1043] = 5;  // form 1's errorAction
  const LoadResult r = load(b);
  EXPECT_FALSE(r.upgraded);
  EXPECT_EQ(def_->weightCode.maskCode(), 9);
  EXPECT_EQ(def_->form[0].errorAction, 5);
}

TEST_F(ProjectFile, Revision3OnlyClearsTheErrorActions) {
  Bytes b = image();
  at(b, kSystem, 0) = 3;
  at(b, kWeight, 6) = 9;
  for (int f = 0; f < kFormCount; ++f) b[3535 + 1215 * f + 1043] = static_cast<std::uint8_t>(f + 1);
  const LoadResult r = load(b);
  EXPECT_TRUE(r.upgraded);
  EXPECT_EQ(def_->systemSettings.schemaRevision, 4);
  EXPECT_EQ(def_->weightCode.maskCode(), 9);
  for (const FormRecord& f : def_->form) EXPECT_EQ(f.errorAction, 0);
}

TEST_F(ProjectFile, Revision2AlsoResetsTheWeightCode) {
  Bytes b = image();
  at(b, kSystem, 0) = 2;
  for (int i = 0; i < 12; ++i) at(b, kWeight, static_cast<std::size_t>(i)) = 0x99;
  at(b, kSystem, 137) = 5;  // keyClick: a revision-2 file has it
  load(b);
  const std::uint8_t weight[12] = {0xDA, 0xAB, 1, 0, '2', '3', 7, 0, 2, 0, 4, 0};
  EXPECT_EQ(std::memcmp(&def_->weightCode, weight, 12), 0);
  EXPECT_EQ(def_->systemSettings.keyClick, 5);
  EXPECT_EQ(def_->systemSettings.schemaRevision, 4);
}

TEST_F(ProjectFile, Revision1FillsTheSoundSettingsAndTextSlots) {
  for (int largeFont : {0, 1}) {
    SCOPED_TRACE(largeFont);
    Bytes b = image();
    for (std::size_t i = 115; i < 255; ++i) at(b, kSystem, i) = 0xA5;
    at(b, kSystem, 0) = 1;
    at(b, kSystem, 68) = static_cast<std::uint8_t>(largeFont);
    const LoadResult r = load(b);
    EXPECT_TRUE(r.upgraded);
    const SystemSettings& s = def_->systemSettings;
    EXPECT_EQ(s.schemaRevision, 4);
    EXPECT_EQ(s.modemSpeed, 0);
    for (char c : s.downloadPhone) EXPECT_EQ(c, 0);
    EXPECT_EQ(s.keyClick, 2);
    EXPECT_EQ(s.goodReadBeep, 1);
    EXPECT_EQ(s.warningBeep, 2);
    for (std::uint8_t c : s.soundSecurity) EXPECT_EQ(c, 0);
    for (std::uint8_t c : s.unused143) EXPECT_EQ(c, 0);
    EXPECT_STREQ(s.settingsText[0], largeFont ? "8. Calculator  " : "8. Calculator       ");
    EXPECT_STREQ(s.settingsText[2], largeFont ? "1.Key Click    " : "1.Key Click         ");
    EXPECT_EQ(def_->weightCode.marker(), 0xABDA);
  }
}

TEST_F(ProjectFile, Revision1TextsFromALanguageFileAreCutToTheirSlots) {
  const std::string file = "Long\r\n1741=" + std::string(60, 'q') + "\r\n1755=" + std::string(80, 'z') + "\r\n";
  ASSERT_TRUE(strings_->applyLanguageFile(file.data(), file.size()));
  strings_->setLanguageActive(true);
  Bytes b = image();
  at(b, kSystem, 0) = 1;
  load(b);
  EXPECT_EQ(std::string(def_->systemSettings.settingsText[0]), std::string(20, 'q'));
  EXPECT_EQ(def_->systemSettings.unused255, saved_->systemSettings.unused255) << "nothing past the slots";
  at(b, kSystem, 68) = 1;
  load(b);
  EXPECT_EQ(std::string(def_->systemSettings.settingsText[4]), std::string(20, 'z'));
  EXPECT_EQ(def_->systemSettings.unused255, saved_->systemSettings.unused255);
}

TEST_F(ProjectFile, ShortFilesFillWhatTheyHaveAndSaySo) {
  const Bytes full = image();
  for (std::size_t size : {6u, 10u, 11u, 35u, 3535u, 18853u}) {
    SCOPED_TRACE(size);
    std::memset(def_.get(), 0x6E, sizeof *def_);
    std::memcpy(def_->versionTag, "T900RU004", 10);
    def_->systemSettings.schemaRevision = 4;
    def_->systemSettings.vibratorDuration = 1;
    Bytes b(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(size));
    const LoadResult r = load(b);
    EXPECT_TRUE(r.loaded());
    EXPECT_TRUE(r.incomplete);
    const std::size_t read = size > 10 ? size : 10;
    if (size > 10) {
      EXPECT_EQ(std::memcmp(bytesOf(*def_) + 10, full.data() + 10, read - 10), 0);
    }
    if (read < 18574) {
      EXPECT_EQ(bytesOf(*def_)[read], 0x6E) << "what the file lacks keeps its value";
    }
  }
}

TEST_F(ProjectFile, TheTrailerIsOptionalAndLongerFilesAreCutOff) {
  Bytes b = image();
  b.resize(kDefinitionSize);
  EXPECT_FALSE(load(b).incomplete);
  b.resize(kProjectFileSize + 5000, 0xFF);
  const LoadResult r = load(b);
  EXPECT_TRUE(r.loaded());
  EXPECT_FALSE(r.incomplete);
  EXPECT_EQ(std::memcmp(def_.get(), saved_.get(), kDefinitionSize), 0);
}

TEST(ProjectFileName, AppendsTvxUnlessTheNameEndsInIt) {
  char out[256];
  struct Case {
    const char* chosen;
    const char* saved;
  };
  for (const Case& c : {Case{"C:\\a\\shop", "C:\\a\\shop.TVX"}, Case{"C:\\a\\shop.txt", "C:\\a\\shop.txt.TVX"},
                        Case{"C:\\a\\shop.tvx", "C:\\a\\shop.tvx"}, Case{"C:\\a\\shop.TvX", "C:\\a\\shop.TvX"},
                        Case{"C:\\a\\shopTVX", "C:\\a\\shopTVX.TVX"}, Case{".TVX", ".TVX"}, Case{"", ".TVX"}}) {
    ASSERT_TRUE(projectFileName(c.chosen, out, sizeof out)) << c.chosen;
    EXPECT_STREQ(out, c.saved);
  }
  const std::string n251(251, 'a');
  EXPECT_TRUE(projectFileName(n251.c_str(), out, sizeof out));  // 255 with the extension
  EXPECT_EQ(std::strlen(out), 255u);
  const std::string n252(252, 'a');
  EXPECT_FALSE(projectFileName(n252.c_str(), out, sizeof out));
  const std::string long255 = std::string(251, 'b') + ".tvx";
  EXPECT_TRUE(projectFileName(long255.c_str(), out, sizeof out));
}

}  // namespace
}  // namespace torvik
