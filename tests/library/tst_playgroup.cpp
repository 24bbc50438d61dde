#include "library/DbModel.h"
#include "library/PlayGroup.h"
#include "tests/support/TestHome.h"

#include <QtTest>

class TestPlayGroup : public QObject
{
    Q_OBJECT
private slots:
    void grouping_data();
    void grouping();
};

void TestPlayGroup::grouping_data()
{
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QStringList>("missing");
    QTest::addColumn<QStringList>("group");
    const QStringList fri {"20240101_120000_0001_F.MP4", "20240101_120000_0001_R.MP4",
                           "20240101_120000_0001_I.MP4"};
    QTest::newRow("three channels, R chosen")
        << fri << fri.at(1) << 2 << QStringList {} << QStringList {fri.at(1), fri.at(0), fri.at(2)};
    QTest::newRow("one channel mode")
        << fri << fri.at(1) << 0 << QStringList {} << QStringList {fri.at(1)};
    QTest::newRow("two channel mode takes the first by name")
        << fri << fri.at(1) << 1 << QStringList {} << QStringList {fri.at(1), fri.at(0)};
    QTest::newRow("four channel mode with three files")
        << fri << fri.at(0) << 3 << QStringList {} << QStringList {fri.at(0), fri.at(2), fri.at(1)};
    QTest::newRow("a missing channel is left out")
        << fri << fri.at(1) << 2 << QStringList {fri.at(2)} << QStringList {fri.at(1), fri.at(0)};
    QTest::newRow("20 characters never group")
        << QStringList {"2024_0101_1200_F.mp4", "2024_0101_1200_R.mp4"} << "2024_0101_1200_F.mp4"
        << 3 << QStringList {} << QStringList {"2024_0101_1200_F.mp4"};
    QTest::newRow("letter case differs: grouped")
        << QStringList {"20240101_120000_0001_F.MP4", "20240101_120000_0001_f.mp4"}
        << "20240101_120000_0001_F.MP4" << 1 << QStringList {}
        << QStringList {"20240101_120000_0001_F.MP4", "20240101_120000_0001_f.mp4"};
    QTest::newRow("another moment is not a channel")
        << QStringList {"20240101_120000_0001_F.MP4", "20240101_130500_0002_R.MP4"}
        << "20240101_120000_0001_F.MP4" << 3 << QStringList {}
        << QStringList {"20240101_120000_0001_F.MP4"};
}

void TestPlayGroup::grouping()
{
    QFETCH(QStringList, listed);
    QFETCH(QString, selected);
    QFETCH(int, limit);
    QFETCH(QStringList, missing);
    QFETCH(QStringList, group);
    std::vector<std::unique_ptr<DbModel>> owned;
    QMap<QString, DbModel *> byName;
    DbModel *chosen = nullptr;
    for (const QString &name : listed) {
        owned.push_back(std::make_unique<DbModel>());
        owned.back()->fileName = name;
        owned.back()->path = "/media/card/" + name;
        byName.insert(name, owned.back().get());
        if (name == selected)
            chosen = owned.back().get();
    }
    const auto exists
        = [&missing](const QString &path) { return !missing.contains(QFileInfo(path).fileName()); };
    QStringList names;
    for (const DbModel *model : PlayGroup::build(chosen, byName, limit, exists))
        names << model->fileName;
    QCOMPARE(names, group);
}

KELMORA_TEST_MAIN(QCoreApplication, TestPlayGroup)
#include "tst_playgroup.moc"
