#include "serial/line_settings.h"

#include <sys/ioctl.h>

namespace serial_detail {

void SetRawMode(termios& tio) {
    tio.c_iflag &= ~(IGNBRK | BRKINT | IGNPAR | PARMRK | INPCK | ISTRIP | INLCR | IGNCR | ICRNL |
                     IXON | IXOFF | IXANY | IMAXBEL | IUCLC | IUTF8);
    tio.c_oflag &= ~(OPOST | ONLCR | OCRNL | ONOCR | ONLRET | OFILL | OLCUC);
    tio.c_lflag &= ~(ECHO | ECHOE | ECHOK | ECHONL | ECHOCTL | ECHOPRT | ECHOKE | ICANON | ISIG |
                     IEXTEN | NOFLSH | TOSTOP);
    tio.c_cflag |= CREAD | CLOCAL;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
}

void SetDataBits(termios& tio, TByteSize byteSize) {
    static constexpr tcflag_t sizes[] = {CS5, CS6, CS7, CS8};
    tio.c_cflag = (tio.c_cflag & ~CSIZE) | sizes[static_cast<int>(byteSize) & 3];
}

void SetParity(termios& tio, TParity parity, bool check, bool markErrors) {
    tio.c_cflag &= ~(PARENB | PARODD | CMSPAR);
    switch (parity) {
    case TParity::None:
        break;
    case TParity::Odd:
        tio.c_cflag |= PARENB | PARODD;
        break;
    case TParity::Even:
        tio.c_cflag |= PARENB;
        break;
    case TParity::Mark:
        tio.c_cflag |= PARENB | CMSPAR | PARODD;
        break;
    case TParity::Space:
        tio.c_cflag |= PARENB | CMSPAR;
        break;
    }
    tio.c_iflag &= ~(INPCK | IGNPAR | PARMRK);
    if (check)
        tio.c_iflag |= INPCK;
    if (check && markErrors)
        tio.c_iflag |= PARMRK;
}

void SetStopBits(termios& tio, TStopBits stopBits) {
    if (stopBits == TStopBits::_1)
        tio.c_cflag &= ~CSTOPB;
    else
        tio.c_cflag |= CSTOPB;
}

void SetFlowControl(termios& tio, const LineSettings& settings) {
    if (settings.outxCtsFlow || settings.rtsControl == TRtsControl::RtsHandshake)
        tio.c_cflag |= CRTSCTS;
    else
        tio.c_cflag &= ~CRTSCTS;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    if (settings.outxXonXoffFlow)
        tio.c_iflag |= IXON;
    if (settings.inxXonXoffFlow)
        tio.c_iflag |= IXOFF;
    tio.c_cc[VSTART] = settings.xonChar;
    tio.c_cc[VSTOP] = settings.xoffChar;
}

termios MapLineSettings(const termios& current, const LineSettings& settings) {
    termios tio = current;
    SetRawMode(tio);
    SetDataBits(tio, settings.byteSize);
    SetParity(tio, settings.parity, settings.parityCheck, settings.replaceWhenParityError);
    SetStopBits(tio, settings.stopBits);
    SetFlowControl(tio, settings);
    return tio;
}

ModemLineChange MapModemLines(const LineSettings& settings) {
    ModemLineChange change;
    // DTR/DSR handshake has no driver support here; DTR stays asserted.
    if (settings.dtrControl == TDtrControl::DtrDisable)
        change.drop |= TIOCM_DTR;
    else
        change.raise |= TIOCM_DTR;
    switch (settings.rtsControl) {
    case TRtsControl::RtsEnable:
        change.raise |= TIOCM_RTS;
        break;
    case TRtsControl::RtsDisable:
        change.drop |= TIOCM_RTS;
        break;
    case TRtsControl::RtsHandshake:
    case TRtsControl::RtsTransmissionAvailable:
        // The driver drives RTS: by flow control, or by its RS-485 mode while sending.
        break;
    }
    // CTS flow control without RTS handshake: the driver would also drive RTS, so leave it.
    if (settings.outxCtsFlow) {
        change.raise &= ~TIOCM_RTS;
        change.drop &= ~TIOCM_RTS;
    }
    return change;
}

} // namespace serial_detail
