#include "telemetry/RecordLookup.h"

#include "library/DbManager.h"
#include "library/DbModel.h"
#include "telemetry/GPSTool.h"

#include <QDebug>

namespace RecordLookup {

VideoMessage find(const DbModel &model, Log log)
{
    const bool player = log == Log::Player;
    VideoMessage record;
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
    if (found) {
        qDebug() << (player ? " 数据库返回成功 " : "db retuen data succeed");
        return record;
    }
    qDebug() << (player ? "开始解析gps数据" : "Start parsing gps data");
    GPSTool tool;
    tool.parse(model);
    return tool.record;
}

} // namespace RecordLookup
