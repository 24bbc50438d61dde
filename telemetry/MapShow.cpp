#include "telemetry/MapShow.h"

#include "app/AppManager.h"
#include "app/Helpers.h"
#include "app/MapKeys.h"
#include "app/Platform.h"
#include "controls/Palette.h"
#include "controls/StyleSheets.h"
#include "library/DbManager.h"
#include "library/VideoMessage.h"
#include "telemetry/LogoWidget.h"
#include "telemetry/MapPage.h"

#include <QChildEvent>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QEvent>
#include <QHBoxLayout>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QStackedWidget>
#include <QTimer>
#include <QUrl>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QtMath>
#include <cmath>

namespace {
constexpr int kOpenStreetMap = choiceNumber(MapType::OpenStreetMap);
const QString kConfigScript = QStringLiteral("kelmora-config");
// Tiles failing again soon after a probe do not ask for another one.
constexpr qint64 kRecheckPauseMs = 30000;

// A JavaScript string literal of any text.
QString jsString(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray {text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

QString jsNumbers(const QVector<int> &numbers)
{
    QJsonArray array;
    for (int n : numbers)
        array.append(n);
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}
} // namespace

MapShow::MapShow(QWidget *parent)
    : QWidget(parent)
{
    setupLayout();
    setupPage();
    setupConnections();
    // The pages are local files: they load at once, network or not.
    reloadMap();
}

MapShow::~MapShow()
{
    // The page points at the channel member and the profile, which go before
    // the child widgets would: take the page down first.
    delete m_view;
}

void MapShow::setupLayout()
{
    setObjectName(QStringLiteral("MapShow"));
    resize(376, 376);
    setMinimumWidth(376);
    setStyleSheet(StyleSheets::noBorder());
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    setWindowTitle(tr("Form"));

    m_stack = new QStackedWidget(this);
    m_stack->setStyleSheet(
        QStringLiteral("background-color: %1;")
            .arg(Palette::css(Palette::withAlpha(Palette::panelBackground(), 249))));
    m_view = new QWebEngineView(m_stack);
    // A file dropped on the map would replace the page with it: let the
    // window import it instead. The view draws through a child it makes
    // later, which takes drops of its own.
    m_view->setAcceptDrops(false);
    m_view->installEventFilter(this);
    m_placeholder = new LogoWidget(m_stack);
    m_placeholder->setStyleSheet(QStringLiteral("background-color: transparent;"));
    m_stack->addWidget(m_view);
    m_stack->addWidget(m_placeholder);
    m_stack->setCurrentWidget(m_placeholder);
    m_placeholder->setState(LogoWidget::NetWorking);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_stack);
}

void MapShow::setupPage()
{
    // A profile of its own on disk: tiles seen once show again offline.
    m_profile = new QWebEngineProfile(QStringLiteral("KelmoraMap"), this);
    const QString data = appDataPath();
    if (QDir::isAbsolutePath(data)) {
        m_profile->setCachePath(data + QStringLiteral("/MapCache"));
        m_profile->setPersistentStoragePath(data + QStringLiteral("/MapStorage"));
        m_profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
    } else {
        // No data folder: keep tiles for this run only rather than litter
        // the working folder.
        m_profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    }
    m_profile->setHttpCacheMaximumSize(TileCacheBytes);
    // The tile servers' usage policy asks clients to name themselves.
    m_profile->setHttpUserAgent(
        QStringLiteral("KelmoraPlayer/%1 (dashcam player; +https://www.kelmora.example)")
            .arg(QStringLiteral(KELMORA_VERSION)));

    m_page = new MapPage(m_profile, m_view);
    m_view->setPage(m_page);
    m_channel.registerObject(QStringLiteral("myObject"), &m_bridge);
    m_page->setWebChannel(&m_channel);
    // The Google and Baidu pages fetch their library from the network.
    m_page->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
}

void MapShow::setupConnections()
{
    connect(m_view, &QWebEngineView::loadStarted, this, [this] {
        qDebug() << "地图开始加载";
        m_pageReady = false;
    });
    connect(m_view, &QWebEngineView::urlChanged, this,
            [](const QUrl &url) { qDebug() << "地图URL改变:" << url.path(); });
    connect(m_view, &QWebEngineView::loadProgress, this, &MapShow::onLoadProgress);
    connect(m_view, &QWebEngineView::loadFinished, this, &MapShow::onLoadFinished);
    connect(&m_bridge, &MyObject::seekRequested, this, &MapShow::onSeekRequest);
    connect(&m_bridge, &MyObject::libraryStateChanged, this, &MapShow::onLibraryState);
    connect(&m_bridge, &MyObject::tilesFailed, this, &MapShow::onTilesFailed);

    AppManager *manager = AppManager::instance();
    connect(manager, &AppManager::changeMapType, this, &MapShow::reloadMap);
    connect(manager, &AppManager::changeMapKey, this, [this](int type) {
        if (type == choiceNumber(AppManager::instance()->mapType()))
            reloadMap();
    });
    // The manager keeps the callback for the life of the process; this view
    // may go first.
    QPointer<MapShow> self(this);
    manager->checkNetwork([self](bool reachable) {
        if (self)
            self->onNetworkResult(reachable);
    });
}

QString MapShow::pageUrl(int mapType)
{
    const QString page = mapType == choiceNumber(MapType::Baidu) ? QStringLiteral("baidu_map.html")
        : mapType == kOpenStreetMap                              ? QStringLiteral("osm_map.html")
                                    : QStringLiteral("google_map.html");
    // fromLocalFile escapes spaces, '#' and '%' in the install folder and
    // gives file:///C:/... on Windows as well as file:///opt/... elsewhere.
    return QUrl::fromLocalFile(Platform::dataFolder(QStringLiteral("Html")) + QLatin1Char('/')
                               + page)
        .toString();
}

QString MapShow::trackScript(const VideoMessage &record, int mapType)
{
    if (record.gpsTotailNum == 1) {
        if (record.gpsItems.isEmpty())
            return QString();
        return record.gpsItems.first().markerScript(mapType);
    }
    return record.polylineScript(mapType);
}

bool MapShow::compassTurn(float lastHeading, float heading, int *angle)
{
    if (!(qAbs(lastHeading - heading) > 5.0f))
        return false;
    *angle = int(qAbs(360.0f - heading));
    return true;
}

bool MapShow::isMapShown() const
{
    return m_stack->currentWidget() == m_view;
}

bool MapShow::wantsMap() const
{
    return (m_current && m_current->gpsTotailNum > 0) || tripRoutePoints() > 0;
}

void MapShow::autoSelectMap()
{
    m_stack->setCurrentWidget(wantsMap() ? static_cast<QWidget *>(m_view) : m_placeholder);
}

QString MapShow::noticeText() const
{
    if (m_keyRefused)
        return tr("The map key was refused: showing OpenStreetMap.");
    if (m_networkKnown && !m_networkOk)
        return tr("No network: the route is drawn on map tiles seen before.");
    if (m_libraryFailed)
        return tr("The map service could not be loaded: the route is drawn without map tiles.");
    return QString();
}

void MapShow::onNetworkResult(bool reachable)
{
    const bool cameBack = reachable && m_networkKnown && !m_networkOk;
    m_networkOk = reachable;
    m_networkKnown = true;
    if (m_placeholder->state() == LogoWidget::NetWorking)
        m_placeholder->setState(LogoWidget::NoGps);
    if (reachable && m_libraryFailed && m_shownType != kOpenStreetMap) {
        // The service's library may load now.
        loadPage(m_shownType);
    } else {
        if (cameBack || !reachable)
            runScript(QStringLiteral("KelmoraMap.setOnline(%1);")
                          .arg(reachable ? QStringLiteral("true") : QStringLiteral("false")));
        sendNotice();
    }
    autoSelectMap();
}

void MapShow::reloadMap()
{
    m_keyRefused = false;
    loadPage(choiceNumber(MapKeys::shownMap(AppManager::instance()->mapType())));
}

void MapShow::loadPage(int mapType)
{
    m_shownType = mapType;
    m_pageReady = false;
    m_libraryFailed = false;

    QJsonObject keys;
    keys.insert(QStringLiteral("google"), MapKeys::key(MapType::Google));
    keys.insert(QStringLiteral("baidu"), MapKeys::key(MapType::Baidu));
    QJsonObject config;
    config.insert(QStringLiteral("keys"), keys);
    config.insert(QStringLiteral("tileUrl"), MapKeys::tileUrl());
    QWebEngineScript script;
    script.setName(kConfigScript);
    script.setInjectionPoint(QWebEngineScript::DocumentCreation);
    script.setWorldId(QWebEngineScript::MainWorld);
    script.setRunsOnSubFrames(false);
    script.setSourceCode(
        QStringLiteral("window.KELMORA_MAP_CONFIG = %1;")
            .arg(QString::fromUtf8(QJsonDocument(config).toJson(QJsonDocument::Compact))));
    QWebEngineScriptCollection &scripts = m_page->scripts();
    for (const QWebEngineScript &old : scripts.findScripts(kConfigScript))
        scripts.remove(old);
    scripts.insert(script);

    m_view->load(QUrl(pageUrl(mapType)));
}

void MapShow::onLoadProgress(int percent)
{
    qDebug() << "地图加载进度：" << percent << "%";
    if (percent == 100)
        QTimer::singleShot(500, this, &MapShow::sendTrack);
}

void MapShow::onLoadFinished(bool ok)
{
    if (!ok) {
        qDebug() << "loadFinished地图加载失败:::" << m_view->url();
        return;
    }
    qDebug() << "地图加载完成";
    m_pageReady = true;
    // A fresh page starts with its compass at 0.
    m_lastCompassHeading = 0.0f;
    if (m_networkKnown && !m_networkOk)
        runScript(QStringLiteral("KelmoraMap.setOnline(false);"));
    sendNotice();
    sendTrack();
}

QString MapShow::routeScript(const VideoMessage &record, const QVector<int> &seconds) const
{
    QString script = trackScript(record, m_shownType);
    // Which second each point is, so a click on the route can seek there.
    if (!script.isEmpty() && record.gpsTotailNum != 1)
        script += QStringLiteral("KelmoraMap.setTrackSeconds(%1);").arg(jsNumbers(seconds));
    return script;
}

void MapShow::sendTrack()
{
    if (!m_current && !isTripShown())
        return;
    const QString script
        = isTripShown() ? tripRouteScript() : routeScript(*m_current, m_current->trackSeconds());
    if (script.isEmpty())
        return;
    runScript(script);
    // A page loaded again mid-recording shows where the car is at once.
    if (m_current && m_lastSecond >= 0 && m_lastSecond < m_current->duration.toInt())
        sendPosition(m_lastSecond);
}

void MapShow::sendPosition(int second)
{
    QString script
        = QStringLiteral("KelmoraMap.setPlayedSecond(%1);").arg(tripOffsetSeconds() + second);
    const GpsItem sample = m_current->gpsItems.value(QString::number(second));
    if (sample.isDrawable()) {
        int angle = 0;
        if (m_pageReady && compassTurn(m_lastCompassHeading, sample.angle, &angle)) {
            m_bridge.setCompassAngle(angle, m_view);
            m_lastCompassHeading = sample.angle;
        }
        script.prepend(sample.markerScript(m_shownType));
    }
    runScript(script);
}

void MapShow::sendNotice()
{
    runScript(QStringLiteral("KelmoraMap.setNotice(%1);").arg(jsString(noticeText())));
}

void MapShow::runScript(const QString &script)
{
    // Until the map page has loaded there is nothing to call: the track is
    // sent when it finishes and the marker follows with the next second.
    if (m_pageReady && !script.isEmpty())
        m_page->runJavaScript(script);
}

void MapShow::onNewRecording(VideoMessage *record)
{
    qDebug() << "starPlayNotification is has model";
    const int leg = record ? tripLegOf(record->path) : -1;
    if (leg >= 0) {
        // The next file of the playing trip: the route, marker and compass stay.
        m_current = record;
        m_tripLeg = leg;
        m_lastSecond = -1;
        // A file not cached when the trip began joins the route once read;
        // a cached track is never traded for a record still being read.
        VideoMessage &known = m_tripLegs[leg];
        if (known.trackSeconds().isEmpty()
            && (!record->trackSeconds().isEmpty() || known.duration != record->duration)) {
            known = *record;
            sendTrack();
        }
        if (m_placeholder->state() == LogoWidget::NetWorking)
            m_placeholder->setState(LogoWidget::NoGps);
        autoSelectMap();
        return;
    }
    if (m_pageReady)
        m_bridge.setCompassAngle(0, m_view);
    // The compass now shows 0; a first heading close to the previous
    // recording's last one must still turn it.
    m_lastCompassHeading = 0.0f;
    if (!record)
        return;
    qDebug() << "接收到新视频播放的消息:" << record->path;
    m_current = record;
    if (m_placeholder->state() == LogoWidget::NetWorking)
        m_placeholder->setState(LogoWidget::NoGps);
    autoSelectMap();

    if (record->path.isEmpty()) {
        qDebug() << "清空地图轨迹";
        return;
    }
    const QVector<int> seconds = record->trackSeconds();
    const QString route = routeScript(*record, seconds);
    if (!route.isEmpty()) {
        if (m_shownType == choiceNumber(MapType::Google) && !record->gpsItems.isEmpty())
            runScript(record->gpsItems.first().markerScript(m_shownType));
        // The marker leaves the last recording's route at once, not with the
        // first playing second.
        if (m_shownType == kOpenStreetMap && !seconds.isEmpty())
            runScript(
                record->gpsItems.value(QString::number(seconds.first())).markerScript(m_shownType));
        runScript(route);
    }
    qDebug() << "刷新地图轨迹";
}

void MapShow::onPlaySecond(int second)
{
    if (second < 0 || second == m_lastSecond)
        return;
    m_lastSecond = second;
    if (!m_current || second >= m_current->duration.toInt())
        return;

    sendPosition(second);
}

void MapShow::onSeekRequest(const QVariant &value)
{
    // The page is not trusted to know the recording: only a number of a
    // second inside it moves the player.
    const int type = value.userType();
    const bool isNumber
        = type == QMetaType::Double || type == QMetaType::Int || type == QMetaType::LongLong;
    // On a trip's route the seconds run on from file to file.
    const double second = value.toDouble() - tripOffsetSeconds();
    if (!isNumber || !m_current || !std::isfinite(second) || second < 0
        || second >= m_current->duration.toDouble()) {
        qDebug() << "map seek refused:" << value;
        return;
    }
    emit seekRequested(int(second));
}

void MapShow::onLibraryState(const QString &state)
{
    if (state == QLatin1String("refused") && m_shownType != kOpenStreetMap) {
        qDebug() << "map key refused, showing OpenStreetMap";
        loadPage(kOpenStreetMap);
        m_keyRefused = true;
        return;
    }
    m_libraryFailed = state == QLatin1String("failed");
    sendNotice();
}

void MapShow::onTilesFailed()
{
    if (m_sinceRecheck.isValid() && m_sinceRecheck.elapsed() < kRecheckPauseMs)
        return;
    m_sinceRecheck.start();
    AppManager::instance()->recheckNetwork();
}

void MapShow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        setWindowTitle(tr("Form"));
        sendNotice();
    }
    QWidget::changeEvent(event);
}

// Trips -----------------------------------------------------------------------

void MapShow::setTrip(const TripPlay &play)
{
    if (!play.isActive()) {
        m_tripLegs.clear();
        m_tripKey.clear();
        m_tripLeg = -1;
        return;
    }
    if (play.key() == m_tripKey && play.leadPaths.size() == m_tripLegs.size()) {
        m_tripLeg = play.index;
        return;
    }
    m_tripKey = play.key();
    m_tripLeg = play.index;
    m_tripLegs.clear();
    for (const QString &path : play.leadPaths) {
        VideoMessage leg;
        leg.path = path;
        DbManager::instance()->selectVideoMessage(DbTableKind::VideoMessage, 0,
                                                  {{QStringLiteral("path"), path}}, {},
                                                  [&leg](VideoMessage &stored, bool ok) {
                                                      if (ok)
                                                          leg = stored;
                                                  });
        m_tripLegs.append(leg);
    }
    // The whole drive shows at once; the played part follows the seconds.
    m_lastSecond = -1;
    sendTrack();
    autoSelectMap();
}

int MapShow::tripLegOf(const QString &path) const
{
    if (path.isEmpty())
        return -1;
    for (int leg = 0; leg < m_tripLegs.size(); ++leg) {
        if (m_tripLegs[leg].path == path)
            return leg;
    }
    return -1;
}

int MapShow::tripRoutePoints() const
{
    int points = 0;
    for (const VideoMessage &leg : m_tripLegs)
        points += leg.trackSeconds().size();
    return points;
}

int MapShow::tripOffsetSeconds() const
{
    int offset = 0;
    for (int leg = 0; leg < m_tripLeg && leg < m_tripLegs.size(); ++leg)
        offset += std::max(0, m_tripLegs[leg].duration.toInt());
    return offset;
}

QString MapShow::tripRouteScript() const
{
    QJsonArray points;
    QVector<int> seconds;
    int offset = 0;
    for (const VideoMessage &leg : m_tripLegs) {
        for (const QJsonValue &point : leg.trackPoints(m_shownType))
            points.append(point);
        for (int second : leg.trackSeconds())
            seconds.append(offset + second);
        offset += std::max(0, leg.duration.toInt());
    }
    if (points.isEmpty())
        return QString();
    return QStringLiteral("drawPolyLinePath(%1);KelmoraMap.setTrackSeconds(%2);")
        .arg(QString::fromUtf8(QJsonDocument(points).toJson(QJsonDocument::Compact)),
             jsNumbers(seconds));
}

bool MapShow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && event->type() == QEvent::ChildPolished) {
        if (auto *child = qobject_cast<QWidget *>(static_cast<QChildEvent *>(event)->child()))
            child->setAcceptDrops(false);
    }
    return QWidget::eventFilter(watched, event);
}
