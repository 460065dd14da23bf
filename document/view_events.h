#pragma once
// What a view operation asks of the windows: the core changes state and
// reports here; the shell repaints, retitles and shows or hides accordingly.
#include <optional>

#include "common/message.h"

struct PageButtons {
    bool enlarge = false;
    bool reduce = false;
    bool confirm = false;
    bool operator==(const PageButtons& o) const {
        return enlarge == o.enlarge && reduce == o.reduce && confirm == o.confirm;
    }
};

struct ViewEvents {
    bool repaintWaveform = false;
    bool repaintEditFrame = false;
    bool repaintDisplay1 = false;
    bool repaintDisplay2 = false;
    bool titlesChanged = false;         // page number, window title
    bool gainChanged = false;           // the "x%d" label
    int refreshOverviewChannel = -1;    // the overview columns of this channel are stale
    bool showOverview = false;          // back to the main window, edit window hidden
    bool hideAuxiliaryWindows = false;  // shortening button and spectrum windows
    bool editOpened = false;            // an edit began: tools on, page and gain buttons off
    bool historyChanged = false;        // counter and step buttons
    std::optional<PageButtons> buttons;
    Message message;  // shown by the shell when not empty
};
