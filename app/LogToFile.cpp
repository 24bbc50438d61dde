#include "app/LogToFile.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QMutex>
#include <QTextStream>

namespace {
// The log file, its stream and the lock are shared by every thread that logs.
struct LogSink
{
    QFile file;
    QTextStream stream {&file};
    QMutex mutex;
};

LogSink &sink()
{
    static LogSink instance;
    return instance;
}

void messageHandler(QtMsgType, const QMessageLogContext &, const QString &message)
{
    if (message.isEmpty())
        return;
    const QString stamp = QDateTime::currentDateTime().toString("yyyy-MM-dd hh:mm:ss.zzz");
    // Inside the installed handler qDebug() prints straight to stderr.
    qDebug().noquote() << stamp + ":" + message;

    LogSink &log = sink();
    QMutexLocker locker(&log.mutex);
    if (!log.file.isOpen() || log.stream.status() != QTextStream::Ok) {
        qDebug() << "QTextStream状态错误";
        return;
    }
    log.stream << QString("%1 : %2").arg(stamp, message) << Qt::endl;
}
} // namespace

LogToFile::LogToFile(const QString &path)
{
    LogSink &log = sink();
    {
        QMutexLocker locker(&log.mutex);
        log.file.setFileName(path);
        log.stream.setCodec("UTF-8");
        if (log.file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
            log.stream.resetStatus();
            locker.unlock();
            qInstallMessageHandler(messageHandler);
            return;
        }
    }
    qDebug() << "日志文件打开失败";
}

LogToFile::~LogToFile()
{
    qDebug() << "LogToFile is close LogToFile destroy";
    LogSink &log = sink();
    QMutexLocker locker(&log.mutex);
    if (log.file.isOpen()) {
        log.stream.flush();
        log.file.close();
    }
}

bool LogToFile::isOpen() const
{
    LogSink &log = sink();
    QMutexLocker locker(&log.mutex);
    return log.file.isOpen();
}
