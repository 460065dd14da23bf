#pragma once
// The radix-2 transform shared by the spectrum and the band split, and the
// tables that spare it all trigonometry. Built with every edit view, since
// the spectrum's size follows the screen width.
#include <array>
#include <cstdint>

constexpr int kMaxTransformOrder = 11;
constexpr int32_t kMaxTransformSize = 1 << kMaxTransformOrder;  // 2048
constexpr int32_t kTwiddlePairs = 4083;                         // sizes 2^0 ... 2^11, 2^i - 1 pairs each
constexpr int32_t kBitReversalEntries = 4072;                   // sizes 2^1 ... 2^11, 2^i - 2 entries each
constexpr int32_t kMaxSpectrumSize = 1024;

struct SpectrumTables {
    int order = 9;       // k: 9 at width 640, else 10
    int32_t size = 512;  // N = 2^k
    // (cos θ, −sin θ) per stage factor; size 2^i starts at pair 2^i − i − 1.
    std::array<double, 2 * kTwiddlePairs> twiddles{};
    // Bit-reversed partners of indices 2 ... 2^i − 1; size 2^i starts at entry 2^i − 2i.
    std::array<int32_t, kBitReversalEntries> bitReversal{};
    std::array<double, kMaxSpectrumSize> window{};  // periodic Hann over N
};

// Scratch arrays of the transform: every user fills them before each call.
struct TransformBuffers {
    std::array<double, kMaxTransformSize> real{};
    std::array<double, kMaxTransformSize> imaginary{};
};

constexpr int32_t twiddleStart(int i) { return (int32_t(1) << i) - i - 1; }
constexpr int32_t bitReversalStart(int i) { return (int32_t(1) << i) - 2 * i; }

void buildSpectrumTables(SpectrumTables& t, int32_t screenWidth);
// Forward transform of size 2^k in place (0 <= k <= 11): natural order in
// and out, X[m] = sum x[n] e^(-2 pi i mn / M), no scaling.
void transform(const SpectrumTables& t, double* real, double* imaginary, int k);
