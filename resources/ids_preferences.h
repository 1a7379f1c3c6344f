/* Control ids of the Preferences dialog. */
#ifndef TORVIK_IDS_PREFERENCES_H
#define TORVIK_IDS_PREFERENCES_H

/* PreferencesDlg. Accelerators used: a b d l o p r t */
#define IDC_PREF_DOWNLOAD_LABEL   901
#define IDC_PREF_RECEIVE_LABEL    902
#define IDC_PREF_BAUD_LABEL       903
#define IDC_PREF_PORT_LABEL       904
#define IDC_PREF_LANGUAGE_LABEL   905
#define IDC_PREF_DOWNLOAD_VIA     401
#define IDC_PREF_RECEIVE_VIA      402
#define IDC_PREF_BAUD_RATE        403
#define IDC_PREF_LANGUAGE         404
#define IDC_PREF_PORT             405
#define IDC_PREF_AUTO_PRELOAD     101
#define IDC_PREF_ALWAYS_ON_TOP    102
#define IDC_PREF_DETECT_CRADLE    1013

#endif
