#include "app/close_sequence_win.h"

#include <commdlg.h>

#include <vector>

#include "app/exit_messages.h"
#include "app/settings_win.h"
#include "common/message_box_win.h"
#include "common/utf16_win.h"

namespace {

// Room for long paths: a proposal cut to a short buffer could save under a wrong name.
constexpr size_t kPathChars = 32768;

std::wstring waveFilter() {
    std::wstring f = widen(kSaveAsFilterWave);
    f += L'\0';
    f += L"*.wav";
    f += L'\0';
    f += widen(kSaveAsFilterAll);
    f += L'\0';
    f += L"*.*";
    f += L'\0';
    return f;
}

}  // namespace

bool runSaveAsDialog(HWND owner, std::string& path) {
    std::vector<wchar_t> buffer(kPathChars, L'\0');
    const std::wstring proposal = widen(path);
    if (proposal.size() >= kPathChars) return false;
    proposal.copy(buffer.data(), proposal.size());
    const std::wstring filter = waveFilter();
    const std::wstring title = widen(kSaveAsTitle);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = DWORD(buffer.size());
    ofn.lpstrTitle = title.c_str();
    ofn.lpstrDefExt = L"wav";
    ofn.Flags = OFN_OVERWRITEPROMPT;
    if (!GetSaveFileNameW(&ofn)) return false;
    path = narrow(buffer.data());
    return true;
}

Answer WinCloseShell::ask(const Message& question) { return showMessage(owner_, question); }

void WinCloseShell::show(const Message& message) { showMessage(owner_, message); }

bool WinCloseShell::chooseSaveName(std::string& path) { return runSaveAsDialog(owner_, path); }

CloseResult runCloseSequenceWin(HWND mainWindow, const WaveInfo& edit, FileImage& image, ExitFiles& files,
                                Settings& settings, const std::string& iniPath) {
    WinCloseShell shell(mainWindow);
    ProfileIniStore ini(iniPath);
    return runCloseSequence(edit, image, files, settings, platformFileSystem(), ini, shell);
}
