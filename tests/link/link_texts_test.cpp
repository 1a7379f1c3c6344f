// Texts with a number in them, also when a language file supplies the text.
#include "link/link_texts.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace torvik {
namespace {

TEST(LinkTexts, NumberReplacesTheFirstPercentDOnly) {
  char out[64];
  substituteNumber("Line %d is too long", 7, out, sizeof out);
  EXPECT_STREQ(out, "Line 7 is too long");
  substituteNumber("%s %d %d %n", 12, out, sizeof out);  // a hostile text stays text
  EXPECT_STREQ(out, "%s 12 %d %n");
  substituteNumber("No number", 3, out, sizeof out);
  EXPECT_STREQ(out, "No number 3");
  substituteNumber("%d", 123456, out, 4);
  EXPECT_STREQ(out, "123");
}

TEST(LinkTexts, CounterAndQuestionInEnglishAndFromALanguageFile) {
  auto strings = std::make_unique<UiStrings>();
  char out[128];
  counterText(*strings, 5, out, sizeof out);
  EXPECT_STREQ(out, "Data received : 5");
  receivedQuestionText(*strings, 2, out, sizeof out);
  EXPECT_STREQ(out, "Done : 2 records received.\nView the received data?");
  const std::string file = "Deutsch\r\n6=Daten empfangen:\r\n7=Fertig: \r\n8= Datensaetze. Ansehen?\r\n";
  ASSERT_TRUE(strings->applyLanguageFile(file.data(), file.size()));
  strings->setLanguageActive(true);
  counterText(*strings, 5, out, sizeof out);
  EXPECT_STREQ(out, "Daten empfangen: 5");
  receivedQuestionText(*strings, 2, out, sizeof out);
  EXPECT_STREQ(out, "Fertig: 2 Datensaetze. Ansehen?");
}

}  // namespace
}  // namespace torvik
