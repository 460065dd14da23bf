#include "audio_file/wave_reader.h"

#include <cstring>
#include <string_view>

#include "audio_file/chunk_reader.h"
#include "audio_file/messages.h"
#include "audio_file/riff_walk.h"

namespace {

constexpr uint64_t kMaxRiffFile = 0xFFFFFFFFull;

Status stepFailure(std::string_view text, std::string_view caption) {
    return refused(foregroundMessage(text, caption));
}

// A walk the user stopped refuses the file as a cancel, whatever step it was in.
Status walkFailure(const ChunkReader& walk, std::string_view text, std::string_view caption) {
    if (walk.cancelled()) return {Outcome::cancelled, foregroundMessage(kCheckCancelled, kCaptionChunk)};
    return stepFailure(text, caption);
}

std::string signedText(int64_t v) { return std::to_string(v); }

constexpr uint16_t kTagPcm = 1;
constexpr uint16_t kTagExtensible = 0xFFFE;
constexpr uint32_t kExtensibleFmtBytes = 40;
constexpr uint16_t kExtensionBytes = 22;
// 00000001-0000-0010-8000-00aa00389b71 as stored: the first three fields little-endian.
constexpr uint8_t kPcmSubFormat[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                       0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

// What tools write for 24 bits or a channel mask: the same PCM samples behind
// the extensible tag. Only the shapes tag 1 could have said are taken;
// `extension` is the 24 bytes after the 16-byte record, or null when short.
bool plainPcmInExtensible(const SampleFormat& format, const uint8_t* extension) {
    if (!extension || readLe16(extension) < kExtensionBytes) return false;
    const uint16_t validBits = readLe16(extension + 2);
    const bool samplesPlain = format.bitsPerSample == 8 || format.bitsPerSample == 16 || format.bitsPerSample == 24;
    return samplesPlain && validBits == format.bitsPerSample && (format.channels == 1 || format.channels == 2) &&
           std::memcmp(extension + 8, kPcmSubFormat, sizeof kPcmSubFormat) == 0;
}

}  // namespace

std::string repairReportText(uint32_t riffSize, uint32_t imageEnd, uint32_t dataSize, uint32_t usable,
                             uint32_t fileSize) {
    // Sizes are unsigned 32-bit; the differences keep their sign.
    const std::string values[9] = {
        std::to_string(riffSize), std::to_string(imageEnd - 8u), signedText(int64_t(imageEnd) - 8 - riffSize),
        std::to_string(dataSize), std::to_string(usable),        signedText(int64_t(usable) - dataSize),
        std::to_string(fileSize), std::to_string(imageEnd),      signedText(int64_t(imageEnd) - fileSize),
    };
    std::string out;
    const std::string_view t = kRepairReport;
    size_t next = 0;
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '%' && i + 1 < t.size() && t[i + 1] == 'd' && next < 9) {
            out += values[next++];
            ++i;
        } else {
            out += t[i];
        }
    }
    return out;
}

Status validateWave(FileSystem& fs, const std::string& path, FileRole role, WaveInfo& info) {
    SilentProgress nobodyWatches;
    return validateWave(fs, path, role, info, nobodyWatches);
}

Status validateWave(FileSystem& fs, const std::string& path, FileRole role, WaveInfo& info, Progress& progress) {
    const std::string_view notProcessable = role == FileRole::edit ? kNotProcessable : kNotProcessableBackup;

    uint64_t fileSize = 0;
    {
        auto probe = fs.openRead(path, false);
        if (!probe || !probe->size(fileSize)) return refused(kSizeFailed, kCaptionFileOpen);
    }
    auto file = fs.openRead(path, false);
    if (!file) return stepFailure(kOpenFailed, kCaptionChunk);
    // No RIFF file can be larger; 32-bit offsets stay exact from here on.
    if (fileSize > kMaxRiffFile) return stepFailure(notProcessable, kCaptionRiff);

    ChunkReader walk(*file, fileSize, progress);
    uint32_t riffSize = 0;
    uint64_t formEnd = 0;
    if (!findWaveForm(walk, fileSize, riffSize, formEnd)) return walkFailure(walk, notProcessable, kCaptionRiff);

    RiffChunk fmt;
    if (!findChunk(walk, fileSize, formEnd, "fmt ", fmt)) return walkFailure(walk, kDamaged, kCaptionFmt);
    const uint8_t* raw = fmt.size < 16 || fmt.payload + 16 > fileSize ? nullptr : walk.at(fmt.payload, 16);
    if (!raw) return walkFailure(walk, kDamaged, kCaptionFmt);
    SampleFormat format;
    format.formatTag = readLe16(raw);
    format.channels = readLe16(raw + 2);
    format.samplesPerSecond = readLe32(raw + 4);
    format.averageBytesPerSecond = readLe32(raw + 8);
    format.blockAlign = readLe16(raw + 12);
    format.bitsPerSample = readLe16(raw + 14);
    uint8_t extension[kExtensibleFmtBytes - 16];
    bool hasExtension = false;
    if (format.formatTag == kTagExtensible && fmt.size >= kExtensibleFmtBytes &&
        fmt.payload + kExtensibleFmtBytes <= fileSize) {
        const uint8_t* whole = walk.at(fmt.payload, kExtensibleFmtBytes);
        if (!whole) return walkFailure(walk, kDamaged, kCaptionFmt);
        std::memcpy(extension, whole + 16, sizeof extension);
        hasExtension = true;
    }

    RiffChunk data;
    const uint64_t afterFmt = fmt.payload + fmt.size + (fmt.size & 1u);
    if (!findChunk(walk, fileSize, afterFmt, "data", data)) return walkFailure(walk, kDamaged, kCaptionData);

    const bool pcm = format.formatTag == kTagPcm || (format.formatTag == kTagExtensible &&
                                                     plainPcmInExtensible(format, hasExtension ? extension : nullptr));
    if (!pcm) return stepFailure(kNotPcm, kCaptionFmt);
    const bool channelsOk = format.channels == 1 || format.channels == 2;
    const bool bitsOk = format.bitsPerSample == 8 || format.bitsPerSample == 16 || format.bitsPerSample == 24;
    const uint32_t bytesPerSample = format.bitsPerSample / 8u;
    const uint32_t frameBytes = bytesPerSample * format.channels;
    // Block align steps every frame of the program and the time text divides
    // by the rate in hundreds: both must be usable.
    const bool alignOk = format.blockAlign == frameBytes;
    const bool rateOk = format.samplesPerSecond >= 100;
    if (!channelsOk || !bitsOk || !alignOk || !rateOk) return stepFailure(kUnsupported, kCaptionFmt);

    if (data.payload > fileSize) return stepFailure(kDamaged, kCaptionData);
    const uint64_t declaredEnd = data.payload + data.size;
    uint64_t usable = declaredEnd > fileSize ? fileSize - data.payload : data.size;
    usable = usable / frameBytes * frameBytes;
    if (usable == 0) return stepFailure(kDamaged, kCaptionData);  // nothing to show or edit
    const uint64_t imageEnd = data.payload + usable;

    const bool sound = declaredEnd <= fileSize && data.size == usable && imageEnd - 8 <= riffSize &&
                       uint64_t(riffSize) + 8 <= fileSize;

    WaveInfo result;
    result.format = format;
    result.dataOffset = uint32_t(data.payload);
    result.dataEnd = uint32_t(imageEnd);
    result.imageSize = uint32_t(sound ? fileSize : imageEnd);
    result.bytesPerSample = bytesPerSample;
    result.frameBytes = frameBytes;
    result.headerRepaired = role == FileRole::edit && !sound;
    info = result;

    if (result.headerRepaired) {
        Message report = makeMessage(
            repairReportText(riffSize, uint32_t(imageEnd), data.size, uint32_t(usable), uint32_t(fileSize)), path);
        return doneWith(std::move(report));
    }
    return {};
}
