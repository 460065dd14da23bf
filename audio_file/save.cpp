#include "audio_file/save.h"

#include <algorithm>
#include <cctype>

#include "audio_file/messages.h"
#include "common/text_format.h"

// Paths of the program's own dialogs, which compare letters without case.
bool samePath(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

namespace {

Status writeFailed(const std::string& target) {
    return refused(formatText(kSaveFailed, target.c_str()), kCaptionFileWrite);
}

bool isInUse(const std::vector<std::string>& inUse, const std::string& path) {
    return std::any_of(inUse.begin(), inUse.end(), [&](const std::string& u) { return samePath(u, path); });
}

// What a killed save left: its bytes are an unfinished copy nobody can use.
// One that cannot go (held open elsewhere) is left; if it is the temporary
// name itself, creating it fails next and the save reports that.
void removeLeftovers(FileSystem& fs, const std::string& target, const std::vector<std::string>& inUse) {
    for (const std::string& tail : fs.nameTails(target)) {
        if (!isTemporaryTail(tail)) continue;
        const std::string path = target + tail;
        if (!isInUse(inUse, path)) fs.remove(path);
    }
}

}  // namespace

std::string temporarySaveName(const std::string& target) { return target + std::string(kTemporarySuffix); }

bool isTemporaryTail(std::string_view tail) {
    if (tail == kTemporarySuffix) return true;
    constexpr std::string_view head = ".velkor", end = ".tmp";
    if (tail.size() <= head.size() + end.size() || tail.substr(0, head.size()) != head ||
        tail.substr(tail.size() - end.size()) != end)
        return false;
    // As "%u" wrote them: decimal, no leading zero, at most 10 digits.
    const std::string_view number = tail.substr(head.size(), tail.size() - head.size() - end.size());
    if (number.size() > 10 || (number.size() > 1 && number[0] == '0')) return false;
    return std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; });
}

Status saveImage(FileSystem& fs, const std::string& target, const uint8_t* bytes, uint32_t size, Progress& progress,
                 const std::vector<std::string>& inUse) {
    // The overwrite note and a disabled cancel button, as the user expects
    // from an overwrite, even though the temporary file would make it safe.
    progress.open(fs.exists(target) ? ProgressKind::fileWriteOverwrite : ProgressKind::fileWrite);
    removeLeftovers(fs, target, inUse);
    const std::string temporary = temporarySaveName(target);
    // A file the session reads under that name is no leftover: it must not be overwritten.
    const bool taken = isInUse(inUse, temporary);
    std::unique_ptr<OutputFile> out;
    if (!taken) out = fs.create(temporary);
    if (!out) {
        progress.close();
        if (!taken) fs.remove(temporary);  // in case the open failed after creating it
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
