#include "controls/PromptBox.h"

#include "controls/HudDialog.h"
#include "controls/Palette.h"
#include "controls/StyleSheets.h"

#include <QDebug>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

PromptBox::PromptBox(const QString &message, int value, QWidget *host, const QStringList &details)
    : QDialog(host)
    , m_message(message)
    , m_details(details)
    , m_value(value)
    , m_host(host)
{
    setStyleSheet(StyleSheets::fontRules(StyleSheets::promptFamily()));
    testSize(host);
    buildCard();
}

PromptBox::~PromptBox()
{
    qDebug() << "PromptBox close";
}

void PromptBox::buildCard()
{
    m_card = new QWidget(this);
    m_card->setObjectName("promptCard");
    // Only the card gets the white rounded background, not its children.
    m_card->setAttribute(Qt::WA_StyledBackground);
    m_card->setStyleSheet(
        QStringLiteral("#promptCard { background-color: %1; border-radius: 16px; }")
            .arg(Palette::css(Palette::cardBackground())));
    m_card->setMaximumWidth(470);

    auto *label = new QLabel(m_message, m_card);
    label->setObjectName("messageLabel");
    label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    label->setWordWrap(true);
    label->setMargin(10);
    label->setMinimumWidth(450);

    auto *bar = new QWidget(m_card);
    bar->setAttribute(Qt::WA_StyledBackground);
    bar->setFixedHeight(5);
    bar->setStyleSheet("background-color: #e4e5ec;");

    auto *sure = new QPushButton(m_card);
    sure->setObjectName("sureButton");
    sure->setFocusPolicy(Qt::NoFocus);
    sure->setStyleSheet(StyleSheets::noBorder());
    sure->setIcon(QIcon(":/Resources/PlayTool/sure.png"));
    sure->setIconSize(QSize(30, 30));
    sure->setFixedHeight(40);
    sure->setMinimumWidth(470);
    connect(sure, &QPushButton::clicked, this, &PromptBox::on_sureButton_clicked);

    auto *cardLayout = new QVBoxLayout(m_card);
    cardLayout->setSpacing(0);
    cardLayout->setContentsMargins(0, 0, 0, 0);
    cardLayout->addWidget(label);
    if (!m_details.isEmpty()) {
        auto *list = new QPlainTextEdit(m_details.join(QLatin1Char('\n')), m_card);
        list->setObjectName("detailsView");
        list->setReadOnly(true);
        list->setLineWrapMode(QPlainTextEdit::NoWrap);
        list->setFrameShape(QFrame::NoFrame);
        list->setMaximumHeight(220);
        list->setContentsMargins(10, 0, 10, 10);
        cardLayout->addWidget(list);
    }
    cardLayout->addWidget(bar);
    cardLayout->addWidget(sure);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_card, 0, Qt::AlignCenter);
}

void PromptBox::testSize(QWidget *)
{
    coverActiveWindow(this, "活跃window==nul:::");
}

void PromptBox::on_sureButton_clicked()
{
    close();
    emit sendClickButtonFinished(true);
}

void PromptBox::paintEvent(QPaintEvent *)
{
    // The host may have moved or resized since the last paint.
    centreOverHost(m_card, m_host);
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
}
