// escape_time.h -- what every kernel shares: the iteration limit, the escape bound and the
// colours of an escape
#pragma once

#include <cstdint>

// A point is iterated at most this often.
constexpr uint32_t IterationLimit = 100;

// A point escapes once |z|^2 exceeds this. The portable Julia kernels alone compare with half
// of it, as the program always has.
constexpr double EscapeBound = 4.0;
constexpr double PortableJuliaEscapeBound = 2.0;

// The countdown at an escape runs from IterationLimit (the first iteration) to 1 (the last); a
// point that stays is black. Grey kernels write grey 256 - countdown, from FirstGrey up; palette
// kernels write the PaletteTable entry LastPaletteEntry - countdown, from entry 2 up.
constexpr uint32_t FirstGrey = 256 - IterationLimit;
constexpr uint32_t FirstPaletteEntry = 2;
constexpr uint32_t LastPaletteEntry = FirstPaletteEntry + IterationLimit;
