#include "app/AppManager.h"
#include "app/Helpers.h"
#include "app/Settings.h"
#include "app/SettingsKeys.h"
#include "controls/RoundedDialog.h"
#include "library/TelemetryEvents.h"
#include "settings/SetWidget.h"
#include "tests/support/Screenshots.h"
#include "tests/support/TestHome.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <QVBoxLayout>
#include <QtTest>

namespace {
QSettings store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Kelmora", "KelmoraPlayer");
}

bool isStored(const char *key)
{
    QSettings s = store();
    return s.contains(key);
}

void removeTranslators()
{
    for (QTranslator *t : QCoreApplication::instance()->findChildren<QTranslator *>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}

void installCatalogue(int number)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    QVERIFY(translator->load(AppManager::catalogPath(number)));
    QVERIFY(QCoreApplication::installTranslator(translator));
}

QPushButton *button(QWidget *page, const char *name)
{
    auto *b = page->findChild<QPushButton *>(name);
    if (!b)
        qWarning() << "missing button" << name;
    return b;
}

QString text(QWidget *page, const char *name)
{
    if (auto *label = page->findChild<QLabel *>(name))
        return label->text();
    if (auto *b = page->findChild<QPushButton *>(name))
        return b->text();
    return "<missing " + QString(name) + ">";
}

QList<QWidget *> hudPrompts()
{
    QList<QWidget *> found;
    for (QWidget *w : QApplication::allWidgets()) {
        if (w->objectName() == "orbHudView" && w->isVisible())
            found << w;
    }
    return found;
}

// The page inside the rounded popup, as the file list shows it.
struct Popup
{
    RoundedDialog dialog;
    SetWidget *page;
    Popup()
        : page(new SetWidget(&dialog))
    {
        auto *layout = new QVBoxLayout(&dialog);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(page);
        dialog.show();
    }
};

const QStringList kOwnNames = {QString::fromUtf8("简体中文"),
                               "English",
                               QString::fromUtf8("Français"),
                               "Deutsch",
                               "Italiano",
                               QString::fromUtf8("日本語"),
                               QString::fromUtf8("한국어"),
                               "Polski",
                               QString::fromUtf8("Русский"),
                               QString::fromUtf8("Español")};
} // namespace

class TestSettings : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void choiceButtonsReachAppManager_data();
    void choiceButtonsReachAppManager();
    void pageShowsCurrentChoices_data();
    void pageShowsCurrentChoices();
    void languageListInOwnScript_data();
    void languageListInOwnScript();
    void languageChangeRetranslates();
    void choicesFitTheirRow_data();
    void choicesFitTheirRow();
    void eventLimitsAreSavedAndReadBack();
    void mapKeyFollowsChosenService_data();
    void mapKeyFollowsChosenService();
    void aboutText();
    void saveFolderChooser_data();
    void saveFolderChooser();
    void cancelButtonClosesDialog();
    void activePlayerTypeDoesNothing();
    void playerTypePromptCancel();
    void playerTypePromptConfirmEndsProgram();
    void screenshots();

private:
    AppManager *app() { return AppManager::instance(); }
};

void TestSettings::init()
{
    removeTranslators();
    QSettings s = store();
    s.clear();
    s.sync();
    app()->setPlayerType(PlayerType::OpenGL);
}

void TestSettings::cleanup()
{
    for (QWidget *hud : hudPrompts())
        hud->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TestSettings::choiceButtonsReachAppManager_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("signal");
    QTest::addColumn<int>("value");

    QTest::newRow("km/h") << "speedButonnKMH" << SettingsKeys::SpeedUnit << "speed" << 0;
    QTest::newRow("mph") << "speedButonnPMH" << SettingsKeys::SpeedUnit << "speed" << 1;
    QTest::newRow("dms") << "LongOrLatType" << SettingsKeys::LongOrLat << "coord" << 0;
    QTest::newRow("decimal") << "LongOrLatTypeOne" << SettingsKeys::LongOrLat << "coord" << 1;
    QTest::newRow("google") << "mapType" << SettingsKeys::MapType << "map" << 0;
    QTest::newRow("baidu") << "mapTypeOne" << SettingsKeys::MapType << "map" << 1;
    QTest::newRow("openstreetmap") << "mapTypeTwo" << SettingsKeys::MapType << "map" << 2;
    QTest::newRow("one channel") << "playModelOne" << SettingsKeys::PlayModel << "mode" << 0;
    QTest::newRow("two channels") << "playModelTwo" << SettingsKeys::PlayModel << "mode" << 1;
    QTest::newRow("three channels") << "playModelThree" << SettingsKeys::PlayModel << "mode" << 2;
    QTest::newRow("four channels") << "playModelFour" << SettingsKeys::PlayModel << "mode" << 3;
}

void TestSettings::choiceButtonsReachAppManager()
{
    QFETCH(QString, button);
    QFETCH(QString, key);
    QFETCH(QString, signal);
    QFETCH(int, value);

    // Start from another value so the click is a change.
    const int other = value == 0 ? 1 : 0;
    AppManager *m = app();
    m->setSpeedUnitType(SpeedUnit(other));
    m->setLongOrLatType(CoordinateFormat(other));
    m->setMapType(MapType(other));
    m->setPlayModelType(PlayMode(other));
    {
        QSettings s = store();
        s.clear();
    }

    QList<QPair<QString, int>> emitted;
    QObject context;
    connect(m, &AppManager::changeSpeedUnitType, &context,
            [&](int v) { emitted << qMakePair(QString("speed"), v); });
    connect(m, &AppManager::changeLongOrLatType, &context,
            [&](int v) { emitted << qMakePair(QString("coord"), v); });
    connect(m, &AppManager::changeMapType, &context,
            [&](int v) { emitted << qMakePair(QString("map"), v); });
    connect(m, &AppManager::changePlayModelType, &context,
            [&](int v) { emitted << qMakePair(QString("mode"), v); });

    Popup popup;
    QVERIFY(QTest::qWaitForWindowExposed(&popup.dialog));
    QPushButton *b = ::button(popup.page, button.toLatin1());
    QVERIFY(b);
    QVERIFY(!b->isChecked());
    QTest::mouseClick(b, Qt::LeftButton);

    QCOMPARE(emitted, (QList<QPair<QString, int>> {{signal, value}}));
    QCOMPARE(settingsValue(key), QString::number(value));
    QVERIFY(b->isChecked());

    // The same choice again neither writes nor announces.
    {
        QSettings s = store();
        s.remove(key);
    }
    QTest::mouseClick(b, Qt::LeftButton);
    QCOMPARE(emitted.size(), 1);
    QVERIFY(!isStored(key.toLatin1()));
    QVERIFY(popup.dialog.isVisible());
}

void TestSettings::pageShowsCurrentChoices_data()
{
    QTest::addColumn<int>("speed");
    QTest::addColumn<int>("coord");
    QTest::addColumn<int>("map");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("player");
    QTest::addColumn<QString>("language"); // saved text
    QTest::addColumn<QStringList>("checked");
    QTest::addColumn<int>("comboIndex");

    QTest::newRow("zeros, Chinese") << 0 << 0 << 0 << 0 << 0 << "1"
                                    << QStringList {"speedButonnKMH", "LongOrLatType", "mapType",
                                                    "playModelOne", "playerTypeButtonOne"}
                                    << 0;
    QTest::newRow("ones, Spanish")
        << 1 << 1 << 1 << 1 << 1 << "10"
        << QStringList {"speedButonnPMH", "LongOrLatTypeOne", "mapTypeOne", "playModelTwo",
                        "playerTypeButtonTwo"}
        << 9;
    QTest::newRow("OpenStreetMap, German")
        << 0 << 0 << 2 << 3 << 0 << "4"
        << QStringList {"speedButonnKMH", "LongOrLatType", "mapTypeTwo", "playModelFour",
                        "playerTypeButtonOne"}
        << 3;
    QTest::newRow("three channels, Korean")
        << 0 << 1 << 0 << 2 << 0 << "7"
        << QStringList {"speedButonnKMH", "LongOrLatTypeOne", "mapType", "playModelThree",
                        "playerTypeButtonOne"}
        << 6;
    // Out-of-range numbers fall to the last mode and to English (the catalogue
    // such a language number loads).
    QTest::newRow("odd values") << 0 << 0 << 0 << 9 << 0 << "15"
                                << QStringList {"speedButonnKMH", "LongOrLatType", "mapType",
                                                "playModelFour", "playerTypeButtonOne"}
                                << 1;
}

void TestSettings::pageShowsCurrentChoices()
{
    QFETCH(int, speed);
    QFETCH(int, coord);
    QFETCH(int, map);
    QFETCH(int, mode);
    QFETCH(int, player);
    QFETCH(QString, language);
    QFETCH(QStringList, checked);
    QFETCH(int, comboIndex);

    AppManager *m = app();
    m->setSpeedUnitType(SpeedUnit(speed));
    m->setLongOrLatType(CoordinateFormat(coord));
    m->setMapType(MapType(map));
    m->setPlayModelType(PlayMode(mode));
    m->setPlayerType(PlayerType(player));
    settingsValue(SettingsKeys::Language, language, true);

    SetWidget page;
    QCOMPARE(page.size(), QSize(530, 962));
    const QList<QPushButton *> buttons = page.findChildren<QPushButton *>();
    for (QPushButton *b : buttons) {
        if (b->isCheckable())
            QCOMPARE(b->isChecked(), checked.contains(b->objectName()));
    }
    auto *combo = page.findChild<QComboBox *>("comboBox");
    QCOMPARE(combo->currentIndex(), comboIndex);
    // OpenStreetMap takes no key.
    QCOMPARE(page.findChild<QLineEdit *>("mapKeyEdit")->isVisibleTo(&page), map != 2);
    QCOMPARE(page.findChild<QLabel *>("mapKeyLabel")->isVisibleTo(&page), map != 2);
    // Opening the page does not set the language again.
    QCOMPARE(settingsValue(SettingsKeys::Language), language);
}

void TestSettings::languageListInOwnScript_data()
{
    QTest::addColumn<int>("catalogue");
    QTest::newRow("none") << 0;
    for (int number = 1; number <= 10; ++number)
        QTest::newRow(qPrintable(AppManager::catalogPath(number))) << number;
}

void TestSettings::languageListInOwnScript()
{
    QFETCH(int, catalogue);
    if (catalogue > 0)
        installCatalogue(catalogue);
    SetWidget page;
    auto *combo = page.findChild<QComboBox *>("comboBox");
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    QCOMPARE(items, kOwnNames);
}

void TestSettings::languageChangeRetranslates()
{
    const QString folder = QString::fromUtf8("/tmp/录像 'x'");
    settingsValue(SettingsKeys::SaveFilePath, folder, true);
    app()->setLanguage(2);
    Popup popup;
    SetWidget *page = popup.page;
    QCOMPARE(text(page, "speedLabel"), QString("Speed Unit"));
    QCOMPARE(text(page, "playerTypeButtonTwo"), QString("Smoothness priority"));
    QCOMPARE(text(page, "savePathLabel"), folder);
    QCOMPARE(page->findChild<QPushButton *>("openPathButton")->toolTip(),
             QString("File Save Path"));

    auto *combo = page->findChild<QComboBox *>("comboBox");
    combo->setCurrentIndex(0);
    QCOMPARE(app()->languageIndex(), 1);
    QCOMPARE(settingsValue(SettingsKeys::Language), QString("1"));
    // The language change reaches the widgets as a posted event.
    QTRY_COMPARE(text(page, "speedLabel"), QString::fromUtf8("速度单位"));
    // The name has no blanks of its own: it takes its neighbours' gap after the icon.
    QCOMPARE(text(page, "mapTypeTwo"), QString("  OpenStreetMap"));
    QCOMPARE(text(page, "mapKeyLabel"), QString::fromUtf8("密钥"));
    QCOMPARE(page->findChild<QLineEdit *>("mapKeyEdit")->placeholderText(),
             QString::fromUtf8("未填写密钥时，地图显示 OpenStreetMap"));
    QCOMPARE(text(page, "playModelText"),
             QString::fromUtf8("注意：多路播放可能会导致电脑运行速度变慢。"));
    QCOMPARE(text(page, "savePathLabel"), folder);
    QVERIFY(text(page, "appConnect").contains("3.0.2"));
    QCOMPARE(text(page, "appConnect"), SetWidget::aboutText());
    QCOMPARE(combo->itemText(0), kOwnNames.at(0));

    combo->setCurrentIndex(1);
    QCOMPARE(settingsValue(SettingsKeys::Language), QString("2"));
    QTRY_COMPARE(text(page, "speedLabel"), QString("Speed Unit"));
    QCOMPARE(text(page, "mapTypeOne").trimmed(), QString("Baidu Map"));
    QCOMPARE(text(page, "mapTypeTwo"), QString("OpenStreetMap"));
    QCOMPARE(text(page, "mapKeyLabel"), QString("Key"));
    QCOMPARE(page->findChild<QLineEdit *>("mapKeyEdit")->placeholderText(),
             QString("Without a key the map shows OpenStreetMap"));
}

void TestSettings::choicesFitTheirRow_data()
{
    languageListInOwnScript_data();
}

// Choice buttons take the width of their words: in no language may one run
// into the next of its row or past the row's end, nor the key's words be cut.
void TestSettings::choicesFitTheirRow()
{
    QFETCH(int, catalogue);
    if (catalogue > 0)
        installCatalogue(catalogue);
    SetWidget page;
    QMap<int, QList<QPushButton *>> rows;
    for (QPushButton *b : page.findChildren<QPushButton *>()) {
        if (b->isCheckable())
            rows[b->y()] << b;
    }
    const int rowEnd = page.findChild<QLabel *>("line")->geometry().right();
    for (QList<QPushButton *> row : rows) {
        std::sort(row.begin(), row.end(),
                  [](QPushButton *a, QPushButton *b) { return a->x() < b->x(); });
        for (int i = 0; i < row.size(); ++i) {
            const QRect here = row.at(i)->geometry();
            const QString name = row.at(i)->objectName() + " \"" + row.at(i)->text() + '"';
            QVERIFY2(here.right() <= rowEnd, qPrintable(name + " passes the row's end"));
            if (i + 1 < row.size())
                QVERIFY2(here.right() < row.at(i + 1)->x(),
                         qPrintable(name + " runs into " + row.at(i + 1)->objectName()));
        }
    }

    for (const char *name :
         {"brakingLimit", "accelerationLimit", "turnLimit", "impactLimit", "speedLimit"}) {
        auto *words = page.findChild<QLabel *>(QLatin1String(name) + QLatin1String("Label"));
        QVERIFY2(words->sizeHint().width() <= words->width(), qPrintable(words->text()));
        QVERIFY(words->geometry().right() < page.findChild<QLineEdit *>(name)->x());
    }

    auto *label = page.findChild<QLabel *>("mapKeyLabel");
    auto *edit = page.findChild<QLineEdit *>("mapKeyEdit");
    QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->text()));
    QVERIFY(label->geometry().right() < edit->x());
    edit->ensurePolished();
    const int words = edit->fontMetrics().horizontalAdvance(edit->placeholderText());
    QVERIFY2(words + 20 <= edit->width(), qPrintable(edit->placeholderText()));
}

void TestSettings::eventLimitsAreSavedAndReadBack()
{
    // Nothing saved: the detector's own defaults.
    const EventThresholds defaults;
    QCOMPARE(Settings::brakingLimitG().get(), defaults.brakingG);
    QCOMPARE(Settings::accelerationLimitG().get(), defaults.accelerationG);
    QCOMPARE(Settings::turnLimitG().get(), defaults.turnG);
    QCOMPARE(Settings::impactLimitG().get(), defaults.impactG);
    QCOMPARE(Settings::speedLimitKnots().get(), defaults.speedLimitKnots);
    app()->setSpeedUnitType(SpeedUnit::KilometresPerHour);
    QSignalSpy changed(app(), &AppManager::changeEventLimits);
    {
        Popup popup;
        SetWidget *page = popup.page;
        const auto field = [page](const char *name) { return page->findChild<QLineEdit *>(name); };
        QCOMPARE(field("brakingLimit")->text(), QString("0.35"));
        QCOMPARE(field("impactLimit")->text(), QString("1.50"));
        QCOMPARE(field("speedLimit")->text(), QString("0"));
        QCOMPARE(text(page, "speedLimitUnit"), QString("km/h"));

        field("brakingLimit")->setText("0.5");
        emit field("brakingLimit")->editingFinished();
        QCOMPARE(Settings::brakingLimitG().get(), 0.5);
        QCOMPARE(field("brakingLimit")->text(), QString("0.50"));
        QCOMPARE(changed.size(), 1);
        // Finishing again without a change announces nothing.
        emit field("brakingLimit")->editingFinished();
        QCOMPARE(changed.size(), 1);
        // Not a number: the saved limit stays and shows again.
        field("turnLimit")->setText("x");
        emit field("turnLimit")->editingFinished();
        QCOMPARE(field("turnLimit")->text(), QString("0.40"));
        QCOMPARE(changed.size(), 1);

        // The speed is typed in the user's unit and kept in knots.
        field("speedLimit")->setText("100");
        emit field("speedLimit")->editingFinished();
        QCOMPARE(changed.size(), 2);
        QVERIFY(qAbs(Settings::speedLimitKnots().get() - 100 / 1.852) < 1e-9);
        page->findChild<QPushButton *>("speedButonnPMH")->click();
        QCOMPARE(field("speedLimit")->text(), QString("62"));
        QCOMPARE(text(page, "speedLimitUnit"), QString("mph"));
        QCOMPARE(changed.size(), 2);
        // Typed but never finished: hiding the page keeps it.
        field("impactLimit")->setText("2.25");
        popup.dialog.hide();
    }
    QCOMPARE(Settings::impactLimitG().get(), 2.25);
    QCOMPARE(changed.size(), 3);
    SetWidget again;
    QCOMPARE(again.findChild<QLineEdit *>("brakingLimit")->text(), QString("0.50"));
    QCOMPARE(again.findChild<QLineEdit *>("impactLimit")->text(), QString("2.25"));
    QCOMPARE(again.findChild<QLineEdit *>("speedLimit")->text(), QString("62"));
    app()->setSpeedUnitType(SpeedUnit::KilometresPerHour);
}

void TestSettings::mapKeyFollowsChosenService_data()
{
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QString>("otherButton");
    QTest::addColumn<int>("other");
    QTest::newRow("google") << 0 << "mapTypeOne" << 1;
    QTest::newRow("baidu") << 1 << "mapType" << 0;
}

// The field shows and saves the key of the service chosen, and only its key.
void TestSettings::mapKeyFollowsChosenService()
{
    QFETCH(int, chosen);
    QFETCH(QString, otherButton);
    QFETCH(int, other);
    const auto savedKey = [](int service) { return Settings::mapKey(MapType(service)).get(); };
    Settings::mapKey(MapType::Google).set(QString("google-saved"));
    Settings::mapKey(MapType::Baidu).set(QString("baidu-saved"));
    const QString chosenSaved = savedKey(chosen);
    const QString otherSaved = savedKey(other);
    app()->setMapType(MapType(chosen));

    // The key is a credential: no log line may carry it.
    static QStringList logged;
    logged.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext &, const QString &message) { logged << message; });

    Popup popup;
    QVERIFY(QTest::qWaitForWindowExposed(&popup.dialog));
    auto *edit = popup.page->findChild<QLineEdit *>("mapKeyEdit");
    auto *label = popup.page->findChild<QLabel *>("mapKeyLabel");
    QVERIFY(edit->isVisible() && label->isVisible());
    QCOMPARE(edit->text(), chosenSaved);

    edit->selectAll();
    QTest::keyClicks(edit, "  typed-key ");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(savedKey(chosen), QString("typed-key"));
    QCOMPARE(edit->text(), QString("typed-key"));
    QCOMPARE(savedKey(other), otherSaved);

    // The choices take no focus: words typed but not confirmed stay with the
    // service they were typed for.
    QTest::keyClicks(edit, "-2");
    QTest::mouseClick(button(popup.page, otherButton.toLatin1()), Qt::LeftButton);
    QCOMPARE(edit->text(), otherSaved);
    QCOMPARE(savedKey(chosen), QString("typed-key-2"));
    QCOMPARE(savedKey(other), otherSaved);

    QTest::mouseClick(button(popup.page, "mapTypeTwo"), Qt::LeftButton);
    QVERIFY(!edit->isVisible() && !label->isVisible());
    QCOMPARE(savedKey(chosen), QString("typed-key-2"));
    QCOMPARE(savedKey(other), otherSaved);

    // Closing the popup keeps what was typed, unconfirmed.
    QTest::mouseClick(button(popup.page, otherButton.toLatin1()), Qt::LeftButton);
    QVERIFY(edit->isVisible());
    edit->selectAll();
    QTest::keyClicks(edit, "other-typed");
    popup.dialog.close();
    QCOMPARE(savedKey(other), QString("other-typed"));
    QCOMPARE(savedKey(chosen), QString("typed-key-2"));

    qInstallMessageHandler(previous);
    for (const QString &line : qAsConst(logged))
        QVERIFY2(!line.contains("typed") && !line.contains("-saved"), qPrintable(line));
}

void TestSettings::aboutText()
{
    installCatalogue(2);
    const int year = QDate::currentDate().year();
    const QString expected = QString("Version: 3.0.2\nWebsite: www.kelmora.example\n"
                                     "Technical support: support@kelmora.example\n"
                                     "Copyright © %1 Kelmora. All rights reserved.")
                                 .arg(year);
    QCOMPARE(SetWidget::aboutText(), expected);
    SetWidget page;
    auto *about = page.findChild<QLabel *>("appConnect");
    QCOMPARE(about->text(), expected);
    QCOMPARE(about->contextMenuPolicy(), Qt::NoContextMenu);
    QVERIFY(about->textInteractionFlags() & Qt::TextSelectableByMouse);
    QCOMPARE(text(&page, "appName"), QString("KELMORA PLAYER"));
}

void TestSettings::saveFolderChooser_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("name");
    QTest::newRow("odd name") << true << QString::fromUtf8("行车 记录 'a\" b");
    QTest::newRow("cancel") << false << QString("unused");
}

void TestSettings::saveFolderChooser()
{
    QFETCH(bool, accept);
    QFETCH(QString, name);

    QTemporaryDir root;
    QVERIFY(QDir(root.path()).mkpath("start"));
    QVERIFY(QDir(root.path()).mkpath(name));
    const QString start = root.path() + "/start";
    const QString target = root.path() + "/" + name;
    settingsValue(SettingsKeys::SaveFilePath, start, true);

    Popup popup;
    QVERIFY(QTest::qWaitForWindowExposed(&popup.dialog));
    QCOMPARE(text(popup.page, "savePathLabel"), start);
    QPushButton *open = button(popup.page, "openPathButton");

    QString startedAt;
    bool qtDialog = false;
    bool disabledMeanwhile = false;
    QTimer driver;
    driver.setInterval(50);
    connect(&driver, &QTimer::timeout, [&] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<QFileDialog *>(w);
            if (!dialog || !dialog->isVisible())
                continue;
            driver.stop();
            startedAt = dialog->directory().absolutePath();
            qtDialog = dialog->testOption(QFileDialog::DontUseNativeDialog);
            disabledMeanwhile = !open->isEnabled();
            if (accept) {
                dialog->setDirectory(target);
                static_cast<QDialog *>(dialog)->accept(); // protected in QFileDialog
            } else {
                dialog->reject();
            }
        }
    });
    driver.start();
    QTimer guard; // never hang on an undriven dialog
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, [] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *d = qobject_cast<QFileDialog *>(w); d && d->isVisible())
                d->reject();
    });
    guard.start(20000);
    QTest::mouseClick(open, Qt::LeftButton);

    QVERIFY(qtDialog);
    QCOMPARE(startedAt, start);
    QVERIFY(disabledMeanwhile);
    QVERIFY(open->isEnabled());
    const QString expected = accept ? target : start;
    QCOMPARE(settingsValue(SettingsKeys::SaveFilePath), expected);
    QCOMPARE(text(popup.page, "savePathLabel"), expected);
}

void TestSettings::cancelButtonClosesDialog()
{
    Popup popup;
    QVERIFY(QTest::qWaitForWindowExposed(&popup.dialog));
    QTest::mouseClick(button(popup.page, "CancelButton"), Qt::LeftButton);
    QVERIFY(!popup.dialog.isVisible());

    // Shown on its own, the page closes itself.
    SetWidget alone;
    alone.show();
    QVERIFY(QTest::qWaitForWindowExposed(&alone));
    QTest::mouseClick(button(&alone, "CancelButton"), Qt::LeftButton);
    QVERIFY(!alone.isVisible());
}

void TestSettings::activePlayerTypeDoesNothing()
{
    Popup popup;
    QVERIFY(QTest::qWaitForWindowExposed(&popup.dialog));
    QTest::mouseClick(button(popup.page, "playerTypeButtonOne"), Qt::LeftButton);
    QVERIFY(hudPrompts().isEmpty());
    QVERIFY(popup.dialog.isVisible());
    QVERIFY(!isStored(SettingsKeys::PlayerType));
}

void TestSettings::playerTypePromptCancel()
{
    Popup popup;
    QVERIFY(QTest::qWaitForWindowExposed(&popup.dialog));
    QTest::mouseClick(button(popup.page, "playerTypeButtonTwo"), Qt::LeftButton);
    QVERIFY(!popup.dialog.isVisible());
    // Until confirmed the page keeps showing the type in use.
    QVERIFY(button(popup.page, "playerTypeButtonOne")->isChecked());

    const QList<QWidget *> huds = hudPrompts();
    QCOMPARE(huds.size(), 1);
    QPushButton *cancel = huds.first()->findChild<QPushButton *>("cancelButton");
    QVERIFY(cancel);
    QTest::mouseClick(cancel, Qt::LeftButton);
    QTRY_VERIFY(hudPrompts().isEmpty());
    QCOMPARE(choiceNumber(app()->playerType()), 0);
    QVERIFY(!isStored(SettingsKeys::PlayerType));
}

void TestSettings::playerTypePromptConfirmEndsProgram()
{
    app()->setPlayerType(PlayerType::NativeWindow);
    Popup popup;
    QVERIFY(QTest::qWaitForWindowExposed(&popup.dialog));
    QVERIFY(button(popup.page, "playerTypeButtonTwo")->isChecked());
    QTest::mouseClick(button(popup.page, "playerTypeButtonOne"), Qt::LeftButton);
    const QList<QWidget *> huds = hudPrompts();
    QCOMPARE(huds.size(), 1);
    QPushButton *ok = huds.first()->findChild<QPushButton *>("sureButton");
    QVERIFY(ok);

    // The confirmation ends the application's event loop: run one here, so the
    // test process lives on. A stray exit code 7 marks a prompt that never ended it.
    QTimer::singleShot(0, ok, [ok] { QTest::mouseClick(ok, Qt::LeftButton); });
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(7); });
    guard.start(10000);
    const int rc = QApplication::exec();
    QCOMPARE(rc, 0);
    QCOMPARE(choiceNumber(app()->playerType()), 0);
    QCOMPARE(settingsValue(SettingsKeys::PlayerType), QString("0"));
}

// Pictures of the page for a person to look at, with the key field showing
// its hint on its dark fill.
void TestSettings::screenshots()
{
    settingsValue(SettingsKeys::SaveFilePath, "/home/driver/Videos/Dashcam exports", true);
    app()->setMapType(MapType::Google);
    const QList<QPair<int, QString>> languages
        = {{2, "english"}, {1, "chinese"}, {4, "german"}, {9, "russian"}};
    for (const auto &language : languages) {
        removeTranslators();
        app()->setLanguage(language.first);
        Popup popup;
        QVERIFY(QTest::qWaitForWindowExposed(&popup.dialog));
        const QImage shot = popup.dialog.grab().toImage();
        QVERIFY(shot.save(screenshotPath("settings-" + language.second + ".png")));
        const auto *edit = popup.page->findChild<QLineEdit *>("mapKeyEdit");
        QVERIFY(colourCount(shot, QRect(edit->mapTo(&popup.dialog, QPoint(0, 0)), edit->size()))
                > 2);
    }
}

KELMORA_TEST_MAIN(QApplication, TestSettings)
#include "tst_settings.moc"
