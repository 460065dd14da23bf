#pragma once
#include <windows.h>

#include <string>

#include "app/settings.h"

// Dialog 208, "Velkorを終了しますか". 1: end the program, 0: stay. Its two
// check boxes change ChangeCheckAtExit and AppendNOnSave at once, whichever
// button ends it; they reach the INI file with the close sequence.
int askExit(HWND owner, const std::string& editPath, Settings& settings);
