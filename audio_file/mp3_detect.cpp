#include "audio_file/mp3_detect.h"

#include <algorithm>
#include <cstring>

#include "audio_file/chunk_reader.h"
#include "audio_file/mp3_header.h"
#include "audio_file/riff_walk.h"

namespace {

constexpr uint64_t kSmallestPlainMp3 = 1440;
constexpr uint64_t kFirstFrameRead = 1440;
constexpr uint64_t kId3v1Bytes = 128;
constexpr uint64_t kId3v2HeaderBytes = 10;

struct Found {
    uint64_t at = 0;
    FrameHeader header;
    std::array<uint8_t, 4> bytes{};
};

// A header at `at` counts only when the frame after it begins with a header
// of the same stream, or when the frame ends exactly at `end` or at the end of
// the file: a lone 0xFF in sample data or junk is no MP3.
bool confirmedHeader(ChunkReader& walk, uint64_t fileSize, uint64_t at, uint64_t end, Found& found) {
    if (at + 4 > end) return false;
    const uint8_t* b = walk.at(at, 4);
    if (!b || !parseFrameHeader(b, found.header)) return false;
    std::memcpy(found.bytes.data(), b, 4);
    found.at = at;
    const uint64_t next = at + found.header.length;
    if (next == end || next == fileSize) return true;
    if (next + 4 > end) return false;
    const uint8_t* n = walk.at(next, 4);
    FrameHeader following;
    return n && continuesStream(n, found.bytes.data()) && parseFrameHeader(n, following) &&
           following.sampleRate == found.header.sampleRate;
}

enum class Start : unsigned char { none, id3, frame };

// The first offset from `from` where an ID3v2 tag (when `id3` is allowed) or a
// confirmed frame header begins.
Start findStart(ChunkReader& walk, uint64_t fileSize, uint64_t from, uint64_t end, bool id3, Found& found) {
    for (uint64_t at = from; at + 4 <= end; ++at) {
        const uint8_t* b = walk.at(at, 4);
        if (!b) return Start::none;
        if (id3 && std::memcmp(b, "ID3", 3) == 0) {
            found.at = at;
            return Start::id3;
        }
        if (b[0] == 0xFF && confirmedHeader(walk, fileSize, at, end, found)) return Start::frame;
    }
    return Start::none;
}

Mp3Format recordFromHeader(const FrameHeader& h) {
    Mp3Format f;
    f.channels = h.channels;
    f.samplesPerSecond = h.sampleRate;
    f.averageBytesPerSecond = h.bitRate * 1000 / 8;
    f.flags = h.padding ? 1 : 2;
    f.blockSize = uint16_t(h.length);
    return f;
}

Mp3Format recordFromBytes(const uint8_t* p) {
    Mp3Format f;
    f.formatTag = readLe16(p);
    f.channels = readLe16(p + 2);
    f.samplesPerSecond = readLe32(p + 4);
    f.averageBytesPerSecond = readLe32(p + 8);
    f.blockAlign = readLe16(p + 12);
    f.bitsPerSample = readLe16(p + 14);
    f.extraSize = readLe16(p + 16);
    f.id = readLe16(p + 18);
    f.flags = readLe32(p + 20);
    f.blockSize = readLe16(p + 24);
    f.framesPerBlock = readLe16(p + 26);
    f.codecDelay = readLe16(p + 28);
    return f;
}

Mp3Detection notFound(const ChunkReader& walk) {
    return walk.cancelled() ? Mp3Detection::cancelled : Mp3Detection::notMp3;
}

// MP3 frames in the "data" chunk of a RIFF WAVE file with format tag 85.
Mp3Detection detectInRiff(ChunkReader& walk, uint64_t fileSize, uint64_t formEnd, Mp3Source& found) {
    RiffChunk fmt;
    if (!findChunk(walk, fileSize, formEnd, "fmt ", fmt) || fmt.size < 2 || fmt.payload + 2 > fileSize)
        return notFound(walk);
    const uint8_t* tag = walk.at(fmt.payload, 2);
    if (!tag || readLe16(tag) != kTagMpegLayer3) return notFound(walk);
    Mp3Format stored;
    const bool wholeRecord = fmt.size >= kMp3FormatBytes && fmt.payload + kMp3FormatBytes <= fileSize;
    if (wholeRecord) {
        const uint8_t* raw = walk.at(fmt.payload, kMp3FormatBytes);
        if (!raw) return notFound(walk);
        stored = recordFromBytes(raw);
    }
    RiffChunk data;
    if (!findChunk(walk, fileSize, fmt.payload + fmt.size + (fmt.size & 1u), "data", data) || data.payload >= fileSize)
        return notFound(walk);
    const uint64_t length = std::min<uint64_t>(data.size, fileSize - data.payload);
    Found first;
    if (findStart(walk, fileSize, data.payload, data.payload + length, false, first) != Start::frame)
        return notFound(walk);
    // A record that names another rate or channel count than the frames
    // decodes them wrongly: the frames win.
    const Mp3Format fromFrames = recordFromHeader(first.header);
    const bool agrees =
        wholeRecord && stored.samplesPerSecond == fromFrames.samplesPerSecond && stored.channels == fromFrames.channels;
    found.label = Mp3Label::riffWave;
    found.offset = data.payload;
    found.length = length;
    found.format = agrees ? stored : fromFrames;
    found.firstHeader = first.bytes;
    return Mp3Detection::mp3;
}

uint64_t id3v2Length(const uint8_t* b) {
    uint64_t length = (uint64_t(b[6]) << 21) + (uint64_t(b[7]) << 14) + (uint64_t(b[8]) << 7) + b[9];
    length += kId3v2HeaderBytes;
    const bool footer = b[3] == 4 && (b[5] & 0x10) != 0;
    return footer ? length + kId3v2HeaderBytes : length;
}

bool containsTagName(const uint8_t* frame, uint64_t bytes) {
    for (uint64_t p = 0; p + 4 < bytes; ++p)
        if (std::memcmp(frame + p, "Xing", 4) == 0 || std::memcmp(frame + p, "Info", 4) == 0) return true;
    return false;
}

// A plain stream: optional ID3v2 tag, frames, optional ID3v1 tag.
Mp3Detection detectPlain(ChunkReader& walk, uint64_t fileSize, bool mp3Name, Mp3Source& found) {
    if (fileSize < kSmallestPlainMp3) return Mp3Detection::notMp3;
    const uint64_t v1At = fileSize - kId3v1Bytes;
    const uint8_t* tail = walk.at(v1At, 3);
    if (!tail) return notFound(walk);
    const bool v1 = std::memcmp(tail, "TAG", 3) == 0;

    Found first;
    uint64_t offset = 0;
    if (mp3Name) {
        const Start start = findStart(walk, fileSize, 0, fileSize, true, first);
        if (start == Start::none) return notFound(walk);
        offset = first.at;
    }
    const uint8_t* head = offset + kId3v2HeaderBytes <= fileSize ? walk.at(offset, kId3v2HeaderBytes) : nullptr;
    if (!head) return notFound(walk);
    const bool v2 = std::memcmp(head, "ID3", 3) == 0;
    if (v2) {
        offset += id3v2Length(head);  // past the end: no frame is found there
    }
    // An ID3v1 tag counts only where it cannot overlap the ID3v2 tag.
    const bool v1Used = v1 && v1At >= offset;
    const uint64_t end = v1Used ? v1At : fileSize;
    if (v2 || mp3Name) {
        if (findStart(walk, fileSize, offset, end, false, first) != Start::frame) return notFound(walk);
    } else if (!confirmedHeader(walk, fileSize, offset, end, first)) {
        return notFound(walk);
    }
    offset = first.at;
    uint64_t length = end - offset;

    const uint64_t readable = std::min<uint64_t>(kFirstFrameRead, fileSize - offset);
    const uint8_t* frame = walk.at(offset, size_t(readable));
    if (!frame) return notFound(walk);
    if (containsTagName(frame, std::min<uint64_t>(first.header.length, readable))) {
        if (first.header.length >= length) return Mp3Detection::notMp3;  // nothing after the tag frame
        offset += first.header.length;
        length -= first.header.length;
    }
    found.label = v2 ? (v1Used ? Mp3Label::id3v2v1 : Mp3Label::id3v2) : (v1Used ? Mp3Label::id3v1 : Mp3Label::plain);
    found.offset = offset;
    found.length = length;
    found.format = recordFromHeader(first.header);
    found.firstHeader = first.bytes;
    return Mp3Detection::mp3;
}

}  // namespace

std::string_view labelText(Mp3Label label) {
    switch (label) {
        case Mp3Label::riffWave: return "(RIFF WAVE_mp3)";
        case Mp3Label::id3v2: return "(id3v2_mp3)";
        case Mp3Label::id3v2v1: return "(id3v2v1_mp3)";
        case Mp3Label::id3v1: return "(id3v1_mp3)";
        case Mp3Label::plain: return "(id3v_mp3)";
        case Mp3Label::none: break;
    }
    return {};
}

bool hasMp3Extension(std::string_view path) {
    if (path.size() < 4) return false;
    const std::string_view ext = path.substr(path.size() - 4);
    return ext[0] == '.' && (ext[1] | 0x20) == 'm' && (ext[2] | 0x20) == 'p' && ext[3] == '3';
}

Mp3Detection detectMp3(FileSystem& fs, const std::string& path, Progress& progress, Mp3Source& found) {
    uint64_t fileSize = 0;
    auto file = fs.openRead(path, false);
    if (!file || !file->size(fileSize)) return Mp3Detection::notMp3;
    ChunkReader walk(*file, fileSize, progress);
    Mp3Source result;
    uint32_t riffSize = 0;
    uint64_t formEnd = 0;
    const Mp3Detection d = findWaveForm(walk, fileSize, riffSize, formEnd)
                               ? detectInRiff(walk, fileSize, formEnd, result)
                           : walk.cancelled() ? Mp3Detection::cancelled
                                              : detectPlain(walk, fileSize, hasMp3Extension(path), result);
    if (d == Mp3Detection::mp3) found = result;
    return d;
}
