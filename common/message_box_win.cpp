#include "common/message_box_win.h"

#include "common/utf16_win.h"

Answer showMessage(HWND owner, const Message& message) {
    UINT flags = MB_OK;
    if (message.buttons == Buttons::yesNo) flags = MB_YESNO;
    if (message.buttons == Buttons::yesNoCancel) flags = MB_YESNOCANCEL;
    if (message.icon == Icon::exclamation) flags |= MB_ICONEXCLAMATION;
    if (message.foreground) flags |= MB_SETFOREGROUND;
    if (message.topmost) flags |= MB_TOPMOST;
    switch (MessageBoxW(owner, widen(message.text).c_str(), widen(message.caption).c_str(), flags)) {
        case IDYES: return Answer::yes;
        case IDNO: return Answer::no;
        case IDCANCEL: return Answer::cancel;
        default: return Answer::ok;
    }
}
