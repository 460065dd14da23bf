#pragma once
#include "audio_file/mp3_import.h"

// The platform's MPEG Layer-3 decoder through the audio compression manager.
struct AcmMp3Codec final : Mp3Codec {
    std::unique_ptr<Mp3Decoder> open(const Mp3Format& mp3, SampleFormat& pcm, uint32_t& blockOutput) override;
};
