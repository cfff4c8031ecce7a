#pragma once

// Internal: the write thread of an open port and its request queue.

#include "serial/notice_channel.h"
#include "serial/port_shared.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class TWriteThread {
public:
    explicit TWriteThread(const serial_detail::ThreadLinks& links);
    ~TWriteThread();

    // Creates the queue's wake-up signal and starts the body. Throws std::system_error when
    // either cannot be had.
    void Start();
    void Join();

    // Any thread: queues a private copy of the bytes. False when the length is 0, no memory can
    // be had, or the thread has ended (its queue is closed).
    bool PostWrite(const uint8_t* bytes, uint16_t length);

private:
    struct Request {
        std::unique_ptr<uint8_t[]> bytes; // length bytes and a 0
        uint16_t length = 0;
    };
    enum class WaitEnd { Ready, Stopped, TimedOut, Failed };

    void Execute();
    // Writes the requests in order, each completely (or until its write timeout runs out with
    // no progress). False ends the thread.
    bool WriteRequests(std::vector<Request>& batch);
    WaitEnd WaitWritable(int timeoutMs);

    const serial_detail::ThreadLinks m_links;
    std::thread m_thread;

    std::mutex m_mutex;
    std::vector<Request> m_queue; // guarded by m_mutex
    bool m_closed = false;        // guarded by m_mutex
    int m_queueSignal = -1;       // raised when a request lands in an empty queue
};
