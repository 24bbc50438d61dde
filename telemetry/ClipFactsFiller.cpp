#include "telemetry/ClipFactsFiller.h"

#include "app/Helpers.h"
#include "library/ClipFacts.h"
#include "library/DbManager.h"
#include "library/VideoMessage.h"
#include "telemetry/TelemetryReader.h"

#include <QDebug>
#include <QJsonObject>
#include <QTimer>

ClipFactsFiller::ClipFactsFiller(QObject *parent)
    : QObject(parent)
    , m_reader(new TelemetryReader(this))
{
    connect(m_reader, &TelemetryReader::recordRead, this, &ClipFactsFiller::onRecordRead);
}

ClipFactsFiller::~ClipFactsFiller() = default;

void ClipFactsFiller::add(const QList<DbModel> &rows)
{
    for (const DbModel &row : rows) {
        if (row.hasClip || row.path.isEmpty() || m_tried.contains(row.path))
            continue;
        m_tried.insert(row.path);
        m_queue.append(row);
    }
    schedulePump();
}

// One row per turn of the event loop: a cached record is parsed here, and a
// long queue must not hold the window up.
void ClipFactsFiller::schedulePump()
{
    if (m_pumpPending || m_queue.isEmpty())
        return;
    m_pumpPending = true;
    QTimer::singleShot(0, this, &ClipFactsFiller::pump);
}

void ClipFactsFiller::pump()
{
    m_pumpPending = false;
    if (m_reading >= MaxReads || m_queue.isEmpty()) {
        if (isIdle())
            emit idle();
        return;
    }
    const DbModel row = m_queue.takeFirst();
    if (fileExists(row.path)) {
        bool cached = false;
        VideoMessage record;
        DbManager::instance()->selectVideoMessage(
            DbTableKind::VideoMessage, 0, {{QStringLiteral("path"), row.path}}, {},
            [&record, &cached](VideoMessage &stored, bool ok) {
                if (ok) {
                    record = stored;
                    cached = true;
                }
            });
        if (cached) {
            storeFacts(record, true);
        } else {
            ++m_reading;
            m_reader->read(row);
        }
    }
    if (isIdle())
        emit idle();
    else
        schedulePump();
}

void ClipFactsFiller::onRecordRead(const VideoMessage &record)
{
    --m_reading;
    storeFacts(record, false);
    if (isIdle())
        emit idle();
    else
        schedulePump();
}

void ClipFactsFiller::storeFacts(VideoMessage record, bool cached)
{
    bool stored = false;
    if (cached) {
        // The cached record read back already has its clock; the row learns
        // its facts, the cache stays as it is.
        stored = DbManager::instance()->mergeJsonMessage(
            DbTableKind::LoadFiles, QStringLiteral("path"), record.path,
            {{QLatin1String(ClipFacts::JsonKey), ClipFacts::of(record).toJson()}});
    } else {
        // Cached as the player caches what it reads, facts included.
        record.saveToDb();
        stored = record.isSave;
    }
    qDebug() << "clip facts" << (stored ? "stored:" : "not stored:") << record.path;
    if (stored)
        emit factsStored(record.path);
}
