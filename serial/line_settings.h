#pragma once

// Internal: the line settings as plain values, and their translation to termios.

#include "serial/comm.h"

#include <termios.h>

namespace serial_detail {

struct LineSettings {
    uint32_t baudRate = 9600;
    bool parityCheck = false;
    bool outxCtsFlow = false;
    bool outxDsrFlow = false;
    TDtrControl dtrControl = TDtrControl::DtrEnable;
    bool dsrSensitivity = false;
    bool txContinueOnXoff = true;
    bool outxXonXoffFlow = false;
    bool inxXonXoffFlow = false;
    bool replaceWhenParityError = false;
    bool ignoreNullChar = false;
    TRtsControl rtsControl = TRtsControl::RtsEnable;
    uint16_t xonLimit = 500;
    uint16_t xoffLimit = 500;
    TByteSize byteSize = TByteSize::_8;
    TParity parity = TParity::None;
    TStopBits stopBits = TStopBits::_1;
    uint8_t xonChar = 17;
    uint8_t xoffChar = 19;
    uint8_t replacedChar = 0;
};

// Raw mode: no echo, no canonical input, no signals, no translation of characters either way;
// the receiver on and modem-status lines ignored for open and read. Leaves the speed alone.
void SetRawMode(termios& tio);
void SetDataBits(termios& tio, TByteSize byteSize);
// Mark and space parity use the stick-parity bit. `check` turns on input parity checking;
// `markErrors` has the driver mark bytes with errors (0xFF 0x00 prefix) so the read path can
// replace them.
void SetParity(termios& tio, TParity parity, bool check, bool markErrors);
// One and a half stop bits is the two-stop-bit setting, which UARTs send as 1.5 with 5 data bits.
void SetStopBits(termios& tio, TStopBits stopBits);
// CTS out-flow and RTS handshake are both the driver's RTS/CTS flow control.
void SetFlowControl(termios& tio, const LineSettings& settings);

// The whole translation: `current` with every setting above replaced. The speed bits are kept;
// the exact rate is set separately.
termios MapLineSettings(const termios& current, const LineSettings& settings);

// Which modem lines to raise and drop (TIOCM_ bits) after the settings are applied. Lines under
// handshake control are in neither mask.
struct ModemLineChange {
    int raise = 0;
    int drop = 0;
};
ModemLineChange MapModemLines(const LineSettings& settings);

} // namespace serial_detail
