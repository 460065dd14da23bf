#include "ui/view_look.h"

#include <cstdio>
#include <cstring>

#include "view/display_windows.h"

namespace {

void enable(ViewLook& look, int command, bool on) { look.enabled[size_t(command - kFirstLookCommand)] = on; }

bool shortening(const Document& doc) { return doc.view.shorteningStartPage != 0; }

// Buttons that take part in the page-button update (frozen with it).
constexpr int kPageButtonGroup[] = {kCmdEnlarge,
                                    kCmdReduce,
                                    kCmdConfirm,
                                    kCmdPlayFromFrame,
                                    kCmdPlayFromFrameHalf,
                                    kCmdPlayFromFrameFull,
                                    kCmdEditBand,
                                    kCmdShortening,
                                    kCmdGainDown,
                                    kCmdGainUp,
                                    kCmdLeft,
                                    kCmdHome,
                                    kCmdRight};

bool inPageButtonGroup(int command) {
    for (int c : kPageButtonGroup)
        if (c == command) return true;
    return false;
}

struct ChangeList {
    LookChanges& out;
    void add(LookItem item, int32_t id, int32_t value) {
        if (out.count < out.list.size()) out.list[out.count++] = {item, id, value};
    }
};

bool sameLabel(const LookLabel& a, const LookLabel& b) { return std::strcmp(a.text, b.text) == 0; }

}  // namespace

PageButtons pageButtonsOf(const Document& doc) {
    const ViewState& v = doc.view;
    const bool frame = v.editFramePresent;
    if (v.page == 5 && shortening(doc)) return {doc.history.undoIndex != 0, true, false};
    return {v.page >= 1 && v.page <= 4 && !frame, v.page >= 1 && v.page <= 5 && !frame, frame};
}

int bandNumber(int32_t bandIndex) { return bandIndex < 8 ? 8 - bandIndex : 16 - bandIndex; }

ViewLook viewLook(const Document& doc, const EditSession& s, const LookMoment& moment) {
    ViewLook look;
    const ViewState& v = doc.view;
    const History& h = doc.history;
    const bool frame = v.editFramePresent;
    const bool highBand = s.bandIndex < 8;

    // Tools follow the open edit; the step buttons also follow the history.
    for (int c = kCmdStepBack; c <= kCmdLowPass; ++c) enable(look, c, frame);
    enable(look, kCmdStepBack, frame && h.undoIndex > 0);
    enable(look, kCmdStepForward, frame && h.undoIndex < h.redoLimit);
    enable(look, kCmdInsertSource, frame && !doc.bandEditing);
    enable(look, kCmdOtherEdits, frame);

    const PageButtons pb = pageButtonsOf(doc);
    enable(look, kCmdEnlarge, pb.enlarge);
    enable(look, kCmdReduce, pb.reduce);
    enable(look, kCmdConfirm, pb.confirm);
    for (int c : {kCmdPlayPage, kCmdPlayPageHalf, kCmdPlayPageFull, kCmdSettings, kCmdHelp}) enable(look, c, true);
    // With no frame on page 5 there is nothing to play from or to silence.
    for (int c : {kCmdPlayFromFrame, kCmdPlayFromFrameHalf, kCmdPlayFromFrameFull})
        enable(look, c, frame || v.page != 5);
    enable(look, kCmdEditBand, v.page != 1 && !frame);
    enable(look, kCmdShortening, v.page >= 2 && v.page <= 4 && !frame && doc.bandEditing && highBand);
    for (int c : {kCmdGainDown, kCmdGainUp, kCmdLeft, kCmdHome, kCmdRight}) enable(look, c, !frame);
    enable(look, kCmdRestore, h.restoreArmed);

    look.enlargeImage = s.shorteningLook ? 2 : 0;
    look.reduceImage = s.shorteningLook ? 3 : 1;
    look.yellowPageBand = s.shorteningLook;
    look.bandImage = int8_t(doc.bandEditing ? (highBand ? 3 : 4) : (highBand ? 0 : 2));
    look.shorteningImage = doc.shorteningAutoSteps != 0 ? 5 : 1;
    look.toolBandsShown = v.page != 1;

    std::snprintf(look.page.text, sizeof look.page.text, "%d/5", int(v.page));
    std::snprintf(look.counter.text, sizeof look.counter.text, "%d/%d", int(h.undoIndex), int(h.redoLimit));
    std::snprintf(look.gain.text, sizeof look.gain.text, "x%d", 1 << (v.gainShift & 31));
    std::snprintf(look.band.text, sizeof look.band.text, "f%d", bandNumber(s.bandIndex));

    look.shorteningActive = shortening(doc);
    look.attenuateRepeating = moment.attenuateRepeating;
    look.shorteningButtonCell =
        int8_t(shorteningButtonCell(look.shorteningActive, pb.enlarge, frame, moment.attenuateRepeating));
    look.bandRadioItem = kCmdBandFirst + s.bandIndex;
    look.channelSwitchEnabled = doc.stereo() && !shortening(doc);

    const bool dialog = s.automaticDialogShown;
    look.keep.counters = dialog || moment.descentRepeating;
    look.keep.gain = dialog;
    look.keep.band = dialog || moment.descentRepeating;
    look.keep.pageButtons = dialog || moment.descentRepeating;
    if (frame && s.pressedButtonIndex >= 0 && s.pressedButtonIndex <= 10)
        look.keep.heldCommand = kCmdStepBack + s.pressedButtonIndex;
    return look;
}

std::string_view labelText(const ViewLook& look, int control) {
    switch (control) {
        case kCtlPageLabel: return look.page.text;
        case kCtlCounterLabel: return look.counter.text;
        case kCtlGainLabel: return look.gain.text;
        case kCtlBandLabel: return look.band.text;
    }
    return {};
}

size_t updateLook(ViewLook& shown, const ViewLook& wanted, LookChanges& changes, bool everything) {
    changes.count = 0;
    ChangeList out{changes};
    const LookKeep keep = everything ? LookKeep{} : wanted.keep;

    for (int c : kLookButtons) {
        const size_t i = size_t(c - kFirstLookCommand);
        if (c == keep.heldCommand || (keep.pageButtons && inPageButtonGroup(c))) continue;
        if (everything || shown.enabled[i] != wanted.enabled[i]) {
            shown.enabled[i] = wanted.enabled[i];
            out.add(LookItem::buttonEnabled, c, wanted.enabled[i]);
        }
    }
    if (!keep.pageButtons && (everything || shown.toolBandsShown != wanted.toolBandsShown)) {
        shown.toolBandsShown = wanted.toolBandsShown;
        out.add(LookItem::toolBands, 0, wanted.toolBandsShown);
    }

    auto image = [&](int command, int8_t& have, int8_t want) {
        if (!everything && have == want) return;
        have = want;
        out.add(LookItem::buttonImage, command, want);
    };
    image(kCmdEnlarge, shown.enlargeImage, wanted.enlargeImage);
    image(kCmdReduce, shown.reduceImage, wanted.reduceImage);
    if (!keep.band) image(kCmdEditBand, shown.bandImage, wanted.bandImage);
    image(kCmdShortening, shown.shorteningImage, wanted.shorteningImage);
    if (everything || shown.yellowPageBand != wanted.yellowPageBand) {
        shown.yellowPageBand = wanted.yellowPageBand;
        out.add(LookItem::pageBandColour, 0, wanted.yellowPageBand);
    }

    auto label = [&](int control, LookLabel& have, const LookLabel& want, bool kept) {
        if (kept || (!everything && sameLabel(have, want))) return;
        have = want;
        out.add(LookItem::label, control, 0);
    };
    label(kCtlPageLabel, shown.page, wanted.page, keep.counters);
    label(kCtlCounterLabel, shown.counter, wanted.counter, keep.counters);
    label(kCtlGainLabel, shown.gain, wanted.gain, keep.gain);
    label(kCtlBandLabel, shown.band, wanted.band, keep.band);

    // The shortening button pictures the states actually on the bar.
    shown.shorteningActive = wanted.shorteningActive;
    shown.attenuateRepeating = wanted.attenuateRepeating;
    const int8_t cell = int8_t(shorteningButtonCell(shown.shorteningActive, buttonEnabled(shown, kCmdEnlarge),
                                                    buttonEnabled(shown, kCmdAttenuate), shown.attenuateRepeating));
    if (everything || shown.shorteningButtonCell != cell) {
        shown.shorteningButtonCell = cell;
        out.add(LookItem::shorteningButton, kCtlShorteningButton, cell);
    }

    shown.bandRadioItem = wanted.bandRadioItem;
    shown.channelSwitchEnabled = wanted.channelSwitchEnabled;
    shown.keep = wanted.keep;
    return changes.count;
}
