#include "serial/read_thread.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <new>
#include <poll.h>
#include <unistd.h>

using namespace serial_detail;
using Clock = std::chrono::steady_clock;

namespace {

// How often the driver's line counters are looked at; they count, so nothing is missed, but a
// ring or carrier change is reported this much later at worst.
constexpr int LineEventPollMs = 50;

// Milliseconds from now until `deadline`, rounded up so a wake-up never comes early.
int MillisecondsUntil(Clock::time_point deadline, Clock::time_point now) {
    const auto us = std::chrono::duration_cast<std::chrono::microseconds>(deadline - now).count();
    if (us <= 0)
        return 0;
    const auto ms = (us + 999) / 1000;
    return ms > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(ms);
}

} // namespace

TReadThread::TReadThread(const ThreadLinks& links) : m_links(links) {}

TReadThread::~TReadThread() {
    Join();
}

void TReadThread::Start() {
    m_thread = std::thread([this] { Execute(); });
}

void TReadThread::Join() {
    if (m_thread.joinable())
        m_thread.join();
}

void TReadThread::Execute() {
    RaiseThreadPriority(2);
    m_hasLineCounters = ReadLineCounters(m_links.portHandle, m_lineCounters);
    for (;;) {
        if (!m_links.shared.budget.WaitForRoom(m_links.stopSignal)) {
            if (!IsSignalled(m_links.stopSignal))
                m_links.PostHangup();
            break;
        }
        const ReadEnd end = ReadBlock();
        if (end == ReadEnd::Stopped || end == ReadEnd::Failed)
            break;
        // Closing purges the input queue after raising the stop signal; a block read across
        // that purge would have a gap in it, so it is not delivered.
        if (IsSignalled(m_links.stopSignal))
            break;
        // Bytes that arrived before the device went away are still delivered.
        if (m_count > 0 && !ForwardData())
            break;
        if (end == ReadEnd::HangUp) {
            m_links.PostHangup();
            break;
        }
        if (end == ReadEnd::InvalidHandle)
            break;
        // A read that completed empty because its timeout ran out ends reception quietly.
        if (m_count == 0)
            break;
    }
    PurgeDevice(m_links.portHandle, true, false);
}

TReadThread::ReadEnd TReadThread::ReadBlock() {
    const CommTimeouts t = m_links.shared.timeouts.Load();

    // "Return at once with what is there", and its variant that first waits up to the constant
    // for one byte.
    const bool immediate =
        t.readInterval == MAXDWORD && t.readTotalMultiplier == 0 && t.readTotalConstant == 0;
    const bool firstByteOnly = t.readInterval == MAXDWORD && t.readTotalMultiplier == MAXDWORD &&
                               t.readTotalConstant != 0 && t.readTotalConstant != MAXDWORD;
    const bool useInterval = t.readInterval != 0 && t.readInterval != MAXDWORD;

    const Clock::time_point start = Clock::now();
    bool hasDeadline = false;
    Clock::time_point deadline;
    if (firstByteOnly) {
        hasDeadline = true;
        deadline = start + std::chrono::milliseconds(t.readTotalConstant);
    } else if (!immediate && (t.readTotalMultiplier != 0 || t.readTotalConstant != 0)) {
        hasDeadline = true;
        const uint64_t total = uint64_t(t.readTotalMultiplier) * BlockSize + t.readTotalConstant;
        deadline = start + std::chrono::milliseconds(total);
    }

    m_count = 0;
    Clock::time_point lastByte = start;
    bool hangUpSeen = false;
    for (;;) {
        const ssize_t n = ::read(m_links.portHandle, m_buffer + m_count, BlockSize - m_count);
        if (n > 0) {
            lastByte = Clock::now();
            // Looked up per chunk: the main thread may change the options at any time.
            const ReceiveOptions options = ReceiveOptions::Unpack(
                m_links.shared.receiveOptions.load(std::memory_order_relaxed));
            m_count += options.Active()
                           ? m_filter.Apply(options, m_buffer + m_count, static_cast<size_t>(n))
                           : static_cast<size_t>(n);
            if (m_count == BlockSize)
                return ReadEnd::Complete;
            continue; // more may be waiting already
        }
        if (n == 0)
            return ReadEnd::HangUp; // end of file: the other end of the line is gone
        if (errno == EINTR)
            continue;
        if (errno == EBADF)
            return ReadEnd::InvalidHandle;
        if (errno != EAGAIN)
            return ReadEnd::HangUp;
        if (hangUpSeen)
            return ReadEnd::HangUp; // poll reported hang-up or error but nothing can be read

        if (immediate || (firstByteOnly && m_count > 0))
            return ReadEnd::Complete;
        const Clock::time_point now = Clock::now();
        int waitMs = -1;
        if (hasDeadline) {
            waitMs = MillisecondsUntil(deadline, now);
            if (waitMs == 0)
                return ReadEnd::Complete;
        }
        if (useInterval && m_count > 0) {
            const int intervalMs =
                MillisecondsUntil(lastByte + std::chrono::milliseconds(t.readInterval), now);
            if (intervalMs == 0)
                return ReadEnd::Complete;
            waitMs = waitMs < 0 ? intervalMs : std::min(waitMs, intervalMs);
        }
        if (m_hasLineCounters)
            waitMs = waitMs < 0 ? LineEventPollMs : std::min(waitMs, LineEventPollMs);

        pollfd fds[2] = {{m_links.stopSignal, POLLIN, 0}, {m_links.portHandle, POLLIN, 0}};
        if (::poll(fds, 2, waitMs) < 0) {
            if (errno == EINTR)
                continue;
            m_links.PostHangup();
            return ReadEnd::Failed;
        }
        if (fds[0].revents != 0)
            return ReadEnd::Stopped;
        if (m_hasLineCounters && !CheckLineEvents())
            return ReadEnd::Failed;
        if (fds[1].revents & POLLNVAL)
            return ReadEnd::InvalidHandle;
        if (fds[1].revents & (POLLHUP | POLLERR))
            hangUpSeen = true;
    }
}

bool TReadThread::ForwardData() {
    std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[m_count + 1]);
    if (!block) {
        m_links.PostHangup();
        return false;
    }
    std::memcpy(block.get(), m_buffer, m_count);
    block[m_count] = 0;

    Notice notice;
    notice.message = NOTICE_DATA;
    notice.wParam = static_cast<uint32_t>(m_count);
    notice.data = std::move(block);
    m_links.shared.budget.Take(m_count);
    if (!m_links.notices.Post(std::move(notice))) {
        m_links.shared.budget.Untake(m_count);
        m_links.PostHangup();
        return false;
    }
    return true;
}

bool TReadThread::CheckLineEvents() {
    LineCounters now;
    if (!ReadLineCounters(m_links.portHandle, now))
        return true; // the counters went away with the device; the read reports that
    const uint32_t errors = LineErrorFlags(m_lineCounters, now);
    const uint32_t modem = ModemEventBits(m_lineCounters, now);
    m_lineCounters = now;
    if (errors != 0 && !m_links.notices.Post(Notice{NOTICE_ERROR, 0, errors, nullptr})) {
        m_links.PostHangup();
        return false;
    }
    if (modem != 0 && !m_links.notices.Post(Notice{NOTICE_MODEM, 0, modem, nullptr})) {
        m_links.PostHangup();
        return false;
    }
    return true;
}
