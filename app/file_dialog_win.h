#pragma once
#include <windows.h>

#include <string>

// The open dialog (the file must exist) or, in save mode, the save-as dialog
// with its overwrite prompt, on `path` (UTF-8, in and out). True when the
// user confirmed a name, which is then in `path`.
bool runFileDialog(HWND owner, std::string& path, bool saveMode, bool mp3Filter);
