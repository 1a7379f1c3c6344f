// The program image: where each section lands, the padded texts, the normalisation of
// menus and forms, and the two records adjusted on the way.
#include "link/program_image.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "definition/new_defaults.h"

namespace torvik {
namespace {

struct ImageFixture : ::testing::Test {
  std::unique_ptr<ApplicationDefinition> def = std::make_unique<ApplicationDefinition>();
  std::unique_ptr<ProgramImage> image = std::make_unique<ProgramImage>();
  void SetUp() override { applyNewApplicationDefaults(*def); }
  std::string slotAt(std::size_t offset, std::size_t size) const {
    return std::string(reinterpret_cast<const char*>(image->bytes + offset), size);
  }
  void build() { buildProgramImage(*def, *image); }
};

TEST_F(ImageFixture, NewDesignLandsAtTheLayoutOffsetsAndLeavesTheTailZero) {
  build();
  EXPECT_EQ(std::memcmp(image->bytes, &def->barcodeSettings, 23), 0);
  EXPECT_EQ(std::memcmp(image->bytes + kImageMenus, def->menu, 3500), 0);
  EXPECT_EQ(std::memcmp(image->bytes + kImageForms, def->form, 12150), 0);
  EXPECT_EQ(std::memcmp(image->bytes + kImageLookups, def->lookup, 366), 0);
  EXPECT_EQ(std::memcmp(image->bytes + kImageWeight, &def->weightCode, 12), 0);
  // Reserved texts are empty by default: four slots of 15 spaces and a NUL.
  for (int e = 0; e < 4; ++e) EXPECT_EQ(slotAt(kImageMessages + 16 * e, 16), std::string(15, ' ') + '\0');
  for (std::size_t i = kImageUsedBytes; i < kImageSize; ++i) ASSERT_EQ(image->bytes[i], 0) << i;
}

TEST_F(ImageFixture, MessageGroupsAreTextSlotsInFileOrder) {
  copyText(def->msgMainMenu.entry[0], "1.Collect");
  copyText(def->msgUtilitiesMenu.entry[7], "12345678901234567890");
  copyText(def->msgMiscContinuous.entry[2], "");
  build();
  EXPECT_EQ(slotAt(16103, 16), std::string("1.Collect      ") + '\0');
  EXPECT_EQ(slotAt(16167 + 7 * 21, 21), std::string("12345678901234567890") + '\0');
  EXPECT_EQ(slotAt(18444 + 2 * 21, 21), std::string(20, ' ') + '\0');
  // Spot checks of each group's start against the layout.
  EXPECT_EQ(image->bytes[17626 + 15], 0);  // MsgSystemFault: 16-byte slots
  EXPECT_EQ(image->bytes[18190 + 20], 0);  // MsgErrors: 21-byte slots
  EXPECT_EQ(image->bytes[18316 + 15], 0);  // MsgMiscellaneous
  EXPECT_EQ(image->bytes[18506], 0);       // the last slot's NUL, before the wedge
}

TEST_F(ImageFixture, MessageTextWithoutItsNulIsCutSoNothingShifts) {
  std::memset(def->msgConfirm.entry[1], 'Z', 16);  // a foreign file: no NUL at all
  build();
  EXPECT_EQ(slotAt(16399 + 16, 16), std::string(15, 'Z') + '\0');
  EXPECT_EQ(image->bytes[kImageWedge], def->wedgeSettings.keyboardType + 1);
}

TEST_F(ImageFixture, LargeFontMenuCutsLongItemsToFifteenInDesignAndImage) {
  MenuRecord& m = def->menu[2];
  m.font = 1;
  copyText(m.itemName[0], "ABCDEFGHIJKLMNOPQ");  // 17 characters
  build();
  EXPECT_STREQ(m.itemName[0], "ABCDEFGHIJKLMNO");
  const std::size_t at = kImageMenus + 2 * 350 + offsetof(MenuRecord, itemName);
  EXPECT_EQ(slotAt(at, 16), std::string("ABCDEFGHIJKLMNO") + '\0');
}

TEST_F(ImageFixture, CaptionIsPaddedOnlyWhenShown) {
  copyText(def->menu[0].caption, "Main");
  def->menu[0].captionOn = 1;
  copyText(def->menu[1].caption, "Side");
  def->menu[1].captionOn = 0;
  build();
  EXPECT_STREQ(def->menu[0].caption, "Main                ");
  EXPECT_EQ(std::memcmp(def->menu[1].caption, "Side\0", 5), 0);
}

TEST_F(ImageFixture, ItemsHoldingOnlySpacesDoNotCountWhereverTheyStand) {
  MenuRecord& m = def->menu[4];
  std::memset(m.itemName, 0, sizeof m.itemName);
  copyText(m.itemName[0], "First");
  copyText(m.itemName[1], "     ");
  copyText(m.itemName[2], "Third");
  build();
  EXPECT_EQ(m.itemCount, 2);
  EXPECT_STREQ(m.itemName[1], std::string(20, ' ').c_str());
  EXPECT_STREQ(m.itemName[9], std::string(20, ' ').c_str());  // empty items are padded too
  m.itemName[5][0] = static_cast<char>(0xE9);  // an accented letter counts
  build();
  EXPECT_EQ(m.itemCount, 3);
}

TEST_F(ImageFixture, PaddingTheItemsKeepsTheTargetsAndFlagsThatFollowThem) {
  // Zeros among the targets: a text running past the last item would stop there and pad on.
  for (int font : {0, 1}) {
    SCOPED_TRACE(font);
    MenuRecord& m = def->menu[5];
    m.font = static_cast<std::uint8_t>(font);
    copyText(m.itemName[9], "Last");
    m.escTarget = 12;
    const std::uint8_t next[kMenuItems] = {0, 3, 11, 0, 21, 1, 0, 30, 2, 255};
    std::memcpy(m.itemNext, next, sizeof next);
    m.saveCaption = 1;
    m.saveSelectedItem = 0;
    m.passDown = 1;
    std::memset(m.unused, 0x5A, sizeof m.unused);
    build();
    const std::size_t at = kImageMenus + 5 * sizeof(MenuRecord);
    const MenuRecord* sent = reinterpret_cast<const MenuRecord*>(image->bytes + at);
    for (const MenuRecord* r : {static_cast<const MenuRecord*>(&m), sent}) {
      EXPECT_EQ(r->escTarget, 12);
      EXPECT_EQ(std::memcmp(r->itemNext, next, sizeof next), 0);
      EXPECT_EQ(r->saveCaption, 1);
      EXPECT_EQ(r->saveSelectedItem, 0);
      EXPECT_EQ(r->passDown, 1);
      for (std::uint8_t b : r->unused) ASSERT_EQ(b, 0x5A);
    }
    EXPECT_EQ(slotAt(at + offsetof(MenuRecord, itemName) + 9 * 21, 21).substr(0, 4), "Last");
  }
}

TEST_F(ImageFixture, LastInputLineCountsEveryInputTypeAndNoOther) {
  // Types 1 to 6 and 13 on are entered by the user; the others are shown or computed.
  for (int type = 0; type < kDataTypeCount; ++type) {
    SCOPED_TRACE(type);
    FormRecord& f = def->form[1];
    for (int j = 0; j < kFormLines; ++j) f.dataType[j] = kDataNil;
    f.dataType[0] = kDataText;
    f.dataType[5] = static_cast<std::uint8_t>(type);
    build();
    const bool input = (type >= kDataText && type <= kDataBoolean) || type >= kDataPause;
    EXPECT_EQ(f.lastInputLine, input ? 6 : 1);
    EXPECT_EQ(image->bytes[kImageForms + sizeof(FormRecord) + offsetof(FormRecord, lastInputLine)], input ? 6 : 1);
  }
}

TEST_F(ImageFixture, UnusedAndExtensionLinesLoseTheirWholePrompt) {
  FormRecord& f = def->form[2];
  f.dataType[0] = kDataText;
  f.dataType[1] = kDataExtension;
  f.dataType[2] = kDataNil;
  f.dataType[3] = kDataPrompt;
  for (int j = 0; j < 4; ++j) std::memset(f.prompt[j], 'P', sizeof f.prompt[j] - 1);
  build();
  const std::size_t at = kImageForms + 2 * sizeof(FormRecord) + offsetof(FormRecord, prompt);
  for (int j : {1, 2}) {
    SCOPED_TRACE(j);
    for (char c : f.prompt[j]) ASSERT_EQ(c, '\0');
    for (std::size_t i = 0; i < sizeof f.prompt[j]; ++i) ASSERT_EQ(image->bytes[at + j * sizeof f.prompt[j] + i], 0);
  }
  EXPECT_EQ(f.prompt[0][0], 'P');  // lines in use keep theirs
  EXPECT_EQ(f.prompt[3][0], 'P');
}

TEST_F(ImageFixture, LargeFontFormDropsLinesFiveToEight) {
  FormRecord& f = def->form[3];
  f.font = 1;
  f.dataType[1] = kDataText;
  f.dataType[6] = kDataText;
  copyText(f.prompt[6], "Hidden");
  f.lookupField[6] = 3;
  build();
  EXPECT_EQ(f.dataType[6], kDataNil);
  EXPECT_EQ(f.prompt[6][0], '\0');
  EXPECT_EQ(f.lookupField[6], 0);
  EXPECT_LE(f.lastInputLine, 4);
}

TEST_F(ImageFixture, LengthsAreClampedAndLookupFieldsCleared) {
  FormRecord& f = def->form[0];
  f.dataType[0] = kDataInteger;
  f.maxLength[0] = 95;
  f.minLength[0] = 90;
  f.dataType[1] = kDataCounter;
  f.lookupField[1] = 5;
  f.dataType[2] = kDataExtension;
  copyText(f.prompt[2], "gone");
  f.lookupField[2] = 4;
  f.dataType[3] = kDataLookup;
  f.lookupField[3] = 2;
  for (int j = 4; j < 8; ++j) f.dataType[j] = kDataFixed;
  build();
  EXPECT_EQ(f.maxLength[0], 80);
  EXPECT_EQ(f.minLength[0], 80);
  EXPECT_EQ(f.lookupField[1], 0);
  EXPECT_EQ(f.prompt[2][0], '\0');
  EXPECT_EQ(f.lookupField[2], 0);
  EXPECT_EQ(f.lookupField[3], 2);  // a lookup line keeps its field
  EXPECT_EQ(f.lastInputLine, 1);   // types 7 to 12 never count
  f.dataType[7] = kDataPause;
  build();
  EXPECT_EQ(f.lastInputLine, 8);
}

TEST_F(ImageFixture, SystemSettingsAreShiftedInTheImageOnly) {
  SystemSettings& s = def->systemSettings;
  auto* bytes = reinterpret_cast<std::uint8_t*>(&s);
  bytes[1] = 1;
  bytes[30] = 5;
  bytes[5] = 0xFF;
  bytes[115] = 2;
  bytes[139] = 0;
  bytes[140] = 9;
  build();
  const std::uint8_t* out = image->bytes + kImageSystem;
  EXPECT_EQ(out[1], 11);
  EXPECT_EQ(out[30], '5');
  EXPECT_EQ(out[5], 0);
  EXPECT_EQ(out[115], 3);
  EXPECT_EQ(out[139], 1);
  EXPECT_EQ(out[140], 9);
  EXPECT_EQ(bytes[1], 1);
  EXPECT_EQ(bytes[30], 5);
  bytes[1] = 0;
  build();
  EXPECT_EQ(out[1], 1);
}

TEST_F(ImageFixture, WedgeTypeAndTwoBitFieldsAreShifted) {
  auto* bytes = reinterpret_cast<std::uint8_t*>(&def->wedgeSettings);
  bytes[0] = 31;
  // bit 0 set, lock type 3, digits layout 1, bits 5 to 7 set
  bytes[1] = static_cast<std::uint8_t>(1 | (3 << 1) | (1 << 3) | 0xE0);
  build();
  const std::uint8_t* out = image->bytes + kImageWedge;
  EXPECT_EQ(out[0], 32);
  EXPECT_EQ(out[1], 1 | (0 << 1) | (2 << 3) | 0xE0);
  bytes[1] = 2 << 3;  // lock type 0 stays 0; digits 2 becomes 3
  build();
  EXPECT_EQ(out[1], 3 << 3);
}

TEST_F(ImageFixture, TwoBuildsInARowAreIdentical) {
  copyText(def->menu[0].itemName[3], "Odd");
  def->form[0].maxLength[2] = 200;
  build();
  auto first = std::make_unique<ProgramImage>(*image);
  build();
  EXPECT_EQ(std::memcmp(first->bytes, image->bytes, kImageSize), 0);
}

}  // namespace
}  // namespace torvik
