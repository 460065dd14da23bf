#pragma once
// A generated recording written to disk, validated and loaded into a
// document at 1280 columns, as the benchmarks start from.
#include <string>

#include "audio_file/demo_recording.h"
#include "audio_file/wave_reader.h"
#include "document/document.h"
#include "edit/history.h"
#include "view/frames.h"
#include "view/pages.h"

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

// From page 1 to page 2 with an edit open over its whole width: the largest
// frame a tool tick works on.
inline void openWidestFrame(Document& d, ViewEvents& events) {
    enlarge(d, platformFileSystem(), events);
    d.view.editFrameLeft = 0;
    d.view.editFrameRight = 1279;
    setEditFrameBytes(d);
    openEdit(d, events);
}
