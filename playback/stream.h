#pragma once
// Playing a prepared range: a machine the playback dialog drives with the
// device's events and whose actions it carries out. Streamed ranges go
// through playBufferA and playBufferB in chunks of Q bytes; a composed range
// is one write of playBufferA. The device gets exactly the range, in order:
// the last chunk carries only the bytes left, and nothing is queued after a
// stop. Buffers are filled here, never while the device holds them.
#include <array>
#include <cstdint>

#include "document/document.h"

struct QueuedBuffer {
    PlayBuffer buffer = PlayBuffer::a;
    const uint8_t* data = nullptr;
    uint32_t bytes = 0;  // may differ between writes of one header: prepare it each time
};

struct StreamActions {
    std::array<QueuedBuffer, 2> queue{};  // waveOutWrite these, in this order
    int queueCount = 0;
    bool postRefill = false;  // post WM_APP + 3 to the dialog
    bool reset = false;       // waveOutReset: buffers are still queued
    bool end = false;         // nothing queued, nothing more to play: End now
};

// Q: the bytes of the page-2 stretch, whatever the page.
uint32_t chunkBytes(const Document& doc);
// WM_INITDIALOG, device open: the first one or two buffers. An unusable range
// queues nothing and ends at once.
StreamActions startPlayback(Document& doc);
// MM_WOM_DONE for that buffer.
StreamActions bufferDone(Document& doc, PlayBuffer buffer);
// WM_APP + 3, also when it arrives late: after the last chunk or a stop it queues nothing.
StreamActions refillRequested(Document& doc);
// WM_CLOSE (position past the end, Enter, a click): nothing more is queued.
StreamActions stopPlayback(Document& doc);
// Every end, a failed open and an owner going first: machine idle, IndicatorMode cleared.
void endPlayback(Document& doc);
// Preparing is refused while this holds: the device reads the play buffers.
bool playbackRunning(const Document& doc);

// One chunk in the device's bytes: image [from, from + bytes), whole frames,
// in the channel mode (silenced and halved as SampleValues).
void fillChunk(const Document& doc, uint8_t* out, uint32_t from, uint32_t bytes);
