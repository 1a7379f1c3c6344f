// image: the program image as the desktop program sends it.
#include <memory>

#include "cli/commands.h"
#include "cli/console.h"
#include "cli/design_files.h"
#include "cli/durable_files.h"
#include "link/program_image.h"

namespace torvik {

int runImageCommand(const ParsedArgs& args, CliIo& io) {
  const std::string output = args.value("-o");
  if (output.empty()) return usageError(io, "image", "-o IMAGE is required");
  auto def = std::make_unique<ApplicationDefinition>();
  const IncompleteDesign incomplete = args.has("--allow-incomplete") ? IncompleteDesign::Warn : IncompleteDesign::Refuse;
  if (!loadDesign(args.positionals[0], *def, io, incomplete)) return kExitUsage;
  auto image = std::make_unique<ProgramImage>();
  buildProgramImage(*def, *image);
  if (output == "-") {
    makeStandardOutputBinary();
    io.out.write(reinterpret_cast<const char*>(image->bytes), static_cast<std::streamsize>(kImageSize));
    return kExitDone;  // a failed write is runCli's to report
  }
  std::string error;
  if (!writeOutput(output, image->bytes, kImageSize, error)) {
    io.err << "torvik-cli image: " << error << "\n";
    return kExitUsage;
  }
  return kExitDone;
}

}  // namespace torvik
