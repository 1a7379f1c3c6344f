// Reading design text: the inverse of settingValue over the same table of settings, so that
// what `show` prints reads back to the same bytes.
#include <cstring>
#include <memory>
#include <unordered_map>

#include "definition/design_text.h"

namespace torvik {

namespace {

const std::unordered_map<std::string, const SettingField*>& fieldsByName() {
  static const auto kByName = [] {
    std::unordered_map<std::string, const SettingField*> map;
    for (const SettingField& f : settingFields()) map.emplace(f.name, &f);
    return map;
  }();
  return kByName;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string trimmed(const char* begin, const char* end) {
  while (begin < end && isBlank(*begin)) ++begin;
  while (end > begin && isBlank(end[-1])) --end;
  return std::string(begin, end);
}

// A decimal number of at most 5 digits (the widest setting holds 65535); -1 when it is none.
long decimal(const std::string& s) {
  if (s.empty() || s.size() > 5) return -1;
  long v = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return -1;
    v = v * 10 + (c - '0');
  }
  return v;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// A quoted text from s[at] on: its bytes, and `at` moved past the closing quote.
bool readQuoted(const std::string& s, std::size_t& at, std::string& out, std::string& reason) {
  if (at >= s.size() || s[at] != '"') {
    reason = "a text starts with a double quote";
    return false;
  }
  for (++at; at < s.size(); ++at) {
    char c = s[at];
    if (c == '"') {
      ++at;
      return true;
    }
    if (c == '\\') {
      if (++at >= s.size()) break;
      switch (s[at]) {
        case '"': case '\\': c = s[at]; break;
        case 't': c = '\t'; break;
        case 'n': c = '\n'; break;
        case 'r': c = '\r'; break;
        case 'x': {
          const int hi = at + 1 < s.size() ? hexDigit(s[at + 1]) : -1;
          const int lo = at + 2 < s.size() ? hexDigit(s[at + 2]) : -1;
          if (hi < 0 || lo < 0) {
            reason = "\\x takes two hex digits";
            return false;
          }
          c = static_cast<char>(hi * 16 + lo);
          at += 2;
          break;
        }
        default:
          reason = std::string("unknown escape \\") + s[at];
          return false;
      }
    }
    if (c == '\0') {
      reason = "a text cannot hold a NUL (the bytes after it are its tail)";
      return false;
    }
    out += c;
  }
  reason = "the text has no closing double quote";
  return false;
}

// Hex bytes and counted zero runs, as hexRun writes them: "00 AB + 94 zeros". Exactly `size`.
bool readHexRun(const std::string& s, std::size_t size, std::uint8_t* out, std::string& reason) {
  std::size_t n = 0;
  std::size_t at = 0;
  bool any = false;
  while (at <= s.size()) {
    std::size_t end = s.find(" + ", at);
    if (end == std::string::npos) end = s.size();
    const std::string segment = s.substr(at, end - at);
    const std::size_t space = segment.find(' ');
    if (space != std::string::npos && segment.compare(space, std::string::npos, " zeros") == 0) {
      const long count = decimal(segment.substr(0, space));
      if (count < 1 || static_cast<std::size_t>(count) > size - n) {
        reason = "\"" + segment + "\" does not fit the " + std::to_string(size) + " bytes";
        return false;
      }
      std::memset(out + n, 0, static_cast<std::size_t>(count));
      n += static_cast<std::size_t>(count);
    } else {
      for (std::size_t i = 0; i <= segment.size(); i += 3) {
        const int hi = i < segment.size() ? hexDigit(segment[i]) : -1;
        const int lo = i + 1 < segment.size() ? hexDigit(segment[i + 1]) : -1;
        if (hi < 0 || lo < 0 || (i + 2 < segment.size() && segment[i + 2] != ' ')) {
          reason = "\"" + segment + "\" is not hex bytes such as \"0A FF\" nor \"N zeros\"";
          return false;
        }
        if (n == size) {
          reason = "more than " + std::to_string(size) + " bytes";
          return false;
        }
        out[n++] = static_cast<std::uint8_t>(hi * 16 + lo);
        if (i + 2 >= segment.size()) break;
      }
    }
    any = true;
    at = end + 3;
  }
  if (!any || n != size) {
    reason = std::to_string(n) + " bytes where the setting has " + std::to_string(size);
    return false;
  }
  return true;
}

bool readText(const SettingField& f, const std::string& value, std::uint8_t* out, std::string& reason) {
  std::size_t at = 0;
  std::string text;
  if (!readQuoted(value, at, text, reason)) return false;
  if (text.size() > f.size) {
    reason = "the text has " + std::to_string(text.size()) + " characters, the field holds " + std::to_string(f.size);
    return false;
  }
  std::memset(out, 0, f.size);
  std::memcpy(out, text.data(), text.size());
  if (at == value.size()) return true;
  static const char kTail[] = " tail ";
  if (value.compare(at, sizeof kTail - 1, kTail) != 0) {
    reason = "after the text only \"tail\" and its bytes may follow";
    return false;
  }
  const std::size_t tailSize = text.size() < f.size ? f.size - text.size() - 1 : 0;
  if (tailSize == 0) {
    reason = "the text fills the field: there is no room for a tail";
    return false;
  }
  return readHexRun(value.substr(at + sizeof kTail - 1), tailSize, out + text.size() + 1, reason);
}

// The names a choice or character offers: the first of equal names is the one read.
long nameIndex(const std::vector<std::string>& names, const std::string& value) {
  for (std::size_t i = 0; i < names.size(); ++i)
    if (!names[i].empty() && names[i] == value) return static_cast<long>(i);
  return -1;
}

// The value of a Number, Flag, Choice, Character or Bits setting, before it is shifted into place.
bool readScalar(const SettingField& f, const std::string& value, unsigned mask, unsigned shift, unsigned& v,
                std::string& reason) {
  const long max = static_cast<long>(mask >> shift);
  long n = -1;
  switch (f.kind) {
    case SettingKind::Number:
      n = decimal(value);
      if (n < 0) {
        reason = "\"" + value + "\" is not a number";
        return false;
      }
      break;
    case SettingKind::Flag:
      if (value == "off") {
        n = 0;
      } else if (value == "on") {
        n = 1;
      } else if (value.size() > 5 && value.compare(0, 4, "on (") == 0 && value.back() == ')') {
        n = decimal(value.substr(4, value.size() - 5));
        if (n < 1) n = -1;
      }
      if (n < 0) {
        reason = "\"" + value + "\" is not off, on or on (N)";
        return false;
      }
      break;
    case SettingKind::Choice:
      n = nameIndex(*f.names, value);
      if (n < 0) n = decimal(value);
      if (n < 0) {
        reason = "no choice named \"" + value + "\"";
        return false;
      }
      break;
    case SettingKind::Character: {
      if (value == (*f.names)[0]) {
        n = 0;
        break;
      }
      n = decimal(value);
      if (n >= 0) break;
      std::size_t at = 0;
      std::string c;
      if (!readQuoted(value, at, c, reason)) {
        reason = "\"" + value + "\" is not a quoted character, its code or \"" + (*f.names)[0] + "\"";
        return false;
      }
      if (c.size() != 1) {
        reason = "a character setting holds one character";
        return false;
      }
      n = static_cast<std::uint8_t>(c[0]);
      if (at != value.size() && value.substr(at) != " (" + std::to_string(n) + ")") {
        reason = "the code after the character is not its own (" + std::to_string(n) + ")";
        return false;
      }
      break;
    }
    case SettingKind::Bits: {
      const std::size_t digits = 2u * f.size;
      if (value.size() != digits + 2 || value.compare(0, 2, "0x") != 0) {
        reason = "\"" + value + "\" is not 0x and " + std::to_string(digits) + " hex digits";
        return false;
      }
      unsigned raw = 0;
      for (std::size_t i = 2; i < value.size(); ++i) {
        const int d = hexDigit(value[i]);
        if (d < 0) {
          reason = "\"" + value + "\" is not 0x and " + std::to_string(digits) + " hex digits";
          return false;
        }
        raw = raw * 16 + static_cast<unsigned>(d);
      }
      if ((raw & ~mask) != 0) {
        std::string allowed = "0x";
        for (std::size_t i = digits; i-- > 0;) allowed += "0123456789ABCDEF"[(mask >> (4 * i)) & 15];
        reason = "bits outside the unused ones (" + allowed + ")";
        return false;
      }
      v = raw;
      return true;
    }
    default:
      break;
  }
  if (n > max) {
    reason = std::to_string(n) + " is out of range (0 to " + std::to_string(max) + ")";
    return false;
  }
  v = static_cast<unsigned>(n) << shift;
  return true;
}

}  // namespace

bool readSettingValue(const SettingField& f, const std::string& value, ApplicationDefinition& def,
                      std::string& reason) {
  std::uint8_t* p = bytesOf(def) + f.offset;
  if (f.kind == SettingKind::Text || f.kind == SettingKind::Bytes) {
    std::vector<std::uint8_t> bytes(f.size);
    const bool ok = f.kind == SettingKind::Text ? readText(f, value, bytes.data(), reason)
                                                : readHexRun(value, f.size, bytes.data(), reason);
    if (ok) std::memcpy(p, bytes.data(), f.size);
    return ok;
  }
  const unsigned mask = f.mask != 0 ? f.mask : (f.size == 2 ? 0xFFFFu : 0xFFu);
  unsigned shift = 0;
  while (((mask >> shift) & 1u) == 0) ++shift;
  unsigned v = 0;
  if (!readScalar(f, value, mask, shift, v, reason)) return false;
  unsigned raw = f.size == 2 ? static_cast<unsigned>(p[0] | (p[1] << 8)) : p[0];
  raw = (raw & ~mask) | (v & mask);
  p[0] = static_cast<std::uint8_t>(raw);
  if (f.size == 2) p[1] = static_cast<std::uint8_t>(raw >> 8);
  return true;
}

std::vector<DesignTextLine> splitDesignText(const char* text, std::size_t size) {
  std::vector<DesignTextLine> lines;
  const char* end = text + size;
  int number = 0;
  // Notepad's UTF-8 files start with a byte order mark; the names and values are ASCII.
  if (size >= 3 && std::memcmp(text, "\xEF\xBB\xBF", 3) == 0) text += 3;
  for (const char* at = text; at < end;) {
    const char* stop = static_cast<const char*>(std::memchr(at, '\n', static_cast<std::size_t>(end - at)));
    if (stop == nullptr) stop = end;
    const char* last = stop;
    if (last > at && last[-1] == '\r') --last;
    ++number;
    const std::string line = trimmed(at, last);
    at = stop + 1;
    if (line.empty() || line[0] == '#') continue;
    DesignTextLine parsed{number, nullptr, {}, {}};
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) {
      parsed.refusal = "not a NAME = VALUE line";
    } else {
      const std::string name = trimmed(line.data(), line.data() + equals);
      parsed.value = trimmed(line.data() + equals + 1, line.data() + line.size());
      const auto found = fieldsByName().find(name);
      if (found == fieldsByName().end()) {
        // The name as given, but never a whole long line nor its control characters.
        std::string shown = name.substr(0, 60);
        for (char& c : shown)
          if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) c = '?';
        parsed.refusal = "no setting is named \"" + shown + "\"";
      } else {
        parsed.field = found->second;
      }
    }
    lines.push_back(std::move(parsed));
  }
  return lines;
}

std::vector<TextRefusal> applyDesignText(const char* text, std::size_t size, ApplicationDefinition& def) {
  std::vector<TextRefusal> refusals;
  auto result = std::make_unique<ApplicationDefinition>(def);
  std::unordered_map<const SettingField*, int> seen;
  for (const DesignTextLine& l : splitDesignText(text, size)) {
    if (!l.refusal.empty()) {
      refusals.push_back({l.line, l.refusal});
      continue;
    }
    const auto earlier = seen.emplace(l.field, l.line);
    if (!earlier.second) {
      refusals.push_back({l.line, l.field->name + ": given twice (first on line " +
                                      std::to_string(earlier.first->second) + ")"});
      continue;
    }
    std::string reason;
    if (!readSettingValue(*l.field, l.value, *result, reason)) refusals.push_back({l.line, l.field->name + ": " + reason});
  }
  if (refusals.empty()) def = *result;
  return refusals;
}

}  // namespace torvik
