#pragma once
// The file a receive writes, record by record. Every record is on the disk (synced) before
// write() returns, and so before the terminal is told it arrived: a crash or a power cut
// after the acknowledgement cannot lose it. One file per platform implements it.
#include <cstdint>
#include <string>

#include "link/receive.h"

namespace torvik {

class ReceivedFile : public OutputFile {
 public:
  // Append: to OUT itself, created when missing. New: to a temporary file of a name of its
  // own beside OUT (beside the file OUT links to), which replaces it only when the receive
  // kept records, so a receive that brings nothing leaves the old OUT as it was; a device or
  // a FIFO named as OUT is written directly.
  enum class Mode { Append, New };

  ReceivedFile() = default;
  ~ReceivedFile() override;
  ReceivedFile(const ReceivedFile&) = delete;
  ReceivedFile& operator=(const ReceivedFile&) = delete;

  // Opens the file the records go to, locked against a second receive into it. A folder
  // is refused in both modes. False with a message naming OUT in `error`.
  bool open(const std::string& path, Mode mode, std::string& error);
  // The size of the file before the first record (where a FileRecordSink starts).
  std::uint64_t startSize() const { return startSize_; }
  // Where the records are being written.
  const std::string& writingPath() const { return writing_; }

  // When the file's last line has no line end, the first record brings one, so that it
  // starts a line of its own; sizes given to truncate() do not count it.
  bool write(const std::uint8_t* data, std::size_t size) override;
  bool truncate(std::uint64_t size) override;

  // Closes the file. `keep` is the receive's verdict (finishReceive). A file that open()
  // created and that is not kept is removed; a file that existed before is never removed.
  // With New a kept file replaces OUT. False with a message in `error` when the records
  // could not be put in place (they are then still in writingPath()).
  bool finish(bool keep, std::string& error);

  // The system's reason why the last write or cut-back failed ("No space left on device").
  const std::string& failure() const { return failure_; }

 private:
  // Forgets the last file and names the next one.
  void begin(const std::string& path, Mode mode);
  void closeHandle();
  // The platform's halves: append all bytes and put them on the disk; cut the file back.
  bool appendSynced(const std::uint8_t* data, std::size_t size);
  bool cutTo(std::uint64_t size);

  std::intptr_t handle_ = -1;  // a descriptor on POSIX, a HANDLE on Windows
  std::string target_;   // the file a kept New receive replaces
  std::string writing_;
  Mode mode_ = Mode::Append;
  bool created_ = false;
  bool direct_ = false;   // a device or a FIFO: written in place, nothing to sync or replace
  std::string failure_;
  std::uint64_t startSize_ = 0;
  bool lineEndOwed_ = false;  // the last line before the records lacks its line end
  std::uint64_t shift_ = 0;   // the line end added to it
};

}  // namespace torvik
