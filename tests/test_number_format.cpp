// test_number_format.cpp -- the heads-up display's number texts
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

#include "ui/number_format.h"

namespace {

struct SignificantCase {
    double value;
    int digits;
    const char* text;
};

const SignificantCase significantCases[] = {
    // The display's own examples.
    {2.0, 2, "2."},
    {20.0, 2, "20"},
    {0.2, 2, "0.2"},
    {0.04, 2, "4.e-002"},
    {9.96, 2, "10."},
    {996000.0, 2, "1.e+006"},
    {60.2409, 4, "60.24"},
    {100.0, 4, "100."},
    {1234.5, 4, "1235"},
    {9999.7, 4, "10000"},
    {0.01234, 4, "1.234e-002"},
    {0.0, 4, "0."},
    {-0.0, 4, "0."},
    {123456789.0, 8, "1.2345679e+008"},
    {-1.25, 18, "-1.25"},
    {-1.0, 18, "-1."},
    {0.3, 18, "0.29999999999999999"},
    {0.1, 20, "0.10000000000000001"},
    {-0.75, 20, "-0.75"},
    // Values the display shows at start and for common timings.
    {2.0, 2, "2."},
    {0.004, 2, "4.e-003"},
    {0.0456f, 4, "4.56e-002"},
    {0.25, 4, "0.25"},
    {12.0, 4, "12."},
    // The form is chosen on the unrounded value: 0.0996 stays in exponent form although it
    // rounds to 0.1, and 99.96 with 2 digits stays fixed although it rounds to 100.
    {0.0996, 2, "1.e-001"},
    {99.96, 2, "100"},
    {0.996, 2, "1."},
    {-9.96, 2, "-10."},
    // Fixed form from 0.1 up to 10^digits.
    {0.1, 4, "0.1"},
    {9999.0, 4, "9999"},
    {10000.0, 4, "1.e+004"},
    {-0.099, 4, "-9.9e-002"},
    // A tie on the last kept digit rounds up, judged on the 17-digit form.
    {0.125, 2, "0.13"},
    {2.5, 1, "3"},
    // Beyond the 17th digit only zeros follow; a 20-digit text of an exact integer.
    {12345678901234567890.0, 20, "12345678901234567000"},
    {1.0 / 3.0, 20, "0.33333333333333331"},
    // Exponents of three digits at both ends of the range.
    {DBL_MAX, 4, "1.798e+308"},
    {DBL_MIN, 2, "2.2e-308"},
    {std::numeric_limits<double>::denorm_min(), 2, "4.9e-324"},
    {1e100, 2, "1.e+100"},
    {-1e-100, 18, "-1.e-100"},
    // Non-finite values from a zero elapsed time.
    {std::numeric_limits<double>::infinity(), 8, "inf"},
    {-std::numeric_limits<double>::infinity(), 4, "-inf"},
    {std::numeric_limits<double>::quiet_NaN(), 4, "nan"},
};

TEST(FormatSignificant, WritesEachValueAsTheDisplayShowsIt) {
    for (const SignificantCase& c : significantCases) {
        char text[NumberTextSize];
        formatSignificant(c.value, c.digits, text);
        EXPECT_STREQ(text, c.text) << "value " << c.value << " with " << c.digits << " digits";
    }
}

TEST(FormatSignificant, LongestTextsFitTheBuffer) {
    const double values[] = {-DBL_MAX, -DBL_MIN, -0.123456789012345678, -9.999999999999999e19,
                             -std::numeric_limits<double>::denorm_min()};
    for (double value : values) {
        char text[NumberTextSize];
        std::memset(text, 'x', sizeof text);
        formatSignificant(value, 20, text);
        EXPECT_LT(std::strlen(text), sizeof text) << value;
    }
}

TEST(IntegerFormat, PlainDecimalWithoutPadding) {
    char text[NumberTextSize];
    formatUnsigned(0, text);
    EXPECT_STREQ(text, "0");
    formatUnsigned(4294967295u, text);
    EXPECT_STREQ(text, "4294967295");
    formatSigned(-7, text);
    EXPECT_STREQ(text, "-7");
    formatSigned(599, text);
    EXPECT_STREQ(text, "599");
    formatSigned(-2147483647 - 1, text);
    EXPECT_STREQ(text, "-2147483648");
}

} // namespace
