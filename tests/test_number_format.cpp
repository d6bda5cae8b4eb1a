// test_number_format.cpp -- the heads-up display's number texts
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>

#include "tests/support/golden.h"
#include "ui/number_format.h"

namespace {

// The display's examples first. The form follows the unrounded value (0.0996 stays in exponent
// form, 99.96 with 2 digits fixed); ties on the 17-digit form round up; only zeros follow the 17th
// digit; exponents have three digits. Then the longest texts, non-finite values, integer forms.
TEST(NumberFormat, WritesEachValueAsTheDisplayShowsIt) {
    constexpr int Unsigned = 0, Signed = -1; // in place of the digits: the integer forms
    const std::pair<double, int> cases[] = {// clang-format off
        {2.0, 2}, {20.0, 2}, {0.2, 2}, {0.04, 2}, {9.96, 2}, {996000.0, 2}, {60.2409, 4},
        {100.0, 4}, {1234.5, 4}, {9999.7, 4}, {0.01234, 4}, {0.0, 4}, {-0.0, 4}, {123456789.0, 8},
        {-1.25, 18}, {-1.0, 18}, {0.3, 18}, {0.1, 20}, {-0.75, 20}, {0.004, 2}, {0.0456f, 4},
        {0.25, 4}, {12.0, 4}, {0.0996, 2}, {99.96, 2}, {0.996, 2}, {-9.96, 2}, {0.1, 4},
        {9999.0, 4}, {10000.0, 4}, {-0.099, 4}, {0.125, 2}, {2.5, 1}, {0.04, 1},
        {12345678901234567890.0, 20}, {1.0 / 3.0, 20}, {DBL_MAX, 4}, {DBL_MIN, 2},
        {DBL_TRUE_MIN, 2}, {1e100, 2}, {-1e-100, 18}, {-DBL_MAX, 20}, {-DBL_MIN, 20},
        {-DBL_TRUE_MIN, 20}, {-0.12345678901234568, 20}, {-9.999999999999999e19, 20}, {INFINITY, 8},
        {-INFINITY, 4}, {NAN, 4}, {0, Unsigned}, {4294967295.0, Unsigned}, {-7, Signed},
        {599, Signed}, {INT32_MIN, Signed}}; // clang-format on
    std::string lines;
    for (const auto& [value, digits] : cases) {
        char text[NumberTextSize], line[80];
        if (digits == Unsigned)
            formatUnsigned(uint32_t(value), text);
        else if (digits == Signed)
            formatSigned(int32_t(value), text);
        else
            formatSignificant(value, digits, text);
        std::snprintf(line, sizeof line, "%.17g, %d: %s\n", value, digits, text);
        lines += line;
    }
    expectGolden("number_format.txt", lines);
}

} // namespace
