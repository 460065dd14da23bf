#pragma once
// Move-only owner of one Win32 handle; Traits gives its invalid value and close.
#include <windows.h>

#include <commctrl.h>
#include <mmsystem.h>

#include <utility>

template <typename Traits>
class Unique {
public:
    using Handle = typename Traits::Handle;
    Unique() = default;
    explicit Unique(Handle h) noexcept : h_(h) {}
    Unique(Unique&& o) noexcept : h_(o.release()) {}
    Unique& operator=(Unique&& o) noexcept {
        reset(o.release());
        return *this;
    }
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    ~Unique() { reset(); }
    Handle get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != Traits::invalid(); }
    Handle release() noexcept { return std::exchange(h_, Traits::invalid()); }
    void reset(Handle h = Traits::invalid()) noexcept {
        if (*this) Traits::close(h_);
        h_ = h;
    }

private:
    Handle h_ = Traits::invalid();
};

struct FileTraits {
    using Handle = HANDLE;
    static Handle invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(Handle h) noexcept { CloseHandle(h); }
};
using UniqueFile = Unique<FileTraits>;

struct FindTraits {  // a directory search: FindFirstFileExW
    using Handle = HANDLE;
    static Handle invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(Handle h) noexcept { FindClose(h); }
};
using UniqueFind = Unique<FindTraits>;

struct KernelTraits {  // mutexes, events: null when invalid
    using Handle = HANDLE;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { CloseHandle(h); }
};
using UniqueKernel = Unique<KernelTraits>;

struct GdiTraits {
    using Handle = HGDIOBJ;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { DeleteObject(h); }
};
using UniqueGdiObject = Unique<GdiTraits>;

struct HookTraits {
    using Handle = HHOOK;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { UnhookWindowsHookEx(h); }
};
using UniqueHook = Unique<HookTraits>;

struct WindowTraits {
    using Handle = HWND;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { DestroyWindow(h); }
};
using UniqueWindow = Unique<WindowTraits>;

struct MenuTraits {
    using Handle = HMENU;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { DestroyMenu(h); }
};
using UniqueMenu = Unique<MenuTraits>;

struct ImageListTraits {
    using Handle = HIMAGELIST;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept { ImageList_Destroy(h); }
};
using UniqueImageList = Unique<ImageListTraits>;

struct WaveOutTraits {  // buffers still queued come back first, so the close succeeds
    using Handle = HWAVEOUT;
    static Handle invalid() noexcept { return nullptr; }
    static void close(Handle h) noexcept {
        waveOutReset(h);
        waveOutClose(h);
    }
};
using UniqueWaveOut = Unique<WaveOutTraits>;

// GetDC's device context, given back to its window.
struct WindowDc {
    HWND window = nullptr;
    HDC dc = nullptr;
    bool operator!=(const WindowDc& o) const noexcept { return window != o.window || dc != o.dc; }
};
struct WindowDcTraits {
    using Handle = WindowDc;
    static Handle invalid() noexcept { return {}; }
    static void close(Handle h) noexcept { ReleaseDC(h.window, h.dc); }
};
using UniqueWindowDc = Unique<WindowDcTraits>;

// A window timer.
struct WindowTimer {
    HWND window = nullptr;
    UINT_PTR id = 0;
    bool operator!=(const WindowTimer& o) const noexcept { return window != o.window || id != o.id; }
};
struct TimerTraits {
    using Handle = WindowTimer;
    static Handle invalid() noexcept { return {}; }
    static void close(Handle h) noexcept { KillTimer(h.window, h.id); }
};
using UniqueTimer = Unique<TimerTraits>;
