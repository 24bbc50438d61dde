#include "controls/VolumeWidget.h"

#include "controls/OrbTimer.h"
#include "controls/Palette.h"
#include "controls/PopupClose.h"

#include <QDebug>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

namespace {
QLabel *iconLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setPixmap(QPixmap(QStringLiteral(":/Resources/PlayTool/") + name));
    label->setAlignment(Qt::AlignCenter);
    return label;
}
} // namespace

VolumeWidget::VolumeWidget(double volume, QWidget *parent)
    : QWidget(parent)
    , m_volume(volume)
    , m_slider(new QSlider(Qt::Vertical, this))
    , m_timer(new OrbTimer(this))
{
    setObjectName("VolumeWidget");
    setWindowTitle(tr("Form"));
    resize(70, 260);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 15, 0, 15);
    layout->addWidget(iconLabel("speaker+.png", this));
    m_slider->setObjectName("verticalSlider");
    m_slider->setRange(0, 100);
    m_slider->setFocusPolicy(Qt::NoFocus);
    m_slider->setStyleSheet(
        QStringLiteral(
            "QSlider::groove:vertical { width: 6px; background: %1; border-radius: 3px; }"
            "QSlider::sub-page:vertical { background: %2; border-radius: 3px; }"
            "QSlider::add-page:vertical { background: %1; border-radius: 3px; }"
            "QSlider::handle:vertical { background: %1; height: 16px; width: 16px; margin: 0 "
            "-5px; border-radius: 8px; }")
            .arg(Palette::css(Palette::accent()), Palette::css(Palette::trackBackground())));
    m_slider->setValue(qRound(volume * 100));
    layout->addWidget(m_slider, 1, Qt::AlignHCenter);
    layout->addWidget(iconLabel("speaker-.png", this));
    // Bound after the initial value, so opening the panel reports nothing.
    connect(m_slider, &QSlider::valueChanged, this, &VolumeWidget::on_verticalSlider_valueChanged);
}

VolumeWidget::~VolumeWidget()
{
    qDebug() << "VolumeWidget销毁";
}

void VolumeWidget::on_verticalSlider_valueChanged(int value)
{
    emit valuePlayChangedNotification(value / 100.0);
    starTimeClose();
}

void VolumeWidget::starTimeClose()
{
    connect(m_timer, &OrbTimer::timeout, this, &VolumeWidget::closeContainer, Qt::UniqueConnection);
    m_timer->start(2000);
}

void VolumeWidget::closeContainer()
{
    closePopupContainer(this);
}
