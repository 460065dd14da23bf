#pragma once
#include <windows.h>

#include "common/progress.h"

// Dialog 207: a modeless bar with a cancel button over a disabled owner.
class ProgressDialog final : public Progress {
public:
    explicit ProgressDialog(HWND owner) : owner_(owner) {}
    ~ProgressDialog() override { close(); }
    ProgressDialog(const ProgressDialog&) = delete;
    ProgressDialog& operator=(const ProgressDialog&) = delete;

    void open(ProgressKind kind) override;
    void close() override;
    void step() override;
    bool takeCancel() override;
    Answer ask(const Message& question) override;
    void pump() override;

    HWND window() const { return dialog_; }

private:
    static INT_PTR CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void showSteps();
    HWND owner_;
    HWND dialog_ = nullptr;
    HWND bar_ = nullptr;
    bool cancel_ = false;
    int unshownSteps_ = 0;  // taken but not yet drawn
    int steps_ = 0;         // since open
    DWORD shownAt_ = 0;     // tick count of the last drawing
};
