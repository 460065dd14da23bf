#include "view/edit_session.h"

#include "audio_file/time_text.h"
#include "common/text_format.h"
#include "edit/history.h"
#include "view/descent.h"
#include "view/frames.h"
#include "view/messages.h"
#include "view/pages.h"
#include "view/white_waveform.h"

namespace {

constexpr Tool kTools[] = {Tool::shiftUp,    Tool::shiftDown,   Tool::rampLeftDown,
                           Tool::rampLeftUp, Tool::rampRightUp, Tool::rampRightDown,
                           Tool::amplify,    Tool::attenuate,   Tool::lowPass};

bool shortening(const Document& doc) { return doc.view.shorteningStartPage != 0; }

}  // namespace

std::string editWindowTitle(const Document& doc) {
    const SampleFormat& f = doc.edit.format;
    const std::string_view channel = !doc.stereo() ? kTitleMono : doc.view.channel == 1 ? kTitleRight : kTitleLeft;
    return std::string(channel) +
           formatText(kTitleFormat, int(f.channels), int(f.bitsPerSample), int(f.samplesPerSecond));
}

std::string pointerText(const Document& doc, int32_t x) {
    const ViewState& v = doc.view;
    const uint32_t at = columnOffset(v, doc.edit, x, v.page);
    std::string text = timeText(at - doc.edit.dataOffset, doc.edit);
    if (v.page == 1)
        text += kHintPageOne;
    else if (v.page == 5)
        text += kHintPageFive;
    else if (doc.history.undoIndex == 0)
        text += kHintFrameStays;
    return text;
}

void pressToolButton(EditSession& s, const Document& doc, int32_t index) {
    s.pressedButtonIndex = -1;  // a press elsewhere on the bar counts as none
    if (doc.view.editFramePresent && index >= 0 && index <= 10) s.pressedButtonIndex = index;
}

void pressSlideButton(EditSession& s, const Document& doc, int32_t index) {
    s.pressedButtonIndex = -1;
    s.slidePressed = false;
    if (doc.view.page == 5 && index >= 0 && index <= 2) {
        s.pressedButtonIndex = index;
        s.slidePressed = true;
    }
}

void shiftButtonCommand(Document& doc, EditSession& s, ShiftButton button, ViewEvents& events) {
    // A press on page 5 makes this its release, even when the page changed
    // while the button was held: the release never shifts a zoom frame.
    const bool slide = doc.view.page == 5 || s.slidePressed;
    s.slidePressed = false;
    s.pressedButtonIndex = -1;
    if (slide) {
        if (button == ShiftButton::home)
            slideHome(doc, events);
        else
            endSlide(doc, events);
        return;
    }
    switch (button) {
        case ShiftButton::left: blockShiftLeft(doc, events); return;
        case ShiftButton::right: blockShiftRight(doc, events); return;
        case ShiftButton::home: firstPosition(doc, events); return;
    }
}

bool leftButtonHeld(const ButtonReading& r, bool ofThePress) {
    if (!r.queueLeft) return false;
    if (ofThePress) return true;
    // Wine reports the device's left button even with swapped buttons.
    return r.swapped ? r.deviceRight || r.deviceLeft : r.deviceLeft;
}

TickOutcome toolTimerTick(Document& doc, EditSession& s, bool buttonStillDown, ViewEvents& events) {
    TickOutcome out;
    const int32_t index = s.pressedButtonIndex;
    if (index < 0 || index > 10 || !doc.view.editFramePresent) {
        out.stop = true;
        return out;
    }
    // A release the toolbar never saw (capture lost, Alt+Tab) ends the run.
    if (!buttonStillDown) {
        toolRelease(doc, s, events);
        out.stop = true;
        return out;
    }
    History& h = doc.history;
    if (index == 0 || index == 1) {
        if ((index == 0 && h.undoIndex == 0) || (index == 1 && h.undoIndex == h.redoLimit)) {
            out.stop = true;
            return out;
        }
        if (index == 0)
            stepBack(doc, events);
        else
            stepForward(doc, events);
        out.repaintWaveform = true;
        return out;
    }
    ToolFlags flags;
    flags.automaticDialogShown = s.automaticDialogShown;
    flags.enlargeEnabled = !(shortening(doc) && doc.view.page == 5 && h.undoIndex == 0);
    const TickResult r = toolTick(doc, kTools[index - 2], s.run, flags);
    out.refused = r != TickResult::applied;
    out.repaintFrame = r != TickResult::refused;
    return out;
}

void toolRelease(Document& doc, EditSession& s, ViewEvents& events) {
    if (s.pressedButtonIndex > 1) endToolRun(doc, s.run, events);
    s.run = ToolRun{};
    s.pressedButtonIndex = -1;
}

bool slideTimerTick(Document& doc, EditSession& s, bool increase, bool buttonStillDown, ViewEvents& events) {
    // A timer outliving its press or its page moves nothing.
    if (doc.view.page != 5 || s.pressedButtonIndex != (increase ? 0 : 2)) return true;
    if (!buttonStillDown) {
        s.pressedButtonIndex = -1;
        s.slidePressed = false;
        endSlide(doc, events);
        return true;
    }
    slideTick(doc, increase, events);
    return false;
}

void enlargeCommand(Document& doc, EditSession& s, FileSystem& fs, const BandSplit& band, ViewEvents& events) {
    ViewState& v = doc.view;
    if (v.page == 5 && shortening(doc)) {
        if (doc.history.undoIndex == 0) return;  // nothing edited yet: nothing to repeat
        recordShorteningRestore(doc, RestoreKind::shorteningRepeat);
        confirmProper(doc, events, s.automaticDialogShown);
        returnFromDescent(doc, band, events);
        descendToLoudest(doc, events, s.automaticDialogShown);
        return;
    }
    enlarge(doc, fs, events);
}

void reduceCommand(Document& doc, EditSession& s, FileSystem& fs, const BandSplit& band, ViewEvents& events) {
    ViewState& v = doc.view;
    (void)fs;
    if (v.page == 5 && shortening(doc)) {
        recordShorteningRestore(doc, RestoreKind::shorteningEnd);
        confirmProper(doc, events, s.automaticDialogShown);
        s.shorteningLook = false;
        returnFromDescent(doc, band, events);
        // The return page's white waveform, kept for display window 1.
        v.shorteningStartPage = v.page;
        v.centreOnMax = false;
        keepWhiteWaveform(doc);
        v.shorteningStartPage = 0;
        events.repaintDisplay1 = true;
        return;
    }
    reduce(doc, events);
}

Message shorteningNotice(const EditSession& s) {
    if (s.shorteningNoticeOff) return {};
    return makeMessage(kShorteningNotice, kCaptionShorteningNotice, Buttons::yesNo);
}

bool shorteningAllowed(const Document& doc, const EditSession& s) {
    const ViewState& v = doc.view;
    return v.page >= 2 && v.page <= 4 && !v.editFramePresent && doc.bandEditing && s.bandIndex < 8;
}

void startManualShortening(Document& doc, EditSession& s, ViewEvents& events) {
    if (!shorteningAllowed(doc, s)) return;
    descendToLoudest(doc, events, s.automaticDialogShown);
    if (doc.view.page == 5) s.shorteningLook = true;
}

void confirmCommand(Document& doc, EditSession& s, ViewEvents& events) {
    if (!doc.view.editFramePresent) return;
    confirmEdit(doc, events, s.automaticDialogShown);
}

bool channelSwitchAllowed(const Document& doc) { return doc.stereo() && !shortening(doc); }

Message channelSwitchQuestion(const Document& doc) {
    return doc.history.undoIndex != 0 ? confirmNeededQuestion(true) : Message{};
}

Message closeQuestion(const Document& doc) {
    return doc.history.undoIndex != 0 ? confirmNeededQuestion(false) : Message{};
}
