#pragma once
// The fields of the design that the simulator reads and writes, in one place, so that the
// engine reads like the field names and a change of record layout touches only this file.
#include <cstdint>

#include "definition/application_definition.h"

namespace torvik {
namespace sim {

using Byte = std::uint8_t;

// Form record.
inline Byte& font(FormRecord& f) { return f.bytes[0]; }
inline Byte& escTarget(FormRecord& f) { return f.bytes[1]; }
inline Byte& nextTarget(FormRecord& f) { return f.bytes[2]; }
inline Byte& stampMode(FormRecord& f) { return f.bytes[3]; }
inline Byte& stampSplit(FormRecord& f) { return f.bytes[4]; }
inline Byte& stampYear(FormRecord& f) { return f.bytes[5]; }
inline Byte& stampYearDigits(FormRecord& f) { return f.bytes[6]; }
inline Byte& stampMonth(FormRecord& f) { return f.bytes[7]; }
inline Byte& stampDay(FormRecord& f) { return f.bytes[8]; }
inline Byte& stampDateSepOn(FormRecord& f) { return f.bytes[9]; }
inline char* stampDateSep(FormRecord& f) { return reinterpret_cast<char*>(f.bytes + 10); }  // 2 bytes
inline Byte& stampDateStyle(FormRecord& f) { return f.bytes[12]; }
inline Byte& stampHour(FormRecord& f) { return f.bytes[13]; }
inline Byte& stampMinute(FormRecord& f) { return f.bytes[14]; }
inline Byte& stampSecond(FormRecord& f) { return f.bytes[15]; }
inline Byte& stampTimeSepOn(FormRecord& f) { return f.bytes[16]; }
inline char* stampTimeSep(FormRecord& f) { return reinterpret_cast<char*>(f.bytes + 17); }  // 2 bytes
inline Byte& recordAction(FormRecord& f) { return f.bytes[19]; }
inline Byte& lookupField(FormRecord& f, int j) { return f.bytes[21 + j]; }
inline Byte& dataType(FormRecord& f, int j) { return f.bytes[29 + j]; }
inline char* prompt(FormRecord& f, int j) { return reinterpret_cast<char*>(f.bytes + 37 + 21 * j); }  // 21 bytes
inline Byte& minLength(FormRecord& f, int j) { return f.bytes[213 + j]; }
inline Byte& maxLength(FormRecord& f, int j) { return f.bytes[221 + j]; }
inline Byte& fixedLengthOn(FormRecord& f, int j) { return f.bytes[229 + j]; }
inline Byte& alignment(FormRecord& f, int j) { return f.bytes[237 + j]; }
inline Byte& fixedLength(FormRecord& f, int j) { return f.bytes[245 + j]; }
inline Byte& initialOn(FormRecord& f, int j) { return f.bytes[253 + j]; }
inline char* initialText(FormRecord& f, int j) { return reinterpret_cast<char*>(f.bytes + 261 + 10 * j); }  // 10
inline Byte& prefixOn(FormRecord& f, int j) { return f.bytes[341 + j]; }
inline Byte* prefix(FormRecord& f, int j) { return f.bytes + 349 + 10 * j; }  // 10, NUL-ended when shorter
inline Byte& suffixOn(FormRecord& f, int j) { return f.bytes[429 + j]; }
inline Byte* suffix(FormRecord& f, int j) { return f.bytes + 437 + 10 * j; }  // 10, NUL-ended when shorter
inline Byte& inputMark(FormRecord& f, int j) { return f.bytes[605 + j]; }
inline Byte& lastInputLine(FormRecord& f) { return f.bytes[1013]; }
inline Byte& simCurrentLine(FormRecord& f) { return f.bytes[1014]; }
constexpr int kPromptBytes = 21;
constexpr int kInitialTextBytes = 10;
constexpr int kCodeBytes = 10;

// Menu record.
inline Byte& font(MenuRecord& m) { return m.bytes[0]; }
inline Byte& captionOn(MenuRecord& m) { return m.bytes[1]; }
inline char* caption(MenuRecord& m) { return reinterpret_cast<char*>(m.bytes + 2); }  // 21 bytes
inline char* itemName(MenuRecord& m, int k) { return reinterpret_cast<char*>(m.bytes + 23 + 21 * k); }  // 21
inline Byte& escTarget(MenuRecord& m) { return m.bytes[233]; }
inline Byte& itemNext(MenuRecord& m, int k) { return m.bytes[234 + k]; }
inline Byte& itemCount(MenuRecord& m) { return m.bytes[247]; }
inline Byte& simSelectedItem(MenuRecord& m) { return m.bytes[248]; }
inline Byte& simSelectedItemSpare(MenuRecord& m) { return m.bytes[249]; }
constexpr int kMenuItems = 10;
constexpr int kItemNameBytes = 21;

// Lookup record: defined when both its member length and field count are set.
inline bool lookupDefined(const LookupRecord& l) { return l.bytes[0] != 0 && l.bytes[1] != 0; }

// System settings.
inline Byte& programStartFrom(SystemSettings& s) { return s.bytes[1]; }
inline Byte& firstDelimiter(SystemSettings& s) { return s.bytes[2]; }
inline Byte& secondDelimiter(SystemSettings& s) { return s.bytes[3]; }
inline Byte& separateDataFiles(SystemSettings& s) { return s.bytes[4]; }

}  // namespace sim
}  // namespace torvik
