// packed_pair.h -- the packed-pair layer: 3DNow! and MMX instructions over two float lanes
//
// One function for each instruction the 3DNow! kernels use, with the instruction's lane rules, so
// that the layer kernels take the same steps as the native ones on processors without 3DNow!.
// Plain float arithmetic rounds to nearest in single precision like the instructions do; only
// denormal and overflowing values may differ, where the processor flushes and saturates.
#pragma once

#include <bit>
#include <cstdint>

// A lane's result in single precision. SSE rounds each result to float; an x87 register holds it
// wider and would carry the excess into the next step, so there it is stored first. A float
// product is exact in the register and a sum is rounded to 53 bits or more, which a float's 24
// never round differently after, so the store's rounding is the one the instruction makes.
inline float single(float value) {
#ifdef __SSE_MATH__
    return value;
#else
    volatile float memory = value;
    return memory;
#endif
}

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
    return {single(a.low + b.low), single(a.high + b.high)};
}

// PFMUL a, b: lane by lane a * b.
inline PackedPair pfmul(PackedPair a, PackedPair b) {
    return {single(a.low * b.low), single(a.high * b.high)};
}

// PFSUBR a, b: lane by lane b - a, the reversed subtraction.
inline PackedPair pfsubr(PackedPair a, PackedPair b) {
    return {single(b.low - a.low), single(b.high - a.high)};
}

// PFACC a, b: the sum of a's lanes below, the sum of b's lanes above.
inline PackedPair pfacc(PackedPair a, PackedPair b) {
    return {single(a.low + a.high), single(b.low + b.high)};
}

// PFCMPGT a, b: lane by lane all ones where a > b, else zero; NaN compares false.
inline PackedPair pfcmpgt(PackedPair a, PackedPair b) {
    const float allOnes = std::bit_cast<float>(0xFFFFFFFFu);
    return {a.low > b.low ? allOnes : 0.0f, a.high > b.high ? allOnes : 0.0f};
}
