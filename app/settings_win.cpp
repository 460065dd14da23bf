#include "app/settings_win.h"

#include <windows.h>

#include "common/file_times.h"
#include "common/message_box_win.h"
#include "common/unique_win.h"
#include "common/utf16_win.h"

namespace {

// Every value of ours is far shorter; a longer one arrives cut and fails validation.
constexpr DWORD kValueChars = 256;

}  // namespace

ProfileIniStore::ProfileIniStore(std::string path, FileSystem& fs) : path_(std::move(path)), fs_(fs) {}

bool ProfileIniStore::read(std::string_view section, std::string_view key, std::string& value) {
    wchar_t buffer[kValueChars];
    const DWORD n = GetPrivateProfileStringW(widen(section).c_str(), widen(key).c_str(), L"", buffer, kValueChars,
                                             widen(path_).c_str());
    if (n == 0) return false;
    value = narrow(std::wstring_view(buffer, n));
    return true;
}

bool ProfileIniStore::write(std::string_view section, std::string_view key, std::string_view value) {
    return WritePrivateProfileStringW(widen(section).c_str(), widen(key).c_str(), widen(value).c_str(),
                                      widen(path_).c_str()) != 0;
}

bool ProfileIniStore::create() {
    // CREATE_NEW: an existing file, or one made by somebody else meanwhile, is never emptied.
    UniqueFile f(
        CreateFileW(widen(path_).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    return f || fs_.exists(path_);
}

bool ProfileIniStore::lastWriteTime(FileTime& time) { return readFileTime(fs_, path_, time); }

bool ProfileIniStore::setLastWriteTime(const FileTime& time) { return writeFileTime(fs_, path_, time); }

ResumeResult startSettingsWin(const std::string& iniPath, const std::string& editPath, bool stereo,
                              Settings& settings) {
    ProfileIniStore ini(iniPath);
    readStartSettings(ini, settings);
    return runResumeTest(ini, platformFileSystem(), editPath, stereo, settings,
                         [](const Message& question) { return showMessage(nullptr, question); });
}
