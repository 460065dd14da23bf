#include "audio_file/mp3_convert.h"

#include <algorithm>
#include <memory>
#include <new>

#include "audio_file/converted_wave.h"
#include "audio_file/messages.h"
#include "audio_file/mp3_walk.h"
#include "audio_file/save.h"
#include "audio_file/wave_writer.h"

namespace {

constexpr uint32_t kSmallestDestination = 4608;  // one frame of 44.1 kHz stereo
// Calls in a row that take no source but still produce: more than a
// decoder can hold back means it never stops.
constexpr int kMostIdleCalls = 16;

// The decoding loop over the source, writing every produced byte once.
class DecodeLoop {
public:
    DecodeLoop(const uint8_t* source, uint64_t length, const ConversionPlan& plan, Mp3Decoder& decoder, OutputFile& out,
               Progress& progress)
        : source_(source), length_(length), plan_(plan), decoder_(decoder), out_(out), progress_(progress) {}

    bool run() {
        destination_.reset(new (std::nothrow) uint8_t[plan_.destinationBytes]);
        if (!destination_ || plan_.blockSize == 0) return false;
        while (length_ - position_ >= plan_.blockSize)
            if (!call(plan_.blockSize, false) || !watch()) return false;
        // The rest, then the end until the decoder has nothing more: a
        // source ending on a block boundary still has its last frames held.
        for (;;) {
            const uint64_t before = position_;
            uint32_t produced = 0;
            if (!call(uint32_t(length_ - position_), true, &produced) || !watch()) return false;
            // Nothing taken and nothing given: what is left is no frame (a cut file).
            if (produced == 0 && (position_ == length_ || position_ == before)) return true;
        }
    }
    uint64_t written() const { return written_; }

private:
    bool call(uint32_t bytes, bool end, uint32_t* producedOut = nullptr) {
        uint32_t used = 0, produced = 0;
        if (!decoder_.decode(source_ + position_, bytes, destination_.get(), plan_.destinationBytes, first_, end, used,
                             produced))
            return false;
        first_ = false;
        // A decoder that reports more than it was given has written where it
        // must not: nothing it made can be trusted.
        if (used > bytes || produced > plan_.destinationBytes) return false;
        // Neither taking nor giving would repeat forever (at the end it
        // ends the loop); giving without taking ends once a decoder's held
        // frames must be out.
        if (used == 0 && produced == 0 && bytes > 0 && !end) return false;
        idleCalls_ = used == 0 ? idleCalls_ + 1 : 0;
        if (idleCalls_ > kMostIdleCalls) return false;
        if (written_ + produced > kMaxConvertedData) return false;
        if (produced && out_.write(destination_.get(), produced) != produced) return false;
        position_ += used;
        written_ += produced;
        if (producedOut) *producedOut = produced;
        return true;
    }

    bool watch() {
        const unsigned percent = unsigned(length_ ? position_ * 100 / length_ : 100);
        for (; shownPercent_ < percent; ++shownPercent_) progress_.step();
        if (progress_.takeCancel()) return false;
        progress_.pump();
        return true;
    }

    const uint8_t* source_;
    uint64_t length_;
    const ConversionPlan& plan_;
    Mp3Decoder& decoder_;
    OutputFile& out_;
    Progress& progress_;
    std::unique_ptr<uint8_t[]> destination_;
    uint64_t position_ = 0;
    uint64_t written_ = 0;
    unsigned shownPercent_ = 0;
    int idleCalls_ = 0;
    bool first_ = true;
};

bool writeHeader(OutputFile& out, const SampleFormat& pcm, uint32_t dataBytes) {
    const auto header = convertedWaveHeader(pcm, dataBytes);
    return out.seek(0) && out.write(header.data(), header.size()) == header.size();
}

}  // namespace

bool planConversion(const Mp3Format& fitted, const SampleFormat& pcm, uint64_t frames, uint32_t decoderBlockOutput,
                    ConversionPlan& plan) {
    const uint32_t frameBytes = pcmFrameBytes(pcm.blockAlign, fitted.samplesPerSecond);
    if (fitted.blockSize == 0 || frameBytes == 0) return false;
    plan.blockSize = fitted.blockSize;
    plan.destinationBytes = std::max({decoderBlockOutput, frameBytes, kSmallestDestination});
    plan.expectedBytes = frames * frameBytes;
    return true;
}

Status convertToWave(FileSystem& fs, std::string& wavePath, const std::string& caption, const uint8_t* source,
                     uint64_t length, const ConversionPlan& plan, const SampleFormat& pcm, Mp3Decoder& decoder,
                     Progress& progress) {
    const Status fits = checkConvertedSize(plan.expectedBytes, pcm.blockAlign);
    if (!fits.ok()) return fits;
    const Status failed = refused(kConversionFailed, caption);
    const std::string temporary = temporarySaveName(wavePath);
    std::unique_ptr<OutputFile> out = fs.create(temporary);
    if (!out) {
        fs.remove(temporary);  // in case the open failed after creating it
        return failed;
    }
    progress.open(ProgressKind::conversion);
    DecodeLoop loop(source, length, plan, decoder, *out, progress);
    const bool decoded = writeHeader(*out, pcm, 0) && loop.run();
    progress.close();
    const bool complete = decoded && writeHeader(*out, pcm, uint32_t(loop.written())) && out->flush();
    out.reset();
    std::string target = wavePath;
    if (!complete || (fs.exists(target) && !nextFreeName(fs, target)) || !fs.replace(temporary, target)) {
        fs.remove(temporary);
        return failed;
    }
    wavePath = target;
    return {};
}
