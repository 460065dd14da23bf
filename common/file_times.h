#pragma once
#include <string>

#include "common/file_system.h"

// A file another program holds open gets 4 attempts, 500 ms apart.
constexpr int kFileTimeAttempts = 4;
constexpr unsigned kFileTimePauseMs = 500;

bool readFileTime(FileSystem& fs, const std::string& path, FileTime& time);
bool writeFileTime(FileSystem& fs, const std::string& path, const FileTime& time);
