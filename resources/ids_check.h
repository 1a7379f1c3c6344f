/* Control ids of the design check's dialog (CHECKDLG). Accelerators used: dg. */
#ifndef TORVIK_IDS_CHECK_H
#define TORVIK_IDS_CHECK_H

#define IDC_CHECK_NOTE           1101
#define IDC_CHECK_LIST           1102
#define IDC_CHECK_GOTO           1103
#define IDC_CHECK_DOWNLOAD       1104

#endif
