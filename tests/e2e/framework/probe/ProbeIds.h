#pragma once

// Resources of fwprobe.exe.
#define IDD_PLAIN 100
#define IDD_CHECK 101
#define IDD_MODELESS 102
#define IDR_WIDE_MENU 200

#define IDC_FLAG 1001
#define IDC_TEXT 1002
#define IDC_FIRST 1003
#define IDC_SECOND 1004
#define IDC_GO 1005

#define IDM_ONE 2001
#define IDM_TWO 2002
#define IDM_THREE 2003
#define IDM_FOUR 2004
#define IDM_FIVE 2005
#define IDM_SIX 2006
