#include "serial/pumped_notice_channel.h"

#include <algorithm>

bool PumpedNoticeChannel::Post(Notice notice) {
    {
        std::lock_guard lock(m_mutex);
        m_queue.push_back(std::move(notice));
    }
    m_arrived.notify_one();
    return true;
}

size_t PumpedNoticeChannel::Pump(std::chrono::milliseconds timeout) {
    std::deque<Notice> batch;
    {
        std::unique_lock lock(m_mutex);
        m_arrived.wait_for(lock, timeout, [this] { return !m_queue.empty(); });
        batch.swap(m_queue);
    }
    // Delivered outside the lock: a handler may post, and the threads keep posting meanwhile.
    for (Notice& notice : batch)
        Deliver(notice);
    return batch.size();
}

bool PumpedNoticeChannel::PumpUntil(const std::function<bool()>& done,
                                    std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return done();
        Pump(std::min(left, std::chrono::milliseconds(10)));
    }
    return true;
}

void PumpedNoticeChannel::PumpFor(std::chrono::milliseconds period) {
    PumpUntil([] { return false; }, period);
}

size_t PumpedNoticeChannel::Pending() const {
    std::lock_guard lock(m_mutex);
    return m_queue.size();
}
