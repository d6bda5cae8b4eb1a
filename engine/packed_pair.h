// packed_pair.h -- the packed-pair layer: 3DNow! and MMX instructions over two float lanes
//
// One function for each instruction the 3DNow! kernels use, with the instruction's lane rules, so
// that the layer kernels take the same steps as the native ones on processors without 3DNow!.
// Plain float arithmetic rounds to nearest in single precision like the instructions do; only
// denormal and overflowing values may differ, where the processor flushes and saturates.
#pragma once

#include <bit>
#include <cstdint>

// One 64-bit register: a complex number holds its imaginary part in the low lane and its real
// part in the high lane. Laid out as the register is in memory, low lane first.
struct PackedPair {
    float low, high;
};

// MOVD from memory: the value into the low lane, zero into the high lane.
inline PackedPair movd(float value) {
    return {value, 0.0f};
}

// MOVD to a general register: the bits of the low lane.
inline uint32_t movd(PackedPair a) {
    return std::bit_cast<uint32_t>(a.low);
}

// PUNPCKLDQ a, b: the low lanes of a and b, a's below.
inline PackedPair punpckldq(PackedPair a, PackedPair b) {
    return {a.low, b.low};
}

// PUNPCKHDQ a, b: the high lanes of a and b, a's below.
inline PackedPair punpckhdq(PackedPair a, PackedPair b) {
    return {a.high, b.high};
}

// PFADD a, b: lane by lane a + b.
inline PackedPair pfadd(PackedPair a, PackedPair b) {
    return {a.low + b.low, a.high + b.high};
}

// PFMUL a, b: lane by lane a * b.
inline PackedPair pfmul(PackedPair a, PackedPair b) {
    return {a.low * b.low, a.high * b.high};
}

// PFSUBR a, b: lane by lane b - a, the reversed subtraction.
inline PackedPair pfsubr(PackedPair a, PackedPair b) {
    return {b.low - a.low, b.high - a.high};
}

// PFACC a, b: the sum of a's lanes below, the sum of b's lanes above.
inline PackedPair pfacc(PackedPair a, PackedPair b) {
    return {a.low + a.high, b.low + b.high};
}

// PFCMPGT a, b: lane by lane all ones where a > b, else zero; NaN compares false.
inline PackedPair pfcmpgt(PackedPair a, PackedPair b) {
    const float allOnes = std::bit_cast<float>(0xFFFFFFFFu);
    return {a.low > b.low ? allOnes : 0.0f, a.high > b.high ? allOnes : 0.0f};
}
