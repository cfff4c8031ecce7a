#pragma once

// Records every event a TComm raises, for the tests to look at after pumping the channel.

#include "serial/comm.h"
#include "serial/pumped_notice_channel.h"
#include "tests/support/pty_pair.h"

#include <QByteArray>
#include <QList>

#include <chrono>

struct CommRecorder {
    explicit CommRecorder(TComm& comm) {
        comm.OnReceiveData = [this](TComm&, const uint8_t* buffer, uint16_t length) {
            blocks.append(QByteArray(reinterpret_cast<const char*>(buffer), length));
            if (buffer[length] != 0)
                ++unterminatedBlocks;
        };
        comm.OnRequestHangup = [this](TComm&) { ++hangups; };
        comm.OnSendDataEmpty = [this](TComm&) { ++sendEmpties; };
        comm.OnReceiveError = [this](TComm&, uint32_t mask) { errors.append(mask); };
        comm.OnModemStateChange = [this](TComm&, uint32_t bits) { modemEvents.append(bits); };
    }

    QByteArray Received() const {
        QByteArray all;
        for (const QByteArray& block : blocks)
            all += block;
        return all;
    }
    qsizetype ReceivedSize() const {
        qsizetype size = 0;
        for (const QByteArray& block : blocks)
            size += block.size();
        return size;
    }
    QList<int> BlockSizes() const {
        QList<int> sizes;
        for (const QByteArray& block : blocks)
            sizes.append(int(block.size()));
        return sizes;
    }

    QList<QByteArray> blocks;
    int unterminatedBlocks = 0;
    int hangups = 0;
    int sendEmpties = 0;
    QList<uint32_t> errors;
    QList<uint32_t> modemEvents;
};

// Opens `comm` on the pty and waits for the write thread's first "queue empty" notice, so that a
// test starts with both threads running.
inline void OpenOn(TComm& comm, PumpedNoticeChannel& channel, const PtyPair& pty,
                   CommRecorder& recorder) {
    comm.SetCommName(pty.SlavePath());
    comm.OpenPort();
    channel.PumpUntil([&] { return recorder.sendEmpties > 0; }, std::chrono::milliseconds(2000));
}
