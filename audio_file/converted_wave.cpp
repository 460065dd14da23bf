#include "audio_file/converted_wave.h"

namespace {

constexpr const char* kNewMark = "_NEW";
constexpr const char* kWaveExtension = ".wav";

std::string mp3BaseName(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    const size_t start = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = path.find_last_of('.');
    const size_t end = dot != std::string::npos && dot >= start ? dot : path.size();
    return path.substr(start, end - start);
}

bool withinLimit(const std::string& path) { return utf16Units(path) <= kMaxPathUnits; }

// Adds "_NEW" before the extension until the name is free or too long.
bool freeFrom(FileSystem& fs, std::string& stem) {
    while (withinLimit(stem + kWaveExtension) && fs.exists(stem + kWaveExtension)) stem += kNewMark;
    return withinLimit(stem + kWaveExtension);
}

}  // namespace

size_t utf16Units(const std::string& utf8) {
    size_t units = 0;
    for (unsigned char c : utf8) {
        if ((c & 0xC0) != 0x80) ++units;  // a lead byte starts a code point
        if (c >= 0xF0) ++units;           // beyond the basic plane: a surrogate pair
    }
    return units;
}

std::string convertedWaveName(FileSystem& fs, const std::string& desktop, const std::string& mp3Path) {
    std::string stem = desktop;
    if (!stem.empty() && stem.back() != '\\' && stem.back() != '/') stem += '\\';
    stem += mp3BaseName(mp3Path) + kNewMark;
    return freeFrom(fs, stem) ? stem + kWaveExtension : std::string();
}

bool nextFreeName(FileSystem& fs, std::string& path) {
    const size_t extension = std::string(kWaveExtension).size();
    if (path.size() < extension) return false;
    std::string stem = path.substr(0, path.size() - extension) + kNewMark;
    if (!freeFrom(fs, stem)) return false;
    path = stem + kWaveExtension;
    return true;
}
