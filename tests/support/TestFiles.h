#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Whole-file reads and writes for fixtures and tests: an empty array when the
// file cannot be read, false when it cannot be written in full.
inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(bytes) == bytes.size();
}
