#include "audio_file/save.h"

#include <algorithm>

#include "audio_file/messages.h"
#include "common/text_format.h"

namespace {

Status writeFailed(const std::string& target) {
    return refused(formatText(kSaveFailed, target.c_str()), kCaptionFileWrite);
}

}  // namespace

std::string temporarySaveName(FileSystem& fs, const std::string& target) {
    for (unsigned n = 0;; ++n) {
        std::string name = formatText("%s.velkor%u.tmp", target.c_str(), n);
        if (!fs.exists(name)) return name;
    }
}

Status saveImage(FileSystem& fs, const std::string& target, const uint8_t* bytes, uint32_t size, Progress& progress) {
    // The overwrite note and a disabled cancel button, as the user expects
    // from an overwrite, even though the temporary file would make it safe.
    progress.open(fs.exists(target) ? ProgressKind::fileWriteOverwrite : ProgressKind::fileWrite);
    const std::string temporary = temporarySaveName(fs, target);
    auto out = fs.create(temporary);
    if (!out) {
        progress.close();
        fs.remove(temporary);  // in case the open failed after creating it
        return refused(kSaveOpenFailed, kCaptionFileWrite);
    }
    auto discard = [&] {
        out.reset();
        fs.remove(temporary);
        progress.close();
    };
    // A tiny image would make the step zero: write it in one go.
    const uint32_t step = size >= 100u ? size / 100u : size;
    uint32_t position = 0;
    while (position < size) {
        const uint32_t n = std::min(step, size - position);
        if (out->write(bytes + position, n) != n) {  // a full disk, a lost share: never a silent success
            discard();
            return writeFailed(target);
        }
        position += n;
        progress.step();
        if (progress.takeCancel() &&
            progress.ask(makeMessage(kSaveCancelQuestion, kCaptionConfirm, Buttons::yesNo)) == Answer::yes) {
            discard();
            Status s = writeFailed(target);
            s.outcome = Outcome::cancelled;
            return s;
        }
        progress.pump();
    }
    const bool flushed = out->flush();
    out.reset();
    if (!flushed || !fs.replace(temporary, target)) {
        fs.remove(temporary);
        progress.close();
        return writeFailed(target);
    }
    progress.close();
    return doneWith(makeMessage(formatText(kSaveDone, target.c_str()), kCaptionFileWrite));
}
