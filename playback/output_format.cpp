#include "playback/output_format.h"

OutputFormat outputFormat(const WaveInfo& file) {
    OutputFormat f;
    // The file's samples are plain PCM whichever tag its header carries; an
    // extensible header only says so at more length.
    f.formatTag = kWaveFormatPcm;
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
