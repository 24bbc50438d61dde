// Whole folders into the library: finding the recordings of a card tree, and
// importing hundreds of them in batches with a report of what was refused.
#include "tests/fixtures/RecordingFactory.h"
#include "tests/support/TestHome.h"

#include "app/Helpers.h"
#include "controls/PromptBox.h"
#include "library/AddLoadWidget.h"
#include "library/DbManager.h"
#include "library/FilesListView.h"
#include "library/ImportFlow.h"
#include "library/MyThread.h"
#include "library/RecordingScan.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

namespace {
bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList relative(const QString &root, const QStringList &paths)
{
    QStringList out;
    for (const QString &path : paths)
        out << QDir(root).relativeFilePath(path);
    return out;
}

QStringList storedPaths()
{
    QSqlQuery query(QStringLiteral("SELECT path FROM LoadFiles ORDER BY path"));
    QStringList paths;
    while (query.next())
        paths << query.value(0).toString();
    return paths;
}
} // namespace

class TestFolderImport : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void scanFindsTheRecordingsOfACardTree();
    void scanReportsWhatItCannotUse();
    void cardTreeImportsInBatchesWithAReport();
    void cancelKeepsStoredRowsAndReimportAddsOnlyTheRest();

private:
    void makeCard();
    QTemporaryDir m_media;
    QString m_card;
    QStringList m_damaged;
    int m_recordings = 0;
    std::unique_ptr<QWidget> m_window;
    FilesListView *m_list = nullptr;
};

void TestFolderImport::initTestCase()
{
    QVERIFY(m_media.isValid());
    DbManager::instance();
    makeCard();
    m_window = std::make_unique<QWidget>();
    m_window->resize(1108, 693);
    auto *host = new QWidget(m_window.get());
    host->resize(700, 600);
    m_list = new FilesListView(m_window.get(), m_window.get());
    m_list->setVideoView(host);
    m_window->show();
}

// 600 recordings in four nested folders as cards lay them out, plus five
// files that only look like recordings.
void TestFolderImport::makeCard()
{
    RecordingFactory factory(m_media.path());
    QVERIFY2(factory.makePlain("plain.mp4", 1, true), qPrintable(factory.error()));
    QVERIFY2(factory.makeTransportStream("stream.ts", 1), qPrintable(factory.error()));
    m_card = m_media.path() + "/card";
    const QStringList folders {"DCIM/Movie", "Normal/Front", "Event", "Parking"};
    for (int i = 0; i < 600; ++i) {
        const QString folder = m_card + "/" + folders[i % 4];
        QDir().mkpath(folder);
        const bool ts = i % 10 == 3;
        const QString name = QStringLiteral("2023_0501_%1_F.%2")
                                 .arg(120000 + i, 6, 10, QLatin1Char('0'))
                                 .arg(ts ? "TS" : "MP4");
        QVERIFY(QFile::copy(factory.path(ts ? "stream.ts" : "plain.mp4"), folder + "/" + name));
    }
    m_recordings = 600;
    QFile plain(factory.path("plain.mp4"));
    QVERIFY(plain.open(QIODevice::ReadOnly));
    const QByteArray real = plain.readAll();
    const QString event = m_card + "/Event/";
    m_damaged = QStringList {event + "zero.mp4", event + "random.mov", event + "truncated.mp4",
                             event + "text.ts", event + "head-only.mp4"};
    QVERIFY(writeFile(m_damaged[0], {}));
    QByteArray noise(40000, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919 + 13) % 251);
    QVERIFY(writeFile(m_damaged[1], noise));
    QVERIFY(writeFile(m_damaged[2], real.left(real.size() / 3)));
    QVERIFY(writeFile(m_damaged[3], "not a transport stream\n"));
    QVERIFY(writeFile(m_damaged[4], real.left(64)));
}

void TestFolderImport::scanFindsTheRecordingsOfACardTree()
{
    QTemporaryDir tree;
    const QString root = tree.path();
    for (const char *name :
         {"DCIM/Movie/10.MP4", "DCIM/Movie/2.mp4", "DCIM/Movie/cover.jpg", "Normal/Front/a.Mov",
          "Event/b.ts", "Event/notes.txt", ".Trashes/old.mp4", "Parking/.hidden.mp4/inner.mp4"})
        QVERIFY(writeFile(root + "/" + name, "x"));
    // A link back up the tree must not make the walk go round for ever.
    QVERIFY(QFile::link(root + "/DCIM", root + "/DCIM/Movie/loop"));
    const QString single = root + "/Event/b.ts";

    const RecordingScan::Result result
        = RecordingScan::collect({single, root, root + "/DCIM/../Event/b.ts", root + "/"});
    QCOMPARE(
        relative(root, result.recordings),
        QStringList({"Event/b.ts", "DCIM/Movie/10.MP4", "DCIM/Movie/2.mp4", "Normal/Front/a.Mov"}));
    QVERIFY(result.problems.isEmpty());
    QVERIFY(!result.cancelled);

    const RecordingScan::Result stopped = RecordingScan::collect({root}, [] { return true; });
    QVERIFY(stopped.cancelled);
}

void TestFolderImport::scanReportsWhatItCannotUse()
{
    QTemporaryDir tree;
    QVERIFY(writeFile(tree.path() + "/photo.jpg", "x"));
    const RecordingScan::Result result = RecordingScan::collect(
        {tree.path() + "/photo.jpg", tree.path() + "/gone.mp4", QString()});
    QVERIFY(result.recordings.isEmpty());
    QCOMPARE(result.problems.size(), 2);
    QCOMPARE(result.problems[0].first, tree.path() + "/photo.jpg");
    QCOMPARE(result.problems[0].second, RecordingScan::Problem::NotRecording);
    QCOMPARE(result.problems[1].first, tree.path() + "/gone.mp4");
    QCOMPARE(result.problems[1].second, RecordingScan::Problem::Unreadable);
}

void TestFolderImport::cardTreeImportsInBatchesWithAReport()
{
    ImportFlow *flow = m_list->importFlow();
    QSignalSpy stored(flow, &ImportFlow::rowsStored);
    QSignalSpy finished(flow, &ImportFlow::importFinished);
    int rowsAtFirstBatch = -1;
    const QMetaObject::Connection firstBatch = connect(flow, &ImportFlow::rowsStored, this, [&] {
        if (rowsAtFirstBatch < 0)
            rowsAtFirstBatch = m_list->rowCount();
    });
    m_list->openPaths({m_card});
    const bool done = finished.wait(240000);
    disconnect(firstBatch);
    QVERIFY(done);

    // Three batches of at most 300, each shown in the list as it is stored.
    QCOMPARE(stored.size(), 3);
    QCOMPARE(rowsAtFirstBatch, AddLoadWidget::BatchSize);
    QCOMPARE(m_list->rowCount(), m_recordings);
    QCOMPARE(storedPaths().size(), m_recordings);
    for (const QString &damaged : qAsConst(m_damaged))
        QVERIFY2(!storedPaths().contains(damaged), qPrintable(damaged));

    const auto problems = flow->lastProblems();
    QStringList refused;
    for (const auto &problem : problems) {
        refused << problem.first;
        QVERIFY2(!problem.second.isEmpty(), qPrintable(problem.first));
        if (problem.first.endsWith("zero.mp4"))
            QCOMPARE(problem.second, QString("unreadable"));
        if (problem.first.endsWith("random.mov"))
            QCOMPARE(problem.second, QString("not a recording"));
    }
    refused.sort();
    QStringList damaged = m_damaged;
    damaged.sort();
    QCOMPARE(refused, damaged);
    auto *report = qobject_cast<PromptBox *>([] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == "importReport" && w->isVisible())
                return w;
        return static_cast<QWidget *>(nullptr);
    }());
    QVERIFY(report);
    QCOMPARE(report->details().size(), 5);
    QVERIFY(report->details().join('\n').contains("random.mov"));
    report->close();

    // The same folder again: nothing new, nothing twice.
    QSignalSpy nothingNew(flow, &ImportFlow::nothingNew);
    QSignalSpy again(flow, &ImportFlow::importFinished);
    m_list->openPaths({m_card});
    QVERIFY(again.wait(60000));
    QCOMPARE(storedPaths().size(), m_recordings);
    QCOMPARE(m_list->rowCount(), m_recordings);
}

void TestFolderImport::cancelKeepsStoredRowsAndReimportAddsOnlyTheRest()
{
    // A fresh library, and thumbnails to make again so that a batch takes a while.
    QSqlQuery(QStringLiteral("DELETE FROM LoadFiles")).exec();
    QDir thumbnails(thumbnailPath());
    for (const QString &name : thumbnails.entryList(QDir::Files))
        QVERIFY(thumbnails.remove(name));
    m_list->loadListFromDb(true, false);
    QCOMPARE(m_list->rowCount(), 0);

    ImportFlow *flow = m_list->importFlow();
    QSignalSpy finished(flow, &ImportFlow::importFinished);
    bool cancelled = false;
    // Cancel as soon as the second batch has made its first thumbnail.
    QMetaObject::Connection onBatch;
    onBatch = connect(flow, &ImportFlow::rowsStored, this, [&] {
        disconnect(onBatch);
        QTimer::singleShot(0, this, [&] {
            AddLoadWidget *panel = flow->panel();
            QVERIFY(panel);
            connect(panel->thread(), &MyThread::taskFinishedForThumbPictrue, panel, [&, panel] {
                if (cancelled)
                    return;
                cancelled = true;
                panel->findChild<QPushButton *>("cancelButton")->click();
            });
        });
    });
    m_list->openPaths({m_card});
    QVERIFY(finished.wait(240000));
    QVERIFY(cancelled);
    const QStringList kept = storedPaths();
    QVERIFY2(kept.size() > AddLoadWidget::BatchSize && kept.size() < m_recordings,
             qPrintable(QString::number(kept.size())));
    QCOMPARE(m_list->rowCount(), kept.size());
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == "importReport")
            w->close();

    QSignalSpy again(flow, &ImportFlow::importFinished);
    m_list->openPaths({m_card});
    QVERIFY(again.wait(240000));
    QCOMPARE(storedPaths().size(), m_recordings);
    QCOMPARE(storedPaths().removeDuplicates(), 0);
    for (const QString &path : kept)
        QVERIFY(storedPaths().contains(path));
}

KELMORA_TEST_MAIN(QApplication, TestFolderImport)
#include "tst_folder_import.moc"
