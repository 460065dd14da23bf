#include "audio_file/mp3_codec_win.h"

#include <windows.h>

#include <mmreg.h>
#include <mmsystem.h>
#include <msacm.h>

#include "common/unique_win.h"

namespace {

struct AcmStreamTraits {
    using Handle = HACMSTREAM;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { acmStreamClose(h, 0); }
};
using UniqueAcmStream = Unique<AcmStreamTraits>;

// A header prepared over one call's buffers, unprepared whatever happens.
class PreparedHeader {
public:
    PreparedHeader(HACMSTREAM stream, const uint8_t* source, uint32_t bytes, uint8_t* destination, uint32_t room)
        : stream_(stream) {
        header_.cbStruct = sizeof header_;
        // The decoder only reads the source.
        header_.pbSrc = const_cast<LPBYTE>(source);
        header_.cbSrcLength = bytes;
        header_.pbDst = destination;
        header_.cbDstLength = room;
        prepared_ = acmStreamPrepareHeader(stream_, &header_, 0) == MMSYSERR_NOERROR;
    }
    ~PreparedHeader() {
        if (prepared_) acmStreamUnprepareHeader(stream_, &header_, 0);
    }
    PreparedHeader(const PreparedHeader&) = delete;
    PreparedHeader& operator=(const PreparedHeader&) = delete;
    bool prepared() const { return prepared_; }
    ACMSTREAMHEADER& header() { return header_; }

private:
    HACMSTREAM stream_;
    ACMSTREAMHEADER header_{};
    bool prepared_ = false;
};

class AcmDecoder final : public Mp3Decoder {
public:
    explicit AcmDecoder(UniqueAcmStream stream) : stream_(std::move(stream)) {}

    bool decode(const uint8_t* source, uint32_t bytes, uint8_t* destination, uint32_t room, bool first, bool end,
                uint32_t& used, uint32_t& produced) override {
        used = produced = 0;
        PreparedHeader call(stream_.get(), source, bytes, destination, room);
        if (!call.prepared()) return false;
        DWORD flags = end ? ACM_STREAMCONVERTF_END : ACM_STREAMCONVERTF_BLOCKALIGN;
        if (first) flags |= ACM_STREAMCONVERTF_START;
        if (acmStreamConvert(stream_.get(), &call.header(), flags) != MMSYSERR_NOERROR) return false;
        used = call.header().cbSrcLengthUsed;
        produced = call.header().cbDstLengthUsed;
        return true;
    }

private:
    UniqueAcmStream stream_;
};

MPEGLAYER3WAVEFORMAT formatRecord(const Mp3Format& f) {
    MPEGLAYER3WAVEFORMAT r{};
    r.wfx.wFormatTag = f.formatTag;
    r.wfx.nChannels = f.channels;
    r.wfx.nSamplesPerSec = f.samplesPerSecond;
    r.wfx.nAvgBytesPerSec = f.averageBytesPerSecond;
    r.wfx.nBlockAlign = f.blockAlign;
    r.wfx.wBitsPerSample = f.bitsPerSample;
    r.wfx.cbSize = f.extraSize;
    r.wID = f.id;
    r.fdwFlags = f.flags;
    r.nBlockSize = f.blockSize;
    r.nFramesPerBlock = f.framesPerBlock;
    r.nCodecDelay = f.codecDelay;
    return r;
}

}  // namespace

std::unique_ptr<Mp3Decoder> AcmMp3Codec::open(const Mp3Format& mp3, SampleFormat& pcm, uint32_t& blockOutput) {
    MPEGLAYER3WAVEFORMAT source = formatRecord(mp3);
    WAVEFORMATEX suggested{};
    suggested.wFormatTag = WAVE_FORMAT_PCM;
    if (acmFormatSuggest(nullptr, &source.wfx, &suggested, sizeof suggested, ACM_FORMATSUGGESTF_WFORMATTAG) !=
        MMSYSERR_NOERROR)
        return nullptr;
    HACMSTREAM opened = nullptr;
    if (acmStreamOpen(&opened, nullptr, &source.wfx, &suggested, nullptr, 0, 0, ACM_STREAMOPENF_NONREALTIME) !=
        MMSYSERR_NOERROR)
        return nullptr;
    UniqueAcmStream stream(opened);
    DWORD output = 0;
    if (acmStreamSize(stream.get(), mp3.blockSize, &output, ACM_STREAMSIZEF_SOURCE) != MMSYSERR_NOERROR) return nullptr;
    pcm = {suggested.wFormatTag,      suggested.nChannels,   suggested.nSamplesPerSec,
           suggested.nAvgBytesPerSec, suggested.nBlockAlign, suggested.wBitsPerSample};
    blockOutput = output;
    return std::make_unique<AcmDecoder>(std::move(stream));
}
