#include "audio_file/change_check.h"

#include <algorithm>
#include <cstring>

#include "audio_file/messages.h"

namespace {

constexpr uint64_t kFramesPerColumnOfPage2 = 512;

}  // namespace

Status checkForChanges(FileSystem& fs, const std::string& editPath, const WaveInfo& edit, FileImage& image,
                       int32_t screenWidth, Progress& progress, uint64_t& position) {
    const uint32_t imageSize = image.imageSize;
    position = unknownChange(imageSize);
    const int32_t width = std::clamp(screenWidth, kScreenWidths.front(), kScreenWidths.back());
    const uint64_t pageBytes =
        std::min<uint64_t>(kFramesPerColumnOfPage2 * uint32_t(width) * edit.frameBytes, image.pageBufferBytes);
    if (!image.filePageBuffer || pageBytes == 0) return refused(kChangeCheckFailed, kCaptionReadError);
    // Repaired size fields differ from the file by design: they are not a change.
    const uint32_t start = edit.headerRepaired ? std::min(edit.dataOffset, imageSize) : 0;
    const uint64_t total = imageSize - start;

    progress.open(ProgressKind::verify);
    auto file = fs.openRead(editPath, false);
    if (!file || !file->seek(start)) {
        progress.close();
        return refused(kChangeCheckFailed, kCaptionReadError);
    }
    uint8_t* buffer = image.filePageBuffer.get();
    const uint8_t* held = image.bytes();
    uint64_t at = start;
    uint64_t done = 0;
    int percent = 0;
    // The bar moves by whole percents: a long file has hundreds of pages.
    while (done < total) {
        const size_t n = size_t(std::min(pageBytes, total - done));
        if (file->read(buffer, n) != n) {  // the file no longer holds the image's length
            file.reset();
            progress.close();
            return refused(kChangeCheckFailed, kCaptionReadError);
        }
        if (std::memcmp(held + at, buffer, n) != 0) {
            const size_t first = size_t(std::mismatch(buffer, buffer + n, held + at).first - buffer);
            file.reset();
            progress.close();
            position = at + first;
            return {};
        }
        at += n;
        done += n;
        for (const int reached = int(done * 100 / total); percent < reached; ++percent) progress.step();
        if (progress.takeCancel()) {
            file.reset();
            progress.close();
            return cancelled();
        }
        progress.pump();
    }
    file.reset();
    progress.close();
    position = noChange(imageSize);
    return {};
}
