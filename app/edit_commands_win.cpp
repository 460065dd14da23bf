// The edit window's commands: toolbar buttons, popup items and keys.
#include <windows.h>

#include <commctrl.h>

#include "app/automatic_dialog_win.h"
#include "app/edit_shell_win.h"
#include "app/help_win.h"
#include "common/file_system.h"
#include "common/message_box_win.h"
#include "document/document.h"
#include "edit/band_mode.h"
#include "edit/gain.h"
#include "edit/history.h"
#include "edit/tools.h"
#include "playback/playback_dialog_win.h"
#include "playback/prepare.h"
#include "spectrum/spectrum_view.h"
#include "spectrum/spectrum_window_win.h"
#include "view/frames.h"
#include "view/pages.h"
#include "view/restore.h"

namespace {

// Indexes into EditWindow::popups.
constexpr int kHelpPopup = 0;        // 5003
constexpr int kOtherEditsPopup = 1;  // 5004
constexpr int kSettingsPopup = 2;    // 5005
constexpr int kBandPopup = 3;        // 5006

// Runs one core operation and shows what it reported.
template <typename F>
void run(EditWindow& w, F&& operation) {
    ViewEvents events;
    operation(*w.doc, events);
    act(w, events);
}

BandSplit bandSplit(EditWindow& w) {
    return BandSplit{w.spectrum->state->tables, w.spectrum->state->buffers, w.session.bandIndex};
}

// 1001-1011 arrive when the held button is let go.
void toolReleased(EditWindow& w) {
    endButtonHold(w);
    run(w, [&](Document& d, ViewEvents& e) { toolRelease(d, w.session, e); });
}

void askLowerGain(EditWindow& w, const InsertResult& result) {
    if (!result.askLowerGain) return;
    if (showMessage(w.hwnd, result.question) == Answer::yes)
        PostMessageW(w.hwnd, kMsgRerunInsert, WPARAM(result.lowerShift), kCmdInsertSource);
}

void insertSource(EditWindow& w) {
    InsertResult result;
    run(w, [&](Document& d, ViewEvents& e) { result = runInsert(d, tallScreen(w), e); });
    askLowerGain(w, result);
}

// On page 5 the shift buttons slide; their command is the release.
void shiftCommand(EditWindow& w, int id) {
    if (w.doc->view.page == 5 || w.session.slidePressed) endButtonHold(w);
    const ShiftButton button = id == kCmdLeft    ? ShiftButton::left
                               : id == kCmdRight ? ShiftButton::right
                                                 : ShiftButton::home;
    run(w, [&](Document& d, ViewEvents& e) { shiftButtonCommand(d, w.session, button, e); });
}

void restoreCommand(EditWindow& w) {
    Document& doc = *w.doc;
    const Message question = restoreQuestion(doc);
    ViewEvents events;
    if (!question.empty() && showMessage(w.hwnd, question) == Answer::yes)
        applyRestore(doc, platformFileSystem(), bandSplit(w), events);
    if (doc.view.shorteningStartPage == 0) w.session.shorteningLook = false;  // kind 2 ended it
    disarmRestore(doc);  // the click on the button ends its life either way
    act(w, events);
}

void shorteningCommand(EditWindow& w) {
    EditSession& s = w.session;
    if (!shorteningAllowed(*w.doc, s)) return;
    const Message notice = shorteningNotice(s);
    if (!notice.empty() && showMessage(w.hwnd, notice) == Answer::yes) s.shorteningNoticeOff = true;
    if (w.doc->shorteningAutoSteps == 0) {
        run(w, [&](Document& d, ViewEvents& e) { startManualShortening(d, s, e); });
        return;
    }
    w.doc->playback.channelMode = !w.doc->stereo() ? ChannelPlayMode::both : ChannelPlayMode::selected;
    runAutomaticDialog(w);
    ViewEvents events;  // the gain label and the frozen look catch up
    events.gainChanged = true;
    events.repaintWaveform = true;
    events.repaintDisplay1 = true;
    events.historyChanged = true;
    events.titlesChanged = true;
    act(w, events);
}

void bandItem(EditWindow& w, int id) {
    const int32_t index = id - kCmdBandFirst;
    run(w, [&](Document& d, ViewEvents& e) {
        changeBand(d, w.session.bandIndex, index, w.spectrum->state->tables, w.spectrum->state->buffers, e);
    });
}

void adjustFrame(EditWindow& w) {
    if (!w.doc->view.editFramePresent) return;
    const Status adjusted = adjustToZeroCrossings(*w.doc);
    if (!adjusted.ok()) {
        showMessage(w.hwnd, adjusted.message);
        return;
    }
    repaintWaveform(w);
}

void switchChannelCommand(EditWindow& w) {
    Document& doc = *w.doc;
    if (!channelSwitchAllowed(doc)) return;
    const Message question = channelSwitchQuestion(doc);
    if (!question.empty() && showMessage(w.hwnd, question) != Answer::yes) return;
    run(w, [&](Document& d, ViewEvents& e) { switchChannel(d, bandSplit(w), e); });
}

void toggleShorteningButton(EditWindow& w) {
    HWND button = w.children.shorteningButton;
    if (w.doc->view.page < 2 || !button) return;
    ShowWindow(button, IsWindowVisible(button) ? SW_HIDE : SW_SHOW);
}

void toggleBackground(EditWindow& w) {
    w.darkBackground = !w.darkBackground;
    const int brush = w.darkBackground ? DKGRAY_BRUSH : BLACK_BRUSH;
    SetClassLongPtrW(w.hwnd, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(GetStockObject(brush)));
    InvalidateRect(w.hwnd, nullptr, TRUE);
    if (w.spectrum) setSpectrumBackground(*w.spectrum, w.darkBackground);
}

void toggleSpectrumWindow(EditWindow& w) {
    if (w.doc->view.page >= 2 && w.spectrum) toggleSpectrum(*w.spectrum);
}

// 1023/1024 the selected channel, 1025-1028 both at the volume the pager
// set. Nothing while a playback runs, nor when the page has nothing to
// play; -1 when the dialog cannot be made.
LRESULT playCommand(EditWindow& w, int id) {
    if (playbackShown(*w.playback)) return 0;
    Document& doc = *w.doc;
    const bool selected = id == kCmdPlayPage || id == kCmdPlayFromFrame;
    doc.playback.channelMode = selected ? ChannelPlayMode::selected : ChannelPlayMode::both;
    const bool fromFrame = id == kCmdPlayFromFrame || id == kCmdPlayFromFrameHalf || id == kCmdPlayFromFrameFull;
    if (!(fromFrame ? playFromFrame(doc) : playPage(doc))) return 0;
    const LineWindows windows{w.main, w.hwnd, w.children.bar.display2};
    return openPlaybackDialog(*w.playback, w.hwnd, windows) ? 0 : -1;
}

// While the overview is current the keys reach this window too: only what
// the overview allows happens (F1 picks the channel), nothing touches samples.
bool overviewCommand(EditWindow& w, int id) {
    switch (id) {
        case kCmdSwitchChannel: switchChannelCommand(w); return true;
        case kCmdBackground: toggleBackground(w); return true;
    }
    return false;
}

}  // namespace

void showToolbarPopup(EditWindow& w, int menuIndex, int command, bool swallowRule) {
    EditChildren& c = w.children;
    const int menuId = kMenuHelp + menuIndex;
    if (swallowRule && c.swallowPopup == menuId) {
        c.swallowPopup = 0;
        // Only the click that closed the menu: a later request (after Esc, say) opens it.
        if (GetTickCount() - c.swallowSince <= GetDoubleClickTime()) return;
    }
    c.swallowPopup = 0;
    HMENU menu = GetSubMenu(w.popups[size_t(menuIndex)], 0);
    RECT button{};
    if (!menu || !buttonScreenRect(c.bar, command, button)) return;
    const ViewLook look = viewLook(*w.doc, w.session);
    if (menuIndex == kSettingsPopup)
        EnableMenuItem(menu, kCmdSwitchChannel, MF_BYCOMMAND | (look.channelSwitchEnabled ? MF_ENABLED : MF_GRAYED));
    if (menuIndex == kBandPopup)
        CheckMenuRadioItem(menu, kCmdBandFirst, kCmdBandLast, UINT(look.bandRadioItem), MF_BYCOMMAND);
    TPMPARAMS keepClear{};
    keepClear.cbSize = sizeof keepClear;
    keepClear.rcExclude = button;
    keepClear.rcExclude.bottom += 5;
    // The button's tooltip, still timing the pointer, would cover the menu's first items.
    c.popupOpen = true;
    TrackPopupMenuEx(menu, TPM_VERTICAL, button.left, button.bottom, w.hwnd, &keepClear);
    c.popupOpen = false;
    POINT pointer{};
    if (swallowRule && GetCursorPos(&pointer) && PtInRect(&button, pointer)) {
        c.swallowPopup = menuId;
        c.swallowSince = GetTickCount();
    }
}

LRESULT onRerunInsert(EditWindow& w, WPARAM shift, LPARAM command) {
    if (command != kCmdInsertSource || shift > WPARAM(kDefaultGainShift) || w.doc->view.page < 1 ||
        !w.doc->view.editFramePresent)
        return 0;
    InsertResult result;
    run(w, [&](Document& d, ViewEvents& e) { result = rerunInsertAtLowerGain(d, int32_t(shift), tallScreen(w), e); });
    askLowerGain(w, result);
    return 0;
}

LRESULT onCommand(EditWindow& w, int id) {
    if (w.doc->view.page < 1) {
        overviewCommand(w, id);
        return 0;
    }
    // A command from the keyboard during a hover comes after the hover's own step;
    // 344's own click notice is no command.
    if (id == kCtlShorteningButton) return 0;
    leaveHover(w);
    EditSession& s = w.session;
    FileSystem& fs = platformFileSystem();
    switch (id) {
        case kCmdStepBack:
        case kCmdStepForward:
        case kCmdRaise:
        case kCmdLower:
        case kCmdRampLeftDown:
        case kCmdRampLeftUp:
        case kCmdRampRightUp:
        case kCmdRampRightDown:
        case kCmdAmplify:
        case kCmdAttenuate:
        case kCmdLowPass: toolReleased(w); return 0;
        case kCmdInsertSource: insertSource(w); return 0;
        case kCmdOtherEdits: showToolbarPopup(w, kOtherEditsPopup, id, true); return 0;
        case kCmdEnlarge:
            run(w, [&](Document& d, ViewEvents& e) { enlargeCommand(d, s, fs, bandSplit(w), e); });
            return 0;
        case kCmdReduce:
            run(w, [&](Document& d, ViewEvents& e) { reduceCommand(d, s, fs, bandSplit(w), e); });
            return 0;
        case kCmdConfirm: run(w, [&](Document& d, ViewEvents& e) { confirmCommand(d, s, e); }); return 0;
        case kCmdPlayPage:
        case kCmdPlayFromFrame:
        case kCmdPlayPageHalf:
        case kCmdPlayFromFrameHalf:
        case kCmdPlayPageFull:
        case kCmdPlayFromFrameFull: return playCommand(w, id);
        case kCmdSettings: showToolbarPopup(w, kSettingsPopup, id, true); return 0;
        case kCmdHelp: showToolbarPopup(w, kHelpPopup, id, true); return 0;
        case kCmdEditBand: run(w, [&](Document& d, ViewEvents& e) { toggleBandEditing(d, bandSplit(w), e); }); return 0;
        case kCmdShortening: shorteningCommand(w); return 0;
        case kCmdGainDown: run(w, [](Document& d, ViewEvents& e) { gainDown(d, e); }); return 0;
        case kCmdGainUp: run(w, [](Document& d, ViewEvents& e) { gainUp(d, e); }); return 0;
        case kCmdRestore: restoreCommand(w); return 0;
        case kCmdLeft:
        case kCmdHome:
        case kCmdRight: shiftCommand(w, id); return 0;
        case kCmdSilence: run(w, [](Document& d, ViewEvents& e) { runSilence(d, e); }); return 0;
        case kCmdAdjustFrame: adjustFrame(w); return 0;
        case kCmdSwitchChannel: switchChannelCommand(w); return 0;
        case kCmdToggleShorteningButton: toggleShorteningButton(w); return 0;
        case kCmdToggleSpectrum: toggleSpectrumWindow(w); return 0;
        case kCmdBackground: toggleBackground(w); return 0;
        case kCmdClose: SendMessageW(w.hwnd, WM_CLOSE, 0, 0); return 0;
        case kCmdHelpFile: openHelp(w.hwnd, w.helpPath); return 0;
        case kCmdVersion: showVersion(w.hwnd); return 0;
    }
    if (id >= kCmdBandFirst && id <= kCmdBandLast) {
        bandItem(w, id);
        return 0;
    }
    return 0;
}
