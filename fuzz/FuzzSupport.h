#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QtGlobal>
#include <unistd.h>

extern "C" {
#include <libavutil/log.h>
}

// Shared set-up of the fuzz targets: silence the parser's log lines and hand
// the input to the readers as a file, the only form they take.
namespace FuzzSupport {

inline void silence()
{
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    av_log_set_level(AV_LOG_QUIET);
}

// One file per process, rewritten for every input.
inline QString writeInput(const uint8_t *data, size_t size, const char *suffix)
{
    static const QString path = QDir::temp().filePath(
        QStringLiteral("kelmora-fuzz-%1%2").arg(getpid()).arg(QLatin1String(suffix)));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    return path;
}

} // namespace FuzzSupport
