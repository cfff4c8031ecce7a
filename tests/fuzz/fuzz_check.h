#pragma once

// How a fuzzer reports a disagreement between the code under test and its reference: it prints
// what differed and aborts, which libFuzzer turns into a saved crash input.

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// The text with every code unit outside printable ASCII written as \uXXXX, so that lone
// surrogates and control characters show in a report.
inline std::string Escaped(const QString& text) {
    std::string out;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x20 && u < 0x7F && u != u'\\') {
            out += static_cast<char>(u);
        } else {
            char code[8];
            std::snprintf(code, sizeof code, "\\u%04X", static_cast<unsigned>(u));
            out += code;
        }
    }
    return out;
}

[[noreturn]] inline void FuzzFailure(const char* what, const QString& input,
                                     const std::string& detail = {}) {
    std::fprintf(stderr, "\nfuzz check failed: %s\ninput: \"%s\"\n%s\n", what,
                 Escaped(input).c_str(), detail.c_str());
    std::abort();
}

inline void Expect(bool holds, const char* what, const QString& input) {
    if (!holds)
        FuzzFailure(what, input);
}

inline void ExpectSame(const std::string& actual, const std::string& expected, const char* what,
                       const QString& input) {
    if (actual != expected)
        FuzzFailure(what, input, "actual:   \"" + actual + "\"\nexpected: \"" + expected + "\"");
}

inline void ExpectSame(const QString& actual, const QString& expected, const char* what,
                       const QString& input) {
    if (actual != expected)
        FuzzFailure(what, input,
                    "actual:   \"" + Escaped(actual) + "\"\nexpected: \"" + Escaped(expected) +
                        "\"");
}

// The fuzz input as text the way a line edit would hold it (invalid UTF-8 becomes U+FFFD).
inline QString Utf8Input(const std::uint8_t* data, std::size_t size) {
    return QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// The fuzz input as raw UTF-16 code units, lone surrogates included.
inline QString Utf16Input(const std::uint8_t* data, std::size_t size) {
    QString text(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    for (std::size_t i = 0; i < size / 2; ++i)
        text[static_cast<qsizetype>(i)] =
            QChar(static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8));
    return text;
}
