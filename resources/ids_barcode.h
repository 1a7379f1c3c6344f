/* Control ids of the Barcode page and the dialogs it opens. The symbology dialogs share one
   numbering: check boxes from 101, radio buttons from 151, number edits 301 and 302, labels
   and group boxes from 901. */
#ifndef TORVIK_IDS_BARCODE_H
#define TORVIK_IDS_BARCODE_H

/* BARCODESETTINGDLG */
#define IDC_BARCODE_SYMBOLOGY_FIRST 101 /* the 26 symbology check boxes, 101..126 */
#define IDC_BARCODE_SYMBOLOGIES     26
#define IDC_BARCODE_CODE128         124
#define IDC_BARCODE_EAN128          125
#define IDC_BARCODE_MORE_FIRST      201 /* the 17 "more..." buttons, 201..217 */
#define IDC_BARCODE_MORE_COUNT      17
#define IDC_BARCODE_CODE_ID         218
#define IDC_BARCODE_WEIGHT_CODE     219
#define IDC_BARCODE_TIMEOUT         301
#define IDC_BARCODE_SCAN_MODE       401
#define IDC_BARCODE_REDUNDANCY      402
#define IDC_BARCODE_SCAN_LABEL      901
#define IDC_BARCODE_REDUNDANCY_LABEL 902
#define IDC_BARCODE_TIMEOUT_LABEL   903
#define IDC_BARCODE_SECONDS_LABEL   904
#define IDC_BARCODE_READER_GROUP    905
#define IDC_BARCODE_SYMBOLOGY_GROUP 906

/* The symbology dialogs (Code39Dlg .. EAN128Dlg) */
#define IDC_SYM_CHECK1              101
#define IDC_SYM_CHECK2              102
#define IDC_SYM_CHECK3              103
#define IDC_SYM_CHECK4              104
#define IDC_SYM_CHECK5              105
#define IDC_SYM_CHECK6              106
#define IDC_SYM_RADIO1              151
#define IDC_SYM_RADIO2              152
#define IDC_SYM_RADIO3              153
#define IDC_SYM_RADIO4              154
#define IDC_SYM_RADIO5              155
#define IDC_SYM_RADIO6              156
#define IDC_SYM_RADIO7              157
#define IDC_SYM_RADIO8              158
#define IDC_SYM_MAX_LENGTH          301 /* also EAN128's replacement character */
#define IDC_SYM_MIN_LENGTH          302
#define IDC_SYM_REPLACEMENT_CODE    1016
#define IDC_SYM_LABEL1              901
#define IDC_SYM_LABEL2              902
#define IDC_SYM_LABEL3              903
#define IDC_SYM_LABEL4              904
#define IDC_SYM_LABEL5              905

/* CODEIDDLG */
#define IDC_CODEID_ENABLE           101
#define IDC_CODEID_SET_FIRST        201 /* "Set 1" .. "Set 5", 201..205 */
#define IDC_CODEID_CLEAR            206
#define IDC_CODEID_EDIT_FIRST       301 /* the 15 code edits, 301..315 */
#define IDC_CODEID_NAME_FIRST       901 /* their symbology names, 901..915 */

/* WEIGHTCODE */
#define IDC_WEIGHT_ENABLE           1011
#define IDC_WEIGHT_PREFIX           1013
#define IDC_WEIGHT_MASK             1017
#define IDC_WEIGHT_KEY_FIELD        1018
#define IDC_WEIGHT_QTY_FIELD        1023
#define IDC_WEIGHT_ONE_C            1029
#define IDC_WEIGHT_PREFIX_LABEL     901
#define IDC_WEIGHT_MASK_LABEL       902
#define IDC_WEIGHT_KEY_LABEL        903
#define IDC_WEIGHT_QTY_LABEL        904

#endif
