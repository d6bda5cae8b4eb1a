// cpuid.h -- the CPUID instruction and the EFLAGS test for its presence
#pragma once

#include <cstdint>

struct CpuidRegisters {
    uint32_t eax, ebx, ecx, edx;
};

// 1 when bit 21 of EFLAGS (ID) can be flipped, the sign that CPUID exists.
int32_t cpuidExists();

// The four registers that CPUID returns for function (sub-function 0).
CpuidRegisters cpuid(uint32_t function);

// Extended control register index (XGETBV); only where CPUID 1 sets the OSXSAVE flag.
uint64_t readExtendedControl(uint32_t index);
