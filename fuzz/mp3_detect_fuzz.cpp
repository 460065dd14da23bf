// Any bytes as a file named .mp3 and as one named otherwise: detection never
// reads outside the input, and what it takes for MP3 lies inside the file
// and counts and sizes without overflow.
#include <cstdint>
#include <cstdlib>

#include "audio_file/mp3_detect.h"
#include "audio_file/mp3_walk.h"
#include "audio_file/tests/memory_file_system.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryFileSystem fs;
    for (const char* name : {"C:\\m\\f.mp3", "C:\\m\\f.wav"}) {
        fs.files[name].assign(data, data + size);
        SilentProgress progress;
        Mp3Source mp3;
        if (detectMp3(fs, name, progress, mp3) != Mp3Detection::mp3) continue;
        check(mp3.label != Mp3Label::none && !labelText(mp3.label).empty());
        check(mp3.offset < size && mp3.length > 0 && mp3.length <= size - mp3.offset);
        check(mp3.format.channels == 1 || mp3.format.channels == 2);
        check(mp3.format.formatTag == kTagMpegLayer3);
        // The walk reads the frames from a copy of exactly the source.
        const std::vector<uint8_t> source(data + mp3.offset, data + mp3.offset + mp3.length);
        const Mp3Frames frames = countFrames(source.data(), source.size(), mp3);
        check(frames.count <= source.size());
        Mp3Format fitted = mp3.format;
        if (fitRecordToAverage(fitted, frames.averageBitRate)) check(fitted.blockSize > 0);
        const uint16_t pcmAlign = uint16_t(2 * mp3.format.channels);
        (void)checkConvertedSize(expectedPcmBytes(frames, pcmAlign, mp3.format.samplesPerSecond), pcmAlign);
    }
    return 0;
}
