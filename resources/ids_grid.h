/* Control ids of the grid dialogs. */
#ifndef TORVIK_IDS_GRID_H
#define TORVIK_IDS_GRID_H

/* GRIDDLG. Accelerators used: c */
#define IDC_GRID_TABLE         501
#define IDC_GRID_RESULT        502
#define IDC_GRID_RESULT_LABEL  901
#define IDC_GRID_CLEAR         201

/* The window class of the table area, registered by the grid before the dialog is made. */
#define TORVIK_GRID_TABLE_CLASS "TorvikGridTable"

#endif
