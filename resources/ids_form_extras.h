/* Control ids of the Form page's form-level dialogs: date and time stamp, branch, remains and
   summation. The numbers are the ones the templates have always used. */
#ifndef TORVIK_IDS_FORM_EXTRAS_H
#define TORVIK_IDS_FORM_EXTRAS_H

/* DATETIMESTAMPDLG */
#define IDC_STAMP_SPLIT          101
#define IDC_STAMP_YEAR           102
#define IDC_STAMP_MONTH          103
#define IDC_STAMP_DAY            104
#define IDC_STAMP_DATE_SEP_ON    105
#define IDC_STAMP_HOUR           106
#define IDC_STAMP_MINUTE         107
#define IDC_STAMP_SECOND         108
#define IDC_STAMP_TIME_SEP_ON    109
#define IDC_STAMP_DATE_SEP       301
#define IDC_STAMP_TIME_SEP       302
#define IDC_STAMP_MODE           401
#define IDC_STAMP_YEAR_DIGITS    402
#define IDC_STAMP_DATE_STYLE     403
#define IDC_STAMP_MODE_LABEL     901
#define IDC_STAMP_DATE_GROUP     902
#define IDC_STAMP_STYLE_LABEL    903
#define IDC_STAMP_TIME_GROUP     904

/* FORMBRANCHDLG: key k (0..3) has combo 401 + k, "More..." 3 + k and label 901 + k. */
#define IDC_BRANCH_MORE_FIRST    3
#define IDC_BRANCH_ACTION_FIRST  401
#define IDC_BRANCH_KEY_LABEL     901
#define IDC_BRANCH_ACTION_HEAD   905
#define IDC_BRANCH_MORE_HEAD     906

/* FormRemains and FormSummation */
#define IDC_EXTRA_SECOND_CHECK   1011  /* "Filter is suffix:" / "And multiply by field:" */
#define IDC_EXTRA_FIELD          1017
#define IDC_EXTRA_MULTIPLIER     1018
#define IDC_EXTRA_FIELD_LABEL    1019
#define IDC_EXTRA_FIRST_LABEL    1022  /* "Filter for:" / "Source:" */
#define IDC_EXTRA_FIRST          1024  /* the filter variable / the summation source */
#define IDC_REMAINS_ENABLE       1029

#endif
