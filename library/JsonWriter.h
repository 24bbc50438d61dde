#pragma once

#include <QByteArray>
#include <QLatin1String>
#include <QString>
#include <QVector>
#include <functional>

// Writes JSON text byte for byte as QJsonDocument::toJson() (indented) writes
// the same values, without building the document first: a recording's record
// holds thousands of values, and the document costs more than the reading.
// Members must be given in the order QJsonObject keeps (keys sorted by UTF-16
// code unit).
class JsonWriter
{
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // The name of the next member of the open object.
    void name(QLatin1String key);
    void name(const QString &key);

    void value(const QString &text);
    void value(bool flag);
    // Numbers are written as QJsonValue holds them: as doubles (a qint64
    // beyond 2^53 loses its last digits), NaN and infinities as null.
    void value(qint64 number);
    void value(int number) { value(qint64(number)); }
    void value(double number);

    // The text; the outermost object or array ends with a line break.
    QByteArray take();

    // Hands the text written so far to spill whenever it reaches about
    // chunkBytes, so a long text never sits whole in memory; take() then
    // returns what was not handed on yet.
    using Spill = std::function<void(const QByteArray &text)>;
    void spillTo(Spill spill, int chunkBytes = 16 * 1024);

private:
    void element();
    void open(char bracket);
    void close(char bracket);
    void appendEscaped(const QString &text);

    QByteArray m_out;
    Spill m_spill;
    int m_chunkBytes = 0;
    // Per open container: whether it has elements yet.
    QVector<bool> m_filled;
    bool m_afterName = false;
};
