/* Control ids of the Settings page and its security, keyboard wedge and function key dialogs.
   Language entries: the page's labels take 602 to 620 (the modem speed, sound labels and the
   security button come from UI strings 632 to 636), the security dialog 640 to 656, the wedge
   dialog 660 to 679, the function key dialog 685 to 693. */
#ifndef TORVIK_IDS_SETTINGS_PAGE_H
#define TORVIK_IDS_SETTINGS_PAGE_H

/* SETTINGSDLG */
#define IDC_SET_STAY_ON_LCD      151
#define IDC_SET_PRESS_ANY_KEY    152
#define IDC_SET_RESET            201
#define IDC_SET_SECURITY         202
#define IDC_SET_WEDGE            203
#define IDC_SET_FUNCTION_KEYS    204
#define IDC_SET_UPLOAD_PHONE     301
#define IDC_SET_DOWNLOAD_PHONE   302
#define IDC_SET_BACKLIGHT_IDLE   303
#define IDC_SET_STAY_TIME        304
#define IDC_SET_UPLOAD_PORT      401
#define IDC_SET_DOWNLOAD_PORT    402
#define IDC_SET_MODEM_SPEED      403
#define IDC_SET_BAUD_RATE        404
#define IDC_SET_BACKLIGHT        405
#define IDC_SET_DATA_DELETION    406
#define IDC_SET_ENTRY_OPTION     407
#define IDC_SET_KEY_CLICK        408
#define IDC_SET_GOOD_READ        409
#define IDC_SET_WARNING_BEEP     410
#define IDC_SET_VIBRATOR         411
#define IDC_SET_UPLOAD_ICON      903
#define IDC_SET_DOWNLOAD_ICON    905
#define IDC_SET_LABEL_FIRST      911  /* "1.  Upload Port" .. "11. Vibrator": 911..921 */
#define IDC_SET_IDLE_LABEL       922
#define IDC_SET_IDLE_UNIT        923
#define IDC_SET_STAY_UNIT        924

/* SECURITYDLG: the fifteen protected functions 101..115 in stored order */
#define IDC_SEC_FIRST            101
#define IDC_SEC_SETTINGS         101
#define IDC_SEC_SOUND_FIRST      113
#define IDC_SEC_PASSWORD         301
#define IDC_SEC_PASSWORD_LABEL   901

/* KEYBOARDWEDGEDLG */
#define IDC_WEDGE_NUMERIC_KEYPAD 101
#define IDC_WEDGE_RETURN_LF      102
#define IDC_WEDGE_LOCK_FIRST     151  /* Normal, Capital-lock, Shift-lock */
#define IDC_WEDGE_DIGITS_FIRST   161  /* Normal, Lower position, Upper position */
#define IDC_WEDGE_CAPS_FIRST     171  /* Auto-detection, Always locked, Ignore case */
#define IDC_WEDGE_DELAY          301
#define IDC_WEDGE_TIMEOUT        302
#define IDC_WEDGE_TYPE           401
#define IDC_WEDGE_TYPE_LABEL     901
#define IDC_WEDGE_LOCK_GROUP     902
#define IDC_WEDGE_DIGITS_GROUP   903
#define IDC_WEDGE_CAPS_GROUP     904
#define IDC_WEDGE_DELAY_LABEL    905
#define IDC_WEDGE_DELAY_UNIT     906
#define IDC_WEDGE_TIMEOUT_LABEL  907
#define IDC_WEDGE_TIMEOUT_UNIT   908

/* FUNCTIONKEYDLG: FN+n is combo 400 + n with label 900 + n */
#define IDC_FKEY_ENABLE          101
#define IDC_FKEY_FIRST           401
#define IDC_FKEY_LABEL_FIRST     901

#endif
