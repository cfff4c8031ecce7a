#pragma once

// Internal: state the component shares with its read and write threads. Every field is either
// atomic or written only while no thread runs.

#include "serial/notice_channel.h"
#include "serial/receive_filter.h"

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace serial_detail {

inline constexpr uint32_t MAXDWORD = 0xFFFFFFFFu;

// Timeouts in milliseconds, with the meaning of the Windows COMMTIMEOUTS fields.
struct CommTimeouts {
    uint32_t readInterval = 100;
    uint32_t readTotalMultiplier = 0;
    uint32_t readTotalConstant = 0;
    uint32_t writeTotalMultiplier = 0;
    uint32_t writeTotalConstant = 0;
};

// Timeouts the main thread changes while the threads read them at the start of each operation.
class SharedTimeouts {
public:
    void Store(const CommTimeouts& t);
    CommTimeouts Load() const;

private:
    std::atomic<uint32_t> m_values[5] = {100, 0, 0, 0, 0};
};

// Bounds the received bytes handed to the main thread and not yet handled. The read thread
// takes before it posts; the main thread gives back after the handler returns and wakes a read
// thread that waits for room.
class ReceiveBudget {
public:
    explicit ReceiveBudget(size_t limit) : m_limit(limit) {}

    // Main thread, while no read thread runs: the eventfd that wakes a waiting read thread.
    void SetWakeFd(int fd) { m_wakeFd = fd; }
    // Read thread.
    void Take(size_t bytes) { m_inFlight.fetch_add(bytes, std::memory_order_relaxed); }
    void Untake(size_t bytes) { m_inFlight.fetch_sub(bytes, std::memory_order_relaxed); }
    // Read thread: returns at once while there is room; otherwise waits until there is, or
    // returns false when `stopFd` is signalled first (or the wait fails).
    bool WaitForRoom(int stopFd);
    // Main thread.
    void Give(size_t bytes);
    size_t InFlight() const { return m_inFlight.load(std::memory_order_relaxed); }

private:
    std::atomic<size_t> m_inFlight{0};
    int m_wakeFd = -1;
    const size_t m_limit;
};

struct PortShared {
    explicit PortShared(size_t maxBytesInFlight) : budget(maxBytesInFlight) {}
    SharedTimeouts timeouts;
    std::atomic<uint32_t> receiveOptions{0}; // ReceiveOptions::Pack()
    ReceiveBudget budget;
};

// What the component hands each of its threads: the device, the stop signal, the channel to the
// main thread and the shared state. The component owns them all, and they outlive the threads.
struct ThreadLinks {
    int portHandle;
    int stopSignal;
    NoticeChannel& notices;
    PortShared& shared;

    // Tells the main thread that the device failed or went away. The post's own failure is not
    // examined: the thread ends either way.
    void PostHangup() const { notices.Post(Notice{NOTICE_HANGUP, 0, 0, nullptr}); }
};

} // namespace serial_detail
