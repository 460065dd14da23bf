#pragma once
// A generated recording written to disk, validated and loaded into a
// document at 1280 columns, as the benchmarks start from.
#include <string>

#include "app/document.h"
#include "audio_file/demo_recording.h"
#include "audio_file/wave_reader.h"

// False when the file cannot be written or loaded. The file stays at `path`.
inline bool loadBenchDocument(const std::string& path, const RecordingPlan& plan, Document& d) {
    FileSystem& fs = platformFileSystem();
    {
        auto out = fs.create(path);
        if (!out || !writeRecording(*out, plan)) return false;
    }
    d.editPath = path;
    SilentProgress progress;
    if (!validateWave(fs, path, FileRole::edit, d.edit).ok() ||
        !loadFileImage(fs, path, d.edit, 1ull << 40, d.image, progress).ok() || !d.pages.allocate())
        return false;
    d.view.screenWidth = 1280;
    buildScales(d.view, d.edit);
    return true;
}
