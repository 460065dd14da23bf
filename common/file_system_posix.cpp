// Native (Linux) file access for tests, tools and benchmarks.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "common/file_system.h"

namespace {

constexpr size_t kReadPiece = 1 << 20;

// Windows file times count 100 ns from 1601; Unix seconds from 1970.
constexpr uint64_t kEpochDifference = 11644473600ull * 10000000ull;

FileTime toFileTime(const timespec& t) {
    const uint64_t ticks = uint64_t(t.tv_sec) * 10000000ull + uint64_t(t.tv_nsec) / 100u + kEpochDifference;
    return {uint32_t(ticks), uint32_t(ticks >> 32)};
}

timespec toTimespec(const FileTime& time) {
    const uint64_t ticks = (uint64_t(time.high) << 32 | time.low);
    const int64_t sinceEpoch = int64_t(ticks - kEpochDifference);  // before 1970 is negative
    int64_t seconds = sinceEpoch / 10000000;
    int64_t rest = sinceEpoch % 10000000;
    if (rest < 0) {
        rest += 10000000;
        --seconds;
    }
    timespec t{};
    t.tv_sec = time_t(seconds);
    t.tv_nsec = long(rest * 100);
    return t;
}

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
    bool seek(uint64_t position) override {
        return ::lseek(fd_, static_cast<off_t>(position), SEEK_SET) == static_cast<off_t>(position);
    }

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
    std::vector<std::string> nameTails(const std::string& prefix) override {
        std::vector<std::string> tails;
        const size_t slash = prefix.rfind('/');
        const std::string folder = slash == std::string::npos ? "." : prefix.substr(0, slash + 1);
        const std::string stem = prefix.substr(slash == std::string::npos ? 0 : slash + 1);
        DIR* dir = ::opendir(folder.c_str());
        if (!dir) return tails;
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            if (name.compare(0, stem.size(), stem) == 0) tails.push_back(name.substr(stem.size()));
        }
        ::closedir(dir);
        return tails;
    }
    bool lastWriteTime(const std::string& path, FileTime& time) override {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) return false;
        time = toFileTime(st.st_mtim);
        return true;
    }
    bool setLastWriteTime(const std::string& path, const FileTime& time) override {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0) return false;
        const timespec times[2] = {{0, UTIME_OMIT}, toTimespec(time)};  // access time unchanged
        const bool ok = ::futimens(fd, times) == 0;
        ::close(fd);
        return ok;
    }
    void pause(unsigned milliseconds) override { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
};

}  // namespace

FileSystem& platformFileSystem() {
    static PosixFileSystem fs;
    return fs;
}
