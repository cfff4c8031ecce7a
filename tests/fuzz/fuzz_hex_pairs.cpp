// The data areas' hexadecimal reader: a text encoded in the code page (EncodeAnsi, and UTF-8 and
// GBK by name), then ReadHexPairs at several limits and SumHexPairs. The encoding is checked
// character by character against iconv, and the pairs, the sum and the error message naming the
// first bad character against a reading of those reference bytes. The input is read both as
// UTF-8 and as raw UTF-16, which brings in lone surrogates.

#include "app/ansi_text.h"
#include "app/conversions.h"
#include "app/hex_pairs.h"
#include "exchange/block_text.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/fuzz/integer_reference.h"

#include <iconv.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

namespace {

// A code page's encoder apart from AnsiCodec: one character at a time, ASCII as it is, any other
// character through iconv from its UTF-8 form, "?" when the code page has no such character.
class ReferenceEncoder {
public:
    explicit ReferenceEncoder(const std::string& codeset)
        : m_utf8(QString::fromStdString(codeset).toUpper().remove(u'-') == u"UTF8"),
          m_iconv(m_utf8 ? reinterpret_cast<iconv_t>(-1) : iconv_open(codeset.c_str(), "UTF-8")) {}
    ~ReferenceEncoder() {
        if (!m_utf8)
            iconv_close(m_iconv);
    }
    ReferenceEncoder(const ReferenceEncoder&) = delete;
    ReferenceEncoder& operator=(const ReferenceEncoder&) = delete;

    std::string Encode(const QString& character) const {
        if (character.at(0).unicode() < 0x80)
            return std::string(1, static_cast<char>(character.at(0).unicode()));
        QByteArray utf8 = character.toUtf8();
        if (m_utf8)
            return utf8.toStdString();
        char out[16];
        char* in = utf8.data();
        std::size_t inLeft = static_cast<std::size_t>(utf8.size());
        char* outPos = out;
        std::size_t outLeft = sizeof out;
        iconv(m_iconv, nullptr, nullptr, nullptr, nullptr);
        if (iconv(m_iconv, &in, &inLeft, &outPos, &outLeft) == std::size_t(-1))
            return "?";
        return std::string(out, outPos);
    }

private:
    bool m_utf8;
    iconv_t m_iconv;
};

struct ReferenceText {
    std::string bytes;
    std::vector<QString> characterOf; // per byte: the whole character it belongs to
};

// Characters are code points: a surrogate pair is one, and so is a lone surrogate.
ReferenceText Encode(const QString& text, const ReferenceEncoder& encoder) {
    ReferenceText result;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()
                ? 2
                : 1;
        const QString character = text.mid(i, length);
        const std::string bytes = encoder.Encode(character);
        result.bytes += bytes;
        result.characterOf.insert(result.characterOf.end(), bytes.size(), character);
        i += length;
    }
    return result;
}

std::optional<int> HexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return std::nullopt;
}

// The pairs of the first pairCount pairs, or the message naming the first bad character.
struct ExpectedPairs {
    std::vector<std::uint8_t> bytes;
    std::optional<std::string> error;
};

ExpectedPairs ReadPairs(const ReferenceText& text, std::size_t pairCount) {
    ExpectedPairs result;
    for (std::size_t pos = 0; pos < 2 * pairCount; ++pos) {
        if (!HexValue(text.bytes[pos])) {
            result.error = InvalidIntegerText(text.characterOf[pos]);
            return result;
        }
    }
    for (std::size_t k = 0; k < pairCount; ++k)
        result.bytes.push_back(static_cast<std::uint8_t>(*HexValue(text.bytes[2 * k]) * 16 +
                                                         *HexValue(text.bytes[2 * k + 1])));
    return result;
}

void CheckPairs(const QString& text, const AnsiText& encoded, const ReferenceText& reference,
                std::size_t maxBytes) {
    const ExpectedPairs expected =
        ReadPairs(reference, std::min(reference.bytes.size() / 2, maxBytes));
    try {
        const std::vector<std::uint8_t> bytes = ReadHexPairs(encoded, maxBytes);
        Expect(!expected.error, "ReadHexPairs read a bad character", text);
        Expect(bytes == expected.bytes, "ReadHexPairs bytes", text);
    } catch (const EConvertError& error) {
        Expect(expected.error.has_value(), "ReadHexPairs refused good pairs", text);
        ExpectSame(error.Message().toStdString(), *expected.error, "ReadHexPairs message", text);
    }
}

void CheckSum(const QString& text, const AnsiText& encoded, const ReferenceText& reference) {
    const ExpectedPairs expected = ReadPairs(reference, reference.bytes.size() / 2);
    try {
        const std::int64_t sum = SumHexPairs(encoded);
        Expect(!expected.error, "SumHexPairs read a bad character", text);
        std::int64_t expectedSum = 0;
        for (std::uint8_t byte : expected.bytes)
            expectedSum += byte;
        Expect(sum == expectedSum, "SumHexPairs sum", text);
    } catch (const EConvertError& error) {
        Expect(expected.error.has_value(), "SumHexPairs refused good pairs", text);
        ExpectSame(error.Message().toStdString(), *expected.error, "SumHexPairs message", text);
    }
}

void Check(const QString& text, const AnsiText& encoded, const ReferenceEncoder& encoder) {
    const ReferenceText reference = Encode(text, encoder);
    ExpectSame(encoded.bytes, reference.bytes, "encoded bytes", text);
    Expect(encoded.characterStart.size() == encoded.bytes.size(), "one character start per byte",
           text);
    for (std::size_t pos = 0; pos < encoded.bytes.size(); ++pos)
        ExpectSame(encoded.CharacterAt(pos), reference.characterOf[pos], "character of a byte",
                   text);

    for (std::size_t maxBytes :
         {std::size_t{1}, std::size_t{2048}, std::numeric_limits<std::size_t>::max()})
        CheckPairs(text, encoded, reference, maxBytes);
    CheckSum(text, encoded, reference);
}

struct Codepage {
    std::unique_ptr<AnsiCodec> codec; // none: the locale's, through EncodeAnsi
    std::unique_ptr<ReferenceEncoder> reference;
};

const std::vector<Codepage>& Codepages() {
    static const std::vector<Codepage> codepages = [] {
        std::vector<Codepage> list;
        for (const char* codeset : {"UTF-8", "GBK"})
            list.push_back({std::make_unique<AnsiCodec>(codeset),
                            std::make_unique<ReferenceEncoder>(codeset)});
        list.push_back(
            {nullptr, std::make_unique<ReferenceEncoder>(AnsiCodec::Locale().Codeset())});
        return list;
    }();
    return codepages;
}

void CheckAll(const QString& text) {
    for (const Codepage& codepage : Codepages()) {
        const AnsiText encoded = codepage.codec ? codepage.codec->Encode(text) : EncodeAnsi(text);
        Check(text, encoded, *codepage.reference);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckAll(Utf8Input(data, size));
    CheckAll(Utf16Input(data, size));
    return 0;
}
