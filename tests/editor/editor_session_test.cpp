// Where the editor opens: the start page shows the record it was handed, every other page and
// any record out of range its first.
#include "editor/editor_session.h"

#include <gtest/gtest.h>

#include <memory>

namespace torvik {
namespace {

TEST(EditorSession, TheStartPageShowsItsRecordOthersTheirFirst) {
  auto def = std::make_unique<ApplicationDefinition>();
  UiStrings strings;
  const struct {
    EditorPage start;
    int record;
    EditorPage page;
    int count;
    int shown;
  } rows[] = {
      {EditorPage::Menu, 1, EditorPage::Menu, kMenuCount, 1},
      {EditorPage::Menu, 9, EditorPage::Menu, kMenuCount, 9},
      {EditorPage::Menu, 10, EditorPage::Menu, kMenuCount, 0},  // past the last menu
      {EditorPage::Menu, -1, EditorPage::Menu, kMenuCount, 0},
      {EditorPage::Menu, 4, EditorPage::Form, kFormCount, 0},  // another page's record
      {EditorPage::Lookup, 2, EditorPage::Lookup, kLookupCount, 2},
      {EditorPage::Lookup, 3, EditorPage::Lookup, kLookupCount, 0},
      {EditorPage::Form, 7, EditorPage::Form, kFormCount, 7},
      {EditorPage::Startup, 2, EditorPage::Lookup, kLookupCount, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(static_cast<int>(row.start) * 100 + row.record);
    EditorSession session(*def, strings);
    session.startPage = row.start;
    session.startRecord = row.record;
    EXPECT_EQ(firstRecordShown(session, row.page, row.count), row.shown);
  }
}

}  // namespace
}  // namespace torvik
