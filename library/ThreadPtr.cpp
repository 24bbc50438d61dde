#include "library/ThreadPtr.h"

#include <QDebug>
#include <QThread>

void ThreadDeleter::operator()(QThread *thread) const
{
    if (!thread)
        return;
    thread->requestInterruption();
    thread->quit();
    if (thread->wait(StopWaitMs)) {
        delete thread;
        return;
    }
    qDebug() << "worker thread still running after" << StopWaitMs << "ms; it goes when it ends";
    letThreadFinish(thread);
}

void letThreadFinish(QThread *thread)
{
    if (!thread)
        return;
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    // It may have ended before the connection was made; a second request is harmless.
    if (thread->isFinished())
        thread->deleteLater();
}
