#include "app/edit_window_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "app/edit_shell_win.h"
#include "app/exit_dialog_win.h"
#include "common/file_system.h"
#include "common/message_box_win.h"
#include "common/utf16_win.h"
#include "document/document.h"
#include "edit/history.h"
#include "playback/playback_dialog_win.h"
#include "resources/ids.h"
#include "spectrum/spectrum_window_win.h"
#include "view/frames.h"
#include "view/pages.h"

namespace {

constexpr wchar_t kEditClass[] = L"EditWndClass";
constexpr POINT kShorteningButtonAt = {560, kShorteningButtonRow};
constexpr SIZE kShorteningButtonSize = {kShorteningButtonWidth, kShorteningButtonHeight};

HMENU childId(int id) { return reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)); }

int32_t columnAt(const EditWindow& w, int x) { return std::clamp<int32_t>(x, 0, w.doc->view.screenWidth - 1); }

// Static 113 sits just below the rebar, whichever rows the rebar has.
void placePicture(EditWindow& w) {
    EditChildren& c = w.children;
    if (c.picture)
        SetWindowPos(c.picture, nullptr, 0, rebarBottom(c.bar), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool makeChildren(EditWindow& w) {
    EditChildren& c = w.children;
    if (!buildCommandBar(w.hwnd, w.instance, w.font, w.doc->stereo(), w.doc->view.screenWidth, c.bar)) return false;
    c.status = CreateStatusWindowW(WS_CHILD | WS_VISIBLE, L"", w.hwnd, kCtlEditStatus);
    if (!c.status) return false;
    if (!loadPictures(w)) return false;
    c.picture = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_BITMAP, 0, 0, 0, 0, w.hwnd,
                                childId(kCtlBarPicture), w.instance, nullptr);
    if (!c.picture) return false;
    SendMessageW(c.picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(c.ruler.get()));
    placePicture(w);
    if (!addControlTooltips(w)) return false;
    c.shorteningButton = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | SS_NOTIFY | SS_OWNERDRAW, kShorteningButtonAt.x,
                                         kShorteningButtonAt.y, kShorteningButtonSize.cx, kShorteningButtonSize.cy,
                                         w.hwnd, childId(kCtlShorteningButton), w.instance, nullptr);
    if (!c.shorteningButton || !subclassShorteningButton(w)) return false;
    return subclassRepeatButtons(w);
}

// The waveform area's rectangle in screen coordinates, its right edge kept on the desktop.
RECT waveformOnScreen(const EditWindow& w) {
    RECT r = waveformArea(w);
    MapWindowPoints(w.hwnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
    r.right = std::min(r.right, w.desktop.right);
    return r;
}

void repaintColumns(EditWindow& w, int32_t from, int32_t to) {
    RECT r = waveformArea(w);
    r.left = std::max<LONG>(from, 0);
    r.right = std::min<LONG>(to + 1, r.right);
    if (r.right > r.left) InvalidateRect(w.hwnd, &r, FALSE);
}

LRESULT onButtonDown(EditWindow& w, WPARAM keys, int x, int y) {
    Document& doc = *w.doc;
    if (doc.view.page < 1 || y < kWaveTop || y >= clientHeight(w) - kStatusHeight) return 0;
    UpdateWindow(w.hwnd);
    const int32_t column = columnAt(w, x);
    ViewEvents events;
    const bool programSent = (keys & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON | MK_SHIFT | MK_CONTROL)) == 0;
    pressWaveform(doc, column, GetTickCount(), programSent, events);
    if (doc.view.dragging) {
        // The release comes here wherever it happens, over window 344 too.
        SetCapture(w.hwnd);
        const RECT clip = waveformOnScreen(w);
        ClipCursor(&clip);
        repaintColumns(w, column - 1, column + 1);
    }
    act(w, events);
    return 0;
}

LRESULT onMouseMove(EditWindow& w, int x) {
    Document& doc = *w.doc;
    if (doc.view.page < 1) return 0;
    const int32_t column = columnAt(w, x);
    setStatus(w, pointerText(doc, column));
    ViewState& v = doc.view;
    if (!v.dragging) return 0;
    const RECT clip = waveformOnScreen(w);
    ClipCursor(&clip);
    const int32_t before = v.editFrameRight;
    dragWaveform(doc, column);
    repaintColumns(w, std::min(before, column), std::max(before, column));
    return 0;
}

// The rubber band goes whatever the end of the drag makes of it.
void eraseRubberBand(EditWindow& w) {
    const ViewState& v = w.doc->view;
    repaintColumns(w, std::min(v.editFrameLeft, v.editFrameRight), std::max(v.editFrameLeft, v.editFrameRight));
}

LRESULT onButtonUp(EditWindow& w) {
    Document& doc = *w.doc;
    if (!doc.view.dragging) return 0;  // the press went to a menu or a message box: nothing to release
    ClipCursor(nullptr);
    eraseRubberBand(w);
    ViewEvents events;
    releaseWaveform(doc, GetTickCount(), events);
    if (GetCapture() == w.hwnd) ReleaseCapture();  // the drag is over: the change of capture finds none
    act(w, events);
    return 0;
}

// The capture taken away before the release (a message box, another
// program): the release will never come, so the drag ends void here.
LRESULT onCaptureChanged(EditWindow& w) {
    Document& doc = *w.doc;
    if (!doc.view.dragging) return 0;
    ClipCursor(nullptr);
    eraseRubberBand(w);
    ViewEvents events;
    cancelDrag(doc, events);
    act(w, events);
    return 0;
}

// The left button now: the messages read so far and the device.
ButtonReading readLeftButton() {
    ButtonReading r;
    r.queueLeft = GetKeyState(VK_LBUTTON) < 0;
    r.deviceLeft = GetAsyncKeyState(VK_LBUTTON) < 0;
    r.deviceRight = GetAsyncKeyState(VK_RBUTTON) < 0;
    r.swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
    return r;
}

// One tick of the held tool. The button may have come up without the
// toolbar seeing it (a switch to another program).
void repeatTick(EditWindow& w, bool ofThePress) {
    EditChildren& c = w.children;
    const bool down = leftButtonHeld(readLeftButton(), ofThePress);
    ViewEvents events;
    const TickOutcome t = toolTimerTick(*w.doc, w.session, down, events);
    if (t.stop) {
        KillTimer(w.hwnd, kTimerRepeat);
        c.repeatWaiting = false;
        if (!down) endButtonHold(w);
    }
    c.refusing = t.refused;
    SetCursor(LoadCursorW(nullptr, t.refused ? IDC_NO : IDC_ARROW));
    if (t.repaintFrame) events.repaintEditFrame = true;
    if (t.repaintWaveform) events.repaintWaveform = true;
    act(w, events);
}

void onSlideTimer(EditWindow& w, bool increase) {
    const bool down = leftButtonHeld(readLeftButton(), false);
    ViewEvents events;
    if (slideTimerTick(*w.doc, w.session, increase, down, events)) {
        KillTimer(w.hwnd, increase ? kTimerSlideUp : kTimerSlideDown);
        if (!down) endButtonHold(w);
    }
    act(w, events);
}

// Focus moving to a held repeat button's toolbar starts its timer.
LRESULT onKillFocus(EditWindow& w, HWND to) {
    const CommandBar& bar = w.children.bar;
    const int32_t index = w.session.pressedButtonIndex;
    if (to && to == toolbarById(bar, kCtlToolbarShift)) {
        if (w.doc->view.page != 5) return 0;
        if (index == 0) SetTimer(w.hwnd, kTimerSlideUp, kSlidePeriodMs, nullptr);
        if (index == 2) SetTimer(w.hwnd, kTimerSlideDown, kSlidePeriodMs, nullptr);
    } else if (to && to == toolbarById(bar, kCtlToolbarTools)) {
        if (index < 0 || index > 10) return 0;
        repeatTick(w, true);
        // The pause before the repetition is a one-shot timer, so the window stays alive.
        if (w.session.pressedButtonIndex >= 0) {
            w.children.repeatWaiting = true;
            SetTimer(w.hwnd, kTimerRepeat, kRepeatDelayMs, nullptr);
        }
    }
    return 0;
}

LRESULT onTimer(EditWindow& w, UINT_PTR id) {
    switch (id) {
        case kTimerRepeat:
            if (w.children.repeatWaiting) {
                w.children.repeatWaiting = false;
                SetTimer(w.hwnd, kTimerRepeat, kRepeatPeriodMs, nullptr);
            }
            repeatTick(w, false);
            return 0;
        case kTimerSlideUp: onSlideTimer(w, true); return 0;
        case kTimerSlideDown: onSlideTimer(w, false); return 0;
    }
    return 0;
}

LRESULT onSize(EditWindow& w, WPARAM wp, LPARAM lp) {
    EditChildren& c = w.children;
    if (c.status) MoveWindow(c.status, 0, HIWORD(lp) - kStatusHeight, LOWORD(lp), kStatusHeight, TRUE);
    if (c.bar.rebar) {
        SendMessageW(c.bar.rebar, WM_SIZE, wp, lp);
        placeLabels(c.bar);
        placePicture(w);
    }
    return 0;
}

LRESULT onMinMax(EditWindow& w, MINMAXINFO& info) {
    if (w.size.cx <= 0) return 0;
    info.ptMinTrackSize.x = info.ptMaxTrackSize.x = w.size.cx;
    info.ptMinTrackSize.y = w.size.cy;
    return 0;
}

// Alt+C and Alt+H open the text buttons' menus.
LRESULT onSysChar(EditWindow& w, WPARAM ch, LPARAM lp) {
    if (w.session.automaticDialogShown) return 0;
    switch (ch) {
        case L'c':
        case L'C': PostMessageW(w.hwnd, WM_COMMAND, kCmdSettings, 0); return 0;
        case L'h':
        case L'H': PostMessageW(w.hwnd, WM_COMMAND, kCmdHelp, 0); return 0;
    }
    return DefWindowProcW(w.hwnd, WM_SYSCHAR, ch, lp);
}

LRESULT onSysColorChange(EditWindow& w) {
    CommandBar& bar = w.children.bar;
    for (HWND tb : bar.toolbars) SendMessageW(tb, WM_SYSCOLORCHANGE, 0, 0);
    if (w.doc->view.shorteningStartPage == 0) setPageBandColour(bar, false);
    InvalidateRect(toolbarById(bar, kCtlToolbarPage), nullptr, TRUE);
    return 0;
}

// The close box, Alt+F4 and 7040: confirm an open edit, ask, write the
// page back and end the program through the main window.
LRESULT onClose(EditWindow& w) {
    Document& doc = *w.doc;
    if (doc.view.page < 1) return 0;
    // Before the questions, whose clicks are theirs, and before this window goes.
    endPlaybackNow(*w.playback);
    endButtonHold(w);
    const Message question = closeQuestion(doc);
    if (!question.empty()) {
        if (showMessage(w.hwnd, question) != Answer::yes) return 0;
        ViewEvents events;
        confirmCommand(doc, w.session, events);
        act(w, events);
    }
    if (w.settings && askExit(w.hwnd, doc.editPath, *w.settings) != 1) return 0;
    ViewEvents events;
    leaveEditView(doc, events);
    act(w, events);
    PostMessageW(w.main, WM_CLOSE, 0, 0);
    ShowWindow(w.main, SW_SHOW);
    ShowWindow(w.hwnd, SW_HIDE);
    return 0;
}

LRESULT onSetCursor(EditWindow& w, WPARAM wp, LPARAM lp) {
    if (w.children.refusing) {
        SetCursor(LoadCursorW(nullptr, IDC_NO));
        return TRUE;
    }
    return DefWindowProcW(w.hwnd, WM_SETCURSOR, wp, lp);
}

}  // namespace

int32_t clientHeight(const EditWindow& w) {
    RECT r{};
    GetClientRect(w.hwnd, &r);
    return r.bottom;
}

RECT waveformArea(const EditWindow& w) {
    RECT r{};
    GetClientRect(w.hwnd, &r);
    r.top = kWaveTop;
    r.bottom = std::max<LONG>(r.bottom - kStatusHeight, r.top);
    return r;
}

// A content repaint always refreshes the spectrum: an activation may have
// painted nothing and left its mark for this paint to swallow.
void repaintWaveform(EditWindow& w) {
    w.session.suppressSpectrumOnPaint = false;
    const RECT r = waveformArea(w);
    InvalidateRect(w.hwnd, &r, FALSE);
}

void repaintEditFrame(EditWindow& w) {
    w.session.suppressSpectrumOnPaint = false;
    const ViewState& v = w.doc->view;
    repaintColumns(w, std::min(v.editFrameLeft, v.editFrameRight) - 1, std::max(v.editFrameLeft, v.editFrameRight) + 1);
}

void setStatus(EditWindow& w, const std::string& text) {
    if (w.children.status)
        SendMessageW(w.children.status, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(widen(text).c_str()));
}

bool tallScreen(const EditWindow& w) {
    RECT r{};
    GetWindowRect(w.hwnd, &r);
    return (w.desktop.bottom - w.desktop.top) - (r.bottom - r.top) >= 256;
}

void endButtonHold(EditWindow& w) {
    EditChildren& c = w.children;
    ClipCursor(nullptr);
    KillTimer(w.hwnd, kTimerRepeat);
    KillTimer(w.hwnd, kTimerSlideUp);
    KillTimer(w.hwnd, kTimerSlideDown);
    c.repeatWaiting = false;
    if (GetActiveWindow() == w.hwnd && GetFocus() != w.hwnd) SetFocus(w.hwnd);
    if (c.refusing) {
        c.refusing = false;
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    }
}

void refreshBar(EditWindow& w) {
    EditChildren& c = w.children;
    if (!c.bar.rebar) return;
    LookChanges changes;
    LookMoment moment;
    moment.attenuateRepeating = c.hover.attenuating;
    updateLook(c.shown, viewLook(*w.doc, w.session, moment), changes, !c.lookKnown);
    c.lookKnown = true;
    for (size_t i = 0; i < changes.count; ++i) {
        const LookChange& change = changes.list[i];
        applyLookChange(c.bar, change, c.shown);
        if (change.item == LookItem::toolBands) placePicture(w);
        if (change.item == LookItem::pageBandColour) InvalidateRect(toolbarById(c.bar, kCtlToolbarPage), nullptr, TRUE);
        if (change.item == LookItem::shorteningButton && IsWindowVisible(c.shorteningButton))
            InvalidateRect(c.shorteningButton, nullptr, FALSE);
    }
}

void endRestoreByPress(EditWindow& w, bool restoreFollows) {
    if (restoreFollows) {
        SendMessageW(toolbarOf(w.children.bar, kCmdRestore), TB_ENABLEBUTTON, kCmdRestore, MAKELPARAM(FALSE, 0));
        return;
    }
    disarmRestore(*w.doc);
    refreshBar(w);
}

void act(EditWindow& w, ViewEvents& events) {
    Document& doc = *w.doc;
    EditChildren& c = w.children;
    // A hold does not outlive its page or channel: the timers of the view
    // before would act on this one, where the gain lies elsewhere.
    if (doc.view.page != c.actedPage || doc.view.channel != c.actedChannel) {
        c.actedPage = doc.view.page;
        c.actedChannel = doc.view.channel;
        endButtonHold(w);
    }
    if (events.refreshOverviewChannel >= 0 && w.overview && doc.image.allocated())
        refreshOverviewChannel(*w.overview, doc.image.bytes(), doc.edit, doc.view, events.refreshOverviewChannel);
    if (events.titlesChanged) SetWindowTextW(w.hwnd, widen(editWindowTitle(doc)).c_str());
    if (events.hideAuxiliaryWindows) {
        if (c.shorteningButton) ShowWindow(c.shorteningButton, SW_HIDE);
        if (w.spectrum) hideSpectrum(*w.spectrum);
    }
    if (doc.view.page == 0) {
        // The overview shows the channel and the columns written back.
        if (events.repaintWaveform || events.refreshOverviewChannel >= 0) InvalidateRect(w.main, nullptr, TRUE);
    } else if (events.repaintWaveform) {
        repaintWaveform(w);
    } else if (events.repaintEditFrame) {
        repaintEditFrame(w);
    }
    if (c.bar.display1 && (events.repaintDisplay1 || events.buttons)) InvalidateRect(c.bar.display1, nullptr, FALSE);
    if (c.bar.display2 && events.repaintDisplay2) InvalidateRect(c.bar.display2, nullptr, FALSE);
    if (events.showOverview) {
        ShowWindow(w.main, SW_SHOW);
        ShowWindow(w.hwnd, SW_HIDE);
        InvalidateRect(w.main, nullptr, TRUE);
    }
    // A restore that no longer fits what it recorded is over.
    if (doc.history.restoreArmed && !restoreValid(doc)) disarmRestore(doc);
    refreshBar(w);
    if (!events.message.empty()) {
        const Message message = std::move(events.message);
        events.message = Message{};
        showMessage(w.hwnd, message);
    }
}

LRESULT CALLBACK editWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* w = reinterpret_cast<EditWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!w || !w->hwnd) return DefWindowProcW(hwnd, msg, wp, lp);  // still being made
    switch (msg) {
        case WM_SIZE: return onSize(*w, wp, lp);
        case WM_ACTIVATE:
            if (LOWORD(wp) != WA_INACTIVE) w->session.suppressSpectrumOnPaint = true;
            break;
        case WM_KILLFOCUS: return onKillFocus(*w, reinterpret_cast<HWND>(wp));
        case WM_PAINT: return onPaint(*w);
        case WM_CLOSE: return onClose(*w);
        case WM_SYSCOLORCHANGE: return onSysColorChange(*w);
        case WM_GETMINMAXINFO: return onMinMax(*w, *reinterpret_cast<MINMAXINFO*>(lp));
        case WM_DRAWITEM: return onDrawItem(*w, *reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
        case WM_NOTIFY: return onNotify(*w, *reinterpret_cast<NMHDR*>(lp));
        case WM_SYSCHAR: return onSysChar(*w, wp, lp);
        case WM_COMMAND: return onCommand(*w, LOWORD(wp));
        case WM_TIMER: return onTimer(*w, wp);
        case WM_MENUSELECT: return onMenuSelect(*w, wp, lp);
        case WM_EXITMENULOOP: setStatus(*w, std::string()); return 0;
        case WM_MOUSEMOVE: return onMouseMove(*w, GET_X_LPARAM(lp));
        case WM_LBUTTONDOWN: return onButtonDown(*w, wp, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
        case WM_LBUTTONUP: return onButtonUp(*w);
        case WM_CAPTURECHANGED: return onCaptureChanged(*w);
        case WM_SETCURSOR: return onSetCursor(*w, wp, lp);
        case kMsgRerunInsert: return onRerunInsert(*w, wp, lp);
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

bool createEditWindow(HINSTANCE instance, EditWindow& w) {
    w.instance = instance;
    w.children = EditChildren{};
    HWND hwnd = CreateWindowExW(0, kEditClass, L"", WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN, 0, 0,
                                w.size.cx, w.size.cy, nullptr, nullptr, instance, &w);
    if (!hwnd) return false;
    w.hwnd = hwnd;
    if (!makeChildren(w)) {
        destroyEditWindow(w);
        return false;
    }
    RECT client{};
    GetClientRect(hwnd, &client);
    onSize(w, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    // The working copy starts at the data until page 2 is first entered.
    w.doc->pages.workOrigin = w.doc->edit.dataOffset;
    return true;
}

void destroyEditWindow(EditWindow& w) {
    if (w.hwnd) {
        ClipCursor(nullptr);
        DestroyWindow(w.hwnd);  // every child goes with it
    }
    w.hwnd = nullptr;
    w.children = EditChildren{};
}

void openEditWindow(EditWindow& w, POINT topLeft, int32_t resumedPage) {
    Document& doc = *w.doc;
    SetWindowPos(w.hwnd, nullptr, topLeft.x, topLeft.y, w.size.cx, w.size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    endButtonHold(w);
    w.session.pressedButtonIndex = -1;
    w.session.run = ToolRun{};
    w.session.shorteningLook = false;
    ViewEvents events;
    enterEditView(doc, platformFileSystem(), resumedPage, events);
    // One channel: the both-channels pair of the chosen volume shows.
    if (!doc.stereo()) {
        HWND play = toolbarById(w.children.bar, kCtlToolbarPlay);
        for (int command : {kCmdPlayPageHalf, kCmdPlayFromFrameHalf})
            SendMessageW(play, TB_HIDEBUTTON, WPARAM(command), MAKELPARAM(doc.playback.volumeHalf ? FALSE : TRUE, 0));
    }
    w.children.lookKnown = false;  // the bar starts over: labels, states and images
    const Message message = std::move(events.message);
    events.message = Message{};
    act(w, events);
    setStatus(w, std::string());
    ShowWindow(w.hwnd, SW_SHOW);
    if (!message.empty()) showMessage(w.hwnd, message);
}
