#include "controls/SpeedPlayWidget.h"

#include "controls/OrbTimer.h"
#include "controls/Palette.h"
#include "controls/PopupClose.h"
#include "controls/StyleSheets.h"

#include <QButtonGroup>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QString buttonStyle(bool selected)
{
    return selected ? StyleSheets::imageButton(
               QStringLiteral(":/Resources/PlayTool/selectItem.jpg"), Palette::accentText(), 20)
                    : StyleSheets::imageButton(QString(), Palette::popupText(), 18);
}
} // namespace

SpeedPlayWidget::SpeedPlayWidget(double rate, QWidget *parent)
    : QWidget(parent)
    , m_rate(rate)
    , m_group(new QButtonGroup(this))
    , m_timer(new OrbTimer(this))
{
    setObjectName("SpeedPlayWidget");
    setWindowTitle(tr("Form"));
    resize(90, 260);
    auto *layout = new QVBoxLayout(this);
    const QString texts[] = {tr("4X"), tr("2X"), tr("1X"), tr("1/2X"), tr("1/4X")};
    const QString selected = buttonNameOf(rate);
    for (int i = 0; i < 5; ++i) {
        auto *button = new QPushButton(texts[i], this);
        button->setObjectName(QStringLiteral("speed%1").arg(i + 1));
        button->setFocusPolicy(Qt::NoFocus);
        button->setMinimumHeight(40);
        button->setStyleSheet(buttonStyle(button->objectName() == selected));
        m_group->addButton(button);
        layout->addWidget(button);
    }
    connect(m_group, QOverload<QAbstractButton *>::of(&QButtonGroup::buttonClicked), this,
            &SpeedPlayWidget::buttonClicked);
}

SpeedPlayWidget::~SpeedPlayWidget() = default;

double SpeedPlayWidget::rateOf(const QString &objectName)
{
    if (objectName == "speed1")
        return 4;
    if (objectName == "speed2")
        return 2;
    if (objectName == "speed4")
        return 0.5;
    if (objectName == "speed5")
        return 0.25;
    return 1;
}

QString SpeedPlayWidget::buttonNameOf(double rate)
{
    if (rate == 4)
        return "speed1";
    if (rate == 2)
        return "speed2";
    if (rate == 1)
        return "speed3";
    if (rate == 0.5)
        return "speed4";
    if (rate == 0.25)
        return "speed5";
    return QString();
}

void SpeedPlayWidget::buttonClicked(QAbstractButton *button)
{
    m_rate = rateOf(button->objectName());
    emit speedPlayChangedNotification(m_rate);
    for (QAbstractButton *each : m_group->buttons())
        each->setStyleSheet(buttonStyle(each == button));
    connect(m_timer, &OrbTimer::timeout, this, &SpeedPlayWidget::closeContainer,
            Qt::UniqueConnection);
    m_timer->start(2000);
}

void SpeedPlayWidget::closeContainer()
{
    closePopupContainer(this);
}
