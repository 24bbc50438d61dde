// The library panel on a real library file: loading and sorting, grouping,
// navigation, deleting and adding files through Qt's own file dialog.
#include "app/AppManager.h"
#include "app/Helpers.h"
#include "app/Settings.h"
#include "app/SettingsKeys.h"
#include "library/AddLoadWidget.h"
#include "library/CmdModel.h"
#include "library/CustomListItem.h"
#include "library/DbManager.h"
#include "library/DbModel.h"
#include "library/FilesListView.h"
#include "library/TripHeaderRow.h"
#include "library/VideoMessage.h"
#include "telemetry/RecordLookup.h"
#include "tests/fixtures/RecordingFactory.h"
#include "tests/support/TestClips.h"
#include "tests/support/TestHome.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QtTest>

namespace {
QStringList fileNamesOf(const QList<DbModel *> &models)
{
    QStringList names;
    for (const DbModel *model : models)
        names << model->fileName;
    return names;
}

QList<DbModel *> groupOf(const QSignalSpy &spy, int index)
{
    return spy.at(index).at(0).value<QList<DbModel *>>();
}

// The paths of a table's rows, sorted.
QStringList storedPaths(const QString &table)
{
    QSqlQuery query(QString("SELECT path FROM %1 ORDER BY path").arg(table));
    QStringList paths;
    while (query.next())
        paths << query.value(0).toString();
    return paths;
}

// One reading a second at a steady speed, starting at the given latitude.
QVector<FixtureSample> steadyDrive(double knots, double latNmea)
{
    QVector<FixtureSample> samples;
    for (int i = 0; i < 4; ++i) {
        FixtureSample s;
        s.second = i;
        s.latNmea = latNmea + 0.01 * i;
        s.speedKnots = knots;
        samples << s;
    }
    return samples;
}

QImage shownThumbnail(CustomListItem *row)
{
    const auto *label = row ? row->findChild<QLabel *>("thumbnail") : nullptr;
    return label ? label->pixmap(Qt::ReturnByValue).toImage().convertToFormat(QImage::Format_RGB32)
                 : QImage();
}

int countRows(DbTableKind kind)
{
    int rows = -1;
    DbManager::instance()->selectDbModels(
        kind, 0, {}, {},
        [&rows](QList<DbModel *> models, bool ok) { rows = ok ? models.size() : -1; });
    return rows;
}
} // namespace

class TestFileList : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void loadsSortedAndResorts();
    void rowWidgetsFollowTheScroll();
    void eventBadgeOnlyWhereEventsAreKnown();
    void clickBuildsTheChannelGroup();
    void playModeChangeRebuildsTheGroup();
    void navigationWrapsAround();
    void deleteIsGuardedForTwoSeconds();
    void deletingTheOnlySelectedRowClearsAll();
    void clearAllEmptiesListAndDatabase();
    void sameNameInThreeFoldersKeepsEachItsOwn();
    void rowMenuSwitchesTheViewAndRemembersIt();
    void newPathsDropListedFiles_data();
    void newPathsDropListedFiles();
    void addingFilesThroughTheDialogImportsAndPlays();
    void onlyListedFilesGiveANotice();
    void tripViewGroupsFoldsAndIsRemembered();
    void playingATripGoesFileByFile();
    void tripViewSurvivesDeleteAndImport();

private:
    // A one-minute recording whose facts are stored, starting `minute`
    // minutes after 2023-05-01 12:00 UTC, on the front or rear channel.
    QString addClip(int minute, char channel);
    // The library of a trip of five minutes on two channels, then a single
    // front recording after a ten-minute gap.
    void addTwoTrips();
    void showTripView();
    void addEntry(const QString &name, const QString &time, bool onDisk = true);
    void driveFileDialog(const QStringList &paths);
    int rowOf(const QString &path) const;
    QAction *openRowMenu(int row);

    QTemporaryDir m_media;
    std::unique_ptr<QWidget> m_window;
    FilesListView *m_list = nullptr;
};

void TestFileList::initTestCase()
{
    qRegisterMetaType<QList<DbModel *>>("QList<DbModel*>");
    AppManager::instance();
}

void TestFileList::init()
{
    Settings::tripView().set(0);
    DbManager::instance()->deleteAllData(DbTableKind::LoadFiles);
    DbManager::instance()->deleteAllData(DbTableKind::VideoMessage);
    AppManager::instance()->setPlayModelType(PlayMode::ThreeChannels);
}

void TestFileList::cleanup()
{
    m_window.reset();
    m_list = nullptr;
}

void TestFileList::addEntry(const QString &name, const QString &time, bool onDisk)
{
    const QString path = QDir(m_media.path()).filePath(name);
    if (onDisk) {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
    }
    DbModel model;
    model.fileName = name;
    model.path = path;
    model.time = time;
    model.size = "1.0";
    model.insertToDb();
}

void TestFileList::loadsSortedAndResorts()
{
    addEntry("b_later.mp4", "20240102120000000");
    addEntry("z_first.mp4", "20240101120000000");
    addEntry("a_first.mp4", "20240101120000000");
    m_window = std::make_unique<QWidget>();
    m_list = new FilesListView(m_window.get(), m_window.get());
    QCOMPARE(m_list->rowCount(), 3);
    QStringList order;
    for (int row = 0; row < 3; ++row)
        order << m_list->modelAt(row)->fileName;
    QCOMPARE(order, QStringList({"a_first.mp4", "z_first.mp4", "b_later.mp4"}));

    auto *sort = m_list->findChild<QPushButton *>("pushButton_4");
    QVERIFY(sort);
    sort->click(); // descending: newest first, names still ascending
    order.clear();
    for (int row = 0; row < 3; ++row)
        order << m_list->modelAt(row)->fileName;
    QCOMPARE(order, QStringList({"b_later.mp4", "a_first.mp4", "z_first.mp4"}));
}

void TestFileList::rowWidgetsFollowTheScroll()
{
    for (int i = 0; i < 200; ++i)
        addEntry(QString("clip_%1.mp4").arg(i, 3, 10, QChar('0')), "20240101120000000", false);
    m_window = std::make_unique<QWidget>();
    m_list = new FilesListView(m_window.get(), m_window.get());
    m_list->resize(376, 600);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QListWidget *list = m_list->listWidget();
    const auto made = [list] {
        int count = 0;
        for (int row = 0; row < list->count(); ++row)
            count += list->itemWidget(list->item(row)) != nullptr;
        return count;
    };
    // Only the rows on screen get widgets, and they show their entries.
    QTRY_VERIFY(list->itemWidget(list->item(0)));
    QVERIFY(made() < 20);
    auto *first = qobject_cast<CustomListItem *>(list->itemWidget(list->item(0)));
    QVERIFY(first);
    QCOMPARE(first->model(), m_list->modelAt(0));
    QVERIFY(first->findChild<QLabel *>("label1"));
    QCOMPARE(first->findChild<QLabel *>("label1")->text(), QString("clip_000.mp4"));

    list->scrollToBottom();
    QTRY_VERIFY(list->itemWidget(list->item(199)));
    QVERIFY(made() < 40);
    // A row selected before its widget exists is drawn selected once it does.
    // (After the list's start-up clear of the current row, 100 ms in.)
    QTest::qWait(150);
    list->setCurrentRow(100);
    QTRY_VERIFY(list->itemWidget(list->item(100)));
    QCOMPARE(list->itemWidget(list->item(100))->property("selected").toBool(), true);
}

void TestFileList::eventBadgeOnlyWhereEventsAreKnown()
{
    addEntry("a_with_events.mp4", "20240101120000000");
    addEntry("b_cached.mp4", "20240101120000001");
    addEntry("c_never_read.mp4", "20240101120000002");
    const QString withEvents = QDir(m_media.path()).filePath("a_with_events.mp4");
    const QString cached = QDir(m_media.path()).filePath("b_cached.mp4");
    // Caching a record stores its count with the default limits; one without
    // samples has none.
    VideoMessage record;
    record.fileName = "b_cached.mp4";
    record.path = cached;
    record.saveToDb();
    QVERIFY(record.isSave);
    // As a record with three events leaves its row.
    QVERIFY(DbManager::instance()->mergeJsonMessage(DbTableKind::LoadFiles, "path", withEvents,
                                                    {{DbModel::EventCountKey, 3}}));

    m_window = std::make_unique<QWidget>();
    m_list = new FilesListView(m_window.get(), m_window.get());
    m_list->resize(376, 600);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QListWidget *list = m_list->listWidget();
    const QList<int> expected = {3, 0, -1};
    for (int row = 0; row < 3; ++row) {
        QTRY_VERIFY(list->itemWidget(list->item(row)));
        auto *item = qobject_cast<CustomListItem *>(list->itemWidget(list->item(row)));
        QCOMPARE(item->model()->eventCount, expected.at(row));
        auto *badge = item->findChild<QLabel *>("eventBadge");
        QCOMPARE(badge != nullptr, row == 0);
        if (badge) {
            QCOMPARE(badge->text(), QString("3"));
            QVERIFY(badge->isVisible());
            QCOMPARE(badge->toolTip(), QString("Driving events: 3"));
        }
    }
    // The count survives the row being written again (a view choice, say).
    DbModel copy = *m_list->modelAt(0);
    DbModel reread;
    reread.path = copy.path;
    reread.fromJsonMessage(copy.toDbMap().value("jsonMessage"));
    QCOMPARE(reread.eventCount, 3);
}

void TestFileList::clickBuildsTheChannelGroup()
{
    addEntry("20240101_120000_0001_F.MP4", "20240101120000000");
    addEntry("20240101_120000_0001_R.MP4", "20240101120000000");
    addEntry("20240101_120000_0001_I.MP4", "20240101120000000");
    addEntry("20240101_130000_0002_F.MP4", "20240101120000000");
    m_window = std::make_unique<QWidget>();
    m_list = new FilesListView(m_window.get(), m_window.get());
    QSignalSpy groups(m_list, &FilesListView::currentWillPlayList);
    // Rows in name order: I, F, R, 0002_F.
    int rRow = -1;
    for (int row = 0; row < m_list->rowCount(); ++row)
        if (m_list->modelAt(row)->fileName.endsWith("_R.MP4"))
            rRow = row;
    m_list->on_listWidget_itemClicked(m_list->listWidget()->item(rRow));
    QCOMPARE(groups.size(), 1);
    QCOMPARE(fileNamesOf(groupOf(groups, 0)),
             QStringList({"20240101_120000_0001_R.MP4", "20240101_120000_0001_F.MP4",
                          "20240101_120000_0001_I.MP4"}));
    QVERIFY(!m_list->listWidget()->isEnabled()); // until the player reports back
    m_list->enableList();
    QVERIFY(m_list->listWidget()->isEnabled());

    AppManager::instance()->setPlayModelType(PlayMode::OneChannel);
    m_list->on_listWidget_itemClicked(m_list->listWidget()->item(rRow));
    QCOMPARE(fileNamesOf(groupOf(groups, groups.size() - 1)),
             QStringList({"20240101_120000_0001_R.MP4"}));
}

void TestFileList::playModeChangeRebuildsTheGroup()
{
    addEntry("20240101_120000_0001_F.MP4", "20240101120000000");
    addEntry("20240101_120000_0001_R.MP4", "20240101120000000");
    AppManager::instance()->setPlayModelType(PlayMode::OneChannel);
    m_window = std::make_unique<QWidget>();
    m_list = new FilesListView(m_window.get(), m_window.get());
    QSignalSpy groups(m_list, &FilesListView::currentWillPlayList);
    AppManager::instance()->setPlayModelType(
        PlayMode::TwoChannels); // nothing chosen yet: nothing announced
    QCOMPARE(groups.size(), 0);
    m_list->on_listWidget_itemClicked(m_list->listWidget()->item(0));
    AppManager::instance()->setPlayModelType(PlayMode::OneChannel);
    AppManager::instance()->setPlayModelType(PlayMode::TwoChannels);
    QCOMPARE(fileNamesOf(groupOf(groups, groups.size() - 1)),
             QStringList({"20240101_120000_0001_F.MP4", "20240101_120000_0001_R.MP4"}));
}

void TestFileList::navigationWrapsAround()
{
    for (int i = 0; i < 3; ++i)
        addEntry(QString("clip_%1.mp4").arg(i), QString("2024010112000000%1").arg(i));
    AppManager::instance()->setPlayModelType(PlayMode::OneChannel);
    m_window = std::make_unique<QWidget>();
    m_list = new FilesListView(m_window.get(), m_window.get());
    QSignalSpy groups(m_list, &FilesListView::currentWillPlayList);
    QSignalSpy deletes(m_list, &FilesListView::userSelectDelete);
    const auto lastPlayed = [&groups] {
        return groups.isEmpty() ? QString()
                                : fileNamesOf(groupOf(groups, groups.size() - 1)).value(0);
    };
    const QString last = m_list->modelAt(2)->path;
    const QString first = m_list->modelAt(0)->path;

    m_list->playNextOf(last);
    QCOMPARE(lastPlayed(), QString("clip_0.mp4"));
    m_list->playNextOf(first); // the list is disabled while a group opens: ignored
    QCOMPARE(groups.size(), 1);
    m_list->enableList();
    m_list->playPreviousOf(first);
    QCOMPARE(lastPlayed(), QString("clip_2.mp4"));
    QCOMPARE(m_list->listWidget()->currentRow(), 2);
    m_list->playSameAs(first);
    QCOMPARE(lastPlayed(), QString("clip_0.mp4"));
    QCOMPARE(m_list->listWidget()->currentRow(), 2); // same-as does not move the selection
    m_list->enableList();
    m_list->playNextOf(QDir(m_media.path()).filePath("gone.mp4"));
    QCOMPARE(deletes.size(), 1);
    QCOMPARE(deletes.first().at(0).toBool(), true);
    QCOMPARE(deletes.first().at(1).toBool(), true);
}

void TestFileList::deleteIsGuardedForTwoSeconds()
{
    for (int i = 0; i < 3; ++i)
        addEntry(QString("clip_%1.mp4").arg(i), QString("2024010112000000%1").arg(i));
    m_window = std::make_unique<QWidget>();
    m_list = new FilesListView(m_window.get(), m_window.get());
    m_window->show();
    const auto deleteRow = [this](int row) {
        QWidget *rowWidget = m_list->rowWidget(row);
        QVERIFY(rowWidget);
        QList<QPushButton *> buttons = rowWidget->findChildren<QPushButton *>();
        QCOMPARE(buttons.size(), 1);
        buttons.first()->click();
    };
    deleteRow(0);
    QCOMPARE(m_list->rowCount(), 2);
    QCOMPARE(countRows(DbTableKind::LoadFiles), 2);
    QTest::qWait(1500);
    deleteRow(0);
    QCOMPARE(m_list->rowCount(), 2); // within two seconds: ignored
    QTest::qWait(600);
    deleteRow(0);
    QCOMPARE(m_list->rowCount(), 1);
    QCOMPARE(countRows(DbTableKind::LoadFiles), 1);
    QCOMPARE(m_list->modelAt(0)->fileName, QString("clip_2.mp4"));
}

void TestFileList::deletingTheOnlySelectedRowClearsAll()
{
    addEntry("only.mp4", "20240101120000000");
    m_window = std::make_unique<QWidget>();
    m_list = new FilesListView(m_window.get(), m_window.get());
    QSignalSpy deletes(m_list, &FilesListView::userSelectDelete);
    m_list->on_listWidget_itemClicked(m_list->listWidget()->item(0));
    m_list->enableList(); // the player has opened the group
    QWidget *rowWidget = m_list->rowWidget(0);
    rowWidget->findChild<QPushButton *>()->click();
    QCOMPARE(m_list->rowCount(), 0);
    QCOMPARE(deletes.size(), 1);
    QCOMPARE(m_list->currentModel(), nullptr);
    QCOMPARE(countRows(DbTableKind::LoadFiles), 0);
}

void TestFileList::clearAllEmptiesListAndDatabase()
{
    for (int i = 0; i < 4; ++i)
        addEntry(QString("clip_%1.mp4").arg(i), "20240101120000000");
    m_window = std::make_unique<QWidget>();
    m_list = new FilesListView(m_window.get(), m_window.get());
    QSignalSpy deletes(m_list, &FilesListView::userSelectDelete);
    m_list->findChild<QPushButton *>("deleteButton")->click();
    QCOMPARE(m_list->rowCount(), 0);
    QCOMPARE(deletes.size(), 1);
    QCOMPARE(countRows(DbTableKind::LoadFiles), 0);
    QVERIFY(m_list->playGroup().isEmpty());
}

int TestFileList::rowOf(const QString &path) const
{
    for (int row = 0; row < m_list->rowCount(); ++row) {
        if (m_list->modelAt(row)->path == path)
            return row;
    }
    return -1;
}

void TestFileList::sameNameInThreeFoldersKeepsEachItsOwn()
{
    // A camera restarts its numbering after each format: three FILE0001.MP4,
    // each with its own drive and picture size. The first was added by an
    // earlier version (name-keyed row, thumbnail and cached record).
    QStringList paths;
    const QSize sizes[] = {{160, 90}, {96, 160}, {128, 128}};
    const double knots[] = {20, 40, 60};
    for (int i = 0; i < 3; ++i) {
        const QString folder = QDir(m_media.path()).filePath(QString("card%1").arg(i + 1));
        QVERIFY(QDir().mkpath(folder));
        RecordingFactory factory(folder);
        factory.setPreset("ultrafast");
        factory.setVideo(sizes[i].width(), sizes[i].height());
        QVERIFY2(factory.makeTextStream("FILE0001.MP4", steadyDrive(knots[i], 2232.1 + i)),
                 qPrintable(factory.error()));
        paths << factory.path("FILE0001.MP4");
    }
    const auto modelOf = [](const QString &path) {
        DbModel model;
        model.path = path;
        model.fileName = QFileInfo(path).fileName();
        return model;
    };

    DbModel earlier = modelOf(paths[0]);
    earlier.time = "20230101120000000";
    earlier.size = "0.1";
    earlier.is3DVideo = true; // what earlier versions stored for an "F" in the name
    QVERIFY(earlier.insertToDb());
    QImage legacy(58, 58, QImage::Format_RGB32);
    legacy.fill(Qt::red);
    QVERIFY(legacy.save(thumbnailPath() + "/FILE0001_.png"));
    // As the render view of earlier versions cached it, after its first play.
    VideoMessage cached = RecordLookup::find(earlier, RecordLookup::Log::RenderView);
    cached.saveToDb();
    QVERIFY(cached.isSave);

    {
        AddLoadWidget panel("Video is loading", {paths[1], paths[2]});
        QSignalSpy completed(&panel, &AddLoadWidget::sendLoadingCompleted);
        QVERIFY(completed.wait(60000));
    }
    m_window = std::make_unique<QWidget>();
    m_list = new FilesListView(m_window.get(), m_window.get());
    QCOMPARE(m_list->rowCount(), 3);

    // Each row shows its own picture: the old row its old one.
    QImage own[3];
    own[0] = legacy;
    for (int i : {1, 2})
        own[i] = QImage(thumbnailPath() + "/" + CmdModel::thumbnailName(paths[i]))
                     .convertToFormat(QImage::Format_RGB32);
    QVERIFY(!own[1].isNull() && own[1] != own[2] && own[1] != legacy);
    for (int i = 0; i < 3; ++i)
        QVERIFY2(shownThumbnail(m_list->rowWidget(rowOf(paths[i]))) == own[i],
                 qPrintable(paths[i]));

    // Each shows its own telemetry, first parsed then from the cache, as the
    // render view looks it up and stores it.
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < 3; ++i) {
            VideoMessage record = RecordLookup::find(*m_list->modelAt(rowOf(paths[i])),
                                                     RecordLookup::Log::RenderView);
            QVERIFY2(qAbs(record.maxSpeed.toDouble() - knots[i]) < 0.01,
                     qPrintable(QString("%1: %2 knots").arg(paths[i], record.maxSpeed)));
            QCOMPARE(record.path, paths[i]);
            QCOMPARE(record.isSave,
                     i == 0 || pass == 1); // the old row's record is read, not parsed
            if (!record.isSave)
                record.saveToDb();
        }
    }

    // The selection survives a re-sort in either direction on its own path.
    m_list->on_listWidget_itemClicked(m_list->listWidget()->item(rowOf(paths[1])));
    m_list->enableList();
    auto *sort = m_list->findChild<QPushButton *>("pushButton_4");
    sort->click();
    sort->click();
    QCOMPARE(m_list->currentModel()->path, paths[1]);
    QCOMPARE(m_list->listWidget()->currentRow(), rowOf(paths[1]));

    // Deleting one keeps the others' rows and records.
    m_list->rowWidget(rowOf(paths[1]))->findChild<QPushButton *>()->click();
    QCOMPARE(m_list->rowCount(), 2);
    QCOMPARE(storedPaths("LoadFiles"), QStringList({paths[0], paths[2]}));
    QCOMPARE(storedPaths("VideoMessage"), QStringList({paths[0], paths[2]}));

    // So does deleting the old row (a fresh panel: no two-second guard).
    m_window = std::make_unique<QWidget>();
    m_list = new FilesListView(m_window.get(), m_window.get());
    QCOMPARE(m_list->rowCount(), 2);
    m_list->rowWidget(rowOf(paths[0]))->findChild<QPushButton *>()->click();
    QCOMPARE(storedPaths("LoadFiles"), QStringList({paths[2]}));
    QCOMPARE(storedPaths("VideoMessage"), QStringList({paths[2]}));
    QVERIFY(shownThumbnail(m_list->rowWidget(0)) == own[2]);
}

QAction *TestFileList::openRowMenu(int row)
{
    // As a right click does it: the event reaches the list's viewport.
    QWidget *viewport = m_list->listWidget()->viewport();
    const QPoint pos
        = m_list->listWidget()->visualItemRect(m_list->listWidget()->item(row)).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, viewport->mapToGlobal(pos));
    QApplication::sendEvent(viewport, &event);
    const QList<QMenu *> menus = m_list->findChildren<QMenu *>("rowMenu");
    return menus.isEmpty() ? nullptr : menus.last()->findChild<QAction *>("panoramaAction");
}

void TestFileList::rowMenuSwitchesTheViewAndRemembersIt()
{
    // A front camera's row as earlier versions stored it ("F": is3DVideo true),
    // and a panoramic channel whose cached record is of the panoramic type.
    const QString front = QDir(m_media.path()).filePath("20240101_120000_0001_F.MP4");
    const QString panoramic = QDir(m_media.path()).filePath("20240101_120000_0001_A.MP4");
    for (const QString &path : {front, panoramic}) {
        QFile(path).open(QIODevice::WriteOnly);
        DbModel model;
        model.fileName = QFileInfo(path).fileName();
        model.path = path;
        model.time = "20240101120000000";
        model.is3DVideo = path == front;
        QVERIFY(model.insertToDb());
    }
    VideoMessage record;
    record.fileName = QFileInfo(panoramic).fileName();
    record.path = panoramic;
    record.filesType = 3;
    record.saveToDb();
    AppManager::instance()->setPlayModelType(PlayMode::OneChannel);

    const auto choose = [this](const QString &path, const QString &offered) {
        QAction *action = openRowMenu(rowOf(path));
        QVERIFY(action);
        QCOMPARE(action->text(), offered);
        auto *menu = qobject_cast<QMenu *>(action->parent());
        QTRY_VERIFY(menu->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        QTRY_VERIFY(m_list->findChildren<QMenu *>("rowMenu").isEmpty());
    };
    const auto storedChoice = [](const QString &path) {
        DbModel::ViewChoice choice = DbModel::ViewChoice::Automatic;
        DbManager::instance()->selectDbModels(DbTableKind::LoadFiles, 0, {{"path", path}}, {},
                                              [&](QList<DbModel *> models, bool) {
                                                  if (models.size() == 1)
                                                      choice = models.first()->viewChoice;
                                              });
        return choice;
    };

    m_window = std::make_unique<QWidget>();
    m_list = new FilesListView(m_window.get(), m_window.get());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    choose(front, "Show as 360°");
    QCOMPARE(storedChoice(front), DbModel::ViewChoice::Panorama);
    QCOMPARE(m_list->modelAt(rowOf(front))->viewChoice, DbModel::ViewChoice::Panorama);
    choose(panoramic, "Show flat");
    QCOMPARE(storedChoice(panoramic), DbModel::ViewChoice::Flat);

    // The other entry hands the row to the track exporter, named after the file.
    QStringList requested;
    connect(m_list, &FilesListView::exportTrackRequested,
            [&requested](const QList<DbModel> &models, const QString &name) {
                for (const DbModel &model : models)
                    requested << model.path;
                requested << name;
            });
    QVERIFY(openRowMenu(rowOf(panoramic)));
    QMenu *menu = m_list->findChildren<QMenu *>("rowMenu").last();
    QAction *exportTrack = menu->findChild<QAction *>("exportTrackAction");
    QVERIFY(exportTrack);
    exportTrack->trigger();
    menu->close();
    QCOMPARE(requested, QStringList({panoramic, "20240101_120000_0001_A"}));

    // Remembered by the library; choosing for the playing recording opens it again.
    m_window = std::make_unique<QWidget>();
    m_list = new FilesListView(m_window.get(), m_window.get());
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    choose(panoramic, "Show as 360°");
    QSignalSpy groups(m_list, &FilesListView::currentWillPlayList);
    m_list->on_listWidget_itemClicked(m_list->listWidget()->item(rowOf(front)));
    m_list->enableList();
    choose(front, "Show flat");
    QCOMPARE(groups.size(), 2);
    QCOMPARE(groupOf(groups, 1).value(0)->path, front);
    QCOMPARE(groupOf(groups, 1).value(0)->viewChoice, DbModel::ViewChoice::Flat);
    QCOMPARE(storedChoice(front), DbModel::ViewChoice::Flat);
    QCOMPARE(storedChoice(panoramic), DbModel::ViewChoice::Panorama);
}

void TestFileList::newPathsDropListedFiles_data()
{
    QTest::addColumn<QStringList>("picked");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QStringList>("remaining");
    QTest::newRow("all listed") << QStringList {"/m/a.mp4", "/m/b.mp4"}
                                << QStringList {"/m/a.mp4", "/m/b.mp4"} << QStringList {};
    QTest::newRow("letter case differs: not listed")
        << QStringList {"/m/A.mp4"} << QStringList {"/m/a.mp4"} << QStringList {"/m/A.mp4"};
    QTest::newRow("order kept") << QStringList {"/m/c.mp4", "/m/a.mp4", "/m/b.mp4"}
                                << QStringList {"/m/a.mp4"} << QStringList {"/m/c.mp4", "/m/b.mp4"};
}

void TestFileList::newPathsDropListedFiles()
{
    QFETCH(QStringList, picked);
    QFETCH(QStringList, listed);
    QFETCH(QStringList, remaining);
    std::vector<std::unique_ptr<DbModel>> owned;
    QList<DbModel *> models;
    for (const QString &path : listed) {
        owned.push_back(std::make_unique<DbModel>());
        owned.back()->path = path;
        models << owned.back().get();
    }
    QCOMPARE(FilesListView::newPaths(picked, models), remaining);
}

void TestFileList::driveFileDialog(const QStringList &paths)
{
    // Qt's own dialog (no native one under Xvfb): type the names and accept.
    QTimer::singleShot(0, this, [this, paths] {
        QFileDialog *dialog = nullptr;
        QTRY_VERIFY_WITH_TIMEOUT(
            (dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) != nullptr,
            10000);
        auto *edit = dialog->findChild<QLineEdit *>("fileNameEdit");
        QVERIFY(edit);
        QStringList quoted;
        for (const QString &path : paths)
            quoted << "\"" + QFileInfo(path).fileName() + "\"";
        dialog->setDirectory(QFileInfo(paths.first()).path());
        edit->setText(quoted.join(' '));
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

void TestFileList::addingFilesThroughTheDialogImportsAndPlays()
{
    QStringList clips;
    for (const QString &name : {QString("2024_0501 it's 前.mp4"), QString("second clip.mp4")}) {
        const QString path
            = makeTestClip(QDir(m_media.path()).filePath(name), "testsrc2=s=160x90:r=10:d=1");
        QVERIFY(!path.isEmpty());
        clips << path;
    }
    addEntry("already.mp4", "20240101120000000");
    m_window = std::make_unique<QWidget>();
    m_window->resize(1108, 693);
    auto *videoView = new QWidget(m_window.get());
    videoView->resize(732, 495);
    m_list = new FilesListView(m_window.get(), m_window.get());
    m_list->setVideoView(videoView);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QSignalSpy adds(m_list, &FilesListView::starAddFiles);
    QSignalSpy groups(m_list, &FilesListView::currentWillPlayList);

    driveFileDialog(clips);
    m_list->findChild<QPushButton *>("pushButton_2")->click();
    QCOMPARE(adds.size(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(m_list->rowCount(), 3, 60000);
    QTRY_COMPARE_WITH_TIMEOUT(groups.size(), 1, 10000);
    // Ascending order: the first new row (after the one already listed) plays.
    QCOMPARE(fileNamesOf(groupOf(groups, 0)).value(0), QString("2024_0501 it's 前.mp4"));
    QCOMPARE(settingsValue(SettingsKeys::LastOpenPath), m_media.path());
    QVERIFY(QFileInfo::exists(thumbnailPath() + "/" + CmdModel::thumbnailName(clips.first())));
}

void TestFileList::onlyListedFilesGiveANotice()
{
    addEntry("already.mp4", "20240101120000000");
    m_window = std::make_unique<QWidget>();
    m_window->resize(1108, 693);
    m_list = new FilesListView(m_window.get(), m_window.get());
    m_list->setVideoView(m_window.get());
    m_window->show();
    driveFileDialog({QDir(m_media.path()).filePath("already.mp4")});
    m_list->findChild<QPushButton *>("pushButton_2")->click();
    QTRY_VERIFY_WITH_TIMEOUT(m_window->findChild<QWidget *>("orbHudView") != nullptr, 10000);
    QCOMPARE(m_list->rowCount(), 1);
}

QString TestFileList::addClip(int minute, char channel)
{
    const QDateTime start
        = QDateTime(QDate(2023, 5, 1), QTime(12, 0), Qt::UTC).addSecs(minute * 60);
    const QString name
        = start.toString("yyyy_MMdd_HHmmss") + QStringLiteral("_%1.MOV").arg(QChar(channel));
    addEntry(name, "20240101120000000");
    // The row again, with the facts the player stores once it read the file.
    DbModel model;
    model.fileName = name;
    model.path = QDir(m_media.path()).filePath(name);
    model.time = "20240101120000000";
    model.size = "1.0";
    model.hasClip = true;
    model.clip.path = model.path;
    model.clip.startMs = start.toMSecsSinceEpoch();
    model.clip.durationMs = 60000;
    model.clip.metres = 1000;
    model.clip.maxKnots = 40 + minute;
    model.clip.movingKnots = 30.0 * 60;
    model.clip.movingSamples = 60;
    model.clip.fixes = 60;
    DbManager::instance()->deleteData(DbTableKind::LoadFiles, {{"path", model.path}});
    model.insertToDb();
    return model.path;
}

void TestFileList::addTwoTrips()
{
    for (int minute = 0; minute < 5; ++minute) {
        addClip(minute, 'F');
        addClip(minute, 'R');
    }
    addClip(15, 'F');
}

void TestFileList::showTripView()
{
    m_window = std::make_unique<QWidget>();
    m_window->resize(376, 700);
    m_list = new FilesListView(m_window.get(), m_window.get());
    m_list->resize(376, 700);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_list->findChild<QPushButton *>("tripsButton")->click();
    QVERIFY(m_list->isTripView());
}

void TestFileList::tripViewGroupsFoldsAndIsRemembered()
{
    addTwoTrips();
    AppManager::instance()->setSpeedUnitType(SpeedUnit::KilometresPerHour);
    showTripView();
    QListWidget *list = m_list->listWidget();
    QCOMPARE(m_list->tripCount(), 2);
    QCOMPARE(m_list->rowCount(), 13); // two headers and eleven files
    QCOMPARE(m_list->trip(0).clips.size(), 10);
    QCOMPARE(m_list->trip(0).leadClips.size(), 5);
    QCOMPARE(m_list->trip(1).clips.size(), 1);
    QCOMPARE(m_list->headerRow(0), 0);
    QCOMPARE(m_list->headerRow(1), 11);
    QCOMPARE(m_list->modelAt(0), nullptr);

    // Start and end in the computer's time, the figures of the lead channel.
    const QDateTime start = QDateTime(QDate(2023, 5, 1), QTime(12, 0), Qt::UTC).toLocalTime();
    TripHeaderRow *first = m_list->tripHeader(0);
    QVERIFY(first);
    QCOMPARE(first->titleText(),
             start.toString("yyyy-MM-dd  HH:mm") + QChar(0x2013)
                 + start.addSecs(300).toString("HH:mm") + " local time");
    QCOMPARE(first->figuresText(), QString("5:00  \u00B7  5.0 KM  \u00B7  Files: 10"));
    QCOMPARE(m_list->tripHeader(1)->figuresText(),
             QString("1:00  \u00B7  1.0 KM  \u00B7  Files: 1"));
    AppManager::instance()->setSpeedUnitType(SpeedUnit::MilesPerHour);
    QCOMPARE(first->figuresText(), QString("5:00  \u00B7  3.1 Miles  \u00B7  Files: 10"));
    AppManager::instance()->setSpeedUnitType(SpeedUnit::KilometresPerHour);

    // Folded at first; a click on the header opens it, another folds it.
    const auto shownFiles = [list] {
        int shown = 0;
        for (int row = 0; row < list->count(); ++row)
            shown += list->item(row)->type() != QListWidgetItem::UserType + 2
                && !list->item(row)->isHidden();
        return shown;
    };
    QCOMPARE(shownFiles(), 0);
    const auto clickHeader = [this, list](int trip) {
        const QRect rect = list->visualItemRect(list->item(m_list->headerRow(trip)));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    };
    clickHeader(0);
    QCOMPARE(shownFiles(), 10);
    QVERIFY(first->isOpen());
    QTRY_VERIFY(list->itemWidget(list->item(1))); // the opened rows get their widgets
    clickHeader(1);
    QCOMPARE(shownFiles(), 11);
    clickHeader(0);
    QCOMPARE(shownFiles(), 1);
    QVERIFY(!m_list->tripHeader(0)->isOpen());

    // The header's menu exports the lead files' track in playing order.
    QStringList requested;
    connect(m_list, &FilesListView::exportTrackRequested,
            [&requested](const QList<DbModel> &models, const QString &name) {
                for (const DbModel &model : models)
                    requested << model.fileName;
                requested << name;
            });
    const QPoint at = list->visualItemRect(list->item(m_list->headerRow(0))).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, list->viewport()->mapToGlobal(at));
    QApplication::sendEvent(list->viewport(), &event);
    auto *menu = m_list->findChild<QMenu *>("tripMenu");
    QVERIFY(menu);
    menu->findChild<QAction *>("exportTripAction")->trigger();
    menu->close();
    QStringList expected;
    for (int minute = 0; minute < 5; ++minute)
        expected << QString("2023_0501_12%1_F.MOV").arg(minute * 100, 4, 10, QChar('0'));
    expected << "trip-" + start.toString("yyyyMMdd-HHmmss");
    QCOMPARE(requested, expected);

    // The choice is remembered; the flat list is as it always was.
    QCOMPARE(Settings::tripView().get(), 1);
    m_window = std::make_unique<QWidget>();
    m_list = new FilesListView(m_window.get(), m_window.get());
    QVERIFY(m_list->isTripView());
    QCOMPARE(m_list->rowCount(), 13);
    m_list->findChild<QPushButton *>("tripsButton")->click();
    QCOMPARE(Settings::tripView().get(), 0);
    QCOMPARE(m_list->rowCount(), 11);
    QCOMPARE(m_list->modelAt(0)->fileName, QString("2023_0501_120000_F.MOV"));
    QCOMPARE(m_list->modelAt(10)->fileName, QString("2023_0501_121500_F.MOV"));
}

void TestFileList::playingATripGoesFileByFile()
{
    addTwoTrips();
    AppManager::instance()->setPlayModelType(PlayMode::TwoChannels);
    showTripView();
    QSignalSpy groups(m_list, &FilesListView::currentWillPlayList);
    QSignalSpy trips(m_list, &FilesListView::tripPlaying);
    QListWidget *list = m_list->listWidget();
    const QRect header = list->visualItemRect(list->item(m_list->headerRow(0)));
    // As a user's double click arrives: a click, then the double click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, header.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, header.center());
    QCOMPARE(groups.size(), 1);
    QCOMPARE(fileNamesOf(groupOf(groups, 0)),
             QStringList({"2023_0501_120000_F.MOV", "2023_0501_120000_R.MOV"}));
    QVERIFY(m_list->isTripOpen(0)); // the playing row shows
    QCOMPARE(list->currentItem(), list->item(1));
    QCOMPARE(trips.size(), 1);
    auto play = trips.last().at(0).value<TripPlay>();
    QCOMPARE(play.index, 0);
    QCOMPARE(play.leadPaths.size(), 5);
    QCOMPARE(play.clipCount(), 10);

    // Each end plays the trip's next front file with its rear one, not the
    // next row (the rear file of the same minute).
    for (int minute = 1; minute < 5; ++minute) {
        m_list->enableList();
        m_list->playNextOf(play.leadPaths[minute - 1]);
        QCOMPARE(fileNamesOf(groupOf(groups, groups.size() - 1)).value(0),
                 QString("2023_0501_120%1_F.MOV").arg(minute * 100, 3, 10, QChar('0')));
        QCOMPARE(groupOf(groups, groups.size() - 1).size(), 2);
        QCOMPARE(trips.last().at(0).value<TripPlay>().index, minute);
    }
    // Back one, then past the last file the next trip plays.
    m_list->enableList();
    m_list->playPreviousOf(play.leadPaths[4]);
    QCOMPARE(fileNamesOf(groupOf(groups, groups.size() - 1)).value(0),
             QString("2023_0501_120300_F.MOV"));
    m_list->enableList();
    m_list->playNextOf(play.leadPaths[3]);
    m_list->enableList();
    m_list->playNextOf(play.leadPaths[4]);
    QCOMPARE(fileNamesOf(groupOf(groups, groups.size() - 1)),
             QStringList({"2023_0501_121500_F.MOV"}));
    QCOMPARE(trips.last().at(0).value<TripPlay>().leadPaths.size(), 1);

    // A file chosen by hand plays alone and ends the trip.
    m_list->enableList();
    m_list->setTripOpen(0, true);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(2)).center());
    QCOMPARE(fileNamesOf(groupOf(groups, groups.size() - 1)).value(0),
             QString("2023_0501_120000_R.MOV"));
    QVERIFY(!trips.last().at(0).value<TripPlay>().isActive());
    QVERIFY(!m_list->tripPlay().isActive());
    // Next from there skips the header between the trips.
    m_list->enableList();
    m_list->playNextOf(m_list->modelAt(10)->path);
    QCOMPARE(fileNamesOf(groupOf(groups, groups.size() - 1)).value(0),
             QString("2023_0501_121500_F.MOV"));
}

void TestFileList::tripViewSurvivesDeleteAndImport()
{
    addTwoTrips();
    showTripView();
    QSignalSpy groups(m_list, &FilesListView::currentWillPlayList);
    m_list->playTrip(0);
    m_list->enableList();
    QCOMPARE(m_list->tripPlay().index, 0);

    // Deleting the playing front file plays the next row and regroups.
    m_list->rowWidget(1)->findChild<QPushButton *>()->click();
    QCOMPARE(fileNamesOf(groupOf(groups, groups.size() - 1)).value(0),
             QString("2023_0501_120000_R.MOV"));
    QTRY_COMPARE(m_list->tripCount(), 2);
    QTRY_COMPARE(m_list->trip(0).clips.size(), 9);
    QCOMPARE(m_list->rowCount(), 12);
    QCOMPARE(m_list->currentModel()->fileName, QString("2023_0501_120000_R.MOV"));
    QVERIFY(m_list->isTripOpen(0));

    // A file added later (as an import reloads) joins the second trip and plays.
    m_list->enableList();
    const QString added = addClip(16, 'F');
    m_list->loadListFromDb(false, false);
    QCOMPARE(m_list->tripCount(), 2);
    QCOMPARE(m_list->trip(1).clips.size(), 2);
    QCOMPARE(groupOf(groups, groups.size() - 1).value(0)->path, added);
    QVERIFY(m_list->isTripOpen(1));

    // Clearing everything leaves no trip behind.
    m_list->findChild<QPushButton *>("deleteButton")->click();
    QCOMPARE(m_list->rowCount(), 0);
    QCOMPARE(m_list->tripCount(), 0);
}

KELMORA_TEST_MAIN(QApplication, TestFileList)
#include "tst_filelist.moc"
