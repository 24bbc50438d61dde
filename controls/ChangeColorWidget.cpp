#include "controls/ChangeColorWidget.h"

#include "app/AppManager.h"
#include "app/Helpers.h"
#include "app/Settings.h"
#include "controls/Palette.h"
#include "controls/StyleSheets.h"
#include "controls/VideoSlider.h"

#include <QCloseEvent>
#include <QDebug>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSysInfo>

ChangeColorWidget::ChangeColorWidget(QWidget *parent)
    : QWidget(parent)
{
    setWindowFlags(windowFlags() | Qt::Popup | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                   | Qt::NoDropShadowWindowHint);
    setObjectName("ChangeColorWidget");
    setWindowTitle(tr("Form"));
    resize(270, 165);
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#ChangeColorWidget { background: %1; }")
                      .arg(Palette::css(Palette::cardBackground())));
    const QString sliderStyle
        = QStringLiteral("QSlider::groove:horizontal { height: 5px; background: %1; }"
                         "QSlider::sub-page:horizontal { background: %2; }"
                         "QSlider::handle:horizontal { width: 18px; height: 18px; margin: "
                         "-7px 0; border-radius: 9px; background: %2; }")
              .arg(Palette::css(Palette::trackBackground()), Palette::css(Palette::accent()));
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(15, 10, 20, 10);
    const int maxima[] = {100, 200, 300};
    for (int i = 0; i < 3; ++i) {
        auto *icon = new QLabel(this);
        icon->setPixmap(
            QPixmap(QStringLiteral(":/Resources/PlayTool/changeColoe%1.png").arg(i + 1)));
        grid->addWidget(icon, i, 0);
        auto *slider = new VideoSlider(this);
        slider->setOrientation(Qt::Horizontal);
        slider->setObjectName(QStringLiteral("horizontalSlider%1").arg(i + 1));
        slider->setRange(0, maxima[i]);
        slider->setFocusPolicy(Qt::NoFocus);
        slider->setStyleSheet(sliderStyle);
        slider->setValue(sliderValueFor(i + 1));
        connect(slider, &QSlider::sliderMoved, this, &ChangeColorWidget::sliderMoved);
        connect(slider, &VideoSlider::orbsliderPressed, this, [] { qDebug() << "按下"; });
        connect(slider, &VideoSlider::orbsliderReleased, this, &ChangeColorWidget::sliderReleased);
        grid->addWidget(slider, i, 1);
        m_sliders[i] = slider;
    }
    auto *reset = new QPushButton(tr("重置"), this);
    reset->setObjectName("pushButton");
    reset->setFocusPolicy(Qt::NoFocus);
    const QColor resetText = QSysInfo::productVersion() == "7" ? Palette::promptText() : QColor();
    reset->setStyleSheet(
        QStringLiteral("QPushButton { %1 %2 }")
            .arg(StyleSheets::fontDeclarations(StyleSheets::promptFamily(), resetText),
                 StyleSheets::noBorder()));
    grid->addWidget(reset, 3, 0, 1, 2, Qt::AlignCenter);
    connect(reset, &QPushButton::clicked, this, &ChangeColorWidget::on_pushButton_clicked);
}

ChangeColorWidget::~ChangeColorWidget()
{
    qDebug() << "ChangeColorWidget 销毁";
}

int ChangeColorWidget::sliderValueFor(int which)
{
    if (which < 1 || which > 3)
        return 0;
    return int(Settings::videoColor(which).get() * 100);
}

int ChangeColorWidget::whichOf(const QObject *slider) const
{
    const QString name = slider ? slider->objectName() : QString();
    if (name == "horizontalSlider1")
        return 1;
    if (name == "horizontalSlider2")
        return 2;
    if (name == "horizontalSlider3")
        return 3;
    return 0;
}

void ChangeColorWidget::sliderMoved(int position)
{
    qDebug() << "positionpositionposition:::" << position;
    if (const int which = whichOf(sender()))
        AppManager::instance()->setVideoColorValue(which, position / 100.0f);
}

void ChangeColorWidget::sliderReleased()
{
    qDebug() << "抬起";
    auto *slider = qobject_cast<QSlider *>(sender());
    if (const int which = whichOf(slider))
        AppManager::instance()->setVideoColorValue(which, slider->sliderPosition() / 100.0f);
}

void ChangeColorWidget::on_pushButton_clicked()
{
    for (int i = 0; i < 3; ++i) {
        m_sliders[i]->setValue(100);
        AppManager::instance()->setVideoColorValue(i + 1, 1.0f);
    }
}

void ChangeColorWidget::closeEvent(QCloseEvent *event)
{
    emit hudClosed();
    deleteLater();
    QWidget::closeEvent(event);
}
