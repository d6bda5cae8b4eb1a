// processor_check.cpp -- the 3DNow! and SSE2 checks over CPUID
#include "engine/processor_check.h"

namespace {

constexpr uint32_t ExtendedRange = 0x80000000;    // answers the highest extended function in EAX
constexpr uint32_t ExtendedFeatures = 0x80000001; // EDX holds the 3DNow! flag
constexpr uint32_t ExtendedLimit = 0x8000FFFF;    // beyond it EAX is not an extended function
constexpr uint32_t ThreeDNowFlag = 0x80000000;    // EDX bit 31
constexpr uint32_t Features = 1;                  // EDX holds the SSE2 flag
constexpr uint32_t Sse2Flag = 1u << 26;

// A processor without extended functions answers 0x80000000 with whatever its highest basic
// function holds, so EAX counts only when it lies in the extended range and reaches 0x80000001.
// Without that, the answer to 0x80000001 is undefined and could claim 3DNow! falsely.
bool reachesExtendedFeatures(const CpuidSource& source) {
    const uint32_t highest = source.query(ExtendedRange).eax;
    return highest >= ExtendedFeatures && highest <= ExtendedLimit;
}

} // namespace

const CpuidSource processorCpuid = {cpuidExists, cpuid, readExtendedControl};

int32_t detect3DNow(const CpuidSource& source) {
    if (!source.exists()) return 0;
    if (!reachesExtendedFeatures(source)) return 0;
    return (source.query(ExtendedFeatures).edx & ThreeDNowFlag) != 0;
}

int32_t detect3DNow() {
    return detect3DNow(processorCpuid);
}

int32_t detectSse2(const CpuidSource& source) {
    if (!source.exists() || source.query(0).eax < Features) return 0;
    return (source.query(Features).edx & Sse2Flag) != 0;
}

int32_t detectSse2() {
    return detectSse2(processorCpuid);
}
