#pragma once
// What the torvik-cli tests share: a command line run in-process with its output captured,
// and a scratch folder for the files it reads and writes.
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/design_files.h"
#include "definition/project_file.h"

namespace torvik {

struct CliRun {
  int code;
  std::string out;
  std::string err;
};

inline CliRun runCliCaptured(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  CliIo io{out, err};
  const int code = runCli(args, io);
  return {code, out.str(), err.str()};
}

// A folder of its own under /tmp, removed with everything in it.
class ScratchFolder {
 public:
  ScratchFolder() {
    char pattern[] = "/tmp/torvik-cli-XXXXXX";
    const char* made = mkdtemp(pattern);
    dir_ = made != nullptr ? made : "/tmp";
  }
  ~ScratchFolder() {
    if (dir_ != "/tmp") std::system(("rm -rf '" + dir_ + "'").c_str());
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string path(const std::string& name) const { return dir_ + "/" + name; }
  // Writes the file and returns its path.
  std::string put(const std::string& name, const void* data, std::size_t size) const {
    std::ofstream(path(name), std::ios::binary).write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path(name);
  }
  std::string put(const std::string& name, const std::string& bytes) const { return put(name, bytes.data(), bytes.size()); }
  // A new design's file, as the desktop program's New saves it.
  std::string putNewDesign(const std::string& name) const {
    auto def = std::make_unique<ApplicationDefinition>();
    makeNewDesign(*def);
    return putDesign(name, *def);
  }
  std::string putDesign(const std::string& name, const ApplicationDefinition& def) const {
    auto file = std::make_unique<std::uint8_t[]>(kProjectFileSize);
    writeProjectFile(def, *reinterpret_cast<std::uint8_t(*)[kProjectFileSize]>(file.get()));
    return put(name, file.get(), kProjectFileSize);
  }
  std::string get(const std::string& name) const {
    std::ifstream in(path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool has(const std::string& name) const { return access(path(name).c_str(), F_OK) == 0; }

 private:
  std::string dir_;
};

}  // namespace torvik
