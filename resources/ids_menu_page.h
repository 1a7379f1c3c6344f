/* Control ids of the Menu page (MENUDLG). An item's controls are their base id plus the item
   number 0..9. */
#ifndef TORVIK_IDS_MENU_PAGE_H
#define TORVIK_IDS_MENU_PAGE_H

#define IDC_MENU_CAPTION_ON      101
#define IDC_MENU_SAVE_CAPTION    102
#define IDC_MENU_SAVE_ITEM       103
#define IDC_MENU_PASS_DOWN       104
#define IDC_MENU_SEPARATE_FILES  105
#define IDC_MENU_RESET           201
#define IDC_MENU_ITEM_NAME_BASE  301  /* item names 301..310 */
#define IDC_MENU_CAPTION         311
#define IDC_MENU_ITEM_NEXT_BASE  401  /* item targets 401..410 */
#define IDC_MENU_SELECT          451
#define IDC_MENU_FONT            452
#define IDC_MENU_ESC             453
#define IDC_MENU_NAME_LABEL      901
#define IDC_MENU_FONT_LABEL      902
#define IDC_MENU_ESC_LABEL       903
#define IDC_MENU_OPTIONS_GROUP   904
#define IDC_MENU_ITEM_LABEL      905
#define IDC_MENU_ITEM_TEXT_LABEL 906
#define IDC_MENU_ITEM_NEXT_LABEL 907

#endif
