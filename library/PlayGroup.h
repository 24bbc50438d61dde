#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <functional>

class DbModel;

// The recording group the player opens for a chosen library entry: the entry
// itself first, then up to `limit` other entries whose file names are the
// other camera channels of the same moment (same length, at least 95.5 % of
// positions equal, see isSameFileName), in file-name order.
namespace PlayGroup {

// candidates: every listed entry by file name (the list's lookup map).
// exists: whether a candidate's file is still on disk.
QList<DbModel *> build(DbModel *selected,
                       const QMap<QString, DbModel *> &candidates,
                       int limit,
                       const std::function<bool(const QString &path)> &exists,
                       bool logMatches = false);

// Fills a trip's group up to `limit` with the recordings of other channels
// that started with the first member (within TripBuilder::maxGapMs, by
// their clip facts): cameras whose names differ in more than one place are
// still played together within a trip. In file-name order after the members.
void addSameMoment(QList<DbModel *> &group,
                   const QMap<QString, DbModel *> &candidates,
                   int limit,
                   const std::function<bool(const QString &path)> &exists);

} // namespace PlayGroup
