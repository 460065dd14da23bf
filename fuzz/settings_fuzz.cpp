// Any text as the values of Velkor.ini: reading them never crashes, and what
// the resumed view receives is always in range. Lines of the input are the
// values of wTime, SS, CH, SP, DP, msg2 and msg3, then "m" for a mono file.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"
#include "app/tests/memory_ini_store.h"
#include "audio_file/tests/memory_file_system.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

constexpr const char* kKeys[][2] = {{"BEFORDATE", "wTime"}, {"BEFORDATE", "SS"}, {"BEFORDATE", "CH"},
                                    {"BEFORDATE", "SP"},    {"BEFORDATE", "DP"}, {"CANCELMSG", "msg2"},
                                    {"CANCELMSG", "msg3"}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> lines;
    size_t from = 0;
    while (from <= input.size() && lines.size() < 8) {
        const size_t end = std::min(input.find('\n', from), input.size());
        lines.emplace_back(input.substr(from, end - from));
        from = end + 1;
    }
    lines.resize(8);
    const bool stereo = lines[7] != "m";

    // The raw decoders on the whole input.
    uint8_t record[24] = {};
    for (size_t n : {size_t(8), size_t(24)}) {
        if (decodeProfileStruct(input, record, n)) check(encodeProfileStruct(record, n).size() == input.size());
    }
    (void)parseProfileInt(input);

    MemoryIniStore ini;
    ini.present = true;
    for (size_t i = 0; i < 7; ++i) ini.values[{kKeys[i][0], kKeys[i][1]}] = lines[i];
    MemoryFileSystem fs;
    fs.files["e.wav"] = {0};
    FileTime stamp;
    if (decodeStamp(lines[0], stamp)) {
        ini.time = stamp;  // both files untouched since the save: the question comes
        fs.times["e.wav"] = stamp;
    }
    Settings s;
    readStartSettings(ini, s);
    check(s.changeCheckAtExit == 0 || s.changeCheckAtExit == 1);
    check(s.appendNOnSave == 0 || s.appendNOnSave == 1);
    const ResumeResult r = runResumeTest(ini, fs, "e.wav", stereo, s, [](const Message&) { return Answer::yes; });
    if (r == ResumeResult::resumed) {
        check(s.screenWidth == 640 || s.screenWidth == 960 || s.screenWidth == 1280);
        check(s.channel == 0 || (stereo && s.channel == 1));
        check(s.resumedPage >= 0 && s.resumedPage <= 5);
        for (int p = 0; p < kPages; ++p) check(s.zoomFrameLeft[p] >= 0 && s.zoomFrameLeft[p] < s.screenWidth);
    }
    return 0;
}
