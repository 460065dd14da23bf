#pragma once
// Files as the core sees them. Paths are UTF-8; the Windows implementation
// converts them to UTF-16 at the API boundary.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A Windows file time: 100-ns intervals since 1601, low half first.
struct FileTime {
    uint32_t low = 0;
    uint32_t high = 0;
};
inline bool operator==(const FileTime& a, const FileTime& b) { return a.low == b.low && a.high == b.high; }
inline bool operator!=(const FileTime& a, const FileTime& b) { return !(a == b); }

struct InputFile {
    virtual ~InputFile() = default;
    virtual bool size(uint64_t& bytes) = 0;
    virtual bool seek(uint64_t position) = 0;
    // Bytes actually read: fewer than asked at the end of the file or on error.
    virtual size_t read(void* destination, size_t bytes) = 0;
};

struct OutputFile {
    virtual ~OutputFile() = default;
    virtual size_t write(const void* source, size_t bytes) = 0;
    virtual bool flush() = 0;  // to the device, not just the cache
    // The next write goes to `position`, at or before the end (sizes known
    // only once the rest is written).
    virtual bool seek(uint64_t position) = 0;
};

struct FileSystem {
    virtual ~FileSystem() = default;
    // exclusive: no sharing while open (the load).
    virtual std::unique_ptr<InputFile> openRead(const std::string& path, bool exclusive) = 0;
    virtual std::unique_ptr<OutputFile> create(const std::string& path) = 0;
    virtual bool exists(const std::string& path) = 0;
    virtual bool remove(const std::string& path) = 0;
    // Replaces target with source in one step (the target may exist).
    virtual bool replace(const std::string& source, const std::string& target) = 0;
    // For each file in the folder of `prefix` whose name begins with the last
    // part of `prefix` (compared as the platform compares names): the rest of
    // its name. None when the folder cannot be read.
    virtual std::vector<std::string> nameTails(const std::string& prefix) = 0;
    // One attempt each: the last-write time of a file opened for reading
    // without sharing, and setting it alone through a handle opened for writing.
    virtual bool lastWriteTime(const std::string& path, FileTime& time) = 0;
    virtual bool setLastWriteTime(const std::string& path, const FileTime& time) = 0;
    // The wait between attempts on a file another program holds open.
    virtual void pause(unsigned milliseconds) = 0;
};

// The platform's file system: POSIX natively, Win32 in the program.
FileSystem& platformFileSystem();
