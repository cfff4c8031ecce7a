#include "serial/receive_filter.h"

namespace serial_detail {

uint32_t ReceiveOptions::Pack() const {
    return (ignoreNullChar ? 0x100u : 0u) | (errorsMarked ? 0x200u : 0u) | replacedChar;
}

ReceiveOptions ReceiveOptions::Unpack(uint32_t packed) {
    ReceiveOptions options;
    options.ignoreNullChar = (packed & 0x100u) != 0;
    options.errorsMarked = (packed & 0x200u) != 0;
    options.replacedChar = static_cast<uint8_t>(packed & 0xFFu);
    return options;
}

size_t ReceiveFilter::Apply(const ReceiveOptions& options, uint8_t* bytes, size_t length) {
    size_t out = 0;
    auto keep = [&](uint8_t byte) {
        if (byte == 0 && options.ignoreNullChar)
            return;
        bytes[out++] = byte;
    };
    for (size_t i = 0; i < length; ++i) {
        const uint8_t byte = bytes[i];
        if (!options.errorsMarked) {
            m_markState = 0;
            keep(byte);
            continue;
        }
        switch (m_markState) {
        case 0:
            if (byte == 0xFF)
                m_markState = 1;
            else
                keep(byte);
            break;
        case 1:
            if (byte == 0x00) {
                m_markState = 2;
            } else {
                // 0xFF 0xFF is an escaped 0xFF; anything else cannot follow a mark.
                m_markState = 0;
                keep(0xFF);
                if (byte != 0xFF)
                    keep(byte);
            }
            break;
        default:
            m_markState = 0;
            // A break arrives as a 0 byte, as it does without marking; a bad byte is replaced.
            keep(byte == 0x00 ? 0x00 : options.replacedChar);
            break;
        }
    }
    return out;
}

} // namespace serial_detail
