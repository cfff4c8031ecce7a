#pragma once

// A pseudo-terminal pair for the serial tests: the component opens the slave by its path, the
// test plays the far end of the line on the master.

#include <QByteArray>
#include <QElapsedTimer>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <termios.h>
#include <unistd.h>

class PtyPair {
public:
    PtyPair() {
        char name[256] = {};
        if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0)
            return;
        m_slavePath = name;
        ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
        ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
        ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    }
    ~PtyPair() {
        CloseMaster();
        if (m_slave >= 0)
            ::close(m_slave);
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool IsValid() const { return m_master >= 0; }
    int Master() const { return m_master; }
    // The test's own descriptor of the slave: termios and speed can be read back through it.
    int Slave() const { return m_slave; }
    const std::string& SlavePath() const { return m_slavePath; }

    void CloseMaster() {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

    // Writes all of `bytes` to the master, waiting while the pty is full.
    bool Send(const QByteArray& bytes) {
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(m_master, bytes.constData() + done, bytes.size() - done);
            if (n > 0) {
                done += n;
            } else if (n < 0 && errno == EAGAIN) {
                pollfd entry{m_master, POLLOUT, 0};
                ::poll(&entry, 1, 100);
            } else if (!(n < 0 && errno == EINTR)) {
                return false;
            }
        }
        return true;
    }

    // Reads from the master until `count` bytes are in or `timeoutMs` passes.
    QByteArray Receive(qsizetype count, int timeoutMs) {
        QByteArray bytes;
        QElapsedTimer timer;
        timer.start();
        char chunk[4096];
        while (bytes.size() < count && timer.elapsed() < timeoutMs) {
            pollfd entry{m_master, POLLIN, 0};
            ::poll(&entry, 1, 10);
            const ssize_t n = ::read(m_master, chunk, sizeof chunk);
            if (n > 0)
                bytes.append(chunk, n);
        }
        return bytes;
    }

private:
    int m_master = -1;
    int m_slave = -1;
    std::string m_slavePath;
};

// The same bytes 0, 1, ..., 255, 0, 1, ... as far as `count`, starting at `first`.
inline QByteArray CountingBytes(qsizetype count, qsizetype first = 0) {
    QByteArray bytes(count, Qt::Uninitialized);
    for (qsizetype i = 0; i < count; ++i)
        bytes[i] = static_cast<char>((first + i) & 0xFF);
    return bytes;
}
