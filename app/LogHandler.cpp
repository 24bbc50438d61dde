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

void LogHandler::showHudDialog(const QString &message, QWidget *)
{
    qDebug() << "接收到丢帧消息";
    QWidget *window = AppManager::instance()->mainWindow();
    if (window && window->findChild<QWidget *>("orbHudView")) {
        qDebug() << "找到提示库";
        return;
    }
    if (settingsValue(SettingsKeys::NoShowWidget).toInt() == 1)
        return;
    // The HUD prompt that shows this message joins with the prompts.
    Q_UNUSED(message);
}
