#pragma once
// Rules of the Settings page and its dialogs that need no window: the corrections of its
// fields, which controls are enabled, Reset, the apply step, and the wedge's capital-lock
// choice.
#include <cstddef>
#include <cstdint>

#include "definition/settings_records.h"
#include "editor/editor_session.h"

namespace torvik {

// A field's text corrected in place: the value to store and whether the edit must be given
// the corrected text.
struct FieldCorrection {
  int value;
  bool changed;
};

// Backlight idle time, one digit 1 to 9. Of a second digit typed beside the stored one, the
// digit that differs from the stored value stays; a leading '0' puts the stored value back;
// empty, 0 or not a number becomes 1. `text` (at least 2 bytes) gets the corrected text.
FieldCorrection correctBacklightText(char* text, std::size_t size, int stored);

// Prompt stay time, 0 to 99: 100 or more keeps its first two digits, leading zeros go, empty
// or not a number becomes 0.
FieldCorrection correctStayText(char* text, std::size_t size);

// The password: at most 10 digits and letters. Cuts a longer text, then removes every other
// character; reports which of the two happened, for the warnings.
struct PasswordCorrection {
  bool tooLong;
  bool invalidCharacter;
};
PasswordCorrection correctPassword(char* text);

// Which of the page's controls are enabled for the settings shown.
struct SettingsEnables {
  bool uploadPhone;    // 301 and its icon: upload by modem
  bool downloadPhone;  // 302 and its icon: download by modem
  bool modemSpeed;     // either port is the modem
  bool baudRate;       // not both ports the modem
  bool stayRadios;     // an entry prompt is shown
  bool stayTime;       // ... and it stays on the LCD for a time
};
SettingsEnables settingsEnables(const SystemSettings& settings, bool stayOnLcd);

// The stay radio buttons: "Stay on the LCD" gives a waiting prompt the default time.
void chooseStayOnLcd(SystemSettings& settings);
void choosePressAnyKey(SystemSettings& settings);

// Reset of the page's working copies; the function-key enable flag stays as it is.
void resetSettingsPage(SystemSettings& settings, WedgeSettings& wedge);

// Writes the page's own bytes of the working copy into the design's block; the bytes other
// pages edit (the start choices, the separate-data-files flag, fonts, code IDs, texts) stay.
void applySettingsPage(SystemSettings& design, const SystemSettings& copy);

// The capital-lock radio buttons of the wedge dialog, in template order.
enum CapsChoice : int { kCapsAutoDetection = 0, kCapsAlwaysLocked = 1, kCapsIgnoreCase = 2 };
constexpr int kCapsChoices = 3;
// Bit 6 reads as "Always locked", else bit 5 as "Ignore case", else "Auto-detection".
int capsChoiceOf(const WedgeSettings& wedge);
// Sets only the chosen one of bits 5 to 7.
void storeCapsChoice(WedgeSettings& wedge, int choice);

// The wedge dialog's OK: the case choice packed into the dialog's copy, which then goes into
// the page's working copy and straight into the design. Since the design has changed even if
// the sheet is cancelled, the session says so, as the Barcode page's dialogs do.
void confirmWedgeDialog(EditorSession& session, WedgeSettings copy, int capsChoice);

}  // namespace torvik
