#include "audio_file/mp3_import.h"

#include <cstdint>
#include <new>

#include "audio_file/converted_wave.h"
#include "audio_file/messages.h"
#include "audio_file/mp3_walk.h"

namespace {

Mp3Import failure(Mp3Import result, Message message) {
    result.messages.push_back(std::move(message));
    return result;
}

}  // namespace

Mp3Import importMp3(FileSystem& fs, const std::string& desktop, const std::string& mp3Path, const Mp3Source& mp3,
                    Mp3Codec& codec, Progress& progress) {
    Mp3Import result;
    const Message conversionFailed = makeMessage(kConversionFailed, mp3Path);
    if (desktop.empty()) result.messages.push_back(makeMessage(kDesktopPathFailed, ""));
    std::string wavePath = desktop.empty() ? std::string() : convertedWaveName(fs, desktop, mp3Path);
    if (wavePath.empty()) return failure(std::move(result), makeMessage(kConvertedNameFailed, mp3Path));

    auto in = fs.openRead(mp3Path, false);
    uint64_t size = 0;
    if (!in || !in->size(size)) return failure(std::move(result), makeMessage(kConvertOpenFailed, mp3Path));
    // The detection held every offset to the file; a file changed since then is refused.
    if (mp3.offset > size || mp3.length > size - mp3.offset || size > SIZE_MAX)
        return failure(std::move(result), conversionFailed);
    std::unique_ptr<uint8_t[]> whole(new (std::nothrow) uint8_t[size_t(size)]);
    if (!whole || !in->seek(0) || in->read(whole.get(), size_t(size)) != size)
        return failure(std::move(result), conversionFailed);
    in.reset();

    const uint8_t* source = whole.get() + mp3.offset;
    const Mp3Frames frames = countFrames(source, mp3.length, mp3);
    Mp3Format fitted = mp3.format;
    if (!fitRecordToAverage(fitted, frames.averageBitRate)) return failure(std::move(result), conversionFailed);
    SampleFormat pcm;
    uint32_t blockOutput = 0;
    std::unique_ptr<Mp3Decoder> decoder = codec.open(fitted, pcm, blockOutput);
    ConversionPlan plan;
    if (!decoder || !planConversion(fitted, pcm, frames.count, blockOutput, plan))
        return failure(std::move(result), conversionFailed);
    const Status s = convertToWave(fs, wavePath, mp3Path, source, mp3.length, plan, pcm, *decoder, progress);
    if (!s.ok()) return failure(std::move(result), s.message);

    result.converted = true;
    result.wavePath = wavePath;
    result.origin = {mp3Path, size, mp3.label, fitted};
    return result;
}
