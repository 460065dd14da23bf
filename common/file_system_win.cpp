#include <windows.h>

#include <algorithm>

#include "common/file_system.h"
#include "common/unique_win.h"
#include "common/utf16_win.h"

namespace {

// Long absolute paths need the \\?\ form to pass MAX_PATH.
std::wstring apiPath(const std::string& path) {
    std::wstring w = widen(path);
    if (w.size() >= MAX_PATH - 12 && w.size() > 2 && w[1] == L':' && w[2] == L'\\') return L"\\\\?\\" + w;
    return w;
}

class WinInput final : public InputFile {
public:
    explicit WinInput(UniqueFile f) : f_(std::move(f)) {}
    bool size(uint64_t& bytes) override {
        LARGE_INTEGER n;
        if (!GetFileSizeEx(f_.get(), &n)) return false;
        bytes = static_cast<uint64_t>(n.QuadPart);
        return true;
    }
    bool seek(uint64_t position) override {
        LARGE_INTEGER to;
        to.QuadPart = static_cast<LONGLONG>(position);
        return SetFilePointerEx(f_.get(), to, nullptr, FILE_BEGIN) != 0;
    }
    size_t read(void* destination, size_t bytes) override {
        size_t done = 0;
        auto* out = static_cast<char*>(destination);
        while (done < bytes) {
            const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes - done, 1u << 20));
            DWORD got = 0;
            if (!ReadFile(f_.get(), out + done, chunk, &got, nullptr) || got == 0) break;
            done += got;
        }
        return done;
    }

private:
    UniqueFile f_;
};

class WinOutput final : public OutputFile {
public:
    explicit WinOutput(UniqueFile f) : f_(std::move(f)) {}
    size_t write(const void* source, size_t bytes) override {
        size_t done = 0;
        const auto* in = static_cast<const char*>(source);
        while (done < bytes) {
            const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes - done, 1u << 30));
            DWORD put = 0;
            if (!WriteFile(f_.get(), in + done, chunk, &put, nullptr) || put == 0) break;
            done += put;
        }
        return done;
    }
    bool flush() override { return FlushFileBuffers(f_.get()) != 0; }
    bool seek(uint64_t position) override {
        LARGE_INTEGER to;
        to.QuadPart = static_cast<LONGLONG>(position);
        return SetFilePointerEx(f_.get(), to, nullptr, FILE_BEGIN) != 0;
    }

private:
    UniqueFile f_;
};

class WinFileSystem final : public FileSystem {
public:
    std::unique_ptr<InputFile> openRead(const std::string& path, bool exclusive) override {
        UniqueFile f(CreateFileW(apiPath(path).c_str(), GENERIC_READ, exclusive ? 0 : FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (!f) return nullptr;
        return std::make_unique<WinInput>(std::move(f));
    }
    std::unique_ptr<OutputFile> create(const std::string& path) override {
        UniqueFile f(CreateFileW(apiPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                 nullptr));
        if (!f) return nullptr;
        return std::make_unique<WinOutput>(std::move(f));
    }
    bool exists(const std::string& path) override {
        return GetFileAttributesW(apiPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    bool remove(const std::string& path) override { return DeleteFileW(apiPath(path).c_str()) != 0; }
    bool replace(const std::string& source, const std::string& target) override {
        return MoveFileExW(apiPath(source).c_str(), apiPath(target).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    }
    std::vector<std::string> nameTails(const std::string& prefix) override {
        std::vector<std::string> tails;
        const std::wstring whole = widen(prefix);
        const size_t slash = whole.find_last_of(L"\\/");
        const std::wstring stem = whole.substr(slash == std::wstring::npos ? 0 : slash + 1);
        WIN32_FIND_DATAW found;
        UniqueFind search(FindFirstFileExW(apiPath(prefix + "*").c_str(), FindExInfoBasic, &found,
                                           FindExSearchNameMatch, nullptr, 0));
        if (!search) return tails;
        do {
            // The pattern may also have matched a short (8.3) name: the long one must begin with the stem.
            const std::wstring name = found.cFileName;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name.size() < stem.size() ||
                CompareStringOrdinal(name.c_str(), int(stem.size()), stem.c_str(), int(stem.size()), TRUE) !=
                    CSTR_EQUAL)
                continue;
            tails.push_back(narrow(name.substr(stem.size())));
        } while (FindNextFileW(search.get(), &found));
        return tails;
    }
    bool lastWriteTime(const std::string& path, FileTime& time) override {
        UniqueFile f(CreateFileW(apiPath(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                 nullptr));
        FILETIME t;
        if (!f || !GetFileTime(f.get(), nullptr, nullptr, &t)) return false;
        time = {t.dwLowDateTime, t.dwHighDateTime};
        return true;
    }
    bool setLastWriteTime(const std::string& path, const FileTime& time) override {
        UniqueFile f(CreateFileW(apiPath(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                 nullptr));
        const FILETIME t{time.low, time.high};
        return f && SetFileTime(f.get(), nullptr, nullptr, &t);  // creation and access times unchanged
    }
    void pause(unsigned milliseconds) override { Sleep(milliseconds); }
};

}  // namespace

FileSystem& platformFileSystem() {
    static WinFileSystem fs;
    return fs;
}
