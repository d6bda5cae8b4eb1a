// test_number_format.cpp -- the heads-up display's number texts
#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <limits>

#include "ui/number_format.h"

namespace {

constexpr double Infinity = std::numeric_limits<double>::infinity();
constexpr double Smallest = std::numeric_limits<double>::denorm_min();
constexpr double NotANumber = std::numeric_limits<double>::quiet_NaN();
constexpr int Unsigned = 0, Signed = -1; // in place of a digit count: the integer forms

// The display's own examples first. The form is chosen on the unrounded value (0.0996 stays in
// exponent form, 99.96 with 2 digits stays fixed); a tie on the last kept digit rounds up, judged
// on the 17-digit form; past the 17th digit only zeros follow; exponents have three digits.
TEST(NumberFormat, WritesEachValueAsTheDisplayShowsIt) {
    struct Case {
        double value;
        int digits;
        const char* text;
    };
    // clang-format off
    const Case cases[] = {
        {2.0, 2, "2."}, {20.0, 2, "20"}, {0.2, 2, "0.2"}, {0.04, 2, "4.e-002"}, {9.96, 2, "10."},
        {996000.0, 2, "1.e+006"}, {60.2409, 4, "60.24"}, {100.0, 4, "100."}, {1234.5, 4, "1235"},
        {9999.7, 4, "10000"}, {0.01234, 4, "1.234e-002"}, {0.0, 4, "0."}, {-0.0, 4, "0."},
        {123456789.0, 8, "1.2345679e+008"}, {-1.25, 18, "-1.25"}, {-1.0, 18, "-1."},
        {0.3, 18, "0.29999999999999999"}, {0.1, 20, "0.10000000000000001"}, {-0.75, 20, "-0.75"},
        {0.004, 2, "4.e-003"}, {0.0456f, 4, "4.56e-002"}, {0.25, 4, "0.25"}, {12.0, 4, "12."},
        {0.0996, 2, "1.e-001"}, {99.96, 2, "100"}, {0.996, 2, "1."}, {-9.96, 2, "-10."},
        {0.1, 4, "0.1"}, {9999.0, 4, "9999"}, {10000.0, 4, "1.e+004"}, {-0.099, 4, "-9.9e-002"},
        {0.125, 2, "0.13"}, {2.5, 1, "3"}, {0.04, 1, "4e-002"}, {12345678901234567890.0, 20, "12345678901234567000"},
        {1.0 / 3.0, 20, "0.33333333333333331"}, {DBL_MAX, 4, "1.798e+308"},
        {DBL_MIN, 2, "2.2e-308"}, {Smallest, 2, "4.9e-324"}, {1e100, 2, "1.e+100"},
        {-1e-100, 18, "-1.e-100"},
        // The longest texts.
        {-DBL_MAX, 20, "-1.7976931348623157e+308"}, {-DBL_MIN, 20, "-2.2250738585072014e-308"},
        {-Smallest, 20, "-4.9406564584124654e-324"},
        {-0.12345678901234568, 20, "-0.12345678901234568"},
        {-9.999999999999999e19, 20, "-99999999999999984000"},
        // Non-finite values from a zero elapsed time.
        {Infinity, 8, "inf"}, {-Infinity, 4, "-inf"}, {NotANumber, 4, "nan"},
        // Integers: plain decimal without padding.
        {0, Unsigned, "0"}, {4294967295.0, Unsigned, "4294967295"}, {-7, Signed, "-7"},
        {599, Signed, "599"}, {INT32_MIN, Signed, "-2147483648"}};
    // clang-format on
    for (const Case& c : cases) {
        char text[NumberTextSize];
        if (c.digits == Unsigned)
            formatUnsigned(uint32_t(c.value), text);
        else if (c.digits == Signed)
            formatSigned(int32_t(c.value), text);
        else
            formatSignificant(c.value, c.digits, text);
        EXPECT_STREQ(text, c.text) << "value " << c.value << " with " << c.digits << " digits";
    }
}

} // namespace
