#include "app/AppManager.h"
#include "app/CrashHandler.h"
#include "app/Helpers.h"
#include "app/KelmoraWidget.h"
#include "app/LogToFile.h"
#include "app/MainComposition.h"
#include "app/Platform.h"
#include "diagnostics/SystemInfoThread.h"
#include "library/FilesListView.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QScreen>

namespace {
// The files the desktop hands over (Exec=kelmora-player %F), as absolute paths.
QStringList openedFiles(const QStringList &arguments)
{
    QStringList files;
    for (const QString &argument : arguments) {
        const QFileInfo file(argument);
        if (file.isFile())
            files << file.absoluteFilePath();
        else
            qDebug() << "opened file not found:" << argument;
    }
    return files;
}
} // namespace

int main(int argc, char *argv[])
{
    prepareProcess();
    QApplication app(argc, argv);
    nameApplication();

    const QString logPath = QDir(appDataPath()).filePath("log.txt");
    LogToFile logFile(logPath);
    qDebug() << "打开app创建log文件路径：" << logPath;
    qDebug() << "Current working directory:" << QDir::currentPath();

    CrashHandler::install(Platform::runsInstalled() ? QDir(appDataPath()).filePath("crashes")
                                                    : QStringLiteral("crashes"));

    QPointer<SystemInfoThread> infoThread = new SystemInfoThread;
    QObject::connect(infoThread, &QThread::finished, infoThread, &QObject::deleteLater);
    infoThread->start(QThread::InheritPriority);
    QObject::connect(
        &app, &QCoreApplication::aboutToQuit, &app,
        [&infoThread] {
            if (infoThread && !infoThread->isFinished()) {
                qDebug() << "SystemInfoThread 执行关闭进程";
                infoThread->cancelTasksSlots();
            } else {
                qDebug() << "SystemInfoThread 已经被销毁";
            }
        },
        Qt::DirectConnection);

    AppManager::instance();

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    qDebug() << "屏幕大小：" << screen.width() << "*" << screen.height();

    auto *window = new KelmoraWidget;
    AppManager::instance()->setMainWindow(window);
    window->setGeometry(mainWindowGeometry(screen.width(), screen.height()));
    const MainPanels panels = composeMainWindow(window);
    window->show();
    afterMainWindowShown(panels);
    const QStringList opened = openedFiles(app.arguments().mid(1));
    if (!opened.isEmpty())
        panels.fileList->addFiles(opened);

    const int result = app.exec();
    // A cancelled probe stops within a moment; do not leave it running into teardown.
    if (infoThread)
        infoThread->wait(5000);
    infoThread.clear();
    return result;
}
