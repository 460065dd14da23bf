#pragma once
// The settings file Velkor.ini beside the program: the two exit settings,
// and after each save the view and a stamp of the saved file, so that the
// next start can offer the same view on the same, unchanged file.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/file_system.h"
#include "common/message.h"
#include "document/view_state.h"

constexpr std::string_view kSectionStamp = "BEFORDATE";
constexpr std::string_view kKeyStamp = "wTime";  // 8-byte record
constexpr std::string_view kKeyScreenWidth = "SS";
constexpr std::string_view kKeyChannel = "CH";
constexpr std::string_view kKeyFrameLefts = "SP";  // 24-byte record
constexpr std::string_view kKeyPage = "DP";
constexpr std::string_view kSectionExit = "CANCELMSG";
constexpr std::string_view kKeyChangeCheck = "msg2";
constexpr std::string_view kKeyAppendN = "msg3";

constexpr int32_t kResumedScreenWidth = 1280;  // "SS" missing on resume

struct Settings {
    int32_t screenWidth = 640;
    int32_t channel = 0;
    std::array<int32_t, kPages> zoomFrameLeft{};
    int32_t page = 0;
    int32_t resumedPage = 0;                 // "DP" on resume; cleared once the view has applied it
    FileTime wTime;                          // stamp of the file saved last
    std::optional<FileTime> iniTimeAtStart;  // empty: the INI file's time could not be read
    int32_t changeCheckAtExit = 1;           // "msg2", check box 348
    int32_t appendNOnSave = 1;               // "msg3", check box 349
};

// The INI file as the settings see it: strings by section and key, and the
// file's last-write time. Win32 keeps it in the profile format (settings_win.h).
struct IniStore {
    virtual ~IniStore() = default;
    // False when the key is missing, empty or the file cannot be read.
    virtual bool read(std::string_view section, std::string_view key, std::string& value) = 0;
    virtual bool write(std::string_view section, std::string_view key, std::string_view value) = 0;
    // Makes an empty file when there is none; false when it cannot.
    virtual bool create() = 0;
    // With the retries of common/file_times.h.
    virtual bool lastWriteTime(FileTime& time) = 0;
    virtual bool setLastWriteTime(const FileTime& time) = 0;
};

// Decimal integer as the profile functions read it: sign and leading digits,
// anything after them ignored; none when there is no digit. Saturates.
std::optional<int64_t> parseProfileInt(std::string_view text);
// The profile struct format: two upper-case hex digits per byte, then the
// low byte of the byte sum as a checksum.
std::string encodeProfileStruct(const uint8_t* bytes, size_t size);
// False (and `bytes` untouched) unless the text is exactly that format for `size` bytes.
bool decodeProfileStruct(std::string_view text, uint8_t* bytes, size_t size);

// Damaged or hand-edited values made safe for the view.
int32_t nearestScreenWidth(int64_t value);
int32_t validChannel(int64_t value, bool stereo);
int32_t validPage(int64_t value);
int32_t validFlag(int64_t value);
void clampFrameLefts(std::array<int32_t, kPages>& lefts, int32_t screenWidth);

// The "wTime" and "SP" records.
std::string encodeStamp(const FileTime& time);
bool decodeStamp(std::string_view text, FileTime& time);
std::string encodeFrameLefts(const std::array<int32_t, kPages>& lefts);
bool decodeFrameLefts(std::string_view text, std::array<int32_t, kPages>& lefts);

// At the OK of the file selection dialog: creates the INI file when missing,
// takes its time and reads the exit settings. Never fails: an INI file that
// cannot be read or created leaves the defaults and rules out the resume.
void readStartSettings(IniStore& ini, Settings& settings);

Message resumeQuestion();
enum class ResumeResult { goOn, resumed, cancel };
// After readStartSettings: offers the last view when the INI file and the
// edit file are both untouched since the last save. cancel: stay in the dialog.
ResumeResult runResumeTest(IniStore& ini, FileSystem& fs, const std::string& editPath, bool stereo, Settings& settings,
                           const std::function<Answer(const Message&)>& ask);

// After a complete save: the view and the saved file's stamp.
void writeResumeValues(IniStore& ini, FileSystem& fs, const std::string& savedPath, Settings& settings);
// Last step of the close sequence: the exit settings, then the stamp put back
// on the INI file unless something else wrote it during the run.
void writeExitSettings(IniStore& ini, Settings& settings, bool saved);

// Between the settings and the view (start and close).
void applyResumedView(const Settings& settings, ViewState& view);
void captureView(const ViewState& view, Settings& settings);
