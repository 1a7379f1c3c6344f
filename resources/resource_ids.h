/* Resource and control ids. Plain C macros: included by the .rc script (through windres'
   preprocessor), by the Win32 code and by the portable core. */
#ifndef TORVIK_RESOURCE_IDS_H
#define TORVIK_RESOURCE_IDS_H

/* Popup menu and accelerator commands. */
#define IDM_NEW                  1010
#define IDM_OPEN                 1020
#define IDM_SAVE                 1030
#define IDM_SAVEAS               1040
#define IDM_EXIT                 1090
#define IDM_EDIT                 2000
#define IDM_UNDO                 2010
#define IDM_REDO                 2011
#define IDM_PREFERENCES          2100
#define IDM_ZOOM_100             2201
#define IDM_ZOOM_150             2202
#define IDM_ZOOM_200             2203
#define IDM_CHECK_DESIGN         3010
#define IDM_DOWNLOAD_APPLICATION 3020
#define IDM_RECEIVE_DATA         3030
#define IDM_DOWNLOAD_LOOKUP      3040
#define IDM_RECENT_FIRST         3300
#define IDM_RECENT_LAST          3309
#define IDM_ABOUT                9030

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

/* Child window ids. */
#define IDC_CLIENT_WINDOW        100


/* Terminal face bitmaps: 500 the picture, 501..523 keys released, 524..546 pressed,
   547..551 LCD pieces. */
#define IDB_FACE_FIRST           500
#define IDB_FACE_LAST            551
/* The same set drawn at twice the size: 600 + (id - 500). */
#define IDB_FACE_2X_FIRST        600

/* Each subsystem keeps the ids of its own dialogs. */
#include "ids_shell.h"
#include "ids_preferences.h"
#include "ids_link.h"
#include "ids_editor.h"
#include "ids_menu_page.h"
#include "ids_lookup_page.h"
#include "ids_field_properties.h"
#include "ids_grid.h"
#include "ids_barcode.h"
#include "ids_form_extras.h"
#include "ids_settings_page.h"
#include "ids_startup_page.h"
#include "ids_simulator.h"
#include "ids_check.h"
#include "version.h"

#define TORVIK_WEB_ADDRESS       "https://www.fernwick.example/torvik"
#define TORVIK_SUPPORT_ADDRESS   "support@fernwick.example"

#endif
