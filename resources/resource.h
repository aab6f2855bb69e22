/* Resource ids, the texts of the string table and the geometry of the
 * page's dialog template. The resource script builds the module's
 * resources from these definitions and the host backend's headless dialog
 * and string table take theirs from the same place, so both show one page.
 * Only #define lines: the resource compiler reads this file too. */
#ifndef VX_RESOURCE_H
#define VX_RESOURCE_H

/* String table */
#define IDS_ADVANCED 1
#define IDS_RESTART_QUESTION 2
#define VX_TEXT_ADVANCED "Advanced"
/* The two sentences are joined by a single line feed (0x0A). */
#define VX_TEXT_RESTART_QUESTION                                          \
    "You must restart your computer before the changes will take effect." \
    "\nDo you want to restart your computer now?"

/* Context menu: one pop-up with one command */
#define IDR_CONTEXT_MENU 104
#define ID_WHATS_THIS 40003
#define VX_TEXT_WHATS_THIS "&What's This?"

/* Icon */
#define IDI_VEXARO 113

/* Dialog template of the page, sizes in dialog units */
#define IDD_ADVANCED_PAGE 107
#define VX_PAGE_STYLE 0x48C00040 /* WS_CHILD WS_DISABLED WS_CAPTION DS_SETFONT */
#define VX_PAGE_CAPTION "Vexaro"
#define VX_PAGE_FONT_SIZE 8
#define VX_PAGE_FONT_NAME "MS Sans Serif"
#define VX_PAGE_X 0
#define VX_PAGE_Y 0
#define VX_PAGE_CX 249
#define VX_PAGE_CY 223

/* The warning text */
#define IDC_WARNING 1017
#define VX_WARNING_TEXT \
    "It is recommended that only advanced users and system administrators change these settings."
#define VX_WARNING_STYLE 0x50020000 /* WS_CHILD WS_VISIBLE WS_GROUP SS_LEFT */
#define VX_WARNING_X 34
#define VX_WARNING_Y 5
#define VX_WARNING_CX 182
#define VX_WARNING_CY 24

/* The "&Reset" push button */
#define IDC_RESET 1005
#define VX_RESET_TEXT "&Reset"
#define VX_RESET_STYLE 0x50010000 /* WS_CHILD WS_VISIBLE WS_TABSTOP BS_PUSHBUTTON */
#define VX_RESET_X 192
#define VX_RESET_Y 202
#define VX_RESET_CX 50
#define VX_RESET_CY 14

/* The icon */
#define IDC_PAGE_ICON 1018
#define VX_ICON_STYLE 0x50000003 /* WS_CHILD WS_VISIBLE SS_ICON */
#define VX_ICON_X 7
#define VX_ICON_Y 5
#define VX_ICON_CX 18
#define VX_ICON_CY 20

#endif
