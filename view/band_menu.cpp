#include "view/band_menu.h"

#include "common/text_format.h"

uint64_t bandCutoffHundredths(uint32_t rate, int i) {
    // rate / (40 x 2^i) hundredths; adding half the divisor rounds the tie up.
    const uint64_t divisor = 40ull << i;
    return (2ull * rate + divisor) / (2 * divisor);
}

std::array<std::string, 2 * kBandCount> bandMenuCaptions(uint32_t rate) {
    std::array<std::string, 2 * kBandCount> captions;
    for (int i = 0; i < kBandCount; ++i) {
        const uint64_t h = bandCutoffHundredths(rate, i);
        const unsigned long long whole = h / 100, part = h % 100;
        captions[size_t(i)] = formatText("高域 f%d  %llu.%02lluKHz", kBandCount - i, whole, part);
        captions[size_t(kBandCount + i)] = formatText("低域 f%d  %llu.%02lluKHz", kBandCount - i, whole, part);
    }
    return captions;
}
