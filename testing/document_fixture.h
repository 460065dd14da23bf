#pragma once
// A loaded document for core tests: a generated or hand-made file, validated,
// loaded and given its working buffers, with the view built.
#include <memory>
#include <string>
#include <vector>

#include "audio_file/demo_recording.h"
#include "audio_file/tests/memory_file_system.h"
#include "document/document.h"
#include "document/view_events.h"
#include "edit/band_mode.h"

struct LoadedDocument {
    MemoryFileSystem fs;
    std::unique_ptr<Document> doc = std::make_unique<Document>();
    std::vector<uint8_t> original;  // the file's bytes

    Document& operator*() { return *doc; }
    Document* operator->() { return doc.get(); }
    // The image bytes that hold the file.
    std::vector<uint8_t> imageBytes() const;
};

// Loads `bytes` as the edit file (and optionally `backup`) at `width` columns.
std::unique_ptr<LoadedDocument> loadDocument(const std::vector<uint8_t>& bytes, int32_t width = 640,
                                             const std::vector<uint8_t>* backup = nullptr);
std::unique_ptr<LoadedDocument> loadRecording(const RecordingPlan& plan, int32_t width = 640);

// A 20-second generated chord with its clicks.
std::unique_ptr<LoadedDocument> loadChord(uint16_t channels = 2, uint32_t rate = 44100, int32_t width = 640);
// A mono 16-bit file of `frames` frames of silence.
std::vector<uint8_t> silentMonoWave(uint32_t frames);
// Into the edit view, then enlarged down to `page`; the events of every step.
ViewEvents enterPage(LoadedDocument& l, int page);
// An edit frame from column `from` to `to`, dragged and held long enough to be one.
void markFrame(Document& d, int32_t from, int32_t to);
// The transform's tables and scratch, kept for the test program's life as
// the main window keeps them, with the band `index`.
BandSplit bandSplit(int32_t index = 1);
