#include "controls/Video360ModelType.h"

#include "controls/OrbTimer.h"
#include "controls/PopupClose.h"
#include "controls/StyleSheets.h"

#include <QButtonGroup>
#include <QDebug>
#include <QIcon>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const char *const UncheckedIcons[]
    = {"model0.png", "model1.png", "model2.png", "model3.png", "model4.png"};
const char *const CheckedIcons[]
    = {"mode01.png", "model11.png", "model21.png", "model31.png", "model41.png"};

QIcon modeIcon(int i)
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/Resources/PlayTool/") + UncheckedIcons[i], QSize(),
                 QIcon::Normal, QIcon::Off);
    icon.addFile(QStringLiteral(":/Resources/PlayTool/") + CheckedIcons[i], QSize(), QIcon::Normal,
                 QIcon::On);
    return icon;
}

QSize uncheckedSize(const QString &name)
{
    return name == "speed5" ? QSize(70, 42) : QSize(70, 31);
}
} // namespace

Video360ModelType::Video360ModelType(double mode, QWidget *parent)
    : QWidget(parent)
    , m_mode(mode)
    , m_group(new QButtonGroup(this))
    , m_timer(new OrbTimer(this))
{
    setObjectName("Video360ModelType");
    setWindowTitle(tr("Form"));
    resize(90, 260);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(5, 10, 5, 10);
    for (int i = 0; i < 5; ++i) {
        auto *button = new QPushButton(this);
        button->setObjectName(QStringLiteral("speed%1").arg(i + 1));
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFlat(true);
        button->setStyleSheet(StyleSheets::iconButtons());
        button->setIcon(modeIcon(i));
        const bool current = mode == i;
        button->setChecked(current);
        button->setIconSize(current ? QSize(80, 40) : uncheckedSize(button->objectName()));
        m_group->addButton(button);
        layout->addWidget(button);
    }
    connect(m_group, QOverload<QAbstractButton *>::of(&QButtonGroup::buttonClicked), this,
            &Video360ModelType::buttonClicked);
}

Video360ModelType::~Video360ModelType()
{
    qDebug() << "Video360ModelType close";
}

double Video360ModelType::modeOf(const QString &objectName)
{
    if (objectName == "speed1")
        return 0;
    if (objectName == "speed2")
        return 1;
    if (objectName == "speed3")
        return 2;
    if (objectName == "speed5")
        return 4;
    return 3;
}

void Video360ModelType::buttonClicked(QAbstractButton *button)
{
    m_mode = modeOf(button->objectName());
    emit Video360ModelTypeChangedNotification(m_mode);
    for (QAbstractButton *each : m_group->buttons()) {
        each->setChecked(each == button);
        each->setIconSize(each == button ? QSize(80, 40) : uncheckedSize(each->objectName()));
    }
    connect(m_timer, &OrbTimer::timeout, this, &Video360ModelType::closeContainer,
            Qt::UniqueConnection);
    m_timer->start(2000);
}

void Video360ModelType::closeContainer()
{
    closePopupContainer(this);
}
