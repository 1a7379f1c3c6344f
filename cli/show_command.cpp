// show: a design as text, one setting per line.
#include <memory>

#include "cli/commands.h"
#include "cli/design_files.h"
#include "definition/design_text.h"

namespace torvik {

int runShowCommand(const ParsedArgs& args, CliIo& io) {
  auto def = std::make_unique<ApplicationDefinition>();
  if (!loadDesign(args.positionals[0], *def, io)) return kExitUsage;
  std::vector<DesignSetting> settings;
  if (args.has("--changed")) {
    auto fresh = std::make_unique<ApplicationDefinition>();
    makeNewDesign(*fresh);
    settings = changedSettings(*def, *fresh);
  } else {
    settings = describeDesign(*def);
  }
  for (const DesignSetting& s : settings) io.out << s.name << " = " << s.value << "\n";
  return kExitDone;
}

}  // namespace torvik
