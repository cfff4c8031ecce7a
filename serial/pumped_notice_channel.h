#pragma once

#include "serial/notice_channel.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

// A notice channel whose queue is emptied by its owner: the thread that calls Pump is the
// "main thread" of the component. For tests, benchmarks and programs without an event loop.
class PumpedNoticeChannel : public NoticeChannel {
public:
    bool Post(Notice notice) override;

    // Waits up to `timeout` for a notice, then delivers every notice queued at that moment, in
    // posting order. Returns how many were delivered.
    size_t Pump(std::chrono::milliseconds timeout);

    // Pumps until `done()` is true or `timeout` has passed; returns `done()`.
    bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);

    // Delivers whatever arrives during `period`.
    void PumpFor(std::chrono::milliseconds period);

    size_t Pending() const;

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::deque<Notice> m_queue;
};
