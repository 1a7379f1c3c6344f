// Writes the program image that the builder makes from a new design.
#include <cstdio>
#include <memory>

#include "definition/new_defaults.h"
#include "link/program_image.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: default_image OUTPUT\n");
    return 2;
  }
  auto def = std::make_unique<torvik::ApplicationDefinition>();
  torvik::applyNewApplicationDefaults(*def);
  auto image = std::make_unique<torvik::ProgramImage>();
  torvik::buildProgramImage(*def, *image);
  std::FILE* f = std::fopen(argv[1], "wb");
  if (f == nullptr || std::fwrite(image->bytes, 1, sizeof image->bytes, f) != sizeof image->bytes) {
    std::perror(argv[1]);
    return 1;
  }
  return std::fclose(f) == 0 ? 0 : 1;
}
