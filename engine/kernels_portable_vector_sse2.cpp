// kernels_portable_vector_sse2.cpp -- the vectorised portable kernels, two doubles per SSE2
// register
//
// IA-32 builds compile this file for SSE2; it runs only where detectSse2 reports 1.
#include <emmintrin.h>

#include "engine/kernels_portable_vector_body.h"

namespace {

struct Sse2 {
    using Real = __m128d;
    using Mask = __m128d;
    using Count = __m128i;
    static constexpr int Lanes = 2;
    static constexpr int Chains = 4;
    static Real set(double value) { return _mm_set1_pd(value); }
    static Real load(const double* at) { return _mm_loadu_pd(at); }
    static Real add(Real a, Real b) { return _mm_add_pd(a, b); }
    static Real sub(Real a, Real b) { return _mm_sub_pd(a, b); }
    static Real mul(Real a, Real b) { return _mm_mul_pd(a, b); }
    static Mask all() { return _mm_castsi128_pd(_mm_set1_epi32(-1)); }
    static Mask none() { return _mm_setzero_pd(); }
    // Ordered: NaN is never greater, as with the portable kernel's comparison, so it stays.
    static Mask stays(Mask alive, Real sum, Real bound) {
        return _mm_andnot_pd(_mm_cmpgt_pd(sum, bound), alive);
    }
    static Mask unordered(Mask alive, Real sum) {
        return _mm_and_pd(_mm_cmpunord_pd(sum, sum), alive);
    }
    static Mask without(Mask alive, Mask m) { return _mm_andnot_pd(m, alive); }
    static Mask either(Mask a, Mask b) { return _mm_or_pd(a, b); }
    static bool anyOf(Mask m) { return _mm_movemask_pd(m) != 0; }
    static Count zero() { return _mm_setzero_si128(); }
    // A lane of the mask is all ones, -1 as an integer.
    static Count count(Count c, Mask alive) { return _mm_sub_epi64(c, _mm_castpd_si128(alive)); }
    static Count setWhere(Count c, Mask m, int64_t value) {
        const __m128i where = _mm_castpd_si128(m);
        return _mm_or_si128(_mm_andnot_si128(where, c),
                            _mm_and_si128(where, _mm_set1_epi64x(value)));
    }
    static void storeCounts(int64_t* at, Count c) { _mm_storeu_si128((__m128i*)at, c); }
};

} // namespace

uint32_t portableVectorPixelsSse2(const VectorTile& job, int first, int end, int bottom, int top) {
    return vectorPixels<Sse2>(job, first, end, bottom, top);
}

uint64_t bareIterationsSse2(int chains, uint64_t steps) {
    return bareForm<Sse2>(chains, steps);
}
