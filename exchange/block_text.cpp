#include "exchange/block_text.h"

#include "app/hex_pairs.h"

QString HexForm(const std::uint8_t* bytes, std::size_t length) {
    static constexpr char16_t Digits[] = u"0123456789ABCDEF";
    QString text(static_cast<qsizetype>(2 * length), Qt::Uninitialized);
    QChar* out = text.data();
    for (std::size_t i = 0; i < length; ++i) {
        *out++ = QChar(Digits[bytes[i] >> 4]);
        *out++ = QChar(Digits[bytes[i] & 0x0F]);
    }
    return text;
}

std::int64_t SumHexPairs(const AnsiText& text) {
    std::int64_t sum = 0;
    for (std::size_t pos = 0; pos + 1 < text.bytes.size(); pos += 2)
        sum += HexDigitValue(text, pos) * 16 + HexDigitValue(text, pos + 1);
    return sum;
}

QString StripLabel(const QString& text, const QString& label) {
    return text.startsWith(label) ? text.mid(label.size()) : text;
}
