#include "diagnostics/CustomEvent.h"

#include <QDebug>

namespace {
const QEvent::Type kCustomEventType = QEvent::Type(QEvent::registerEventType());
}

CustomEvent::CustomEvent(const QString &text)
    : QEvent(kCustomEventType)
    , m_text(text)
{
    qDebug() << "CustomEvent初始化";
}

CustomEvent::~CustomEvent()
{
    qDebug() << "CustomEvent销毁";
}

QEvent::Type CustomEvent::eventType()
{
    return kCustomEventType;
}
