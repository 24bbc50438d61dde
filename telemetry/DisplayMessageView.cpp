#include "telemetry/DisplayMessageView.h"

#include "app/AppManager.h"
#include "controls/StyleSheets.h"
#include "library/VideoMessage.h"
#include "telemetry/GsensorView.h"
#include "telemetry/MessageInfoView.h"
#include "telemetry/SpeedDial.h"

#include <QDebug>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

DisplayMessageView::DisplayMessageView(QWidget *parent)
    : QWidget(parent)
{
    setupForm();
    setupManagerConnections();
}

DisplayMessageView::~DisplayMessageView() = default;

void DisplayMessageView::setupForm()
{
    setObjectName(QStringLiteral("DisplayMessageView"));
    resize(845, 364);
    setMinimumSize(732, 198);
    setStyleSheet(StyleSheets::noBorder());

    auto *stack = new QGridLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);
    auto *background = new QLabel(this);
    background->setPixmap(QPixmap(QStringLiteral(":/Resources/PlayTool/messageInage.png")));
    background->setScaledContents(true);
    background->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    stack->addWidget(background, 0, 0);

    auto *panels = new QWidget(this);
    panels->setObjectName(QStringLiteral("widget"));
    panels->setMinimumSize(732, 198);
    panels->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    panels->setStyleSheet(StyleSheets::noBorder());
    auto *row = new QHBoxLayout(panels);
    row->setObjectName(QStringLiteral("horizontalLayout"));
    row->setSpacing(30);
    row->setContentsMargins(0, 0, 0, 0);

    m_gsensorView = new GsensorView(panels);
    m_speedDial = new SpeedDial(panels);
    m_speedDial->setStyleSheet(StyleSheets::noBorder());
    m_messageInfoView = new MessageInfoView(panels);
    m_messageInfoView->setStyleSheet(StyleSheets::noBorder());
    for (QWidget *panel :
         {static_cast<QWidget *>(m_gsensorView), static_cast<QWidget *>(m_speedDial),
          static_cast<QWidget *>(m_messageInfoView)})
        panel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    row->addWidget(m_gsensorView, 7);
    row->addWidget(m_speedDial, 6);
    row->addWidget(m_messageInfoView, 7);
    stack->addWidget(panels, 0, 0);
}

void DisplayMessageView::setupManagerConnections()
{
    AppManager *manager = AppManager::instance();
    connect(manager, &AppManager::changeSpeedUnitType, this, [this](int unit) {
        m_speedDial->setUnit(unit);
        m_messageInfoView->setSpeedUnit(unit);
    });
    connect(manager, &AppManager::changeLongOrLatType, this, [this](int format) {
        if (format != choiceNumber(CoordinateFormat::DegreesMinutesSeconds))
            qDebug() << "经纬度显示方式改变为：小数点显示";
        else
            qDebug() << "经纬度显示方式改变为：度分秒";
        m_messageInfoView->setCoordinateFormat(format);
    });
}

void DisplayMessageView::starPlayNotification(VideoMessage *record)
{
    const QString path = record ? record->path : QString();
    const bool tripGoesOn = m_trip.isActive() && m_trip.leadPaths.contains(path)
        && m_trip.leadPaths.contains(m_shownPath);
    m_shownPath = path;
    m_current = record;
    m_gsensorView->setData(record ? record->gsensorItems : QMap<QString, QStringList>());
    if (!tripGoesOn)
        m_speedDial->setSpeed(QStringLiteral("0"));
    m_messageInfoView->setVideo(record, tripGoesOn);
}

void DisplayMessageView::setTrip(const TripPlay &play)
{
    m_trip = play;
    m_messageInfoView->setTrip(play);
}

void DisplayMessageView::currentPlayTime(int second)
{
    onPlaySecond(second);
}

void DisplayMessageView::onPlaySecond(int second)
{
    if (!m_current)
        return;
    const GpsItem sample = m_current->gpsItems.value(QString::number(second));
    if (!sample.isPositionNull())
        m_speedDial->setSpeed(sample.speed);
    m_gsensorView->setCurrent(second);
    m_messageInfoView->updatePosition(sample);
    m_messageInfoView->showTime(second);
}
