#include "app/file_names.h"

namespace {

// Both separators count: Windows accepts '/' in paths as well.
size_t nameStart(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? 0 : slash + 1;
}

// Position of the extension's dot inside the name part, or npos. A name
// that is only an extension (".wav") has an empty base name.
size_t extensionDot(const std::string& path) {
    const size_t dot = path.find_last_of('.');
    return dot != std::string::npos && dot >= nameStart(path) ? dot : std::string::npos;
}

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

}  // namespace

std::string saveFileName(const std::string& editPath) {
    const size_t dot = extensionDot(editPath);
    if (dot == std::string::npos) return editPath + "_N";
    return editPath.substr(0, dot) + "_N" + editPath.substr(dot);
}

std::string displayName(const std::string& path) { return path.substr(nameStart(path)); }

std::string baseName(const std::string& path) {
    const size_t start = nameStart(path);
    const size_t dot = extensionDot(path);
    return path.substr(start, (dot == std::string::npos ? path.size() : dot) - start);
}

std::string folderOf(const std::string& path) { return path.substr(0, nameStart(path)); }

bool hasWaveExtension(const std::string& path) {
    const size_t dot = extensionDot(path);
    if (dot == std::string::npos || path.size() - dot != 4) return false;
    static constexpr char kWav[] = ".wav";
    for (size_t i = 0; i < 4; ++i)
        if (lowerAscii(path[dot + i]) != kWav[i]) return false;
    return true;
}

ProgramFiles programFiles(const std::string& programPath) {
    const std::string folder = folderOf(programPath);
    return {folder + "Velkor.ini", folder + "Velkor.chm"};
}

std::string commandLineFile(const std::vector<std::string>& arguments) {
    if (arguments.size() < 2) return std::string();
    // The shell's split removes balanced quotes; a quote left over (a
    // folder ending in a backslash before its closing quote) cannot be
    // part of a Windows file name, so it goes.
    std::string file;
    for (char c : arguments.back())
        if (c != '"') file += c;
    const size_t first = file.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    return file.substr(first, file.find_last_not_of(' ') - first + 1);
}
