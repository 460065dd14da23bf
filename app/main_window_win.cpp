#include "app/main_window_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include "app/main_window_rules.h"
#include "app/session_end_win.h"
#include "app/startup_win.h"
#include "audio_file/time_text.h"
#include "common/message_box_win.h"
#include "common/utf16_win.h"
#include "document/screen_width.h"
#include "playback/prepare.h"
#include "resources/ids.h"
#include "view/overview_win.h"
#include "view/pages.h"

namespace {

MainWindow* windowOf(HWND hwnd) { return reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

void setStatus(MainWindow& w, const std::string& text) {
    if (w.status) SendMessageW(w.status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(widen(text).c_str()));
}

void showColumnTime(MainWindow& w, int32_t x) {
    setStatus(w, timeText(overviewColumnBytes(w.doc.view, w.doc.edit, x), w.doc.edit));
}

LRESULT onPaint(MainWindow& w) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w.hwnd, &ps);
    if (w.overview.columns > 0) {
        renderOverview(w.pixels, w.overview, w.doc.view, w.doc.stereo());
        paintOverview(dc, w.pixels, w.doc.view.screenWidth, w.doc.stereo(), static_cast<HFONT>(w.font.get()));
        // The cursor line belongs to the picture while it is up.
        if (w.cursorShown) invertCursorLine(dc, w.cursor);
    }
    redrawPlaybackLine(w.playback, w.hwnd, dc);
    EndPaint(w.hwnd, &ps);
    return 0;
}

void repaint(MainWindow& w) {
    w.cursorShown = false;
    InvalidateRect(w.hwnd, nullptr, TRUE);
}

LRESULT onButtonDown(MainWindow& w, int x, int y) {
    if (overviewClick(w.doc.view, w.doc.stereo(), x, y)) repaint(w);
    return 0;
}

LRESULT onMouseMove(MainWindow& w, int x) {
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    showColumnTime(w, x);
    return 0;
}

void moveCursor(MainWindow& w, int32_t delta) {
    const int32_t next = overviewCursorStep(w.cursor, delta, w.doc.view.screenWidth);
    HDC dc = GetDC(w.hwnd);
    if (w.cursorShown) invertCursorLine(dc, w.cursor);  // take the old line back
    w.cursor = next;
    invertCursorLine(dc, w.cursor);
    w.cursorShown = true;
    ReleaseDC(w.hwnd, dc);
    showColumnTime(w, w.cursor);
}

LRESULT onKeyDown(MainWindow& w, WPARAM key) {
    switch (key) {
        case VK_LEFT: moveCursor(w, -1); break;
        case VK_RIGHT: moveCursor(w, 1); break;
        case VK_UP: overviewChannelKey(w.doc.view, w.doc.stereo(), false); break;
        case VK_DOWN: overviewChannelKey(w.doc.view, w.doc.stereo(), true); break;
    }
    return 0;
}

LRESULT onKeyUp(MainWindow& w) {
    w.doc.view.zoomFrameLeft[0] = w.cursor;
    repaint(w);
    return 0;
}

LRESULT onMenuSelect(MainWindow& w, WPARAM wp) {
    setStatus(w, HIWORD(wp) & MF_POPUP ? std::string() : mainMenuHelp(LOWORD(wp)));
    return 0;
}

LRESULT onMinMax(MainWindow& w, MINMAXINFO& info) {
    if (w.windowSize.cx > 0) info.ptMaxTrackSize.x = w.windowSize.cx;
    return 0;
}

void toEditWindow(MainWindow& w) {
    endPlaybackNow(w.playback);  // its line would run on in a hidden overview
    const int32_t resumed = w.start.resumePage;
    if (resumed > 0) EnableWindow(w.hwnd, TRUE);
    w.start.resumePage = 0;
    RECT r;
    GetWindowRect(w.hwnd, &r);
    openEditWindow(w.edit, POINT{r.left, r.top}, resumed);
    ShowWindow(w.hwnd, SW_HIDE);
}

void chooseWidth(MainWindow& w, int id) {
    CheckMenuRadioItem(GetMenu(w.hwnd), IDM_WIDTH_640, IDM_WIDTH_1280, UINT(id), MF_BYCOMMAND);
    const int32_t width = widthForSizeItem(id);
    if (width == w.doc.view.screenWidth) return;
    endPlaybackNow(w.playback);  // the windows and the scales it plays by are made again
    destroyView(w);
    changeWidth(w.doc, width);
    w.cursorShown = false;
    if (!buildView(w)) DestroyWindow(w.hwnd);
}

// 6011-6013: the overview from its frame to the data end. Nothing while a
// playback runs, nor when there is nothing to play; -1 without a dialog.
LRESULT playOverview(MainWindow& w, int id) {
    if (playbackShown(w.playback)) return 0;
    PlaybackState& settings = w.doc.playback;
    settings.channelMode = id == IDM_PLAY_MONO ? ChannelPlayMode::selected : ChannelPlayMode::both;
    if (id != IDM_PLAY_MONO) settings.volumeHalf = id == IDM_PLAY_STEREO_HALF;
    if (!preparePlayback(w.doc, 0)) return 0;
    const LineWindows windows{w.hwnd, w.edit.hwnd, w.edit.children.bar.display2};
    return openPlaybackDialog(w.playback, w.hwnd, windows) ? 0 : -1;
}

LRESULT onCommand(MainWindow& w, int id) {
    switch (id) {
        case IDM_TO_EDIT_WINDOW: toEditWindow(w); return 0;
        case IDM_PLAY_MONO:
        case IDM_PLAY_STEREO_HALF:
        case IDM_PLAY_STEREO_FULL: return playOverview(w, id);
        case IDM_HOW_TO_OPERATE: showMessage(w.hwnd, howToOperate()); return 0;
        case IDM_WIDTH_640:
        case IDM_WIDTH_960:
        case IDM_WIDTH_1280: chooseWidth(w, id); return 0;
        case IDM_CLOSE: SendMessageW(w.hwnd, WM_CLOSE, 0, 0); return 0;
    }
    return 0;
}

LRESULT onClose(MainWindow& w) {
    endPlaybackNow(w.playback);  // the questions come next: their clicks are theirs
    if (!endSession(w.hwnd, w.spectrumWindow.hwnd, w.doc, w.start)) return 0;
    ShowWindow(w.hwnd, SW_HIDE);
    DestroyWindow(w.hwnd);
    return 0;
}

// Everything the start-up took, given back in a fixed order.
LRESULT onDestroy(MainWindow& w) {
    endPlaybackNow(w.playback);  // before its windows and its buffers go
    destroyView(w);
    for (UniqueMenu& menu : w.popupMenus) menu.reset();
    destroyHelpPopups(w.help);
    removeThreadHooks(w.hooks);
    w.help.font = nullptr;
    w.font.reset();
    w.doc.image.release();
    w.overview.release();
    std::vector<uint32_t>().swap(w.pixels);
    w.instanceMutex.reset();
    PostQuitMessage(0);
    return 0;
}

}  // namespace

LRESULT CALLBACK mainWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
        reinterpret_cast<MainWindow*>(cs->lpCreateParams)->hwnd = hwnd;
    }
    MainWindow* w = windowOf(hwnd);
    if (!w) return DefWindowProcW(hwnd, msg, wp, lp);
    switch (msg) {
        case WM_CREATE: return runStartUp(*w);
        case WM_DESTROY: return onDestroy(*w);
        case WM_PAINT: return onPaint(*w);
        case WM_CLOSE: return onClose(*w);
        case WM_KEYDOWN: return onKeyDown(*w, wp);
        case WM_KEYUP: return onKeyUp(*w);
        case WM_LBUTTONDOWN: return onButtonDown(*w, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        case WM_MOUSEMOVE: return onMouseMove(*w, GET_X_LPARAM(lp));
        case WM_MENUSELECT: return onMenuSelect(*w, wp);
        case WM_GETMINMAXINFO: return onMinMax(*w, *reinterpret_cast<MINMAXINFO*>(lp));
        case WM_COMMAND: return onCommand(*w, LOWORD(wp));
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}
