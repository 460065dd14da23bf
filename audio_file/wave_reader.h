#pragma once
#include <string>

#include "audio_file/wave_info.h"
#include "common/file_system.h"
#include "common/message.h"
#include "common/progress.h"

// Validates a candidate edit (role 1) or backup (role 2) file. On success
// `info` holds the file's values; the status may carry the repair report to
// show. On failure `info` is left exactly as it was. A chunk walk that reads
// far shows `progress`; its cancel refuses the file (outcome cancelled).
Status validateWave(FileSystem& fs, const std::string& path, FileRole role, WaveInfo& info, Progress& progress);
// For callers with no window to show progress in: never cancelled.
Status validateWave(FileSystem& fs, const std::string& path, FileRole role, WaveInfo& info);

// The repair report for a file whose size fields disagree with its length.
std::string repairReportText(uint32_t riffSize, uint32_t imageEnd, uint32_t dataSize, uint32_t usable,
                             uint32_t fileSize);
