#include "audio_file/tests/memory_file_system.h"

#include <algorithm>
#include <cstring>

namespace {

class MemoryInput final : public InputFile {
public:
    MemoryInput(const std::vector<uint8_t>& bytes, MemoryFileSystem& fs) : bytes_(bytes), fs_(fs) {}
    bool size(uint64_t& n) override {
        n = fs_.sizeOverride ? fs_.sizeOverride : bytes_.size();
        return true;
    }
    bool seek(uint64_t position) override {
        position_ = position;
        return true;
    }
    size_t read(void* destination, size_t n) override {
        ++fs_.reads;
        const uint64_t end = std::min<uint64_t>({uint64_t(bytes_.size()), fs_.readLimit, position_ + n});
        if (position_ >= end) return 0;
        const size_t got = size_t(end - position_);
        std::memcpy(destination, bytes_.data() + position_, got);
        position_ += got;
        fs_.bytesRead += got;
        return got;
    }

private:
    const std::vector<uint8_t>& bytes_;
    MemoryFileSystem& fs_;
    uint64_t position_ = 0;
};

class MemoryOutput final : public OutputFile {
public:
    MemoryOutput(std::string path, MemoryFileSystem& fs) : path_(std::move(path)), fs_(fs) {}
    size_t write(const void* source, size_t n) override {
        auto it = fs_.files.find(path_);
        if (it == fs_.files.end()) return 0;  // removed while open
        std::vector<uint8_t>& bytes = it->second;
        const uint64_t room = fs_.writeLimit > position_ ? fs_.writeLimit - position_ : 0;
        const size_t put = size_t(std::min<uint64_t>(room, n));
        const auto* in = static_cast<const uint8_t*>(source);
        if (bytes.size() < position_ + put) bytes.resize(position_ + put);
        std::copy(in, in + put, bytes.begin() + ptrdiff_t(position_));
        position_ += put;
        if (put) fs_.touch(path_);
        return put;
    }
    bool flush() override { return !fs_.flushFails && fs_.files.count(path_) != 0; }
    bool seek(uint64_t position) override {
        auto it = fs_.files.find(path_);
        if (it == fs_.files.end() || position > it->second.size()) return false;
        position_ = position;
        return true;
    }

private:
    std::string path_;
    uint64_t position_ = 0;
    MemoryFileSystem& fs_;
};

}  // namespace

std::unique_ptr<InputFile> MemoryFileSystem::openRead(const std::string& path, bool exclusive) {
    if (opensBeforeFailure >= 0 && opens >= opensBeforeFailure) return nullptr;
    ++opens;
    auto it = files.find(path);
    if (it == files.end()) return nullptr;
    if (exclusive) ++exclusiveOpens;
    return std::make_unique<MemoryInput>(it->second, *this);
}

std::unique_ptr<OutputFile> MemoryFileSystem::create(const std::string& path) {
    if (createFails || locked.count(path)) return nullptr;
    files[path].clear();
    touch(path);
    return std::make_unique<MemoryOutput>(path, *this);
}

bool MemoryFileSystem::remove(const std::string& path) {
    if (locked.count(path)) return false;
    times.erase(path);
    return files.erase(path) != 0;
}

bool MemoryFileSystem::replace(const std::string& source, const std::string& target) {
    auto it = files.find(source);
    if (it == files.end() || replaceFails) return false;
    files[target] = std::move(it->second);
    files.erase(source);
    times[target] = times[source];  // a rename keeps the last-write time
    times.erase(source);
    return true;
}

std::vector<std::string> MemoryFileSystem::nameTails(const std::string& prefix) {
    std::vector<std::string> tails;
    for (auto it = files.lower_bound(prefix); it != files.end() && it->first.compare(0, prefix.size(), prefix) == 0;
         ++it)
        tails.push_back(it->first.substr(prefix.size()));
    return tails;
}

bool MemoryFileSystem::lastWriteTime(const std::string& path, FileTime& time) {
    if (timeFailures > 0) {
        --timeFailures;
        return false;
    }
    auto it = times.find(path);
    if (it == times.end() || !files.count(path)) return false;
    time = it->second;
    return true;
}

bool MemoryFileSystem::setLastWriteTime(const std::string& path, const FileTime& time) {
    if (timeFailures > 0) {
        --timeFailures;
        return false;
    }
    if (!files.count(path)) return false;
    times[path] = time;
    return true;
}

void MemoryFileSystem::touch(const std::string& path) {
    clock += 10000000;  // one second later
    times[path] = {uint32_t(clock), uint32_t(clock >> 32)};
}
