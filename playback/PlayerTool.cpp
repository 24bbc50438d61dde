#include "playback/PlayerTool.h"

#include "app/AppManager.h"
#include "app/AwakeLock.h"
#include "app/Helpers.h"
#include "app/Settings.h"
#include "controls/ChangeColorWidget.h"
#include "controls/HudView.h"
#include "controls/Palette.h"
#include "controls/RoundedDialog.h"
#include "controls/SpeedPlayWidget.h"
#include "controls/StyleSheets.h"
#include "controls/Video360ModelType.h"
#include "controls/VideoSlider.h"
#include "controls/VolumeWidget.h"
#include "edit/CutOverlay.h"
#include "edit/VideoEdit.h"
#include "library/CmdModel.h"
#include "library/DbModel.h"
#include "library/FFmpegThread.h"
#include "library/VideoMessage.h"
#include "playback/OrbPlayer.h"
#include "playback/PlayObject.h"
#include "render/RenderView.h"
#include "telemetry/EventTimeline.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {
constexpr Qt::WindowFlags PopupFlags
    = Qt::Popup | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::NoDropShadowWindowHint;

QIcon twoStateIcon(const QString &off, const QString &on)
{
    QIcon icon;
    icon.addFile(":/Resources/PlayTool/" + off, QSize(), QIcon::Normal, QIcon::Off);
    if (!on.isEmpty())
        icon.addFile(":/Resources/PlayTool/" + on, QSize(), QIcon::Normal, QIcon::On);
    return icon;
}
} // namespace

PlayerTool::PlayerTool(QWidget *parent, int playerArgument, QWidget *hostWidget)
    : ControlBarInterface(parent)
    , m_hostWidget(hostWidget)
{
    Q_UNUSED(playerArgument)
    setupForm();
    setupButtons();
    const int items = m_buttonRow->count();
    if (width() - 30 < items * 55 + 185) {
        const int side = (width() - items * 55 - 15) / 2;
        m_buttonRow->setContentsMargins(side, 0, side, 0);
        m_buttonRow->setSpacing(15);
    }
    setStyleSheet(StyleSheets::toolTip(StyleSheets::ToolTipFrame::Native));
    setupPlayer();
    if (AppManager::instance()->playerType() == PlayerType::NativeWindow)
        setZoomButtonsHidden(true);
}

PlayerTool::~PlayerTool()
{
    // A still under way gets a moment to be written; one that takes longer is
    // stopped when its owner lets go of it below.
    if (m_captureThread) {
        m_captureThread->disconnect(this);
        m_captureThread->wait(ThreadDeleter::StopWaitMs);
    }
    // Stopping the channels reports states; the form must not hear them while
    // it is being torn down.
    m_player->disconnect(this);
    delete m_player;
}

void PlayerTool::setupForm()
{
    setObjectName("PlayerTool");
    resize(732, 83);
    setMinimumSize(732, 83);
    setBaseSize(732, 83);
    auto *vertical = new QVBoxLayout(this);
    vertical->setObjectName("verticalLayout");
    vertical->setContentsMargins(15, 4, 15, 8);
    vertical->setSpacing(0);

    auto *rowOne = new QWidget(this);
    rowOne->setObjectName("widgetTwo");
    auto *top = new QHBoxLayout(rowOne);
    top->setObjectName("horizontalLayout_2");
    top->setSpacing(5);
    top->setContentsMargins(0, 0, 0, 0);
    const QString labelStyle = StyleSheets::text(Palette::panelForeground(), 12);
    m_starLabel = new QLabel(rowOne);
    m_starLabel->setObjectName("starLabel");
    m_starLabel->setFixedSize(45, 25);
    m_starLabel->setStyleSheet(labelStyle);
    m_slider = new VideoSlider(rowOne);
    m_slider->setObjectName("slider");
    m_slider->setOrientation(Qt::Horizontal);
    m_slider->setFixedHeight(25);
    m_slider->setEnabled(false);
    m_endLabel = new QLabel(rowOne);
    m_endLabel->setObjectName("endLabel");
    // The form's maximum is narrower than its minimum; Qt lets the minimum win.
    m_endLabel->setMinimumSize(45, 25);
    m_endLabel->setMaximumSize(40, 25);
    m_endLabel->setStyleSheet(labelStyle);
    top->addWidget(m_starLabel);
    top->addWidget(m_slider);
    top->addWidget(m_endLabel);
    vertical->addWidget(rowOne);

    auto *rowTwo = new QWidget(this);
    rowTwo->setObjectName("widget");
    rowTwo->setStyleSheet(StyleSheets::noBorder());
    rowTwo->setMinimumHeight(40);
    m_buttonRow = new QHBoxLayout(rowTwo);
    m_buttonRow->setObjectName("horizontalLayout");
    m_buttonRow->setSpacing(10);
    m_buttonRow->setContentsMargins(100, 0, 100, 0);
    vertical->addWidget(rowTwo);
}

void PlayerTool::setupButtons()
{
    struct ButtonDef
    {
        const char *name;
        QPushButton **member;
        const char *icon;
        const char *checkedIcon;
    };
    const ButtonDef definitions[] = {
        {"scaleSmall", &m_scaleSmall, "zoomsmall.png", ""},
        {"scaleBig", &m_scaleBig, "zoombigwhite.png", ""},
        {"imageButton", &m_imageButton, "image.png", ""},
        {"cutButton", &m_cutButton, "cut.png", ""},
        {"colorButton", &m_colorButton, "changeColoe.png", ""},
        {"replayButton", &m_replayButton, "Repeat.png", "Repeat1.png"},
        {"previousButton", &m_previousButton, "previous.png", ""},
        {"playButton", &m_playButton, "play.png", "pause.png"},
        {"nextButton", &m_nextButton, "next.png", ""},
        {"volumeButton", &m_volumeButton, "volume.png", ""},
        {"playSpeedButton", &m_playSpeedButton, "1X.png", ""},
        {"fullButton", &m_fullButton, "fullclose.png", "outFull.png"},
        {"play360", &m_play360, "model32.png", ""},
    };
    QWidget *row = m_buttonRow->parentWidget();
    for (const ButtonDef &def : definitions) {
        auto *button = new QPushButton(row);
        button->setObjectName(def.name);
        button->setMinimumSize(40, 30);
        button->setFlat(true);
        button->setIcon(twoStateIcon(def.icon, def.checkedIcon));
        button->setIconSize(button == m_play360 || QLatin1String(def.name) == "play360"
                                ? QSize(25, 25)
                                : QSize(35, 35));
        button->setCheckable(*def.checkedIcon != 0);
        button->setEnabled(false);
        button->setFocusPolicy(Qt::NoFocus);
        *def.member = button;
        m_buttons << button;
        m_buttonRow->addWidget(button);
    }
    retranslate();
    connect(m_scaleSmall, &QPushButton::clicked, this, &PlayerTool::on_scaleSmall_clicked);
    connect(m_scaleBig, &QPushButton::clicked, this, &PlayerTool::on_scaleBig_clicked);
    connect(m_imageButton, &QPushButton::clicked, this, &PlayerTool::on_imageButton_clicked);
    connect(m_cutButton, &QPushButton::clicked, this, &PlayerTool::on_cutButton_clicked);
    connect(m_colorButton, &QPushButton::clicked, this, &PlayerTool::on_colorButton_clicked);
    connect(m_replayButton, &QPushButton::clicked, this, &PlayerTool::on_replayButton_clicked);
    connect(m_previousButton, &QPushButton::clicked, this, &PlayerTool::on_previousButton_clicked);
    connect(m_playButton, &QPushButton::clicked, this, &PlayerTool::on_playButton_clicked);
    connect(m_nextButton, &QPushButton::clicked, this, &PlayerTool::on_nextButton_clicked);
    connect(m_volumeButton, &QPushButton::clicked, this, &PlayerTool::on_volumeButton_clicked);
    connect(m_playSpeedButton, &QPushButton::clicked, this,
            &PlayerTool::on_playSpeedButton_clicked);
    connect(m_fullButton, &QPushButton::clicked, this, &PlayerTool::on_fullButton_clicked);
    connect(m_play360, &QPushButton::clicked, this, &PlayerTool::on_play360_clicked);
}

void PlayerTool::setupPlayer()
{
    m_awake = new AwakeLock(this);
    m_player = new OrbPlayer(this);
    connect(m_player, &OrbPlayer::durationChanged, this, &PlayerTool::durationChanged);
    connect(m_player, &OrbPlayer::positionChanged, this, &PlayerTool::positionChanged);
    connect(m_player, &OrbPlayer::displayErrorMessage, this, &PlayerTool::displayErrorMessage);
    connect(m_player, &OrbPlayer::metaDataChanged, this, &PlayerTool::metaDataChanged);
    connect(m_player, &OrbPlayer::playbackStateChange, this, &PlayerTool::playbackStateChange);
    connect(m_slider, &QSlider::sliderMoved, this, &PlayerTool::sliderMoved);
    connect(m_slider, &VideoSlider::orbsliderPressed, this, &PlayerTool::sliderPressed);
    connect(m_slider, &VideoSlider::orbsliderReleased, this, &PlayerTool::sliderReleased);
    connect(AppManager::instance(), &AppManager::changeEventLimits, this, &PlayerTool::findEvents);
    // Speeding peaks are shown in the speed unit.
    connect(AppManager::instance(), &AppManager::changeSpeedUnitType, this,
            &PlayerTool::markEvents);
}

void PlayerTool::retranslate()
{
    setWindowTitle(tr("Form"));
    const QString tips[] = {
        tr("<html><head/><body><p><span style=\" color:#ffffff;\">缩小</span></p></body></html>"),
        tr("<html><head/><body><p><span style=\" color:#ffffff;\">放大</span></p></body></html>"),
        tr("<html><head/><body><p><span style=\" color:#ffffff;\">抓图</span></p></body></html>"),
        tr("<html><head/><body><p><span style=\" "
           "color:#ffffff;\">视频编辑</span></p></body></html>"),
        tr("<html><head/><body><p><span style=\" color:#ffffff;\">调色</span></p></body></html>"),
        tr("<html><head/><body><p><span style=\" "
           "color:#ffffff;\">循环播放</span></p></body></html>"),
        tr("<html><head/><body><p><span style=\" color:#ffffff;\">上一段</span></p></body></html>"),
        tr("<html><head/><body><p><span style=\" "
           "color:#ffffff;\">播放/暂停</span></p></body></html>"),
        tr("<html><head/><body><p><span style=\" color:#ffffff;\">下一段</span></p></body></html>"),
        tr("<html><head/><body><p><span style=\" color:#ffffff;\">音量</span></p></body></html>"),
        tr("<html><head/><body><p><span style=\" "
           "color:#ffffff;\">播放速度</span></p></body></html>"),
        tr("<html><head/><body><p><span style=\" "
           "color:#ffffff;\">全屏/退出全屏</span></p></body></html>"),
        tr("<html><head/><body><p><span style=\" "
           "color:#ffffff;\">全景模式</span></p></body></html>"),
    };
    for (int i = 0; i < m_buttons.size(); ++i)
        m_buttons[i]->setToolTip(tips[i]);
    // The loop button's tip says what it does now once the user has chosen.
    if (m_replayButton->isChecked())
        m_replayButton->setToolTip(tr("one_play"));
    if (m_starLabel->text().isEmpty() || m_duration == 0) {
        m_starLabel->setText(tr("00:00"));
        m_endLabel->setText(tr("00:00"));
    }
}

QString PlayerTool::timeText(qint64 milliseconds)
{
    const qint64 minutes = milliseconds / 60000;
    const qint64 seconds = milliseconds / 1000 - minutes * 60;
    return QStringLiteral("%1:%2").arg(minutes, 2, 10, QChar('0')).arg(seconds, 2, 10, QChar('0'));
}

bool PlayerTool::hasOpenChannel() const
{
    return m_player->masterChannel() != nullptr;
}

bool PlayerTool::hasEmbeddedPopup() const
{
    // A popup hidden under the bar's feet (the cut dialog hides its own in full
    // screen) is not open: a press must not be spent closing it.
    const auto shown = [](const QPointer<QWidget> &popup) { return popup && !popup->isHidden(); };
    return shown(m_panoramaPopup) || shown(m_speedPopup) || shown(m_soundPopup)
        || shown(m_cutPopup);
}

void PlayerTool::pause()
{
    m_player->pause();
}

void PlayerTool::togglePlayPause()
{
    if (!hasOpenChannel())
        return;
    if (m_player->state() == Playing)
        m_player->pause();
    else
        m_player->play();
}

void PlayerTool::stop()
{
    m_player->closeAll();
}

bool PlayerTool::isPlaying() const
{
    return hasOpenChannel() && m_player->state() == Playing;
}

void PlayerTool::setZoomButtonsHidden(bool hidden)
{
    m_scaleBig->setHidden(hidden);
    m_scaleSmall->setHidden(hidden);
}

void PlayerTool::setZoomButtonsEnabled(bool enabled)
{
    m_scaleBig->setEnabled(enabled);
    m_scaleSmall->setEnabled(enabled);
}

void PlayerTool::setPanoramaButtonEnabled(bool enabled)
{
    m_play360->setEnabled(enabled);
}

void PlayerTool::clearPopupReferences()
{
    m_panoramaPopup = nullptr;
    m_speedPopup = nullptr;
    m_soundPopup = nullptr;
    m_cutPopup = nullptr;
}

void PlayerTool::resetProgress()
{
    m_groupPlayed = false;
    m_slider->setValue(0);
    m_starLabel->setText("00:00");
    // The next group's record brings its own events.
    showEvents({});
}

void PlayerTool::uncheckFullButton()
{
    m_fullButton->setChecked(false);
}

void PlayerTool::setEmbedded(bool embedded)
{
    m_embedded = embedded;
    update();
}

void PlayerTool::handleRecordsDeleted(bool isDel, bool isAll, DbModel *record, QWidget *widget)
{
    bool playing = isAll;
    for (const DbModel *model : qAsConst(m_groupList))
        playing = playing || (record && (model == record || model->path == record->path));
    if (playing) {
        m_player->clearChannels();
        changeAllState(false);
        m_groupList.clear();
        // The record described the recording that is gone: announcing it again
        // would show a deleted file's track.
        m_currentRecord = nullptr;
        findEvents();
        if (widget)
            widget->show();
    }
    qDebug() << "删除完毕";
    if (isDel && m_currentRecord)
        emit starPlayNotification(m_currentRecord);
}

void PlayerTool::changeAllState(bool state)
{
    for (QPushButton *button : qAsConst(m_buttons)) {
        if (button != m_play360 || !state)
            button->setEnabled(state);
        button->setFocusPolicy(Qt::NoFocus);
        button->clearFocus();
    }
    m_slider->setEnabled(state);
    m_slider->setFocusPolicy(Qt::NoFocus);
    m_slider->clearFocus();
}

bool PlayerTool::holdsPopup() const
{
    return m_panoramaPopup || m_speedPopup || m_soundPopup || m_cutPopup;
}

void PlayerTool::closeEmbeddedPopups()
{
    if (holdsPopup() && m_renderView)
        m_renderView->closePopupViews();
}

bool PlayerTool::popupPressCloses()
{
    const bool anyShown = hasEmbeddedPopup();
    if (m_embedded && holdsPopup()) {
        if (m_renderView)
            m_renderView->closePopupViews();
        clearPopupReferences();
        if (anyShown)
            return true;
    }
    emit hideShowHud();
    return false;
}

void PlayerTool::showPrompt(const QString &text)
{
    QWidget *host = m_renderView ? static_cast<QWidget *>(m_renderView) : window();
    auto *hud = new HudView(1, text, false, 0, host);
    hud->show();
}

bool PlayerTool::saveFolderUsable() const
{
    const QString folder = Settings::saveFolder().get();
    return !folder.isEmpty() && QFileInfo(folder).isDir();
}

void PlayerTool::checkSavePath()
{
    //: 文件保存路径不存在,请再次设置路径
    showPrompt(tr("saveFilePath_noSet"));
}

QLabel *PlayerTool::embeddedContainer(const QSize &size, const QString &background)
{
    auto *label = new QLabel(m_renderView);
    label->setObjectName("closeView");
    label->resize(size);
    if (!background.isEmpty()) {
        label->setScaledContents(true);
        label->setPixmap(QPixmap(":/Resources/PlayTool/" + background));
    }
    return label;
}

QDialog *PlayerTool::windowContainer(const QString &name,
                                     const QSize &size,
                                     bool withBackground,
                                     const QString &background)
{
    auto *dialog = new RoundedDialog(this);
    dialog->setObjectName(name);
    dialog->setWindowFlags(PopupFlags);
    dialog->resize(size);
    if (withBackground) {
        auto *label = new QLabel(dialog);
        label->setScaledContents(true);
        label->setPixmap(QPixmap(":/Resources/PlayTool/" + background));
        label->resize(size);
    }
    connect(dialog, &QDialog::finished, dialog, &QObject::deleteLater);
    return dialog;
}

QPoint PlayerTool::windowPosition(QPushButton *button, const QSize &panel, bool colour) const
{
    const QWidget *w = window();
    const QPoint b = button->mapTo(this, QPoint(0, 0));
    const bool full = w->isFullScreen();
    const int t = full ? 0 : style()->pixelMetric(QStyle::PM_TitleBarHeight);
    int x = b.x() + button->width() + w->x() - panel.width() / 2;
    int y;
    if (colour) {
        y = full ? w->y() + this->y() - panel.height() : w->y() + t + this->y() + height();
        if (this->x() > 0)
            y = this->y() - panel.height();
    } else if (this->x() <= 0) {
        // Right above the bar, measured on the screen: a guessed title-bar
        // height put the panel over the bar where the frame differs.
        x = button->mapToGlobal(QPoint(button->width(), 0)).x() - panel.width() / 2;
        y = mapToGlobal(QPoint(0, 0)).y() - panel.height();
    } else {
        y = this->y() - panel.height();
    }
    return {x, y};
}

QPoint PlayerTool::embeddedPosition(QPushButton *button, const QSize &panel, bool colour) const
{
    const QPoint b = button->mapTo(this, QPoint(0, 0));
    int x = b.x() + button->width() - panel.width() / 2;
    const int area = colour ? window()->height() : (m_renderView ? m_renderView->height() : 0);
    if (colour)
        x += window()->x();
    return {x, area - height() - panel.height() - 20};
}

void PlayerTool::on_playSpeedButton_clicked()
{
    if (!hasOpenChannel() || popupPressCloses())
        return;
    const QSize size(90, 260);
    const double rate = m_player->masterChannel()->rate();
    QWidget *container;
    if (m_embedded && m_renderView) {
        container = embeddedContainer(size, "beishu.png");
        container->move(embeddedPosition(m_playSpeedButton, size, false));
        m_speedPopup = container;
    } else {
        container = windowContainer("speedHUD", size, true, "beishu.png");
        container->move(windowPosition(m_playSpeedButton, size, false));
    }
    auto *panel = new SpeedPlayWidget(rate, container);
    panel->resize(size);
    connect(panel, &SpeedPlayWidget::speedPlayChangedNotification, this, &PlayerTool::speedChosen);
    container->show();
}

void PlayerTool::speedChosen(double value)
{
    qDebug() << "设置被速播放";
    m_player->setRate(value);
    QString icon = "1X.png";
    if (value == 0.5)
        icon = "0.5X.png";
    else if (value == 0.25)
        icon = "0.25X.png";
    else if (value == 2)
        icon = "2X.png";
    else if (value == 4)
        icon = "4X.png";
    m_playSpeedButton->setIcon(QIcon(":/Resources/PlayTool/" + icon));
    emit setSpeedPlay();
}

void PlayerTool::on_volumeButton_clicked()
{
    if (!hasOpenChannel() || popupPressCloses())
        return;
    const double volume = m_player->masterChannel()->volume() / 100.0;
    QWidget *container;
    if (m_embedded && m_renderView) {
        const QSize size(70, 262);
        container = embeddedContainer(size, QString());
        container->setStyleSheet(QStringLiteral("background: %1; border-radius: 15px;")
                                     .arg(Palette::css(Palette::popupBackground())));
        container->move(embeddedPosition(m_volumeButton, size, false));
        m_soundPopup = container;
    } else {
        const QSize size(70, 262);
        container = windowContainer("soundHUD", size, false, QString());
        container->move(windowPosition(m_volumeButton, size, false));
    }
    auto *panel = new VolumeWidget(volume, container);
    panel->resize(container->size());
    connect(panel, &VolumeWidget::valuePlayChangedNotification, m_player, &OrbPlayer::setVolume);
    container->show();
}

void PlayerTool::on_colorButton_clicked()
{
    if (!hasOpenChannel() || popupPressCloses())
        return;
    const QSize size(270, 165);
    if (m_embedded && m_renderView) {
        QLabel *container = embeddedContainer(size, QString());
        auto *panel = new ChangeColorWidget(container);
        panel->setWindowFlags(Qt::Widget);
        panel->setObjectName("colorHUD");
        container->move(embeddedPosition(m_colorButton, size, true));
        m_soundPopup = container;
        container->show();
        panel->show();
        return;
    }
    auto *panel = new ChangeColorWidget(this);
    panel->setObjectName("colorHUD");
    panel->move(windowPosition(m_colorButton, size, true));
    panel->show();
}

void PlayerTool::on_play360_clicked()
{
    if (AppManager::instance()->playerType() == PlayerType::NativeWindow) {
        showPrompt(tr("userTapToolButtonChangeModel"));
        return;
    }
    if (!hasOpenChannel() || popupPressCloses())
        return;
    const QSize size(90, 280);
    QWidget *container;
    if (m_embedded && m_renderView) {
        container = embeddedContainer(size, "beishu.png");
        container->move(embeddedPosition(m_play360, size, false));
        m_panoramaPopup = container;
    } else {
        container = windowContainer("speedHUD", size, true, "beishu.png");
        container->move(windowPosition(m_play360, size, false));
    }
    auto *panel = new Video360ModelType(choiceNumber(AppManager::instance()->panoramaModelType()),
                                        container);
    panel->resize(size);
    connect(panel, &Video360ModelType::Video360ModelTypeChangedNotification, this,
            &PlayerTool::panoramaChosen);
    container->show();
}

void PlayerTool::panoramaChosen(double value)
{
    qDebug() << "设置360模式播放";
    const int mode = int(value);
    QString icon = "model02.png";
    QSize size(25, 25);
    if (mode >= 1 && mode <= 3) {
        icon = QStringLiteral("model") + QString::number(mode) + QStringLiteral("2.png");
    } else if (mode == 4) {
        icon = "model42.png";
        size = QSize(40, 30);
    }
    m_play360->setIcon(QIcon(":/Resources/PlayTool/" + icon));
    m_play360->setIconSize(size);
    AppManager::instance()->setPanoramaModelType(static_cast<PanoramaMode>(mode));
    emit set3DPlayType(value);
}

void PlayerTool::on_cutButton_clicked()
{
    if (popupPressCloses())
        return;
    if (!saveFolderUsable()) {
        checkSavePath();
        return;
    }
    if (!m_currentRecord)
        return;
    m_player->pause();
    if (m_embedded && m_renderView) {
        qDebug() << "ghuihujhuijhuihjuj:::::";
        const QSize size(595, 372);
        QLabel *container = embeddedContainer(size, "cutImage.png");
        auto *edit = new VideoEdit(m_currentRecord, m_renderView, container);
        edit->resize(size);
        container->move((m_renderView->width() - size.width()) / 2,
                        (m_renderView->height() - size.height()) / 2);
        m_cutPopup = container;
        container->show();
        return;
    }
    auto *dialog = new RoundedDialog(this);
    // A dialog, not a popup: a popup closes as soon as the cut's loading layer
    // takes the focus, and the cut's result would never be reported.
    dialog->setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint
                           | Qt::NoDropShadowWindowHint);
    dialog->setModal(true);
    auto *layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *edit = new VideoEdit(m_currentRecord, dialog, dialog);
    layout->addWidget(edit);
    dialog->adjustSize();
    connect(dialog, &QDialog::finished, dialog, &QObject::deleteLater);
    QWidget *host = m_hostWidget ? m_hostWidget : window();
    const QPoint origin = host->isWindow() ? host->pos() : host->mapToGlobal(QPoint(0, 0));
    const int x = origin.x() + (host->width() - dialog->width()) / 2;
    const int y = origin.y() + (host->height() - dialog->height()) / 2;
    qDebug() << x << "::::::" << y;
    dialog->move(x, y);
    dialog->open();
}

void PlayerTool::on_imageButton_clicked()
{
    closeEmbeddedPopups();
    if (!saveFolderUsable()) {
        checkSavePath();
        return;
    }
    if (m_captureThread || (!m_currentRecord && m_player->currentUrl().isEmpty()))
        return;
    m_imageButton->setEnabled(false);
    if (parentWidget())
        parentWidget()->setAttribute(Qt::WA_TransparentForMouseEvents, true);
    auto *model = new CmdModel(CmdModel::Still);
    model->capturePosition = QString::number(m_currentSecond + 1);
    model->inputPath = m_currentRecord ? m_currentRecord->path : m_player->currentUrl();
    m_captureThread.reset(new FFmpegThread(model));
    model->setParent(m_captureThread.get());
    if (m_currentRecord && Settings::cutOverlay().get() == 1) {
        // The cut dialog's overlay choice captions the still the same way.
        AppManager *app = AppManager::instance();
        const int second = m_currentSecond + 1;
        const QString script = CutOverlay::assScript(*m_currentRecord, second, second + 1,
                                                     choiceNumber(app->speedUnitType()),
                                                     choiceNumber(app->longOrLatType()));
        CutOverlay::attachScript(model, script);
    }
    m_captureModel = model;
    connect(m_captureThread.get(), &FFmpegThread::taskFinishedForThumbPictrue, this,
            &PlayerTool::captureFinished);
    m_captureThread->start(QThread::InheritPriority);
}

void PlayerTool::captureFinished(bool isOk)
{
    if (!m_captureThread)
        return;
    if (!isOk) {
        qDebug() << "剪辑失败命令：" << m_captureModel->createCmdString();
        qDebug() << (QFileInfo::exists(m_captureModel->outputPath) ? "剪辑失败命令：文件存在"
                                                                   : "剪辑失败命令：文件不存在");
    }
    const bool noProgram = m_captureThread->programNotStarted();
    // The signal is the thread's last act: letting go only waits for run() to return.
    m_captureThread.reset();
    m_captureModel = nullptr;
    m_imageButton->setEnabled(true);
    if (parentWidget())
        parentWidget()->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    if (isOk) {
        //: 抓图成功
        showPrompt(tr("cutimage_Success"));
    } else if (noProgram) {
        //: 未找到 ffmpeg
        showPrompt(FFmpegThread::tr("ffmpeg_not_found"));
    } else {
        //: 抓图失败
        showPrompt(tr("cutimage_fail"));
    }
}

void PlayerTool::on_playButton_clicked(bool checked)
{
    closeEmbeddedPopups();
    if (checked) {
        m_player->play();
        qDebug() << "点击后需要播放";
    } else {
        m_player->pause();
        qDebug() << "点击后需要暂停";
    }
}

void PlayerTool::on_replayButton_clicked(bool checked)
{
    closeEmbeddedPopups();
    if (checked) {
        //: 单曲播放
        m_replayButton->setToolTip(tr("one_play"));
        qDebug() << "点击后需要重复播放";
    } else {
        //: 顺序播放
        m_replayButton->setToolTip(tr("list_play"));
        qDebug() << "点击后需要顺序播放";
    }
}

void PlayerTool::on_previousButton_clicked()
{
    closeEmbeddedPopups();
    if (m_slider->value() > 0)
        emit previousButton(m_player->currentUrl());
}

void PlayerTool::on_nextButton_clicked()
{
    closeEmbeddedPopups();
    if (m_slider->value() > 0)
        emit nextButton(m_player->currentUrl(), false);
}

void PlayerTool::on_scaleBig_clicked()
{
    closeEmbeddedPopups();
    emit scaleChange(true);
}

void PlayerTool::on_scaleSmall_clicked()
{
    closeEmbeddedPopups();
    emit scaleChange(false);
}

void PlayerTool::on_fullButton_clicked(bool checked)
{
    closeEmbeddedPopups();
    emit postFullSignals(checked);
}

void PlayerTool::durationChanged(qint64 duration)
{
    m_duration = duration;
    m_slider->setMaximum(int(qMin<qint64>(duration, INT_MAX)));
}

void PlayerTool::positionChanged(qint64 progress)
{
    m_groupPlayed = true;
    if (m_slider->isSliderDown())
        return;
    m_slider->setValue(int(qMin<qint64>(progress, INT_MAX)));
    emit currentPlayTime(int(progress / 1000));
    updateDurationInfo(progress);
}

void PlayerTool::updateDurationInfo(qint64 currentInfo)
{
    m_currentSecond = int(currentInfo / 1000);
    m_starLabel->setText(timeText(currentInfo));
    m_endLabel->setText(timeText(m_duration));
}

void PlayerTool::displayErrorMessage()
{
    qDebug() << "播放错误";
    emit postPlayErrorMessage();
}

void PlayerTool::metaDataChanged(VideoMessage *model)
{
    m_currentRecord = model;
    qDebug() << "metaDataChanged starPlayNotification:";
    emit starPlayNotification(model);
    // Again when the telemetry read late arrives: the record now has samples.
    findEvents();
}

void PlayerTool::findEvents()
{
    showEvents(m_currentRecord ? EventTimeline::detect(*m_currentRecord)
                               : QVector<TelemetryEvent>());
}

void PlayerTool::showEvents(const QVector<TelemetryEvent> &events)
{
    m_events = events;
    markEvents();
    emit eventsFound(m_events);
}

void PlayerTool::markEvents()
{
    const int unit = choiceNumber(AppManager::instance()->speedUnitType());
    QVector<VideoSlider::Mark> marks;
    for (const TelemetryEvent &event : qAsConst(m_events))
        marks.append({int(qMin<qint64>(qint64(event.second) * 1000, INT_MAX)),
                      Palette::eventMark(int(event.kind)), EventTimeline::toolTip(event, unit)});
    m_slider->setMarks(marks);
}

void PlayerTool::seekToNextEvent()
{
    const int second = EventTimeline::jumpSecond(m_events, m_currentSecond, true);
    if (second >= 0)
        seekToSecond(second);
}

void PlayerTool::seekToPreviousEvent()
{
    const int second = EventTimeline::jumpSecond(m_events, m_currentSecond, false);
    if (second >= 0)
        seekToSecond(second);
}

void PlayerTool::playbackStateChange(PlayObjectState state)
{
    // The screen may blank and the system sleep unless a recording plays.
    m_awake->setHeld(state == Playing);
    switch (state) {
    case Playing:
        changeAllState(true);
        qDebug() << "播放器状态：播放";
        break;
    case Paused:
        qDebug() << "播放器状态：暂停";
        break;
    case Stopped:
        m_slider->setValue(0);
        m_starLabel->setText("00:00");
        qDebug() << "播放器状态：停止";
        break;
    case Error:
        qDebug() << "媒体状态：libvlc_Error";
        m_player->closeAll();
        changeAllState(false);
        break;
    case Ended:
        qDebug() << "播放器状态：end";
        if (!m_groupPlayed) {
            // libVLC ends a file it cannot read without an error. Going on as
            // after a played one would spin through a list of such files (or
            // one file on loop) for ever, and the list, locked until a group
            // plays, would never take another click: end it as an error.
            qDebug() << "ended before playing: not readable";
            m_player->closeAll();
            changeAllState(false);
            emit postPlayErrorMessage();
            break;
        }
        if (m_replayButton->isChecked())
            emit sameButton(m_player->currentUrl());
        else
            emit nextButton(m_player->currentUrl(), true);
        break;
    default:
        break;
    }
    m_playButton->setChecked(state == Playing);
}

void PlayerTool::sliderPressed()
{
    m_player->pause();
    emit currentPlayTime(m_slider->sliderPosition() / 1000);
    updateDurationInfo(m_slider->sliderPosition());
}

void PlayerTool::sliderMoved(int value)
{
    emit currentPlayTime(value / 1000);
    updateDurationInfo(value);
}

void PlayerTool::seekToSecond(int second)
{
    const qint64 milliseconds = qint64(second) * 1000;
    if (!hasOpenChannel() || second < 0 || (m_duration > 0 && milliseconds >= m_duration))
        return;
    qDebug() << "seekMap:" << milliseconds;
    m_player->setTime(int(milliseconds));
    m_slider->setValue(int(milliseconds));
    emit currentPlayTime(second);
    updateDurationInfo(milliseconds);
}

void PlayerTool::sliderReleased()
{
    qDebug() << "seekUser:" << m_slider->sliderPosition();
    m_player->setTime(m_slider->sliderPosition());
    m_player->play();
}

void PlayerTool::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    // Embedded, the bar lies over the video and lets some of it through.
    const QColor background = Palette::videoBackground();
    painter.fillRect(rect(), m_embedded ? Palette::withAlpha(background, 204) : background);
    ControlBarInterface::paintEvent(event);
}

void PlayerTool::resizeEvent(QResizeEvent *event)
{
    ControlBarInterface::resizeEvent(event);
}

void PlayerTool::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    ControlBarInterface::changeEvent(event);
}
