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

// All exceptions masked, 53-bit significand, round to nearest: the word that the program keeps
// at all times outside the x87 kernels. The C run-time libraries start with a 64-bit significand
// (0x037F), so the programs load it at entry.
constexpr uint16_t x87DefaultControlWord = 0x027F;

// What compute returns, computed under word; the caller's word is put back afterwards, so that
// a caller keeping another word (a test) gets its own back.
template <class Compute> auto underX87ControlWord(uint16_t word, Compute compute) {
    const uint16_t callerWord = storeX87ControlWord();
    loadX87ControlWord(word);
    const auto result = compute();
    loadX87ControlWord(callerWord);
    return result;
}
