// The edit window's notifications from its bar: the rebar's height, the
// pager, the drop-down arrows; menu help.
#include <windows.h>

#include <commctrl.h>

#include "app/document.h"
#include "view/edit_shell_win.h"

namespace {

LRESULT onHeightChange(EditWindow& w) {
    placeLabels(w.children.bar);
    SetWindowPos(w.children.picture, nullptr, 0, rebarBottom(w.children.bar), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

LRESULT onDropDown(EditWindow& w, const NMTOOLBARW& toolbar) {
    if (toolbar.iItem == kCmdEditBand) showToolbarPopup(w, 3, kCmdEditBand, false);
    return TBDDRET_DEFAULT;
}

LRESULT onPagerSize(NMPGCALCSIZE& size) {
    if (size.dwFlag == PGF_CALCWIDTH) size.iWidth = kPagerWidth;
    return 0;
}

}  // namespace

LRESULT onNotify(EditWindow& w, NMHDR& header) {
    switch (header.code) {
        case RBN_HEIGHTCHANGE: return onHeightChange(w);
        case TBN_DROPDOWN: return onDropDown(w, reinterpret_cast<NMTOOLBARW&>(header));
        case PGN_CALCSIZE: return onPagerSize(reinterpret_cast<NMPGCALCSIZE&>(header));
    }
    return 0;
}

LRESULT onMenuSelect(EditWindow&, WPARAM, LPARAM) { return 0; }

bool addControlTooltips(EditWindow&) { return true; }
