// kernels_portable_vector_avx512.cpp -- the vectorised portable kernels, eight doubles per
// AVX-512 register, comparisons into mask registers
//
// Built with -mavx512f (and never with FMA); it runs only where detectAvx512 reports 1.
#include <immintrin.h>

#include "engine/kernels_portable_vector_body.h"

namespace {

struct Avx512 {
    using Real = __m512d;
    using Mask = __mmask8;
    using Count = __m512i;
    static constexpr int Lanes = 8;
    static constexpr int Chains = 4;
    static Real set(double value) { return _mm512_set1_pd(value); }
    static Real load(const double* at) { return _mm512_loadu_pd(at); }
    static Real add(Real a, Real b) { return _mm512_add_pd(a, b); }
    static Real sub(Real a, Real b) { return _mm512_sub_pd(a, b); }
    static Real mul(Real a, Real b) { return _mm512_mul_pd(a, b); }
    static Mask all() { return 0xFF; }
    static Mask none() { return 0; }
    // Not greater, or unordered: NaN is never greater, as with the portable kernel's comparison,
    // so it stays. One comparison under the mask of the lanes still iterating.
    static Mask stays(Mask alive, Real sum, Real bound) {
        return _mm512_mask_cmp_pd_mask(alive, sum, bound, _CMP_NGT_UQ);
    }
    static Mask unordered(Mask alive, Real sum) {
        return _mm512_mask_cmp_pd_mask(alive, sum, sum, _CMP_UNORD_Q);
    }
    static Mask without(Mask alive, Mask m) { return Mask(alive & ~m); }
    static Mask either(Mask a, Mask b) { return Mask(a | b); }
    static bool anyOf(Mask m) { return m != 0; }
    static Count zero() { return _mm512_setzero_si512(); }
    static Count count(Count c, Mask alive) {
        return _mm512_mask_add_epi64(c, alive, c, _mm512_set1_epi64(1));
    }
    static Count setWhere(Count c, Mask m, int64_t value) {
        return _mm512_mask_mov_epi64(c, m, _mm512_set1_epi64(value));
    }
    static void storeCounts(int64_t* at, Count c) { _mm512_storeu_si512(at, c); }
};

} // namespace

uint32_t portableVectorPixelsAvx512(const VectorTile& job, int first, int end, int bottom,
                                    int top) {
    return vectorPixels<Avx512>(job, first, end, bottom, top);
}

uint64_t bareIterationsAvx512(int chains, uint64_t steps) {
    return bareForm<Avx512>(chains, steps);
}
