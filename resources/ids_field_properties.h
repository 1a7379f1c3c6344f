/* Control ids of the field properties dialogs. The numbers are the ones the templates have
   always used; the two dialogs share numbers that mean different controls, so each has its
   own names. */
#ifndef TORVIK_IDS_FIELD_PROPERTIES_H
#define TORVIK_IDS_FIELD_PROPERTIES_H

/* ADVANCEDLG: every line type but lookup. */
#define IDC_ADV_FIXED_LENGTH        101  /* check boxes */
#define IDC_ADV_INITIAL             102
#define IDC_ADV_PREFIX              103
#define IDC_ADV_SUFFIX              104
#define IDC_ADV_INPUT_MARK          105
#define IDC_ADV_PARTIAL             106
#define IDC_ADV_LEADING             107
#define IDC_ADV_CHECK_DIGIT         108
#define IDC_ADV_SAVE_FULL_BARCODE   1011
#define IDC_ADV_FIXED_LENGTH_VALUE  301  /* edits */
#define IDC_ADV_INITIAL_TEXT        302
#define IDC_ADV_PREFIX_CODE         303
#define IDC_ADV_SUFFIX_CODE         304
#define IDC_ADV_INPUT_MARK_CHAR     305
#define IDC_ADV_PARTIAL_START       306
#define IDC_ADV_PARTIAL_MAX         307
#define IDC_ADV_LEADING_CODE        308
#define IDC_ADV_ALIGNMENT           401  /* combos */
#define IDC_ADV_CHECK_DIGIT_METHOD  402
#define IDC_ADV_AUTO_ENTER          403
#define IDC_ADV_DECIMALS            404
#define IDC_ADV_FORM_NUMBER         501  /* the number labels of the form and line */
#define IDC_ADV_LINE_NUMBER         502
#define IDC_ADV_FORM_LABEL          901  /* static texts */
#define IDC_ADV_LINE_LABEL          902
#define IDC_ADV_ALIGNMENT_LABEL     903
#define IDC_ADV_BARCODE_GROUP       904
#define IDC_ADV_PARTIAL_START_LABEL 905
#define IDC_ADV_PARTIAL_MAX_LABEL   906
#define IDC_ADV_AUTO_ENTER_LABEL    907
#define IDC_ADV_DECIMALS_LABEL      908

/* LOOKUPADVANCEDLG: a lookup line, which only decides whether and how its value is saved. */
#define IDC_LADV_SAVE_FIELD         101  /* check boxes */
#define IDC_LADV_FIXED_LENGTH       102
#define IDC_LADV_PREFIX             103
#define IDC_LADV_SUFFIX             104
#define IDC_LADV_FIXED_LENGTH_VALUE 301  /* edits */
#define IDC_LADV_PREFIX_CODE        302
#define IDC_LADV_SUFFIX_CODE        303
#define IDC_LADV_ALIGNMENT          401  /* combo */
#define IDC_LADV_FORM_NUMBER        501
#define IDC_LADV_LINE_NUMBER        502
#define IDC_LADV_FORM_LABEL         901
#define IDC_LADV_LINE_LABEL         902
#define IDC_LADV_ALIGNMENT_LABEL    903

#endif
