#include "testing/document_fixture.h"

#include <stdexcept>

#include "audio_file/tests/wave_builder.h"
#include "audio_file/wave_reader.h"
#include "view/frames.h"
#include "view/pages.h"

std::vector<uint8_t> LoadedDocument::imageBytes() const {
    return std::vector<uint8_t>(doc->image.bytes(), doc->image.bytes() + doc->image.imageSize);
}

std::unique_ptr<LoadedDocument> loadDocument(const std::vector<uint8_t>& bytes, int32_t width,
                                             const std::vector<uint8_t>* backup) {
    auto l = std::make_unique<LoadedDocument>();
    l->original = bytes;
    l->fs.files["edit.wav"] = bytes;
    Document& d = *l->doc;
    d.editPath = "edit.wav";
    if (!validateWave(l->fs, d.editPath, FileRole::edit, d.edit).ok()) throw std::runtime_error("edit file refused");
    if (backup) {
        l->fs.files["backup.wav"] = *backup;
        d.backupPath = "backup.wav";
        if (!validateWave(l->fs, d.backupPath, FileRole::backup, d.backup).ok())
            throw std::runtime_error("backup file refused");
    }
    SilentProgress progress;
    if (!loadFileImage(l->fs, d.editPath, d.edit, 1ull << 40, d.image, progress).ok())
        throw std::runtime_error("load failed");
    if (!d.pages.allocate()) throw std::runtime_error("no memory");
    d.view.screenWidth = width;
    buildScales(d.view, d.edit);
    return l;
}

std::unique_ptr<LoadedDocument> loadRecording(const RecordingPlan& plan, int32_t width) {
    return loadDocument(makeRecording(plan), width);
}

std::unique_ptr<LoadedDocument> loadChord(uint16_t channels, uint32_t rate, int32_t width) {
    RecordingPlan plan;
    plan.channels = channels;
    plan.rate = rate;
    plan.frames = uint64_t(rate) * 20;
    return loadRecording(plan, width);
}

std::vector<uint8_t> silentMonoWave(uint32_t frames) {
    return riffFile({chunk("fmt ", fmtPayload(pcmFormat(1, 16))), chunk("data", std::vector<uint8_t>(2 * frames, 0))});
}

ViewEvents enterPage(LoadedDocument& l, int page) {
    ViewEvents e;
    enterEditView(*l, l.fs, 0, e);
    for (int step = 0; step < 5 && l->view.page < page; ++step) enlarge(*l, l.fs, e);
    return e;
}

void markFrame(Document& d, int32_t from, int32_t to) {
    ViewEvents e;
    pressWaveform(d, from, 0, false, e);
    dragWaveform(d, to);
    releaseWaveform(d, 1000, e);
}

BandSplit bandSplit(int32_t index) {
    static const std::unique_ptr<SpectrumTables> tables = [] {
        auto t = std::make_unique<SpectrumTables>();
        buildSpectrumTables(*t, 640);
        return t;
    }();
    static const std::unique_ptr<TransformBuffers> buffers = std::make_unique<TransformBuffers>();
    return BandSplit{*tables, *buffers, index};
}
