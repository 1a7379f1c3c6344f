#include "shell/recent_files.h"

#include <cstdio>
#include <cstring>

namespace torvik {

int recentFileCount(const RecentFiles& list) {
  int n = 0;
  while (n < kMaxRecentFiles && list[n][0] != '\0') ++n;
  return n;
}

int updateRecentFiles(RecentFiles& list, const char* name) {
  if (name == nullptr || name[0] == '\0') return recentFileCount(list);
  // The name may be one of the entries: both are copied before the list is rebuilt.
  char first[sizeof list[0]];
  std::snprintf(first, sizeof first, "%s", name);
  char previous[kMaxRecentFiles][256];
  std::memcpy(previous, list, sizeof previous);
  const int count = recentFileCount(list);
  std::memset(list, 0, sizeof(RecentFiles));
  int out = 0;
  std::memcpy(list[out++], first, sizeof first);
  for (int i = 0; i < count && out < kMaxRecentFiles; ++i) {
    if (std::strcmp(previous[i], list[0]) == 0) continue;
    std::memcpy(list[out++], previous[i], sizeof list[0]);
  }
  return out;
}

void recentMenuText(int n, const char* path, char (&text)[kRecentMenuTextSize]) {
  char shown[kRecentShownWhole + 1] = {};
  const std::size_t length = std::strlen(path);
  if (length <= kRecentShownWhole) {
    std::memcpy(shown, path, length);
  } else {
    std::memcpy(shown, path, kRecentHead);
    std::memcpy(shown + kRecentHead, "...", 3);
    std::memcpy(shown + kRecentHead + 3, path + length - kRecentTail, kRecentTail);
  }
  int at = std::snprintf(text, sizeof text, "&%d:  ", n + 1);
  if (at < 0) at = 0;
  std::size_t pos = static_cast<std::size_t>(at);
  for (const char* p = shown; *p != '\0' && pos + 2 < sizeof text; ++p) {
    if (*p == '&') text[pos++] = '&';
    text[pos++] = *p;
  }
  text[pos] = '\0';
}

}  // namespace torvik

namespace torvik {

bool openRecentFile(Session& session, const RecentFiles& list, int n, RecentFileUi& ui) {
  if (n < 0 || n >= kMaxRecentFiles || list[n][0] == '\0') return false;
  // Taken first: the save the prompt may run reorders the list.
  char path[sizeof list[n]];
  std::memcpy(path, list[n], sizeof path);
  path[sizeof path - 1] = '\0';
  if (!confirmDiscard(session, ui)) return false;
  if (!ui.load(path)) return false;
  session.modified = false;
  return true;
}

}  // namespace torvik
