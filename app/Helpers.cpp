#include "app/Helpers.h"

#include "app/ZCChinaLocation.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>
#include <QtMath>

QString settingsValue(const QString &key, const QVariant &value, bool write)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "Kelmora", "KelmoraPlayer");
    if (write) {
        settings.setValue(key, value);
        return QString();
    }
    return settings.value(key, value).toString();
}

QString appDataPath()
{
    const QString path
        = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/KelmoraPlayer";
    if (!QDir(path).exists() && !QDir(path).mkpath(path))
        return QStringLiteral("aaaaaaaaaaaaaa");
    return path;
}

QString thumbnailPath()
{
    const QString data = appDataPath();
    const QString path = data + "/Thumbnail";
    // Without a data folder the path would be relative: never make folders
    // in whatever the working folder happens to be.
    if (QDir::isRelativePath(data) || (!QDir(path).exists() && !QDir(path).mkpath(path)))
        return QStringLiteral("aaaaaaaaaaaaaa11111");
    return path;
}

QString formatPlayTime(int seconds)
{
    return QString("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QChar('0'));
}

QString
reformatDateTime(const QString &text, const QString &inputFormat, const QString &outputFormat)
{
    return QDateTime::fromString(text, inputFormat).toString(outputFormat);
}

QString isoDateTimeText(const QDateTime &dateTime)
{
    if (!dateTime.isValid())
        return QString();
    const QDate date = dateTime.date();
    const QTime time = dateTime.time();
    if (date.year() < 0)
        return QLocale::c().toString(dateTime, QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    // asprintf writes the C locale's digits, and unlike a format string for
    // QLocale it is not parsed into pieces again for each of a track's times.
    return QString::asprintf("%04d-%02d-%02dT%02d:%02d:%02d", date.year(), date.month(), date.day(),
                             time.hour(), time.minute(), time.second());
}

QString formatByteSize(qint64 bytes, int unit)
{
    switch (unit) {
    case 0:
        return QString::number(bytes);
    case 1:
        return QString::number(double(bytes) / 1024.0, 'g', 6);
    case 2:
        return QString::number(double(bytes) / 1048576.0, 'f', 1);
    default:
        return QStringLiteral("Invalid type");
    }
}

QString fileSizeText(const QString &path, int unit)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        qDebug() << "查询文件大小失败：" << path;
        return QStringLiteral("0");
    }
    return formatByteSize(info.size(), unit);
}

bool fileExists(const QString &path)
{
    return QFileInfo(path).exists();
}

namespace {
constexpr double kPi = 3.141592653589793;
constexpr double kA = 6378245.0;
constexpr double kEe = 0.006693421622965943;
constexpr double kXPi = 52.35987755982988;

double transformLat(double x, double y)
{
    double r
        = -100.0 + 2.0 * x + 3.0 * y + 0.2 * y * y + 0.1 * x * y + 0.2 * std::sqrt(std::fabs(x));
    r += (20.0 * std::sin(6.0 * x * kPi) + 20.0 * std::sin(2.0 * x * kPi)) * 2.0 / 3.0;
    r += (20.0 * std::sin(y * kPi) + 40.0 * std::sin(y / 3.0 * kPi)) * 2.0 / 3.0;
    r += (160.0 * std::sin(y / 12.0 * kPi) + 320.0 * std::sin(y * kPi / 30.0)) * 2.0 / 3.0;
    return r;
}

double transformLon(double x, double y)
{
    double r = 300.0 + x + 2.0 * y + 0.1 * x * x + 0.1 * x * y + 0.1 * std::sqrt(std::fabs(x));
    r += (20.0 * std::sin(6.0 * x * kPi) + 20.0 * std::sin(2.0 * x * kPi)) * 2.0 / 3.0;
    r += (20.0 * std::sin(x * kPi) + 40.0 * std::sin(x / 3.0 * kPi)) * 2.0 / 3.0;
    r += (150.0 * std::sin(x / 12.0 * kPi) + 300.0 * std::sin(x / 30.0 * kPi)) * 2.0 / 3.0;
    return r;
}
} // namespace

Coordinate wgs84ToGcj02(double lat, double lon)
{
    const double x = lon - 105.0;
    const double y = lat - 35.0;
    const double tLat = transformLat(x, y);
    const double tLon = transformLon(x, y);
    const double radLat = lat / 180.0 * kPi;
    const double magic = 1 - kEe * std::sin(radLat) * std::sin(radLat);
    const double sqrtMagic = std::sqrt(magic);
    const double outLat = lat + tLat * 180.0 / ((kA * (1 - kEe)) / (magic * sqrtMagic) * kPi);
    const double outLon = lon + tLon * 180.0 / (kA / sqrtMagic * std::cos(radLat) * kPi);
    return {outLat, outLon};
}

Coordinate gcj02ToBd09(double lat, double lon)
{
    const double x = lon;
    const double y = lat;
    const double z = std::sqrt(x * x + y * y) + 0.00002 * std::sin(y * kXPi);
    const double theta = std::atan2(y, x) + 0.000003 * std::cos(x * kXPi);
    return {z * std::sin(theta) + 0.006, z * std::cos(theta) + 0.0065};
}

Coordinate convertCoordinate(int mapKind, const QString &lat, const QString &lon, bool convert)
{
    if (mapKind < 0 || mapKind > 2)
        return {0.0, 0.0};
    const double la = lat.toDouble();
    const double lo = lon.toDouble();
    // OpenStreetMap draws WGS-84 everywhere, China included.
    if (!convert || mapKind == 2)
        return {la, lo};
    const Coordinate gcj = wgs84ToGcj02(la, lo);
    return mapKind == 0 ? gcj : gcj02ToBd09(gcj.first, gcj.second);
}

bool isInChina(double lat, double lon)
{
    return ZCChinaLocation().isInRegion(lat, lon);
}

bool isSameFileName(const QString &pathA, const QString &pathB)
{
    const QString a = QFileInfo(pathA).fileName().toLower();
    const QString b = QFileInfo(pathB).fileName().toLower();
    if (a.size() != b.size())
        return false;
    int same = 0;
    for (int i = 0; i < a.size(); ++i) {
        if (a.at(i) == b.at(i))
            ++same;
    }
    // Two empty names give 0/0: NaN never compares true.
    return double(same) / double(a.size()) * 100.0 >= 95.5;
}

QStringList localPathsFromArguments(const QStringList &arguments, const QString &workingFolder)
{
    QStringList paths;
    for (const QString &argument : arguments) {
        if (argument.isEmpty())
            continue;
        QString path = argument;
        if (argument.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
            const QUrl url(argument);
            if (!url.isLocalFile())
                continue;
            path = url.toLocalFile();
        } else if (argument.contains(QLatin1String("://"))) {
            continue; // a web address: nothing to import
        }
        if (path.isEmpty())
            continue;
        path = QDir::cleanPath(QDir(workingFolder).absoluteFilePath(path));
        if (!paths.contains(path))
            paths.append(path);
    }
    return paths;
}
