// Detects an MP3 with the core and walks its frames, printing what it found.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "audio_file/mp3_detect.h"
#include "audio_file/mp3_walk.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mp3_check FILE\n");
        return 2;
    }
    SilentProgress progress;
    Mp3Source mp3;
    if (detectMp3(platformFileSystem(), argv[1], progress, mp3) != Mp3Detection::mp3) {
        std::printf("not mp3\n");
        return 1;
    }
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    const Mp3Frames frames = countFrames(bytes.data() + mp3.offset, mp3.length, mp3);
    std::printf("%s rate=%u channels=%u frames=%llu average=%u\n", std::string(labelText(mp3.label)).c_str(),
                unsigned(mp3.format.samplesPerSecond), unsigned(mp3.format.channels),
                static_cast<unsigned long long>(frames.count), unsigned(frames.averageBitRate));
    return 0;
}
