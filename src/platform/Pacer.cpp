#include "platform/Pacer.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>

namespace platform {

void EventLoopPacer::wait(int milliseconds) {
    QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::AllEvents,
                                            static_cast<int>(deadline.remainingTime()));
        else
            QThread::msleep(static_cast<unsigned long>(deadline.remainingTime()));
    }
}

void EventLoopPacer::processEvents(int passes) {
    if (!QCoreApplication::instance()) return;
    for (int i = 0; i < passes; ++i) QCoreApplication::processEvents();
}

void ImmediatePacer::processEvents(int passes) {
    if (!QCoreApplication::instance()) return;
    // Many passes stand for "let the office finish"; one is enough when it already has.
    if (passes > 0) QCoreApplication::processEvents();
}

}  // namespace platform
