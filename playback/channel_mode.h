#pragma once
// What the channel mode does to each channel of a frame, on SampleValues:
// kept (masked with -1) or silenced (masked with 0), then shifted right by
// one at 50 %. The same for composed and streamed playback.
#include <array>

#include "document/document.h"

struct ChannelTreatment {
    std::array<SampleValue, 2> mask{-1, -1};
    std::array<int, 2> shift{0, 0};
    bool identity() const { return mask[0] == -1 && mask[1] == -1 && shift[0] == 0 && shift[1] == 0; }
};

ChannelTreatment channelTreatment(const Document& doc);
