#pragma once
#include <cstdint>
#include <string>

#include "common/file_system.h"
#include "common/message.h"
#include "common/progress.h"

// The file the image is written to before it takes the target's place:
// beside the target, under a name no file has yet.
std::string temporarySaveName(FileSystem& fs, const std::string& target);

// Writes `size` bytes to `target` in 100 steps with progress. The bytes go to
// a temporary file first, which replaces the target only when every byte is
// written and flushed; on failure or cancel only the temporary file goes, so
// an existing target is never damaged. The status carries the message to
// show: the notice on success, else the failure (a cancel reports it too).
Status saveImage(FileSystem& fs, const std::string& target, const uint8_t* bytes, uint32_t size, Progress& progress);
