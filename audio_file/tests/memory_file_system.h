#pragma once
// Files in memory, with the failures the tests need: opens that fail, reads
// that stop early, writes that stop early, a size the file does not have.
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/file_system.h"

struct MemoryFileSystem final : FileSystem {
    std::map<std::string, std::vector<uint8_t>> files;
    int opensBeforeFailure = -1;       // -1: opens never fail
    uint64_t readLimit = UINT64_MAX;   // reads deliver no byte at or past this file position
    uint64_t writeLimit = UINT64_MAX;  // writes stop after this many bytes in one file
    uint64_t sizeOverride = 0;         // nonzero: what size() reports
    bool createFails = false;          // no file can be created (a read-only folder)
    bool flushFails = false;
    bool replaceFails = false;              // the target cannot be replaced (read-only, in use)
    std::set<std::string> locked;           // files that can be neither removed nor written (in use elsewhere)
    std::map<std::string, FileTime> times;  // last-write times; a write sets the clock's next tick
    uint64_t clock = 0x01D0000000000000;    // a plausible file time that advances with every write
    int timeFailures = 0;                   // the next so many time reads or sets fail (file held open)
    int opens = 0;
    int reads = 0;           // read calls of every open file
    uint64_t bytesRead = 0;  // bytes they delivered
    int exclusiveOpens = 0;
    int pauses = 0;
    unsigned pausedMilliseconds = 0;

    std::unique_ptr<InputFile> openRead(const std::string& path, bool exclusive) override;
    std::unique_ptr<OutputFile> create(const std::string& path) override;
    bool exists(const std::string& path) override { return files.count(path) != 0; }
    bool remove(const std::string& path) override;
    bool replace(const std::string& source, const std::string& target) override;
    std::vector<std::string> nameTails(const std::string& prefix) override;
    bool lastWriteTime(const std::string& path, FileTime& time) override;
    bool setLastWriteTime(const std::string& path, const FileTime& time) override;
    void pause(unsigned milliseconds) override {
        ++pauses;
        pausedMilliseconds += milliseconds;
    }
    // Marks the file as written now.
    void touch(const std::string& path);
};
