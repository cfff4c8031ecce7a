#include "serial/comm.h"

#include "serial/line_settings.h"
#include "serial/port_names.h"
#include "serial/port_shared.h"
#include "serial/read_thread.h"
#include "serial/serial_device.h"
#include "serial/write_thread.h"

#include <cerrno>
#include <exception>

using namespace serial_detail;

ECommsError::ECommsError(const std::string& message, std::string reason)
    : std::runtime_error(message), m_reason(std::move(reason)) {}

TComm::TComm(NoticeChannel& noticeChannel)
    : m_noticeChannel(noticeChannel), m_shared(std::make_unique<PortShared>(MaxBytesInFlight)),
      m_deviceLister([] { return ListSerialDevices(); }) {
    m_noticeChannel.SetHandler([this](Notice& notice) { HandleNotice(notice); });
}

TComm::~TComm() {
    ClosePort();
    // Notices still queued are dropped from here on; their blocks go with them.
    m_noticeChannel.SetHandler(nullptr);
}

void TComm::SetDeviceLister(TDeviceLister lister) {
    m_deviceLister = std::move(lister);
}

size_t TComm::BytesInFlight() const {
    return m_shared->budget.InFlight();
}

void TComm::FailOpen(const std::string& message, const std::string& reason) {
    throw ECommsError(message, reason);
}

void TComm::OpenPort() {
    if (IsOpen())
        FailOpen("This serial port already opened", m_devicePath);

    const std::string path = ResolvePortName(m_commName, m_deviceLister());
    if (path.empty())
        FailOpen("Error opening serial port", "No serial device is present as " + m_commName);
    const OpenResult opened = OpenSerialDevice(path);
    switch (opened.failure) {
    case OpenFailure::None:
        break;
    case OpenFailure::CannotOpen:
        FailOpen("Error opening serial port", opened.reason);
    case OpenFailure::NotCharDevice:
        FailOpen("File handle is not a comm handle ", opened.reason);
    case OpenFailure::NotSerial:
        FailOpen("Cannot setup comm buffer", opened.reason);
    }

    m_portHandle = opened.fd;
    m_devicePath = path;
    PurgeDevice(m_portHandle, true, true);
    ApplyTimeouts();
    ApplyLineSettings();

    // On any failure from here the port ends closed, with what was acquired released.
    auto closeDevice = [this] {
        CloseDevice(m_portHandle);
        m_portHandle = -1;
        m_devicePath.clear();
        m_rs485Enabled = false;
    };
    m_stopSignal = CreateSignal();
    const int budgetSignal = m_stopSignal >= 0 ? CreateSignal() : -1;
    if (budgetSignal < 0) {
        const int error = errno;
        CloseSignal(m_stopSignal);
        m_stopSignal = -1;
        closeDevice();
        FailOpen("Unable to create event", SystemReason(error, path));
    }
    m_shared->budget.SetWakeFd(budgetSignal);
    auto closeSignals = [this, budgetSignal] {
        CloseSignal(m_stopSignal);
        m_stopSignal = -1;
        m_shared->budget.SetWakeFd(-1);
        CloseSignal(budgetSignal);
    };

    try {
        m_readerThread = std::make_unique<TReadThread>(
            ThreadLinks{m_portHandle, m_stopSignal, m_noticeChannel, *m_shared});
        m_readerThread->Start();
    } catch (const std::exception& e) {
        m_readerThread.reset();
        closeSignals();
        closeDevice();
        FailOpen("Unable to create read thread", e.what());
    }
    try {
        m_writerThread = std::make_unique<TWriteThread>(
            ThreadLinks{m_portHandle, m_stopSignal, m_noticeChannel, *m_shared});
        m_writerThread->Start();
    } catch (const std::exception& e) {
        StopReader();
        m_writerThread.reset();
        closeSignals();
        closeDevice();
        FailOpen("Unable to create write thread", e.what());
    }
    m_budgetSignal = budgetSignal;
}

void TComm::ClosePort() {
    if (!IsOpen())
        return;
    StopReader();
    StopWriter();
    CloseSignal(m_stopSignal);
    m_stopSignal = -1;
    m_shared->budget.SetWakeFd(-1);
    CloseSignal(m_budgetSignal);
    m_budgetSignal = -1;
    CloseDevice(m_portHandle);
    m_portHandle = -1;
    m_devicePath.clear();
    m_rs485Enabled = false;
}

void TComm::StopReader() {
    if (!m_readerThread)
        return;
    RaiseSignal(m_stopSignal);
    PurgeDevice(m_portHandle, true, false);
    m_readerThread->Join();
    m_readerThread.reset();
}

void TComm::StopWriter() {
    if (!m_writerThread)
        return;
    RaiseSignal(m_stopSignal);
    PurgeDevice(m_portHandle, false, true);
    m_writerThread->Join();
    m_writerThread.reset();
}

bool TComm::WriteBytes(const uint8_t* buffer, uint16_t length) {
    if (!m_writerThread || length == 0 || buffer == nullptr)
        return false;
    return m_writerThread->PostWrite(buffer, length);
}

void TComm::ApplyLineSettings() {
    LineSettings s;
    s.baudRate = m_baudRate;
    s.parityCheck = m_parityCheck;
    s.outxCtsFlow = m_outxCtsFlow;
    s.outxDsrFlow = m_outxDsrFlow;
    s.dtrControl = m_dtrControl;
    s.dsrSensitivity = m_dsrSensitivity;
    s.txContinueOnXoff = m_txContinueOnXoff;
    s.outxXonXoffFlow = m_outxXonXoffFlow;
    s.inxXonXoffFlow = m_inxXonXoffFlow;
    s.replaceWhenParityError = m_replaceWhenParityError;
    s.ignoreNullChar = m_ignoreNullChar;
    s.rtsControl = m_rtsControl;
    s.xonLimit = m_xonLimit;
    s.xoffLimit = m_xoffLimit;
    s.byteSize = m_byteSize;
    s.parity = m_parity;
    s.stopBits = m_stopBits;
    s.xonChar = m_xonChar;
    s.xoffChar = m_xoffChar;
    s.replacedChar = m_replacedChar;

    ReceiveOptions options;
    options.ignoreNullChar = m_ignoreNullChar;
    options.errorsMarked = m_parityCheck && m_replaceWhenParityError;
    options.replacedChar = m_replacedChar;
    m_shared->receiveOptions.store(options.Pack());
    ApplyDeviceSettings(m_portHandle, s, m_rs485Enabled);
}

void TComm::ApplyTimeouts() {
    m_shared->timeouts.Store({m_readIntervalTimeout, m_readTotalTimeoutMultiplier,
                              m_readTotalTimeoutConstant, m_writeTotalTimeoutMultiplier,
                              m_writeTotalTimeoutConstant});
}

void TComm::HandleNotice(Notice& notice) {
    switch (notice.message) {
    case NOTICE_DATA: {
        // The block is released and its bytes leave the in-flight count even if the handler
        // throws.
        struct Release {
            TComm& comm;
            Notice& notice;
            ~Release() {
                notice.data.reset();
                comm.m_shared->budget.Give(notice.wParam);
            }
        } release{*this, notice};
        if (OnReceiveData)
            OnReceiveData(*this, notice.data.get(), static_cast<uint16_t>(notice.wParam));
        break;
    }
    case NOTICE_ERROR:
        if (OnReceiveError)
            OnReceiveError(*this, notice.lParam);
        break;
    case NOTICE_HANGUP:
        if (OnRequestHangup)
            OnRequestHangup(*this);
        break;
    case NOTICE_MODEM:
        if (OnModemStateChange)
            OnModemStateChange(*this, notice.lParam);
        break;
    case NOTICE_TX_EMPTY:
        if (OnSendDataEmpty)
            OnSendDataEmpty(*this);
        break;
    default:
        break;
    }
}
