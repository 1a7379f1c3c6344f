#pragma once
// One selection screen: an optional caption and ten items, whose texts and targets are stored
// as two parallel arrays; `item(k)` gathers item k's values, so code reads menu.item(k).next.
#include <cstddef>
#include <cstdint>

#include "definition/record_fields.h"

namespace torvik {

constexpr int kMenuItems = 10;
constexpr int kMenuTextChars = 20;  // small font; 15 in the large font
constexpr int kMenuTextCharsLargeFont = 15;

template <typename U8, typename Ch>
struct BasicMenuItem {
  Ch (&name)[21];
  U8& next;  // screen target

  template <typename Record>
  BasicMenuItem(Record& r, int k) : name(r.itemName[k]), next(r.itemNext[k]) {}
};
using MenuItem = BasicMenuItem<std::uint8_t, char>;
using ConstMenuItem = BasicMenuItem<const std::uint8_t, const char>;

#pragma pack(push, 1)

struct MenuRecord {
  std::uint8_t font;  // 0 small, nonzero large
  std::uint8_t captionOn;
  char caption[21];
  char itemName[kMenuItems][21];  // read through item(k)
  std::uint8_t escTarget;
  std::uint8_t itemNext[kMenuItems];  // read through item(k)
  std::uint8_t saveCaption;
  std::uint8_t saveSelectedItem;
  std::uint8_t passDown;
  std::uint8_t itemCount;        // recomputed before a download and a simulator run
  std::uint8_t simSelectedItem;  // the simulator's selected item, 0-based
  std::uint8_t simReserved;      // cleared with simSelectedItem; nothing reads it
  std::uint8_t unused[100];      // never written; saved and downloaded as loaded

  MenuItem item(int k) { return MenuItem(*this, k); }
  ConstMenuItem item(int k) const { return ConstMenuItem(*this, k); }
};

#pragma pack(pop)

static_assert(sizeof(MenuRecord) == 350, "MenuRecord layout");
static_assert(offsetof(MenuRecord, captionOn) == 1, "MenuRecord layout");
static_assert(offsetof(MenuRecord, caption) == 2, "MenuRecord layout");
static_assert(offsetof(MenuRecord, itemName) == 23, "MenuRecord layout");
static_assert(offsetof(MenuRecord, escTarget) == 233, "MenuRecord layout");
static_assert(offsetof(MenuRecord, itemNext) == 234, "MenuRecord layout");
static_assert(offsetof(MenuRecord, saveCaption) == 244, "MenuRecord layout");
static_assert(offsetof(MenuRecord, saveSelectedItem) == 245, "MenuRecord layout");
static_assert(offsetof(MenuRecord, passDown) == 246, "MenuRecord layout");
static_assert(offsetof(MenuRecord, itemCount) == 247, "MenuRecord layout");
static_assert(offsetof(MenuRecord, simSelectedItem) == 248, "MenuRecord layout");
static_assert(offsetof(MenuRecord, simReserved) == 249, "MenuRecord layout");
static_assert(offsetof(MenuRecord, unused) == 250, "MenuRecord layout");

}  // namespace torvik
