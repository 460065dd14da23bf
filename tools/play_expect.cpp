// play_expect: the bytes a play command sends to the device, from the core
// run natively on the steps a user takes: the file loaded, the channel and
// zoom frames chosen, the edit view entered and enlarged to a page, a frame
// dragged, silenced, then the command. The end-to-end tests compare what
// Velkor's device received with these bytes.
//   play_expect FILE OUT [--width W] [--channel C] [--zoom PAGE COLUMN]...
//               [--page P] [--frame FROM TO] [--silence] [--full] COMMAND
// COMMAND: 6011-6013 (the overview) or 1023-1028 (the play toolbar).
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "edit/tools.h"
#include "playback/prepare.h"
#include "playback/stream.h"
#include "testing/document_fixture.h"
#include "view/frames.h"
#include "view/pages.h"

namespace {

struct Steps {
    std::string file, out;
    int32_t width = 640;
    int channel = 0;
    std::vector<std::pair<int, int32_t>> zoom;
    int page = 0;
    bool frame = false;
    int32_t frameFrom = 0, frameTo = 0;
    bool silence = false;
    bool full = false;  // the pager set 100 %
    int command = 0;
};

bool parse(int argc, char** argv, Steps& s) {
    std::vector<std::string> a(argv + 1, argv + argc);
    if (a.size() < 3) return false;
    s.file = a[0];
    s.out = a[1];
    for (size_t i = 2; i < a.size(); ++i) {
        auto next = [&] { return i + 1 < a.size() ? std::atoi(a[++i].c_str()) : 0; };
        if (a[i] == "--width") {
            s.width = next();
        } else if (a[i] == "--channel") {
            s.channel = next();
        } else if (a[i] == "--zoom") {
            const int page = next();
            s.zoom.emplace_back(page, next());
        } else if (a[i] == "--page") {
            s.page = next();
        } else if (a[i] == "--frame") {
            s.frame = true;
            s.frameFrom = next();
            s.frameTo = next();
        } else if (a[i] == "--silence") {
            s.silence = true;
        } else if (a[i] == "--full") {
            s.full = true;
        } else {
            s.command = std::atoi(a[i].c_str());
        }
    }
    return s.command != 0;
}

// As the starters of the main window and the edit window set and prepare.
bool prepare(Document& d, int command, bool full) {
    PlaybackState& p = d.playback;
    p.volumeHalf = !full;
    switch (command) {
        case 6011: p.channelMode = ChannelPlayMode::selected; return preparePlayback(d, 0);
        case 6012: p.channelMode = ChannelPlayMode::both, p.volumeHalf = true; return preparePlayback(d, 0);
        case 6013: p.channelMode = ChannelPlayMode::both, p.volumeHalf = false; return preparePlayback(d, 0);
    }
    p.channelMode = command <= 1024 ? ChannelPlayMode::selected : ChannelPlayMode::both;
    return command % 2 == 1 ? playPage(d) : playFromFrame(d);
}

}  // namespace

int main(int argc, char** argv) {
    Steps s;
    if (!parse(argc, argv, s)) {
        std::fprintf(stderr,
                     "usage: play_expect FILE OUT [--width W] [--channel C] [--zoom PAGE COLUMN]... "
                     "[--page P] [--frame FROM TO] [--silence] [--full] COMMAND\n");
        return 2;
    }
    std::ifstream in(s.file, std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    auto l = loadDocument(bytes, s.width);
    Document& d = **l;
    d.view.channel = s.channel;
    for (const auto& [page, column] : s.zoom) d.view.zoomFrameLeft[size_t(page)] = column;
    if (s.page > 0) enterPage(*l, s.page);
    if (s.frame) markFrame(d, s.frameFrom, s.frameTo);
    ViewEvents events;
    if (s.silence && !runSilence(d, events)) {
        std::fprintf(stderr, "silence refused\n");
        return 1;
    }
    if (!prepare(d, s.command, s.full)) {
        std::fprintf(stderr, "nothing to play\n");
        return 1;
    }
    const PlaybackRange& r = d.playback.range;
    std::vector<uint8_t> out(r.length);
    if (r.composed)
        std::copy(d.image.playBufferA.get() + r.startOffset, d.image.playBufferA.get() + r.startOffset + r.length,
                  out.begin());
    else
        fillChunk(d, out.data(), r.startOffset, r.length);
    std::ofstream(s.out, std::ios::binary)
        .write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
    std::printf("%u bytes from %u, column %d, %u bytes a column%s\n", r.length, r.startOffset, r.startColumn,
                r.bytesPerPixel, d.playback.indicatorMode ? ", indicator" : "");
    return 0;
}
