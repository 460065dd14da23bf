#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_system.h"
#include "common/message.h"
#include "common/progress.h"

// The file the image is written to before it takes the target's place: one
// name per target, beside it.
constexpr std::string_view kTemporarySuffix = ".velkor.tmp";
std::string temporarySaveName(const std::string& target);

// Whether `tail`, after a target's name, names a temporary file of this
// program: the one name used now, or a numbered one (".velkor0.tmp",
// ".velkor1.tmp", ...) that earlier versions chose afresh for every save.
bool isTemporaryTail(std::string_view tail);
// Paths of the program's own dialogs, which compare letters without case.
bool samePath(const std::string& a, const std::string& b);

// Writes `size` bytes to `target` in 100 steps with progress. First the
// temporary files an interrupted save left beside the target go (never one
// of `inUse`, the files the session reads). The bytes go to a temporary file,
// which replaces the target only when every byte is written and flushed; on
// failure or cancel only the temporary file goes, so an existing target is
// never damaged. The status carries the message to show: the notice on
// success, else the failure (a cancel reports it too).
Status saveImage(FileSystem& fs, const std::string& target, const uint8_t* bytes, uint32_t size, Progress& progress,
                 const std::vector<std::string>& inUse);
