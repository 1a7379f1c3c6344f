#include "editor/barcode_forms.h"

#include "base/string_ids.h"
#include "editor/barcode_rules.h"
#include "resources/resource_ids.h"

namespace torvik {

namespace {

using namespace barcode;

// Row builders: each table below reads as a list of controls.
constexpr ControlBinding check(int id, FieldRef field, int entry) { return bindCheck(id, field, entry); }
constexpr ControlBinding check(int id, BarcodeBits bits, int entry) { return bindCheck(id, barcodeField(bits), entry); }

// Language entries of texts that several dialogs share.
enum SharedEntry {
  kTransmitChecksum = 341,
  kVerifyChecksum = 342,
  kStartStopGroup = 343,
  kTextIndustrial25 = 344,
  kTextInterleave25 = 345,
  kTextMatrix25 = 346,
  kLengthGroup = 347,
  kFixedLength = 348,
  kMaxMinLength = 349,
  kMaxLength = 350,
  kMinLength = 351,
  kTransmitCodeId = 352,
  kTransmitApplicationId = 353,
  kTransmitCheckDigit = 354,
};
// Dialog captions: 361 for the dialog of button 201, and so on to 379 for button 219.
constexpr int caption(int button) { return 361 + (button - 201); }

// ---- the page -------------------------------------------------------------------------------

const ControlBinding kPage[] = {
    bindCombo(IDC_BARCODE_SCAN_MODE, barcodeField(scanMode), kScanModeCount, kStrScanAutoOff),
    bindCombo(IDC_BARCODE_REDUNDANCY, barcodeField(readRedundancy), 4, kStrRedundancyNone),
    bindNumber(IDC_BARCODE_TIMEOUT, TORVIK_FIELD(BarcodeSettings, timeout), 255),
    check(IDC_BARCODE_SYMBOLOGY_FIRST, code39, 308),
    check(IDC_BARCODE_SYMBOLOGY_FIRST + 1, italianPharmacode, 309),
    check(IDC_BARCODE_SYMBOLOGY_FIRST + 2, frenchPharmacode, 310),
    check(IDC_BARCODE_SYMBOLOGY_FIRST + 3, industrial25, 311),
    check(IDC_BARCODE_SYMBOLOGY_FIRST + 4, interleave25, 312),
    check(IDC_BARCODE_SYMBOLOGY_FIRST + 5, matrix25, 313),
    check(IDC_BARCODE_SYMBOLOGY_FIRST + 6, codabar, 314),
    check(IDC_BARCODE_SYMBOLOGY_FIRST + 7, msi, 315),
    check(IDC_BARCODE_SYMBOLOGY_FIRST + 8, plessey, 316),
    check(IDC_BARCODE_SYMBOLOGY_FIRST + 9, upce, 317),
    check(IDC_BARCODE_SYMBOLOGY_FIRST + 10, upceAddon2, 318),
    check(IDC_BARCODE_SYMBOLOGY_FIRST + 11, upceAddon5, 319),
    check(IDC_BARCODE_SYMBOLOGY_FIRST + 12, ean8, 320),
    check(IDC_BARCODE_SYMBOLOGY_FIRST + 13, ean8Addon2, 321),
    check(IDC_BARCODE_SYMBOLOGY_FIRST + 14, ean8Addon5, 322),
    check(IDC_BARCODE_SYMBOLOGY_FIRST + 15, ean13Upca, 323),
    check(IDC_BARCODE_SYMBOLOGY_FIRST + 16, ean13Addon2, 324),
    check(IDC_BARCODE_SYMBOLOGY_FIRST + 17, ean13Addon5, 325),
    check(IDC_BARCODE_SYMBOLOGY_FIRST + 18, telepen, 326),
    check(IDC_BARCODE_SYMBOLOGY_FIRST + 19, rss14, 327),
    check(IDC_BARCODE_SYMBOLOGY_FIRST + 20, rss14Limited, 328),
    check(IDC_BARCODE_SYMBOLOGY_FIRST + 21, rss14Expanded, 329),
    check(IDC_BARCODE_SYMBOLOGY_FIRST + 22, code93, 330),
    check(IDC_BARCODE_CODE128, code128, 331),
    check(IDC_BARCODE_EAN128, ean128, 332),
    check(IDC_BARCODE_SYMBOLOGY_FIRST + 25, negativeBarcode, 333),
    bindLabel(IDC_BARCODE_SCAN_LABEL, 302),
    bindLabel(IDC_BARCODE_REDUNDANCY_LABEL, 303),
    bindLabel(IDC_BARCODE_TIMEOUT_LABEL, 304),
    bindLabel(IDC_BARCODE_SECONDS_LABEL, 305),
    bindLabel(IDC_BARCODE_READER_GROUP, 306),
    bindLabel(IDC_BARCODE_SYMBOLOGY_GROUP, 307),
    bindLabel(IDC_BARCODE_MORE_FIRST, 334, IDC_BARCODE_MORE_COUNT),
    bindLabel(IDC_BARCODE_CODE_ID, 335),
    bindLabel(IDC_BARCODE_WEIGHT_CODE, 336),
};
const ControlTable kPageTable = controlTable(kPage);

// ---- the symbology dialogs ------------------------------------------------------------------

const ControlBinding kCode39[] = {
    check(IDC_SYM_CHECK1, code39StartStop, 381),
    check(IDC_SYM_CHECK2, code39VerifyChecksum, kVerifyChecksum),
    check(IDC_SYM_CHECK3, code39TransmitChecksum, kTransmitChecksum),
    check(IDC_SYM_CHECK4, code39FullAscii, 382),
};
const ControlBinding kItalianPharmacode[] = {check(IDC_SYM_CHECK1, italianPharmacodeChecksum, kTransmitChecksum)};
const ControlBinding kFrenchPharmacode[] = {check(IDC_SYM_CHECK1, frenchPharmacodeChecksum, kTransmitChecksum)};

// The three 2 of 5 codes share one layout: start/stop radios, two checksum boxes, length.
#define TWO_OF_FIVE(startStop, verify, transmit, length)                                                              \
  bindRadios(IDC_SYM_RADIO1, 3, barcodeField(startStop), kTextIndustrial25), bindLabel(IDC_SYM_RADIO2, kTextInterleave25),    \
      bindLabel(IDC_SYM_RADIO3, kTextMatrix25), check(IDC_SYM_CHECK1, verify, kVerifyChecksum),                           \
      check(IDC_SYM_CHECK2, transmit, kTransmitChecksum),                                                             \
      bindRadios(IDC_SYM_RADIO4, 2, bitField(offsetof(BarcodeSettings, length), 7), kFixedLength),                        \
      bindLabel(IDC_SYM_RADIO5, kMaxMinLength),                                                                           \
      bindNumber(IDC_SYM_MAX_LENGTH, bitField(offsetof(BarcodeSettings, length), 0, 7), 127),                             \
      bindNumber(IDC_SYM_MIN_LENGTH, bitField(offsetof(BarcodeSettings, length) + 1, 0, 8), 255),                         \
      bindLabel(IDC_SYM_LABEL1, kStartStopGroup), bindLabel(IDC_SYM_LABEL2, kLengthGroup), bindLabel(IDC_SYM_LABEL3, kMaxLength), \
      bindLabel(IDC_SYM_LABEL4, kMinLength)

const ControlBinding kIndustrial25[] = {
    TWO_OF_FIVE(industrial25StartStop, industrial25VerifyChecksum, industrial25TransmitChecksum, industrial25Length)};
const ControlBinding kInterleave25[] = {
    TWO_OF_FIVE(interleave25StartStop, interleave25VerifyChecksum, interleave25TransmitChecksum, interleave25Length)};
const ControlBinding kMatrix25[] = {
    TWO_OF_FIVE(matrix25StartStop, matrix25VerifyChecksum, matrix25TransmitChecksum, matrix25Length)};
#undef TWO_OF_FIVE

// Codabar's radios are a computed choice; the table only relabels them.
const ControlBinding kCodabar[] = {
    bindLabel(IDC_SYM_RADIO1, 384), bindLabel(IDC_SYM_RADIO2, 385), bindLabel(IDC_SYM_RADIO3, 386),
    bindLabel(IDC_SYM_RADIO4, 387), bindLabel(IDC_SYM_RADIO5, 388), bindLabel(IDC_SYM_LABEL1, 383),
};
const ComputedChoice kCodabarChoices[] = {{IDC_SYM_RADIO1, 5, codabarChoice, setCodabarChoice}};

const ControlBinding kMsi[] = {
    bindRadios(IDC_SYM_RADIO1, 3, barcodeField(msiVerify), 390),
    bindLabel(IDC_SYM_RADIO2, 391),
    bindLabel(IDC_SYM_RADIO3, 392),
    bindRadios(IDC_SYM_RADIO4, 3, barcodeField(msiTransmit), 394),
    bindLabel(IDC_SYM_RADIO5, 395),
    bindLabel(IDC_SYM_RADIO6, 396),
    bindRadios(IDC_SYM_RADIO7, 2, bitField(offsetof(BarcodeSettings, msiLength), 7), kFixedLength),
    bindLabel(IDC_SYM_RADIO8, kMaxMinLength),
    bindNumber(IDC_SYM_MAX_LENGTH, bitField(offsetof(BarcodeSettings, msiLength), 0, 7), 127),
    bindNumber(IDC_SYM_MIN_LENGTH, bitField(offsetof(BarcodeSettings, msiLength) + 1, 0, 8), 255),
    bindLabel(IDC_SYM_LABEL1, 389),
    bindLabel(IDC_SYM_LABEL2, 393),
    bindLabel(IDC_SYM_LABEL3, kLengthGroup),
    bindLabel(IDC_SYM_LABEL4, kMaxLength),
    bindLabel(IDC_SYM_LABEL5, kMinLength),
};
const ControlBinding kPlessey[] = {
    check(IDC_SYM_CHECK1, plesseyToUkPlessey, 397),
    check(IDC_SYM_CHECK2, plesseyTransmitChecksum, kTransmitChecksum),
};
const ControlBinding kUpce[] = {
    check(IDC_SYM_CHECK1, upceToUpca, 398),
    check(IDC_SYM_CHECK2, upceSystemNumber, 399),
    check(IDC_SYM_CHECK3, upceTransmitChecksum, kTransmitChecksum),
};
const ControlBinding kEan8[] = {
    check(IDC_SYM_CHECK1, ean8ToEan13, 400),
    check(IDC_SYM_CHECK2, ean8TransmitChecksum, kTransmitChecksum),
};
const ControlBinding kEan13[] = {
    check(IDC_SYM_CHECK1, isbn, 401),
    check(IDC_SYM_CHECK2, issn, 402),
    check(IDC_SYM_CHECK3, ean13TransmitChecksum, kTransmitChecksum),
    check(IDC_SYM_CHECK4, upcaSystemNumber, 403),
    check(IDC_SYM_CHECK5, upcaTransmitChecksum, 404),
    check(IDC_SYM_CHECK6, upcaToEan13, 405),
};
const ControlBinding kTelepen[] = {bindLabel(IDC_SYM_RADIO1, 406), bindLabel(IDC_SYM_RADIO2, 407), bindLabel(IDC_SYM_LABEL1, 408)};
const ComputedChoice kTelepenChoices[] = {{IDC_SYM_RADIO1, 2, telepenChoice, setTelepenChoice}};
const ControlBinding kRss14[] = {
    check(IDC_SYM_CHECK1, rss14CodeId, kTransmitCodeId),
    check(IDC_SYM_CHECK2, rss14ApplicationId, kTransmitApplicationId),
    check(IDC_SYM_CHECK3, rss14CheckDigit, kTransmitCheckDigit),
};
const ControlBinding kRss14Limited[] = {
    check(IDC_SYM_CHECK1, rss14LimitedCodeId, kTransmitCodeId),
    check(IDC_SYM_CHECK2, rss14LimitedApplicationId, kTransmitApplicationId),
    check(IDC_SYM_CHECK3, rss14LimitedCheckDigit, kTransmitCheckDigit),
};
const ControlBinding kRss14Expanded[] = {check(IDC_SYM_CHECK1, rss14ExpandedCodeId, kTransmitCodeId)};
// "Transmit Code ID" is stored inverted: a computed choice. The replacement edits are the
// form's extra.
const ControlBinding kEan128[] = {bindLabel(IDC_SYM_CHECK1, kTransmitCodeId), bindLabel(IDC_SYM_LABEL1, 409),
                                  bindLabel(IDC_SYM_LABEL2, 410)};
const ComputedChoice kEan128Choices[] = {{IDC_SYM_CHECK1, 1, ean128CodeIdChoice, setEan128CodeIdChoice}};

// ---- code IDs and weight code ---------------------------------------------------------------

const ControlBinding kCodeIds[] = {
    check(IDC_CODEID_ENABLE, TORVIK_FIELD(SystemSettings, codeIdsOn), 411),
    bindLabel(IDC_CODEID_NAME_FIRST, 412),
    bindLabel(IDC_CODEID_NAME_FIRST + 1, 413),
    bindLabel(IDC_CODEID_NAME_FIRST + 2, 414),
    bindLabel(IDC_CODEID_NAME_FIRST + 3, 415),
    bindLabel(IDC_CODEID_NAME_FIRST + 4, 416),
    bindLabel(IDC_CODEID_NAME_FIRST + 5, 417),
    bindLabel(IDC_CODEID_NAME_FIRST + 6, 418),
    bindLabel(IDC_CODEID_NAME_FIRST + 7, 419),
    bindLabel(IDC_CODEID_NAME_FIRST + 8, 420),
    bindLabel(IDC_CODEID_NAME_FIRST + 9, 421),
    bindLabel(IDC_CODEID_NAME_FIRST + 10, 422),
    bindLabel(IDC_CODEID_NAME_FIRST + 11, 423),
    bindLabel(IDC_CODEID_NAME_FIRST + 12, 424),
    bindLabel(IDC_CODEID_NAME_FIRST + 13, 425),
    bindLabel(IDC_CODEID_NAME_FIRST + 14, 426),
    bindLabel(IDC_CODEID_SET_FIRST, 427),
    bindLabel(IDC_CODEID_SET_FIRST + 1, 428),
    bindLabel(IDC_CODEID_SET_FIRST + 2, 429),
    bindLabel(IDC_CODEID_SET_FIRST + 3, 430),
    bindLabel(IDC_CODEID_SET_FIRST + 4, 431),
    bindLabel(IDC_CODEID_CLEAR, 432),
};

constexpr ControlBinding weightEnable() {
  ControlBinding b = check(IDC_WEIGHT_ENABLE, TORVIK_FIELD(WeightChoices, enabled), 433);
  b.enables[0] = IDC_WEIGHT_PREFIX;
  b.enables[1] = IDC_WEIGHT_MASK;
  b.enables[2] = IDC_WEIGHT_KEY_FIELD;
  b.enables[3] = IDC_WEIGHT_QTY_FIELD;
  b.enables[4] = IDC_WEIGHT_ONE_C;
  return b;
}
constexpr ControlBinding weightPrefix() {
  ControlBinding b{};
  b.id = IDC_WEIGHT_PREFIX;
  b.kind = ControlKind::Text;
  b.field = TORVIK_FIELD(WeightChoices, prefix);
  b.max = 2;
  return b;
}
const ControlBinding kWeight[] = {
    weightEnable(),
    check(IDC_WEIGHT_ONE_C, TORVIK_FIELD(WeightChoices, oneCFormat), 434),
    weightPrefix(),
    bindCombo(IDC_WEIGHT_MASK, TORVIK_FIELD(WeightChoices, maskItem), kMaskCodeItems, 0),
    bindCombo(IDC_WEIGHT_KEY_FIELD, TORVIK_FIELD(WeightChoices, keyItem), kFieldItems, 0),
    bindCombo(IDC_WEIGHT_QTY_FIELD, TORVIK_FIELD(WeightChoices, qtyItem), kFieldItems, 0),
    bindLabel(IDC_WEIGHT_PREFIX_LABEL, 435),
    bindLabel(IDC_WEIGHT_MASK_LABEL, 436),
    bindLabel(IDC_WEIGHT_KEY_LABEL, 437),
    bindLabel(IDC_WEIGHT_QTY_LABEL, 438),
};

template <std::size_t N>
constexpr SymbologyForm form(int button, const char* name, const ControlBinding (&table)[N],
                             FormExtra extra = FormExtra::None, std::size_t lengthOffset = 0) {
  return SymbologyForm{button, name, controlTable(table, caption(button)), BoundTo::Barcode, nullptr, 0, extra,
                       static_cast<std::uint16_t>(lengthOffset)};
}
template <std::size_t N, std::size_t M>
constexpr SymbologyForm form(int button, const char* name, const ControlBinding (&table)[N],
                             const ComputedChoice (&choices)[M], FormExtra extra = FormExtra::None) {
  return SymbologyForm{button, name, controlTable(table, caption(button)), BoundTo::Barcode, choices,
                       static_cast<int>(M), extra, 0};
}
template <std::size_t N>
constexpr SymbologyForm recordForm(int button, const char* name, const ControlBinding (&table)[N], BoundTo record,
                                   FormExtra extra) {
  return SymbologyForm{button, name, controlTable(table, caption(button)), record, nullptr, 0, extra, 0};
}

const SymbologyForm kForms[] = {
    form(IDC_BARCODE_MORE_FIRST, "Code39Dlg", kCode39),
    form(IDC_BARCODE_MORE_FIRST + 1, "ItalyPharmaDlg", kItalianPharmacode),
    form(IDC_BARCODE_MORE_FIRST + 2, "FrenchPharmaDlg", kFrenchPharmacode),
    form(IDC_BARCODE_MORE_FIRST + 3, "Industrial25Dlg", kIndustrial25, FormExtra::Length,
         offsetof(BarcodeSettings, industrial25Length)),
    form(IDC_BARCODE_MORE_FIRST + 4, "Interleave25Dlg", kInterleave25, FormExtra::Length,
         offsetof(BarcodeSettings, interleave25Length)),
    form(IDC_BARCODE_MORE_FIRST + 5, "Matrix25Dlg", kMatrix25, FormExtra::Length,
         offsetof(BarcodeSettings, matrix25Length)),
    form(IDC_BARCODE_MORE_FIRST + 6, "CodabarDlg", kCodabar, kCodabarChoices),
    form(IDC_BARCODE_MORE_FIRST + 7, "MSIDlg", kMsi, FormExtra::Length, offsetof(BarcodeSettings, msiLength)),
    form(IDC_BARCODE_MORE_FIRST + 8, "PlesseyDlg", kPlessey),
    form(IDC_BARCODE_MORE_FIRST + 9, "UPCEDlg", kUpce),
    form(IDC_BARCODE_MORE_FIRST + 10, "EAN8Dlg", kEan8),
    form(IDC_BARCODE_MORE_FIRST + 11, "EAN13Dlg", kEan13),
    form(IDC_BARCODE_MORE_FIRST + 12, "TelepenDlg", kTelepen, kTelepenChoices),
    form(IDC_BARCODE_MORE_FIRST + 13, "RSS14Dlg", kRss14),
    form(IDC_BARCODE_MORE_FIRST + 14, "RSS14LimitedDlg", kRss14Limited),
    form(IDC_BARCODE_MORE_FIRST + 15, "RSS14ExpandedDlg", kRss14Expanded),
    form(IDC_BARCODE_MORE_FIRST + 16, "EAN128Dlg", kEan128, kEan128Choices, FormExtra::Replacement),
    recordForm(IDC_BARCODE_CODE_ID, "CODEIDDLG", kCodeIds, BoundTo::System, FormExtra::CodeIds),
    recordForm(IDC_BARCODE_WEIGHT_CODE, "WEIGHTCODE", kWeight, BoundTo::Weight, FormExtra::Weight),
};

}  // namespace

const ControlTable& barcodePageTable() { return kPageTable; }

const SymbologyForm* symbologyForms(int* count) {
  *count = static_cast<int>(sizeof kForms / sizeof kForms[0]);
  return kForms;
}

const SymbologyForm* symbologyForm(int buttonId) {
  for (const SymbologyForm& f : kForms)
    if (f.buttonId == buttonId) return &f;
  return nullptr;
}

void copyTableValues(const ControlTable& table, const void* from, void* to) {
  for (int i = 0; i < table.count; ++i) {
    const ControlBinding& b = table.bindings[i];
    if (b.kind == ControlKind::Label || b.field.size == 0) continue;
    writeField(to, b.field, 0, readField(from, b.field, 0));
  }
}

void applyBarcodePage(const BarcodeSettings& page, BarcodeSettings& design) {
  copyTableValues(kPageTable, &page, &design);
  const bool code128On = page.on(code128);
  const bool ean128On = page.on(ean128);
  design.set(code128OrEan128, code128On || ean128On);
  design.set(code128, code128On);
  design.set(code128Copy, code128On);
  design.set(ean128, ean128On);
}

}  // namespace torvik
