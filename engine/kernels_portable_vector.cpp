// kernels_portable_vector.cpp -- the vectorised portable kernels: SSE2 form and the choice of form
#include "engine/kernels_portable_vector.h"

#include <emmintrin.h>

#include "engine/kernels_portable_vector_body.h"

namespace {

struct Sse2 {
    using Real = __m128d;
    static constexpr int Lanes = 2;
    static constexpr int Registers = 8;
    static Real set(double value) { return _mm_set1_pd(value); }
    static Real ramp(double first) { return _mm_set_pd(first + 1, first); }
    static Real add(Real a, Real b) { return _mm_add_pd(a, b); }
    static Real sub(Real a, Real b) { return _mm_sub_pd(a, b); }
    static Real mul(Real a, Real b) { return _mm_mul_pd(a, b); }
    // Ordered: NaN is never greater, as with the portable kernel's comparison.
    static Real greater(Real a, Real b) { return _mm_cmpgt_pd(a, b); }
    static Real unordered(Real a, Real b) { return _mm_cmpunord_pd(a, b); }
    static int signs(Real a) { return _mm_movemask_pd(a); }
};

constexpr uint32_t AvxFlag = 1u << 28;     // CPUID 1, ECX
constexpr uint32_t OsSavesFlag = 1u << 27; // CPUID 1, ECX: XGETBV usable
constexpr uint32_t Avx2Flag = 1u << 5;     // CPUID 7, EBX
constexpr uint64_t VectorStateSaved = 0x6; // XCR0: SSE and AVX registers kept across switches

bool sse2Forced = false;

} // namespace

int32_t detectAvx2(const CpuidSource& source) {
    if (!source.exists() || source.query(0).eax < 7) return 0;
    const uint32_t features = source.query(1).ecx;
    if (!(features & AvxFlag) || !(features & OsSavesFlag)) return 0;
    if ((source.extendedControl(0) & VectorStateSaved) != VectorStateSaved) return 0;
    return (source.query(7).ebx & Avx2Flag) != 0;
}

int32_t detectAvx2() {
    return detectAvx2(processorCpuid);
}

int vectorLanes() {
    static const int32_t avx2 = detectAvx2();
    return avx2 && !sse2Forced ? 4 : 2;
}

void forceSse2Form(bool sse2) {
    sse2Forced = sse2;
}

uint32_t portableVectorColumns(const VectorTile& job, int first, int end) {
    return vectorLanes() == 4 ? portableVectorColumnsAvx2(job, first, end)
                              : vectorColumns<Sse2>(job, first, end);
}
