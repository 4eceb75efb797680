/* Window, dialog and control style bits used by the dialog templates
   (res/dialog_*.inc), with their Win32 values. Plain defines, so both the
   resource compiler's preprocessor and C++ read them. */
#ifndef KORVANE_RES_DIALOG_STYLES_H
#define KORVANE_RES_DIALOG_STYLES_H

#define KV_WS_POPUP 0x80000000L
#define KV_WS_CHILD 0x40000000L
#define KV_WS_VISIBLE 0x10000000L
#define KV_WS_CAPTION 0x00C00000L
#define KV_WS_BORDER 0x00800000L
#define KV_WS_VSCROLL 0x00200000L
#define KV_WS_SYSMENU 0x00080000L
#define KV_WS_GROUP 0x00020000L
#define KV_WS_TABSTOP 0x00010000L

#define KV_WS_EX_APPWINDOW 0x00040000L

#define KV_DS_SETFONT 0x00000040L

#define KV_BS_PUSHBUTTON 0x00000000L
#define KV_BS_DEFPUSHBUTTON 0x00000001L
#define KV_BS_ICON 0x00000040L
#define KV_BS_RIGHT 0x00000200L
#define KV_BS_CENTER 0x00000300L
#define KV_BS_TOP 0x00000400L

#define KV_SS_LEFT 0x00000000L

#define KV_LBS_NOTIFY 0x00000001L
#define KV_LBS_SORT 0x00000002L
#define KV_LBS_NOINTEGRALHEIGHT 0x00000100L

#define KV_ES_LEFT 0x00000000L
#define KV_ES_AUTOHSCROLL 0x00000080L

#endif
