// One record as design text: copied from one slot and read into another it keeps every byte,
// a text of another kind is no record, and lines of other records are refused.
#include "definition/record_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>

#include "definition/new_defaults.h"

namespace torvik {
namespace {

class RecordText : public ::testing::Test {
 protected:
  RecordText() {
    applyNewApplicationDefaults(*def_);
    std::mt19937 random(5);
    for (std::size_t i = offsetof(ApplicationDefinition, menu); i < offsetof(ApplicationDefinition, lookup) + sizeof def_->lookup; ++i)
      bytesOf(*def_)[i] = static_cast<std::uint8_t>(random());
  }
  void* record(RecordKind kind, int index) {
    const RecordSpan span = recordSpan(kind);
    return bytesOf(*def_) + span.offset + span.size * static_cast<std::size_t>(index);
  }
  std::unique_ptr<ApplicationDefinition> def_ = std::make_unique<ApplicationDefinition>();
};

TEST_F(RecordText, EveryRecordReadIntoAnotherSlotKeepsEveryByte) {
  for (RecordKind kind : {RecordKind::Form, RecordKind::Menu, RecordKind::Lookup}) {
    const RecordSpan span = recordSpan(kind);
    for (int from = 0; from < span.count; ++from) {
      const int to = (from + 1) % span.count;
      SCOPED_TRACE(std::string(span.word) + std::to_string(from + 1));
      const std::string text = recordText(kind, from, record(kind, from));
      EXPECT_EQ(text.compare(0, std::strlen(span.word) + std::to_string(from + 1).size() + 1,
                             span.word + std::to_string(from + 1) + "."), 0);
      std::vector<std::uint8_t> into(static_cast<std::uint8_t*>(record(kind, to)),
                                     static_cast<std::uint8_t*>(record(kind, to)) + span.size);
      const RecordTextResult r = readRecordText(kind, text.data(), text.size(), into.data());
      ASSERT_EQ(r.status, RecordTextStatus::Read) << (r.refusals.empty() ? "" : r.refusals[0].reason);
      EXPECT_EQ(r.index, from);
      EXPECT_EQ(0, std::memcmp(into.data(), record(kind, from), span.size));
    }
  }
}

TEST_F(RecordText, ATextOfAnotherKindOrOfNoRecordIsNoRecordAndChangesNothing) {
  const std::string menuText = recordText(RecordKind::Menu, 2, record(RecordKind::Menu, 2));
  const struct {
    RecordKind kind;
    std::string text;
  } kCases[] = {{RecordKind::Form, menuText},
                {RecordKind::Lookup, menuText},
                {RecordKind::Menu, recordText(RecordKind::Lookup, 0, record(RecordKind::Lookup, 0))},
                {RecordKind::Form, ""},
                {RecordKind::Form, "Dear customer,\nthank you.\n"},
                {RecordKind::Form, "system.backlight = Turn on\n"}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.text.substr(0, 40));
    FormRecord form = def_->form[0];
    const RecordTextResult r = readRecordText(c.kind, c.text.data(), c.text.size(), &form);
    EXPECT_EQ(r.status, RecordTextStatus::NoRecord);
    EXPECT_EQ(0, std::memcmp(&form, &def_->form[0], sizeof form));
  }
}

TEST_F(RecordText, LinesOfOtherRecordsOrBadValuesAreRefusedByLineAndChangeNothing) {
  const struct {
    std::string text;
    int line;
    const char* reason;
  } kCases[] = {
      {"form3.font = large\nform4.font = large\n", 2, "form4.font: not a setting of form3"},
      {"# form 3\nform3.font = large\nmenu1.font = large\n", 3, "menu1.font: not a setting of form3"},
      {"form3.font = large\nform3.escTarget = form 11\n", 2, "no choice named \"form 11\""},
      {"form3.font = large\nnonsense\n", 2, "not a NAME = VALUE line"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.text);
    FormRecord form = def_->form[6];
    const RecordTextResult r = readRecordText(RecordKind::Form, c.text.data(), c.text.size(), &form);
    EXPECT_EQ(r.status, RecordTextStatus::Refused);
    ASSERT_EQ(r.refusals.size(), 1u);
    EXPECT_EQ(r.refusals[0].line, c.line);
    EXPECT_NE(r.refusals[0].reason.find(c.reason), std::string::npos) << r.refusals[0].reason;
    EXPECT_EQ(0, std::memcmp(&form, &def_->form[6], sizeof form));
  }
}

TEST_F(RecordText, APartialTextSetsItsSettingsAndKeepsTheRest) {
  FormRecord form = def_->form[6];
  const std::string text = "form3.line2.prompt = \"Qty\"\n";
  ASSERT_EQ(readRecordText(RecordKind::Form, text.data(), text.size(), &form).status, RecordTextStatus::Read);
  EXPECT_STREQ(form.prompt[1], "Qty");
  EXPECT_EQ(form.font, def_->form[6].font);
  EXPECT_EQ(0, std::memcmp(form.prompt[2], def_->form[6].prompt[2], sizeof form.prompt[2]));
}

TEST_F(RecordText, ASlotIsInUseWhenItHoldsAnInputLineACaptionOrItemOrAField) {
  auto blank = std::make_unique<ApplicationDefinition>();
  applyNewApplicationDefaults(*blank);
  FormRecord form = blank->form[0];
  MenuRecord menu = blank->menu[0];
  LookupRecord lookup = blank->lookup[0];
  EXPECT_FALSE(recordInUse(RecordKind::Form, &form));
  EXPECT_FALSE(recordInUse(RecordKind::Menu, &menu));
  EXPECT_FALSE(recordInUse(RecordKind::Lookup, &lookup));
  form.dataType[7] = 1;
  lookup.fieldCount = 1;
  EXPECT_TRUE(recordInUse(RecordKind::Form, &form));
  EXPECT_TRUE(recordInUse(RecordKind::Lookup, &lookup));
  for (int what = 0; what < 3; ++what) {
    MenuRecord m = blank->menu[0];
    if (what == 0) m.caption[0] = 'C';
    if (what == 1) m.itemName[9][0] = 'I';
    if (what == 2) m.itemCount = 1;
    EXPECT_TRUE(recordInUse(RecordKind::Menu, &m)) << what;
  }
}

}  // namespace
}  // namespace torvik
