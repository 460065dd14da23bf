#include "playback/channel_mode.h"

ChannelTreatment channelTreatment(const Document& doc) {
    const PlaybackState& p = doc.playback;
    ChannelTreatment t;
    // One channel has no other to silence: it plays as both, halved at 50 %.
    if (p.channelMode == ChannelPlayMode::selected && doc.stereo()) {
        t.mask[doc.view.channel == 1 ? 0 : 1] = 0;
        return t;  // the selected channel always plays at 100 %
    }
    if (p.volumeHalf) t.shift = {1, 1};
    return t;
}
