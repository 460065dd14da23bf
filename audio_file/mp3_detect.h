#pragma once
// Whether a file is MP3 data (inside a RIFF WAVE file or as a plain stream
// with or without ID3 tags), where its frames lie, and the format record the
// decoder is opened with.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/file_system.h"
#include "common/progress.h"

enum class Mp3Label : unsigned char { none, riffWave, id3v2, id3v2v1, id3v1, plain };
// "(RIFF WAVE_mp3)" ... "(id3v_mp3)"; empty for none.
std::string_view labelText(Mp3Label label);

constexpr uint16_t kTagMpegLayer3 = 85;
constexpr uint16_t kMp3CodecDelay = 1393;

// The MPEG Layer-3 wave format record (30 bytes), field by field.
struct Mp3Format {
    uint16_t formatTag = kTagMpegLayer3;
    uint16_t channels = 0;
    uint32_t samplesPerSecond = 0;
    uint32_t averageBytesPerSecond = 0;
    uint16_t blockAlign = 1;
    uint16_t bitsPerSample = 0;
    uint16_t extraSize = 12;
    uint16_t id = 1;     // MPEG
    uint32_t flags = 0;  // 1 padding on, 2 padding off
    uint16_t blockSize = 0;
    uint16_t framesPerBlock = 1;
    uint16_t codecDelay = kMp3CodecDelay;
};
constexpr uint32_t kMp3FormatBytes = 30;

struct Mp3Source {
    Mp3Label label = Mp3Label::none;
    uint64_t offset = 0;  // of the frame data in the file
    uint64_t length = 0;  // of the frame data, tags left out
    Mp3Format format;
    std::array<uint8_t, 4> firstHeader{};  // the stream's frames are matched against it
};

enum class Mp3Detection : unsigned char { notMp3, mp3, cancelled };

// A RIFF WAVE file is an MP3 only with format tag 85; any other goes to WAVE
// validation and is never searched. Other files are searched for their first
// frame when the name ends in ".mp3". Every size is held to the file, and a
// frame counts only when the next frame's header follows it. A search through
// a long file shows `progress`, whose cancel answers cancelled.
Mp3Detection detectMp3(FileSystem& fs, const std::string& path, Progress& progress, Mp3Source& found);

bool hasMp3Extension(std::string_view path);
