// hook_bench: the mouse hook's decision, which runs for every mouse message
// of the program, timed per call over a mix of the states and messages it
// meets, against 1 us (a thousandth of a 1 kHz mouse's report period).
#include <cstdio>

#include "bench/bench_util.h"
#include "ui/hook_rules.h"

namespace {

constexpr double kTarget = 1e-6;
constexpr int kCalls = 1 << 20;

}  // namespace

int main() {
    MouseHookState states[8];
    states[1].restoreEnabled = true;
    states[2].playResetArmed = true;
    states[3].playbackShown = true;
    states[4].catcherShown = true;
    states[5].shorteningButtonShown = states[5].grabbing = true;
    states[6].grabbing = states[6].leftButtonUp = true;
    states[7].restoreEnabled = states[7].playResetArmed = true;
    const uint32_t messages[] = {kMsgMouseMove,  kMsgMouseMove, kMsgMouseMove,  kMsgLeftDown,
                                 kMsgNcLeftDown, kMsgRightDown, kMsgLeftDouble, kMsgNcMouseMove};
    const HookHit hits[] = {HookHit::other, HookHit::pager, HookHit::playToolbar, HookHit::helpButton,
                            HookHit::restoreButton};
    volatile unsigned sink = 0;
    const double seconds = medianSeconds(21, [&] {
        unsigned swallowed = 0;
        for (int i = 0; i < kCalls; ++i) {
            const MouseHookInput in{messages[i & 7], {i & 1023, (i >> 3) & 511}, hits[unsigned(i) % 5]};
            const MouseHookActions a = decideMouse(in, states[(i >> 3) & 7]);
            swallowed += a.swallow + a.shorteningButtonAt.x;
        }
        sink = sink + swallowed;
    });
    const double perCall = seconds / kCalls;
    std::printf("decision: %.1f ns per call (target <= %.0f ns: %s)\n", perCall * 1e9, kTarget * 1e9,
                perCall <= kTarget ? "met" : "missed");
    return 0;
}
