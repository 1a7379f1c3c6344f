// Writes the program image that the builder makes from a new design; with --new also the
// project file of that new design, and with --full a project file of a design that fills all
// ten forms and menus and defines lookup 1 (tab-delimited articles: a key of 13, a name of 30,
// a price of 8), and the image made from it.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "definition/new_defaults.h"
#include "definition/project_file.h"
#include "link/program_image.h"

namespace {

using namespace torvik;

bool writeFile(const char* path, const void* data, std::size_t size) {
  std::FILE* f = std::fopen(path, "wb");
  if (f == nullptr || std::fwrite(data, 1, size, f) != size) {
    std::perror(path);
    if (f != nullptr) std::fclose(f);
    return false;
  }
  return std::fclose(f) == 0;
}

// Ten forms of eight input lines and ten menus of ten items, every text at its width.
void fillEverything(ApplicationDefinition& def) {
  static const std::uint8_t kTypes[] = {kDataText, kDataInteger, kDataReal, kDataLetter,
                                        kDataAlphameric, kDataBoolean, kDataAutoSign, kDataText};
  for (int f = 0; f < kFormCount; ++f) {
    FormRecord& form = def.form[f];
    for (int j = 0; j < kFormLines; ++j) {
      FormLine line = form.line(j);
      line.dataType = kTypes[j];
      char prompt[32];
      std::snprintf(prompt, sizeof prompt, "Form %02d line %d .....", f + 1, j + 1);
      copyText(line.prompt, prompt);
      line.minLength = 1;
      line.maxLength = static_cast<std::uint8_t>(10 + j * 8);
    }
    form.nextTarget = static_cast<std::uint8_t>(f + 1 < kFormCount ? f + 2 : 1);
  }
  for (int m = 0; m < kMenuCount; ++m) {
    MenuRecord& menu = def.menu[m];
    menu.captionOn = 1;
    char text[32];
    std::snprintf(text, sizeof text, "Menu %d of the shop", m + 1);
    copyText(menu.caption, text);
    for (int k = 0; k < kMenuItems; ++k) {
      std::snprintf(text, sizeof text, "%d.Choice %d-%d", k, m + 1, k + 1);
      copyText(menu.itemName[k], text);
      menu.itemNext[k] = static_cast<std::uint8_t>(1 + (m + k) % kFormCount);
    }
  }
  LookupRecord& articles = def.lookup[0];
  articles.fieldCount = 3;
  articles.keyField = 0;
  articles.delimiter = '\t';
  const std::uint8_t lengths[] = {13, 30, 8};
  int offset = 1;
  for (int i = 0; i < 3; ++i) {
    articles.fieldOffset[i] = static_cast<std::uint8_t>(offset);
    articles.fieldLength[i] = lengths[i];
    offset += lengths[i] + 1;
  }
  articles.memberLength = static_cast<std::uint8_t>(offset - 2);
}

}  // namespace

int main(int argc, char** argv) {
  const bool full = argc == 4 && std::strcmp(argv[1], "--full") == 0;
  const bool project = full || (argc == 4 && std::strcmp(argv[1], "--new") == 0);
  if (argc != 2 && !project) {
    std::fprintf(stderr, "usage: default_image IMAGE_OUT\n       default_image --new|--full PROJECT_OUT IMAGE_OUT\n");
    return 2;
  }
  auto def = std::make_unique<ApplicationDefinition>();
  applyNewApplicationDefaults(*def);
  if (project) {
    if (full) fillEverything(*def);
    auto file = std::make_unique<std::uint8_t[]>(kProjectFileSize);
    writeProjectFile(*def, *reinterpret_cast<std::uint8_t(*)[kProjectFileSize]>(file.get()));
    if (!writeFile(argv[2], file.get(), kProjectFileSize)) return 1;
  }
  auto image = std::make_unique<ProgramImage>();
  buildProgramImage(*def, *image);
  return writeFile(argv[project ? 3 : 1], image->bytes, sizeof image->bytes) ? 0 : 1;
}
