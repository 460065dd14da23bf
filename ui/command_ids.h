#pragma once
// Command and control IDs of the edit window's bar, its popups and the main
// window's menu. IDs the resource script needs live in resources/ids.h; they
// are taken from there, and the asserts pin them to their numbers.
#include "resources/ids.h"

// Toolbar commands. A button's caption is the string command + 1000.
constexpr int kCmdStepBack = 1001;  // "やり直し"
constexpr int kCmdStepForward = 1002;
constexpr int kCmdRaise = 1003;
constexpr int kCmdLower = 1004;
constexpr int kCmdRampLeftDown = 1005;
constexpr int kCmdRampLeftUp = 1006;
constexpr int kCmdRampRightUp = 1007;
constexpr int kCmdRampRightDown = 1008;
constexpr int kCmdAmplify = 1009;
constexpr int kCmdAttenuate = 1010;
constexpr int kCmdLowPass = 1011;
constexpr int kCmdInsertSource = 1012;
constexpr int kCmdOtherEdits = 1015;  // opens menu 5004
constexpr int kCmdEnlarge = 1020;
constexpr int kCmdReduce = 1021;
constexpr int kCmdConfirm = 1022;
constexpr int kCmdPlayPage = 1023;  // selected channel
constexpr int kCmdPlayFromFrame = 1024;
constexpr int kCmdPlayPageHalf = 1025;  // both channels at 50 %
constexpr int kCmdPlayFromFrameHalf = 1026;
constexpr int kCmdPlayPageFull = 1027;  // both channels at 100 %
constexpr int kCmdPlayFromFrameFull = 1028;
constexpr int kCmdSettings = 1029;    // opens menu 5005
constexpr int kCmdHelp = 1030;        // opens menu 5003
constexpr int kCmdEditBand = 1031;    // its arrow opens menu 5006
constexpr int kCmdShortening = 1032;  // its arrow toggles the mode
constexpr int kCmdGainDown = 1035;
constexpr int kCmdGainUp = 1036;
constexpr int kCmdRestore = 1050;
constexpr int kCmdLeft = 1051;
constexpr int kCmdHome = 1052;
constexpr int kCmdRight = 1053;

constexpr int kCaptionOffset = 1000;
constexpr int captionStringId(int command) { return command + kCaptionOffset; }
// Tooltips that replace a caption in some states.
constexpr int kStrShorteningStart = 2120;  // 1020 while shortening
constexpr int kStrShorteningEnd = 2121;    // 1021 while shortening
constexpr int kStrPlayPageLow = 2123;      // 1023/1025/1027 on pages 3-5
constexpr int kStrSilencedFrame = 2124;    // 1024/1026/1028 on pages 3-5
constexpr int kStrSettingsText = 2155;     // the text buttons of toolbar 104
constexpr int kStrHelpText = 2156;

// Popup menus and keys of the edit window.
constexpr int kMenuHelp = IDM_HELP_POPUP;
constexpr int kMenuOtherEdits = IDM_OTHER_EDIT_POPUP;
constexpr int kMenuSettings = IDM_SETTINGS_POPUP;
constexpr int kMenuBand = IDM_BAND_POPUP;
constexpr int kCmdBandFirst = IDM_BAND_FIRST;  // + bandIndex
constexpr int kCmdBandLowFirst = IDM_BAND_LOW_FIRST;
constexpr int kCmdBandLast = IDM_BAND_LAST;
constexpr int kCmdSilence = IDM_SILENCE;
constexpr int kCmdAdjustFrame = IDM_ADJUST_FRAME;
constexpr int kCmdSwitchChannel = IDM_SWITCH_CHANNEL;
constexpr int kCmdToggleShorteningButton = IDM_TOGGLE_SHORTENING_BUTTON;
constexpr int kCmdToggleSpectrum = IDM_TOGGLE_SPECTRUM;
constexpr int kCmdBackground = IDM_BACKGROUND;
constexpr int kCmdClose = IDM_CLOSE;
constexpr int kCmdHelpFile = IDM_HELP_FILE;
constexpr int kCmdVersion = IDM_VERSION;

// The main window's menu.
constexpr int kMenuMain = IDM_MAIN;
constexpr int kCmdToEditWindow = IDM_TO_EDIT_WINDOW;
constexpr int kCmdPlayMono = IDM_PLAY_MONO;
constexpr int kCmdPlayStereoHalf = IDM_PLAY_STEREO_HALF;
constexpr int kCmdPlayStereoFull = IDM_PLAY_STEREO_FULL;
constexpr int kCmdHowToOperate = IDM_HOW_TO_OPERATE;
constexpr int kCmdWidth640 = IDM_WIDTH_640;
constexpr int kCmdWidth960 = IDM_WIDTH_960;
constexpr int kCmdWidth1280 = IDM_WIDTH_1280;

// Child windows of the edit window.
constexpr int kCtlToolbarPage = 101;     // 1020, 1021
constexpr int kCtlToolbarGain = 102;     // 1035, 1036
constexpr int kCtlToolbarModes = 103;    // 1031, 1032 (drop-down)
constexpr int kCtlToolbarText = 104;     // 1029, 1030
constexpr int kCtlToolbarShift = 105;    // 1051-1053
constexpr int kCtlToolbarConfirm = 106;  // 1022, 1050
constexpr int kCtlToolbarPlay = 107;     // 1023-1028, inside the pager
constexpr int kCtlToolbarTools = 108;    // 1001-1012, 1015
constexpr int kCtlMainStatus = IDC_MAIN_STATUS;
constexpr int kCtlEditStatus = 112;
constexpr int kCtlBarPicture = 113;  // static with bitmap 140, below the rebar
constexpr int kCtlDisplay1 = 114;
constexpr int kCtlDisplay2 = 115;
constexpr int kCtlPageLabel = 116;     // "%d/5"
constexpr int kCtlCounterLabel = 117;  // "%d/%d"
constexpr int kCtlGainLabel = 118;     // "x%d"
constexpr int kCtlBandLabel = 119;     // "f%d"
constexpr int kCtlPlayPager = 124;
constexpr int kCtlShorteningButton = 344;

// Toolbar image strips.
constexpr int kBmpPage = 130;
constexpr int kBmpGain = 131;
constexpr int kBmpModes = 132;
constexpr int kBmpShift = 133;
constexpr int kBmpConfirm = 134;
constexpr int kBmpPlay = 135;
constexpr int kBmpTools = 136;

static_assert(IDM_MAIN == 5001 && IDM_HELP_POPUP == 5003 && IDM_OTHER_EDIT_POPUP == 5004 &&
              IDM_SETTINGS_POPUP == 5005 && IDM_BAND_POPUP == 5006);
static_assert(IDM_BAND_FIRST == 7011 && IDM_BAND_LOW_FIRST == 7019 && IDM_BAND_LAST == 7026);
static_assert(IDM_SILENCE == 7033 && IDM_ADJUST_FRAME == 7034 && IDM_SWITCH_CHANNEL == 7035 &&
              IDM_TOGGLE_SHORTENING_BUTTON == 7037 && IDM_TOGGLE_SPECTRUM == 7038 && IDM_BACKGROUND == 7039 &&
              IDM_CLOSE == 7040 && IDM_HELP_FILE == 7050 && IDM_VERSION == 7051);
static_assert(IDM_TO_EDIT_WINDOW == 6010 && IDM_PLAY_MONO == 6011 && IDM_PLAY_STEREO_HALF == 6012 &&
              IDM_PLAY_STEREO_FULL == 6013 && IDM_HOW_TO_OPERATE == 6014 && IDM_WIDTH_640 == 6016 &&
              IDM_WIDTH_960 == 6017 && IDM_WIDTH_1280 == 6018);
static_assert(IDC_MAIN_STATUS == 111);
