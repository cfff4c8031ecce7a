#pragma once

#include <cstdint>
#include <functional>
#include <memory>

// Message numbers of the notices the port threads send to the main thread.
inline constexpr uint32_t NOTICE_DATA = 1025;     // wParam: byte count, data: the bytes and a 0
inline constexpr uint32_t NOTICE_ERROR = 1026;    // lParam: CE_ line-error flags
inline constexpr uint32_t NOTICE_HANGUP = 1027;   // the device failed or went away
inline constexpr uint32_t NOTICE_MODEM = 1028;    // lParam: 4 ring, 8 carrier detect changed
inline constexpr uint32_t NOTICE_TX_EMPTY = 1029; // the write queue ran dry

// Line-error flags carried by NOTICE_ERROR.
inline constexpr uint32_t CE_RXOVER = 0x01;
inline constexpr uint32_t CE_OVERRUN = 0x02;
inline constexpr uint32_t CE_RXPARITY = 0x04;
inline constexpr uint32_t CE_FRAME = 0x08;
inline constexpr uint32_t CE_BREAK = 0x10;

// Modem bits carried by NOTICE_MODEM.
inline constexpr uint32_t MODEM_RING = 4;
inline constexpr uint32_t MODEM_CARRIER = 8;

// One notice: a message number, a word and a long parameter. A NOTICE_DATA notice owns its
// received block (wParam bytes followed by one 0 byte); the block is released with the notice,
// whether or not anyone handled it.
struct Notice {
    uint32_t message = 0;
    uint32_t wParam = 0;
    uint32_t lParam = 0;
    std::unique_ptr<uint8_t[]> data;
};

// Carries notices from any thread to one handler that runs on the main thread, one notice at a
// time, in posting order.
class NoticeChannel {
public:
    using Handler = std::function<void(Notice&)>;

    virtual ~NoticeChannel() = default;

    // Any thread. Returns false when the notice could not be queued; it is then dropped.
    virtual bool Post(Notice notice) = 0;

    // Main thread. Sets the handler of delivered notices; an empty handler drops them.
    void SetHandler(Handler handler) { m_handler = std::move(handler); }

protected:
    // Main thread: hands one notice to the handler.
    void Deliver(Notice& notice) {
        if (m_handler)
            m_handler(notice);
    }

private:
    Handler m_handler;
};
