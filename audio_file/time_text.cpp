#include "audio_file/time_text.h"

#include "audio_file/messages.h"
#include "common/text_format.h"

std::string timeText(uint64_t byteCount, uint32_t frameBytes, uint32_t samplesPerSecond) {
    // Truncating divisions in this order; 64 bits so no length overflows.
    const uint64_t hundreds = samplesPerSecond / 100u;
    if (frameBytes == 0 || hundreds == 0) return formatText(kTimeTextFormat, 0ull, 0ull, 0ull);
    const uint64_t ms = byteCount / frameBytes * 10u / hundreds;
    return formatText(kTimeTextFormat, static_cast<unsigned long long>(ms / 60000),
                      static_cast<unsigned long long>(ms / 1000 % 60), static_cast<unsigned long long>(ms % 1000));
}
