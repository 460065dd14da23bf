#pragma once
// A loaded document for core tests: a generated or hand-made file, validated,
// loaded and given its working buffers, with the view built.
#include <memory>
#include <string>
#include <vector>

#include "app/document.h"
#include "audio_file/demo_recording.h"
#include "audio_file/tests/memory_file_system.h"

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
