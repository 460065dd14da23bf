// velkor_driver: drives Velkor under Wine the way a user would and prints
// what a user would see, one UTF-8 line per fact.
//   wait CLASS TITLE [ms]        a visible top-level window (* matches any; TITLE* a prefix)
//   gone CLASS TITLE [ms]        until no such window is visible
//   msgbox [ms]                  the message box on screen: "caption\t..." and "text\t..." (\n as \\n)
//   buttons [ms]                 the message box's button texts, tab-separated
//   filedialog [ms]              the title of the open or save-as dialog on screen (it holds control 1148)
//   press CAPTION ID [ms]        clicks button ID of the dialog titled CAPTION
//   enabled CAPTION ID [ms]      "1" or "0": whether button ID of that dialog is enabled
//   title CLASS [ms]             the title of the first visible window of CLASS
//   close CLASS TITLE [ms]       posts WM_CLOSE, as the window's close box does
//   rect CAPTION ID [ms]         screen rectangle "left top right bottom" of control ID of a dialog
//   client CLASS TITLE [ms]      screen position "x y" of the window's client origin
//   csize CLASS TITLE [ms]       "width height" of the window's client area
//   settext CAPTION ID TEXT [ms] sets the text of control ID of a dialog (a file name box)
//   text CLASS TITLE ID [ms]     the text of child ID of a visible window (a status bar: its first part)
//   count CLASS TITLE            how many visible windows match, at once
//   command CLASS ID [ms]        posts WM_COMMAND ID, as choosing the menu item does
//   repaint CLASS [ms]           the whole window to be painted again, as when another window uncovers it
//   size CLASS TITLE [ms]        "width height" of the window
//   wrect CLASS TITLE [ms]       screen rectangle "left top right bottom" of the window
//   checked CAPTION ID [ms]      "1" or "0": whether check box ID of that dialog is checked
//   hold PATH MS                 keeps the file open without sharing for MS ms ("held" once open)
//   ctext CLASS ID [ms]          the text of control ID anywhere inside the window (labels in the rebar)
//   crect CLASS ID [ms]          screen rectangle "left top right bottom" of control ID inside the window
//   visible CLASS ID             "1" or "0": whether control ID inside the window is visible
//   tbstate CLASS TB CMD         TB_GETSTATE of button CMD of toolbar TB (control ID) inside the window
//   tbhidden CLASS TB CMD        "1" or "0": TB_ISBUTTONHIDDEN
//   tbbitmap CLASS TB CMD        TB_GETBITMAP: the button's image index
//   tbrect CLASS TB CMD          screen rectangle of the button
//   rbrows CLASS                 RB_GETROWCOUNT of the window's rebar
//   rbband CLASS BAND            screen rectangle of rebar band BAND (RB_GETRECT)
//   tbenable CLASS TB CMD        enables button CMD of toolbar TB (one the program has not enabled yet)
//   swapbuttons 0|1              the user's setting that swaps the mouse buttons, saved for every program
//   foreground MS                another program in front for MS ms, at (0, 800) 200 x 150 ("active" once it is)
//   hwnd CLASS                   "HANDLE VISIBLE" of the first top-level window of CLASS, hidden ones too ("none")
//   front                        the title of the foreground window ("none")
//   when CLASS TITLE click|escape [ms]  once such a window shows, a real left click where the pointer is, or Esc
//   answers CLASS                "answered" when the window handles WM_NULL within 500 ms, else "silent"
//   help CAPTION ID X Y          sends WM_HELP for control ID of the dialog, asked with the mouse at (X, Y),
//                                as the help cursor does on controls that take no focus
//   prop CLASS NAME              the window property NAME of the first visible window of CLASS, as a number
//   timedpress CAPTION ID CLASS TITLE [MARK...]
//                                clicks button ID, then prints the ms until a CLASS TITLE window is shown and
//                                painted ("shown MS"), and for each dialog titled MARK "MARK FIRST LAST": the ms
//                                at which it was first and last seen open (benchmarks; "MARK - -" if never)
//   timedexit CAPTION ID         clicks button ID, then prints the ms until the dialog's process has ended
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "common/utf16_win.h"

namespace {

constexpr DWORD kDefaultTimeout = 20000;

void say(const std::string& line) {
    const std::string out = line + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), out.data(), DWORD(out.size()), &written, nullptr);
}

std::wstring windowText(HWND hwnd) {
    wchar_t buf[4096];
    const LRESULT n = SendMessageTimeoutW(hwnd, WM_GETTEXT, 4096, LPARAM(buf), SMTO_ABORTIFHUNG, 2000, nullptr)
                          ? SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0)
                          : 0;
    return std::wstring(buf, size_t(std::min<LRESULT>(n, 4095)));
}

std::wstring className(HWND hwnd) {
    wchar_t buf[256];
    const int n = GetClassNameW(hwnd, buf, 256);
    return std::wstring(buf, n > 0 ? size_t(n) : 0);
}

bool matches(const std::wstring& pattern, const std::wstring& value) {
    if (pattern == L"*") return true;
    if (!pattern.empty() && pattern.back() == L'*')
        return value.compare(0, pattern.size() - 1, pattern, 0, pattern.size() - 1) == 0;
    return pattern == value;
}

std::vector<HWND> topWindows() {
    std::vector<HWND> all;
    EnumWindows(
        [](HWND h, LPARAM lp) -> BOOL {
            if (IsWindowVisible(h)) reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
            return TRUE;
        },
        LPARAM(&all));
    return all;
}

HWND findWindow(const std::wstring& cls, const std::wstring& title) {
    for (HWND h : topWindows())
        if (matches(cls, className(h)) && matches(title, windowText(h))) return h;
    return nullptr;
}

template <typename F>
bool poll(DWORD timeout, F found) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (found()) return true;
        if (GetTickCount() - start > timeout) return false;
        Sleep(10);
    }
}

std::string escaped(const std::wstring& text) {
    std::string out;
    for (char c : narrow(text)) {
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            continue;
        else
            out += c;
    }
    return out;
}

HWND messageBox() {
    for (HWND h : topWindows())
        if (className(h) == L"#32770" && GetDlgItem(h, 0xFFFF)) return h;
    return nullptr;
}

// The common open or save-as dialog: its title follows Wine's language, its file name box does not.
HWND fileDialog() {
    for (HWND h : topWindows())
        if (className(h) == L"#32770" && GetDlgItem(h, 1148)) return h;
    return nullptr;
}

std::string buttonTexts(HWND box) {
    std::string out;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (className(c) != L"Button" || !IsWindowVisible(c)) continue;
        if (!out.empty()) out += '\t';
        out += escaped(windowText(c));
    }
    return out;
}

HWND waitWindow(const std::wstring& cls, const std::wstring& title, DWORD timeout) {
    HWND h = nullptr;
    poll(timeout, [&] { return (h = findWindow(cls, title)) != nullptr; });
    return h;
}

HWND waitChild(const std::wstring& cls, const std::wstring& title, int id, DWORD timeout) {
    HWND child = nullptr;
    poll(timeout, [&] {
        HWND h = findWindow(cls, title);
        return h && (child = GetDlgItem(h, id)) != nullptr;
    });
    return child;
}

// Control `id` at any depth inside the first visible window of `cls`.
HWND findControl(const std::wstring& cls, int id) {
    HWND top = findWindow(cls, L"*");
    if (!top) return nullptr;
    struct Search {
        int id;
        HWND found;
    } search{id, nullptr};
    EnumChildWindows(
        top,
        [](HWND h, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            if (GetDlgCtrlID(h) != s->id) return TRUE;
            s->found = h;
            return FALSE;
        },
        LPARAM(&search));
    return search.found;
}

HWND waitControl(const std::wstring& cls, int id, DWORD timeout) {
    HWND h = nullptr;
    poll(timeout, [&] { return (h = findControl(cls, id)) != nullptr; });
    return h;
}

// A message whose lParam points at a RECT the control fills: the RECT must
// live in the control's own process.
bool remoteRect(HWND control, UINT msg, WPARAM wp, RECT& out) {
    DWORD pid = 0;
    GetWindowThreadProcessId(control, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return false;
    void* memory = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    bool ok = false;
    if (memory) {
        DWORD_PTR result = 0;
        ok = SendMessageTimeoutW(control, msg, wp, LPARAM(memory), SMTO_ABORTIFHUNG, 2000, &result) && result &&
             ReadProcessMemory(process, memory, &out, sizeof out, nullptr);
        VirtualFreeEx(process, memory, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return ok;
}

// WM_HELP carries a pointer. Whether or not Wine copies its HELPINFO across
// processes, the record sits at the same address in both.
int sendHelp(const std::vector<std::wstring>& a) {
    HWND c = waitChild(L"#32770", a[1], _wtoi(a[2].c_str()), kDefaultTimeout);
    if (!c) return say("timeout"), 1;
    DWORD pid = 0;
    GetWindowThreadProcessId(c, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return say("no process"), 1;
    HELPINFO info{sizeof info, HELPINFO_WINDOW, GetDlgCtrlID(c), c, 0, {_wtoi(a[3].c_str()), _wtoi(a[4].c_str())}};
    void* remote = VirtualAllocEx(process, nullptr, sizeof info, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    void* local = remote ? VirtualAlloc(remote, sizeof info, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE) : nullptr;
    const bool ok = local == remote && remote && WriteProcessMemory(process, remote, &info, sizeof info, nullptr);
    if (ok) {
        *static_cast<HELPINFO*>(local) = info;
        SendMessageTimeoutW(GetParent(c), WM_HELP, 0, LPARAM(remote), SMTO_ABORTIFHUNG, 2000, nullptr);
    }
    if (local) VirtualFree(local, 0, MEM_RELEASE);
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return ok ? 0 : (say("failed"), 1);
}

std::string rectText(const RECT& r) {
    return std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) + " " +
           std::to_string(r.bottom);
}

LRESULT sendTo(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(h, msg, wp, lp, SMTO_ABORTIFHUNG, 2000, &result);
    return LRESULT(result);
}

// Another program taking the foreground, as Alt+Tab or a click on it would.
int takeForeground(DWORD ms) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VelkorDriverForeground";
    wc.hbrBackground = HBRUSH(COLOR_WINDOW + 1);
    RegisterClassW(&wc);
    HWND h = CreateWindowExW(0, wc.lpszClassName, L"another program", WS_POPUP | WS_BORDER, 0, 800, 200, 150, nullptr,
                             nullptr, wc.hInstance, nullptr);
    if (!h) return say("no window"), 1;
    ShowWindow(h, SW_SHOW);
    SetForegroundWindow(h);
    bool told = false;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        if (!told && GetForegroundWindow() == h) {
            say("active");
            told = true;
        }
        Sleep(10);
    }
    DestroyWindow(h);
    return told ? 0 : 1;
}

double millisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

std::string millisecondsText(double ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", ms);
    return text;
}

// Shown and painted: visible, nothing left to paint, and its thread back in
// its message loop (it answers a sent message only there, after the paint).
bool shownAndPainted(HWND h) {
    if (!IsWindowVisible(h) || GetUpdateRect(h, nullptr, FALSE)) return false;
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result) != 0;
}

// Titles are compared by the system without a message to the program, so
// polling every millisecond does not slow the program being timed.
int timedPress(const std::vector<std::wstring>& a) {
    HWND dialog = waitWindow(L"#32770", a[1], kDefaultTimeout);
    HWND button = dialog ? GetDlgItem(dialog, _wtoi(a[2].c_str())) : nullptr;
    if (!button) return say("timeout"), 1;
    const std::wstring title = a[4] == L"*" ? std::wstring() : a[4];
    struct Mark {
        std::wstring title;
        double first = -1, last = -1;
    };
    std::vector<Mark> marks;
    for (size_t i = 5; i < a.size(); ++i) marks.push_back({a[i]});
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, 200, &result);
    double shown = -1;
    while (millisecondsSince(start) < 120000) {
        for (Mark& m : marks) {
            HWND d = FindWindowW(L"#32770", m.title.c_str());
            if (!d || !IsWindowVisible(d)) continue;
            m.last = millisecondsSince(start);
            if (m.first < 0) m.first = m.last;
        }
        HWND h = FindWindowW(a[3].c_str(), title.empty() ? nullptr : title.c_str());
        if (h && shownAndPainted(h)) {
            shown = millisecondsSince(start);
            break;
        }
        Sleep(1);
    }
    if (shown < 0) return say("timeout"), 1;
    say("shown " + millisecondsText(shown));
    for (const Mark& m : marks)
        say(narrow(m.title) + " " + (m.first < 0 ? "- -" : millisecondsText(m.first) + " " + millisecondsText(m.last)));
    return 0;
}

int timedExit(const std::vector<std::wstring>& a) {
    HWND dialog = waitWindow(L"#32770", a[1], kDefaultTimeout);
    HWND button = dialog ? GetDlgItem(dialog, _wtoi(a[2].c_str())) : nullptr;
    DWORD pid = 0;
    if (button) GetWindowThreadProcessId(dialog, &pid);
    HANDLE process = pid ? OpenProcess(SYNCHRONIZE, FALSE, pid) : nullptr;
    if (!process) return say("timeout"), 1;
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, 200, &result);
    const bool ended = WaitForSingleObject(process, 120000) == WAIT_OBJECT_0;
    const double ms = millisecondsSince(start);
    CloseHandle(process);
    if (!ended) return say("timeout"), 1;
    say(millisecondsText(ms));
    return 0;
}

int runControl(const std::vector<std::wstring>& a) {
    const std::wstring& cmd = a[0];
    const int id = _wtoi(a[2].c_str());
    const DWORD timeout =
        a.size() > 3 && (cmd == L"ctext" || cmd == L"crect") ? DWORD(_wtoi(a[3].c_str())) : kDefaultTimeout;
    if (cmd == L"rbband") {
        HWND top = waitWindow(a[1], L"*", timeout);
        HWND rebar = top ? FindWindowExW(top, nullptr, REBARCLASSNAMEW, nullptr) : nullptr;
        RECT r{};
        if (!rebar || !remoteRect(rebar, RB_GETRECT, WPARAM(id), r)) return say("none"), 1;
        MapWindowPoints(rebar, nullptr, reinterpret_cast<POINT*>(&r), 2);
        return say(rectText(r)), 0;
    }
    HWND c = waitControl(a[1], id, timeout);
    if (!c) return say("timeout"), 1;
    if (cmd == L"ctext") return say(escaped(windowText(c))), 0;
    if (cmd == L"visible") return say(IsWindowVisible(c) ? "1" : "0"), 0;
    if (cmd == L"crect") {
        RECT r;
        GetWindowRect(c, &r);
        return say(rectText(r)), 0;
    }
    if (a.size() < 4) return say("usage"), 2;
    const WPARAM command = WPARAM(_wtoi(a[3].c_str()));
    if (cmd == L"tbstate") return say(std::to_string(sendTo(c, TB_GETSTATE, command, 0))), 0;
    if (cmd == L"tbhidden") return say(sendTo(c, TB_ISBUTTONHIDDEN, command, 0) ? "1" : "0"), 0;
    if (cmd == L"tbbitmap") return say(std::to_string(sendTo(c, TB_GETBITMAP, command, 0))), 0;
    if (cmd == L"tbenable") return sendTo(c, TB_ENABLEBUTTON, command, MAKELPARAM(TRUE, 0)), 0;
    if (cmd == L"tbrect") {
        RECT r{};
        if (!remoteRect(c, TB_GETRECT, command, r)) return say("none"), 1;
        MapWindowPoints(c, nullptr, reinterpret_cast<POINT*>(&r), 2);
        return say(rectText(r)), 0;
    }
    return say("usage"), 2;
}

int run(const std::vector<std::wstring>& a) {
    if (a.empty()) return 2;
    const std::wstring& cmd = a[0];
    auto timeoutAt = [&](size_t i) { return a.size() > i ? DWORD(_wtoi(a[i].c_str())) : kDefaultTimeout; };
    if (cmd == L"wait" && a.size() >= 3) {
        HWND h = nullptr;
        if (!poll(timeoutAt(3), [&] { return (h = findWindow(a[1], a[2])) != nullptr; })) {
            say("timeout");
            return 1;
        }
        say(escaped(windowText(h)));
        return 0;
    }
    if (cmd == L"gone" && a.size() >= 3) {
        if (!poll(timeoutAt(3), [&] { return findWindow(a[1], a[2]) == nullptr; })) {
            say("still there");
            return 1;
        }
        return 0;
    }
    if (cmd == L"msgbox") {
        HWND h = nullptr;
        if (!poll(timeoutAt(1), [&] { return (h = messageBox()) != nullptr; })) {
            say("timeout");
            return 1;
        }
        say("caption\t" + escaped(windowText(h)));
        say("text\t" + escaped(windowText(GetDlgItem(h, 0xFFFF))));
        return 0;
    }
    if (cmd == L"buttons" || cmd == L"filedialog") {
        HWND h = nullptr;
        if (!poll(timeoutAt(1), [&] { return (h = cmd == L"buttons" ? messageBox() : fileDialog()) != nullptr; })) {
            say("timeout");
            return 1;
        }
        say(cmd == L"buttons" ? buttonTexts(h) : escaped(windowText(h)));
        return 0;
    }
    if ((cmd == L"press" || cmd == L"enabled") && a.size() >= 3) {
        const int id = _wtoi(a[2].c_str());
        HWND button = nullptr;
        if (!poll(timeoutAt(3), [&] {
                HWND d = findWindow(L"#32770", a[1]);
                return d && (button = GetDlgItem(d, id)) != nullptr;
            })) {
            say("timeout");
            return 1;
        }
        if (cmd == L"enabled") {
            say(IsWindowEnabled(button) ? "1" : "0");
            return 0;
        }
        DWORD_PTR result = 0;
        SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, 200, &result);
        return 0;
    }
    if (cmd == L"title" && a.size() >= 2) {
        HWND h = nullptr;
        if (!poll(timeoutAt(2), [&] { return (h = findWindow(a[1], L"*")) != nullptr; })) {
            say("timeout");
            return 1;
        }
        say(escaped(windowText(h)));
        return 0;
    }
    if (cmd == L"close" && a.size() >= 3) {
        HWND h = nullptr;
        if (!poll(timeoutAt(3), [&] { return (h = findWindow(a[1], a[2])) != nullptr; })) {
            say("timeout");
            return 1;
        }
        PostMessageW(h, WM_CLOSE, 0, 0);
        return 0;
    }
    if (cmd == L"rect" && a.size() >= 3) {
        HWND c = waitChild(L"#32770", a[1], _wtoi(a[2].c_str()), timeoutAt(3));
        if (!c) return say("timeout"), 1;
        RECT r;
        GetWindowRect(c, &r);
        say(std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) + " " +
            std::to_string(r.bottom));
        return 0;
    }
    if (cmd == L"client" && a.size() >= 3) {
        HWND h = waitWindow(a[1], a[2], timeoutAt(3));
        if (!h) return say("timeout"), 1;
        POINT p{0, 0};
        ClientToScreen(h, &p);
        say(std::to_string(p.x) + " " + std::to_string(p.y));
        return 0;
    }
    if (cmd == L"csize" && a.size() >= 3) {
        HWND h = waitWindow(a[1], a[2], timeoutAt(3));
        if (!h) return say("timeout"), 1;
        RECT r;
        GetClientRect(h, &r);
        say(std::to_string(r.right) + " " + std::to_string(r.bottom));
        return 0;
    }
    if (cmd == L"wrect" && a.size() >= 3) {
        HWND h = waitWindow(a[1], a[2], timeoutAt(3));
        if (!h) return say("timeout"), 1;
        RECT r;
        GetWindowRect(h, &r);
        say(std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) + " " +
            std::to_string(r.bottom));
        return 0;
    }
    if (cmd == L"size" && a.size() >= 3) {
        HWND h = waitWindow(a[1], a[2], timeoutAt(3));
        if (!h) return say("timeout"), 1;
        RECT r;
        GetWindowRect(h, &r);
        say(std::to_string(r.right - r.left) + " " + std::to_string(r.bottom - r.top));
        return 0;
    }
    if (cmd == L"settext" && a.size() >= 4) {
        HWND c = waitChild(L"#32770", a[1], _wtoi(a[2].c_str()), timeoutAt(4));
        if (!c) return say("timeout"), 1;
        SendMessageTimeoutW(c, WM_SETTEXT, 0, LPARAM(a[3].c_str()), SMTO_ABORTIFHUNG, 2000, nullptr);
        return 0;
    }
    if (cmd == L"text" && a.size() >= 4) {
        HWND c = waitChild(a[1], a[2], _wtoi(a[3].c_str()), timeoutAt(4));
        if (!c) return say("timeout"), 1;
        say(escaped(windowText(c)));
        return 0;
    }
    if (cmd == L"count" && a.size() >= 3) {
        int n = 0;
        for (HWND h : topWindows())
            if (matches(a[1], className(h)) && matches(a[2], windowText(h))) ++n;
        say(std::to_string(n));
        return 0;
    }
    if (cmd == L"repaint" && a.size() >= 2) {
        HWND h = waitWindow(a[1], L"*", timeoutAt(2));
        if (!h) return say("timeout"), 1;
        RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return 0;
    }
    if (cmd == L"command" && a.size() >= 3) {
        HWND h = waitWindow(a[1], L"*", timeoutAt(3));
        if (!h) return say("timeout"), 1;
        PostMessageW(h, WM_COMMAND, WPARAM(_wtoi(a[2].c_str())), 0);
        return 0;
    }
    if (cmd == L"checked" && a.size() >= 3) {
        HWND c = nullptr;
        if (!poll(timeoutAt(3), [&] {
                HWND d = findWindow(L"#32770", a[1]);
                return d && (c = GetDlgItem(d, _wtoi(a[2].c_str()))) != nullptr;
            })) {
            say("timeout");
            return 1;
        }
        DWORD_PTR state = 0;
        SendMessageTimeoutW(c, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state);
        say(state == BST_CHECKED ? "1" : "0");
        return 0;
    }
    if (cmd == L"hold" && a.size() >= 3) {
        // Another program holding the file open without sharing: it can be neither replaced nor deleted.
        HANDLE f = CreateFileW(a[1].c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        if (f == INVALID_HANDLE_VALUE) {
            say("cannot open");
            return 1;
        }
        say("held");
        Sleep(DWORD(_wtoi(a[2].c_str())));
        CloseHandle(f);
        return 0;
    }
    if (cmd == L"rbrows" && a.size() >= 2) {
        HWND top = waitWindow(a[1], L"*", kDefaultTimeout);
        HWND rebar = top ? FindWindowExW(top, nullptr, REBARCLASSNAMEW, nullptr) : nullptr;
        if (!rebar) return say("none"), 1;
        say(std::to_string(sendTo(rebar, RB_GETROWCOUNT, 0, 0)));
        return 0;
    }
    if (cmd == L"swapbuttons" && a.size() >= 2) {
        const UINT swap = _wtoi(a[1].c_str()) != 0;
        if (!SystemParametersInfoW(SPI_SETMOUSEBUTTONSWAP, swap, nullptr, SPIF_UPDATEINIFILE | SPIF_SENDCHANGE))
            return say("refused"), 1;
        return say(GetSystemMetrics(SM_SWAPBUTTON) ? "swapped" : "plain"), 0;
    }
    if (cmd == L"timedpress" && a.size() >= 5) return timedPress(a);
    if (cmd == L"timedexit" && a.size() >= 3) return timedExit(a);
    if (cmd == L"foreground" && a.size() >= 2) return takeForeground(DWORD(_wtoi(a[1].c_str())));
    if (cmd == L"front") {
        HWND h = GetForegroundWindow();
        return say(h ? escaped(windowText(h)) : "none"), 0;
    }
    if (cmd == L"hwnd" && a.size() >= 2) {
        HWND h = FindWindowExW(nullptr, nullptr, a[1].c_str(), nullptr);
        if (!h) return say("none"), 1;
        say(std::to_string(reinterpret_cast<uintptr_t>(h)) + (IsWindowVisible(h) ? " 1" : " 0"));
        return 0;
    }
    if (cmd == L"when" && a.size() >= 4) {
        // Polled here, and started before the window shows: a batch's step lasts less than starting a driver.
        // The caption as the system keeps it: no message to a thread busy with its batch.
        auto captioned = [&]() -> HWND {
            for (HWND h : topWindows()) {
                wchar_t caption[256];
                GetWindowTextW(h, caption, 256);
                if (matches(a[1], className(h)) && matches(a[2], caption)) return h;
            }
            return nullptr;
        };
        HWND h = nullptr;
        for (const DWORD start = GetTickCount(); !(h = captioned()); Sleep(1))
            if (GetTickCount() - start > timeoutAt(4)) return say("timeout"), 1;
        INPUT in[2]{};
        if (a[3] == L"click") {
            POINT p{};
            GetCursorPos(&p);
            for (INPUT& i : in) {
                i.type = INPUT_MOUSE;
                i.mi.dx = p.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
                i.mi.dy = p.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
            }
            in[0].mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTDOWN;
            in[1].mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | MOUSEEVENTF_LEFTUP;
        } else {
            for (INPUT& i : in) {
                i.type = INPUT_KEYBOARD;
                i.ki.wVk = VK_ESCAPE;
                i.ki.wScan = WORD(MapVirtualKeyW(VK_ESCAPE, MAPVK_VK_TO_VSC));
            }
            in[1].ki.dwFlags = KEYEVENTF_KEYUP;
        }
        SendInput(2, in, sizeof(INPUT));
        say(escaped(windowText(h)));
        return 0;
    }
    if (cmd == L"answers" && a.size() >= 2) {
        HWND h = waitWindow(a[1], L"*", kDefaultTimeout);
        if (!h) return say("timeout"), 1;
        DWORD_PTR result = 0;
        say(SendMessageTimeoutW(h, WM_NULL, 0, 0, SMTO_NORMAL, 500, &result) ? "answered" : "silent");
        return 0;
    }
    if (cmd == L"help" && a.size() >= 5) return sendHelp(a);
    if (cmd == L"prop" && a.size() >= 3) {
        HWND h = waitWindow(a[1], L"*", kDefaultTimeout);
        if (!h) return say("timeout"), 1;
        say(std::to_string(reinterpret_cast<uintptr_t>(GetPropW(h, a[2].c_str()))));
        return 0;
    }
    for (const wchar_t* c :
         {L"ctext", L"crect", L"visible", L"tbstate", L"tbhidden", L"tbbitmap", L"tbrect", L"rbband", L"tbenable"})
        if (cmd == c && a.size() >= 3) return runControl(a);
    say("usage: "
        "wait|gone|msgbox|buttons|filedialog|press|enabled|title|close|rect|client|csize|size|settext|text|count|"
        "command|repaint|wrect|checked|hold|swapbuttons|foreground|front|hwnd|when|answers|help|prop|timedpress|"
        "timedexit ...");
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::wstring> args(argv + 1, argv + argc);
    return run(args);
}
