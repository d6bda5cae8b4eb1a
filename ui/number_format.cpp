// number_format.cpp -- formatSignificant and the integer conversions
#include "ui/number_format.h"

#include <cstdio>

// Placeholder until the number format is written.
void formatSignificant(double value, int digits, char (&text)[NumberTextSize]) {
    std::snprintf(text, NumberTextSize, "%.*g", digits, value);
}
void formatUnsigned(uint32_t value, char (&text)[NumberTextSize]) {
    std::snprintf(text, NumberTextSize, "%u", value);
}
void formatSigned(int32_t value, char (&text)[NumberTextSize]) {
    std::snprintf(text, NumberTextSize, "%d", value);
}
