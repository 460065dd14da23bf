#pragma once
// The name of the WAVE file an MP3 is converted into: on the desktop, after
// the MP3, never over a file that is there.
#include <string>

#include "common/file_system.h"

// The longest path the program's dialogs hold, in UTF-16 units (MAX_PATH
// less its terminating zero).
constexpr size_t kMaxPathUnits = 259;

// "<desktop>\take1_NEW.wav" for "...\take1.mp3", with "_NEW" added again
// while a file of that name exists. Empty when the name would pass the limit.
std::string convertedWaveName(FileSystem& fs, const std::string& desktop, const std::string& mp3Path);

// The next name after `path` ("..._NEW.wav" -> "..._NEW_NEW.wav") that names
// no file, for a name taken while the conversion ran. False past the limit.
bool nextFreeName(FileSystem& fs, std::string& path);

// UTF-16 units of a UTF-8 path: what the platform's limit counts.
size_t utf16Units(const std::string& utf8);
