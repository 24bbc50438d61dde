#include "telemetry/MapShow.h"

#include "app/AppManager.h"
#include "controls/Palette.h"
#include "controls/StyleSheets.h"
#include "library/VideoMessage.h"
#include "telemetry/LogoWidget.h"

#include <QCoreApplication>
#include <QDebug>
#include <QEvent>
#include <QHBoxLayout>
#include <QPointer>
#include <QStackedWidget>
#include <QTimer>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QtMath>

MapShow::MapShow(QWidget *parent)
    : QWidget(parent)
{
    setupLayout();
    setupPage();
    setupConnections();
}

MapShow::~MapShow()
{
    // The page points at the channel member, which goes before the child
    // widgets would: take the page down first.
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
    m_channel.registerObject(QStringLiteral("myObject"), &m_bridge);
    m_view->page()->setWebChannel(&m_channel);
    // The pages fetch their map library from the network.
    m_view->settings()->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
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

    AppManager *manager = AppManager::instance();
    connect(manager, &AppManager::changeMapType, this, &MapShow::loadPage);
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
    const QString page = mapType == choiceNumber(MapType::Baidu)
        ? QStringLiteral("baidu_map.html")
        : QStringLiteral("google_map.html");
    // fromLocalFile escapes spaces, '#' and '%' in the install folder and
    // gives file:///C:/... on Windows as well as file:///opt/... elsewhere.
    return QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + QStringLiteral("/Html/")
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
    return m_networkOk && m_current && m_current->gpsTotailNum > 0;
}

void MapShow::autoSelectMap()
{
    m_stack->setCurrentWidget(wantsMap() ? static_cast<QWidget *>(m_view) : m_placeholder);
}

void MapShow::onNetworkResult(bool reachable)
{
    m_networkOk = reachable;
    if (reachable)
        m_placeholder->setState(LogoWidget::NoGps);
    loadPage(choiceNumber(AppManager::instance()->mapType()));
    m_placeholder->setState(reachable ? LogoWidget::NoGps : LogoWidget::NoNetwork);
    autoSelectMap();
}

void MapShow::loadPage(int mapType)
{
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
    sendTrack();
}

void MapShow::sendTrack()
{
    if (!m_current)
        return;
    runScript(trackScript(*m_current, choiceNumber(AppManager::instance()->mapType())));
}

void MapShow::runScript(const QString &script)
{
    // Until the map page has loaded there is nothing to call: the track is
    // sent when it finishes and the marker follows with the next second.
    if (m_pageReady && !script.isEmpty())
        m_view->page()->runJavaScript(script);
}

void MapShow::onNewRecording(VideoMessage *record)
{
    qDebug() << "starPlayNotification is has model";
    if (m_pageReady)
        m_bridge.setCompassAngle(0, m_view);
    // The compass now shows 0; a first heading close to the previous
    // recording's last one must still turn it.
    m_lastCompassHeading = 0.0f;
    if (!record)
        return;
    qDebug() << "接收到新视频播放的消息:" << record->path;
    m_current = record;
    autoSelectMap();

    if (record->path.isEmpty()) {
        qDebug() << "清空地图轨迹";
        return;
    }
    const int mapType = choiceNumber(AppManager::instance()->mapType());
    const QString track = trackScript(*record, mapType);
    if (!track.isEmpty()) {
        if (mapType == choiceNumber(MapType::Google) && !record->gpsItems.isEmpty())
            runScript(record->gpsItems.first().markerScript(mapType));
        runScript(track);
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

    const GpsItem sample = m_current->gpsItems.value(QString::number(second));
    if (!sample.isDrawable())
        return;
    int angle = 0;
    if (m_pageReady && compassTurn(m_lastCompassHeading, sample.angle, &angle)) {
        m_bridge.setCompassAngle(angle, m_view);
        m_lastCompassHeading = sample.angle;
    }
    runScript(sample.markerScript(choiceNumber(AppManager::instance()->mapType())));
}

void MapShow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        setWindowTitle(tr("Form"));
    QWidget::changeEvent(event);
}
