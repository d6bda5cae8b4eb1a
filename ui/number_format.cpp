// number_format.cpp -- formatSignificant and the integer conversions of the heads-up display
#include "ui/number_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int ExactDigits = 17;
// More digits than a 40-byte buffer can hold in fixed form are never asked for.
constexpr int MostDigits = 20;

// |value| as 0.d1d2d3... x 10^exponent: 17 correctly rounded digits, the rest zero.
struct DecimalForm {
    bool negative;
    int exponent;
    char digits[MostDigits + 2];
};

DecimalForm decimalForm(double value) {
    DecimalForm form;
    std::memset(form.digits, '0', sizeof form.digits);
    form.negative = std::signbit(value) && value != 0.0;
    form.exponent = 0;
    if (value == 0.0) return form;

    // "%.16e" gives d.dddddddddddddddde+XX: 17 significant digits, rounded to nearest.
    char text[40];
    std::snprintf(text, sizeof text, "%.16e", std::fabs(value));
    form.digits[0] = text[0];
    std::memcpy(form.digits + 1, text + 2, ExactDigits - 1);
    form.exponent = std::atoi(text + ExactDigits + 2) + 1;
    return form;
}

// Keeps count digits, rounding half up on the next one. Returns 1 when the carry ran out of the
// first digit, which leaves 1 followed by zeros.
int roundDigits(char* digits, int count) {
    const bool up = digits[count] >= '5';
    for (int i = count; i < MostDigits + 2; ++i) digits[i] = '0';
    if (!up) return 0;
    for (int i = count - 1; i >= 0; --i) {
        if (digits[i] != '9') {
            ++digits[i];
            return 0;
        }
        digits[i] = '0';
    }
    digits[0] = '1';
    return 1;
}

// Removes the zeros that directly precede end, when the text has a point before them.
void dropTrailingZeros(char* text, char* end) {
    char* point = std::strchr(text, '.');
    if (!point || point > end) return;
    char* last = end;
    while (last > point + 1 && last[-1] == '0') --last;
    std::memmove(last, end, std::strlen(end) + 1);
}

void writeExponentForm(const DecimalForm& form, int digits, char* out) {
    char* p = out;
    if (form.negative) *p++ = '-';
    *p++ = form.digits[0];
    if (digits > 1) {
        *p++ = '.';
        for (int i = 1; i < digits; ++i) *p++ = form.digits[i];
    }
    char* exponentAt = p;
    const int power = form.exponent - 1;
    const int magnitude = std::abs(power); // at most 324 for a double
    *p++ = 'e';
    *p++ = power < 0 ? '-' : '+';
    *p++ = char('0' + magnitude / 100);
    *p++ = char('0' + magnitude / 10 % 10);
    *p++ = char('0' + magnitude % 10);
    *p = '\0';
    dropTrailingZeros(out, exponentAt);
}

// unroundedExponent decides how many decimals there are: a carry adds an integer digit, not a
// decimal.
void writeFixedForm(const DecimalForm& form, int digits, int unroundedExponent, char* out) {
    char* p = out;
    if (form.negative) *p++ = '-';
    int next = 0;
    if (form.exponent > 0) {
        while (next < form.exponent) *p++ = form.digits[next++];
    } else {
        *p++ = '0';
    }
    const int decimals = digits - unroundedExponent;
    if (decimals > 0) {
        *p++ = '.';
        for (int i = 0; i < decimals; ++i, ++next)
            *p++ = next < MostDigits + 2 ? form.digits[next] : '0';
    }
    *p = '\0';
    dropTrailingZeros(out, p);
}

} // namespace

void formatSignificant(double value, int digits, char (&text)[NumberTextSize]) {
    if (std::isnan(value)) {
        std::snprintf(text, NumberTextSize, "nan");
        return;
    }
    if (std::isinf(value)) {
        std::snprintf(text, NumberTextSize, "%s", value < 0 ? "-inf" : "inf");
        return;
    }
    if (digits < 1) digits = 1;
    if (digits > MostDigits) digits = MostDigits;

    DecimalForm form = decimalForm(value);
    const int unroundedExponent = form.exponent;
    const int firstPower = form.exponent - 1;
    const bool exponentForm = firstPower < -1 || firstPower > digits - 1;
    form.exponent += roundDigits(form.digits, digits);
    if (exponentForm)
        writeExponentForm(form, digits, text);
    else
        writeFixedForm(form, digits, unroundedExponent, text);
}

void formatSignificantWithin(double value, int digits, int width, char (&text)[NumberTextSize]) {
    formatSignificant(value, digits, text);
    while (digits > 1 && int(std::strlen(text)) > width) formatSignificant(value, --digits, text);
}

void formatUnsigned(uint32_t value, char (&text)[NumberTextSize]) {
    std::snprintf(text, NumberTextSize, "%u", value);
}

void formatSigned(int32_t value, char (&text)[NumberTextSize]) {
    std::snprintf(text, NumberTextSize, "%d", value);
}
