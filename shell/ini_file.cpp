#include "shell/ini_file.h"

#include <climits>
#include <cstdio>
#include <cstring>


namespace torvik {

namespace {

struct Piece {
  const char* text;
  std::size_t length;
};

// Splits at carriage returns, skipping empty pieces; returns how many were found (at most
// `capacity`).
int splitPieces(const char* text, std::size_t size, Piece* pieces, int capacity) {
  int count = 0;
  std::size_t i = 0;
  while (i < size && count < capacity) {
    while (i < size && text[i] == '\r') ++i;
    const std::size_t start = i;
    while (i < size && text[i] != '\r') ++i;
    if (i > start) pieces[count++] = {text + start, i - start};
  }
  return count;
}

void takeText(const Piece& piece, char* field, std::size_t size) {
  const std::size_t n = piece.length < size - 1 ? piece.length : size - 1;
  std::memcpy(field, piece.text, n);
  field[n] = '\0';
}

// The value of the first character minus '0', as the byte the field is.
int firstDigit(const Piece& piece) { return static_cast<unsigned char>(piece.text[0] - '0'); }

// A decimal number with an optional sign and leading blanks; what does not fit an int is
// clamped to it.
int decimal(const Piece& piece) {
  std::size_t i = 0;
  while (i < piece.length && (piece.text[i] == ' ' || piece.text[i] == '\t')) ++i;
  bool negative = false;
  if (i < piece.length && (piece.text[i] == '-' || piece.text[i] == '+')) negative = piece.text[i++] == '-';
  long long value = 0;
  for (; i < piece.length && piece.text[i] >= '0' && piece.text[i] <= '9'; ++i) {
    value = value * 10 + (piece.text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  if (value < INT_MIN) value = INT_MIN;
  return static_cast<int>(value);
}

enum Field { kLast, kDownload, kReceive, kCom, kBaud, kPreload, kOnTop, kLanguage, kPort, kFirstRecent };
constexpr int kPieceCount = kFirstRecent + kMaxRecentFiles;
constexpr int kBaudRateChoices = 5;

}  // namespace

void resetPreferences(Preferences& p) {
  char language[sizeof p.languageName];
  std::memcpy(language, p.languageName, sizeof language);
  p = Preferences{};
  std::memcpy(p.languageName, language, sizeof language);
}

void parseIni(const char* text, std::size_t size, Preferences& p) {
  resetPreferences(p);
  if (text == nullptr) return;
  Piece pieces[kPieceCount];
  const int count = splitPieces(text, size, pieces, kPieceCount);
  if (count > kLast) takeText(pieces[kLast], p.lastProject, sizeof p.lastProject);
  if (count > kDownload) p.downloadTransport = firstDigit(pieces[kDownload]);
  if (count > kReceive) p.receiveTransport = firstDigit(pieces[kReceive]);
  if (count > kCom) p.comNumber = decimal(pieces[kCom]);
  if (count > kBaud) {
    // The index picks one of five rates: anything else would point past the rate table.
    const int baud = firstDigit(pieces[kBaud]);
    if (baud < kBaudRateChoices) p.baudRateIndex = baud;
  }
  if (count > kPreload) p.autoPreload = firstDigit(pieces[kPreload]);
  if (count > kOnTop) p.alwaysOnTop = firstDigit(pieces[kOnTop]);
  if (count > kLanguage) takeText(pieces[kLanguage], p.languageName, sizeof p.languageName);
  if (count > kPort) p.portIndex = decimal(pieces[kPort]);
  for (int i = 0; i < kMaxRecentFiles && kFirstRecent + i < count; ++i)
    takeText(pieces[kFirstRecent + i], p.recentFiles[i], sizeof p.recentFiles[i]);
}

std::string formatIni(const Preferences& p) {
  // An empty text would be an empty piece, which reading skips, shifting every later field:
  // each text field is written with its "none" value instead.
  const char* last = p.lastProject[0] != '\0' ? p.lastProject : kNoLastProject;
  const char* language = p.languageName[0] != '\0' ? p.languageName : "0";
  std::string text;
  char numbers[96];
  text += last;
  std::snprintf(numbers, sizeof numbers, "\r%d\r%d\r%d\r%d\r%d\r%d\r", p.downloadTransport, p.receiveTransport,
                p.comNumber, p.baudRateIndex, p.autoPreload, p.alwaysOnTop);
  text += numbers;
  text += language;
  std::snprintf(numbers, sizeof numbers, "\r%d\r", p.portIndex);
  text += numbers;
  for (int i = 0; i < kMaxRecentFiles; ++i) {
    if (p.recentFiles[i][0] == '\0') continue;
    text += p.recentFiles[i];
    text += '\r';
  }
  return text;
}

}  // namespace torvik
