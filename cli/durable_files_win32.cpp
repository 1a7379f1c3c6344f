#include <windows.h>
#include <io.h>

#include "cli/durable_files.h"

namespace torvik {

bool syncToDisk(std::FILE* file) {
  const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
  return handle != INVALID_HANDLE_VALUE && FlushFileBuffers(handle) != 0;
}

bool moveOver(const std::string& from, const std::string& to, std::string& error) {
  // The C library's rename does not replace a file here; removing the old one first would
  // lose it when the rename then fails.
  if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
    error = systemFailure(to);
    return false;
  }
  return true;
}

void syncFolderOf(const std::string&) {}

std::string systemFailure(const std::string& path) {
  char text[256] = {};
  const DWORD code = GetLastError();
  if (FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text, sizeof text, nullptr) == 0)
    return path + ": system error " + std::to_string(code);
  std::string message = text;
  while (!message.empty() && (message.back() == '\r' || message.back() == '\n' || message.back() == ' ')) message.pop_back();
  return path + ": " + message;
}

}  // namespace torvik
