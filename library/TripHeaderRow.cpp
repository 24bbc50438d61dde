#include "library/TripHeaderRow.h"

#include "app/AppManager.h"
#include "controls/Palette.h"
#include "controls/StyleSheets.h"
#include "library/TripText.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

TripHeaderRow::TripHeaderRow(const Trip &trip, QWidget *parent)
    : QWidget(parent)
    , m_trip(trip)
    , m_speedUnit(choiceNumber(AppManager::instance()->speedUnitType()))
{
    setObjectName(QStringLiteral("tripHeader"));
    setAttribute(Qt::WA_StyledBackground);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(10, 6, 10, 6);
    row->setSpacing(8);
    m_mark = new QLabel(this);
    m_mark->setObjectName(QStringLiteral("tripMark"));
    m_mark->setFixedWidth(16);
    row->addWidget(m_mark);
    auto *column = new QVBoxLayout;
    column->setSpacing(2);
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("tripTitle"));
    m_figures = new QLabel(this);
    m_figures->setObjectName(QStringLiteral("tripFigures"));
    column->addWidget(m_title);
    column->addWidget(m_figures);
    row->addLayout(column, 1);
    connect(AppManager::instance(), &AppManager::changeSpeedUnitType, this,
            &TripHeaderRow::setSpeedUnit);
    showTexts();
}

QString TripHeaderRow::rowStyleSheet()
{
    return QStringLiteral("TripHeaderRow { background-color: %1; border-radius: 6px; }"
                          "TripHeaderRow QLabel { background: transparent; border: none; }"
                          "TripHeaderRow QLabel#tripMark, TripHeaderRow QLabel#tripTitle { %2 }"
                          "TripHeaderRow QLabel#tripFigures { %3 }")
        .arg(Palette::css(Palette::tripHeaderBackground()),
             StyleSheets::text(Palette::panelForeground(), 13),
             StyleSheets::text(Palette::tripFiguresText(), 12));
}

void TripHeaderRow::setOpen(bool open)
{
    m_open = open;
    // Right-pointing while folded, down-pointing while open.
    m_mark->setText(open ? QStringLiteral("\u25BE") : QStringLiteral("\u25B8"));
}

void TripHeaderRow::setSpeedUnit(int speedUnit)
{
    m_speedUnit = speedUnit;
    showTexts();
}

QString TripHeaderRow::titleText() const
{
    return m_title->text();
}

QString TripHeaderRow::figuresText() const
{
    return m_figures->text();
}

void TripHeaderRow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange && m_title)
        showTexts();
    QWidget::changeEvent(event);
}

void TripHeaderRow::showTexts()
{
    setOpen(m_open);
    const QString count = tr("Files: %1").arg(m_trip.clips.size());
    if (!m_trip.dated()) {
        m_title->setText(tr("Recording without a date"));
        m_figures->setText(count);
        return;
    }
    //: trip header: %1 date, %2 start–end time, in the computer's time zone
    m_title->setText(tr("%1  %2 local time")
                         .arg(TripText::localDate(m_trip.startMs),
                              TripText::localTimeSpan(m_trip.startMs, m_trip.endMs)));
    const QString dot = QStringLiteral("  \u00B7  ");
    m_figures->setText(TripText::durationText(m_trip.durationMs()) + dot
                       + TripText::distanceText(m_trip.metres, m_speedUnit) + dot + count);
}
