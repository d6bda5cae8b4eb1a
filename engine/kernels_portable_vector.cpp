// kernels_portable_vector.cpp -- the vectorised portable kernels: the scalar form, on the x87 unit
// like a processor without SSE2, and the choice of form
#include "engine/kernels_portable_vector.h"

#include "engine/kernels_portable_vector_body.h"
#include "platform/x87_control.h"

namespace {

// One double at a time on the x87, for a processor without SSE2 or taken to have none.
struct Scalar {
    using Real = X87Doubles::Real;
    using Mask = bool;
    using Count = int64_t;
    static constexpr int Lanes = 1;
    static constexpr int Chains = 4;
    static Real set(double value) { return value; }
    static Real load(const double* at) { return *at; }
    static Real add(Real a, Real b) { return X87Doubles::add(a, b); }
    static Real sub(Real a, Real b) { return X87Doubles::sub(a, b); }
    static Real mul(Real a, Real b) { return X87Doubles::mul(a, b); }
    static Mask all() { return true; }
    static Mask none() { return false; }
    // Ordered: NaN is never greater, as with the portable kernel's comparison, so it stays.
    static Mask stays(Mask alive, Real sum, Real bound) { return alive && !(sum > bound); }
    static Mask unordered(Mask alive, Real sum) { return alive && sum != sum; }
    static Mask without(Mask alive, Mask m) { return alive && !m; }
    static Mask either(Mask a, Mask b) { return a || b; }
    static bool anyOf(Mask m) { return m; }
    static Count zero() { return 0; }
    static Count count(Count c, Mask alive) { return c + alive; }
    static Count setWhere(Count c, Mask m, int64_t value) { return m ? value : c; }
    static void storeCounts(int64_t* at, Count c) { *at = c; }
};

constexpr uint32_t AvxFlag = 1u << 28;      // CPUID 1, ECX
constexpr uint32_t OsSavesFlag = 1u << 27;  // CPUID 1, ECX: XGETBV usable
constexpr uint32_t Avx2Flag = 1u << 5;      // CPUID 7, EBX
constexpr uint32_t Avx512Flag = 1u << 16;   // CPUID 7, EBX: AVX-512F
constexpr uint64_t AvxStateSaved = 0x6;     // XCR0: SSE and AVX registers kept across switches
constexpr uint64_t Avx512StateSaved = 0xE6; // and the mask registers and ZMM's upper halves

VectorForm widestAllowed = Avx512Form;

bool osSaves(const CpuidSource& source, uint64_t state) {
    if (!source.exists() || source.query(0).eax < 7) return false;
    const uint32_t features = source.query(1).ecx;
    if (!(features & AvxFlag) || !(features & OsSavesFlag)) return false;
    return (source.extendedControl(0) & state) == state;
}

} // namespace

int32_t detectAvx2(const CpuidSource& source) {
    return osSaves(source, AvxStateSaved) && (source.query(7).ebx & Avx2Flag) != 0;
}

int32_t detectAvx2() {
    return detectAvx2(processorCpuid);
}

int32_t detectAvx512(const CpuidSource& source) {
    return detectAvx2(source) && osSaves(source, Avx512StateSaved) &&
           (source.query(7).ebx & Avx512Flag) != 0;
}

int32_t detectAvx512() {
    return detectAvx512(processorCpuid);
}

VectorForm processorVectorForm() {
    static const VectorForm form = detectAvx512() ? Avx512Form
                                   : detectAvx2() ? Avx2Form
                                   : detectSse2() ? Sse2Form
                                                  : ScalarForm;
    return form;
}

VectorForm vectorForm() {
    const VectorForm form = processorVectorForm();
    return form < widestAllowed ? form : widestAllowed;
}

void limitVectorForm(VectorForm widest) {
    widestAllowed = widest;
}

const char* vectorFormName(VectorForm form) {
    static const char* const names[VectorFormCount] = {"x87", "SSE2", "AVX2", "AVX-512"};
    return names[form];
}

int vectorFormLanes(VectorForm form) {
    return 1 << form;
}

uint32_t portableVectorPixels(const VectorTile& job, int first, int end, int bottom, int top) {
    switch (vectorForm()) {
    case Avx512Form:
        return portableVectorPixelsAvx512(job, first, end, bottom, top);
    case Avx2Form:
        return portableVectorPixelsAvx2(job, first, end, bottom, top);
    case Sse2Form:
        return portableVectorPixelsSse2(job, first, end, bottom, top);
    default:
        return underX87ControlWord(x87DefaultControlWord, [&] {
            return vectorPixels<Scalar>(job, first, end, bottom, top);
        });
    }
}

uint64_t bareIterations(int chains, uint64_t steps) {
    switch (vectorForm()) {
    case Avx512Form:
        return bareIterationsAvx512(chains, steps);
    case Avx2Form:
        return bareIterationsAvx2(chains, steps);
    case Sse2Form:
        return bareIterationsSse2(chains, steps);
    default:
        return underX87ControlWord(x87DefaultControlWord,
                                   [&] { return bareForm<Scalar>(chains, steps); });
    }
}
