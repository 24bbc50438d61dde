#include "controls/HudDialog.h"

#include <QApplication>
#include <QDebug>
#include <QLabel>
#include <QMovie>
#include <QPainter>
#include <QStyle>
#include <QVBoxLayout>

QRect fullWindowLayerGeometry(const QRect &reference, int titleBarHeight)
{
    return QRect(reference.x() - 10, reference.y() - titleBarHeight - 10, reference.width() + 10,
                 reference.height() + 2 * titleBarHeight + 20);
}

void centreOverHost(QWidget *child, const QWidget *host)
{
    if (!host || !child->parentWidget())
        return;
    const QPoint centre = child->parentWidget()->mapFromGlobal(
        host->mapToGlobal(QPoint(host->width() / 2, host->height() / 2)));
    // Never partly outside the layer, where it would be cut off.
    const QSize room = child->parentWidget()->size() - child->size();
    QPoint topLeft = centre - QPoint(child->width() / 2, child->height() / 2);
    topLeft.setX(qBound(0, topLeft.x(), qMax(0, room.width())));
    topLeft.setY(qBound(0, topLeft.y(), qMax(0, room.height())));
    if (child->pos() != topLeft)
        child->move(topLeft);
}

void coverActiveWindow(QDialog *layer, const char *noWindowLine)
{
    layer->setAttribute(Qt::WA_TranslucentBackground);
    layer->setWindowFlags(layer->windowFlags() | Qt::FramelessWindowHint);
    layer->setModal(true);
    QWidget *reference = QApplication::activeWindow();
    if (!reference) {
        qDebug() << noWindowLine;
        for (QWidget *top : QApplication::topLevelWidgets()) {
            if (top->isActiveWindow()) {
                reference = top;
                break;
            }
        }
    }
    // Right after a file dialog closes no window is active yet: cover the
    // host's own window rather than stay at a default size the panel overflows.
    if (!reference && layer->parentWidget())
        reference = layer->parentWidget()->window();
    if (reference) {
        const int titleBar = layer->style()->pixelMetric(QStyle::PM_TitleBarHeight);
        const QRect geometry = fullWindowLayerGeometry(reference->geometry(), titleBar);
        layer->setGeometry(geometry);
        layer->setFixedSize(geometry.size());
    }
    QObject::connect(layer, &QDialog::finished, layer, &QObject::deleteLater, Qt::UniqueConnection);
}

HudDialog::HudDialog(int mode, QWidget *host)
    : QDialog(host)
    , m_host(host)
{
    qDebug() << "等待加载动画提示";
    Q_UNUSED(mode); // the wait animation is the only mode
    testSize();
    m_movieLabel = new QLabel(this);
    m_movieLabel->setObjectName("loadingLabel");
    m_movieLabel->setFixedSize(100, 100);
    auto *movie = new QMovie(":/Resources/PlayTool/Loading.gif", QByteArray(), m_movieLabel);
    movie->setScaledSize(m_movieLabel->size());
    m_movieLabel->setMovie(movie);
    centreOverHost(m_movieLabel, host);
    movie->start();
}

HudDialog::HudDialog(QWidget *panel, QWidget *host, ImportLayer)
    : QDialog(host)
    , m_panel(panel)
    , m_host(host)
{
    testSize();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(panel, 0, Qt::AlignHCenter | Qt::AlignVCenter);
}

HudDialog::~HudDialog()
{
    qDebug() << "HudDialog销毁";
}

void HudDialog::testSize()
{
    coverActiveWindow(this, "活跃window==nul:::");
}

void HudDialog::testSizeView(QWidget *)
{
    coverActiveWindow(this, "testSizeView活跃window==nul:::");
}

void HudDialog::finishLoading()
{
    // A panel may report more than once; the import ends only once.
    if (m_finished)
        return;
    m_finished = true;
    close();
    emit sendLoadingFinished();
}

void HudDialog::paintEvent(QPaintEvent *)
{
    // The host may have moved or resized since the last paint.
    if (m_panel)
        centreOverHost(m_panel, m_host);
    if (m_movieLabel)
        centreOverHost(m_movieLabel, m_host);
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
}
