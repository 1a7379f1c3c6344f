#include "cli/received_file.h"

#include <cstdio>
#include <vector>

#include "cli/durable_files.h"

namespace torvik {

void ReceivedFile::begin(const std::string& path, Mode mode) {
  closeHandle();
  target_ = path;
  mode_ = mode;
  writing_ = path;
  created_ = false;
  direct_ = false;
  failure_.clear();
  lineEndOwed_ = false;
  shift_ = 0;
}

bool ReceivedFile::write(const std::uint8_t* data, std::size_t size) {
  if (!lineEndOwed_) return appendSynced(data, size);
  // The line end goes out with the first record, so a receive that brings nothing leaves
  // the file as it was.
  std::vector<std::uint8_t> bytes{'\r', '\n'};
  bytes.insert(bytes.end(), data, data + size);
  if (!appendSynced(bytes.data(), bytes.size())) return false;
  lineEndOwed_ = false;
  shift_ = 2;
  return true;
}

bool ReceivedFile::finish(bool keep, std::string& error) {
  closeHandle();
  if (!keep) {
    if (created_) {
      std::remove(writing_.c_str());
      created_ = false;
    }
    return true;
  }
  if (mode_ == Mode::New && !direct_ && !moveOver(writing_, target_, error)) {
    error += "; the records are in " + writing_;
    return false;
  }
  return true;
}

bool ReceivedFile::truncate(std::uint64_t size) {
  // Back to the start while the line end is still owed also takes off what a failed first
  // write left of it.
  return cutTo(size + shift_);
}

}  // namespace torvik
