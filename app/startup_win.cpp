#include "app/startup_win.h"

#include <commctrl.h>

#include <algorithm>
#include <new>

#include "app/file_names.h"
#include "app/file_select_dialog_win.h"
#include "app/main_window_rules.h"
#include "app/main_window_win.h"
#include "audio_file/file_image.h"
#include "audio_file/messages.h"
#include "audio_file/progress_dialog_win.h"
#include "common/message_box_win.h"
#include "common/utf16_win.h"
#include "document/screen_width.h"
#include "resources/ids.h"
#include "view/band_menu.h"

namespace {

constexpr int kViewHeight = 346;  // client rows under the menu: overview and status bar
constexpr int kStatusHeight = 20;

// Only one copy runs: the mutex is named after the program file's base name.
bool takeInstance(MainWindow& w) {
    const std::wstring name = widen(baseName(w.programPath));
    if (HANDLE other = OpenMutexW(MUTEX_ALL_ACCESS, FALSE, name.c_str())) {
        CloseHandle(other);
        return false;
    }
    w.instanceMutex.reset(CreateMutexW(nullptr, FALSE, name.c_str()));
    return true;
}

HFONT makeSharedFont() {
    return CreateFontW(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, L"ＭＳ Ｐゴシック");
}

uint64_t freeAddressSpace() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    return GlobalMemoryStatusEx(&status) ? status.ullAvailVirtual : 0;
}

void labelBandMenu(HMENU bandMenu, uint32_t rate) {
    HMENU items = GetSubMenu(bandMenu, 0);
    const auto captions = bandMenuCaptions(rate);
    for (int i = 0; i < int(captions.size()); ++i) {
        const std::wstring text = widen(captions[size_t(i)]);
        ModifyMenuW(items, UINT(IDM_BAND_FIRST + i), MF_BYCOMMAND | MF_STRING, UINT_PTR(IDM_BAND_FIRST + i),
                    text.c_str());
    }
}

bool loadMenus(MainWindow& w) {
    static constexpr int kPopups[] = {IDM_HELP_POPUP, IDM_OTHER_EDIT_POPUP, IDM_SETTINGS_POPUP, IDM_BAND_POPUP};
    for (size_t i = 0; i < w.popupMenus.size(); ++i) {
        w.popupMenus[i].reset(LoadMenuW(w.instance, MAKEINTRESOURCEW(kPopups[i])));
        if (!w.popupMenus[i]) return false;
    }
    labelBandMenu(w.popupMenus[3].get(), w.doc.edit.format.samplesPerSecond);
    HMENU main = GetMenu(w.hwnd);
    CheckMenuRadioItem(main, IDM_WIDTH_640, IDM_WIDTH_1280, UINT(sizeItemForWidth(w.doc.view.screenWidth)),
                       MF_BYCOMMAND);
    if (!w.doc.stereo()) EnableMenuItem(main, IDM_PLAY_MONO, MF_BYCOMMAND | MF_GRAYED);
    return true;
}

bool loadImage(MainWindow& w) {
    ProgressDialog progress(w.hwnd);
    const Status loaded =
        loadFileImage(platformFileSystem(), w.doc.editPath, w.doc.edit, freeAddressSpace(), w.doc.image, progress);
    progress.close();
    if (!loaded.message.empty()) showMessage(w.hwnd, loaded.message);
    if (!loaded.ok()) return false;
    // The working copies of the edit pages come with the first load.
    if (!w.doc.pages.allocate()) {
        showMessage(w.hwnd, makeMessage(kAllocationFailed, kCaptionError));
        return false;
    }
    return true;
}

// Both windows: the width plus the sizing frames, the height of caption,
// menu and the view; the main window centred on the desktop.
void placeMainWindow(MainWindow& w) {
    const int frameX = GetSystemMetrics(SM_CXSIZEFRAME), frameY = GetSystemMetrics(SM_CYSIZEFRAME);
    w.windowSize.cx = w.doc.view.screenWidth + 2 * frameX;
    w.windowSize.cy = 2 * frameY + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU) + kViewHeight;
    const int left = w.desktop.left + (w.desktop.right - w.desktop.left - w.windowSize.cx) / 2;
    const int top = w.desktop.top + (w.desktop.bottom - w.desktop.top - w.windowSize.cy) / 2;
    SetWindowPos(w.hwnd, nullptr, left, top, w.windowSize.cx, w.windowSize.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool placeStatusBar(MainWindow& w) {
    if (!w.status) w.status = CreateStatusWindowW(WS_CHILD | WS_VISIBLE, L"", w.hwnd, IDC_MAIN_STATUS);
    if (!w.status) return false;
    RECT client;
    GetClientRect(w.hwnd, &client);
    MoveWindow(w.status, 0, client.bottom - kStatusHeight, client.right, kStatusHeight, TRUE);
    return true;
}

}  // namespace

bool buildView(MainWindow& w) {
    placeMainWindow(w);
    SetWindowTextW(w.hwnd, widen(mainTitle(w.doc.editPath)).c_str());
    buildScales(w.doc.view, w.doc.edit);
    w.cursor = std::min(w.cursor, w.doc.view.screenWidth - 1);
    if (!placeStatusBar(w)) return false;
    {
        ProgressDialog progress(w.hwnd);
        buildOverview(w.overview, w.doc.image.bytes(), w.doc.edit, w.doc.view, progress);
    }
    w.spectrumWindow.instance = w.instance;
    w.spectrumWindow.doc = &w.doc;
    w.spectrumWindow.state = w.spectrum.get();
    w.spectrumWindow.font = static_cast<HFONT>(w.font.get());
    w.spectrumWindow.desktopWidth = w.desktop.right - w.desktop.left;
    if (!createSpectrumWindow(w.spectrumWindow)) return false;
    w.edit.main = w.hwnd;
    w.edit.doc = &w.doc;
    w.edit.playback = &w.playback;
    w.edit.spectrum = &w.spectrumWindow;
    w.edit.overview = &w.overview;
    w.edit.settings = &w.start.settings;
    w.edit.helpPath = w.start.files.helpPath;
    w.edit.font = static_cast<HFONT>(w.font.get());
    for (size_t i = 0; i < w.popupMenus.size(); ++i) w.edit.popups[i] = w.popupMenus[i].get();
    w.edit.size = w.windowSize;
    w.edit.desktop = w.desktop;
    if (!createEditWindow(w.instance, w.edit)) return false;
    if (w.start.resumePage > 0) {
        PostMessageW(w.hwnd, WM_COMMAND, IDM_TO_EDIT_WINDOW, 0);
        EnableWindow(w.hwnd, FALSE);
    } else {
        InvalidateRect(w.hwnd, nullptr, TRUE);
    }
    return true;
}

void destroyView(MainWindow& w) {
    destroyEditWindow(w.edit);
    destroySpectrumWindow(w.spectrumWindow);
}

// The places the hooks read on every call: members of records that live as
// long as the main window, whatever the edit view makes again.
void aimHooks(MainWindow& w) {
    HookTargets& t = w.hooks.targets;
    t.help = &w.help;
    t.playback = &w.playback;
    t.edit = &w.edit.hwnd;
    t.spectrum = &w.spectrumWindow.hwnd;
    t.automaticDialog = &w.edit.automaticDialog;
    t.shorteningButton = &w.edit.children.shorteningButton;
    t.bar = &w.edit.children.bar;
    t.playResetArmed = &w.edit.children.playResetArmed;
    t.movingFlag = &w.edit.session.suppressSpectrumOnPaint;
    t.drag = &w.edit.children.grab;
    t.program = &w.edit;
    t.disarmRestore = [](void* edit, bool restoreFollows) {
        endRestoreByPress(*static_cast<EditWindow*>(edit), restoreFollows);
    };
    t.endShorteningDrag = [](void* edit) { dropShorteningButton(*static_cast<EditWindow*>(edit)); };
}

LRESULT runStartUp(MainWindow& w) {
    if (!takeInstance(w)) {
        PostQuitMessage(0);
        return -1;  // no window of a second copy ever shows
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_PAGESCROLLER_CLASS};
    InitCommonControlsEx(&controls);
    GetWindowRect(GetDesktopWindow(), &w.desktop);
    w.font.reset(makeSharedFont());
    w.spectrum.reset(new (std::nothrow) SpectrumState);
    if (!w.spectrum) return -1;
    w.help.font = static_cast<HFONT>(w.font.get());
    w.help.desktop = w.desktop;
    w.playback.instance = w.instance;
    w.playback.doc = &w.doc;
    w.playback.desktop = w.desktop;
    aimHooks(w);
    if (!installThreadHooks(w.hooks, GetWindowThreadProcessId(w.hwnd, nullptr))) return -1;
    if (!createHelpPopups(w.instance, w.help)) return -1;

    w.start.files = programFiles(w.programPath);
    if (!runFileSelectDialog(w.hwnd, w.doc, w.start, w.help, w.commandLineFile)) return -1;
    if (!loadMenus(w)) return -1;
    if (!loadImage(w)) return -1;
    return buildView(w) ? 0 : -1;
}
