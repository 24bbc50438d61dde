#include "telemetry/MessageInfoView.h"

#include "app/AppManager.h"
#include "app/Helpers.h"
#include "controls/Palette.h"
#include "controls/StyleSheets.h"
#include "library/GpsItem.h"
#include "library/RecordClock.h"
#include "library/TripText.h"
#include "library/VideoMessage.h"
#include "telemetry/TelemetryText.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextEdit>
#include <QVBoxLayout>
#include <cmath>

namespace {

QLabel *separator(QWidget *parent)
{
    auto *line = new QLabel(parent);
    line->setPixmap(QPixmap(QStringLiteral(":/Resources/PlayTool/line1.jpg")));
    line->setScaledContents(true);
    line->setFixedHeight(2);
    return line;
}

QLabel *label(QWidget *parent, const char *name, const QString &style)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QLatin1String(name));
    l->setStyleSheet(style);
    return l;
}

} // namespace

MessageInfoView::MessageInfoView(QWidget *parent)
    : QWidget(parent)
{
    setupForm();
    m_distanceText->setText(QStringLiteral("0.0 KM"));
    m_coordinateFormat = choiceNumber(AppManager::instance()->longOrLatType());
    m_speedUnit = choiceNumber(AppManager::instance()->speedUnitType());
    showPosition();
    showDistance(0);
}

void MessageInfoView::setupForm()
{
    setObjectName(QStringLiteral("MessageInfoView"));
    resize(591, 415);

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 15, 20, 0);

    m_buttonStack = new QStackedWidget(this);
    m_buttonStack->setObjectName(QStringLiteral("stackedWidgetButton"));
    m_buttonStack->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    const auto makeButton = [this](const char *name, const char *icon) {
        auto *button = new QPushButton(this);
        button->setObjectName(QLatin1String(name));
        button->setFixedSize(30, 30);
        button->setIcon(QIcon(QLatin1String(icon)));
        button->setIconSize(QSize(30, 30));
        button->setFocusPolicy(Qt::NoFocus);
        button->setStyleSheet(StyleSheets::iconButtons() + StyleSheets::toolTip());
        return button;
    };
    auto *pageLeft = new QWidget(m_buttonStack);
    pageLeft->setObjectName(QStringLiteral("pageLeft"));
    auto *leftRow = new QHBoxLayout(pageLeft);
    leftRow->setContentsMargins(0, 0, 0, 0);
    m_messageButton = makeButton("messageButton", ":/Resources/PlayTool/about.png");
    leftRow->addWidget(m_messageButton);
    leftRow->addStretch();
    auto *pageRight = new QWidget(m_buttonStack);
    pageRight->setObjectName(QStringLiteral("pageRight"));
    auto *rightRow = new QHBoxLayout(pageRight);
    rightRow->setContentsMargins(0, 0, 0, 0);
    rightRow->addStretch();
    m_gpsButton = makeButton("gpsButton", ":/Resources/PlayTool/about1.png");
    rightRow->addWidget(m_gpsButton);
    m_buttonStack->addWidget(pageLeft);
    m_buttonStack->addWidget(pageRight);
    m_buttonStack->setFixedHeight(30);

    m_pageStack = new QStackedWidget(this);
    m_pageStack->setObjectName(QStringLiteral("stackedWidgetLable"));
    m_pageStack->addWidget(buildGpsPage());
    m_pageStack->addWidget(buildPlayInfoPage());

    layout->addWidget(m_buttonStack);
    layout->addWidget(m_pageStack);

    connect(m_messageButton, &QPushButton::clicked, this,
            &MessageInfoView::on_messageButton_clicked);
    connect(m_gpsButton, &QPushButton::clicked, this, &MessageInfoView::on_gpsButton_clicked);
    retranslate();
}

QWidget *MessageInfoView::buildGpsPage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("pageOne"));
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(0, 0, 0, 0);

    const QColor foreground = Palette::panelForeground();
    const QString captionStyle = StyleSheets::text(foreground, 10);
    const QString positionStyle = StyleSheets::text(foreground, 15);
    auto *captions = new QHBoxLayout;
    m_aveSpeed = label(page, "aveSpeed", captionStyle);
    m_maxSpeed = label(page, "maxSpeed", captionStyle);
    m_maxSpeed->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    captions->addWidget(m_aveSpeed);
    captions->addWidget(m_maxSpeed);
    column->addLayout(captions);
    column->addWidget(separator(page));

    auto *speeds = new QGridLayout;
    speeds->setObjectName(QStringLiteral("gridLayout"));
    const QString speedStyle = StyleSheets::text(QColor(Qt::red), 28);
    m_aveSpeedText = label(page, "aveSpeedText", speedStyle);
    m_maxSpeedText = label(page, "maxSpeedText", speedStyle);
    m_maxSpeedText->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_lat = label(page, "lat", captionStyle);
    m_long = label(page, "long_2", captionStyle);
    m_long->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    speeds->addWidget(m_aveSpeedText, 0, 0);
    speeds->addWidget(m_maxSpeedText, 0, 1);
    speeds->addWidget(m_lat, 1, 0);
    speeds->addWidget(m_long, 1, 1);
    column->addLayout(speeds);
    column->addWidget(separator(page));

    auto *position = new QGridLayout;
    position->setObjectName(QStringLiteral("gridLayout_2"));
    m_latText = label(page, "latText", positionStyle);
    m_latText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_longText = label(page, "longText", positionStyle);
    m_longText->setAlignment(Qt::AlignRight | Qt::AlignTop);
    m_distance = label(page, "distance", captionStyle);
    position->addWidget(m_latText, 0, 0);
    position->addWidget(m_longText, 0, 1);
    position->addWidget(m_distance, 1, 0);
    // The playing second's date and time, opposite the distance's caption:
    // the strip has no line to spare for it.
    m_timeText = label(page, "timeText", captionStyle);
    m_timeText->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    position->addWidget(m_timeText, 1, 1);
    column->addLayout(position);

    // The trip's figures share the distance's row: the strip has no height
    // to spare under it.
    auto *distanceRow = new QHBoxLayout;
    m_distanceText = label(page, "distanceText", StyleSheets::text(foreground, 13));
    m_tripText = label(page, "tripText", StyleSheets::text(Palette::tripFiguresText(), 10));
    m_tripText->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_tripText->hide();
    distanceRow->addWidget(m_distanceText);
    distanceRow->addWidget(m_tripText, 1);
    column->addLayout(distanceRow);
    column->addStretch();
    return page;
}

QWidget *MessageInfoView::buildPlayInfoPage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("pageTwo"));
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(separator(page));
    m_textEdit = new QTextEdit(page);
    m_textEdit->setObjectName(QStringLiteral("textEdit"));
    m_textEdit->setReadOnly(true);
    // Files dropped here go on to the window, which imports them.
    m_textEdit->setAcceptDrops(false);
    m_textEdit->setStyleSheet(QStringLiteral("background-color: transparent; ")
                              + StyleSheets::borderlessText(11, Palette::panelForeground()));
    column->addWidget(m_textEdit);
    return page;
}

void MessageInfoView::retranslate()
{
    setWindowTitle(tr("Form"));
    m_messageButton->setToolTip(tr(
        "<html><head/><body><p><span style=\" color:#ffffff;\">Gps信息</span></p></body></html>"));
    m_gpsButton->setToolTip(tr(
        "<html><head/><body><p><span style=\" color:#ffffff;\">播放信息</span></p></body></html>"));
    m_aveSpeed->setText(tr("Aev-Speed"));
    m_maxSpeed->setText(tr("Max-Speed"));
    m_lat->setText(tr("Latitude"));
    m_long->setText(tr("Longitude"));
    m_distance->setText(tr("Distance"));
    m_aveSpeedText->setText(tr("0"));
    m_maxSpeedText->setText(tr("0"));
    m_latText->setText(tr("0"));
    m_longText->setText(tr("0"));
    m_distanceText->setText(tr("0 Miles"));
}

void MessageInfoView::setVideo(VideoMessage *record, bool keepPosition)
{
    m_current = record;
    showSpeeds();
    if (!keepPosition) {
        m_latText->setText(QStringLiteral("0"));
        m_longText->setText(QStringLiteral("0"));
    }
    showDistance(2);
    showTime(0);
    rebuildPlayInfo();
}

void MessageInfoView::showTime(int second)
{
    const QDateTime utc = m_current ? RecordClock::timeAt(*m_current, second) : QDateTime();
    m_timeText->setText(utc.isValid()
                            ? RecordClock::localText(*m_current, utc) + QStringLiteral(" UTC")
                                + RecordClock::offsetText(m_current->clockOffset)
                            : QString());
}

void MessageInfoView::updatePosition(const GpsItem &sample)
{
    const bool hasText = !sample.latitude.isEmpty() || !sample.longitude.isEmpty();
    const double sum
        = std::fabs(sample.latitude.toDouble()) + std::fabs(sample.longitude.toDouble());
    if (hasText && sum > 0) {
        m_latitudeText = sample.latitude;
        m_longitudeText = sample.longitude;
    } else {
        m_latitudeText = m_longitudeText = QStringLiteral("0");
    }
    showPosition();
}

void MessageInfoView::setTrip(const TripPlay &play)
{
    m_trip = play;
    showTrip();
}

QString MessageInfoView::tripText() const
{
    return m_tripText->isHidden() ? QString() : m_tripText->text();
}

void MessageInfoView::showTrip()
{
    if (!m_trip.isActive()) {
        m_tripText->hide();
        return;
    }
    const Trip &trip = m_trip.trip;
    //: info panel while a trip plays: %1 files in the trip, %2 duration, %3 distance
    const QString figures = tr("Trip: %1 files, %2, %3")
                                .arg(m_trip.clipCount())
                                .arg(TripText::durationText(trip.durationMs()),
                                     TripText::distanceText(trip.metres, m_speedUnit));
    //: info panel while a trip plays: %1 its top speed, %2 its average speed while moving
    const QString speeds
        = tr("Max %1, moving average %2")
              .arg(TelemetryText::knotsToUnit(trip.maxKnots, m_speedUnit))
              .arg(TelemetryText::knotsToUnit(trip.averageMovingKnots, m_speedUnit));
    m_tripText->setText(figures + QLatin1Char('\n') + speeds);
    m_tripText->show();
}

void MessageInfoView::setSpeedUnit(int unit)
{
    m_speedUnit = unit;
    showTrip();
    if (m_current) {
        showDistance(1);
        showSpeeds();
    } else {
        showDistance(0);
    }
}

void MessageInfoView::setCoordinateFormat(int format)
{
    m_coordinateFormat = format;
    showPosition();
}

void MessageInfoView::setVideoArea(const QSize &size)
{
    m_videoArea = QRect(QPoint(0, 0), size);
    if (m_current)
        rebuildPlayInfo();
}

void MessageInfoView::on_messageButton_clicked()
{
    m_buttonStack->setCurrentIndex(1);
    m_pageStack->setCurrentIndex(1);
}

void MessageInfoView::on_gpsButton_clicked()
{
    m_buttonStack->setCurrentIndex(0);
    m_pageStack->setCurrentIndex(0);
}

QString MessageInfoView::decimalToDMS(double decimalDegree)
{
    return TelemetryText::decimalToDMS(decimalDegree);
}

void MessageInfoView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange && m_messageButton) {
        retranslate();
        // The form's "0" and "0 Miles" would hide the playing record's figures
        // (and name the wrong unit in km mode): show the current values again.
        if (m_current)
            showSpeeds();
        showPosition();
        showDistance(m_current ? m_distanceDecimals : 0);
        rebuildPlayInfo();
        showTrip();
    }
    QWidget::changeEvent(event);
}

void MessageInfoView::showPosition()
{
    m_latText->setText(TelemetryText::coordinateText(m_latitudeText, m_coordinateFormat));
    m_longText->setText(TelemetryText::coordinateText(m_longitudeText, m_coordinateFormat));
}

void MessageInfoView::showSpeeds()
{
    if (!m_current)
        return;
    m_aveSpeedText->setText(TelemetryText::speedText(m_current->aevSpeed, m_speedUnit));
    m_maxSpeedText->setText(TelemetryText::speedText(m_current->maxSpeed, m_speedUnit));
}

// decimals 0 means "no record": a bare "0" and the unit word.
void MessageInfoView::showDistance(int decimals)
{
    if (!m_current) {
        m_distanceText->setText(QStringLiteral("0 ") + TelemetryText::unitWord(m_speedUnit));
        return;
    }
    m_distanceDecimals = decimals;
    const double d
        = TelemetryText::distance(m_current->totalSpeedNum, m_current->distance, m_speedUnit);
    m_distanceText->setText(TelemetryText::distanceText(d, decimals, m_speedUnit));
}

void MessageInfoView::rebuildPlayInfo()
{
    if (!m_current)
        return;
    const VideoMessage &r = *m_current;
    const QString displaySize
        = QString::number(m_videoArea.width()) + '*' + QString::number(m_videoArea.height() - 83);
    // Concatenated rather than arg()-filled: a file name holding "%1" stays as it is.
    const QString text = tr("File Name") + ": " + r.name + '\n' + tr("Size") + ": " + r.size
        + "MB\n" + tr("Format") + ": " + r.format + '\n' + tr("Demuxer") + ": " + r.demuxer + '\n'
        + tr("Duration") + ": " + formatPlayTime(r.duration.toInt()) + '\n' + tr("Pixel format")
        + ": " + r.pixelFormat + '\n' + tr("Video size") + ": " + r.resolution + '\n'
        + tr("Display size") + ": " + displaySize + '\n' + tr("Hwdec") + ": " + r.hwdec + '\n'
        + tr("Video aspect") + ": " + r.videoAspect;
    m_textEdit->setPlainText(text);
}
