#include "editor/barcode_forms.h"

#include "base/string_ids.h"
#include "editor/barcode_rules.h"
#include "resources/resource_ids.h"

namespace torvik {

namespace {

using namespace barcode;

// Row builders: each table below reads as a list of controls.
constexpr ControlBinding check(int id, FieldRef field, int entry) {
  ControlBinding b{};
  b.id = id;
  b.kind = ControlKind::Check;
  b.field = field;
  b.languageEntry = entry;
  return b;
}
constexpr ControlBinding check(int id, BarcodeBits bits, int entry) { return check(id, barcodeField(bits), entry); }
constexpr ControlBinding radios(int firstId, int count, FieldRef field, int entry) {
  ControlBinding b{};
  b.id = firstId;
  b.kind = ControlKind::Radio;
  b.field = field;
  b.max = count;
  b.languageEntry = entry;
  return b;
}
constexpr ControlBinding number(int id, FieldRef field, int max) {
  ControlBinding b{};
  b.id = id;
  b.kind = ControlKind::Number;
  b.field = field;
  b.max = max;
  return b;
}
constexpr ControlBinding combo(int id, FieldRef field, int items, int firstString) {
  ControlBinding b{};
  b.id = id;
  b.kind = ControlKind::Combo;
  b.field = field;
  b.max = items;
  b.itemsFirst = firstString;
  return b;
}
constexpr ControlBinding label(int id, int entry, int rows = 1) {
  ControlBinding b{};
  b.id = id;
  b.kind = ControlKind::Label;
  b.languageEntry = entry;
  b.rows = rows;
  return b;
}

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
    combo(IDC_BARCODE_SCAN_MODE, barcodeField(scanMode), kScanModeCount, kStrScanAutoOff),
    combo(IDC_BARCODE_REDUNDANCY, barcodeField(readRedundancy), 4, kStrRedundancyNone),
    number(IDC_BARCODE_TIMEOUT, TORVIK_FIELD(BarcodeSettings, timeout), 255),
    check(101, code39, 308),
    check(102, italianPharmacode, 309),
    check(103, frenchPharmacode, 310),
    check(104, industrial25, 311),
    check(105, interleave25, 312),
    check(106, matrix25, 313),
    check(107, codabar, 314),
    check(108, msi, 315),
    check(109, plessey, 316),
    check(110, upce, 317),
    check(111, upceAddon2, 318),
    check(112, upceAddon5, 319),
    check(113, ean8, 320),
    check(114, ean8Addon2, 321),
    check(115, ean8Addon5, 322),
    check(116, ean13Upca, 323),
    check(117, ean13Addon2, 324),
    check(118, ean13Addon5, 325),
    check(119, telepen, 326),
    check(120, rss14, 327),
    check(121, rss14Limited, 328),
    check(122, rss14Expanded, 329),
    check(123, code93, 330),
    check(IDC_BARCODE_CODE128, code128, 331),
    check(IDC_BARCODE_EAN128, ean128, 332),
    check(126, negativeBarcode, 333),
    label(IDC_BARCODE_SCAN_LABEL, 302),
    label(IDC_BARCODE_REDUNDANCY_LABEL, 303),
    label(IDC_BARCODE_TIMEOUT_LABEL, 304),
    label(IDC_BARCODE_SECONDS_LABEL, 305),
    label(IDC_BARCODE_READER_GROUP, 306),
    label(IDC_BARCODE_SYMBOLOGY_GROUP, 307),
    label(IDC_BARCODE_MORE_FIRST, 334, IDC_BARCODE_MORE_COUNT),
    label(IDC_BARCODE_CODE_ID, 335),
    label(IDC_BARCODE_WEIGHT_CODE, 336),
};
const ControlTable kPageTable = controlTable(kPage);

// ---- the symbology dialogs ------------------------------------------------------------------

const ControlBinding kCode39[] = {
    check(101, code39StartStop, 381),
    check(102, code39VerifyChecksum, kVerifyChecksum),
    check(103, code39TransmitChecksum, kTransmitChecksum),
    check(104, code39FullAscii, 382),
};
const ControlBinding kItalianPharmacode[] = {check(101, italianPharmacodeChecksum, kTransmitChecksum)};
const ControlBinding kFrenchPharmacode[] = {check(101, frenchPharmacodeChecksum, kTransmitChecksum)};

// The three 2 of 5 codes share one layout: start/stop radios, two checksum boxes, length.
#define TWO_OF_FIVE(startStop, verify, transmit, length)                                        \
  radios(151, 3, barcodeField(startStop), kTextIndustrial25), label(152, kTextInterleave25),   \
      label(153, kTextMatrix25), check(101, verify, kVerifyChecksum),                           \
      check(102, transmit, kTransmitChecksum),                                                  \
      radios(154, 2, bitField(offsetof(BarcodeSettings, length), 7), kFixedLength),             \
      label(155, kMaxMinLength),                                                                \
      number(IDC_SYM_MAX_LENGTH, bitField(offsetof(BarcodeSettings, length), 0, 7), 127),      \
      number(IDC_SYM_MIN_LENGTH, bitField(offsetof(BarcodeSettings, length) + 1, 0, 8), 255),  \
      label(901, kStartStopGroup), label(902, kLengthGroup), label(903, kMaxLength), label(904, kMinLength)

const ControlBinding kIndustrial25[] = {
    TWO_OF_FIVE(industrial25StartStop, industrial25VerifyChecksum, industrial25TransmitChecksum, industrial25Length)};
const ControlBinding kInterleave25[] = {
    TWO_OF_FIVE(interleave25StartStop, interleave25VerifyChecksum, interleave25TransmitChecksum, interleave25Length)};
const ControlBinding kMatrix25[] = {
    TWO_OF_FIVE(matrix25StartStop, matrix25VerifyChecksum, matrix25TransmitChecksum, matrix25Length)};
#undef TWO_OF_FIVE

// Codabar's radios are a computed choice; the table only relabels them.
const ControlBinding kCodabar[] = {
    label(151, 384), label(152, 385), label(153, 386), label(154, 387), label(155, 388), label(901, 383),
};
const ComputedChoice kCodabarChoices[] = {{151, 5, codabarChoice, setCodabarChoice}};

const ControlBinding kMsi[] = {
    radios(151, 3, barcodeField(msiVerify), 390),
    label(152, 391),
    label(153, 392),
    radios(154, 3, barcodeField(msiTransmit), 394),
    label(155, 395),
    label(156, 396),
    radios(157, 2, bitField(offsetof(BarcodeSettings, msiLength), 7), kFixedLength),
    label(158, kMaxMinLength),
    number(IDC_SYM_MAX_LENGTH, bitField(offsetof(BarcodeSettings, msiLength), 0, 7), 127),
    number(IDC_SYM_MIN_LENGTH, bitField(offsetof(BarcodeSettings, msiLength) + 1, 0, 8), 255),
    label(901, 389),
    label(902, 393),
    label(903, kLengthGroup),
    label(904, kMaxLength),
    label(905, kMinLength),
};
const ControlBinding kPlessey[] = {
    check(101, plesseyToUkPlessey, 397),
    check(102, plesseyTransmitChecksum, kTransmitChecksum),
};
const ControlBinding kUpce[] = {
    check(101, upceToUpca, 398),
    check(102, upceSystemNumber, 399),
    check(103, upceTransmitChecksum, kTransmitChecksum),
};
const ControlBinding kEan8[] = {
    check(101, ean8ToEan13, 400),
    check(102, ean8TransmitChecksum, kTransmitChecksum),
};
const ControlBinding kEan13[] = {
    check(101, isbn, 401),
    check(102, issn, 402),
    check(103, ean13TransmitChecksum, kTransmitChecksum),
    check(104, upcaSystemNumber, 403),
    check(105, upcaTransmitChecksum, 404),
    check(106, upcaToEan13, 405),
};
const ControlBinding kTelepen[] = {label(151, 406), label(152, 407), label(901, 408)};
const ComputedChoice kTelepenChoices[] = {{151, 2, telepenChoice, setTelepenChoice}};
const ControlBinding kRss14[] = {
    check(101, rss14CodeId, kTransmitCodeId),
    check(102, rss14ApplicationId, kTransmitApplicationId),
    check(103, rss14CheckDigit, kTransmitCheckDigit),
};
const ControlBinding kRss14Limited[] = {
    check(101, rss14LimitedCodeId, kTransmitCodeId),
    check(102, rss14LimitedApplicationId, kTransmitApplicationId),
    check(103, rss14LimitedCheckDigit, kTransmitCheckDigit),
};
const ControlBinding kRss14Expanded[] = {check(101, rss14ExpandedCodeId, kTransmitCodeId)};
// "Transmit Code ID" is stored inverted: a computed choice. The replacement edits are the
// form's extra.
const ControlBinding kEan128[] = {label(101, kTransmitCodeId), label(901, 409), label(902, 410)};
const ComputedChoice kEan128Choices[] = {{101, 1, ean128CodeIdChoice, setEan128CodeIdChoice}};

// ---- code IDs and weight code ---------------------------------------------------------------

const ControlBinding kCodeIds[] = {
    check(IDC_CODEID_ENABLE, TORVIK_FIELD(SystemSettings, codeIdsOn), 411),
    label(901, 412), label(902, 413), label(903, 414), label(904, 415), label(905, 416),
    label(906, 417), label(907, 418), label(908, 419), label(909, 420), label(910, 421),
    label(911, 422), label(912, 423), label(913, 424), label(914, 425), label(915, 426),
    label(201, 427), label(202, 428), label(203, 429), label(204, 430), label(205, 431),
    label(IDC_CODEID_CLEAR, 432),
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
    combo(IDC_WEIGHT_MASK, TORVIK_FIELD(WeightChoices, maskItem), kMaskCodeItems, 0),
    combo(IDC_WEIGHT_KEY_FIELD, TORVIK_FIELD(WeightChoices, keyItem), kFieldItems, 0),
    combo(IDC_WEIGHT_QTY_FIELD, TORVIK_FIELD(WeightChoices, qtyItem), kFieldItems, 0),
    label(IDC_WEIGHT_PREFIX_LABEL, 435),
    label(IDC_WEIGHT_MASK_LABEL, 436),
    label(IDC_WEIGHT_KEY_LABEL, 437),
    label(IDC_WEIGHT_QTY_LABEL, 438),
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
    form(201, "Code39Dlg", kCode39),
    form(202, "ItalyPharmaDlg", kItalianPharmacode),
    form(203, "FrenchPharmaDlg", kFrenchPharmacode),
    form(204, "Industrial25Dlg", kIndustrial25, FormExtra::Length, offsetof(BarcodeSettings, industrial25Length)),
    form(205, "Interleave25Dlg", kInterleave25, FormExtra::Length, offsetof(BarcodeSettings, interleave25Length)),
    form(206, "Matrix25Dlg", kMatrix25, FormExtra::Length, offsetof(BarcodeSettings, matrix25Length)),
    form(207, "CodabarDlg", kCodabar, kCodabarChoices),
    form(208, "MSIDlg", kMsi, FormExtra::Length, offsetof(BarcodeSettings, msiLength)),
    form(209, "PlesseyDlg", kPlessey),
    form(210, "UPCEDlg", kUpce),
    form(211, "EAN8Dlg", kEan8),
    form(212, "EAN13Dlg", kEan13),
    form(213, "TelepenDlg", kTelepen, kTelepenChoices),
    form(214, "RSS14Dlg", kRss14),
    form(215, "RSS14LimitedDlg", kRss14Limited),
    form(216, "RSS14ExpandedDlg", kRss14Expanded),
    form(217, "EAN128Dlg", kEan128, kEan128Choices, FormExtra::Replacement),
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

void applyBarcodePage(const BarcodeSettings& page, BarcodeSettings& design) {
  for (int i = 0; i < kPageTable.count; ++i) {
    const ControlBinding& b = kPageTable.bindings[i];
    if (b.kind == ControlKind::Label || b.field.size == 0) continue;
    writeField(&design, b.field, 0, readField(&page, b.field, 0));
  }
  const bool code128On = page.on(code128);
  const bool ean128On = page.on(ean128);
  design.set(code128OrEan128, code128On || ean128On);
  design.set(code128, code128On);
  design.set(code128Copy, code128On);
  design.set(ean128, ean128On);
}

}  // namespace torvik
