#include "app/automatic_dialog_win.h"

#include <commctrl.h>

#include "app/edit_shell_win.h"
#include "common/message_box_win.h"
#include "common/utf16_win.h"
#include "document/document.h"
#include "playback/playback_dialog_win.h"
#include "playback/prepare.h"
#include "resources/ids.h"
#include "shortening/automatic.h"
#include "shortening/messages.h"
#include "spectrum/spectrum_view.h"
#include "spectrum/spectrum_window_win.h"

namespace {

constexpr UINT kMsgOpenAutomatic = WM_APP + 1;
constexpr COLORREF kDialogColour = RGB(224, 220, 208);
constexpr COLORREF kTransparent = RGB(255, 255, 255);
constexpr int kImageWidth = 20, kImageHeight = 15, kImageCount = 6;
constexpr int kToolbarWidth = 175, kToolbarHeight = 22;
constexpr int kTooltipDelayMs = 50;
constexpr int kClipBottomInset = 4;

struct AutomaticDialog;

// The batch's pump: every window of the thread, so the edit window repaints
// and a click on 335 or the close box reaches the dialog between steps.
struct BatchPump final : Progress {
    AutomaticDialog* dialog = nullptr;
    void open(ProgressKind) override {}
    void close() override {}
    void step() override {}
    bool takeCancel() override { return false; }  // the stop arrives through the dialog's commands
    Answer ask(const Message&) override { return Answer::no; }
    void pump() override;
};

struct AutomaticDialog {
    EditWindow* w = nullptr;
    HWND hwnd = nullptr;
    HWND toolbar = nullptr;
    AutomaticOperation op;
    UniqueGdiObject brush;
    UniqueImageList images;
    BatchPump pumpSource;
    std::wstring tipText;
    bool clipped = false;
};

void BatchPump::pump() {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        if (m.message == WM_QUIT) {  // handed on to the outer loop once the batch has ended
            PostQuitMessage(int(m.wParam));
            requestStop(dialog->op);
            return;
        }
        if (IsDialogMessageW(dialog->hwnd, &m)) continue;
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

BandSplit bandSplit(EditWindow& w) {
    return BandSplit{w.spectrum->state->tables, w.spectrum->state->buffers, w.session.bandIndex};
}

void setTitle(AutomaticDialog& d, const std::string& title) { SetWindowTextW(d.hwnd, widen(title).c_str()); }

RECT buttonScreenRect(const AutomaticDialog& d, int command) {
    RECT r{};
    SendMessageW(d.toolbar, TB_GETRECT, WPARAM(command), reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(d.toolbar, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void releaseClip(AutomaticDialog& d) {
    if (!d.clipped) return;
    ClipCursor(nullptr);
    d.clipped = false;
}

// The pointer kept on 335 so that a click during a batch always lands on it.
void clipToStartStop(AutomaticDialog& d) {
    RECT button = buttonScreenRect(d, kCmdAutomaticStartStop);
    RECT bar{};
    GetWindowRect(d.toolbar, &bar);
    const RECT clip{button.left, bar.top, button.right, bar.bottom - kClipBottomInset};
    d.clipped = ClipCursor(&clip) != FALSE;
}

void setTooltipsActive(AutomaticDialog& d, bool active) {
    if (HWND tips = reinterpret_cast<HWND>(SendMessageW(d.toolbar, TB_GETTOOLTIPS, 0, 0)))
        SendMessageW(tips, TTM_ACTIVATE, active ? TRUE : FALSE, 0);
}

void setImage(AutomaticDialog& d, int command, int image) {
    SendMessageW(d.toolbar, TB_CHANGEBITMAP, WPARAM(command), MAKELPARAM(image, 0));
}

void enableButton(AutomaticDialog& d, int command, bool on) {
    SendMessageW(d.toolbar, TB_ENABLEBUTTON, WPARAM(command), MAKELPARAM(on ? TRUE : FALSE, 0));
}

void runBatch(AutomaticDialog& d) {
    EditWindow& w = *d.w;
    if (!beginBatch(*w.doc, d.op)) return;
    setTooltipsActive(d, false);
    clipToStartStop(d);
    setImage(d, kCmdAutomaticStartStop, kAutomaticRunningImage);
    const BandSplit band = bandSplit(w);
    const ShowTitle show = [&](const std::string& title) { setTitle(d, title); };
    ViewEvents events;
    while (batchTurn(*w.doc, d.op, band, d.pumpSource, show, events)) {
        act(w, events);
        events = ViewEvents{};
        d.pumpSource.pump();
    }
    SetFocus(d.hwnd);
    setImage(d, kCmdAutomaticStartStop, 0);
    enableButton(d, kCmdAutomaticCancel, d.op.cancelEnabled);
    releaseClip(d);
    setTooltipsActive(d, true);
    act(w, events);  // the end-of-range message, if any, comes last
}

void cancelCommand(AutomaticDialog& d) {
    ViewEvents events;
    const std::string title = cancelBatch(*d.w->doc, d.op, events);
    if (title.empty()) return;
    setTitle(d, title);
    enableButton(d, kCmdAutomaticCancel, false);
    act(*d.w, events);
}

// A playback started here is owned by the dialog, and ends before it does.
void playCommand(AutomaticDialog& d, bool fromFrame) {
    EditWindow& w = *d.w;
    if (d.op.running || playbackShown(*w.playback)) return;
    if (!(fromFrame ? playFromFrame(*w.doc) : playPage(*w.doc))) return;
    const LineWindows windows{w.main, w.hwnd, w.children.bar.display2};
    openPlaybackDialog(*w.playback, d.hwnd, windows);
}

void endDialog(AutomaticDialog& d) {
    releaseClip(d);
    if (playbackShown(*d.w->playback)) endPlaybackNow(*d.w->playback);
    RECT dialog{}, edit{};
    GetWindowRect(d.hwnd, &dialog);
    GetWindowRect(d.w->hwnd, &edit);
    d.w->automaticPlace = {{dialog.left, dialog.top, dialog.right, dialog.bottom},
                           {edit.left, edit.top, edit.right, edit.bottom}};
    EndDialog(d.hwnd, IDOK);
}

void confirmCommand(AutomaticDialog& d) {
    if (confirmAutomatic(*d.w->doc, d.w->session, d.op)) endDialog(d);
}

void closeCommand(AutomaticDialog& d) {
    EditWindow& w = *d.w;
    switch (closeAutomatic(*w.doc, w.session, d.op)) {
        case CloseStep::stopRequested: return;
        case CloseStep::ended: endDialog(d); return;
        case CloseStep::ask: break;
    }
    releaseClip(d);
    const Answer answer = showMessage(d.hwnd, automaticCloseQuestion());
    ViewEvents events;
    if (!answerClose(*w.doc, w.session, d.op, answer, events)) return;
    act(w, events);
    endDialog(d);
}

void onCommand(AutomaticDialog& d, int id) {
    switch (id) {
        case kCmdAutomaticStartStop:
            if (d.op.running)
                requestStop(d.op);
            else
                runBatch(d);
            return;
        case kCmdAutomaticCancel: cancelCommand(d); return;
        case kCmdAutomaticConfirm: confirmCommand(d); return;
        case kCmdAutomaticPlayPage: playCommand(d, false); return;
        case kCmdAutomaticPlayFromFrame: playCommand(d, true); return;
        case IDCANCEL:  // Esc and Alt+F4: the close box is out of reach during a batch
            if (d.op.running)
                requestStop(d.op);
            else
                closeCommand(d);
            return;
    }
}

const AutomaticButton* buttonOf(UINT_PTR command) {
    for (const AutomaticButton& b : kAutomaticButtons)
        if (UINT_PTR(b.command) == command) return &b;
    return nullptr;
}

LRESULT onTooltipText(AutomaticDialog& d, NMTTDISPINFOW& info) {
    const AutomaticButton* b = buttonOf(info.hdr.idFrom);
    if (!b) return 0;
    d.tipText = widen(b->tooltip);
    info.lpszText = d.tipText.data();
    setStatus(*d.w, b->help);
    return 0;
}

bool makeToolbar(AutomaticDialog& d) {
    HINSTANCE instance = d.w->instance;
    d.toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                                WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT,
                                0, 0, kToolbarWidth, kToolbarHeight, d.hwnd,
                                reinterpret_cast<HMENU>(INT_PTR(IDC_AUTOMATIC_TOOLBAR)), instance, nullptr);
    if (!d.toolbar) return false;
    SendMessageW(d.toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    d.images.reset(ImageList_Create(kImageWidth, kImageHeight, ILC_COLORDDB | ILC_MASK, kImageCount, 0));
    if (!d.images) return false;
    HBITMAP strip = static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(IDB_AUTOMATIC_BUTTONS), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    if (!strip) return false;
    ImageList_AddMasked(d.images.get(), strip, kTransparent);
    DeleteObject(strip);
    SendMessageW(d.toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(d.images.get()));
    for (const AutomaticButton& b : kAutomaticButtons) {
        TBBUTTON button{};
        button.iBitmap = b.image;
        button.idCommand = b.command;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_BUTTON;
        button.iString = -1;
        if (!SendMessageW(d.toolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button))) return false;
    }
    SendMessageW(d.toolbar, TB_AUTOSIZE, 0, 0);
    if (HWND tips = reinterpret_cast<HWND>(SendMessageW(d.toolbar, TB_GETTOOLTIPS, 0, 0)))
        SendMessageW(tips, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(kTooltipDelayMs, 0));
    return true;
}

void place(AutomaticDialog& d) {
    RECT dialog{}, edit{};
    GetWindowRect(d.hwnd, &dialog);
    GetWindowRect(d.w->hwnd, &edit);
    const RECT& desk = d.w->desktop;
    const ScreenPoint at = automaticDialogOrigin(
        d.w->automaticPlace, {edit.left, edit.top, edit.right, edit.bottom}, d.w->doc->view.screenWidth,
        dialog.right - dialog.left, dialog.bottom - dialog.top, {desk.left, desk.top, desk.right, desk.bottom});
    SetWindowPos(d.hwnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool onInit(AutomaticDialog& d) {
    d.brush.reset(CreateSolidBrush(kDialogColour));
    if (!d.brush || !makeToolbar(d)) return false;
    place(d);
    PostMessageW(d.hwnd, kMsgOpenAutomatic, 0, 0);
    return true;
}

// The opening snapshots, then the first batch at once with the pointer on 335.
void onOpen(AutomaticDialog& d) {
    EditWindow& w = *d.w;
    // A modal dialog shows itself once its queue is empty, which the batch
    // posted below keeps it from being: the first batch would run unseen.
    ShowWindow(d.hwnd, SW_SHOW);
    UpdateWindow(d.hwnd);
    setTitle(d, openAutomatic(*w.doc, w.session, d.op));
    enableButton(d, kCmdAutomaticPlayFromFrame, d.op.playFromFrameEnabled);
    enableButton(d, kCmdAutomaticCancel, false);
    const RECT button = buttonScreenRect(d, kCmdAutomaticStartStop);
    SetCursorPos((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    PostMessageW(d.hwnd, WM_COMMAND, MAKEWPARAM(kCmdAutomaticStartStop, BN_CLICKED), 0);
}

INT_PTR CALLBACK automaticProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        auto* d = reinterpret_cast<AutomaticDialog*>(lp);
        SetWindowLongPtrW(hwnd, DWLP_USER, lp);
        d->hwnd = hwnd;
        d->w->automaticDialog = hwnd;
        if (!onInit(*d)) EndDialog(hwnd, -1);
        return TRUE;
    }
    auto* d = reinterpret_cast<AutomaticDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!d) return FALSE;
    switch (msg) {
        case kMsgOpenAutomatic: onOpen(*d); return TRUE;
        case WM_COMMAND: onCommand(*d, LOWORD(wp)); return TRUE;
        case WM_CLOSE: closeCommand(*d); return TRUE;
        case WM_ACTIVATE:
            if (LOWORD(wp) == WA_INACTIVE) releaseClip(*d);
            return FALSE;
        case WM_NOTIFY: {
            auto& header = *reinterpret_cast<NMHDR*>(lp);
            if (header.code != TTN_GETDISPINFOW) return FALSE;
            onTooltipText(*d, reinterpret_cast<NMTTDISPINFOW&>(header));
            return TRUE;
        }
        case WM_CTLCOLORSTATIC: SetBkMode(reinterpret_cast<HDC>(wp), TRANSPARENT); [[fallthrough]];
        case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(d->brush.get());
    }
    return FALSE;
}

}  // namespace

void runAutomaticDialog(EditWindow& w) {
    AutomaticDialog d;
    d.w = &w;
    d.pumpSource.dialog = &d;
    DialogBoxParamW(w.instance, MAKEINTRESOURCEW(IDD_AUTOMATIC), w.hwnd, automaticProc, reinterpret_cast<LPARAM>(&d));
    ClipCursor(nullptr);
    w.automaticDialog = nullptr;
    w.session.automaticDialogShown = false;
}
