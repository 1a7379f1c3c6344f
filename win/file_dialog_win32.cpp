#include "win/file_dialog_win32.h"

#include <commdlg.h>

#include "win/resource_strings_win32.h"

namespace torvik {

std::string fileFilter(UiStrings& strings, std::initializer_list<int> ids, FilterTexts source) {
  std::string filter;
  for (int id : ids) {
    if (source == FilterTexts::Lookup) {
      filter += strings.lookup(id, TextKind::Label);
    } else {
      char text[128];
      loadResourceString(id, text, sizeof text);
      filter += text;
    }
    filter += '\0';
  }
  filter += '\0';
  return filter;
}

namespace {
OPENFILENAMEA dialogOf(const FileChoice& choice) {
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = choice.owner;
  ofn.lpstrFilter = choice.filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = choice.path;
  ofn.nMaxFile = choice.pathSize;
  ofn.lpstrDefExt = choice.defaultExtension;
  ofn.Flags = choice.flags;
  return ofn;
}
}  // namespace

bool chooseFileToOpen(const FileChoice& choice) {
  OPENFILENAMEA ofn = dialogOf(choice);
  return GetOpenFileNameA(&ofn) != FALSE;
}

bool chooseFileToSave(const FileChoice& choice) {
  OPENFILENAMEA ofn = dialogOf(choice);
  return GetSaveFileNameA(&ofn) != FALSE;
}

}  // namespace torvik
