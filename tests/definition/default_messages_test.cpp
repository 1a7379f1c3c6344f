#include "definition/default_messages.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "base/ui_strings.h"

namespace torvik {
namespace {

struct Built {
  std::unique_ptr<UiStrings> strings = std::make_unique<UiStrings>();
  std::unique_ptr<DefaultMessages> table = std::make_unique<DefaultMessages>();
  void build() { buildDefaultMessages(*strings, *table); }
  void language(const std::string& file) {
    ASSERT_TRUE(strings->applyLanguageFile(file.data(), file.size()));
    strings->setLanguageActive(true);
  }
};

TEST(DefaultMessages, EnglishTextsComeFromTheResourceTable) {
  Built b;
  b.build();
  EXPECT_STREQ(b.table->small[1][0], "1.Collect data ");  // 721, with its trailing blank
  EXPECT_STREQ(b.table->small[1][3], "            ");      // never a UI string
  EXPECT_STREQ(b.table->settingsSmall[0], "8. Calculator       ");
  EXPECT_STREQ(b.table->settingsLarge[0], "8. Calculator  ");
  for (int i = 0; i < 4; ++i) EXPECT_STREQ(b.table->small[0][i], "");  // MsgReserved
}

TEST(DefaultMessages, EverySetHoldsItsUiStringsCutToItsWidth) {
  Built b;
  b.build();
  static ApplicationDefinition shape;
  for (int g = 0; g < kMessageGroupCount; ++g) {
    SCOPED_TRACE(g);
    const int width = messageGroup(shape, g).width - 1;
    const DefaultTextSet small = smallFontSet(g);
    EXPECT_LE(small.count, messageGroup(shape, g).entries);
    for (int i = 0; i < small.count; ++i) {
      const std::string text = b.strings->lookup(small.firstId + i, TextKind::Terminal);
      EXPECT_EQ(b.table->small[g][i], text.substr(0, static_cast<std::size_t>(width)));
      EXPECT_FALSE(text.empty()) << small.firstId + i;
    }
    const DefaultTextSet large = largeFontSet(g);
    if (width == 15) {
      EXPECT_EQ(large.count, 0);
    }
    for (int i = 0; i < large.count; ++i)
      EXPECT_EQ(b.table->large[g][i], std::string(b.strings->lookup(large.firstId + i, TextKind::Terminal)).substr(0, 15));
  }
  EXPECT_EQ(largeFontSet(9).count, 5);  // MsgDownloadPort: one line fewer in the large font
  EXPECT_EQ(smallFontSet(-1).count, 0);
  EXPECT_EQ(largeFontSet(kMessageGroupCount).count, 0);
  EXPECT_EQ(smallFontSet(kMessageGroupCount).count, 0);
  EXPECT_EQ(largeFontSet(-1).count, 0);
}

TEST(DefaultMessages, LanguageTextsAreCutAt15And20) {
  Built b;
  b.language("Test\r\n1071=" + std::string(30, 'E') + "\r\n1081=" + std::string(30, 'L') + "\r\n721=" +
             std::string(16, 'M') + "\r\n1741=" + std::string(21, 'S') + "\r\n1751=" + std::string(16, 'T') +
             "\r\n761=" + std::string(20, 'U') + "\r\n");
  b.build();
  EXPECT_EQ(std::string(b.table->small[24][0]), std::string(20, 'E'));  // MsgErrors small set
  EXPECT_EQ(std::string(b.table->large[24][0]), std::string(15, 'L'));
  EXPECT_EQ(std::string(b.table->small[1][0]), std::string(15, 'M'));   // 16-byte entries
  EXPECT_EQ(std::string(b.table->settingsSmall[0]), std::string(20, 'S'));
  EXPECT_EQ(std::string(b.table->settingsLarge[0]), std::string(15, 'T'));
  EXPECT_EQ(std::string(b.table->small[2][0]), std::string(20, 'U'));   // exactly 20 fit
  EXPECT_STREQ(b.table->small[1][1], "2.Upload data  ") << "texts the file lacks stay English";
  EXPECT_STREQ(b.table->small[1][3], "            ");
}

TEST(DefaultMessages, RebuildingAfterALanguageChangeFollowsIt) {
  Built b;
  b.build();
  const std::string english = b.table->small[1][0];
  b.language("Test\r\n721=1.Daten\r\n");
  b.build();
  EXPECT_STREQ(b.table->small[1][0], "1.Daten");
  b.strings->setLanguageActive(false);
  b.build();
  EXPECT_EQ(b.table->small[1][0], english);
}

}  // namespace
}  // namespace torvik
