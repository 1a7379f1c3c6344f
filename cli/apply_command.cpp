// apply: design text read into a design, written as a new project file.
#include <istream>
#include <iterator>
#include <memory>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/durable_files.h"
#include "cli/design_files.h"
#include "definition/design_text.h"
#include "definition/project_file.h"

namespace torvik {

namespace {

// Far beyond a whole design's text (about 300 KB), so that a wrong file is refused, not read.
constexpr std::size_t kMaxChangesSize = 16u << 20;

bool readChanges(const std::string& source, std::vector<std::uint8_t>& bytes, CliIo& io) {
  std::string error;
  if (source != "-") {
    if (readWholeFile(source, bytes, kMaxChangesSize, error)) return true;
    io.err << "torvik-cli apply: " << error << "\n";
    return false;
  }
  if (io.in == nullptr) {
    io.err << "torvik-cli apply: no standard input\n";
    return false;
  }
  bytes.clear();
  char chunk[65536];
  while (io.in->read(chunk, sizeof chunk) || io.in->gcount() > 0) {
    bytes.insert(bytes.end(), chunk, chunk + io.in->gcount());
    if (bytes.size() > kMaxChangesSize) {
      io.err << "torvik-cli apply: standard input: larger than " << kMaxChangesSize << " bytes\n";
      return false;
    }
  }
  if (io.in->bad()) {
    io.err << "torvik-cli apply: cannot read standard input\n";
    return false;
  }
  return true;
}

}  // namespace

int runApplyCommand(const ParsedArgs& args, CliIo& io) {
  const std::string output = args.value("-o");
  if (output.empty()) {
    io.err << "torvik-cli apply: -o OUT is required\n";
    return kExitUsage;
  }
  auto def = std::make_unique<ApplicationDefinition>();
  if (!loadDesign(args.positionals[0], *def, io)) return kExitUsage;
  const std::string source = args.positionals.size() > 1 ? args.positionals[1] : "-";
  std::vector<std::uint8_t> changes;
  if (!readChanges(source, changes, io)) return kExitUsage;
  const std::vector<TextRefusal> refusals =
      applyDesignText(reinterpret_cast<const char*>(changes.data()), changes.size(), *def);
  if (!refusals.empty()) {
    const std::string where = source == "-" ? "standard input" : source;
    for (const TextRefusal& r : refusals) io.err << where << ":" << r.line << ": " << r.reason << "\n";
    io.err << "torvik-cli apply: nothing applied, " << output << " not written\n";
    return kExitUsage;
  }
  auto file = std::make_unique<std::uint8_t[]>(kProjectFileSize);
  writeProjectFile(*def, *reinterpret_cast<std::uint8_t(*)[kProjectFileSize]>(file.get()));
  std::string error;
  if (output == "-") {
    makeStandardOutputBinary();
    io.out.write(reinterpret_cast<const char*>(file.get()), static_cast<std::streamsize>(kProjectFileSize));
    return kExitDone;  // a failed write is runCli's to report
  }
  if (!writeOutput(output, file.get(), kProjectFileSize, error)) {
    io.err << "torvik-cli apply: " << error << "\n";
    return kExitUsage;  // as every command's output that cannot be written
  }
  return kExitDone;
}

}  // namespace torvik
