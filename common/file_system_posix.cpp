// Native (Linux) file access for tests, tools and benchmarks.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "common/file_system.h"

namespace {

constexpr size_t kReadPiece = 1 << 20;

class PosixInput final : public InputFile {
public:
    explicit PosixInput(int fd) : fd_(fd) {}
    ~PosixInput() override { ::close(fd_); }
    bool size(uint64_t& bytes) override {
        struct stat st {};
        if (::fstat(fd_, &st) != 0) return false;
        bytes = static_cast<uint64_t>(st.st_size);
        return true;
    }
    bool seek(uint64_t position) override {
        return ::lseek(fd_, static_cast<off_t>(position), SEEK_SET) == static_cast<off_t>(position);
    }
    size_t read(void* destination, size_t bytes) override {
        size_t done = 0;
        auto* out = static_cast<char*>(destination);
        while (done < bytes) {
            // Cache-sized pieces copy out of the page cache faster than one huge read.
            const ssize_t n = ::read(fd_, out + done, std::min<size_t>(bytes - done, kReadPiece));
            if (n <= 0) break;
            done += static_cast<size_t>(n);
        }
        return done;
    }

private:
    int fd_;
};

class PosixOutput final : public OutputFile {
public:
    explicit PosixOutput(int fd) : fd_(fd) {}
    ~PosixOutput() override { ::close(fd_); }
    size_t write(const void* source, size_t bytes) override {
        size_t done = 0;
        const auto* in = static_cast<const char*>(source);
        while (done < bytes) {
            const ssize_t n = ::write(fd_, in + done, bytes - done);
            if (n <= 0) break;
            done += static_cast<size_t>(n);
        }
        return done;
    }
    bool flush() override { return ::fsync(fd_) == 0; }

private:
    int fd_;
};

class PosixFileSystem final : public FileSystem {
public:
    std::unique_ptr<InputFile> openRead(const std::string& path, bool) override {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return nullptr;
        return std::make_unique<PosixInput>(fd);
    }
    std::unique_ptr<OutputFile> create(const std::string& path) override {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0) return nullptr;
        return std::make_unique<PosixOutput>(fd);
    }
    bool exists(const std::string& path) override {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0;
    }
    bool remove(const std::string& path) override { return ::unlink(path.c_str()) == 0; }
    bool replace(const std::string& source, const std::string& target) override {
        return std::rename(source.c_str(), target.c_str()) == 0;
    }
};

}  // namespace

FileSystem& platformFileSystem() {
    static PosixFileSystem fs;
    return fs;
}
