#include "library/RecordingScan.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace {
bool isCancelled(const std::function<bool()> &cancelled)
{
    return cancelled && cancelled();
}
} // namespace

bool RecordingScan::isRecordingName(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    return suffix == QLatin1String("mp4") || suffix == QLatin1String("mov")
        || suffix == QLatin1String("ts");
}

RecordingScan::Result RecordingScan::collect(const QStringList &paths,
                                             const std::function<bool()> &cancelled)
{
    Result result;
    QSet<QString> seen;
    const auto add = [&](const QString &path) {
        if (!seen.contains(path)) {
            seen.insert(path);
            result.recordings.append(path);
        }
    };
    QStringList folders;
    for (const QString &given : paths) {
        if (given.isEmpty())
            continue;
        const QFileInfo info(given);
        const QString path = QDir::cleanPath(info.absoluteFilePath());
        if (info.isDir()) {
            if (!folders.contains(path))
                folders.append(path);
        } else if (!info.exists() || !info.isReadable()) {
            result.problems.append({path, Problem::Unreadable});
        } else if (!isRecordingName(path)) {
            result.problems.append({path, Problem::NotRecording});
        } else {
            add(path);
        }
    }

    for (const QString &folder : qAsConst(folders)) {
        if (!QFileInfo(folder).isReadable() || !QFileInfo(folder).isExecutable()) {
            result.problems.append({folder, Problem::Unreadable});
            continue;
        }
        QStringList found;
        QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Readable,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            if (isCancelled(cancelled)) {
                result.cancelled = true;
                return result;
            }
            it.next();
            const QFileInfo entry = it.fileInfo();
            if (entry.isDir()) {
                // Unreadable subfolders are not descended into by the iterator.
                if (!entry.isReadable() || !entry.isExecutable())
                    result.problems.append({entry.absoluteFilePath(), Problem::Unreadable});
                continue;
            }
            if (isRecordingName(entry.fileName()))
                found.append(QDir::cleanPath(entry.absoluteFilePath()));
        }
        // Cameras pad their counters, so plain order is recording order.
        std::sort(found.begin(), found.end());
        for (const QString &path : qAsConst(found))
            add(path);
    }
    return result;
}
