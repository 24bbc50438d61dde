#include "app/Helpers.h"
#include "app/Settings.h"
#include "app/ZCChinaLocation.h"
#include "tests/support/TestHome.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestHelpers : public QObject
{
    Q_OBJECT
private slots:
    void chinaRegion_data();
    void chinaRegion();
    void formatPlayTime_data();
    void formatPlayTime();
    void isoDateTimeText_data();
    void isoDateTimeText();
    void formatByteSize_data();
    void formatByteSize();
    void fileSizeTextHandlesFilesBeyond2GiB();
    void fileSizeTextOfMissingFile();
    void sameFileName_data();
    void sameFileName();
    void convertCoordinate_data();
    void convertCoordinate();
    void foldersAreCreatedUnderTheDataHome();
    void foldersFallBackWhenTheyCannotBeCreated();
    void settingsRoundTrip();
    void typedSettingsKeepTheStoredTexts();
};

void TestHelpers::chinaRegion_data()
{
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    QTest::addColumn<bool>("inside");
    QTest::newRow("Beijing") << 39.9 << 116.4 << true;
    QTest::newRow("Hong Kong cut out") << 22.3 << 114.2 << false;
    QTest::newRow("Taipei cut out") << 25.0 << 121.5 << false;
    QTest::newRow("Japan") << 35.0 << 140.0 << false;
    QTest::newRow("corner is inclusive") << 49.2204 << 79.4462 << true;
    QTest::newRow("Shanghai") << 31.23 << 121.47 << true;
    QTest::newRow("Macau cut out") << 22.15 << 113.6 << false;
}

void TestHelpers::chinaRegion()
{
    QFETCH(double, lat);
    QFETCH(double, lon);
    QFETCH(bool, inside);
    QCOMPARE(isInChina(lat, lon), inside);
    QCOMPARE(ZCChinaLocation().isInRegion(lat, lon), inside);
}

void TestHelpers::isoDateTimeText_data()
{
    QTest::addColumn<QDateTime>("dateTime");
    QTest::addColumn<QString>("text");
    QTest::newRow("recording") << QDateTime({2023, 5, 1}, {12, 0, 3}, Qt::UTC)
                               << "2023-05-01T12:00:03";
    QTest::newRow("midnight") << QDateTime({1970, 1, 1}, {0, 0}, Qt::UTC) << "1970-01-01T00:00:00";
    QTest::newRow("as it stands, not in UTC")
        << QDateTime({2024, 12, 31}, {23, 59, 59}, Qt::OffsetFromUTC, 3600)
        << "2024-12-31T23:59:59";
    QTest::newRow("short year") << QDateTime({5, 2, 3}, {4, 5, 6}, Qt::UTC)
                                << "0005-02-03T04:05:06";
    QTest::newRow("last four-digit year")
        << QDateTime({9999, 12, 31}, {23, 59, 59}, Qt::UTC) << "9999-12-31T23:59:59";
    QTest::newRow("five-digit year")
        << QDateTime({10000, 1, 1}, {0, 0}, Qt::UTC) << "10000-01-01T00:00:00";
    QTest::newRow("invalid") << QDateTime() << QString();
}

void TestHelpers::isoDateTimeText()
{
    QFETCH(QDateTime, dateTime);
    QFETCH(QString, text);
    QCOMPARE(::isoDateTimeText(dateTime), text);
    // Whatever the locale: Qt 5 writes the user's digits (Arabic-Indic ones
    // for Arabic) through QDateTime::toString.
    QCOMPARE(::isoDateTimeText(dateTime),
             QLocale::c().toString(dateTime, QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
}

void TestHelpers::formatPlayTime_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << "0:00";
    QTest::newRow("5") << 5 << "0:05";
    QTest::newRow("59") << 59 << "0:59";
    QTest::newRow("75") << 75 << "1:15";
    QTest::newRow("600") << 600 << "10:00";
    QTest::newRow("no hour field") << 3600 << "60:00";
}

void TestHelpers::formatPlayTime()
{
    QFETCH(int, seconds);
    QFETCH(QString, text);
    QCOMPARE(::formatPlayTime(seconds), text);
}

void TestHelpers::formatByteSize_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<int>("unit");
    QTest::addColumn<QString>("text");
    QTest::newRow("bytes") << qint64(1536) << 0 << "1536";
    QTest::newRow("KiB") << qint64(1536) << 1 << "1.5";
    QTest::newRow("MiB") << qint64(1048576) << 2 << "1.0";
    QTest::newRow("bad unit") << qint64(1048576) << 3 << "Invalid type";
    QTest::newRow("5 GiB bytes") << qint64(5368709120) << 0 << "5368709120";
    QTest::newRow("5 GiB in MiB") << qint64(5368709120) << 2 << "5120.0";
}

void TestHelpers::formatByteSize()
{
    QFETCH(qint64, bytes);
    QFETCH(int, unit);
    QFETCH(QString, text);
    QCOMPARE(::formatByteSize(bytes, unit), text);
}

void TestHelpers::fileSizeTextHandlesFilesBeyond2GiB()
{
    QTemporaryDir dir;
    QFile file(dir.filePath("big recording.mp4"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    // Sparse: takes no disk space but reports 3 GiB.
    QVERIFY(file.resize(qint64(3) << 30));
    file.close();
    QCOMPARE(fileSizeText(file.fileName(), 0), QString("3221225472"));
    QCOMPARE(fileSizeText(file.fileName(), 2), QString("3072.0"));
    QCOMPARE(fileSizeText(file.fileName(), 2).toDouble(), 3072.0);
}

void TestHelpers::fileSizeTextOfMissingFile()
{
    QTest::ignoreMessage(QtDebugMsg, QRegularExpression("查询文件大小失败："));
    QCOMPARE(fileSizeText("/nonexistent/none.mp4", 2), QString("0"));
    QVERIFY(!fileExists("/nonexistent/none.mp4"));
}

void TestHelpers::sameFileName_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("same");
    QTest::newRow("case and folder differ") << "/x/2023_0501_120000_F.MP4"
                                            << "/y/2023_0501_120000_f.mp4" << true;
    QTest::newRow("20 chars, one differs: 95 %") << "/a/abcdefghijklmnop.mp4"
                                                 << "/a/abcdefghijklmnoX.mp4" << false;
    QTest::newRow("25 chars, one differs: 96 %") << "/a/20230501_12000_00000F.mp4"
                                                 << "/a/20230501_12000_00000R.mp4" << true;
    QTest::newRow("lengths differ") << "/a/abc.mp4"
                                    << "/a/abcd.mp4" << false;
    QTest::newRow("empty names") << "/a/"
                                 << "/b/" << false;
    QTest::newRow("non-Latin letters") << "/a/行车记录_2023_0501_120000_前_F.mp4"
                                       << "/a/行车记录_2023_0501_120000_前_R.mp4" << true;
}

void TestHelpers::sameFileName()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, same);
    QCOMPARE(isSameFileName(a, b), same);
}

void TestHelpers::convertCoordinate_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("convert");
    QTest::addColumn<double>("lat");
    QTest::addColumn<double>("lon");
    // Reference values of the published WGS-84 -> GCJ-02 -> BD-09 conversions.
    QTest::newRow("Google, no shift") << 0 << false << 39.9 << 116.4;
    QTest::newRow("Baidu, no shift") << 1 << false << 39.9 << 116.4;
    QTest::newRow("Google, GCJ-02") << 0 << true << 39.90140353 << 116.40624278;
    QTest::newRow("Baidu, BD-09") << 1 << true << 39.90773378 << 116.41262803;
    // OpenStreetMap draws WGS-84 inside China too.
    QTest::newRow("OpenStreetMap") << 2 << true << 39.9 << 116.4;
    QTest::newRow("other kind") << 5 << true << 0.0 << 0.0;
    QTest::newRow("other kind, no shift") << -1 << false << 0.0 << 0.0;
}

void TestHelpers::convertCoordinate()
{
    QFETCH(int, kind);
    QFETCH(bool, convert);
    QFETCH(double, lat);
    QFETCH(double, lon);
    const Coordinate c = ::convertCoordinate(kind, "39.9", "116.4", convert);
    QVERIFY2(qAbs(c.first - lat) < 1e-7, qPrintable(QString::number(c.first, 'f', 8)));
    QVERIFY2(qAbs(c.second - lon) < 1e-7, qPrintable(QString::number(c.second, 'f', 8)));
}

void TestHelpers::foldersAreCreatedUnderTheDataHome()
{
    const QString expected = qEnvironmentVariable("XDG_DATA_HOME") + "/KelmoraPlayer";
    QCOMPARE(appDataPath(), expected);
    QVERIFY(QFileInfo(expected).isDir());
    QCOMPARE(thumbnailPath(), expected + "/Thumbnail");
    QVERIFY(QFileInfo(expected + "/Thumbnail").isDir());
}

void TestHelpers::foldersFallBackWhenTheyCannotBeCreated()
{
    QTemporaryDir dir;
    // Regular files where folders must go: no one, not even root, can create them.
    QFile blocker(dir.filePath("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(blocker.fileName() + "/data"));
    const QString data = appDataPath();
    qputenv("XDG_DATA_HOME", saved);
    QCOMPARE(data, QString("aaaaaaaaaaaaaa"));

    QVERIFY(QDir(appDataPath()).removeRecursively());
    QVERIFY(QDir().mkpath(appDataPath()));
    QFile thumbBlocker(appDataPath() + "/Thumbnail");
    QVERIFY(thumbBlocker.open(QIODevice::WriteOnly));
    thumbBlocker.close();
    QCOMPARE(thumbnailPath(), QString("aaaaaaaaaaaaaa11111"));
    QVERIFY(thumbBlocker.remove());
}

void TestHelpers::settingsRoundTrip()
{
    QVERIFY(settingsValue("lastOpenPath").isEmpty());
    QCOMPARE(settingsValue("lastOpenPath", "fallback"), QString("fallback"));
    QCOMPARE(settingsValue("lastOpenPath", "/media/it's here/行车", true), QString());
    QCOMPARE(settingsValue("lastOpenPath"), QString("/media/it's here/行车"));
    settingsValue("videoSound", 0.5, true);
    QCOMPARE(settingsValue("videoSound"), QString("0.5"));
    // Stored in the per-user native store under the fixed organisation.
    QVERIFY(QFile::exists(qEnvironmentVariable("XDG_CONFIG_HOME") + "/Kelmora/KelmoraPlayer.conf"));
}

// The typed settings write exactly the texts earlier versions wrote and read
// theirs back, so a library of settings survives the upgrade both ways.
void TestHelpers::typedSettingsKeepTheStoredTexts()
{
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Kelmora", "KelmoraPlayer").clear();
    // Nothing saved: the default, and no text appears in the store.
    QCOMPARE(Settings::mapType().saved(), std::nullopt);
    QCOMPARE(Settings::coordinateFormat().get(), CoordinateFormat::DecimalDegrees);
    QCOMPARE(Settings::videoColor(2).get(), 1.0f);
    QCOMPARE(Settings::videoSound().get(), 0.7);
    QVERIFY(settingsValue(SettingsKeys::MapType).isEmpty());

    Settings::mapType().set(MapType::Baidu);
    Settings::playMode().set(PlayMode::FourChannels);
    Settings::videoColor(3).set(2.75f);
    Settings::videoSound().set(0.5);
    Settings::saveFolder().set(QStringLiteral("/media/it's \"here\"/行车"));
    Settings::promptOptOut(12).set(1);
    Settings::language().set(9);
    const QList<QPair<const char *, QString>> written = {
        {SettingsKeys::MapType, "1"},
        {SettingsKeys::PlayModel, "3"},
        {SettingsKeys::VideoColor3, "2.75"},
        {SettingsKeys::VideoSound, "0.5"},
        {SettingsKeys::SaveFilePath, "/media/it's \"here\"/行车"},
        {SettingsKeys::EnterNoShowFullWidget, "1"},
        {SettingsKeys::Language, "9"},
    };
    for (const auto &[key, text] : written)
        QCOMPARE(settingsValue(key), text);

    // Texts as older versions wrote them, odd ones included.
    settingsValue(SettingsKeys::SpeedUnit, "1", true);
    settingsValue(SettingsKeys::PlayerType, "junk", true);
    settingsValue(SettingsKeys::VideoColor1, QVariant(0.25f), true);
    QCOMPARE(Settings::speedUnit().get(), SpeedUnit::MilesPerHour);
    QCOMPARE(Settings::playerType().saved(), std::optional<PlayerType>(PlayerType::OpenGL));
    QCOMPARE(Settings::videoColor(1).get(), 0.25f);
}

KELMORA_TEST_MAIN(QCoreApplication, TestHelpers)
#include "tst_helpers.moc"
