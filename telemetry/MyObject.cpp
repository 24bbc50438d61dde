#include "telemetry/MyObject.h"

#include <QWebEnginePage>
#include <QWebEngineView>

MyObject::MyObject(QObject *parent)
    : QObject(parent)
{
}

QString MyObject::compassScript(int angle)
{
    return QStringLiteral("setCompassAngle(%1);").arg(angle);
}

void MyObject::setCompassAngle(int angle, QWebEngineView *web)
{
    if (!web)
        return;
    web->page()->runJavaScript(compassScript(angle));
}

void MyObject::seekTo(const QVariant &second)
{
    emit seekRequested(second);
}

void MyObject::setLibraryState(const QString &state)
{
    emit libraryStateChanged(state);
}

void MyObject::reportTilesFailed()
{
    emit tilesFailed();
}
