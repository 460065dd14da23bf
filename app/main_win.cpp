// Velkor's entry: the window classes, the main window and the message loop.
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "app/edit_window_win.h"
#include "app/file_names.h"
#include "app/main_window_win.h"
#include "common/utf16_win.h"
#include "resources/ids.h"
#include "spectrum/spectrum_window_win.h"
#include "ui/help_popup_win.h"

namespace {

struct WindowClass {
    const wchar_t* name;
    UINT style;
    int brush;  // stock object
    int menu;   // 0: none
    WNDPROC procedure;
};

constexpr WindowClass kClasses[] = {
    {L"MainWndClass", CS_HREDRAW | CS_VREDRAW, BLACK_BRUSH, IDM_MAIN, mainWindowProc},
    {L"EditWndClass", CS_HREDRAW, BLACK_BRUSH, 0, editWindowProc},
    {L"NullBkgWndClass", CS_HREDRAW | CS_VREDRAW, NULL_BRUSH, 0, catcherWindowProc},
    {L"HelpTextWndClass", CS_HREDRAW | CS_VREDRAW, WHITE_BRUSH, 0, helpTextWindowProc},
    {L"SpectrumWndClass", CS_HREDRAW | CS_VREDRAW, WHITE_BRUSH, 0, spectrumWindowProc},
};

bool registerClasses(HINSTANCE instance) {
    HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_VELKOR));
    for (const WindowClass& c : kClasses) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = c.style;
        wc.lpfnWndProc = c.procedure;
        wc.hInstance = instance;
        wc.hIcon = icon;
        wc.hIconSm = icon;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(c.brush));
        wc.lpszMenuName = c.menu ? MAKEINTRESOURCEW(c.menu) : nullptr;
        wc.lpszClassName = c.name;
        if (!RegisterClassExW(&wc)) return false;
    }
    return true;
}

// The program file's full name, however long.
std::string programPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, &path[0], DWORD(path.size()));
        if (n == 0) return std::string();
        if (n < path.size()) {
            path.resize(n);
            return narrow(path);
        }
        path.resize(path.size() * 2);
    }
}

// Split by the shell's rules, so quoted names with spaces arrive whole.
std::vector<std::string> commandLineArguments() {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 0; argv && i < count; ++i) arguments.push_back(narrow(argv[i]));
    LocalFree(argv);
    return arguments;
}

int runLoop(MainWindow& w) {
    HACCEL keys = LoadAcceleratorsW(w.instance, MAKEINTRESOURCEW(IDA_EDIT_KEYS));
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // F1-F4 belong to the edit window whichever window has the focus.
        if (keys && w.edit.hwnd && TranslateAcceleratorW(w.edit.hwnd, keys, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    if (!registerClasses(instance)) return 0;
    MainWindow w;
    w.instance = instance;
    w.programPath = programPath();
    w.commandLineFile = commandLineFile(commandLineArguments());
    HWND main =
        CreateWindowExW(0, L"MainWndClass", L"", WS_CAPTION | WS_SYSMENU, 0, 0, 0, 0, nullptr, nullptr, instance, &w);
    if (!main) return 0;
    ShowWindow(main, SW_SHOW);
    UpdateWindow(main);
    return runLoop(w);
}
