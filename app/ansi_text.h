#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A text as bytes of the ANSI code page: one position per byte, so a character the code page
// encodes in two bytes takes two positions. Every byte remembers the character it belongs to,
// so that an error about a byte can name the whole character.
struct AnsiText {
    QString text;
    std::string bytes;
    std::vector<int> characterStart; // per byte: index in text where its character begins

    // The whole character that byte position pos (0-based) belongs to.
    QString CharacterAt(std::size_t pos) const;
};

// Converts between program text and the bytes of one code page (an iconv name such as "UTF-8"
// or "GBK"). A character the code page cannot encode becomes "?"; bytes it cannot decode become
// U+FFFD, and a 0 byte is a character like any other.
class AnsiCodec {
public:
    explicit AnsiCodec(std::string codeset);
    ~AnsiCodec();
    AnsiCodec(const AnsiCodec&) = delete;
    AnsiCodec& operator=(const AnsiCodec&) = delete;

    const std::string& Codeset() const { return m_codeset; }
    AnsiText Encode(const QString& text) const;
    QString Decode(const std::uint8_t* bytes, std::size_t length) const;

    // The code page of the user's locale (LC_ALL, LC_CTYPE, LANG). A plain C or POSIX locale
    // counts as UTF-8, as it does for Qt.
    static const AnsiCodec& Locale();

private:
    std::string m_codeset;
    bool m_utf8;
    void* m_encoder; // iconv descriptors, unused for UTF-8
    void* m_decoder;
};

// The locale's code page.
inline AnsiText EncodeAnsi(const QString& text) {
    return AnsiCodec::Locale().Encode(text);
}
inline QString DecodeAnsi(const std::uint8_t* bytes, std::size_t length) {
    return AnsiCodec::Locale().Decode(bytes, length);
}
