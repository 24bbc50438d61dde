#include "telemetry/MapPage.h"

#include "app/Platform.h"

#include <QDebug>

MapPage::MapPage(QWebEngineProfile *profile, QObject *parent)
    : QWebEnginePage(profile, parent)
{
}

bool MapPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (type == NavigationTypeLinkClicked) {
        Platform::openInBrowser(url);
        return false;
    }
    // Sub-frames are the map libraries' own business; the page itself only
    // ever loads one of the local map files.
    return !isMainFrame || url.isLocalFile() || url.scheme() == QLatin1String("qrc");
}

QWebEnginePage *MapPage::createWindow(WebWindowType type)
{
    Q_UNUSED(type)
    // A link that wants a new window still goes to the browser, through
    // acceptNavigationRequest of this page; no second view is opened.
    return nullptr;
}

void MapPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                       const QString &message,
                                       int lineNumber,
                                       const QString &sourceId)
{
    if (level == ErrorMessageLevel)
        qDebug() << "map page error:" << message << sourceId << lineNumber;
}
