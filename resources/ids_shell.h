/* Control ids of the shell's dialogs. */
#ifndef TORVIK_IDS_SHELL_H
#define TORVIK_IDS_SHELL_H

/* AboutBox. Accelerators used: none. */
#define IDC_ABOUT_ICON           1010
#define IDC_ABOUT_TITLE          1011
#define IDC_ABOUT_VERSION        1012
#define IDC_ABOUT_TEXT           1013
#define IDC_ABOUT_WEB_LINK       1014
#define IDC_ABOUT_MAIL_LINK      1015
#define IDC_ABOUT_PICTURE        1016
#define IDB_ABOUT                1041

#endif
