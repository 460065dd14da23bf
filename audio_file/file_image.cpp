#include "audio_file/file_image.h"

#include <algorithm>
#include <cstring>

#include "audio_file/messages.h"

namespace {

void putLe32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

bool allocateAll(FileImage& image, const WaveInfo& edit, uint32_t budget) {
    image.release();
    if (!image.block.allocate(budget)) return false;
    image.memoryBudget = budget;
    image.pageBufferBytes = size_t(kPageBufferFrames) * edit.frameBytes;
    bool ok = image.playBufferA.allocate(image.pageBufferBytes) && image.playBufferB.allocate(image.pageBufferBytes) &&
              image.filePageBuffer.allocate(image.pageBufferBytes);
    for (auto& slot : image.undoSlots) ok = ok && slot.allocate(kPageBufferFrames);
    if (!ok) image.release();
    return ok;
}

// The pages a piece lands in are brought in just before it is read, so that
// they are still in the cache when the read fills them.
constexpr uint32_t kPieceBytes = 1u << 20;

bool readPrepared(InputFile& file, LargeBlock& block, uint32_t position, uint32_t bytes) {
    for (uint32_t done = 0; done < bytes;) {
        const uint32_t n = std::min(kPieceBytes, bytes - done);
        block.prepare(position + done, n);
        if (file.read(block.data() + position + done, n) != n) return false;
        done += n;
    }
    return true;
}

}  // namespace

void FileImage::release() {
    block.release();
    memoryBudget = 0;
    imageSize = 0;
    playBufferA.reset();
    playBufferB.reset();
    filePageBuffer.reset();
    pageBufferBytes = 0;
    for (auto& slot : undoSlots) slot.reset();
}

Status loadFileImage(FileSystem& fs, const std::string& path, const WaveInfo& edit, uint64_t freeAddressSpace,
                     FileImage& image, Progress& progress) {
    const uint64_t budget = memoryBudget(edit);
    // Offsets into the image are 32-bit: a larger image cannot be addressed.
    if (budget > 0xFFFFFFFFull) return refused(kOutOfMemory, kCaptionError);
    if (!image.allocated() || image.memoryBudget < budget) {
        if (freeAddressSpace <= budget) return refused(kOutOfMemory, kCaptionError);
        if (!allocateAll(image, edit, uint32_t(budget))) return refused(kAllocationFailed, kCaptionError);
    } else if (edit.format.bitsPerSample != 8) {
        std::memset(image.bytes(), 0, image.memoryBudget);  // a reused block must read as silence again
    }
    if (edit.format.bitsPerSample == 8) std::memset(image.bytes(), 0x80, image.memoryBudget);

    progress.open(ProgressKind::fileRead);
    auto file = fs.openRead(path, true);
    if (!file) {
        progress.close();
        return refused(kReadFailed, kCaptionError);
    }
    const uint32_t total = edit.imageSize;
    // A tiny image would make the step zero: read it in one go.
    const uint32_t step = total >= 100u ? total / 100u : total;
    uint32_t position = 0;
    while (position < total) {
        const uint32_t n = std::min(step, total - position);
        if (!readPrepared(*file, image.block, position, n)) {  // any short read is a failure
            file.reset();
            progress.close();
            return refused(kReadFailed, kCaptionError);
        }
        position += n;
        progress.step();
        if (progress.takeCancel()) {
            Message question = makeMessage(kLoadCancelQuestion, kCaptionConfirm, Buttons::yesNo);
            if (progress.ask(question) == Answer::yes) {
                file.reset();
                progress.close();
                return cancelled();
            }
        }
        progress.pump();
    }
    file.reset();
    progress.close();

    if (edit.headerRepaired) {
        putLe32(image.bytes() + edit.dataOffset - 4, edit.dataEnd - edit.dataOffset);
        putLe32(image.bytes() + 4, edit.imageSize - 8);
    }
    image.imageSize = total;
    return {};
}
