#include "edit/VideoEdit.h"

#include "app/AppManager.h"
#include "app/Helpers.h"
#include "app/Settings.h"
#include "controls/HudDialog.h"
#include "controls/HudView.h"
#include "controls/Palette.h"
#include "controls/StyleSheets.h"
#include "edit/CutOverlay.h"
#include "edit/CutSizeEstimate.h"
#include "edit/LeftView.h"
#include "edit/RightView.h"
#include "library/CmdModel.h"
#include "library/FFmpegThread.h"
#include "library/VideoMessage.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDebug>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace {
const int HandleHeight = 70;
} // namespace

VideoEdit::VideoEdit(VideoMessage *record, QObject *owner, QWidget *parent)
    : QWidget(parent)
    , m_record(record)
    , m_owner(owner)
{
    buildForm();
    setupModel();
    setupConnections();
}

VideoEdit::~VideoEdit()
{
    if (m_thread) {
        // A cut still running lives on, with its copy of the job, until ffmpeg
        // ends; the window must not stay deaf to the mouse after the dialog is gone.
        disconnect(m_thread.get(), nullptr, this, nullptr);
        letThreadFinish(m_thread.release());
        releaseWindow();
        if (m_loadingHud)
            m_loadingHud->close();
    }
    m_model->deleteLater();
    qDebug() << "VideoEdit销毁";
}

void VideoEdit::buildForm()
{
    setObjectName(QStringLiteral("VideoEdit"));
    setWindowTitle(tr("Form"));
    resize(595, 372);
    setMinimumSize(595, 372);
    setFocusPolicy(Qt::NoFocus);
    setStyleSheet(StyleSheets::fontRules(StyleSheets::pageFamily()));

    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(tr("视频编辑"), this);
    title->setObjectName(QStringLiteral("title"));
    title->setStyleSheet(StyleSheets::fontSize(21));
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    layout->addWidget(buildRangeRow());
    layout->addWidget(separator(QStringLiteral("label"), 2));
    layout->addWidget(buildTrackRow());
    layout->addWidget(separator(QStringLiteral("label_2"), 2));
    layout->addWidget(buildResolutionRow());
    layout->addWidget(buildTelemetryRow());
    layout->addWidget(separator(QStringLiteral("label_3"), 2));
    layout->addWidget(buildActionRow());
}

QLabel *VideoEdit::separator(const QString &name, int height)
{
    auto *line = new QLabel(this);
    line->setObjectName(name);
    line->setFixedHeight(height);
    line->setPixmap(QPixmap(QStringLiteral(":/Resources/PlayTool/line.png")));
    line->setScaledContents(true);
    return line;
}

QWidget *VideoEdit::buildRangeRow()
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    const QString labelStyle = StyleSheets::text(Palette::withAlpha(Palette::popupText(), 180), 12);
    m_startLabel = new QLabel(tr("00:00"), row);
    m_startLabel->setObjectName(QStringLiteral("starLabel"));
    m_endLabel = new QLabel(row);
    m_endLabel->setObjectName(QStringLiteral("endLabel"));
    for (QLabel *label : {m_startLabel, m_endLabel}) {
        label->setMinimumWidth(60);
        label->setMaximumWidth(100);
        label->setStyleSheet(labelStyle);
        label->setAlignment(Qt::AlignCenter);
    }

    m_progressWidget = new QWidget(row);
    m_progressWidget->setObjectName(QStringLiteral("progressWidget"));
    m_progressWidget->setFixedHeight(HandleHeight);
    // The handles are free children laid over the bar: they set their own
    // geometry while dragged, which a layout would undo.
    auto *barLayout = new QHBoxLayout(m_progressWidget);
    barLayout->setContentsMargins(10, 0, 10, 0);
    m_bar = new QWidget(m_progressWidget);
    m_bar->setObjectName(QStringLiteral("widget_12"));
    m_bar->setFixedHeight(20);
    m_bar->setAttribute(Qt::WA_StyledBackground);
    m_bar->setStyleSheet(QStringLiteral("background: %1;").arg(StyleSheets::highlightGradient()));
    barLayout->addWidget(m_bar, 1);

    m_left = new LeftView(m_progressWidget);
    m_left->setObjectName(QStringLiteral("left"));
    m_left->setMinimumSize(36, HandleHeight);
    m_left->setMaximumSize(QWIDGETSIZE_MAX, HandleHeight);
    m_right = new RightView(m_progressWidget);
    m_right->setObjectName(QStringLiteral("right"));
    m_right->setMinimumSize(36, HandleHeight);
    m_right->setMaximumSize(QWIDGETSIZE_MAX, HandleHeight);
    m_left->setGeometry(0, 0, 36, HandleHeight);
    m_right->setGeometry(0, 0, 36, HandleHeight);

    layout->addWidget(m_startLabel);
    layout->addWidget(m_progressWidget, 1);
    layout->addWidget(m_endLabel);
    return row;
}

QWidget *VideoEdit::buildTrackRow()
{
    auto *row = new QWidget(this);
    auto *layout = new QVBoxLayout(row);
    auto *videoTitle = new QLabel(tr("视频轨迹"), row);
    videoTitle->setObjectName(QStringLiteral("videoTitle"));
    videoTitle->setStyleSheet(StyleSheets::fontSize(21));
    layout->addWidget(videoTitle);

    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(50);
    m_videoButton = new QToolButton(row);
    m_videoButton->setObjectName(QStringLiteral("videoButton"));
    m_videoButton->setText(tr("  视频轨道"));
    m_audioButton = new QToolButton(row);
    m_audioButton->setObjectName(QStringLiteral("audioButton"));
    m_audioButton->setText(tr("  音频轨道"));
    for (QToolButton *button : {m_videoButton, m_audioButton}) {
        button->setCheckable(true);
        button->setChecked(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setStyleSheet(StyleSheets::borderlessText(12));
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);
    updateTrackIcons();
    return row;
}

QWidget *VideoEdit::buildResolutionRow()
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    // The dialog's fixed height leaves the row no more than the buttons' own.
    const QMargins sides = layout->contentsMargins();
    layout->setContentsMargins(sides.left(), 0, sides.right(), 0);
    m_buttonOriginal = new QPushButton(row);
    m_buttonOriginal->setObjectName(QStringLiteral("buttonOriginal"));
    m_button720 = new QPushButton(row);
    m_button720->setObjectName(QStringLiteral("button720"));
    m_button720->setFocusPolicy(Qt::NoFocus);
    m_resolutionGroup = new QButtonGroup(this);
    m_resolutionGroup->setObjectName(QStringLiteral("buttonGroupResolution"));
    for (QPushButton *button : {m_buttonOriginal, m_button720}) {
        button->setMinimumSize(244, 50);
        button->setFixedHeight(50);
        m_resolutionGroup->addButton(button);
        layout->addWidget(button);
    }
    m_buttonOriginal->setStyleSheet(createdResolutionButtonStyleString(true));
    m_button720->setStyleSheet(createdResolutionButtonStyleString(false));
    return row;
}

QWidget *VideoEdit::buildTelemetryRow()
{
    auto *row = new QWidget(this);
    auto *layout = new QVBoxLayout(row);
    m_overlayButton = new QToolButton(row);
    m_overlayButton->setObjectName(QStringLiteral("overlayButton"));
    //: cut option: burn speed, time and position into the picture
    m_overlayButton->setText(tr("Show speed, time and position on the video"));
    m_trackButton = new QToolButton(row);
    m_trackButton->setObjectName(QStringLiteral("trackButton"));
    //: cut option: write GPX and CSV of the range next to the cut
    m_trackButton->setText(tr("Save the track beside the cut"));
    for (QToolButton *button : {m_overlayButton, m_trackButton}) {
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setStyleSheet(StyleSheets::borderlessText(12));
        layout->addWidget(button);
    }
    m_overlayButton->setChecked(Settings::cutOverlay().get() == 1);
    return row;
}

QWidget *VideoEdit::buildActionRow()
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    m_cancelButton = new QPushButton(row);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_cancelButton->setIcon(QIcon(QStringLiteral(":/Resources/PlayTool/cancel.png")));
    m_sureButton = new QPushButton(row);
    m_sureButton->setObjectName(QStringLiteral("sureButton"));
    m_sureButton->setIcon(QIcon(QStringLiteral(":/Resources/PlayTool/sure.png")));
    auto *line = new QLabel(row);
    line->setFixedWidth(2);
    line->setPixmap(QPixmap(QStringLiteral(":/Resources/PlayTool/line3.png")));
    line->setScaledContents(true);
    for (QPushButton *button : {m_cancelButton, m_sureButton}) {
        button->setMaximumSize(80, 45);
        button->setIconSize(QSize(60, 30));
        button->setFocusPolicy(Qt::NoFocus);
        button->setStyleSheet(StyleSheets::noBorder());
    }
    layout->addStretch(1);
    layout->addWidget(m_cancelButton);
    layout->addWidget(line);
    layout->addWidget(m_sureButton);
    layout->addStretch(1);
    return row;
}

void VideoEdit::setupModel()
{
    m_model = new CmdModel(CmdModel::Cut);
    m_model->inputPath = m_record->path;
    m_duration = m_record->duration.toInt();
    m_model->endSecond = m_duration;
    m_model->bitRate = m_record->videoBitRate;
    m_rate720 = CutSizeEstimate::rate720(m_record->videoBitRate, m_record->width);

    m_endLabel->setText(formatPlayTime(m_duration));
    if (m_record->audioBitRate.isEmpty()) {
        m_audioButton->setEnabled(false);
        m_audioButton->setChecked(false);
        m_model->hasAudio = false;
    }
    if (m_record->videoBitRate.isEmpty()) {
        m_videoButton->setEnabled(false);
        m_videoButton->setChecked(false);
        m_buttonOriginal->setEnabled(false);
        m_button720->setEnabled(false);
        m_overlayButton->setEnabled(false);
        m_model->hasVideo = false;
    }
    updateTrackIcons();
    refreshSizes();
}

void VideoEdit::setupConnections()
{
    connect(m_left, &LeftView::scrollChangeVaule, this, [this](int second) {
        m_model->startSecond = second;
        refreshSizes();
    });
    connect(m_right, &RightView::scrollChangeVaule, this, [this](int second) {
        m_model->endSecond = second;
        refreshSizes();
    });
    connect(m_left, &LeftView::scrollFinish, m_right, &RightView::scrollFinishSlots);
    connect(m_right, &RightView::scrollFinish, m_left, &LeftView::scrollFinishSlots);
    connect(m_resolutionGroup, QOverload<QAbstractButton *>::of(&QButtonGroup::buttonClicked), this,
            &VideoEdit::onResolutionChosen);
    connect(m_videoButton, &QToolButton::clicked, this, &VideoEdit::on_videoButton_clicked);
    connect(m_audioButton, &QToolButton::clicked, this, &VideoEdit::on_audioButton_clicked);
    connect(m_overlayButton, &QToolButton::clicked, this, [this](bool checked) {
        // The still of the control bar follows the same choice.
        Settings::cutOverlay().set(checked ? 1 : 0);
        updateTrackIcons();
    });
    connect(m_trackButton, &QToolButton::clicked, this, [this] { updateTrackIcons(); });
    connect(m_cancelButton, &QPushButton::clicked, this, &VideoEdit::on_cancelButton_clicked);
    connect(m_sureButton, &QPushButton::clicked, this, &VideoEdit::on_sureButton_clicked);
}

void VideoEdit::showEvent(QShowEvent *event)
{
    m_progressWidget->layout()->activate();
    const int width = m_progressWidget->width();
    const int y = (m_progressWidget->height() - m_left->height()) / 2;
    for (auto *handle : {static_cast<QWidget *>(m_left), static_cast<QWidget *>(m_right)})
        handle->resize(36, HandleHeight);
    m_left->duration = m_right->duration = float(m_duration);
    m_left->move(0, y);
    m_right->move(width - m_right->width(), y);
    m_left->setTrackWidth(width);
    m_right->setTrackWidth(width);
    QWidget::showEvent(event);
}

void VideoEdit::refreshSizes()
{
    const int seconds = m_model->endSecond - m_model->startSecond;
    createdCutSizeShowTextForOriginalButton(seconds);
    createdCutSizeShowTextFor720PButton(seconds);
}

void VideoEdit::updateTrackIcons()
{
    for (QToolButton *button : {m_videoButton, m_audioButton, m_overlayButton, m_trackButton}) {
        if (!button)
            continue; // still being built
        button->setIcon(QIcon(button->isChecked()
                                  ? QStringLiteral(":/Resources/PlayTool/selected.png")
                                  : QStringLiteral(":/Resources/PlayTool/selecting.png")));
    }
}

QString VideoEdit::createdResolutionButtonStyleString(bool isSelected)
{
    return isSelected
        ? StyleSheets::imageButton(QStringLiteral(":/Resources/PlayTool/buttonImage.png"),
                                   Palette::accentText(), 12)
        : StyleSheets::imageButton(QStringLiteral(":/Resources/PlayTool/buttonImahe1.png"),
                                   Palette::popupText(), 12);
}

void VideoEdit::createdCutSizeShowTextForOriginalButton(int second)
{
    const QString value = CutSizeEstimate::originalText(
        m_record->videoBitRate, m_record->audioBitRate, m_record->size, m_duration,
        m_model->hasVideo, m_model->hasAudio, second);
    m_buttonOriginal->setText(
        QStringLiteral("%1%2").arg(tr("Original Resolution", "原始解析度 "), value)
        + QStringLiteral("Mb"));
}

void VideoEdit::createdCutSizeShowTextFor720PButton(int second)
{
    const QString value
        = CutSizeEstimate::text720(m_record->videoBitRate, m_record->audioBitRate, m_record->width,
                                   m_model->hasVideo, m_model->hasAudio, second);
    m_button720->setText(QStringLiteral("720P %1").arg(value) + QStringLiteral("Mb"));
}

void VideoEdit::on_audioButton_clicked()
{
    m_model->hasAudio = m_audioButton->isChecked();
    // Never both tracks off: dropping one locks the other.
    if (!m_record->videoBitRate.isEmpty())
        m_videoButton->setEnabled(m_model->hasAudio);
    updateTrackIcons();
    refreshSizes();
}

void VideoEdit::on_videoButton_clicked()
{
    m_model->hasVideo = m_videoButton->isChecked();
    // No picture, nothing to write on.
    m_overlayButton->setEnabled(m_model->hasVideo);
    if (!m_record->audioBitRate.isEmpty())
        m_audioButton->setEnabled(m_model->hasVideo);
    updateTrackIcons();
    refreshSizes();
}

void VideoEdit::onResolutionChosen(QAbstractButton *button)
{
    if (button->objectName() == QLatin1String("button720")) {
        m_model->is720P = true;
        m_model->bitRate = QString::number(qint64(std::round(m_rate720)));
        qDebug() << "720P bitRate" << m_model->bitRate;
    } else {
        m_model->bitRate = m_record->videoBitRate;
        m_model->is720P = false;
    }
    const auto buttons = m_resolutionGroup->buttons();
    for (QAbstractButton *each : buttons)
        each->setStyleSheet(createdResolutionButtonStyleString(each == button));
}

void VideoEdit::on_cancelButton_clicked()
{
    QWidget *host = parentWidget();
    if (auto *dialog = qobject_cast<QDialog *>(host))
        dialog->close();
    else if (host)
        host->close();
    else
        close();
}

void VideoEdit::on_sureButton_clicked()
{
    if (m_thread)
        return; // one cut at a time
    m_blockedWindow = QApplication::activeWindow();
    if (m_blockedWindow)
        m_blockedWindow->setAttribute(Qt::WA_TransparentForMouseEvents, true);

    // The thread runs a copy: the range handles and buttons go on writing the
    // dialog's own model while ffmpeg runs.
    CmdModel *job = m_model->clone();
    m_thread.reset(new FFmpegThread(job));
    job->setParent(m_thread.get());
    addTelemetry(job);
    auto *ownerWidget = qobject_cast<QWidget *>(m_owner.data());
    m_loadingHud = new HudDialog(0, ownerWidget ? ownerWidget : m_blockedWindow.data());
    if (m_blockedWindow && m_blockedWindow->isFullScreen()) {
        if (parentWidget())
            parentWidget()->hide();
        m_loadingHud->setParent(m_blockedWindow, m_loadingHud->windowFlags());
    }
    m_loadingHud->show();

    emit isCuting(true);
    connect(m_thread.get(), &FFmpegThread::taskFinishedForCutVideo, this, &VideoEdit::onCutFinished,
            Qt::QueuedConnection);
    m_thread->start(QThread::InheritPriority);
}

void VideoEdit::addTelemetry(CmdModel *job)
{
    AppManager *app = AppManager::instance();
    const int unit = choiceNumber(app->speedUnitType());
    const int format = choiceNumber(app->longOrLatType());
    if (m_overlayButton->isChecked() && job->hasVideo) {
        const QString script
            = CutOverlay::assScript(*m_record, job->startSecond, job->endSecond, unit, format);
        if (!CutOverlay::attachScript(job, script))
            qDebug() << "overlay script not written: the cut goes without it";
    }
    if (!m_trackButton->isChecked())
        return;
    // Written on the job's thread as soon as ffmpeg has succeeded, so the track
    // is there even when the dialog is closed before the cut ends.
    const VideoMessage record = *m_record;
    const int start = job->startSecond;
    const int end = job->endSecond;
    const QString video = job->getSavePath();
    connect(
        m_thread.get(), &FFmpegThread::taskFinishedForCutVideo, m_thread.get(),
        [record, start, end, video](bool isOk) {
            if (!isOk)
                return;
            const QString error = CutOverlay::writeTrack(record, start, end, video);
            if (!error.isEmpty())
                qDebug().noquote() << error;
        },
        Qt::DirectConnection);
}

void VideoEdit::onCutFinished(bool isOk)
{
    const bool noProgram = m_thread->programNotStarted();
    // The signal comes from run(): letting go only waits for its last instructions.
    m_thread.reset();

    QString message;
    if (isOk) {
        message = tr("cutVideo_Success", "剪辑成功");
        qDebug() << "剪辑成功";
    } else if (noProgram) {
        //: 未找到 ffmpeg
        message = FFmpegThread::tr("ffmpeg_not_found");
    } else {
        message = tr("cutVideo_Fail", "剪辑失败");
        qDebug() << "剪辑失败";
    }
    releaseWindow();
    if (m_loadingHud)
        m_loadingHud->close();

    auto *ownerWidget = qobject_cast<QWidget *>(m_owner.data());
    auto *prompt = new HudView(1, message, false, 0, ownerWidget ? ownerWidget : window());
    prompt->show();
    emit isCuting(false);
}

void VideoEdit::releaseWindow()
{
    if (m_blockedWindow)
        m_blockedWindow->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    m_blockedWindow = nullptr;
}
