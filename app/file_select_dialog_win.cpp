#include "app/file_select_dialog_win.h"

#include <shellapi.h>
#include <shlobj.h>

#include "app/file_dialog_win.h"
#include "app/file_names.h"
#include "app/file_select.h"
#include "app/messages.h"
#include "app/session_start_win.h"
#include "app/start_choice.h"
#include "audio_file/messages.h"
#include "audio_file/mp3_codec_win.h"
#include "audio_file/progress_dialog_win.h"
#include "common/message_box_win.h"
#include "common/unique_win.h"
#include "common/utf16_win.h"
#include "document/document.h"
#include "resources/ids.h"
#include "ui/help_popup_win.h"

namespace {

// Posted on the first activation: the command line's file is set once the dialog shows.
constexpr UINT kSetCommandLineFile = WM_APP + 10;

struct FileSelectDialog {
    FileSelectDialog(Document& d, StartChoice& s, HelpPopup& h, std::string file)
        : doc(d), start(s), help(h), commandLineFile(std::move(file)) {}
    Document& doc;
    StartChoice& start;
    HelpPopup& help;
    std::string commandLineFile;
    bool commandLineTaken = false;
    FileChoice choice;
    std::string pathBuffer;  // shared by the open dialog and drag and drop
    UniqueGdiObject bitmap;
    AcmMp3Codec codec;
};

FileSelectDialog* stateOf(HWND dialog) {
    return reinterpret_cast<FileSelectDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

// The file-system folder of the desktop; empty when the shell gives none.
std::string desktopDirectory() {
    wchar_t path[MAX_PATH] = {};
    if (SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK) return {};
    return narrow(path);
}

void setFile(HWND dialog, FileSelectDialog& d, const std::string& path, FileRole role) {
    SetFileResult result;
    {
        // Shown only by a long chunk walk or a conversion, and gone before any message.
        ProgressDialog progress(dialog);
        Mp3Target mp3;
        if (role == FileRole::edit) mp3 = {&d.codec, desktopDirectory()};
        result = setChoiceFile(platformFileSystem(), d.choice, path, role, progress, mp3);
    }
    if (result.accepted)
        SetDlgItemTextW(dialog, role == FileRole::edit ? IDC_EDIT_NAME : IDC_BACKUP_NAME,
                        widen(displayName(role == FileRole::edit ? d.choice.editPath : d.choice.backupPath)).c_str());
    for (const Message& m : result.messages) {
        // The one message that has no owner: it comes before the dialog has a name to save under.
        const bool ownerless = m.text == kDesktopPathFailed && m.caption.empty();
        showMessage(ownerless ? nullptr : dialog, m);
    }
}

// A relative name from the command line becomes a full one: it is shown in
// full and saved beside the original. Built without a length limit.
std::string fullPath(const std::string& path) {
    const std::wstring w = widen(path);
    const DWORD need = GetFullPathNameW(w.c_str(), 0, nullptr, nullptr);
    if (need == 0) return path;
    std::wstring full(need, L'\0');
    const DWORD got = GetFullPathNameW(w.c_str(), need, &full[0], nullptr);
    if (got == 0 || got >= need) return path;
    full.resize(got);
    return narrow(full);
}

void onInit(HWND dialog, FileSelectDialog& d) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    d.bitmap.reset(LoadImageW(instance, MAKEINTRESOURCEW(IDB_OPEN_FILE), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
    for (int id : {IDC_OPEN_EDIT, IDC_OPEN_BACKUP})
        SendDlgItemMessageW(dialog, id, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(d.bitmap.get()));
    SendMessageW(dialog, WM_SETICON, ICON_BIG,
                 reinterpret_cast<LPARAM>(LoadIconW(instance, MAKEINTRESOURCEW(IDI_VELKOR))));
    DragAcceptFiles(dialog, TRUE);
    d.doc.view.screenWidth = 640;
}

void onOpenButton(HWND dialog, FileSelectDialog& d, FileRole role) {
    if (runOpenDialog(dialog, d.pathBuffer, d.choice.editOrigin.label != Mp3Label::none))
        setFile(dialog, d, d.pathBuffer, role);
}

void onEditInfo(HWND dialog, FileSelectDialog& d) {
    if (!d.choice.editPath.empty()) showMessage(dialog, editFileInfo(d.choice));
}

void onBackupInfo(HWND dialog, FileSelectDialog& d) {
    if (d.choice.backupPath.empty()) return;
    if (showMessage(dialog, backupFileInfo(d.choice.backupPath, d.choice.backup)) != Answer::yes) return;
    d.choice.backupPath.clear();
    d.choice.backup = WaveInfo{};
    SetDlgItemTextW(dialog, IDC_BACKUP_NAME, widen(kSameAsAbove).c_str());
}

void endDialog(HWND dialog, FileSelectDialog& d, INT_PTR result) {
    DragAcceptFiles(dialog, FALSE);
    for (int id : {IDC_OPEN_EDIT, IDC_OPEN_BACKUP}) SendDlgItemMessageW(dialog, id, BM_SETIMAGE, IMAGE_BITMAP, 0);
    d.bitmap.reset();
    EndDialog(dialog, result);
}

void onOk(HWND dialog, FileSelectDialog& d) {
    if (d.choice.editPath.empty()) return;
    if (!d.choice.backupPath.empty()) {
        const Status s = checkBackup(d.choice.edit, d.choice.backup);
        if (!s.ok()) {
            showMessage(dialog, s.message);
            return;
        }
    }
    const OkNames names = okNames(platformFileSystem(), d.choice);
    d.start.saveFileName = names.saveFileName;
    d.start.convertedFromMp3 = names.convertedFromMp3;
    d.doc.editPath = d.choice.editPath;
    d.doc.edit = d.choice.edit;
    d.doc.backupPath = d.choice.backupPath;
    d.doc.backup = d.choice.backup;
    if (!startSession(dialog, d.doc, d.start)) return;
    endDialog(dialog, d, IDOK);
}

void onCancel(HWND dialog, FileSelectDialog& d) {
    cancelChoice(platformFileSystem(), d.choice);
    d.doc.editPath.clear();
    endDialog(dialog, d, IDCANCEL);
}

ScreenRect screenRect(HWND dialog, int id) {
    RECT r{};
    GetWindowRect(GetDlgItem(dialog, id), &r);
    return {r.left, r.top, r.right, r.bottom};
}

void onDrop(HWND dialog, FileSelectDialog& d, HDROP drop) {
    // Queried at its own length: no dropped name is cut.
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    std::wstring name(length + 1, L'\0');
    const UINT got = DragQueryFileW(drop, 0, &name[0], length + 1);
    name.resize(got);
    POINT at{};
    DragQueryPoint(drop, &at);
    DragFinish(drop);
    ClientToScreen(dialog, &at);
    const DropTargets targets{screenRect(dialog, IDC_OPEN_EDIT), screenRect(dialog, IDC_EDIT_FRAME),
                              screenRect(dialog, IDC_OPEN_BACKUP), screenRect(dialog, IDC_BACKUP_FRAME)};
    const int role = dropRole(targets, at.x, at.y);
    if (role == 0 || name.empty()) return;
    SetForegroundWindow(dialog);
    d.pathBuffer = narrow(name);
    setFile(dialog, d, d.pathBuffer, FileRole(role));
}

void onHelp(FileSelectDialog& d, const HELPINFO& info) {
    if (info.iContextType != HELPINFO_WINDOW) return;
    const ControlHelp help = controlHelp(info.iCtrlId);
    if (!help.text.empty()) showHelp(d.help, help.text, info.MousePos, help.width, help.height);
}

void onActivate(HWND dialog, FileSelectDialog& d, WPARAM wp) {
    if (LOWORD(wp) == WA_INACTIVE || d.commandLineTaken || d.commandLineFile.empty()) return;
    d.commandLineTaken = true;
    PostMessageW(dialog, kSetCommandLineFile, 0, 0);
}

bool onCommand(HWND dialog, FileSelectDialog& d, int id, int code) {
    switch (id) {
        case IDC_OPEN_EDIT: onOpenButton(dialog, d, FileRole::edit); return true;
        case IDC_OPEN_BACKUP: onOpenButton(dialog, d, FileRole::backup); return true;
        case IDC_EDIT_FRAME:
            if (code == STN_CLICKED) onEditInfo(dialog, d);
            return true;
        case IDC_BACKUP_FRAME:
            if (code == STN_CLICKED) onBackupInfo(dialog, d);
            return true;
        case IDOK: onOk(dialog, d); return true;
        case IDCANCEL: onCancel(dialog, d); return true;
    }
    return false;
}

INT_PTR CALLBACK fileSelectProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lp);
        onInit(dialog, *reinterpret_cast<FileSelectDialog*>(lp));
        return TRUE;
    }
    FileSelectDialog* d = stateOf(dialog);
    if (!d) return FALSE;
    switch (msg) {
        case WM_ACTIVATE: onActivate(dialog, *d, wp); return FALSE;
        case kSetCommandLineFile: setFile(dialog, *d, fullPath(d->commandLineFile), FileRole::edit); return TRUE;
        case WM_DROPFILES: onDrop(dialog, *d, reinterpret_cast<HDROP>(wp)); return TRUE;
        case WM_HELP: onHelp(*d, *reinterpret_cast<const HELPINFO*>(lp)); return TRUE;
        case WM_COMMAND: return onCommand(dialog, *d, LOWORD(wp), HIWORD(wp)) ? TRUE : FALSE;
    }
    return FALSE;
}

}  // namespace

bool runFileSelectDialog(HWND owner, Document& doc, StartChoice& start, HelpPopup& help,
                         const std::string& commandLineFile) {
    FileSelectDialog d(doc, start, help, commandLineFile);
    const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_FILE_SELECT), owner,
                                           fileSelectProc, reinterpret_cast<LPARAM>(&d));
    return result == IDOK && !doc.editPath.empty();
}
