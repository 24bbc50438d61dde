// The desktop's player controls on a private bus: commands sent by real
// dbus-send processes and a second client connection, properties read back,
// change signals heard, and a second instance beside the first.
#include "app/MprisService.h"
#include "tests/support/PrivateBus.h"
#include "tests/support/TestHome.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

namespace {
const QString kName = QStringLiteral("org.mpris.MediaPlayer2.kelmora");
const QString kPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kRoot = QStringLiteral("org.mpris.MediaPlayer2");
const QString kPlayer = QStringLiteral("org.mpris.MediaPlayer2.Player");

// Hears the service's PropertiesChanged and Seeked signals as a desktop would.
class Listener : public QObject
{
    Q_OBJECT
public:
    QList<QVariantMap> changes;
    QList<qlonglong> seeks;

public slots:
    void
    propertiesChanged(const QString &interface, const QVariantMap &changed, const QStringList &)
    {
        if (interface == kPlayer)
            changes << changed;
    }
    void seeked(qlonglong position) { seeks << position; }
};
} // namespace

class TestMpris : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void commandsBecomeRequests_data();
    void commandsBecomeRequests();
    void propertiesReadBack();
    void changesAreAnnounced();
    void seeksAreResolvedAndAnnounced_data();
    void seeksAreResolvedAndAnnounced();
    void secondInstanceTakesItsOwnName();
    void withoutBusLogsAndCarriesOn();

private:
    // The desktop's side: a call on the service, answered while the test's
    // event loop runs the service.
    QDBusMessage
    call(const QString &interface, const QString &method, const QVariantList &args = {});
    QVariant property(const QString &interface, const QString &name);
    // A service with a track playing: 20 s long, at 2 s.
    void playTrack(const QString &path = QStringLiteral("/media/2024_0101_120000_F.MP4"));

    std::unique_ptr<PrivateBus> m_bus;
    QDBusConnection m_desktop {QString()};
    std::unique_ptr<MprisService> m_service;
};

void TestMpris::initTestCase()
{
    m_bus = std::make_unique<PrivateBus>();
    QVERIFY2(!m_bus->address().isEmpty(), "dbus-daemon did not start");
    m_desktop = QDBusConnection::connectToBus(m_bus->address(), QStringLiteral("desktop"));
    QVERIFY(m_desktop.isConnected());
}

void TestMpris::cleanup()
{
    m_service.reset();
    QDBusConnection::disconnectFromBus(QStringLiteral("player"));
    QDBusConnection::disconnectFromBus(QStringLiteral("second"));
}

QDBusMessage
TestMpris::call(const QString &interface, const QString &method, const QVariantList &args)
{
    QDBusMessage message = QDBusMessage::createMethodCall(kName, kPath, interface, method);
    message.setArguments(args);
    return PrivateBus::call(m_desktop, message);
}

QVariant TestMpris::property(const QString &interface, const QString &name)
{
    const QDBusMessage reply = call(QStringLiteral("org.freedesktop.DBus.Properties"),
                                    QStringLiteral("Get"), {interface, name});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return QVariant();
    return reply.arguments().first().value<QDBusVariant>().variant();
}

void TestMpris::playTrack(const QString &path)
{
    if (!m_service)
        m_service = std::make_unique<MprisService>(
            nullptr, QDBusConnection::connectToBus(m_bus->address(), QStringLiteral("player")));
    m_service->setLength(20000);
    m_service->setTrack(path);
    m_service->setPosition(2000);
    m_service->setStatus(MprisService::Status::Playing);
}

void TestMpris::commandsBecomeRequests_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<QByteArray>("request");
    const auto row = [](const QString &interface, const char *method, const char *signal) {
        QTest::newRow(method) << interface + '.' + method << QByteArray(signal);
    };
    row(kPlayer, "PlayPause", SIGNAL(playPauseRequested()));
    row(kPlayer, "Play", SIGNAL(playRequested()));
    row(kPlayer, "Pause", SIGNAL(pauseRequested()));
    row(kPlayer, "Stop", SIGNAL(stopRequested()));
    row(kPlayer, "Next", SIGNAL(nextRequested()));
    row(kPlayer, "Previous", SIGNAL(previousRequested()));
    row(kRoot, "Raise", SIGNAL(raiseRequested()));
    row(kRoot, "Quit", SIGNAL(quitRequested()));
}

void TestMpris::commandsBecomeRequests()
{
    QFETCH(QString, method);
    QFETCH(QByteArray, request);
    playTrack();
    QVERIFY(m_service->isRegistered());
    QSignalSpy spy(m_service.get(), request.constData());
    QProcess send;
    send.start(QStringLiteral("dbus-send"),
               {QStringLiteral("--bus=") + m_bus->address(), QStringLiteral("--print-reply"),
                QStringLiteral("--dest=") + kName, kPath, method});
    QTRY_COMPARE_WITH_TIMEOUT(send.state(), QProcess::NotRunning, 5000);
    QCOMPARE(send.exitCode(), 0);
    QCOMPARE(spy.size(), 1);
}

void TestMpris::propertiesReadBack()
{
    m_service = std::make_unique<MprisService>(
        nullptr, QDBusConnection::connectToBus(m_bus->address(), QStringLiteral("player")));
    QCOMPARE(m_service->serviceName(), kName);
    // Nothing loaded: no track, nothing to control but the window.
    QCOMPARE(property(kPlayer, "PlaybackStatus").toString(), QString("Stopped"));
    QCOMPARE(property(kPlayer, "CanPlay").toBool(), false);
    QCOMPARE(property(kPlayer, "CanGoNext").toBool(), false);
    QCOMPARE(property(kPlayer, "CanControl").toBool(), true);
    const QVariantMap empty = qdbus_cast<QVariantMap>(property(kPlayer, "Metadata"));
    QCOMPARE(qdbus_cast<QDBusObjectPath>(empty.value("mpris:trackid")).path(),
             QString("/org/mpris/MediaPlayer2/TrackList/NoTrack"));
    QVERIFY(!empty.contains("xesam:title"));

    playTrack(QStringLiteral("/media/rec 1/2024_0101_120000_F.MP4"));
    m_service->setRate(2.0);
    QCOMPARE(property(kPlayer, "PlaybackStatus").toString(), QString("Playing"));
    QCOMPARE(property(kPlayer, "Position").toLongLong(), 2000000LL);
    QCOMPARE(property(kPlayer, "Rate").toDouble(), 2.0);
    QCOMPARE(property(kPlayer, "MinimumRate").toDouble(), 0.25);
    QCOMPARE(property(kPlayer, "MaximumRate").toDouble(), 4.0);
    for (const char *can : {"CanGoNext", "CanGoPrevious", "CanPlay", "CanPause", "CanSeek"})
        QVERIFY2(property(kPlayer, can).toBool(), can);
    const QVariantMap metadata = qdbus_cast<QVariantMap>(property(kPlayer, "Metadata"));
    QCOMPARE(metadata.value("xesam:title").toString(), QString("2024_0101_120000_F.MP4"));
    QCOMPARE(metadata.value("xesam:url").toString(),
             QString("file:///media/rec%201/2024_0101_120000_F.MP4"));
    QCOMPARE(metadata.value("mpris:length").toLongLong(), 20000000LL);
    QVERIFY(qdbus_cast<QDBusObjectPath>(metadata.value("mpris:trackid")).path().startsWith('/'));

    QCOMPARE(property(kRoot, "Identity").toString(), QString("Kelmora Player"));
    QCOMPARE(property(kRoot, "DesktopEntry").toString(), QString("org.kelmora.Player"));
    QCOMPARE(property(kRoot, "CanQuit").toBool(), true);
    QCOMPARE(property(kRoot, "CanRaise").toBool(), true);
    QCOMPARE(property(kRoot, "SupportedUriSchemes").toStringList(), QStringList {"file"});
    QCOMPARE(property(kRoot, "SupportedMimeTypes").toStringList(),
             QStringList({"video/mp4", "video/quicktime", "video/mp2t"}));
}

void TestMpris::changesAreAnnounced()
{
    Listener listener;
    QVERIFY(m_desktop.connect(QString(), kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                              QStringLiteral("PropertiesChanged"), &listener,
                              SLOT(propertiesChanged(QString, QVariantMap, QStringList))));
    playTrack(QStringLiteral("/media/first.MP4"));
    QTRY_VERIFY(!listener.changes.isEmpty()
                && listener.changes.last().value("PlaybackStatus") == "Playing");
    const auto titleOf = [](const QVariantMap &change) {
        return qdbus_cast<QVariantMap>(change.value("Metadata")).value("xesam:title").toString();
    };
    QVERIFY(std::any_of(listener.changes.cbegin(), listener.changes.cend(),
                        [&](const QVariantMap &c) { return titleOf(c) == "first.MP4"; }));

    listener.changes.clear();
    m_service->setStatus(MprisService::Status::Paused);
    m_service->setTrack(QStringLiteral("/media/second.MP4"));
    m_service->setPosition(5000); // progress is read, never announced
    m_service->setRate(0.5);
    QTRY_COMPARE(listener.changes.size(), 3);
    QCOMPARE(listener.changes[0].value("PlaybackStatus").toString(), QString("Paused"));
    QCOMPARE(titleOf(listener.changes[1]), QString("second.MP4"));
    QCOMPARE(listener.changes[2].value("Rate").toDouble(), 0.5);

    // The same again changes nothing the desktop must hear.
    m_service->setStatus(MprisService::Status::Paused);
    m_service->setTrack(QStringLiteral("/media/second.MP4"));
    QTest::qWait(200);
    QCOMPARE(listener.changes.size(), 3);
    m_desktop.disconnect(QString(), kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                         QStringLiteral("PropertiesChanged"), &listener,
                         SLOT(propertiesChanged(QString, QVariantMap, QStringList)));
}

void TestMpris::seeksAreResolvedAndAnnounced_data()
{
    // The track is 20 s long and at 2 s; a stale track id is someone else's.
    QTest::addColumn<QString>("method");
    QTest::addColumn<qlonglong>("argument");
    QTest::addColumn<bool>("staleTrack");
    QTest::addColumn<QByteArray>("request");
    QTest::addColumn<qlonglong>("requestedMs");
    QTest::newRow("Seek forward 5 s")
        << "Seek" << 5000000LL << false << QByteArray(SIGNAL(seekRequested(qint64))) << 7000LL;
    QTest::newRow("Seek back before the start stops at 0")
        << "Seek" << -9000000LL << false << QByteArray(SIGNAL(seekRequested(qint64))) << 0LL;
    QTest::newRow("Seek past the end goes to the next")
        << "Seek" << 30000000LL << false << QByteArray(SIGNAL(nextRequested())) << -1LL;
    QTest::newRow("SetPosition in the track")
        << "SetPosition" << 12500000LL << false << QByteArray(SIGNAL(positionRequested(qint64)))
        << 12500LL;
    QTest::newRow("SetPosition past the end is dropped")
        << "SetPosition" << 21000000LL << false << QByteArray() << -1LL;
    QTest::newRow("SetPosition of a stale track is dropped")
        << "SetPosition" << 5000000LL << true << QByteArray() << -1LL;
}

void TestMpris::seeksAreResolvedAndAnnounced()
{
    QFETCH(QString, method);
    QFETCH(qlonglong, argument);
    QFETCH(bool, staleTrack);
    QFETCH(QByteArray, request);
    QFETCH(qlonglong, requestedMs);
    playTrack();
    Listener listener;
    QVERIFY(m_desktop.connect(QString(), kPath, kPlayer, QStringLiteral("Seeked"), &listener,
                              SLOT(seeked(qlonglong))));
    const QString track
        = staleTrack ? QStringLiteral("/org/kelmora/Player/Track/0") : m_service->trackId();
    QSignalSpy seeks(m_service.get(), &MprisService::seekRequested);
    QSignalSpy positions(m_service.get(), &MprisService::positionRequested);
    QSignalSpy nexts(m_service.get(), &MprisService::nextRequested);
    const QVariantList args = method == "Seek"
        ? QVariantList {argument}
        : QVariantList {QVariant::fromValue(QDBusObjectPath(track)), argument};
    QCOMPARE(call(kPlayer, method, args).type(), QDBusMessage::ReplyMessage);
    QTest::qWait(100);

    const int requests = seeks.size() + positions.size() + nexts.size();
    QCOMPARE(requests, request.isEmpty() ? 0 : 1);
    if (requestedMs >= 0) {
        QSignalSpy &heard = request.contains("seek") ? seeks : positions;
        QCOMPARE(heard.size(), 1);
        QCOMPARE(heard.first().first().toLongLong(), requestedMs);
        QTRY_COMPARE(listener.seeks, QList<qlonglong> {requestedMs * 1000});
        QCOMPARE(property(kPlayer, "Position").toLongLong(), requestedMs * 1000);
    } else {
        QCOMPARE(listener.seeks.size(), 0);
    }
    m_desktop.disconnect(QString(), kPath, kPlayer, QStringLiteral("Seeked"), &listener,
                         SLOT(seeked(qlonglong)));
}

void TestMpris::secondInstanceTakesItsOwnName()
{
    playTrack();
    MprisService second(nullptr,
                        QDBusConnection::connectToBus(m_bus->address(), QStringLiteral("second")));
    QVERIFY(second.isRegistered());
    const QString instance
        = kName + QStringLiteral(".instance") + QString::number(QCoreApplication::applicationPid());
    QCOMPARE(m_service->serviceName(), kName);
    QCOMPARE(second.serviceName(), instance);
    QDBusConnectionInterface *bus = m_desktop.interface();
    QVERIFY(bus->isServiceRegistered(kName));
    QVERIFY(bus->isServiceRegistered(instance));
    // The first one's commands go to the first one only.
    QSignalSpy first(m_service.get(), &MprisService::playPauseRequested);
    QSignalSpy other(&second, &MprisService::playPauseRequested);
    QCOMPARE(call(kPlayer, "PlayPause").type(), QDBusMessage::ReplyMessage);
    QCOMPARE(first.size(), 1);
    QCOMPARE(other.size(), 0);

    // The rate the desktop asks for becomes one of the player's speeds.
    QSignalSpy rates(m_service.get(), &MprisService::rateRequested);
    QCOMPARE(call(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Set"),
                  {kPlayer, QStringLiteral("Rate"), QVariant::fromValue(QDBusVariant(3.5))})
                 .type(),
             QDBusMessage::ReplyMessage);
    QTRY_COMPARE(rates.size(), 1);
    QCOMPARE(rates.first().first().toDouble(), 4.0);

    m_service.reset();
    QTRY_VERIFY(!bus->isServiceRegistered(kName));
}

void TestMpris::withoutBusLogsAndCarriesOn()
{
    const QDBusConnection none = QDBusConnection::connectToBus(
        QStringLiteral("unix:path=") + QDir::currentPath() + QStringLiteral("/no-such-bus"),
        QStringLiteral("none"));
    QVERIFY(!none.isConnected());
    QTest::ignoreMessage(QtInfoMsg, QRegularExpression("^media keys off: no session bus"));
    MprisService service(nullptr, none);
    QVERIFY(!service.isRegistered());
    QVERIFY(service.serviceName().isEmpty());
    service.setTrack(QStringLiteral("/media/a.MP4"));
    service.setStatus(MprisService::Status::Playing);
    QCOMPARE(service.playbackStatus(), QString("Playing"));
    QDBusConnection::disconnectFromBus(QStringLiteral("none"));
}

KELMORA_TEST_MAIN(QCoreApplication, TestMpris)
#include "tst_mpris.moc"
