#include "app/file_dialog_win.h"

#include <commdlg.h>

#include <vector>

#include "app/file_select.h"
#include "app/messages.h"
#include "common/utf16_win.h"

namespace {

// Room for the longest path the system accepts, so no name is cut.
constexpr size_t kPathRoom = 32768;

std::wstring filterText(const FileFilter& filter) {
    std::wstring text;
    for (const auto& pair : filter.pairs) {
        text += widen(pair.first) + L'\0';
        text += widen(pair.second) + L'\0';
    }
    return text + L'\0';
}

}  // namespace

bool runFileDialog(HWND owner, std::string& path, bool saveMode, bool mp3Filter) {
    const FileFilter filter = fileFilter(mp3Filter);
    const std::wstring filterW = filterText(filter);
    const std::wstring extension = widen(filter.defaultExtension);
    const std::wstring title = widen(kSaveDialogTitle);
    std::vector<wchar_t> buffer(kPathRoom, L'\0');
    const std::wstring current = widen(path);
    if (current.size() < kPathRoom) current.copy(buffer.data(), current.size());

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filterW.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = DWORD(buffer.size());
    ofn.lpstrDefExt = extension.c_str();
    if (saveMode) {
        ofn.lpstrTitle = title.c_str();
        ofn.Flags = OFN_OVERWRITEPROMPT;
    } else {
        ofn.Flags = OFN_FILEMUSTEXIST;
    }
    const BOOL confirmed = saveMode ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!confirmed) return false;
    path = narrow(buffer.data());
    return true;
}
