// Resource and control IDs, read by windres and by C++. #defines only.
#pragma once

// Icon
#define IDI_VELKOR 143

// Progress dialog and its bar; the cancel button is IDOK (1).
#define IDD_PROGRESS 207
#define IDC_PROGRESS_BAR 347

// Start-up and the main window
#define IDB_OPEN_FILE 142
#define IDM_MAIN 5001
#define IDM_HELP_POPUP 5003
#define IDM_OTHER_EDIT_POPUP 5004
#define IDM_SETTINGS_POPUP 5005
#define IDM_BAND_POPUP 5006
#define IDA_EDIT_KEYS 144
#define IDC_MAIN_STATUS 111
#define IDM_TO_EDIT_WINDOW 6010
#define IDM_PLAY_MONO 6011
#define IDM_PLAY_STEREO_HALF 6012
#define IDM_PLAY_STEREO_FULL 6013
#define IDM_HOW_TO_OPERATE 6014
#define IDM_WIDTH_640 6016
#define IDM_WIDTH_960 6017
#define IDM_WIDTH_1280 6018
#define IDM_BAND_FIRST 7011
#define IDM_BAND_LOW_FIRST 7019
#define IDM_BAND_LAST 7026
#define IDM_SILENCE 7033
#define IDM_ADJUST_FRAME 7034
#define IDM_SWITCH_CHANNEL 7035
#define IDM_TOGGLE_SHORTENING_BUTTON 7037
#define IDM_TOGGLE_SPECTRUM 7038
#define IDM_BACKGROUND 7039
#define IDM_CLOSE 7040
#define IDM_HELP_FILE 7050
#define IDM_VERSION 7051

// File selection dialog
#define IDD_FILE_SELECT 202
#define IDC_OPEN_EDIT 307
#define IDC_OPEN_BACKUP 308
#define IDC_EDIT_LABEL 309
#define IDC_EDIT_FRAME 311
#define IDC_EDIT_NAME 312
#define IDC_BACKUP_LABEL 313
#define IDC_BACKUP_FRAME 314
#define IDC_BACKUP_NAME 315

// Playback dialog: a caption bar only.
#define IDD_PLAYBACK 201

// Exit dialog; its buttons are IDOK "はい" (1) and IDCANCEL "いいえ" (2).
#define IDD_EXIT 208
#define IDD_AUTOMATIC 204
#define IDC_AUTOMATIC_TOOLBAR 109
#define IDC_EXIT_CHANGE_CHECK 348
#define IDC_EXIT_APPEND_N 349

// Edit window: toolbar strips, the automatic dialog's and the spectrum's
// strips, the shortening button's cells, the ruler under the rebar and the
// miniature of page 3 in display window 2.
#define IDB_PAGE_BUTTONS 130
#define IDB_GAIN_BUTTONS 131
#define IDB_MODE_BUTTONS 132
#define IDB_SHIFT_BUTTONS 133
#define IDB_CONFIRM_BUTTONS 134
#define IDB_PLAY_BUTTONS 135
#define IDB_TOOL_BUTTONS 136
#define IDB_AUTOMATIC_BUTTONS 137
#define IDB_SPECTRUM_BUTTONS 138
#define IDB_SHORTENING_BUTTON 139
#define IDB_RULER 140
#define IDB_PAGE_THREE 141

// Spectrum window: its tool strip and commands; a command's tooltip is the
// string of the same ID.
#define IDC_SPECTRUM_TOOLBAR 110
#define IDM_SPECTRUM_ZOOM_OUT 120
#define IDM_SPECTRUM_ZOOM_IN 121
#define IDM_SPECTRUM_RELATIVE 122
