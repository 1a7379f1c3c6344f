#pragma once
// The common Open and Save dialogs, as every command that picks a file uses them.
#include <windows.h>

#include <initializer_list>
#include <string>

#include "base/ui_strings.h"

namespace torvik {

// Where a filter's texts come from: the UI string lookup (a language file applies), or the
// resource table itself (the transfer dialogs keep their patterns whatever the language).
enum class FilterTexts { Lookup, Resources };

// "Name\0pattern\0Name\0pattern\0\0" from the UI strings `ids`, in order.
std::string fileFilter(UiStrings& strings, std::initializer_list<int> ids, FilterTexts source);

struct FileChoice {
  HWND owner;
  const std::string& filter;   // from fileFilter; index 1 is selected
  char* path;                  // in: the initial name (may be empty); out: the chosen path
  DWORD pathSize;
  const char* defaultExtension;  // nullptr: none
  DWORD flags;                   // OFN_ flags
};

// Run the dialog; true when a file was chosen.
bool chooseFileToOpen(const FileChoice& choice);
bool chooseFileToSave(const FileChoice& choice);

}  // namespace torvik
