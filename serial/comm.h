#pragma once

#include "serial/notice_channel.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

enum class TDtrControl : uint8_t { DtrEnable, DtrDisable, DtrHandshake };
enum class TRtsControl : uint8_t { RtsEnable, RtsDisable, RtsHandshake, RtsTransmissionAvailable };
enum class TByteSize : uint8_t { _5, _6, _7, _8 };
enum class TParity : uint8_t { None, Odd, Even, Mark, Space };
enum class TStopBits : uint8_t { _1, _1_5, _2 };

// Raised by OpenPort. what() is the fixed message; Reason() says what the system reported, for
// example "Permission denied: /dev/ttyUSB0", and is empty when there is nothing to add.
class ECommsError : public std::runtime_error {
public:
    explicit ECommsError(const std::string& message, std::string reason = {});
    const std::string& Reason() const { return m_reason; }

private:
    std::string m_reason;
};

class TComm;
using TReceiveDataEvent =
    std::function<void(TComm& sender, const uint8_t* buffer, uint16_t bufferLength)>;
using TReceiveErrorEvent = std::function<void(TComm& sender, uint32_t eventMask)>;
using TModemStateChangeEvent = std::function<void(TComm& sender, uint32_t modemEvent)>;
using TSendDataEmptyEvent = std::function<void(TComm& sender)>;
using TNotifyEvent = std::function<void(TComm& sender)>;

// Lists the serial devices that "COM1", "COM2", ... stand for, in that order.
using TDeviceLister = std::function<std::vector<std::string>()>;

class TReadThread;
class TWriteThread;
namespace serial_detail {
struct PortShared;
}

// One serial device with its line settings and timeouts. While the port is open a read thread
// and a write thread run; their notices come back through the notice channel and are raised as
// the On... events on the main thread.
//
// Every member is called on the main thread, the thread that runs the channel's handler. The
// channel must outlive the component. Destroying an open component closes the port first.
class TComm {
public:
    explicit TComm(NoticeChannel& noticeChannel);
    ~TComm();
    TComm(const TComm&) = delete;
    TComm& operator=(const TComm&) = delete;

    // Opens and configures the device named by CommName and starts both threads. "COMn" is the
    // n-th serial device present now (see serial/port_names.h); a name starting with "/" is a
    // device path. Throws ECommsError; after a failure the port is closed, except for "This
    // serial port already opened", which leaves the open port as it was.
    void OpenPort();
    // Stops both threads and closes the device; returns when both threads have ended. Notices
    // already posted are still delivered afterwards. Does nothing when closed.
    void ClosePort();
    bool IsOpen() const { return m_portHandle >= 0; }
    // The device the open port uses; empty when closed.
    const std::string& DevicePath() const { return m_devicePath; }

    // Queues a private copy of the bytes for the write thread; the caller may reuse its buffer
    // at once. True means queued, not sent. False when the port is closed, its write thread has
    // ended, the length is 0 or no memory could be had.
    bool WriteBytes(const uint8_t* buffer, uint16_t length);

    // Replaces the device list that COM names resolve against (the sysfs scan by default).
    void SetDeviceLister(TDeviceLister lister);

    // Published properties. Setters do nothing when the value is unchanged; otherwise they store
    // it and, while open, re-apply the line settings or the timeouts at once. CommName and
    // Parity are only stored: they take effect at the next OpenPort.
    const std::string& CommName() const { return m_commName; }
    void SetCommName(const std::string& value) { m_commName = value; }
    uint32_t BaudRate() const { return m_baudRate; }
    void SetBaudRate(uint32_t value) { SetLineProperty(m_baudRate, value); }
    bool ParityCheck() const { return m_parityCheck; }
    void SetParityCheck(bool value) { SetLineProperty(m_parityCheck, value); }
    bool Outx_CtsFlow() const { return m_outxCtsFlow; }
    void SetOutx_CtsFlow(bool value) { SetLineProperty(m_outxCtsFlow, value); }
    bool Outx_DsrFlow() const { return m_outxDsrFlow; }
    void SetOutx_DsrFlow(bool value) { SetLineProperty(m_outxDsrFlow, value); }
    TDtrControl DtrControl() const { return m_dtrControl; }
    void SetDtrControl(TDtrControl value) { SetLineProperty(m_dtrControl, value); }
    bool DsrSensitivity() const { return m_dsrSensitivity; }
    void SetDsrSensitivity(bool value) { SetLineProperty(m_dsrSensitivity, value); }
    bool TxContinueOnXoff() const { return m_txContinueOnXoff; }
    void SetTxContinueOnXoff(bool value) { SetLineProperty(m_txContinueOnXoff, value); }
    bool Outx_XonXoffFlow() const { return m_outxXonXoffFlow; }
    void SetOutx_XonXoffFlow(bool value) { SetLineProperty(m_outxXonXoffFlow, value); }
    bool Inx_XonXoffFlow() const { return m_inxXonXoffFlow; }
    void SetInx_XonXoffFlow(bool value) { SetLineProperty(m_inxXonXoffFlow, value); }
    bool ReplaceWhenParityError() const { return m_replaceWhenParityError; }
    void SetReplaceWhenParityError(bool value) { SetLineProperty(m_replaceWhenParityError, value); }
    bool IgnoreNullChar() const { return m_ignoreNullChar; }
    void SetIgnoreNullChar(bool value) { SetLineProperty(m_ignoreNullChar, value); }
    TRtsControl RtsControl() const { return m_rtsControl; }
    void SetRtsControl(TRtsControl value) { SetLineProperty(m_rtsControl, value); }
    uint16_t XonLimit() const { return m_xonLimit; }
    void SetXonLimit(uint16_t value) { SetLineProperty(m_xonLimit, value); }
    uint16_t XoffLimit() const { return m_xoffLimit; }
    void SetXoffLimit(uint16_t value) { SetLineProperty(m_xoffLimit, value); }
    TByteSize ByteSize() const { return m_byteSize; }
    void SetByteSize(TByteSize value) { SetLineProperty(m_byteSize, value); }
    TParity Parity() const { return m_parity; }
    void SetParity(TParity value) { m_parity = value; }
    TStopBits StopBits() const { return m_stopBits; }
    void SetStopBits(TStopBits value) { SetLineProperty(m_stopBits, value); }
    uint8_t XonChar() const { return m_xonChar; }
    void SetXonChar(uint8_t value) { SetLineProperty(m_xonChar, value); }
    uint8_t XoffChar() const { return m_xoffChar; }
    void SetXoffChar(uint8_t value) { SetLineProperty(m_xoffChar, value); }
    uint8_t ReplacedChar() const { return m_replacedChar; }
    void SetReplacedChar(uint8_t value) { SetLineProperty(m_replacedChar, value); }
    uint32_t ReadIntervalTimeout() const { return m_readIntervalTimeout; }
    void SetReadIntervalTimeout(uint32_t value) { SetTimeout(m_readIntervalTimeout, value); }
    uint32_t ReadTotalTimeoutMultiplier() const { return m_readTotalTimeoutMultiplier; }
    void SetReadTotalTimeoutMultiplier(uint32_t value) {
        SetTimeout(m_readTotalTimeoutMultiplier, value);
    }
    uint32_t ReadTotalTimeoutConstant() const { return m_readTotalTimeoutConstant; }
    void SetReadTotalTimeoutConstant(uint32_t value) {
        SetTimeout(m_readTotalTimeoutConstant, value);
    }
    uint32_t WriteTotalTimeoutMultiplier() const { return m_writeTotalTimeoutMultiplier; }
    void SetWriteTotalTimeoutMultiplier(uint32_t value) {
        SetTimeout(m_writeTotalTimeoutMultiplier, value);
    }
    uint32_t WriteTotalTimeoutConstant() const { return m_writeTotalTimeoutConstant; }
    void SetWriteTotalTimeoutConstant(uint32_t value) {
        SetTimeout(m_writeTotalTimeoutConstant, value);
    }

    // Events, raised on the main thread by the notices of the threads. Unassigned events are
    // skipped. The buffer of OnReceiveData holds bufferLength bytes and a 0 after them; it is
    // valid only during the call.
    TReceiveDataEvent OnReceiveData;
    TNotifyEvent OnRequestHangup;
    TReceiveErrorEvent OnReceiveError;
    TModemStateChangeEvent OnModemStateChange;
    TSendDataEmptyEvent OnSendDataEmpty;

    // Received bytes handed to the main thread but not yet handled. When the main thread falls
    // this far behind, the read thread pauses and leaves further bytes in the driver.
    static constexpr size_t MaxBytesInFlight = 4 * 1024 * 1024;
    size_t BytesInFlight() const;

private:
    template <typename T> void SetLineProperty(T& field, T value) {
        if (field == value)
            return;
        field = value;
        if (IsOpen())
            ApplyLineSettings();
    }
    void SetTimeout(uint32_t& field, uint32_t value) {
        if (field == value)
            return;
        field = value;
        if (IsOpen())
            ApplyTimeouts();
    }

    void ApplyLineSettings();
    void ApplyTimeouts();
    void StopReader();
    void StopWriter();
    void HandleNotice(Notice& notice);
    [[noreturn]] void FailOpen(const std::string& message, const std::string& reason);

    std::unique_ptr<TReadThread> m_readerThread;
    std::unique_ptr<TWriteThread> m_writerThread;
    int m_portHandle = -1;
    int m_stopSignal = -1;
    int m_budgetSignal = -1;
    NoticeChannel& m_noticeChannel;
    std::unique_ptr<serial_detail::PortShared> m_shared;
    TDeviceLister m_deviceLister;
    std::string m_devicePath;
    bool m_rs485Enabled = false;

    std::string m_commName = "COM1";
    uint32_t m_baudRate = 9600;
    bool m_parityCheck = false;
    bool m_outxCtsFlow = false;
    bool m_outxDsrFlow = false;
    TDtrControl m_dtrControl = TDtrControl::DtrEnable;
    bool m_dsrSensitivity = false;
    bool m_txContinueOnXoff = true;
    bool m_outxXonXoffFlow = false;
    bool m_inxXonXoffFlow = false;
    bool m_replaceWhenParityError = false;
    bool m_ignoreNullChar = false;
    TRtsControl m_rtsControl = TRtsControl::RtsEnable;
    uint16_t m_xonLimit = 500;
    uint16_t m_xoffLimit = 500;
    TByteSize m_byteSize = TByteSize::_8;
    TParity m_parity = TParity::None;
    TStopBits m_stopBits = TStopBits::_1;
    uint8_t m_xonChar = 17;
    uint8_t m_xoffChar = 19;
    uint8_t m_replacedChar = 0;
    uint32_t m_readIntervalTimeout = 100;
    uint32_t m_readTotalTimeoutMultiplier = 0;
    uint32_t m_readTotalTimeoutConstant = 0;
    uint32_t m_writeTotalTimeoutMultiplier = 0;
    uint32_t m_writeTotalTimeoutConstant = 0;
};
