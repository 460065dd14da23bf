#pragma once
// Names the start-up works out from paths: the save name, the shown name,
// the files beside the program and the file named on the command line.
#include <string>
#include <vector>

// "take1.wav" -> "take1_N.wav": "_N" after the base name, same folder and extension.
std::string saveFileName(const std::string& editPath);
// The base name and extension without the folder.
std::string displayName(const std::string& path);
// The file name without folder and extension (names the instance mutex).
std::string baseName(const std::string& path);
// The folder with its trailing separator; empty for a bare name.
std::string folderOf(const std::string& path);
// True for ".wav" in any letter case.
bool hasWaveExtension(const std::string& path);

// Velkor.ini and Velkor.chm in the program's folder, whatever the program file is called.
struct ProgramFiles {
    std::string iniPath;
    std::string helpPath;
};
ProgramFiles programFiles(const std::string& programPath);

// The edit file named by the last argument after the program's own name,
// as split by the shell's rules; empty when there is none.
std::string commandLineFile(const std::vector<std::string>& arguments);
