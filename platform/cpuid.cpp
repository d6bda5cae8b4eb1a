// cpuid.cpp -- CPUID and its presence test, in inline assembly for x86-64
#include "platform/cpuid.h"

namespace {

constexpr uint64_t IdFlag = 0x200000; // EFLAGS bit 21

} // namespace

// Every x86-64 processor passes, but the flag is tested all the same so that the check reads as
// it would on a processor that might lack CPUID. The caller's flags are put back. The pushes
// step over the red zone, where the compiler may keep locals of this leaf function.
int32_t cpuidExists() {
    uint64_t before, after;
    asm volatile("leaq -128(%%rsp), %%rsp\n\t"
                 "pushfq\n\t"
                 "popq %0\n\t"
                 "movq %0, %1\n\t"
                 "xorq %2, %1\n\t"
                 "pushq %1\n\t"
                 "popfq\n\t"
                 "pushfq\n\t"
                 "popq %1\n\t"
                 "pushq %0\n\t"
                 "popfq\n\t"
                 "leaq 128(%%rsp), %%rsp"
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
