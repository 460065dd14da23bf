#pragma once
// The program's state: one edit file, one backup file, one view, one edit.
// Owned by the main window and passed explicitly to every operation.
#include <array>
#include <cstdint>
#include <string>

#include "audio_file/file_image.h"
#include "audio_file/wave_info.h"
#include "document/history_state.h"
#include "document/page_buffers.h"
#include "document/playback_state.h"
#include "document/view_state.h"

constexpr int32_t kMaxColumns = 1280;
// Automatic shortening runs its steps in batches of 0 ... this one.
constexpr int32_t kShorteningBatchLastStep = 40;

// Mouse state of the waveform area between a press and its release.
struct PointerState {
    uint32_t pressTime = 0;  // ms, the clock of the press
    int32_t savedLeft = 0;   // the edit frame's columns before the press
    int32_t savedRight = 0;
};

struct Document {
    std::string editPath;    // UTF-8, full path
    std::string backupPath;  // empty: no backup file chosen
    WaveInfo edit;
    WaveInfo backup;
    FileImage image;
    PageBuffers pages;
    ViewState view;
    PointerState pointer;
    History history;
    std::array<int32_t, kMaxColumns> whiteWaveform{};  // kept by passes that ask for it
    bool slideGainActive = false;                      // page 5: the gain was set over the whole of page 4
    int32_t slideStep = 0;
    bool bandEditing = false;
    int32_t shorteningAutoSteps = 0;  // 0 manual; automatic: the last step of a batch
    int32_t endOfRangeCount = 0;      // descents whose maximum sat at the right end
    PlaybackState playback;

    // What the drawing has kept stays valid until these move: the image's
    // samples (gain on page 1, write-back) and the working copy as a whole.
    uint32_t imageGeneration = 0;
    uint32_t workGeneration = 0;
    // Columns of the current page whose samples a tool changed since the last paint.
    struct Damage {
        int32_t left = 0, right = -1;
        void add(int32_t l, int32_t r) {
            if (right < left)
                left = l, right = r;
            else
                left = l < left ? l : left, right = r > right ? r : right;
        }
        bool empty() const { return right < left; }
    } damage;

    bool hasBackup() const { return !backupPath.empty(); }
    bool stereo() const { return edit.format.channels == 2; }
    // The file the reference audio is read from: the backup, else the edit file as on disk.
    const std::string& referencePath() const { return hasBackup() ? backupPath : editPath; }
};
