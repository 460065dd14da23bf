#include "audio_file/mp3_walk.h"

#include "audio_file/file_image.h"
#include "audio_file/messages.h"
#include "audio_file/mp3_header.h"
#include "audio_file/wave_writer.h"

Mp3Frames countFrames(const uint8_t* source, uint64_t length, const Mp3Source& mp3) {
    Mp3Frames result;
    MpegVersion version;
    const uint32_t rate = mp3.format.samplesPerSecond;
    if (!versionOfRate(rate, version) || length < 4) return result;
    const uint8_t* first = mp3.firstHeader.data();
    const unsigned rateBits = (first[2] >> 2) & 3u;
    uint64_t sum = 0;
    uint64_t position = 0;
    while (position < length - 4) {
        const uint8_t* b = source + position;
        const unsigned index = b[2] >> 4;
        const bool startsFrame = continuesStream(b, first) && index != 0 && index != 15 &&
                                 ((b[2] >> 2) & 3u) == rateBits && (b[2] & 1u) == 0 && (b[3] & 3u) != 2;
        if (startsFrame) {
            const uint32_t bitRate = layer3BitRate(version, index);
            const uint64_t next = position + frameLength(version, bitRate, rate, (b[2] & 2u) != 0);
            // The frame after it confirms it, unless this one runs to the end.
            if (next + 1 >= length || continuesStream(source + next, first)) {
                sum += bitRate;
                ++result.count;
                position = next;
                continue;
            }
        }
        ++position;
    }
    if (result.count) result.averageBitRate = uint32_t(sum / result.count);
    return result;
}

bool fitRecordToAverage(Mp3Format& format, uint32_t averageBitRate) {
    const uint32_t rate = format.samplesPerSecond;
    if (averageBitRate == 0 || rate == 0) return false;
    uint64_t block = uint64_t(averageBitRate) * 144000 / rate;
    if (rate < 32000) block /= 2;
    if (block == 0 || block > 0xFFFF) return false;
    format.blockSize = uint16_t(block);
    format.averageBytesPerSecond = averageBitRate * 1000 / 8;
    return true;
}

uint32_t pcmFrameBytes(uint16_t pcmBlockAlign, uint32_t sampleRate) {
    return uint32_t(pcmBlockAlign) * samplesPerFrame(sampleRate);
}

uint64_t expectedPcmBytes(const Mp3Frames& frames, uint16_t pcmBlockAlign, uint32_t sampleRate) {
    return frames.count * pcmFrameBytes(pcmBlockAlign, sampleRate);
}

Status checkConvertedSize(uint64_t expectedPcm, uint16_t pcmBlockAlign) {
    WaveInfo shape;  // the converted file without its samples: what the image needs beside them
    shape.bytesPerSample = 2;
    shape.frameBytes = pcmBlockAlign;
    const uint64_t budget = memoryBudget(shape) + kConvertedHeaderBytes + expectedPcm;
    if (budget > 0xFFFFFFFFull) return refused(kOutOfMemory, kCaptionError);
    return {};
}
