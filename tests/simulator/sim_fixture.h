#pragma once
// A small design and a recording UI for driving the simulator engine in tests.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "definition/application_definition.h"
#include "shell/clock.h"
#include "simulator/engine.h"
#include "simulator/keypad.h"

namespace torvik {
namespace simtest {

class RecordingUi : public SimulatorUi {
 public:
  std::vector<LcdRect> areas;
  int noProgram = 0;
  void invalidate(const LcdRect& area) override { areas.push_back(area); }
  void noExecutableProgram() override { ++noProgram; }
  const char* text(int id) override { return id == kStrNoNextScreen ? "No next screen!" : ""; }
};

inline void setEntry(char* entry, int width, const char* text) {
  copyText(entry, static_cast<std::size_t>(width), text);
}

// The terminal texts the screens show, as the default message table has them.
inline void fillTerminalTexts(ApplicationDefinition& def) {
  const char* mainMenu[4] = {"1.Collect data ", "2.Upload data  ", "3.Utilities    ", "            "};
  for (int i = 0; i < 4; ++i) setEntry(def.msgMainMenu.entry[i], 16, mainMenu[i]);
  for (int i = 0; i < 8; ++i) {
    setEntry(def.msgUtilitiesMenu.entry[i], 21, ("U" + std::to_string(i + 1)).c_str());
    setEntry(def.msgSettingsMenu.entry[i], 21, ("S" + std::to_string(i + 1)).c_str());
  }
  const char* connecting[4] = {"Connecting...", "Please wait.", "Press ESC to", "cancel."};
  for (int i = 0; i < 4; ++i) setEntry(def.msgConnecting.entry[i], 16, connecting[i]);
  const char* errors[6] = {"Data type is wrong! ", "Data is too short!", "Check digit error!",
                           "No match in lookup!", "Press any key", "Wrong leading code!"};
  for (int i = 0; i < 6; ++i) setEntry(def.msgErrors.entry[i], 21, errors[i]);
}

struct LineSpec {
  int type;
  const char* prompt;
  int maxLength = 20;
  int minLength = 0;
  int mark = 0;
};

class SimTest : public ::testing::Test {
 protected:
  SimTest() : def(std::make_unique<ApplicationDefinition>()) {
    std::memset(def.get(), 0, sizeof *def);
    fillTerminalTexts(*def);
    sim = std::make_unique<Simulator>(*def, clock, ui);
  }

  void setLine(int formNumber, int j, const LineSpec& spec) {
    FormRecord& f = def->form[formNumber - 1];
    f.dataType[j] = static_cast<std::uint8_t>(spec.type);
    copyText(f.prompt[j], spec.prompt);
    f.maxLength[j] = static_cast<std::uint8_t>(spec.maxLength);
    f.minLength[j] = static_cast<std::uint8_t>(spec.minLength);
    f.inputMark[j] = static_cast<std::uint8_t>(spec.mark);
  }
  void setItem(int menuNumber, int k, const char* name, int next) {
    MenuRecord& m = def->menu[menuNumber - 1];
    copyText(m.itemName[k], name);
    m.itemNext[k] = static_cast<std::uint8_t>(next);
  }

  void keys(std::initializer_list<int> codes) {
    for (int c : codes) sim->key(c);
  }
  void ticks(int n) {
    for (int i = 0; i < n; ++i) sim->timerTick();
  }
  // From the main menu into form 1 (the program starts from form 1 by default).
  void collect() { sim->key(1); }
  std::string lcd(int i) const { return sim->line(i); }
  std::string field(int i) const { return sim->fieldLine(i).field; }

  std::unique_ptr<ApplicationDefinition> def;
  VirtualClock clock;
  RecordingUi ui;
  std::unique_ptr<Simulator> sim;
};

}  // namespace simtest
}  // namespace torvik
