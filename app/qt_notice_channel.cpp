#include "app/qt_notice_channel.h"

#include <QCoreApplication>
#include <QEvent>

namespace {

const QEvent::Type NoticeEventType = static_cast<QEvent::Type>(QEvent::registerEventType());

class NoticeEvent : public QEvent {
public:
    explicit NoticeEvent(Notice notice) : QEvent(NoticeEventType), m_notice(std::move(notice)) {}
    Notice& Carried() { return m_notice; }

private:
    Notice m_notice;
};

} // namespace

bool QtNoticeChannel::Post(Notice notice) {
    QCoreApplication::postEvent(this, new NoticeEvent(std::move(notice)));
    return true;
}

bool QtNoticeChannel::event(QEvent* event) {
    if (event->type() != NoticeEventType)
        return QObject::event(event);
    Deliver(static_cast<NoticeEvent*>(event)->Carried());
    return true;
}
