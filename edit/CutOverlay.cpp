#include "edit/CutOverlay.h"

#include "library/CmdModel.h"
#include "library/RecordClock.h"
#include "telemetry/TelemetryExport.h"
#include "telemetry/TelemetryText.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>

namespace {

// ASS colours are &HAABBGGRR, alpha 0 opaque.
const char *const TextColour = "&H00FFFFFF";
const char *const OutlineColour = "&H20000000";
const char *const ShadowColour = "&H80000000";
// Lines of caption per picture height: three lines fill about a sixth of it.
constexpr int LinesPerHeight = 18;

// Holds the script's folder for as long as its job (its parent) lives.
class ScriptFolder : public QObject
{
public:
    explicit ScriptFolder(QObject *parent)
        : QObject(parent)
        , dir(QDir::tempPath() + QStringLiteral("/kelmora-overlay-XXXXXX"))
    {
    }
    QTemporaryDir dir;
};

QString speedLine(const GpsItem &item, int speedUnit)
{
    return TelemetryText::speedText(item.speed, speedUnit)
        + (speedUnit == 0 ? QStringLiteral(" km/h") : QStringLiteral(" mph"));
}

bool writeText(const QString &path, const QString &text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(text.toUtf8());
    return file.commit();
}

} // namespace

namespace CutOverlay {

QStringList
captionLines(const VideoMessage &record, int second, int speedUnit, int coordinateFormat)
{
    const auto it = record.gpsItems.constFind(QString::number(second));
    if (it == record.gpsItems.cend())
        return {};
    const GpsItem &item = it.value();
    QStringList lines;
    if (!item.speed.isEmpty())
        lines << speedLine(item, speedUnit);
    const QDateTime utc = RecordClock::timeAt(record, second);
    if (utc.isValid()) {
        lines << RecordClock::localText(record, utc) + QStringLiteral(" UTC")
                + RecordClock::offsetText(record.clockOffset);
    }
    if (item.isDrawable()) {
        lines << TelemetryText::coordinateText(item.latitude, coordinateFormat)
                + QStringLiteral(", ")
                + TelemetryText::coordinateText(item.longitude, coordinateFormat);
    }
    return lines;
}

QString assText(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\u2060"); // a word joiner keeps it from starting an escape
        else if (c == QLatin1Char('{') || c == QLatin1Char('}'))
            out += QLatin1Char('\\') + c;
        else if (c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            out += QLatin1Char(' ');
        else
            out += c;
    }
    return out;
}

QString assTime(int centiseconds)
{
    const int cs = qMax(0, centiseconds);
    return QStringLiteral("%1:%2:%3.%4")
        .arg(cs / 360000)
        .arg(cs / 6000 % 60, 2, 10, QLatin1Char('0'))
        .arg(cs / 100 % 60, 2, 10, QLatin1Char('0'))
        .arg(cs % 100, 2, 10, QLatin1Char('0'));
}

QString
assScript(const VideoMessage &record, int start, int end, int speedUnit, int coordinateFormat)
{
    // An unprobed record gets libass's own script size; the picture scales it.
    const bool sized = record.width.toInt() > 0 && record.height.toInt() > 0;
    const int width = sized ? record.width.toInt() : 384;
    const int height = sized ? record.height.toInt() : 288;
    const int fontSize = qMax(8, height / LinesPerHeight);
    const int outline = qMax(1, fontSize / 12);
    const int margin = qMax(4, height / 40);
    QString text;
    text += QStringLiteral("[Script Info]\nScriptType: v4.00+\nWrapStyle: 2\n"
                           "ScaledBorderAndShadow: yes\nPlayResX: %1\nPlayResY: %2\n\n")
                .arg(width)
                .arg(height);
    text += QStringLiteral(
        "[V4+ Styles]\nFormat: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, "
        "OutlineColour, BackColour, Bold, Italic, Underline, StrikeOut, ScaleX, ScaleY, Spacing, "
        "Angle, BorderStyle, Outline, Shadow, Alignment, MarginL, MarginR, MarginV, Encoding\n");
    text += QStringLiteral("Style: Telemetry,DejaVu Sans,%1,%2,%2,%3,%4,-1,0,0,0,100,100,0,0,1,%5,"
                           "%6,1,%7,%7,%7,1\n\n")
                .arg(fontSize)
                .arg(QLatin1String(TextColour), QLatin1String(OutlineColour),
                     QLatin1String(ShadowColour))
                .arg(outline)
                .arg(qMax(1, outline / 2))
                .arg(margin);
    text += QStringLiteral("[Events]\nFormat: Layer, Start, End, Style, Name, MarginL, MarginR, "
                           "MarginV, Effect, Text\n");
    for (int second = start; second < end; ++second) {
        const QStringList lines = captionLines(record, second, speedUnit, coordinateFormat);
        if (lines.isEmpty())
            continue;
        QStringList escaped;
        for (const QString &line : lines)
            escaped << assText(line);
        const int from = (second - start) * 100;
        text += QStringLiteral("Dialogue: 0,%1,%2,Telemetry,,0,0,0,,%3\n")
                    .arg(assTime(from), assTime(from + 100), escaped.join(QStringLiteral("\\N")));
    }
    return text;
}

VideoMessage rangeRecord(const VideoMessage &record, int start, int end, const QString &videoPath)
{
    VideoMessage cut = record;
    cut.gpsItems.clear();
    cut.gsensorItems.clear();
    for (auto it = record.gpsItems.cbegin(); it != record.gpsItems.cend(); ++it) {
        const int second = it.key().toInt();
        if (second >= start && second < end)
            cut.gpsItems.insert(QString::number(second - start), it.value());
    }
    for (auto it = record.gsensorItems.cbegin(); it != record.gsensorItems.cend(); ++it) {
        const int second = it.key().toInt();
        if (second >= start && second < end)
            cut.gsensorItems.insert(QString::number(second - start), it.value());
    }
    // Seconds without a sample of their own take their time from the start.
    const QString form = QStringLiteral("yyyy-MM-ddTHH:mm:ss");
    QDateTime startTime = QDateTime::fromString(record.startTime, form);
    startTime.setTimeSpec(Qt::UTC); // zone-less camera time: no daylight-saving jumps
    if (startTime.isValid())
        cut.startTime = startTime.addSecs(start).toString(form);
    cut.duration = QString::number(qMax(0, end - start));
    cut.durationM = qint64(qMax(0, end - start)) * 1000;
    cut.path = videoPath;
    cut.fileName = QFileInfo(videoPath).fileName();
    return cut;
}

QString writeTrack(const VideoMessage &record, int start, int end, const QString &videoPath)
{
    const QList<VideoMessage> cut {rangeRecord(record, start, end, videoPath)};
    const QFileInfo video(videoPath);
    const QString base = video.dir().filePath(video.completeBaseName());
    QString failed;
    if (!writeText(base + QStringLiteral(".gpx"), TelemetryExport::toGpx(cut)))
        failed += base + QStringLiteral(".gpx ");
    if (!writeText(base + QStringLiteral(".csv"), TelemetryExport::toCsv(cut)))
        failed += base + QStringLiteral(".csv");
    return failed.isEmpty() ? QString() : QStringLiteral("cannot write ") + failed.trimmed();
}

bool attachScript(CmdModel *job, const QString &script)
{
    auto *folder = new ScriptFolder(job);
    const QString path = folder->dir.filePath(QStringLiteral("overlay.ass"));
    if (!folder->dir.isValid() || !writeText(path, script)) {
        delete folder;
        return false;
    }
    job->subtitlePath = path;
    return true;
}

} // namespace CutOverlay
