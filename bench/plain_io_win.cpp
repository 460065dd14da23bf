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
#include <string>

#include "common/file_system.h"
#include "common/large_block.h"
#include "common/utf16_win.h"

namespace {

constexpr int kRuns = 3;

double now() {
    LARGE_INTEGER c, f;
    QueryPerformanceCounter(&c);
    QueryPerformanceFrequency(&f);
    return double(c.QuadPart) * 1000.0 / double(f.QuadPart);
}

// The program's own file calls, which are the plain ones: 1 MiB ReadFile
// pieces; WriteFile, then FlushFileBuffers.
bool readAll(FileSystem& fs, const std::string& path, uint8_t* to, size_t bytes) {
    auto file = fs.openRead(path, false);
    return file && file->read(to, bytes) == bytes;
}

bool writeAll(FileSystem& fs, const std::string& path, const uint8_t* from, size_t bytes) {
    auto file = fs.create(path);
    return file && file->write(from, bytes) == bytes && file->flush();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: plain_io FILE OUT\n");
        return 2;
    }
    FileSystem& fs = platformFileSystem();
    const std::string in = narrow(argv[1]), out = narrow(argv[2]);
    uint64_t size = 0;
    {
        auto file = fs.openRead(in, false);
        if (!file || !file->size(size)) return std::fprintf(stderr, "plain_io: cannot read %s\n", in.c_str()), 1;
    }
    const size_t bytes = size_t(size);
    double read = 1e30, touch = 1e30, write = 1e30;
    for (int run = 0; run < kRuns; ++run) {
        {
            const double t0 = now();
            LargeBlock m;  // fresh memory, given back at the end of each run
            if (!m.allocate(bytes) || !readAll(fs, in, m.data(), bytes))
                return std::fprintf(stderr, "plain_io: cannot read %s into memory\n", in.c_str()), 1;
            read = std::min(read, now() - t0);
            const double t1 = now();
            if (!writeAll(fs, out, m.data(), bytes))
                return std::fprintf(stderr, "plain_io: cannot write %s\n", out.c_str()), 1;
            write = std::min(write, now() - t1);
            fs.remove(out);
        }
        const double t0 = now();
        LargeBlock m;
        if (!m.allocate(bytes)) return std::fprintf(stderr, "plain_io: no memory for %zu bytes\n", bytes), 1;
        std::memset(m.data(), 1, bytes);
        touch = std::min(touch, now() - t0);
    }
    std::printf("read %.1f\nfirst-write %.1f\nwrite %.1f\n", read, touch, write);
    return 0;
}
