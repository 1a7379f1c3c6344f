#pragma once
// One design of a terminal application: 36 fixed blocks in the order that both the project
// file and the program image hold them. Nothing here is variable-sized, so the struct itself
// is the file layout.
#include <cstddef>
#include <cstdint>

#include "base/text.h"
#include "definition/records.h"

namespace torvik {

constexpr int kMenuCount = 10;
constexpr int kFormCount = 10;
constexpr int kLookupCount = 3;
constexpr int kMessageGroupCount = 27;
constexpr std::size_t kDefinitionSize = 18854;
constexpr std::uint8_t kSchemaRevision = 4;
constexpr char kVersionTagText[] = "T900RU004";

#pragma pack(push, 1)

// The terminal's own prompts and messages: Entries texts of up to Width - 1 characters.
template <int Entries, int Width>
struct MessageGroup {
  static constexpr int kEntries = Entries;
  static constexpr int kWidth = Width;
  char entry[Entries][Width];
};

struct ApplicationDefinition {
  char versionTag[10];
  std::uint8_t headerWord[2];
  BarcodeSettings barcodeSettings;
  MenuRecord menu[kMenuCount];
  FormRecord form[kFormCount];
  LookupRecord lookup[kLookupCount];
  MessageGroup<4, 16> msgReserved;
  MessageGroup<4, 16> msgMainMenu;
  MessageGroup<8, 21> msgUtilitiesMenu;
  MessageGroup<4, 16> msgDeleteData;
  MessageGroup<4, 16> msgConfirm;
  MessageGroup<4, 16> msgMemoryPower;
  MessageGroup<7, 16> msgLoadLookup;
  MessageGroup<8, 21> msgSettingsMenu;
  MessageGroup<6, 21> msgUploadPort;
  MessageGroup<6, 21> msgDownloadPort;
  MessageGroup<5, 21> msgBaudRate;
  MessageGroup<4, 21> msgBacklight;
  MessageGroup<4, 21> msgDataDeletion;
  MessageGroup<6, 21> msgEntryOptions;
  MessageGroup<8, 21> msgViewSettings;
  MessageGroup<3, 16> msgSystemFault;
  MessageGroup<5, 16> msgUploadData;
  MessageGroup<4, 21> msgPhoneNumber;
  MessageGroup<5, 16> msgSaveRecord;
  MessageGroup<5, 16> msgDeleteRecord;
  MessageGroup<3, 16> msgAutoDelete;
  MessageGroup<2, 16> msgPassword;
  MessageGroup<4, 16> msgConnecting;
  MessageGroup<3, 16> msgModem;
  MessageGroup<6, 21> msgErrors;
  MessageGroup<8, 16> msgMiscellaneous;
  MessageGroup<3, 21> msgMiscContinuous;
  WedgeSettings wedgeSettings;
  SystemSettings systemSettings;
  WeightCode weightCode;
};

#pragma pack(pop)

static_assert(sizeof(ApplicationDefinition) == kDefinitionSize, "the 36 blocks add up to 18,854 bytes");
static_assert(offsetof(ApplicationDefinition, barcodeSettings) == 12, "block 3");
static_assert(offsetof(ApplicationDefinition, menu) == 35, "block 4");
static_assert(offsetof(ApplicationDefinition, form) == 3535, "block 5");
static_assert(offsetof(ApplicationDefinition, lookup) == 15685, "block 6");
static_assert(offsetof(ApplicationDefinition, msgReserved) == 16051, "block 7");
static_assert(offsetof(ApplicationDefinition, wedgeSettings) == 18519, "block 34");
static_assert(offsetof(ApplicationDefinition, systemSettings) == 18574, "block 35");
static_assert(offsetof(ApplicationDefinition, weightCode) == 18842, "block 36");

// Where each block lies, for code that walks the definition in file order (the project
// file, the program image, the legacy conversion) and for tests.
struct BlockInfo {
  const char* name;
  std::size_t offset;
  std::size_t size;
};
constexpr int kBlockCount = 36;
extern const BlockInfo kBlocks[kBlockCount];
constexpr int kFirstMessageGroupBlock = 6;  // msgReserved's place in kBlocks

// A message group seen without its compile-time shape, in file order (index 0 is msgReserved).
struct MessageGroupView {
  char* text;       // first entry
  int entries;
  int width;        // bytes per entry, 16 or 21
  char* entry(int i) const { return text + i * width; }
};
MessageGroupView messageGroup(ApplicationDefinition& def, int index);

inline std::uint8_t* bytesOf(ApplicationDefinition& def) { return reinterpret_cast<std::uint8_t*>(&def); }
inline const std::uint8_t* bytesOf(const ApplicationDefinition& def) {
  return reinterpret_cast<const std::uint8_t*>(&def);
}


}  // namespace torvik
