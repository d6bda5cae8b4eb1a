// cpuid.cpp -- CPUID and its presence test, in inline assembly for x86-64 and IA-32
#include "platform/cpuid.h"

namespace {

constexpr uintptr_t IdFlag = 0x200000; // EFLAGS bit 21

} // namespace

// Every x86-64 processor passes, and so does every i686 one; the flag is tested all the same so
// that the check reads as it would on a processor that might lack CPUID. The caller's flags are
// put back. On x86-64 the pushes step over the red zone, where the compiler may keep locals of
// this leaf function; IA-32 code has none.
#ifdef __x86_64__
#define STEP_OVER_RED_ZONE "lea -128(%%rsp), %%rsp\n\t"
#define STEP_BACK_OVER_RED_ZONE "\n\tlea 128(%%rsp), %%rsp"
#else
#define STEP_OVER_RED_ZONE
#define STEP_BACK_OVER_RED_ZONE
#endif

int32_t cpuidExists() {
    uintptr_t before, after;
    asm volatile(STEP_OVER_RED_ZONE "pushf\n\t"
                                    "pop %0\n\t"
                                    "mov %0, %1\n\t"
                                    "xor %2, %1\n\t"
                                    "push %1\n\t"
                                    "popf\n\t"
                                    "pushf\n\t"
                                    "pop %1\n\t"
                                    "push %0\n\t"
                                    "popf" STEP_BACK_OVER_RED_ZONE
                 : "=&r"(before), "=&r"(after)
                 : "r"(IdFlag)
                 : "cc");
    return ((before ^ after) & IdFlag) != 0;
}

CpuidRegisters cpuid(uint32_t function) {
    CpuidRegisters r;
    asm volatile("cpuid"
                 : "=a"(r.eax), "=b"(r.ebx), "=c"(r.ecx), "=d"(r.edx)
                 : "a"(function), "c"(0));
    return r;
}

uint64_t readExtendedControl(uint32_t index) {
    uint32_t low, high;
    asm volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(index));
    return uint64_t(high) << 32 | low;
}
