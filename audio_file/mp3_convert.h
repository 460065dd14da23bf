#pragma once
// The conversion of MP3 frames into a new WAVE file, over a decoder the
// shell provides (the platform's codec) and tests fake.
#include <cstdint>
#include <string>

#include "audio_file/mp3_detect.h"
#include "audio_file/wave_info.h"
#include "common/file_system.h"
#include "common/message.h"
#include "common/progress.h"

struct Mp3Decoder {
    virtual ~Mp3Decoder() = default;
    // One call: `bytes` source bytes from the stream's position, room for
    // `room` bytes of PCM. first: the stream's first call; end: nothing
    // follows these bytes, so the decoder gives out what it holds. used: the
    // source bytes it took; produced: the PCM bytes it wrote. False on error.
    virtual bool decode(const uint8_t* source, uint32_t bytes, uint8_t* destination, uint32_t room, bool first,
                        bool end, uint32_t& used, uint32_t& produced) = 0;
};

struct ConversionPlan {
    uint32_t blockSize = 0;         // source bytes offered per call
    uint32_t destinationBytes = 0;  // room for one call's output
    uint64_t expectedBytes = 0;     // what the counted frames decode to
};

// Blocks of the fitted record's block size; a destination of at least 4608
// bytes, one decoded frame and what the decoder asks for a block
// (`decoderBlockOutput`). False when a block or a frame cannot be sized.
bool planConversion(const Mp3Format& fitted, const SampleFormat& pcm, uint64_t frames, uint32_t decoderBlockOutput,
                    ConversionPlan& plan);

// Decodes `length` source bytes into a WAVE file of the `pcm` format named
// `wavePath`. The file is written under a temporary name beside it and takes
// its name only after its last byte is flushed; a name taken meanwhile gets
// "_NEW" once more, and `wavePath` says which. A failure or cancel removes
// the temporary file and leaves nothing else. Refusals: the size the loader
// could not hold ("out of memory"), otherwise "the conversion failed" with
// `caption` (the MP3's name).
Status convertToWave(FileSystem& fs, std::string& wavePath, const std::string& caption, const uint8_t* source,
                     uint64_t length, const ConversionPlan& plan, const SampleFormat& pcm, Mp3Decoder& decoder,
                     Progress& progress);
