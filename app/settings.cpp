#include "app/settings.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "app/exit_messages.h"
#include "common/file_times.h"
#include "common/text_format.h"

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr size_t kStampBytes = 8;
constexpr size_t kFrameLeftBytes = 4 * kPages;
constexpr size_t kLargestRecord = kFrameLeftBytes;

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

void putLe32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = uint8_t(v >> (8 * i));
}

uint32_t le32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

std::optional<int64_t> readInt(IniStore& ini, std::string_view section, std::string_view key) {
    std::string text;
    if (!ini.read(section, key, text)) return std::nullopt;
    return parseProfileInt(text);
}

int32_t readFlag(IniStore& ini, std::string_view key) {
    const std::optional<int64_t> v = readInt(ini, kSectionExit, key);
    return v ? validFlag(*v) : 1;
}

bool writeInt(IniStore& ini, std::string_view section, std::string_view key, int32_t value) {
    return ini.write(section, key, formatText("%d", value));
}

// The last column a page's ZoomFrame may start at: the frame (a sixteenth of
// the width on page 1, an eighth below) must end before the last column.
int32_t lastFrameLeft(int page, int32_t screenWidth) {
    int32_t frameWidth = 0;  // page 0: any column a click can choose
    if (page == 1) frameWidth = screenWidth / 16;
    // Entry 5 returns to page 4 as that page's first position.
    if (page >= 2) frameWidth = screenWidth / 8;
    const int32_t last = page == 0 ? screenWidth - 1 : screenWidth - frameWidth - 1;
    return std::max(last, 0);
}

}  // namespace

std::optional<int64_t> parseProfileInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i >= text.size() || text[i] < '0' || text[i] > '9') return std::nullopt;
    constexpr int64_t kLimit = std::numeric_limits<int64_t>::max() / 10 - 10;
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value < kLimit) value = value * 10 + (text[i] - '0');  // beyond that, every use clamps anyway
    }
    return negative ? -value : value;
}

std::string encodeProfileStruct(const uint8_t* bytes, size_t size) {
    std::string text;
    text.reserve(2 * size + 2);
    unsigned sum = 0;
    for (size_t i = 0; i < size; ++i) {
        text += kHexDigits[bytes[i] >> 4];
        text += kHexDigits[bytes[i] & 15];
        sum += bytes[i];
    }
    text += kHexDigits[(sum >> 4) & 15];
    text += kHexDigits[sum & 15];
    return text;
}

bool decodeProfileStruct(std::string_view text, uint8_t* bytes, size_t size) {
    if (text.size() != 2 * size + 2) return false;
    for (char c : text)
        if (hexValue(c) < 0) return false;
    // Decoded aside first: a damaged value must leave the caller's bytes as they were.
    uint8_t decoded[kLargestRecord];
    if (size > kLargestRecord) return false;
    unsigned sum = 0;
    for (size_t i = 0; i < size; ++i) {
        decoded[i] = uint8_t(hexValue(text[2 * i]) << 4 | hexValue(text[2 * i + 1]));
        sum += decoded[i];
    }
    const unsigned stored = unsigned(hexValue(text[2 * size]) << 4 | hexValue(text[2 * size + 1]));
    if (stored != (sum & 0xFF)) return false;
    std::copy(decoded, decoded + size, bytes);
    return true;
}

int32_t nearestScreenWidth(int64_t value) {
    value = std::clamp<int64_t>(value, -(int64_t(1) << 40), int64_t(1) << 40);
    int32_t best = kScreenWidths[0];
    for (int32_t width : kScreenWidths) {
        // Ties go to the narrower width, which fits more screens.
        if (std::llabs(value - width) < std::llabs(value - best)) best = width;
    }
    return best;
}

int32_t validChannel(int64_t value, bool stereo) { return stereo && value >= 1 ? 1 : 0; }

int32_t validPage(int64_t value) { return int32_t(std::clamp<int64_t>(value, 0, kPages - 1)); }

int32_t validFlag(int64_t value) { return value != 0 ? 1 : 0; }

void clampFrameLefts(std::array<int32_t, kPages>& lefts, int32_t screenWidth) {
    for (int p = 0; p < kPages; ++p) lefts[p] = std::clamp(lefts[p], 0, lastFrameLeft(p, screenWidth));
}

std::string encodeStamp(const FileTime& time) {
    uint8_t bytes[kStampBytes];
    putLe32(bytes, time.low);
    putLe32(bytes + 4, time.high);
    return encodeProfileStruct(bytes, sizeof bytes);
}

bool decodeStamp(std::string_view text, FileTime& time) {
    uint8_t bytes[kStampBytes];
    if (!decodeProfileStruct(text, bytes, sizeof bytes)) return false;
    time = {le32(bytes), le32(bytes + 4)};
    return true;
}

std::string encodeFrameLefts(const std::array<int32_t, kPages>& lefts) {
    uint8_t bytes[kFrameLeftBytes];
    for (int p = 0; p < kPages; ++p) putLe32(bytes + 4 * p, uint32_t(lefts[p]));
    return encodeProfileStruct(bytes, sizeof bytes);
}

bool decodeFrameLefts(std::string_view text, std::array<int32_t, kPages>& lefts) {
    uint8_t bytes[kFrameLeftBytes];
    if (!decodeProfileStruct(text, bytes, sizeof bytes)) return false;
    for (int p = 0; p < kPages; ++p) lefts[p] = int32_t(le32(bytes + 4 * p));
    return true;
}

void readStartSettings(IniStore& ini, Settings& settings) {
    FileTime time;
    if (ini.create() && ini.lastWriteTime(time)) {
        settings.iniTimeAtStart = time;
    } else {
        settings.iniTimeAtStart.reset();  // no stamp to compare: no resume
    }
    settings.changeCheckAtExit = readFlag(ini, kKeyChangeCheck);
    settings.appendNOnSave = readFlag(ini, kKeyAppendN);
}

Message resumeQuestion() {
    Message m = makeMessage(kResumeQuestion, kCaptionResume, Buttons::yesNoCancel);
    m.topmost = true;
    return m;
}

ResumeResult runResumeTest(IniStore& ini, FileSystem& fs, const std::string& editPath, bool stereo, Settings& settings,
                           const std::function<Answer(const Message&)>& ask) {
    settings.resumedPage = 0;
    std::string text;
    if (ini.read(kSectionStamp, kKeyStamp, text)) decodeStamp(text, settings.wTime);  // damaged: kept
    if (!settings.iniTimeAtStart || *settings.iniTimeAtStart != settings.wTime) return ResumeResult::goOn;
    FileTime editTime;
    if (!readFileTime(fs, editPath, editTime) || editTime != settings.wTime) return ResumeResult::goOn;

    switch (ask(resumeQuestion())) {
        case Answer::cancel: return ResumeResult::cancel;
        case Answer::yes: break;
        default: return ResumeResult::goOn;
    }
    const std::optional<int64_t> width = readInt(ini, kSectionStamp, kKeyScreenWidth);
    settings.screenWidth = width ? nearestScreenWidth(*width) : kResumedScreenWidth;
    settings.channel = validChannel(readInt(ini, kSectionStamp, kKeyChannel).value_or(0), stereo);
    if (ini.read(kSectionStamp, kKeyFrameLefts, text)) decodeFrameLefts(text, settings.zoomFrameLeft);
    clampFrameLefts(settings.zoomFrameLeft, settings.screenWidth);
    settings.resumedPage = validPage(readInt(ini, kSectionStamp, kKeyPage).value_or(0));
    return ResumeResult::resumed;
}

void writeResumeValues(IniStore& ini, FileSystem& fs, const std::string& savedPath, Settings& settings) {
    writeInt(ini, kSectionStamp, kKeyScreenWidth, settings.screenWidth);
    writeInt(ini, kSectionStamp, kKeyChannel, settings.channel);
    ini.write(kSectionStamp, kKeyFrameLefts, encodeFrameLefts(settings.zoomFrameLeft));
    writeInt(ini, kSectionStamp, kKeyPage, settings.page);
    // Without the saved file's time no stamp can match it: a zero stamp
    // offers no resume and is never put on the INI file.
    if (!readFileTime(fs, savedPath, settings.wTime)) settings.wTime = FileTime{};
    ini.write(kSectionStamp, kKeyStamp, encodeStamp(settings.wTime));
}

void writeExitSettings(IniStore& ini, Settings& settings, bool saved) {
    if (!saved) {
        // Written by someone else during the run: its new time must stand.
        FileTime now;
        if (!settings.iniTimeAtStart || !ini.lastWriteTime(now) || now != *settings.iniTimeAtStart)
            settings.wTime.high = 0;
    }
    writeInt(ini, kSectionExit, kKeyChangeCheck, validFlag(settings.changeCheckAtExit));
    writeInt(ini, kSectionExit, kKeyAppendN, validFlag(settings.appendNOnSave));
    // Writing the settings moved the file's time; the stamp goes back on.
    if (settings.wTime.high != 0) ini.setLastWriteTime(settings.wTime);
}

void applyResumedView(const Settings& settings, ViewState& view) {
    view.screenWidth = settings.screenWidth;
    view.channel = settings.channel;
    view.zoomFrameLeft = settings.zoomFrameLeft;
}

void captureView(const ViewState& view, Settings& settings) {
    settings.screenWidth = view.screenWidth;
    settings.channel = view.channel;
    settings.zoomFrameLeft = view.zoomFrameLeft;
    settings.page = view.page;
}
