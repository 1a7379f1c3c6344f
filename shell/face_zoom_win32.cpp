#include "shell/face_zoom_win32.h"

#include <windows.h>

#include "simulator/face_scale.h"

namespace torvik {

int readFaceZoom() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return kDefaultZoom;
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  const LONG result = RegQueryValueExA(key, kZoomValueName, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) return kDefaultZoom;
  return validZoom(value);
}

bool writeFaceZoom(int percent) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS)
    return false;
  // One DWORD: the registry writes it whole or not at all.
  const DWORD value = static_cast<DWORD>(validZoom(percent));
  const LONG result =
      RegSetValueExA(key, kZoomValueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

}  // namespace torvik
