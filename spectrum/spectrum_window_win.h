#pragma once
// The spectrum window: the page's spectra as line graphs, with a vertical
// tool strip (zoom out, zoom in, relative display) and the pointer's
// read-out in the title. Top-level, made hidden with every edit view.
#include <windows.h>

#include <cstdint>

#include "common/unique_win.h"

struct Document;
struct SpectrumState;

// The window property counting the spectrum's computations.
constexpr wchar_t kComputationsProperty[] = L"VelkorComputations";

struct SpectrumWindow {
    // Given by the main window before creation.
    HINSTANCE instance = nullptr;
    const Document* doc = nullptr;
    SpectrumState* state = nullptr;  // owned by the main window
    HFONT font = nullptr;            // the shared UI font
    int32_t desktopWidth = 0;

    HWND hwnd = nullptr;
    HWND rebar = nullptr;
    HWND toolbar = nullptr;  // 110
    UniqueImageList images;
};

LRESULT CALLBACK spectrumWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
// The tables for the current width, then the window, hidden at (0, 0) as
// wide as its limits allow. False when it cannot be made.
bool createSpectrumWindow(SpectrumWindow& w);
void destroySpectrumWindow(SpectrumWindow& w);

bool spectrumShown(const SpectrumWindow& w);
void hideSpectrum(SpectrumWindow& w);
// F3: hidden when shown, else shown with the spectra of the page.
void toggleSpectrum(SpectrumWindow& w);
// The page's spectra computed again, the title set and the window redrawn.
void refreshSpectrum(SpectrumWindow& w);
// F4: light grey in step with the edit window's dark grey, else white.
void setSpectrumBackground(SpectrumWindow& w, bool grey);
