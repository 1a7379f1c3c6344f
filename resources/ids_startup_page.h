/* Control ids of the Startup page (STARTUPDLG). A line's controls are their base id plus the
   line number 1..8. */
#ifndef TORVIK_IDS_STARTUP_PAGE_H
#define TORVIK_IDS_STARTUP_PAGE_H

#define IDC_STARTUP_LARGE_FONT      101
#define IDC_STARTUP_IMPORT          201
#define IDC_STARTUP_RESET           202
#define IDC_STARTUP_CODE_FIRST      301  /* "ASCII :" of delimiters 1 and 2: 301, 302 */
#define IDC_STARTUP_CHAR_FIRST      303  /* "Text :" of delimiters 1 and 2: 303, 304 */
#define IDC_STARTUP_TEXT_BASE       310  /* the design's text of line n: 310 + n */
#define IDC_STARTUP_DELIMITERS      401
#define IDC_STARTUP_GROUP           410
#define IDC_STARTUP_START_FROM      451
#define IDC_STARTUP_DEFAULT_BASE    500  /* the default text of line n: 500 + n */
#define IDC_STARTUP_START_LABEL     901
#define IDC_STARTUP_DELIMITERS_LABEL 902
#define IDC_STARTUP_CODE_LABEL      903
#define IDC_STARTUP_CHAR_LABEL      904
#define IDC_STARTUP_GROUP_LABEL     905
#define IDC_STARTUP_DELIMITER_BOX   906

#endif
