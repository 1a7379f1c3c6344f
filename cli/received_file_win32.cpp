#include <windows.h>

#include "cli/durable_files.h"
#include "cli/received_file.h"

namespace torvik {

namespace {

HANDLE handleOf(std::intptr_t h) { return reinterpret_cast<HANDLE>(h); }

bool moveToEnd(HANDLE file) {
  LARGE_INTEGER zero{};
  return SetFilePointerEx(file, zero, nullptr, FILE_END) != 0;
}

}  // namespace

ReceivedFile::~ReceivedFile() { closeHandle(); }

void ReceivedFile::closeHandle() {
  if (handleOf(handle_) != INVALID_HANDLE_VALUE) CloseHandle(handleOf(handle_));
  handle_ = reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE);
}

bool ReceivedFile::open(const std::string& path, Mode mode, std::string& error) {
  begin(path, mode);
  // Others may read the file while it grows, but nobody else may write to it.
  const DWORD access = GENERIC_READ | GENERIC_WRITE;
  HANDLE file = INVALID_HANDLE_VALUE;
  if (mode == Mode::New) {
    OutputPlace place;
    if (!placeOutput(path, place, error)) return false;
    target_ = place.target;
    if (place.direct) {
      file = CreateFileA(place.target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
      if (file == INVALID_HANDLE_VALUE) {
        error = systemFailure(path);
        return false;
      }
      handle_ = reinterpret_cast<std::intptr_t>(file);
      direct_ = true;
      startSize_ = 0;
      return true;
    }
    file = reinterpret_cast<HANDLE>(createTemporaryBeside(place.target, path, writing_, error));
    if (file == INVALID_HANDLE_VALUE) return false;
    created_ = true;
  } else {
    file = CreateFileA(writing_.c_str(), access, FILE_SHARE_READ, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      created_ = true;
    } else if (GetLastError() == ERROR_FILE_EXISTS) {
      file = CreateFileA(writing_.c_str(), access, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    if (file == INVALID_HANDLE_VALUE) {
      error = systemFailure(writing_);
      return false;
    }
  }
  handle_ = reinterpret_cast<std::intptr_t>(file);
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file, &size) == 0) {
    error = systemFailure(path);
    finish(false, error);
    return false;
  }
  startSize_ = static_cast<std::uint64_t>(size.QuadPart);
  char last = '\n';
  if (startSize_ > 0) {
    LARGE_INTEGER at{};
    at.QuadPart = size.QuadPart - 1;
    DWORD got = 0;
    if (SetFilePointerEx(file, at, nullptr, FILE_BEGIN) == 0 || ReadFile(file, &last, 1, &got, nullptr) == 0 || got != 1) {
      error = systemFailure(path);
      finish(false, error);
      return false;
    }
  }
  if (!moveToEnd(file)) {
    error = systemFailure(path);
    finish(false, error);
    return false;
  }
  lineEndOwed_ = last != '\n';
  return true;
}

bool ReceivedFile::appendSynced(const std::uint8_t* data, std::size_t size) {
  HANDLE file = handleOf(handle_);
  if (file == INVALID_HANDLE_VALUE) return false;
  while (size > 0) {
    DWORD written = 0;
    if (WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) == 0 || written == 0) {
      failure_ = systemFailure("").substr(2);
      return false;
    }
    data += written;
    size -= written;
  }
  // A device or a pipe has no disk to flush to.
  if (direct_ || FlushFileBuffers(file) != 0) return true;
  failure_ = systemFailure("").substr(2);
  return false;
}

bool ReceivedFile::cutTo(std::uint64_t size) {
  HANDLE file = handleOf(handle_);
  LARGE_INTEGER at{};
  at.QuadPart = static_cast<LONGLONG>(size);
  return file != INVALID_HANDLE_VALUE && SetFilePointerEx(file, at, nullptr, FILE_BEGIN) != 0 && SetEndOfFile(file) != 0 &&
         FlushFileBuffers(file) != 0;
}

}  // namespace torvik
