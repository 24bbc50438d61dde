#include "telemetry/GsensorView.h"

#include "app/AppManager.h"
#include "app/Helpers.h"
#include "controls/Palette.h"
#include "controls/StyleSheets.h"
#include "telemetry/EventTimeline.h"
#include "telemetry/TelemetryText.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QPainter>
#include <QPushButton>
#include <QToolTip>
#include <QVBoxLayout>

GsensorView::GsensorView(QWidget *parent)
    : QWidget(parent)
{
    m_chartFont.setPixelSize(12);
    setupForm();
    resetLegend();
}

void GsensorView::setupForm()
{
    setObjectName(QStringLiteral("GsensorView"));
    resize(300, 300);
    setWindowTitle(tr("Form"));

    auto *verticalLayout = new QVBoxLayout(this);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    verticalLayout->setSpacing(0);
    verticalLayout->setContentsMargins(0, 0, 0, 0);

    auto *legend = new QWidget(this);
    legend->setObjectName(QStringLiteral("widget"));
    legend->setFixedHeight(50);
    legend->setMaximumWidth(300);
    auto *horizontalLayout = new QHBoxLayout(legend);
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    horizontalLayout->setSpacing(0);
    horizontalLayout->setContentsMargins(30, 0, 0, 15);

    const QString style = StyleSheets::borderlessText(11, Palette::panelForeground());
    const auto makeEntry = [legend, horizontalLayout, &style](const char *name, const char *icon) {
        auto *button = new QPushButton(legend);
        button->setObjectName(QLatin1String(name));
        button->setIcon(QIcon(QLatin1String(icon)));
        button->setStyleSheet(style);
        button->setFocusPolicy(Qt::NoFocus);
        horizontalLayout->addWidget(button);
        return button;
    };
    m_legendX = makeEntry("pushButtonX", ":/Resources/PlayTool/redImage.png");
    m_legendY = makeEntry("pushButtonY", ":/Resources/PlayTool/greenImage.png");
    m_legendZ = makeEntry("pushButtonZ", ":/Resources/PlayTool/blueImage.png");

    verticalLayout->addWidget(legend);
    verticalLayout->addSpacerItem(
        new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));
}

void GsensorView::resetLegend()
{
    m_legendX->setText(tr(" X:0.0"));
    m_legendY->setText(tr(" Y:0.0"));
    m_legendZ->setText(tr(" Z:0.0"));
}

void GsensorView::setData(const QMap<QString, QStringList> &items)
{
    m_xPoints.clear();
    m_yPoints.clear();
    m_zPoints.clear();
    resetLegend();
    m_current = 0;

    const TelemetryText::GsensorPoints points = TelemetryText::gsensorPoints(items);
    m_xPoints = points.x;
    m_yPoints = points.y;
    m_zPoints = points.z;
    update();
}

void GsensorView::setEvents(const QVector<TelemetryEvent> &events)
{
    m_events = events;
    update();
}

int GsensorView::chartX(int second) const
{
    const TelemetryText::ChartScale scale = TelemetryText::chartScale(m_xPoints.size());
    return TelemetryText::chartPosition(QPoint(second, 0), scale, width(), height()).x();
}

int GsensorView::eventX(int index) const
{
    return chartX(m_events.at(index).second);
}

int GsensorView::eventAt(int x) const
{
    for (int i = 0; i < m_events.size(); ++i) {
        const int start = chartX(m_events.at(i).second);
        const int end = qMax(start, chartX(m_events.at(i).endSecond));
        if (x >= start - 3 && x <= end + 3)
            return i;
    }
    return -1;
}

bool GsensorView::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        auto *help = static_cast<QHelpEvent *>(event);
        const int index = eventAt(help->pos().x());
        if (index >= 0)
            QToolTip::showText(
                help->globalPos(),
                EventTimeline::toolTip(m_events.at(index),
                                       choiceNumber(AppManager::instance()->speedUnitType())),
                this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void GsensorView::drawEvents(QPainter &painter) const
{
    const int h = height();
    for (const TelemetryEvent &event : m_events) {
        const QColor colour = Palette::eventMark(int(event.kind));
        const int start = chartX(event.second);
        const int end = qMax(start, chartX(event.endSecond));
        // A faint band over the seconds it lasts, a solid tab under the axis
        // (the legend covers the top).
        painter.fillRect(QRect(start - 1, 40, end - start + 3, h - 80),
                         Palette::withAlpha(colour, 60));
        painter.fillRect(QRect(start - 1, h - 40, 3, 7), colour);
    }
}

void GsensorView::setCurrent(int second)
{
    if (second <= 0 || second >= m_xPoints.size())
        return;
    m_current = second;
    // A record may carry fewer y or z values than x values.
    const auto legendValue = [second](const QVector<QPoint> &points) {
        const double g = second < points.size() ? points.at(second).y() / 1000.0 : 0.0;
        return QString::number(g, 'f', 2);
    };
    m_legendX->setText(QStringLiteral(" X:") + legendValue(m_xPoints));
    m_legendY->setText(QStringLiteral(" Y:") + legendValue(m_yPoints));
    m_legendZ->setText(QStringLiteral(" Z:") + legendValue(m_zPoints));
    update();
}

void GsensorView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        setWindowTitle(tr("Form"));
        if (m_current == 0)
            resetLegend();
    }
    QWidget::changeEvent(event);
}

void GsensorView::drawCurve(QPainter &painter,
                            const QVector<QPoint> &points,
                            const QColor &colour) const
{
    if (points.size() < 2)
        return;
    const TelemetryText::ChartScale scale = TelemetryText::chartScale(m_xPoints.size());
    QVector<QPoint> line;
    line.reserve(points.size());
    for (const QPoint &p : points)
        line.append(TelemetryText::chartPosition(p, scale, width(), height()));
    painter.setPen(QPen(colour, 1));
    painter.drawPolyline(line.constData(), line.size());
}

void GsensorView::paintEvent(QPaintEvent *event)
{
    const int w = width();
    const int h = height();
    const TelemetryText::ChartScale scale = TelemetryText::chartScale(m_xPoints.size());
    const QVector<QPoint> scalePoints = TelemetryText::chartScalePoints(m_xPoints.size());

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setFont(m_chartFont);

    const QColor foreground = Palette::panelForeground();
    painter.setPen(foreground);
    painter.drawLine(40, h - 40, w, h - 40);
    painter.drawLine(40, h - 40, 40, 40);

    const int step = (w - 40) / 5;
    painter.drawText(35, h - 40 + 18, QStringLiteral("0"));
    const QString end = formatPlayTime(scale.maxX);
    const int endWidth = painter.fontMetrics().horizontalAdvance(end);
    painter.drawText(5 * step + 40 - endWidth, h - 40 + 18, end);

    const int rowStep = (h - 80) / 4;
    for (int i = 0; i < 5; ++i) {
        const int y = (h - 40) - i * rowStep;
        painter.setPen(QPen(QColor(237, 231, 231, 80), 1, Qt::DotLine));
        painter.drawLine(40, y, w, y);
        painter.setPen(foreground);
        const QString label = QString::number(scalePoints.at(i).y() / 1000.0, 'f', 1);
        painter.drawText(32 - painter.fontMetrics().horizontalAdvance(label), y + 5, label);
    }

    drawEvents(painter);
    drawCurve(painter, m_xPoints, Qt::red);
    if (m_current > 0) {
        const int x = TelemetryText::chartPosition(QPoint(m_current, 0), scale, w, h).x();
        painter.setPen(QPen(Qt::red, 1));
        painter.drawLine(x, h - 40, x, 40);
    }
    drawCurve(painter, m_yPoints, Qt::green);
    drawCurve(painter, m_zPoints, Qt::blue);
    painter.end();

    QWidget::paintEvent(event);
}
