// processor_check.h -- does this processor offer 3DNow!?
#pragma once

#include <cstdint>

// 1 when the processor has CPUID, the extended function 0x80000001 and its 3DNow! flag; else 0.
// Called by initScene at each scene start.
int32_t detect3DNow();
