

// kernels_portable_vector_avx2.cpp -- the vectorised portable kernels, four doubles per AVX2
// register
//
// The only file built with -mavx2 (and never with FMA); it runs only where detectAvx2 reports 1.
#include <immintrin.h>

#include "engine/kernels_portable_vector_body.h"

namespace {

struct Avx2 {
    using Real = __m256d;
    static constexpr int Lanes = 4;
    static constexpr int Registers = 8;
    static Real set(double value) { return _mm256_set1_pd(value); }
    static Real ramp(double first) { return _mm256_set_pd(first + 3, first + 2, first + 1, first); }
    static Real add(Real a, Real b) { return _mm256_add_pd(a, b); }
    static Real sub(Real a, Real b) { return _mm256_sub_pd(a, b); }
    static Real mul(Real a, Real b) { return _mm256_mul_pd(a, b); }
    // Ordered: NaN is never greater, as with the portable kernel's comparison.
    static Real greater(Real a, Real b) { return _mm256_cmp_pd(a, b, _CMP_GT_OQ); }
    static Real unordered(Real a, Real b) { return _mm256_cmp_pd(a, b, _CMP_UNORD_Q); }
    static int signs(Real a) { return _mm256_movemask_pd(a); }
};

} // namespace

uint32_t portableVectorColumnsAvx2(const VectorTile& job, int first, int end) {
    return vectorColumns<Avx2>(job, first, end);
}
