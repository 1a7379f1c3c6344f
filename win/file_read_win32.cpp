#include "win/file_read_win32.h"

namespace torvik {

bool readFileBytes(const char* path, DWORD limit, std::vector<std::uint8_t>& bytes) {
  bytes.clear();
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes.resize(limit);
  DWORD total = 0;
  while (total < limit) {
    DWORD got = 0;
    if (!ReadFile(file, bytes.data() + total, limit - total, &got, nullptr) || got == 0) break;
    total += got;
  }
  CloseHandle(file);
  bytes.resize(total);
  return true;
}

}  // namespace torvik
