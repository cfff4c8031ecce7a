#pragma once

#include <QString>

#include <cstdint>
#include <stdexcept>

// A text that does not convert to a number. The message names the text.
class EConvertError : public std::runtime_error {
public:
    explicit EConvertError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    // The whole message, also when the text it names holds a 0 character, where what() ends.
    const QString& Message() const { return m_message; }

private:
    QString m_message;
};

// A floating-point result beyond the range of a double.
class EOverflow : public std::runtime_error {
public:
    EOverflow() : std::runtime_error("Floating point overflow") {}
};

// "'text' is not a valid integer value"
QString InvalidIntegerMessage(const QString& text);
[[noreturn]] void ThrowInvalidInteger(const QString& text);

// True for a non-empty text of the digits 0 to 9 alone (no sign, point or blank).
bool IsDigitText(const QString& text);

// The value of a digit-only text; above 2147483647 it throws EConvertError naming the whole text.
std::int32_t DigitsToInt32(const QString& digits);
