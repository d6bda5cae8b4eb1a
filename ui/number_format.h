// number_format.h -- numbers as the heads-up display writes them
#pragma once

#include <cstdint>

// Every number is formatted into a buffer of this size.
constexpr int NumberTextSize = 40;

// value with digits significant digits (2 to 20): fixed form for 0.1 <= |value| < 10^digits,
// else d.ddde+XXX; trailing zeros after the point are removed, the point stays.
void formatSignificant(double value, int digits, char (&text)[NumberTextSize]);

// The same with as many of those digits as fit in width characters, so that a number that would
// run into the next field or off the scene is shortened, never cut; at least one digit.
void formatSignificantWithin(double value, int digits, int width, char (&text)[NumberTextSize]);

// Plain decimal integers, no leading zeros, "-" for negative values.
void formatUnsigned(uint32_t value, char (&text)[NumberTextSize]);
void formatSigned(int32_t value, char (&text)[NumberTextSize]);
