#pragma once
// The commands a user gives from the popup menu or the keyboard, and where each one goes.
#include "resources/resource_ids.h"

namespace torvik {

enum CommandId : int {
  kCmdNew = IDM_NEW,
  kCmdOpen = IDM_OPEN,
  kCmdSave = IDM_SAVE,
  kCmdSaveAs = IDM_SAVEAS,
  kCmdExit = IDM_EXIT,
  kCmdEdit = IDM_EDIT,
  kCmdUndo = IDM_UNDO,
  kCmdRedo = IDM_REDO,
  kCmdPreferences = IDM_PREFERENCES,
  kCmdCheckDesign = IDM_CHECK_DESIGN,
  kCmdDownloadApplication = IDM_DOWNLOAD_APPLICATION,
  kCmdReceiveData = IDM_RECEIVE_DATA,
  kCmdDownloadLookup = IDM_DOWNLOAD_LOOKUP,
  kCmdRecentFirst = IDM_RECENT_FIRST,  // 3300 + n opens recent file n
  kCmdRecentLast = IDM_RECENT_LAST,
  kCmdAbout = IDM_ABOUT,
  kCmdZoom100 = IDM_ZOOM_100,  // the face's zoom, beside the system's scale
  kCmdZoom150 = IDM_ZOOM_150,
  kCmdZoom200 = IDM_ZOOM_200,
};

// Transports of the terminal link; a preference holds the index.
enum Transport : int { kTransportRs232 = 0, kTransportCradleIr = 1, kTransportIrda = 2 };

// What the main window does for each command. The shell implements it with real windows;
// tests implement it with a recorder.
class CommandTarget {
 public:
  virtual ~CommandTarget() = default;
  virtual void newApplication() = 0;
  virtual void open() = 0;
  virtual void save() = 0;
  virtual void saveAs() = 0;
  virtual void edit() = 0;
  virtual void undo() = 0;
  virtual void redo() = 0;
  virtual void preferences() = 0;
  virtual void checkDesign() = 0;
  virtual void downloadApplication(bool cradle) = 0;
  virtual void downloadLookupFile(bool cradle) = 0;
  virtual void receiveData(bool cradle) = 0;
  virtual void about() = 0;
  virtual void exit() = 0;
  virtual void openRecent(int n) = 0;
  virtual void zoom(int percent) = 0;
};

// Runs the command `id` (the low 16 bits of a command message) on `target`. The link
// commands take their transport from the preferences; a stored index outside 0..2 makes
// them do nothing. Returns false for ids that are no command.
bool dispatchCommand(int id, int downloadTransport, int receiveTransport, CommandTarget& target);

}  // namespace torvik
