#include "link/program_image.h"

#include <cstring>
#include <initializer_list>

#include "base/text.h"
#include "definition/form_rules.h"

namespace torvik {

namespace {

// Pads `text` (a field of at least width + 1 bytes) with spaces to `width` characters and
// ends it there, cutting a longer text.
void padToWidth(char* text, std::size_t fieldSize, std::size_t width) {
  const std::size_t length = boundedLength(text, fieldSize);
  if (length < width) std::memset(text + length, ' ', width - length);
  text[width] = '\0';
}

bool holdsVisibleCharacter(const char* text, std::size_t width) {
  for (std::size_t i = 0; i < width && text[i] != '\0'; ++i)
    if (static_cast<unsigned char>(text[i]) > 0x20) return true;
  return false;
}

bool isInputType(int type) { return (type >= kDataText && type <= kDataBoolean) || type >= kDataPause; }

void formPassTwo(FormRecord& form) {
  int last = 0;
  for (int j = 0; j < kFormLines; ++j) {
    FormLine line = form.line(j);
    if (line.dataType == kDataNil || line.dataType == kDataExtension) {
      line.prompt[0] = '\0';
      line.lookupField = 0;
    } else if (line.dataType >= kDataFixed && line.dataType <= kDataPause) {
      line.lookupField = 0;
    }
    if (isInputType(line.dataType)) last = j + 1;
  }
  form.lastInputLine = static_cast<std::uint8_t>(last);
}

class ImageWriter {
 public:
  explicit ImageWriter(std::uint8_t* out) : out_(out) {}
  void copy(const void* data, std::size_t size) {
    std::memcpy(out_ + at_, data, size);
    at_ += size;
  }
  // A text slot: the text, spaces up to the width, a NUL. A text too long for its slot
  // (only a foreign project file holds one) is cut, so no later section moves.
  void slot(const char* text, std::size_t fieldSize, std::size_t width) {
    std::size_t length = boundedLength(text, fieldSize);
    if (length > width) length = width;
    std::memcpy(out_ + at_, text, length);
    std::memset(out_ + at_ + length, ' ', width - length);
    out_[at_ + width] = 0;
    at_ += width + 1;
  }
  std::size_t at() const { return at_; }

 private:
  std::uint8_t* out_;
  std::size_t at_ = 0;
};

std::uint8_t bumpTwoBits(std::uint8_t byte, int shift) {
  const int value = (byte >> shift) & 3;
  const int adjusted = value > 0 ? (value + 1) & 3 : 0;
  return static_cast<std::uint8_t>((byte & ~(3 << shift)) | (adjusted << shift));
}

}  // namespace

void normaliseMenus(ApplicationDefinition& def) {
  for (int m = 0; m < kMenuCount; ++m) {
    MenuRecord& menu = def.menu[m];
    const std::size_t width = menu.font != 0 ? kMenuTextCharsLargeFont : kMenuTextChars;
    if (menu.captionOn != 0) padToWidth(menu.caption, sizeof menu.caption, width);
    int count = 0;
    for (int k = 0; k < kMenuItems; ++k) {
      char* name = menu.itemName[k];
      if (holdsVisibleCharacter(name, width)) ++count;
      padToWidth(name, sizeof menu.itemName[k], width);
    }
    menu.itemCount = static_cast<std::uint8_t>(count);
    formPassTwo(def.form[m]);
  }
}

void buildProgramImage(ApplicationDefinition& def, ProgramImage& image) {
  normaliseFormLines(def.form);
  normaliseMenus(def);
  ImageWriter w(image.bytes);
  w.copy(&def.barcodeSettings, sizeof def.barcodeSettings);
  w.copy(def.menu, sizeof def.menu);
  w.copy(def.form, sizeof def.form);
  w.copy(def.lookup, sizeof def.lookup);
  for (int g = 0; g < kMessageGroupCount; ++g) {
    const MessageGroupView group = messageGroup(def, g);
    for (int e = 0; e < group.entries; ++e)
      w.slot(group.entry(e), static_cast<std::size_t>(group.width), static_cast<std::size_t>(group.width - 1));
  }

  std::uint8_t wedge[sizeof(WedgeSettings)];
  std::memcpy(wedge, &def.wedgeSettings, sizeof wedge);
  wedge[0] = static_cast<std::uint8_t>(wedge[0] + 1);
  wedge[1] = bumpTwoBits(bumpTwoBits(wedge[1], 1), 3);
  w.copy(wedge, sizeof wedge);

  std::uint8_t system[sizeof(SystemSettings)];
  std::memcpy(system, &def.systemSettings, sizeof system);
  system[1] = system[1] == 0 ? 1 : 11;
  for (int i : {5, 27, 28, 29, 31, 32, 115, 137, 138, 139}) system[i] = static_cast<std::uint8_t>(system[i] + 1);
  system[30] = static_cast<std::uint8_t>(system[30] + 0x30);
  w.copy(system, sizeof system);

  w.copy(&def.weightCode, sizeof def.weightCode);
}

}  // namespace torvik
