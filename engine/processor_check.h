// processor_check.h -- does this processor offer 3DNow!, or SSE2?
#pragma once

#include <cstdint>

#include "platform/cpuid.h"

// What the check asks of the processor; tests put in answers of their own.
struct CpuidSource {
    int32_t (*exists)();
    CpuidRegisters (*query)(uint32_t function);
    uint64_t (*extendedControl)(uint32_t index); // XGETBV
};

// The processor's own CPUID.
extern const CpuidSource processorCpuid;

// 1 when the processor has CPUID, reaches the extended function 0x80000001 and sets its 3DNow!
// flag (bit 31 of EDX); else 0. Called by initScene at each scene start and by the tools, which
// fall back on the packed-pair layer without it.
int32_t detect3DNow();

// The same decision over the answers of source.
int32_t detect3DNow(const CpuidSource& source);

// 1 when the processor has SSE2 (CPUID 1, EDX bit 26), which the portable kernels' SSE2 form and
// the vectorised forms need; every x86-64 processor has it.
int32_t detectSse2();
int32_t detectSse2(const CpuidSource& source);
