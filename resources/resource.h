#pragma once

// Resources of the program.
#define IDR_MAINFRAME 120
#define IDS_PROGRAM_TITLE 57344

// The picture popup of the effects menu's first item, and its picture.
#define IDD_PICTURE_POPUP 121
#define IDC_POPUP_PICTURE 122
#define IDM_PICTURE_POPUP 130

// The clock window and its face.
#define IDD_CLOCK 180
#define IDC_CLOCK_FACE 1010

// Commands of the grown-up menu.
#define IDM_SETTINGS 32772
#define IDM_README_EXIT 32773
#define IDM_ABOUT 57664
#define IDM_EXIT 57665

// Resources of the options library.
#define IDI_OPTIONS_LIBRARY 102
