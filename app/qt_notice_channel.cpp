#include "app/qt_notice_channel.h"

#include <QCoreApplication>
#include <QEvent>

#if defined(__SANITIZE_THREAD__)
#define TESSAVANE_THREAD_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define TESSAVANE_THREAD_SANITIZER 1
#endif
#endif
#ifdef TESSAVANE_THREAD_SANITIZER
#include <sanitizer/tsan_interface.h>
#endif

namespace {

// Qt's event queue delivers a notice only after it was posted, but orders the two with a
// futex-based lock inside QtCore, which is not built with ThreadSanitizer and so is invisible to
// it. These two calls state that order to the sanitizer; elsewhere they do nothing.
void MarkPosted([[maybe_unused]] QtNoticeChannel* channel) {
#ifdef TESSAVANE_THREAD_SANITIZER
    __tsan_release(channel);
#endif
}
void MarkDelivered([[maybe_unused]] QtNoticeChannel* channel) {
#ifdef TESSAVANE_THREAD_SANITIZER
    __tsan_acquire(channel);
#endif
}

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
    auto* event = new NoticeEvent(std::move(notice));
    MarkPosted(this);
    QCoreApplication::postEvent(this, event);
    return true;
}

bool QtNoticeChannel::event(QEvent* event) {
    MarkDelivered(this);
    if (event->type() != NoticeEventType)
        return QObject::event(event);
    Deliver(static_cast<NoticeEvent*>(event)->Carried());
    return true;
}
