#include "win/language_files_win32.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <vector>

namespace torvik {

long readFileHead(const char* path, char* buffer, long capacity) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return -1;
  long total = 0;
  while (total < capacity) {
    DWORD got = 0;
    if (!ReadFile(file, buffer + total, static_cast<DWORD>(capacity - total), &got, nullptr) || got == 0) break;
    total += static_cast<long>(got);
  }
  CloseHandle(file);
  return total;
}

int findLanguages(UiStrings& strings, const char* folder) {
  strings.clearLanguages();
  char pattern[MAX_PATH + 8];
  std::snprintf(pattern, sizeof pattern, "%s*.lng", folder);
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern, &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    char path[MAX_PATH + 1];
    const int n = std::snprintf(path, sizeof path, "%s%s", folder, found.cFileName);
    if (n < 0 || n >= static_cast<int>(sizeof path)) continue;  // a path that does not fit is no language
    char head[UiStrings::kLanguageHeadSize];
    const long got = readFileHead(path, head, sizeof head);
    // A file without a name line ends the scan, as an empty list's first file makes it empty.
    if (!strings.addLanguage(head, got > 0 ? static_cast<std::size_t>(got) : 0, path)) break;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return strings.languageCount();
}

bool loadLanguage(UiStrings& strings, const char* name) {
  for (int i = 0; i < strings.languageCount(); ++i) {
    if (std::strcmp(strings.language(i).name, name) != 0) continue;
    std::vector<char> text(UiStrings::kMaxLanguageFile);
    const long got = readFileHead(strings.language(i).path, text.data(), static_cast<long>(text.size()));
    if (got < 0) continue;  // the first match that opens is the one
    if (got == 0) return false;
    return strings.applyLanguageFile(text.data(), static_cast<std::size_t>(got));
  }
  return false;
}

}  // namespace torvik
