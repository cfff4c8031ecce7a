#pragma once

#include <QString>

#include <cstdint>

// Which characters a calculator text may hold besides the digits 0 to 9.
enum class CharacterSet {
    Operand,     // "-" anywhere; "." counted
    Exponent,    // nothing else; "." counted
    Decimal,     // nothing else; "." is a bad character
    Hexadecimal, // "a".."f" and "A".."F"; "." is a bad character
};

struct NumberTextCount {
    std::int64_t BadCount = 0;
    std::int64_t PointCount = 0;
};

// Counts the characters of text that the set refuses and the points it counts, looking at every
// character. An empty text gives 0 and 0.
NumberTextCount CheckNumberText(const QString& text, CharacterSet set);

// Whether counts from CheckNumberText let a text of that set through: no bad character, and at
// most one point for an operand, none for an exponent.
bool PassesCheck(const NumberTextCount& count, CharacterSet set);

// CheckNumberText and PassesCheck in one.
bool PassesCheck(const QString& text, CharacterSet set);

// "'text' is not a valid floating point value"
QString InvalidFloatMessage(const QString& text);

// The value of an operand text that passed the operand check: an optional leading "-", then
// digits with at most one "." ("." alone is 0, "-." minus zero, "5." 5, ".5" 0.5), rounded to the
// nearest double; a magnitude too small for a double becomes a denormal or zero.
// Throws EConvertError with InvalidFloatMessage for any other shape ("-", "--5", "5-3") and
// EOverflow for a magnitude beyond the largest double.
double ParseOperand(const QString& text);

// The result box's text for a finite value: 15 significant digits rounded half away from zero
// from the value's exact decimal expansion, trailing zeros dropped; fixed notation from 0.0001 up
// to below 10^15, otherwise d.dddE-x / d.dddEx; "0" for either zero.
QString FormatResult(double value);
