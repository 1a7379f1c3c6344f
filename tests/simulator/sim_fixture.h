#pragma once
// A small design and a recording UI for driving the simulator engine in tests.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/string_ids.h"
#include "definition/application_definition.h"
#include "base/clock.h"
#include "base/ui_strings.h"
#include "definition/design_rules.h"
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

// The terminal texts the screens show, from the program's own string table (the default
// message table is built from the same texts).
inline void fillTerminalTexts(ApplicationDefinition& def) {
  auto fill = [](char* first, int entries, int width, int firstId) {
    for (int i = 0; i < entries; ++i) {
      char text[128];
      builtinResourceString(firstId + i, text, sizeof text);
      setEntry(first + i * width, width, text);
    }
  };
  fill(def.msgMainMenu.entry[0], 3, 16, kStrMsgMainMenu);
  setEntry(def.msgMainMenu.entry[3], 16, "            ");
  fill(def.msgUtilitiesMenu.entry[0], 8, 21, kStrMsgUtilitiesMenu);
  fill(def.msgSettingsMenu.entry[0], 8, 21, kStrMsgSettingsMenu);
  fill(def.msgConnecting.entry[0], 4, 16, kStrMsgConnecting);
  fill(def.msgErrors.entry[0], 6, 21, kStrMsgErrors);
}

struct LineSetup {
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

  void setLine(int formNumber, int j, const LineSetup& setup) {
    FormRecord& f = def->form[formNumber - 1];
    f.dataType[j] = static_cast<std::uint8_t>(setup.type);
    copyText(f.prompt[j], setup.prompt);
    f.maxLength[j] = static_cast<std::uint8_t>(setup.maxLength);
    f.minLength[j] = static_cast<std::uint8_t>(setup.minLength);
    f.inputMark[j] = static_cast<std::uint8_t>(setup.mark);
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
