/* The Win32 numbers the portable code and the resources use: window, dialog
   and control styles, message box kinds and answers, and the window messages
   the message tables name. Every backend reads them from here; the Windows
   one passes them to the system unchanged. Plain defines, so both the
   resource compiler's preprocessor and C++ read them. */
#ifndef KORVANE_FW_WIN32_VALUES_H
#define KORVANE_FW_WIN32_VALUES_H

#define KV_WS_POPUP 0x80000000L
#define KV_WS_CHILD 0x40000000L
#define KV_WS_VISIBLE 0x10000000L
#define KV_WS_DISABLED 0x08000000L
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
#define KV_BS_TYPEMASK 0x0000000FL
#define KV_BS_ICON 0x00000040L
#define KV_BS_LEFT 0x00000100L
#define KV_BS_RIGHT 0x00000200L
#define KV_BS_CENTER 0x00000300L
#define KV_BS_TOP 0x00000400L
#define KV_BS_BOTTOM 0x00000800L
#define KV_BS_VCENTER 0x00000C00L

#define KV_SS_LEFT 0x00000000L
#define KV_SS_CENTER 0x00000001L
#define KV_SS_RIGHT 0x00000002L
#define KV_SS_TYPEMASK 0x0000001FL

#define KV_LBS_NOTIFY 0x00000001L
#define KV_LBS_SORT 0x00000002L
#define KV_LBS_NOINTEGRALHEIGHT 0x00000100L

#define KV_ES_LEFT 0x00000000L
#define KV_ES_AUTOHSCROLL 0x00000080L

#define KV_MB_OK 0x00
#define KV_MB_OKCANCEL 0x01
#define KV_MB_TYPEMASK 0x0F
#define KV_MB_ICONSTOP 0x10
#define KV_MB_ICONQUESTION 0x20
#define KV_MB_ICONEXCLAMATION 0x30
#define KV_MB_ICONINFORMATION 0x40
#define KV_MB_ICONMASK 0xF0

#define KV_IDOK 1
#define KV_IDCANCEL 2

#define KV_WM_PAINT 0x000F
#define KV_WM_QUERYDRAGICON 0x0037
#define KV_WM_COMMAND 0x0111
#define KV_BN_CLICKED 0

#endif
