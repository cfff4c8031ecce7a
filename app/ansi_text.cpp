#include "app/ansi_text.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

const iconv_t NoCodec = reinterpret_cast<iconv_t>(-1);

bool IsUtf8Name(std::string name) {
    std::ranges::transform(name, name.begin(), [](unsigned char c) { return std::toupper(c); });
    return name == "UTF-8" || name == "UTF8";
}

std::string LocaleCodeset() {
    std::string codeset = "UTF-8";
    if (locale_t locale = newlocale(LC_CTYPE_MASK, "", locale_t(nullptr))) {
        if (const char* name = nl_langinfo_l(CODESET, locale); name && *name)
            codeset = name;
        freelocale(locale);
    }
    if (codeset == "ANSI_X3.4-1968" || codeset == "ASCII")
        codeset = "UTF-8";
    return codeset;
}

// Converts one piece with iconv; false when the code page has no mapping for it.
bool Convert(iconv_t codec, const char* in, std::size_t inLength, std::string& out) {
    iconv(codec, nullptr, nullptr, nullptr, nullptr);
    char buffer[16];
    char* input = const_cast<char*>(in);
    char* output = buffer;
    std::size_t outLeft = sizeof buffer;
    if (iconv(codec, &input, &inLength, &output, &outLeft) == std::size_t(-1))
        return false;
    if (iconv(codec, nullptr, nullptr, &output, &outLeft) == std::size_t(-1))
        return false;
    out.append(buffer, output);
    return true;
}

// Whether a character of two code units begins at i. A lone surrogate is a character of its own,
// so that it cannot take the next character into its encoding or its error message.
bool IsSurrogatePair(const QString& text, qsizetype i) {
    return text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
}

} // namespace

QString AnsiText::CharacterAt(std::size_t pos) const {
    const int start = characterStart.at(pos);
    return text.mid(start, IsSurrogatePair(text, start) ? 2 : 1);
}

AnsiCodec::AnsiCodec(std::string codeset)
    : m_codeset(std::move(codeset)), m_utf8(IsUtf8Name(m_codeset)), m_encoder(NoCodec),
      m_decoder(NoCodec) {
    if (!m_utf8) {
        m_encoder = iconv_open(m_codeset.c_str(), "UTF-8");
        m_decoder = iconv_open("UTF-8", m_codeset.c_str());
        if (m_encoder == NoCodec || m_decoder == NoCodec)
            m_utf8 = true; // an unknown code page: fall back to UTF-8
    }
}

AnsiCodec::~AnsiCodec() {
    if (m_encoder != NoCodec)
        iconv_close(static_cast<iconv_t>(m_encoder));
    if (m_decoder != NoCodec)
        iconv_close(static_cast<iconv_t>(m_decoder));
}

const AnsiCodec& AnsiCodec::Locale() {
    static const AnsiCodec codec(LocaleCodeset());
    return codec;
}

AnsiText AnsiCodec::Encode(const QString& text) const {
    AnsiText result;
    result.text = text;
    result.bytes.reserve(text.size());
    result.characterStart.reserve(text.size());
    for (int i = 0; i < text.size();) {
        const int length = IsSurrogatePair(text, i) ? 2 : 1;
        const std::size_t before = result.bytes.size();
        const char16_t first = text.at(i).unicode();
        if (first < 0x80) {
            result.bytes.push_back(static_cast<char>(first)); // every code page used keeps ASCII
        } else {
            const QByteArray utf8 = text.mid(i, length).toUtf8();
            if (m_utf8)
                result.bytes.append(utf8.constData(), utf8.size());
            else if (!Convert(static_cast<iconv_t>(m_encoder), utf8.constData(), utf8.size(),
                              result.bytes))
                result.bytes.push_back('?');
        }
        result.characterStart.insert(result.characterStart.end(), result.bytes.size() - before, i);
        i += length;
    }
    return result;
}

QString AnsiCodec::Decode(const std::uint8_t* bytes, std::size_t length) const {
    const char* in = reinterpret_cast<const char*>(bytes);
    if (m_utf8)
        return QString::fromUtf8(in, static_cast<qsizetype>(length));

    auto codec = static_cast<iconv_t>(m_decoder);
    iconv(codec, nullptr, nullptr, nullptr, nullptr);
    std::string utf8(length * 3 + 4, '\0');
    char* input = const_cast<char*>(in);
    std::size_t inLeft = length;
    char* output = utf8.data();
    std::size_t outLeft = utf8.size();
    while (inLeft > 0) {
        if (iconv(codec, &input, &inLeft, &output, &outLeft) != std::size_t(-1))
            break;
        if (errno == E2BIG)
            break; // cannot happen: three bytes out per byte in is always enough
        // A byte the code page cannot decode, or a two-byte character cut off at the end.
        std::memcpy(output, "\xEF\xBF\xBD", 3);
        output += 3;
        outLeft -= 3;
        ++input;
        --inLeft;
        iconv(codec, nullptr, nullptr, nullptr, nullptr);
    }
    return QString::fromUtf8(utf8.data(), output - utf8.data());
}
