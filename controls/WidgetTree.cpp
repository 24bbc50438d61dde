#include "controls/WidgetTree.h"

#include <QWidget>

void setWidgetTreeMouseEnabled(QWidget *widget, bool enabled)
{
    if (!widget)
        return;
    widget->setAttribute(Qt::WA_TransparentForMouseEvents, !enabled);
    for (QObject *child : widget->children()) {
        auto *childWidget = qobject_cast<QWidget *>(child);
        if (!childWidget)
            continue;
        if (!enabled && childWidget->objectName() == QLatin1String("orbHudView"))
            continue;
        setWidgetTreeMouseEnabled(childWidget, enabled);
    }
}
