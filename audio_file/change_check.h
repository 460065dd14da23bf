#pragma once
#include <cstdint>
#include <string>

#include "audio_file/file_image.h"
#include "audio_file/wave_info.h"
#include "common/file_system.h"
#include "common/message.h"
#include "common/progress.h"

// The three kinds of change position: none, unknown, or the offset of the
// first byte of the edit file that the image no longer holds.
constexpr uint64_t noChange(uint32_t imageSize) { return imageSize; }
constexpr uint64_t unknownChange(uint32_t imageSize) { return uint64_t(imageSize) + 1; }

// Compares the image with the edit file on disk page by page (a page-2
// stretch at this width) through the image's FilePageBuffer. Sets `position`
// on every path; refused carries the failure message to show, cancelled
// means the user stopped it (both leave the change unknown).
Status checkForChanges(FileSystem& fs, const std::string& editPath, const WaveInfo& edit, FileImage& image,
                       int32_t screenWidth, Progress& progress, uint64_t& position);
