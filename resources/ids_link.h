/* Control ids of the link's dialogs. */
#ifndef TORVIK_IDS_LINK_H
#define TORVIK_IDS_LINK_H

/* ProgressDlg */
#define IDC_PROGRESS_TEXT        901
#define IDC_PROGRESS_BAR         870

#endif
