// Broken and hostile recordings through the paths a user drives: import,
// telemetry look-up, playing from the file list, still capture and cut. Each
// ends in pictures, a message or a fallback; never in a crash, a hang or a
// lost or wrong library row.
#include "app/AppManager.h"
#include "app/Helpers.h"
#include "app/SettingsKeys.h"
#include "edit/VideoEdit.h"
#include "library/AddLoadWidget.h"
#include "library/DbManager.h"
#include "library/DbModel.h"
#include "library/FilesListView.h"
#include "library/VideoMessage.h"
#include "playback/OrbPlayer.h"
#include "playback/PlayObject.h"
#include "playback/PlayerTool.h"
#include "playback/VideoView.h"
#include "render/RenderView.h"
#include "telemetry/RecordLookup.h"
#include "tests/fixtures/Mp4Box.h"
#include "tests/support/SanitizerSkips.h"
#include "tests/support/TestClips.h"
#include "tests/support/TestFiles.h"
#include "tests/support/TestHome.h"

#include <QApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QVBoxLayout>
#include <QtTest>

namespace {
// Every outcome, good or bad, comes well within this.
constexpr int kBoundMs = 30000;

enum Outcome { Pictures, Report, Either };

QByteArray withoutMoov(const QByteArray &mp4)
{
    QVector<Mp4Box> boxes;
    if (!parseBoxes(mp4, &boxes))
        return {};
    QVector<Mp4Box> kept;
    for (const Mp4Box &box : qAsConst(boxes)) {
        if (box.type != "moov")
            kept << box;
    }
    return serializeBoxes(kept);
}

// Cut at a fraction of the moov box, which ffmpeg writes at the end: its
// video track comes first, then the sound track.
QByteArray cutInsideMoov(const QByteArray &mp4, double fraction)
{
    int pos = 0;
    while (pos + 8 <= mp4.size()) {
        const int size = int(be32(mp4, pos));
        if (mp4.mid(pos + 4, 4) == "moov")
            return mp4.left(pos + int(size * fraction));
        if (size < 8)
            break;
        pos += size;
    }
    return {};
}

bool runFfmpeg(const QStringList &args)
{
    QProcess ffmpeg;
    ffmpeg.start(QStringLiteral("ffmpeg"), QStringList {"-v", "error", "-y"} + args);
    return ffmpeg.waitForFinished(60000) && ffmpeg.exitStatus() == QProcess::NormalExit
        && ffmpeg.exitCode() == 0;
}

// 320 x 180 for a second, then 640 x 360 for a second, in one stream.
bool makeResolutionChange(const QString &folder, const QString &target)
{
    const QString small = QDir(folder).filePath("part_small.ts");
    const QString large = QDir(folder).filePath("part_large.ts");
    const QString list = QDir(folder).filePath("parts.txt");
    const QStringList encode {"-pix_fmt",  "yuv420p", "-c:v", "libx264", "-preset",
                              "ultrafast", "-g",      "25",   "-f",      "mpegts"};
    if (!runFfmpeg(QStringList {"-f", "lavfi", "-i", "testsrc2=s=320x180:r=25:d=1"} + encode
                   + QStringList {small})
        || !runFfmpeg(QStringList {"-f", "lavfi", "-i", "testsrc2=s=640x360:r=25:d=1"} + encode
                      + QStringList {large})
        || !writeAll(list, QString("file '%1'\nfile '%2'\n").arg(small, large).toUtf8()))
        return false;
    return runFfmpeg({"-f", "concat", "-safe", "0", "-i", list, "-c", "copy", target});
}

QStringList storedPaths()
{
    QSqlQuery query(QStringLiteral("SELECT path FROM LoadFiles ORDER BY path"));
    QStringList paths;
    while (query.next())
        paths << query.value(0).toString();
    return paths;
}

bool libraryIntact()
{
    QSqlQuery check(QStringLiteral("PRAGMA integrity_check"));
    return check.next() && check.value(0).toString() == QLatin1String("ok");
}

// Imports files through the import panel; false when the batch never completed.
bool importFiles(const QStringList &files)
{
    AddLoadWidget panel(QStringLiteral("Video is loading"), files);
    QSignalSpy completed(&panel, &AddLoadWidget::sendLoadingCompleted);
    return completed.wait(kBoundMs) && completed.count() == 1;
}

DbModel entryFor(const QString &path, const QString &time)
{
    DbModel model;
    model.fileName = QFileInfo(path).fileName();
    model.path = path;
    model.time = time;
    model.size = QStringLiteral("1.0");
    return model;
}

QStringList promptTexts(QWidget *root)
{
    QStringList texts;
    for (QWidget *hud : root->findChildren<QWidget *>(QStringLiteral("orbHudView"))) {
        if (auto *label = hud->findChild<QLabel *>(QStringLiteral("messageLabel")))
            texts << label->text();
    }
    return texts;
}

QStringList pwnedFiles(const QStringList &folders)
{
    QStringList found;
    for (const QString &folder : folders) {
        QDirIterator it(folder, {"pwned*"}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            found << it.next();
    }
    return found;
}
} // namespace
Q_DECLARE_METATYPE(Outcome)

class TestHostileMedia : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void importStoresWhatFfmpegReads_data();
    void importStoresWhatFfmpegReads();
    void playingEndsInPicturesOrAReport_data();
    void playingEndsInPicturesOrAReport();
    void nativeWindowRefusesWhatCannotPlay_data();
    void nativeWindowRefusesWhatCannotPlay();
    void folderNeverTakesAFilesThumbnail();
    void vanishedFileIsReportedAndRowsStay();
    void oddNamesImportPlayCaptureAndCut_data();
    void oddNamesImportPlayCaptureAndCut();

private:
    void addHostileRows();
    void buildPlayer();
    int rowOf(const QString &path) const;
    OrbPlayer *player() const { return m_view->playerTool()->player(); }

    QTemporaryDir m_dir;
    QString m_good;
    QString m_long; // long enough to pause, capture and cut
    QString m_saveDir;
    std::unique_ptr<QWidget> m_window;
    VideoView *m_view = nullptr;
    FilesListView *m_list = nullptr;
};

void TestHostileMedia::initTestCase()
{
    qRegisterMetaType<QList<DbModel *>>("QList<DbModel*>");
    qRegisterMetaType<PlayObjectState>("PlayObjectState");
    qRegisterMetaType<VideoDataOrb>("VideoDataOrb");
    AppManager::instance();
    QVERIFY(m_dir.isValid());
    const QDir dir(m_dir.path());
    m_good = makeTestClip(dir.filePath("good.mp4"), "testsrc2=s=320x180:r=25:d=2", "sine=d=2");
    QVERIFY(!m_good.isEmpty());
    m_long = makeTestClip(dir.filePath("long.mp4"), "testsrc2=s=320x180:r=25:d=6", "sine=d=6");
    QVERIFY(!m_long.isEmpty());
    const QString fast = dir.filePath("fast.mp4");
    QVERIFY(runFfmpeg({"-i", m_good, "-c", "copy", "-movflags", "+faststart", fast}));

    const QByteArray good = readAll(m_good);
    const QByteArray moovFirst = readAll(fast);
    for (int percent : {1, 50, 99}) {
        QVERIFY(writeAll(dir.filePath(QString("cut_%1_moov_last.mp4").arg(percent)),
                         good.left(good.size() * percent / 100)));
        QVERIFY(writeAll(dir.filePath(QString("cut_%1_moov_first.mp4").arg(percent)),
                         moovFirst.left(moovFirst.size() * percent / 100)));
    }
    QVERIFY(writeAll(dir.filePath("no_moov.mp4"), withoutMoov(good)));
    const QByteArray inVideo = cutInsideMoov(good, 0.25);
    const QByteArray inSound = cutInsideMoov(good, 0.5);
    QVERIFY(!inVideo.isEmpty() && !inSound.isEmpty());
    QVERIFY(writeAll(dir.filePath("moov_cut_video.mp4"), inVideo));
    QVERIFY(writeAll(dir.filePath("moov_cut_sound.mp4"), inSound));
    QVERIFY(writeAll(dir.filePath("empty.mp4"), {}));
    QVERIFY(dir.mkpath("clip.mp4"));
    QVERIFY(makeResolutionChange(m_dir.path(), dir.filePath("size_change.ts")));
    QVERIFY(runFfmpeg(
        {"-i", dir.filePath("size_change.ts"), "-c", "copy", dir.filePath("size_change.mp4")}));
    QVERIFY(writeAll(dir.filePath("streams_1000.mp4"), withTrackCount(good, 500)));
    const QByteArray many = withTrackCount(good, 5000);
    QVERIFY(many.size() > good.size());
    QVERIFY(writeAll(dir.filePath("streams_10000.mp4"), many));
    QVERIFY(writeAll(dir.filePath("streams_0.mp4"), withTrackCount(good, 0)));

    m_saveDir = dir.filePath("saved");
    QVERIFY(dir.mkpath("saved"));
    settingsValue(QLatin1String(SettingsKeys::SaveFilePath), m_saveDir, true);
}

void TestHostileMedia::init()
{
    DbManager::instance()->helper().createTable(DbManager::tableDefinition(DbTableKind::LoadFiles));
    DbManager::instance()->deleteAllData(DbTableKind::LoadFiles);
    DbManager::instance()->deleteAllData(DbTableKind::VideoMessage);
    AppManager::instance()->setPlayModelType(PlayMode::OneChannel);
}

void TestHostileMedia::cleanup()
{
    m_window.reset();
    m_view = nullptr;
    m_list = nullptr;
    AppManager::instance()->setMainWindow(nullptr);
}

// The list and the playback area, connected as the main window connects them.
void TestHostileMedia::buildPlayer()
{
    m_window = std::make_unique<QWidget>();
    m_window->resize(1500, 700);
    auto *layout = new QHBoxLayout(m_window.get());
    auto *left = new QVBoxLayout;
    layout->addLayout(left, 3);
    m_view = new VideoView(m_window.get(), m_window.get(), nullptr, left);
    left->addWidget(m_view);
    m_list = new FilesListView(m_window.get(), m_window.get());
    m_list->setVideoView(m_view);
    layout->addWidget(m_list, 1);
    connect(m_list, &FilesListView::currentWillPlayList, m_view, &VideoView::playList);
    connect(m_view, &VideoView::willPlaySameVideo, m_list, &FilesListView::playSameAs);
    connect(m_view, &VideoView::willPlayNextVideo, m_list,
            [this](const QString &url, bool) { m_list->playNextOf(url); });
    connect(m_view, &VideoView::willPlayPreviousVideo, m_list, &FilesListView::playPreviousOf);
    connect(m_list, &FilesListView::userSelectDelete, m_view, &VideoView::recordsDeleted);
    connect(m_list, &FilesListView::playFinishAllFiles, m_view, &VideoView::allFilesFinished);
    connect(m_view, &VideoView::postPlayingState, m_list, &FilesListView::enableList);
    AppManager::instance()->setMainWindow(m_window.get());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

int TestHostileMedia::rowOf(const QString &path) const
{
    for (int row = 0; row < m_list->rowCount(); ++row) {
        if (m_list->modelAt(row)->path == path)
            return row;
    }
    return -1;
}

void TestHostileMedia::addHostileRows()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("stored"); // the import keeps a row
    QTest::addColumn<int>("width"); // the looked-up record's width; 0: not probed
    // Playing it shows frames, then the next row plays (Pictures); or it shows
    // none and says it cannot be played (Report); or, as timing has it, either.
    QTest::addColumn<Outcome>("outcome");
    QTest::newRow("1 %, moov last") << "cut_1_moov_last.mp4" << false << 0 << Report;
    QTest::newRow("50 %, moov last") << "cut_50_moov_last.mp4" << false << 0 << Report;
    QTest::newRow("99 %, moov last") << "cut_99_moov_last.mp4" << false << 0 << Report;
    QTest::newRow("1 %, moov first") << "cut_1_moov_first.mp4" << false << 0 << Report;
    // ffmpeg decodes the first frames (a thumbnail, so a row); libVLC mostly
    // gives up at once, but when slow it shows a few frames first.
    QTest::newRow("50 %, moov first") << "cut_50_moov_first.mp4" << true << 320 << Either;
    QTest::newRow("99 %, moov first") << "cut_99_moov_first.mp4" << true << 320 << Pictures;
    QTest::newRow("moov missing") << "no_moov.mp4" << false << 0 << Report;
    QTest::newRow("moov cut in the video track") << "moov_cut_video.mp4" << false << 0 << Report;
    // The sound track is lost; the whole video track is still there.
    QTest::newRow("moov cut in the sound track") << "moov_cut_sound.mp4" << true << 320 << Pictures;
    QTest::newRow("zero bytes") << "empty.mp4" << false << 0 << Report;
    QTest::newRow("folder named like a video") << "clip.mp4" << false << 0 << Report;
    // Transport streams are not probed: they play at the decoder's frame size.
    QTest::newRow("size change, ts") << "size_change.ts" << true << 0 << Pictures;
    QTest::newRow("size change, mp4") << "size_change.mp4" << true << 320 << Pictures;
    // ffmpeg makes the thumbnail (seconds, 1.5 GB in its own process); the
    // look-up on the GUI thread refuses that many tracks.
    QTest::newRow("1000 streams") << "streams_1000.mp4" << true << 0 << Report;
    QTest::newRow("10000 streams") << "streams_10000.mp4" << false << 0 << Report;
    QTest::newRow("0 streams") << "streams_0.mp4" << false << 0 << Report;
}

void TestHostileMedia::importStoresWhatFfmpegReads_data()
{
    addHostileRows();
}

void TestHostileMedia::importStoresWhatFfmpegReads()
{
    QFETCH(QString, name);
    QFETCH(bool, stored);
    QFETCH(int, width);
    const QString path = QDir(m_dir.path()).filePath(name);
    // Between two good files: the batch goes on past the bad one.
    const QString before = QDir(m_dir.path()).filePath("a_before.mp4");
    const QString after = QDir(m_dir.path()).filePath("z_after.mp4");
    QFile::remove(before);
    QFile::remove(after);
    QVERIFY(QFile::copy(m_good, before) && QFile::copy(m_good, after));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(importFiles({before, path, after}));
    qInfo() << name << "imported in" << clock.elapsed() << "ms";

    QStringList expected {before, after};
    if (stored)
        expected.insert(1, path);
    QCOMPARE(storedPaths(), expected);
    QVERIFY(libraryIntact());

    // The record the player and the panels look up: a probe that fails
    // leaves a record without picture size, never a crash.
    clock.restart();
    const VideoMessage record
        = RecordLookup::find(entryFor(path, "20240101120000000"), RecordLookup::Log::Player);
    qInfo() << name << "looked up in" << clock.elapsed() << "ms";
    QCOMPARE(record.path, path);
    QCOMPARE(record.width.toInt(), width);
    QVERIFY(record.gpsItems.isEmpty());
}

void TestHostileMedia::playingEndsInPicturesOrAReport_data()
{
    addHostileRows();
}

void TestHostileMedia::playingEndsInPicturesOrAReport()
{
    QFETCH(QString, name);
    QFETCH(Outcome, outcome);
    const QString path = QDir(m_dir.path()).filePath(name);
    // The file was fine when imported and went bad since; a good one follows.
    QVERIFY(entryFor(path, "20240101120000000").insertToDb());
    QVERIFY(entryFor(m_good, "20240101120000001").insertToDb());
    buildPlayer();
    QCOMPARE(m_list->rowCount(), 2);
    QCOMPARE(rowOf(path), 0);

    QSignalSpy errors(player(), &OrbPlayer::displayErrorMessage);
    QSignalSpy states(player(), &OrbPlayer::playbackStateChange);
    QSignalSpy reported(m_view->playerTool(), &PlayerTool::postPlayErrorMessage);
    m_list->on_listWidget_itemClicked(m_list->listWidget()->item(0));
    int frames = 0;
    // Frames may still be queued when this row ends: the counter's scope drops them.
    QObject frameCounter;
    if (PlayObject *channel = player()->masterChannel()) {
        QCOMPARE(channel->url(), path);
        connect(channel, &PlayObject::updateTexture2D, &frameCounter, [&frames] { ++frames; });
    }
    const auto settled = [&] {
        bool ended = false;
        for (const QList<QVariant> &args : qAsConst(states))
            ended = ended || args.at(0).value<PlayObjectState>() == Ended
                || args.at(0).value<PlayObjectState>() == Error;
        return ended || !errors.isEmpty() || !promptTexts(m_view->renderView()).isEmpty()
            || player()->currentUrl() == m_good;
    };
    QTRY_VERIFY_WITH_TIMEOUT(settled(), kBoundMs);
    qInfo() << name << "frames" << frames << "errors" << errors.size() << "prompts"
            << promptTexts(m_view->renderView());
    const QStringList cannotPlay {QCoreApplication::translate("VideoView", "video_cannot_play")};
    if (outcome == Pictures) {
        QVERIFY(frames > 0);
        // At its end the next row plays, as after any recording.
        QTRY_COMPARE_WITH_TIMEOUT(player()->currentUrl(), m_good, kBoundMs);
    } else if (outcome == Either && frames > 0) {
        // Where the pictures stop it either ends or fails; never stuck.
        QTRY_VERIFY_WITH_TIMEOUT(player()->currentUrl() == m_good
                                     || promptTexts(m_view->renderView()) == cannotPlay,
                                 kBoundMs);
        QTRY_VERIFY_WITH_TIMEOUT(m_list->listWidget()->isEnabled(), kBoundMs);
    } else {
        QCOMPARE(frames, 0);
        QVERIFY(!reported.isEmpty());
        // Said once in words, however many ways the file failed.
        QTRY_COMPARE_WITH_TIMEOUT(promptTexts(m_view->renderView()), cannotPlay, kBoundMs);
        // Ended as an error: the list takes the next click, nothing moves on by itself.
        QTRY_VERIFY_WITH_TIMEOUT(m_list->listWidget()->isEnabled(), kBoundMs);
        QTest::qWait(500);
        QVERIFY(player()->currentUrl() != m_good);
        QVERIFY(!m_view->playerTool()
                     ->findChild<QPushButton *>(QStringLiteral("playButton"))
                     ->isEnabled());
    }

    QElapsedTimer clock;
    clock.start();
    m_view->closePlayer();
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QStringList rows {path, m_good};
    rows.sort();
    QCOMPARE(storedPaths(), rows); // a row is dropped only by the user
    QVERIFY(libraryIntact());
}

void TestHostileMedia::nativeWindowRefusesWhatCannotPlay_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("1000 streams") << "streams_1000.mp4";
    QTest::newRow("zero bytes") << "empty.mp4";
    QTest::newRow("moov missing") << "no_moov.mp4";
}

// libVLC drawing into a native window has no use for the probed frame size,
// but a file the probe cannot read keeps it, and its stop, just as busy.
void TestHostileMedia::nativeWindowRefusesWhatCannotPlay()
{
    QFETCH(QString, name);
    KELMORA_SKIP_NATIVE_WINDOW_UNDER_TSAN();
    const QString path = QDir(m_dir.path()).filePath(name);
    QVERIFY(entryFor(path, "20240101120000000").insertToDb());
    AppManager::instance()->switchPlayerType(PlayerType::NativeWindow);
    const auto restore
        = qScopeGuard([] { AppManager::instance()->switchPlayerType(PlayerType::OpenGL); });
    buildPlayer();
    QCOMPARE(m_list->rowCount(), 1);

    QElapsedTimer clock;
    clock.start();
    m_list->on_listWidget_itemClicked(m_list->listWidget()->item(0));
    QTRY_COMPARE_WITH_TIMEOUT(
        promptTexts(m_view->renderView()),
        QStringList {QCoreApplication::translate("VideoView", "video_cannot_play")}, kBoundMs);
    QTRY_VERIFY_WITH_TIMEOUT(m_list->listWidget()->isEnabled(), kBoundMs);
    qInfo() << name << "reported after" << clock.elapsed() << "ms";
    clock.restart();
    m_view->closePlayer();
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(storedPaths(), QStringList {path});
}

void TestHostileMedia::folderNeverTakesAFilesThumbnail()
{
    // Thumbnails are named after the file's base name, so a recording
    // "clip.mp4" elsewhere has made the one a folder of that name would reuse.
    const QString folder = QDir(m_dir.path()).filePath("clip.mp4");
    const QString other = QDir(m_dir.path()).filePath("elsewhere/clip.mp4");
    QVERIFY(QDir().mkpath(QFileInfo(other).path()));
    QFile::remove(other);
    QVERIFY(QFile::copy(m_good, other));
    QVERIFY(importFiles({other}));
    QVERIFY(importFiles({folder}));
    QCOMPARE(storedPaths(), QStringList {other});
}

void TestHostileMedia::vanishedFileIsReportedAndRowsStay()
{
    QStringList files;
    for (const char *name : {"vanish_1.mp4", "vanish_2.mp4", "vanish_3.mp4"}) {
        files << QDir(m_dir.path()).filePath(name);
        QFile::remove(files.last());
        QVERIFY(QFile::copy(m_good, files.last()));
    }
    QVERIFY(importFiles(files));
    QCOMPARE(storedPaths(), files);
    QVERIFY(QFile::remove(files.at(0)));
    buildPlayer();
    QCOMPARE(m_list->rowCount(), 3);
    QSignalSpy states(player(), &OrbPlayer::playbackStateChange);

    // Gone before the click: the player says so; the row stays for the user to remove.
    m_list->on_listWidget_itemClicked(m_list->listWidget()->item(rowOf(files.at(0))));
    QTRY_COMPARE_WITH_TIMEOUT(
        promptTexts(m_view->renderView()),
        QStringList {QCoreApplication::translate("VideoView", "select_files_No_Has")}, kBoundMs);
    QVERIFY(player()->channels().isEmpty());
    QVERIFY(m_list->listWidget()->isEnabled());
    QCOMPARE(storedPaths(), files);

    // Gone while it plays: at its end the next row plays, as after any other.
    m_list->on_listWidget_itemClicked(m_list->listWidget()->item(rowOf(files.at(1))));
    QCOMPARE(player()->currentUrl(), files.at(1));
    QTRY_VERIFY_WITH_TIMEOUT(
        states.size() > 0 && states.last().at(0).value<PlayObjectState>() == Playing, kBoundMs);
    QVERIFY(QFile::remove(files.at(1)));
    QTRY_COMPARE_WITH_TIMEOUT(player()->currentUrl(), files.at(2), kBoundMs);
    QVERIFY(player()->masterChannel());
    QCOMPARE(storedPaths(), files);
}

void TestHostileMedia::oddNamesImportPlayCaptureAndCut_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("double quotes") << "say \"cheese\".mp4";
    QTest::newRow("single quotes") << "it's 'mine'.mp4";
    QTest::newRow("command substitution") << "$(touch pwned) `touch pwned2`.mp4";
    QTest::newRow("backslashes") << "back\\slash\\.mp4";
    QTest::newRow("newline") << "new\nline.mp4";
    QTest::newRow("emoji") << QString::fromUtf8("\xF0\x9F\x9A\x97 dash \xF0\x9F\x93\xB9.mp4");
    QTest::newRow("cjk") << QString::fromUtf8("行车记录 前方.mp4");
}

void TestHostileMedia::oddNamesImportPlayCaptureAndCut()
{
    QFETCH(QString, name);
    const QString folder = QDir(m_dir.path()).filePath("odd");
    QVERIFY(QDir().mkpath(folder));
    const QString path = QDir(folder).filePath(name);
    QFile::remove(path);
    QVERIFY(QFile::copy(m_long, path));

    QVERIFY(importFiles({path}));
    QCOMPARE(storedPaths(), QStringList {path});
    buildPlayer();
    QCOMPARE(m_list->rowCount(), 1);
    QCOMPARE(m_list->modelAt(0)->fileName, QFileInfo(path).fileName());

    m_list->on_listWidget_itemClicked(m_list->listWidget()->item(0));
    PlayObject *channel = player()->masterChannel();
    QVERIFY(channel);
    QCOMPARE(channel->url(), path);
    int frames = 0;
    QObject frameCounter; // drops frames still queued when this test ends
    connect(channel, &PlayObject::updateTexture2D, &frameCounter, [&frames] { ++frames; });
    QTRY_VERIFY_WITH_TIMEOUT(frames > 0, kBoundMs);
    m_view->playerTool()->pause();

    // A still through the control bar.
    const QDir saved(m_saveDir);
    const int stills = saved.entryList({"*.png"}).size();
    auto *still = m_view->playerTool()->findChild<QPushButton *>(QStringLiteral("imageButton"));
    QVERIFY(still && still->isEnabled());
    still->click();
    QTRY_VERIFY_WITH_TIMEOUT(still->isEnabled(), kBoundMs);
    QCOMPARE(promptTexts(m_view->renderView()),
             QStringList {QCoreApplication::translate("PlayerTool", "cutimage_Success")});
    QCOMPARE(saved.entryList({"*.png"}).size(), stills + 1);

    // A cut through the edit dialog, from the record the player looked up.
    VideoMessage record = RecordLookup::find(*m_list->modelAt(0), RecordLookup::Log::Player);
    QCOMPARE(record.width, QStringLiteral("320"));
    const int cuts = saved.entryList({"*.mp4"}).size();
    VideoEdit edit(&record, m_window.get(), m_window.get());
    edit.show();
    QSignalSpy cutting(&edit, &VideoEdit::isCuting);
    edit.findChild<QPushButton *>(QStringLiteral("sureButton"))->click();
    QTRY_COMPARE_WITH_TIMEOUT(cutting.count(), 2, kBoundMs);
    QCOMPARE(cutting.last().at(0).toBool(), false);
    QVERIFY(m_window->findChild<QWidget *>(QStringLiteral("orbHudView")));
    const QStringList made = saved.entryList({"*.mp4"}, QDir::Files, QDir::Time);
    QCOMPARE(made.size(), cuts + 1);
    QVERIFY(made.first().startsWith(QFileInfo(path).baseName()));
    QVERIFY(QFileInfo(saved.filePath(made.first())).size() > 0);

    QCOMPARE(storedPaths(), QStringList {path});
    QCOMPARE(pwnedFiles({m_dir.path(), QDir::currentPath(), QDir::homePath()}), QStringList {});
}

KELMORA_TEST_MAIN(QApplication, TestHostileMedia)
#include "tst_hostile_media.moc"
