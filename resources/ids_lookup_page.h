/* Control ids of the Lookup page (LOOKUPDLG). A field's controls are their base id plus the
   field number 0..7. */
#ifndef TORVIK_IDS_LOOKUP_PAGE_H
#define TORVIK_IDS_LOOKUP_PAGE_H

#define IDC_LOOKUP_UPLOADABLE     101
#define IDC_LOOKUP_READ_ONCE      102
#define IDC_LOOKUP_NEGATIVE       103
#define IDC_LOOKUP_KEY_BASE       151  /* key field radios 151..158 */
#define IDC_LOOKUP_FIXED          161
#define IDC_LOOKUP_DELIMITED      162
#define IDC_LOOKUP_RESET          201
#define IDC_LOOKUP_OFFSET_BASE    301  /* offsets 301..308 */
#define IDC_LOOKUP_MEMBER_LENGTH  309
#define IDC_LOOKUP_DELIMITER      310
#define IDC_LOOKUP_LENGTH_BASE    311  /* lengths 311..318 */
#define IDC_LOOKUP_FIELD_COUNT    401
#define IDC_LOOKUP_NO_MATCH       402
#define IDC_LOOKUP_BAD_FORMAT     403
#define IDC_LOOKUP_SELECT         451
#define IDC_LOOKUP_LENGTH_HEADER  501
#define IDC_LOOKUP_NAME_LABEL     901
#define IDC_LOOKUP_MEMBER_LABEL   902
#define IDC_LOOKUP_COUNT_LABEL    903
#define IDC_LOOKUP_ASCII_LABEL    904
#define IDC_LOOKUP_FIELD_LABEL    905
#define IDC_LOOKUP_OFFSET_LABEL   906
#define IDC_LOOKUP_KEY_LABEL      907
#define IDC_LOOKUP_BAD_LABEL      908
#define IDC_LOOKUP_NO_MATCH_LABEL 909
#define IDC_LOOKUP_DELETE_IF_NULL 1011
#define IDC_LOOKUP_NOTE           1015

#endif
