#include "app/AppManager.h"
#include "app/Helpers.h"
#include "app/MapKeys.h"
#include "app/NetworkListener.h"
#include "app/SettingsKeys.h"
#include "tests/support/TestHome.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTranslator>
#include <QtTest>

using Saved = QMap<QString, QString>;
Q_DECLARE_METATYPE(Saved)

class TestAppManager : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void startupDefaults_data();
    void startupDefaults();
    void persistingSettersWriteAndSignal_data();
    void persistingSettersWriteAndSignal();
    void unchangedValuesWriteNothing();
    void setLanguageInstallsAndPersists_data();
    void setLanguageInstallsAndPersists();
    void languageChangesLeaveOneCatalogue();
    void colourValues();
    void mapKeysAreSavedAndSignalled();
    void probeAsksTheMapThatShows_data();
    void probeAsksTheMapThatShows();
    void keyFileIsRead_data();
    void keyFileIsRead();

private:
    static QSettings store()
    {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Kelmora", "KelmoraPlayer");
    }
};

void TestAppManager::init()
{
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, "Kelmora", "KelmoraPlayer");
    s.clear();
    s.sync();
    for (QTranslator *t : QCoreApplication::instance()->findChildren<QTranslator *>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}

void TestAppManager::startupDefaults_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<Saved>("saved");
    QTest::addColumn<int>("language");
    QTest::addColumn<int>("mapType");
    QTest::addColumn<int>("speedUnit");
    QTest::addColumn<QString>("listFullText"); // the long-list warning in the installed language

    const QString zh = QString::fromUtf8("播放列表文件过多，请删除多余文件后再添加新文件。");
    const QString en = "There are too many playlist files. Please delete the extra files before "
                       "adding new files.";
    QTest::newRow("Chinese system") << "zh_CN" << Saved {} << 1 << 1 << 0 << zh;
    QTest::newRow("English system") << "en_US" << Saved {} << 2 << 0 << 1 << en;
    QTest::newRow("Dutch system") << "nl_NL" << Saved {} << 2 << 0 << 1 << en;
    QTest::newRow("Korean system") << "ko_KR" << Saved {} << 7 << 0 << 1 << QString();
    QTest::newRow("saved Japanese")
        << "en_US" << Saved {{SettingsKeys::Language, "6"}} << 6 << 0 << 0 << QString();
    QTest::newRow("saved km/h beats English default")
        << "en_US" << Saved {{SettingsKeys::SpeedUnit, "0"}} << 2 << 0 << 0 << en;
    QTest::newRow("saved Chinese on English system")
        << "en_US" << Saved {{SettingsKeys::Language, "1"}} << 1 << 1 << 0 << zh;
    QTest::newRow("garbage saved language")
        << "de_DE" << Saved {{SettingsKeys::Language, "abc"}} << 4 << 0 << 0 << QString();
}

void TestAppManager::startupDefaults()
{
    QFETCH(QString, locale);
    QFETCH(Saved, saved);
    QFETCH(int, language);
    QFETCH(int, mapType);
    QFETCH(int, speedUnit);
    QFETCH(QString, listFullText);
    for (auto it = saved.cbegin(); it != saved.cend(); ++it)
        settingsValue(it.key(), it.value(), true);
    const QStringList keysBefore = store().allKeys();

    AppManager manager {QLocale(locale)};
    QCOMPARE(manager.languageIndex(), language);
    QCOMPARE(choiceNumber(manager.mapType()), mapType);
    QCOMPARE(choiceNumber(manager.speedUnitType()), speedUnit);
    QCOMPARE(choiceNumber(manager.longOrLatType()), 1);
    QCOMPARE(choiceNumber(manager.playModelType()), 0);
    QCOMPARE(choiceNumber(manager.playerType()), 0);
    QCOMPARE(choiceNumber(manager.panoramaModelType()), 3);
    if (!listFullText.isEmpty())
        QCOMPARE(QCoreApplication::translate("FilesListView", "listFilesForDelete"), listFullText);
    // A first start writes nothing until the user changes something.
    if (saved.isEmpty())
        QCOMPARE(store().allKeys(), keysBefore);
}

void TestAppManager::persistingSettersWriteAndSignal_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("signal");
    QTest::newRow("map") << SettingsKeys::MapType << QByteArray(SIGNAL(changeMapType(int)));
    QTest::newRow("speed") << SettingsKeys::SpeedUnit
                           << QByteArray(SIGNAL(changeSpeedUnitType(int)));
    QTest::newRow("coordinates") << SettingsKeys::LongOrLat
                                 << QByteArray(SIGNAL(changeLongOrLatType(int)));
    QTest::newRow("play mode") << SettingsKeys::PlayModel
                               << QByteArray(SIGNAL(changePlayModelType(int)));
    QTest::newRow("player type") << SettingsKeys::PlayerType << QByteArray();
}

void TestAppManager::persistingSettersWriteAndSignal()
{
    QFETCH(QString, key);
    QFETCH(QByteArray, signal);
    AppManager manager {QLocale("en_US")};
    QSignalSpy playerTypeSpy(&manager, &AppManager::changePlayerType);
    std::unique_ptr<QSignalSpy> spy;
    if (!signal.isEmpty())
        spy = std::make_unique<QSignalSpy>(&manager, signal.constData());
    const QHash<QString, std::function<void(int)>> setters {
        {SettingsKeys::MapType, [&](int v) { manager.setMapType(MapType(v)); }},
        {SettingsKeys::SpeedUnit, [&](int v) { manager.setSpeedUnitType(SpeedUnit(v)); }},
        {SettingsKeys::LongOrLat, [&](int v) { manager.setLongOrLatType(CoordinateFormat(v)); }},
        {SettingsKeys::PlayModel, [&](int v) { manager.setPlayModelType(PlayMode(v)); }},
        {SettingsKeys::PlayerType, [&](int v) { manager.setPlayerType(PlayerType(v)); }},
    };
    setters[key](3);
    QCOMPARE(settingsValue(key), QString("3"));
    if (spy) {
        QCOMPARE(spy->count(), 1);
        QCOMPARE(spy->at(0).at(0).toInt(), 3);
    }
    QCOMPARE(playerTypeSpy.count(), 0);

    // The next start reads the saved choice back.
    AppManager next {QLocale("en_US")};
    const QHash<QString, int> read {{SettingsKeys::MapType, choiceNumber(next.mapType())},
                                    {SettingsKeys::SpeedUnit, choiceNumber(next.speedUnitType())},
                                    {SettingsKeys::LongOrLat, choiceNumber(next.longOrLatType())},
                                    {SettingsKeys::PlayModel, choiceNumber(next.playModelType())},
                                    {SettingsKeys::PlayerType, choiceNumber(next.playerType())}};
    QCOMPARE(read.value(key), 3);
}

void TestAppManager::unchangedValuesWriteNothing()
{
    AppManager manager {QLocale("en_US")};
    QSignalSpy mapSpy(&manager, &AppManager::changeMapType);
    QSignalSpy speedSpy(&manager, &AppManager::changeSpeedUnitType);
    manager.setMapType(manager.mapType());
    manager.setSpeedUnitType(manager.speedUnitType());
    QCOMPARE(mapSpy.count(), 0);
    QCOMPARE(speedSpy.count(), 0);
    QVERIFY(store().allKeys().isEmpty());
    QVERIFY(!manager.networkListener()->hasReply()); // no probe started

    manager.switchPlayerType(PlayerType::NativeWindow);
    QCOMPARE(choiceNumber(manager.playerType()), 1);
    QVERIFY(store().allKeys().isEmpty()); // switching is not persisted
}

void TestAppManager::setLanguageInstallsAndPersists_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("savedText");
    QTest::addColumn<QString>("languageName"); // the language combo's "Russian" entry
    QTest::newRow("Chinese") << 1 << "1" << QString::fromUtf8("Русский");
    QTest::newRow("Russian, doubled slash") << 9 << "9" << QString::fromUtf8("Русский");
    QTest::newRow("Spanish") << 10 << "10" << QString::fromUtf8("Русский");
    QTest::newRow("out of range takes English, saves the number")
        << 42 << "42" << QString::fromUtf8("Русский");
}

void TestAppManager::setLanguageInstallsAndPersists()
{
    QFETCH(int, number);
    QFETCH(QString, savedText);
    QFETCH(QString, languageName);
    AppManager manager {QLocale("en_US")};
    manager.setLanguage(number);
    QCOMPARE(manager.languageIndex(), number);
    QCOMPARE(settingsValue(SettingsKeys::Language), savedText);
    QCOMPARE(manager.savedLanguage(), savedText.toInt());
    QCOMPARE(QCoreApplication::translate("SetWidget", "Russian"), languageName);
}

// Each change used to add a translator to the application for good.
void TestAppManager::languageChangesLeaveOneCatalogue()
{
    AppManager manager {QLocale("zh_CN")};
    const QString chinese = QCoreApplication::translate("PlayerTool", "one_play");
    for (int number : {9, 10, 6, 1, 2})
        manager.setLanguage(number);
    QCOMPARE(manager.findChildren<QTranslator *>().size(), 1);
    QCOMPARE(QCoreApplication::instance()->findChildren<QTranslator *>().size(), 0);
    QVERIFY(QCoreApplication::translate("PlayerTool", "one_play") != chinese);
    // A number out of range takes the English catalogue, again in place of the last.
    manager.setLanguage(42);
    QCOMPARE(manager.findChildren<QTranslator *>().size(), 1);
}

void TestAppManager::colourValues()
{
    AppManager manager {QLocale("en_US")};
    QSignalSpy spy(&manager, &AppManager::changePlayerColor);
    QCOMPARE(manager.videoColorValue(1), 0.0f);
    manager.setVideoColorValue(1, 0.25f);
    manager.setVideoColorValue(2, 1.5f);
    manager.setVideoColorValue(7, 2.75f);
    QCOMPARE(spy.count(), 3);
    QCOMPARE(manager.videoColorValue(1), 0.25f);
    QCOMPARE(manager.videoColorValue(2), 1.5f);
    QCOMPARE(manager.videoColorValue(3), 2.75f); // any other number shares the third key
    QCOMPARE(settingsValue(SettingsKeys::VideoColor3), QString("2.75"));
}

void TestAppManager::mapKeysAreSavedAndSignalled()
{
    AppManager manager {QLocale("en_US")};
    QSignalSpy keys(&manager, &AppManager::changeMapKey);
    manager.setMapKey(MapType::Baidu, "  baidu-key \n");
    QCOMPARE(settingsValue(SettingsKeys::BaiduMapKey), QString("baidu-key"));
    QCOMPARE(keys.count(), 1);
    QCOMPARE(keys.at(0).at(0).toInt(), 1);
    manager.setMapKey(MapType::Baidu, "baidu-key"); // unchanged
    manager.setMapKey(MapType::OpenStreetMap, "x"); // needs none
    QCOMPARE(keys.count(), 1);
    QCOMPARE(MapKeys::key(MapType::Baidu), QString("baidu-key"));
    QCOMPARE(MapKeys::key(MapType::Google), QString());
    manager.setMapKey(MapType::Baidu, "");
    QCOMPARE(keys.count(), 2);
    QCOMPARE(MapKeys::shownMap(MapType::Baidu), MapType::OpenStreetMap);
}

void TestAppManager::probeAsksTheMapThatShows_data()
{
    QTest::addColumn<int>("mapType");
    QTest::addColumn<QString>("googleKey");
    QTest::addColumn<QString>("tileUrl");
    QTest::addColumn<QString>("probe");
    QTest::newRow("openstreetmap") << 2 << ""
                                   << ""
                                   << "https://tile.openstreetmap.org/";
    QTest::newRow("google without key") << 0 << ""
                                        << ""
                                        << "https://tile.openstreetmap.org/";
    QTest::newRow("google with key") << 0 << "k"
                                     << ""
                                     << "http://www.google.com/";
    QTest::newRow("own tile server") << 2 << ""
                                     << "http://127.0.0.1:8123/{z}/{x}/{y}.png"
                                     << "http://127.0.0.1:8123/";
}

void TestAppManager::probeAsksTheMapThatShows()
{
    QFETCH(int, mapType);
    QFETCH(QString, googleKey);
    QFETCH(QString, tileUrl);
    QFETCH(QString, probe);
    settingsValue(SettingsKeys::GoogleMapKey, googleKey, true);
    settingsValue(SettingsKeys::MapTileUrl, tileUrl, true);
    QCOMPARE(AppManager::probeUrl(MapType(mapType)).toString(), probe);
}

void TestAppManager::keyFileIsRead_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("google");
    QTest::addColumn<QString>("baidu");
    QTest::newRow("shipped, empty") << "window.KELMORA_MAP_KEYS = { google: \"\", baidu: \"\" };"
                                    << ""
                                    << "";
    QTest::newRow("both") << "window.KELMORA_MAP_KEYS = {\n google: \"AIza-1\",\n baidu: 'bd2' };"
                          << "AIza-1"
                          << "bd2";
    QTest::newRow("spaces inside quotes") << "google : \"  g  \""
                                          << "g"
                                          << "";
    // A quote inside, or text spanning lines, is no key.
    QTest::newRow("broken") << "google: \"a\\\"b\", baidu: \"x\ny\""
                            << ""
                            << "";
    QTest::newRow("lookalike name") << "notgoogle: \"n\""
                                    << ""
                                    << "";
}

void TestAppManager::keyFileIsRead()
{
    QFETCH(QString, script);
    QFETCH(QString, google);
    QFETCH(QString, baidu);
    QCOMPARE(MapKeys::keyFromScript(script, MapType::Google), google);
    QCOMPARE(MapKeys::keyFromScript(script, MapType::Baidu), baidu);
    QCOMPARE(MapKeys::keyFromScript(script, MapType::OpenStreetMap), QString());
}

KELMORA_TEST_MAIN(QCoreApplication, TestAppManager)
#include "tst_appmanager.moc"
