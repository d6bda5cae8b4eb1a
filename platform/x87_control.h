// x87_control.h -- reading and loading the x87 control word
#pragma once

#include <cstdint>

// Inline, so that the kernels' own x87 assembly stays ordered around them: volatile assembly is
// never moved across other volatile assembly.

// The control word now in force (FNSTCW).
inline uint16_t storeX87ControlWord() {
    uint16_t word;
    asm volatile("fnstcw %0" : "=m"(word) : : "memory");
    return word;
}

// Puts word in force (FLDCW).
inline void loadX87ControlWord(uint16_t word) {
    asm volatile("fldcw %0" : : "m"(word) : "memory");
}
