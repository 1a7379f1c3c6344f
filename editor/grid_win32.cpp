// Stand-in until the grid dialog lands: Code edits show their code and open nothing.
#include "editor/grid_win32.h"

#include "editor/code_string.h"

namespace torvik {

void showCodeText(HWND edit, const std::uint8_t* buffer, int capacity, UiStrings& strings) {
  CodeString code(capacity);
  for (int i = 0; i < capacity && buffer[i] != 0; ++i) code.append(buffer[i]);
  const UiText v1 = strings.text(1345), v2 = strings.text(1346), v3 = strings.text(1347);
  const char* const names[3] = {v1.c_str(), v2.c_str(), v3.c_str()};
  char text[kCodeTextBytes];
  code.displayText(text, names);
  SetWindowTextA(edit, text);
}

void makeCodeEdit(HWND, std::uint8_t*, int, UiStrings&) {}

bool runGrid(HWND, std::uint8_t*, int, UiStrings&) { return false; }

}  // namespace torvik
