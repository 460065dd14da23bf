#include "audio_file/tests/memory_file_system.h"

#include <algorithm>
#include <cstring>

namespace {

class MemoryInput final : public InputFile {
public:
    MemoryInput(const std::vector<uint8_t>& bytes, const MemoryFileSystem& fs) : bytes_(bytes), fs_(fs) {}
    bool size(uint64_t& n) override {
        n = fs_.sizeOverride ? fs_.sizeOverride : bytes_.size();
        return true;
    }
    bool seek(uint64_t position) override {
        position_ = position;
        return true;
    }
    size_t read(void* destination, size_t n) override {
        const uint64_t end = std::min<uint64_t>({uint64_t(bytes_.size()), fs_.readLimit, position_ + n});
        if (position_ >= end) return 0;
        const size_t got = size_t(end - position_);
        std::memcpy(destination, bytes_.data() + position_, got);
        position_ += got;
        return got;
    }

private:
    const std::vector<uint8_t>& bytes_;
    const MemoryFileSystem& fs_;
    uint64_t position_ = 0;
};

class MemoryOutput final : public OutputFile {
public:
    MemoryOutput(std::vector<uint8_t>& bytes, const MemoryFileSystem& fs) : bytes_(bytes), fs_(fs) {}
    size_t write(const void* source, size_t n) override {
        const uint64_t room = fs_.writeLimit > bytes_.size() ? fs_.writeLimit - bytes_.size() : 0;
        const size_t put = size_t(std::min<uint64_t>(room, n));
        const auto* in = static_cast<const uint8_t*>(source);
        bytes_.insert(bytes_.end(), in, in + put);
        return put;
    }
    bool flush() override { return true; }

private:
    std::vector<uint8_t>& bytes_;
    const MemoryFileSystem& fs_;
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
    auto& bytes = files[path];
    bytes.clear();
    return std::make_unique<MemoryOutput>(bytes, *this);
}

bool MemoryFileSystem::replace(const std::string& source, const std::string& target) {
    auto it = files.find(source);
    if (it == files.end()) return false;
    files[target] = std::move(it->second);
    files.erase(source);
    return true;
}
