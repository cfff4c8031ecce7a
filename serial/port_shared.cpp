#include "serial/port_shared.h"

#include "serial/serial_device.h"

#include <cerrno>
#include <poll.h>

namespace serial_detail {

void SharedTimeouts::Store(const CommTimeouts& t) {
    m_values[0].store(t.readInterval, std::memory_order_relaxed);
    m_values[1].store(t.readTotalMultiplier, std::memory_order_relaxed);
    m_values[2].store(t.readTotalConstant, std::memory_order_relaxed);
    m_values[3].store(t.writeTotalMultiplier, std::memory_order_relaxed);
    m_values[4].store(t.writeTotalConstant, std::memory_order_relaxed);
}

CommTimeouts SharedTimeouts::Load() const {
    CommTimeouts t;
    t.readInterval = m_values[0].load(std::memory_order_relaxed);
    t.readTotalMultiplier = m_values[1].load(std::memory_order_relaxed);
    t.readTotalConstant = m_values[2].load(std::memory_order_relaxed);
    t.writeTotalMultiplier = m_values[3].load(std::memory_order_relaxed);
    t.writeTotalConstant = m_values[4].load(std::memory_order_relaxed);
    return t;
}

bool ReceiveBudget::WaitForRoom(int stopFd) {
    while (m_inFlight.load(std::memory_order_acquire) >= m_limit) {
        pollfd fds[2] = {{stopFd, POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (fds[0].revents != 0)
            return false;
        if (fds[1].revents != 0)
            ClearSignal(m_wakeFd);
    }
    return true;
}

void ReceiveBudget::Give(size_t bytes) {
    const size_t before = m_inFlight.fetch_sub(bytes, std::memory_order_acq_rel);
    // Only a crossing below the limit can release a waiting read thread.
    if (before >= m_limit && before - bytes < m_limit && m_wakeFd >= 0)
        RaiseSignal(m_wakeFd);
}

} // namespace serial_detail
