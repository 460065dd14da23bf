// The edit window's pictures: the page as the core renders it, the display
// windows and the shortening button, and the bitmaps they start from.
#include <algorithm>
#include <cstring>

#include "app/edit_shell_win.h"
#include "document/document.h"
#include "playback/playback_dialog_win.h"
#include "resources/ids.h"
#include "spectrum/spectrum_window_win.h"
#include "view/display_windows.h"

namespace {

BITMAPINFO topDown(int32_t width, int32_t height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // the first row at the top, as the core fills it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

HBITMAP loadBitmap(HINSTANCE instance, int id) {
    return static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

// A bitmap resource as 0x00RRGGBB pixels, top row first.
bool loadPixels(HINSTANCE instance, int id, std::vector<uint32_t>& pixels, int32_t& width, int32_t& height) {
    UniqueGdiObject bitmap(loadBitmap(instance, id));
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap.get(), sizeof info, &info)) return false;
    width = info.bmWidth;
    height = info.bmHeight;
    pixels.assign(size_t(width) * size_t(height), 0);
    BITMAPINFO format = topDown(width, height);
    HDC screen = GetDC(nullptr);
    const int rows =
        GetDIBits(screen, static_cast<HBITMAP>(bitmap.get()), 0, UINT(height), pixels.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return rows == height;
}

void blit(HDC dc, const RECT& at, const std::vector<uint32_t>& pixels) {
    const int32_t width = at.right - at.left, height = at.bottom - at.top;
    if (width <= 0 || height <= 0 || pixels.size() < size_t(width) * size_t(height)) return;
    BITMAPINFO format = topDown(width, height);
    SetDIBitsToDevice(dc, at.left, at.top, DWORD(width), DWORD(height), 0, 0, 0, UINT(height), pixels.data(), &format,
                      DIB_RGB_COLORS);
}

// The page's pixels as a bitmap GDI can copy a rectangle from.
bool pageBitmap(EditChildren& c, HDC dc, int32_t width, int32_t height) {
    if (c.dib && c.dibSize.cx == width && c.dibSize.cy == height) return true;
    BITMAPINFO format = topDown(width, height);
    void* bits = nullptr;
    c.dib.reset(CreateDIBSection(dc, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    c.dibBits = static_cast<uint32_t*>(bits);
    c.dibSize = {width, height};
    return c.dib && c.dibBits;
}

// The spectrum follows the page, but not after a paint that only showed
// again what an activation uncovered, nor while another program is in front.
void refreshSpectrumAfterPaint(EditWindow& w, bool painted) {
    SpectrumWindow* spectrum = w.spectrum;
    if (!painted || w.session.suppressSpectrumOnPaint || !spectrum || !spectrumShown(*spectrum)) return;
    const HWND front = GetForegroundWindow();
    if (front && (front == w.hwnd || front == spectrum->hwnd || (w.playback && front == w.playback->hwnd)))
        refreshSpectrum(*spectrum);
}

void drawShorteningButton(EditWindow& w, HDC dc, const RECT& at) {
    HDC cells = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(cells, w.children.shorteningCells.get());
    const int cell = w.children.shown.shorteningButtonCell;
    BitBlt(dc, at.left, at.top, at.right - at.left, at.bottom - at.top, cells, 75 * cell, 0, SRCCOPY);
    SelectObject(cells, old);
    DeleteDC(cells);
}

}  // namespace

bool loadPictures(EditWindow& w) {
    EditChildren& c = w.children;
    c.ruler.reset(loadBitmap(w.instance, IDB_RULER));
    c.shorteningCells.reset(loadBitmap(w.instance, IDB_SHORTENING_BUTTON));
    return c.ruler && c.shorteningCells &&
           loadPixels(w.instance, IDB_PAGE_THREE, c.miniature, c.miniatureWidth, c.miniatureHeight);
}

// The page is rendered whole from the state (the core keeps what it can) and
// only the update rectangle is copied to the screen.
LRESULT onPaint(EditWindow& w) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w.hwnd, &ps);
    Document& doc = *w.doc;
    EditChildren& c = w.children;
    const RECT area = waveformArea(w);
    RECT update{};
    if (doc.view.page >= 1 && doc.view.page <= 5 && IntersectRect(&update, &ps.rcPaint, &area)) {
        const int32_t width = doc.view.screenWidth, height = area.bottom - area.top;
        c.page.resize(width, height);
        RenderFlags flags;
        flags.darkBackground = w.darkBackground;
        flags.automaticDialogShown = w.session.automaticDialogShown;
        renderPage(doc, c.cache, c.page, flags);
        if (pageBitmap(c, dc, width, height)) {
            const LONG right = std::min<LONG>(update.right, width);
            for (LONG y = update.top; y < update.bottom; ++y) {
                const size_t row = size_t(y - kWaveTop) * size_t(width);
                std::memcpy(c.dibBits + row + update.left, c.page.pixels.data() + row + update.left,
                            size_t(right - update.left) * sizeof(uint32_t));
            }
            HDC memory = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(memory, c.dib.get());
            BitBlt(dc, update.left, update.top, right - update.left, update.bottom - update.top, memory, update.left,
                   update.top - kWaveTop, SRCCOPY);
            SelectObject(memory, old);
            DeleteDC(memory);
        }
    }
    redrawPlaybackLine(*w.playback, w.hwnd, dc);  // only where painted: the paint clips the rest
    EndPaint(w.hwnd, &ps);
    refreshSpectrumAfterPaint(w, !IsRectEmpty(&ps.rcPaint));
    w.session.suppressSpectrumOnPaint = false;
    return 0;
}

LRESULT onDrawItem(EditWindow& w, const DRAWITEMSTRUCT& item) {
    EditChildren& c = w.children;
    const int32_t width = item.rcItem.right - item.rcItem.left, height = item.rcItem.bottom - item.rcItem.top;
    switch (item.CtlID) {
        case kCtlDisplay1:
            drawDisplayWindow1(*w.doc, w.session.automaticDialogShown, width, height, c.controlPixels);
            blit(item.hDC, item.rcItem, c.controlPixels);
            return TRUE;
        case kCtlDisplay2:
            drawDisplayWindow2(w.doc->view, c.miniature, c.miniatureWidth, width, height, c.controlPixels);
            blit(item.hDC, item.rcItem, c.controlPixels);
            redrawPlaybackLine(*w.playback, item.hwndItem, item.hDC);
            return TRUE;
        case kCtlShorteningButton: drawShorteningButton(w, item.hDC, item.rcItem); return TRUE;
    }
    return FALSE;
}
