// Start-up and responsiveness figures, printed as medians (never pass/fail):
//   window  - process start of the real player to its main window mapped
//   frame1  - row click to the first frame of a one-channel group
//   frame4  - row click to the first frame of every channel of a four-channel group
//   list    - a library of 5,000 rows to a shown file list
// Run under an X server (xvfb-run -a -s "-screen 0 1920x1080x24" ./bench_startup [runs]).
// Each figure runs in a fresh temporary home, so no earlier run's library counts.
#include "app/AppManager.h"
#include "app/KelmoraWidget.h"
#include "app/MainComposition.h"
#include "library/DbManager.h"
#include "library/DbModel.h"
#include "library/FilesListView.h"
#include "playback/OrbPlayer.h"
#include "playback/PlayObject.h"
#include "playback/PlayObjectState.h"
#include "playback/PlayerTool.h"
#include "playback/VideoView.h"
#include "tests/fixtures/FixtureTracks.h"
#include "tests/fixtures/RecordingFactory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QProcess>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QThread>

#include <X11/Xlib.h>
#include <algorithm>
#include <memory>

namespace {

double median(QVector<double> values)
{
    if (values.isEmpty())
        return -1;
    std::sort(values.begin(), values.end());
    const int n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void report(const char *name, const QVector<double> &values, double goal)
{
    QStringList all;
    for (double v : values)
        all << QString::number(v, 'f', 0);
    QTextStream(stdout) << QString("%1 median %2 ms (goal < %3 ms) runs: %4\n")
                               .arg(name, -7)
                               .arg(median(values), 0, 'f', 0)
                               .arg(goal)
                               .arg(all.join(' '));
}

bool viewableWindowNamed(Display *display, Window parent, const char *title)
{
    Window root = 0, ret = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, parent, &root, &ret, &children, &count))
        return false;
    bool found = false;
    for (unsigned int i = 0; i < count && !found; ++i) {
        char *name = nullptr;
        if (XFetchName(display, children[i], &name) && name) {
            XWindowAttributes attributes;
            found = qstrcmp(name, title) == 0
                && XGetWindowAttributes(display, children[i], &attributes)
                && attributes.map_state == IsViewable;
            XFree(name);
        }
        if (!found)
            found = viewableWindowNamed(display, children[i], title);
    }
    if (children)
        XFree(children);
    return found;
}

// The real executable in a fresh home; -1 when its window never shows.
double windowShown()
{
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_DATA_HOME", home.path() + "/data");
    env.insert("XDG_CONFIG_HOME", home.path() + "/config");
    env.insert("XDG_CACHE_HOME", home.path() + "/cache");
    env.insert("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QProcess player;
    player.setProcessEnvironment(env);
    player.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    player.setStandardOutputFile(QProcess::nullDevice());
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return -1;
    QElapsedTimer clock;
    clock.start();
    player.start(QStringLiteral(PLAYER_EXE), {});
    double shown = -1;
    while (clock.elapsed() < 30000 && player.state() != QProcess::NotRunning) {
        if (viewableWindowNamed(display, DefaultRootWindow(display), "Kelmora Player")) {
            shown = clock.nsecsElapsed() / 1e6;
            break;
        }
        QThread::usleep(2000);
    }
    XCloseDisplay(display);
    player.terminate();
    if (!player.waitForFinished(10000)) {
        player.kill();
        player.waitForFinished(5000);
    }
    return shown;
}

void addRow(const QString &path, const QString &time)
{
    DbModel model;
    model.fileName = QFileInfo(path).fileName();
    model.path = path;
    model.time = time;
    model.size = "1.0";
    model.width = "0";
    model.height = "0";
    model.insertToDb();
}

// Row click to the first frame of every channel of the clicked group.
QVector<double> firstFrames(const QStringList &group, int playMode, int runs)
{
    DbManager::instance()->deleteAllData(DbTableKind::LoadFiles);
    for (const QString &path : group)
        addRow(path, "20230501120000000");
    AppManager::instance()->setPlayModelType(playMode);
    auto *window = new KelmoraWidget;
    AppManager::instance()->setMainWindow(window);
    window->setGeometry(mainWindowGeometry(1920, 1080));
    const MainPanels panels = composeMainWindow(window);
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        qWarning() << "main window not exposed";
    afterMainWindowShown(panels);
    QListWidget *list = panels.fileList->listWidget();
    OrbPlayer *player = panels.videoView->playerTool()->player();

    QVector<double> times;
    for (int run = 0; run < runs + 1; ++run) { // the first run warms libVLC up
        QElapsedTimer wait;
        wait.start();
        while (!list->isEnabled() && wait.elapsed() < 20000)
            QTest::qWait(10);
        QTest::qWait(300);
        // Frames already queued may arrive after this run: their state outlives it.
        struct Run
        {
            QElapsedTimer clock;
            QSet<QObject *> drawn;
            double done = -1;
            int channels = 0;
        };
        auto state = std::make_shared<Run>();
        state->clock.start();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
        state->channels = player->channels().size();
        QList<QMetaObject::Connection> watches;
        for (PlayObject *channel : player->channels())
            watches << QObject::connect(
                channel, &PlayObject::updateTexture2D, channel, [state, channel] {
                    state->drawn << channel;
                    if (state->done < 0 && state->drawn.size() == state->channels)
                        state->done = state->clock.nsecsElapsed() / 1e6;
                });
        while (state->done < 0 && state->clock.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        for (const QMetaObject::Connection &watch : watches)
            QObject::disconnect(watch);
        const double done = state->done;
        if (player->channels().size() != group.size())
            qWarning() << "played" << player->channels().size() << "channels, expected"
                       << group.size();
        if (run > 0)
            times << done;
    }
    window->close();
    delete window;
    AppManager::instance()->setMainWindow(nullptr);
    QTest::qWait(200);
    return times;
}

// A library of rows rows to a shown list.
QVector<double> listShown(int rows, int runs)
{
    DbManager::instance()->deleteAllData(DbTableKind::LoadFiles);
    QSqlDatabase::database().transaction(); // set-up only
    for (int i = 0; i < rows; ++i)
        addRow(QStringLiteral("/media/dashcam/2024%1_120000_F.MP4").arg(i, 6, 10, QLatin1Char('0')),
               QStringLiteral("20240101120000%1").arg(i % 1000, 3, 10, QLatin1Char('0')));
    QSqlDatabase::database().commit();
    // The database read alone, to tell it from building the rows.
    QVector<double> reads;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer clock;
        clock.start();
        DbManager::instance()->selectDbModels(DbTableKind::LoadFiles, 0, {}, {"time"},
                                              [](QList<DbModel *>, bool) {});
        reads << clock.nsecsElapsed() / 1e6;
    }
    report("read", reads, 500);
    QVector<double> times;
    for (int run = 0; run < runs; ++run) {
        QWidget window;
        window.resize(600, 800);
        QElapsedTimer clock;
        clock.start();
        auto *list = new FilesListView(&window, &window);
        list->resize(600, 800);
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qWarning() << "list window not exposed";
        QCoreApplication::processEvents();
        times << clock.nsecsElapsed() / 1e6;
        if (list->rowCount() != rows)
            qWarning() << "listed" << list->rowCount() << "rows, expected" << rows;
    }
    return times;
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("XDG_CACHE_HOME", (home.path() + "/cache").toUtf8());
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    qRegisterMetaType<PlayObjectState>("PlayObjectState");
    QCoreApplication::setOrganizationName("Brisdale");
    QCoreApplication::setApplicationName("KelmoraPlayer");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type >= QtWarningMsg && !text.contains("ALSA"))
            QTextStream(stderr) << text << '\n';
    });
    const int runs = argc > 1 ? qMax(1, QString(argv[1]).toInt()) : 5;

    QVector<double> windows;
    for (int run = 0; run < runs; ++run)
        windows << windowShown();
    report("window", windows, 1000);

    QTemporaryDir media;
    RecordingFactory factory(media.path());
    factory.setVideo(640, 360);
    QStringList four;
    for (const char *channel : {"F", "R", "I", "B"}) {
        const QString name = QString("2023_0501_120000_001_%1.mp4").arg(channel);
        if (!factory.makeTextStream(name, longDrive(10))) {
            QTextStream(stderr) << "cannot make recordings: " << factory.error() << '\n';
            return 1;
        }
        four << factory.path(name);
    }
    AppManager::instance();
    report("frame1", firstFrames({four.first()}, 0, runs), 300);
    report("frame4", firstFrames(four, 3, runs), 300);
    report("list", listShown(5000, runs), 500);
    return 0;
}
