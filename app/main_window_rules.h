#pragma once
// What the main window shows in words: its title, the status-line help of
// its menu items and the hint of "操作説明".
#include <string>

#include "common/message.h"

// "雑音編集　" followed by the edit file's name and extension.
std::string mainTitle(const std::string& editPath);
// The status line for a highlighted item of the main menu; empty clears it.
std::string mainMenuHelp(int itemId);
Message howToOperate();
