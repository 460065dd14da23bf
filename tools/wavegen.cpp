// wavegen OUT.wav [--bits 8|16|24] [--channels 1|2] [--rate HZ] [--seconds S | --frames N]
//                 [--clicks N] [--list-clicks] [--tone HZ --dbfs DB]
// Writes a deterministic chord with injected clicks (see demo_recording.h),
// or one sine of HZ at DB below full scale in every channel.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "audio_file/demo_recording.h"

int main(int argc, char** argv) {
    if (argc < 2 || argv[1][0] == '-') {
        std::fprintf(stderr,
                     "usage: wavegen OUT.wav [--bits B] [--channels C] [--rate R] [--seconds S] "
                     "[--frames N] [--clicks N] [--list-clicks] [--tone HZ --dbfs DB]\n");
        return 2;
    }
    RecordingPlan plan;
    double seconds = -1;
    bool listClicks = false;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        auto next = [&]() -> const char* { return i + 1 < argc ? argv[++i] : "0"; };
        if (a == "--bits")
            plan.bits = uint16_t(std::atoi(next()));
        else if (a == "--channels")
            plan.channels = uint16_t(std::atoi(next()));
        else if (a == "--rate")
            plan.rate = uint32_t(std::atol(next()));
        else if (a == "--seconds")
            seconds = std::atof(next());
        else if (a == "--frames")
            plan.frames = std::strtoull(next(), nullptr, 10);
        else if (a == "--clicks")
            plan.clicks = uint32_t(std::atoi(next()));
        else if (a == "--list-clicks")
            listClicks = true;
        else if (a == "--tone")
            plan.toneHz = std::atof(next());
        else if (a == "--dbfs")
            plan.level = std::pow(10.0, std::atof(next()) / 20);
        else {
            std::fprintf(stderr, "wavegen: unknown option %s\n", a.c_str());
            return 2;
        }
    }
    if (seconds >= 0) plan.frames = uint64_t(seconds * plan.rate);
    if ((plan.bits != 8 && plan.bits != 16 && plan.bits != 24) || (plan.channels != 1 && plan.channels != 2)) {
        std::fprintf(stderr, "wavegen: bits must be 8, 16 or 24 and channels 1 or 2\n");
        return 2;
    }
    auto out = platformFileSystem().create(argv[1]);
    if (!out || !writeRecording(*out, plan)) {
        std::fprintf(stderr, "wavegen: cannot write %s\n", argv[1]);
        return 1;
    }
    if (listClicks)
        for (const ClickMark& m : clickMarks(plan))
            std::printf("%llu %d\n", static_cast<unsigned long long>(m.frame), m.channel);
    return 0;
}
