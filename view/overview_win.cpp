#include "view/overview_win.h"

#include "common/utf16_win.h"

void paintOverview(HDC dc, const std::vector<uint32_t>& pixels, int32_t width, bool stereo, HFONT font) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -kOverviewHeight;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, DWORD(width), kOverviewHeight, 0, 0, 0, kOverviewHeight, pixels.data(), &info,
                      DIB_RGB_COLORS);
    const HGDIOBJ old = SelectObject(dc, font);
    for (const OverviewLabel& label : overviewLabels(stereo)) {
        const std::wstring text = widen(label.text);
        TextOutW(dc, label.x, label.y, text.c_str(), int(text.size()));
    }
    SelectObject(dc, old);
}

void invertCursorLine(HDC dc, int32_t column) {
    const int old = SetROP2(dc, R2_NOT);
    MoveToEx(dc, column, kOverviewCursorTop, nullptr);
    LineTo(dc, column, kOverviewCursorEnd);
    SetROP2(dc, old);
}
