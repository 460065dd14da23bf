#include "audio_file/mp3_info.h"

#include "audio_file/messages.h"
#include "common/text_format.h"

uint32_t kbitPerSecond(uint32_t averageBytesPerSecond) { return uint32_t(uint64_t(averageBytesPerSecond) * 8 / 1000); }

std::string mp3InfoText(const std::string& wavePath, const SampleFormat& pcm, const Mp3Origin& mp3) {
    const Mp3Format& f = mp3.format;
    return formatText(kMp3InfoText, wavePath.c_str(), unsigned(pcm.channels), unsigned(pcm.bitsPerSample),
                      unsigned(pcm.samplesPerSecond), static_cast<unsigned long long>(mp3.size), mp3.path.c_str(),
                      mp3.label == Mp3Label::riffWave ? kMp3KindRiff : kMp3KindPlain, unsigned(f.channels),
                      unsigned(kbitPerSecond(f.averageBytesPerSecond)), unsigned(f.samplesPerSecond));
}
