#pragma once

#include <QWebEnginePage>

// The map's web page: it stays on the local map page. Links on it (the map
// data's attribution) open in the user's browser; anything else that would
// take the view elsewhere is refused.
class MapPage final : public QWebEnginePage
{
    Q_OBJECT
public:
    MapPage(QWebEngineProfile *profile, QObject *parent);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage *createWindow(WebWindowType type) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                  const QString &message,
                                  int lineNumber,
                                  const QString &sourceId) override;
};
