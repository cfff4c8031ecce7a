#include "serial/write_thread.h"

#include "serial/serial_device.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <limits.h>
#include <new>
#include <poll.h>
#include <sys/uio.h>
#include <system_error>
#include <unistd.h>

using namespace serial_detail;
using Clock = std::chrono::steady_clock;

namespace {
// Requests gathered into one writev(); bytes still go out in request order.
constexpr size_t MaxGather = 64;
} // namespace

TWriteThread::TWriteThread(const ThreadLinks& links) : m_links(links) {}

TWriteThread::~TWriteThread() {
    Join();
    CloseSignal(m_queueSignal);
}

void TWriteThread::Start() {
    m_queueSignal = CreateSignal();
    if (m_queueSignal < 0)
        throw std::system_error(errno, std::generic_category(), "eventfd");
    m_thread = std::thread([this] { Execute(); });
}

void TWriteThread::Join() {
    if (m_thread.joinable())
        m_thread.join();
}

bool TWriteThread::PostWrite(const uint8_t* bytes, uint16_t length) {
    if (length == 0)
        return false;
    Request request;
    request.bytes.reset(new (std::nothrow) uint8_t[size_t(length) + 1]);
    if (!request.bytes)
        return false;
    std::memcpy(request.bytes.get(), bytes, length);
    request.bytes[length] = 0;
    request.length = length;

    bool wasEmpty;
    {
        std::lock_guard lock(m_mutex);
        if (m_closed)
            return false;
        wasEmpty = m_queue.empty();
        m_queue.push_back(std::move(request));
    }
    // The thread takes the whole queue each time it wakes, so only the first request after it
    // emptied the queue needs to wake it.
    if (wasEmpty)
        RaiseSignal(m_queueSignal);
    return true;
}

void TWriteThread::Execute() {
    RaiseThreadPriority(1);
    bool sendNoticePending = true;
    std::vector<Request> batch;
    for (;;) {
        batch.clear();
        {
            std::lock_guard lock(m_mutex);
            batch.swap(m_queue);
        }
        if (batch.empty()) {
            if (sendNoticePending &&
                !m_links.notices.Post(Notice{NOTICE_TX_EMPTY, 0, 0, nullptr})) {
                m_links.PostHangup();
                break;
            }
            sendNoticePending = false;
            pollfd fds[2] = {{m_links.stopSignal, POLLIN, 0}, {m_queueSignal, POLLIN, 0}};
            if (::poll(fds, 2, -1) < 0) {
                if (errno == EINTR)
                    continue;
                m_links.PostHangup();
                break;
            }
            if (fds[0].revents != 0)
                break;
            ClearSignal(m_queueSignal);
            continue;
        }
        if (IsSignalled(m_links.stopSignal))
            break;
        if (!WriteRequests(batch))
            break;
        sendNoticePending = true;
    }
    {
        // Requests that arrive from now on are refused; queued ones are dropped unwritten.
        std::lock_guard lock(m_mutex);
        m_closed = true;
        m_queue.clear();
    }
    PurgeDevice(m_links.portHandle, false, true);
}

bool TWriteThread::WriteRequests(std::vector<Request>& batch) {
    size_t first = 0;  // the request being written
    size_t offset = 0; // bytes of it already written
    Clock::time_point deadline;
    bool hasDeadline = false;
    bool progressed = false;

    // The write timeouts apply to each request as a write of its remaining bytes.
    auto startTimeout = [&] {
        const CommTimeouts t = m_links.shared.timeouts.Load();
        hasDeadline = t.writeTotalMultiplier != 0 || t.writeTotalConstant != 0;
        if (hasDeadline && first < batch.size()) {
            const uint64_t remaining = batch[first].length - offset;
            deadline = Clock::now() +
                       std::chrono::milliseconds(uint64_t(t.writeTotalMultiplier) * remaining +
                                                 t.writeTotalConstant);
        }
        progressed = false;
    };
    startTimeout();

    while (first < batch.size()) {
        iovec iov[MaxGather];
        size_t count = 0;
        for (size_t i = first; i < batch.size() && count < MaxGather; ++i, ++count) {
            const size_t skip = i == first ? offset : 0;
            iov[count].iov_base = batch[i].bytes.get() + skip;
            iov[count].iov_len = batch[i].length - skip;
        }
        const ssize_t written = ::writev(m_links.portHandle, iov, static_cast<int>(count));
        if (written > 0) {
            size_t left = static_cast<size_t>(written);
            const size_t firstBefore = first;
            while (left > 0) {
                const size_t rest = batch[first].length - offset;
                if (left < rest) {
                    offset += left;
                    left = 0;
                } else {
                    left -= rest;
                    batch[first].bytes.reset();
                    ++first;
                    offset = 0;
                }
            }
            if (first != firstBefore)
                startTimeout();
            else
                progressed = true;
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno == EBADF)
            return false;
        if (written < 0 && errno != EAGAIN) {
            m_links.PostHangup();
            return false;
        }

        int waitMs = -1;
        if (hasDeadline) {
            const auto us =
                std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now())
                    .count();
            waitMs = us <= 0 ? 0 : static_cast<int>(std::min<int64_t>((us + 999) / 1000, INT_MAX));
        }
        switch (WaitWritable(waitMs)) {
        case WaitEnd::Ready:
            break;
        case WaitEnd::Stopped:
            return false;
        case WaitEnd::Failed:
            m_links.PostHangup();
            return false;
        case WaitEnd::TimedOut:
            // The line took nothing of this request in its time: give up the rest of it.
            if (!progressed) {
                batch[first].bytes.reset();
                ++first;
                offset = 0;
            }
            startTimeout();
            break;
        }
    }
    return true;
}

TWriteThread::WaitEnd TWriteThread::WaitWritable(int timeoutMs) {
    for (;;) {
        pollfd fds[2] = {{m_links.stopSignal, POLLIN, 0}, {m_links.portHandle, POLLOUT, 0}};
        const int ready = ::poll(fds, 2, timeoutMs);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return WaitEnd::Failed;
        }
        if (fds[0].revents != 0)
            return WaitEnd::Stopped;
        if (ready == 0)
            return WaitEnd::TimedOut;
        if ((fds[1].revents & POLLNVAL) ||
            ((fds[1].revents & (POLLHUP | POLLERR)) && !(fds[1].revents & POLLOUT)))
            return WaitEnd::Failed;
        // Writable, or hang-up/error: the next write says which.
        return WaitEnd::Ready;
    }
}
