#include "base/text.h"

#include <gtest/gtest.h>

namespace torvik {
namespace {

TEST(Text, TemplatesTakeTheirArgumentsWithoutPrintf) {
  const struct {
    const char* format;
    const char* expected;
  } rows[] = {
      {"Restore %s from %s?", "Restore a.TVX from noon?"},
      {"%s", "a.TVX"},
      {"100%% %s %d %n", "100% a.TVX %d %n"},  // only %s takes an argument
      {"%s %s %s", "a.TVX noon "},             // more places than arguments
      {"tail %", "tail %"},
      {"", ""},
  };
  for (const auto& row : rows) EXPECT_EQ(fillTemplate(row.format, {"a.TVX", "noon"}), row.expected) << row.format;
}

}  // namespace
}  // namespace torvik
