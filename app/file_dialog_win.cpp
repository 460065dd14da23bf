#include "app/file_dialog_win.h"

#include <commdlg.h>

#include <vector>

#include "app/messages.h"
#include "common/utf16_win.h"

namespace {

// Room for the longest path the system accepts, so no name is cut: a
// proposal cut short could even save under a wrong name.
constexpr size_t kPathRoom = 32768;

std::wstring filterText(const FileFilter& filter) {
    std::wstring text;
    for (const auto& pair : filter.pairs) {
        text += widen(pair.first) + L'\0';
        text += widen(pair.second) + L'\0';
    }
    return text + L'\0';
}

bool runDialog(HWND owner, std::string& path, bool save, bool mp3Filter) {
    const FileFilter filter = fileFilter(mp3Filter);
    const std::wstring filterW = filterText(filter);
    const std::wstring extension = widen(filter.defaultExtension);
    const std::wstring title = widen(kSaveDialogTitle);
    const std::wstring current = widen(path);
    if (current.size() >= kPathRoom) return false;
    std::vector<wchar_t> buffer(kPathRoom, L'\0');
    current.copy(buffer.data(), current.size());

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filterW.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = DWORD(buffer.size());
    ofn.lpstrDefExt = extension.c_str();
    if (save) {
        ofn.lpstrTitle = title.c_str();
        ofn.Flags = OFN_OVERWRITEPROMPT;
    } else {
        ofn.Flags = OFN_FILEMUSTEXIST;
    }
    if (!(save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn))) return false;
    path = narrow(buffer.data());
    return true;
}

}  // namespace

bool runOpenDialog(HWND owner, std::string& path, bool mp3Filter) { return runDialog(owner, path, false, mp3Filter); }

bool runSaveAsDialog(HWND owner, std::string& path) { return runDialog(owner, path, true, false); }
