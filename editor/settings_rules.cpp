#include "editor/settings_rules.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace torvik {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Gives `text` the value's decimal text; true when that changed it.
bool putNumber(char* text, std::size_t size, int value) {
  char corrected[8];
  std::snprintf(corrected, sizeof corrected, "%d", value);
  if (std::strcmp(corrected, text) == 0) return false;
  if (std::strlen(corrected) < size) std::strcpy(text, corrected);
  return true;
}

constexpr std::uint8_t kDefaultStay = 6;  // 600 ms

}  // namespace

FieldCorrection correctBacklightText(char* text, std::size_t size, int stored) {
  int value = 1;
  std::size_t digits = 0;
  while (isDigit(text[digits])) ++digits;
  if (digits == 0 || text[digits] != '\0') {
    // Empty, or no number ("2a" is none either).
    value = 1;
  } else if (text[0] == '0') {
    // "0" alone is no idle time; a digit typed after a leading zero is refused.
    bool allZero = true;
    for (std::size_t i = 0; i < digits; ++i) allZero = allZero && text[i] == '0';
    value = allZero ? 1 : stored;
  } else if (digits == 1) {
    value = text[0] - '0';
  } else {
    // The new digit is the one that differs from what was stored; the last such one wins.
    value = stored;
    for (std::size_t i = 0; i < digits; ++i)
      if (text[i] - '0' != stored) value = text[i] - '0';
  }
  if (value < 1 || value > 9) value = 1;
  return {value, putNumber(text, size, value)};
}

FieldCorrection correctStayText(char* text, std::size_t size) {
  int value = 0;
  std::size_t i = 0;
  for (const char* c = text; *c != '\0'; ++c)
    if (!isDigit(*c)) return {0, putNumber(text, size, 0)};  // no number: "5a" as "x"
  while (text[i] == '0') ++i;  // leading zeros go
  for (int kept = 0; isDigit(text[i]) && kept < 2; ++i, ++kept) value = value * 10 + (text[i] - '0');
  return {value, putNumber(text, size, value)};
}

PasswordCorrection correctPassword(char* text) {
  PasswordCorrection result{false, false};
  if (std::strlen(text) > static_cast<std::size_t>(kPasswordChars)) {
    text[kPasswordChars] = '\0';
    result.tooLong = true;
  }
  std::size_t out = 0;
  for (std::size_t in = 0; text[in] != '\0'; ++in) {
    const unsigned char c = static_cast<unsigned char>(text[in]);
    const bool allowed = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (allowed)
      text[out++] = text[in];
    else
      result.invalidCharacter = true;
  }
  text[out] = '\0';
  return result;
}

SettingsEnables settingsEnables(const SystemSettings& s, bool stayOnLcd) {
  SettingsEnables e{};
  const bool uploadModem = s.uploadPort == kPortUploadModem;
  const bool downloadModem = s.downloadPort == kPortDownloadModem;
  e.uploadPhone = uploadModem;
  e.downloadPhone = downloadModem;
  e.modemSpeed = uploadModem || downloadModem;
  e.baudRate = !(uploadModem && downloadModem);
  e.stayRadios = s.entryOption != kEntryNoPrompt;
  e.stayTime = e.stayRadios && stayOnLcd;
  return e;
}

void chooseStayOnLcd(SystemSettings& s) {
  if (s.promptDuration == kPromptWaitsForKey) s.promptDuration = kDefaultStay;
}

void choosePressAnyKey(SystemSettings& s) { s.promptDuration = kPromptWaitsForKey; }

void resetSettingsPage(SystemSettings& s, WedgeSettings& wedge) {
  s.uploadPort = kPortCradleIr;
  std::memset(s.uploadPhone, 0, sizeof s.uploadPhone);
  s.downloadPort = kPortCradleIr;
  s.baudRate = kBaud115200;
  s.backlight = kBacklightOff;
  s.backlightIdle = 2;
  s.dataDeletion = kDeletionManual;
  s.entryOption = kEntryShowCount;
  s.promptDuration = kDefaultStay;
  // Bytes 34 to 67: security flags, password, function-key mapping and the spare bytes after it.
  std::memset(s.security, 0, sizeof s.security);
  std::memset(s.password, 0, sizeof s.password);
  std::memset(s.functionKey, 0, sizeof s.functionKey);
  std::memset(s.unused65, 0, sizeof s.unused65);
  s.modemSpeed = kBaud115200;
  std::memset(s.downloadPhone, 0, sizeof s.downloadPhone);
  s.keyClick = 2;
  s.goodReadBeep = kBeepOne;
  s.warningBeep = kBeepTwo;
  // Bytes 140 to 149.
  std::memset(s.soundSecurity, 0, sizeof s.soundSecurity);
  std::memset(s.unused143, 0, sizeof s.unused143);
  s.vibratorDuration = 0;
  wedge.keyboardType = 0;
  wedge.options = 0;
  wedge.interCharDelay = 0;
  wedge.timeout = 0;
  wedge.addReturnLineFeed = 1;
}

void applySettingsPage(SystemSettings& design, const SystemSettings& copy) {
  // The page's bytes: ports to the spare bytes after the function keys, the function-key
  // flag, modem speed to the spare bytes after the sound security, the vibrator.
  struct Range {
    std::size_t first, last;
  };
  static const Range kOwn[] = {
      {offsetof(SystemSettings, uploadPort), offsetof(SystemSettings, largeFont) - 1},
      {offsetof(SystemSettings, functionKeysOn), offsetof(SystemSettings, functionKeysOn)},
      {offsetof(SystemSettings, modemSpeed), offsetof(SystemSettings, settingsText) - 1},
      {offsetof(SystemSettings, vibratorDuration), offsetof(SystemSettings, vibratorDuration)},
  };
  auto* to = reinterpret_cast<std::uint8_t*>(&design);
  const auto* from = reinterpret_cast<const std::uint8_t*>(&copy);
  for (const Range& r : kOwn) std::memcpy(to + r.first, from + r.first, r.last - r.first + 1);
}

int capsChoiceOf(const WedgeSettings& wedge) {
  if (wedge.on(wedge::alwaysLocked)) return kCapsAlwaysLocked;
  if (wedge.on(wedge::ignoreCase)) return kCapsIgnoreCase;
  return kCapsAutoDetection;
}

void storeCapsChoice(WedgeSettings& wedge, int choice) {
  wedge.set(wedge::autoDetection, choice == kCapsAutoDetection ? 1 : 0);
  wedge.set(wedge::alwaysLocked, choice == kCapsAlwaysLocked ? 1 : 0);
  wedge.set(wedge::ignoreCase, choice == kCapsIgnoreCase ? 1 : 0);
}

void confirmWedgeDialog(EditorSession& session, WedgeSettings copy, int capsChoice) {
  storeCapsChoice(copy, capsChoice);
  session.wedge = copy;
  session.definition.wedgeSettings = copy;
  session.dialogsStored = true;
}

}  // namespace torvik
