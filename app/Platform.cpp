#include "app/Platform.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/sysinfo.h>
#endif
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace Platform {

void tuneAllocator()
{
#ifdef __GLIBC__
    // Setting the threshold also fixes it: glibc no longer moves it up.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
}

int screenDpiX()
{
    const QScreen *screen = qobject_cast<QGuiApplication *>(QCoreApplication::instance())
        ? QGuiApplication::primaryScreen()
        : nullptr;
    if (!screen)
        return 96;
    return qRound(screen->logicalDotsPerInchX());
}

quint64 totalPhysicalMemory()
{
#ifdef Q_OS_WIN
    MEMORYSTATUSEX status;
    status.dwLength = sizeof(status);
    return GlobalMemoryStatusEx(&status) ? status.ullTotalPhys : 0;
#else
    struct sysinfo info;
    if (sysinfo(&info) != 0)
        return 0;
    return quint64(info.totalram) * info.mem_unit;
#endif
}

QString processorNameFromCpuInfo(const QString &cpuinfo)
{
    const QStringList lines = cpuinfo.split('\n');
    for (const QString &line : lines) {
        if (!line.startsWith("model name"))
            continue;
        const int colon = line.indexOf(':');
        if (colon >= 0)
            return line.mid(colon + 1).trimmed();
    }
    return QString();
}

QString processorName()
{
#ifdef Q_OS_WIN
    QProcess wmic;
    wmic.start("wmic", {"cpu", "get", "name"});
    if (!wmic.waitForFinished(30000))
        return QString();
    const QStringList parts
        = QString::fromLocal8Bit(wmic.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    return parts.size() >= 2 ? parts.at(1).trimmed() : QString();
#else
    QFile file("/proc/cpuinfo");
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    // /proc files report size 0: read until the end instead.
    return processorNameFromCpuInfo(QString::fromUtf8(file.readAll()));
#endif
}

QString videoCardFromLspci(const QString &lspciMm)
{
    // Lines like: 00:02.0 "VGA compatible controller" "Intel Corporation" "UHD Graphics 620" ...
    static const QRegularExpression quoted("\"([^\"]*)\"");
    const QStringList lines = lspciMm.split('\n', Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        QStringList fields;
        auto it = quoted.globalMatch(line);
        while (it.hasNext())
            fields << it.next().captured(1);
        if (fields.size() < 3)
            continue;
        const QString cls = fields.at(0);
        if (!cls.contains("VGA", Qt::CaseInsensitive)
            && !cls.contains("3D controller", Qt::CaseInsensitive)
            && !cls.contains("Display controller", Qt::CaseInsensitive))
            continue;
        return QString("%1 %2").arg(fields.at(1), fields.at(2)).trimmed();
    }
    return QString();
}

namespace {
// Runs a program to completion, polling so that a cancel request is noticed
// within a tenth of a second; returns its standard output.
QByteArray runBounded(const QString &program,
                      const QStringList &args,
                      int timeoutMs,
                      const std::function<bool()> &cancelled)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForStarted(5000))
        return QByteArray();
    QElapsedTimer clock;
    clock.start();
    while (!process.waitForFinished(100)) {
        if ((cancelled && cancelled()) || clock.elapsed() > timeoutMs) {
            process.kill();
            process.waitForFinished(1000);
            return QByteArray();
        }
    }
    return process.readAllStandardOutput();
}
} // namespace

QString videoCardName(int timeoutMs, const std::function<bool()> &cancelled)
{
#ifdef Q_OS_WIN
    Q_UNUSED(timeoutMs);
    Q_UNUSED(cancelled);
    return QString(); // read from the dxdiag report by the system-information probe
#else
    QString lspci = QStandardPaths::findExecutable("lspci");
    if (lspci.isEmpty())
        lspci = QStandardPaths::findExecutable("lspci", {"/usr/bin", "/usr/sbin", "/sbin"});
    if (!lspci.isEmpty()) {
        const QString name = videoCardFromLspci(
            QString::fromUtf8(runBounded(lspci, {"-mm"}, timeoutMs, cancelled)));
        if (!name.isEmpty())
            return name;
    }
    // Without lspci: the kernel driver of the first card, better than nothing.
    const QDir drm("/sys/class/drm");
    for (const QString &card : drm.entryList({"card?"}, QDir::Dirs | QDir::System, QDir::Name)) {
        const QFileInfo driver(drm.filePath(card + "/device/driver"));
        if (driver.exists())
            return QFileInfo(driver.symLinkTarget()).fileName();
    }
    return QString();
#endif
}

QString settingsFilePath()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Kelmora", "KelmoraPlayer")
        .fileName();
}

QString ffmpegProgram()
{
#ifdef Q_OS_WIN
    const QString name = QStringLiteral("ffmpeg.exe");
#else
    const QString name = QStringLiteral("ffmpeg");
#endif
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    if (QFileInfo(beside).isExecutable())
        return beside;
    const QString onPath = QStandardPaths::findExecutable(name);
    return onPath.isEmpty() ? name : onPath;
}

QString dataFolder(const QString &name)
{
    const QDir programFolder(QCoreApplication::applicationDirPath());
    const QString beside = programFolder.filePath(name);
    if (QFileInfo(beside).isDir())
        return beside;
    const QString installed = QStringLiteral("kelmora-player/") + name;
    const QString underPrefix
        = QDir::cleanPath(programFolder.filePath(QStringLiteral("../share/") + installed));
    if (QFileInfo(underPrefix).isDir())
        return underPrefix;
    const QString located = QStandardPaths::locate(QStandardPaths::GenericDataLocation, installed,
                                                   QStandardPaths::LocateDirectory);
    return located.isEmpty() ? beside : located;
}

bool runsInstalled()
{
    return !QFileInfo(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Html")))
                .isDir();
}

bool openInBrowser(const QUrl &url)
{
    if (!url.isValid()
        || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")))
        return false;
    return QDesktopServices::openUrl(url);
}

} // namespace Platform
