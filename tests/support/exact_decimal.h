#pragma once

// Exact decimal arithmetic for checking the calculator's conversions against the true values of
// doubles, independent of printf, to_chars and from_chars. The unit tests and the fuzzers share it.

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

// digits x 10^exponent, digits without leading zeros ("" for zero).
struct ExactDecimal {
    std::string digits;
    int exponent = 0;
};

// mantissa x 2^exponent2 written out exactly. Powers of two and five are applied in chunks on
// base-10^9 limbs: mantissa x 2^e for e >= 0, and mantissa x 5^-e x 10^e for e < 0.
inline ExactDecimal ExactValue(std::uint64_t mantissa, int exponent2) {
    constexpr std::uint64_t Base = 1000000000;
    std::vector<std::uint64_t> limbs; // little-endian
    for (std::uint64_t m = mantissa; m != 0; m /= Base)
        limbs.push_back(m % Base);
    const auto multiply = [&limbs](std::uint64_t factor) {
        std::uint64_t carry = 0;
        for (std::uint64_t& limb : limbs) {
            const std::uint64_t product = limb * factor + carry;
            limb = product % Base;
            carry = product / Base;
        }
        for (; carry != 0; carry /= Base)
            limbs.push_back(carry % Base);
    };
    for (int left = std::abs(exponent2); left > 0;) {
        const int step = std::min(left, exponent2 >= 0 ? 31 : 13);
        std::uint64_t factor = 1;
        for (int i = 0; i < step; ++i)
            factor *= exponent2 >= 0 ? 2 : 5;
        multiply(factor);
        left -= step;
    }
    ExactDecimal result;
    for (auto it = limbs.rbegin(); it != limbs.rend(); ++it) {
        std::string part = std::to_string(*it);
        if (it != limbs.rbegin())
            part.insert(0, 9 - part.size(), '0');
        result.digits += part;
    }
    result.exponent = exponent2 >= 0 ? 0 : exponent2;
    return result;
}

// The integer mantissa and binary exponent of a positive finite double.
inline void Decompose(double value, std::uint64_t& mantissa, int& exponent2) {
    int e = 0;
    const double fraction = std::frexp(value, &e);
    mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    exponent2 = e - 53;
}

inline ExactDecimal ExactValue(double positive) {
    std::uint64_t mantissa = 0;
    int exponent2 = 0;
    Decompose(positive, mantissa, exponent2);
    return ExactValue(mantissa, exponent2);
}

// The point halfway between two adjacent non-negative doubles; an infinite upper one stands for
// 2^1024.
// A lower one of 0 gives half the upper one.
inline ExactDecimal Midpoint(double lower, double upper) {
    std::uint64_t ml = 0, mu = 0;
    int el = 0, eu = 0;
    if (lower == 0.0) {
        Decompose(upper, mu, eu);
        return ExactValue(mu, eu - 1);
    }
    Decompose(lower, ml, el);
    if (std::isinf(upper)) {
        mu = std::uint64_t{1} << 52;
        eu = 1024 - 52;
    } else {
        Decompose(upper, mu, eu);
    }
    const int common = std::min(el, eu);
    const std::uint64_t sum = (ml << (el - common)) + (mu << (eu - common));
    return ExactValue(sum, common - 1);
}

// -1, 0 or 1 as a is below, equal to or above b.
inline int Compare(ExactDecimal a, ExactDecimal b) {
    const auto strip = [](std::string& s) {
        s.erase(0, std::min(s.find_first_not_of('0'), s.size()));
    };
    const int common = std::min(a.exponent, b.exponent);
    a.digits.append(a.exponent - common, '0');
    b.digits.append(b.exponent - common, '0');
    strip(a.digits);
    strip(b.digits);
    if (a.digits.size() != b.digits.size())
        return a.digits.size() < b.digits.size() ? -1 : 1;
    return a.digits < b.digits ? -1 : (a.digits == b.digits ? 0 : 1);
}

// Plain decimal text such as "0.00125" or "1250" (no exponent).
inline std::string PlainText(const ExactDecimal& value) {
    std::string digits = value.digits.empty() ? "0" : value.digits;
    if (value.exponent >= 0)
        return digits + std::string(value.exponent, '0');
    const std::size_t fraction = -value.exponent;
    if (digits.size() <= fraction)
        digits.insert(0, fraction - digits.size() + 1, '0');
    return digits.substr(0, digits.size() - fraction) + "." +
           digits.substr(digits.size() - fraction);
}

// The value of a plain decimal text of digits with at most one point.
inline ExactDecimal ParsePlain(const std::string& text) {
    ExactDecimal value;
    const std::size_t point = text.find('.');
    value.digits = text;
    if (point != std::string::npos) {
        value.digits.erase(point, 1);
        value.exponent = -static_cast<int>(text.size() - point - 1);
    }
    value.digits.erase(0, std::min(value.digits.find_first_not_of('0'), value.digits.size()));
    return value;
}

// The calculator's result format applied to the exact decimal value: 15 significant digits, a
// half rounded up in magnitude, fixed notation for 0.d x 10^E with E from -3 to 15.
inline std::string ReferenceFormat(double value) {
    if (value == 0.0)
        return "0";
    const ExactDecimal exact = ExactValue(std::fabs(value));
    std::string digits = exact.digits;
    int E = static_cast<int>(digits.size()) + exact.exponent;
    if (digits.size() > 15) {
        const bool up = digits[15] >= '5';
        digits.resize(15);
        if (up) {
            int i = 14;
            for (; i >= 0 && digits[i] == '9'; --i)
                digits[i] = '0';
            if (i < 0) {
                digits = "1" + digits.substr(0, 14);
                ++E;
            } else {
                ++digits[i];
            }
        }
    }
    digits.erase(digits.find_last_not_of('0') + 1);
    const int k = static_cast<int>(digits.size());
    std::string text = value < 0 ? "-" : "";
    if (E > 15 || E < -3)
        text += digits.substr(0, 1) + (k > 1 ? "." + digits.substr(1) : "") + "E" +
                std::to_string(E - 1);
    else if (E <= 0)
        text += "0." + std::string(-E, '0') + digits;
    else if (k <= E)
        text += digits + std::string(E - k, '0');
    else
        text += digits.substr(0, E) + "." + digits.substr(E);
    return text;
}

// Whether value is the double nearest to the plain decimal text (ties to an even mantissa).
inline bool IsCorrectlyRounded(const std::string& text, double value) {
    const ExactDecimal exact = ParsePlain(text);
    const double lowerNeighbour = value == 0.0 ? 0.0 : std::nextafter(value, 0.0);
    const double upperNeighbour = std::nextafter(value, std::numeric_limits<double>::infinity());
    const int aboveLower = value == 0.0 ? 1 : Compare(exact, Midpoint(lowerNeighbour, value));
    const int belowUpper = Compare(Midpoint(value, upperNeighbour), exact);
    const bool even = (std::bit_cast<std::uint64_t>(value) & 1) == 0;
    return aboveLower >= 0 && belowUpper >= 0 && ((aboveLower > 0 && belowUpper > 0) || even);
}
