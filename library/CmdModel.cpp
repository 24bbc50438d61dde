#include "library/CmdModel.h"

#include "app/Helpers.h"
#include "app/Platform.h"
#include "app/Settings.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QTime>

namespace {

// Placeholder numbers of a template, ascending and without repeats.
QList<int> placeholders(const QString &pattern)
{
    static const QRegularExpression marker(QStringLiteral("%(\\d+)"));
    QList<int> numbers;
    auto it = marker.globalMatch(pattern);
    while (it.hasNext()) {
        const int n = it.next().captured(1).toInt();
        if (!numbers.contains(n))
            numbers.append(n);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

// Fills every placeholder in one pass, so a value that itself contains "%1"
// is never filled again (chained QString::arg calls would do that).
QString fill(const QString &pattern, const QMap<int, QString> &values)
{
    static const QRegularExpression marker(QStringLiteral("%(\\d+)"));
    QString out;
    int from = 0;
    auto it = marker.globalMatch(pattern);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        out += pattern.midRef(from, m.capturedStart() - from);
        out += values.value(m.captured(1).toInt(), m.captured());
        from = m.capturedEnd();
    }
    out += pattern.midRef(from);
    return out;
}

QMap<int, QString> byPlaceholder(const QString &pattern, const QStringList &values)
{
    QMap<int, QString> map;
    const QList<int> numbers = placeholders(pattern);
    for (int i = 0; i < numbers.size() && i < values.size(); ++i)
        map.insert(numbers.at(i), values.at(i));
    return map;
}

} // namespace

CmdModel::CmdModel(int type, QObject *parent)
    : QObject(parent)
    , cmdType(type)
    , timeSuffix(QTime::currentTime().toString(QStringLiteral("hhmmsszzz")))
{
}

CmdModel::~CmdModel()
{
    qDebug() << "CmdModel销毁";
}

CmdModel *CmdModel::clone(QObject *parent) const
{
    auto *copy = new CmdModel(cmdType, parent);
    copy->inputPath = inputPath;
    copy->startSecond = startSecond;
    copy->endSecond = endSecond;
    copy->capturePosition = capturePosition;
    copy->bitRate = bitRate;
    copy->hasAudio = hasAudio;
    copy->hasVideo = hasVideo;
    copy->is720P = is720P;
    copy->outputPath = outputPath;
    copy->subtitlePath = subtitlePath;
    copy->timeSuffix = timeSuffix;
    return copy;
}

QString CmdModel::thumbnailName(const QString &videoPath)
{
    const QFileInfo info(videoPath);
    const QByteArray hash = QCryptographicHash::hash(
        QDir::cleanPath(info.absoluteFilePath()).toUtf8(), QCryptographicHash::Sha1);
    return info.baseName() + QLatin1Char('_') + QString::fromLatin1(hash.toHex().left(8))
        + QStringLiteral(".png");
}

QString CmdModel::getSavePath()
{
    const QString base = QFileInfo(inputPath).baseName();
    if (cmdType == Thumbnail) {
        outputPath = QDir(thumbnailPath()).filePath(thumbnailName(inputPath));
    } else {
        const QString suffix = cmdType == Cut ? QStringLiteral(".mp4") : QStringLiteral(".png");
        outputPath = Settings::saveFolder().get() + QLatin1Char('/') + base + QLatin1Char('_')
            + timeSuffix + suffix;
    }
    return outputPath;
}

QString CmdModel::program() const
{
    return Platform::ffmpegProgram();
}

QString CmdModel::filterOptionText(const QString &value)
{
    const auto escape = [](const QString &text, const QString &special) {
        QString out;
        for (const QChar c : text) {
            if (special.contains(c))
                out += QLatin1Char('\\');
            out += c;
        }
        return out;
    };
    // ffmpeg unescapes twice: once splitting the graph, once splitting the options.
    return escape(escape(value, QStringLiteral("\\':")), QStringLiteral("\\'[],;"));
}

QString CmdModel::videoFilter() const
{
    QStringList filters;
    if (cmdType == Cut && is720P)
        filters << QStringLiteral("scale=-1:720");
    if (!subtitlePath.isEmpty()) {
        filters << QStringLiteral("subtitles=filename=") + filterOptionText(subtitlePath);
    }
    return filters.join(QLatin1Char(','));
}

CmdModel::Command CmdModel::command()
{
    const QString ffmpeg = program();
    if (cmdType == Thumbnail) {
        return {QStringLiteral("\"%1\" -i \"%2\" -vframes 1 -s 58*58 -y \"%3\""),
                {ffmpeg, inputPath, getSavePath()}};
    }
    if (cmdType != Cut && !subtitlePath.isEmpty()) {
        return {QStringLiteral("\"%1\" -ss %2 -i \"%3\" -vf \"%4\" -vframes 1 -y \"%5\""),
                {ffmpeg, capturePosition, inputPath, videoFilter(), getSavePath()}};
    }
    if (cmdType != Cut) {
        return {QStringLiteral("\"%1\" -ss %2 -i \"%3\" -vframes 1 -y \"%4\""),
                {ffmpeg, capturePosition, inputPath, getSavePath()}};
    }
    const QString start = QString::number(startSecond);
    const QString length = QString::number(endSecond - startSecond);
    if (!hasVideo) {
        return {QStringLiteral("\"%1\" -ss %2 -i \"%3\" -t %4 -%5 -c:a copy -y \"%6\""),
                {ffmpeg, start, inputPath, length, QStringLiteral("vn"), getSavePath()}};
    }
    if (!subtitlePath.isEmpty()) {
        // The picture changes, so it is encoded again at the rate the estimate assumes.
        const QString audio = hasAudio ? QStringLiteral("c:a") : QStringLiteral("an");
        const QString audioValue = hasAudio ? QStringLiteral(" copy") : QString();
        return {QStringLiteral("\"%1\" -ss %2 -i \"%3\" -t %4 -vf \"%5\" -b:v %6 -%7") + audioValue
                    + QStringLiteral(" -y \"%8\""),
                {ffmpeg, start, inputPath, length, videoFilter(), bitRate, audio, getSavePath()}};
    }
    if (is720P && hasAudio) {
        return {
            QStringLiteral(
                "\"%1\" -ss %2 -i \"%3\" -t %4 -vf \"scale=-1:720\" -b:v %5 -c:a copy -y \"%6\""),
            {ffmpeg, start, inputPath, length, bitRate, getSavePath()}};
    }
    if (is720P) {
        return {QStringLiteral(
                    "\"%1\" -ss %2 -i \"%3\" -t %4 -vf \"scale=-1:720\" -b:v %5 -%6 -y \"%7\""),
                {ffmpeg, start, inputPath, length, bitRate, QStringLiteral("an"), getSavePath()}};
    }
    if (hasAudio) {
        return {QStringLiteral("\"%1\" -ss %2 -i \"%3\" -t %4 -c:v copy -c:a copy -y \"%6\""),
                {ffmpeg, start, inputPath, length, getSavePath()}};
    }
    return {QStringLiteral("\"%1\" -ss %2 -i \"%3\" -t %4 -c:v copy -%6 -y \"%7\""),
            {ffmpeg, start, inputPath, length, QStringLiteral("an"), getSavePath()}};
}

QString CmdModel::createCmdString()
{
    const Command c = command();
    return fill(c.pattern, byPlaceholder(c.pattern, c.values));
}

QStringList CmdModel::arguments()
{
    // The template's words are split on its own spaces, before any value is
    // filled in, so a value is always exactly one argument.
    const Command c = command();
    const QMap<int, QString> values = byPlaceholder(c.pattern, c.values);
    QStringList words = c.pattern.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    words.removeFirst(); // the program
    QStringList args;
    for (QString word : qAsConst(words)) {
        if (word.size() >= 2 && word.startsWith(QLatin1Char('"'))
            && word.endsWith(QLatin1Char('"')))
            word = word.mid(1, word.size() - 2);
        args.append(fill(word, values));
    }
    return args;
}
