#include "playback/output_format.h"

OutputFormat outputFormat(const WaveInfo& file) {
    OutputFormat f;
    f.formatTag = file.format.formatTag;
    f.channels = file.format.channels;
    f.samplesPerSecond = file.format.samplesPerSecond;
    f.blockAlign = uint16_t(file.frameBytes);
    f.averageBytesPerSecond = file.format.samplesPerSecond * file.frameBytes;
    f.bitsPerSample = file.format.bitsPerSample;
    if (file.format.bitsPerSample == 24) {  // devices may refuse 24 bits in the plain form
        f.formatTag = kWaveFormatExtensible;
        f.cbSize = 22;
        f.validBitsPerSample = 24;
        f.channelMask = 0;
        f.subFormat = kPcmSubFormat;
    }
    return f;
}
