#pragma once
// The frames of an MP3 source counted once: their average bit rate sizes the
// decoder's blocks, their number the WAVE file the conversion writes.
#include <cstdint>

#include "audio_file/mp3_detect.h"
#include "common/message.h"

struct Mp3Frames {
    uint32_t averageBitRate = 0;  // kbit/s, integer; 0: no frame counted
    uint64_t count = 0;
};

// Walks the source (the frame data, tags left out) frame by frame against
// the first header; a byte that starts no frame of the stream is stepped
// over. A rate outside the nine of the standard counts nothing.
Mp3Frames countFrames(const uint8_t* source, uint64_t length, const Mp3Source& mp3);

// The record as the decoder is opened with it: the block size of an average
// frame (halved below 32 kHz) and the average rate in bytes per second.
// False when the average gives no usable block.
bool fitRecordToAverage(Mp3Format& format, uint32_t averageBitRate);

// Bytes of 16-bit PCM one MPEG frame decodes to, for a PCM block align.
uint32_t pcmFrameBytes(uint16_t pcmBlockAlign, uint32_t sampleRate);

// The 64-bit size of the decoded data; refused with the loader's "out of
// memory" when the WAVE file it makes could not be loaded (its RIFF sizes
// and image offsets are 32-bit).
uint64_t expectedPcmBytes(const Mp3Frames& frames, uint16_t pcmBlockAlign, uint32_t sampleRate);
Status checkConvertedSize(uint64_t expectedPcm, uint16_t pcmBlockAlign);
