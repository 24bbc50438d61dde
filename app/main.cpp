#include "app/AppManager.h"
#include "app/CrashHandler.h"
#include "app/Helpers.h"
#include "app/KelmoraWidget.h"
#include "app/LogToFile.h"
#include "app/MainComposition.h"
#include "app/Platform.h"
#include "app/SingleInstance.h"
#include "diagnostics/SystemInfoThread.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDebug>
#include <QDir>
#include <QPointer>
#include <QScreen>

int main(int argc, char *argv[])
{
    prepareProcess();
    QApplication app(argc, argv);
    nameApplication();
    QCoreApplication::setApplicationVersion(QStringLiteral(KELMORA_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Kelmora Player: dashcam recordings player"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("paths"),
                                 QStringLiteral("Recordings or folders to add and play."),
                                 QStringLiteral("[FILE|FOLDER...]"));
    parser.process(app);
    const QStringList paths
        = localPathsFromArguments(parser.positionalArguments(), QDir::currentPath());

    // A second start hands its paths to the running window and ends here.
    SingleInstance instance(appDataPath());
    if (instance.handOff(paths) || (!instance.listen() && instance.handOff(paths)))
        return 0;

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
    QObject::connect(
        &instance, &SingleInstance::pathsReceived, window,
        [window, panels](const QStringList &handed) { openFromOutside(window, panels, handed); });
    if (!paths.isEmpty())
        openFromOutside(window, panels, paths);

    const int result = app.exec();
    // A cancelled probe stops within a moment; do not leave it running into teardown.
    if (infoThread)
        infoThread->wait(5000);
    infoThread.clear();
    return result;
}
