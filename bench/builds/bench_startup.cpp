// Prints the time from entering main to the first paint of the main window, for each build,
// measured in a fresh process each (the first argument picks the build: 8 or 1). Offscreen
// unless QT_QPA_PLATFORM says otherwise.

#include "builds/build_profiles.h"
#include "builds/program.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <cstring>

namespace {

class FirstPaint : public QObject {
public:
    explicit FirstPaint(const QElapsedTimer& clock) : m_clock(clock) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && m_ms < 0) {
            m_ms = m_clock.nsecsElapsed() / 1e6;
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return QObject::eventFilter(watched, event);
    }

public:
    double m_ms = -1;

private:
    const QElapsedTimer& m_clock;
};

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    const bool single = argc > 1 && std::strcmp(argv[1], "1") == 0;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    Program program(single ? SingleChannelBuild() : MultiChannelBuild());
    FirstPaint firstPaint(clock);
    program.Form1.installEventFilter(&firstPaint);
    program.Form1.ShowMaximizedAtStart();
    QApplication::exec();
    std::printf("start-up to first painted window, tessavane%s: %.1f ms\n", single ? "1" : "8",
                firstPaint.m_ms);
    return 0;
}
