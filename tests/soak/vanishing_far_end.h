#pragma once

// The far end of a pseudo-terminal line that goes away: on a thread of its own it sends a
// counting pattern, or reads slowly, until its lifetime is over, then closes the master as a
// device pulled from its socket would. The test must not use the master meanwhile.

#include "tests/support/pty_pair.h"

#include <QByteArray>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <poll.h>
#include <thread>
#include <unistd.h>

class VanishingFarEnd {
public:
    enum class Role {
        Sender,     // writes 0, 1, ..., 255, 0, ... as fast as the line takes it
        SlowReader, // takes at most 256 bytes a millisecond and keeps them
    };

    VanishingFarEnd(PtyPair& pty, Role role, std::chrono::milliseconds lifetime)
        : m_pty(pty), m_role(role), m_deadline(std::chrono::steady_clock::now() + lifetime),
          m_thread([this] { Run(); }) {}
    ~VanishingFarEnd() { Join(); }
    VanishingFarEnd(const VanishingFarEnd&) = delete;
    VanishingFarEnd& operator=(const VanishingFarEnd&) = delete;

    // True from the moment the far end starts to close its end of the line.
    bool Vanishing() const { return m_vanishing.load(); }
    bool Gone() const { return m_gone.load(); }
    // Waits for the thread; the counts and the bytes read are final after it.
    void Join() {
        if (m_thread.joinable())
            m_thread.join();
    }
    qint64 Sent() const { return m_sent.load(); }
    const QByteArray& Read() const { return m_read; }

private:
    void Run() {
        if (m_role == Role::Sender)
            SendUntilDeadline();
        else
            ReadUntilDeadline();
        m_vanishing = true;
        m_pty.CloseMaster();
        m_gone = true;
    }

    int MillisecondsLeft() const {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            m_deadline - std::chrono::steady_clock::now());
        return left.count() > 0 ? int(left.count()) : 0;
    }

    void SendUntilDeadline() {
        const int master = m_pty.Master();
        char chunk[4096];
        qint64 sent = 0;
        while (MillisecondsLeft() > 0) {
            for (size_t i = 0; i < sizeof chunk; ++i)
                chunk[i] = static_cast<char>((sent + qint64(i)) & 0xFF);
            const ssize_t n = ::write(master, chunk, sizeof chunk);
            if (n > 0) {
                sent += n;
                m_sent = sent;
            } else if (n < 0 && errno == EAGAIN) {
                pollfd entry{master, POLLOUT, 0};
                ::poll(&entry, 1, MillisecondsLeft());
            } else if (!(n < 0 && errno == EINTR)) {
                return;
            }
        }
    }

    void ReadUntilDeadline() {
        const int master = m_pty.Master();
        char chunk[256];
        while (MillisecondsLeft() > 0) {
            pollfd entry{master, POLLIN, 0};
            ::poll(&entry, 1, MillisecondsLeft());
            const ssize_t n = ::read(master, chunk, sizeof chunk);
            if (n > 0) {
                m_read.append(chunk, n);
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
                return;
            }
        }
    }

    PtyPair& m_pty;
    const Role m_role;
    const std::chrono::steady_clock::time_point m_deadline;
    std::atomic<bool> m_vanishing{false};
    std::atomic<bool> m_gone{false};
    std::atomic<qint64> m_sent{0};
    QByteArray m_read;
    std::thread m_thread; // last: it starts once every other member is ready
};
