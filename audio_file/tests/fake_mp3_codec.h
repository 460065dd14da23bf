#pragma once
// A stand-in for the platform's MP3 decoder: every call offered bytes takes
// them all and gives one frame of silence.
#include <algorithm>
#include <memory>

#include "audio_file/mp3_import.h"

struct SilenceDecoder final : Mp3Decoder {
    bool decode(const uint8_t*, uint32_t bytes, uint8_t* destination, uint32_t room, bool, bool, uint32_t& used,
                uint32_t& produced) override {
        used = bytes;
        produced = bytes ? std::min<uint32_t>(room, 4608) : 0;
        std::fill(destination, destination + produced, 0);
        return true;
    }
};

struct SilenceCodec final : Mp3Codec {
    bool refuses = false;
    uint16_t channels = 0;  // 0: the MP3's own; 3 makes a file the validation refuses
    uint32_t blockOutput = 9216;
    Mp3Format opened;
    std::unique_ptr<Mp3Decoder> open(const Mp3Format& mp3, SampleFormat& pcm, uint32_t& output) override {
        opened = mp3;
        if (refuses) return nullptr;
        const uint16_t c = channels ? channels : mp3.channels;
        pcm = {1, c, mp3.samplesPerSecond, mp3.samplesPerSecond * 2u * c, uint16_t(2 * c), 16};
        output = blockOutput;
        return std::make_unique<SilenceDecoder>();
    }
};
