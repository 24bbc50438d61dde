#include "telemetry/LogoWidget.h"

#include "controls/StyleSheets.h"

#include <QEvent>
#include <QLabel>
#include <QPixmap>
#include <QSpacerItem>
#include <QVBoxLayout>

LogoWidget::LogoWidget(QWidget *parent)
    : QWidget(parent)
{
    setupForm();
    retranslateForm();
}

void LogoWidget::setupForm()
{
    setObjectName(QStringLiteral("LogoWidget"));
    resize(335, 303);

    auto *layout = new QVBoxLayout(this);
    layout->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));

    m_image = new QLabel(this);
    m_image->setObjectName(QStringLiteral("image"));
    m_image->setMaximumHeight(35);
    QFont imageFont = m_image->font();
    imageFont.setPointSize(13);
    m_image->setFont(imageFont);
    m_image->setPixmap(QPixmap(QStringLiteral(":/Resources/PlayTool/logo.png")));
    m_image->setScaledContents(false);
    m_image->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_image);

    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("label"));
    m_label->setFixedHeight(30);
    m_label->setStyleSheet(StyleSheets::borderlessText(13, QColor(250, 250, 250, 51)));
    m_label->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_label);
}

void LogoWidget::retranslateForm()
{
    setWindowTitle(tr("Form"));
    m_label->setText(tr("无GPS数据"));
}

void LogoWidget::setState(int state)
{
    m_state = state;
    applyStateText();
}

QString LogoWidget::stateText() const
{
    return m_label->text();
}

void LogoWidget::applyStateText()
{
    switch (m_state) {
    case NoGps:
        m_label->setText(tr("No GPS", "无GPS数据"));
        break;
    case NoNetwork:
        m_label->setText(tr("no network", "请检查网络连接"));
        break;
    case NetWorking:
        m_label->setText(tr("check networking", "正在检测网络"));
        break;
    default:
        break;
    }
}

void LogoWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateForm();
        applyStateText();
    }
    QWidget::changeEvent(event);
}
