#include "audio_file/chunk_reader.h"

#include <algorithm>
#include <new>

ChunkReader::ChunkReader(InputFile& file, uint64_t fileSize, Progress& progress)
    : file_(file), fileSize_(fileSize), progress_(progress), buffer_(new (std::nothrow) uint8_t[kChunkReadBuffer]) {
    ok_ = buffer_ != nullptr;
}

ChunkReader::~ChunkReader() {
    if (shown_) progress_.close();
}

bool ChunkReader::fill(uint64_t position, size_t needed) {
    filled_ = 0;
    start_ = position;
    if (!ok_ || needed > kChunkReadBuffer) return ok_ = false;
    const size_t want = size_t(std::min<uint64_t>(kChunkReadBuffer, position < fileSize_ ? fileSize_ - position : 0));
    if (want >= needed && file_.seek(position)) filled_ = file_.read(buffer_.get(), want);
    bytesRead_ += filled_;
    ok_ = filled_ >= needed;
    if (ok_ && bytesRead_ >= nextWatch_) watch(position);
    if (!ok_) filled_ = 0;
    return ok_;
}

void ChunkReader::watch(uint64_t position) {
    nextWatch_ = bytesRead_ + kWalkWatchBytes;
    if (!shown_) {
        // Reading the header is reading the file: its kind, whose cancel works.
        progress_.open(ProgressKind::fileRead);
        shown_ = true;
    }
    // The walk only moves forward: the bar follows its place in the file.
    const unsigned percent = unsigned(std::min<uint64_t>(100, fileSize_ ? position * 100 / fileSize_ : 100));
    for (; barSteps_ < percent; ++barSteps_) progress_.step();
    if (progress_.takeCancel()) {
        cancelled_ = true;
        ok_ = false;
        return;
    }
    progress_.pump();
}
