#pragma once
#include <windows.h>

#include <string>

#include "app/file_select.h"

// The open dialog (the file must exist) on `path` (UTF-8, in and out). True
// when the user confirmed a name, which is then in `path`.
bool runOpenDialog(HWND owner, std::string& path, bool mp3Filter);
// The save-as dialog, titled "ファイルを保存", WAVE files, with its overwrite prompt.
bool runSaveAsDialog(HWND owner, std::string& path);
