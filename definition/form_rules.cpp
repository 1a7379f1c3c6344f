#include "definition/form_rules.h"

#include "base/control_table.h"
#include "base/text.h"

#include <cstdio>
#include <cstring>

namespace torvik {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetterOrDigit(char c) { return isDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool inRange(int v, int low, int high) { return v >= low && v <= high; }

// Copies at most `limit` characters of text into the result and notes whether any were lost.
EditCorrection cutTo(const char* text, int limit) {
  EditCorrection r{};
  if (text == nullptr) return r;
  if (limit > static_cast<int>(sizeof r.text) - 1) limit = static_cast<int>(sizeof r.text) - 1;
  int n = 0;
  while (n < limit && text[n] != '\0') {
    r.text[n] = text[n];
    ++n;
  }
  r.changed = text[n] != '\0';
  return r;
}

// The shared correction of the number edits (see the header).
EditCorrection correctNumber(const char* text, const NumberRule& rule) {
  EditCorrection r{};
  if (text == nullptr) return r;
  char work[64];
  copyText(work, text);
  const NumberCorrection c = correctNumberText(work, sizeof work, rule);
  r.value = c.value;
  copyText(r.text, work);
  r.changed = c.changed || std::strlen(text) >= sizeof work;
  return r;
}

void clearProperties(FormLine line) {
  line.fixedLengthOn = 0;
  line.alignment = 0;
  line.fixedLength = 0;
  line.initialText[0] = '\0';
  line.prefixOn = 0;
  line.prefix[0] = 0;
  line.suffixOn = 0;
  line.suffix[0] = 0;
  line.inputMark = 0;
}

// Types whose lines have no "more..." settings worth keeping.
bool hasNoProperties(int type) {
  return type == kDataNil || inRange(type, kDataPrompt, kDataPause) || type == kDataCompare;
}

// Cuts prompts to the display width and hands each Extension line the rest of its parent's
// input area, one display row (W characters) at a time.
void extendLines(FormRecord& form) {
  const int width = promptLimit(form.font);
  const int lines = usableLines(form.font);
  for (int j = 0; j < lines; ++j) {
    FormLine line = form.line(j);
    std::size_t promptLength = boundedLength(line.prompt, sizeof line.prompt);
    if (promptLength > static_cast<std::size_t>(width)) {
      line.prompt[width] = '\0';
      promptLength = static_cast<std::size_t>(width);
    }

    if (inRange(line.dataType, kDataText, kDataBoolean)) {
      // The first row after the parent holds what the prompt left free of its own row.
      int rest = line.maxLength - (width - static_cast<int>(promptLength));
      for (int e = j + 1; e <= j + 4 && e < kFormLines && form.dataType[e] == kDataExtension; ++e) {
        if (rest < 0) rest = 0;
        FormLine extension = form.line(e);
        extension.maxLength = static_cast<std::uint8_t>(rest);
        extension.autoEnter = line.autoEnter;
        extension.inputMark = line.inputMark;
        rest -= width;
      }
    }

    if (line.dataType == kDataNil || line.dataType == kDataExtension) {
      line.lookupField = 0;
      std::memset(line.prompt, 0, sizeof line.prompt);
      line.inputSource = kInputBoth;
      line.minLength = 0;
      line.fixedLengthOn = 0;
      line.alignment = 0;
      line.fixedLength = 0;
      line.initialOn = 0;
      line.initialText[0] = '\0';
      line.prefixOn = 0;
      std::memset(line.prefix, 0, sizeof line.prefix);
      line.suffixOn = 0;
      std::memset(line.suffix, 0, sizeof line.suffix);
      line.partialOn = 0;
      line.partialStart = 0;
      line.partialMax = 20;
      line.leadingOn = 0;
      std::memset(line.leadingCode, 0, sizeof line.leadingCode);
      line.reserved[0] = 0;
      if (line.dataType == kDataNil) {
        line.maxLength = kMaxInputLength;
        line.autoEnter = kAutoEnterScan;
        line.inputMark = 0;
      }
    }
  }
}

}  // namespace

LineControlsEnabled lineControlsFor(int type) {
  LineControlsEnabled e{};
  e.dataType = true;
  e.prompt = type != kDataNil && type != kDataExtension;
  e.more = inRange(type, kDataText, kDataFixed) || inRange(type, kDataAlphameric, kDataCompare);
  e.inputSource = inRange(type, kDataText, kDataBoolean) || inRange(type, kDataPause, kDataCompare);
  e.lookupColumn = inRange(type, kDataText, kDataLookup) || inRange(type, kDataAlphameric, kDataCompare);
  e.lengths = inRange(type, kDataText, kDataAutoSign) || inRange(type, kDataAlphameric, kDataCompare);
  return e;
}

LineControlsEnabled lineControlsFor(const FormRecord& form, int j) {
  if (j < 0 || j >= usableLines(form.font)) return LineControlsEnabled{};
  return lineControlsFor(form.dataType[j]);
}

EditCorrection correctPrompt(const char* text, int limit) { return cutTo(text, limit); }

EditCorrection correctLength(const char* text, int dataType) {
  EditCorrection r = correctNumber(text, NumberRule{kMaxInputLength, 0, 0, true, 0});
  if (dataType == kDataBoolean) r.value = 1;
  return r;
}

EditCorrection correctFixedLength(const char* text) { return correctNumber(text, NumberRule{255, 0, 0, false, 0}); }

EditCorrection correctPartialMax(const char* text) {
  return correctNumber(text, NumberRule{kMaxInputLength, 0, 0, false, 0});
}

EditCorrection correctPartialStart(const char* text) { return correctNumber(text, NumberRule{127, 1, 0, true, 0}); }

EditCorrection correctInitialText(const char* text, int dataType) {
  const int limit = dataType == kDataBoolean ? 1 : static_cast<int>(sizeof(FormRecord::initialText[0])) - 1;
  EditCorrection r = cutTo(text, limit);
  char kept[sizeof r.text] = {};
  int n = 0;
  switch (dataType) {
    case kDataInteger:
      for (const char* p = r.text; *p != '\0'; ++p)
        if (isDigit(*p)) kept[n++] = *p;
      break;
    case kDataReal:
    case kDataAutoSign: {
      // One '.' is a decimal point; with more, none of them is.
      const char* first = std::strchr(r.text, '.');
      const bool onePoint = first != nullptr && std::strchr(first + 1, '.') == nullptr;
      for (const char* p = r.text; *p != '\0'; ++p)
        if (isDigit(*p) || (*p == '.' && onePoint)) kept[n++] = *p;
      break;
    }
    case kDataBoolean:
      if (r.text[0] != '\0' && std::strchr("10TFtfYNyn", r.text[0]) != nullptr) kept[n++] = r.text[0];
      break;
    case kDataAlphameric:
      for (const char* p = r.text; isLetterOrDigit(*p); ++p) kept[n++] = *p;
      break;
    default:
      return r;
  }
  if (std::strcmp(kept, r.text) != 0) {
    std::memcpy(r.text, kept, sizeof r.text);
    r.changed = true;
  }
  return r;
}

EditCorrection correctLeadingCode(const char* text) {
  return cutTo(text, static_cast<int>(sizeof(FormRecord::leadingCode[0])));
}

EditCorrection correctInputMark(const char* text) {
  EditCorrection r = cutTo(text, 1);
  r.value = static_cast<unsigned char>(r.text[0]);
  return r;
}

bool offersSignedFieldRef(int type) {
  return inRange(type, kDataInteger, kDataReal) || type == kDataAutoSign ||
         inRange(type, kDataVariable1, kDataVariable3);
}

int fieldRefItemCount(int type) { return offersSignedFieldRef(type) ? kLookupFieldLast + 1 : kLookupFieldMinus; }

std::uint8_t fieldRefForType(int type, int stored) {
  if (stored < 0) return kLookupFieldNil;
  if (stored < fieldRefItemCount(type)) return static_cast<std::uint8_t>(stored);
  // Anything beyond the combo (also a stray value above 24 from a foreign file) names the
  // field of the same number, unsigned.
  const int field = stored % 8;
  return static_cast<std::uint8_t>(field == 0 ? 8 : field);
}

void settleFormForShow(FormRecord& form) {
  for (int j = 0; j < kFormLines; ++j) form.lookupField[j] = fieldRefForType(form.dataType[j], form.lookupField[j]);
}

TypeChange changeLineType(FormRecord& form, int j, int newType, bool& showInputMark) {
  TypeChange r{};
  FormLine line = form.line(j);
  const int old = line.dataType;
  r.fieldRefItems = fieldRefItemCount(old);
  if (newType == old || !inRange(newType, 0, kDataTypeCount - 1)) return r;

  r.changed = true;
  line.dataType = static_cast<std::uint8_t>(newType);
  r.propertiesCleared = newType == kDataNil ||
                        (newType >= kDataFixed && old != kDataLookup && old < kDataAlphameric) ||
                        (inRange(newType, kDataText, kDataLookup) && inRange(old, kDataLookup, kDataPause));
  if (r.propertiesCleared) {
    clearProperties(line);
    line.initialOn = 0;
    line.checkDigit = 0;
    showInputMark = false;
  }
  if (newType == kDataPause) {
    line.inputSource = kInputKeypad;
    r.inputSourceKeypad = true;
  }
  line.lookupField = fieldRefForType(newType, line.lookupField);
  r.fieldRefItems = fieldRefItemCount(newType);
  return r;
}

bool openLineProperties(FormRecord& form, int j) {
  FormLine line = form.line(j);
  if (line.partialStartPosition() == 0) line.setPartialStartPosition(1);
  if (line.partialMax == 0 || line.partialMax > kMaxInputLength) line.partialMax = kMaxInputLength;
  return line.inputMark != 0;
}

void confirmLineProperties(FormRecord& form, int j, bool showInputMark, bool saveFullBarcode) {
  FormLine line = form.line(j);
  if (!showInputMark) line.inputMark = 0;
  if (line.partialStartPosition() == 0) line.setPartialStartPosition(1);
  // A 0 typed while the dialog was open would leave no partial read at all.
  if (line.partialMax == 0 || line.partialMax > kMaxInputLength) line.partialMax = kMaxInputLength;
  line.setSaveFullBarcode(saveFullBarcode);
}

void confirmLookupLineProperties(FormRecord& form, int j) { form.inputMark[j] = 0; }

void normaliseFormLines(FormRecord (&forms)[kFormCount]) {
  for (FormRecord& form : forms) {
    if (form.font != 0)
      for (int j = kFormLinesLargeFont; j < kFormLines; ++j) form.dataType[j] = kDataNil;
    for (int j = 0; j < kFormLines; ++j) {
      FormLine line = form.line(j);
      if (line.maxLength > kMaxInputLength) line.maxLength = kMaxInputLength;
      if (line.minLength > line.maxLength) line.minLength = line.maxLength;
      if (line.dataType == kDataNil || line.dataType == kDataExtension) {
        std::memset(line.prompt, 0, sizeof line.prompt);
        line.lookupField = 0;
      } else if (inRange(line.dataType, kDataFixed, kDataPassDown) || line.dataType == kDataPause) {
        line.lookupField = 0;
      }
    }
  }
}

void applyFormEdits(FormRecord (&forms)[kFormCount], bool (&showInputMark)[kFormCount][kFormLines]) {
  for (int f = 0; f < kFormCount; ++f) {
    for (int j = 0; j < kFormLines; ++j) {
      FormLine line = forms[f].line(j);
      if (hasNoProperties(line.dataType) || (line.dataType == kDataLookup && line.initialOn == 0)) {
        clearProperties(line);
        showInputMark[f][j] = false;
      }
    }
  }
  normaliseFormLines(forms);
  for (FormRecord& form : forms) extendLines(form);
}

int utilitiesMenuEntries(const LookupRecord& firstLookup) { return firstLookup.isDefined() ? 8 : 7; }

}  // namespace torvik
