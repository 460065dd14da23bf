// plain_io FILE OUT: what any Windows program pays to hold FILE in memory and
// to write it back, under the same system as velkor.exe, timed inside the
// process: FILE read with 1 MiB ReadFile calls into fresh VirtualAlloc
// memory; the same memory's first write alone; the bytes written to OUT with
// WriteFile and FlushFileBuffers. Best of three; prints "read MS",
// "first-write MS" and "write MS".
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr int kRuns = 3;
constexpr DWORD kPiece = 1u << 20;

double now() {
    LARGE_INTEGER c, f;
    QueryPerformanceCounter(&c);
    QueryPerformanceFrequency(&f);
    return double(c.QuadPart) * 1000.0 / double(f.QuadPart);
}

struct Fresh {  // fresh memory, given back at the end of each run
    explicit Fresh(size_t bytes)
        : p(static_cast<char*>(VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE))) {}
    ~Fresh() {
        if (p) VirtualFree(p, 0, MEM_RELEASE);
    }
    Fresh(const Fresh&) = delete;
    Fresh& operator=(const Fresh&) = delete;
    char* p;
};

bool readAll(const wchar_t* path, char* to, size_t bytes) {
    HANDLE f =
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    size_t done = 0;
    DWORD got = 0;
    while (done < bytes && ReadFile(f, to + done, DWORD(std::min<size_t>(kPiece, bytes - done)), &got, nullptr) && got)
        done += got;
    CloseHandle(f);
    return done == bytes;
}

bool writeAll(const wchar_t* path, const char* from, size_t bytes) {
    HANDLE f = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    size_t done = 0;
    DWORD put = 0;
    while (done < bytes && WriteFile(f, from + done, DWORD(std::min<size_t>(bytes - done, 1u << 30)), &put, nullptr) &&
           put)
        done += put;
    const bool flushed = FlushFileBuffers(f) != 0;
    CloseHandle(f);
    return done == bytes && flushed;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: plain_io FILE OUT\n");
        return 2;
    }
    WIN32_FILE_ATTRIBUTE_DATA a;
    if (!GetFileAttributesExW(argv[1], GetFileExInfoStandard, &a)) return 1;
    const size_t bytes = (size_t(a.nFileSizeHigh) << 32) | a.nFileSizeLow;
    double read = 1e30, touch = 1e30, write = 1e30;
    for (int run = 0; run < kRuns; ++run) {
        {
            const double t0 = now();
            Fresh m(bytes);
            if (!m.p || !readAll(argv[1], m.p, bytes)) return 1;
            read = std::min(read, now() - t0);
            const double t1 = now();
            if (!writeAll(argv[2], m.p, bytes)) return 1;
            write = std::min(write, now() - t1);
            DeleteFileW(argv[2]);
        }
        const double t0 = now();
        Fresh m(bytes);
        if (!m.p) return 1;
        std::memset(m.p, 1, bytes);
        touch = std::min(touch, now() - t0);
    }
    std::printf("read %.1f\nfirst-write %.1f\nwrite %.1f\n", read, touch, write);
    return 0;
}
