#pragma once
// The design check's list of findings (CHECKDLG): on its own from the popup menu or F7, and
// before a download when the check finds errors.
#include <windows.h>

#include <vector>

#include "base/ui_strings.h"
#include "check/design_check.h"

namespace torvik {

enum class CheckDialogMode { Review, BeforeDownload };
enum class CheckChoice { Close, GoTo, DownloadAnyway };

struct CheckDialogData {
  UiStrings& strings;
  const std::vector<CheckFinding>& findings;  // in the order shown: errors first
  CheckDialogMode mode;
  int selected = 0;  // the row selected when it opens; after Go to, the finding chosen
};

// Shows the findings until the user chooses: Close (or Cancel), Go to on a finding that has a
// place in the editor, or Download anyway (before a download only).
CheckChoice runCheckDialog(HINSTANCE instance, HWND owner, CheckDialogData& data);

}  // namespace torvik
