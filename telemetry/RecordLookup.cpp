#include "telemetry/RecordLookup.h"

#include "library/DbManager.h"
#include "library/DbModel.h"
#include "telemetry/GPSTool.h"

#include <QDebug>

namespace RecordLookup {

namespace {
bool findCached(const DbModel &model, Log log, VideoMessage &record)
{
    const bool player = log == Log::Player;
    bool found = false;
    // By path: cameras restart their numbering, so a file name alone can be
    // another recording's. Every version stored the path in this column.
    DbManager::instance()->selectVideoMessage(
        DbTableKind::VideoMessage, 0, {{"path", model.path}}, {},
        [&record, &found](VideoMessage &stored, bool ok) {
            if (ok) {
                record = stored;
                found = true;
            }
        },
        player ? DbManager::SelectLog::Single : DbManager::SelectLog::FileSize);
    if (found)
        qDebug() << (player ? " 数据库返回成功 " : "db retuen data succeed");
    return found;
}
} // namespace

VideoMessage find(const DbModel &model, Log log)
{
    VideoMessage record;
    if (findCached(model, log, record))
        return record;
    qDebug() << (log == Log::Player ? "开始解析gps数据" : "Start parsing gps data");
    GPSTool tool;
    tool.parse(model);
    return tool.record;
}

VideoMessage findOrProbe(const DbModel &model, Log log, bool *complete)
{
    VideoMessage record;
    *complete = findCached(model, log, record);
    if (*complete)
        return record;
    qDebug() << (log == Log::Player ? "开始解析gps数据" : "Start parsing gps data");
    GPSTool tool;
    tool.probe(model);
    return tool.record;
}

} // namespace RecordLookup
