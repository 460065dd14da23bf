#pragma once
#include <string>

#include "app/settings.h"
#include "common/file_system.h"

// Velkor.ini through the Windows profile functions, so the file stays an
// ordinary profile file; its times through the file system with retries.
class ProfileIniStore final : public IniStore {
public:
    explicit ProfileIniStore(std::string path, FileSystem& fs = platformFileSystem());
    bool read(std::string_view section, std::string_view key, std::string& value) override;
    bool write(std::string_view section, std::string_view key, std::string_view value) override;
    bool create() override;
    bool lastWriteTime(FileTime& time) override;
    bool setLastWriteTime(const FileTime& time) override;

private:
    std::string path_;
    FileSystem& fs_;
};

// At the OK of the file selection dialog, after the file checks: creates and
// reads Velkor.ini and runs the resume test, its question topmost and
// without an owner. cancel: keep the dialog open.
ResumeResult startSettingsWin(const std::string& iniPath, const std::string& editPath, bool stereo, Settings& settings);
