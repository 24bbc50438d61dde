#include "app/LogHandler.h"

#include "app/AppManager.h"
#include "app/Helpers.h"
#include "app/SettingsKeys.h"

#include <QDebug>
#include <QWidget>

LogHandler *LogHandler::instance()
{
    static LogHandler handler;
    return &handler;
}

void LogHandler::setPromptFactory(PromptFactory factory)
{
    instance()->m_promptFactory = std::move(factory);
}

void LogHandler::showHudDialog(const QString &message, QWidget *)
{
    qDebug() << "接收到丢帧消息";
    // In full screen the render view sits in a window of its own: look there too.
    const AppManager *app = AppManager::instance();
    for (QWidget *tree : {app->mainWindow(), app->renderView()}) {
        if (tree && tree->findChild<QWidget *>("orbHudView")) {
            qDebug() << "找到提示库";
            return;
        }
    }
    if (settingsValue(SettingsKeys::NoShowWidget).toInt() == 1)
        return;
    if (!m_promptFactory) {
        qDebug() << "no prompt factory installed; dropped-frame prompt not shown";
        return;
    }
    m_promptFactory(message);
}
