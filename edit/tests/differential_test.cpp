// The tools against a second implementation written straight from their
// formulas (wide arithmetic, no running sums, no shortcuts), over many random
// frames, formats, channels and gains: every tick and every refusal equal.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <random>

#include "edit/tests/tool_fixture.h"
#include "edit/tools.h"

namespace {

using Values = std::vector<int64_t>;  // frames -1 ... n + 1 of the channel, as held

constexpr int64_t kMin = -8388608, kMax = 8388607;
bool fits(long double v) { return v >= kMin && v <= kMax; }

struct Case {
    Tool tool;
    int count;
    int32_t gain;
    int32_t left;  // page-5 column of frame 0
    Values held;   // index i is frame i - 1
    int64_t n() const { return int64_t(held.size()) - 3; }
    int64_t x(int64_t k) const { return held[size_t(k + 1)]; }
};

// nullopt: refused.
std::optional<Values> formulas(const Case& c) {
    const int64_t n = c.n(), A = c.x(0), B = c.x(n);
    Values out(static_cast<size_t>(n), 0);
    auto line = [&](int64_t k) -> long double {
        const long double slope = std::floor(std::fabs((long double)(A - B)) / (long double)n);
        const long double step = std::trunc((long double)k * slope);
        return B < A ? (long double)A - step : (long double)A + step;
    };
    switch (c.tool) {
        case Tool::shiftUp:
        case Tool::shiftDown:
            for (int64_t k = 0; k < n; ++k) {
                const long double v = (long double)c.x(k) + (c.tool == Tool::shiftUp ? 65536 : -65536);
                if (!fits(v)) return std::nullopt;
                out[size_t(k)] = int64_t(v);
            }
            return out;
        case Tool::rampLeftDown:
        case Tool::rampLeftUp:
        case Tool::rampRightUp:
        case Tool::rampRightDown: {
            const long double q = std::floor(4294967296.0L / (long double)n);
            for (int64_t k = 0; k < n; ++k) {
                const bool fromLeft = c.tool == Tool::rampLeftDown || c.tool == Tool::rampLeftUp;
                const long double j = (long double)(fromLeft ? n - k : k);
                const long double step = std::floor(q * j / 65536.0L);
                const bool up = c.tool == Tool::rampLeftUp || c.tool == Tool::rampRightUp;
                const long double v = (long double)c.x(k) + (up ? step : -step);
                if (!fits(v)) return std::nullopt;
                out[size_t(k)] = int64_t(v);
            }
            return out;
        }
        case Tool::amplify:
        case Tool::attenuate: {
            const double h = std::pow(c.tool == Tool::amplify ? 1.1 : 1.0 / 1.1, c.count);
            if (c.tool == Tool::attenuate) {
                bool flat = true;
                for (int64_t k = 0; k < n; ++k)
                    if (std::fabs(std::floor(((long double)c.x(k) - line(k)) / 65536.0L)) > 1) flat = false;
                if (flat) return std::nullopt;
            }
            for (int64_t k = 0; k < n; ++k) {
                const double l = double(line(k));
                const double y = std::trunc((double(c.x(k)) - l) * h + l);
                if (!fits(y)) return std::nullopt;
                out[size_t(k)] = int64_t(y);
            }
            return out;
        }
        case Tool::lowPass: {
            auto trueValue = [&](int64_t k) {
                const int64_t column = c.left + k;  // page 5: one frame a column
                const bool inPage = column >= 0 && column < 640;
                return inPage ? (int64_t)std::floor((long double)c.x(k) / (long double)(1 << c.gain)) : c.x(k);
            };
            for (int64_t k = 0; k < n; ++k) {
                const long double r =
                    std::trunc((long double)(trueValue(k - 1) + trueValue(k) + trueValue(k + 1)) / 3.0L);
                if (c.gain > 0 && std::fabs(r) >= (long double)(1 << (23 - c.gain))) return std::nullopt;
                out[size_t(k)] = int64_t(r) * (1 << c.gain);
            }
            return out;
        }
    }
    return std::nullopt;
}

// A tick that would change no sample is refused as well.
std::optional<Values> naive(const Case& c) {
    std::optional<Values> out = formulas(c);
    if (!out) return out;
    for (int64_t k = 0; k < c.n(); ++k)
        if ((*out)[size_t(k)] != c.x(k)) return out;
    return std::nullopt;
}

int64_t randomValue(std::mt19937& rng, int32_t gain) {
    std::uniform_int_distribution<int> kind(0, 10);
    const int64_t limit = kMax >> gain;
    std::uniform_int_distribution<int64_t> any(-limit - 1, limit);
    std::uniform_int_distribution<int64_t> small(-200000, 200000);
    int64_t v;
    switch (kind(rng)) {
        case 0: v = limit; break;
        case 1: v = -limit - 1; break;
        case 2: v = limit - 65536 + std::uniform_int_distribution<int64_t>(-3, 3)(rng); break;
        case 3:
        case 4: v = small(rng); break;
        case 10: {  // held past 24 bits: an insert accepted one gain step short
            const int64_t over = std::uniform_int_distribution<int64_t>(limit + 1, 2 * limit + 1)(rng);
            return (std::uniform_int_distribution<int>(0, 1)(rng) ? over : -over) * (int64_t(1) << gain);
        }
        default: v = any(rng);
    }
    return std::max(-limit - 1, std::min(limit, v)) * (int64_t(1) << gain);
}

TEST(ToolsDifferential, EveryTickEqualsTheFormulas) {
    struct Format {
        uint16_t channels, bits;
        int channel;
    };
    std::mt19937 rng(20261207);
    const Tool tools[] = {Tool::shiftUp,       Tool::shiftDown, Tool::rampLeftDown, Tool::rampLeftUp, Tool::rampRightUp,
                          Tool::rampRightDown, Tool::amplify,   Tool::attenuate,    Tool::lowPass};
    int refusals = 0, applications = 0;
    for (const Format f : {Format{1, 8, 0}, Format{2, 16, 1}, Format{2, 24, 0}, Format{1, 24, 0}}) {
        ToolDoc t = toolDoc(f.channels, f.bits, f.channel, 5, 10, 2, {}, 0);
        Document& d = t.d();
        for (int i = 0; i < 1500; ++i) {
            Case c;
            c.tool = tools[std::uniform_int_distribution<int>(0, 8)(rng)];
            c.count = c.tool == Tool::attenuate || c.tool == Tool::amplify
                          ? (std::uniform_int_distribution<int>(0, 3)(rng) == 0 ? 10 : 1)
                          : 1;
            c.gain = std::array<int32_t, 3>{0, 2, 4}[size_t(std::uniform_int_distribution<int>(0, 2)(rng))];
            const int64_t n = std::uniform_int_distribution<int64_t>(1, 40)(rng);
            c.left = std::uniform_int_distribution<int32_t>(0, 640 - int32_t(n) - 3)(rng);
            for (int64_t k = -1; k <= n + 1; ++k) c.held.push_back(randomValue(rng, c.gain));
            if (c.left == 0) c.held[0] >>= c.gain;                   // outside the page: a true value
            if (std::uniform_int_distribution<int>(0, 4)(rng) == 0)  // near a line: flat candidates
                for (int64_t k = 0; k <= n; ++k) c.held[size_t(k + 1)] = c.held[1] + k * 3;

            d.view.gainShift = c.gain;
            d.view.editFrameLeft = c.left;
            d.view.editFrameRight = c.left + int32_t(n);
            setEditFrameBytes(d);
            d.view.editFramePresent = true;
            for (int64_t k = -1; k <= n + 1; ++k) t.x(k) = SampleValue(c.x(k));
            const std::optional<Values> want = naive(c);
            ToolRun run;
            const TickResult got = toolTick(d, c.tool, run, ToolFlags{}, c.count);
            ASSERT_EQ(got == TickResult::applied, want.has_value())
                << "case " << i << " tool " << int(c.tool) << " n " << n << " gain " << c.gain;
            for (int64_t k = 0; k < n; ++k)
                ASSERT_EQ(int64_t(t.x(k)), want ? (*want)[size_t(k)] : c.x(k)) << "case " << i << " frame " << k;
            ASSERT_EQ(int64_t(t.x(n)), c.x(n));
            (want ? applications : refusals) += 1;
        }
    }
    EXPECT_GT(refusals, 300);  // both outcomes well exercised
    EXPECT_GT(applications, 1500);
}

}  // namespace
