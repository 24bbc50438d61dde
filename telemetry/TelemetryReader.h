#pragma once

#include "library/ThreadPtr.h"
#include "library/VideoMessage.h"

#include <QObject>
#include <QString>
#include <map>

class DbModel;
class QThread;

// Reads recordings' telemetry on worker threads, so a large file or a slow
// medium (network share, damaged card) never stalls the window; each record
// comes back by recordRead on the owner's thread. One read per path at a time.
class TelemetryReader final : public QObject
{
    Q_OBJECT
public:
    explicit TelemetryReader(QObject *parent = nullptr);
    // Reads still running are let go of (they end on their own).
    ~TelemetryReader() override;

    void read(const DbModel &model);
    bool isReading(const QString &path) const { return m_reads.count(path) > 0; }

signals:
    void recordRead(const VideoMessage &record);

private:
    std::map<QString, ThreadPtr<QThread>> m_reads;
};
