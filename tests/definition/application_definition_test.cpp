#include "definition/application_definition.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "definition/new_defaults.h"

namespace torvik {
namespace {

TEST(ApplicationDefinition, BlocksFollowEachOtherWithoutGapsInFileOrder) {
  const std::size_t expectedSizes[kBlockCount] = {10, 2, 23, 3500, 12150, 366, 64, 64, 168, 64, 64, 64,
                                                  112, 168, 126, 126, 105, 84, 84, 126, 168, 48, 80, 84,
                                                  80, 80, 48, 32, 64, 48, 126, 128, 63, 55, 268, 12};
  std::size_t offset = 0;
  for (int i = 0; i < kBlockCount; ++i) {
    SCOPED_TRACE(kBlocks[i].name);
    EXPECT_EQ(kBlocks[i].offset, offset);
    EXPECT_EQ(kBlocks[i].size, expectedSizes[i]);
    offset += kBlocks[i].size;
  }
  EXPECT_EQ(offset, kDefinitionSize);
}

TEST(ApplicationDefinition, MessageGroupsSpan2468BytesWithTheirEntryWidths) {
  auto def = std::make_unique<ApplicationDefinition>();
  std::size_t total = 0;
  char* expectedStart = reinterpret_cast<char*>(&def->msgReserved);
  for (int g = 0; g < kMessageGroupCount; ++g) {
    SCOPED_TRACE(g);
    MessageGroupView view = messageGroup(*def, g);
    EXPECT_EQ(view.text, expectedStart + total);
    EXPECT_TRUE(view.width == 16 || view.width == 21);
    EXPECT_EQ(static_cast<std::size_t>(view.entries * view.width), kBlocks[6 + g].size);
    total += static_cast<std::size_t>(view.entries * view.width);
  }
  EXPECT_EQ(total, 2468u);
  EXPECT_EQ(messageGroup(*def, 1).width, 16);   // main menu
  EXPECT_EQ(messageGroup(*def, 2).entries, 8);  // utilities: 8 x 21
  EXPECT_EQ(messageGroup(*def, 2).width, 21);
  EXPECT_EQ(messageGroup(*def, 26).entries, 3);  // misc continuous: 3 x 21
  EXPECT_EQ(messageGroup(*def, kMessageGroupCount).text, nullptr);
  EXPECT_EQ(messageGroup(*def, -1).text, nullptr);
}

TEST(ApplicationDefinition, NewDesignStartsWithTheVersionTagAndCurrentRevision) {
  auto def = std::make_unique<ApplicationDefinition>();
  std::memset(def.get(), 0xAB, sizeof *def);
  applyNewApplicationDefaults(*def);
  EXPECT_EQ(std::memcmp(bytesOf(*def), "T900RU004\0", 10), 0);
  EXPECT_EQ(bytesOf(*def)[kBlocks[34].offset], kSchemaRevision);
}

TEST(CopyText, CutsToTheFieldAndNeverWritesPastIt) {
  struct Guarded {
    char field[21];
    char guard[4];
  } g;
  std::memset(&g, 'x', sizeof g);
  copyText(g.field, "12345678901234567890");  // exactly 20 characters fit with the NUL
  EXPECT_STREQ(g.field, "12345678901234567890");
  copyText(g.field, "123456789012345678901");  // 21 are cut to 20
  EXPECT_STREQ(g.field, "12345678901234567890");
  EXPECT_EQ(std::memcmp(g.guard, "xxxx", 4), 0);
  copyText(g.field, nullptr);
  EXPECT_STREQ(g.field, "");
  char one[1] = {'z'};
  copyText(one, "abc");
  EXPECT_EQ(one[0], '\0');
}

}  // namespace
}  // namespace torvik
