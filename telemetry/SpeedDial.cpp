#include "telemetry/SpeedDial.h"

#include "app/AppManager.h"
#include "controls/Palette.h"
#include "telemetry/TelemetryText.h"

#include <QLinearGradient>
#include <QPainter>
#include <QSysInfo>

SpeedDial::SpeedDial(QWidget *parent)
    : QWidget(parent)
    , m_speedUnit(choiceNumber(AppManager::instance()->speedUnitType()))
{
    setObjectName(QStringLiteral("SpeedDial"));
    resize(478, 375);
    setWindowTitle(tr("Form"));
}

void SpeedDial::setSpeed(const QString &knots)
{
    m_speed = TelemetryText::knotsTextToUnit(knots, m_speedUnit);
    update();
}

void SpeedDial::setUnit(int unit)
{
    m_speedUnit = unit;
    update();
}

void SpeedDial::paintEvent(QPaintEvent *event)
{
    const TelemetryText::DialGeometry g = TelemetryText::dialGeometry(width(), height());

    m_unitFont = QFont(QStringLiteral("Arial"));
    m_unitFont.setPixelSize(QSysInfo::productType() == QLatin1String("osx") ? 15 : 13);
    m_unitFont.setBold(true);
    m_valueFont = QFont(QStringLiteral("Arial"));
    m_valueFont.setPixelSize(g.valuePixelSize);
    m_valueFont.setBold(true);

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);

    painter.setPen(QPen(Palette::panelForeground(), 2));
    painter.drawLines(g.ticks);

    QPen track(QColor(QStringLiteral("#3C5865")), 8);
    track.setCapStyle(Qt::RoundCap);
    painter.setPen(track);
    painter.drawArc(g.arcRect, TelemetryText::dialStartAngle16, TelemetryText::dialTrackSpan16);

    QLinearGradient gradient(g.arcRect.topLeft(), g.arcRect.topRight());
    gradient.setColorAt(0, QColor(QStringLiteral("#FB6C00")));
    gradient.setColorAt(0.7, Qt::red);
    QPen value(QBrush(gradient), 8);
    value.setCapStyle(Qt::RoundCap);
    painter.setPen(value);
    painter.drawArc(g.arcRect, TelemetryText::dialStartAngle16,
                    TelemetryText::dialValueSpan16(m_speed));

    painter.setPen(Palette::panelForeground());
    painter.setFont(m_valueFont);
    painter.drawText(g.arcRect, Qt::AlignCenter, QString::number(m_speed));

    painter.setFont(m_unitFont);
    QRectF unitRect(g.arcRect);
    unitRect.setHeight(TelemetryText::dialUnitTextHeight(g.arcRect));
    painter.drawText(unitRect, Qt::AlignHCenter | Qt::AlignBottom,
                     m_speedUnit == choiceNumber(SpeedUnit::KilometresPerHour)
                         ? QStringLiteral("KM/H")
                         : QStringLiteral("MPH"));
    painter.end();

    QWidget::paintEvent(event);
}
