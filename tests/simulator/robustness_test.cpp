// Designs from files can hold any byte: the engine must stay inside its buffers whatever
// the design and whatever the keys. Run under the sanitizers, a stray write fails here.
#include <random>

#include "tests/simulator/sim_fixture.h"

namespace torvik {
namespace simtest {
namespace {

bool terminatedWithin(const char* text, int size) {
  for (int i = 0; i < size; ++i)
    if (text[i] == '\0') return true;
  return false;
}

TEST_F(SimTest, RandomDesignsAndKeySequencesStayInsideEveryBuffer) {
  std::mt19937 random(20261208);
  const int keysOf[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 51};
  int formKeys = 0;
  int messages = 0;
  int menus = 0;
  for (int round = 0; round < 60; ++round) {
    SCOPED_TRACE(round);
    // Random bytes everywhere in the forms and menus, but types that exist, so that
    // forms are actually run.
    auto* bytes = reinterpret_cast<std::uint8_t*>(def->form);
    for (std::size_t i = 0; i < sizeof def->form; ++i) bytes[i] = static_cast<std::uint8_t>(random());
    bytes = reinterpret_cast<std::uint8_t*>(def->menu);
    for (std::size_t i = 0; i < sizeof def->menu; ++i) bytes[i] = static_cast<std::uint8_t>(random());
    for (FormRecord& f : def->form) {
      for (int j = 0; j < 8; ++j) f.dataType[j] = static_cast<std::uint8_t>(random() % (round % 3 == 0 ? 256 : 19));
      f.nextTarget = static_cast<std::uint8_t>(random() % (round % 2 == 0 ? 256 : 22));
      f.escTarget = static_cast<std::uint8_t>(random() % 22);
      f.recordAction = static_cast<std::uint8_t>(random() % 4 == 0 ? 3 : 0);
    }
    def->systemSettings.startFrom = static_cast<std::uint8_t>(random() % 2);
    sim->key(kKeyDesignApplied);
    for (int k = 0; k < 400; ++k) {
      if (sim->state() == ScreenState::MainMenu && random() % 4 != 0) sim->key(1);
      const int code = keysOf[random() % (sizeof keysOf / sizeof keysOf[0])];
      if (code == kKeyAlpha) sim->toggleAlpha();
      formKeys += sim->state() == ScreenState::Form ? 1 : 0;
      sim->key(code);
      messages += sim->state() == ScreenState::Message ? 1 : 0;
      menus += sim->state() == ScreenState::UserMenu ? 1 : 0;
      if (random() % 5 == 0) sim->timerTick();
      for (int i = 0; i < kLcdLines; ++i) ASSERT_TRUE(terminatedWithin(sim->line(i), kLcdLineBytes)) << i;
      for (int i = 0; i < kLcdLines; ++i) ASSERT_TRUE(terminatedWithin(sim->fieldLine(i).field, kFieldBytes)) << i;
      ASSERT_TRUE(terminatedWithin(sim->lastRecord(), kLastRecordBytes));
      ASSERT_GE(sim->cursorRow(), 0);
      ASSERT_LT(sim->cursorRow(), kLcdLines);
    }
  }
  // The run reached what it is meant to shake.
  EXPECT_GT(formKeys, 1000);
  EXPECT_GT(messages, 100);
  EXPECT_GT(menus, 100);
}

}  // namespace
}  // namespace simtest
}  // namespace torvik
