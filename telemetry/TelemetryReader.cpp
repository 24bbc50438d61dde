#include "telemetry/TelemetryReader.h"

#include "library/DbModel.h"
#include "telemetry/GPSTool.h"

#include <QThread>
#include <memory>

TelemetryReader::TelemetryReader(QObject *parent)
    : QObject(parent)
{
}

TelemetryReader::~TelemetryReader() = default;

void TelemetryReader::read(const DbModel &model)
{
    if (model.path.isEmpty() || isReading(model.path))
        return;
    // The worker fills its own record; the owner takes it once the thread ended.
    auto result = std::make_shared<VideoMessage>();
    // Reading ahead takes a second core, which another read already uses.
    const bool alone = m_reads.empty();
    ThreadPtr<QThread> worker(QThread::create([model, result, alone] {
        GPSTool tool;
        tool.readAhead = alone;
        tool.parse(model);
        *result = tool.record;
    }));
    const QString path = model.path;
    connect(worker.get(), &QThread::finished, this, [this, path, result] {
        m_reads.erase(path);
        emit recordRead(*result);
    });
    worker->start();
    m_reads.emplace(path, std::move(worker));
}
