// Velkor's entry. For now: validate and load one file, then show a plain
// window titled with its name and length.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "audio_file/demo_recording.h"
#include "audio_file/file_image.h"
#include "audio_file/progress_dialog_win.h"
#include "audio_file/time_text.h"
#include "audio_file/wave_reader.h"
#include "common/message_box_win.h"
#include "common/utf16_win.h"
#include "resources/ids.h"

namespace {

constexpr wchar_t kMainClass[] = L"MainWndClass";

LRESULT CALLBACK mainWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// The last argument names the file; quotes are handled by the shell parser.
std::wstring lastArgument() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::wstring last = argv && argc > 1 ? argv[argc - 1] : L"";
    LocalFree(argv);
    return last;
}

// With no file named, a generated recording with three clicks.
std::string demoRecording() {
    wchar_t dir[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, dir);
    const std::string path = narrow(std::wstring(dir, n)) + "velkor_demo.wav";
    FileSystem& fs = platformFileSystem();
    if (!fs.exists(path)) {
        RecordingSpec spec;
        spec.frames = 44100 * 30;
        auto out = fs.create(path);
        if (!out || !writeRecording(*out, spec)) return std::string();
    }
    return path;
}

std::wstring baseName(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

uint64_t freeAddressSpace() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    return GlobalMemoryStatusEx(&status) ? status.ullAvailVirtual : 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_PAGESCROLLER_CLASS |
                                             ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = mainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_VELKOR));
    wc.hIconSm = wc.hIcon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kMainClass;
    if (!RegisterClassExW(&wc)) return 0;

    std::wstring argument = lastArgument();
    const std::string path = argument.empty() ? demoRecording() : narrow(argument);
    FileSystem& fs = platformFileSystem();

    WaveInfo edit;
    const Status validated = validateWave(fs, path, FileRole::edit, edit);
    if (!validated.message.empty()) showMessage(nullptr, validated.message);
    if (!validated.ok()) return 0;

    const int frameX = GetSystemMetrics(SM_CXSIZEFRAME), frameY = GetSystemMetrics(SM_CYSIZEFRAME);
    HWND main = CreateWindowExW(0, kMainClass, L"", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                                CW_USEDEFAULT, 640 + 2 * frameX,
                                2 * frameY + GetSystemMetrics(SM_CYCAPTION) + 346, nullptr, nullptr, instance,
                                nullptr);
    if (!main) return 0;

    FileImage image;
    {
        ProgressDialog progress(main);
        const Status loaded = loadFileImage(fs, path, edit, freeAddressSpace(), image, progress);
        if (!loaded.ok()) {
            if (!loaded.message.empty()) showMessage(main, loaded.message);
            DestroyWindow(main);
            return 0;
        }
    }
    const std::wstring title = L"雑音編集　" + baseName(widen(path)) + L"　" +
                               widen(timeText(edit.dataEnd - edit.dataOffset, edit));
    SetWindowTextW(main, title.c_str());
    ShowWindow(main, SW_SHOW);
    UpdateWindow(main);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
