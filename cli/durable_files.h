#pragma once
// What makes a written file last, one file per platform (_posix, _win32): its bytes on the
// disk, and a complete file put in place of another in one step.
#include <cstdio>
#include <string>

namespace torvik {

// Puts what has been written through `file` (flushed already) on the disk.
bool syncToDisk(std::FILE* file);

// Moves the complete file `from` over `to`: `to` is then either the old file or the new one,
// never neither, and the move survives a power cut. False with a message in `error` (`from`
// is then still there).
bool moveOver(const std::string& from, const std::string& to, std::string& error);

// Makes a file's new name in its folder last (POSIX; Windows needs nothing for it).
void syncFolderOf(const std::string& path);

// "PATH: the reason" for the system call that failed last.
std::string systemFailure(const std::string& path);

}  // namespace torvik
