#pragma once

// Internal: the read thread of an open port.

#include "serial/notice_channel.h"
#include "serial/port_shared.h"
#include "serial/receive_filter.h"
#include "serial/serial_device.h"

#include <cstdint>
#include <thread>

class TReadThread {
public:
    static constexpr size_t BlockSize = 2048;

    explicit TReadThread(const serial_detail::ThreadLinks& links);
    ~TReadThread();

    // Starts the body; throws std::system_error when no thread can be created.
    void Start();
    // Waits until the body has returned.
    void Join();

private:
    enum class ReadEnd { Complete, Stopped, HangUp, InvalidHandle, Failed };

    void Execute();
    // Reads one block into m_buffer, m_count bytes, under the current timeouts.
    ReadEnd ReadBlock();
    bool ForwardData();
    bool CheckLineEvents();

    const serial_detail::ThreadLinks m_links;
    std::thread m_thread;

    uint8_t m_buffer[BlockSize] = {};
    size_t m_count = 0;
    serial_detail::ReceiveFilter m_filter;
    bool m_hasLineCounters = false;
    serial_detail::LineCounters m_lineCounters;
};
