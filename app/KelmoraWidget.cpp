#include "app/KelmoraWidget.h"

#include <QCloseEvent>
#include <QDebug>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace {
QStringList localPaths(const QMimeData *data)
{
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile() && !url.toLocalFile().isEmpty())
            paths.append(url.toLocalFile());
    }
    return paths;
}
} // namespace

QRect mainWindowGeometry(int screenWidth, int screenHeight)
{
    if (screenWidth < 3001) {
        // 1108.8, not 1108: a 1920-pixel screen gives x = 405.
        const int x = int((screenWidth - 1108.8) * 0.5);
        const int y = int((screenHeight - 693.0) * 0.5);
        return QRect(x, y, 1108, 693);
    }
    return QRect((screenWidth - 1715) / 2, (screenHeight - 1010) / 2, 1715, 1010);
}

KelmoraWidget::KelmoraWidget(QWidget *parent)
    : QWidget(parent)
{
    setWindowFlags(Qt::Window);
    setWindowTitle("Kelmora Player");
    setObjectName("KelmoraWidget");
    // Drops on any panel that takes none itself arrive here.
    setAcceptDrops(true);
}

void KelmoraWidget::closeEvent(QCloseEvent *event)
{
    qDebug() << "手动关闭播放器";
    emit closePlayer();
    event->accept();
}

void KelmoraWidget::dragEnterEvent(QDragEnterEvent *event)
{
    if (!localPaths(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void KelmoraWidget::dropEvent(QDropEvent *event)
{
    const QStringList paths = localPaths(event->mimeData());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    qDebug() << "dropped:" << paths;
    emit pathsDropped(paths);
}
