#pragma once
// What makes a written file last, one file per platform (_posix, _win32): its bytes on the
// disk, a complete file put in place of another in one step, and where an output named on
// the command line really goes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace torvik {

// The size of the open file when it is a regular file (a pipe or a terminal has none yet):
// what a reader can refuse or make room for before it reads.
bool regularFileSize(std::FILE* file, std::uint64_t& size);

// Makes standard input give bytes as they are (Windows would drop each CR before an LF).
void makeStandardInputBinary();

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

// Where an output named OUT goes. A device, a FIFO or the name of an open descriptor
// (/dev/stdout, the /dev/fd/63 of a shell's >(cmd)) is written in place: replacing it would
// destroy it or write where nobody reads. Anything else is a file, reached through its
// symbolic links, that a complete new file replaces.
struct OutputPlace {
  bool direct = false;
  std::string target;  // the device or the file to replace, links followed
};
// False with a message naming OUT for a folder or a loop of links.
bool placeOutput(const std::string& out, OutputPlace& place, std::string& error);

// Creates a new file of a name nobody else has, in the folder of `target`, exclusively and
// never through a link that someone put there; with the permissions `target` has (a new
// file's when there is none). Returns the descriptor (POSIX) or HANDLE (Windows) and its
// name in `temporary`; -1 (INVALID_HANDLE_VALUE) with a message naming `out` on failure.
std::intptr_t createTemporaryBeside(const std::string& target, const std::string& out, std::string& temporary,
                                    std::string& error);

// Writes `size` bytes as the whole of OUT (see placeOutput): a file is replaced only once
// the new one is complete and on the disk. False with a message naming OUT; a file is then
// as it was.
bool writeOutput(const std::string& out, const std::uint8_t* data, std::size_t size, std::string& error);

}  // namespace torvik
