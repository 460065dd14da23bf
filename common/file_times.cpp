#include "common/file_times.h"

namespace {

template <typename Attempt>
bool withRetries(FileSystem& fs, Attempt attempt) {
    for (int i = 0; i < kFileTimeAttempts; ++i) {
        if (attempt()) return true;
        // No pause after the last attempt: nothing would follow it.
        if (i + 1 < kFileTimeAttempts) fs.pause(kFileTimePauseMs);
    }
    return false;
}

}  // namespace

bool readFileTime(FileSystem& fs, const std::string& path, FileTime& time) {
    return withRetries(fs, [&] { return fs.lastWriteTime(path, time); });
}

bool writeFileTime(FileSystem& fs, const std::string& path, const FileTime& time) {
    return withRetries(fs, [&] { return fs.setLastWriteTime(path, time); });
}
