#pragma once
// The playback record of the program state: the settings the starters apply,
// the prepared range and the streaming machine's counters. Plain data only,
// so the document can hold it; the operations are in the other headers here.
#include <array>
#include <cstdint>

// 6011 and 1023/1024 play the selected channel; 6012/6013, 1025-1028 both.
// A one-channel file always plays as `both`.
enum class ChannelPlayMode : uint8_t { selected, both };

// A width change leaves no page to convert bytes to columns for.
constexpr uint32_t kBytesPerPixelAfterWidthChange = 100;

struct PlaybackRange {
    uint32_t startOffset = 0;  // streamed: image offset; composed: offset into playBufferA
    uint32_t length = 0;       // bytes the device gets, whole frames
    int32_t startColumn = 0;   // where the line starts
    uint32_t bytesPerPixel = kBytesPerPixelAfterWidthChange;
    bool composed = false;  // pages 2-5: one buffer built from the working copy
};

enum class PlayBuffer : uint8_t { a, b };

// The streaming machine (playback/stream.h); one playback at a time.
struct StreamState {
    bool running = false;          // started and not yet ended
    bool stopAsked = false;        // WM_CLOSE seen: nothing more is queued
    uint32_t readPosition = 0;     // streamed: image offset of the next chunk
    uint32_t endPosition = 0;      // streamed: one past the range
    uint32_t chunkBytes = 0;       // Q
    std::array<bool, 2> queued{};  // per buffer: with the device, not to be refilled
    PlayBuffer turn = PlayBuffer::a;
};

struct PlaybackState {
    ChannelPlayMode channelMode = ChannelPlayMode::selected;
    bool volumeHalf = true;      // both channels at 50 %, else 100 %
    bool indicatorMode = false;  // kinds 5, 6: the line runs across display window 2
    PlaybackRange range;
    StreamState stream;
};
