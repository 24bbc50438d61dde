// Installs this build into a temporary prefix, checks what lands there against
// the freedesktop validators, and starts the installed program under the
// test's X server with a fresh home: it must show its window and load the map
// page from the installed share folder, not from the build tree.
#include "tests/fixtures/RecordingFactory.h"
#include "tests/support/TestHome.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {
struct DisplayCloser
{
    void operator()(Display *d) const { XCloseDisplay(d); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

struct RunResult
{
    int exitCode = -1;
    QString output;
};

RunResult run(const QString &program, const QStringList &arguments, int timeoutMs = 60000)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    RunResult result;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(5000);
        result.output = QStringLiteral("timed out: ");
    }
    result.output += QString::fromUtf8(process.readAll());
    if (process.exitStatus() == QProcess::NormalExit)
        result.exitCode = process.exitCode();
    return result;
}

// A 32-bit cardinal property of a window, -1 when absent; *items gets its length.
long cardinal(Display *display, Window window, const char *name, unsigned long *items = nullptr)
{
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    long value = -1;
    if (XGetWindowProperty(display, window, XInternAtom(display, name, False), 0, 1 << 20, False,
                           XA_CARDINAL, &type, &format, &count, &after, &data)
            == Success
        && data && format == 32 && count > 0)
        value = reinterpret_cast<long *>(data)[0];
    if (items)
        *items = count;
    if (data)
        XFree(data);
    return value;
}

// The viewable top-level window of process pid titled title; other tests on
// the same display may show windows of the same title.
Window windowOf(Display *display, qint64 pid, const char *title)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        char *name = nullptr;
        if (!XFetchName(display, children[i], &name) || !name)
            continue;
        XWindowAttributes attributes;
        if (qstrcmp(name, title) == 0 && cardinal(display, children[i], "_NET_WM_PID") == pid
            && XGetWindowAttributes(display, children[i], &attributes)
            && attributes.map_state == IsViewable)
            found = children[i];
        XFree(name);
    }
    if (children)
        XFree(children);
    return found;
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

QString readLog()
{
    QFile file(qEnvironmentVariable("XDG_DATA_HOME") + "/KelmoraPlayer/log.txt");
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    return QString::fromUtf8(file.readAll());
}

const QString kId = QStringLiteral("org.kelmora.Player");
} // namespace

class TestInstall : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void installsTheApplication_data();
    void installsTheApplication();
    void installsNoTestPrograms();
    void desktopFilesValidate_data();
    void desktopFilesValidate();
    void installedPlayerShowsItsWindowAndMap();
    void packageDeclaresItsDependencies();

private:
    QTemporaryDir m_prefix;
};

void TestInstall::initTestCase()
{
    QVERIFY(m_prefix.isValid());
    const RunResult install
        = run(KELMORA_CMAKE, {"--install", KELMORA_BUILD_DIR, "--prefix", m_prefix.path()});
    QVERIFY2(install.exitCode == 0, qPrintable(install.output));
}

void TestInstall::installsTheApplication_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("player") << "bin/kelmora-player";
    QTest::newRow("telemetry tool") << "bin/kelmora-telemetry";
    for (const char *page : {"osm_map.html", "google_map.html", "baidu_map.html", "map_common.js",
                             "map.css", "map_keys.js", "leaflet/leaflet.js", "leaflet/leaflet.css",
                             "leaflet/images/marker-icon.png", "leaflet/images/layers.png"})
        QTest::newRow(page) << QStringLiteral("share/kelmora-player/Html/") + page;
    QTest::newRow("desktop entry") << "share/applications/" + kId + ".desktop";
    QTest::newRow("metainfo") << "share/metainfo/" + kId + ".metainfo.xml";
    QTest::newRow("scalable icon") << "share/icons/hicolor/scalable/apps/" + kId + ".svg";
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        QTest::addRow("icon %d", size)
            << QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(kId);
}

void TestInstall::installsTheApplication()
{
    QFETCH(QString, path);
    const QFileInfo file(QDir(m_prefix.path()).filePath(path));
    QVERIFY2(file.isFile() && file.size() > 0, qPrintable(path));
    if (path.startsWith("bin/"))
        QVERIFY(file.isExecutable());
    if (path.startsWith("share/icons/") && path.endsWith(".png")) {
        // A theme icon must have the size of the folder it is in.
        const QString size = path.section('/', 3, 3);
        QImage icon(file.filePath());
        QCOMPARE(QStringLiteral("%1x%2").arg(icon.width()).arg(icon.height()), size);
    }
}

void TestInstall::installsNoTestPrograms()
{
    QCOMPARE(
        QDir(m_prefix.filePath("bin")).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
        QStringList({"kelmora-player", "kelmora-telemetry"}));
}

void TestInstall::desktopFilesValidate_data()
{
    QTest::addColumn<QString>("tool");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("desktop entry")
        << "desktop-file-validate" << QStringList {"share/applications/" + kId + ".desktop"};
    QTest::newRow("metainfo") << "appstreamcli"
                              << QStringList {"validate", "--no-net",
                                              "share/metainfo/" + kId + ".metainfo.xml"};
}

void TestInstall::desktopFilesValidate()
{
    QFETCH(QString, tool);
    QFETCH(QStringList, arguments);
    const QString program = QStandardPaths::findExecutable(tool);
    QVERIFY2(!program.isEmpty(), qPrintable(tool + " is missing: see scripts/packages.txt"));
    arguments.last() = m_prefix.filePath(arguments.last());
    const RunResult result = run(program, arguments);
    QVERIFY2(result.exitCode == 0, qPrintable(result.output));
    // desktop-file-validate passes hints with exit code 0; the entry must have none.
    if (tool == "desktop-file-validate")
        QVERIFY2(result.output.trimmed().isEmpty(), qPrintable(result.output));
}

void TestInstall::installedPlayerShowsItsWindowAndMap()
{
    DisplayPtr display(XOpenDisplay(nullptr));
    QVERIFY2(display, "needs an X server (run under xvfb-run)");
    QTemporaryDir workDir;
    // A file manager's "Open with" hands the file over as the menu entry says.
    RecordingFactory factory(workDir.path());
    QVERIFY2(factory.makePlain("opened.mp4", 2, false), qPrintable(factory.error()));
    QProcess player;
    player.setWorkingDirectory(workDir.path());
    player.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    player.start(m_prefix.filePath("bin/kelmora-player"), {"opened.mp4"});
    QVERIFY(player.waitForStarted());
    const qint64 pid = player.processId();

    Window window = 0;
    QTRY_VERIFY_WITH_TIMEOUT((window = windowOf(display.get(), pid, "Kelmora Player")) != 0, 60000);
    // Window managers and task bars show this one; the desktop entry names the same.
    unsigned long iconItems = 0;
    QCOMPARE(cardinal(display.get(), window, "_NET_WM_ICON", &iconItems), 16L);
    QVERIFY(iconItems > 256 * 256);

    const QString page = QDir(m_prefix.path()).filePath("share/kelmora-player/Html/osm_map.html");
    QTRY_VERIFY_WITH_TIMEOUT(readLog().contains("地图URL改变: \"" + page + "\""), 30000);
    QTRY_VERIFY_WITH_TIMEOUT(readLog().contains("地图加载完成"), 30000);
    QVERIFY2(!readLog().contains("地图加载失败"), qPrintable(readLog()));
    // The file is imported and its row stored, as if added by hand.
    QTRY_VERIFY_WITH_TIMEOUT(readLog().contains("import found: 1 recordings, 1 new"), 30000);
    QTRY_VERIFY_WITH_TIMEOUT(readLog().contains("AddLoadWidget sendLoadingCompleted"), 30000);

    requestClose(display.get(), window);
    if (!player.waitForFinished(30000)) {
        player.kill();
        player.waitForFinished(5000);
        QFAIL("the installed player did not close");
    }
    QCOMPARE(player.exitStatus(), QProcess::NormalExit);
    QCOMPARE(player.exitCode(), 0);
    // An installed program keeps its crash reports in the data folder, not in bin/.
    QVERIFY(!QFileInfo::exists(m_prefix.filePath("bin/crashes")));
    QVERIFY(QFileInfo(qEnvironmentVariable("XDG_DATA_HOME") + "/KelmoraPlayer/crashes").isDir());
}

// The package installs under /usr and names what the player runs besides the
// libraries it links: ffmpeg, libVLC's plugins and Qt's SQLite driver. cpack's
// own install step first builds every target of the tree, tests included (half
// a minute even when nothing changed), so the package is made from a staged
// install with the build's CPack settings.
void TestInstall::packageDeclaresItsDependencies()
{
    QTemporaryDir stage, out;
    QProcess install;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DESTDIR", stage.path());
    install.setProcessEnvironment(env);
    install.setProcessChannelMode(QProcess::MergedChannels);
    install.start(KELMORA_CMAKE, {"--install", KELMORA_BUILD_DIR, "--prefix", "/usr"});
    QVERIFY(install.waitForFinished(60000));
    QVERIFY2(install.exitCode() == 0, install.readAll().constData());

    const RunResult cpack = run(KELMORA_CPACK,
                                {"-G", "DEB", "-B", out.path(), "--config",
                                 QStringLiteral(KELMORA_BUILD_DIR) + "/CPackConfig.cmake", "-D",
                                 "CPACK_INSTALL_CMAKE_PROJECTS=", "-D",
                                 "CPACK_INSTALLED_DIRECTORIES=" + stage.path() + ";."},
                                120000);
    QVERIFY2(cpack.exitCode == 0, qPrintable(cpack.output));
    const QStringList debs = QDir(out.path()).entryList({"kelmora-player_*_*.deb"}, QDir::Files);
    QCOMPARE(debs.size(), 1);
    const QString deb = out.filePath(debs.first());

    const RunResult fields = run("dpkg-deb", {"-f", deb, "Package", "Section", "Depends"});
    QCOMPARE(fields.exitCode, 0);
    QVERIFY2(fields.output.contains("Package: kelmora-player"), qPrintable(fields.output));
    QVERIFY2(fields.output.contains("Section: video"), qPrintable(fields.output));
    const QString depends = fields.output.section("Depends:", 1).simplified();
    for (const char *name : {"ffmpeg", "vlc-plugin-base", "vlc-plugin-video-output",
                             "libqt5sql5-sqlite", "libvlc5", "libqt5webenginewidgets5"}) {
        const QRegularExpression entry(QStringLiteral("(^|, )%1( |,|$)").arg(name));
        QVERIFY2(entry.match(depends).hasMatch(), qPrintable(name + (": " + depends)));
    }

    const RunResult contents = run("dpkg-deb", {"-c", deb});
    QCOMPARE(contents.exitCode, 0);
    for (const char *path : {"./usr/bin/kelmora-player", "./usr/bin/kelmora-telemetry",
                             "./usr/share/kelmora-player/Html/osm_map.html",
                             "./usr/share/applications/org.kelmora.Player.desktop"})
        QVERIFY2(contents.output.contains(path), path);
}

KELMORA_TEST_MAIN(QCoreApplication, TestInstall)
#include "tst_install.moc"
