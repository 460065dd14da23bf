// hook_bench_win (under Wine): what the thread hooks cost real input, and the
// catcher's screen copy.
//   1. 10,000 pointer moves injected with SendInput, each waited for in the
//      window's procedure, without the hooks and then with the program's
//      three hooks installed; the ratio against 1.10.
//   2. The copy of a 1280 x 1024 screen into a bitmap, as the catcher takes it
//      before it shows, against half the 100 ms auto-repeat period.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "playback/playback_dialog_win.h"
#include "ui/help_popup_win.h"
#include "ui/hooks_win.h"

namespace {

constexpr int kMoves = 10000;
constexpr int kRounds = 10;
constexpr double kRatioTarget = 1.10;
constexpr double kCopyTarget = 0.050;
constexpr int kCopyWidth = 1280, kCopyHeight = 1024;

long gMoves = 0;

LRESULT CALLBACK countMoves(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_MOUSEMOVE) ++gMoves;
    return DefWindowProcW(hwnd, msg, wp, lp);
}

double seconds() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) / double(f.QuadPart);
}

// This thread's processor time: what the hooks add to the program itself,
// free of what other programs take from a busy machine.
double threadSeconds() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto value = [](const FILETIME& f) { return (double(f.dwHighDateTime) * 4294967296.0 + f.dwLowDateTime) * 1e-7; };
    return value(kernel) + value(user);
}

struct Times {
    double wall = 0, cpu = 0;
};

INPUT moveTo(int x, int y) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return in;
}

// Each move is pumped until the window has it; a move the system merged
// away is given up after 100 ms and counted.
Times injectMoves(int count, int& lost) {
    const double t0 = seconds(), c0 = threadSeconds();
    for (int i = 0; i < count; ++i) {
        INPUT in = moveTo(100 + (i & 1) * 40 + (i % 7), 100 + (i % 5));
        const long before = gMoves;
        SendInput(1, &in, sizeof in);
        const DWORD start = GetTickCount();
        while (gMoves == before && GetTickCount() - start < 100) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            MSG m;
            while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
        }
        if (gMoves == before) ++lost;
    }
    return Times{seconds() - t0, threadSeconds() - c0};
}

double copyScreen() {
    HDC screen = GetDC(nullptr);
    std::vector<double> times;
    for (int run = 0; run < 21; ++run) {
        const double t0 = seconds();
        HBITMAP bitmap = CreateCompatibleBitmap(screen, kCopyWidth, kCopyHeight);
        HDC copy = CreateCompatibleDC(screen);
        HGDIOBJ old = SelectObject(copy, bitmap);
        BitBlt(copy, 0, 0, kCopyWidth, kCopyHeight, screen, 0, 0, SRCCOPY);
        SelectObject(copy, old);
        DeleteDC(copy);
        DeleteObject(bitmap);
        times.push_back(seconds() - t0);
    }
    ReleaseDC(nullptr, screen);
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    wc.lpfnWndProc = countMoves;
    wc.hInstance = instance;
    wc.lpszClassName = L"HookBench";
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    RegisterClassW(&wc);
    HWND window = CreateWindowExW(0, wc.lpszClassName, L"hook bench", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr,
                                  nullptr, instance, nullptr);
    SetForegroundWindow(window);
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);

    // The program's own hooks, acting on a help popup and an idle playback.
    ThreadHooks hooks;
    HelpPopup help;
    PlaybackDialog playback;
    hooks.targets.help = &help;
    hooks.targets.playback = &playback;
    int lostWithout = 0, lostWith = 0;
    injectMoves(kMoves / kRounds, lostWithout);  // warm-up
    lostWithout = 0;
    // In turns, so that a busy machine slows both alike.
    Times without, with;
    for (int round = 0; round < kRounds; ++round) {
        const Times a = injectMoves(kMoves / kRounds, lostWithout);
        if (!installThreadHooks(hooks, GetCurrentThreadId())) {
            std::printf("hooks could not be installed\n");
            return 1;
        }
        const Times b = injectMoves(kMoves / kRounds, lostWith);
        removeThreadHooks(hooks);
        without.wall += a.wall;
        without.cpu += a.cpu;
        with.wall += b.wall;
        with.cpu += b.cpu;
    }
    std::printf(
        "%d moves each: %.3f s (%.3f s of this thread) without hooks (%d merged), %.3f s (%.3f s) with them "
        "(%d merged)\n",
        kMoves, without.wall, without.cpu, lostWithout, with.wall, with.cpu, lostWith);
    const double ratio = with.wall / without.wall;
    std::printf("ratio with/without: %.3f wall (target <= %.2f: %s), %.3f of this thread's time\n", ratio, kRatioTarget,
                ratio <= kRatioTarget ? "met" : "missed", with.cpu / without.cpu);
    const double copy = copyScreen();
    std::printf("catcher's screen copy %dx%d: %.2f ms (target <= %.0f ms: %s)\n", kCopyWidth, kCopyHeight, copy * 1e3,
                kCopyTarget * 1e3, copy <= kCopyTarget ? "met" : "missed");
    DestroyWindow(window);
    return 0;
}
