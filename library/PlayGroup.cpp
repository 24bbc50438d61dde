#include "library/PlayGroup.h"

#include "app/Helpers.h"
#include "library/DbModel.h"
#include "library/TripBuilder.h"

#include <QDebug>
#include <algorithm>

namespace PlayGroup {

QList<DbModel *> build(DbModel *selected,
                       const QMap<QString, DbModel *> &candidates,
                       int limit,
                       const std::function<bool(const QString &)> &exists,
                       bool logMatches)
{
    QList<DbModel *> group;
    if (!selected)
        return group;
    for (auto it = candidates.cbegin(); it != candidates.cend(); ++it) {
        DbModel *entry = it.value();
        if (group.size() >= limit)
            break;
        if (!entry || entry->fileName == selected->fileName)
            continue;
        if (!isSameFileName(selected->fileName, entry->fileName))
            continue;
        if (exists && !exists(entry->path))
            continue;
        if (logMatches) {
            qDebug() << "选中的文件名：" + selected->fileName + "  对比的文件名字："
                    + entry->fileName;
            qDebug() << "比较结果相似";
        }
        group.append(entry);
    }
    std::sort(group.begin(), group.end(),
              [](const DbModel *a, const DbModel *b) { return a->fileName < b->fileName; });
    group.prepend(selected);
    return group;
}

void addSameMoment(QList<DbModel *> &group,
                   const QMap<QString, DbModel *> &candidates,
                   int limit,
                   const std::function<bool(const QString &)> &exists)
{
    if (group.isEmpty() || !group.first()->hasClip || !group.first()->clip.isDated())
        return;
    const qint64 start = group.first()->clip.startMs;
    QStringList channels;
    for (const DbModel *member : qAsConst(group))
        channels << ClipFacts::channelOf(member->path);
    QList<DbModel *> added;
    for (DbModel *entry : candidates) {
        if (!entry || !entry->hasClip || !entry->clip.isDated()
            || qAbs(entry->clip.startMs - start) > TripBuilder::maxGapMs)
            continue;
        const QString channel = ClipFacts::channelOf(entry->path);
        if (channels.contains(channel) || (exists && !exists(entry->path)))
            continue;
        channels << channel;
        added.append(entry);
    }
    std::sort(added.begin(), added.end(),
              [](const DbModel *a, const DbModel *b) { return a->fileName < b->fileName; });
    while (!added.isEmpty() && group.size() < limit)
        group.append(added.takeFirst());
}

} // namespace PlayGroup
