// Starts the real player under the test's X server, as a user would, and closes
// its window the way a window manager does (WM_DELETE_WINDOW).
#include "app/KelmoraWidget.h"
#include "tests/fixtures/RecordingFactory.h"
#include "tests/support/TestHome.h"

#include <QApplication>
#include <QProcess>
#include <QScreen>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {
struct DisplayCloser
{
    void operator()(Display *d) const { XCloseDisplay(d); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

Window findWindowNamed(Display *display, Window parent, const char *title)
{
    Window root = 0, ret = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root, &ret, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        char *name = nullptr;
        if (XFetchName(display, children[i], &name) && name) {
            if (qstrcmp(name, title) == 0) {
                XWindowAttributes attributes;
                if (XGetWindowAttributes(display, children[i], &attributes)
                    && attributes.map_state == IsViewable)
                    found = children[i];
            }
            XFree(name);
        }
        if (!found)
            found = findWindowNamed(display, children[i], title);
    }
    if (children)
        XFree(children);
    return found;
}

QRect windowRect(Display *display, Window window)
{
    XWindowAttributes attributes;
    XGetWindowAttributes(display, window, &attributes);
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    return QRect(x, y, attributes.width, attributes.height);
}

void requestClose(Display *display, Window window)
{
    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
}

int countWindowsNamed(Display *display, Window parent, const char *title)
{
    Window root = 0, ret = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root, &ret, &children, &count))
        return 0;
    int found = 0;
    for (unsigned int i = 0; i < count; ++i) {
        char *name = nullptr;
        if (XFetchName(display, children[i], &name) && name) {
            XWindowAttributes attributes;
            if (qstrcmp(name, title) == 0 && XGetWindowAttributes(display, children[i], &attributes)
                && attributes.map_state == IsViewable)
                ++found;
            XFree(name);
        }
        found += countWindowsNamed(display, children[i], title);
    }
    if (children)
        XFree(children);
    return found;
}

// The library's paths as the running player stored them.
QStringList libraryPaths()
{
    QStringList paths;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "peek");
        db.setDatabaseName(qEnvironmentVariable("XDG_DATA_HOME")
                           + "/KelmoraPlayer/KelmoraPlayerFile.db");
        db.setConnectOptions("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000");
        if (db.open()) {
            QSqlQuery query("SELECT path FROM LoadFiles", db);
            while (query.next())
                paths << query.value(0).toString();
        }
    }
    QSqlDatabase::removeDatabase("peek");
    return paths;
}

QString readLog()
{
    QFile file(qEnvironmentVariable("XDG_DATA_HOME") + "/KelmoraPlayer/log.txt");
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    return QString::fromUtf8(file.readAll());
}
} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void startsAtComputedGeometryAndClosesCleanly();
    void secondStartHandsItsFilesToTheRunningWindow();
};

void TestStartup::startsAtComputedGeometryAndClosesCleanly()
{
    DisplayPtr display(XOpenDisplay(nullptr));
    QVERIFY2(display, "needs an X server (run under xvfb-run)");

    QProcess player;
    player.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    player.start(PLAYER_EXE, {});
    QVERIFY(player.waitForStarted());

    Window window = 0;
    QTRY_VERIFY_WITH_TIMEOUT(
        (window
         = findWindowNamed(display.get(), DefaultRootWindow(display.get()), "Kelmora Player"))
            != 0,
        30000);
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    // The window is named before it is placed, and Qt may recreate it once
    // its OpenGL children appear: look it up again until it is in place.
    const auto placed = [&] {
        window = findWindowNamed(display.get(), DefaultRootWindow(display.get()), "Kelmora Player");
        return window ? windowRect(display.get(), window) : QRect();
    };
    QTRY_COMPARE_WITH_TIMEOUT(placed(), mainWindowGeometry(screen.width(), screen.height()), 10000);

    // The description of the computer arrives from its own thread.
    QTRY_VERIFY_WITH_TIMEOUT(readLog().contains("电脑配置信息:"), 60000);
    requestClose(display.get(), window);
    QVERIFY(player.waitForFinished(30000));
    QCOMPARE(player.exitStatus(), QProcess::NormalExit);
    QCOMPARE(player.exitCode(), 0);

    const QString log = readLog();
    const QStringList inOrder {"打开app创建log文件路径：", "Current working directory:",
                               "AppManager初始化",         "屏幕大小：",
                               "手动关闭播放器",           "LogToFile is close LogToFile destroy"};
    int at = 0;
    for (const QString &line : inOrder) {
        const int next = log.indexOf(line, at);
        QVERIFY2(next >= 0, qPrintable("missing or out of order: " + line));
        at = next;
    }
    QVERIFY(log.contains("SystemInfoThread 已经被销毁")
            || log.contains("SystemInfoThread 执行关闭进程"));
    const int jsonAt = log.indexOf("电脑配置信息:");
    const QString json
        = log.mid(jsonAt + QString("电脑配置信息:").size()).section('\n', 0, 0).trimmed();
    const QJsonObject description = QJsonDocument::fromJson(json.toUtf8()).object();
    QVERIFY2(!description.isEmpty(), qPrintable(json));
    for (const char *key : {"objectName", "osName", "osVersion", "osType", "cpuModel",
                            "totalMemory", "hostName", "listArray", "videoCard"})
        QVERIFY2(description.contains(key), key);
    QVERIFY(description.value("totalMemory").toString().startsWith("总内存:"));
    QVERIFY(description.value("listArray").isArray());
    // Offline, the map's reachability probe backs off instead of flooding the log.
    QVERIFY2(log.count("Network error") <= 3,
             qPrintable(QString::number(log.count("Network error"))));
}

void TestStartup::secondStartHandsItsFilesToTheRunningWindow()
{
    DisplayPtr display(XOpenDisplay(nullptr));
    QVERIFY2(display, "needs an X server (run under xvfb-run)");
    QTemporaryDir media;
    RecordingFactory factory(media.path());
    QVERIFY2(factory.makePlain("first.mp4", 2, false), qPrintable(factory.error()));
    QVERIFY2(factory.makePlain("second 'два'.mp4", 2, false), qPrintable(factory.error()));

    QProcess first;
    first.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    first.start(PLAYER_EXE, {factory.path("first.mp4")});
    QVERIFY(first.waitForStarted());
    const Window root = DefaultRootWindow(display.get());
    QTRY_VERIFY_WITH_TIMEOUT(findWindowNamed(display.get(), root, "Kelmora Player") != 0, 30000);
    QTRY_VERIFY_WITH_TIMEOUT(libraryPaths().contains(factory.path("first.mp4")), 30000);

    // A relative path, as a shell in the media folder gives it.
    QProcess second;
    second.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    second.setWorkingDirectory(media.path());
    second.start(PLAYER_EXE, {"second 'два'.mp4"});
    QVERIFY(second.waitForFinished(20000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(libraryPaths().contains(factory.path("second 'два'.mp4")), 30000);
    QTRY_VERIFY_WITH_TIMEOUT(readLog().contains("handed over by another start"), 5000);
    QCOMPARE(countWindowsNamed(display.get(), root, "Kelmora Player"), 1);
    QCOMPARE(first.state(), QProcess::Running);

    requestClose(display.get(), findWindowNamed(display.get(), root, "Kelmora Player"));
    QVERIFY(first.waitForFinished(30000));
    QCOMPARE(first.exitCode(), 0);
}

KELMORA_TEST_MAIN(QApplication, TestStartup)
#include "tst_startup.moc"
