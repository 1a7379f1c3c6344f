/* Control ids of the editor's property sheet pages and dialogs. The numbers are the ones the
   templates have always used; a line's control on the Form page is its base id plus the line
   number 1..8. */
#ifndef TORVIK_IDS_EDITOR_H
#define TORVIK_IDS_EDITOR_H

/* FORMDLG */
#define IDC_FORM_MORE_BASE       200  /* "more..." of line n: 200 + n */
#define IDC_FORM_TIME_STAMP      210
#define IDC_FORM_BRANCH          211
#define IDC_FORM_PROMPT_BASE     300
#define IDC_FORM_MIN_BASE        310
#define IDC_FORM_MAX_BASE        320
#define IDC_FORM_TYPE_BASE       400
#define IDC_FORM_SOURCE_BASE     410
#define IDC_FORM_COLUMN_BASE     420
#define IDC_FORM_SELECT          451
#define IDC_FORM_FONT            452
#define IDC_FORM_ESC             453
#define IDC_FORM_NEXT            454
#define IDC_FORM_LOOKUP          455
#define IDC_FORM_RECORD          456
#define IDC_FORM_ERROR           457
#define IDC_FORM_NAME_LABEL      901
#define IDC_FORM_FONT_LABEL      902
#define IDC_FORM_ESC_LABEL       903
#define IDC_FORM_NEXT_LABEL      904
#define IDC_FORM_LOOKUP_LABEL    905
#define IDC_FORM_RECORD_LABEL    906
#define IDC_FORM_HEADER_FIRST    907  /* eight column headers, 907..914 */
#define IDC_FORM_ERROR_LABEL     915

/* Copy and Paste of the record shown, the same ids on the Form, Menu and Lookup pages */
#define IDC_RECORD_COPY          220
#define IDC_RECORD_PASTE         221

#endif
