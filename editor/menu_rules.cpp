#include "editor/menu_rules.h"

#include <cstddef>
#include <cstring>

namespace torvik {

int menuTextLimit(const MenuRecord& menu) { return menu.font != 0 ? kMenuTextCharsLargeFont : kMenuTextChars; }

bool applyPassDownRule(MenuRecord& menu, bool separateDataFiles) {
  const bool saving = menu.saveCaption != 0 || menu.saveSelectedItem != 0;
  if (separateDataFiles) {
    menu.passDown = saving ? 1 : 0;
    return false;
  }
  if (!saving) {
    menu.passDown = 0;
    return false;
  }
  return true;
}

void resetMenus(MenuRecord (&menus)[kMenuCount], std::uint8_t& separateDataFiles) {
  // Everything up to the unused tail, the simulator's two bytes included.
  for (MenuRecord& menu : menus) std::memset(&menu, 0, offsetof(MenuRecord, unused));
  separateDataFiles = 0;
}

}  // namespace torvik
