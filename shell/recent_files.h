#pragma once
// The recent-files list (most recent first) and how its entries read on the popup menu.
#include <cstddef>

#include "shell/preferences.h"

namespace torvik {

using RecentFiles = char[kMaxRecentFiles][256];

// The number of entries in use: the leading non-empty ones.
int recentFileCount(const RecentFiles& list);

// Puts `name` first; an entry equal to it (exactly, case counts) moves up instead of
// appearing twice, and when the list is full and the name is new the oldest entry falls
// off. Returns the new count.
int updateRecentFiles(RecentFiles& list, const char* name);

constexpr std::size_t kRecentMenuTextSize = 96;
constexpr std::size_t kRecentShownWhole = 40;  // longer paths are shortened
constexpr std::size_t kRecentHead = 15;
constexpr std::size_t kRecentTail = 22;

// The menu text of entry n (0-based): "&1:  " and the path, or its first 15 characters,
// "..." and its last 22 when it is longer than 40. An "&" in the path is doubled so that
// it shows as itself rather than as a mnemonic.
void recentMenuText(int n, const char* path, char (&text)[kRecentMenuTextSize]);

}  // namespace torvik

#include "shell/session.h"

namespace torvik {

// What opening a recent file needs from the shell: the save prompt, and the load.
class RecentFileUi : public SavePromptUi {
 public:
  // Loads `path` as the design; true when it was loaded.
  virtual bool load(const char* path) = 0;
};

// Opens entry n of the list (the command 3300 + n). A modified design is offered for saving
// first, and Cancel, or a save that did not happen, keeps everything. Once loaded, the
// design is unmodified, as after Open. Returns whether a file was loaded.
bool openRecentFile(Session& session, const RecentFiles& list, int n, RecentFileUi& ui);

}  // namespace torvik
