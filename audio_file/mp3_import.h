#pragma once
// The import of a file detection took for MP3: its converted WAVE file on
// the desktop, over the platform's codec.
#include <memory>
#include <string>
#include <vector>

#include "audio_file/mp3_convert.h"
#include "audio_file/mp3_detect.h"
#include "audio_file/mp3_info.h"
#include "common/file_system.h"
#include "common/message.h"
#include "common/progress.h"

struct Mp3Codec {
    virtual ~Mp3Codec() = default;
    // A stream from `mp3` to the PCM format the codec suggests (filled in);
    // blockOutput: the room it asks for the output of one block. Null when
    // no stream can be opened.
    virtual std::unique_ptr<Mp3Decoder> open(const Mp3Format& mp3, SampleFormat& pcm, uint32_t& blockOutput) = 0;
};

struct Mp3Import {
    bool converted = false;
    std::string wavePath;           // the converted file, when converted
    Mp3Origin origin;               // for the information box
    std::vector<Message> messages;  // to show in order on failure
};

// Names the converted file on `desktop` (empty: the desktop path could not
// be had), reads the MP3 whole, counts its frames, opens the codec with the
// record fitted to their average and converts. Every failure leaves nothing
// on the desktop.
Mp3Import importMp3(FileSystem& fs, const std::string& desktop, const std::string& mp3Path, const Mp3Source& mp3,
                    Mp3Codec& codec, Progress& progress);
