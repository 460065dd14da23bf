#include "playback/playback_dialog_win.h"

#include <mmreg.h>

#include <algorithm>

#include "common/message_box_win.h"
#include "common/utf16_win.h"
#include "playback/messages.h"
#include "playback/output_format.h"
#include "playback/stream.h"
#include "resources/ids.h"

namespace {

constexpr UINT_PTR kTimerLine = 402;
constexpr UINT kLinePeriodMs = 5;
constexpr UINT kMsgRefill = WM_APP + 3;

PlaybackDialog* dialogOf(HWND hwnd) { return reinterpret_cast<PlaybackDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER)); }

size_t index(PlayBuffer b) { return b == PlayBuffer::a ? 0 : 1; }

void drawLine(HDC dc, int32_t column, const LineRows& rows) {
    const int old = SetROP2(dc, R2_NOT);
    MoveToEx(dc, column, rows.top, nullptr);
    LineTo(dc, column, rows.bottom);
    SetROP2(dc, old);
}

HWND targetWindow(const PlaybackDialog& p) {
    switch (p.line.target) {
        case LineTarget::mainWindow: return p.windows.main;
        case LineTarget::editWindow: return p.windows.edit;
        case LineTarget::indicator: return p.windows.indicator;
    }
    return nullptr;
}

// The device's own text for an error, in a box the dialog does not own.
void report(HWND owner, MMRESULT error) {
    wchar_t text[512] = {};  // 1024 bytes
    waveOutGetErrorTextW(error, text, 512);
    showMessage(owner, playbackErrorMessage(narrow(text)));
}

MMRESULT openDevice(PlaybackDialog& p) {
    const OutputFormat f = outputFormat(p.doc->edit);
    WAVEFORMATEXTENSIBLE format{};
    format.Format.wFormatTag = f.formatTag;
    format.Format.nChannels = f.channels;
    format.Format.nSamplesPerSec = f.samplesPerSecond;
    format.Format.nAvgBytesPerSec = f.averageBytesPerSecond;
    format.Format.nBlockAlign = f.blockAlign;
    format.Format.wBitsPerSample = f.bitsPerSample;
    format.Format.cbSize = f.cbSize;
    if (f.extensible()) {
        format.Samples.wValidBitsPerSample = f.validBitsPerSample;
        format.dwChannelMask = f.channelMask;
        format.SubFormat.Data1 = f.subFormat.data1;
        format.SubFormat.Data2 = f.subFormat.data2;
        format.SubFormat.Data3 = f.subFormat.data3;
        std::copy(f.subFormat.data4.begin(), f.subFormat.data4.end(), format.SubFormat.Data4);
    }
    HWAVEOUT device = nullptr;
    const MMRESULT result = waveOutOpen(&device, WAVE_MAPPER, &format.Format, DWORD_PTR(p.hwnd), 0, CALLBACK_WINDOW);
    if (result == MMSYSERR_NOERROR) p.device.reset(device);
    return result;
}

void unprepare(PlaybackDialog& p, WAVEHDR& header) {
    if (p.device && (header.dwFlags & WHDR_PREPARED)) waveOutUnprepareHeader(p.device.get(), &header, sizeof header);
}

// The header is prepared for each write: its length changes with the chunk.
void write(PlaybackDialog& p, const QueuedBuffer& q) {
    WAVEHDR& header = p.headers[index(q.buffer)];
    header = WAVEHDR{};
    header.lpData = reinterpret_cast<LPSTR>(const_cast<uint8_t*>(q.data));
    header.dwBufferLength = q.bytes;
    header.dwFlags = WHDR_BEGINLOOP | WHDR_ENDLOOP;
    header.dwLoops = 1;
    HWAVEOUT device = p.device.get();
    if (waveOutPrepareHeader(device, &header, sizeof header) == MMSYSERR_NOERROR &&
        waveOutWrite(device, &header, sizeof header) == MMSYSERR_NOERROR)
        return;
    // Not reported, but heard back as returned, so the playback still ends.
    unprepare(p, header);
    PostMessageW(p.hwnd, MM_WOM_DONE, WPARAM(device), LPARAM(&header));
}

// The device, the line, the timer: whatever is still held, given back. The
// machine goes idle and the line's next target is the waveform again.
void release(PlaybackDialog& p) {
    p.timer.reset();
    if (p.lineDrawn && p.dc) drawLine(p.dc.get().dc, p.line.column, p.line.rows);
    p.lineDrawn = false;
    p.dc.reset();
    if (p.device) {
        waveOutReset(p.device.get());  // a running playback: its buffers come back first
        for (WAVEHDR& header : p.headers) unprepare(p, header);
        p.device.reset();
    }
    p.headers = {};
    if (p.playing && p.doc) endPlayback(*p.doc);
    p.playing = false;
    p.stopAsked = false;
    p.target = nullptr;
}

void end(PlaybackDialog& p) {
    HWND dialog = p.hwnd;
    release(p);
    if (dialog) DestroyWindow(dialog);
}

void resetDevice(PlaybackDialog& p) {
    const MMRESULT result = waveOutReset(p.device.get());
    if (result == MMSYSERR_NOERROR) return;
    // The buffers still come back and end it. Hidden meanwhile, so that a
    // click on the box is the box's and not another stop.
    HWND dialog = p.hwnd;
    ShowWindow(dialog, SW_HIDE);
    report(GetWindow(dialog, GW_OWNER), result);
    if (p.hwnd == dialog) ShowWindow(dialog, SW_SHOWNA);
}

void carryOut(PlaybackDialog& p, const StreamActions& a) {
    for (int i = 0; i < a.queueCount; ++i) write(p, a.queue[size_t(i)]);
    if (a.postRefill) PostMessageW(p.hwnd, kMsgRefill, 0, 0);
    if (a.reset) resetDevice(p);
    if (a.end) end(p);
}

// Where the dialog shows: the top-left of the window the line runs in, or
// of the edit window when it runs in the indicator, which it would cover.
void place(PlaybackDialog& p) {
    HWND at = p.line.target == LineTarget::indicator ? p.windows.edit : p.target;
    RECT r{};
    if (at) GetWindowRect(at, &r);
    SetWindowPos(p.hwnd, nullptr, std::max(r.left, p.desktop.left), r.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
    SetFocus(p.hwnd);  // Enter stops
}

INT_PTR onInit(PlaybackDialog& p) {
    Document& doc = *p.doc;
    p.initialised = true;
    p.playing = true;
    RECT client{};
    if (p.windows.indicator) GetClientRect(p.windows.indicator, &client);
    p.line = openLine(doc, LineRows{client.top, client.bottom});
    p.target = targetWindow(p);
    place(p);
    SetWindowTextW(p.hwnd, widen(kPlayTitlePreparing).c_str());
    const MMRESULT opened = openDevice(p);
    if (opened != MMSYSERR_NOERROR) {
        HWND owner = GetWindow(p.hwnd, GW_OWNER);
        end(p);
        report(owner, opened);
        return FALSE;
    }
    carryOut(p, startPlayback(doc));
    if (!p.hwnd) return FALSE;  // nothing to play: ended already
    SetWindowTextW(p.hwnd, widen(kPlayTitlePlaying).c_str());
    if (p.target) {
        p.dc.reset(WindowDc{p.target, GetDC(p.target)});
        if (p.dc.get().dc) {
            drawLine(p.dc.get().dc, p.line.column, p.line.rows);
            p.lineDrawn = true;
        }
    }
    if (SetTimer(p.hwnd, kTimerLine, kLinePeriodMs, nullptr)) p.timer.reset(WindowTimer{p.hwnd, kTimerLine});
    return FALSE;  // the focus is set
}

// Timer 402: the line follows the device; past the range the dialog stops itself.
void onTimer(PlaybackDialog& p) {
    if (!p.device) return;
    MMTIME time{};
    time.wType = TIME_BYTES;
    if (waveOutGetPosition(p.device.get(), &time, sizeof time) != MMSYSERR_NOERROR || time.wType != TIME_BYTES) return;
    const uint32_t position = time.u.cb;
    const LineMove move = followPosition(*p.doc, p.line, position);
    if (move.moved && p.lineDrawn) {
        drawLine(p.dc.get().dc, move.from, p.line.rows);
        drawLine(p.dc.get().dc, move.to, p.line.rows);
    }
    if (playedPastEnd(*p.doc, position)) SendMessageW(p.hwnd, WM_CLOSE, 0, 0);
}

void onDone(PlaybackDialog& p, HWAVEOUT device, WAVEHDR* header) {
    if (!p.device || device != p.device.get()) return;  // a report of a device closed since
    for (PlayBuffer b : {PlayBuffer::a, PlayBuffer::b}) {
        WAVEHDR& h = p.headers[index(b)];
        if (header != &h) continue;
        unprepare(p, h);
        carryOut(p, bufferDone(*p.doc, b));
        return;
    }
}

void onRefill(PlaybackDialog& p) {
    if (p.device) carryOut(p, refillRequested(*p.doc));
}

void onClose(PlaybackDialog& p) {
    if (!p.device || p.stopAsked) return;
    p.stopAsked = true;
    carryOut(p, stopPlayback(*p.doc));
}

INT_PTR CALLBACK playbackDialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(hwnd, DWLP_USER, lp);
        auto* p = reinterpret_cast<PlaybackDialog*>(lp);
        p->hwnd = hwnd;
        return onInit(*p);
    }
    PlaybackDialog* p = dialogOf(hwnd);
    if (!p) return FALSE;
    switch (msg) {
        case WM_TIMER:
            if (wp == kTimerLine) onTimer(*p);
            return TRUE;
        case MM_WOM_DONE: onDone(*p, reinterpret_cast<HWAVEOUT>(wp), reinterpret_cast<WAVEHDR*>(lp)); return TRUE;
        case kMsgRefill: onRefill(*p); return TRUE;
        case WM_CLOSE: onClose(*p); return TRUE;
        case WM_KEYDOWN:
            if (wp == VK_RETURN) SendMessageW(hwnd, WM_CLOSE, 0, 0);
            return TRUE;
        case WM_DESTROY:
            // Destroyed with its owner: nothing may stay open or drawn.
            release(*p);
            SetWindowLongPtrW(hwnd, DWLP_USER, 0);
            if (p->hwnd == hwnd) p->hwnd = nullptr;
            return TRUE;
    }
    return FALSE;
}

}  // namespace

bool openPlaybackDialog(PlaybackDialog& p, HWND owner, const LineWindows& windows) {
    if (p.hwnd) return true;  // still ending: nothing starts
    p.windows = windows;
    p.initialised = false;
    HWND dialog = CreateDialogParamW(p.instance, MAKEINTRESOURCEW(IDD_PLAYBACK), owner, playbackDialogProc,
                                     reinterpret_cast<LPARAM>(&p));
    if (dialog || p.initialised) return true;
    // Never made: the prepared range plays nowhere, and the line's target is the waveform again.
    if (p.doc && !p.hwnd) endPlayback(*p.doc);
    return false;
}

bool playbackShown(const PlaybackDialog& p) { return p.hwnd && IsWindowVisible(p.hwnd); }

void stopPlaybackDialog(PlaybackDialog& p) {
    if (p.hwnd) SendMessageW(p.hwnd, WM_CLOSE, 0, 0);
}

void endPlaybackNow(PlaybackDialog& p) {
    if (p.hwnd) end(p);
}

void redrawPlaybackLine(const PlaybackDialog& p, HWND window, HDC dc) {
    if (p.lineDrawn && window && window == p.target) drawLine(dc, p.line.column, p.line.rows);
}
