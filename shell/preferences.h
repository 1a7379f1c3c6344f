#pragma once
// The user's per-machine choices, kept in the INI file.

namespace torvik {

constexpr int kMaxRecentFiles = 4;

struct Preferences {
  char lastProject[256] = "Unknow";  // "Unknow" marks that there is none
  int downloadTransport = 1;         // Transport index, 0..2
  int receiveTransport = 1;
  int comNumber = 1;                 // finds the port when portIndex is -1
  int baudRateIndex = 0;             // 115200, 57600, 38400, 19200, 9600
  int autoPreload = 0;
  int alwaysOnTop = 0;
  char languageName[41] = "0";       // "0": the built-in English
  int portIndex = 1;
  char recentFiles[kMaxRecentFiles][256] = {};
};

constexpr char kNoLastProject[] = "Unknow";

}  // namespace torvik
