#include "app/LogHandler.h"

#include "app/Settings.h"

#include <QDebug>

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
    if (Settings::promptOptOut(2).get() == 1)
        return;
    if (!m_promptFactory) {
        qDebug() << "no prompt factory installed; dropped-frame prompt not shown";
        return;
    }
    m_promptFactory(message);
}
