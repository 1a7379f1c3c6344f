#pragma once
// Byte layouts of the records inside one application definition. Until each record's fields
// are spelled out, a record is a sized byte array so that the blocks already sit at their
// final offsets.
#include <cstdint>

namespace torvik {

#pragma pack(push, 1)

struct BarcodeSettings { std::uint8_t bytes[23]; };
struct MenuRecord { std::uint8_t bytes[350]; };
struct FormRecord { std::uint8_t bytes[1215]; };
struct LookupRecord { std::uint8_t bytes[122]; };
struct WedgeSettings { std::uint8_t bytes[55]; };
struct SystemSettings { std::uint8_t bytes[268]; };
struct WeightCode { std::uint8_t bytes[12]; };

#pragma pack(pop)

static_assert(sizeof(BarcodeSettings) == 23, "BarcodeSettings layout");
static_assert(sizeof(MenuRecord) == 350, "MenuRecord layout");
static_assert(sizeof(FormRecord) == 1215, "FormRecord layout");
static_assert(sizeof(LookupRecord) == 122, "LookupRecord layout");
static_assert(sizeof(WedgeSettings) == 55, "WedgeSettings layout");
static_assert(sizeof(SystemSettings) == 268, "SystemSettings layout");
static_assert(sizeof(WeightCode) == 12, "WeightCode layout");

}  // namespace torvik
