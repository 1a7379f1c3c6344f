#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include "cli/durable_files.h"

namespace torvik {

bool regularFileSize(std::FILE* file, std::uint64_t& size) {
  struct _stati64 st {};
  if (_fstati64(_fileno(file), &st) != 0 || (st.st_mode & _S_IFMT) != _S_IFREG) return false;
  size = static_cast<std::uint64_t>(st.st_size);
  return true;
}

void makeStandardInputBinary() { _setmode(0, _O_BINARY); }

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

bool placeOutput(const std::string& out, OutputPlace& place, std::string& error) {
  place = OutputPlace{};
  place.target = out;
  const DWORD attributes = GetFileAttributesA(out.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    SetLastError(ERROR_DIRECTORY);
    error = systemFailure(out);
    return false;
  }
  // NUL, CON, a COM port or a named pipe: whatever opens as no disk file is written in place.
  const HANDLE existing = CreateFileA(out.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (existing != INVALID_HANDLE_VALUE) {
    place.direct = GetFileType(existing) != FILE_TYPE_DISK;
    CloseHandle(existing);
  }
  return true;
}

std::intptr_t createTemporaryBeside(const std::string& target, const std::string& out, std::string& temporary,
                                    std::string& error) {
  const std::size_t slash = target.find_last_of("\\/:");
  const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  // CREATE_NEW fails on any name that is there, a link included: try the next one.
  for (unsigned n = 0; n < 1000; ++n) {
    temporary = folder + "." + name + "." + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(GetTickCount() + n) + ".part";
    const HANDLE file = CreateFileA(temporary.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return reinterpret_cast<std::intptr_t>(file);
    if (GetLastError() != ERROR_FILE_EXISTS) break;
  }
  error = systemFailure(out);
  return reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE);
}

namespace {

bool writeAll(HANDLE file, const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    const DWORD chunk = size > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size);
    DWORD written = 0;
    if (WriteFile(file, data, chunk, &written, nullptr) == 0 || written == 0) return false;
    data += written;
    size -= written;
  }
  return true;
}

}  // namespace

bool writeOutput(const std::string& out, const std::uint8_t* data, std::size_t size, std::string& error) {
  OutputPlace place;
  if (!placeOutput(out, place, error)) return false;
  if (place.direct) {
    const HANDLE file = CreateFileA(place.target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool ok = file != INVALID_HANDLE_VALUE && writeAll(file, data, size);
    if (!ok) error = systemFailure(out);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return ok;
  }
  std::string temporary;
  const HANDLE file = reinterpret_cast<HANDLE>(createTemporaryBeside(place.target, out, temporary, error));
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = writeAll(file, data, size) && FlushFileBuffers(file) != 0;
  if (!ok) error = systemFailure(out);
  CloseHandle(file);
  if (ok && MoveFileExA(temporary.c_str(), place.target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
    error = systemFailure(out);
    ok = false;
  }
  if (!ok) DeleteFileA(temporary.c_str());
  return ok;
}

}  // namespace torvik
