#pragma once
// The Menu page's rules without windows: the text limit of a font, the pass-down rule and
// Reset.
#include <cstdint>

#include "definition/application_definition.h"

namespace torvik {

// Characters a caption or item name may have in the menu's font: 20 small, 15 large.
int menuTextLimit(const MenuRecord& menu);

// Keeps "Pass down" consistent with the two save options and the separate-data-files flag.
// With separate files it follows the save options and cannot be chosen; without them it is
// cleared when neither save option is on and otherwise left to the user. Returns whether
// the user may change it.
bool applyPassDownRule(MenuRecord& menu, bool separateDataFiles);

// Clears every menu but the 100 bytes no one writes, and the separate-data-files flag.
void resetMenus(MenuRecord (&menus)[kMenuCount], std::uint8_t& separateDataFiles);

// Screen targets offered by the Esc and Next lists: main, forms 1..10, menus 1..10.
constexpr int kScreenTargets = 1 + kFormCount + kMenuCount;

}  // namespace torvik
