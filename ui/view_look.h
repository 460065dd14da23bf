#pragma once
// What the edit window's bar shows, computed whole from the state: labels,
// button states and images, the rebar's look, popup states and the spectrum
// title. The shell keeps the look it last showed and sends only the changes.
// Fixed size and free of allocation: it is recomputed on every tool tick.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "document/document.h"
#include "document/view_events.h"
#include "spectrum/spectrum.h"
#include "ui/command_ids.h"
#include "view/edit_session.h"

// The commands whose enabled state the look decides, in toolbar order.
constexpr int kLookButtons[] = {kCmdStepBack,     kCmdStepForward,
                                kCmdRaise,        kCmdLower,
                                kCmdRampLeftDown, kCmdRampLeftUp,
                                kCmdRampRightUp,  kCmdRampRightDown,
                                kCmdAmplify,      kCmdAttenuate,
                                kCmdLowPass,      kCmdInsertSource,
                                kCmdOtherEdits,   kCmdEnlarge,
                                kCmdReduce,       kCmdConfirm,
                                kCmdPlayPage,     kCmdPlayFromFrame,
                                kCmdPlayPageHalf, kCmdPlayFromFrameHalf,
                                kCmdPlayPageFull, kCmdPlayFromFrameFull,
                                kCmdSettings,     kCmdHelp,
                                kCmdEditBand,     kCmdShortening,
                                kCmdGainDown,     kCmdGainUp,
                                kCmdRestore,      kCmdLeft,
                                kCmdHome,         kCmdRight};
constexpr int kFirstLookCommand = kCmdStepBack;
constexpr int kLookCommandRange = kCmdRight - kCmdStepBack + 1;

// What the shell must leave as it is for now, whatever the state says.
struct LookKeep {
    bool counters = false;     // 116, 117
    bool gain = false;         // 118
    bool band = false;         // 119 and the image of 1031
    bool pageButtons = false;  // the button states of 1020-1053 and the tool bands
    int heldCommand = 0;       // a repeat button under a press keeps its state until its release
};

struct LookLabel {
    char text[24];
};

struct ViewLook {
    std::array<bool, kLookCommandRange> enabled{};  // by command - kFirstLookCommand
    int8_t enlargeImage = 0;                        // 1020: 0, or 2 in the shortening look
    int8_t reduceImage = 1;                         // 1021: 1, or 3
    int8_t bandImage = 0;                           // 1031: 0/2 off high/low, 3/4 on high/low
    int8_t shorteningImage = 1;                     // 1032: 1 manual, 5 automatic
    bool yellowPageBand = false;                    // rebar band 0: yellow, else the menu-bar colour
    bool toolBandsShown = true;                     // rebar bands 8-11
    LookLabel page{}, counter{}, gain{}, band{};    // 116 "%d/5", 117 "%d/%d", 118 "x%d", 119 "f%d"
    bool slideTitle = false;                        // the spectrum window's title
    bool shorteningActive = false;                  // the shortening button's image (344) follows
    bool attenuateRepeating = false;                // these and the states of 1020 and 1010
    int8_t shorteningButtonCell = 4;
    // Popup states, applied when a popup opens.
    int bandRadioItem = kCmdBandFirst;  // menu 5006
    bool channelSwitchEnabled = true;   // 7035 in menu 5005
    LookKeep keep;
};

// Moments the state alone does not tell.
struct LookMoment {
    bool descentRepeating = false;    // the repeated shortening descent is under way
    bool attenuateRepeating = false;  // the shortening button's attenuate half is held
};

// The enlarge/reduce/confirm states the state implies: enlarge on pages 1-4
// and reduce on pages 1-5 without an edit frame, confirm with one; on page 5
// while shortening, reduce on, confirm off, enlarge once the edit has a step.
PageButtons pageButtonsOf(const Document& doc);
// f-number of a band index: 8 - i for the high band, 16 - i for the low band.
int bandNumber(int32_t bandIndex);

ViewLook viewLook(const Document& doc, const EditSession& session, const LookMoment& moment = {});

inline bool buttonEnabled(const ViewLook& look, int command) {
    const int i = command - kFirstLookCommand;
    return i >= 0 && i < kLookCommandRange && look.enabled[size_t(i)];
}
std::string_view spectrumTitle(const ViewLook& look);
// The text of label 116-119; empty for any other control.
std::string_view labelText(const ViewLook& look, int control);

enum class LookItem : uint8_t {
    buttonEnabled,    // id: command, value: 0/1
    buttonImage,      // id: command, value: image index (TB_CHANGEBITMAP)
    label,            // id: control 116-119, text: labelText of the shown look
    pageBandColour,   // value: 1 yellow, 0 the menu-bar colour
    toolBands,        // value: 1 shown; the shell also moves static 113 below the rebar
    spectrumTitle,    // text: spectrumTitle of the shown look
    shorteningButton  // value: the cell; redraw 344 when it is shown
};
struct LookChange {
    LookItem item;
    int32_t id;
    int32_t value;
};
struct LookChanges {
    std::array<LookChange, 64> list;
    size_t count = 0;
};

// Brings `shown` (what is on screen) to `wanted`, except what `wanted` keeps,
// and lists what the shell must send, in that order. `everything`: the screen
// is unknown (a new window), so every item is sent and nothing is kept.
size_t updateLook(ViewLook& shown, const ViewLook& wanted, LookChanges& changes, bool everything = false);
