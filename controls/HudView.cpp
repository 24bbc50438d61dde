#include "controls/HudView.h"

#include "app/AppManager.h"
#include "app/Helpers.h"
#include "app/LogHandler.h"
#include "app/Platform.h"
#include "app/Settings.h"
#include "controls/Palette.h"
#include "controls/StyleSheets.h"
#include "controls/WidgetTree.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDebug>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTextBoundaryFinder>
#include <QTimer>
#include <QVBoxLayout>
#include <QVector>

namespace {
constexpr int AutoCloseMs = 3000;
// The widest a label grows for a run it cannot wrap.
constexpr int MaxLabelWidth = 640;
const char kSureIcon[] = ":/Resources/PlayTool/sure.png";
const char kCancelIcon[] = ":/Resources/PlayTool/cancel.png";
const char kCheckedIcon[] = ":/Resources/PlayTool/selectbutton.png";
const char kUncheckedIcon[] = ":/Resources/PlayTool/selectbutton1.png";

// Prompts that are shown and still hold the main window's mouse input. The
// window is released only when the last of them goes.
QVector<HudView *> &openPrompts()
{
    static QVector<HudView *> prompts;
    return prompts;
}

QPushButton *iconButton(const char *objectName, const char *icon, QWidget *parent)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(objectName);
    button->setFocusPolicy(Qt::NoFocus);
    button->setStyleSheet(StyleSheets::noBorder());
    button->setFixedHeight(40);
    button->setIcon(QIcon(icon));
    button->setIconSize(QSize(40, 40));
    return button;
}
// The widest run of the text the label cannot wrap (a file name, say).
int widestUnbreakableRun(const QFontMetrics &metrics, const QString &text)
{
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    int widest = 0;
    int start = 0;
    while (breaks.toNextBoundary() != -1) {
        const int end = breaks.position();
        widest = qMax(widest, metrics.horizontalAdvance(text.mid(start, end - start).trimmed()));
        start = end;
    }
    return widest;
}
} // namespace

QSize hudLabelSize(int dpiX, int language)
{
    // Scaling percentage in floating point: 144 dpi is 150 %, not 100 %.
    const double scale = dpiX > 0 ? dpiX / 96.0 * 100.0 : 0.0;
    // Label height at 100 % for languages 1-10; others as English.
    static const int kBaseHeight[] = {75, 160, 165, 250, 170, 160, 130, 170, 250, 190};
    const int base = language >= 1 && language <= 10 ? kBaseHeight[language - 1] : 160;
    const int width = scale > 125 ? 360 : 250;
    const int height = scale > 100 ? int(scale / 100.0 * base + 35) : base;
    return QSize(width, height);
}

HudView::HudView(int kind, const QString &text, bool withNoShowOption, int value, QWidget *parent)
    : QWidget(parent)
    , m_kind(kind)
    , m_value(value)
{
    setObjectName("orbHudView");
    setAttribute(Qt::WA_OpaquePaintEvent); // the old WA_NoBackground: paintEvent covers every pixel
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_NoSystemBackground);
    m_timer = new QTimer(this);
    buildForm(text, withNoShowOption);
    getAddView();
    blockMainWindow();
    if (m_kind != 10) {
        m_timer->setSingleShot(true);
        connect(m_timer, &QTimer::timeout, this, &HudView::timerOutAction);
        m_timer->start(AutoCloseMs);
    }
}

HudView::~HudView()
{
    openPrompts().removeAll(this);
    qDebug() << "HudView close";
}

void HudView::installAsLogPrompt()
{
    LogHandler::setPromptFactory([](const QString &message) -> QWidget * {
        // In full screen the render view sits in a window of its own: look there too.
        const AppManager *app = AppManager::instance();
        for (QWidget *tree : {app->mainWindow(), app->renderView()}) {
            if (tree && tree->findChild<QWidget *>("orbHudView")) {
                qDebug() << "找到提示库";
                return nullptr;
            }
        }
        auto *prompt = new HudView(2, message, true, 0);
        prompt->show();
        return prompt;
    });
}

void HudView::buildForm(const QString &text, bool withNoShowOption)
{
    m_label = new QLabel(text, this);
    m_label->setObjectName("messageLabel");
    m_label->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    m_label->setWordWrap(true);
    if (m_kind == 2) {
        setLableHeight(m_label);
    } else if (m_kind == 10) {
        m_label->setMaximumWidth(300);
        m_label->setMinimumHeight(50);
    } else {
        m_label->setMaximumWidth(250);
        m_label->setMinimumHeight(40);
    }
    QFont font("Arial", 13);
    font.setBold(false);
    m_label->setFont(font);
    setStyleSheet(StyleSheets::fontRules(StyleSheets::promptFamily(), Palette::promptText()));
    // A name too long to wrap widens the card instead of being cut off.
    m_label->ensurePolished();
    const int run = widestUnbreakableRun(m_label->fontMetrics(), text) + 2 * m_label->margin() + 4;
    if (run > m_label->maximumWidth())
        m_label->setMaximumWidth(qMin(run, MaxLabelWidth));

    auto *line = new QLabel(this);
    line->setPixmap(QPixmap(":/Resources/PlayTool/imageline.png"));
    line->setScaledContents(true);
    line->setFixedHeight(10);
    // The label is not laid out yet: its widest allowed size sets the card.
    line->setFixedWidth(m_label->maximumWidth());

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(10, 10, 10, 0);
    layout->addWidget(m_label);
    layout->addSpacerItem(new QSpacerItem(20, 10, QSizePolicy::Minimum, QSizePolicy::Expanding));
    layout->addWidget(line);
    layout->addWidget(buildButtons());
    if (withNoShowOption)
        layout->addWidget(buildOptionRow());
    else
        layout->addSpacerItem(new QSpacerItem(10, 10, QSizePolicy::Minimum, QSizePolicy::Fixed));
    adjustSize();
}

QWidget *HudView::buildButtons()
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    if (m_kind == 10) {
        auto *cancel = iconButton("cancelButton", kCancelIcon, row);
        connect(cancel, &QPushButton::clicked, this, &HudView::on_cancelButton_clicked);
        layout->addWidget(cancel);
    }
    auto *sure = iconButton("sureButton", kSureIcon, row);
    connect(sure, &QPushButton::clicked, this, &HudView::on_sureButton_clicked);
    layout->addWidget(sure);
    return row;
}

QWidget *HudView::buildOptionRow()
{
    auto *row = new QWidget(this);
    row->setFixedHeight(40);
    auto *layout = new QHBoxLayout(row);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    m_selectButton = new QPushButton(row);
    m_selectButton->setObjectName("selectButton");
    m_selectButton->setFocusPolicy(Qt::NoFocus);
    m_selectButton->setStyleSheet(StyleSheets::noBorder());
    m_selectButton->setFixedSize(40, 45);
    m_selectButton->setIcon(QIcon(kUncheckedIcon));
    m_selectButton->setIconSize(QSize(20, 20));
    connect(m_selectButton, &QPushButton::clicked, this, &HudView::on_selectButton_clicked);

    auto *text = new QLabel(tr("no_prompt_again"), row);
    text->setObjectName("noShowLabel");
    text->setFont(QFont("Arial", 7));
    text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    layout->addSpacerItem(new QSpacerItem(20, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    layout->addWidget(m_selectButton);
    layout->addWidget(text);
    layout->addSpacerItem(new QSpacerItem(20, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    return row;
}

void HudView::getAddView()
{
    AppManager *app = AppManager::instance();
    const bool onRenderView = m_kind == 1 || m_kind == 2 || m_kind >= 10;
    QWidget *host = onRenderView ? app->renderView() : app->mainWindow();
    // Early in start-up or in a lone panel there may be no render view yet.
    if (!host)
        host = app->mainWindow();
    if (!host)
        host = parentWidget();
    if (host) {
        if (parentWidget() != host)
            setParent(host);
        move((host->width() - width()) / 2, (host->height() - height()) / 2);
        if (m_kind == 0)
            move(x() - 10, y() - 30);
        raise();
        return;
    }
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void HudView::setLableHeight(QLabel *lable)
{
    const int dpiX = QGuiApplication::primaryScreen() ? Platform::screenDpiX() : 0;
    qDebug() << "Scale Percentage:" << dpiX / 96.0 * 100.0 << "%";
    const QSize size = hudLabelSize(dpiX, AppManager::instance()->savedLanguage());
    lable->setMaximumWidth(size.width());
    lable->setFixedHeight(size.height());
}

void HudView::blockMainWindow()
{
    openPrompts().removeAll(this);
    openPrompts().append(this);
    QWidget *window = AppManager::instance()->mainWindow();
    if (!window)
        return;
    setWidgetTreeMouseEnabled(window, false);
    // Blocking marks the hosts of every open prompt too; open their way again.
    for (HudView *prompt : qAsConst(openPrompts())) {
        for (QWidget *w = prompt->parentWidget(); w; w = w->parentWidget())
            w->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    }
}

void HudView::releaseMainWindow()
{
    if (m_released)
        return;
    m_released = true;
    openPrompts().removeAll(this);
    // Another prompt still shown keeps the window blocked.
    if (!openPrompts().isEmpty())
        return;
    setWidgetTreeMouseEnabled(AppManager::instance()->mainWindow(), true);
}

QString HudView::noShowKey() const
{
    return QLatin1String(Settings::promptOptOut(m_kind).key());
}

void HudView::on_sureButton_clicked()
{
    if (m_kind == 10) {
        // The new type applies at the next start; the prompt stays until the end.
        AppManager::instance()->setPlayerType(static_cast<PlayerType>(m_value));
        QCoreApplication::exit(0);
        return;
    }
    releaseMainWindow();
    m_timer->stop();
    qDebug() << "ffffffffffffffgggggggggggggggggggggggggg";
    close();
}

void HudView::on_cancelButton_clicked()
{
    releaseMainWindow();
    qDebug() << "ffffffffffffffgggggggggggggggggggggggggg1";
    close();
}

void HudView::on_selectButton_clicked()
{
    m_timer->stop();
    m_optionChecked = !m_optionChecked;
    Settings::promptOptOut(m_kind).set(m_optionChecked ? 1 : 0);
    m_selectButton->setIcon(QIcon(m_optionChecked ? kCheckedIcon : kUncheckedIcon));
}

void HudView::timerOutAction()
{
    m_timer->stop();
    releaseMainWindow();
    close();
}

void HudView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Palette::cardBackground());
    painter.drawRect(rect());
}

void HudView::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    // Closed from outside (host or program): still give the window back.
    releaseMainWindow();
    AppManager *app = AppManager::instance();
    QWidget *window = app->mainWindow();
    QWidget *front = window;
    if (window && window->isHidden() && app->renderView())
        front = app->renderView()->window();
    if (front) {
        front->raise();
        front->activateWindow();
    }
    emit hudClosed();
    deleteLater();
}
