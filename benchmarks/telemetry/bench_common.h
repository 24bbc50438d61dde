#pragma once
// What the telemetry benchmarks share: the recordings and a read counter.

#include "tests/fixtures/FixtureTracks.h"
#include "tests/fixtures/RecordingFactory.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QVector>

// Bytes this process has read through read(2) and pread(2) so far (rchar).
inline qint64 bytesRead()
{
    QFile io("/proc/self/io");
    if (!io.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : io.readAll().split('\n')) {
        if (line.startsWith("rchar:"))
            return line.mid(6).trimmed().toLongLong();
    }
    return -1;
}

// The three 3-minute 1920x1080 recordings in folder: a binary data stream of
// ten records a second, a "gps " box and blocks between the frames.
struct BenchRecordings
{
    QString binary;
    QString gpsBox;
    QString blocks;
};

// Makes the recordings missing from folder and keeps them (a few hundred MB
// each, minutes of encoding). The error, empty when all are there.
inline QString makeBenchRecordings(const QString &folder, BenchRecordings *made)
{
    RecordingFactory factory(folder);
    factory.setVideo(1920, 1080, QStringLiteral("12M"));
    factory.setPreset(QStringLiteral("ultrafast"));
    const QVector<FixtureSample> drive = longDrive(180);
    QVector<FixtureSample> tenPerSecond;
    for (const FixtureSample &s : drive) {
        for (int i = 0; i < 10; ++i)
            tenPerSecond.append(s);
    }
    made->binary = factory.path("bench-binary.mp4");
    made->gpsBox = factory.path("bench-gpsbox.mp4");
    // Blocks between the frames, found by exiftool only by scanning the media data.
    made->blocks = factory.path("2023_0501_120000_F.MOV");
    const bool ready = (QFileInfo::exists(made->binary)
                        || factory.makeBinaryStream("bench-binary.mp4", tenPerSecond, 10))
        && (QFileInfo::exists(made->gpsBox)
            || factory.makeGpsBox("bench-gpsbox.mp4", drive,
                                  RecordingFactory::GpsBoxForm::LayoutA264, true))
        && (QFileInfo::exists(made->blocks)
            || factory.makeBlockTrack("2023_0501_120000_F.MOV", drive,
                                      RecordingFactory::BlockMode::SampleSize));
    return ready ? QString() : factory.error();
}
