#pragma once

#include "library/DbModel.h"

#include <QList>
#include <QObject>
#include <QSet>
#include <QString>

class TelemetryReader;
class VideoMessage;

// Gives library rows without clip facts (libraries of earlier versions,
// imports never played) their facts in the background, so trips can be
// grouped: a record already cached is only summed up, any other file's
// telemetry is read on workers, a few at a time. The facts go into the row's
// JSON as VideoMessage::saveToDb stores them. GUI thread.
class ClipFactsFiller final : public QObject
{
    Q_OBJECT
public:
    explicit ClipFactsFiller(QObject *parent = nullptr);
    ~ClipFactsFiller() override;

    // Files read at the same time: the player's own reads keep a core.
    static constexpr int MaxReads = 2;

    // Queues the rows that have no facts; each path is tried once a run.
    void add(const QList<DbModel> &rows);
    bool isIdle() const { return m_queue.isEmpty() && m_reading == 0; }

signals:
    void factsStored(const QString &path);
    // Everything queued has been tried.
    void idle();

private:
    void schedulePump();
    void pump();
    void onRecordRead(const VideoMessage &record);
    void storeFacts(VideoMessage record, bool cached);

    TelemetryReader *m_reader = nullptr;
    QList<DbModel> m_queue;
    QSet<QString> m_tried;
    int m_reading = 0;
    bool m_pumpPending = false;
};
