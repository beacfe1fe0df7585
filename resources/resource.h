#pragma once

// Resources of the program.
#define IDR_MAINFRAME 120
#define IDS_PROGRAM_TITLE 57344

// The picture popup of the effects menu's first item, and its picture.
#define IDD_PICTURE_POPUP 121
#define IDC_POPUP_PICTURE 122

// Commands of the effects menu. Each item's label is the string resource of its command id.
#define IDM_PICTURE_POPUP 130
#define IDM_HATCH_SCATTER 131
#define IDM_SPARKLE 132
#define IDM_TWIN_ORBIT 133
#define IDM_SHOCKWAVE 134
#define IDM_BOUNCING_ICON 146
#define IDM_DIAGONAL_RINGS 147
#define IDM_GROWING_CIRCLES 148

// What the program tells a grown-up in a message box.
#define IDS_EXIT_HINT 150
#define IDS_MISSING_FILES 151
#define IDS_MISSING_LIBRARY 152
#define IDS_NO_INITIAL_INFO 153

// The clock window and its face.
#define IDD_CLOCK 180
#define IDC_CLOCK_FACE 1010

// Commands of the grown-up menu.
#define IDM_SETTINGS 32772
#define IDM_README_EXIT 32773
#define IDM_ABOUT 57664
#define IDM_EXIT 57665

// Resources of the options library: the version dialog, the program's icon it shows, the
// options dialog and its five check boxes.
#define IDD_ABOUT 101
#define IDI_OPTIONS_LIBRARY 102
#define IDD_OPTIONS 103
#define IDC_KEYWAV 1000
#define IDC_OTHERWAV 1001
#define IDC_TIME 1002
#define IDC_NOSCREENSERVER 1003
#define IDC_ENDALTF4 1004

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
