#pragma once
// The INI file in memory, with the failures the tests need: a file that
// cannot be created, read or written, and a time that cannot be taken.
#include <map>
#include <string>
#include <utility>

#include "app/settings.h"

struct MemoryIniStore final : IniStore {
    std::map<std::pair<std::string, std::string>, std::string> values;
    bool present = false;  // the file exists
    bool creatable = true;
    bool readable = true;
    bool writable = true;
    int timeFailures = 0;  // the next so many time reads or sets fail
    FileTime time{0x11111111, 0x01D00000};
    int writes = 0;
    int timeSets = 0;

    bool read(std::string_view section, std::string_view key, std::string& value) override {
        if (!present || !readable) return false;
        auto it = values.find({std::string(section), std::string(key)});
        if (it == values.end() || it->second.empty()) return false;
        value = it->second;
        return true;
    }
    bool write(std::string_view section, std::string_view key, std::string_view value) override {
        if (!writable || (!present && !creatable)) return false;
        present = true;
        values[{std::string(section), std::string(key)}] = std::string(value);
        ++writes;
        tick();
        return true;
    }
    bool create() override {
        if (!present && creatable) {
            present = true;
            tick();
        }
        return present;
    }
    bool lastWriteTime(FileTime& t) override {
        if (!present || timeFailures > 0) {
            if (timeFailures > 0) --timeFailures;
            return false;
        }
        t = time;
        return true;
    }
    bool setLastWriteTime(const FileTime& t) override {
        if (!present || !writable || timeFailures > 0) {
            if (timeFailures > 0) --timeFailures;
            return false;
        }
        time = t;
        ++timeSets;
        return true;
    }
    // Any write moves the file's time on.
    void tick() {
        if (++time.low == 0) ++time.high;
    }
    std::string value(const char* section, const char* key) const {
        auto it = values.find({section, key});
        return it == values.end() ? std::string() : it->second;
    }
};
