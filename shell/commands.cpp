#include "shell/commands.h"

namespace torvik {

namespace {
bool validTransport(int t) { return t >= kTransportRs232 && t <= kTransportIrda; }
// Only the cradle transport needs the cradle's infrared rate negotiated first.
bool usesCradle(int t) { return t == kTransportCradleIr; }
}  // namespace

bool dispatchCommand(int id, int downloadTransport, int receiveTransport, CommandTarget& target) {
  switch (id) {
    case kCmdNew: target.newApplication(); return true;
    case kCmdOpen: target.open(); return true;
    case kCmdSave: target.save(); return true;
    case kCmdSaveAs: target.saveAs(); return true;
    case kCmdEdit: target.edit(); return true;
    case kCmdUndo: target.undo(); return true;
    case kCmdRedo: target.redo(); return true;
    case kCmdPreferences: target.preferences(); return true;
    case kCmdCheckDesign: target.checkDesign(); return true;
    case kCmdAbout: target.about(); return true;
    case kCmdExit: target.exit(); return true;
    case kCmdZoom100: target.zoom(100); return true;
    case kCmdZoom150: target.zoom(150); return true;
    case kCmdZoom200: target.zoom(200); return true;
    case kCmdDownloadApplication:
      if (validTransport(downloadTransport)) target.downloadApplication(usesCradle(downloadTransport));
      return true;
    case kCmdDownloadLookup:
      if (validTransport(downloadTransport)) target.downloadLookupFile(usesCradle(downloadTransport));
      return true;
    case kCmdReceiveData:
      if (validTransport(receiveTransport)) target.receiveData(usesCradle(receiveTransport));
      return true;
    default:
      break;
  }
  if (id >= kCmdRecentFirst && id <= kCmdRecentLast) {
    target.openRecent(id - kCmdRecentFirst);
    return true;
  }
  return false;
}

}  // namespace torvik
