#pragma once
// The edit window's command bar as data: its toolbars in band order, their
// image strips and buttons, and the rebar bands that hold them. The shell
// turns rows into TBBUTTONs and REBARBANDINFOWs.
#include <cstddef>
#include <cstdint>

#include "ui/command_ids.h"

enum class ButtonStyle : uint8_t {
    plain,
    dropDown,   // BTNS_DROPDOWN, with the arrow drawn apart (TBSTYLE_EX_DRAWDDARROWS)
    separator,  // no command
    text,       // autosize text button, no image (I_IMAGENONE), text from textString
};

struct ToolButton {
    int command;  // 0 for a separator
    int image;    // index in the toolbar's strip; -1 none
    ButtonStyle style;
    int textString;  // text buttons only: the string shown on the button
};

struct ToolbarLayout {
    int id;
    int bitmap;     // 0: no image list
    int cellWidth;  // pixels; every strip is kCellHeight high
    int cells;      // images in the strip
    const ToolButton* buttons;
    size_t count;
    bool inPager;  // parent is pager 124, not the rebar
};

constexpr int kCellHeight = 15;
constexpr int kTooltipDelayMs = 50;         // each toolbar's own tooltips
constexpr int kStaticTooltipDelayMs = 100;  // the tooltip window of 114-119 and 124

constexpr ToolButton kPageButtons[] = {{kCmdEnlarge, 0, ButtonStyle::plain, 0}, {kCmdReduce, 1, ButtonStyle::plain, 0}};
constexpr ToolButton kConfirmButtons[] = {{kCmdConfirm, 0, ButtonStyle::plain, 0},
                                          {kCmdRestore, 1, ButtonStyle::plain, 0}};
// For a one-channel file the shell deletes the first pair after creation.
constexpr ToolButton kPlayButtons[] = {
    {kCmdPlayPage, 0, ButtonStyle::plain, 0},     {kCmdPlayFromFrame, 1, ButtonStyle::plain, 0},
    {kCmdPlayPageHalf, 2, ButtonStyle::plain, 0}, {kCmdPlayFromFrameHalf, 3, ButtonStyle::plain, 0},
    {kCmdPlayPageFull, 4, ButtonStyle::plain, 0}, {kCmdPlayFromFrameFull, 5, ButtonStyle::plain, 0}};
constexpr ToolButton kGainButtons[] = {{kCmdGainDown, 0, ButtonStyle::plain, 0},
                                       {kCmdGainUp, 1, ButtonStyle::plain, 0}};
constexpr ToolButton kModeButtons[] = {{kCmdEditBand, 0, ButtonStyle::dropDown, 0},
                                       {kCmdShortening, 1, ButtonStyle::dropDown, 0}};
constexpr ToolButton kShiftButtons[] = {
    {kCmdLeft, 0, ButtonStyle::plain, 0}, {kCmdHome, 1, ButtonStyle::plain, 0}, {kCmdRight, 2, ButtonStyle::plain, 0}};
constexpr ToolButton kTextButtons[] = {{kCmdSettings, -1, ButtonStyle::text, kStrSettingsText},
                                       {kCmdHelp, -1, ButtonStyle::text, kStrHelpText}};
constexpr ToolButton kToolButtons[] = {
    {kCmdStepBack, 0, ButtonStyle::plain, 0},      {kCmdStepForward, 1, ButtonStyle::plain, 0},
    {kCmdRaise, 2, ButtonStyle::plain, 0},         {kCmdLower, 3, ButtonStyle::plain, 0},
    {kCmdRampLeftDown, 4, ButtonStyle::plain, 0},  {kCmdRampLeftUp, 5, ButtonStyle::plain, 0},
    {kCmdRampRightUp, 6, ButtonStyle::plain, 0},   {kCmdRampRightDown, 7, ButtonStyle::plain, 0},
    {kCmdAmplify, 8, ButtonStyle::plain, 0},       {kCmdAttenuate, 9, ButtonStyle::plain, 0},
    {kCmdLowPass, 10, ButtonStyle::plain, 0},      {0, -1, ButtonStyle::separator, 0},
    {kCmdInsertSource, 13, ButtonStyle::plain, 0}, {kCmdOtherEdits, 14, ButtonStyle::plain, 0}};

template <size_t N>
constexpr ToolbarLayout toolbar(int id, int bitmap, int cellWidth, int cells, const ToolButton (&b)[N],
                                bool inPager = false) {
    return {id, bitmap, cellWidth, cells, b, N, inPager};
}

// In band order (bands 0-6 and 8 of the rebar).
constexpr ToolbarLayout kToolbars[] = {
    toolbar(kCtlToolbarPage, kBmpPage, 20, 4, kPageButtons),
    toolbar(kCtlToolbarConfirm, kBmpConfirm, 20, 2, kConfirmButtons),
    toolbar(kCtlToolbarPlay, kBmpPlay, 20, 6, kPlayButtons, true),
    toolbar(kCtlToolbarGain, kBmpGain, 10, 2, kGainButtons),
    toolbar(kCtlToolbarModes, kBmpModes, 30, 6, kModeButtons),
    toolbar(kCtlToolbarShift, kBmpShift, 10, 3, kShiftButtons),
    toolbar(kCtlToolbarText, 0, 0, 0, kTextButtons),
    toolbar(kCtlToolbarTools, kBmpTools, 16, 16, kToolButtons),
};

// How a band's width cx is found. span(a, b) is the right edge of button b
// minus the left edge of button a (TB_GETRECT), plus 4.
enum class BandWidth : uint8_t {
    span,            // span(first, last) + header
    spanAndPager,    // span(first, last) + the pager's button size
    restOfRow,       // the band before's rectangle width minus its cx (band 7)
    restOfToolsRow,  // band 8's rectangle width minus its cx and both display windows (band 9)
    display1,        // W/8 + 4
    display2,        // W/8 + 18
};

struct RebarBand {
    int child;  // control ID; 0: an empty band
    BandWidth width;
    int first, last;  // the span's buttons
    int header;       // pixels added for the label
    int label;        // the static placed over the header; 0 none
    bool newRow;      // RBBS_BREAK
};

constexpr int kBandHeader = 26;
constexpr int kBandMinHeight = 24;
constexpr int kPagerWidth = 80;  // PGN_CALCSIZE answer

constexpr RebarBand kRebarBands[] = {
    {kCtlToolbarPage, BandWidth::span, kCmdEnlarge, kCmdReduce, kBandHeader, kCtlPageLabel, false},
    {kCtlToolbarConfirm, BandWidth::span, kCmdConfirm, kCmdRestore, 0, 0, false},
    {kCtlPlayPager, BandWidth::spanAndPager, kCmdPlayPageHalf, kCmdPlayFromFrameHalf, 0, 0, false},
    {kCtlToolbarGain, BandWidth::span, kCmdGainDown, kCmdGainUp, kBandHeader, kCtlGainLabel, false},
    {kCtlToolbarModes, BandWidth::span, kCmdEditBand, kCmdShortening, kBandHeader, kCtlBandLabel, false},
    {kCtlToolbarShift, BandWidth::span, kCmdLeft, kCmdRight, 0, 0, false},
    {kCtlToolbarText, BandWidth::span, kCmdSettings, kCmdHelp, 0, 0, false},
    {0, BandWidth::restOfRow, 0, 0, 0, 0, false},
    {kCtlToolbarTools, BandWidth::span, kCmdStepBack, kCmdOtherEdits, kBandHeader, kCtlCounterLabel, true},
    {0, BandWidth::restOfToolsRow, 0, 0, 0, 0, false},
    {kCtlDisplay1, BandWidth::display1, 0, 0, 0, 0, false},
    {kCtlDisplay2, BandWidth::display2, 0, 0, 0, 0, false},
};
constexpr int kFirstToolsBand = 8;  // bands 8-11 hide on page 1

constexpr int32_t display1Width(int32_t screenWidth) { return screenWidth / 8 + 4; }
constexpr int32_t display2Width(int32_t screenWidth) { return screenWidth / 8 + 18; }
// span(a, b) from the two buttons' rectangles.
constexpr int32_t buttonSpan(int32_t leftOfFirst, int32_t rightOfLast) { return rightOfLast - leftOfFirst + 4; }

// What the shell measured for one band's width.
struct BandMeasure {
    int32_t span = 0;           // buttonSpan of the band's buttons
    int32_t pagerButton = 0;    // PGM_GETBUTTONSIZE
    int32_t rowRectWidth = 0;   // RB_GETRECT width of the band the rest is taken from
    int32_t rowBandCx = 0;      // that band's cx
    int32_t screenWidth = 640;  // W
};
constexpr int32_t bandWidth(const RebarBand& band, const BandMeasure& m) {
    switch (band.width) {
        case BandWidth::span: return m.span + band.header;
        case BandWidth::spanAndPager: return m.span + m.pagerButton;
        case BandWidth::restOfRow: return m.rowRectWidth - m.rowBandCx;
        case BandWidth::restOfToolsRow:
            return m.rowRectWidth - m.rowBandCx - display1Width(m.screenWidth) - display2Width(m.screenWidth);
        case BandWidth::display1: return display1Width(m.screenWidth);
        case BandWidth::display2: return display2Width(m.screenWidth);
    }
    return 0;
}
