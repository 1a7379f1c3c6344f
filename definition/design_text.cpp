#include "definition/design_text.h"

#include <cstring>
#include <memory>
#include <utility>

#include "base/text.h"
#include "base/ui_strings.h"

namespace torvik {

namespace {

using Names = std::vector<std::string>;

// The built-in (English) string table's text, without the blanks some entries end in. The
// built-in table, not a language file, so that the same design always gives the same text.
std::string uiName(int id) {
  char text[128];
  int n = builtinResourceString(id, text, sizeof text);
  while (n > 0 && text[n - 1] == ' ') --n;
  return std::string(text, static_cast<std::size_t>(n));
}
Names uiNames(int firstId, int count, Names head = {}) {
  for (int i = 0; i < count; ++i) head.push_back(uiName(firstId + i));
  return head;
}
Names numbered(const std::string& word, int count, Names head = {}) {
  for (int i = 1; i <= count; ++i) head.push_back(word + " " + std::to_string(i));
  return head;
}
Names operator+(Names a, const Names& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Every list of names a choice can have, built once.
struct NameLists {
  Names font{"small", "large"};
  Names target = numbered("menu", kMenuCount, numbered("form", kFormCount, {"main menu"}));
  Names errorAction = Names{uiName(1230)} + target;  // "Skip error", then a screen target
  Names branch = uiNames(1770, 3, numbered("form", kFormCount, {uiName(1217)}));
  Names stampMode = uiNames(1411, 2, {uiName(1211)});
  Names yearDigits = uiNames(1421, 2);
  Names dateStyle = uiNames(1431, 3);
  Names recordAction = uiNames(1311, 9);
  Names lookupIndex = uiNames(1191, 3, {uiName(1211)});
  Names lookupField = numbered(uiName(1363), 8, numbered(uiName(1362), 8, numbered(uiName(1361), 8, {uiName(1211)})));
  Names dataType = uiNames(1331, 18, {uiName(1211)});
  Names inputSource = uiNames(1345, 3, uiNames(1351, 3));
  Names alignment = uiNames(1371, 4);
  Names autoEnter = uiNames(1401, 4);
  Names checkDigit = uiNames(1381, kCheckDigitMethods, {"none"});
  Names decimals{uiName(1220)};  // 1 to 6 are themselves
  Names field16 = numbered("field", 16);
  Names multiplier = numbered("field", 15, {"none"});
  Names sumSource = uiNames(1191, 4);
  Names filterVariable = uiNames(1345, 3);
  Names keyField = numbered("field", kLookupFields);
  Names noDelimiter{"Fixed length"};
  Names noMatch = uiNames(1451, 6);
  Names badFormat = uiNames(1441, 3);
  Names startStop{"Industrial 25", "Interleave 25", "Matrix 25"};
  Names codabarStyle{"abcd / abcd", "abcd / tn*e", "ABCD / ABCD", "ABCD / TN*E"};
  Names msiVerify{"single modulo 10", "double modulo 10", "modulo 11 and 10"};
  Names msiTransmit{"Last digit not transmitted", "Transmitted", "Last 2 digits not transmitted"};
  Names redundancy = uiNames(1481, 4);
  Names lengthMode{"fixed length", "maximum and minimum"};
  Names scanMode = uiNames(1461, barcode::kScanModeCount);
  Names keyboard = uiNames(1671, wedge::kKeyboardTypes);
  Names lockType{"Normal", "Capital-lock keyboard", "Shift-lock keyboard"};
  Names digitsLayout{"Normal", "Lower position", "Upper position"};
  Names startFrom = uiNames(1561, 2);
  Names uploadPort = uiNames(1495, 5);
  Names downloadPort = uiNames(1495, 3) + Names{uiName(1499)};
  Names baudRate = uiNames(1501, kBaudRateCount);
  Names backlight = uiNames(1511, 2);
  Names dataDeletion = uiNames(1521, 2);
  Names entryOption = uiNames(1531, 3);
  Names promptDuration{"Press any key to continue"};  // 1 to 99 are tenths of a second
  Names functionKey = uiNames(1621, kFunctionKeyFunctions);
  Names keyClick = numbered(uiName(1222), kKeyClickTones, {uiName(1221)});
  Names beep = uiNames(1761, 3, {uiName(1221)});
  Names vibrator{uiName(1541)};  // 1 to 5 are seconds
  Names none{"none"};
};

const NameLists& lists() {
  static const NameLists kLists;
  return kLists;
}

// Adds the settings of one record: names under `prefix`, offsets from `base`.
class Scope {
 public:
  Scope(std::vector<SettingField>& out, std::string prefix, std::size_t base)
      : out_(out), prefix_(std::move(prefix)), base_(base) {}
  Scope sub(const std::string& name, std::size_t offset) const { return Scope(out_, prefix_ + name + ".", base_ + offset); }

  void number(const std::string& name, std::size_t at, unsigned mask = 0, std::size_t size = 1) {
    add(name, at, size, mask, SettingKind::Number, nullptr);
  }
  void flag(const std::string& name, std::size_t at, unsigned mask = 0, std::size_t size = 1) {
    add(name, at, size, mask, SettingKind::Flag, nullptr);
  }
  void choice(const std::string& name, std::size_t at, const Names& names, unsigned mask = 0) {
    add(name, at, 1, mask, SettingKind::Choice, &names);
  }
  void text(const std::string& name, std::size_t at, std::size_t size) { add(name, at, size, 0, SettingKind::Text, nullptr); }
  void character(const std::string& name, std::size_t at, const Names& zero) {
    add(name, at, 1, 0, SettingKind::Character, &zero);
  }
  void bytes(const std::string& name, std::size_t at, std::size_t size) { add(name, at, size, 0, SettingKind::Bytes, nullptr); }
  void bits(const std::string& name, std::size_t at, unsigned mask, std::size_t size = 1) {
    add(name, at, size, mask, SettingKind::Bits, nullptr);
  }
  template <typename Block>
  void flag(const std::string& name, BitsOf<Block> f) { flag(name, f.byte, bitMask(f.shift, f.width)); }
  template <typename Block>
  void choice(const std::string& name, BitsOf<Block> f, const Names& names) {
    choice(name, f.byte, names, bitMask(f.shift, f.width));
  }

 private:
  void add(const std::string& name, std::size_t at, std::size_t size, unsigned mask, SettingKind kind, const Names* names) {
    out_.push_back({prefix_ + name, static_cast<std::uint16_t>(base_ + at), static_cast<std::uint16_t>(size),
                    static_cast<std::uint16_t>(mask), kind, names});
  }

  std::vector<SettingField>& out_;
  std::string prefix_;
  std::size_t base_;
};

// "line3": a line, item, record or block of its kind, 1-based, as the editor numbers them.
std::string index(const char* word, int i) { return word + std::to_string(i + 1); }
// "fieldLength.3": element 3 of an array that has no view of its own, 1-based.
std::string entry(const char* member, int i) { return std::string(member) + "." + std::to_string(i + 1); }

void addBarcode(Scope s) {
  namespace b = barcode;
  const NameLists& n = lists();
  s.flag("code39.enabled", b::code39);
  s.flag("italianPharmacode.enabled", b::italianPharmacode);
  s.flag("frenchPharmacode.enabled", b::frenchPharmacode);
  s.flag("industrial25.enabled", b::industrial25);
  s.flag("interleave25.enabled", b::interleave25);
  s.flag("matrix25.enabled", b::matrix25);
  s.flag("codabar.enabled", b::codabar);
  s.flag("code93.enabled", b::code93);
  s.flag("code128OrEan128", b::code128OrEan128);
  s.flag("upce.enabled", b::upce);
  s.flag("upce.addon2", b::upceAddon2);
  s.flag("upce.addon5", b::upceAddon5);
  s.flag("ean8.enabled", b::ean8);
  s.flag("ean8.addon2", b::ean8Addon2);
  s.flag("ean8.addon5", b::ean8Addon5);
  s.flag("ean13Upca.enabled", b::ean13Upca);
  s.flag("ean13.addon2", b::ean13Addon2);
  s.flag("ean13.addon5", b::ean13Addon5);
  s.flag("msi.enabled", b::msi);
  s.flag("plessey.enabled", b::plessey);
  s.bits("byte2.unusedBits", 2, 0x08);
  s.flag("telepen.enabled", b::telepen);
  s.flag("telepen.numeric", b::telepenNumeric);
  s.flag("rss14Limited.enabled", b::rss14Limited);
  s.flag("rss14Expanded.enabled", b::rss14Expanded);
  s.flag("rss14.enabled", b::rss14);
  s.flag("rss14.codeId", b::rss14CodeId);
  s.flag("rss14.applicationId", b::rss14ApplicationId);
  s.flag("rss14.checkDigit", b::rss14CheckDigit);
  s.flag("rss14Limited.codeId", b::rss14LimitedCodeId);
  s.flag("rss14Limited.applicationId", b::rss14LimitedApplicationId);
  s.flag("rss14Limited.checkDigit", b::rss14LimitedCheckDigit);
  s.flag("rss14Expanded.codeId", b::rss14ExpandedCodeId);
  s.bits("byte4.unusedBits", 4, 0x7F);
  s.flag("code39.startStop", b::code39StartStop);
  s.flag("code39.verifyChecksum", b::code39VerifyChecksum);
  s.flag("code39.transmitChecksum", b::code39TransmitChecksum);
  s.flag("code39.fullAscii", b::code39FullAscii);
  s.flag("italianPharmacode.checksum", b::italianPharmacodeChecksum);
  s.flag("frenchPharmacode.checksum", b::frenchPharmacodeChecksum);
  s.flag("interleave25.verifyChecksum", b::interleave25VerifyChecksum);
  s.flag("interleave25.transmitChecksum", b::interleave25TransmitChecksum);
  s.flag("industrial25.verifyChecksum", b::industrial25VerifyChecksum);
  s.flag("industrial25.transmitChecksum", b::industrial25TransmitChecksum);
  s.flag("matrix25.verifyChecksum", b::matrix25VerifyChecksum);
  s.flag("matrix25.transmitChecksum", b::matrix25TransmitChecksum);
  s.choice("interleave25.startStop", b::interleave25StartStop, n.startStop);
  s.choice("industrial25.startStop", b::industrial25StartStop, n.startStop);
  s.choice("matrix25.startStop", b::matrix25StartStop, n.startStop);
  s.choice("codabar.style", b::codabarStyle, n.codabarStyle);
  s.flag("codabar.startStop", b::codabarStartStop);
  s.bits("byte7.unusedBits", 7, 0x07);
  s.bits("byte8.unusedBits", 8, 0xFF);
  s.choice("msi.verify", b::msiVerify, n.msiVerify);
  s.choice("msi.transmit", b::msiTransmit, n.msiTransmit);
  s.flag("plessey.transmitChecksum", b::plesseyTransmitChecksum);
  s.flag("plessey.toUkPlessey", b::plesseyToUkPlessey);
  s.flag("upce.toUpca", b::upceToUpca);
  s.flag("upca.toEan13", b::upcaToEan13);
  s.flag("isbn", b::isbn);
  s.flag("issn", b::issn);
  s.flag("upce.transmitChecksum", b::upceTransmitChecksum);
  s.flag("upca.transmitChecksum", b::upcaTransmitChecksum);
  s.flag("ean8.transmitChecksum", b::ean8TransmitChecksum);
  s.flag("ean13.transmitChecksum", b::ean13TransmitChecksum);
  s.flag("upce.systemNumber", b::upceSystemNumber);
  s.flag("upca.systemNumber", b::upcaSystemNumber);
  s.flag("ean8.toEan13", b::ean8ToEan13);
  s.flag("negativeBarcode", b::negativeBarcode);
  s.choice("readRedundancy", b::readRedundancy, n.redundancy);
  s.bits("byte11.unusedBits", 11, 0x63);
  const struct {
    const char* symbology;
    std::size_t at;
  } kLengths[] = {{"industrial25", offsetof(BarcodeSettings, industrial25Length)},
                  {"interleave25", offsetof(BarcodeSettings, interleave25Length)},
                  {"matrix25", offsetof(BarcodeSettings, matrix25Length)},
                  {"msi", offsetof(BarcodeSettings, msiLength)}};
  for (const auto& l : kLengths) {
    const std::string name = l.symbology;
    s.choice(name + ".lengthMode", l.at, n.lengthMode, 0x80);
    s.number(name + ".maxLength", l.at, 0x7F);
    s.number(name + ".minLength", l.at + 1);
  }
  s.choice("scanMode", b::scanMode, n.scanMode);
  s.bits("byte20.unusedBits", 20, 0x0F);
  s.number("timeout", offsetof(BarcodeSettings, timeout));
  s.flag("code128.enabled", b::code128);
  s.flag("ean128.enabled", b::ean128);
  s.flag("ean128.noCodeId", b::ean128NoCodeId);
  s.flag("code128.copy", b::code128Copy);
  s.bits("byte22.unusedBits", 22, 0x0F);
}

void addMenu(Scope s) {
  const NameLists& n = lists();
  using M = MenuRecord;
  s.choice("font", offsetof(M, font), n.font);
  s.flag("captionOn", offsetof(M, captionOn));
  s.text("caption", offsetof(M, caption), sizeof(M::caption));
  for (int k = 0; k < kMenuItems; ++k) {
    Scope item = s.sub(index("item", k), 0);
    item.text("name", offsetof(M, itemName) + sizeof(M::itemName[0]) * k, sizeof(M::itemName[0]));
    item.choice("next", offsetof(M, itemNext) + k, n.target);
  }
  s.choice("escTarget", offsetof(M, escTarget), n.target);
  s.flag("saveCaption", offsetof(M, saveCaption));
  s.flag("saveSelectedItem", offsetof(M, saveSelectedItem));
  s.flag("passDown", offsetof(M, passDown));
  s.number("itemCount", offsetof(M, itemCount));
  s.number("simSelectedItem", offsetof(M, simSelectedItem));
  s.number("simReserved", offsetof(M, simReserved));
  s.bytes("unused", offsetof(M, unused), sizeof(M::unused));
}

void addFormLine(Scope s, int j) {
  const NameLists& n = lists();
  using F = FormRecord;
  // Parallel arrays: line j's value is element j of each.
  auto one = [j](std::size_t array) { return array + j; };
  auto wide = [j](std::size_t array, std::size_t width) { return array + width * j; };
  s.choice("lookupField", one(offsetof(F, lookupField)), n.lookupField);
  s.choice("dataType", one(offsetof(F, dataType)), n.dataType);
  s.text("prompt", wide(offsetof(F, prompt), sizeof(F::prompt[0])), sizeof(F::prompt[0]));
  s.choice("inputSource", one(offsetof(F, inputSource)), n.inputSource);
  s.number("minLength", one(offsetof(F, minLength)));
  s.number("maxLength", one(offsetof(F, maxLength)));
  s.flag("fixedLengthOn", one(offsetof(F, fixedLengthOn)));
  s.choice("alignment", one(offsetof(F, alignment)), n.alignment);
  s.number("fixedLength", one(offsetof(F, fixedLength)));
  s.flag("initialOn", one(offsetof(F, initialOn)));
  s.text("initialText", wide(offsetof(F, initialText), sizeof(F::initialText[0])), sizeof(F::initialText[0]));
  s.flag("prefixOn", one(offsetof(F, prefixOn)));
  s.text("prefix", wide(offsetof(F, prefix), sizeof(F::prefix[0])), sizeof(F::prefix[0]));
  s.flag("suffixOn", one(offsetof(F, suffixOn)));
  s.text("suffix", wide(offsetof(F, suffix), sizeof(F::suffix[0])), sizeof(F::suffix[0]));
  s.flag("partialOn", one(offsetof(F, partialOn)));
  s.number("partialStart", one(offsetof(F, partialStart)), 0x7F);
  s.flag("saveFullBarcode", one(offsetof(F, partialStart)), 0x80);
  s.number("partialMax", one(offsetof(F, partialMax)));
  s.flag("leadingOn", one(offsetof(F, leadingOn)));
  s.text("leadingCode", wide(offsetof(F, leadingCode), sizeof(F::leadingCode[0])), sizeof(F::leadingCode[0]));
  s.choice("autoEnter", one(offsetof(F, autoEnter)), n.autoEnter);
  s.character("inputMark", one(offsetof(F, inputMark)), n.none);
  s.choice("checkDigit", one(offsetof(F, checkDigit)), n.checkDigit);
  s.choice("decimals", one(offsetof(F, decimals)), n.decimals);
  s.bytes("reserved", wide(offsetof(F, reserved), sizeof(F::reserved[0])), sizeof(F::reserved[0]));
}

void addForm(Scope s) {
  const NameLists& n = lists();
  using F = FormRecord;
  s.choice("font", offsetof(F, font), n.font);
  s.choice("escTarget", offsetof(F, escTarget), n.target);
  s.choice("nextTarget", offsetof(F, nextTarget), n.target);
  s.choice("stampMode", offsetof(F, stampMode), n.stampMode);
  s.flag("stampSplit", offsetof(F, stampSplit));
  s.flag("stampYear", offsetof(F, stampYear));
  s.choice("stampYearDigits", offsetof(F, stampYearDigits), n.yearDigits);
  s.flag("stampMonth", offsetof(F, stampMonth));
  s.flag("stampDay", offsetof(F, stampDay));
  s.flag("stampDateSepOn", offsetof(F, stampDateSepOn));
  s.text("stampDateSep", offsetof(F, stampDateSep), sizeof(F::stampDateSep));
  s.choice("stampDateStyle", offsetof(F, stampDateStyle), n.dateStyle);
  s.flag("stampHour", offsetof(F, stampHour));
  s.flag("stampMinute", offsetof(F, stampMinute));
  s.flag("stampSecond", offsetof(F, stampSecond));
  s.flag("stampTimeSepOn", offsetof(F, stampTimeSepOn));
  s.text("stampTimeSep", offsetof(F, stampTimeSep), sizeof(F::stampTimeSep));
  s.choice("recordAction", offsetof(F, recordAction), n.recordAction);
  s.choice("lookupIndex", offsetof(F, lookupIndex), n.lookupIndex);
  for (int j = 0; j < kFormLines; ++j) addFormLine(s.sub(index("line", j), 0), j);
  s.number("lastInputLine", offsetof(F, lastInputLine));
  s.number("simCurrentLine", offsetof(F, simCurrentLine));
  // The FN+1 to FN+4 arrays in file order, each by its member name and the key's number.
  for (int k = 0; k < kFnKeys; ++k) s.choice(entry("fnBranch", k), offsetof(F, fnBranch) + k, n.branch);
  for (int k = 0; k < kFnKeys; ++k) {
    s.choice(entry("fnSumField", k), offsetof(F, fnSumField) + k, n.field16, 0x0F);
    s.choice(entry("fnSumMultiplier", k), offsetof(F, fnSumField) + k, n.multiplier, 0xF0);
  }
  for (int k = 0; k < kFnKeys; ++k) s.choice(entry("fnSumSource", k), offsetof(F, fnSumSource) + k, n.sumSource);
  s.choice("errorAction", offsetof(F, errorAction), n.errorAction);
  for (int k = 0; k < kFnKeys; ++k) {
    s.flag(entry("fnRemainsEnabled", k), offsetof(F, fnRemainsField) + k, 0x10);
    s.choice(entry("fnRemainsField", k), offsetof(F, fnRemainsField) + k, n.field16, 0x0F);
    s.bits(entry("fnRemainsUnusedBits", k), offsetof(F, fnRemainsField) + k, 0xE0);
  }
  for (int k = 0; k < kFnKeys; ++k) {
    s.flag(entry("fnFilterIsSuffix", k), offsetof(F, fnRemainsFilter) + k, 0x01);
    s.choice(entry("fnFilterVariable", k), offsetof(F, fnRemainsFilter) + k, n.filterVariable, 0xF0);
    s.bits(entry("fnFilterUnusedBits", k), offsetof(F, fnRemainsFilter) + k, 0x0E);
  }
  s.bytes("unused", offsetof(F, unused), sizeof(F::unused));
}

void addLookup(Scope s) {
  const NameLists& n = lists();
  using L = LookupRecord;
  s.number("memberLength", offsetof(L, memberLength));
  s.number("fieldCount", offsetof(L, fieldCount));
  s.choice("keyField", offsetof(L, keyField), n.keyField);
  for (int i = 0; i < kLookupFields; ++i) s.number(entry("fieldOffset", i), offsetof(L, fieldOffset) + i);
  for (int i = 0; i < kLookupFields; ++i) s.number(entry("fieldLength", i), offsetof(L, fieldLength) + i);
  s.character("delimiter", offsetof(L, delimiter), n.noDelimiter);
  s.flag("uploadable", offsetof(L, uploadable));
  s.choice("noMatchAction", offsetof(L, noMatchAction), n.noMatch);
  s.choice("badFormatAction", offsetof(L, badFormatAction), n.badFormat);
  s.flag("readOnce", offsetof(L, readOnce));
  s.flag("negativeRemains", offsetof(L, negativeRemains));
  s.flag("deleteIfNull", offsetof(L, deleteIfNull));
  s.bytes("unused", offsetof(L, unused), sizeof(L::unused));
}

// "mainMenu": the group's block name without "Msg", as its member is named.
std::string messageGroupMember(int group) {
  std::string name = kBlocks[kFirstMessageGroupBlock + group].name + 3;
  name[0] = static_cast<char>(name[0] - 'A' + 'a');
  return name;
}

void addMessages(Scope s) {
  // The groups' shapes come from the definition itself, so the names follow its layout.
  auto scratch = std::make_unique<ApplicationDefinition>();
  for (int g = 0; g < kMessageGroupCount; ++g) {
    const MessageGroupView group = messageGroup(*scratch, g);
    const std::string member = messageGroupMember(g);
    const std::size_t at = static_cast<std::size_t>(reinterpret_cast<std::uint8_t*>(group.text) - bytesOf(*scratch));
    for (int e = 0; e < group.entries; ++e)
      s.text(entry(member.c_str(), e), at + static_cast<std::size_t>(group.width) * e, group.width);
  }
}

void addWedge(Scope s) {
  const NameLists& n = lists();
  s.choice("keyboardType", offsetof(WedgeSettings, keyboardType), n.keyboard);
  s.flag("numericKeypadDigits", wedge::numericKeypadDigits);
  s.choice("lockType", wedge::lockType, n.lockType);
  s.choice("digitsLayout", wedge::digitsLayout, n.digitsLayout);
  s.flag("ignoreCase", wedge::ignoreCase);
  s.flag("alwaysLocked", wedge::alwaysLocked);
  s.flag("autoDetection", wedge::autoDetection);
  s.number("interCharDelay", offsetof(WedgeSettings, interCharDelay));
  s.number("timeout", offsetof(WedgeSettings, timeout));
  s.flag("addReturnLineFeed", offsetof(WedgeSettings, addReturnLineFeed));
  s.bytes("unused", offsetof(WedgeSettings, unused), sizeof(WedgeSettings::unused));
}

void addSystem(Scope s) {
  const NameLists& n = lists();
  using S = SystemSettings;
  static const char* const kSecurityNames[kSecurityItems] = {
      "settings",     "editData",   "deleteData",   "setDateTime", "loadApplication", "loadLookup",
      "uploadPort",   "downloadPort", "baudRate",   "backlight",   "dataDeletion",    "entryOptions"};
  static const char* const kSoundSecurityNames[3] = {"keyClick", "goodRead", "warningBeep"};
  static const char* const kCodeIdNames[kCodeIds] = {
      "code39", "italianPharmacode", "frenchPharmacode", "industrial25", "interleave25",
      "matrix25", "codabar", "code93", "code128", "upce", "ean8", "ean13", "upca", "msi", "plessey"};
  s.number("schemaRevision", offsetof(S, schemaRevision));
  s.choice("startFrom", offsetof(S, startFrom), n.startFrom);
  s.character("dataDelimiter1", offsetof(S, dataDelimiter1), n.none);
  s.character("dataDelimiter2", offsetof(S, dataDelimiter2), n.none);
  s.flag("separateDataFiles", offsetof(S, separateDataFiles));
  s.choice("uploadPort", offsetof(S, uploadPort), n.uploadPort);
  s.text("uploadPhone", offsetof(S, uploadPhone), sizeof(S::uploadPhone));
  s.choice("downloadPort", offsetof(S, downloadPort), n.downloadPort);
  s.choice("baudRate", offsetof(S, baudRate), n.baudRate);
  s.choice("backlight", offsetof(S, backlight), n.backlight);
  s.number("backlightIdle", offsetof(S, backlightIdle));
  s.choice("dataDeletion", offsetof(S, dataDeletion), n.dataDeletion);
  s.choice("entryOption", offsetof(S, entryOption), n.entryOption);
  s.choice("promptDuration", offsetof(S, promptDuration), n.promptDuration);
  for (int i = 0; i < kSecurityItems; ++i) s.flag(std::string("security.") + kSecurityNames[i], offsetof(S, security) + i);
  s.text("password", offsetof(S, password), sizeof(S::password));
  for (int i = 0; i < kFunctionKeyMappings; ++i) s.choice(entry("functionKey", i), offsetof(S, functionKey) + i, n.functionKey);
  s.bytes("unused65", offsetof(S, unused65), sizeof(S::unused65));
  s.flag("largeFont", offsetof(S, largeFont));
  s.bytes("unused69", offsetof(S, unused69), sizeof(S::unused69));
  s.flag("functionKeysOn", offsetof(S, functionKeysOn));
  s.bytes("unused83", offsetof(S, unused83), sizeof(S::unused83));
  s.flag("codeIdsOn", offsetof(S, codeIdsOn));
  for (int i = 0; i < kCodeIds; ++i)
    s.text(std::string("codeId.") + kCodeIdNames[i], offsetof(S, codeId) + sizeof(S::codeId[0]) * i, sizeof(S::codeId[0]));
  s.choice("modemSpeed", offsetof(S, modemSpeed), n.baudRate);
  s.text("downloadPhone", offsetof(S, downloadPhone), sizeof(S::downloadPhone));
  s.choice("keyClick", offsetof(S, keyClick), n.keyClick);
  s.choice("goodReadBeep", offsetof(S, goodReadBeep), n.beep);
  s.choice("warningBeep", offsetof(S, warningBeep), n.beep);
  for (int i = 0; i < 3; ++i) s.flag(std::string("soundSecurity.") + kSoundSecurityNames[i], offsetof(S, soundSecurity) + i);
  s.bytes("unused143", offsetof(S, unused143), sizeof(S::unused143));
  for (int i = 0; i < kSettingsTexts; ++i)
    s.text(entry("settingsText", i), offsetof(S, settingsText) + sizeof(S::settingsText[0]) * i, sizeof(S::settingsText[0]));
  s.bytes("unused255", offsetof(S, unused255), sizeof(S::unused255));
  s.number("vibratorDurationOld", offsetof(S, vibratorDurationOld));
  s.choice("vibratorDuration", offsetof(S, vibratorDuration), n.vibrator);
  s.character("ean128Replacement", offsetof(S, ean128Replacement), n.none);
  s.bytes("unused259", offsetof(S, unused259), sizeof(S::unused259));
}

void addWeightCode(Scope s) {
  using W = WeightCode;
  s.number("marker", offsetof(W, markerWord), 0, 2);
  s.flag("enabled", offsetof(W, flagsWord), 0x0001, 2);
  s.flag("oneCFormat", offsetof(W, flagsWord), 0x0002, 2);
  s.bits("flagsUnusedBits", offsetof(W, flagsWord), 0xFFFC, 2);
  s.text("prefix", offsetof(W, prefix), sizeof(W::prefix));
  s.number("maskCode", offsetof(W, maskCodeWord), 0, 2);
  s.number("keyField", offsetof(W, keyFieldWord), 0, 2);
  s.number("qtyField", offsetof(W, qtyFieldWord), 0, 2);
}

std::vector<SettingField> buildFields() {
  using AD = ApplicationDefinition;
  std::vector<SettingField> fields;
  Scope top(fields, "", 0);
  top.text("versionTag", offsetof(AD, versionTag), sizeof(AD::versionTag));
  top.bytes("headerWord", offsetof(AD, headerWord), sizeof(AD::headerWord));
  addBarcode(top.sub("barcode", offsetof(AD, barcodeSettings)));
  for (int m = 0; m < kMenuCount; ++m) addMenu(top.sub(index("menu", m), offsetof(AD, menu) + sizeof(MenuRecord) * m));
  for (int f = 0; f < kFormCount; ++f) addForm(top.sub(index("form", f), offsetof(AD, form) + sizeof(FormRecord) * f));
  for (int l = 0; l < kLookupCount; ++l)
    addLookup(top.sub(index("lookup", l), offsetof(AD, lookup) + sizeof(LookupRecord) * l));
  addMessages(top.sub("messages", 0));
  addWedge(top.sub("wedge", offsetof(AD, wedgeSettings)));
  addSystem(top.sub("system", offsetof(AD, systemSettings)));
  addWeightCode(top.sub("weightCode", offsetof(AD, weightCode)));
  return fields;
}

// ---------------------------------------------------------------------------------------------
// Values

const char kHexDigits[] = "0123456789ABCDEF";

std::string hexByte(std::uint8_t b) { return {kHexDigits[b >> 4], kHexDigits[b & 15]}; }

std::string quoted(const std::uint8_t* p, std::size_t n) {
  std::string s = "\"";
  for (std::size_t i = 0; i < n; ++i) {
    const std::uint8_t c = p[i];
    if (c == '"' || c == '\\') {
      s += '\\';
      s += static_cast<char>(c);
    } else if (c == '\t') {
      s += "\\t";
    } else if (c == '\n') {
      s += "\\n";
    } else if (c == '\r') {
      s += "\\r";
    } else if (c >= 0x20 && c < 0x7F) {
      s += static_cast<char>(c);
    } else {
      s += "\\x" + hexByte(c);
    }
  }
  return s + "\"";
}

// Hex bytes; runs of four or more zeros are counted rather than written: "00 AB + 94 zeros".
std::string hexRun(const std::uint8_t* p, std::size_t n) {
  std::string s;
  bool inBytes = false;  // the last segment is hex bytes, so the next byte joins it
  for (std::size_t i = 0; i < n;) {
    std::size_t zeros = 0;
    while (i + zeros < n && p[i + zeros] == 0) ++zeros;
    if (zeros >= 4) {
      s += (s.empty() ? "" : " + ") + std::to_string(zeros) + " zeros";
      inBytes = false;
      i += zeros;
    } else {
      s += s.empty() ? "" : inBytes ? " " : " + ";
      s += hexByte(p[i++]);
      inBytes = true;
    }
  }
  return s;
}

std::string textValue(const std::uint8_t* p, std::size_t n) {
  const std::size_t length = boundedLength(reinterpret_cast<const char*>(p), n);
  std::string s = quoted(p, length);
  // What lies after the NUL is kept and downloaded too, so it must not be hidden.
  const std::uint8_t* tail = p + length + 1;
  const std::size_t tailSize = length < n ? n - length - 1 : 0;
  for (std::size_t i = 0; i < tailSize; ++i) {
    if (tail[i] != 0) return s + " tail " + hexRun(tail, tailSize);
  }
  return s;
}

}  // namespace

const std::vector<SettingField>& settingFields() {
  static const std::vector<SettingField> kFields = buildFields();
  return kFields;
}

std::string messageSettingName(int group, int entry) {
  return "messages." + messageGroupMember(group) + "." + std::to_string(entry + 1);
}

std::string settingValue(const SettingField& field, const ApplicationDefinition& def) {
  const std::uint8_t* p = bytesOf(def) + field.offset;
  switch (field.kind) {
    case SettingKind::Text:
      return textValue(p, field.size);
    case SettingKind::Bytes:
      return hexRun(p, field.size);
    default:
      break;
  }
  const unsigned raw = field.size == 2 ? static_cast<unsigned>(p[0] | (p[1] << 8)) : p[0];
  const unsigned mask = field.mask != 0 ? field.mask : (field.size == 2 ? 0xFFFFu : 0xFFu);
  if (field.kind == SettingKind::Bits) {
    std::string s = "0x";
    for (int shift = 8 * field.size - 4; shift >= 0; shift -= 4) s += kHexDigits[((raw & mask) >> shift) & 15];
    return s;
  }
  unsigned shift = 0;
  while (((mask >> shift) & 1u) == 0) ++shift;
  const unsigned v = (raw & mask) >> shift;
  switch (field.kind) {
    case SettingKind::Flag:
      return v == 0 ? "off" : v == 1 ? "on" : "on (" + std::to_string(v) + ")";
    case SettingKind::Choice:
      if (v < field.names->size() && !(*field.names)[v].empty()) return (*field.names)[v];
      return std::to_string(v);
    case SettingKind::Character: {
      if (v == 0) return (*field.names)[0];
      const std::uint8_t c = static_cast<std::uint8_t>(v);
      return quoted(&c, 1) + " (" + std::to_string(v) + ")";
    }
    default:
      return std::to_string(v);
  }
}

std::vector<DesignSetting> describeDesign(const ApplicationDefinition& def) {
  std::vector<DesignSetting> settings;
  settings.reserve(settingFields().size());
  for (const SettingField& field : settingFields()) settings.push_back({field.name, settingValue(field, def)});
  return settings;
}

std::vector<SettingChange> diffDesigns(const ApplicationDefinition& a, const ApplicationDefinition& b) {
  std::vector<SettingChange> changes;
  for (const SettingField& field : settingFields()) {
    std::string before = settingValue(field, a);
    std::string after = settingValue(field, b);
    if (before != after) changes.push_back({field.name, std::move(before), std::move(after)});
  }
  return changes;
}

std::vector<DesignSetting> changedSettings(const ApplicationDefinition& def, const ApplicationDefinition& reference) {
  std::vector<DesignSetting> settings;
  for (SettingChange& change : diffDesigns(reference, def)) settings.push_back({change.name, std::move(change.newValue)});
  return settings;
}

}  // namespace torvik
