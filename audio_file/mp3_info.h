#pragma once
// What the edit file's information box says about a file converted from MP3.
#include <cstdint>
#include <string>

#include "audio_file/mp3_detect.h"
#include "audio_file/wave_info.h"

struct Mp3Origin {
    std::string path;
    uint64_t size = 0;  // bytes of the MP3 file
    Mp3Label label = Mp3Label::none;
    Mp3Format format;  // as the decoder was opened: its average rate
};

// kbit/s of an average in bytes per second, multiplied before dividing so a
// VBR average is not cut to a multiple of 8.
uint32_t kbitPerSecond(uint32_t averageBytesPerSecond);

// The converted file's path and format, then the MP3's size, path, kind,
// channels, bit rate and rate.
std::string mp3InfoText(const std::string& wavePath, const SampleFormat& pcm, const Mp3Origin& mp3);
