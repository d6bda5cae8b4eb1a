// kernels_portable_vector_avx2.cpp -- the vectorised portable kernels, four doubles per AVX2
// register
//
// Built with -mavx2 (and never with FMA); it runs only where detectAvx2 reports 1.
#include <immintrin.h>

#include "engine/kernels_portable_vector_body.h"

namespace {

struct Avx2 {
    using Real = __m256d;
    using Mask = __m256d;
    using Count = __m256i;
    static constexpr int Lanes = 4;
    static constexpr int Chains = 4;
    static Real set(double value) { return _mm256_set1_pd(value); }
    static Real load(const double* at) { return _mm256_loadu_pd(at); }
    static Real add(Real a, Real b) { return _mm256_add_pd(a, b); }
    static Real sub(Real a, Real b) { return _mm256_sub_pd(a, b); }
    static Real mul(Real a, Real b) { return _mm256_mul_pd(a, b); }
    static Mask all() { return _mm256_castsi256_pd(_mm256_set1_epi32(-1)); }
    static Mask none() { return _mm256_setzero_pd(); }
    // Ordered: NaN is never greater, as with the portable kernel's comparison, so it stays.
    static Mask stays(Mask alive, Real sum, Real bound) {
        return _mm256_andnot_pd(_mm256_cmp_pd(sum, bound, _CMP_GT_OQ), alive);
    }
    static Mask unordered(Mask alive, Real sum) {
        return _mm256_and_pd(_mm256_cmp_pd(sum, sum, _CMP_UNORD_Q), alive);
    }
    static Mask without(Mask alive, Mask m) { return _mm256_andnot_pd(m, alive); }
    static Mask either(Mask a, Mask b) { return _mm256_or_pd(a, b); }
    static bool anyOf(Mask m) { return _mm256_movemask_pd(m) != 0; }
    static Count zero() { return _mm256_setzero_si256(); }
    // A lane of the mask is all ones, -1 as an integer.
    static Count count(Count c, Mask alive) {
        return _mm256_sub_epi64(c, _mm256_castpd_si256(alive));
    }
    static Count setWhere(Count c, Mask m, int64_t value) {
        return _mm256_blendv_epi8(c, _mm256_set1_epi64x(value), _mm256_castpd_si256(m));
    }
    static void storeCounts(int64_t* at, Count c) { _mm256_storeu_si256((__m256i*)at, c); }
};

} // namespace

uint32_t portableVectorPixelsAvx2(const VectorTile& job, int first, int end, int bottom, int top) {
    return vectorPixels<Avx2>(job, first, end, bottom, top);
}

uint64_t bareIterationsAvx2(int chains, uint64_t steps) {
    return bareForm<Avx2>(chains, steps);
}
