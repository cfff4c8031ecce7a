#pragma once

#include "serial/notice_channel.h"

#include <QObject>

// Delivers the serial component's notices through the Qt event loop of the thread this object
// lives in (the GUI thread): Post() may be called from any thread; the handler runs on the GUI
// thread, one notice per event, in posting order. Notices still queued when the object is
// destroyed are dropped with their blocks.
class QtNoticeChannel : public QObject, public NoticeChannel {
    Q_OBJECT
public:
    using QObject::QObject;

    bool Post(Notice notice) override;

protected:
    bool event(QEvent* event) override;
};
