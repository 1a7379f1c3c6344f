// The check's texts come from the string table, so that a language file translates them; what
// such a file gives is a template for fillTemplate, never a printf format.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "base/string_ids.h"
#include "base/text.h"
#include "check/design_check.h"
#include "cli/design_files.h"
#include "definition/record_fields.h"

namespace torvik {
namespace {

// A language that gives some of the texts; the rest are "%d%n%x %s" to catch a printf.
class FakeLanguage : public TextSource {
 public:
  void copyText(int id, char* out, std::size_t size) override {
    const char* text = "%d%n%x %s";
    if (id == kStrFindLeadsToMenu) text = "f\xFChrt zu Men\xFC %s, das leer ist";
    if (id == kStrFindStartsAtForm) text = "Start: Formular %s ist leer (100%)";
    if (id == kStrFindFieldTooLong) text = "Feld %s hat %s, erlaubt sind %s";
    if (id == kStrCharacters) text = "%s Zeichen";
    if (id == kStrFindLookupTag) text = "(Nachschlagdatei %s)";
    copyText(out, size, text);
  }

 private:
  static void copyText(char* out, std::size_t size, const char* text) { torvik::copyText(out, size, text); }
};

TEST(CheckTexts, ALanguageFileGivesTheFindingsTheirWords) {
  auto def = std::make_unique<ApplicationDefinition>();
  makeNewDesign(*def);
  copyText(def->menu[1].itemName[0], "1.One");
  def->menu[1].itemNext[0] = menuTarget(3);
  FakeLanguage language;
  const std::vector<CheckFinding> findings = checkDesign(*def, language);
  ASSERT_EQ(findings.size(), 2u);
  EXPECT_EQ(findings[0].where, "menu2.item1.next");
  EXPECT_EQ(findings[0].text, "f\xFChrt zu Men\xFC 3, das leer ist");
  EXPECT_EQ(findings[1].where, "system.startFrom");
  EXPECT_EQ(findings[1].text, "Start: Formular 1 ist leer (100%)");
  // The same design without a language: the built-in English.
  const std::vector<CheckFinding> english = checkDesign(*def);
  ASSERT_EQ(english.size(), 2u);
  EXPECT_EQ(english[0].text, "leads to menu 3, which has no items");
  EXPECT_EQ(english[1].text, "the program starts at form 1, which has no input lines");
}

// Every other finding's format from the language is taken as text: "%d%n%x" stay as they are
// and its %s takes the first argument.
TEST(CheckTexts, FormatsFromALanguageNeverReachPrintf) {
  auto def = std::make_unique<ApplicationDefinition>();
  makeNewDesign(*def);
  def->form[0].dataType[0] = 30;  // no data type
  def->menu[0].escTarget = 40;
  copyText(def->menu[0].itemName[0], "1.Go");
  FakeLanguage language;
  for (const CheckFinding& f : checkDesign(*def, language)) {
    SCOPED_TRACE(f.where);
    if (f.where == "system.startFrom") continue;
    EXPECT_EQ(f.text.compare(0, 7, "%d%n%x "), 0) << f.text;
  }
}

// A lookup file's findings take the language's words too, the counted ones and the tag included.
TEST(CheckTexts, ALookupFilesFindingsSpeakTheLanguage) {
  auto def = std::make_unique<ApplicationDefinition>();
  makeNewDesign(*def);
  LookupRecord& l = def->lookup[0];
  l.memberLength = 9;
  l.fieldCount = 1;
  l.fieldLength[0] = 4;
  l.delimiter = ',';
  const std::string text = "abcdef\r\n";
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  FakeLanguage language;
  const std::vector<CheckFinding> findings = checkLookupFile(*def, 1, "a.txt", bytes, text.size(), &language);
  ASSERT_EQ(findings.size(), 1u);
  EXPECT_EQ(findings[0].where, "a.txt:1");
  EXPECT_EQ(findings[0].text, "Feld 1 hat 6 Zeichen, erlaubt sind 4 (Nachschlagdatei 1)");
  const std::vector<CheckFinding> english = checkLookupFile(*def, 1, "a.txt", bytes, text.size());
  ASSERT_EQ(english.size(), 1u);
  EXPECT_EQ(english[0].text, "field 1 has 6 characters, its length is 4 (lookup1)");
}

TEST(CheckTexts, ErrorsComeFirstAndAreCounted) {
  std::vector<CheckFinding> findings = {{Severity::Warning, "a", "1"},
                                        {Severity::Error, "b", "2"},
                                        {Severity::Warning, "c", "3"},
                                        {Severity::Error, "d", "4"}};
  const FindingCounts counts = countFindings(findings);
  EXPECT_EQ(counts.errors, 2);
  EXPECT_EQ(counts.warnings, 2);
  sortBySeverity(findings);
  std::string order;
  for (const CheckFinding& f : findings) order += f.where;
  EXPECT_EQ(order, "bdac") << "errors first, each severity in the order found";
}

}  // namespace
}  // namespace torvik
